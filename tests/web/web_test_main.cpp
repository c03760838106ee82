// Runs GoogleTest inside the page, with the arguments the controller put
// after the page's "#", and hands the controller the exit status. A page
// has no environment of its own: an argument NAME=VALUE (the soak's
// TAVRELO_SOAK_ACTIONS=10000) is set in the program's environment instead.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "tests/web/web_driver.h"

int main() {
  std::vector<std::string> arguments = tavrelo::ui::testing_support::PageArguments();
  // NAME=VALUE among them sets an environment variable, as a shell would
  // for a program (TAVRELO_PICTURES, …); the rest go to GoogleTest.
  for (auto it = arguments.begin(); it != arguments.end();) {
    const std::size_t equals = it->find('=');
    if (it->starts_with("TAVRELO_") && equals != std::string::npos) {
      setenv(it->substr(0, equals).c_str(), it->substr(equals + 1).c_str(), 1);
      it = arguments.erase(it);
    } else {
      ++it;
    }
  }
  arguments.insert(arguments.begin(), "tavrelo-page-test");
  std::vector<char*> argv;
  for (std::string& argument : arguments) argv.push_back(argument.data());
  int argc = static_cast<int>(argv.size());
  testing::InitGoogleTest(&argc, argv.data());
  const int failed = RUN_ALL_TESTS();
  tavrelo::ui::testing_support::ReportExit(failed);
  return failed;
}
