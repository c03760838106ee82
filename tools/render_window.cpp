// tavrelo-render-window OUT.png [SCALE]
// Renders the window as it opens, without a display, to OUT.png. SCALE (1 by
// default) renders at that device pixel ratio, as on a high-DPI screen.
#include <QApplication>
#include <QImage>
#include <QPixmap>
#include <cstdio>
#include <cstdlib>

#include "ui/form_model.h"
#include "ui/qt/form_window.h"

int main(int argc, char* argv[]) {
  if (argc < 2 || argc > 3) {
    std::fprintf(stderr, "usage: %s OUT.png [SCALE]\n", argv[0]);
    return 2;
  }
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  if (argc == 3) qputenv("QT_SCALE_FACTOR", argv[2]);
  QApplication app(argc, argv);
  tavrelo::ui::PrepareApplication();
  tavrelo::ui::FormModel model;
  tavrelo::ui::FormWindow window(model);
  window.show();
  QApplication::processEvents();
  if (!window.grab().save(QString::fromLocal8Bit(argv[1]), "PNG")) {
    std::fprintf(stderr, "could not write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
