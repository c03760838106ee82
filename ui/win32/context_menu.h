#pragma once
// A result box's context menu on Windows, built from the entries the form
// gives (ui/result_menu.h) so that it is Chinese on every Windows, and the
// clipboard its copying commands write.

#include <windows.h>

#include <string_view>

#include "ui/form_model.h"
#include "ui/result_menu.h"

namespace tavrelo::ui::win32 {

// What the box's editing commands could do now.
[[nodiscard]] EditState EditStateOf(HWND box);

// The menu of `entries` (the caller destroys it), each disabled one greyed.
// Item ids are 1 + the entry's place in `entries`.
[[nodiscard]] HMENU BuildResultMenu(const std::vector<ResultMenuEntry>& entries);

// Carries out `entry` on `box`: a form's command in the model, an editing
// command on the box.
void RunResultMenuEntry(const ResultMenuEntry& entry, HWND box, FormModel& model);

// Opens the menu on `box` and carries out the entry chosen: by the pointer
// at `at` (screen coordinates, as WM_CONTEXTMENU gives them), by the keyboard
// (the menu key, Shift+F10: `at` is -1) at the caret. `owner` owns the menu.
void ShowResultMenu(HWND box, LPARAM at, HWND owner, FormModel& model, const ControlSpec& row);

// Puts `content` on the clipboard at once, in one opening of it: its text as
// Windows' plain text (UTF-16, CR LF line breaks), its HTML as "HTML Format"
// (ToCfHtml), its picture as a bitmap (CF_DIB). False when the clipboard
// could not be had or took no text.
bool CopyToClipboard(HWND owner, const ClipboardContent& content);

}  // namespace tavrelo::ui::win32
