#pragma once
// The windows a test's own thread made that no window of a form holds: a
// tooltip control, a message box.

#include <windows.h>

#include <string_view>

namespace tavrelo::ui::win32 {

// The first top-level window of this thread of the class `kind`; nullptr
// for none.
inline HWND ThreadWindowOfClass(std::wstring_view kind) {
  struct Search {
    std::wstring_view kind;
    HWND found;
  } search{kind, nullptr};
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND candidate, LPARAM data) -> BOOL {
        auto* wanted = reinterpret_cast<Search*>(data);
        wchar_t name[64] = {};
        GetClassNameW(candidate, name, 64);
        if (std::wstring_view(name) != wanted->kind) return TRUE;
        wanted->found = candidate;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

}  // namespace tavrelo::ui::win32
