// Runs GoogleTest in a Windows process that is per-monitor dpi aware, as the
// program is through its manifest, with the common controls registered, as
// the program has them. COM, as in the program, waits for the first screen
// reader's question (ui/win32/accessibility.h).
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include "ui/win32/accessibility.h"

int main(int argc, char* argv[]) {
  using SetContextFn = BOOL(WINAPI*)(DPI_AWARENESS_CONTEXT);
  const auto setContext = reinterpret_cast<SetContextFn>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "SetProcessDpiAwarenessContext")));
  if (setContext != nullptr) setContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
  const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  testing::InitGoogleTest(&argc, argv);
  const int failed = RUN_ALL_TESTS();
  tavrelo::ui::win32::EndAccessibility();
  return failed;
}
