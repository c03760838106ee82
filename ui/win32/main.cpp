// Tavrelo on Windows: negative skin friction of a pile. Its windows, nothing else.
#include <windows.h>
// The common controls' and COM's headers build on windows.h.
#include <commctrl.h>
#include <objbase.h>

#include "ui/program.h"
#include "ui/win32/form_window.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE /*previous*/, PWSTR /*commandLine*/, int showCommand) {
  const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  // The accessibility layer's annotations are COM objects.
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  tavrelo::ui::TavreloProgram program;
  const tavrelo::ui::win32::ProgramWindows windows(program, instance);
  windows.Main().Show(showCommand);
  const int exitCode = tavrelo::ui::win32::RunMessageLoop(windows);
  if (SUCCEEDED(com)) CoUninitialize();
  return exitCode;
}
