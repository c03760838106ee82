#pragma once
// The model speaks UTF-8, the Windows API UTF-16: the binding converts at
// its edge and nowhere else.

#include <windows.h>

#include <string>
#include <string_view>

namespace tavrelo::ui::win32 {

[[nodiscard]] std::wstring Widen(std::string_view utf8);
[[nodiscard]] std::string Narrow(std::wstring_view utf16);

// The whole text of a window (a combo box's edit text, an edit control's).
[[nodiscard]] std::wstring WindowText(HWND window);

}  // namespace tavrelo::ui::win32
