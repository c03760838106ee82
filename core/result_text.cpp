#include "core/result_text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <system_error>

#include "core/decimal_conversion.h"

namespace tavrelo {
namespace {

constexpr int kSignificantDigits = 15;
// Beyond a double's 767 significant digits more decimals would only add
// zeros; the cap keeps the arithmetic on ints safe.
constexpr int kMaxDecimals = 1000;

// A positive decimal number 0.d1d2…dk × 10^pointPos, digits without a point.
struct DecimalDigits {
  std::string digits;
  int pointPos = 0;  // how many digits stand before the decimal point
};

// Adds one unit in the last place of `digits`; true when it carried out of
// the first digit ("999" becomes "000").
bool IncrementLast(std::string& digits) {
  for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
    if (*it != '9') {
      ++*it;
      return false;
    }
    *it = '0';
  }
  return true;
}

// The first digits of the exact decimal expansion of `magnitude` (> 0) in
// scientific form, and its decimal exponent.
DecimalDigits ScientificDigits(double magnitude, int precision) {
  // A double's exact expansion has at most 767 significant digits.
  std::array<char, 800> buffer{};
  const auto [end, ec] = decimal::ToCharsScientific(buffer.data(), buffer.data() + buffer.size(), magnitude, precision);
  const std::string_view text(buffer.data(), ec == std::errc{} ? static_cast<std::size_t>(end - buffer.data()) : 0);
  const auto e = text.find('e');
  DecimalDigits result;
  result.digits.reserve(static_cast<std::size_t>(precision) + 1);
  for (const char c : text.substr(0, e)) {
    if (c != '.') result.digits.push_back(c);
  }
  int exponent = 0;
  const std::string_view exponentText = text.substr(e + 1);
  std::from_chars(exponentText.data() + (exponentText.front() == '+' ? 1 : 0),
                  exponentText.data() + exponentText.size(), exponent);
  result.pointPos = exponent + 1;
  return result;
}

// `magnitude` (> 0) rounded to 15 significant digits, halves away from zero.
DecimalDigits FifteenDigits(double magnitude) {
  // Sixteen digits, correctly rounded, decide the rounding unless the
  // sixteenth is a 5: the exact expansion may then hold 4999… or 5000…
  DecimalDigits d = ScientificDigits(magnitude, kSignificantDigits);
  char decider = d.digits[kSignificantDigits];
  if (decider == '5') decider = ScientificDigits(magnitude, 780).digits[kSignificantDigits];
  d.digits.resize(kSignificantDigits);
  if (decider >= '5' && IncrementLast(d.digits)) {
    d.digits.insert(d.digits.begin(), '1');
    d.digits.pop_back();
    ++d.pointPos;
  }
  return d;
}

}  // namespace

std::string FormatFixed(double value, int decimals) {
  if (std::isnan(value)) return "nan";
  if (std::isinf(value)) return value < 0 ? "-inf" : "inf";
  decimals = std::clamp(decimals, 0, kMaxDecimals);

  // `kept` becomes |value| × 10^decimals, rounded to a whole number.
  std::string kept;
  if (value != 0.0) {
    const DecimalDigits d = FifteenDigits(std::fabs(value));
    const int keep = d.pointPos + decimals;  // digits left of the rounding place
    if (keep >= 0) {
      const auto count = static_cast<std::size_t>(keep);
      kept = d.digits.substr(0, count);
      kept.resize(count, '0');
      const char next = count < d.digits.size() ? d.digits[count] : '0';
      if (next >= '5' && IncrementLast(kept)) kept.insert(kept.begin(), '1');
    }
  }
  const bool isZero = kept.find_first_not_of('0') == std::string::npos;
  const auto width = static_cast<std::size_t>(decimals) + 1;
  if (kept.size() < width) kept.insert(0, width - kept.size(), '0');

  std::string text;
  text.reserve(kept.size() + 2);
  if (value < 0 && !isZero) text.push_back('-');
  const std::size_t intDigits = kept.size() - static_cast<std::size_t>(decimals);
  text.append(kept, 0, intDigits);
  if (decimals > 0) {
    text.push_back('.');
    text.append(kept, intDigits);
  }
  return text;
}

std::string ComposeResultText(std::string_view causeText, std::string_view layerCountText,
                              const FrictionResult& result) {
  const std::string stress = result.stress ? FormatFixed(*result.stress, 2) : std::string("—");
  const std::string friction = FormatFixed(result.friction, 1);
  std::string sentence;
  sentence.reserve(160 + causeText.size() + layerCountText.size());
  sentence.append("当").append(causeText).append("时， ");
  sentence.append("桩周第").append(layerCountText).append("层土");
  sentence.append("平均竖向有效应力σi'为：").append(stress).append(" kn/m2");
  sentence.append("   桩侧负摩阻力标准值qsi = ξn * σi'＝").append(friction).append(" kn/m2");
  return sentence;
}

}  // namespace tavrelo
