// startup_phases: where the start-up time goes, phase by phase, for
// Tavrelo's window and for an empty window like the one startup_memory.sh
// compares it with. Needs a display (run it under xvfb-run).
//
//   startup_phases [--runs N]
//
// Starts both N times (21 by default), taking turns, each in a fresh process
// started by this one, and prints the median milliseconds of each phase:
//   exec to main      loading and linking the shared libraries
//   QApplication      the platform plugin, the X connection, input method,
//                     theme, accessibility
//   fonts             ChooseFont for the two fonts of the inventory (the
//                     first QFontDatabase::hasFamily loads the font list)
//   model             FormModel and the handlers
//   widgets           FormWindow's constructor (the empty window's palette)
//   show              QWidget::show()
//   first paint       the event loop until the window has been painted
// and the peak resident memory (VmHWM) once painted.
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QColor>
#include <QPalette>
#include <QWidget>
#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "paint_counter.h"
#include "ui/form_handlers.h"
#include "ui/form_model.h"
#include "ui/qt/form_window.h"

namespace {

constexpr std::array<const char*, 7> kPhases = {"exec to main", "QApplication", "fonts",      "model",
                                                "widgets",      "show",         "first paint"};

long long NowNs() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

long PeakRssKib() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("VmHWM:", 0) == 0) return std::strtol(line.c_str() + 6, nullptr, 10);
  }
  return -1;
}

// One start-up, in this process; prints the phases' ends in milliseconds
// since `launched`, then the peak resident memory in KiB.
int Child(int argc, char* argv[], long long launched, bool empty) {
  std::vector<long long> marks{NowNs()};
  const auto mark = [&marks] { marks.push_back(NowNs()); };

  QApplication app(argc, argv);
  mark();
  std::optional<tavrelo::ui::FormModel> model;
  std::optional<tavrelo::ui::FormWindow> window;
  QWidget emptyWindow;
  QWidget* shown = &emptyWindow;
  if (empty) {
    mark();  // no fonts
    mark();  // no model
    emptyWindow.setWindowTitle(QStringLiteral("Tavrelo"));
    emptyWindow.resize(628, 316);
    emptyWindow.setAutoFillBackground(true);
    QPalette palette = emptyWindow.palette();
    palette.setColor(QPalette::Window, QColor::fromRgb(0x80FF80));
    emptyWindow.setPalette(palette);
    mark();
  } else {
    const tavrelo::ui::FormModel inventory;
    for (const tavrelo::ui::ControlSpec& row : inventory.Inventory()) {
      if (row.font != nullptr) (void)tavrelo::ui::ChooseFont(*row.font);
    }
    mark();
    model.emplace();
    mark();
    window.emplace(*model);
    tavrelo::ui::ConnectHandlers(*model, [&window](const auto& problem) { window->ShowProblem(problem); });
    shown = &*window;
    mark();
  }
  const PaintCounter watch(shown);
  shown->show();
  mark();
  while (!watch.Painted()) QApplication::processEvents(QEventLoop::WaitForMoreEvents);
  mark();

  std::printf("%lld", (marks[0] - launched));
  for (std::size_t i = 1; i < marks.size(); ++i) std::printf(" %lld", marks[i] - launched);
  std::printf(" %ld\n", PeakRssKib());
  return 0;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t n = values.size();
  return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// Starts one run of this program in a fresh process; its phases' ends (ns
// since the fork) and its peak memory, or nothing when it failed.
std::optional<std::vector<double>> RunOnce(const char* self, bool empty) {
  int output[2];
  if (pipe(output) != 0) return std::nullopt;
  const long long launched = NowNs();
  const pid_t pid = fork();
  if (pid < 0) return std::nullopt;
  if (pid == 0) {
    dup2(output[1], STDOUT_FILENO);
    close(output[0]);
    close(output[1]);
    const std::string start = std::to_string(launched);
    execl("/proc/self/exe", self, "--child", start.c_str(), empty ? "--empty" : nullptr, static_cast<char*>(nullptr));
    _exit(127);
  }
  close(output[1]);
  std::string text;
  char buffer[512];
  for (ssize_t n; (n = read(output[0], buffer, sizeof buffer)) > 0;) text.append(buffer, static_cast<std::size_t>(n));
  close(output[0]);
  int status = 0;
  waitpid(pid, &status, 0);
  std::istringstream fields(text);
  std::vector<double> row;
  for (double value = 0; fields >> value;) row.push_back(value);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 || row.size() != kPhases.size() + 1) return std::nullopt;
  return row;
}

// Median length of each phase in milliseconds, then the median end of the
// last one, then the median peak memory in KiB.
std::vector<double> Medians(const std::vector<std::vector<double>>& rows) {
  std::vector<double> medians;
  for (std::size_t phase = 0; phase < kPhases.size(); ++phase) {
    std::vector<double> lengths;
    for (const auto& row : rows) lengths.push_back((row[phase] - (phase == 0 ? 0 : row[phase - 1])) / 1e6);
    medians.push_back(Median(lengths));
  }
  std::vector<double> ends;
  std::vector<double> peaks;
  for (const auto& row : rows) {
    ends.push_back(row[kPhases.size() - 1] / 1e6);
    peaks.push_back(row.back());
  }
  medians.push_back(Median(ends));
  medians.push_back(Median(peaks));
  return medians;
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc >= 3 && std::strcmp(argv[1], "--child") == 0) {
    const long long launched = std::atoll(argv[2]);
    const bool empty = argc >= 4 && std::strcmp(argv[3], "--empty") == 0;
    int childArgc = 1;
    return Child(childArgc, argv, launched, empty);
  }

  int runs = 21;
  if (argc == 3 && std::strcmp(argv[1], "--runs") == 0) {
    runs = std::max(1, std::atoi(argv[2]));
  } else if (argc != 1) {
    std::fputs("usage: startup_phases [--runs N]\n", stderr);
    return 2;
  }

  // The empty window and Tavrelo take turns, after one warm-up run each.
  std::vector<std::vector<double>> emptyRows;
  std::vector<std::vector<double>> oursRows;
  for (int run = -1; run < runs; ++run) {
    const auto emptyRow = RunOnce(argv[0], true);
    const auto oursRow = RunOnce(argv[0], false);
    if (!emptyRow || !oursRow) {
      std::fprintf(stderr, "startup_phases: run %d failed\n", run + 2);
      return 1;
    }
    if (run < 0) continue;
    emptyRows.push_back(*emptyRow);
    oursRows.push_back(*oursRow);
  }

  const std::vector<double> empty = Medians(emptyRows);
  const std::vector<double> ours = Medians(oursRows);
  std::printf("Start-up phases, medians of %d runs each (ms)\n", runs);
  std::printf("%-14s %8s %8s %8s\n", "phase", "empty", "Tavrelo", "more");
  for (std::size_t phase = 0; phase < kPhases.size(); ++phase) {
    std::printf("%-14s %8.1f %8.1f %+8.1f\n", kPhases[phase], empty[phase], ours[phase], ours[phase] - empty[phase]);
  }
  const std::size_t end = kPhases.size();
  std::printf("%-14s %8.1f %8.1f %+8.1f\n", "painted at", empty[end], ours[end], ours[end] - empty[end]);
  std::printf("%-14s %8.0f %8.0f %+8.0f\n", "peak RSS KiB", empty[end + 1], ours[end + 1],
              ours[end + 1] - empty[end + 1]);
  return 0;
}
