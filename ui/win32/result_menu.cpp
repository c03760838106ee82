#include "ui/win32/result_menu.h"

#include <algorithm>
#include <string>

#include "ui/view_rules.h"
#include "ui/win32/text.h"

namespace tavrelo::ui::win32 {

HMENU BuildResultMenu(HWND box, const FormModel& model) {
  DWORD start = 0;
  DWORD end = 0;
  SendMessageW(box, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  const bool selection = start != end;
  HMENU menu = CreatePopupMenu();
  UINT id = 1;
  for (const ResultMenuItem& item : kResultMenu) {
    if (item.separatorBefore) AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    bool enabled = true;
    switch (item.command) {
      case ResultMenuCommand::Undo: enabled = SendMessageW(box, EM_CANUNDO, 0, 0) != 0; break;
      case ResultMenuCommand::Cut:
      case ResultMenuCommand::Copy:
      case ResultMenuCommand::Delete: enabled = selection; break;
      case ResultMenuCommand::Paste: enabled = IsClipboardFormatAvailable(CF_UNICODETEXT) != 0; break;
      case ResultMenuCommand::SelectAll: enabled = GetWindowTextLengthW(box) > 0; break;
      case ResultMenuCommand::CopySteps:
      case ResultMenuCommand::CopyLayered: enabled = CanCopy(model, item.command); break;
    }
    std::wstring text = Widen(item.text);
    if (!item.shortcut.empty()) text += L"\t" + Widen(item.shortcut);
    AppendMenuW(menu, static_cast<UINT>(MF_STRING | (enabled ? MF_ENABLED : MF_GRAYED)), id++, text.c_str());
  }
  return menu;
}

void RunResultMenuCommand(ResultMenuCommand command, HWND box, HWND owner, const FormModel& model) {
  switch (command) {
    case ResultMenuCommand::Undo: SendMessageW(box, WM_UNDO, 0, 0); break;
    case ResultMenuCommand::Cut: SendMessageW(box, WM_CUT, 0, 0); break;
    case ResultMenuCommand::Copy: SendMessageW(box, WM_COPY, 0, 0); break;
    case ResultMenuCommand::Paste: SendMessageW(box, WM_PASTE, 0, 0); break;
    case ResultMenuCommand::Delete: SendMessageW(box, WM_CLEAR, 0, 0); break;
    case ResultMenuCommand::SelectAll: SendMessageW(box, EM_SETSEL, 0, -1); break;
    case ResultMenuCommand::CopySteps:
    case ResultMenuCommand::CopyLayered:
      if (CanCopy(model, command)) CopyToClipboard(owner, TextToCopy(model, command));
      break;
  }
}

void ShowResultMenu(HWND box, LPARAM at, HWND owner, const FormModel& model) {
  POINT place{static_cast<short>(LOWORD(at)), static_cast<short>(HIWORD(at))};
  if (at == -1) {
    GetCaretPos(&place);
    ClientToScreen(box, &place);
  }
  SetFocus(box);
  HMENU menu = BuildResultMenu(box, model);
  const auto chosen = static_cast<int>(
      TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN, place.x, place.y, 0, owner, nullptr));
  DestroyMenu(menu);
  if (chosen >= 1 && chosen <= static_cast<int>(kResultMenu.size())) {
    RunResultMenuCommand(kResultMenu[static_cast<std::size_t>(chosen - 1)].command, box, owner, model);
  }
}

bool CopyToClipboard(HWND owner, std::string_view text) {
  if (OpenClipboard(owner) == 0) return false;
  const std::wstring wide = Widen(ToCrLf(text));
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
