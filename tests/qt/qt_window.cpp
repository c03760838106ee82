#include "tests/qt/qt_window.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QTest>
#include <QWindow>

#include "ui/form_handlers.h"
#include "ui/qt/widgets.h"

namespace tavrelo::ui::testing_support {

QWidget* KeyTarget() {
  if (QWidget* popup = QApplication::activePopupWidget()) {
    return popup->focusWidget() != nullptr ? popup->focusWidget() : popup;
  }
  return QApplication::focusWidget();
}

void CommitAsInputMethod(const QString& text, const QString& preedit) {
  QWidget* target = KeyTarget();
  if (target == nullptr) return;
  if (!preedit.isEmpty()) {
    QInputMethodEvent composing(preedit, {});
    QApplication::sendEvent(target, &composing);
  }
  QInputMethodEvent commit;
  commit.setCommitString(text);
  QApplication::sendEvent(target, &commit);
}

void TypeAsUser(const QString& text) {
  for (qsizetype i = 0; i < text.size();) {
    const qsizetype length = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
    const QString point = text.mid(i, length);
    if (point[0].unicode() < 0x80) {
      if (QWidget* target = KeyTarget()) QTest::keyClick(target, point[0].toLatin1());
    } else {
      CommitAsInputMethod(point);
    }
    i += length;
  }
}

bool AwaitExposed(QWidget* popup) {
  QWindow* handle = popup->window()->windowHandle();
  for (int i = 0; i < 50 && handle != nullptr && !handle->isExposed(); ++i) QApplication::processEvents();
  return (handle != nullptr && handle->isExposed()) || QTest::qWaitForWindowExposed(popup->window());
}

QtWindow::QtWindow() {
  ConnectHandlers(model);
  window.SetMessagePresenter([this](const QString& title, const QString& message) {
    messageTitles.push_back(title.toStdString());
    messages.push_back(message.toStdString());
  });
  for (QObject* child : window.children()) {
    if (dynamic_cast<Announcer*>(child) != nullptr) child->installEventFilter(&recorder_);
  }
  window.show();
  window.activateWindow();
  EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
  QApplication::processEvents();
}

// A screen reader speaks the notification each time it is shown.
bool QtWindow::AnnouncementRecorder::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Show) texts.push_back(static_cast<QWidget*>(watched)->accessibleName().toStdString());
  return false;
}

void QtWindow::Type(ControlKey combo, const QString& text) {
  QComboBox* box = Get<QComboBox>(combo);
  if (box == nullptr) return;
  box->setFocus();
  box->lineEdit()->selectAll();
  QTest::keyClick(box->lineEdit(), Qt::Key_Delete);
  TypeAsUser(text);
}

void QtWindow::Pick(ControlKey combo, const QString& entry) {
  QComboBox* box = Get<QComboBox>(combo);
  if (box == nullptr) return;
  const int row = box->findText(entry, Qt::MatchExactly);
  if (row < 0) {
    ADD_FAILURE() << entry.toStdString() << " is not in the list of " << DisplayName(combo);
    return;
  }
  PickRow(combo, row);
}

void QtWindow::PickRow(ControlKey combo, int row) {
  QComboBox* box = Get<QComboBox>(combo);
  if (box == nullptr) return;
  box->setFocus(Qt::MouseFocusReason);
  box->showPopup();
  QAbstractItemView* view = box->view();
  if (!AwaitExposed(view)) {
    ADD_FAILURE() << "the list of " << DisplayName(combo) << " did not open";
    return;
  }
  const QModelIndex index = view->model()->index(row, box->modelColumn());
  view->scrollTo(index);
  QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(index).center());
  QApplication::processEvents();
}

}  // namespace tavrelo::ui::testing_support
