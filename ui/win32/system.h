#pragma once
// What only later versions of Windows offer, looked up at run time, each
// with what the program does on a Windows without it. Everything else the
// program calls is in Windows 7 SP1 (a test reads the executable's imports).

#include <windows.h>

namespace tavrelo::ui::win32 {

// The dots per inch of the monitor a window is on: GetDpiForWindow
// (Windows 10 1607 on), else GetDpiForMonitor (Windows 8.1 on), else the
// system's dpi (Windows 7 and 8, where a program's windows all have it).
[[nodiscard]] int DpiOf(HWND window);
// The two fallbacks on their own; none (0) where this Windows lacks it.
[[nodiscard]] int MonitorDpiOf(HWND window);
[[nodiscard]] int SystemDpi();

// The outer size of a window whose client area is `client` at `dpi`:
// AdjustWindowRectExForDpi (Windows 10 1607 on), else AdjustWindowRectEx,
// whose frame is measured at the system's dpi.
[[nodiscard]] SIZE OuterSize(SIZE client, DWORD style, DWORD exStyle, int dpi);

}  // namespace tavrelo::ui::win32
