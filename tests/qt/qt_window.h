#pragma once
// The Qt window as the program runs it (model, widgets, handlers), shown
// offscreen, with the failure message box replaced by a recorder, and the
// user's typing and picks as QTest delivers them. The Qt test fixture and
// the Qt form driver both work through it, so every Qt test types and picks
// the same way.

#include <gtest/gtest.h>

#include <QComboBox>
#include <QString>
#include <QWidget>
#include <string>
#include <string_view>
#include <vector>

#include "ui/form_model.h"
#include "ui/qt/form_window.h"

namespace tavrelo::ui::testing_support {

// Where a key goes: the open list of a combo box, else the focus widget;
// nullptr when neither exists.
[[nodiscard]] QWidget* KeyTarget();

// Types `text` where the keys go, one code point at a time: ASCII as key
// presses, anything else as a Chinese input method commits it.
void TypeAsUser(const QString& text);

// What an input method does where the keys go: optionally a composition
// shown as `preedit`, then the commit of `text`.
void CommitAsInputMethod(const QString& text, const QString& preedit = {});

// Runs events until the popup's window is on screen; false if it never is.
[[nodiscard]] bool AwaitExposed(QWidget* popup);

class QtWindow {
 public:
  QtWindow();

  // The widget of `control` as `WidgetType`; a test failure and nullptr
  // when there is none of that type.
  template <typename WidgetType = QWidget>
  WidgetType* Get(ControlKey control) const {
    auto* widget = qobject_cast<WidgetType*>(window.Widget(control));
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

  FormModel model;
  FormWindow window{model};
  // Every message box the window would have shown, oldest first.
  std::vector<std::string> messageTitles;
  std::vector<std::string> messages;
  // Every text the window had read out (its notification shown with it),
  // oldest first.
  std::vector<std::string> announcements;

 private:
  struct AnnouncementRecorder : QObject {
    explicit AnnouncementRecorder(std::vector<std::string>& into) : texts(into) {}
    bool eventFilter(QObject* watched, QEvent* event) override;
    std::vector<std::string>& texts;
  };
  AnnouncementRecorder recorder_{announcements};
};

}  // namespace tavrelo::ui::testing_support
