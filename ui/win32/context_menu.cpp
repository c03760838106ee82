#include "ui/win32/context_menu.h"

#include <algorithm>
#include <string>

#include "ui/view_rules.h"
#include "ui/win32/text.h"

namespace tavrelo::ui::win32 {

EditState EditStateOf(HWND box) {
  DWORD start = 0;
  DWORD end = 0;
  SendMessageW(box, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return {SendMessageW(box, EM_CANUNDO, 0, 0) != 0, start != end, GetWindowTextLengthW(box) > 0,
          IsClipboardFormatAvailable(CF_UNICODETEXT) != 0};
}

HMENU BuildResultMenu(const std::vector<ResultMenuEntry>& entries) {
  HMENU menu = CreatePopupMenu();
  UINT id = 1;
  for (const ResultMenuEntry& entry : entries) {
    if (entry.separatorBefore) AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    std::wstring text = Widen(entry.text);
    if (!entry.shortcut.empty()) text += L"\t" + Widen(entry.shortcut);
    AppendMenuW(menu, static_cast<UINT>(MF_STRING | (entry.enabled ? MF_ENABLED : MF_GRAYED)), id++, text.c_str());
  }
  return menu;
}

void RunResultMenuEntry(const ResultMenuEntry& entry, HWND box, FormModel& model) {
  const std::optional<EditCommand> edit = ChooseResultMenuEntry(model, entry);
  if (!edit) return;
  switch (*edit) {
    case EditCommand::Undo: SendMessageW(box, WM_UNDO, 0, 0); break;
    case EditCommand::Cut: SendMessageW(box, WM_CUT, 0, 0); break;
    case EditCommand::Copy: SendMessageW(box, WM_COPY, 0, 0); break;
    case EditCommand::Paste: SendMessageW(box, WM_PASTE, 0, 0); break;
    case EditCommand::Delete: SendMessageW(box, WM_CLEAR, 0, 0); break;
    case EditCommand::SelectAll: SendMessageW(box, EM_SETSEL, 0, -1); break;
  }
}

void ShowResultMenu(HWND box, LPARAM at, HWND owner, FormModel& model, const ControlSpec& row) {
  POINT place{static_cast<short>(LOWORD(at)), static_cast<short>(HIWORD(at))};
  if (at == -1) {
    GetCaretPos(&place);
    ClientToScreen(box, &place);
  }
  SetFocus(box);
  const std::vector<ResultMenuEntry> entries = ResultMenuEntries(model, row, EditStateOf(box));
  HMENU menu = BuildResultMenu(entries);
  const auto chosen = static_cast<int>(
      TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN, place.x, place.y, 0, owner, nullptr));
  DestroyMenu(menu);
  if (chosen >= 1 && chosen <= static_cast<int>(entries.size())) {
    RunResultMenuEntry(entries[static_cast<std::size_t>(chosen - 1)], box, model);
  }
}

bool CopyToClipboard(HWND owner, const ClipboardContent& content) {
  if (OpenClipboard(owner) == 0) return false;
  const std::wstring wide = Widen(ToCrLf(content.text));
  const std::size_t bytes = (wide.size() + 1) * sizeof(wchar_t);
  bool copied = false;
  if (HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes)) {
    if (auto* place = static_cast<wchar_t*>(GlobalLock(memory))) {
      std::copy_n(wide.c_str(), wide.size() + 1, place);
      GlobalUnlock(memory);
      EmptyClipboard();
      copied = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
    }
    if (!copied) GlobalFree(memory);
  }
  CloseClipboard();
  return copied;
}

}  // namespace tavrelo::ui::win32
