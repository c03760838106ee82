// The combo boxes behave as list fields of the form: typing is typing (no
// completion, no pick, no change to the list), and a pick by pointer or
// arrow key is one selection event with the text already in the model.
#include <QListView>

#include "window_fixture.h"

namespace tavrelo::ui {
namespace {

using testing_support::WindowTest;

class ComboBoxes : public WindowTest {
 protected:
  // Counts Combo1's selection events and the model text each one saw.
  void WatchCombo1() {
    model.OnSelect({"Combo1"}, [this] { seenTexts.push_back(model.Text({"Combo1"})); });
  }
  std::vector<std::string> seenTexts;
};

TEST_F(ComboBoxes, OpenEmptyWithNothingSelected) {
  for (const ControlSpec& row : model.Inventory()) {
    if (row.kind != ControlKind::ComboBox) continue;
    QComboBox* box = Combo(row.name, row.index);
    EXPECT_EQ(box->currentText(), QString()) << DisplayName({row.name, row.index});
    EXPECT_EQ(box->currentIndex(), -1) << DisplayName({row.name, row.index});
    EXPECT_EQ(box->count(), static_cast<int>(row.list.size())) << DisplayName({row.name, row.index});
  }
}

TEST_F(ComboBoxes, TypingIsNotCompletedInline) {
  Type({"Combo1"}, "3");
  EXPECT_EQ(Combo("Combo1")->currentText(), "3");
  EXPECT_EQ(model.Text({"Combo1"}), "3");
  Type({"Combo6"}, "0.2");
  EXPECT_EQ(model.Text({"Combo6"}), "0.2");
}

TEST_F(ComboBoxes, EnterOnTypedEntryIsNoPick) {
  WatchCombo1();
  Type({"Combo1"}, "2.0");
  QTest::keyClick(Combo("Combo1"), Qt::Key_Return);
  QTest::keyClick(Combo("Combo1"), Qt::Key_Enter);
  EXPECT_TRUE(seenTexts.empty());
  EXPECT_EQ(model.Selection({"Combo1"}), std::nullopt);
  EXPECT_EQ(model.Text({"Combo1"}), "2.0");
}

TEST_F(ComboBoxes, LeavingATypedEntryIsNoPick) {
  WatchCombo1();
  Type({"Combo1"}, "3.0");
  Combo("Combo2", 0)->setFocus();
  QApplication::processEvents();
  EXPECT_TRUE(seenTexts.empty());
  EXPECT_EQ(model.Text({"Combo1"}), "3.0");
}

TEST_F(ComboBoxes, EnterNeverAddsToTheList) {
  Type({"Combo7"}, "7.5");
  QTest::keyClick(Combo("Combo7"), Qt::Key_Return);
  EXPECT_EQ(Combo("Combo7")->count(), 24);
  EXPECT_EQ(Combo("Combo7")->findText("7.5"), -1);
  EXPECT_EQ(model.Text({"Combo7"}), "7.5");
}

TEST_F(ComboBoxes, ArrowKeysPickOnceWithTheTextInPlace) {
  WatchCombo1();
  QComboBox* box = Combo("Combo1");
  box->setFocus();
  QTest::keyClick(box, Qt::Key_Down);
  QTest::keyClick(box, Qt::Key_Down);
  QTest::keyClick(box, Qt::Key_Up);
  EXPECT_EQ(seenTexts, (std::vector<std::string>{"1.0", "2.0", "1.0"}));
  EXPECT_EQ(model.Selection({"Combo1"}), 0);
  EXPECT_EQ(box->currentText(), "1.0");
}

TEST_F(ComboBoxes, PointerPickRaisesOneEventWithThePickedText) {
  WatchCombo1();
  Type({"Combo1"}, "9");
  Pick({"Combo1"}, "3.0");
  EXPECT_EQ(seenTexts, std::vector<std::string>{"3.0"});
  EXPECT_EQ(model.Selection({"Combo1"}), 2);
  EXPECT_EQ(Combo("Combo1")->currentText(), "3.0");
}

TEST_F(ComboBoxes, ModelTextReachesTheWidget) {
  model.SetText({"Combo4", 7}, "12.5");
  EXPECT_EQ(Combo("Combo4", 7)->currentText(), "12.5");
  model.Select({"Combo5"}, 1);
  EXPECT_EQ(Combo("Combo5")->currentText(), "地面有满布荷载");
}

}  // namespace
}  // namespace tavrelo::ui
