#pragma once
// The windows of a program as a user meets them, whichever toolkit draws
// them. A FormDriver makes the binding's real windows for a Program (its
// forms with their handlers connected, as at start-up), one per form, and
// shows the main one, in this process; each message box of a failed press is
// read and answered as a user would. The cases in this folder are written
// against this class alone, so one table of window behaviour runs through
// every binding: each binding's test program links its own driver, which
// defines MakeFormDriver(). A control is named by its key, which no two
// forms of a program share.
//
// Every action goes through the toolkit as the user's input would (keys,
// input-method commits, pointer clicks) and returns once the toolkit has
// delivered everything it caused. Reading never changes the window.

#include <cstddef>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tests/support/capture.h"
#include "ui/controls.h"
#include "ui/form_model.h"
#include "ui/program.h"

namespace tavrelo::ui::testing_support {

// The keys the cases press, each a plain press and release (with its
// modifiers held around it).
enum class DriverKey {
  Tab,
  ShiftTab,
  Enter,        // Return on the main keyboard
  KeypadEnter,  // Enter on the numeric keypad
  Escape,
  Space,
  Down,
  Up,
  PageDown,
  PageUp,
  Left,
  Right,
  Home,
  End,
  Backspace,
  Delete,
  F4,
  AltDown,
  CtrlA,
  CtrlC,
  CtrlX,
  CtrlV,
  CtrlZ,
  CtrlY,
  CtrlShiftZ,
};

// "Tab", "Shift+Tab", …, for failure messages.
[[nodiscard]] std::string_view KeyName(DriverKey key);
void PrintTo(DriverKey key, std::ostream* out);

// A message box the window would have shown.
struct ShownMessage {
  std::string title;
  std::string text;

  friend bool operator==(const ShownMessage&, const ShownMessage&) = default;
};

// A combo box's list that is open on screen, and the entry its highlight
// is on (−1 for none).
struct OpenedList {
  std::string combo;  // DisplayName of its combo box
  int highlighted = -1;

  friend bool operator==(const OpenedList&, const OpenedList&) = default;
};

// The stretch of a field's text that is selected, in bytes of what Shown
// gives; empty at the caret when nothing is selected.
struct TextSelection {
  std::size_t start = 0;
  std::size_t end = 0;

  friend bool operator==(const TextSelection&, const TextSelection&) = default;
};

// A menu entry's text as a user reads it: without its shortcut after a tab
// and without its access key ("撤销(&U)\tCtrl+Z" reads "撤销").
[[nodiscard]] std::string MenuEntryAsRead(std::string_view text);

class FormDriver {
 public:
  explicit FormDriver(Program& program) : program_(program) {}
  virtual ~FormDriver() = default;
  FormDriver(const FormDriver&) = delete;
  FormDriver& operator=(const FormDriver&) = delete;

  // The models behind the windows, for watching events and for changes a
  // case makes "as the program does": the main window's, and the one that
  // holds `control` (a form's own key included).
  [[nodiscard]] FormModel& Model() const { return program_.Main(); }
  [[nodiscard]] FormModel& ModelOf(ControlKey control) const;

  // --- Acting as the user ------------------------------------------------------

  // Puts the focus into a combo box and replaces its whole text as a user
  // types it (UTF-8): ASCII key by key, anything else as a Chinese input
  // method or the emoji panel commits it, one character at a time
  // (TypedCharacters: "👷‍♀️" is one). "" leaves the field empty.
  virtual void Type(ControlKey combo, std::string_view text) = 0;
  // Types where the focus is, over the selection or at the caret, as Type
  // types.
  virtual void TypeHere(std::string_view text) = 0;
  // What an input method does where the focus is: shows `composing` as its
  // composition when there is one, then commits the whole `text` at once.
  // (Where the toolkit leaves the composition to the input method's own
  // window, only the commit reaches the field.)
  virtual void Commit(std::string_view text, std::string_view composing = {}) = 0;
  // Opens the combo box's list with the pointer and clicks `entry` in it;
  // like a real click, this puts the focus into the combo box.
  virtual void PickByPointer(ControlKey combo, std::string_view entry) = 0;
  // Puts the focus into a combo box and turns the mouse wheel one notch over
  // it: away from the user (`up`) or towards.
  virtual void Wheel(ControlKey combo, bool up) = 0;
  // Moves the keyboard focus to a control, as the program would.
  virtual void Focus(ControlKey control) = 0;
  // Presses a key in whatever holds the focus.
  virtual void Key(DriverKey key) = 0;
  // Clicks a control with the pointer at ClickSpot: "计算" of the main
  // window, a field, a label, a frame, a line, the form's bare background.
  virtual void Click(ControlKey control) = 0;
  void ClickCompute();
  // Closes the window of `form` (a form's own key) as a user does, with
  // the close button of its frame.
  virtual void Close(ControlKey form) = 0;
  // Two clicks in quick succession at the same spot.
  virtual void DoubleClick(ControlKey control) = 0;
  // Puts plain text (UTF-8) on the clipboard, as another program would.
  virtual void PutOnClipboard(std::string_view text) = 0;
  // Moves the window to a screen of `dpi` dots per inch, as dragging it to
  // another monitor does; false where the binding lays itself out at one
  // dpi only.
  virtual bool ChangeDpi(int /*dpi*/) { return false; }

