// The downdrag window's profile drawing without a window: where the bands,
// the pile, the neutral line and the friction stand in the window's box
// (ground line at y 30, bearing stratum from y 279: 249 px of layers), that
// every label stays inside the box and clear of the others, and its SVG and
// sentence.
#include "ui/profile_drawing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "tests/core/test_texts.h"
#include "tests/support/typical_use.h"
#include "ui/downdrag_form.h"
#include "ui/program.h"

namespace tavrelo::ui {
namespace {

constexpr PixelBox kWindowBox{408, 8, 232, 300};

// Layers as {γ, h} under lowered groundwater, ξn 0.30 in layer 1 and 0.25
// below, ln/l0 0.9, a single round pile of d = 0.6 m with its top at t.
DowndragInput Profile(std::vector<LayerInput> layers, std::string pileTop = "0") {
  DowndragInput input;
  const std::string n = std::to_string(layers.size());
  input.friction =
      tavrelo::testing_support::Input(n, std::move(layers), tavrelo::testing_support::kGroundwater, "0.25");
  input.coefficientTexts = {"0.30", "0.25", "0.25", "0.25", "0.25"};
  input.neutralRatioText = "0.9";
  input.sizeText = "0.6";
  input.pileTopDepthText = std::move(pileTop);
  return input;
}
DowndragInput Typical() { return Profile({{"18", "2.0"}, {"19", "3.0"}}); }
template <typename Change>
DowndragInput Typical(Change change) {
  DowndragInput input = Typical();
  change(input);
  return input;
}
// Five layers, three of them thin, the neutral point 0.01 m into the last and
// layer 4 capped at 40 kN/m².
DowndragInput Crowded() {
  DowndragInput input = Profile({{"17.5", "0.05"}, {"18", "6.0"}, {"19.5", "0.1"}, {"20", "12.5"}, {"19", "0.2"}});
  input.neutralRatioText = "0.99";
  input.sideResistanceTexts[3] = "40";
  return input;
}

ProfileDrawing Draw(const DowndragInput& input, bool computed, PixelBox box = kWindowBox) {
  const DowndragOutcome outcome = ComputeDowndragLoad(input);
  EXPECT_TRUE(outcome.ok() || !computed);
  const DowndragResult* result = computed && outcome.ok() ? &outcome.result() : nullptr;
  return DrawProfile(&input.friction, input.pileTopDepthText, result, box);
}

std::vector<const ProfileShape*> All(const ProfileDrawing& drawing, ProfilePart part) {
  std::vector<const ProfileShape*> found;
  for (const ProfileShape& shape : drawing.shapes) {
    if (shape.part == part) found.push_back(&shape);
  }
  return found;
}
template <typename Kind>
const Kind& Only(const ProfileDrawing& drawing, ProfilePart part) {
  const auto found = All(drawing, part);
  EXPECT_EQ(found.size(), 1U) << static_cast<int>(part);
  return std::get<Kind>(found.at(0)->geometry);
}
std::vector<std::string> Texts(const ProfileDrawing& drawing, ProfilePart part) {
  std::vector<std::string> texts;
  for (const ProfileShape* shape : All(drawing, part)) texts.push_back(std::get<TextShape>(shape->geometry).text);
  return texts;
}

// --- Bands, pile and neutral line ------------------------------------------------

struct GeometryCase {
  const char* name;
  DowndragInput input;
  bool computed;
  std::vector<double> edges;      // y under each layer
  double pileTop;                 // y
  std::optional<double> neutral;  // y, after a result
  const char* neutralLabel = "";
  friend void PrintTo(const GeometryCase& row, std::ostream* out) { *out << row.name; }
};

class Geometry : public testing::TestWithParam<GeometryCase> {};

TEST_P(Geometry, BandsPileAndNeutralLineStandAtTheirDepths) {
  const GeometryCase& row = GetParam();
  const ProfileDrawing drawn = Draw(row.input, row.computed);
  std::vector<double> edges;
  for (const ProfileShape* edge : All(drawn, ProfilePart::BandEdge)) {
    edges.push_back(std::get<LineShape>(edge->geometry).from.y);
  }
  ASSERT_EQ(edges.size(), row.edges.size());
  for (std::size_t i = 0; i < edges.size(); ++i) EXPECT_NEAR(edges[i], row.edges[i], 1e-10) << i;
  EXPECT_EQ(All(drawn, ProfilePart::LayerLabel).size(), edges.size());
  const auto& pile = Only<RectShape>(drawn, ProfilePart::Pile);
  EXPECT_NEAR(pile.y, row.pileTop, 1e-10);
  if (!row.neutral) {
    for (const ProfilePart part : {ProfilePart::Friction, ProfilePart::FrictionHeader, ProfilePart::FrictionLabel,
                                   ProfilePart::Leader, ProfilePart::NeutralLine, ProfilePart::NeutralLabel}) {
      EXPECT_TRUE(All(drawn, part).empty()) << static_cast<int>(part);
    }
    return;
  }
  const auto& line = Only<DashedLineShape>(drawn, ProfilePart::NeutralLine);
  EXPECT_NEAR(line.from.y, *row.neutral, 1e-10);
  EXPECT_EQ(line.to.y, line.from.y);
  EXPECT_TRUE(line.from.x < pile.x && line.to.x > pile.x + pile.width) << "across the pile";
  const auto& label = Only<TextShape>(drawn, ProfilePart::NeutralLabel);
  EXPECT_EQ(label.text, row.neutralLabel);
  EXPECT_GE(EstimateExtent(label).y, line.from.y) << "under its line";
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(WorkedDepths, Geometry, testing::Values(
    GeometryCase{"OneLayer", Profile({{"17.5", "3.0"}}, ""), false, {279}, 30},
    GeometryCase{"TwoLayersBeforeAResult", Typical(), false, {129.6, 279}, 30},
    // 24.9 px a metre; t = 1.5 m is 0.5 m into layer 2.
    GeometryCase{"FiveLayersPileTopInLayerTwo",
                 Profile({{"18", "1.0"}, {"19", "2.0"}, {"18", "3.0"}, {"20", "2.0"}, {"19", "2.0"}}, "1.5"), false,
                 {54.9, 104.7, 179.4, 229.2, 279}, 67.35},
    // 0.01 m takes one line (16 px), the others 233 px at 46.6 px a metre.
    // Layer 2's 0.01 is 0.0099999998 in single precision, so t = 2.31 m
    // stands 0.3000000002 m into layer 3.
    GeometryCase{"ThinLayerGetsALine", Profile({{"18", "2.0"}, {"19", "0.01"}, {"18", "3.0"}}, "2.31"), false,
                 {123.2, 139.2, 279}, 153.1800000104},
    GeometryCase{"TwoThinLayers", Profile({{"18", "0.05"}, {"19", "6.0"}, {"18", "0.1"}}), false, {46, 263, 279}, 30},
    GeometryCase{"PileTopNotANumberFromTheSurface", Profile({{"18", "2.0"}, {"19", "3.0"}}, "abc"), false,
                 {129.6, 279}, 30},
    GeometryCase{"PileTopAtTheBearingStratumFromTheSurface", Profile({{"18", "2.0"}, {"19", "3.0"}}, "5.0"), false,
                 {129.6, 279}, 30},
    GeometryCase{"TypicalUse", Typical(), true, {129.6, 279}, 30, 254.1, "中性点 ln = 4.50 m"},
    // t + ln = 4.6 m, 2.6 m into layer 2's 149.4 px.
    GeometryCase{"PileTopInLayerOne", Profile({{"18", "2.0"}, {"19", "3.0"}}, "1.0"), true, {129.6, 279}, 79.8,
                 259.08, "中性点 ln = 3.60 m"},
    GeometryCase{"NeutralPointInLayerOne", Typical([](DowndragInput& in) { in.neutralRatioText = "0.3"; }), true,
                 {129.6, 279}, 30, 104.7, "中性点 ln = 1.50 m"},
    GeometryCase{"NeutralPointAtThePileTop", Typical([](DowndragInput& in) { in.neutralRatioText = "0"; }), true,
                 {129.6, 279}, 30, 30, "中性点 ln = 0.00 m"}),
    [](const testing::TestParamInfo<GeometryCase>& row) { return std::string(row.param.name); });
// clang-format on

// --- The friction ----------------------------------------------------------------

struct FrictionCase {
  const char* name;
  DowndragInput input;
  std::vector<std::pair<double, double>> corners;  // qs (kN/m²) and y, from the pile out and back
  std::vector<std::string> labels;
  friend void PrintTo(const FrictionCase& row, std::ostream* out) { *out << row.name; }
};

class Friction : public testing::TestWithParam<FrictionCase> {};

TEST_P(Friction, StepsAtTheLayerEdgesAndGrowsWithinEachPart) {
  const ProfileDrawing drawn = Draw(GetParam().input, true);
  const auto& pile = Only<RectShape>(drawn, ProfilePart::Pile);
  const double from = pile.x + pile.width;
  const auto& points = Only<PolylineShape>(drawn, ProfilePart::Friction).points;
  const auto& corners = GetParam().corners;
  ASSERT_EQ(points.size(), corners.size() + 2);
  EXPECT_TRUE(points.front().x == from && points.back().x == from) << "from the pile and back";
  EXPECT_NEAR(points.front().y, corners.front().second, 1e-10);
  EXPECT_NEAR(points.back().y, corners.back().second, 1e-10);
  // px per kN/m², from the corner that reaches furthest.
  const auto widest = std::max_element(corners.begin(), corners.end());
  const double scale = (points[static_cast<std::size_t>(widest - corners.begin()) + 1].x - from) / widest->first;
  EXPECT_GT(scale, 1.0);
  for (std::size_t k = 0; k < corners.size(); ++k) {
    EXPECT_NEAR(points[k + 1].x, from + corners[k].first * scale, 1e-9) << k;
    EXPECT_NEAR(points[k + 1].y, corners[k].second, 1e-10) << k;
  }
  EXPECT_EQ(Texts(drawn, ProfilePart::FrictionLabel), GetParam().labels);
  EXPECT_EQ(Texts(drawn, ProfilePart::FrictionHeader), std::vector<std::string>{"qsi（kPa）"});
}

// ξ1·σ'(0) = 0 to ξ1·σ'(2.0) = 0.30 × 36 = 10.8 over 0–2.00 m, then ξ2·σ'(2.0) =
// 0.25 × 36 = 9.0 to ξ2·σ'(4.5) = 0.25 × 83.5 = 20.875 over 2.00–4.50 m.
// clang-format off
INSTANTIATE_TEST_SUITE_P(WorkedValues, Friction, testing::Values(
    FrictionCase{"TypicalUse", Typical(), {{0.0, 30}, {10.8, 129.6}, {9.0, 129.6}, {20.875, 254.1}}, {"5.40", "14.94"}},
    // 14.94 > 12: the part stands at 12 all along, as Σqsi·li takes it.
    FrictionCase{"CappedLayerMarked", Typical([](DowndragInput& in) { in.sideResistanceTexts[1] = "12"; }),
                 {{0.0, 30}, {10.8, 129.6}, {12.0, 129.6}, {12.0, 254.1}}, {"5.40", "12.00=qs2k"}}),
    [](const testing::TestParamInfo<FrictionCase>& row) { return std::string(row.param.name); });
// clang-format on

// --- Labels --------------------------------------------------------------------

struct LabelCase {
  const char* name;
  DowndragInput input;
  bool computed;
  PixelBox box = kWindowBox;
  friend void PrintTo(const LabelCase& row, std::ostream* out) { *out << row.name; }
};

class Labels : public testing::TestWithParam<LabelCase> {};

TEST_P(Labels, StayInsideTheBoxAndClearOfEachOther) {
  const PixelBox& box = GetParam().box;
  const ProfileDrawing drawn = Draw(GetParam().input, GetParam().computed, box);
  std::vector<std::pair<std::string, RectShape>> extents;
  for (const ProfileShape& shape : drawn.shapes) {
    if (const auto* text = std::get_if<TextShape>(&shape.geometry))
      extents.emplace_back(text->text, EstimateExtent(*text));
  }
  EXPECT_GE(extents.size(), 4U);
  for (std::size_t a = 0; a < extents.size(); ++a) {
    const RectShape& p = extents[a].second;
    EXPECT_TRUE(p.x >= box.x && p.y >= box.y && p.x + p.width <= box.x + box.width &&
                p.y + p.height <= box.y + box.height)
        << extents[a].first;
    for (std::size_t b = a + 1; b < extents.size(); ++b) {
      const RectShape& q = extents[b].second;
      EXPECT_FALSE(p.x < q.x + q.width && q.x < p.x + p.width && p.y < q.y + q.height && q.y < p.y + p.height)
          << extents[a].first << " / " << extents[b].first;
    }
  }
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(EveryCase, Labels, testing::Values(
    LabelCase{"TypicalUse", Typical(), true},
    LabelCase{"BeforeAResult", Typical(), false},
    LabelCase{"ThinLayersCappedDeepNeutralPoint", Crowded(), true},
    LabelCase{"ThinLayersInTheSmallestBox", Crowded(), true, {0, 0, 200, 240}},
    LabelCase{"LongTextsDeepPileTop", Profile({{" 18.123456789 ", "2.000000"}, {"19", "123.0"}}, "122.5"), true},
    LabelCase{"NeutralPointAtThePileTop", Typical([](DowndragInput& in) { in.neutralRatioText = "0"; }), true}),
    [](const testing::TestParamInfo<LabelCase>& row) { return std::string(row.param.name); });
// clang-format on

// --- Without layers --------------------------------------------------------------

TEST(WithoutAPress, OnlyTheFrameAndTheGroundLine) {
  const ProfileDrawing drawing = DrawProfile(nullptr, "", nullptr, kWindowBox);
  std::vector<ProfilePart> parts;
  for (const ProfileShape& shape : drawing.shapes) parts.push_back(shape.part);
  EXPECT_EQ(parts, (std::vector<ProfilePart>{ProfilePart::Frame, ProfilePart::Ground, ProfilePart::GroundLabel}));
  EXPECT_EQ(ProfileDescription(nullptr, "", nullptr), "示意图：仅地面线，尚无土层");
}

struct UnreadableCase {
  const char* name;
  DowndragInput input;
  const char* why;
  friend void PrintTo(const UnreadableCase& row, std::ostream* out) { *out << row.name; }
};

class Unreadable : public testing::TestWithParam<UnreadableCase> {};

TEST_P(Unreadable, LayersGiveANoteNamingTheField) {
  const ProfileDrawing drawn = Draw(GetParam().input, false);
  EXPECT_TRUE(All(drawn, ProfilePart::Band).empty());
  EXPECT_TRUE(All(drawn, ProfilePart::Pile).empty());
  std::string note;
  for (const std::string& line : Texts(drawn, ProfilePart::Note)) note += line;
  EXPECT_EQ(note, std::string(GetParam().why) + "，无法绘制土层。");
  EXPECT_EQ(ProfileDescription(&GetParam().input.friction, "0", nullptr),
            std::string("示意图：仅地面线，") + GetParam().why + "，无法绘制土层");
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Refusals, Unreadable, testing::Values(
    UnreadableCase{"LayerCountNotOneToFive", Typical([](DowndragInput& in) { in.friction.layerCountText = "3.5"; }),
                   "持力层以上土层数“3.5”不是1～5"},
    UnreadableCase{"NegativeThickness", Profile({{"18", "2.0"}, {"19", "-1"}}), "第2层的土层厚“-1”小于0"},
    UnreadableCase{"UnitWeightNotANumber", Profile({{"abc", "2.0"}}), "第1层的重度“abc”不是有效的数字"},
    UnreadableCase{"NoThickness", Profile({{"18", "0"}}), "各层土层厚之和为0"}),
    [](const testing::TestParamInfo<UnreadableCase>& row) { return std::string(row.param.name); });
// clang-format on

// --- The SVG and the sentence ------------------------------------------------------

TEST(Svg, IsBalancedWithOneElementPerShape) {
  const ProfileDrawing drawn = Draw(Typical(), true);
  const std::string svg = ProfileSvg(drawn);
  EXPECT_TRUE(svg.starts_with(
      "<svg xmlns=\"http://www.w3.org/2000/svg\" shape-rendering=\"crispEdges\" width=\"232px\" height=\"300px\" viewBox=\"408 8 232 300\">"));
  // Every element but the <svg> and the texts closes itself; each text holds
  // no element of its own.
  std::size_t elements = 0;
  std::size_t closed = 0;
  for (std::size_t at = svg.find('<'); at != std::string::npos; at = svg.find('<', at + 1)) {
    const std::size_t end = svg.find('>', at);
    ASSERT_NE(end, std::string::npos);
    const std::string_view tag = std::string_view(svg).substr(at, end - at + 1);
    if (tag.starts_with("</")) {
      EXPECT_TRUE(tag == "</text>" || (tag == "</svg>" && end + 1 == svg.size())) << tag;
    } else {
      ++elements;
      EXPECT_TRUE(tag.ends_with("/>") || tag.starts_with("<text ") || tag.starts_with("<svg ")) << tag;
    }
    closed += tag.starts_with("</") || tag.ends_with("/>");
  }
  EXPECT_EQ(closed, elements) << "balanced";
  EXPECT_EQ(elements, drawn.shapes.size() + 1);
  EXPECT_NE(svg.find(" font-family=\"SimSun, 宋体, "), std::string::npos);
  EXPECT_NE(svg.find(", monospace\""), std::string::npos);
  EXPECT_NE(svg.find(">中性点 ln = 4.50 m</text>"), std::string::npos);
}

TEST(Svg, EscapesTexts) {
  ProfileDrawing drawing{kWindowBox, {}};
  drawing.shapes.push_back({ProfilePart::Note, 0, TextShape{.font = &look::NotesFont(), .text = "a<b & \"c\" 'd'>"}});
  EXPECT_NE(ProfileSvg(drawing).find(">a&lt;b &amp; &quot;c&quot; &apos;d&apos;&gt;</text>"), std::string::npos);
}

TEST(Description, TellsTheLayersThePileAndTheNeutralPoint) {
  const DowndragInput input = Typical();
  const DowndragResult result = ComputeDowndragLoad(input).result();
  EXPECT_EQ(ProfileDescription(&input.friction, "0", &result),
            "示意图：2层土，桩顶在地面下0.00 m，桩长5.00 m，中性点在桩顶下4.50 m");
  EXPECT_EQ(ProfileDescription(&input.friction, "", nullptr), "示意图：2层土，桩顶在地面下0.00 m，桩长5.00 m");
  EXPECT_EQ(ProfileDescription(&input.friction, "1.0", nullptr), "示意图：2层土，桩顶在地面下1.00 m，桩长4.00 m");
}

// --- In the window ---------------------------------------------------------------

TEST(DowndragWindow, DrawsTheFrictionOfASuccessfulPressUntilARefusalOrANewPress) {
  TavreloProgram program;
  FormModel& main = program.Main();
  FormModel& window = program.Downdrag();
  const auto neutralLines = [&program] {
    return All(program.DowndragWindow().Profile(kWindowBox), ProfilePart::NeutralLine).size();
  };
  testing_support::ApplyPicks(testing_support::kTypicalUse, [&main](ControlKey combo, std::string_view entry) {
    EXPECT_TRUE(testing_support::PickEntry(main, combo, entry));
  });
  main.Press(controls::kCompute);
  window.SetText(downdrag::Coefficient(1), "0.30");
  window.SetText(downdrag::kNeutralRatio, "0.9");
  window.SetText(downdrag::kSize, "0.6");
  window.Press(downdrag::kCompute);
  EXPECT_EQ(neutralLines(), 1U);
  EXPECT_EQ(program.DowndragWindow().ProfileSentence(),
            "示意图：2层土，桩顶在地面下0.00 m，桩长5.00 m，中性点在桩顶下4.50 m");
  window.SetText(downdrag::kSize, "x");
  window.Press(downdrag::kCompute);
  EXPECT_EQ(neutralLines(), 0U) << "refused";
  window.SetText(downdrag::kSize, "0.6");
  window.Press(downdrag::kCompute);
  EXPECT_EQ(neutralLines(), 1U);
  main.Press(controls::kCompute);
  EXPECT_EQ(neutralLines(), 0U) << "a new main press";
}

}  // namespace
}  // namespace tavrelo::ui
