// Tavrelo: negative skin friction of a pile. One window, nothing else.
#include <QApplication>

#include "ui/form_model.h"
#include "ui/qt/form_window.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  tavrelo::ui::FormModel model;
  tavrelo::ui::FormWindow window(model);
  window.show();
  return QApplication::exec();
}
