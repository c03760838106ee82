#include "core/result_text.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <random>
#include <string>
#include <string_view>

#include "tests/oracle/hand_rounding.h"

namespace tavrelo {
namespace {

using oracle::HandRounded;

TEST(HandRounding, AgreesWithHandWorkedValues) {
  EXPECT_EQ(HandRounded(5.25, 1), "5.3");
  EXPECT_EQ(HandRounded(2.5499999999999998, 1), "2.6");
  EXPECT_EQ(HandRounded(-1234.5, 0), "-1235");
  EXPECT_EQ(HandRounded(0.001, 2), "0.00");
  EXPECT_EQ(HandRounded(-0.04, 1), "0.0");
  EXPECT_EQ(HandRounded(9.96, 1), "10.0");
}

// --- FormatFixed ------------------------------------------------------------

struct FormatCase {
  const char* name;
  double value;
  int decimals;
  const char* text;
};

class FixedFormat : public testing::TestWithParam<FormatCase> {};

TEST_P(FixedFormat, WritesTheExpectedText) {
  EXPECT_EQ(FormatFixed(GetParam().value, GetParam().decimals), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FixedFormat,
    testing::Values(FormatCase{"OneLayerStress", 26.25, 2, "26.25"}, FormatCase{"OneLayerFriction", 5.25, 1, "5.3"},
                    FormatCase{"TwoLayerStress", 65.10000000000001, 2, "65.10"},
                    FormatCase{"TwoLayerFriction", 16.275000000000002, 1, "16.3"},
                    FormatCase{"SurchargeStress", 75.10000000000001, 2, "75.10"},
                    FormatCase{"SurchargeFriction", 18.775000000000002, 1, "18.8"},
                    FormatCase{"ZeroFriction", 0.0, 1, "0.0"}, FormatCase{"ExactTieTwoDecimals", 0.125, 2, "0.13"},
                    FormatCase{"HairBelowTie", 2.5499999999999998, 1, "2.6"},
                    FormatCase{"NegativeTie", -5.25, 1, "-5.3"}, FormatCase{"LeadingZero", 0.5, 2, "0.50"},
                    FormatCase{"NegativeRoundsToZero", -0.04, 1, "0.0"}, FormatCase{"NegativeZero", -0.0, 2, "0.00"},
                    FormatCase{"CarryIntoNewDigit", 9.96, 1, "10.0"}, FormatCase{"NoDecimals", 2.5, 0, "3"},
                    FormatCase{"NegativeDecimalsCountAsNone", 2.5, -3, "3"},
                    FormatCase{"NoGrouping", 1234567.891, 2, "1234567.89"},
                    FormatCase{"FifteenDigitsOnly", 0.1 + 0.2, 17, "0.30000000000000000"},
                    FormatCase{"Large", 1e20, 1, "100000000000000000000.0"}, FormatCase{"Tiny", 4e-320, 2, "0.00"},
                    FormatCase{"Infinity", INFINITY, 2, "inf"}, FormatCase{"NegativeInfinity", -INFINITY, 2, "-inf"},
                    FormatCase{"NaN", NAN, 1, "nan"}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(FixedFormatAgainstReference, ListEntriesAndOneLayerResults) {
  const std::array<const char*, 7> unitWeights = {"17", "17.5", "18", "18.5", "19", "19.5", "20"};
  std::vector<std::string> thicknesses = {"1.0", "1.5", "2.0", "2.5", "3.0", "3.5", "4.0", "4.5", "5.0",
                                          "5.5", "6.0", "6.5", "7.0", "7.5", "8.0", "8.5", "9.0"};
  for (int m = 10; m <= 30; ++m) thicknesses.push_back(std::to_string(m));
  std::vector<std::string> coefficients;
  for (int c = 15; c <= 35; ++c)
    coefficients.push_back(c % 10 == 0 ? "0." + std::to_string(c / 10) : "0." + std::to_string(c));

  int checked = 0;
  for (const char* gamma : unitWeights) {
    for (const auto& h : thicknesses) {
      for (const auto& xi : coefficients) {
        FrictionInput input;
        input.layerCountText = "1.0";
        input.layers[0] = {gamma, h};
        input.causeText = "降低地下水";
        input.coefficientText = xi;
        const FrictionOutcome outcome = ComputeNegativeFriction(input);
        ASSERT_TRUE(outcome.ok());
        const double stress = *outcome.result().stress;
        const double friction = outcome.result().friction;
        ASSERT_EQ(FormatFixed(stress, 2), HandRounded(stress, 2)) << gamma << " " << h << " " << xi;
        ASSERT_EQ(FormatFixed(friction, 1), HandRounded(friction, 1)) << gamma << " " << h << " " << xi;
        ++checked;
      }
    }
  }
  EXPECT_EQ(checked, 7 * 38 * 21);
}

TEST(FixedFormatAgainstReference, RandomValues) {
  std::mt19937_64 random(20261208);
  std::uniform_int_distribution<int> decimals(0, 4);
  std::uniform_int_distribution<int> magnitude(-8, 12);
  std::uniform_real_distribution<double> unit(-1.0, 1.0);
  for (int i = 0; i < 20000; ++i) {
    const double v = unit(random) * std::pow(10.0, magnitude(random));
    const int d = decimals(random);
    ASSERT_EQ(FormatFixed(v, d), HandRounded(v, d)) << std::hexfloat << v << " with " << d;
  }
}

TEST(FixedFormatAgainstReference, DecimalTiesAndValuesBesideThem) {
  // Short decimals ending in 5 sit on ties or a hair either side of one.
  std::mt19937_64 random(7);
  std::uniform_int_distribution<std::int64_t> digits(0, 99'999'999);
  std::uniform_int_distribution<int> places(1, 8);
  for (int i = 0; i < 4000; ++i) {
    const double tie = static_cast<double>(digits(random) * 10 + 5) / std::pow(10.0, places(random));
    for (const double v : {tie, std::nextafter(tie, 0.0), std::nextafter(tie, 1e300), -tie}) {
      for (int d = 0; d <= 3; ++d) ASSERT_EQ(FormatFixed(v, d), HandRounded(v, d)) << std::hexfloat << v;
    }
  }
}

TEST(FixedFormatAgainstReference, WholeExponentRange) {
  std::mt19937_64 random(99);
  std::uniform_int_distribution<std::uint64_t> bits;
  for (int i = 0; i < 300; ++i) {
    double v = 0.0;
    do {
      const std::uint64_t pattern = bits(random);
      static_assert(sizeof pattern == sizeof v);
      std::memcpy(&v, &pattern, sizeof v);
    } while (!std::isfinite(v));
    ASSERT_EQ(FormatFixed(v, 2), HandRounded(v, 2)) << std::hexfloat << v;
  }
}

// --- The sentence -----------------------------------------------------------

FrictionResult Result(double stress, double friction) {
  FrictionResult r;
  r.layerCount = 2;
  r.stress = stress;
  r.friction = friction;
  return r;
}

TEST(ResultSentence, TwoLayersUnderLoweredGroundwater) {
  EXPECT_EQ(ComposeResultText("降低地下水", "2.0", Result(65.10000000000001, 16.275000000000002)),
            "当降低地下水时， 桩周第2.0层土平均竖向有效应力σi'为：65.10 kn/m2   "
            "桩侧负摩阻力标准值qsi = ξn * σi'＝16.3 kn/m2");
}

TEST(ResultSentence, TwoLayersUnderASurfaceLoad) {
  EXPECT_EQ(ComposeResultText("地面有满布荷载", "2.0", Result(75.10000000000001, 18.775000000000002)),
            "当地面有满布荷载时， 桩周第2.0层土平均竖向有效应力σi'为：75.10 kn/m2   "
            "桩侧负摩阻力标准值qsi = ξn * σi'＝18.8 kn/m2");
}

TEST(ResultSentence, CarriesTheTextsVerbatim) {
  EXPECT_NE(ComposeResultText("降低地下水", "2", Result(1, 1)).find("桩周第2层土"), std::string::npos);
  EXPECT_NE(ComposeResultText("降低地下水", "2.0", Result(1, 1)).find("桩周第2.0层土"), std::string::npos);
  EXPECT_EQ(ComposeResultText("", "2.0", Result(1, 1)).rfind("当时， 桩周第", 0), 0U);
}

TEST(ResultSentence, UnsetStressShowsADash) {
  FrictionResult r;
  EXPECT_EQ(ComposeResultText("", "6", r),
            "当时， 桩周第6层土平均竖向有效应力σi'为：— kn/m2   桩侧负摩阻力标准值qsi = ξn * σi'＝0.0 kn/m2");
}

TEST(ResultSentence, HasNoLineBreak) {
  const std::string text = ComposeResultText("降低地下水", "2.0", Result(65.1, 16.3));
  EXPECT_EQ(text.find_first_of("\r\n"), std::string::npos);
}

}  // namespace
}  // namespace tavrelo
