#include "core/number_text.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>
#include <string>
#include <utility>

#include "tests/core/test_texts.h"

namespace tavrelo {
namespace {

using testing_support::RowName;

// A text and how it reads: a value, or the reason it is refused.
struct ReadingCase {
  const char* name;
  std::string text;
  NumberReading expected;
};

ReadingCase Reads(const char* name, std::string text, double value) { return {name, std::move(text), {value, {}}}; }
ReadingCase Refuses(const char* name, std::string text, FailureReason reason) {
  return {name, std::move(text), {0.0, reason}};
}

class AcceptedNumbers : public testing::TestWithParam<ReadingCase> {};

TEST_P(AcceptedNumbers, ReadsToTheNearestDouble) {
  const NumberReading reading = ReadNumber(GetParam().text);
  ASSERT_TRUE(reading.ok()) << GetParam().text;
  EXPECT_EQ(reading.value, GetParam().expected.value) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    WrittenForms, AcceptedNumbers,
    testing::Values(Reads("Plain", "17.5", 17.5), Reads("Integer", "10", 10.0), Reads("TrailingZeros", "2.00", 2.0),
                    Reads("LeadingPoint", ".5", 0.5), Reads("TrailingPoint", "5.", 5.0), Reads("Minus", "-0.3", -0.3),
                    Reads("Plus", "+5", 5.0), Reads("Exponent", "1e3", 1000.0), Reads("SignedExponent", "2.5E-1", 0.25),
                    Reads("PlusExponent", "1e+2", 100.0), Reads("AsciiBlanks", "  19 ", 19.0),
                    Reads("Tabs", "\t18\t", 18.0),
                    Reads("IdeographicSpace",
                          "\u3000"
                          "20\u3000",
                          20.0),
                    Reads("FullWidthDigits", "１７．５", 17.5), Reads("FullWidthSign", "－０．２", -0.2),
                    Reads("FullWidthPlus", "＋３", 3.0), Reads("FullWidthExponent", "１ｅ２", 100.0),
                    Reads("FullWidthCapitalExponent", "１Ｅ－１", 0.1), Reads("MixedWidths", "1７.５", 17.5),
                    Reads("TooSmallReadsAsZero", "1e-400", 0.0),
                    Reads("Subnormal", "5e-324", std::numeric_limits<double>::denorm_min()),
                    Reads("ZeroWithHugeExponent", "0e99999", 0.0),
                    Reads("LargestDouble", "1.7976931348623157e308", std::numeric_limits<double>::max()),
                    Reads("ManyDigits", "0." + std::string(300, '3'), 1.0 / 3.0)),
    RowName);

class RejectedNumbers : public testing::TestWithParam<ReadingCase> {};

TEST_P(RejectedNumbers, SayWhy) {
  const NumberReading reading = ReadNumber(GetParam().text);
  ASSERT_FALSE(reading.ok()) << GetParam().text << " read as " << reading.value;
  EXPECT_EQ(reading.failure, GetParam().expected.failure) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(WrittenForms, RejectedNumbers,
                         testing::Values(Refuses("Empty", "", FailureReason::Empty),
                                         Refuses("OnlyBlanks", " \t\u3000", FailureReason::Empty),
                                         Refuses("Word", "abc", FailureReason::NotANumber),
                                         Refuses("Infinity", "inf", FailureReason::NotANumber),
                                         Refuses("NotANumber", "nan", FailureReason::NotANumber),
                                         Refuses("Hexadecimal", "0x10", FailureReason::NotANumber),
                                         Refuses("DecimalComma", "1,5", FailureReason::NotANumber),
                                         Refuses("DigitGrouping", "1,000", FailureReason::NotANumber),
                                         Refuses("BlankInside", "1 000", FailureReason::NotANumber),
                                         Refuses("TrailingUnit", "18kn", FailureReason::NotANumber),
                                         Refuses("LonePoint", ".", FailureReason::NotANumber),
                                         Refuses("LoneSign", "-", FailureReason::NotANumber),
                                         Refuses("TwoSigns", "--1", FailureReason::NotANumber),
                                         Refuses("TwoPoints", "1.2.3", FailureReason::NotANumber),
                                         Refuses("ExponentWithoutDigits", "1e", FailureReason::NotANumber),
                                         Refuses("ExponentAlone", "e5", FailureReason::NotANumber),
                                         Refuses("FullWidthComma", "１，５", FailureReason::NotANumber),
                                         Refuses("MinusSignCharacter",
                                                 "\u2212"
                                                 "1",
                                                 FailureReason::NotANumber),
                                         Refuses("Newline", "1\n", FailureReason::NotANumber),
                                         Refuses("EmbeddedNul", std::string("1\0", 2), FailureReason::NotANumber),
                                         Refuses("BrokenUtf8", "1\xE3\x80", FailureReason::NotANumber),
                                         Refuses("OverlongUtf8", "\xC0\xB1", FailureReason::NotANumber),
                                         Refuses("BeyondDouble", "1e400", FailureReason::OutOfRange),
                                         Refuses("BeyondDoubleNegative", "-1.8e308", FailureReason::OutOfRange),
                                         Refuses("HugeExponent", "1e99999999999999999999", FailureReason::OutOfRange)),
                         RowName);

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
