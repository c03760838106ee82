// The downdrag window's reactions on the models of the program, without a
// window: what a main press brings into it, what its lists show and hide,
// its sentence and report, and every refusal with the field it names.
#include "ui/downdrag_handlers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/support/recording_view.h"
#include "tests/support/typical_use.h"
#include "ui/downdrag_form.h"
#include "ui/profile_drawing.h"
#include "ui/program.h"

namespace tavrelo::ui {
namespace {

using namespace downdrag;
using testing_support::RecordingView;

class Downdrag : public testing::Test {
 protected:
  Downdrag() {
    main.SetView(&mainView);
    window.SetView(&view);
  }

  void PressMain() { main.Press(controls::kCompute); }
  void Pick(FormModel& form, ControlKey combo, std::string_view entry) {
    EXPECT_TRUE(testing_support::PickEntry(form, combo, entry)) << entry;
  }
  // The typical use in the main window, pressed, and the downdrag fields of
  // the worked example: ξn1 = 0.30 (ξn2 = 0.25 from the main window), ln/l0
  // = 0.9, a single round pile of d = 0.6 m with its top at the surface.
  void FillTypicalUse() {
    testing_support::ApplyPicks(testing_support::kTypicalUse,
                                [this](ControlKey combo, std::string_view entry) { Pick(main, combo, entry); });
    PressMain();
    window.SetText(Coefficient(1), "0.30");
    window.SetText(kNeutralRatio, "0.9");
    window.SetText(kSize, "0.6");
  }
  void Compute() { window.Press(kCompute); }

