// Tavrelo on Windows: negative skin friction of a pile. Its windows, nothing else.
#include <windows.h>
// The common controls' header builds on windows.h.
#include <commctrl.h>

#include "ui/program.h"
#include "ui/win32/accessibility.h"
#include "ui/win32/form_window.h"
#include "ui/win32/startup_marks.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE /*previous*/, PWSTR /*commandLine*/, int showCommand) {
  using namespace tavrelo::ui::win32;
  Mark("main");
  const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  Mark("common-controls");
  // COM waits for a screen reader (accessibility.h).
  tavrelo::ui::TavreloProgram program;
  Mark("models");
  int exitCode = 0;
  {
    const ProgramWindows windows(program, instance);
    Mark("windows");
    windows.Main().Show(showCommand);
    exitCode = RunMessageLoop(windows);
  }
  EndAccessibility();
  WriteMarks();
  return exitCode;
}
