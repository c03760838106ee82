// startup-launcher: starts a program and times how long its window takes to
// appear on the X display in $DISPLAY, for the start-up benchmark.
//
//   startup-launcher TITLE RRGGBB X Y TIMEOUT_MS -- PROGRAM [ARGUMENT...]
//
// The clock starts just before the fork that execs PROGRAM, whose
// environment holds that moment on the system clock as TAVRELO_LAUNCHED_AT
// (microseconds since 1970). It prints one line, "PAINT_MS MAP_MS": the
// milliseconds until pixel (X, Y) of the window titled TITLE had colour
// RRGGBB (the first paint), and until that window was mapped. Then it waits for PROGRAM to end (whoever runs this
// closes the window, e.g. with x11-window-probe) and exits with PROGRAM's exit status.
//
// Exit status: PROGRAM's; 1 when the window did not appear or was not painted
// in time, when PROGRAM ended early or did not end within TIMEOUT_MS after
// the paint (it is killed then); 2 on misuse. PROGRAM's standard output goes
// to the standard error, so that the timings are all that is printed.
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <thread>

#include "tools/x11_window_lookup.h"

namespace {

using Clock = std::chrono::steady_clock;

using tavrelo::x11::Reply;
using tavrelo::x11::WindowLookup;

double MillisecondsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

int Usage() {
  std::fputs("usage: startup-launcher TITLE RRGGBB X Y TIMEOUT_MS -- PROGRAM [ARGUMENT...]\n", stderr);
  return 2;
}

// Ends `pid` if it is still running, and reaps it.
void Stop(pid_t pid) {
  if (waitpid(pid, nullptr, WNOHANG) != 0) return;
  kill(pid, SIGTERM);
  for (int i = 0; i < 200; ++i) {
    if (waitpid(pid, nullptr, WNOHANG) != 0) return;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  kill(pid, SIGKILL);
  waitpid(pid, nullptr, 0);
}

int ExitStatus(int status) {
  if (WIFEXITED(status)) return WEXITSTATUS(status);
  if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
  return 1;
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc < 8 || std::strcmp(argv[6], "--") != 0) return Usage();
  const std::string title = argv[1];
  const auto colour = static_cast<std::uint32_t>(std::strtoul(argv[2], nullptr, 16));
  const auto x = static_cast<std::int16_t>(std::atoi(argv[3]));
  const auto y = static_cast<std::int16_t>(std::atoi(argv[4]));
  const auto timeout = std::chrono::milliseconds(std::atoi(argv[5]));
  char** const command = argv + 7;

  std::optional<tavrelo::x11::Display> display = tavrelo::x11::ConnectDisplay("startup-launcher");
  if (!display) return 1;
  xcb_connection_t* const c = display->connection.get();
  const xcb_window_t root = display->root;
  const WindowLookup lookup(c);
  // Top-level windows are the root's children without a window manager:
  // their MapNotify arrives here the moment they are mapped.
  const std::uint32_t events = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
  xcb_change_window_attributes(c, root, XCB_CW_EVENT_MASK, &events);
  if (lookup.Find(root, title, 2)) {
    std::fprintf(stderr, "startup-launcher: a window titled \"%s\" is already shown\n", title.c_str());
    return 1;
  }
  std::fflush(nullptr);

  // The same moment on the system clock, for a program that marks its own
  // steps against it (ui/win32/startup_marks.h): microseconds since 1970.
  const auto launched =
      std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::system_clock::now().time_since_epoch());
  setenv("TAVRELO_LAUNCHED_AT", std::to_string(launched.count()).c_str(), 1);
  const auto start = Clock::now();
  const pid_t pid = fork();
  if (pid < 0) {
    std::perror("startup-launcher: fork");
    return 1;
  }
  if (pid == 0) {
    close(xcb_get_file_descriptor(c));   // the program makes its own connection
    dup2(STDERR_FILENO, STDOUT_FILENO);  // our stdout carries the timings alone
    execvp(command[0], command);
    std::fprintf(stderr, "startup-launcher: cannot run %s: %s\n", command[0], std::strerror(errno));
    _exit(127);
  }

  const auto deadline = start + timeout;
  std::optional<xcb_window_t> window;
  double mappedAfter = 0;
  double paintedAfter = -1;
  auto nextSearch = start;
  while (Clock::now() <= deadline) {
    int status = 0;
    if (waitpid(pid, &status, WNOHANG) == pid) {
      std::fprintf(stderr, "startup-launcher: %s ended (status %d) before its window was painted\n", command[0],
                   ExitStatus(status));
      return 1;
    }
    if (!window) {
      while (const Reply<xcb_generic_event_t> event{xcb_poll_for_event(c)}) {
        if ((event->response_type & 0x7F) != XCB_MAP_NOTIFY) continue;
        const auto* map = reinterpret_cast<const xcb_map_notify_event_t*>(event.get());
        if (lookup.Titled(map->window, title)) {
          window = map->window;
          mappedAfter = MillisecondsSince(start);
          break;
        }
      }
      // With a window manager the window is mapped inside a frame, out of
      // the root's sight: look for it now and then.
      if (!window && Clock::now() >= nextSearch) {
        window = lookup.Find(root, title, 2);
        if (window) mappedAfter = MillisecondsSince(start);
        nextSearch = Clock::now() + std::chrono::milliseconds(5);
      }
    }
    if (window && lookup.Pixel(*window, x, y) == colour) {
      paintedAfter = MillisecondsSince(start);
      break;
    }
    std::this_thread::sleep_for(std::chrono::microseconds(window ? 200 : 500));
  }
  display->connection.reset();
  if (paintedAfter < 0) {
    std::fprintf(stderr, "startup-launcher: no window titled \"%s\" painted %06X at (%d, %d) in time\n", title.c_str(),
                 colour, x, y);
    Stop(pid);
    return 1;
  }
  std::printf("%.2f %.2f\n", paintedAfter, mappedAfter);
  std::fflush(stdout);

  // Whoever runs this closes the window now; the program should then end.
  const auto endDeadline = Clock::now() + timeout;
  for (;;) {
    int status = 0;
    const pid_t ended = waitpid(pid, &status, WNOHANG);
    if (ended == pid) return ExitStatus(status);
    if (ended < 0) return 1;
    if (Clock::now() > endDeadline) {
      std::fprintf(stderr, "startup-launcher: %s did not end after its window was painted\n", command[0]);
      Stop(pid);
      return 1;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
}
