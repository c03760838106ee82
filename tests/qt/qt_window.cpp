#include "tests/qt/qt_window.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QApplication>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QWindow>

#include "tests/support/typed_characters.h"
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
  const QByteArray utf8 = text.toUtf8();
  for (const std::string_view character : TypedCharacters({utf8.data(), static_cast<std::size_t>(utf8.size())})) {
    if (static_cast<unsigned char>(character.front()) < 0x80) {
      if (QWidget* target = KeyTarget()) QTest::keyClick(target, character.front());
    } else {
      CommitAsInputMethod(QString::fromUtf8(character.data(), static_cast<qsizetype>(character.size())));
    }
  }
}

void BringToFront(QWidget* widget) {
  QWidget* window = widget->window();
  if (QApplication::activeWindow() == window) return;
  window->activateWindow();
  for (int i = 0; i < 50 && QApplication::activeWindow() != window; ++i) QApplication::processEvents();
}

bool AwaitExposed(QWidget* popup) {
  QWindow* handle = popup->window()->windowHandle();
  for (int i = 0; i < 50 && handle != nullptr && !handle->isExposed(); ++i) QApplication::processEvents();
  return (handle != nullptr && handle->isExposed()) || QTest::qWaitForWindowExposed(popup->window());
}

QtWindow::QtWindow(Program& running) : program(running), model(program.Main()), window(windows.Main()) {
  window.show();
  window.activateWindow();
  EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
  QApplication::processEvents();
}

QtWindow::Watcher::Watcher(QtWindow& owner) : window(owner) { QApplication::instance()->installEventFilter(this); }

QtWindow::Watcher::~Watcher() { QApplication::instance()->removeEventFilter(this); }

QWidget* QtWindow::Widget(ControlKey control) const { return WindowOf(control).Widget(control); }

FormWindow& QtWindow::WindowOf(ControlKey control) const {
  for (FormWindow* each : windows.All()) {
    if (each->Model().Contains(control)) return *each;
  }
  return window;
}

bool QtWindow::Watcher::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::Show) return false;
  // A screen reader speaks a notification each time it is shown.
  if (auto* announcer = dynamic_cast<Announcer*>(watched)) {
    window.announcements.push_back(announcer->accessibleName().toStdString());
    return false;
  }
  auto* box = qobject_cast<QMessageBox*>(watched);
  if (box == nullptr) return false;
  AnsweredBox seen{box->windowTitle().toStdString(), box->text().toStdString()};
  if (QAccessibleInterface* node = QAccessible::queryAccessibleInterface(box)) {
    seen.alert = node->role() == QAccessible::AlertMessage && node->state().modal;
    const std::function<void(QAccessibleInterface*)> walk = [&](QAccessibleInterface* at) {
      for (int i = 0; i < at->childCount(); ++i) {
        if (QAccessibleInterface* child = at->child(i)) {
          seen.accessibleTexts.push_back(child->text(QAccessible::Name).toStdString());
          walk(child);
        }
      }
    };
    walk(node);
  }
  window.messages.push_back(std::move(seen));
  // Answered once its own loop runs, as a user clicks the button.
  QMetaObject::invokeMethod(
      box,
      [box] {
        if (QAbstractButton* button = box->buttons().value(0)) button->click();
      },
      Qt::QueuedConnection);
  return false;
}

void QtWindow::Type(ControlKey combo, const QString& text) {
  QComboBox* box = Get<QComboBox>(combo);
  if (box == nullptr) return;
  BringToFront(box);
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
  BringToFront(box);
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
