#include "core/downdrag_load.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <optional>
#include <random>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "core/downdrag_report.h"
#include "core/result_text.h"
#include "tests/core/test_texts.h"
#include "tests/oracle/downdrag_reference.h"
#include "tests/support/typical_input.h"

namespace tavrelo {
namespace {

using namespace testing_support;

// The typical use: 18/19 kN/m³ over 2.0/3.0 m under lowered groundwater,
// ξn1 = 0.30, ξn2 = 0.25, ln/l0 = 0.9, a single round pile of d = 0.6 m with
// its top at the ground surface.
DowndragInput Typical() {
  DowndragInput input;
  input.friction = TypicalInput();
  input.coefficientTexts = {"0.30", "0.25", "", "", ""};
  input.neutralRatioText = "0.9";
  input.sizeText = "0.6";
  return input;
}

constexpr DowndragField Own(DowndragFieldKind kind, int layer = 0) { return {kind, layer}; }
constexpr DowndragField kCause = Own(DowndragFieldKind::Cause);
constexpr DowndragField kRatio = Own(DowndragFieldKind::NeutralRatio);
constexpr DowndragField kSize = Own(DowndragFieldKind::Size);
constexpr DowndragField kSpacingX = Own(DowndragFieldKind::SpacingX);
constexpr DowndragField kSpacingY = Own(DowndragFieldKind::SpacingY);
constexpr DowndragField kPileTop = Own(DowndragFieldKind::PileTopDepth);
constexpr DowndragField Xi(int layer) { return Own(DowndragFieldKind::Coefficient, layer); }
constexpr DowndragField SideResistance(int layer) { return Own(DowndragFieldKind::SideResistance, layer); }

// --- The worked values and the refusals, as changes to the typical use --------

using enum DowndragReason;

// What a hand calculation shows: ln and σ'i with two decimals, Qgn with one,
// ηn with three ("" for a single pile).
struct Shown {
  std::string neutralDepth;
  std::string load;
  std::string groupFactor;
  std::vector<std::string> stresses;  // σ'i of the layers that enter, from the top
};

using Change = std::function<void(DowndragInput&)>;

struct Row {
  const char* name;
  Change change;
  std::variant<Shown, DowndragFailure> expected;
};

class TypicalUse : public testing::TestWithParam<Row> {};

TEST_P(TypicalUse, ChangedGives) {
  DowndragInput input = Typical();
  GetParam().change(input);
  const DowndragOutcome outcome = ComputeDowndragLoad(input);
  if (const auto* failure = std::get_if<DowndragFailure>(&GetParam().expected)) {
    ASSERT_FALSE(outcome.ok()) << ComposeDowndragSentence(outcome.result());
    EXPECT_EQ(outcome.failure(), *failure) << static_cast<int>(outcome.failure().reason);
    return;
  }
  const Shown& shown = std::get<Shown>(GetParam().expected);
  ASSERT_TRUE(outcome.ok()) << static_cast<int>(outcome.failure().reason);
  const DowndragResult& r = outcome.result();
  EXPECT_EQ(FormatFixed(r.neutralDepth, 2), shown.neutralDepth);
  EXPECT_EQ(FormatFixed(r.load, 1), shown.load);
  EXPECT_EQ(r.group ? FormatFixed(r.groupFactor, 3) : "", shown.groupFactor);
  std::vector<std::string> stresses;
  for (int i = 0; i < r.layerCount; ++i) {
    const DowndragLayer& layer = r.layers[static_cast<std::size_t>(i)];
    if (layer.enters) stresses.push_back(FormatFixed(layer.stress, 2));
  }
  EXPECT_EQ(stresses, shown.stresses);
}

Row Worked(const char* name, Change change, Shown shown) { return {name, change, std::move(shown)}; }
Row Refused(const char* name, Change change, DowndragBlame field, DowndragReason reason) {
  return {name, change, DowndragFailure{field, reason}};
}

void Group(DowndragInput& in, const char* spacing) { in.spacingXText = in.spacingYText = spacing; }
// Sets sax and say.
Change Spacings(const char* x, const char* y) {
  return [x, y](DowndragInput& in) {
    in.spacingXText = x;
    in.spacingYText = y;
  };
}
Change InAGroup(const char* spacing) { return Spacings(spacing, spacing); }

// The text of `field` in the input, to change it.
std::string& TextOf(DowndragInput& in, const DowndragBlame& field) {
  if (const auto* own = std::get_if<DowndragField>(&field)) {
    const auto layer = static_cast<std::size_t>(std::max(own->layer, 1) - 1);
    switch (own->kind) {
      case DowndragFieldKind::Cause: return in.friction.causeText;
      case DowndragFieldKind::Coefficient: return in.coefficientTexts.at(layer);
      case DowndragFieldKind::SideResistance: return in.sideResistanceTexts.at(layer);
      case DowndragFieldKind::NeutralRatio: return in.neutralRatioText;
      case DowndragFieldKind::Size: return in.sizeText;
      case DowndragFieldKind::SpacingX: return in.spacingXText;
      case DowndragFieldKind::SpacingY: return in.spacingYText;
      case DowndragFieldKind::PileTopDepth: return in.pileTopDepthText;
    }
    std::abort();
  }
  const FrictionField& main = std::get<FrictionField>(field);
  const auto layer = static_cast<std::size_t>(std::max(main.layer, 1) - 1);
  switch (main.kind) {
    case FieldKind::LayerCount: return in.friction.layerCountText;
    case FieldKind::UnitWeight: return in.friction.layers.at(layer).unitWeightText;
    case FieldKind::Thickness: return in.friction.layers.at(layer).thicknessText;
    case FieldKind::Load: return in.friction.loadText;
    case FieldKind::Coefficient: return in.friction.coefficientText;
  }
  std::abort();
}

// Changes fields' texts, in order.
using Texts = std::vector<std::pair<DowndragBlame, std::string>>;
Change Set(Texts texts) {
  return [texts = std::move(texts)](DowndragInput& in) {
    for (const auto& [field, text] : texts) TextOf(in, field) = text;
  };
}
Change Set(DowndragBlame field, std::string text) { return Set(Texts{{field, std::move(text)}}); }

// The refusal of one field's text, naming that field.
Row RefusedText(const char* name, DowndragBlame field, std::string text, DowndragReason reason) {
  return Refused(name, Set(field, std::move(text)), field, reason);
}

// A group of bored piles under a cap: fill, then soft clay above and below
// the water table (buoyant γ' = 9 kN/m³), on medium dense sand.
//   d = 0.8 m, sax = say = 1.6 m, t = 1.0 m, ln/l0 = 0.8
//   l0 = 1.5 + 2.0 + 6.0 − 1.0 = 8.50 m, ln = 6.80 m, neutral point 7.80 m down
//   layer 1 [0, 1.5]:   l1 = 0.50 m, σ'1 = 18×(1.0 + 0.50/2) = 22.50, qs1 = 0.35 × 22.50 = 7.875
//   layer 2 [1.5, 3.5]: l2 = 2.00 m, σ'2 = 27 + 17.5×1.00 = 44.50,   qs2 = 0.25 × 44.50 = 11.125
//   layer 3 [3.5, 9.5]: l3 = 4.30 m, σ'3 = 62 + 9×2.15 = 81.35,      qs3 = 0.20 × 81.35 = 16.27
//   Σqsi·li = 3.9375 + 22.25 + 69.961 = 96.1485 kN/m, u = π×0.8 = 2.513274 m
//   single: Qgn = 2.513274 × 96.1485 = 241.65 kN
//   qs = 96.1485/6.8 = 14.139, γm = (9 + 35 + 38.7)/6.8 = 12.162, qs/γm = 1.162618
//   ηn = 1.6×1.6/[π×0.8×(1.162618 + 0.8/4)] = 2.56/3.424631 = 0.7475
//   Qgn = 0.7475 × 241.6475 = 180.6 kN
void BuoyantGroup(DowndragInput& in) {
  in.friction = Input("3", {{"18", "1.5"}, {"17.5", "2.0"}, {"9", "6.0"}}, kGroundwater, "");
  in.coefficientTexts = {"0.35", "0.25", "0.20", "", ""};
  in.neutralRatioText = "0.8";
  in.sizeText = "0.8";
  in.pileTopDepthText = "1.0";
  Group(in, "1.6");
}

// Five layers under a fill of p = 20 kN/m², the lower three below the water
// table (buoyant), the soft ones capped by their qsik; a square pile of
// b = 0.5 m from the ground surface, ln/l0 = 0.9.
//   l0 = 1 + 2 + 4 + 3 + 2 = 12.00 m, ln = 10.80 m
//   layer 1: l = 1.0, σ' = 20 + 18×0.5 = 29.00,                 qs = 0.35 × 29.00 = 10.15
//   layer 2: l = 2.0, σ' = 20 + 18 + 17×1.0 = 55.00,            qs = 0.30 × 55.00 = 16.50
//   layer 3: l = 4.0, σ' = 20 + 52 + 8×2.0 = 88.00,             qs = 0.20 × 88.00 = 17.60 > 15: 15
//   layer 4: l = 3.0, σ' = 20 + 84 + 8.5×1.5 = 116.75,          qs = 0.20 × 116.75 = 23.35 > 20: 20
//   layer 5: l = 10.8 − 10 = 0.8, σ' = 20 + 109.5 + 9.5×0.4 = 133.30, qs = 0.30 × 133.30 = 39.99
//   Σqsi·li = 10.15 + 33 + 60 + 60 + 31.992 = 195.142 kN/m, u = 4×0.5 = 2.0 m
//   Qgn = 2.0 × 195.142 = 390.3 kN
void FiveLayersUnderFill(DowndragInput& in) {
  in.friction =
      Input("5.0", {{"18", "1.0"}, {"17", "2.0"}, {"8", "4.0"}, {"8.5", "3.0"}, {"9.5", "2.0"}}, kSurcharge, "", "20");
  in.coefficientTexts = {"0.35", "0.30", "0.20", "0.20", "0.30"};
  in.sideResistanceTexts = {"", "", "15", "20", ""};
  in.shape = PileShape::Square;
  in.sizeText = "0.5";
}

INSTANTIATE_TEST_SUITE_P(
    HandCalculations, TypicalUse,
    testing::Values(
        Worked("AsItIs", [](DowndragInput&) {}, {"4.50", "90.7", "", {"18.00", "59.75"}}),
        Worked("SideResistanceCapsLayerTwo", Set(SideResistance(2), "12"), {"4.50", "76.9", "", {"18.00", "59.75"}}),
        Worked("SideResistanceAboveTheFrictionCapsNothing",
               [](DowndragInput& in) {
                 in.sideResistanceTexts = {"40", "40"};
               },
               {"4.50", "90.7", "", {"18.00", "59.75"}}),
        Worked("SurfaceLoad",
               [](DowndragInput& in) {
                 in.friction.causeText = kSurcharge;
                 in.friction.loadText = "10";
               },
               {"4.50", "113.8", "", {"28.00", "69.75"}}),
        Worked("GroupAtOneMetre", InAGroup("1.0"), {"4.50", "66.3", "0.730", {"18.00", "59.75"}}),
        Worked("GroupAtOnePointEightCappedAtOne", InAGroup("1.8"), {"4.50", "90.7", "1.000", {"18.00", "59.75"}}),
        Worked("SquarePile",
               [](DowndragInput& in) {
                 in.shape = PileShape::Square;
                 in.sizeText = "0.4";
               },
               {"4.50", "77.0", "", {"18.00", "59.75"}}),
        Worked("SquarePileGroup",
               [](DowndragInput& in) {
                 in.shape = PileShape::Square;
                 in.sizeText = "0.4";
                 Group(in, "1.0");
               },
               {"4.50", "71.2", "0.924", {"18.00", "59.75"}}),
        Worked("NeutralPointHalfWay", Set(kRatio, "0.5"), {"2.50", "30.0", "", {"18.00", "40.75"}}),
        Worked("PileTopOneMetreDown", Set(kPileTop, "1.0"), {"3.60", "89.6", "", {"27.00", "60.70"}}),
        Worked("NeutralPointAtThePileTop", Set(kRatio, "0"), {"0.00", "0.0", "", {}}),
        Worked("NeutralPointAtThePileTopInAGroup",
               [](DowndragInput& in) {
                 in.neutralRatioText = "0.00";
                 Group(in, "1.0");
               },
               {"0.00", "0.0", "1.000", {}}),
        // 36 + 19 × (0.9 × 4.299999952316284 − 2)/2; the same with h2 = 2.3 exactly would be 53.77.
        Worked("LayerTwoThicknessInSinglePrecision", Set(Thickness(2), "2.3"),
               {"3.87", "67.7", "", {"18.00", "53.76"}}),
        Worked("FullWidthDigits",
               [](DowndragInput& in) {
                 in.friction.layers[0] = {"１８", "２．０"};
                 in.coefficientTexts[0] = "０．３０";
                 in.neutralRatioText = "\u3000０．９ ";
                 in.sizeText = "０．６";
                 in.pileTopDepthText = "\u3000";
               },
               {"4.50", "90.7", "", {"18.00", "59.75"}}),
        Worked("ThreeLayersBuoyantBelowAGroupCap", BuoyantGroup,
               {"6.80", "180.6", "0.748", {"22.50", "44.50", "81.35"}}),
        Worked("ThreeLayersBuoyantSinglePile",
               [](DowndragInput& in) {
                 BuoyantGroup(in);
                 Group(in, "");
               },
               {"6.80", "241.6", "", {"22.50", "44.50", "81.35"}}),
        Worked("FiveLayersUnderFillCappedSoftLayers", FiveLayersUnderFill,
               {"10.80", "390.3", "", {"29.00", "55.00", "88.00", "116.75", "133.30"}}),

        RefusedText("CountNotANumber", kLayerCount, "two", NotANumber),
        RefusedText("CountSix", kLayerCount, "6", LayerCountNotOneToFive),
        RefusedText("UnitWeightNegative", UnitWeight(2), "-19", Negative),
        RefusedText("ThicknessEmpty", Thickness(1), " ", Empty),
        Refused(
            "ThicknessNegativeBeforeTheCause",
            Set({{Thickness(1), "-2"}, {kCause, ""}}),
            Thickness(1), Negative),
        RefusedText("LayerTwoThicknessBeyondFloat", Thickness(2), "1e39", OutOfRange),
        RefusedText("CauseUnknown", kCause, "降低地下水 ", UnknownCause),
        Refused(
            "LoadNegative",
            Set({{kCause, kSurcharge}, {kLoad, "-10"}}),
            kLoad, Negative),
        Refused("LoadMissingUnderASurfaceLoad", Set(kCause, kSurcharge), kLoad, Empty),
        RefusedText("SizeBlank", kSize, "", Empty), RefusedText("SizeZero", kSize, "0", NotPositive),
        Refused("SpacingXAlone", Set(kSpacingX, "1.0"), kSpacingY, WithoutTheOtherSpacing),
        Refused("SpacingYAlone", Set(kSpacingY, "1.0"), kSpacingX, WithoutTheOtherSpacing),
        Refused("SpacingZero", Spacings("0", "1.0"), kSpacingX, NotPositive),
        Refused("SpacingDecimalComma", Spacings("1.0", "1,0"), kSpacingY, NotANumber),
        RefusedText("PileTopNegative", kPileTop, "-1", Negative),
        RefusedText("PileTopOnTheBearingStratum", kPileTop, "5.0", NotAboveBearingStratum),
        RefusedText("NeutralRatioBlank", kRatio, "", Empty),
        RefusedText("NeutralRatioNegative", kRatio, "-0.1", Negative),
        RefusedText("NeutralRatioAboveOne", kRatio, "1.1", AboveOne),
        RefusedText("NeutralRatioBeyondDouble", kRatio, "1e400", OutOfRange),
        RefusedText("CoefficientOfAnEnteringLayerBlank", Xi(2), "", Empty),
        RefusedText("CoefficientAboveOne", Xi(1), "1.5", AboveOne),
        RefusedText("CoefficientNegative", Xi(1), "-0.3", Negative),
        RefusedText("SideResistanceNegative", SideResistance(1), "-5", Negative),
        Refused(
            "SideResistanceBeforeTheNextLayersCoefficient",
            Set({{SideResistance(1), "x"}, {Xi(2), "x"}}),
            SideResistance(1), NotANumber),
        Refused(
            "GroupWithoutWeightAboveTheNeutralPoint",
            [](DowndragInput& in) {
              in.friction.layers[0].unitWeightText = "0";
              in.friction.layers[1].unitWeightText = "0";
              Group(in, "1.0");
            },
            UnitWeight(1), NoWeightAboveNeutralPoint),
        Refused(
            "OverflowOfTheThicknessSum",
            [](DowndragInput& in) {
              in.friction.layerCountText = "3";
              in.friction.layers[0].thicknessText = "1.7e308";
              in.friction.layers[1].thicknessText = "1";
              in.friction.layers[2] = {"19", "1.7e308"};
            },
            Thickness(3), Overflow),
        Refused(
            "OverflowOfALayersWeight",
            Set({{UnitWeight(1), "1e300"}, {Thickness(1), "1e10"}, {Xi(1), "0.3"}}),
            UnitWeight(1), Overflow),
        Refused(
            "OverflowUnderTheLoad",
            Set({{UnitWeight(1), "1e308"}, {kCause, kSurcharge}, {kLoad, "1e308"}}),
            kLoad, Overflow),
        RefusedText("OverflowOfThePerimeter", kSize, "1e308", Overflow),
        Refused("GroupFactorUnderflowThroughTheSpacings", InAGroup("1e-200"), kSpacingY, Underflow),
        Refused(
            "GroupFactorUnderflowThroughTheQuotient",
            [](DowndragInput& in) {
              Group(in, "1e-160");
              in.sizeText = "1e100";
            },
            kSize, Underflow)),
    RowName);

// --- What is and is not read ---------------------------------------------------

TEST(Fields, OfLayersThatDoNotEnterAreNotRead) {
  // With the pile top 2.5 m down and ln/l0 = 0.3 only layer 2 enters
  // (l0 = 2.5, ln = 0.75): layer 1 lies above the pile top.
  DowndragInput input = Typical();
  input.pileTopDepthText = "2.5";
  input.neutralRatioText = "0.3";
  const DowndragOutcome clean = ComputeDowndragLoad(input);
  ASSERT_TRUE(clean.ok());
  EXPECT_FALSE(clean.result().layers[0].enters);
  // Layer 1's, the rows below n, the window's ξn and p under lowered groundwater.
  input.coefficientTexts = {"x", "0.25", "1e400", "-1", ""};
  input.sideResistanceTexts = {"-5", "", "x", "x", "x"};
  input.friction.layers[2] = {"x", "-1"};
  input.friction.coefficientText = "x";
  input.friction.loadText = "x";
  const DowndragOutcome junk = ComputeDowndragLoad(input);
  ASSERT_TRUE(junk.ok());
  EXPECT_EQ(junk.result().load, clean.result().load);
  // σ'2 = 18×2.0 + 19×(0.5 + 0.75/2) = 52.625, Qgn = π×0.6×0.25×52.625×0.75.
  EXPECT_NEAR(clean.result().load, std::acos(-1.0) * 0.6 * 0.25 * 52.625 * 0.75, 1e-12);
}

TEST(Fields, NoLayerFieldIsReadWhenTheNeutralPointIsAtThePileTop) {
  DowndragInput input = Typical();
  input.neutralRatioText = "0";
  input.coefficientTexts = {"x", "x", "x", "x", "x"};
  input.sideResistanceTexts = {"x", "x", "x", "x", "x"};
  Group(input, "1.0");
  const DowndragOutcome outcome = ComputeDowndragLoad(input);
  ASSERT_TRUE(outcome.ok());
  EXPECT_EQ(outcome.result().load, 0.0);
  EXPECT_EQ(outcome.result().groupFactor, 1.0);
  EXPECT_FALSE(outcome.result().groupFactorFormula.has_value());
}

TEST(Values, LayerTwoThicknessIsHeldInSinglePrecision) {
  DowndragInput input = Typical();
  input.friction.layers[1].thicknessText = "2.3";
  const DowndragResult r = ComputeDowndragLoad(input).result();
  EXPECT_EQ(r.layers[1].thickness, 2.299999952316284);
  EXPECT_EQ(r.pileLength, 2.0 + 2.299999952316284);
  EXPECT_EQ(r.neutralDepth, 0.9 * (2.0 + 2.299999952316284));
}

TEST(Values, TheFormulaOfAGroupFactorCappedAtOneIsKept) {
  DowndragInput input = Typical();
  Group(input, "1.8");
  const DowndragResult r = ComputeDowndragLoad(input).result();
  ASSERT_TRUE(r.groupFactorFormula.has_value());
  EXPECT_EQ(FormatFixed(*r.groupFactorFormula, 2), "2.37");
  EXPECT_EQ(r.groupFactor, 1.0);
  EXPECT_EQ(FormatFixed(r.meanFriction, 2), "10.70");
  EXPECT_EQ(FormatFixed(r.meanUnitWeight, 2), "18.56");
}

// --- Random profiles against the oracle ---------------------------------------

TEST(Values, AgreeWithTheOracleOnRandomProfiles) {
  std::mt19937 random(5404);
  const auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };
  const auto tenths = [](int k) { return std::to_string(k / 10) + "." + std::to_string(k % 10); };
  int groups = 0;
  for (int run = 0; run < 2000; ++run) {
    DowndragInput input;
    oracle::ReferenceCase c;
    const int n = pick(1, 5);
    input.friction.layerCountText = std::to_string(n);
    int depth = 0;  // tenths of a metre
    for (int i = 0; i < n; ++i) {
      const int gamma = pick(80, 210);
      const int h = pick(i == 0 ? 1 : 0, 80);
      depth += h;
      input.friction.layers[static_cast<std::size_t>(i)] = {tenths(gamma), tenths(h)};
      input.coefficientTexts[static_cast<std::size_t>(i)] = "0." + std::to_string(pick(10, 50));
      if (pick(0, 2) == 0) input.sideResistanceTexts[static_cast<std::size_t>(i)] = std::to_string(pick(5, 60));
      oracle::ReferenceLayer layer;
      layer.unitWeight = gamma / 10.0L;
      // Layer 2's thickness is the float nearest to its text.
      layer.thickness = i == 1 ? std::strtof(input.friction.layers[1].thicknessText.c_str(), nullptr) : h / 10.0L;
      layer.coefficient = std::strtold(input.coefficientTexts[static_cast<std::size_t>(i)].c_str(), nullptr);
      if (!input.sideResistanceTexts[static_cast<std::size_t>(i)].empty()) {
        layer.sideResistance = std::strtold(input.sideResistanceTexts[static_cast<std::size_t>(i)].c_str(), nullptr);
      }
      c.layers.push_back(layer);
    }
    const bool loaded = pick(0, 1) == 1;
    input.friction.causeText = loaded ? kSurcharge : kGroundwater;
    const int load = pick(0, 500);
    input.friction.loadText = tenths(load);
    c.surfaceLoad = loaded ? load / 10.0L : 0.0L;
    const int top = pick(0, depth - 1);
    input.pileTopDepthText = tenths(top);
    c.pileTop = top / 10.0L;
    const int ratio = pick(0, 100);
    input.neutralRatioText = std::to_string(ratio / 100.0);
    c.neutralRatio = std::strtold(input.neutralRatioText.c_str(), nullptr);
    c.square = pick(0, 1) == 1;
    input.shape = c.square ? PileShape::Square : PileShape::Round;
    const int size = pick(3, 15);
    input.sizeText = tenths(size);
    c.size = size / 10.0L;
    c.group = pick(0, 1) == 1;
    if (c.group) {
      const int sx = pick(8, 40);
      const int sy = pick(8, 40);
      input.spacingXText = tenths(sx);
      input.spacingYText = tenths(sy);
      c.spacingX = sx / 10.0L;
      c.spacingY = sy / 10.0L;
    }

    const DowndragOutcome outcome = ComputeDowndragLoad(input);
    ASSERT_TRUE(outcome.ok()) << run << ": " << static_cast<int>(outcome.failure().reason);
    const DowndragResult& r = outcome.result();
    const oracle::ReferenceDowndrag ref = oracle::ReferenceDowndragLoad(c);
    const long double scale = ref.perimeter * (c.surfaceLoad + 21.0L * depth / 10.0L) * depth / 10.0L;
    EXPECT_NEAR(r.load, static_cast<double>(ref.load), static_cast<double>(1e-12L * scale)) << run;
    EXPECT_NEAR(r.groupFactor, static_cast<double>(ref.groupFactor), 1e-9) << run;
    EXPECT_NEAR(r.neutralDepth, static_cast<double>(ref.neutralDepth), 1e-12) << run;
    groups += ref.groupFactorFormula && *ref.groupFactorFormula < 1.0L ? 1 : 0;
  }
  EXPECT_GT(groups, 200) << "groups whose factor is below 1 are tried too";
}

// --- The sentence and the report ------------------------------------------------

TEST(Sentence, SinglePileAndGroup) {
  DowndragInput input = Typical();
  EXPECT_EQ(ComposeDowndragSentence(ComputeDowndragLoad(input).result()),
            "中性点深度ln = 4.50 m，下拉荷载Qgn = 90.7 kN");
  Group(input, "1.0");
  EXPECT_EQ(ComposeDowndragSentence(ComputeDowndragLoad(input).result()),
            "中性点深度ln = 4.50 m，下拉荷载Qgn = 66.3 kN，群桩效应系数ηn = 0.730");
}

std::vector<std::string> ReportLines(const DowndragInput& input) {
  return LinesOf(ComposeDowndragReport(input, ComputeDowndragLoad(input).result()));
}

const char* const kHeading = "下拉荷载计算（JGJ 94-2008 第5.4.4条 式(5.4.4-1)～(5.4.4-4)）";
const char* const kFormulas =
    "各层  li = min(ti + hi, t + ln) − max(ti, t)  σ'γi = Σγe·he + γi·(max(ti, t) − ti + li/2)  qsi = ξni·σ'i ≤ qsik";
const char* const kSquareNote = "注：式(5.4.4-3)按圆桩写出，方桩取u = 4b，A = b²";
const char* const kBuoyantNote = "注：各层重度为主窗口所填之值，地下水位以下应为浮重度";

TEST(Report, TypicalUse) {
  EXPECT_EQ(ReportLines(Typical()),
            (std::vector<std::string>{
                kHeading, "降低地下水  σ'i = σ'γi", kFormulas, "桩  圆桩  d = 0.6 m  单桩", "桩顶深度  t = 0 m",
                "沉降土层内桩长  l0 = h1 + h2 − t = 2.0 + 3.0 − 0 = 5.00 m",
                "中性点深度  ln = (ln/l0)·l0 = 0.9 × 5.00 = 4.50 m",
                "第1层  γ1 = 18 kN/m³  h1 = 2.0 m  l1 = 2.00 m  σ'γ1 = 18×2.00/2 = 18.00 kN/m²  "
                "qs1 = ξn1·σ'1 = 0.30 × 18.00 = 5.40 kN/m²",
                "第2层  γ2 = 19 kN/m³  h2 = 3.0 m  l2 = 2.50 m  σ'γ2 = 18×2.0 + 19×2.50/2 = 59.75 kN/m²  "
                "qs2 = ξn2·σ'2 = 0.25 × 59.75 = 14.94 kN/m²",
                "负摩阻力合计  Σqsi·li = 5.40×2.00 + 14.94×2.50 = 48.14 kN/m", "桩身周长  u = π·d = π × 0.6 = 1.885 m",
                "下拉荷载  Qgn = ηn·u·Σqsi·li = 1 × 1.885 × 48.14 = 90.7 kN", kSquareNote, kBuoyantNote}));
}

TEST(Report, GroupUnderALoadWithThePileTopDownAndACap) {
  DowndragInput input = Typical();
  Group(input, "1.0");
  input.friction.causeText = kSurcharge;
  input.friction.loadText = "10";
  input.pileTopDepthText = "1.0";
  input.sideResistanceTexts[1] = "15";
  EXPECT_EQ(ReportLines(input),
            (std::vector<std::string>{
                kHeading, "地面有满布荷载  σ'i = p + σ'γi", "地面满布荷载  p = 10 kN/m²", kFormulas,
                "桩  圆桩  d = 0.6 m  群桩  sax = 1.0 m  say = 1.0 m", "桩顶深度  t = 1.0 m",
                "沉降土层内桩长  l0 = h1 + h2 − t = 2.0 + 3.0 − 1.0 = 4.00 m",
                "中性点深度  ln = (ln/l0)·l0 = 0.9 × 4.00 = 3.60 m",
                "第1层  γ1 = 18 kN/m³  h1 = 2.0 m  l1 = 1.00 m  σ'γ1 = 18×(1.00 + 1.00/2) = 27.00 kN/m²  "
                "σ'1 = 10 + 27.00 = 37.00 kN/m²  qs1 = ξn1·σ'1 = 0.30 × 37.00 = 11.10 kN/m²",
                "第2层  γ2 = 19 kN/m³  h2 = 3.0 m  l2 = 2.60 m  σ'γ2 = 18×2.0 + 19×2.60/2 = 60.70 kN/m²  "
                "σ'2 = 10 + 60.70 = 70.70 kN/m²  qs2 = ξn2·σ'2 = 0.25 × 70.70 = 17.68 > qs2k = 15，取qs2 = 15.00 kN/m²",
                "负摩阻力合计  Σqsi·li = 11.10×1.00 + 15.00×2.60 = 50.10 kN/m", "桩身周长  u = π·d = π × 0.6 = 1.885 m",
                "桩身截面面积  A = π·d²/4 = π × 0.6²/4 = 0.283 m²",
                "平均负摩阻力  qs = Σqsi·li/ln = 50.10/3.60 = 13.92 kN/m²",
                "平均重度  γm = Σγi·li/ln = (18×1.00 + 19×2.60)/3.60 = 18.72 kN/m³",
                "群桩效应系数  ηn = sax·say/(u·qs/γm + A) = 1.0×1.0/(1.885 × 13.92/18.72 + 0.283) = 0.594",
                "下拉荷载  Qgn = ηn·u·Σqsi·li = 0.594 × 1.885 × 50.10 = 56.1 kN", kSquareNote, kBuoyantNote}));
}

}  // namespace
}  // namespace tavrelo
