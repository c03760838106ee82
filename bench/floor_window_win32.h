#pragma once
// What the benchmark's two floors under Wine share (empty_window_win32.cpp,
// controls_window_win32.cpp): a top-level window class painted by its class
// brush in the form's background, a window procedure that ends the program
// when the window is closed, and the plainest message loop.

#include <windows.h>

namespace tavrelo::bench {

// Tavrelo's title, its client area at 96 dpi and its form's background.
inline constexpr wchar_t kFloorTitle[] = L"Tavrelo";
inline constexpr int kFloorClientWidth = 628;
inline constexpr int kFloorClientHeight = 316;
inline constexpr COLORREF kFloorBackground = RGB(0x80, 0xFF, 0x80);

inline LRESULT CALLBACK FloorWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  // The class brush paints the background (WM_ERASEBKGND).
  return DefWindowProcW(window, message, wParam, lParam);
}

// The class `name` of the floor's top-level window, without an icon, as a
// bare window's would be; false when it could not be registered.
inline bool RegisterFloorClass(HINSTANCE instance, const wchar_t* name) {
  const WNDCLASSEXW floor{.cbSize = sizeof(WNDCLASSEXW),
                          .style = CS_HREDRAW | CS_VREDRAW,
                          .lpfnWndProc = FloorWindowProc,
                          .hInstance = instance,
                          .hCursor = LoadCursorW(nullptr, IDC_ARROW),
                          .hbrBackground = CreateSolidBrush(kFloorBackground),
                          .lpszClassName = name};
  return RegisterClassExW(&floor) != 0;
}

// The floor's top-level window, of a class `name` registered for it:
// hidden, at Windows' default place and size; nullptr when it could not be
// made.
inline constexpr DWORD kFloorStyle = WS_OVERLAPPEDWINDOW;
inline HWND CreateFloorWindow(HINSTANCE instance, const wchar_t* name) {
  if (!RegisterFloorClass(instance, name)) return nullptr;
  return CreateWindowExW(0, name, kFloorTitle, kFloorStyle, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                         nullptr, nullptr, instance, nullptr);
}

// Until the window is closed; the exit code.
inline int RunFloorLoop() {
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}

}  // namespace tavrelo::bench
