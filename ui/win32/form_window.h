#pragma once
// The window on Windows: every control created by walking the control
// inventory with the Windows API's own controls, kept in step with the
// FormModel both ways, as the Qt window does on Linux.
//
//   inventory row  →  control
//   Form           a top-level window of our own class, 80FF80
//   Frame          a child window of our own class: it fills itself, draws
//                  the etched edge, the caption and its grid lines, and hands
//                  its controls' notifications on to the form
//   Label          STATIC, drawn by the form: transparent, wrapped by WrapLines
//   ComboBox       COMBOBOX, CBS_DROPDOWN
//   TextBox        EDIT, multi-line, no scroll bars
//   CommandButton  owner-drawn BUTTON
//   Line           painted by its frame (not a window: nothing for a screen
//                  reader to announce)
//
// Typing reaches the model as text (CBN_EDITCHANGE, EN_CHANGE); a pick
// (CBN_SELCHANGE) goes to FormModel::Select with the list's entry; a click
// goes to FormModel::Press. What the model changes is shown at once.

#include <windows.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "ui/form_model.h"
#include "ui/input_problem.h"
#include "ui/result_menu.h"

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
  [[nodiscard]] HWND Handle() const noexcept { return window_; }
  // The window that shows `control`: the form itself for Form1, the combo
  // box (not its edit field) for a combo box; nullptr for a line or a
  // control that does not exist.
  [[nodiscard]] HWND Control(ControlKey control) const;
  // The control a window belongs to (a combo box's edit field included).
  [[nodiscard]] std::optional<ControlKey> ControlOf(HWND window) const;
  // The name the window gave `control` for screen readers (what the
  // accessibility layer answers for it on Windows).
  [[nodiscard]] std::string AnnotatedName(HWND control) const;
  // The dots per inch the window is laid out for.
  [[nodiscard]] int Dpi() const noexcept { return dpi_; }
  // The fonts in use: every control's, and Label6's.
  [[nodiscard]] HFONT Font(ControlKey control) const;

  // Tells the user why a press gave no result, in a message box titled
  // "Tavrelo" with one button "确定". (The model then asks for the focus in
  // the field at fault.)
  void ShowProblem(const InputProblem& problem);
  // Replaces the modal message box (tests answer it without blocking).
  using MessagePresenter = std::function<void(const std::string& title, const std::string& message)>;
  void SetMessagePresenter(MessagePresenter presenter) { presenter_ = std::move(presenter); }

  // The result box's context menu as it opens now (the caller destroys
  // it): the editing commands and "复制计算过程", each enabled when it can
  // do something. Item ids are 1 + the command's place in kResultMenu.
  [[nodiscard]] HMENU BuildResultMenu() const;
  // Carries out one of its commands on the result box.
  void RunResultMenuCommand(ResultMenuCommand command);

  // Runs the keyboard navigation (Tab, Shift+Tab) of the window for a
  // message of the loop; true when it was taken.
  bool TranslateNavigation(MSG& message);

 private:
  struct Lines;
  static LRESULT CALLBACK FormProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK FrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK EditProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                   DWORD_PTR data);
  LRESULT Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT PaintFrame(HWND frame);
  void Build(HINSTANCE instance);
  void CreateControl(const ControlSpec& row, std::size_t position, HINSTANCE instance);
  void LayOut(int dpi);
  void FitComboHeight(HWND combo, int height);
  void SetUpTabOrder();
  void AddTooltip(HWND tool, const std::wstring& text);
  void ShowResultMenu(HWND box, LPARAM at);
  void OnCommand(HWND control, int code);
  LRESULT OnColour(HDC dc, HWND control);
  void DrawButton(const DRAWITEMSTRUCT& item);
  void DrawLabel(const DRAWITEMSTRUCT& item);
  HBRUSH Brush(Rgb rgb);

  void TextChanged(ControlKey control, const std::string& text) override;
  void VisibilityChanged(ControlKey control, bool visible) override;
  void SelectionChanged(ControlKey control, std::optional<int> entry) override;
  void FocusRequested(ControlKey control) override;
  void AnnouncementRequested(ControlKey control) override;

  FormModel& model_;
  HWND window_ = nullptr;
  HWND tooltip_ = nullptr;
  std::vector<HWND> controls_;        // one per inventory row, in its order (nullptr for lines)
  std::map<HWND, std::size_t> rows_;  // control (and combo edit field) → inventory position
  std::map<Rgb, HBRUSH> brushes_;
  std::map<HWND, std::string> accessibleNames_;
  HFONT uiFont_ = nullptr;
  HFONT noteFont_ = nullptr;
  int dpi_ = 96;
  bool showingModel_ = false;  // true while a model change is put on screen
  HWND lastFocus_ = nullptr;   // given back when the window is activated again
  MessagePresenter presenter_;
};

}  // namespace tavrelo::ui::win32

namespace tavrelo::ui::win32 {
// Delivers the user's events to `window` until it is closed; the exit code.
int RunMessageLoop(FormWindow& window);
}  // namespace tavrelo::ui::win32
