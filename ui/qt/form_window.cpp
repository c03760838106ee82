#include "ui/qt/form_window.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QFontDatabase>
#include <QGroupBox>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QScopedValueRollback>
#include <QScreen>
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

FormWindow::FormWindow(FormModel& model, QWidget* owner)
    : QWidget(owner, owner != nullptr ? Qt::Window : Qt::WindowFlags()),
      model_(model),
      widgets_(model.Inventory().size(), nullptr) {
  // Only closing the main window ends the program.
  if (owner != nullptr) setAttribute(Qt::WA_QuitOnClose, false);
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
    if (row.kind == ControlKind::Form) continue;  // shown as the model says, below
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

TableGrid* FormWindow::GridIn(QWidget* frame, const ControlSpec& frameRow) {
  for (QObject* child : frame->children()) {
    if (auto* grid = dynamic_cast<TableGrid*>(child)) return grid;
  }
  return new TableGrid(frameRow.table.rows, frameRow.table.columns, frame);
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
      const auto& cell = row.cell;
      auto* label = new QLabel(text, cell ? GridIn(container, model_.Row({row.container})) : container);
      if (cell) static_cast<TableGrid*>(label->parentWidget())->SetCell(cell->row, cell->column, label);
      label->setWordWrap(true);
      label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
      Paint(label, {QPalette::WindowText}, ToColour(*row.foreground));
      return label;
    }
    case ControlKind::ComboBox: {
      auto* combo = new ListComboBox(container);
      for (const std::string_view entry : row.list) combo->addItem(ToQString(entry));
      combo->setCurrentIndex(model_.Selection(key).value_or(-1));
      combo->setEditText(text);
      Paint(combo, {QPalette::Base}, ToColour(*row.background));
      BindCombo(key, combo);
      return combo;
    }
    case ControlKind::TextBox: return BuildTextBox(row, container);
    case ControlKind::CommandButton: {
      auto* button = new ColourButton(text, ToColour(*row.background), container);
      connect(button, &QPushButton::clicked, this, [this, key] { model_.Press(key); });
      return button;
    }
    case ControlKind::Line:
      GridIn(container, model_.Row({row.container}))->AddLine(LogicalRect(row), ToColour(*row.foreground));
      return nullptr;
    case ControlKind::Picture: {
      auto* picture = new PictureView(container);
      picture->SetDrawing(model_.Drawing(key));
      // Described by its text, which changes with what it shows.
      picture->setAccessibleDescription(text);
      return picture;
    }
  }
  return nullptr;
}

QPlainTextEdit* FormWindow::BuildTextBox(const ControlSpec& row, QWidget* container) {
  const ControlKey key = row.Key();
  auto* box = new QPlainTextEdit(container);
  box->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  box->setTabChangesFocus(true);
  box->setReadOnly(row.readOnly);
  box->setPlainText(ModelToEditor(model_.Text(key)));
  if (row.role == ControlRole::ResultBox) {
    // The pointer's right button, the menu key and Shift+F10 all open it.
    box->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(box, &QWidget::customContextMenuRequested, this, [this, key, box](const QPoint& at) {
      const std::unique_ptr<QMenu> menu = BuildResultMenu(key);
      menu->exec(box->viewport()->mapToGlobal(at));
    });
  }
  Paint(box, {QPalette::Base}, ToColour(*row.background));
  Paint(box, {QPalette::Text}, ToColour(*row.foreground));
  connect(box, &QPlainTextEdit::textChanged, this, [this, key, box] {
    if (!showingModel_) model_.SetText(key, EditorToModel(box->toPlainText()));
  });
  return box;
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
  FocusFirstField();
}

void FormWindow::FocusFirstField() {
  for (const ControlKey key : model_.TabOrder()) {
    QWidget* field = Widget(key);
    if (field == nullptr || !model_.Visible(key)) continue;
    field->setFocus(Qt::OtherFocusReason);
    return;
  }
}

void FormWindow::keyPressEvent(QKeyEvent* event) {
  const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
  if (enter && qobject_cast<QPlainTextEdit*>(QApplication::focusWidget()) == nullptr) {
    for (const ControlSpec& row : model_.Inventory()) {
      if (row.role != ControlRole::DefaultButton) continue;
      model_.Press(row.Key());
      return;
    }
  }
  QWidget::keyPressEvent(event);
}

void FormWindow::closeEvent(QCloseEvent* event) {
  // A window opened from the main one only goes out of sight; the model
  // hears of it, as it hears of every change the user makes.
  if (model_.FormRow().role == ControlRole::OwnedWindow) {
    event->ignore();
    model_.SetVisible(model_.FormKey(), false);
    return;
  }
  QWidget::closeEvent(event);
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
  } else if (dynamic_cast<PictureView*>(widget) != nullptr) {
    widget->setAccessibleDescription(QString::fromStdString(text));
  }
}

