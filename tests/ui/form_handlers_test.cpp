#include "ui/form_handlers.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "tests/support/printers.h"
#include "tests/support/recording_view.h"
#include "tests/support/typical_use.h"

namespace tavrelo::ui {
namespace {

using testing_support::kSurcharge;
using testing_support::kSurchargeSentence;
using testing_support::kTypicalSentence;
using testing_support::kTypicalUse;

// The form with its handlers connected and failures recorded.
class Form : public testing::Test {
 protected:
  Form() {
    ConnectHandlers(model);
    model.SetView(&view);
  }

  void Pick(ControlKey combo, std::string_view entry) {
    EXPECT_TRUE(testing_support::PickEntry(model, combo, entry))
        << entry << " is not in the list of " << DisplayName(combo);
  }
  void PickAll(std::span<const testing_support::EntryPick> picks) {
    testing_support::ApplyPicks(picks, [this](ControlKey combo, std::string_view entry) { Pick(combo, entry); });
  }
  void FillTypicalUse() { PickAll(kTypicalUse); }

  std::vector<bool> RowsVisible() const {
    std::vector<bool> rows;
    for (int k = 1; k <= 5; ++k) rows.push_back(model.Visible({"Combo3", k - 1}));
    return rows;
  }

  // Every text of the form, to see that a failed press changes none.
  std::vector<std::string> AllTexts() const {
    std::vector<std::string> texts;
    for (const ControlSpec& row : model.Inventory()) texts.push_back(model.Text({row.name, row.index}));
    return texts;
  }

  void Press() { model.Press({"Command1"}); }

