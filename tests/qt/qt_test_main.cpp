// Runs GoogleTest inside a QApplication, offscreen unless the environment
// chooses another Qt platform.
#include <gtest/gtest.h>

#include <QApplication>

#include "ui/qt/form_window.h"

int main(int argc, char* argv[]) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  testing::InitGoogleTest(&argc, argv);
  QApplication app(argc, argv);
  tavrelo::ui::PrepareApplication();
  return RUN_ALL_TESTS();
}
