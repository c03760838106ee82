// The floor for the start-up benchmark: an empty Qt window with Tavrelo's
// title, client size and background colour, and nothing else — no widgets,
// no fonts of our own, no model. Whatever Tavrelo costs beyond this is ours.
#include <QApplication>
#include <QColor>
#include <QPalette>
#include <QWidget>

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QWidget window;
  window.setWindowTitle(QStringLiteral("Tavrelo"));
  window.resize(628, 316);
  window.setAutoFillBackground(true);
  QPalette palette = window.palette();
  palette.setColor(QPalette::Window, QColor::fromRgb(0x80FF80));
  window.setPalette(palette);
  window.show();
  return QApplication::exec();
}