  FormModel model;
  testing_support::RecordingView view;
  // Every failed press's message and field, oldest first.
  const std::vector<InputProblem>& problems = view.problems;
};

// --- Layer count --------------------------------------------------------------

struct RowsCase {
  const char* entry;
  int visibleRows;
};

class LayerCountPick : public Form, public testing::WithParamInterface<RowsCase> {};

TEST_P(LayerCountPick, ShowsThatManyRowsWithAllTheirControls) {
  Pick({"Combo1"}, "3.0");  // start from a state that differs from the start-up one
  Pick({"Combo1"}, GetParam().entry);
  for (int k = 1; k <= 5; ++k) {
    const bool shown = k <= GetParam().visibleRows;
    for (const ControlKey key : {ControlKey{"Label3", k}, ControlKey{"Combo2", k - 1}, ControlKey{"Combo3", k - 1},
                                 ControlKey{"Combo4", k - 1}, ControlKey{"Combo4", k + 4}}) {
      EXPECT_EQ(model.Visible(key), shown) << DisplayName(key);
    }
  }
  EXPECT_TRUE(model.Visible({"Label3", 0})) << "the heading row stays";
}

INSTANTIATE_TEST_SUITE_P(EveryEntry, LayerCountPick,
                         testing::Values(RowsCase{"1.0", 1}, RowsCase{"2.0", 2}, RowsCase{"3.0", 3}, RowsCase{"4.0", 4},
                                         RowsCase{"5.0", 5}),
                         [](const auto& row) { return "Rows" + std::to_string(row.param.visibleRows); });

TEST_F(Form, HiddenRowsKeepTheirTexts) {
  Pick({"Combo1"}, "4.0");
  Pick({"Combo3", 3}, "19.5");
  model.SetText({"Combo2", 2}, "淤泥质土");
  Pick({"Combo1"}, "2.0");
  EXPECT_EQ(RowsVisible(), (std::vector<bool>{true, true, false, false, false}));
  Pick({"Combo1"}, "4.0");
  EXPECT_EQ(RowsVisible(), (std::vector<bool>{true, true, true, true, false}));
  EXPECT_EQ(model.Text({"Combo3", 3}), "19.5");
  EXPECT_EQ(model.Text({"Combo2", 2}), "淤泥质土");
}

TEST_F(Form, TypedLayerCountChangesNoRowButCounts) {
  model.SetText({"Combo1"}, "3");
  EXPECT_EQ(RowsVisible(), std::vector<bool>(5, true));
  for (int i = 0; i < 3; ++i) {
    model.SetText({"Combo3", i}, "18");
    model.SetText({"Combo4", i + 5}, "2");
  }
  model.SetText({"Combo4", 8}, "not read");
  Pick({"Combo5"}, "降低地下水");
  Pick({"Combo6"}, "0.3");
  Press();
  ASSERT_TRUE(problems.empty());
  // Three layers of 18 kN/m³ and 2 m: σ = 18 · 5 = 90, qsi = 27.
  EXPECT_EQ(
      model.Text({"Text1"}),
      "当降低地下水时， 桩周第3层土平均竖向有效应力σi'为：90.00 kn/m2   桩侧负摩阻力标准值qsi = ξn * σi'＝27.0 kn/m2");
}

TEST_F(Form, LayerCountHandlerIgnoresTextsOutsideOneToFive) {
  Pick({"Combo1"}, "2.0");
  for (const char* typed : {"6", "2.5", "abc", ""}) {
    model.SetText({"Combo1"}, typed);
    Combo1_Click(model);
    EXPECT_EQ(RowsVisible(), (std::vector<bool>{true, true, false, false, false})) << typed;
  }
}

// --- Cause ----------------------------------------------------------------------

TEST_F(Form, CausePickShowsTheLoadFieldOnlyForASurfaceLoad) {
  model.SetText({"Combo7"}, "15");
  Pick({"Combo5"}, "降低地下水");
  EXPECT_FALSE(model.Visible({"Label7"}));
  EXPECT_FALSE(model.Visible({"Combo7"}));
  Pick({"Combo5"}, "地面有满布荷载");
  EXPECT_TRUE(model.Visible({"Label7"}));
  EXPECT_TRUE(model.Visible({"Combo7"}));
  EXPECT_EQ(model.Text({"Combo7"}), "15");
}

TEST_F(Form, UnknownCauseChangesNothing) {
  Pick({"Combo5"}, "降低地下水");
  model.SetText({"Combo5"}, "地面有满布荷载 ");
  Combo5_Click(model);
  EXPECT_FALSE(model.Visible({"Combo7"}));
}

TEST_F(Form, TypingACauseRunsNoHandler) {
  model.SetText({"Combo5"}, "降低地下水");
  EXPECT_TRUE(model.Visible({"Combo7"}));
}

// --- Compute ----------------------------------------------------------------------

TEST_F(Form, TypicalUseGivesItsSentence) {
  FillTypicalUse();
  Press();
  EXPECT_TRUE(problems.empty());
  EXPECT_EQ(model.Text({"Text1"}), kTypicalSentence);
}

TEST_F(Form, SurfaceLoadGivesItsSentence) {
  FillTypicalUse();
  PickAll(kSurcharge);
  Press();
  EXPECT_EQ(model.Text({"Text1"}), kSurchargeSentence);
}

TEST_F(Form, PressingTwiceLeavesOneSentence) {
  FillTypicalUse();
  Press();
  Press();
  EXPECT_EQ(model.Text({"Text1"}), kTypicalSentence);
}

TEST_F(Form, SoilNamesAndElevationsNeverChangeTheSentence) {
  FillTypicalUse();
  for (int i = 0; i < 5; ++i) {
    model.SetText({"Combo2", i}, i % 2 ? "粉质粘土" : "not a soil");
    model.SetText({"Combo4", i}, i % 2 ? "-12.5" : "abc");
  }
  Press();
  EXPECT_EQ(model.Text({"Text1"}), kTypicalSentence);
}

TEST_F(Form, HiddenFieldsAreReadAsTheyStand) {
  FillTypicalUse();
  model.SetVisible({"Combo3", 1}, false);  // a hidden field still counts
  Press();
  EXPECT_EQ(model.Text({"Text1"}), kTypicalSentence);
}

TEST_F(Form, PressKeepsFieldsAndVisibility) {
  FillTypicalUse();
  const auto before = AllTexts();
  std::vector<bool> visible;
  for (const ControlSpec& row : model.Inventory()) visible.push_back(model.Visible({row.name, row.index}));
  Press();
  auto after = AllTexts();
  const std::size_t result = model.Position({"Text1"}).value();
  after[result] = before[result];
  EXPECT_EQ(after, before);
  for (std::size_t i = 0; i < visible.size(); ++i) {
    const ControlSpec& row = model.Inventory()[i];
    EXPECT_EQ(model.Visible({row.name, row.index}), visible[i]) << row.name;
  }
}

// --- Failed presses -----------------------------------------------------------

struct FailureCase {
  const char* name;
  std::vector<std::pair<ControlKey, std::string>> changes;  // applied after the typical use
  std::string message;
  ControlKey field;
};

class FailedPress : public Form, public testing::WithParamInterface<FailureCase> {};

TEST_P(FailedPress, ReportsOneProblemAndChangesNothing) {
  FillTypicalUse();
  for (const auto& [control, text] : GetParam().changes) model.SetText(control, text);
  const auto before = AllTexts();
  Press();
  ASSERT_EQ(problems.size(), 1U);
  EXPECT_EQ(problems[0].message, GetParam().message);
  EXPECT_EQ(problems[0].field, GetParam().field);
  EXPECT_EQ(AllTexts(), before) << "Text1 and every field as they were";
}

const std::string kLong(100, 'x');

INSTANTIATE_TEST_SUITE_P(
    EveryKind, FailedPress,
    testing::Values(
        FailureCase{
            "ThicknessNotANumber", {{{"Combo4", 6}, "abc"}}, "第2层的土层厚“abc”不是有效的数字。", {"Combo4", 6}},
        FailureCase{"UnitWeightEmpty", {{{"Combo3", 0}, ""}}, "第1层的重度为空，请输入数值。", {"Combo3", 0}},
        FailureCase{
            "ThicknessBeyondRange", {{{"Combo4", 6}, "1e39"}}, "第2层的土层厚“1e39”超出了数值范围。", {"Combo4", 6}},
        FailureCase{"ZeroThicknessSum",
                    {{{"Combo4", 5}, "0"}, {{"Combo4", 6}, "0"}},
                    "各层土层厚之和为0，无法计算平均重度。",
                    {"Combo4", 5}},
        FailureCase{
            "Overflow", {{{"Combo3", 0}, "1e308"}, {{"Combo4", 5}, "1e10"}}, "数值过大，计算溢出。", {"Combo3", 0}},
        FailureCase{
            "CoefficientNotANumber", {{{"Combo6"}, "0,25"}}, "负摩阻力系数ξn“0,25”不是有效的数字。", {"Combo6"}},
        FailureCase{"LoadEmpty", {{{"Combo5"}, "地面有满布荷载"}}, "荷载p为空，请输入数值。", {"Combo7"}},
        FailureCase{"LayerCountEmpty", {{{"Combo1"}, ""}}, "持力层以上土层数为空，请输入数值。", {"Combo1"}},
        FailureCase{"LayerCountNotANumber", {{{"Combo1"}, "两"}}, "持力层以上土层数“两”不是有效的数字。", {"Combo1"}},
        FailureCase{"LayerCountOutsideOneToFive", {{{"Combo1"}, "6"}}, "持力层以上土层数应为1至5。", {"Combo1"}},
        FailureCase{
            "LayerCountNotWhole", {{{"Combo1"}, "2.5"}, {{"Combo6"}, ""}}, "持力层以上土层数应为1至5。", {"Combo1"}},
        FailureCase{"CauseEmpty", {{{"Combo5"}, ""}}, "请从列表中选择负摩阻力产生原因。", {"Combo5"}},
        FailureCase{"CauseWithTrailingBlank",
                    {{{"Combo5"}, "降低地下水 "}, {{"Combo3", 1}, "x"}},
                    "请从列表中选择负摩阻力产生原因。",
                    {"Combo5"}},
        FailureCase{"LongTextIsShortened",
                    {{{"Combo3", 1}, kLong}},
                    "第2层的重度“" + std::string(20, 'x') + "…”不是有效的数字。",
                    {"Combo3", 1}},
        FailureCase{"ChineseTextIsShortenedByCharacters",
                    {{{"Combo3", 1}, "一二三四五六七八九十一二三四五六七八九十一"}},
                    "第2层的重度“一二三四五六七八九十一二三四五六七八九十…”不是有效的数字。",
                    {"Combo3", 1}}),
    [](const auto& row) { return std::string(row.param.name); });

TEST_F(Form, FreshFormFailsOnTheEmptyLayerCount) {
  const std::string note = model.Text({"Text1"});
  Press();
  ASSERT_EQ(problems.size(), 1U);
  EXPECT_EQ(problems[0].field, (ControlKey{"Combo1"}));
  EXPECT_EQ(model.Text({"Text1"}), note);
}

// "gamma3" and the like: a text that names the field it was typed into.
template <typename Number>
std::string Numbered(std::string prefix, Number number) {
  return prefix += std::to_string(number);
}

TEST(FieldControls, EachInputComesFromItsField) {
  FormModel model;
  model.SetText({"Combo1"}, "count");
  for (int i = 0; i < 5; ++i) {
    model.SetText({"Combo3", i}, Numbered("gamma", i + 1));
    model.SetText({"Combo4", i + 5}, Numbered("h", i + 1));
    model.SetText({"Combo4", i}, "elevation");
  }
  model.SetText({"Combo5"}, "cause");
  model.SetText({"Combo6"}, "xi");
  model.SetText({"Combo7"}, "p");
  const FrictionInput input = ReadFrictionInput(model);
  EXPECT_EQ(input.layerCountText, "count");
  for (std::size_t i = 0; i < 5; ++i) {
    EXPECT_EQ(input.layers[i].unitWeightText, Numbered("gamma", i + 1));
    EXPECT_EQ(input.layers[i].thicknessText, Numbered("h", i + 1));
  }
  EXPECT_EQ(input.causeText, "cause");
  EXPECT_EQ(input.coefficientText, "xi");
  EXPECT_EQ(input.loadText, "p");
}

}  // namespace
}  // namespace tavrelo::ui

