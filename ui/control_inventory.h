#pragma once
// Every control of the window, as data: kind, container, place and size in
// twips, caption or initial text, colours, font, tab index, hint, list and
// accessible name. The window is built by walking this inventory, and the
// form's state (FormModel) starts from it; nothing else repeats a position or
// a text.
//
// What every binding keeps, kind by kind (the contract a toolkit's window
// honours, whichever toolkit draws it):
//   Form          caption, client area, background; closing it ends the
//                 program, nothing is saved.
//   Frame         a group box, caption top left in the frame's foreground,
//                 filled with its background.
//   Label         no background of its own (its container's shows through:
//                 BackgroundOf), no border, text from the top-left corner,
//                 wrapped inside its fixed box; never takes focus. A label
//                 with labelFor is that field's label for a screen reader
//                 (label-for / labelled-by); the reference table's cells
//                 (controls::ReferenceCellOf) are read as a table, row by row.
//   ComboBox      an editable drop-down with a fixed, unsorted list. Typing,
//                 Enter and leaving the field never pick, nothing typed is
//                 completed or added to the list; a pick from the open list
//                 by pointer or keyboard, an arrow key or the wheel in the
//                 closed box picks, and goes to FormModel::Select with the
//                 picked entry's index (the model sets the text, then raises
//                 the event).
//   TextBox       Text1: multi-line, wraps at its width, no scroll bars,
//                 editable; Tab leaves it instead of typing a tab. The model
//                 holds its line breaks as CR LF (ToModelLineBreaks).
//   CommandButton painted in its own background; neither the default (Enter)
//                 nor the cancel (Esc) button; a click or Space presses it
//                 through FormModel::Press.
//   Line          one pixel wide in its foreground, both end points included
//                 (PixelRect); drawn by its container, so that a screen
//                 reader finds nothing there.
// Every focusable control is a tab stop in tabIndex order, hidden ones
// skipped, and carries its accessibleName whatever text it holds (the text
// is its value) and its accessibleDescription where it has one; a hint is a
// tooltip. The window is a screen reader's frame, the message box of a
// failed press a modal alert, and a FormView::AnnouncementRequested is
// spoken without moving the focus.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "ui/control_lists.h"
#include "ui/controls.h"

namespace tavrelo::ui {

enum class ControlKind { Form, Frame, Label, ComboBox, TextBox, CommandButton, Line };

// 0xRRGGBB.
using Rgb = std::uint32_t;
inline constexpr Rgb kBlue = 0x0000FF;

// A font, as families in order of preference, and a size in points. The
// first family that is installed wins.
struct FontSpec {
  std::span<const std::string_view> families;
  double pointSize = 9.0;
};

// One row of the inventory. Positions are twips (1/1440 inch, 15 to a pixel
// at 96 dpi) from the container's top-left corner. A Line runs from
// (left, top) to (left + width, top + height).
struct ControlSpec {
  std::string_view name;
  int index = -1;  // index within a control array, -1 outside one
  ControlKind kind = ControlKind::Label;
  std::string_view container;  // a frame's name, or empty for the form itself
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  std::string caption;  // caption, or the initial text of Text1
  std::optional<Rgb> background;
  std::optional<Rgb> foreground;
  const FontSpec* font = nullptr;  // set on Form1 (every control) and Label6
  int tabIndex = -1;               // -1 for the form and the lines
  std::string_view hint;           // shown as a tooltip
  std::span<const std::string_view> list;
  std::string accessibleName;  // for screen readers; focusable controls only
  // What a screen reader adds after the name: for a cell of the layer table,
  // its row number and column heading (with the unit).
  std::string accessibleDescription;
  ControlKey labelFor;  // the field a label names; empty name for none

  [[nodiscard]] constexpr ControlKey Key() const noexcept { return {name, index}; }
  [[nodiscard]] bool TakesFocus() const noexcept {
    return kind == ControlKind::ComboBox || kind == ControlKind::TextBox || kind == ControlKind::CommandButton;
  }
};

// The whole window, Form1 first and every container before what it holds.
[[nodiscard]] std::span<const ControlSpec> ControlInventory();

}  // namespace tavrelo::ui
