#pragma once
// How GoogleTest prints the form's types in a failure: "Combo4(7)" instead
// of the bytes of a ControlKey. Found by argument-dependent lookup, so they
// sit in the namespace of the types they print.

#include <iosfwd>

#include "ui/control_inventory.h"
#include "ui/controls.h"
#include "ui/form_view.h"

namespace tavrelo::ui {

void PrintTo(const ControlKey& key, std::ostream* out);
void PrintTo(const InputProblem& problem, std::ostream* out);
void PrintTo(ControlKind kind, std::ostream* out);

}  // namespace tavrelo::ui