// --- The calculation steps ----------------------------------------------------

namespace tavrelo::ui {
namespace {

// The steps, and the layered calculation beside them, stay those of the
// press that wrote the sentence in Text1.
TEST_F(Form, StepsBelongToThePressThatWroteTheSentence) {
  EXPECT_EQ(model.CommandCopy(controls::kCopySteps).text, "") << "nothing to copy before the first sentence";
  EXPECT_EQ(model.CommandCopy(controls::kCopyLayered).text, "");
  EXPECT_FALSE(model.CommandEnabled(controls::kCopySteps));
  EXPECT_FALSE(model.CommandEnabled(controls::kCopyLayered));
  FillTypicalUse();
  Press();
  EXPECT_TRUE(model.CommandEnabled(controls::kCopySteps));
  EXPECT_TRUE(model.CommandEnabled(controls::kCopyLayered));
  const std::string typical = model.CommandCopy(controls::kCopySteps).text;
  const std::string layered = model.CommandCopy(controls::kCopyLayered).text;
  EXPECT_NE(layered.find("= 0.25 × 64.50 = 16.1 kN/m²\n"), std::string::npos) << layered;
  EXPECT_TRUE(typical.starts_with("桩侧负摩阻力计算（降低地下水）\n")) << typical;
  EXPECT_NE(typical.find("= 0.25 × 65.10 = 16.3 kN/m²\n"), std::string::npos) << typical;

  model.SetText(controls::kCoefficient, "0.3");  // an edit after the press
  EXPECT_EQ(model.CommandCopy(controls::kCopySteps).text, typical);
  model.SetText(controls::Thickness(2), "abc");  // then a press that fails
  Press();
  ASSERT_EQ(problems.size(), 1U);
  EXPECT_EQ(model.CommandCopy(controls::kCopySteps).text, typical);
  EXPECT_EQ(model.CommandCopy(controls::kCopyLayered).text, layered);

  model.SetText(controls::Thickness(2), "3.0");
  Press();
  EXPECT_NE(model.CommandCopy(controls::kCopySteps).text.find("= 0.3 × 65.10 = 19.5 kN/m²\n"), std::string::npos);
  EXPECT_NE(model.CommandCopy(controls::kCopyLayered).text.find("= 0.3 × 64.50 = 19.4 kN/m²\n"), std::string::npos)
      << model.CommandCopy(controls::kCopyLayered).text;
}

// Both reports go as HTML as well, with the soil names the press found.
TEST_F(Form, ReportsCarryTheirHtmlWithThePressSoilNames) {
  FillTypicalUse();
  model.SetText(controls::SoilName(1), "粉质粘土");
  model.SetText(controls::SoilName(2), "<粉土>");
  Press();
  model.SetText(controls::SoilName(1), "杂填土");  // after the press
  for (const std::size_t command : {controls::kCopySteps, controls::kCopyLayered}) {
    const std::string& html = model.CommandCopy(command).html;
    EXPECT_TRUE(html.starts_with("<h2 ")) << html;
    EXPECT_NE(html.find(">粉质粘土</td>"), std::string::npos) << html;
    EXPECT_NE(html.find(">&lt;粉土&gt;</td>"), std::string::npos) << html;
    EXPECT_EQ(html.find("杂填土"), std::string::npos) << html;
  }
}

// --- What a screen reader is told ---------------------------------------------

TEST_F(Form, OnlyASuccessfulPressAnnouncesItsSentenceOnceWritten) {
  // The empty form fails: its message speaks for it, then the field at
  // fault takes the focus; nothing is written or read out.
  Press();
  EXPECT_THAT(view.events, testing::ElementsAre("problem Combo1", "focus Combo1"));
  FillTypicalUse();
  view.events.clear();
  Press();
  EXPECT_THAT(view.events, testing::ElementsAre("text Text1 " + std::string(kTypicalSentence), "announce Text1"));
}

}  // namespace
}  // namespace tavrelo::ui
