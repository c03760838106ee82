#pragma once
// The window as the program runs it (model, widgets, handlers), shown
// offscreen, with the failure message box replaced by a recorder.

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QString>
#include <QTest>
#include <string>
#include <vector>

#include "ui/form_handlers.h"
#include "ui/form_model.h"
#include "ui/qt/form_window.h"

namespace tavrelo::ui::testing_support {

class WindowTest : public ::testing::Test {
 protected:
  WindowTest() {
    ConnectHandlers(model, [this](const InputProblem& problem) { window.ShowProblem(problem); });
    window.SetMessagePresenter([this](const QString& title, const QString& message) {
      messageTitles.push_back(title.toStdString());
      messages.push_back(message.toStdString());
    });
    window.show();
    window.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
    QApplication::processEvents();
  }

  template <typename WidgetType = QWidget>
  WidgetType* Get(ControlKey control) {
    auto* widget = qobject_cast<WidgetType*>(window.Widget(control));
    EXPECT_NE(widget, nullptr) << DisplayName(control);
    return widget;
  }

  QComboBox* Combo(std::string_view name, int index = -1) { return Get<QComboBox>({name, index}); }

  // Types into a combo box, replacing its text: ASCII through key presses,
  // anything else as a Chinese input method commits it.
  void Type(ControlKey combo, const QString& text) {
    QComboBox* box = Get<QComboBox>(combo);
    box->setFocus();
    box->lineEdit()->selectAll();
    QTest::keyClick(box, Qt::Key_Delete);
    for (const QChar c : text) {
      if (c.unicode() < 0x80) {
        QTest::keyClick(box, c.toLatin1());
      } else {
        QInputMethodEvent commit;
        commit.setCommitString(QString(c));
        QApplication::sendEvent(box->lineEdit(), &commit);
      }
    }
  }

  // Picks an entry of a combo box's list with the pointer: open the list,
  // click the entry.
  void Pick(ControlKey combo, const QString& entry) {
    QComboBox* box = Get<QComboBox>(combo);
    const int row = box->findText(entry, Qt::MatchExactly);
    ASSERT_GE(row, 0) << entry.toStdString();
    box->showPopup();
    QAbstractItemView* view = box->view();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(view->window()));
    const QModelIndex index = view->model()->index(row, box->modelColumn());
    view->scrollTo(index);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(index).center());
    QApplication::processEvents();
  }

  FormModel model;
  FormWindow window{model};
  std::vector<std::string> messageTitles;
  std::vector<std::string> messages;
};

}  // namespace tavrelo::ui::testing_support
