#include "ui/inventory_rows.h"

namespace tavrelo::ui::rows {
namespace {

using namespace look;

ControlSpec Placed(ControlKind kind, ControlKey key, std::string_view container, int left, int top, int width,
                   int height) {
  ControlSpec row;
  row.name = key.name;
  row.index = key.index;
  row.kind = kind;
  row.container = container;
  row.left = left;
  row.top = top;
  row.width = width;
  row.height = height;
  return row;
}

}  // namespace

ControlSpec Frame(std::string_view name, int left, int top, int width, int height, std::string caption, int tabIndex) {
  ControlSpec row = Placed(ControlKind::Frame, {name}, {}, left, top, width, height);
  row.caption = std::move(caption);
  row.background = kFrameOrange;
  row.foreground = kBlue;
  row.tabIndex = tabIndex;
  return row;
}

ControlSpec Label(ControlKey key, std::string_view container, int left, int top, int width, std::string caption,
                  int tabIndex, std::string_view hint) {
  ControlSpec row = Placed(ControlKind::Label, key, container, left, top, width, 255);
  row.caption = std::move(caption);
  row.foreground = kBlue;
  row.tabIndex = tabIndex;
  row.hint = hint;
  return row;
}

ControlSpec Combo(ControlKey key, std::string_view container, int left, int top, int width,
                  std::span<const std::string_view> list, int tabIndex, std::string accessibleName,
                  std::string_view hint) {
  ControlSpec row = Placed(ControlKind::ComboBox, key, container, left, top, width, 300);
  row.background = kPaleYellow;
  row.tabIndex = tabIndex;
  row.hint = hint;
  row.list = list;
  row.accessibleName = std::move(accessibleName);
  return row;
}

ControlSpec Line(ControlKey key, std::string_view container, int x1, int y1, int x2, int y2) {
  ControlSpec row = Placed(ControlKind::Line, key, container, x1, y1, x2 - x1, y2 - y1);
  row.foreground = kBlue;
  return row;
}

ControlSpec Button(ControlKey key, int left, int top, int width, int height, int tabIndex, ControlRole role) {
  ControlSpec row = Placed(ControlKind::CommandButton, key, {}, left, top, width, height);
  row.role = role;
  row.caption = "计算";
  row.background = kButtonOrange;
  row.tabIndex = tabIndex;
  row.accessibleName = "计算";
  return row;
}

ControlSpec ResultBox(ControlKey key, int left, int top, int width, int height, std::string caption, int tabIndex,
                      std::string accessibleName, bool readOnly) {
  ControlSpec row = Placed(ControlKind::TextBox, key, {}, left, top, width, height);
  row.role = ControlRole::ResultBox;
  row.caption = std::move(caption);
  row.background = kPaleYellow;
  row.foreground = kBlue;
  row.tabIndex = tabIndex;
  row.accessibleName = std::move(accessibleName);
  row.readOnly = readOnly;
  return row;
}

ControlSpec Labelling(ControlSpec label, ControlKey field) {
  label.labelFor = field;
  return label;
}

ControlSpec Cell(ControlSpec label, int row, int column) {
  label.cell = TableCell{row, column};
  return label;
}

}  // namespace tavrelo::ui::rows
