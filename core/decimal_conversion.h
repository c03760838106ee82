#pragma once
// Decimal text to binary floating point and back, for the core's reading of
// numbers and its formatting of results.
//
// Where the C++ library converts floating-point numbers itself (libstdc++ on
// Linux and MinGW), the core uses std::from_chars and std::to_chars. Where it
// does not (the libc++ of Emscripten, for the web page), the same values and
// the same digits come from the C library instead: strtod/strtof and
// snprintf("%.*e"), made independent of the process's locale. Both ways are
// compiled everywhere, so a test can hold one against the other.

#include <charconv>
#include <version>

// True where the C++ library has std::from_chars and std::to_chars for
// floating-point types (the feature macro covers both).
#if defined(__cpp_lib_to_chars) && __cpp_lib_to_chars >= 201611L
#define TAVRELO_HAS_FLOATING_CHARCONV 1
#else
#define TAVRELO_HAS_FLOATING_CHARCONV 0
#endif

namespace tavrelo::decimal {

// As std::from_chars(first, last, value, std::chars_format::general): an
// optional '-', digits with an optional '.', an optional exponent. A value
// beyond the type's range, or one so small that it reads as zero, gives
// result_out_of_range and leaves `value` as it was. ("inf" and "nan", which
// the core never hands over, are not read.)
std::from_chars_result FromChars(const char* first, const char* last, double& value);
std::from_chars_result FromChars(const char* first, const char* last, float& value);

// As std::to_chars(first, last, value, std::chars_format::scientific,
// precision): "d.ddd…e±XX" with `precision` digits after the point, exact
// to the last digit and correctly rounded.
std::to_chars_result ToCharsScientific(char* first, char* last, double value, int precision);

// The C library's way, which the functions above take when the C++ library
// cannot convert; here so that it can be tested on every platform.
namespace c_library {
std::from_chars_result FromChars(const char* first, const char* last, double& value);
std::from_chars_result FromChars(const char* first, const char* last, float& value);
std::to_chars_result ToCharsScientific(char* first, char* last, double value, int precision);
}  // namespace c_library

}  // namespace tavrelo::decimal
