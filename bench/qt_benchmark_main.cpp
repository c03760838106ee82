// main() of the Google Benchmark programs that need widgets: one
// QApplication for all benchmarks, offscreen unless told otherwise.
#include <benchmark/benchmark.h>

#include <QApplication>

#include "ui/qt/form_window.h"

int main(int argc, char* argv[]) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  tavrelo::ui::PrepareApplication();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
