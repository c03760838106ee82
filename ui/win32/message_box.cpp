#include "ui/win32/message_box.h"

#include <string>

#include "ui/win32/text.h"

namespace tavrelo::ui::win32 {

void ShowMessage(HWND owner, std::string_view title, std::string_view text, std::string_view button) {
  // MessageBox names its button after the system's language: a hook on the
  // box's creation renames it.
  static thread_local HHOOK hook = nullptr;
  static thread_local const wchar_t* buttonText = nullptr;  // while the box is up
  const std::wstring wideButton = Widen(button);
  buttonText = wideButton.c_str();
  hook = SetWindowsHookExW(
      WH_CBT,
      [](int code, WPARAM wParam, LPARAM lParam) -> LRESULT {
        if (code == HCBT_ACTIVATE) {
          SetDlgItemTextW(reinterpret_cast<HWND>(wParam), IDOK, buttonText);
          UnhookWindowsHookEx(hook);
          hook = nullptr;
          return 0;
        }
        return CallNextHookEx(hook, code, wParam, lParam);
      },
      nullptr, GetCurrentThreadId());
  MessageBoxW(owner, Widen(text).c_str(), Widen(title).c_str(), MB_OK | MB_ICONWARNING);
  if (hook != nullptr) {
    UnhookWindowsHookEx(hook);
    hook = nullptr;
  }
  buttonText = nullptr;
}

}  // namespace tavrelo::ui::win32
