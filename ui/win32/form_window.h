#pragma once
// A window of the program on Windows: every control created by walking its
// form's inventory with the Windows API's own controls, kept in step with
// the FormModel both ways through the FormView contract (ui/form_view.h).
// ProgramWindows makes one window per form.
//
//   inventory row  →  control
//   Form           a top-level window of our own class; a window opened
//                  from the main one is owned by it (above it, closed with it)
//   Frame          a child window of our own class that paints itself
//                  (painting.h) and hands its controls' notifications on to
//                  the form
//   Label          STATIC, owner-drawn by the form
//   ComboBox       COMBOBOX, CBS_DROPDOWN: CBN_EDITCHANGE is typing,
//                  CBN_SELCHANGE a pick
//   TextBox        EDIT, multi-line, no scroll bars; a result box's menu in
//                  context_menu.h
//   CommandButton  BUTTON, owner-drawn
//   Line           painted by its frame (not a window)
//   Picture        a child window of our own class that paints its drawing
//                  off screen, then at once
//
// Names, descriptions and the live region: accessibility.h; the message of
// a failed press: message_box.h.

#include <windows.h>

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ui/form_model.h"
#include "ui/program.h"
#include "ui/view_rules.h"
#include "ui/win32/accessibility.h"
#include "ui/win32/painting.h"

namespace tavrelo::ui::win32 {

class FormWindow : private FormView, private Annotated {
 public:
  // Builds the window and every control, hidden; `owner` for a window opened
  // from the main one, which is built only when it is first shown (until
  // then it has no windows, and shows the model as it is then). Show()
  // shows it.
  FormWindow(FormModel& model, HINSTANCE instance, HWND owner = nullptr);
  ~FormWindow() override;
  FormWindow(const FormWindow&) = delete;
  FormWindow& operator=(const FormWindow&) = delete;

  // Shows the window with the focus in its first shown tab stop.
  void Show(int showCommand = SW_SHOWNORMAL);
  [[nodiscard]] FormModel& Model() const noexcept { return model_; }
  // The top-level window; nullptr while a window opened from the main one
  // has not been shown yet.
  [[nodiscard]] HWND Hwnd() const noexcept { return window_; }
  // The window that shows `control`: the form itself for the form's own
  // key, the combo box (not its edit field) for a combo box; nullptr for a
  // line or a control that does not exist.
  [[nodiscard]] HWND Control(ControlKey control) const;
  // The control a window belongs to (a combo box's edit field included).
  [[nodiscard]] std::optional<ControlKey> ControlOf(HWND window) const;
  // The dots per inch the window is laid out for.
  [[nodiscard]] int Dpi() const noexcept { return dpi_; }
  // The font `control` is drawn in: the window's, or its own (Label6's).
  [[nodiscard]] HFONT Font(ControlKey control) const;

  // Runs the keyboard navigation (Tab, Shift+Tab) of the window for a
  // message of the loop; true when it was taken.
  bool TranslateNavigation(MSG& message);

 private:
  static LRESULT CALLBACK FormProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK FrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK PictureProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  // A combo box's edit field, and a result box: each its own keys.
  static LRESULT CALLBACK ComboFieldProc(HWND field, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                         DWORD_PTR data);
  static LRESULT CALLBACK ResultBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                        DWORD_PTR data);
  LRESULT OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void Build();
  void MakeReady();
  void CreateControl(const ControlSpec& row, std::size_t position);
  void Subclass();
  void AddTooltips();
  void Annotate() override;
  // What a combo box of one font and height needs: its open list's entry
  // height (the font's line), what it is told its field is as it is made
  // (WM_MEASUREITEM), which gives the closed box the row's height, and the
  // field height that does the same for a box made at another dpi
  // (CB_SETITEMHEIGHT; 0 until one is).
  struct ComboFit {
    int entryHeight = 0;
    int measuredField = 0;
    int fieldRequest = 0;
  };
  ComboFit& FitOf(const ControlSpec& row, const PixelBox& box);
  void OnMeasureItem(MEASUREITEMSTRUCT& item);
  void LayOut(int dpi);
  std::map<const FontSpec*, HFONT> UseFonts(int dpi);
  void Fit(const ControlSpec& row, HWND control, bool placed);
  static int DroppedHeight(const PixelBox& box, const ComboFit& fit);
  int FitComboHeight(HWND combo, int height, int guess);
  void SetUpTabOrder();
  void FocusFirstField();
  void OnCommand(HWND control, int code);
  void OnDrawItem(const DRAWITEMSTRUCT& item);
  [[nodiscard]] const ControlSpec* RowOf(HWND window) const;

  // FormView: the model's changes on the controls (SetWindowTextW,
  // ShowWindow, CB_SETCURSEL, the picture invalidated),
  void TextChanged(ControlKey control, const std::string& text) override;
  void VisibilityChanged(ControlKey control, bool visible) override;
  void SelectionChanged(ControlKey control, std::optional<int> entry) override;
  void DrawingChanged(ControlKey control) override;
  // and what the model asks of the window (MessageBoxW, SetFocus, a live
  // region's EVENT_OBJECT_LIVEREGIONCHANGED, the clipboard's formats).
  void ProblemReported(const InputProblem& problem) override;
  void FocusRequested(ControlKey control) override;
  void AnnouncementRequested(ControlKey control) override;
  void ClipboardRequested(const ClipboardContent& content) override;

  FormModel& model_;
  HINSTANCE instance_;
  HWND owner_;
  bool built_ = false;
  bool ready_ = false;  // subclassed and in tab order: done at the first showing
  HWND window_ = nullptr;
  HWND tooltip_ = nullptr;            // made when the pointer first comes over the window
  std::vector<HWND> controls_;        // one per inventory row, in its order (nullptr for lines)
  std::map<HWND, std::size_t> rows_;  // control (and combo edit field) → inventory position
  Brushes brushes_;
  Fonts pictureFonts_;                                   // a picture's texts, by size
  std::map<const FontSpec*, HFONT> fonts_;               // at dpi_, one per font of the inventory
  std::map<std::pair<HFONT, int>, ComboFit> comboFits_;  // by font and closed height, at dpi_
  int dpi_ = 96;
  bool showingModel_ = false;  // true while a model change is put on screen
  HWND lastFocus_ = nullptr;   // given back when the window is activated again
  bool placed_ = false;        // a window opened from the main one: placed beside it once
};

// One window per form of a program: the main window, which owns the others.
class ProgramWindows {
 public:
  ProgramWindows(Program& program, HINSTANCE instance);
  ~ProgramWindows();
  ProgramWindows(const ProgramWindows&) = delete;
  ProgramWindows& operator=(const ProgramWindows&) = delete;

  [[nodiscard]] FormWindow& Main() const { return *windows_.front(); }
  [[nodiscard]] const std::vector<std::unique_ptr<FormWindow>>& All() const noexcept { return windows_; }
  // The window `hwnd` is or stands in; nullptr for one of no form.
  [[nodiscard]] FormWindow* WindowOf(HWND hwnd) const;
  // The keyboard navigation of the window the message is for.
  bool TranslateNavigation(MSG& message) const;

 private:
  std::vector<std::unique_ptr<FormWindow>> windows_;
};

// Delivers the user's events to the windows until the main one is closed;
// the exit code.
int RunMessageLoop(const ProgramWindows& windows);

}  // namespace tavrelo::ui::win32
