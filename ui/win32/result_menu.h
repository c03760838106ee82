#pragma once
// The result box's context menu on Windows, built from kResultMenu so that
// it is Chinese on every Windows, and the clipboard it copies to.

#include <windows.h>

#include <string_view>

#include "ui/form_model.h"
#include "ui/result_menu.h"

namespace tavrelo::ui::win32 {

// The menu as it opens now on `box` (the caller destroys it): each command
// enabled when it can do something. Item ids are 1 + the command's place in
// kResultMenu.
[[nodiscard]] HMENU BuildResultMenu(HWND box, const FormModel& model);

// Carries out one of its commands on `box`; `owner` owns the clipboard.
void RunResultMenuCommand(ResultMenuCommand command, HWND box, HWND owner, const FormModel& model);

// Opens the menu on `box` and carries out the command chosen: by the pointer
// at `at` (screen coordinates, as WM_CONTEXTMENU gives them), by the keyboard
// (the menu key, Shift+F10: `at` is -1) at the caret.
void ShowResultMenu(HWND box, LPARAM at, HWND owner, const FormModel& model);

// Puts `text` (UTF-8) on the clipboard as Windows' plain text: UTF-16 with
// CR LF line breaks. False when the clipboard could not be had.
bool CopyToClipboard(HWND owner, std::string_view text);

}  // namespace tavrelo::ui::win32
