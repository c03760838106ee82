// Tavrelo as one web page: negative skin friction of a pile. The program and
// its forms on the page live as long as the page is open.
#include "ui/program.h"
#include "ui/web/form_page.h"

int main() {
  static tavrelo::ui::TavreloProgram program;
  static const tavrelo::ui::web::ProgramPages pages(program);
  pages.Main().Show();
  return 0;
}