  // --- What the window shows -----------------------------------------------------

  // DisplayName of the control that holds the keyboard focus ("Combo4(7)"
  // also when the focus is in the combo box's edit field), "(nothing)" when
  // no window of the program has it, "(not a control)" for anything else.
  [[nodiscard]] virtual std::string Focused() = 0;
  // The text the control shows, UTF-8: a combo box's edit text, a label's
  // or the button's caption, Text1's text with its line breaks as CR LF (the
  // model's form).
  [[nodiscard]] virtual std::string Shown(ControlKey control) = 0;
  // Where the selection of a combo box's edit text or of Text1's text lies.
  [[nodiscard]] virtual TextSelection SelectionOf(ControlKey control) = 0;
  // The selected stretch of it.
  [[nodiscard]] std::string SelectedText(ControlKey control);
  // How many UTF-16 code units a combo box's edit field or a text box takes
  // at most; −1 for no limit.
  [[nodiscard]] virtual int TextLimit(ControlKey control) = 0;
  // Whether the control is on screen (its window shown, it and its
  // container not hidden); for a form's own key, whether its window is.
  [[nodiscard]] virtual bool IsShown(ControlKey control) = 0;
  // A combo box's current list index, −1 for none.
  [[nodiscard]] virtual int ShownIndex(ControlKey combo) = 0;
  // A combo box's list as the toolkit holds it, in order.
  [[nodiscard]] virtual std::vector<std::string> ListEntries(ControlKey combo) = 0;
  // The combo box list open on screen, if any.
  [[nodiscard]] virtual std::optional<OpenedList> OpenList() = 0;
  // The name a screen reader speaks for the control.
  [[nodiscard]] virtual std::string AccessibleName(ControlKey control) = 0;
  // Every text the window has had read out to a screen reader's user,
  // wherever the focus was, since the driver was made, oldest first.
  [[nodiscard]] virtual std::vector<std::string> Announcements() = 0;
  // Every message box shown since the driver was made, oldest first.
  [[nodiscard]] virtual std::vector<ShownMessage> Messages() = 0;

  // --- A result box's context menu ------------------------------------------------

  // Its entries as it would open now on `box`, top to bottom, each as the
  // menu shows it without access-key marks ("全选"), "" for a separator, and
  // with a leading "-" for one that cannot be chosen. Without a box, the main
  // window's result box.
  [[nodiscard]] virtual std::vector<std::string> MenuEntriesOf(ControlKey box) = 0;
  [[nodiscard]] std::vector<std::string> ResultMenuEntries() { return MenuEntriesOf(MainResultBox()); }
  // Opens the menu on `box` and chooses the entry shown as `entry`; false
  // when it is not there or cannot be chosen.
  virtual bool ChooseFromMenuOf(ControlKey box, std::string_view entry) = 0;
  bool ChooseFromResultMenu(std::string_view entry) { return ChooseFromMenuOf(MainResultBox(), entry); }
  // The plain text on the clipboard, UTF-8, with the line breaks it has.
  [[nodiscard]] virtual std::string ClipboardText() = 0;
  // The HTML flavour on the clipboard, its fragment as a program that pastes
  // it reads it (on Windows through "HTML Format"'s header; a failure where
  // that header is not sound); "" for none.
  [[nodiscard]] virtual std::string ClipboardHtml() = 0;
  // Whether the clipboard holds a picture too, where the platform's takes
  // one; none where the binding offers none.
  [[nodiscard]] virtual std::optional<bool> ClipboardHasPicture() { return std::nullopt; }

  // --- What the screen shows -------------------------------------------------------

  // The pixels of the control as drawn on screen: a form's whole window (its
  // frame and title where the toolkit draws them), or a control's own area.
  [[nodiscard]] virtual Capture CaptureOf(ControlKey control) = 0;
  // The same as a picture file at `path` (a PPM where the driver writes it,
  // a PNG where the browser does); false when it could not be written.
  virtual bool SavePicture(ControlKey control, const std::string& path) { return WritePpm(CaptureOf(control), path); }

 protected:
  [[nodiscard]] Program& RunningProgram() const noexcept { return program_; }

  // Where Click puts the pointer, in pixels at 96 dpi inside the box of
  // `on` (PixelRect, ClientArea): the middle of most controls; for a line,
  // its first pixel in the frame that draws it; for a form or a frame, a
  // spot of its own background that none of its controls covers.
  struct Spot {
    ControlKey on;
    int x = 0;
    int y = 0;
  };
  [[nodiscard]] Spot ClickSpot(ControlKey control) const;

 private:
  [[nodiscard]] ControlKey MainResultBox() const;

  Program& program_;
};

// The windows of `program` in the binding this test program is linked
// with, as the program opens them; `program` outlives the driver.
[[nodiscard]] std::unique_ptr<FormDriver> MakeFormDriver(Program& program);

}  // namespace tavrelo::ui::testing_support
