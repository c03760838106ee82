// FormDriver on the Qt window: QTest's keys and clicks, input-method events
// for Chinese text, and the widgets read back.
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

class QtFormDriver final : public FormDriver {
 public:
  explicit QtFormDriver(Program& program) : FormDriver(program), window_(program) {}

  void Type(ControlKey combo, std::string_view text) override {
    window_.Type(combo, ToQ(text));
    QApplication::processEvents();
  }

  void PickByPointer(ControlKey combo, std::string_view entry) override { window_.Pick(combo, ToQ(entry)); }

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
    switch (key) {
      case DriverKey::Tab: QTest::keyClick(target, Qt::Key_Tab); break;
      case DriverKey::ShiftTab: QTest::keyClick(target, Qt::Key_Backtab, Qt::ShiftModifier); break;
      case DriverKey::Enter: QTest::keyClick(target, Qt::Key_Return); break;
      case DriverKey::KeypadEnter: QTest::keyClick(target, Qt::Key_Enter, Qt::KeypadModifier); break;
      case DriverKey::Escape: QTest::keyClick(target, Qt::Key_Escape); break;
      case DriverKey::Space: QTest::keyClick(target, Qt::Key_Space); break;
      case DriverKey::Down: QTest::keyClick(target, Qt::Key_Down); break;
      case DriverKey::Up: QTest::keyClick(target, Qt::Key_Up); break;
    }
    QApplication::processEvents();
  }

  void Close(ControlKey form) override {
    window_.WindowOf(form).close();
    QApplication::processEvents();
  }

  void Click(ControlKey button) override {
    if (auto* widget = window_.Get<QPushButton>(button)) {
      BringToFront(widget);
      QTest::mouseClick(widget, Qt::LeftButton);
    }
    QApplication::processEvents();
  }

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

  std::string SelectedText(ControlKey control) override {
    QWidget* widget = window_.Get(control);
    if (const auto* combo = qobject_cast<QComboBox*>(widget)) return combo->lineEdit()->selectedText().toStdString();
    if (const auto* box = qobject_cast<QPlainTextEdit*>(widget)) return FromResultBox(box->textCursor().selectedText());
    if (widget != nullptr) ADD_FAILURE() << DisplayName(control) << " has no text to select";
    return {};
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
  QtWindow window_;
};

}  // namespace

std::unique_ptr<FormDriver> MakeFormDriver(Program& program) { return std::make_unique<QtFormDriver>(program); }

}  // namespace tavrelo::ui::testing_support
