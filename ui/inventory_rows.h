#pragma once
// The rows a window's inventory is made of, in the look every window of the
// program shares (ui/control_inventory.h, look::): blue labels and frames on
// orange, pale yellow fields, the orange button. Places in twips from the
// container's top-left corner; a label is 255 twips high, a combo box 300.

#include <span>
#include <string>
#include <string_view>

#include "ui/control_inventory.h"

namespace tavrelo::ui::rows {

[[nodiscard]] ControlSpec Frame(std::string_view name, int left, int top, int width, int height, std::string caption,
                                int tabIndex);
[[nodiscard]] ControlSpec Label(ControlKey key, std::string_view container, int left, int top, int width,
                                std::string caption, int tabIndex = -1, std::string_view hint = {});
[[nodiscard]] ControlSpec Combo(ControlKey key, std::string_view container, int left, int top, int width,
                                std::span<const std::string_view> list, int tabIndex, std::string accessibleName,
                                std::string_view hint = {});
// A line of a frame's grid, from (x1, y1) to (x2, y2).
[[nodiscard]] ControlSpec Line(ControlKey key, std::string_view container, int x1, int y1, int x2, int y2);
// "计算": stacked, orange; a default button where `role` says so.
[[nodiscard]] ControlSpec Button(ControlKey key, int left, int top, int width, int height, int tabIndex,
                                 ControlRole role = ControlRole::None);
// A box holding a window's result, with its menu.
[[nodiscard]] ControlSpec ResultBox(ControlKey key, int left, int top, int width, int height, std::string caption,
                                    int tabIndex, std::string accessibleName, bool readOnly);

// The label names `field` for a screen reader; the label is a cell of its
// frame's table.
[[nodiscard]] ControlSpec Labelling(ControlSpec label, ControlKey field);
[[nodiscard]] ControlSpec Cell(ControlSpec label, int row, int column);

}  // namespace tavrelo::ui::rows
