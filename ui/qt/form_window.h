#pragma once
// The window: every widget built by walking the control inventory, kept in
// step with the FormModel both ways. Typing goes from the widgets into the
// model, picks and presses become the model's events, and whatever the
// model changes (a text, a visibility) shows at once.

#include <QFont>
#include <QWidget>
#include <functional>
#include <vector>

#include "ui/form_handlers.h"
#include "ui/form_model.h"

namespace tavrelo::ui {

// The installed family that comes first in `font`'s list, at its size; the
// application's font at that size when none is installed.
[[nodiscard]] QFont ChooseFont(const FontSpec& font);

// Twips to Qt logical pixels: 15 twips make a pixel at 96 dpi, and Qt's
// high-DPI scaling takes it from there.
[[nodiscard]] constexpr int TwipsToPixels(int twips) { return (twips + (twips >= 0 ? 7 : -7)) / 15; }

class FormWindow : public QWidget, private FormView {
 public:
  explicit FormWindow(FormModel& model, QWidget* parent = nullptr);
  ~FormWindow() override;
  FormWindow(const FormWindow&) = delete;
  FormWindow& operator=(const FormWindow&) = delete;

  // The widget that shows `control`; this window for Form1.
  [[nodiscard]] QWidget* Widget(ControlKey control) const;

  // Tells the user why a press gave no result, in a message box titled like
  // the window; when it closes, the field at fault has the focus with its
  // text selected, if it is visible.
  void ShowProblem(const InputProblem& problem);
  // Replaces the modal message box (tests answer it without blocking).
  using MessagePresenter = std::function<void(const QString& title, const QString& message)>;
  void SetMessagePresenter(MessagePresenter presenter) { presenter_ = std::move(presenter); }

 private:
  QWidget* Build(const ControlSpec& row, QWidget* container);
  void BindCombo(ControlKey key, class ListComboBox* combo);
  void SetUpTabOrder();

  void TextChanged(ControlKey control, const std::string& text) override;
  void VisibilityChanged(ControlKey control, bool visible) override;
  void SelectionChanged(ControlKey control, std::optional<int> entry) override;

  FormModel& model_;
  std::vector<QWidget*> widgets_;  // one per inventory row, in its order
  bool showingModel_ = false;      // true while a model change is put on screen
  MessagePresenter presenter_;
};

}  // namespace tavrelo::ui
