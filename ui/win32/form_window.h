#pragma once
// The window on Windows: every control created by walking the control
// inventory with the Windows API's own controls, kept in step with the
// FormModel both ways through the FormView contract (ui/form_view.h).
//
//   inventory row  →  control
//   Form           a top-level window of our own class
//   Frame          a child window of our own class that paints itself
//                  (painting.h) and hands its controls' notifications on to
//                  the form
//   Label          STATIC, owner-drawn by the form
//   ComboBox       COMBOBOX, CBS_DROPDOWN: CBN_EDITCHANGE is typing,
//                  CBN_SELCHANGE a pick
//   TextBox        EDIT, multi-line, no scroll bars; its menu in result_menu.h
//   CommandButton  BUTTON, owner-drawn
//   Line           painted by its frame (not a window)
//
// Names, descriptions and the live region: accessibility.h; the message of
// a failed press: message_box.h.

#include <windows.h>

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "ui/form_model.h"
#include "ui/win32/painting.h"

namespace tavrelo::ui::win32 {

class FormWindow : private FormView {
 public:
  // Builds the window and every control, hidden; Show() shows it.
  FormWindow(FormModel& model, HINSTANCE instance);
  ~FormWindow() override;
  FormWindow(const FormWindow&) = delete;
  FormWindow& operator=(const FormWindow&) = delete;

  // Shows the window with the focus in the first tab stop.
  void Show(int showCommand = SW_SHOWNORMAL);
  // The top-level window.
  [[nodiscard]] HWND Hwnd() const noexcept { return window_; }
  // The window that shows `control`: the form itself for Form1, the combo
  // box (not its edit field) for a combo box; nullptr for a line or a
  // control that does not exist.
  [[nodiscard]] HWND Control(ControlKey control) const;
  // The control a window belongs to (a combo box's edit field included).
  [[nodiscard]] std::optional<ControlKey> ControlOf(HWND window) const;
  // The dots per inch the window is laid out for.
  [[nodiscard]] int Dpi() const noexcept { return dpi_; }
  // The font `control` is drawn in: the window's, or Label6's own.
  [[nodiscard]] HFONT Font(ControlKey control) const;

  // Replaces the modal message box of a failed press (tests answer it
  // without blocking).
  using MessagePresenter = std::function<void(const std::string& title, const std::string& message)>;
  void SetMessagePresenter(MessagePresenter presenter) { presenter_ = std::move(presenter); }

  // Runs the keyboard navigation (Tab, Shift+Tab) of the window for a
  // message of the loop; true when it was taken.
  bool TranslateNavigation(MSG& message);

 private:
  static LRESULT CALLBACK FormProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK FrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK EditProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                   DWORD_PTR data);
  LRESULT OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void CreateControl(const ControlSpec& row, std::size_t position, HINSTANCE instance);
  void AddTooltips(HINSTANCE instance);
  void LayOut(int dpi);
  int FitComboHeight(HWND combo, int height, int guess);
  void SetUpTabOrder();
  void OnCommand(HWND control, int code);
  void OnDrawItem(const DRAWITEMSTRUCT& item);
  [[nodiscard]] const ControlSpec* RowOf(HWND window) const;

  void TextChanged(ControlKey control, const std::string& text) override;
  void VisibilityChanged(ControlKey control, bool visible) override;
  void SelectionChanged(ControlKey control, std::optional<int> entry) override;
  void ProblemReported(const InputProblem& problem) override;
  void FocusRequested(ControlKey control) override;
  void AnnouncementRequested(ControlKey control) override;

  FormModel& model_;
  HWND window_ = nullptr;
  HWND tooltip_ = nullptr;
  std::vector<HWND> controls_;        // one per inventory row, in its order (nullptr for lines)
  std::map<HWND, std::size_t> rows_;  // control (and combo edit field) → inventory position
  Brushes brushes_;
  HFONT uiFont_ = nullptr;
  HFONT noteFont_ = nullptr;
  int dpi_ = 96;
  bool showingModel_ = false;  // true while a model change is put on screen
  HWND lastFocus_ = nullptr;   // given back when the window is activated again
  MessagePresenter presenter_;
};

// Delivers the user's events to `window` until it is closed; the exit code.
int RunMessageLoop(FormWindow& window);

}  // namespace tavrelo::ui::win32