  TavreloProgram program;
  FormModel& main = program.Main();
  FormModel& window = program.Downdrag();
  RecordingView mainView;
  RecordingView view;
};

TEST_F(Downdrag, WaitsForAPressHiddenWithItsListsPickedAndTheCommandDisabled) {
  EXPECT_FALSE(window.Visible(kForm));
  EXPECT_FALSE(main.CommandEnabled(controls::kOpenDowndrag));
  EXPECT_EQ(window.Text(kShape), "圆桩");
  EXPECT_EQ(window.Text(kPileKind), "单桩");
  EXPECT_EQ(window.Text(kPileTop), "0");
  EXPECT_FALSE(window.Visible(kSpacingX));
  EXPECT_FALSE(window.Visible(kSpacingY));
  Compute();  // cannot be reached from the window, and still no guess
  ASSERT_EQ(view.problems.size(), 1U);
  EXPECT_EQ(view.problems[0].message, "请先在主窗口中按“计算”得出结果。");
}

TEST_F(Downdrag, APressBringsItsLayersAndTheMenuOpensTheWindow) {
  FillTypicalUse();
  EXPECT_EQ(main.Text(controls::kResult), testing_support::kTypicalSentence) << "the main sentence stays";
  EXPECT_TRUE(main.CommandEnabled(controls::kOpenDowndrag));
  main.RunCommand(controls::kOpenDowndrag);
  EXPECT_TRUE(window.Visible(kForm));
  for (int k = 1; k <= 5; ++k) EXPECT_EQ(window.Visible(Coefficient(k)), k <= 2) << k;
  EXPECT_EQ(window.Text(UnitWeight(1)), "18");
  EXPECT_EQ(window.Text(UnitWeight(2)), "19");
  EXPECT_EQ(window.Text(Thickness(2)), "3.0");
  EXPECT_EQ(window.Text(Coefficient(2)), "0.25") << "the main window's ξn pre-fills layer n";
}

// A main press while the window is hidden leaves its picture undrawn until
// the menu opens it: then it shows the press's layers, drawn before it shows.
TEST_F(Downdrag, TheHiddenWindowsPictureIsDrawnWhenItOpens) {
  FillTypicalUse();
  EXPECT_EQ(std::count(view.events.begin(), view.events.end(), "draw DdProfile"), 0);
  view.events.clear();
  main.RunCommand(controls::kOpenDowndrag);
  ASSERT_GE(view.events.size(), 2U);
  EXPECT_EQ(view.events.front(), "draw DdProfile");
  EXPECT_EQ(std::count(view.events.begin(), view.events.end(), "show Downdrag"), 1);
  const PixelBox box = PixelRect(window.Row(kProfile));
  ASSERT_NE(window.Drawing(kProfile), nullptr);
  EXPECT_EQ(ProfileSvg(*window.Drawing(kProfile)),
            ProfileSvg(program.DowndragWindow().Profile({0, 0, box.width, box.height})));
}

// The report goes as HTML as well, with the soil names of the main press.
TEST_F(Downdrag, TheReportCarriesItsHtmlWithTheMainPressSoilNames) {
  main.SetText(controls::SoilName(2), "粉土");
  FillTypicalUse();
  main.SetText(controls::SoilName(2), "细砂");  // after the press
  Compute();
  const std::string& html = window.CommandCopy(kCopyReport).html;
  EXPECT_TRUE(html.starts_with("<h2 ")) << html;
  EXPECT_NE(html.find(">粉土</td>"), std::string::npos) << html;
  EXPECT_EQ(html.find("细砂"), std::string::npos) << html;
  EXPECT_NE(html.find("<b>90.7 kN</b>"), std::string::npos) << html;
}

struct ResultCase {
  const char* name;
  std::vector<std::pair<ControlKey, std::string>> typed;
  std::vector<std::pair<ControlKey, std::string>> picked;
  std::string sentence;
};

class DowndragResults : public Downdrag, public testing::WithParamInterface<ResultCase> {};

TEST_P(DowndragResults, GiveTheSentenceAndKeepTheReport) {
  FillTypicalUse();
  for (const auto& [combo, entry] : GetParam().picked) Pick(window, combo, entry);
  for (const auto& [field, text] : GetParam().typed) window.SetText(field, text);
  Compute();
  EXPECT_TRUE(view.problems.empty()) << (view.problems.empty() ? "" : view.problems[0].message);
  EXPECT_EQ(window.Text(kResult), GetParam().sentence);
  EXPECT_TRUE(window.CommandEnabled(kCopyReport));
  EXPECT_TRUE(window.CommandCopy(kCopyReport).text.starts_with("下拉荷载计算（JGJ 94-2008 第5.4.4条"));
  EXPECT_EQ(view.events.back(), "announce DdResult");
}

INSTANTIATE_TEST_SUITE_P(
    WorkedValues, DowndragResults,
    testing::Values(
        ResultCase{"SinglePile", {}, {}, "中性点深度ln = 4.50 m，下拉荷载Qgn = 90.7 kN"},
        ResultCase{
            "CappedBySideResistance", {{SideResistance(2), "12"}}, {}, "中性点深度ln = 4.50 m，下拉荷载Qgn = 76.9 kN"},
        ResultCase{"Group",
                   {{kSpacingX, "1.0"}, {kSpacingY, "1.0"}},
                   {{kPileKind, "群桩"}},
                   "中性点深度ln = 4.50 m，下拉荷载Qgn = 66.3 kN，群桩效应系数ηn = 0.730"},
        ResultCase{"SquarePile", {{kSize, "0.4"}}, {{kShape, "方桩"}}, "中性点深度ln = 4.50 m，下拉荷载Qgn = 77.0 kN"},
        ResultCase{"PileTopBelowTheSurface", {{kPileTop, "1.0"}}, {}, "中性点深度ln = 3.60 m，下拉荷载Qgn = 89.6 kN"},
        // ln = 2.5 m: all of layer 1 and 0.5 m of layer 2. At ln = 1.5 m only
        // layer 1 enters: σ'1 = 18×0.75 = 13.50, qs1 = 4.05, Qgn = π×0.6×4.05×1.5
        // = 11.5 kN, and layer 2's ξn is not read.
        ResultCase{"HalfNeutralRatio", {{kNeutralRatio, "0.5"}}, {}, "中性点深度ln = 2.50 m，下拉荷载Qgn = 30.0 kN"},
        ResultCase{"NeutralPointInLayerOneLeavesLayerTwoUnread",
                   {{kNeutralRatio, "0.3"}, {Coefficient(2), "junk"}},
                   {},
                   "中性点深度ln = 1.50 m，下拉荷载Qgn = 11.5 kN"},
        // A single pile reads no spacing, whatever stands in them.
        ResultCase{
            "SinglePileIgnoresSpacings", {{kSpacingX, "x"}}, {}, "中性点深度ln = 4.50 m，下拉荷载Qgn = 90.7 kN"}),
    [](const testing::TestParamInfo<ResultCase>& row) { return std::string(row.param.name); });

struct RefusalCase {
  const char* name;
  std::vector<std::pair<ControlKey, std::string>> typed;  // after 群桩 is picked where `group`
  std::string message;
  ControlKey focus;  // none for a field of the main window
  bool group = false;
};

class DowndragRefusals : public Downdrag, public testing::WithParamInterface<RefusalCase> {};

TEST_P(DowndragRefusals, NameTheFieldPutTheFocusThereAndKeepTheResult) {
  FillTypicalUse();
  Compute();
  const std::string result = window.Text(kResult);
  if (GetParam().group) Pick(window, kPileKind, "群桩");
  for (const auto& [field, text] : GetParam().typed) window.SetText(field, text);
  view.events.clear();
  Compute();
  ASSERT_EQ(view.problems.size(), 1U);
  EXPECT_EQ(view.problems[0].message, GetParam().message);
  const std::vector<std::string> focus = GetParam().focus.name.empty()
                                             ? std::vector<std::string>{}
                                             : std::vector{"focus " + DisplayName(GetParam().focus)};
  std::vector<std::string> expected{"problem " + DisplayName(GetParam().focus)};
  expected.insert(expected.end(), focus.begin(), focus.end());
  std::vector<std::string> told;  // of the problem and the focus, not of the drawing
  for (const std::string& event : view.events) {
    if (event.starts_with("problem") || event.starts_with("focus")) told.push_back(event);
  }
  EXPECT_EQ(told, expected);
  EXPECT_EQ(window.Text(kResult), result);
}

INSTANTIATE_TEST_SUITE_P(
    EveryField, DowndragRefusals,
    testing::Values(
        RefusalCase{"CoefficientNotANumber",
                    {{Coefficient(1), "abc"}},
                    "第1层的负摩阻力系数ξn1“abc”不是有效的数字。",
                    Coefficient(1)},
        RefusalCase{
            "CoefficientAboveOne", {{Coefficient(2), "1.5"}}, "第2层的负摩阻力系数ξn2“1.5”不能大于1。", Coefficient(2)},
        RefusalCase{"SideResistanceNegative",
                    {{SideResistance(1), "-5"}},
                    "第1层的正摩阻力标准值qs1k“-5”不能小于0。",
                    SideResistance(1)},
        RefusalCase{"NeutralRatioBlank", {{kNeutralRatio, ""}}, "中性点深度比ln/l0为空，请输入数值。", kNeutralRatio},
        RefusalCase{
            "NeutralRatioAboveOne", {{kNeutralRatio, "1.2"}}, "中性点深度比ln/l0“1.2”不能大于1。", kNeutralRatio},
        RefusalCase{"DiameterZero", {{kSize, "0"}}, "桩径d“0”应大于0。", kSize},
        RefusalCase{"PileTopAtTheBearingStratum",
                    {{kPileTop, "5"}},
                    "桩顶深度t“5”应小于各层土层厚之和5.00 m（桩顶须在持力层以上）。",
                    kPileTop},
        RefusalCase{"PileTopNegative", {{kPileTop, "-1"}}, "桩顶深度t“-1”不能小于0。", kPileTop},
        RefusalCase{"ShapeTyped", {{kShape, "三角桩"}}, "请从列表中选择桩的形状（圆桩或方桩）。", kShape},
        RefusalCase{"PileKindTyped", {{kPileKind, "多桩"}}, "请从列表中选择单桩或群桩。", kPileKind},
        RefusalCase{"GroupWithoutSay", {{kSpacingX, "1.0"}}, "群桩须填写桩距say。", kSpacingY, true},
        RefusalCase{"GroupSpacingZero", {{kSpacingX, "1.0"}, {kSpacingY, "0"}}, "桩距say“0”应大于0。", kSpacingY, true},
        RefusalCase{"GroupFactorUnderflow",
                    {{kSpacingX, "1e-200"}, {kSpacingY, "1e-200"}},
                    "群桩效应系数ηn过小，计算下溢为0（桩距say“1e-200”）。",
                    kSpacingY,
                    true}),
    [](const testing::TestParamInfo<RefusalCase>& row) { return std::string(row.param.name); });

// A field of the main window at fault: named as the main window's, the
// focus left where it is (it is on neither field of this window).
TEST_F(Downdrag, ANegativeUnitWeightOfTheMainWindowIsRefusedByName) {
  FillTypicalUse();
  main.SetText(controls::UnitWeight(2), "-19");
  PressMain();  // the main window computes with it
  window.SetText(kNeutralRatio, "0.9");
  Compute();
  ASSERT_EQ(view.problems.size(), 1U);
  EXPECT_EQ(view.problems[0].message, "主窗口中第2层的重度“-19”不能小于0。");
  EXPECT_EQ(view.events.back(), "problem ") << "no field of this window to put the focus in";
}

TEST_F(Downdrag, ANewMainPressRefreshesTheLayersAndClearsTheResultButKeepsTheEntries) {
  FillTypicalUse();
  Compute();
  ASSERT_TRUE(window.CommandEnabled(kCopyReport));
  Pick(main, controls::kLayerCount, "3.0");
  main.SetText(controls::UnitWeight(3), "20");
  main.SetText(controls::Thickness(3), "1.0");
  PressMain();
  EXPECT_EQ(window.Text(kResult), window.Row(kResult).caption) << "no Qgn of other layers";
  EXPECT_FALSE(window.CommandEnabled(kCopyReport));
  EXPECT_TRUE(window.Visible(Coefficient(3)));
  EXPECT_EQ(window.Text(UnitWeight(3)), "20");
  EXPECT_EQ(window.Text(Coefficient(1)), "0.30") << "its own entries stay";
  EXPECT_EQ(window.Text(Coefficient(3)), "0.25") << "the new layer n pre-filled";
  EXPECT_EQ(window.Text(kSize), "0.6");
  // A press that fails brings nothing.
  main.SetText(controls::Thickness(3), "x");
  PressMain();
  EXPECT_EQ(window.Text(UnitWeight(3)), "20");
}

TEST_F(Downdrag, ItsListsShowWhatTheyPicked) {
  Pick(window, kShape, "方桩");
  EXPECT_EQ(window.Text(kSizeLabel), "边长b（m）");
  Pick(window, kShape, "圆桩");
  EXPECT_EQ(window.Text(kSizeLabel), "桩径d（m）");
  Pick(window, kPileKind, "群桩");
  for (const ControlKey control : {kSpacingXLabel, kSpacingX, kSpacingYLabel, kSpacingY}) {
    EXPECT_TRUE(window.Visible(control)) << DisplayName(control);
  }
  window.SetText(kPileKind, "随便");  // typing picks nothing: nothing changes
  EXPECT_TRUE(window.Visible(kSpacingX));
  Pick(window, kPileKind, "单桩");
  EXPECT_FALSE(window.Visible(kSpacingY));
}

}  // namespace
}  // namespace tavrelo::ui
