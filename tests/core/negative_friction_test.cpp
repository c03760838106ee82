#include "core/negative_friction.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "tests/core/test_texts.h"

namespace tavrelo {
namespace {

using namespace testing_support;

FrictionResult MustCompute(const FrictionInput& input) {
  const FrictionOutcome outcome = ComputeNegativeFriction(input);
  if (!outcome.ok()) {
    ADD_FAILURE() << "failed on field " << static_cast<int>(outcome.failure().field.kind) << " layer "
                  << outcome.failure().field.layer;
    return {};
  }
  return outcome.result();
}

FrictionFailure MustFail(const FrictionInput& input) {
  const FrictionOutcome outcome = ComputeNegativeFriction(input);
  if (outcome.ok()) {
    ADD_FAILURE() << "computed friction " << outcome.result().friction;
    return {};
  }
  return outcome.failure();
}

// --- Worked values, compared bit for bit ----------------------------------

struct WorkedCase {
  const char* name;
  FrictionInput input;
  double meanUnitWeight;
  double midDepth;
  double stress;
  double friction;
};

class WorkedValues : public testing::TestWithParam<WorkedCase> {};

TEST_P(WorkedValues, MatchBitForBit) {
  const WorkedCase& c = GetParam();
  const FrictionResult r = MustCompute(c.input);
  EXPECT_EQ(r.meanUnitWeight, c.meanUnitWeight);
  EXPECT_EQ(r.midDepth, c.midDepth);
  EXPECT_EQ(r.stress, c.stress);
  EXPECT_EQ(r.friction, c.friction);
}

INSTANTIATE_TEST_SUITE_P(
    HandCalculations, WorkedValues,
    testing::Values(
        WorkedCase{"OneLayer", Input("1.0", {{"17.5", "3.0"}}, kGroundwater, "0.2"), 17.5, 1.5, 26.25, 5.25},
        WorkedCase{"TwoLayersGroundwater", Input("2.0", {{"18", "2.0"}, {"19", "3.0"}}, kGroundwater, "0.25"), 18.6,
                   3.5, 65.10000000000001, 16.275000000000002},
        WorkedCase{"TwoLayersSurcharge", Input("2.0", {{"18", "2.0"}, {"19", "3.0"}}, kSurcharge, "0.25", "10"), 18.6,
                   3.5, 75.10000000000001, 18.775000000000002},
        // Layer 2's thickness in single precision: 2.3 becomes 2.299999952316284.
        WorkedCase{"SinglePrecisionSecondLayer", Input("2.0", {{"18", "2"}, {"19", "2.3"}}, kGroundwater, "0.25"),
                   18.534883715772448, 3.149999976158142, 58.384883262777144, 14.596220815694286}),
    RowName);

TEST(Profile, SumsFromLayerOneDownwardOverAllLayers) {
  // n = 3: γ̄ = ((17·1 + 18·2) + 19·4) / ((1 + 2) + 4), z = (1 + 2) + 4/2.
  const FrictionResult r = MustCompute(Input("3", {{"17", "1"}, {"18", "2"}, {"19", "4"}}, kGroundwater, "0.3"));
  EXPECT_EQ(r.layerCount, 3);
  EXPECT_EQ(r.meanUnitWeight, ((17.0 * 1.0 + 18.0 * 2.0) + 19.0 * 4.0) / ((1.0 + 2.0) + 4.0));
  EXPECT_EQ(r.midDepth, 5.0);
  EXPECT_EQ(r.stress, *r.meanUnitWeight * 5.0);
  EXPECT_EQ(r.friction, 0.3 * *r.stress);
}

TEST(Profile, OnlyLayerTwoIsSinglePrecision) {
  const FrictionResult r = MustCompute(Input("3", {{"18", "2.3"}, {"18", "2.3"}, {"18", "2.3"}}, kGroundwater, "1"));
  const double h2 = static_cast<double>(2.3F);
  EXPECT_EQ(r.midDepth, (2.3 + h2) + 2.3 / 2.0);
}

// --- Edge cases -------------------------------------------------------------

TEST(LayerCount, WrittenFormsOfTheSameCountComputeTheSame) {
  const auto layers = std::vector<LayerInput>{{"18", "2"}, {"19", "3"}, {"20", "1.5"}};
  const FrictionResult a = MustCompute(Input("3", layers, kGroundwater, "0.25"));
  const FrictionResult b = MustCompute(Input("3.0", layers, kGroundwater, "0.25"));
  const FrictionResult c = MustCompute(Input(" 3.00 ", layers, kGroundwater, "0.25"));
  EXPECT_EQ(a.layerCount, 3);
  EXPECT_EQ(a.stress, b.stress);
  EXPECT_EQ(a.stress, c.stress);
  EXPECT_EQ(a.friction, b.friction);
}

TEST(LayerCount, OtherThanOneToFiveReadsNoLayerAndGivesZero) {
  for (const char* count : {"3.5", "6", "0", "-1", "2.0000001"}) {
    // Layer and load texts are garbage: they must not be read.
    const FrictionResult r = MustCompute(Input(count, {{"x", "x"}, {"x", "x"}}, kSurcharge, "0.25", "x"));
    EXPECT_FALSE(r.layerCount) << count;
    EXPECT_FALSE(r.meanUnitWeight) << count;
    EXPECT_FALSE(r.midDepth) << count;
    EXPECT_FALSE(r.stress) << count;
    EXPECT_EQ(r.friction, 0.0) << count;
  }
}

TEST(LayerCount, OtherThanOneToFiveStillReadsTheCoefficient) {
  EXPECT_EQ(MustFail(Input("7", {}, kGroundwater, "abc")), (FrictionFailure{kCoefficient, FailureReason::NotANumber}));
}

TEST(UnusedFields, RowsBelowTheCountMayHoldAnything) {
  const FrictionResult r = MustCompute(Input(
      "2.0", {{"18", "2.0"}, {"19", "3.0"}, {"", "abc"}, {"?", ""}, {"1e999", "-"}}, kGroundwater, "0.25", "not read"));
  EXPECT_EQ(r.stress, 65.10000000000001);
}

TEST(OneLayer, ZeroThicknessGivesZeroStressNotAFailure) {
  const FrictionResult groundwater = MustCompute(Input("1", {{"18", "0"}}, kGroundwater, "0.25"));
  EXPECT_EQ(groundwater.midDepth, 0.0);
  EXPECT_EQ(groundwater.stress, 0.0);
  const FrictionResult surcharge = MustCompute(Input("1", {{"18", "0"}}, kSurcharge, "0.25", "10"));
  EXPECT_EQ(surcharge.stress, 10.0);
  EXPECT_EQ(surcharge.friction, 2.5);
}

TEST(OneLayer, UnitWeightIsNotReadWithoutACause) {
  const FrictionResult r = MustCompute(Input("1", {{"not a number", "3"}}, "", "0.25"));
  EXPECT_FALSE(r.meanUnitWeight);
  EXPECT_EQ(r.midDepth, 1.5);
  EXPECT_FALSE(r.stress);
}

TEST(Cause, IsMatchedExactly) {
  EXPECT_EQ(ClassifyCause("降低地下水"), CauseKind::GroundwaterLowering);
  EXPECT_EQ(ClassifyCause("地面有满布荷载"), CauseKind::SurfaceSurcharge);
  for (const char* other : {"", "降低地下水 ", " 降低地下水", "降低地下", "地面有满布荷载\u3000", "other"}) {
    EXPECT_EQ(ClassifyCause(other), CauseKind::Other) << other;
  }
}

TEST(Cause, OtherLeavesStressUnsetAndDoesNotReadTheLoad) {
  for (const char* cause : {"", "降低地下水 "}) {
    const FrictionResult r = MustCompute(Input("2", {{"18", "2"}, {"19", "3"}}, cause, "0.25", "abc"));
    EXPECT_EQ(r.meanUnitWeight, 18.6) << cause;
    EXPECT_EQ(r.midDepth, 3.5) << cause;
    EXPECT_FALSE(r.stress) << cause;
    EXPECT_EQ(r.friction, 0.0) << cause;
  }
}

TEST(Cause, GroundwaterDoesNotReadTheLoad) {
  EXPECT_TRUE(ComputeNegativeFriction(Input("1", {{"18", "2"}}, kGroundwater, "0.25", "abc")).ok());
}

TEST(Values, AreNotRangeChecked) {
  const FrictionResult r = MustCompute(Input("2", {{"-18", "2"}, {"19", "-1"}}, kSurcharge, "-0.5", "-10"));
  // γ̄ = (-36 - 19) / 1, z = 2 - 0.5, σ = γ̄·z - 10.
  EXPECT_EQ(r.meanUnitWeight, -55.0);
  EXPECT_EQ(r.midDepth, 1.5);
  EXPECT_EQ(r.stress, -92.5);
  EXPECT_EQ(r.friction, 46.25);
}

// --- Failures ---------------------------------------------------------------

// Lowered groundwater, ξn = 0.25: the refusals of the layers.
FrictionInput Lowered(std::string count, std::vector<LayerInput> layers) {
  return Input(std::move(count), std::move(layers), kGroundwater, "0.25");
}

using enum FailureReason;

TEST_P(Failures, NameTheFieldAndTheReason) {
  const FrictionFailure failure = MustFail(GetParam().input);
  EXPECT_EQ(failure.field.kind, GetParam().expected.field.kind);
  EXPECT_EQ(failure.field.layer, GetParam().expected.field.layer);
  EXPECT_EQ(failure.reason, GetParam().expected.reason);
}

INSTANTIATE_TEST_SUITE_P(
    EveryKind, Failures,
    testing::Values(
        Fails("AllEmpty", FrictionInput{}, kLayerCount, Empty),
        Fails("CountNotANumber", Lowered("two", {}), kLayerCount, NotANumber),
        Fails("CountBeyondRange", Lowered("1e400", {}), kLayerCount, OutOfRange),
        Fails("UnitWeightEmpty", Lowered("2", {{"18", "2"}, {"", "3"}}), UnitWeight(2), Empty),
        Fails("ThicknessNotANumber", Lowered("2", {{"18", "2"}, {"19", "abc"}}), Thickness(2), NotANumber),
        Fails("UpperLayerFailsFirst", Input("3", {{"18", "x"}, {"x", "3"}, {"x", "x"}}, kGroundwater, "x"),
              Thickness(1), NotANumber),
        Fails("UnitWeightBeforeThickness", Lowered("2", {{"18", "2"}, {"x", "x"}}), UnitWeight(2), NotANumber),
        Fails("LayerTwoThicknessBeyondFloat", Lowered("2", {{"18", "2"}, {"19", "1e39"}}), Thickness(2), OutOfRange),
        Fails("OneLayerUnitWeightReadForACause", Lowered("1", {{"x", "2"}}), UnitWeight(1), NotANumber),
        Fails("OneLayerLoadReadBeforeUnitWeight", Input("1", {{"x", "2"}}, kSurcharge, "0.25", ""), kLoad, Empty),
        Fails("LoadForSurcharge", Input("2", {{"18", "2"}, {"19", "3"}}, kSurcharge, "0.25", "ten"), kLoad, NotANumber),
        Fails("CoefficientEmpty", Input("2", {{"18", "2"}, {"19", "3"}}, kGroundwater, ""), kCoefficient, Empty),
        Fails("CoefficientReadWithoutACause", Input("2", {{"18", "2"}, {"19", "3"}}, "", "?"), kCoefficient,
              NotANumber),
        Fails("ZeroThicknessSum", Lowered("3", {{"18", "0"}, {"19", "0"}, {"20", "0"}}), Thickness(1),
              ZeroThicknessSum),
        Fails("ThicknessesCancelling", Input("2", {{"18", "2"}, {"19", "-2"}}, "", "0.25"), Thickness(1),
              ZeroThicknessSum),
        Fails("OverflowInWeight", Lowered("2", {{"1e300", "1e10"}, {"19", "3"}}), UnitWeight(1), Overflow),
        Fails("OverflowInWeightSum", Lowered("2", {{"1.5e308", "1"}, {"1.5e308", "1"}}), UnitWeight(2), Overflow),
        Fails("OverflowInThicknessSum", Lowered("3", {{"0", "1.5e308"}, {"0", "1"}, {"0", "1.5e308"}}), Thickness(3),
              Overflow),
        Fails("OverflowInMeanUnitWeight", Input("2", {{"1e305", "1"}, {"0", "-0.9999999"}}, "", "0.25"), Thickness(2),
              Overflow),
        Fails("OverflowInStress", Lowered("2", {{"1e298", "1.0000001e10"}, {"0", "-1e10"}}), UnitWeight(2), Overflow),
        Fails("OverflowInOneLayerStress", Lowered("1", {{"1e300", "1e10"}}), UnitWeight(1), Overflow),
        Fails("OverflowWithLoad", Input("1", {{"1e308", "3"}}, kSurcharge, "0.25", "1.7e308"), kLoad, Overflow),
        Fails("OverflowInFriction", Input("1", {{"1e200", "2"}}, kGroundwater, "1e200"), kCoefficient, Overflow)),
    RowName);

TEST(FieldText, GivesTheTextOfEachField) {
  const FrictionInput input =
      Input("2.0", {{"18", "2"}, {"19", "3"}, {"20", "4"}, {"21", "5"}, {"22", "6"}}, kSurcharge, "0.25", "10");
  EXPECT_EQ(FieldText(input, {FieldKind::LayerCount, 0}), "2.0");
  EXPECT_EQ(FieldText(input, {FieldKind::UnitWeight, 5}), "22");
  EXPECT_EQ(FieldText(input, {FieldKind::Thickness, 3}), "4");
  EXPECT_EQ(FieldText(input, {FieldKind::Coefficient, 0}), "0.25");
  EXPECT_EQ(FieldText(input, {FieldKind::Load, 0}), "10");
  EXPECT_EQ(FieldText(input, {FieldKind::Thickness, 6}), "");
}

}  // namespace
}  // namespace tavrelo
