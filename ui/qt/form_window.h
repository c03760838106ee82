#pragma once
// A window of the program: every widget built by walking its form's
// inventory, kept in step with the FormModel both ways. Typing goes from the
// widgets into the model, picks, presses and menu choices become the
// model's events, and whatever the model changes (a text, a visibility, the
// clipboard) shows at once. ProgramWindows makes one window per form.

#include <QFont>
#include <QMenu>
#include <QWidget>
#include <memory>
#include <vector>

#include "ui/form_model.h"
#include "ui/program.h"

class QPlainTextEdit;

namespace tavrelo::ui {

// The installed family that comes first in `font`'s list (the
// application's font when none is), sized in pixels to the twips geometry:
// 12 px for 9 points. Qt works in logical pixels at 96 dpi and scales them
// to the device, so the designed line breaks hold on every screen.
[[nodiscard]] QFont ChooseFont(const FontSpec& font);

// What the application needs before the windows are built: the Fusion style
// everywhere, so that the palette colours of combo boxes and labels hold
// whatever the platform's own style would do with them; and Qt's own
// Simplified Chinese texts (the edit fields' own context menus), whatever the
// user's locale, as the rest of the window is Chinese; and the accessible
// interfaces that screen readers need of the window.
void PrepareApplication();

class FormWindow : public QWidget, private FormView {
 public:
  // A window of its own; `owner` for one opened from the main window (kept
  // above it, and closed with it).
  explicit FormWindow(FormModel& model, QWidget* owner = nullptr);
  ~FormWindow() override;
  FormWindow(const FormWindow&) = delete;
  FormWindow& operator=(const FormWindow&) = delete;

  [[nodiscard]] FormModel& Model() const noexcept { return model_; }
  // The widget that shows `control`; this window for the form itself;
  // nullptr for a control that does not exist.
  [[nodiscard]] QWidget* Widget(ControlKey control) const;

  // The context menu of a result box as it opens now (ui/result_menu.h).
  [[nodiscard]] std::unique_ptr<QMenu> BuildResultMenu(ControlKey box);

 protected:
  void closeEvent(QCloseEvent* event) override;
  // Enter that no field took: the default button's, where the form has one.
  void keyPressEvent(QKeyEvent* event) override;

 private:
  QWidget* Build(const ControlSpec& row, QWidget* container);
  // Gives the widget the row's accessible name and description.
  static void Describe(QWidget* widget, const ControlSpec& row);
  // The table grid of a frame with a table, made at the first line or cell
  // it holds.
  class TableGrid* GridIn(QWidget* frame, const ControlSpec& frameRow);
  void BindCombo(ControlKey key, class ListComboBox* combo);
  QPlainTextEdit* BuildTextBox(const ControlSpec& row, QWidget* container);
  void SetUpTabOrder();
  void FocusFirstField();

  // FormView: the model's changes on the widgets (edit texts, captions,
  // hidden rows, a list's current entry, the drawing repainted),
  void TextChanged(ControlKey control, const std::string& text) override;
  void VisibilityChanged(ControlKey control, bool visible) override;
  void SelectionChanged(ControlKey control, std::optional<int> entry) override;
  void DrawingChanged(ControlKey control) override;
  // and what the model asks of the window (a QMessageBox, the focus, the
  // announcer, one QMimeData on the clipboard).
  void ProblemReported(const InputProblem& problem) override;
  void FocusRequested(ControlKey control) override;
  void AnnouncementRequested(ControlKey control) override;
  void ClipboardRequested(const ClipboardContent& content) override;

  FormModel& model_;
  std::vector<QWidget*> widgets_;         // one per inventory row, in its order
  bool showingModel_ = false;             // true while a model change is put on screen
  bool placed_ = false;                   // a window opened from the main one: placed beside it once
  class Announcer* announcer_ = nullptr;  // reads the new sentence out
};

// One window per form of a program: the main window, which owns the others.
class ProgramWindows {
 public:
  explicit ProgramWindows(Program& program);
  ~ProgramWindows();
  ProgramWindows(const ProgramWindows&) = delete;
  ProgramWindows& operator=(const ProgramWindows&) = delete;

  [[nodiscard]] FormWindow& Main() const { return *windows_.front(); }
  // The window of `form`; nullptr for a form of another program.
  [[nodiscard]] FormWindow* WindowOf(const FormModel& form) const;
  [[nodiscard]] const std::vector<FormWindow*>& All() const noexcept { return windows_; }

 private:
  std::vector<FormWindow*> windows_;  // the main one owns the others (Qt's parent)
};

}  // namespace tavrelo::ui
