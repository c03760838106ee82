// Finding another program's top-level window on an X display by its title,
// and reading its pixels: shared by x11-window-probe and the start-up
// benchmark's launcher.
#pragma once

#include <xcb/xcb.h>

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>

namespace tavrelo::x11 {

// xcb hands out replies and errors allocated with malloc.
struct FreeDeleter {
  void operator()(void* p) const { std::free(p); }
};
template <typename T>
using Reply = std::unique_ptr<T, FreeDeleter>;

[[nodiscard]] xcb_atom_t Atom(xcb_connection_t* c, const char* name);

// The root window of screen `screenNumber`, as xcb_connect reported it.
[[nodiscard]] xcb_window_t RootWindow(xcb_connection_t* c, int screenNumber);

struct Disconnect {
  void operator()(xcb_connection_t* c) const { xcb_disconnect(c); }
};

// The display of $DISPLAY: the connection (closed with the last of it) and
// the root window of its default screen.
struct Display {
  std::unique_ptr<xcb_connection_t, Disconnect> connection;
  xcb_window_t root = XCB_WINDOW_NONE;
};

// None, after "PROGRAM: cannot connect to the X display" on stderr, when no
// display answers.
[[nodiscard]] std::optional<Display> ConnectDisplay(const char* program);

class WindowLookup {
 public:
  explicit WindowLookup(xcb_connection_t* c);

  // Whether `window`'s title (_NET_WM_NAME, else WM_NAME) is `title`.
  [[nodiscard]] bool Titled(xcb_window_t window, const std::string& title) const;

  // A viewable window titled `title` at most `depth` levels below `parent`
  // (a window manager's frame adds one).
  [[nodiscard]] std::optional<xcb_window_t> Find(xcb_window_t parent, const std::string& title, int depth) const;

  // The colour of pixel (x, y) of `window` as RRGGBB (24-bit TrueColor, as
  // Xvfb's default screen).
  [[nodiscard]] std::optional<std::uint32_t> Pixel(xcb_window_t window, std::int16_t x, std::int16_t y) const;

 private:
  [[nodiscard]] std::string Property(xcb_window_t window, xcb_atom_t property, xcb_atom_t type) const;
  [[nodiscard]] bool Viewable(xcb_window_t window) const;

  xcb_connection_t* c_;
  xcb_atom_t netWmName_;
  xcb_atom_t utf8_;
};

}  // namespace tavrelo::x11
