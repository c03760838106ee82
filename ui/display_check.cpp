#include "ui/display_check.h"

#include <string_view>

namespace tavrelo::ui {

std::optional<std::string> MissingDisplayMessage([[maybe_unused]] const EnvironmentLookup& lookup) {
#if defined(_WIN32) || defined(__APPLE__)
  return std::nullopt;
#else
  const auto set = [&lookup](const char* name) {
    const char* value = lookup(name);
    return value != nullptr && *value != '\0';
  };
  const char* platform = lookup("QT_QPA_PLATFORM");
  const std::string_view chosen = platform != nullptr ? platform : "";
  const bool wantsX11 = chosen.empty() || chosen.starts_with("xcb");
  const bool wantsWayland = chosen.empty() || chosen.starts_with("wayland");
  if (!wantsX11 && !wantsWayland) return std::nullopt;  // offscreen, vnc, eglfs, …
  if ((wantsX11 && set("DISPLAY")) || (wantsWayland && set("WAYLAND_DISPLAY"))) return std::nullopt;
  return std::string(
      "tavrelo: 没有可用的显示器，无法打开窗口 / no display to open the window on (DISPLAY is not set); "
      "run it in a desktop session, or under a virtual display: xvfb-run -a tavrelo");
#endif
}

}  // namespace tavrelo::ui
