#pragma once
// The modal message of a failed press: Windows' own message box, which a
// screen reader announces as an alert, with its one button named in Chinese
// whatever the system's language.

#include <windows.h>

#include <string_view>

namespace tavrelo::ui::win32 {

// Shows `text` under `title` with the one button `button`, modal to
// `owner`, and returns once the user has closed it.
void ShowMessage(HWND owner, std::string_view title, std::string_view text, std::string_view button);

}  // namespace tavrelo::ui::win32
