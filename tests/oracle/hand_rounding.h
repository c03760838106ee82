#pragma once
// Fixed-decimal texts as a hand calculation writes them, worked out without
// printing a double, for the tests and the fuzzers to hold FormatFixed
// (core/result_text.h) against: the value's exact decimal expansion in
// integers, rounded to 15 significant digits and then to the decimals, both
// times halves away from zero. 2.5499999999999998 (8.5 × 0.3) with one
// decimal is "2.6", 0.125 with two is "0.13", -0.04 with one is "0.0".
// Nothing of the product is used.

#include <string>

namespace tavrelo::oracle {

// `value` (finite) with `decimals` (0 or more) digits after a ".", no "-" on
// a value that rounds to zero.
[[nodiscard]] std::string HandRounded(double value, int decimals);

}  // namespace tavrelo::oracle
