#include "tests/support/printers.h"

#include <ostream>

namespace tavrelo::ui {

void PrintTo(const ControlKey& key, std::ostream* out) { *out << DisplayName(key); }

void PrintTo(const InputProblem& problem, std::ostream* out) {
  *out << '"' << problem.message << "\" at " << DisplayName(problem.field);
}

void PrintTo(ControlKind kind, std::ostream* out) {
  switch (kind) {
    case ControlKind::Form: *out << "Form"; return;
    case ControlKind::Frame: *out << "Frame"; return;
    case ControlKind::Label: *out << "Label"; return;
    case ControlKind::ComboBox: *out << "ComboBox"; return;
    case ControlKind::TextBox: *out << "TextBox"; return;
    case ControlKind::CommandButton: *out << "CommandButton"; return;
    case ControlKind::Line: *out << "Line"; return;
    case ControlKind::Picture: *out << "Picture"; return;
  }
  *out << "ControlKind(" << static_cast<int>(kind) << ')';
}

}  // namespace tavrelo::ui
