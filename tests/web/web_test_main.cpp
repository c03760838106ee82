// Runs GoogleTest inside the page, with the arguments the controller put
// after the page's "#", and hands the controller the exit status. A page
// has no environment of its own: an argument NAME=VALUE (the soak's
// TAVRELO_SOAK_ACTIONS=10000) is set in the program's environment instead.
#include <gtest/gtest.h>

#include <cstdlib>

#include "tests/web/web_driver.h"

int main() {
  std::vector<std::string> arguments{"tavrelo-page-test"};
  for (const std::string& argument : tavrelo::ui::testing_support::PageArguments()) {
    const auto equals = argument.find('=');
    if (argument.starts_with("-") || equals == std::string::npos) {
      arguments.push_back(argument);
    } else {
      setenv(argument.substr(0, equals).c_str(), argument.substr(equals + 1).c_str(), 1);
    }
  }
  std::vector<char*> argv;
  for (std::string& argument : arguments) argv.push_back(argument.data());
  int argc = static_cast<int>(argv.size());
  testing::InitGoogleTest(&argc, argv.data());
  const int failed = RUN_ALL_TESTS();
  tavrelo::ui::testing_support::ReportExit(failed);
  return failed;
}
