#include "tests/binding_cases/form_driver.h"

#include <ostream>

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
