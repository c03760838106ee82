#include "core/decimal_conversion.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <system_error>

namespace tavrelo::decimal {
namespace c_library {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Beyond this an exponent's digits are not read further: still far more than
// any text's count of digits could move the point back.
constexpr std::int64_t kExponentCap = 1'000'000'000'000'000;

double CRead(const char* text, char** end, double) { return std::strtod(text, end); }
float CRead(const char* text, char** end, float) { return std::strtof(text, end); }

template <typename T>
std::from_chars_result Read(const char* first, const char* last, T& value) {
  // The number is handed to the C library as its digits and a decimal
  // exponent, without a point: "-17.25e1" goes as "-1725e-1". So the
  // locale's decimal separator, which strtod would expect, never matters.
  std::string plain;
  const char* p = first;
  if (p != last && *p == '-') plain.push_back(*p++);
  const std::size_t signLength = plain.size();
  std::int64_t exponent = 0;
  bool nonzero = false;
  const auto takeDigits = [&](std::int64_t exponentStep) {
    for (; p != last && IsDigit(*p); ++p) {
      plain.push_back(*p);
      nonzero = nonzero || *p != '0';
      exponent += exponentStep;
    }
  };
  takeDigits(0);
  if (p != last && *p == '.') {
    ++p;
    takeDigits(-1);
  }
  if (plain.size() == signLength) return {first, std::errc::invalid_argument};
  // An exponent counts only with at least one digit; otherwise the number
  // ends before the 'e', as with std::from_chars.
  if (p != last && (*p == 'e' || *p == 'E')) {
    const char* q = p + 1;
    const bool negative = q != last && *q == '-';
    if (q != last && (*q == '-' || *q == '+')) ++q;
    if (q != last && IsDigit(*q)) {
      std::int64_t written = 0;
      for (; q != last && IsDigit(*q); ++q) written = std::min(written * 10 + (*q - '0'), kExponentCap);
      exponent += negative ? -written : written;
      p = q;
    }
  }
  plain.push_back('e');
  plain.append(std::to_string(exponent));

  // strtod also sets ERANGE for a subnormal result, which std::from_chars
  // reads without complaint: the result alone tells an overflow (infinite)
  // and an underflow to zero (zero from nonzero digits) apart.
  const T result = CRead(plain.c_str(), nullptr, T{});
  if (std::isinf(result) || (result == T{0} && nonzero)) return {p, std::errc::result_out_of_range};
  value = result;
  return {p, std::errc{}};
}

}  // namespace

std::from_chars_result FromChars(const char* first, const char* last, double& value) {
  return Read(first, last, value);
}

std::from_chars_result FromChars(const char* first, const char* last, float& value) { return Read(first, last, value); }

std::to_chars_result ToCharsScientific(char* first, char* last, double value, int precision) {
  // The C library's printf writes the exact expansion to any precision
  // (glibc, musl, MinGW's own printf).
  const int length = std::snprintf(nullptr, 0, "%.*e", precision, value);
  if (length < 0) return {last, std::errc::value_too_large};
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  std::snprintf(text.data(), text.size(), "%.*e", precision, value);
  text.pop_back();
  // The locale's decimal separator (a comma, or more than one byte) stands
  // between the first digit and the next digit or the 'e': it becomes '.'.
  const auto lead = text.find_first_of("0123456789");
  if (lead != std::string::npos) {
    const auto next = text.find_first_of("0123456789e", lead + 1);
    if (next != std::string::npos && next > lead + 1) {
      text[lead + 1] = '.';
      text.erase(lead + 2, next - lead - 2);
    }
  }
  if (text.size() > static_cast<std::size_t>(last - first)) return {last, std::errc::value_too_large};
  std::memcpy(first, text.data(), text.size());
  return {first + text.size(), std::errc{}};
}

}  // namespace c_library

#if TAVRELO_HAS_FLOATING_CHARCONV

std::from_chars_result FromChars(const char* first, const char* last, double& value) {
  return std::from_chars(first, last, value, std::chars_format::general);
}

std::from_chars_result FromChars(const char* first, const char* last, float& value) {
  return std::from_chars(first, last, value, std::chars_format::general);
}

std::to_chars_result ToCharsScientific(char* first, char* last, double value, int precision) {
  return std::to_chars(first, last, value, std::chars_format::scientific, precision);
}

#else

std::from_chars_result FromChars(const char* first, const char* last, double& value) {
  return c_library::FromChars(first, last, value);
}

std::from_chars_result FromChars(const char* first, const char* last, float& value) {
  return c_library::FromChars(first, last, value);
}

std::to_chars_result ToCharsScientific(char* first, char* last, double value, int precision) {
  return c_library::ToCharsScientific(first, last, value, precision);
}

#endif

}  // namespace tavrelo::decimal
