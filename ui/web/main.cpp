// Tavrelo as one web page: negative skin friction of a pile. The model and
// the page live as long as the page is open.
#include "ui/form_handlers.h"
#include "ui/form_model.h"
#include "ui/web/form_page.h"

int main() {
  static tavrelo::ui::FormModel model;
  static tavrelo::ui::web::FormPage page(model);
  tavrelo::ui::ConnectHandlers(model);
  page.Show();
  return 0;
}
