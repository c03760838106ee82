// The keyboard: where the focus opens and where Tab takes it, that Enter and
// Esc in a field leave the button alone, the names screen readers speak, and
// controls hidden through the model going and coming back with their state.
#include <algorithm>
#include <set>

#include "window_fixture.h"

inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

namespace tavrelo::ui {
namespace {

using testing_support::WindowTest;

// Down each column of the layer table, then the button, the result box and
// the related parameters.
const std::vector<std::string> kTabWalk = {
    "Combo1",                                                         // layer count
    "Combo2(0)", "Combo2(1)", "Combo2(2)", "Combo2(3)", "Combo2(4)",  // soil names
    "Combo3(0)", "Combo3(1)", "Combo3(2)", "Combo3(3)", "Combo3(4)",  // unit weights
    "Combo4(0)", "Combo4(1)", "Combo4(2)", "Combo4(3)", "Combo4(4)",  // layer-bottom elevations
    "Combo4(5)", "Combo4(6)", "Combo4(7)", "Combo4(8)", "Combo4(9)",  // thicknesses
    "Command1",  "Text1",     "Combo5",    "Combo6",    "Combo7"};

// Row 3 of the layer table.
const std::vector<ControlKey> kRow3 = {{"Label3", 3}, {"Combo2", 2}, {"Combo3", 2}, {"Combo4", 2}, {"Combo4", 7}};

class Keyboard : public WindowTest {
 protected:
  // The control holding the focus: the one whose widget has it, or the combo
  // box whose line edit has it.
  std::string Focused() {
    const QWidget* focus = QApplication::focusWidget();
    if (focus == nullptr) return "(nothing)";
    for (const ControlSpec& row : model.Inventory()) {
      const QWidget* widget = window.Widget({row.name, row.index});
      if (widget == focus || (row.kind == ControlKind::ComboBox && widget->isAncestorOf(focus))) {
        return DisplayName({row.name, row.index});
      }
    }
    return "(not a control: " + std::string(focus->metaObject()->className()) + ")";
  }

  void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(QApplication::focusWidget(), key, modifiers);
  }

  // Where focus goes with `count` presses of `key`, starting where it is.
  std::vector<std::string> Walk(std::size_t count, Qt::Key key = Qt::Key_Tab,
                                Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    std::vector<std::string> visited{Focused()};
    for (std::size_t i = 1; i < count; ++i) {
      Key(key, modifiers);
      visited.push_back(Focused());
    }
    return visited;
  }
};

TEST_F(Keyboard, FocusOpensInTheLayerCount) { EXPECT_EQ(Focused(), "Combo1"); }

TEST_F(Keyboard, TabWalksDownEachColumnThenOnToTheParametersAndRoundAgain) {
  std::vector<std::string> expected = kTabWalk;
  expected.push_back("Combo1");
  EXPECT_EQ(Walk(expected.size()), expected);
}

TEST_F(Keyboard, TabInTheResultBoxMovesOnInsteadOfTyping) {
  auto* box = Get<QPlainTextEdit>({"Text1"});
  box->setFocus();
  const QString before = box->toPlainText();
  const std::string modelBefore = model.Text({"Text1"});
  Key(Qt::Key_Tab);
  EXPECT_EQ(Focused(), "Combo5");
  EXPECT_EQ(box->toPlainText(), before);
  EXPECT_EQ(model.Text({"Text1"}), modelBefore);
}

TEST_F(Keyboard, HiddenRowIsSkippedAndComesBackWithItsTexts) {
  Pick({"Combo2", 2}, "粉土");
  Type({"Combo3", 2}, "18.2");
  Type({"Combo4", 7}, "2.5");
  Combo("Combo1")->setFocus();
  for (const ControlKey key : kRow3) model.SetVisible(key, false);

  std::vector<std::string> expected;
  for (const std::string& name : kTabWalk) {
    if (name != "Combo2(2)" && name != "Combo3(2)" && name != "Combo4(2)" && name != "Combo4(7)") {
      expected.push_back(name);
    }
  }
  EXPECT_EQ(Walk(expected.size()), expected);

  for (const ControlKey key : kRow3) model.SetVisible(key, true);
  Combo("Combo2", 1)->setFocus();
  EXPECT_EQ(Walk(2), (std::vector<std::string>{"Combo2(1)", "Combo2(2)"}));
  EXPECT_EQ(Combo("Combo2", 2)->currentText(), "粉土");
  EXPECT_EQ(Combo("Combo3", 2)->currentText(), "18.2");
  EXPECT_EQ(Combo("Combo4", 7)->currentText(), "2.5");
  EXPECT_EQ(model.Text({"Combo3", 2}), "18.2");
}

// Command1 is neither the default nor the cancel button of the window.
TEST_F(Keyboard, EnterAndEscInAFieldNeverPressTheButton) {
  int presses = 0;
  model.OnPress({"Command1"}, [&presses] { ++presses; });
  for (const ControlSpec& row : model.Inventory()) {
    if (!row.TakesFocus() || row.kind == ControlKind::CommandButton) continue;
    const std::string name = DisplayName({row.name, row.index});
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
      window.Widget({row.name, row.index})->setFocus();
      ASSERT_EQ(Focused(), name);
      Key(key);
      EXPECT_EQ(presses, 0) << name << " key " << key;
    }
  }
  // The count does see a real press: Space on the focused button.
  Get({"Command1"})->setFocus();
  Key(Qt::Key_Space);
  EXPECT_EQ(presses, 1);
}

