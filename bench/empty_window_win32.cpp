// The floor of the start-up benchmark under Wine: a bare Windows API window
// with Tavrelo's title, client size and background colour, and nothing else
// — no controls, no fonts, no common controls, no COM. Whatever tavrelo.exe
// costs beyond this is ours. It carries the same resources (manifest, icon,
// version information), so both processes start alike; its window class does
// not load the icon, as a bare window would not.
#include <windows.h>

namespace {

constexpr wchar_t kClass[] = L"EmptyWindow";
// Tavrelo's client area at 96 dpi, and its form's background.
constexpr int kClientWidth = 628;
constexpr int kClientHeight = 316;
constexpr COLORREF kBackground = RGB(0x80, 0xFF, 0x80);

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  // The class brush paints the background (WM_ERASEBKGND).
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE /*previous*/, PWSTR /*commandLine*/, int showCommand) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.style = CS_HREDRAW | CS_VREDRAW;
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = CreateSolidBrush(kBackground);
  windowClass.lpszClassName = kClass;
  if (RegisterClassExW(&windowClass) == 0) return 1;

  // Created hidden, then sized to the client area at the dpi of the monitor
  // it is on (the manifest makes the process per-monitor aware), shown and
  // painted: the same steps as Tavrelo's window.
  constexpr DWORD kStyle = WS_OVERLAPPEDWINDOW;
  HWND window = CreateWindowExW(0, kClass, L"Tavrelo", kStyle, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                CW_USEDEFAULT, nullptr, nullptr, instance, nullptr);
  if (window == nullptr) return 1;
  const UINT dpi = GetDpiForWindow(window);
  RECT outer{0, 0, MulDiv(kClientWidth, static_cast<int>(dpi), 96), MulDiv(kClientHeight, static_cast<int>(dpi), 96)};
  AdjustWindowRectExForDpi(&outer, kStyle, FALSE, 0, dpi);
  SetWindowPos(window, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  ShowWindow(window, showCommand);
  UpdateWindow(window);

  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}
