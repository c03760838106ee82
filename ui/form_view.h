#pragma once
// What a window binding is told by the FormModel, and what it promises in
// return: the whole contract between the toolkit-free form and a toolkit.
// Whoever writes a binding reads this header; nothing else is needed.
//
// How the program runs. `main` makes the Program (ui/program.h): every form
// as a FormModel with its handlers connected, the main window first. The
// binding makes one window per form, each built by walking its model's
// Inventory(), mirrors each model through the FormView below, and hands the
// user's typing (FormModel::SetText), picks (FormModel::Select), presses
// (FormModel::Press) and menu choices (ui/result_menu.h) back; then it shows
// the main window and runs the toolkit's loop. A press of "计算" then travels:
//
//   binding → FormModel::Press → Command1_Click → ComputeNegativeFriction
//   → ComposeResultText → FormModel::SetText(Text1) → FormView::TextChanged
//   → the result box; then FormModel::Announce → AnnouncementRequested.
//
// A press that finds bad input instead goes FormModel::ReportProblem →
// FormView::ProblemReported (a modal message), then FormModel::RequestFocus
// → FormView::FocusRequested (the field at fault).
//
// A binding names no control of any form: what it must know of a control
// stands on the control's row (ControlSpec: its kind, its role, a table's
// size, a cell's place). What every binding keeps, kind by kind
// (ControlKind) and role by role (ControlRole):
//   Form          caption, client area, background; a screen reader's frame.
//                 MainWindow: closing it ends the program, nothing is saved.
//                 OwnedWindow: a window of its own that the main one owns
//                 (modeless, above its owner); shown and hidden as the
//                 model's visibility of the form's own key says; closing it
//                 hides it through FormModel::SetVisible(its key, false).
//                 Shown, it takes the focus into its first shown tab stop.
//   Frame         a group box, caption top left in the frame's foreground
//                 (FrameCaption), filled with its background. A frame with a
//                 `table` holds a table of labels, each with its `cell`:
//                 read by a screen reader as a table, row by row.
//   Label         no background of its own (its container shows through),
//                 no border, text from the top-left corner, wrapped inside its
//                 fixed box (WrapLines where the toolkit cannot break Chinese
//                 text); never takes focus. A label with labelFor is that
//                 field's label for a screen reader (label-for / labelled-by).
//   ComboBox      an editable drop-down with a fixed, unsorted list. Typing,
//                 Enter and leaving the field never pick, nothing typed is
//                 completed or added to the list; a pick from the open list
//                 by pointer or keyboard, an arrow key or the wheel in the
//                 closed box picks, and goes to FormModel::Select with the
//                 picked entry's index (the model sets the text, then raises
//                 the event).
//   TextBox       multi-line, wraps at its width, no scroll bars, editable
//                 unless readOnly, keeps runs of blanks; Tab leaves it
//                 instead of typing a tab. The model holds its line breaks as
//                 CR LF (ToCrLf, ToLf). ResultBox: its context menu (right
//                 click, the menu key, Shift+F10) is the result menu
//                 (ResultMenuEntries, ChooseResultMenuEntry); Esc in it does
//                 nothing.
//   CommandButton painted in its own background, caption stacked one
//                 character per line (StackedCaption, ButtonLook); never the
//                 cancel (Esc) button, and not the default (Enter) one unless
//                 it is a DefaultButton, which Enter presses anywhere in its
//                 window but in a text box or a combo box's open list; a click
//                 or Space presses it through FormModel::Press.
//   Line          one pixel wide in its foreground, both end points included
//                 (PixelRect); drawn by its container, so that a screen reader
//                 finds nothing there.
//   Picture       its FormModel::Drawing painted in its box, shape by shape
//                 in the list's order, every coordinate, stroke width and
//                 font size scaled from 96 dpi to the screen's; nothing of
//                 its own, no flicker when it is drawn anew. A screen reader's
//                 image, named by its accessibleName and described by its
//                 text (the model's, which changes with the drawing).
// Every focusable control is a tab stop in FormModel::TabOrder(), hidden
// ones skipped, the first one focused when the window opens
// (FormModel::InitialFocus); each carries its accessibleName whatever text
// it holds (the text is its value) and its accessibleDescription where it
// has one; a hint is a tooltip. Nothing on an event path throws.

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "ui/controls.h"

namespace tavrelo::ui {

// Why a press of "计算" gave no sentence: one Chinese sentence for the
// message, and the field the user should correct.
struct InputProblem {
  std::string message;
  ControlKey field;

  friend bool operator==(const InputProblem&, const InputProblem&) = default;
};

// What a copying command puts on the clipboard: plain text, lines ended by
// LF (a binding writes the line breaks its platform expects), and the same
// as an HTML fragment in UTF-8 (core/report.h), empty for none. A binding
// offers both flavours where its clipboard can hold two; Windows takes the
// fragment as "HTML Format" (ToCfHtml, ui/clipboard_html.h).
struct ClipboardContent {
  std::string text;
  std::string html;
  // A drawing the report holds, for a clipboard that takes a picture too
  // (the binding paints it); none for most.
  std::shared_ptr<const struct ProfileDrawing> picture;

  friend bool operator==(const ClipboardContent&, const ClipboardContent&) = default;
};

// The message's title (the program's name) and its only button.
inline constexpr std::string_view kProblemTitle = "Tavrelo";
inline constexpr std::string_view kProblemButton = "确定";

// What a view of the model (the window) is told when the model changes.
class FormView {
 public:
  virtual ~FormView() = default;
  virtual void TextChanged(ControlKey control, const std::string& text) = 0;
  virtual void VisibilityChanged(ControlKey control, bool visible) = 0;
  virtual void SelectionChanged(ControlKey control, std::optional<int> entry) = 0;
  // A press found bad input: show problem.message in a modal message titled
  // kProblemTitle with the one button kProblemButton (a screen reader's
  // alert), and return once the user has closed it.
  virtual void ProblemReported(const InputProblem& problem) = 0;
  // The control should take the keyboard focus with its whole text selected
  // (after a failed press, the field at fault). Only asked for visible ones.
  virtual void FocusRequested(ControlKey control) = 0;
  // The control's new text should be read out to a screen reader's user
  // at once, wherever the focus is, and the focus left where it is (the
  // sentence of a successful press).
  virtual void AnnouncementRequested(ControlKey control) = 0;
  // A command of the result menu copies: put `content` on the clipboard, in
  // every flavour it holds, replacing what was there.
  virtual void ClipboardRequested(const ClipboardContent& content) = 0;
  // A picture's drawing changed (FormModel::Drawing): paint it anew.
  virtual void DrawingChanged(ControlKey control) = 0;
};

}  // namespace tavrelo::ui