TEST_F(Keyboard, EveryFocusableControlHasItsOwnChineseAccessibleName) {
  std::set<QString> names;
  int focusable = 0;
  for (const ControlSpec& row : model.Inventory()) {
    if (!row.TakesFocus()) continue;
    ++focusable;
    const QString name = window.Widget({row.name, row.index})->accessibleName();
    const bool chinese =
        std::any_of(name.begin(), name.end(), [](QChar c) { return c >= u'\u4E00' && c <= u'\u9FFF'; });
    EXPECT_TRUE(chinese) << DisplayName({row.name, row.index}) << ": \"" << name.toStdString() << '"';
    EXPECT_TRUE(names.insert(name).second) << "used twice: " << name.toStdString();
  }
  EXPECT_EQ(focusable, static_cast<int>(kTabWalk.size()));
}

// --- Hiding through the model --------------------------------------------------

using Hiding = WindowTest;

// Hiding takes effect on the widget before any event is processed, and the
// widget keeps what it showed: text, picked entry, list.
TEST_F(Hiding, HidesTheWidgetAtOnceAndKeepsTextSelectionAndList) {
  const struct {
    ControlKey combo;
    const char* entry;  // picked, or nullptr
    const char* typed;  // typed after the pick, or nullptr
  } cases[] = {
      {{"Combo3", 2}, "18.5", nullptr},
      {{"Combo4", 9}, "30", nullptr},
      {{"Combo6"}, "0.2", "0.22"},
      {{"Combo7"}, nullptr, "17.5"},
  };
  for (const auto& c : cases) {
    const std::string name = DisplayName(c.combo);
    QComboBox* box = Combo(c.combo.name, c.combo.index);
    if (c.entry != nullptr) Pick(c.combo, QString::fromUtf8(c.entry));
    if (c.typed != nullptr) Type(c.combo, QString::fromUtf8(c.typed));
    const QString text = box->currentText();
    const int index = box->currentIndex();
    const int entries = box->count();
    const auto selection = model.Selection(c.combo);

    model.SetVisible(c.combo, false);
    EXPECT_FALSE(box->isVisible()) << name;
    EXPECT_TRUE(box->isHidden()) << name;
    model.SetVisible(c.combo, true);
    EXPECT_TRUE(box->isVisible()) << name;

    EXPECT_EQ(box->currentText(), text) << name;
    EXPECT_EQ(box->currentIndex(), index) << name;
    EXPECT_EQ(box->count(), entries) << name;
    EXPECT_EQ(model.Text(c.combo), text.toStdString()) << name;
    EXPECT_EQ(model.Selection(c.combo), selection) << name;
  }
}

}  // namespace
}  // namespace tavrelo::ui
