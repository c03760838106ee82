// FormDriver on the Qt window: QTest's keys and clicks, input-method events
// for Chinese text, and the widgets read back.
#include <QAbstractItemView>
#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTextCursor>
#include <QWheelEvent>
#include <memory>

#include "tests/binding_cases/form_driver.h"
#include "tests/qt/qt_window.h"
#include "ui/view_rules.h"

namespace tavrelo::ui::testing_support {
namespace {

QString ToQ(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

// Text1's text as the model holds it: QPlainTextEdit shows LF, and its
// selections hold U+2029 between paragraphs.
std::string FromResultBox(QString text) {
  text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
  return ToCrLf(text.toStdString());
}

// QTest warns of every key a widget ignores (Esc in a field, Up on the
// button), and the offscreen platform of every list it opens (it cannot
// raise a window or grab the keyboard); a random user does thousands of
// both.
QtMessageHandler previousHandler = nullptr;
void QuietIgnoredKeys(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (message.startsWith(QLatin1String("Keyboard event not accepted")) ||
      message.startsWith(QLatin1String("This plugin does not support"))) {
    return;
  }
  if (previousHandler != nullptr) previousHandler(type, context, message);
}

// A key as QTest presses it.
struct QtKey {
  Qt::Key key;
  Qt::KeyboardModifiers modifiers = Qt::NoModifier;
};

QtKey QtKeyOf(DriverKey key) {
  switch (key) {
    case DriverKey::Tab: return {Qt::Key_Tab};
    case DriverKey::ShiftTab: return {Qt::Key_Backtab, Qt::ShiftModifier};
    case DriverKey::Enter: return {Qt::Key_Return};
    case DriverKey::KeypadEnter: return {Qt::Key_Enter, Qt::KeypadModifier};
    case DriverKey::Escape: return {Qt::Key_Escape};
    case DriverKey::Space: return {Qt::Key_Space};
    case DriverKey::Down: return {Qt::Key_Down};
    case DriverKey::Up: return {Qt::Key_Up};
    case DriverKey::PageDown: return {Qt::Key_PageDown};
    case DriverKey::PageUp: return {Qt::Key_PageUp};
    case DriverKey::Left: return {Qt::Key_Left};
    case DriverKey::Right: return {Qt::Key_Right};
    case DriverKey::Home: return {Qt::Key_Home};
    case DriverKey::End: return {Qt::Key_End};
    case DriverKey::Backspace: return {Qt::Key_Backspace};
    case DriverKey::Delete: return {Qt::Key_Delete};
    case DriverKey::F4: return {Qt::Key_F4};
    case DriverKey::AltDown: return {Qt::Key_Down, Qt::AltModifier};
    case DriverKey::CtrlA: return {Qt::Key_A, Qt::ControlModifier};
    case DriverKey::CtrlC: return {Qt::Key_C, Qt::ControlModifier};
    case DriverKey::CtrlX: return {Qt::Key_X, Qt::ControlModifier};
    case DriverKey::CtrlV: return {Qt::Key_V, Qt::ControlModifier};
    case DriverKey::CtrlZ: return {Qt::Key_Z, Qt::ControlModifier};
    case DriverKey::CtrlY: return {Qt::Key_Y, Qt::ControlModifier};
    case DriverKey::CtrlShiftZ: return {Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier};
  }
  return {Qt::Key_unknown};
}

// The position in Shown()'s bytes of the first `units` UTF-16 units of a
// field's text.
std::size_t BytesOf(const QString& text, qsizetype units, bool resultBox) {
  const QString head = text.left(units);
  return resultBox ? FromResultBox(head).size() : static_cast<std::size_t>(head.toUtf8().size());
}

class QtFormDriver final : public FormDriver {
 public:
  explicit QtFormDriver(Program& program) : FormDriver(program), window_(program) {
    previousHandler = qInstallMessageHandler(QuietIgnoredKeys);
  }
  ~QtFormDriver() override { qInstallMessageHandler(previousHandler); }
  QtFormDriver(const QtFormDriver&) = delete;
  QtFormDriver& operator=(const QtFormDriver&) = delete;

  void Type(ControlKey combo, std::string_view text) override {
    window_.Type(combo, ToQ(text));
    QApplication::processEvents();
  }

  void TypeHere(std::string_view text) override {
    TypeAsUser(ToQ(text));
    QApplication::processEvents();
  }

  void Commit(std::string_view text, std::string_view composing) override {
    CommitAsInputMethod(ToQ(text), ToQ(composing));
    QApplication::processEvents();
  }

  void PickByPointer(ControlKey combo, std::string_view entry) override { window_.Pick(combo, ToQ(entry)); }

  // A combo box takes the focus from the wheel (Qt::WheelFocus); the event
  // is sent to it directly, as the offscreen platform has no pointer.
  void Wheel(ControlKey combo, bool up) override {
    QComboBox* box = window_.Get<QComboBox>(combo);
    if (box == nullptr) return;
    box->setFocus(Qt::MouseFocusReason);
    const QPointF at = box->rect().center();
    QWheelEvent turn(at, box->mapToGlobal(at), QPoint(), QPoint(0, up ? 120 : -120), Qt::NoButton, Qt::NoModifier,
                     Qt::NoScrollPhase, false);
    QApplication::sendEvent(box, &turn);
    QApplication::processEvents();
  }

  void Focus(ControlKey control) override {
    if (QWidget* widget = window_.Get(control)) {
      BringToFront(widget);
      widget->setFocus();
    }
    QApplication::processEvents();
  }

  void Key(DriverKey key) override {
    QWidget* target = KeyTarget();
    if (target == nullptr) {
      ADD_FAILURE() << "no widget has the focus for " << KeyName(key);
      return;
    }
    const QtKey pressed = QtKeyOf(key);
    QTest::keyClick(target, pressed.key, pressed.modifiers);
    QApplication::processEvents();
  }

  void Close(ControlKey form) override {
    window_.WindowOf(form).close();
    QApplication::processEvents();
  }

  void Click(ControlKey control) override { ClickAt(control, false); }
  void DoubleClick(ControlKey control) override { ClickAt(control, true); }

  void PutOnClipboard(std::string_view text) override { QApplication::clipboard()->setText(ToQ(text)); }

  // The control whose widget has the focus, or the combo box whose line
  // edit has it.
  std::string Focused() override {
    const QWidget* focus = QApplication::focusWidget();
    if (focus == nullptr) return "(nothing)";
    for (const FormWindow* window : window_.windows.All()) {
      for (const ControlSpec& row : window->Model().Inventory()) {
        const QWidget* widget = window->Widget(row.Key());
        if (widget == nullptr || row.kind == ControlKind::Form) continue;
        if (widget == focus || (row.kind == ControlKind::ComboBox && widget->isAncestorOf(focus))) {
          return DisplayName(row.Key());
        }
      }
    }
    return "(not a control)";
  }

  std::string Shown(ControlKey control) override {
    QWidget* widget = window_.Get(control);
    if (const auto* combo = qobject_cast<QComboBox*>(widget)) return combo->currentText().toStdString();
    if (const auto* box = qobject_cast<QPlainTextEdit*>(widget)) return FromResultBox(box->toPlainText());
    if (const auto* label = qobject_cast<QLabel*>(widget)) return label->text().toStdString();
    if (const auto* button = qobject_cast<QPushButton*>(widget)) return button->text().toStdString();
    if (widget != nullptr && widget->isWindow()) return widget->windowTitle().toStdString();
    if (widget != nullptr) ADD_FAILURE() << DisplayName(control) << " shows no text";
    return {};
  }

  TextSelection SelectionOf(ControlKey control) override {
    QWidget* widget = window_.Get(control);
    if (const auto* combo = qobject_cast<QComboBox*>(widget)) {
      const QLineEdit* edit = combo->lineEdit();
      const qsizetype start = edit->hasSelectedText() ? edit->selectionStart() : edit->cursorPosition();
      const qsizetype end = edit->hasSelectedText() ? edit->selectionEnd() : start;
      return {BytesOf(edit->text(), start, false), BytesOf(edit->text(), end, false)};
    }
    if (const auto* box = qobject_cast<QPlainTextEdit*>(widget)) {
      const QTextCursor cursor = box->textCursor();
      const QString text = box->toPlainText();
      return {BytesOf(text, cursor.selectionStart(), true), BytesOf(text, cursor.selectionEnd(), true)};
    }
    if (widget != nullptr) ADD_FAILURE() << DisplayName(control) << " has no text to select";
    return {};
  }

  int TextLimit(ControlKey control) override {
    const auto* combo = qobject_cast<QComboBox*>(window_.Get(control));
    return combo != nullptr ? combo->lineEdit()->maxLength() : -1;
  }

  bool IsShown(ControlKey control) override {
    const QWidget* widget = window_.Get(control);
    return widget != nullptr && widget->isVisible();
  }

  int ShownIndex(ControlKey combo) override {
    const QComboBox* box = window_.Get<QComboBox>(combo);
    return box != nullptr ? box->currentIndex() : -1;
  }

  std::vector<std::string> ListEntries(ControlKey combo) override {
    std::vector<std::string> entries;
    if (const QComboBox* box = window_.Get<QComboBox>(combo)) {
      for (int row = 0; row < box->count(); ++row) entries.push_back(box->itemText(row).toStdString());
    }
    return entries;
  }

  // The list of the combo box whose popup is up, once it is on screen.
  std::optional<OpenedList> OpenList() override {
    QWidget* popup = QApplication::activePopupWidget();
    if (popup == nullptr) return std::nullopt;
    for (const FormWindow* window : window_.windows.All()) {
      for (const ControlSpec& row : window->Model().Inventory()) {
        const auto* box = qobject_cast<QComboBox*>(window->Widget(row.Key()));
        if (box == nullptr || box->view()->window() != popup) continue;
        if (!AwaitExposed(popup)) return std::nullopt;
        const QModelIndex highlighted = box->view()->currentIndex();
        return OpenedList{DisplayName(row.Key()), highlighted.isValid() ? highlighted.row() : -1};
      }
    }
    return OpenedList{"(not a combo box)"};
  }

  // As a screen reader asks Qt for it. A combo box's edit field, which
  // holds the focus for it, must be named alike.
  std::string AccessibleName(ControlKey control) override {
    QWidget* widget = window_.Get(control);
    QAccessibleInterface* node = widget != nullptr ? QAccessible::queryAccessibleInterface(widget) : nullptr;
    if (node == nullptr) return {};
    const QString name = node->text(QAccessible::Name);
    if (auto* combo = qobject_cast<QComboBox*>(widget)) {
      QAccessibleInterface* field = QAccessible::queryAccessibleInterface(combo->lineEdit());
      const QString fieldName = field != nullptr ? field->text(QAccessible::Name) : QStringLiteral("(none)");
      if (fieldName != name) return (name + QStringLiteral(", its edit field ") + fieldName).toStdString();
    }
    return name.toStdString();
  }

  std::vector<std::string> Announcements() override { return window_.announcements; }

  std::vector<ShownMessage> Messages() override {
    std::vector<ShownMessage> shown;
    for (const AnsweredBox& box : window_.messages) shown.push_back({box.title, box.text});
    return shown;
  }

  std::vector<std::string> MenuEntriesOf(ControlKey box) override {
    std::vector<std::string> entries;
    const std::unique_ptr<QMenu> menu = window_.WindowOf(box).BuildResultMenu(box);
    for (const QAction* action : menu->actions()) {
      const std::string read = action->isSeparator() ? "" : MenuEntryAsRead(action->text().toStdString());
      entries.push_back(action->isEnabled() || action->isSeparator() ? read : "-" + read);
    }
    return entries;
  }

  bool ChooseFromMenuOf(ControlKey box, std::string_view entry) override {
    const std::unique_ptr<QMenu> menu = window_.WindowOf(box).BuildResultMenu(box);
    for (QAction* action : menu->actions()) {
      if (action->isSeparator() || MenuEntryAsRead(action->text().toStdString()) != entry) continue;
      if (!action->isEnabled()) return false;
      action->trigger();
      QApplication::processEvents();
      return true;
    }
    return false;
  }

  std::string ClipboardText() override { return QApplication::clipboard()->text().toStdString(); }
  std::string ClipboardHtml() override {
    const QMimeData* data = QApplication::clipboard()->mimeData();
    return data != nullptr && data->hasHtml() ? data->html().toStdString() : std::string();
  }
  std::optional<bool> ClipboardHasPicture() override {
    const QMimeData* data = QApplication::clipboard()->mimeData();
    return data != nullptr && data->hasImage();
  }

  // As the widget draws itself (offscreen there is no frame around a window).
  Capture CaptureOf(ControlKey control) override {
    QWidget* widget = window_.Get(control);
    if (widget == nullptr) return {};
    QApplication::processEvents();
    const QImage image = widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
    Capture capture{image.width(), image.height(), image.devicePixelRatio(), {}};
    capture.pixels.reserve(static_cast<std::size_t>(image.width()) * static_cast<std::size_t>(image.height()));
    for (int y = 0; y < image.height(); ++y) {
      for (int x = 0; x < image.width(); ++x) capture.pixels.push_back(image.pixel(x, y) & 0xFFFFFFU);
    }
    return capture;
  }

 private:
  // At ClickSpot, on the widget under it (a combo box's line edit, the
  // result box's viewport), as a click of the pointer lands.
  void ClickAt(ControlKey control, bool twice) {
    const Spot spot = ClickSpot(control);
    QWidget* on = window_.Get(spot.on);
    if (on == nullptr) return;
    BringToFront(on);
    QPoint at(spot.x, spot.y);
    QWidget* target = on->childAt(at);
    if (target != nullptr) {
      at = target->mapFrom(on, at);
    } else {
      target = on;
    }
    if (twice) {
      QTest::mouseDClick(target, Qt::LeftButton, {}, at);
    } else {
      QTest::mouseClick(target, Qt::LeftButton, {}, at);
    }
    QApplication::processEvents();
  }

  QtWindow window_;
};

}  // namespace

std::unique_ptr<FormDriver> MakeFormDriver(Program& program) { return std::make_unique<QtFormDriver>(program); }

}  // namespace tavrelo::ui::testing_support
