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

xcb_atom_t Atom(xcb_connection_t* c, const char* name) {
  const Reply<xcb_intern_atom_reply_t> reply(
      xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, static_cast<std::uint16_t>(std::strlen(name)), name), nullptr));
  return reply ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
}

std::string Title(xcb_connection_t* c, xcb_window_t window, xcb_atom_t property, xcb_atom_t type) {
  const Reply<xcb_get_property_reply_t> reply(
      xcb_get_property_reply(c, xcb_get_property(c, 0, window, property, type, 0, 1024), nullptr));
  if (!reply) return {};
  const auto* data = static_cast<const char*>(xcb_get_property_value(reply.get()));
  return {data, static_cast<std::size_t>(xcb_get_property_value_length(reply.get()))};
}

// Depth-first search below `parent`, deep enough for a window manager's frame.
std::optional<xcb_window_t> Find(xcb_connection_t* c, xcb_window_t parent, const std::string& title, int depth) {
  static const xcb_atom_t netWmName = Atom(c, "_NET_WM_NAME");
  static const xcb_atom_t utf8 = Atom(c, "UTF8_STRING");
  const Reply<xcb_query_tree_reply_t> tree(xcb_query_tree_reply(c, xcb_query_tree(c, parent), nullptr));
  if (!tree) return std::nullopt;
  const xcb_window_t* children = xcb_query_tree_children(tree.get());
  const int count = xcb_query_tree_children_length(tree.get());
  for (int i = 0; i < count; ++i) {
    const xcb_window_t child = children[i];
    if (Title(c, child, netWmName, utf8) == title || Title(c, child, XCB_ATOM_WM_NAME, XCB_ATOM_STRING) == title) {
      const Reply<xcb_get_window_attributes_reply_t> attributes(
          xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, child), nullptr));
      if (attributes && attributes->map_state == XCB_MAP_STATE_VIEWABLE) return child;
    }
    if (depth > 0) {
      if (const auto found = Find(c, child, title, depth - 1)) return found;
    }
  }
  return std::nullopt;
}

std::optional<xcb_window_t> WaitForWindow(xcb_connection_t* c, xcb_window_t root, const std::string& title,
                                          Clock::time_point deadline) {
  for (;;) {
    if (const auto window = Find(c, root, title, 2)) return window;
    if (Clock::now() > deadline) return std::nullopt;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
}

std::optional<std::uint32_t> Pixel(xcb_connection_t* c, xcb_window_t window, std::int16_t x, std::int16_t y) {
  const Reply<xcb_get_image_reply_t> image(
      xcb_get_image_reply(c, xcb_get_image(c, XCB_IMAGE_FORMAT_Z_PIXMAP, window, x, y, 1, 1, 0xFFFFFFFF), nullptr));
  if (!image || xcb_get_image_data_length(image.get()) < 4) return std::nullopt;
  std::uint32_t pixel = 0;
  std::memcpy(&pixel, xcb_get_image_data(image.get()), sizeof pixel);
  return pixel & 0xFFFFFFu;  // 24-bit TrueColor, as Xvfb's default screen
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
  int screenNumber = 0;
  xcb_connection_t* c = xcb_connect(nullptr, &screenNumber);
  if (xcb_connection_has_error(c) != 0) {
    std::fputs("x11-window-probe: cannot connect to the X display\n", stderr);
    return 1;
  }
  xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(c));
  for (int i = 0; i < screenNumber; ++i) xcb_screen_next(&screens);
  const xcb_window_t root = screens.data->root;
  const auto timeoutArg = [&](int index) { return argc > index ? std::atoi(argv[index]) : 10000; };

  int status = 1;
  if (command == "wait" && argc <= 4) {
    const auto window = WaitForWindow(c, root, title, Clock::now() + std::chrono::milliseconds(timeoutArg(3)));
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
    if (const auto window = WaitForWindow(c, root, title, deadline)) {
      while (Clock::now() <= deadline) {
        if (Pixel(c, *window, x, y) == colour) {
          const auto waited = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
          std::printf("%.1f\n", waited);
          status = 0;
          break;
        }
        std::this_thread::sleep_for(std::chrono::microseconds(200));
      }
    }
  } else if (command == "close" && argc == 3) {
    if (const auto window = Find(c, root, title, 2)) {
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
  xcb_disconnect(c);
  return status;
}
