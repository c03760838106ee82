#include "ui/qt/display_check.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace tavrelo::ui {
namespace {

struct DisplayCase {
  const char* name;
  std::map<std::string, std::string> environment;
  bool complains;
};

class DisplayCheck : public testing::TestWithParam<DisplayCase> {};

TEST_P(DisplayCheck, ComplainsOnlyWithoutADisplay) {
  const auto& environment = GetParam().environment;
  const auto message = MissingDisplayMessage([&environment](const char* name) -> const char* {
    const auto found = environment.find(name);
    return found == environment.end() ? nullptr : found->second.c_str();
  });
#if defined(_WIN32) || defined(__APPLE__)
  EXPECT_FALSE(message);
#else
  EXPECT_EQ(message.has_value(), GetParam().complains);
  if (message) {
    EXPECT_EQ(message->find('\n'), std::string::npos) << "one line";
    EXPECT_NE(message->find("xvfb-run"), std::string::npos) << "says how to get a display";
  }
#endif
}

INSTANTIATE_TEST_SUITE_P(
    Environments, DisplayCheck,
    testing::Values(
        DisplayCase{"Nothing", {}, true}, DisplayCase{"EmptyDisplay", {{"DISPLAY", ""}}, true},
        DisplayCase{"X11", {{"DISPLAY", ":0"}}, false},
        DisplayCase{"Wayland", {{"WAYLAND_DISPLAY", "wayland-0"}}, false},
        DisplayCase{"Offscreen", {{"QT_QPA_PLATFORM", "offscreen"}}, false},
        DisplayCase{"XcbWithoutDisplay", {{"QT_QPA_PLATFORM", "xcb"}, {"WAYLAND_DISPLAY", "w"}}, true},
        DisplayCase{"XcbWithDisplay", {{"QT_QPA_PLATFORM", "xcb"}, {"DISPLAY", ":1"}}, false},
        DisplayCase{"WaylandPlatformWithoutSocket", {{"QT_QPA_PLATFORM", "wayland"}, {"DISPLAY", ":1"}}, true},
        DisplayCase{"ListFallsBackToX11", {{"QT_QPA_PLATFORM", "wayland;xcb"}, {"DISPLAY", ":1"}}, false},
        DisplayCase{"ListWithNeitherServer", {{"QT_QPA_PLATFORM", "wayland;xcb"}}, true},
        DisplayCase{"ListEndingOffscreen", {{"QT_QPA_PLATFORM", "xcb;offscreen"}}, false},
        DisplayCase{"PlatformWithArguments", {{"QT_QPA_PLATFORM", "xcb:nomitshm"}, {"DISPLAY", ":1"}}, false}),
    [](const auto& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace tavrelo::ui
