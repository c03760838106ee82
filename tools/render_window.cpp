// tavrelo-render-window OUT.png [SCALE]
// tavrelo-render-window --label-lines
// Renders the window as it opens, without a display, to OUT.png. SCALE (1 by
// default) renders at that device pixel ratio, as on a high-DPI screen.
// --label-lines prints instead how the window breaks each label's caption
// into lines, one label a line: its name, a tab, its lines joined by "|"
// (each without the blanks it ends with); tools/compare_label_lines.py holds
// the web page's lines against these.
#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QTextLayout>
#include <cstdio>
#include <cstdlib>

#include "ui/form_model.h"
#include "ui/qt/form_window.h"

namespace {

// As a word-wrapping QLabel lays its plain text out.
QStringList LinesOf(const QLabel& label) {
  QTextLayout layout(label.text(), label.font());
  QTextOption option(label.alignment());
  option.setWrapMode(QTextOption::WordWrap);
  layout.setTextOption(option);
  QStringList lines;
  layout.beginLayout();
  for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
    line.setLineWidth(label.contentsRect().width());
    QString text = label.text().mid(line.textStart(), line.textLength());
    while (text.endsWith(QLatin1Char(' ')) || text.endsWith(QChar(0x3000))) text.chop(1);
    lines << text;
  }
  layout.endLayout();
  return lines;
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc < 2 || argc > 3) {
    std::fprintf(stderr, "usage: %s OUT.png [SCALE]\n       %s --label-lines\n", argv[0], argv[0]);
    return 2;
  }
  const bool labelLines = qstrcmp(argv[1], "--label-lines") == 0;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  if (argc == 3) qputenv("QT_SCALE_FACTOR", argv[2]);
  QApplication app(argc, argv);
  tavrelo::ui::PrepareApplication();
  tavrelo::ui::FormModel model;
  tavrelo::ui::FormWindow window(model);
  window.show();
  QApplication::processEvents();
  if (labelLines) {
    for (const tavrelo::ui::ControlSpec& row : model.Inventory()) {
      const auto* label = qobject_cast<QLabel*>(window.Widget(row.Key()));
      if (label == nullptr) continue;
      const QString name = QString::fromStdString(tavrelo::ui::DisplayName(row.Key()));
      std::printf("%s\t%s\n", qPrintable(name), LinesOf(*label).join(QLatin1Char('|')).toUtf8().constData());
    }
    return 0;
  }
  if (!window.grab().save(QString::fromLocal8Bit(argv[1]), "PNG")) {
    std::fprintf(stderr, "could not write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
