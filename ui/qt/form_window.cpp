#include "ui/qt/form_window.h"

#include <QApplication>
#include <QClipboard>
#include <QFontDatabase>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QScopedValueRollback>
#include <QStyleFactory>
#include <QTranslator>

#include "ui/qt/accessibility.h"
#include "ui/qt/widgets.h"
#include "ui/result_menu.h"
#include "ui/view_rules.h"

namespace tavrelo::ui {
namespace {

// The program's icon at the sizes a window manager asks for; each image is
// read only when it is first drawn.
QIcon WindowIcon() {
  QIcon icon;
  for (const int side : {16, 32, 48, 64}) {
    icon.addFile(QStringLiteral(":/icons/%1x%1/" TAVRELO_APP_ID ".png").arg(side), QSize(side, side));
  }
  return icon;
}

QString ToQString(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

QColor ToColour(Rgb rgb) { return QColor::fromRgb(static_cast<QRgb>(rgb)); }

// Text1's CR LF in the model, LF in the editor.
QString ModelToEditor(const std::string& text) { return QString::fromStdString(ToLf(text)); }
std::string EditorToModel(const QString& shown) { return ToCrLf(shown.toStdString()); }

// Qt's logical pixels are 96-dpi pixels; the device scale comes on top.
QRect LogicalRect(const ControlSpec& row) {
  const PixelBox box = PixelRect(row, 96);
  return {box.x, box.y, box.width, box.height};
}

// Sets colour `role` (and more roles with the same colour) on `widget`.
void Paint(QWidget* widget, std::initializer_list<QPalette::ColorRole> roles, const QColor& colour) {
  QPalette palette = widget->palette();
  for (const QPalette::ColorRole role : roles) palette.setColor(role, colour);
  widget->setPalette(palette);
}

}  // namespace

QFont ChooseFont(const FontSpec& font) {
  const auto family =
      ChooseFamily(font, [](std::string_view name) { return QFontDatabase::hasFamily(ToQString(name)); });
  QFont chosen = family ? QFont(ToQString(*family)) : QApplication::font();
  chosen.setPixelSize(FontPixels(font, 96));
  return chosen;
}

void PrepareApplication() {
  QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
  InstallAccessibleInterfaces();
  // Lives as long as the application: QApplication keeps only a pointer.
  static QTranslator qtTexts;
  if (qtTexts.load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"), QStringLiteral("_"),
                   QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    QApplication::installTranslator(&qtTexts);
  }
}

FormWindow::FormWindow(FormModel& model, QWidget* parent)
    : QWidget(parent), model_(model), widgets_(model.Inventory().size(), nullptr) {
  const auto inventory = model_.Inventory();
  for (std::size_t i = 0; i < inventory.size(); ++i) {
    const ControlSpec& row = inventory[i];
    QWidget* container = this;
    if (!row.container.empty()) container = Widget({row.container});
    QWidget* widget = widgets_[i] = Build(row, container);
    if (widget == nullptr) continue;  // a line, drawn by its container's grid
    widget->setObjectName(ToQString(DisplayName(row.Key())));
    if (row.font != nullptr) widget->setFont(ChooseFont(*row.font));
    if (!row.hint.empty()) widget->setToolTip(ToQString(row.hint));
    Describe(widget, row);
    if (row.kind == ControlKind::Form) continue;  // shown by the caller
    widget->setGeometry(LogicalRect(row));
    widget->setVisible(model_.Visible(row.Key()));
  }
  for (const ControlSpec& row : inventory) {
    auto* label = qobject_cast<QLabel*>(Widget(row.Key()));
    if (label != nullptr && !row.labelFor.name.empty()) label->setBuddy(Widget(row.labelFor));
  }
  announcer_ = new Announcer(this);
  SetUpTabOrder();
  model_.SetView(this);
}

void FormWindow::Describe(QWidget* widget, const ControlSpec& row) {
  const QString name = ToQString(row.accessibleName);
  const QString description = ToQString(row.accessibleDescription);
  QList<QWidget*> targets{widget};
  // The edit field holds the focus for its combo box, and a screen reader
  // names the one by the other: both carry the name.
  if (auto* combo = qobject_cast<QComboBox*>(widget)) targets.push_back(combo->lineEdit());
  for (QWidget* target : targets) {
    if (!name.isEmpty()) target->setAccessibleName(name);
    if (!description.isEmpty()) target->setAccessibleDescription(description);
  }
}

TableGrid* FormWindow::GridIn(QWidget* frame) {
  for (QObject* child : frame->children()) {
    if (auto* grid = dynamic_cast<TableGrid*>(child)) return grid;
  }
  return new TableGrid(controls::kReferenceRows, controls::kReferenceColumns, frame);
}

FormWindow::~FormWindow() { model_.SetView(nullptr); }

QWidget* FormWindow::Widget(ControlKey control) const {
  const auto position = model_.Position(control);
  return position ? widgets_[*position] : nullptr;
}

QWidget* FormWindow::Build(const ControlSpec& row, QWidget* container) {
  const ControlKey key = row.Key();
  const QString text = ToQString(model_.Text(key));
  switch (row.kind) {
    case ControlKind::Form: {
      setWindowTitle(text);
      setWindowIcon(WindowIcon());
      const PixelBox client = ClientArea(model_, 96);
      resize(client.width, client.height);
      setAutoFillBackground(true);
      Paint(this, {QPalette::Window}, ToColour(*row.background));
      return this;
    }
    case ControlKind::Frame: {
      auto* frame = new FrameBox(text, container);
      frame->setAutoFillBackground(true);
      Paint(frame, {QPalette::Window}, ToColour(*row.background));
      Paint(frame, {QPalette::WindowText}, ToColour(*row.foreground));
      return frame;
    }
    case ControlKind::Label: {
      const auto cell = controls::ReferenceCellOf(key);
      auto* label = new QLabel(text, cell ? GridIn(container) : container);
      if (cell) static_cast<TableGrid*>(label->parentWidget())->SetCell(cell->row, cell->column, label);
      label->setWordWrap(true);
      label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
      Paint(label, {QPalette::WindowText}, ToColour(*row.foreground));
      return label;
    }
    case ControlKind::ComboBox: {
      auto* combo = new ListComboBox(container);
      for (const std::string_view entry : row.list) combo->addItem(ToQString(entry));
      combo->setCurrentIndex(-1);
      combo->setEditText(text);
      Paint(combo, {QPalette::Base}, ToColour(*row.background));
      BindCombo(key, combo);
      return combo;
    }
    case ControlKind::TextBox: {
      auto* box = new QPlainTextEdit(container);
      box->setLineWrapMode(QPlainTextEdit::WidgetWidth);
      box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
      box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
      box->setTabChangesFocus(true);
      box->setPlainText(ModelToEditor(model_.Text(key)));
      // The pointer's right button, the menu key and Shift+F10 all open it.
      box->setContextMenuPolicy(Qt::CustomContextMenu);
      connect(box, &QWidget::customContextMenuRequested, this, [this, box](const QPoint& at) {
        const std::unique_ptr<QMenu> menu = BuildResultMenu();
        menu->exec(box->viewport()->mapToGlobal(at));
      });
      Paint(box, {QPalette::Base}, ToColour(*row.background));
      Paint(box, {QPalette::Text}, ToColour(*row.foreground));
      connect(box, &QPlainTextEdit::textChanged, this, [this, key, box] {
        if (!showingModel_) model_.SetText(key, EditorToModel(box->toPlainText()));
      });
      return box;
    }
    case ControlKind::CommandButton: {
      auto* button = new ColourButton(text, ToColour(*row.background), container);
      connect(button, &QPushButton::clicked, this, [this, key] { model_.Press(key); });
      return button;
    }
    case ControlKind::Line: GridIn(container)->AddLine(LogicalRect(row), ToColour(*row.foreground)); return nullptr;
  }
  return nullptr;
}

void FormWindow::BindCombo(ControlKey key, ListComboBox* combo) {
  connect(combo, &QComboBox::editTextChanged, this, [this, key](const QString& text) {
    if (!showingModel_) model_.SetText(key, text.toStdString());
  });
  combo->SetPickHandler([this, key](int entry) { model_.Select(key, entry); });
}

void FormWindow::SetUpTabOrder() {
  QWidget* previous = nullptr;
  for (const ControlKey key : model_.TabOrder()) {
    QWidget* next = Widget(key);
    if (previous != nullptr) QWidget::setTabOrder(previous, next);
    previous = next;
  }
  if (QWidget* first = Widget(model_.InitialFocus()); first != nullptr && first != this) {
    first->setFocus(Qt::OtherFocusReason);
  }
}

void FormWindow::TextChanged(ControlKey control, const std::string& text) {
  // The model already holds this text: the widget's echo must not replace
  // it (Text1's CR LF would come back as LF).
  const QScopedValueRollback guard(showingModel_, true);
  QWidget* widget = Widget(control);
  if (widget == nullptr) return;
  if (auto* combo = qobject_cast<QComboBox*>(widget)) {
    const QString shown = QString::fromStdString(text);
    if (combo->currentText() != shown) combo->setEditText(shown);
  } else if (auto* box = qobject_cast<QPlainTextEdit*>(widget)) {
    const QString shown = ModelToEditor(text);
    if (box->toPlainText() != shown) box->setPlainText(shown);
  } else if (auto* label = qobject_cast<QLabel*>(widget)) {
    label->setText(QString::fromStdString(text));
  } else if (auto* frame = qobject_cast<QGroupBox*>(widget)) {
    frame->setTitle(QString::fromStdString(text));
  } else if (auto* button = qobject_cast<QPushButton*>(widget)) {
    button->setText(QString::fromStdString(text));
  } else if (widget == this) {
    setWindowTitle(QString::fromStdString(text));
  }
}

void FormWindow::ProblemReported(const InputProblem& problem) {
  const QString title = ToQString(kProblemTitle);
  const QString message = QString::fromStdString(problem.message);
  if (presenter_) {
    presenter_(title, message);
    return;
  }
  ProblemBox(title, message)->exec();
}

std::unique_ptr<QMessageBox> FormWindow::ProblemBox(const QString& title, const QString& message) {
  auto box = std::make_unique<QMessageBox>(QMessageBox::Warning, title, message, QMessageBox::NoButton, this);
  box->addButton(ToQString(kProblemButton), QMessageBox::AcceptRole);
  // Nothing else on the window answers until it is closed.
  box->setWindowModality(Qt::ApplicationModal);
  return box;
}

std::unique_ptr<QMenu> FormWindow::BuildResultMenu() {
  auto* box = qobject_cast<QPlainTextEdit*>(Widget(controls::kResult));
  std::unique_ptr<QMenu> menu(box->createStandardContextMenu());
  // Qt makes the editing commands (in Chinese through its translations);
  // the copying commands come from the form's table.
  for (const ResultMenuItem& item : kResultMenu) {
    if (item.command != ResultMenuCommand::CopySteps && item.command != ResultMenuCommand::CopyLayered) continue;
    if (item.separatorBefore) menu->addSeparator();
    QAction* copy = menu->addAction(ToQString(item.text));
    copy->setEnabled(CanCopy(model_, item.command));
    connect(copy, &QAction::triggered, this, [this, command = item.command] {
      QApplication::clipboard()->setText(ToQString(TextToCopy(model_, command)));
    });
  }
  return menu;
}

void FormWindow::FocusRequested(ControlKey control) {
  QWidget* field = Widget(control);
  if (field == nullptr || !field->isVisibleTo(this)) return;
  field->setFocus(Qt::OtherFocusReason);
  if (auto* combo = qobject_cast<QComboBox*>(field)) {
    combo->lineEdit()->selectAll();
  } else if (auto* box = qobject_cast<QPlainTextEdit*>(field)) {
    box->selectAll();
  }
}

void FormWindow::AnnouncementRequested(ControlKey control) {
  if (Widget(control) != nullptr) announcer_->Announce(ModelToEditor(model_.Text(control)));
}

void FormWindow::VisibilityChanged(ControlKey control, bool visible) {
  if (QWidget* widget = Widget(control)) widget->setVisible(visible);
}

void FormWindow::SelectionChanged(ControlKey control, std::optional<int> entry) {
  const QScopedValueRollback guard(showingModel_, true);
  auto* combo = qobject_cast<QComboBox*>(Widget(control));
  if (combo != nullptr && entry && combo->currentIndex() != *entry) combo->setCurrentIndex(*entry);
}

}  // namespace tavrelo::ui
