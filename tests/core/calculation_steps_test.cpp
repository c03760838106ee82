#include "core/calculation_steps.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/result_text.h"
#include "tests/core/test_texts.h"

namespace tavrelo {
namespace {

using namespace testing_support;

std::string StepsOf(const FrictionInput& input) {
  const FrictionOutcome outcome = ComputeNegativeFriction(input);
  EXPECT_TRUE(outcome.ok());
  return outcome.ok() ? ComposeCalculationSteps(input, outcome.result(), ComputeLayeredStress(input)) : std::string();
}

struct StepsCase {
  const char* name;
  FrictionInput input;
  std::vector<std::string> lines;
};

class Steps : public testing::TestWithParam<StepsCase> {};

TEST_P(Steps, ShowEachFormulaWithItsNumbers) { EXPECT_EQ(LinesOf(StepsOf(GetParam().input)), GetParam().lines); }

INSTANTIATE_TEST_SUITE_P(
    WorkedCases, Steps,
    testing::Values(
        StepsCase{"TwoLayersGroundwater",
                  Input("2.0", {{"18", "2.0"}, {"19", "3.0"}}, kGroundwater, "0.25"),
                  {"桩侧负摩阻力计算（降低地下水）", "持力层以上土层数 n = 2.0", "第1层  γ1 = 18 kN/m³  h1 = 2.0 m",
                   "第2层  γ2 = 19 kN/m³  h2 = 3.0 m",
                   "平均重度  γ̄ = Σγi·hi / Σhi = (18×2.0 + 19×3.0) / (2.0 + 3.0) = 18.60 kN/m³",
                   "第2层中点深度  z = h1 + h2/2 = 2.0 + 3.0/2 = 3.50 m",
                   "平均竖向有效应力  σi' = γ̄·z = 18.60 × 3.50 = 65.10 kN/m²",
                   "负摩阻力标准值  qsi = ξn·σi' = 0.25 × 65.10 = 16.3 kN/m²",
                   "分层总和法（JGJ 94-2008 式5.4.4-4）  第2层 σi' = 64.50 kN/m²  qsi = 16.1 kN/m²"}},
        StepsCase{"TwoLayersSurcharge",
                  Input("2.0", {{"18", "2.0"}, {"19", "3.0"}}, kSurcharge, "0.25", "10"),
                  {"桩侧负摩阻力计算（地面有满布荷载）", "持力层以上土层数 n = 2.0", "第1层  γ1 = 18 kN/m³  h1 = 2.0 m",
                   "第2层  γ2 = 19 kN/m³  h2 = 3.0 m",
                   "平均重度  γ̄ = Σγi·hi / Σhi = (18×2.0 + 19×3.0) / (2.0 + 3.0) = 18.60 kN/m³",
                   "第2层中点深度  z = h1 + h2/2 = 2.0 + 3.0/2 = 3.50 m", "地面满布荷载  p = 10 kN/m²",
                   "平均竖向有效应力  σi' = γ̄·z + p = 18.60 × 3.50 + 10 = 75.10 kN/m²",
                   "负摩阻力标准值  qsi = ξn·σi' = 0.25 × 75.10 = 18.8 kN/m²",
                   "分层总和法（JGJ 94-2008 式5.4.4-4）  第2层 σi' = 74.50 kN/m²  qsi = 18.6 kN/m²"}},
        StepsCase{"OneLayerHasNoDivision",
                  Input("1.0", {{"17.5", "3.0"}}, kGroundwater, "0.2"),
                  {"桩侧负摩阻力计算（降低地下水）", "持力层以上土层数 n = 1.0", "第1层  γ1 = 17.5 kN/m³  h1 = 3.0 m",
                   "平均重度  γ̄ = γ1 = 17.50 kN/m³", "第1层中点深度  z = h1/2 = 3.0/2 = 1.50 m",
                   "平均竖向有效应力  σi' = γ̄·z = 17.50 × 1.50 = 26.25 kN/m²",
                   "负摩阻力标准值  qsi = ξn·σi' = 0.2 × 26.25 = 5.3 kN/m²",
                   "分层总和法（JGJ 94-2008 式5.4.4-4）  第1层 σi' = 26.25 kN/m²  qsi = 5.3 kN/m²"}},
        // Layer 2's thickness is single precision: 2.3 counts as 2.2999999523.
        StepsCase{"SinglePrecisionLayerTwo",
                  Input("2", {{"18", "2"}, {"19", "2.3"}}, kGroundwater, "0.25"),
                  {"桩侧负摩阻力计算（降低地下水）", "持力层以上土层数 n = 2", "第1层  γ1 = 18 kN/m³  h1 = 2 m",
                   "第2层  γ2 = 19 kN/m³  h2 = 2.3 m",
                   "平均重度  γ̄ = Σγi·hi / Σhi = (18×2 + 19×2.3) / (2 + 2.3) = 18.53 kN/m³",
                   "第2层中点深度  z = h1 + h2/2 = 2 + 2.3/2 = 3.15 m",
                   "平均竖向有效应力  σi' = γ̄·z = 18.53 × 3.15 = 58.38 kN/m²",
                   "负摩阻力标准值  qsi = ξn·σi' = 0.25 × 58.38 = 14.6 kN/m²",
                   "分层总和法（JGJ 94-2008 式5.4.4-4）  第2层 σi' = 57.85 kN/m²  qsi = 14.5 kN/m²"}},
        StepsCase{"FiveLayersTextsAsEnteredWithoutBlanks",
                  Input(" 5.0", {{"17", "1.0"}, {"17.5", "1.5"}, {"18 ", "2.0"}, {"19", "2.5"}, {"20", "3.0"}},
                        kGroundwater, "0.3"),
                  {"桩侧负摩阻力计算（降低地下水）", "持力层以上土层数 n = 5.0", "第1层  γ1 = 17 kN/m³  h1 = 1.0 m",
                   "第2层  γ2 = 17.5 kN/m³  h2 = 1.5 m", "第3层  γ3 = 18 kN/m³  h3 = 2.0 m",
                   "第4层  γ4 = 19 kN/m³  h4 = 2.5 m", "第5层  γ5 = 20 kN/m³  h5 = 3.0 m",
                   "平均重度  γ̄ = Σγi·hi / Σhi = (17×1.0 + 17.5×1.5 + 18×2.0 + 19×2.5 + 20×3.0) / "
                   "(1.0 + 1.5 + 2.0 + 2.5 + 3.0) = 18.68 kN/m³",
                   "第5层中点深度  z = h1 + h2 + h3 + h4 + h5/2 = 1.0 + 1.5 + 2.0 + 2.5 + 3.0/2 = 8.50 m",
                   "平均竖向有效应力  σi' = γ̄·z = 18.68 × 8.50 = 158.74 kN/m²",
                   "负摩阻力标准值  qsi = ξn·σi' = 0.3 × 158.74 = 47.6 kN/m²",
                   "分层总和法（JGJ 94-2008 式5.4.4-4）  第5层 σi' = 156.75 kN/m²  qsi = 47.0 kN/m²"}},
        // A negative load: bracketed where it is added, the values signed.
        StepsCase{
            "NegativeLoadInBrackets",
            Input("1.0", {{"18", "2.0"}}, kSurcharge, "0.2", "-50"),
            {"桩侧负摩阻力计算（地面有满布荷载）", "持力层以上土层数 n = 1.0", "第1层  γ1 = 18 kN/m³  h1 = 2.0 m",
             "平均重度  γ̄ = γ1 = 18.00 kN/m³", "第1层中点深度  z = h1/2 = 2.0/2 = 1.00 m",
             "地面满布荷载  p = -50 kN/m²", "平均竖向有效应力  σi' = γ̄·z + p = 18.00 × 1.00 + (-50) = -32.00 kN/m²",
             "负摩阻力标准值  qsi = ξn·σi' = 0.2 × (-32.00) = -6.4 kN/m²",
             "分层总和法（JGJ 94-2008 式5.4.4-4）  第1层 σi' = -32.00 kN/m²  qsi = -6.4 kN/m²"}}),
    RowName);

// The last two values are the sentence's own, whatever the inputs.
TEST(StepsAgreeWithTheSentence, StressAndFrictionAsTheSentenceShowsThem) {
  for (const char* load : {"0", "10", "12.345", "-3"}) {
    for (const char* coefficient : {"0.15", "0.3", "0.35"}) {
      const FrictionInput input =
          Input("3.0", {{"17", "1.5"}, {"18.5", "2.3"}, {"19.5", "4.0"}}, kSurcharge, coefficient, load);
      const FrictionResult result = ComputeNegativeFriction(input).result();
      const std::string steps = ComposeCalculationSteps(input, result, ComputeLayeredStress(input));
      const std::string sentence = ComposeResultText(input.causeText, input.layerCountText, result);
      const std::string stress = FormatFixed(*result.stress, 2);
      const std::string friction = FormatFixed(result.friction, 1);
      EXPECT_NE(sentence.find("：" + stress + " kn/m2"), std::string::npos) << sentence;
      EXPECT_NE(sentence.find("＝" + friction + " kn/m2"), std::string::npos) << sentence;
      EXPECT_THAT(steps, testing::HasSubstr("= " + stress + " kN/m²\n负摩阻力标准值"));
      const std::string factor = stress.starts_with("-") ? "(" + stress + ")" : stress;
      EXPECT_THAT(steps, testing::HasSubstr(" × " + factor + " = " + friction +
                                            " kN/m²\n分层总和法（JGJ 94-2008 式5.4.4-4）  第3层 σi' = "));
    }
  }
}

// Where the window computed, the layered sum can still overflow: γ1·h1
// before it is halved, or p + σ'γ1 of an upper layer.
TEST(StepsWithTheLayeredSum, SayWhenItOverflowsWhereTheWindowDidNot) {
  for (const FrictionInput& input :
       {Input("1.0", {{"1e308", "3"}}, kGroundwater, "0.25"),
        Input("3", {{"1.79e308", "1"}, {"-1.79e308", "1"}, {"2", "1"}}, kSurcharge, "0.25", "1e308")}) {
    EXPECT_EQ(LinesOf(StepsOf(input)).back(), "分层总和法（JGJ 94-2008 式5.4.4-4）  数值溢出，未能算出");
  }
}

// The press never asks for steps without a layer count or a known cause,
// but the function stays total: it gives what the result holds.
TEST(StepsOfAnUnfinishedComputation, KeepTheFrictionLine) {
  const FrictionInput input = Input("6", {}, "", "0.25");
  const std::string steps =
      ComposeCalculationSteps(input, ComputeNegativeFriction(input).result(), ComputeLayeredStress(input));
  EXPECT_EQ(LinesOf(steps), (std::vector<std::string>{"桩侧负摩阻力计算（）", "持力层以上土层数 n = 6",
                                                      "负摩阻力标准值  qsi = ξn·σi' = 0.25 × 0 = 0.0 kN/m²"}));
}

}  // namespace
}  // namespace tavrelo
