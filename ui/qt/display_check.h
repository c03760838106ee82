#pragma once
// Before Qt starts: is there a display to show the window on? Qt
// would otherwise abort with a long message about platform plugins.

#include <functional>
#include <optional>
#include <string>

namespace tavrelo::ui {

// Reads an environment variable; nullptr when it is not set.
using EnvironmentLookup = std::function<const char*(const char* name)>;

// One line for the terminal saying that there is no display and how to get
// one, or nothing when a display (or a display-less Qt platform such as
// "offscreen") is at hand. Only X11 and Wayland systems are checked.
[[nodiscard]] std::optional<std::string> MissingDisplayMessage(const EnvironmentLookup& lookup);

}  // namespace tavrelo::ui
