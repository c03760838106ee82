#include "ui/program.h"

#include "ui/form_handlers.h"

namespace tavrelo::ui {

// The main window's handlers first: the downdrag window's then take over
// its press, to refresh themselves after it.
TavreloProgram::TavreloProgram() {
  Add(main_);
  Add(downdrag_);
  ConnectHandlers(main_);
  handlers_.emplace(main_, downdrag_);
}

}  // namespace tavrelo::ui
