#include "core/layered_stress.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace tavrelo {
namespace {

constexpr const char* kGroundwater = "降低地下水";
constexpr const char* kSurcharge = "地面有满布荷载";

FrictionInput Input(std::string count, std::vector<LayerInput> layers, std::string cause, std::string coefficient,
                    std::string load = "") {
  FrictionInput input;
  input.layerCountText = std::move(count);
  for (std::size_t i = 0; i < layers.size(); ++i) input.layers[i] = std::move(layers[i]);
  input.causeText = std::move(cause);
  input.coefficientText = std::move(coefficient);
  input.loadText = std::move(load);
  return input;
}

// --- Hand-worked values ----------------------------------------------------

struct WorkedCase {
  const char* name;
  FrictionInput input;
  std::vector<double> selfWeightStresses;  // σ'γ1 … σ'γn
  std::vector<double> stresses;            // σ'1 … σ'n
  double friction;                         // qsi of layer n
  double windowStress;                     // σi' = γ̄·z of the mean unit weight method
};

class WorkedValues : public testing::TestWithParam<WorkedCase> {};

TEST_P(WorkedValues, LayerByLayerBesideTheWindow) {
  const WorkedCase& c = GetParam();
  const LayeredOutcome outcome = ComputeLayeredStress(c.input);
  ASSERT_TRUE(outcome.ok());
  const LayeredStress& r = outcome.result();
  ASSERT_EQ(r.layerCount, static_cast<int>(c.selfWeightStresses.size()));
  for (int i = 0; i < r.layerCount; ++i) {
    const auto k = static_cast<std::size_t>(i);
    EXPECT_EQ(r.layers[k].selfWeightStress, c.selfWeightStresses[k]) << "layer " << i + 1;
    EXPECT_EQ(r.layers[k].stress, c.stresses[k]) << "layer " << i + 1;
  }
  EXPECT_EQ(r.friction, c.friction);
  EXPECT_NEAR(*ComputeNegativeFriction(c.input).result().stress, c.windowStress, 1e-12);
}

INSTANTIATE_TEST_SUITE_P(
    HandCalculations, WorkedValues,
    testing::Values(
        // σ'γ2 = 18×2.0 + 19×3.0/2; the window's γ̄·z is 0.60 higher: 2·3·(19 − 18)/(2·5).
        WorkedCase{"TwoLayersRisingWindowReadsHigh",
                   Input("2.0", {{"18", "2.0"}, {"19", "3.0"}}, kGroundwater, "0.25"),
                   {18.0, 64.5},
                   {18.0, 64.5},
                   16.125,
                   65.1},
        WorkedCase{"SurchargeAddedToEveryLayer",
                   Input("2.0", {{"18", "2.0"}, {"19", "3.0"}}, kSurcharge, "0.25", "10"),
                   {18.0, 64.5},
                   {28.0, 74.5},
                   18.625,
                   75.1},
        WorkedCase{"OneLayerEqualsTheWindow",
                   Input("1.0", {{"17.5", "3.0"}}, kGroundwater, "0.2"),
                   {26.25},
                   {26.25},
                   5.25,
                   26.25},
        WorkedCase{"EqualUnitWeightsEqualTheWindow",
                   Input("3", {{"18", "1"}, {"18", "2"}, {"18", "3"}}, kGroundwater, "0.3"),
                   {9.0, 36.0, 81.0},
                   {9.0, 36.0, 81.0},
                   24.3,
                   81.0},
        WorkedCase{"ThreeLayersRising",
                   Input("3.0", {{"18", "2.0"}, {"19", "3.0"}, {"20", "4.0"}}, kGroundwater, "0.25"),
                   {18.0, 64.5, 133.0},
                   {18.0, 64.5, 133.0},
                   33.25,
                   173.0 / 9.0 * 7.0},
        // 20×2.0 + 18×3.0/2 = 67.00 against γ̄·z = 18.8 × 3.5 = 65.80.
        WorkedCase{"FallingUnitWeightsWindowReadsLow",
                   Input("2.0", {{"20", "2.0"}, {"18", "3.0"}}, kGroundwater, "0.25"),
                   {20.0, 67.0},
                   {20.0, 67.0},
                   16.75,
                   65.8},
        // h2 = 2.299999952316284: σ'γ2 = 36 + 19 × 2.299999952316284 / 2.
        WorkedCase{"LayerTwoThicknessInSinglePrecision",
                   Input("2.0", {{"18", "2"}, {"19", "2.3"}}, kGroundwater, "0.25"),
                   {18.0, 57.8499995470047},
                   {18.0, 57.8499995470047},
                   14.462499886751175,
                   58.384883262777144},
        WorkedCase{"FullWidthDigits",
                   Input("２．０", {{"１８", "２．０"}, {"１９", "３．０"}}, kGroundwater, "０．２５"),
                   {18.0, 64.5},
                   {18.0, 64.5},
                   16.125,
                   65.1},
        WorkedCase{"RowsBelowTheCountHoldJunk",
                   Input("2.0", {{"18", "2.0"}, {"19", "3.0"}, {"", "x"}, {"1e400", "-"}, {"?", ""}}, kGroundwater,
                         "0.25", "not read"),
                   {18.0, 64.5},
                   {18.0, 64.5},
                   16.125,
                   65.1}),
    [](const auto& row) { return std::string(row.param.name); });

// The window divides by the thickness sum; the layered sum does not.
TEST(ZeroThickness, IsNoFailureWhereTheWindowFailsOnItsSum) {
  const FrictionInput input = Input("3", {{"18", "0"}, {"19", "0"}, {"20", "0.0"}}, kSurcharge, "0.25", "10");
  ASSERT_FALSE(ComputeNegativeFriction(input).ok());
  const LayeredOutcome outcome = ComputeLayeredStress(input);
  ASSERT_TRUE(outcome.ok());
  for (const LayerStress& layer : outcome.result().layers) EXPECT_EQ(layer.selfWeightStress, 0.0);
  EXPECT_EQ(outcome.result().layers[2].stress, 10.0);
  EXPECT_EQ(outcome.result().friction, 2.5);
}

TEST(DoesNotApply, WithoutACountOfOneToFiveOrAKnownCause) {
  const std::vector<LayerInput> junk = {{"x", "x"}, {"", ""}, {"1e400", "-"}};
  for (const char* count : {"3.5", "6", "0", "-1"}) {
    EXPECT_FALSE(ComputeLayeredStress(Input(count, junk, kSurcharge, "x", "x")).applies()) << count;
  }
  for (const char* cause : {"", "降低地下水 ", "other"}) {
    EXPECT_FALSE(ComputeLayeredStress(Input("2.0", junk, cause, "x", "x")).applies()) << cause;
  }
}

TEST(DoesNotApply, IsNotSaidOfACountThatCannotBeRead) {
  const LayeredOutcome outcome = ComputeLayeredStress(Input("", {}, "", ""));
  ASSERT_TRUE(outcome.applies());
  EXPECT_EQ(outcome.failure(), (FrictionFailure{{FieldKind::LayerCount, 0}, FailureReason::Empty}));
}

// --- Failures ----------------------------------------------------------------

struct FailureCase {
  const char* name;
  FrictionInput input;
  FrictionFailure expected;
};

class Failures : public testing::TestWithParam<FailureCase> {};

TEST_P(Failures, BlameTheFieldAsTheWindowDoes) {
  const LayeredOutcome outcome = ComputeLayeredStress(GetParam().input);
  ASSERT_TRUE(outcome.applies());
  ASSERT_FALSE(outcome.ok());
  EXPECT_EQ(outcome.failure().field.kind, GetParam().expected.field.kind);
  EXPECT_EQ(outcome.failure().field.layer, GetParam().expected.field.layer);
  EXPECT_EQ(outcome.failure().reason, GetParam().expected.reason);
}

FrictionFailure Blame(FieldKind kind, int layer, FailureReason reason) { return {{kind, layer}, reason}; }

INSTANTIATE_TEST_SUITE_P(
    EveryKind, Failures,
    testing::Values(
        FailureCase{"CountNotANumber", Input("two", {}, kGroundwater, "0.25"),
                    Blame(FieldKind::LayerCount, 0, FailureReason::NotANumber)},
        FailureCase{"UnitWeightEmpty", Input("2", {{"18", "2"}, {"", "3"}}, kGroundwater, "0.25"),
                    Blame(FieldKind::UnitWeight, 2, FailureReason::Empty)},
        FailureCase{"ThicknessNotANumber", Input("2", {{"18", "2"}, {"19", "abc"}}, kGroundwater, "0.25"),
                    Blame(FieldKind::Thickness, 2, FailureReason::NotANumber)},
        FailureCase{"UnitWeightBeyondDouble", Input("2", {{"1e400", "2"}, {"19", "3"}}, kGroundwater, "0.25"),
                    Blame(FieldKind::UnitWeight, 1, FailureReason::OutOfRange)},
        FailureCase{"LayerTwoThicknessBeyondFloat", Input("2", {{"18", "2"}, {"19", "1e39"}}, kGroundwater, "0.25"),
                    Blame(FieldKind::Thickness, 2, FailureReason::OutOfRange)},
        // The window reads h1 and p before γ1 of a single layer; here γ1 comes first.
        FailureCase{"OneLayerUnitWeightBeforeLoad", Input("1", {{"x", "2"}}, kSurcharge, "0.25", ""),
                    Blame(FieldKind::UnitWeight, 1, FailureReason::NotANumber)},
        FailureCase{"LoadEmptyUnderSurcharge", Input("2", {{"18", "2"}, {"19", "3"}}, kSurcharge, "0.25"),
                    Blame(FieldKind::Load, 0, FailureReason::Empty)},
        FailureCase{"CoefficientNotANumber", Input("2", {{"18", "2"}, {"19", "3"}}, kGroundwater, "?"),
                    Blame(FieldKind::Coefficient, 0, FailureReason::NotANumber)},
        FailureCase{"OverflowInLayerWeight", Input("2", {{"1e300", "1e10"}, {"19", "3"}}, kGroundwater, "0.25"),
                    Blame(FieldKind::UnitWeight, 1, FailureReason::Overflow)},
        // γ1·h1 = 3e308 overflows where the window's γ1·(h1/2) does not.
        FailureCase{"OneLayerWeightBeforeHalving", Input("1", {{"1e308", "3"}}, kGroundwater, "0.25"),
                    Blame(FieldKind::UnitWeight, 1, FailureReason::Overflow)},
        // σ'γ2 = 1e308 + 0.75e308 is finite, the sum above layer 3 is not.
        FailureCase{"OverflowInSumAboveLayerThree",
                    Input("3", {{"1e308", "1"}, {"1e308", "1.5"}, {"0", "1"}}, kGroundwater, "0.25"),
                    Blame(FieldKind::UnitWeight, 2, FailureReason::Overflow)},
        FailureCase{"OverflowInSelfWeightStress",
                    Input("2", {{"1.5e308", "1"}, {"1.5e308", "1"}}, kGroundwater, "0.25"),
                    Blame(FieldKind::UnitWeight, 2, FailureReason::Overflow)},
        // Only layer 1's σ'1 = p + σ'γ1 leaves the range; σ'3 is 1e308 + 1.
        FailureCase{"OverflowOfAnUpperLayerUnderLoad",
                    Input("3", {{"1.79e308", "1"}, {"-1.79e308", "1"}, {"2", "1"}}, kSurcharge, "0.25", "1e308"),
                    Blame(FieldKind::Load, 0, FailureReason::Overflow)},
        FailureCase{"OverflowInFriction", Input("2", {{"18", "2"}, {"19", "3"}}, kGroundwater, "1e308"),
                    Blame(FieldKind::Coefficient, 0, FailureReason::Overflow)}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(Overflow, TheSumBelowTheLastLayerIsNeverFormed) {
  const LayeredOutcome outcome =
      ComputeLayeredStress(Input("2", {{"1e308", "1"}, {"1e308", "1.5"}}, kGroundwater, "0.25"));
  ASSERT_TRUE(outcome.ok());
  EXPECT_EQ(outcome.result().layers[1].selfWeightStress, 1e308 + 1.5e308 / 2.0);
}

}  // namespace
}  // namespace tavrelo
