// Tavrelo on Windows: negative skin friction of a pile. One window, nothing else.
#include <windows.h>

#include <commctrl.h>
#include <objbase.h>

#include "ui/form_handlers.h"
#include "ui/form_model.h"
#include "ui/win32/form_window.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE /*previous*/, PWSTR /*commandLine*/, int showCommand) {
  const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  // The accessibility layer's annotations are COM objects.
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  tavrelo::ui::FormModel model;
  tavrelo::ui::win32::FormWindow window(model, instance);
  tavrelo::ui::ConnectHandlers(model);
  window.Show(showCommand);
  const int exitCode = tavrelo::ui::win32::RunMessageLoop(window);
  if (SUCCEEDED(com)) CoUninitialize();
  return exitCode;
}
