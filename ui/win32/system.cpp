#include "ui/win32/system.h"

namespace tavrelo::ui::win32 {
namespace {

// A function of a DLL of Windows by its name; nullptr where this Windows
// lacks the DLL or the function. The DLL stays loaded.
template <typename Function>
Function Lookup(const wchar_t* dll, const char* name) {
  HMODULE module = GetModuleHandleW(dll);
  if (module == nullptr) module = LoadLibraryW(dll);
  if (module == nullptr) return nullptr;
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

}  // namespace

int SystemDpi() {
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return dpi;
}

int MonitorDpiOf(HWND window) {
  // HRESULT GetDpiForMonitor(HMONITOR, MONITOR_DPI_TYPE, UINT*, UINT*) of
  // shcore.dll; MDT_EFFECTIVE_DPI is 0.
  using GetDpiForMonitorFn = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
  static const auto getDpiForMonitor = Lookup<GetDpiForMonitorFn>(L"shcore.dll", "GetDpiForMonitor");
  UINT x = 0;
  UINT y = 0;
  if (getDpiForMonitor == nullptr || window == nullptr ||
      FAILED(getDpiForMonitor(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), 0, &x, &y))) {
    return 0;
  }
  return static_cast<int>(y);
}

int DpiOf(HWND window) {
  static const auto getDpiForWindow = Lookup<UINT(WINAPI*)(HWND)>(L"user32.dll", "GetDpiForWindow");
  if (getDpiForWindow != nullptr && window != nullptr) {
    if (const UINT dpi = getDpiForWindow(window); dpi != 0) return static_cast<int>(dpi);
  }
  if (const int dpi = MonitorDpiOf(window); dpi != 0) return dpi;
  return SystemDpi();
}

SIZE OuterSize(SIZE client, DWORD style, DWORD exStyle, int dpi) {
  static const auto adjustForDpi =
      Lookup<BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT)>(L"user32.dll", "AdjustWindowRectExForDpi");
  RECT rect{0, 0, client.cx, client.cy};
  if (adjustForDpi != nullptr) {
    adjustForDpi(&rect, style, FALSE, exStyle, static_cast<UINT>(dpi));
  } else {
    AdjustWindowRectEx(&rect, style, FALSE, exStyle);
  }
  return {rect.right - rect.left, rect.bottom - rect.top};
}

}  // namespace tavrelo::ui::win32
