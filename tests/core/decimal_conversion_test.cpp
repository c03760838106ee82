#include "core/decimal_conversion.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <optional>
#include <string>
#include <vector>

namespace tavrelo::decimal {
namespace {

// One way of converting: the C++ library's or the C library's.
struct Conversions {
  std::from_chars_result (*readDouble)(const char*, const char*, double&);
  std::from_chars_result (*readFloat)(const char*, const char*, float&);
  std::to_chars_result (*write)(char*, char*, double, int);
};

constexpr Conversions kInUse{FromChars, FromChars, ToCharsScientific};
constexpr Conversions kCLibrary{c_library::FromChars, c_library::FromChars, c_library::ToCharsScientific};

// The value's bits, "out" when out of range, or where the reading stopped.
template <typename T>
std::string Read(std::from_chars_result (*read)(const char*, const char*, T&), const std::string& text) {
  T value{};
  const auto [ptr, ec] = read(text.data(), text.data() + text.size(), value);
  if (ec == std::errc::result_out_of_range) return "out";
  if (ec != std::errc{} || ptr != text.data() + text.size()) return "stopped at " + std::to_string(ptr - text.data());
  std::uint64_t bits = 0;
  std::memcpy(&bits, &value, sizeof value);
  return std::to_string(bits);
}

std::string Write(const Conversions& way, double value, int precision) {
  std::string buffer(static_cast<std::size_t>(precision) + 16, '\0');
  const auto [end, ec] = way.write(buffer.data(), buffer.data() + buffer.size(), value, precision);
  return ec == std::errc{} ? buffer.substr(0, static_cast<std::size_t>(end - buffer.data())) : "too large";
}

std::uint64_t SplitMix(std::uint64_t& state) {
  std::uint64_t z = (state += 0x9E3779B97F4A7C15U);
  z = (z ^ (z >> 30U)) * 0xBF58476D1CE4E5B9U;
  z = (z ^ (z >> 27U)) * 0x94D049BB133111EBU;
  return z ^ (z >> 31U);
}

// One line per text read (as double and as float) and per value written.
std::vector<std::string> Lines(const Conversions& way) {
  std::vector<std::string> lines;
  const auto read = [&](const std::string& text) {
    lines.push_back(text + " " + Read(way.readDouble, text) + " " + Read(way.readFloat, text));
  };
  const auto write = [&](double value) {
    for (const int precision : {0, 1, 15, 16, 780}) lines.push_back(Write(way, value, precision));
    read(Write(way, value, 16));
    read(Write(way, value, 8));
  };
  // Ties either way, long texts a hair beside them, and the ends of both ranges.
  for (const char* text : {"2.55",
                           "0.125",
                           "5.25",
                           "5.",
                           ".25E1",
                           "0.3",
                           "1e",
                           "1e+",
                           "9007199254740993",
                           "9007199254740993.000000000001",
                           "16777217",
                           "16777217.0000000001",
                           "1e308",
                           "1.7976931348623158e308",
                           "1.7976931348623159e308",
                           "3.4028235e38",
                           "3.4028236e38",
                           "1.4e-45",
                           "7.1e-46",
                           "7e-46",
                           "4.9406564584124654e-324",
                           "2.4703282292062328e-324",
                           "2.4703282292062327e-324",
                           "1e-400",
                           "-1e-400",
                           "0e999999999999999999",
                           "-0"}) {
    read(text);
  }
  for (const double value : {2.55, 0.125, 0.375, 2.5, 5.25, 7716049313271.5625, 1e308, 5e-324, -0.0}) write(value);
  // Every hundredth up to 100: the form's list entries (17.5, 2.0, 0.25) among them.
  for (int i = 0; i <= 10000; ++i) read(std::to_string(i / 100) + "." + std::to_string(100 + i % 100).substr(1));
  std::uint64_t state = 20261208;
  for (int i = 0; i < 3000; ++i) {
    // Random digits at exponents from below the subnormals to beyond the range.
    const std::uint64_t shift = SplitMix(state) % 60U;
    const std::string digits = std::to_string(SplitMix(state) >> shift);
    const auto point = static_cast<std::size_t>(SplitMix(state) % (digits.size() + 1));
    const auto exponent = static_cast<int>(SplitMix(state) % 700U) - 360;
    read(digits.substr(0, point) + "." + digits.substr(point) + "e" + std::to_string(exponent));
    // Any finite bit pattern, subnormals included; a short decimal on or beside a tie.
    double value = 0;
    const std::uint64_t pattern = SplitMix(state);
    std::memcpy(&value, &pattern, sizeof value);
    if (std::isfinite(value)) write(value);
    write(static_cast<double>(SplitMix(state) % 100'000U) / 1000.0);
    // The point halfway between two floats, in full and a hair above it.
    const auto single = static_cast<float>(static_cast<double>(SplitMix(state) % 1'000'000U) * 1e-3);
    const float above = std::nextafter(single, std::numeric_limits<float>::max());
    const std::string halfway = Write(way, (static_cast<double>(single) + above) / 2, 780);
    const std::size_t e = halfway.find('e');
    read(halfway);
    read(halfway.substr(0, e) + "1" + halfway.substr(e));
  }
  return lines;
}

TEST(Conversions, CLibraryGivesTheCxxLibrarysValuesAndDigitsEvenInACommaLocale) {
  if (!TAVRELO_HAS_FLOATING_CHARCONV) GTEST_SKIP() << "the C++ library here does not convert floating point";
  const std::vector<std::string> expected = Lines(kInUse);
  // strtod and printf heed the locale's decimal separator; the C library's
  // way must not. (The test command installs de_DE; without it, the C locale.)
#ifdef _WIN32
  const char* const commaLocales[] = {"German_Germany.1252"};
#else
  const char* const commaLocales[] = {"de_DE.UTF-8", "de_DE.utf8"};
#endif
  const std::string saved = std::setlocale(LC_ALL, nullptr);
  const char* locale = "C";
  for (const char* name : commaLocales) locale = std::setlocale(LC_ALL, name) != nullptr ? name : locale;
  const std::vector<std::string> actual = Lines(kCLibrary);
  std::setlocale(LC_ALL, saved.c_str());
  ASSERT_EQ(actual.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) ASSERT_EQ(actual[i], expected[i]) << "line " << i << ", " << locale;
}

TEST(Conversions, GiveTheLinesRecordedWithLibstdcxx) {
  // The FNV-1a hash of Lines() as libstdc++ 12's from_chars and to_chars
  // give them: a runtime without those (the web) shows here that it agrees.
  std::uint64_t hash = 0xCBF29CE484222325U;
  for (const std::string& line : Lines(kInUse)) {
    for (const char c : line + "\n") hash = (hash ^ static_cast<unsigned char>(c)) * 0x100000001B3U;
  }
  EXPECT_EQ(hash, 10042736826301643330U);
}

}  // namespace
}  // namespace tavrelo::decimal