void FormWindow::ProblemReported(const InputProblem& problem) {
  QMessageBox box(QMessageBox::Warning, ToQString(kProblemTitle), QString::fromStdString(problem.message),
                  QMessageBox::NoButton, this);
  box.addButton(ToQString(kProblemButton), QMessageBox::AcceptRole);
  // Nothing else of the program answers until it is closed.
  box.setWindowModality(Qt::ApplicationModal);
  box.exec();
  // Back to the window the press was made in, as a window manager does
  // once a message closes (and some platforms, offscreen, do not).
  activateWindow();
}

std::unique_ptr<QMenu> FormWindow::BuildResultMenu(ControlKey boxKey) {
  auto* box = qobject_cast<QPlainTextEdit*>(Widget(boxKey));
  auto menu = std::make_unique<QMenu>(box);
  if (box == nullptr) return menu;
  const EditState state{box->document()->isUndoAvailable(), box->textCursor().hasSelection(),
                        !box->document()->isEmpty(), box->canPaste()};
  for (const ResultMenuEntry& entry : ResultMenuEntries(model_, model_.Row(boxKey), state)) {
    if (entry.separatorBefore) menu->addSeparator();
    QString text = ToQString(entry.text);
    if (!entry.shortcut.empty()) text += QLatin1Char('\t') + ToQString(entry.shortcut);
    QAction* action = menu->addAction(text);
    action->setEnabled(entry.enabled);
    connect(action, &QAction::triggered, this, [this, box, entry] {
      const std::optional<EditCommand> edit = ChooseResultMenuEntry(model_, entry);
      if (!edit) return;
      switch (*edit) {
        case EditCommand::Undo: box->undo(); break;
        case EditCommand::Cut: box->cut(); break;
        case EditCommand::Copy: box->copy(); break;
        case EditCommand::Paste: box->paste(); break;
        case EditCommand::Delete: box->textCursor().removeSelectedText(); break;
        case EditCommand::SelectAll: box->selectAll(); break;
      }
    });
  }
  return menu;
}

void FormWindow::ClipboardRequested(const ClipboardContent& content) {
  // Every flavour at once, as office suites expect: the text, the report as
  // a table, and its drawing as a picture.
  auto* flavours = new QMimeData;
  flavours->setText(ToQString(content.text));
  if (!content.html.empty()) flavours->setHtml(ToQString(content.html));
  if (content.picture != nullptr) flavours->setImageData(PictureImage(*content.picture, 2));
  QApplication::clipboard()->setMimeData(flavours);
}

void FormWindow::DrawingChanged(ControlKey control) {
  if (auto* picture = dynamic_cast<PictureView*>(Widget(control))) picture->SetDrawing(model_.Drawing(control));
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
  QWidget* widget = Widget(control);
  if (widget == nullptr) return;
  if (widget == this && visible && !placed_ && parentWidget() != nullptr) {
    // Beside the main window, where its screen has room: both in sight.
    const QRect owner = parentWidget()->frameGeometry();
    const QRect area = parentWidget()->screen()->availableGeometry();
    const PixelBox at = PlaceOwnedWindow({owner.x(), owner.y(), owner.width(), owner.height()}, width(), height(),
                                         {area.x(), area.y(), area.width(), area.height()}, 8);
    move(at.x, at.y);
    placed_ = true;
  }
  widget->setVisible(visible);
  if (widget != this) return;
  if (visible) {
    raise();
    activateWindow();
    FocusFirstField();
  } else if (QWidget* owner = parentWidget()) {
    owner->activateWindow();  // as when a dialog closes
  }
}

ProgramWindows::ProgramWindows(Program& program) {
  for (FormModel* form : program.Forms()) {
    windows_.push_back(new FormWindow(*form, windows_.empty() ? nullptr : windows_.front()));
  }
  // Shown as their models say: the main one by the caller, once it is ready.
  for (FormWindow* window : windows_) {
    if (window != windows_.front() && window->Model().Visible(window->Model().FormKey())) window->show();
  }
}

ProgramWindows::~ProgramWindows() { delete windows_.front(); }

FormWindow* ProgramWindows::WindowOf(const FormModel& form) const {
  for (FormWindow* window : windows_) {
    if (&window->Model() == &form) return window;
  }
  return nullptr;
}

void FormWindow::SelectionChanged(ControlKey control, std::optional<int> entry) {
  const QScopedValueRollback guard(showingModel_, true);
  auto* combo = qobject_cast<QComboBox*>(Widget(control));
  if (combo != nullptr && entry && combo->currentIndex() != *entry) combo->setCurrentIndex(*entry);
}

}  // namespace tavrelo::ui
