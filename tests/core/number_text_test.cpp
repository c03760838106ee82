#include "core/number_text.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>
#include <string>

namespace tavrelo {
namespace {

struct AcceptedCase {
  const char* name;
  std::string text;
  double value;
};

class AcceptedNumbers : public testing::TestWithParam<AcceptedCase> {};

TEST_P(AcceptedNumbers, ReadsToTheNearestDouble) {
  const NumberReading reading = ReadNumber(GetParam().text);
  ASSERT_TRUE(reading.ok()) << GetParam().text;
  EXPECT_EQ(reading.value, GetParam().value) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    WrittenForms, AcceptedNumbers,
    testing::Values(AcceptedCase{"Plain", "17.5", 17.5}, AcceptedCase{"Integer", "10", 10.0},
                    AcceptedCase{"TrailingZeros", "2.00", 2.0}, AcceptedCase{"LeadingPoint", ".5", 0.5},
                    AcceptedCase{"TrailingPoint", "5.", 5.0}, AcceptedCase{"Minus", "-0.3", -0.3},
                    AcceptedCase{"Plus", "+5", 5.0}, AcceptedCase{"Exponent", "1e3", 1000.0},
                    AcceptedCase{"SignedExponent", "2.5E-1", 0.25}, AcceptedCase{"PlusExponent", "1e+2", 100.0},
                    AcceptedCase{"AsciiBlanks", "  19 ", 19.0}, AcceptedCase{"Tabs", "\t18\t", 18.0},
                    AcceptedCase{"IdeographicSpace",
                                 "\u3000"
                                 "20\u3000",
                                 20.0},
                    AcceptedCase{"FullWidthDigits", "１７．５", 17.5}, AcceptedCase{"FullWidthSign", "－０．２", -0.2},
                    AcceptedCase{"FullWidthPlus", "＋３", 3.0}, AcceptedCase{"FullWidthExponent", "１ｅ２", 100.0},
                    AcceptedCase{"FullWidthCapitalExponent", "１Ｅ－１", 0.1},
                    AcceptedCase{"MixedWidths", "1７.５", 17.5}, AcceptedCase{"TooSmallReadsAsZero", "1e-400", 0.0},
                    AcceptedCase{"Subnormal", "5e-324", std::numeric_limits<double>::denorm_min()},
                    AcceptedCase{"ZeroWithHugeExponent", "0e99999", 0.0},
                    AcceptedCase{"LargestDouble", "1.7976931348623157e308", std::numeric_limits<double>::max()},
                    AcceptedCase{"ManyDigits", "0." + std::string(300, '3'), 1.0 / 3.0}),
    [](const auto& row) { return std::string(row.param.name); });

struct RejectedCase {
  const char* name;
  std::string text;
  FailureReason reason;
};

class RejectedNumbers : public testing::TestWithParam<RejectedCase> {};

TEST_P(RejectedNumbers, SayWhy) {
  const NumberReading reading = ReadNumber(GetParam().text);
  ASSERT_FALSE(reading.ok()) << GetParam().text << " read as " << reading.value;
  EXPECT_EQ(*reading.failure, GetParam().reason) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(WrittenForms, RejectedNumbers,
                         testing::Values(RejectedCase{"Empty", "", FailureReason::Empty},
                                         RejectedCase{"OnlyBlanks", " \t\u3000", FailureReason::Empty},
                                         RejectedCase{"Word", "abc", FailureReason::NotANumber},
                                         RejectedCase{"Infinity", "inf", FailureReason::NotANumber},
                                         RejectedCase{"NotANumber", "nan", FailureReason::NotANumber},
                                         RejectedCase{"Hexadecimal", "0x10", FailureReason::NotANumber},
                                         RejectedCase{"DecimalComma", "1,5", FailureReason::NotANumber},
                                         RejectedCase{"DigitGrouping", "1,000", FailureReason::NotANumber},
                                         RejectedCase{"BlankInside", "1 000", FailureReason::NotANumber},
                                         RejectedCase{"TrailingUnit", "18kn", FailureReason::NotANumber},
                                         RejectedCase{"LonePoint", ".", FailureReason::NotANumber},
                                         RejectedCase{"LoneSign", "-", FailureReason::NotANumber},
                                         RejectedCase{"TwoSigns", "--1", FailureReason::NotANumber},
                                         RejectedCase{"TwoPoints", "1.2.3", FailureReason::NotANumber},
                                         RejectedCase{"ExponentWithoutDigits", "1e", FailureReason::NotANumber},
                                         RejectedCase{"ExponentAlone", "e5", FailureReason::NotANumber},
                                         RejectedCase{"FullWidthComma", "１，５", FailureReason::NotANumber},
                                         RejectedCase{"MinusSignCharacter",
                                                      "\u2212"
                                                      "1",
                                                      FailureReason::NotANumber},
                                         RejectedCase{"Newline", "1\n", FailureReason::NotANumber},
                                         RejectedCase{"EmbeddedNul", std::string("1\0", 2), FailureReason::NotANumber},
                                         RejectedCase{"BrokenUtf8", "1\xE3\x80", FailureReason::NotANumber},
                                         RejectedCase{"OverlongUtf8", "\xC0\xB1", FailureReason::NotANumber},
                                         RejectedCase{"BeyondDouble", "1e400", FailureReason::OutOfRange},
                                         RejectedCase{"BeyondDoubleNegative", "-1.8e308", FailureReason::OutOfRange},
                                         RejectedCase{"HugeExponent", "1e99999999999999999999",
                                                      FailureReason::OutOfRange}),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(SinglePrecisionReading, RoundsTextStraightToTheNearestFloat) {
  EXPECT_EQ(ReadNumberAsFloat("2.3").value, 2.299999952316284);
  EXPECT_EQ(ReadNumberAsFloat("3.0").value, 3.0);
  // Text → double → float would round twice; this text sits where that
  // differs: the double nearest to it lies exactly halfway between two
  // floats and rounds to even, the text itself is nearer the upper one.
  EXPECT_EQ(ReadNumberAsFloat("1.00000005960464477539062500001").value, 1.0000001192092896);
  EXPECT_EQ(static_cast<float>(ReadNumber("1.00000005960464477539062500001").value), 1.0F);
}

TEST(SinglePrecisionReading, FailsBeyondTheFloatRange) {
  EXPECT_EQ(ReadNumberAsFloat("3.4028235e38").value, static_cast<double>(std::numeric_limits<float>::max()));
  EXPECT_EQ(ReadNumberAsFloat("1e39").failure, FailureReason::OutOfRange);
  EXPECT_EQ(ReadNumberAsFloat("-1e39").failure, FailureReason::OutOfRange);
  EXPECT_EQ(ReadNumberAsFloat("1e-50").value, 0.0);
  EXPECT_EQ(ReadNumberAsFloat("x").failure, FailureReason::NotANumber);
}

TEST(NegativeZero, KeepsItsSign) {
  const NumberReading reading = ReadNumber("-0");
  ASSERT_TRUE(reading.ok());
  EXPECT_TRUE(std::signbit(reading.value));
}

TEST(Locale, DoesNotChangeTheReading) {
#ifdef _WIN32
  // Windows' C runtime names its locales by language and country, and every
  // Windows has them: the case runs there on any machine.
  const char* const commaLocales[] = {"German_Germany.1252", "French_France.1252"};
#else
  const char* const commaLocales[] = {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "ru_RU.UTF-8"};
#endif
  const std::string saved = std::setlocale(LC_ALL, nullptr);
  const char* found = nullptr;
  for (const char* name : commaLocales) {
    if (std::setlocale(LC_ALL, name) != nullptr) {
      found = name;
      break;
    }
  }
  if (found == nullptr) GTEST_SKIP() << "no locale with a decimal comma is installed";
  const NumberReading point = ReadNumber("17.5");
  const NumberReading comma = ReadNumber("17,5");
  std::setlocale(LC_ALL, saved.c_str());
  EXPECT_EQ(point.value, 17.5) << found;
  EXPECT_EQ(comma.failure, FailureReason::NotANumber) << found;
}

struct CountCase {
  double value;
  std::optional<int> count;
};

TEST(LayerCount, MatchesOnlyWholeValuesOneToFive) {
  const CountCase cases[] = {{1.0, 1},
                             {2.0, 2},
                             {5.0, 5},
                             {0.0, std::nullopt},
                             {6.0, std::nullopt},
                             {2.5, std::nullopt},
                             {-2.0, std::nullopt},
                             {2.0000000000000004, std::nullopt}};
  for (const auto& c : cases) EXPECT_EQ(LayerCountFromValue(c.value), c.count) << c.value;
}

}  // namespace
}  // namespace tavrelo
