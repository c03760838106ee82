#pragma once
// Every control of the window, as data: kind, container, place and size in
// twips, caption or initial text, colours, font, tab index, hint, list and
// accessible name. The window is built by walking this inventory, and the
// form's state (FormModel) starts from it; nothing else repeats a position or
// a text. What a binding makes of each kind of control is written in
// ui/form_view.h.

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
