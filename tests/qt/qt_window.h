#pragma once
// The Qt windows of a program as it runs them (models, widgets, handlers),
// the main one shown offscreen, every message box of a failed press read
// and answered as a user would, and the user's typing and picks as QTest
// delivers them. The Qt test fixture and the Qt form driver both work
// through it, so every Qt test types and picks the same way.

#include <gtest/gtest.h>

#include <QComboBox>
#include <QString>
#include <QWidget>
#include <string>
#include <string_view>
#include <vector>

#include "ui/form_model.h"
#include "ui/program.h"
#include "ui/qt/form_window.h"

namespace tavrelo::ui::testing_support {

// Where a key goes: the open list of a combo box, else the focus widget;
// nullptr when neither exists.
[[nodiscard]] QWidget* KeyTarget();

// Types `text` where the keys go, one character at a time
// (TypedCharacters): ASCII as key presses, anything else as a Chinese input
// method or the emoji panel commits it.
void TypeAsUser(const QString& text);

// What an input method does where the keys go: optionally a composition
// shown as `preedit`, then the commit of `text`.
void CommitAsInputMethod(const QString& text, const QString& preedit = {});

// Makes the widget's window the active one, as a click into it would, and
// waits until it is.
void BringToFront(QWidget* widget);

// Runs events until the popup's window is on screen; false if it never is.
[[nodiscard]] bool AwaitExposed(QWidget* popup);

// A message box as it stood when it was shown, before it was answered.
struct AnsweredBox {
  std::string title;
  std::string text;
  bool alert = false;                        // a screen reader's modal alert
  std::vector<std::string> accessibleTexts;  // the names of everything in it
};

class QtWindow {
 public:
  // Not copied: it holds the windows and their watcher.
  explicit QtWindow(Program& program);

  // The widget that shows `control`, in whichever window holds it.
  [[nodiscard]] QWidget* Widget(ControlKey control) const;
  // The window and the model that hold `control` (a form's key included);
  // the main ones for a control of no form.
  [[nodiscard]] FormWindow& WindowOf(ControlKey control) const;
  [[nodiscard]] FormModel& ModelOf(ControlKey control) const { return WindowOf(control).Model(); }

  // The widget of `control` as `WidgetType`; a test failure and nullptr
  // when there is none of that type.
  template <typename WidgetType = QWidget>
  WidgetType* Get(ControlKey control) const {
    auto* widget = qobject_cast<WidgetType*>(Widget(control));
    EXPECT_NE(widget, nullptr) << DisplayName(control);
    return widget;
  }
  QComboBox* Combo(std::string_view name, int index = -1) const { return Get<QComboBox>({name, index}); }

  // Puts the focus into a combo box and replaces its text as TypeAsUser
  // types it.
  void Type(ControlKey combo, const QString& text);
  // Picks an entry of a combo box's list with the pointer: the press on the
  // arrow (which focuses the box), then a click on the entry in the open
  // list. By text, or by list row.
  void Pick(ControlKey combo, const QString& entry);
  void PickRow(ControlKey combo, int row);

  Program& program;
  ProgramWindows windows{program};
  FormModel& model;    // the main window's
  FormWindow& window;  // the main window
  // Every message box a window showed, oldest first, each answered with its
  // button as soon as it was on screen.
  std::vector<AnsweredBox> messages;
  // Every text a window had read out (its notification shown with it),
  // oldest first.
  std::vector<std::string> announcements;

 private:
  // Watches the application for the two things a screen reader's user
  // hears: a notification shown, and a message box shown (which it answers);
  // from its construction until its end.
  struct Watcher : QObject {
    explicit Watcher(QtWindow& owner);
    ~Watcher() override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    QtWindow& window;
  };
  Watcher watcher_{*this};
};

}  // namespace tavrelo::ui::testing_support
