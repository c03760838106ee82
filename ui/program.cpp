#include "ui/program.h"

#include "ui/form_handlers.h"

namespace tavrelo::ui {

TavreloProgram::TavreloProgram() {
  Add(main_);
  ConnectHandlers(main_);
}

}  // namespace tavrelo::ui
