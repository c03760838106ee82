// The combo boxes behave as list fields of the form: typing is typing (no
// completion, no pick, no change to the list), and a pick by pointer or
// arrow key is one selection event with the text already in the model.
#include "tests/binding_cases/binding_test.h"

namespace tavrelo::ui {
namespace {

using testing_support::BindingTest;
using testing_support::DriverKey;

class ComboBoxes : public BindingTest {
 protected:
  // Counts the layer count's selection events and the model text each saw.
  void WatchLayerCount() {
    model.OnSelect(controls::kLayerCount, [this] { seenTexts.push_back(model.Text(controls::kLayerCount)); });
  }
  std::vector<std::string> seenTexts;
};

TEST_F(ComboBoxes, OpenEmptyWithNothingSelectedAndTheirWholeList) {
  for (const ControlSpec& row : model.Inventory()) {
    if (row.kind != ControlKind::ComboBox) continue;
    const ControlKey key = row.Key();
    EXPECT_EQ(driver->Shown(key), "") << DisplayName(key);
    EXPECT_EQ(driver->ShownIndex(key), -1) << DisplayName(key);
    EXPECT_EQ(driver->ListEntries(key), std::vector<std::string>(row.list.begin(), row.list.end())) << DisplayName(key);
  }
}

TEST_F(ComboBoxes, TypingIsNotCompletedInline) {
  driver->Type(controls::kLayerCount, "3");  // "3.0" is in the list
  EXPECT_EQ(driver->Shown(controls::kLayerCount), "3");
  EXPECT_EQ(model.Text(controls::kLayerCount), "3");
  driver->Type(controls::kCoefficient, "0.2");  // so are "0.2" and "0.21"
  EXPECT_EQ(driver->Shown(controls::kCoefficient), "0.2");
  EXPECT_EQ(model.Text(controls::kCoefficient), "0.2");
}

// Characters beyond the Basic Multilingual Plane come as two UTF-16 units
// each, typed one after the other; a selection they replace goes.
TEST_F(ComboBoxes, TypedCharactersBeyondTheBasicPlaneStayWhole) {
  driver->Type(controls::kLoad, "0.26");
  driver->Focus(controls::kLoad);
  driver->Key(DriverKey::CtrlA);
  driver->TypeHere("🏗️𠀀1😀");
  EXPECT_EQ(driver->Shown(controls::kLoad), "🏗️𠀀1😀");
  EXPECT_EQ(model.Text(controls::kLoad), "🏗️𠀀1😀");
}

// Undo and redo in a field that was never typed into change nothing; above
// all not the field typed into last.
TEST_F(ComboBoxes, UndoAndRedoStayInTheFieldTheyArePressedIn) {
  driver->Type(controls::SoilName(1), "粉土");
  driver->TypeHere("层");
  driver->Focus(controls::kLoad);
  for (const DriverKey key : {DriverKey::CtrlZ, DriverKey::CtrlZ, DriverKey::CtrlY, DriverKey::CtrlShiftZ}) {
    driver->Key(key);
    EXPECT_EQ(driver->Shown(controls::SoilName(1)), "粉土层") << KeyName(key);
    EXPECT_EQ(driver->Shown(controls::kLoad), "") << KeyName(key);
  }
  EXPECT_EQ(model.Text(controls::SoilName(1)), "粉土层");
  EXPECT_EQ(model.Text(controls::kLoad), "");
}

TEST_F(ComboBoxes, EnterOnATypedEntryIsNoPick) {
  WatchLayerCount();
  driver->Type(controls::kLayerCount, "2.0");
  driver->Key(DriverKey::Enter);
  driver->Key(DriverKey::KeypadEnter);
  EXPECT_TRUE(seenTexts.empty());
  EXPECT_EQ(model.Selection(controls::kLayerCount), std::nullopt);
  EXPECT_EQ(model.Text(controls::kLayerCount), "2.0");
}

TEST_F(ComboBoxes, LeavingATypedEntryIsNoPick) {
  WatchLayerCount();
  driver->Type(controls::kLayerCount, "3.0");
  driver->Focus(controls::SoilName(1));
  EXPECT_TRUE(seenTexts.empty());
  EXPECT_EQ(model.Text(controls::kLayerCount), "3.0");
}

TEST_F(ComboBoxes, EnterNeverAddsToTheList) {
  const auto list = model.Row(controls::kLoad).list;
  driver->Type(controls::kLoad, "7.5");
  driver->Key(DriverKey::Enter);
  EXPECT_EQ(driver->ListEntries(controls::kLoad), std::vector<std::string>(list.begin(), list.end()));
  EXPECT_EQ(model.Text(controls::kLoad), "7.5");
}

TEST_F(ComboBoxes, ArrowKeysPickOnceWithTheTextInPlace) {
  WatchLayerCount();
  driver->Focus(controls::kLayerCount);
  driver->Key(DriverKey::Down);
  driver->Key(DriverKey::Down);
  driver->Key(DriverKey::Up);
  EXPECT_EQ(seenTexts, (std::vector<std::string>{"1.0", "2.0", "1.0"}));
  EXPECT_EQ(model.Selection(controls::kLayerCount), 0);
  EXPECT_EQ(driver->Shown(controls::kLayerCount), "1.0");
}

TEST_F(ComboBoxes, TheWheelStepsLikeTheArrowKeys) {
  driver->PickByPointer(controls::kLayerCount, "3.0");
  WatchLayerCount();
  driver->Wheel(controls::kLayerCount, true);
  driver->Wheel(controls::kLayerCount, true);
  driver->Wheel(controls::kLayerCount, false);
  EXPECT_EQ(seenTexts, (std::vector<std::string>{"2.0", "1.0", "2.0"}));
  EXPECT_EQ(driver->Shown(controls::kLayerCount), "2.0");
  EXPECT_EQ(driver->ShownIndex(controls::kLayerCount), 1);
  EXPECT_EQ(driver->Focused(), "Combo1");
}

// The list opened from the keyboard, the highlight moved or not: Enter
// picks the entry the highlight is on, and closes the list.
struct ListKeysCase {
  const char* name;
  std::vector<DriverKey> keys;
};

void PrintTo(const ListKeysCase& row, std::ostream* out) { *out << row.name; }

class ListKeys : public ComboBoxes, public testing::WithParamInterface<ListKeysCase> {};

TEST_P(ListKeys, EnterPicksTheHighlightedEntry) {
  driver->PickByPointer(controls::kLayerCount, "3.0");
  driver->Type(controls::kLayerCount, "9");
  WatchLayerCount();
  for (const DriverKey key : GetParam().keys) driver->Key(key);
  const std::optional<testing_support::OpenedList> open = driver->OpenList();
  ASSERT_TRUE(open.has_value());
  EXPECT_EQ(open->combo, "Combo1");
  ASSERT_GE(open->highlighted, 0);
  ASSERT_LT(open->highlighted, static_cast<int>(lists::kLayerCounts.size()));
  const std::string highlighted(lists::kLayerCounts[static_cast<std::size_t>(open->highlighted)]);
  driver->Key(DriverKey::Enter);
  EXPECT_EQ(driver->OpenList(), std::nullopt);
  ASSERT_FALSE(seenTexts.empty());
  EXPECT_EQ(seenTexts.back(), highlighted);
  EXPECT_EQ(driver->Shown(controls::kLayerCount), highlighted);
  EXPECT_EQ(model.Text(controls::kLayerCount), highlighted);
}

INSTANTIATE_TEST_SUITE_P(OpenedByKeyboard, ListKeys,
                         testing::Values(ListKeysCase{"F4", {DriverKey::F4}},
                                         ListKeysCase{"AltDownThenDown", {DriverKey::AltDown, DriverKey::Down}}),
                         [](const auto& row) { return std::string(row.param.name); });

TEST_F(ComboBoxes, PointerPickRaisesOneEventWithThePickedText) {
  WatchLayerCount();
  driver->Type(controls::kLayerCount, "9");
  driver->PickByPointer(controls::kLayerCount, "3.0");
  EXPECT_EQ(seenTexts, std::vector<std::string>{"3.0"});
  EXPECT_EQ(model.Selection(controls::kLayerCount), 2);
  EXPECT_EQ(driver->Shown(controls::kLayerCount), "3.0");
  EXPECT_EQ(driver->ShownIndex(controls::kLayerCount), 2);
}

TEST_F(ComboBoxes, ModelTextAndSelectionReachTheWindow) {
  model.SetText(controls::Thickness(3), "12.5");
  EXPECT_EQ(driver->Shown(controls::Thickness(3)), "12.5");
  model.Select(controls::kCause, 1);
  EXPECT_EQ(driver->Shown(controls::kCause), "地面有满布荷载");
  EXPECT_EQ(driver->ShownIndex(controls::kCause), 1);
}

}  // namespace
}  // namespace tavrelo::ui
