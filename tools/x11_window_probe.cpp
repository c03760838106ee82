// x11-window-probe: looks at a top-level window of another program on the X
// display in $DISPLAY, for smoke tests and start-up measurements.
//
//   x11-window-probe wait TITLE [TIMEOUT_MS]
//       waits until a window titled TITLE is mapped; prints "WIDTHxHEIGHT"
//   x11-window-probe wait-colour TITLE RRGGBB X Y [TIMEOUT_MS]
//       waits until pixel (X, Y) of that window has colour RRGGBB, i.e. the
//       window has been painted; prints the milliseconds it waited
//   x11-window-probe close TITLE
//       asks the window to close, as a window manager's close button does
//
// Exit status: 0 on success, 1 on a timeout or a missing window, 2 on misuse.
#include <xcb/xcb.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <thread>

#include "tools/x11_window_lookup.h"

namespace {

using Clock = std::chrono::steady_clock;
using tavrelo::x11::Atom;
using tavrelo::x11::Reply;
using tavrelo::x11::WindowLookup;

std::optional<xcb_window_t> WaitForWindow(const WindowLookup& lookup, xcb_window_t root, const std::string& title,
                                          Clock::time_point deadline) {
  for (;;) {
    if (const auto window = lookup.Find(root, title, 2)) return window;
    if (Clock::now() > deadline) return std::nullopt;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
}

int Usage() {
  std::fputs(
      "usage: x11-window-probe wait TITLE [TIMEOUT_MS]\n"
      "       x11-window-probe wait-colour TITLE RRGGBB X Y [TIMEOUT_MS]\n"
      "       x11-window-probe close TITLE\n",
      stderr);
  return 2;
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc < 3) return Usage();
  const std::string command = argv[1];
  const std::string title = argv[2];
  std::optional<tavrelo::x11::Display> display = tavrelo::x11::ConnectDisplay("x11-window-probe");
  if (!display) return 1;
  xcb_connection_t* const c = display->connection.get();
  const xcb_window_t root = display->root;
  const WindowLookup lookup(c);
  const auto timeoutArg = [&](int index) { return argc > index ? std::atoi(argv[index]) : 10000; };

  int status = 1;
  if (command == "wait" && argc <= 4) {
    const auto window = WaitForWindow(lookup, root, title, Clock::now() + std::chrono::milliseconds(timeoutArg(3)));
    if (window) {
      const Reply<xcb_get_geometry_reply_t> geometry(xcb_get_geometry_reply(c, xcb_get_geometry(c, *window), nullptr));
      if (geometry) {
        std::printf("%ux%u\n", geometry->width, geometry->height);
        status = 0;
      }
    }
  } else if (command == "wait-colour" && (argc == 6 || argc == 7)) {
    const auto start = Clock::now();
    const auto deadline = start + std::chrono::milliseconds(timeoutArg(6));
    const auto colour = static_cast<std::uint32_t>(std::strtoul(argv[3], nullptr, 16));
    const auto x = static_cast<std::int16_t>(std::atoi(argv[4]));
    const auto y = static_cast<std::int16_t>(std::atoi(argv[5]));
    if (const auto window = WaitForWindow(lookup, root, title, deadline)) {
      while (Clock::now() <= deadline) {
        if (lookup.Pixel(*window, x, y) == colour) {
          const auto waited = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
          std::printf("%.1f\n", waited);
          status = 0;
          break;
        }
        std::this_thread::sleep_for(std::chrono::microseconds(200));
      }
    }
  } else if (command == "close" && argc == 3) {
    if (const auto window = lookup.Find(root, title, 2)) {
      xcb_client_message_event_t event{};
      event.response_type = XCB_CLIENT_MESSAGE;
      event.format = 32;
      event.window = *window;
      event.type = Atom(c, "WM_PROTOCOLS");
      event.data.data32[0] = Atom(c, "WM_DELETE_WINDOW");
      event.data.data32[1] = XCB_CURRENT_TIME;
      // Checked, so that the request has reached the server before this
      // client goes away.
      const Reply<xcb_generic_error_t> error(xcb_request_check(
          c, xcb_send_event_checked(c, 0, *window, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char*>(&event))));
      status = error ? 1 : 0;
    }
  } else {
    status = Usage();
  }
  if (status == 1) std::fprintf(stderr, "x11-window-probe: no window titled \"%s\" in time\n", title.c_str());
  return status;
}
