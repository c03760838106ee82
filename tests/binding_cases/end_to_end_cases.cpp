// The whole job through the real window: picks by pointer, typing, a click
// on "计算", and what the result box, the fields and the message box show.
#include "tests/binding_cases/binding_test.h"
#include "ui/form_handlers.h"

namespace tavrelo::ui {
namespace {

using testing_support::BindingTest;
using testing_support::DriverKey;
using testing_support::EntryPick;
using testing_support::kSurcharge;
using testing_support::kSurchargeSentence;
using testing_support::kTypicalSentence;
using testing_support::ShownMessage;

using EndToEnd = BindingTest;

TEST_F(EndToEnd, TypicalUseShowsItsSentence) {
  FillTypicalUse();
  EXPECT_EQ(RowsShown(), (std::vector<bool>{true, true, false, false, false}));
  EXPECT_FALSE(driver->IsShown(controls::kLoad));
  EXPECT_FALSE(driver->IsShown(controls::kLoadLabel));
  driver->ClickCompute();
  EXPECT_EQ(driver->Shown(controls::kResult), kTypicalSentence);
  EXPECT_TRUE(driver->Messages().empty());
}

TEST_F(EndToEnd, SurfaceLoadShowsItsSentence) {
  FillTypicalUse();
  driver->PickByPointer(kSurcharge[0].control, kSurcharge[0].entry);
  EXPECT_TRUE(driver->IsShown(controls::kLoad));
  EXPECT_TRUE(driver->IsShown(controls::kLoadLabel));
  driver->PickByPointer(kSurcharge[1].control, kSurcharge[1].entry);
  driver->ClickCompute();
  EXPECT_EQ(driver->Shown(controls::kResult), kSurchargeSentence);
}

TEST_F(EndToEnd, PressingTwiceLeavesOneSentence) {
  FillTypicalUse();
  driver->ClickCompute();
  driver->ClickCompute();
  EXPECT_EQ(driver->Shown(controls::kResult), kTypicalSentence);
}

// Two clicks close together are two presses, whatever took the focus in
// between, and the second takes it back to the button as the first did.
TEST_F(EndToEnd, ASecondClickSoonAfterPressesAgainAndTakesTheFocus) {
  FillTypicalUse();
  int presses = 0;
  model.OnPress(controls::kCompute, [this, &presses] {
    ++presses;
    Command1_Click(model);
  });
  driver->ClickCompute();
  driver->Focus(controls::kResult);
  driver->ClickCompute();
  EXPECT_EQ(presses, 2);
  EXPECT_EQ(driver->Focused(), "Command1");
  EXPECT_EQ(driver->Shown(controls::kResult), kTypicalSentence);
}

TEST_F(EndToEnd, TypedTextIsWhatThePressReads) {
  FillTypicalUse();
  driver->Type(controls::Thickness(2), "2.3");
  driver->Type(controls::kLayerCount, "2");
  driver->ClickCompute();
  EXPECT_EQ(driver->Shown(controls::kResult),
            "当降低地下水时， 桩周第2层土平均竖向有效应力σi'为：58.38 kn/m2   "
            "桩侧负摩阻力标准值qsi = ξn * σi'＝14.6 kn/m2");
}

struct RowsCase {
  const char* entry;
  std::vector<bool> rows;
};

class LayerCountPicks : public BindingTest, public testing::WithParamInterface<RowsCase> {};

TEST_P(LayerCountPicks, ShowOnlyThatManyRows) {
  driver->PickByPointer(controls::kLayerCount, "4.0");
  driver->PickByPointer(controls::kLayerCount, GetParam().entry);
  EXPECT_EQ(RowsShown(), GetParam().rows);
  for (int k = 1; k <= controls::kLayerRows; ++k) {
    for (const ControlKey key : controls::LayerRow(k)) {
      EXPECT_EQ(driver->IsShown(key), GetParam().rows[static_cast<std::size_t>(k - 1)]) << DisplayName(key);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(EveryEntry, LayerCountPicks,
                         testing::Values(RowsCase{"1.0", {true, false, false, false, false}},
                                         RowsCase{"2.0", {true, true, false, false, false}},
                                         RowsCase{"3.0", {true, true, true, false, false}},
                                         RowsCase{"4.0", {true, true, true, true, false}},
                                         RowsCase{"5.0", {true, true, true, true, true}}),
                         [](const auto& row) { return "Entry" + std::string(1, row.param.entry[0]); });

TEST_F(EndToEnd, HiddenRowsComeBackWithTheirTexts) {
  driver->PickByPointer(controls::kLayerCount, "4.0");
  driver->PickByPointer(controls::SoilName(3), "粉质粘土");
  driver->Type(controls::Thickness(4), "4.75");
  driver->PickByPointer(controls::kLayerCount, "2.0");
  EXPECT_FALSE(driver->IsShown(controls::Thickness(4)));
  driver->PickByPointer(controls::kLayerCount, "4.0");
  EXPECT_TRUE(driver->IsShown(controls::Thickness(4)));
  EXPECT_EQ(driver->Shown(controls::SoilName(3)), "粉质粘土");
  EXPECT_EQ(driver->Shown(controls::Thickness(4)), "4.75");
}

TEST_F(EndToEnd, TypedLayerCountComputesWithoutHidingRows) {
  for (int k = 1; k <= 3; ++k) {
    driver->PickByPointer(controls::UnitWeight(k), "20");
    driver->PickByPointer(controls::Thickness(k), "1.0");
  }
  driver->Type(controls::kLayerCount, "3");
  driver->Key(DriverKey::Enter);
  EXPECT_EQ(RowsShown(), std::vector<bool>(controls::kLayerRows, true));
  driver->PickByPointer(controls::kCause, "降低地下水");
  driver->PickByPointer(controls::kCoefficient, "0.2");
  driver->ClickCompute();
  // Three layers of 20 kN/m³ and 1 m: σ = 20 · 2.5 = 50, qsi = 10.
  EXPECT_EQ(driver->Shown(controls::kResult),
            "当降低地下水时， 桩周第3层土平均竖向有效应力σi'为：50.00 kn/m2   "
            "桩侧负摩阻力标准值qsi = ξn * σi'＝10.0 kn/m2");
}

TEST_F(EndToEnd, SoilNamesAndElevationsNeverChangeTheSentence) {
  FillTypicalUse();
  driver->PickByPointer(controls::SoilName(1), "杂填土");
  driver->PickByPointer(controls::SoilName(2), "粉砂");
  driver->PickByPointer(controls::Elevation(1), "3.5");
  driver->Type(controls::Elevation(2), "abc");
  driver->ClickCompute();
  EXPECT_EQ(driver->Shown(controls::kResult), kTypicalSentence);
}

// --- Failed presses -----------------------------------------------------------

struct FailureCase {
  const char* name;
  ControlKey typedInto;
  const char* typed;
  const char* message;
  ControlKey blamed;
};

class FailedPresses : public BindingTest, public testing::WithParamInterface<FailureCase> {};

// Three layers, so that a third thickness can cancel the first two.
constexpr EntryPick kThirdLayer[] = {
    {controls::kLayerCount, "3.0"}, {controls::UnitWeight(3), "20"}, {controls::Thickness(3), "2.0"}};

TEST_P(FailedPresses, ShowOneMessageChangeNothingAndFocusTheFieldAtFault) {
  FillTypicalUse();
  PickAll(kThirdLayer);
  driver->Type(GetParam().typedInto, GetParam().typed);
  driver->Focus(controls::kCoefficient);  // the press must move the focus to the field at fault
  const std::vector<std::string> before = FieldsShown();
  const std::vector<bool> rowsBefore = RowsShown();
  driver->ClickCompute();
  EXPECT_EQ(driver->Messages(), (std::vector<ShownMessage>{{std::string(kProblemTitle), GetParam().message}}));
  EXPECT_EQ(FieldsShown(), before);
  EXPECT_EQ(RowsShown(), rowsBefore);
  const ControlKey blamed = GetParam().blamed;
  EXPECT_EQ(driver->Focused(), DisplayName(blamed));
  EXPECT_EQ(driver->SelectedText(blamed), driver->Shown(blamed)) << "the whole text selected";
}

INSTANTIATE_TEST_SUITE_P(EveryKind, FailedPresses,
                         testing::Values(FailureCase{"NotANumber", controls::Thickness(2), "abc",
                                                     "第2层的土层厚“abc”不是有效的数字。", controls::Thickness(2)},
                                         FailureCase{"ZeroThicknessSum", controls::Thickness(3), "-5",
                                                     "各层土层厚之和为0，无法计算平均重度。", controls::Thickness(1)},
                                         FailureCase{"Overflow", controls::UnitWeight(3), "1.7e308",
                                                     "数值过大，计算溢出。", controls::UnitWeight(3)},
                                         FailureCase{"LayerCountOutsideOneToFive", controls::kLayerCount, "6",
                                                     "持力层以上土层数应为1至5。", controls::kLayerCount},
                                         FailureCase{"UnknownCause", controls::kCause, "降低地下水 ",
                                                     "请从列表中选择负摩阻力产生原因。", controls::kCause},
                                         FailureCase{"EmptyCoefficient", controls::kCoefficient, "",
                                                     "负摩阻力系数ξn为空，请输入数值。", controls::kCoefficient}),
                         [](const auto& row) { return std::string(row.param.name); });

TEST_F(EndToEnd, FailureBlamingAHiddenFieldLeavesTheFocusAlone) {
  FillTypicalUse();
  driver->PickByPointer(controls::kCause, "地面有满布荷载");
  driver->Type(controls::kLoad, "");
  model.SetVisible(controls::kLoad, false);
  driver->Focus(controls::kCoefficient);
  driver->ClickCompute();
  const std::vector<ShownMessage> messages = driver->Messages();
  ASSERT_EQ(messages.size(), 1U);
  EXPECT_EQ(messages[0].text, "荷载p为空，请输入数值。");
  EXPECT_FALSE(driver->IsShown(controls::kLoad));
  EXPECT_NE(driver->Focused(), DisplayName(controls::kLoad));
}

TEST_F(EndToEnd, StartUpPressFailsAndKeepsTheNote) {
  const std::string note = driver->Shown(controls::kResult);
  driver->ClickCompute();
  EXPECT_EQ(driver->Messages().size(), 1U);
  EXPECT_EQ(driver->Shown(controls::kResult), note);
  EXPECT_TRUE(note.starts_with("此计算仅供参考！")) << note;
  EXPECT_EQ(note, model.Text(controls::kResult)) << "shown as the model holds it, line break as CR LF";
}

// A screen reader's user hears the new sentence at once, the focus left on
// "计算"; a failed press is told by its message box instead.
TEST_F(EndToEnd, OnlyASuccessfulPressIsReadOutAndTheFocusStays) {
  driver->ClickCompute();  // the empty form fails
  EXPECT_EQ(driver->Announcements(), std::vector<std::string>{});
  FillTypicalUse();
  driver->ClickCompute();
  EXPECT_EQ(driver->Focused(), "Command1");
  EXPECT_EQ(driver->Announcements(), std::vector<std::string>{std::string(kTypicalSentence)});
}

}  // namespace
}  // namespace tavrelo::ui
