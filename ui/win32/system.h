#pragma once
// What only some versions of Windows offer, looked up at run time, each with
// what the program does on a Windows without it.

#include <windows.h>

namespace tavrelo::ui::win32 {

// The dots per inch of the monitor a window is on (GetDpiForWindow, Windows
// 10 1607 on); the system's dpi elsewhere.
[[nodiscard]] int DpiOf(HWND window);

// The outer size of a window whose client area is `client` at `dpi`
// (AdjustWindowRectExForDpi, Windows 10 1607 on); at the system's dpi
// elsewhere.
[[nodiscard]] SIZE OuterSize(SIZE client, DWORD style, DWORD exStyle, int dpi);

}  // namespace tavrelo::ui::win32
