#include "core/layered_stress.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "core/layered_report.h"
#include "tests/core/test_texts.h"

namespace tavrelo {
namespace {

using namespace testing_support;

// --- Hand-worked values, beside the window's γ̄·z ----------------------------

struct WorkedCase {
  const char* name;
  FrictionInput input;
  std::vector<double> stresses;  // σ'1 … σ'n
  double friction;               // qsi of layer n
  double windowStress;           // σi' of the mean unit weight method
};

WorkedCase Worked(const char* name, FrictionInput input, std::vector<double> stresses, double friction,
                  double windowStress) {
  return {name, std::move(input), std::move(stresses), friction, windowStress};
}

class WorkedValues : public testing::TestWithParam<WorkedCase> {};

TEST_P(WorkedValues, LayerByLayerBesideTheWindow) {
  const WorkedCase& c = GetParam();
  const LayeredOutcome outcome = ComputeLayeredStress(c.input);
  ASSERT_TRUE(outcome.ok());
  const LayeredStress& r = outcome.result();
  std::vector<double> stresses;
  for (int i = 0; i < r.layerCount; ++i) stresses.push_back(r.layers[static_cast<std::size_t>(i)].stress);
  EXPECT_EQ(stresses, c.stresses);
  EXPECT_EQ(r.friction, c.friction);
  EXPECT_NEAR(*ComputeNegativeFriction(c.input).result().stress, c.windowStress, 1e-12);
}

INSTANTIATE_TEST_SUITE_P(
    HandCalculations, WorkedValues,
    testing::Values(
        // 18×2.0 + 19×3.0/2; the window is 2·3·(19 − 18)/(2·5) = 0.60 higher.
        Worked("TwoLayersRisingWindowReadsHigh", Input("2.0", {{"18", "2.0"}, {"19", "3.0"}}, kGroundwater, "0.25"),
               {18.0, 64.5}, 16.125, 65.1),
        Worked("SurchargeAddedToEveryLayer", Input("2.0", {{"18", "2.0"}, {"19", "3.0"}}, kSurcharge, "0.25", "10"),
               {28.0, 74.5}, 18.625, 75.1),
        Worked("OneLayerEqualsTheWindow", Input("1.0", {{"17.5", "3.0"}}, kGroundwater, "0.2"), {26.25}, 5.25, 26.25),
        // The window: γ̄ = 173/9, z = 7.
        Worked("ThreeLayersRising", Input("3.0", {{"18", "2.0"}, {"19", "3.0"}, {"20", "4.0"}}, kGroundwater, "0.25"),
               {18.0, 64.5, 133.0}, 33.25, 134.55555555555557),
        // 20×2.0 + 18×3.0/2 = 67.00 against 18.8 × 3.5 = 65.80.
        Worked("FallingUnitWeightsWindowReadsLow", Input("2.0", {{"20", "2.0"}, {"18", "3.0"}}, kGroundwater, "0.25"),
               {20.0, 67.0}, 16.75, 65.8),
        // 36 + 19 × 2.299999952316284 / 2.
        Worked("LayerTwoThicknessInSinglePrecision", Input("2", {{"18", "2"}, {"19", "2.3"}}, kGroundwater, "0.25"),
               {18.0, 57.8499995470047}, 14.462499886751175, 58.384883262777144),
        Worked("FullWidthDigits", Input("２．０", {{"１８", "２．０"}, {"１９", "３．０"}}, kGroundwater, "０．２５"),
               {18.0, 64.5}, 16.125, 65.1),
        Worked("RowsBelowTheCountHoldJunk",
               Input("2.0", {{"18", "2.0"}, {"19", "3.0"}, {"", "x"}, {"1e400", "-"}}, kGroundwater, "0.25", "x"),
               {18.0, 64.5}, 16.125, 65.1)),
    RowName);

// The window divides by the thickness sum; the layered sum does not.
TEST(ZeroThickness, IsNoFailureWhereTheWindowFailsOnItsSum) {
  const FrictionInput input = Input("3", {{"18", "0"}, {"19", "0"}, {"20", "0.0"}}, kSurcharge, "0.25", "10");
  ASSERT_FALSE(ComputeNegativeFriction(input).ok());
  const LayeredOutcome outcome = ComputeLayeredStress(input);
  ASSERT_TRUE(outcome.ok());
  EXPECT_EQ(outcome.result().layers[2].selfWeightStress, 0.0);
  EXPECT_EQ(outcome.result().friction, 2.5);
}

TEST(DoesNotApply, WithoutACountOfOneToFiveOrAKnownCauseNothingElseIsRead) {
  for (const auto& [count, cause] : std::vector<std::pair<const char*, const char*>>{
           {"3.5", kSurcharge}, {"6", kGroundwater}, {"0", kGroundwater}, {"2", ""}, {"2", "降低地下水 "}}) {
    EXPECT_FALSE(ComputeLayeredStress(Input(count, {{"x", ""}, {"1e400", "-"}}, cause, "x", "x")).applies())
        << count << " " << cause;
  }
  // A count that cannot be read is a failure, whatever the cause.
  EXPECT_EQ(ComputeLayeredStress(Input("", {}, "", "")).failure(),
            (FrictionFailure{kLayerCount, FailureReason::Empty}));
}

// --- Failures, blamed as the window blames them -------------------------------

TEST_P(Failures, BlameTheField) {
  const LayeredOutcome outcome = ComputeLayeredStress(GetParam().input);
  ASSERT_TRUE(outcome.applies() && !outcome.ok());
  EXPECT_EQ(outcome.failure(), GetParam().expected);
}

const std::vector<LayerInput> kTwoLayers = {{"18", "2"}, {"19", "3"}};

INSTANTIATE_TEST_SUITE_P(
    EveryKind, Failures,
    testing::Values(
        Fails("CountNotANumber", Input("two", {}, kGroundwater, "0.25"), kLayerCount, FailureReason::NotANumber),
        Fails("UnitWeightEmpty", Input("2", {{"18", "2"}, {"", "3"}}, kGroundwater, "0.25"), UnitWeight(2),
              FailureReason::Empty),
        Fails("UnitWeightBeyondDouble", Input("2", {{"1e400", "2"}, {"19", "3"}}, kGroundwater, "0.25"), UnitWeight(1),
              FailureReason::OutOfRange),
        Fails("LayerTwoThicknessBeyondFloat", Input("2", {{"18", "2"}, {"19", "1e39"}}, kGroundwater, "0.25"),
              Thickness(2), FailureReason::OutOfRange),
        // The window reads h1 and p before γ1 of a single layer; here γ1 comes first.
        Fails("OneLayerUnitWeightBeforeLoad", Input("1", {{"x", "2"}}, kSurcharge, "0.25", ""), UnitWeight(1),
              FailureReason::NotANumber),
        Fails("LoadBeforeCoefficient", Input("2", kTwoLayers, kSurcharge, "x", ""), kLoad, FailureReason::Empty),
        // γ1·h1 = 3e308 overflows where the window's γ1·(h1/2) does not.
        Fails("OneLayerWeightBeforeHalving", Input("1", {{"1e308", "3"}}, kGroundwater, "0.25"), UnitWeight(1),
              FailureReason::Overflow),
        // σ'γ2 = 1e308 + 0.75e308 is finite, the sum above layer 3 is not.
        Fails("OverflowInSumAboveLayerThree",
              Input("3", {{"1e308", "1"}, {"1e308", "1.5"}, {"0", "1"}}, kGroundwater, "0.25"), UnitWeight(2),
              FailureReason::Overflow),
        // Only layer 1's p + σ'γ1 leaves the range; σ'3 is 1e308 + 1.
        Fails("OverflowOfAnUpperLayerUnderLoad",
              Input("3", {{"1.79e308", "1"}, {"-1.79e308", "1"}, {"2", "1"}}, kSurcharge, "0.25", "1e308"), kLoad,
              FailureReason::Overflow),
        Fails("OverflowInFriction", Input("2", kTwoLayers, kGroundwater, "1e308"), kCoefficient,
              FailureReason::Overflow)),
    RowName);

// With n = 2 the sum through layer 2, which would overflow, is never needed.
TEST(Overflow, NotInTheSumBelowTheLastLayer) {
  const LayeredOutcome outcome =
      ComputeLayeredStress(Input("2", {{"1e308", "1"}, {"1e308", "1.5"}}, kGroundwater, "0.25"));
  ASSERT_TRUE(outcome.ok());
  EXPECT_EQ(outcome.result().layers[1].selfWeightStress, 1.75e308);
}

// --- The report of 复制分层计算（JGJ 94-2008） ----------------------------------

std::vector<std::string> ReportLines(const FrictionInput& input) {
  return testing_support::LinesOf(
      ComposeLayeredReport(input, ComputeLayeredStress(input).result(), ComputeNegativeFriction(input).result()));
}

TEST(Report, TypicalUseShowsEachLayerAndTheWindowsValueApart) {
  EXPECT_EQ(ReportLines(Input("2.0", {{"18", "2.0"}, {"19", "3.0"}}, kGroundwater, "0.25")),
            (std::vector<std::string>{"分层总和法计算（JGJ 94-2008 第5.4.4条 式(5.4.4-4)）",
                                      "降低地下水  σ'i = σ'γi = Σγe·Δze + γi·Δzi/2",
                                      "第1层  γ1 = 18 kN/m³  h1 = 2.0 m  σ'γ1 = 18×2.0/2 = 18.00 kN/m²",
                                      "第2层  γ2 = 19 kN/m³  h2 = 3.0 m  σ'γ2 = 18×2.0 + 19×3.0/2 = 64.50 kN/m²",
                                      "第2层负摩阻力标准值  qsi = ξn·σ'n = 0.25 × 64.50 = 16.1 kN/m²",
                                      "注：qsi仅为第2层之值；以上各层各有其负摩阻力系数ξni，其qsi须另行计算",
                                      "本程序窗口结果（平均重度法）σi' = 65.10 kN/m²  qsi = 16.3 kN/m²"}));
}

TEST(Report, SurchargeAddsPToEachLayer) {
  EXPECT_EQ(
      ReportLines(Input("2.0", {{"18", "2.0"}, {"19", "3.0"}}, kSurcharge, "0.25", "10")),
      (std::vector<std::string>{
          "分层总和法计算（JGJ 94-2008 第5.4.4条 式(5.4.4-4)）",
          "地面有满布荷载  σ'γi = Σγe·Δze + γi·Δzi/2  σ'i = p + σ'γi", "地面满布荷载  p = 10 kN/m²",
          "第1层  γ1 = 18 kN/m³  h1 = 2.0 m  σ'γ1 = 18×2.0/2 = 18.00 kN/m²  σ'1 = 10 + 18.00 = 28.00 kN/m²",
          "第2层  γ2 = 19 kN/m³  h2 = 3.0 m  σ'γ2 = 18×2.0 + 19×3.0/2 = 64.50 kN/m²  σ'2 = 10 + 64.50 = 74.50 kN/m²",
          "第2层负摩阻力标准值  qsi = ξn·σ'n = 0.25 × 74.50 = 18.6 kN/m²",
          "注：qsi仅为第2层之值；以上各层各有其负摩阻力系数ξni，其qsi须另行计算",
          "本程序窗口结果（平均重度法）σi' = 75.10 kN/m²  qsi = 18.8 kN/m²"}));
}

}  // namespace
}  // namespace tavrelo
