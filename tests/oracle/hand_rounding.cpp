#include "tests/oracle/hand_rounding.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace tavrelo::oracle {
namespace {

// |value| exactly in decimal: its digits (the first one not zero) and how
// many of them stand before the point (zero or less for |value| < 1).
struct ExactDecimal {
  std::string digits;
  int pointPos = 0;
};

// A double is m·2^e with a whole m below 2^53, so |value| is the whole
// number m·2^e when e >= 0 and m·5^-e / 10^-e when e < 0. The whole number
// is worked out in base-10^9 limbs, least significant first.
ExactDecimal ExactDigits(double magnitude) {
  constexpr std::uint64_t kLimb = 1'000'000'000;
  int exponent = 0;
  const double fraction = std::frexp(magnitude, &exponent);  // in [0.5, 1)
  auto significand = static_cast<std::uint64_t>(std::ldexp(fraction, 53));
  exponent -= 53;

  std::vector<std::uint32_t> limbs;
  for (; significand != 0; significand /= kLimb) limbs.push_back(static_cast<std::uint32_t>(significand % kLimb));
  const auto multiply = [&limbs](std::uint64_t factor) {  // factor < 2^32
    std::uint64_t carry = 0;
    for (std::uint32_t& limb : limbs) {
      carry += limb * factor;
      limb = static_cast<std::uint32_t>(carry % kLimb);
      carry /= kLimb;
    }
    for (; carry != 0; carry /= kLimb) limbs.push_back(static_cast<std::uint32_t>(carry % kLimb));
  };
  for (int twos = exponent; twos > 0; twos -= 31) multiply(std::uint64_t{1} << std::min(twos, 31));
  for (int fives = -exponent; fives > 0; fives -= 13) {
    std::uint64_t power = 1;  // 5^13 is the largest power of five below 2^32
    for (int k = std::min(fives, 13); k > 0; --k) power *= 5;
    multiply(power);
  }

  ExactDecimal exact;
  exact.digits = std::to_string(limbs.back());
  for (auto it = limbs.rbegin() + 1; it != limbs.rend(); ++it) {
    const std::string limb = std::to_string(*it);
    exact.digits.append(9 - limb.size(), '0').append(limb);
  }
  exact.pointPos = static_cast<int>(exact.digits.size()) - std::max(-exponent, 0);
  return exact;
}

constexpr std::uint64_t PowerOfTen(int n) {
  std::uint64_t power = 1;
  for (; n > 0; --n) power *= 10;
  return power;
}

}  // namespace

std::string HandRounded(double value, int decimals) {
  std::string whole = "0";  // |value|·10^decimals, rounded, in decimal digits
  if (value != 0.0) {
    const ExactDecimal exact = ExactDigits(std::fabs(value));
    // |value| ≈ significant·10^(pointPos − 15), 10^14 <= significant < 10^15.
    std::string first = exact.digits.substr(0, 15);
    first.resize(15, '0');
    std::uint64_t significant = std::stoull(first);
    int pointPos = exact.pointPos;
    if (exact.digits.size() > 15 && exact.digits[15] >= '5' && ++significant == PowerOfTen(15)) {
      significant /= 10;
      ++pointPos;
    }
    const int keep = pointPos + decimals;  // digits of `significant` before the rounding place
    if (keep >= 15) {
      whole = std::to_string(significant) + std::string(static_cast<std::size_t>(keep - 15), '0');
    } else if (keep >= 0) {
      const std::uint64_t unit = PowerOfTen(15 - keep);
      whole = std::to_string(significant / unit + (significant % unit >= unit / 2 ? 1 : 0));
    }
  }
  const std::string sign = value < 0.0 && whole != "0" ? "-" : "";
  if (decimals == 0) return sign + whole;
  const auto places = static_cast<std::size_t>(decimals);
  if (whole.size() <= places) whole.insert(0, places + 1 - whole.size(), '0');
  return sign + whole.substr(0, whole.size() - places) + "." + whole.substr(whole.size() - places);
}

}  // namespace tavrelo::oracle
