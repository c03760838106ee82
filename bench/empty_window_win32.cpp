// The floor of the start-up benchmark under Wine: a bare Windows API window
// with Tavrelo's title, client size and background colour, and nothing else
// — no controls, no fonts, no common controls, no COM. It carries the same
// resources (manifest, icon, version information), so both processes start
// alike; its window class does not load the icon, as a bare window would
// not. controls_window_win32.cpp is the floor with Tavrelo's controls.
#include <windows.h>

#include "bench/floor_window_win32.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE /*previous*/, PWSTR /*commandLine*/, int showCommand) {
  using namespace tavrelo::bench;
  // Created hidden, then sized to the client area at the dpi of the monitor
  // it is on (the manifest makes the process per-monitor aware), shown and
  // painted: the same steps as Tavrelo's window.
  HWND window = CreateFloorWindow(instance, L"EmptyWindow");
  if (window == nullptr) return 1;
  const UINT dpi = GetDpiForWindow(window);
  RECT outer{0, 0, MulDiv(kFloorClientWidth, static_cast<int>(dpi), 96),
             MulDiv(kFloorClientHeight, static_cast<int>(dpi), 96)};
  AdjustWindowRectExForDpi(&outer, kFloorStyle, FALSE, 0, dpi);
  SetWindowPos(window, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  ShowWindow(window, showCommand);
  UpdateWindow(window);
  return RunFloorLoop();
}
