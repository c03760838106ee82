#include "core/number_text.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <system_error>

#include "core/decimal_conversion.h"

namespace tavrelo {
namespace {

constexpr char32_t kInvalid = 0xFFFFFFFF;

// Decodes one UTF-8 sequence at `pos`, advancing it. Malformed, overlong or
// surrogate sequences give kInvalid.
char32_t DecodeUtf8(std::string_view text, std::size_t& pos) {
  const auto lead = static_cast<unsigned char>(text[pos++]);
  if (lead < 0x80) return lead;
  int extra = 0;
  char32_t cp = 0;
  char32_t minimum = 0;
  if ((lead & 0xE0) == 0xC0) {
    extra = 1, cp = lead & 0x1Fu, minimum = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    extra = 2, cp = lead & 0x0Fu, minimum = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    extra = 3, cp = lead & 0x07u, minimum = 0x10000;
  } else {
    return kInvalid;
  }
  for (int i = 0; i < extra; ++i) {
    if (pos >= text.size()) return kInvalid;
    const auto next = static_cast<unsigned char>(text[pos]);
    if ((next & 0xC0) != 0x80) return kInvalid;
    cp = (cp << 6) | (next & 0x3Fu);
    ++pos;
  }
  if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return kInvalid;
  return cp;
}

// The ASCII character a code point counts as inside a number: itself for
// ASCII, the twin for the full-width forms a Chinese input method types,
// ' ' for the three blanks, and '\0' for anything that cannot be part of one.
char AsciiTwin(char32_t cp) {
  if (cp == U' ' || cp == U'\t' || cp == U'\u3000') return ' ';
  if (cp < 0x80) return cp == 0 ? '\0' : static_cast<char>(cp);
  if (cp >= U'０' && cp <= U'９') return static_cast<char>('0' + (cp - U'０'));
  switch (cp) {
    case U'．': return '.';
    case U'＋': return '+';
    case U'－': return '-';
    case U'ｅ': return 'e';
    case U'Ｅ': return 'E';
    default: return '\0';
  }
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// A number's text brought to plain ASCII, without blanks around it and
// without a leading '+', which std::from_chars does not take.
struct PlainNumber {
  std::string text;
  bool negative = false;
  // True when the magnitude is below one, so that a value out of range is
  // one too small for the type rather than too large.
  bool belowOne = false;
};

// Checks the grammar  [+-] (digits [. digits*] | . digits) [(e|E) [+-] digits]
// and fills `out`. Returns the reason when the text is not such a number.
std::optional<FailureReason> ToPlainNumber(std::string_view text, PlainNumber& out) {
  std::string ascii;
  ascii.reserve(text.size());
  for (std::size_t pos = 0; pos < text.size();) {
    const char c = AsciiTwin(DecodeUtf8(text, pos));
    if (c == '\0') return FailureReason::NotANumber;
    ascii.push_back(c);
  }
  const auto first = ascii.find_first_not_of(' ');
  if (first == std::string::npos) return FailureReason::Empty;
  const auto last = ascii.find_last_not_of(' ');
  std::string_view s(ascii);
  s = s.substr(first, last - first + 1);

  std::size_t i = 0;
  if (s[i] == '+' || s[i] == '-') {
    out.negative = s[i] == '-';
    ++i;
  }
  const std::size_t mantissaStart = i;
  std::size_t intDigits = 0;
  std::size_t fracDigits = 0;
  while (i < s.size() && IsDigit(s[i])) ++i, ++intDigits;
  if (i < s.size() && s[i] == '.') {
    ++i;
    while (i < s.size() && IsDigit(s[i])) ++i, ++fracDigits;
  }
  if (intDigits + fracDigits == 0) return FailureReason::NotANumber;
  const std::string_view mantissa = s.substr(mantissaStart, i - mantissaStart);

  // Decimal exponent of the leading nonzero digit, as far as it matters for
  // telling a too-small value from a too-large one.
  std::int64_t exponent = 0;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    ++i;
    bool negativeExponent = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) negativeExponent = s[i++] == '-';
    const std::size_t expStart = i;
    while (i < s.size() && IsDigit(s[i])) {
      if (exponent < 1'000'000'000) exponent = exponent * 10 + (s[i] - '0');
      ++i;
    }
    if (i == expStart) return FailureReason::NotANumber;
    if (negativeExponent) exponent = -exponent;
  }
  if (i != s.size()) return FailureReason::NotANumber;

  const auto nonzero = mantissa.find_first_not_of("0.");
  if (nonzero != std::string_view::npos) {
    const auto point = mantissa.find('.');
    const auto pointPos = static_cast<std::int64_t>(point == std::string_view::npos ? mantissa.size() : point);
    const auto digitPos = static_cast<std::int64_t>(nonzero);
    exponent += digitPos < pointPos ? pointPos - digitPos - 1 : pointPos - digitPos;
    out.belowOne = exponent < 0;
  }
  out.text.assign(s.substr(mantissaStart));
  return std::nullopt;
}

template <typename T>
NumberReading Read(std::string_view text) {
  PlainNumber plain;
  if (const auto failure = ToPlainNumber(text, plain)) return {0.0, failure};
  T value{};
  const char* begin = plain.text.data();
  const char* end = begin + plain.text.size();
  const auto [ptr, ec] = decimal::FromChars(begin, end, value);
  if (ec == std::errc::result_out_of_range) {
    if (!plain.belowOne) return {0.0, FailureReason::OutOfRange};
    value = T{0};  // smaller than the smallest subnormal: the nearest value is zero
  } else if (ec != std::errc{} || ptr != end) {
    return {0.0, FailureReason::NotANumber};
  }
  const auto widened = static_cast<double>(value);
  return {plain.negative ? -widened : widened, std::nullopt};
}

}  // namespace

NumberReading ReadNumber(std::string_view text) { return Read<double>(text); }

NumberReading ReadNumberAsFloat(std::string_view text) { return Read<float>(text); }

std::optional<int> LayerCountFromValue(double value) noexcept {
  for (int n = 1; n <= 5; ++n) {
    if (value == static_cast<double>(n)) return n;
  }
  return std::nullopt;
}

}  // namespace tavrelo
