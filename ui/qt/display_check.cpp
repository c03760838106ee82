#include "ui/qt/display_check.h"

#include <string_view>

namespace tavrelo::ui {
namespace {

// Can Qt's platform `name` ("xcb", "wayland-egl", "offscreen", …) open a
// window with what the environment offers? Only X11 and Wayland need a
// display server; every other platform brings its own.
bool CanStart(std::string_view name, const EnvironmentLookup& lookup) {
  const auto set = [&lookup](const char* variable) {
    const char* value = lookup(variable);
    return value != nullptr && *value != '\0';
  };
  if (name.starts_with("xcb")) return set("DISPLAY");
  if (name.starts_with("wayland")) return set("WAYLAND_DISPLAY");
  return true;
}

}  // namespace

std::optional<std::string> MissingDisplayMessage([[maybe_unused]] const EnvironmentLookup& lookup) {
#if defined(_WIN32) || defined(__APPLE__)
  return std::nullopt;
#else
  // QT_QPA_PLATFORM is a list tried in order ("wayland;xcb"), each entry a
  // name with optional arguments after ':'. Unset, Qt picks X11 or Wayland.
  const char* platform = lookup("QT_QPA_PLATFORM");
  std::string_view list = platform != nullptr && *platform != '\0' ? platform : "xcb;wayland";
  while (true) {
    const std::size_t end = list.find(';');
    std::string_view entry = list.substr(0, end);
    entry = entry.substr(0, entry.find(':'));
    if (!entry.empty() && CanStart(entry, lookup)) return std::nullopt;
    if (end == std::string_view::npos) break;
    list.remove_prefix(end + 1);
  }
  return std::string(
      "tavrelo: 没有可用的显示器，无法打开窗口 / no display to open the window on (DISPLAY is not set); "
      "run it in a desktop session, or under a virtual display: xvfb-run -a tavrelo");
#endif
}

}  // namespace tavrelo::ui
