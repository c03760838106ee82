// Runs GoogleTest inside the page, with the arguments the controller put
// after the page's "#", and hands the controller the exit status.
#include <gtest/gtest.h>

#include "tests/web/web_driver.h"

int main() {
  std::vector<std::string> arguments = tavrelo::ui::testing_support::PageArguments();
  arguments.insert(arguments.begin(), "tavrelo-page-test");
  std::vector<char*> argv;
  for (std::string& argument : arguments) argv.push_back(argument.data());
  int argc = static_cast<int>(argv.size());
  testing::InitGoogleTest(&argc, argv.data());
  const int failed = RUN_ALL_TESTS();
  tavrelo::ui::testing_support::ReportExit(failed);
  return failed;
}
