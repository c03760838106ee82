#include "tools/x11_window_lookup.h"

#include <cstdio>
#include <cstring>

namespace tavrelo::x11 {

xcb_atom_t Atom(xcb_connection_t* c, const char* name) {
  const Reply<xcb_intern_atom_reply_t> reply(
      xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, static_cast<std::uint16_t>(std::strlen(name)), name), nullptr));
  return reply ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
}

xcb_window_t RootWindow(xcb_connection_t* c, int screenNumber) {
  xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(c));
  for (int i = 0; i < screenNumber; ++i) xcb_screen_next(&screens);
  return screens.data->root;
}

std::optional<Display> ConnectDisplay(const char* program) {
  int screenNumber = 0;
  Display display{std::unique_ptr<xcb_connection_t, Disconnect>(xcb_connect(nullptr, &screenNumber))};
  if (xcb_connection_has_error(display.connection.get()) != 0) {
    std::fprintf(stderr, "%s: cannot connect to the X display\n", program);
    return std::nullopt;
  }
  display.root = RootWindow(display.connection.get(), screenNumber);
  return display;
}

WindowLookup::WindowLookup(xcb_connection_t* c)
    : c_(c), netWmName_(Atom(c, "_NET_WM_NAME")), utf8_(Atom(c, "UTF8_STRING")) {}

bool WindowLookup::Titled(xcb_window_t window, const std::string& title) const {
  return Property(window, netWmName_, utf8_) == title || Property(window, XCB_ATOM_WM_NAME, XCB_ATOM_STRING) == title;
}

std::optional<xcb_window_t> WindowLookup::Find(xcb_window_t parent, const std::string& title, int depth) const {
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

std::optional<std::uint32_t> WindowLookup::Pixel(xcb_window_t window, std::int16_t x, std::int16_t y) const {
  const Reply<xcb_get_image_reply_t> image(
      xcb_get_image_reply(c_, xcb_get_image(c_, XCB_IMAGE_FORMAT_Z_PIXMAP, window, x, y, 1, 1, 0xFFFFFFFF), nullptr));
  if (!image || xcb_get_image_data_length(image.get()) < 4) return std::nullopt;
  std::uint32_t pixel = 0;
  std::memcpy(&pixel, xcb_get_image_data(image.get()), sizeof pixel);
  return pixel & 0xFFFFFFu;
}

std::string WindowLookup::Property(xcb_window_t window, xcb_atom_t property, xcb_atom_t type) const {
  const Reply<xcb_get_property_reply_t> reply(
      xcb_get_property_reply(c_, xcb_get_property(c_, 0, window, property, type, 0, 1024), nullptr));
  if (!reply) return {};
  const auto* data = static_cast<const char*>(xcb_get_property_value(reply.get()));
  return {data, static_cast<std::size_t>(xcb_get_property_value_length(reply.get()))};
}

bool WindowLookup::Viewable(xcb_window_t window) const {
  const Reply<xcb_get_window_attributes_reply_t> attributes(
      xcb_get_window_attributes_reply(c_, xcb_get_window_attributes(c_, window), nullptr));
  return attributes && attributes->map_state == XCB_MAP_STATE_VIEWABLE;
}

}  // namespace tavrelo::x11
