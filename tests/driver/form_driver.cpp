#include "tests/driver/form_driver.h"

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

}  // namespace tavrelo::ui::testing_support
