#pragma once
// Every control of a window, as data: kind, role, container, place and size
// in twips, caption or initial text, colours, font, tab index, hint, list and
// accessible name. A window is built by walking its inventory, and the form's
// state (FormModel) starts from it; nothing else repeats a position or a
// text. What a binding must know of a control is written on its row (its
// kind, its role, a table's size, a cell's place), never told by its name:
// a binding names no control of any form. What a binding makes of each kind
// and role is written in ui/form_view.h.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "ui/control_lists.h"
#include "ui/controls.h"

namespace tavrelo::ui {

enum class ControlKind { Form, Frame, Label, ComboBox, TextBox, CommandButton, Line, Picture };

// What a control is for, where a binding must treat it apart from others of
// its kind.
enum class ControlRole {
  None,
  MainWindow,     // a Form: the program's window; closing it ends the program
  OwnedWindow,    // a Form opened from the main window: starts hidden, and
                  // closing it only hides it again
  ResultBox,      // a TextBox holding the form's result: the result menu
                  // (editing commands and the form's own, ui/result_menu.h)
  DefaultButton,  // a CommandButton that Enter presses anywhere in its window
                  // but in a result box or an open list
};

// 0xRRGGBB.
using Rgb = std::uint32_t;
inline constexpr Rgb kBlue = 0x0000FF;

// A font, as families in order of preference, and a size in points. The
// first family that is installed wins.
struct FontSpec {
  std::span<const std::string_view> families;
  double pointSize = 9.0;
};

// The look every window of the program shares: its colours, the font of
// its controls (a Chinese UI font at 9 points, 12 px and 6 px wide at 96
// dpi) and the font of the notes (7.5 points, 10 px and 5 px).
namespace look {
inline constexpr Rgb kFormGreen = 0x80FF80;
inline constexpr Rgb kFrameOrange = 0xFFC080;
inline constexpr Rgb kButtonOrange = 0xFF8000;
inline constexpr Rgb kPaleYellow = 0xFFFFC0;
inline constexpr Rgb kDarkRed = 0xC00000;
[[nodiscard]] const FontSpec& WindowFont();
[[nodiscard]] const FontSpec& NotesFont();
}  // namespace look

// One row of the inventory. Positions are twips (1/1440 inch, 15 to a pixel
// at 96 dpi) from the container's top-left corner. A Line runs from
// (left, top) to (left + width, top + height).
struct ControlSpec {
  std::string_view name;
  int index = -1;  // index within a control array, -1 outside one
  ControlKind kind = ControlKind::Label;
  ControlRole role = ControlRole::None;
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
  ControlKey labelFor;            // the field a label names; empty name for none
  TableSize table;                // on a frame holding a table of labels
  std::optional<TableCell> cell;  // on a label that is one of its cells
  bool readOnly = false;          // a TextBox the user reads but cannot edit

  [[nodiscard]] constexpr ControlKey Key() const noexcept { return {name, index}; }
  [[nodiscard]] bool TakesFocus() const noexcept {
    return kind == ControlKind::ComboBox || kind == ControlKind::TextBox || kind == ControlKind::CommandButton;
  }
};

// An entry of a form's result menu after the editing commands: a command
// of the form's own (copying a report, opening another window), which its
// handlers enable and carry out (FormModel::Commands).
struct FormCommand {
  std::string_view text;  // as the menu shows it
  bool separatorBefore = false;
};

// A form as data: its controls, the form itself first and every container
// before what it holds, and the commands of its result menu.
struct FormSpec {
  std::span<const ControlSpec> inventory;
  std::span<const FormCommand> commands;
};

// The program's main window, Form1.
[[nodiscard]] std::span<const ControlSpec> ControlInventory();
[[nodiscard]] FormSpec MainForm();

}  // namespace tavrelo::ui
