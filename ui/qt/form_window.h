#pragma once
// The window: every widget built by walking the control inventory, kept in
// step with the FormModel both ways. Typing goes from the widgets into the
// model, picks and presses become the model's events, and whatever the
// model changes (a text, a visibility) shows at once.

#include <QFont>
#include <QMenu>
#include <QMessageBox>
#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

#include "ui/form_model.h"

namespace tavrelo::ui {

// The installed family that comes first in `font`'s list (the
// application's font when none is), sized in pixels to the twips geometry:
// 12 px for 9 points. Qt works in logical pixels at 96 dpi and scales them
// to the device, so the designed line breaks hold on every screen.
[[nodiscard]] QFont ChooseFont(const FontSpec& font);

// What the application needs before the window is built: the Fusion style
// everywhere, so that the palette colours of combo boxes and labels hold
// whatever the platform's own style would do with them; and Qt's own
// Simplified Chinese texts (the edit fields' context menus), whatever the
// user's locale, as the rest of the window is Chinese; and the accessible
// interfaces that screen readers need of the window.
void PrepareApplication();

class FormWindow : public QWidget, private FormView {
 public:
  explicit FormWindow(FormModel& model, QWidget* parent = nullptr);
  ~FormWindow() override;
  FormWindow(const FormWindow&) = delete;
  FormWindow& operator=(const FormWindow&) = delete;

  // The widget that shows `control`; this window for Form1; nullptr for a
  // control that does not exist.
  [[nodiscard]] QWidget* Widget(ControlKey control) const;

  // Replaces the modal message box of a failed press (tests answer it
  // without blocking).
  using MessagePresenter = std::function<void(const QString& title, const QString& message)>;
  void SetMessagePresenter(MessagePresenter presenter) { presenter_ = std::move(presenter); }
  // The message box a failed press shows (application-modal), not yet
  // shown.
  [[nodiscard]] std::unique_ptr<QMessageBox> ProblemBox(const QString& title, const QString& message);

  // The result box's context menu as it opens now: Qt's editing commands
  // and the copying commands of kResultMenu (enabled once a press has given
  // a sentence).
  [[nodiscard]] std::unique_ptr<QMenu> BuildResultMenu();

 private:
  QWidget* Build(const ControlSpec& row, QWidget* container);
  // Gives the widget the row's accessible name and description.
  static void Describe(QWidget* widget, const ControlSpec& row);
  // The frame's table grid, made at the first line or cell it holds.
  static class TableGrid* GridIn(QWidget* frame);
  void BindCombo(ControlKey key, class ListComboBox* combo);
  void SetUpTabOrder();

  void TextChanged(ControlKey control, const std::string& text) override;
  void VisibilityChanged(ControlKey control, bool visible) override;
  void SelectionChanged(ControlKey control, std::optional<int> entry) override;
  void ProblemReported(const InputProblem& problem) override;
  void FocusRequested(ControlKey control) override;
  void AnnouncementRequested(ControlKey control) override;

  FormModel& model_;
  std::vector<QWidget*> widgets_;  // one per inventory row, in its order
  bool showingModel_ = false;      // true while a model change is put on screen
  MessagePresenter presenter_;
  class Announcer* announcer_ = nullptr;  // reads the new sentence out
};

}  // namespace tavrelo::ui
