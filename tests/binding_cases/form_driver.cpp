#include "tests/binding_cases/form_driver.h"

#include <algorithm>
#include <ostream>

#include "ui/view_rules.h"

namespace tavrelo::ui::testing_support {

std::string_view KeyName(DriverKey key) {
  switch (key) {
    case DriverKey::Tab: return "Tab";
    case DriverKey::ShiftTab: return "Shift+Tab";
    case DriverKey::Enter: return "Enter";
    case DriverKey::KeypadEnter: return "keypad Enter";
    case DriverKey::Escape: return "Esc";
    case DriverKey::Space: return "Space";
    case DriverKey::Down: return "Down";
    case DriverKey::Up: return "Up";
    case DriverKey::PageDown: return "PageDown";
    case DriverKey::PageUp: return "PageUp";
    case DriverKey::Left: return "Left";
    case DriverKey::Right: return "Right";
    case DriverKey::Home: return "Home";
    case DriverKey::End: return "End";
    case DriverKey::Backspace: return "Backspace";
    case DriverKey::Delete: return "Delete";
    case DriverKey::F4: return "F4";
    case DriverKey::AltDown: return "Alt+Down";
    case DriverKey::CtrlA: return "Ctrl+A";
    case DriverKey::CtrlC: return "Ctrl+C";
    case DriverKey::CtrlX: return "Ctrl+X";
    case DriverKey::CtrlV: return "Ctrl+V";
    case DriverKey::CtrlZ: return "Ctrl+Z";
    case DriverKey::CtrlY: return "Ctrl+Y";
    case DriverKey::CtrlShiftZ: return "Ctrl+Shift+Z";
  }
  return "(no key)";
}

void PrintTo(DriverKey key, std::ostream* out) { *out << KeyName(key); }

FormModel& FormDriver::ModelOf(ControlKey control) const {
  for (FormModel* form : program_.Forms()) {
    if (form->Contains(control)) return *form;
  }
  return Model();
}

void FormDriver::ClickCompute() {
  for (const ControlSpec& row : Model().Inventory()) {
    if (row.kind == ControlKind::CommandButton) return Click(row.Key());
  }
}

std::string FormDriver::SelectedText(ControlKey control) {
  const std::string text = Shown(control);
  const TextSelection selection = SelectionOf(control);
  if (selection.start > selection.end || selection.end > text.size()) return {};
  return text.substr(selection.start, selection.end - selection.start);
}

FormDriver::Spot FormDriver::ClickSpot(ControlKey control) const {
  const FormModel& model = ModelOf(control);
  const ControlSpec& row = model.Row(control);
  if (row.kind == ControlKind::Line) {
    const PixelBox line = PixelRect(row);
    return {{row.container}, line.x, line.y};
  }
  const bool form = row.kind == ControlKind::Form;
  const PixelBox box = form ? ClientArea(model) : PixelRect(row);
  if (!form && row.kind != ControlKind::Frame) return {control, box.width / 2, box.height / 2};
  // A form or a frame: the first spot, row by row, that none of the
  // controls it holds covers (a line is the frame's own pixels).
  const std::string_view holder = form ? std::string_view() : row.name;
  constexpr int kStep = 4;
  for (int y = kStep; y < box.height; y += kStep) {
    for (int x = kStep; x < box.width; x += kStep) {
      const bool covered =
          std::any_of(model.Inventory().begin(), model.Inventory().end(), [&](const ControlSpec& each) {
            if (each.kind == ControlKind::Form || each.kind == ControlKind::Line || each.container != holder)
              return false;
            const PixelBox inside = PixelRect(each);
            return x >= inside.x - 1 && x <= inside.x + inside.width && y >= inside.y - 1 &&
                   y <= inside.y + inside.height;
          });
      if (!covered) return {control, x, y};
    }
  }
  return {control, 0, 0};
}

ControlKey FormDriver::MainResultBox() const {
  for (const ControlSpec& row : Model().Inventory()) {
    if (row.role == ControlRole::ResultBox) return row.Key();
  }
  return Model().FormKey();
}

std::string MenuEntryAsRead(std::string_view text) {
  text = text.substr(0, text.find('\t'));
  std::string read;
  for (std::size_t i = 0; i < text.size(); ++i) {
    // "(&U)" after a Chinese text, or a lone "&" before the access key.
    if (i + 3 < text.size() && text[i] == '(' && text[i + 1] == '&' && text[i + 3] == ')') {
      i += 3;
      continue;
    }
    if (text[i] != '&') read += text[i];
  }
  return read;
}

}  // namespace tavrelo::ui::testing_support
