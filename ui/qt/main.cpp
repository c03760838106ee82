// Tavrelo: negative skin friction of a pile. Its windows, nothing else.
#include <QApplication>
#include <cstdio>
#include <cstdlib>

#include "ui/program.h"
#include "ui/qt/display_check.h"
#include "ui/qt/form_window.h"

int main(int argc, char* argv[]) {
  const auto environment = [](const char* name) -> const char* { return std::getenv(name); };
  if (const auto problem = tavrelo::ui::MissingDisplayMessage(environment)) {
    std::fprintf(stderr, "%s\n", problem->c_str());
    return 1;
  }
  QApplication app(argc, argv);
  // Ties the window to its desktop entry (icon and name in task bars).
  QApplication::setDesktopFileName(QStringLiteral(TAVRELO_APP_ID));
  tavrelo::ui::PrepareApplication();
  tavrelo::ui::TavreloProgram program;
  const tavrelo::ui::ProgramWindows windows(program);
  windows.Main().show();
  return QApplication::exec();
}
