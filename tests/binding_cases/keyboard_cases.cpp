// The keyboard: where the focus opens and where Tab and Shift+Tab take it,
// that Enter and Esc in a field leave the button alone, the names screen
// readers speak, and controls hidden through the model going and coming back
// with their state.
#include <algorithm>
#include <set>

#include "tests/binding_cases/binding_test.h"

namespace tavrelo::ui {
namespace {

using testing_support::BindingTest;
using testing_support::DriverKey;

// Down each column of the layer table, then the button, the result box and
// the related parameters.
const std::vector<std::string> kTabWalk = {
    "Combo1",                                                         // layer count
    "Combo2(0)", "Combo2(1)", "Combo2(2)", "Combo2(3)", "Combo2(4)",  // soil names
    "Combo3(0)", "Combo3(1)", "Combo3(2)", "Combo3(3)", "Combo3(4)",  // unit weights
    "Combo4(0)", "Combo4(1)", "Combo4(2)", "Combo4(3)", "Combo4(4)",  // layer-bottom elevations
    "Combo4(5)", "Combo4(6)", "Combo4(7)", "Combo4(8)", "Combo4(9)",  // thicknesses
    "Command1",  "Text1",     "Combo5",    "Combo6",    "Combo7"};

// The walk once round and back to the start, forwards or backwards.
std::vector<std::string> RoundTrip(std::vector<std::string> walk, DriverKey key) {
  if (key == DriverKey::ShiftTab) std::reverse(walk.begin() + 1, walk.end());
  walk.push_back(walk.front());
  return walk;
}

// Whether the UTF-8 text holds a CJK unified ideograph (U+4E00 to U+9FFF,
// three bytes each).
bool HasChineseCharacter(std::string_view text) {
  for (std::size_t i = 0; i + 2 < text.size(); ++i) {
    const auto byte = [&text](std::size_t at) { return static_cast<unsigned>(static_cast<unsigned char>(text[at])); };
    if ((byte(i) & 0xF0U) != 0xE0U) continue;
    const unsigned point = (byte(i) & 0x0FU) << 12U | (byte(i + 1) & 0x3FU) << 6U | (byte(i + 2) & 0x3FU);
    if (point >= 0x4E00U && point <= 0x9FFFU) return true;
  }
  return false;
}

using Keyboard = BindingTest;

TEST_F(Keyboard, FocusOpensInTheLayerCount) { EXPECT_EQ(driver->Focused(), "Combo1"); }

TEST_F(Keyboard, TabWalksDownEachColumnThenOnToTheParametersAndRoundAgain) {
  const std::vector<std::string> expected = RoundTrip(kTabWalk, DriverKey::Tab);
  EXPECT_EQ(Walk(expected.size()), expected);
}

TEST_F(Keyboard, ShiftTabWalksTheSameRoundBackwards) {
  const std::vector<std::string> expected = RoundTrip(kTabWalk, DriverKey::ShiftTab);
  EXPECT_EQ(Walk(expected.size(), DriverKey::ShiftTab), expected);
}

TEST_F(Keyboard, TabInTheResultBoxMovesOnInsteadOfTyping) {
  driver->Focus(controls::kResult);
  const std::string before = driver->Shown(controls::kResult);
  const std::string modelBefore = model.Text(controls::kResult);
  driver->Key(DriverKey::Tab);
  EXPECT_EQ(driver->Focused(), "Combo5");
  EXPECT_EQ(driver->Shown(controls::kResult), before);
  EXPECT_EQ(model.Text(controls::kResult), modelBefore);
}

TEST_F(Keyboard, HiddenRowIsSkippedBothWaysAndComesBackWithItsTexts) {
  driver->PickByPointer(controls::SoilName(3), "粉土");
  driver->Type(controls::UnitWeight(3), "18.2");
  driver->Type(controls::Thickness(3), "2.5");
  for (const ControlKey key : controls::LayerRow(3)) model.SetVisible(key, false);

  std::vector<std::string> walk;
  for (const std::string& name : kTabWalk) {
    if (name != "Combo2(2)" && name != "Combo3(2)" && name != "Combo4(2)" && name != "Combo4(7)") {
      walk.push_back(name);
    }
  }
  for (const DriverKey key : {DriverKey::Tab, DriverKey::ShiftTab}) {
    driver->Focus(controls::kLayerCount);
    const std::vector<std::string> expected = RoundTrip(walk, key);
    EXPECT_EQ(Walk(expected.size(), key), expected) << KeyName(key);
  }

  for (const ControlKey key : controls::LayerRow(3)) model.SetVisible(key, true);
  driver->Focus(controls::SoilName(2));
  EXPECT_EQ(Walk(2), (std::vector<std::string>{"Combo2(1)", "Combo2(2)"}));
  EXPECT_EQ(driver->Shown(controls::SoilName(3)), "粉土");
  EXPECT_EQ(driver->Shown(controls::UnitWeight(3)), "18.2");
  EXPECT_EQ(driver->Shown(controls::Thickness(3)), "2.5");
  EXPECT_EQ(model.Text(controls::UnitWeight(3)), "18.2");
}

// A click on what takes no focus (a label that names no field, a frame, a
// line of the reference table, the form's background) leaves the focus
// where it was, and picks and presses nothing.
TEST_F(Keyboard, ClickingWhatTakesNoFocusLeavesTheFocusWhereItWas) {
  int events = 0;
  model.OnPress(controls::kCompute, [&events] { ++events; });
  model.OnSelect(controls::kCoefficient, [&events] { ++events; });
  driver->PickByPointer(controls::kCoefficient, "0.25");
  events = 0;
  for (const ControlKey key : {controls::RowNumber(0), ControlKey{"Frame2"}, ControlKey{"Line14"}, controls::kForm}) {
    driver->Click(key);
    EXPECT_EQ(driver->Focused(), "Combo6") << DisplayName(key);
  }
  EXPECT_EQ(events, 0);
  EXPECT_EQ(driver->Shown(controls::kCoefficient), "0.25");
}

// A click into a field takes the focus, also when it comes soon after a
// click at the same spot and the focus went elsewhere in between.
TEST_F(Keyboard, ASecondClickIntoAFieldSoonAfterTakesTheFocusBack) {
  for (const ControlKey field : {controls::Thickness(1), controls::kResult}) {
    driver->Click(field);
    driver->Key(DriverKey::Tab);
    ASSERT_NE(driver->Focused(), DisplayName(field));
    driver->Click(field);
    EXPECT_EQ(driver->Focused(), DisplayName(field));
  }
}

// Command1 is neither the default nor the cancel button of the window.
TEST_F(Keyboard, EnterAndEscInAFieldNeverPressTheButton) {
  int presses = 0;
  model.OnPress(controls::kCompute, [&presses] { ++presses; });
  for (const ControlSpec& row : model.Inventory()) {
    if (!row.TakesFocus() || row.kind == ControlKind::CommandButton) continue;
    const std::string name = DisplayName(row.Key());
    for (const DriverKey key : {DriverKey::Enter, DriverKey::KeypadEnter, DriverKey::Escape}) {
      driver->Focus(row.Key());
      ASSERT_EQ(driver->Focused(), name);
      driver->Key(key);
      EXPECT_EQ(presses, 0) << name << ", " << KeyName(key);
    }
  }
  // The count does see a real press: Space on the focused button.
  driver->Focus(controls::kCompute);
  driver->Key(DriverKey::Space);
  EXPECT_EQ(presses, 1);
}

TEST_F(Keyboard, EveryFocusableControlHasItsOwnChineseAccessibleName) {
  std::set<std::string> names;
  int focusable = 0;
  for (const ControlSpec& row : model.Inventory()) {
    if (!row.TakesFocus()) continue;
    ++focusable;
    const std::string name = driver->AccessibleName(row.Key());
    const bool chinese = HasChineseCharacter(name);
    EXPECT_TRUE(chinese) << DisplayName(row.Key()) << ": \"" << name << '"';
    EXPECT_TRUE(names.insert(name).second) << "used twice: " << name;
  }
  EXPECT_EQ(focusable, static_cast<int>(kTabWalk.size()));
}

// An engineer reviews a filled form field by field before pressing "计算":
// each field is still called by its name, whatever it holds.
TEST_F(Keyboard, FilledFieldsKeepTheirNamesPickedOrTyped) {
  FillTypicalUse();
  driver->Type(controls::SoilName(1), "粉质粘土");
  driver->Type(controls::Elevation(2), "5");
  driver->Type(controls::kCoefficient, "0.3");
  for (const ControlSpec& row : model.Inventory()) {
    if (!row.TakesFocus()) continue;
    EXPECT_EQ(driver->AccessibleName(row.Key()), row.accessibleName) << DisplayName(row.Key());
  }
}

// --- Hiding through the model --------------------------------------------------

// Hiding takes effect on screen before anything else happens, and the
// control keeps what it showed: text, picked entry, list.
struct HidingCase {
  const char* name;
  ControlKey combo;
  const char* entry;  // picked, or nullptr
  const char* typed;  // typed after the pick, or nullptr
};

class Hiding : public BindingTest, public testing::WithParamInterface<HidingCase> {};

TEST_P(Hiding, HidesAtOnceAndKeepsTextSelectionAndList) {
  const ControlKey combo = GetParam().combo;
  if (GetParam().entry != nullptr) driver->PickByPointer(combo, GetParam().entry);
  if (GetParam().typed != nullptr) driver->Type(combo, GetParam().typed);
  const std::string text = driver->Shown(combo);
  const int index = driver->ShownIndex(combo);
  const std::vector<std::string> entries = driver->ListEntries(combo);
  const auto selection = model.Selection(combo);

  model.SetVisible(combo, false);
  EXPECT_FALSE(driver->IsShown(combo));
  model.SetVisible(combo, true);
  EXPECT_TRUE(driver->IsShown(combo));

  EXPECT_EQ(driver->Shown(combo), text);
  EXPECT_EQ(driver->ShownIndex(combo), index);
  EXPECT_EQ(driver->ListEntries(combo), entries);
  EXPECT_EQ(model.Text(combo), text);
  EXPECT_EQ(model.Selection(combo), selection);
}

INSTANTIATE_TEST_SUITE_P(PickedOrTyped, Hiding,
                         testing::Values(HidingCase{"PickedUnitWeight", controls::UnitWeight(3), "18.5", nullptr},
                                         HidingCase{"PickedThickness", controls::Thickness(5), "30", nullptr},
                                         HidingCase{"TypedOverAPick", controls::kCoefficient, "0.2", "0.22"},
                                         HidingCase{"TypedLoad", controls::kLoad, nullptr, "17.5"}),
                         [](const auto& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace tavrelo::ui
