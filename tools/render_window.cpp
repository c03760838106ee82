// tavrelo-render-window OUT.png [SCALE]
// tavrelo-render-window --downdrag OUT.png [SCALE]
// tavrelo-render-window --label-lines
// Renders the main window as it opens, without a display, to OUT.png. SCALE
// (1 by default) renders at that device pixel ratio, as on a high-DPI
// screen. --downdrag renders instead the window of the downdrag load after
// the typical use (two layers of 18 and 19 kN/m³, 2.0 and 3.0 m, lowered
// groundwater, ξn 0.25) and its worked example (ξn1 0.30, ln/l0 0.9, a single
// round pile of d = 0.6 m), computed. --label-lines prints how every window
// breaks each label's caption into lines, one label a line: its name, a
// tab, its lines joined by "|" (each without the blanks it ends with);
// tools/compare_label_lines.py holds the web page's lines against these.
#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QTextLayout>
#include <cstdio>
#include <cstdlib>

#include "ui/downdrag_form.h"
#include "ui/form_model.h"
#include "ui/program.h"
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

// Picks `entry` of the combo box's list, as a user does.
void Pick(tavrelo::ui::FormModel& form, tavrelo::ui::ControlKey combo, std::string_view entry) {
  const auto list = form.Row(combo).list;
  for (std::size_t i = 0; i < list.size(); ++i) {
    if (list[i] == entry) form.Select(combo, static_cast<int>(i));
  }
}

void ComputeTheWorkedExample(tavrelo::ui::TavreloProgram& program) {
  using namespace tavrelo::ui;
  FormModel& main = program.Main();
  for (const auto& [combo, entry] :
       {std::pair{controls::kLayerCount, "2.0"}, std::pair{controls::UnitWeight(1), "18"},
        std::pair{controls::UnitWeight(2), "19"}, std::pair{controls::Thickness(1), "2.0"},
        std::pair{controls::Thickness(2), "3.0"}, std::pair{controls::kCause, "降低地下水"},
        std::pair{controls::kCoefficient, "0.25"}}) {
    Pick(main, combo, entry);
  }
  main.Press(controls::kCompute);
  main.RunCommand(controls::kOpenDowndrag);
  FormModel& downdrag = program.Downdrag();
  downdrag.SetText(downdrag::Coefficient(1), "0.30");
  Pick(downdrag, downdrag::kNeutralRatio, "0.9");
  downdrag.SetText(downdrag::kSize, "0.6");
  downdrag.Press(downdrag::kCompute);
}

}  // namespace

int main(int argc, char* argv[]) {
  const bool downdrag = argc > 1 && qstrcmp(argv[1], "--downdrag") == 0;
  const int first = downdrag ? 2 : 1;  // OUT.png
  if (argc < 2 || argc - first > 2) {
    std::fprintf(stderr, "usage: %s [--downdrag] OUT.png [SCALE]\n       %s --label-lines\n", argv[0], argv[0]);
    return 2;
  }
  const bool labelLines = qstrcmp(argv[1], "--label-lines") == 0;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  if (argc == first + 2) qputenv("QT_SCALE_FACTOR", argv[first + 1]);
  QApplication app(argc, argv);
  tavrelo::ui::PrepareApplication();
  tavrelo::ui::TavreloProgram program;
  const tavrelo::ui::ProgramWindows windows(program);
  windows.Main().show();
  if (downdrag) ComputeTheWorkedExample(program);
  QApplication::processEvents();
  if (labelLines) {
    for (const tavrelo::ui::FormWindow* window : windows.All()) {
      for (const tavrelo::ui::ControlSpec& row : window->Model().Inventory()) {
        const auto* label = qobject_cast<QLabel*>(window->Widget(row.Key()));
        if (label == nullptr) continue;
        const QString name = QString::fromStdString(tavrelo::ui::DisplayName(row.Key()));
        std::printf("%s\t%s\n", qPrintable(name), LinesOf(*label).join(QLatin1Char('|')).toUtf8().constData());
      }
    }
    return 0;
  }
  QWidget& shown = downdrag ? *windows.All().back() : windows.Main();
  if (argc <= first || !shown.grab().save(QString::fromLocal8Bit(argv[first]), "PNG")) {
    std::fprintf(stderr, "could not write %s\n", argc > first ? argv[first] : "(no file)");
    return 1;
  }
  return 0;
}
