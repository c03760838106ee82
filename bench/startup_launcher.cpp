// startup-launcher: starts a program and times how long its window takes to
// appear on the X display in $DISPLAY, for the start-up benchmark.
//
//   startup-launcher TITLE RRGGBB X Y TIMEOUT_MS -- PROGRAM [ARGUMENT...]
//
// The clock starts just before the fork that execs PROGRAM. It prints one
// line, "PAINT_MS MAP_MS": the milliseconds until pixel (X, Y) of the window
// titled TITLE had colour RRGGBB (the first paint), and until that window was
// mapped. Then it waits for PROGRAM to end (whoever runs this closes the
// window, e.g. with x11-window-probe) and exits with PROGRAM's exit status.
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
#include <memory>
#include <optional>
#include <string>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

struct FreeDeleter {
  void operator()(void* p) const { std::free(p); }
};
template <typename T>
using Reply = std::unique_ptr<T, FreeDeleter>;

double MillisecondsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

xcb_atom_t Atom(xcb_connection_t* c, const char* name) {
  const Reply<xcb_intern_atom_reply_t> reply(
      xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, static_cast<std::uint16_t>(std::strlen(name)), name), nullptr));
  return reply ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
}

class Display {
 public:
  Display(xcb_connection_t* c, int screenNumber)
      : c_(c), netWmName_(Atom(c, "_NET_WM_NAME")), utf8_(Atom(c, "UTF8_STRING")) {
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(c));
    for (int i = 0; i < screenNumber; ++i) xcb_screen_next(&screens);
    root_ = screens.data->root;
  }

  [[nodiscard]] xcb_window_t Root() const { return root_; }

  [[nodiscard]] bool Titled(xcb_window_t window, const std::string& title) const {
    return Property(window, netWmName_, utf8_) == title || Property(window, XCB_ATOM_WM_NAME, XCB_ATOM_STRING) == title;
  }

  [[nodiscard]] bool Viewable(xcb_window_t window) const {
    const Reply<xcb_get_window_attributes_reply_t> attributes(
        xcb_get_window_attributes_reply(c_, xcb_get_window_attributes(c_, window), nullptr));
    return attributes && attributes->map_state == XCB_MAP_STATE_VIEWABLE;
  }

  // A viewable window titled `title` at most `depth` levels below `parent`
  // (a window manager's frame adds one).
  [[nodiscard]] std::optional<xcb_window_t> Find(xcb_window_t parent, const std::string& title, int depth) const {
    const Reply<xcb_query_tree_reply_t> tree(xcb_query_tree_reply(c_, xcb_query_tree(c_, parent), nullptr));
    if (!tree) return std::nullopt;
    const xcb_window_t* children = xcb_query_tree_children(tree.get());
    const int count = xcb_query_tree_children_length(tree.get());
    for (int i = 0; i < count; ++i) {
      if (Titled(children[i], title) && Viewable(children[i])) return children[i];
      if (depth > 0) {
        if (const auto found = Find(children[i], title, depth - 1)) return found;
      }
    }
    return std::nullopt;
  }

  [[nodiscard]] std::optional<std::uint32_t> Pixel(xcb_window_t window, std::int16_t x, std::int16_t y) const {
    const Reply<xcb_get_image_reply_t> image(
        xcb_get_image_reply(c_, xcb_get_image(c_, XCB_IMAGE_FORMAT_Z_PIXMAP, window, x, y, 1, 1, 0xFFFFFFFF), nullptr));
    if (!image || xcb_get_image_data_length(image.get()) < 4) return std::nullopt;
    std::uint32_t pixel = 0;
    std::memcpy(&pixel, xcb_get_image_data(image.get()), sizeof pixel);
    return pixel & 0xFFFFFFu;  // 24-bit TrueColor, as Xvfb's default screen
  }

 private:
  [[nodiscard]] std::string Property(xcb_window_t window, xcb_atom_t property, xcb_atom_t type) const {
    const Reply<xcb_get_property_reply_t> reply(
        xcb_get_property_reply(c_, xcb_get_property(c_, 0, window, property, type, 0, 1024), nullptr));
    if (!reply) return {};
    const auto* data = static_cast<const char*>(xcb_get_property_value(reply.get()));
    return {data, static_cast<std::size_t>(xcb_get_property_value_length(reply.get()))};
  }

  xcb_connection_t* c_;
  xcb_atom_t netWmName_;
  xcb_atom_t utf8_;
  xcb_window_t root_ = 0;
};

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

  int screenNumber = 0;
  xcb_connection_t* c = xcb_connect(nullptr, &screenNumber);
  if (xcb_connection_has_error(c) != 0) {
    std::fputs("startup-launcher: cannot connect to the X display\n", stderr);
    return 1;
  }
  const Display display(c, screenNumber);
  // Top-level windows are the root's children without a window manager:
  // their MapNotify arrives here the moment they are mapped.
  const std::uint32_t events = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
  xcb_change_window_attributes(c, display.Root(), XCB_CW_EVENT_MASK, &events);
  if (display.Find(display.Root(), title, 2)) {
    std::fprintf(stderr, "startup-launcher: a window titled \"%s\" is already shown\n", title.c_str());
    return 1;
  }
  std::fflush(nullptr);

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
        if (display.Titled(map->window, title)) {
          window = map->window;
          mappedAfter = MillisecondsSince(start);
          break;
        }
      }
      // With a window manager the window is mapped inside a frame, out of
      // the root's sight: look for it now and then.
      if (!window && Clock::now() >= nextSearch) {
        window = display.Find(display.Root(), title, 2);
        if (window) mappedAfter = MillisecondsSince(start);
        nextSearch = Clock::now() + std::chrono::milliseconds(5);
      }
    }
    if (window && display.Pixel(*window, x, y) == colour) {
      paintedAfter = MillisecondsSince(start);
      break;
    }
    std::this_thread::sleep_for(std::chrono::microseconds(window ? 200 : 500));
  }
  xcb_disconnect(c);
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
