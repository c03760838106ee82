#include "ui/win32/context_menu.h"

#include <algorithm>
#include <string>

#include "ui/clipboard_html.h"
#include "ui/profile_drawing.h"
#include "ui/view_rules.h"
#include "ui/win32/painting.h"
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

namespace {

// A movable block of `bytes` filled by `fill`, for the clipboard to own;
// nullptr when there is no memory for it.
template <typename Fill>
HGLOBAL Block(std::size_t bytes, Fill fill) {
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
  if (memory == nullptr) return nullptr;
  void* place = GlobalLock(memory);
  if (place == nullptr) {
    GlobalFree(memory);
    return nullptr;
  }
  fill(static_cast<unsigned char*>(place));
  GlobalUnlock(memory);
  return memory;
}

// The drawing as a device-independent bitmap (CF_DIB: its header, then its
// rows from the bottom up), at twice its size for a printed report.
HGLOBAL PictureBlock(const ProfileDrawing& drawing) {
  constexpr int kScale = 2;
  const int width = drawing.box.width * kScale;
  const int height = drawing.box.height * kScale;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // drawn top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGLOBAL block = nullptr;
  if (bitmap != nullptr) {
    const HGDIOBJ old = SelectObject(memory, bitmap);
    Brushes brushes;
    Fonts fonts;
    const RECT all{0, 0, width, height};
    FillRect(memory, &all, brushes(0xFFFFFF));
    PaintDrawing(memory, drawing, 96 * kScale, brushes, fonts);
    GdiFlush();
    const std::size_t row = static_cast<std::size_t>(width) * 4;
    BITMAPINFOHEADER header = info.bmiHeader;
    header.biHeight = height;  // bottom-up, as every reader takes it
    block = Block(sizeof(header) + row * static_cast<std::size_t>(height), [&](unsigned char* place) {
      std::copy_n(reinterpret_cast<const unsigned char*>(&header), sizeof(header), place);
      const auto* top = static_cast<const unsigned char*>(bits);
      for (int y = 0; y < height; ++y) {
        std::copy_n(top + row * static_cast<std::size_t>(height - 1 - y), row,
                    place + sizeof(header) + row * static_cast<std::size_t>(y));
      }
    });
    SelectObject(memory, old);
    DeleteObject(bitmap);
  }
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return block;
}

}  // namespace

bool CopyToClipboard(HWND owner, const ClipboardContent& content) {
  if (OpenClipboard(owner) == 0) return false;
  EmptyClipboard();
  const std::wstring wide = Widen(ToCrLf(content.text));
  HGLOBAL text = Block((wide.size() + 1) * sizeof(wchar_t), [&](unsigned char* place) {
    std::copy_n(reinterpret_cast<const unsigned char*>(wide.c_str()), (wide.size() + 1) * sizeof(wchar_t), place);
  });
  bool copied = text != nullptr && SetClipboardData(CF_UNICODETEXT, text) != nullptr;
  if (text != nullptr && !copied) GlobalFree(text);
  // The report as a table for an office suite, and its drawing as a picture.
  if (copied && !content.html.empty()) {
    static const UINT kHtmlFormat = RegisterClipboardFormatW(L"HTML Format");
    const std::string bytes = ToCfHtml(content.html);
    HGLOBAL html = Block(bytes.size() + 1, [&](unsigned char* place) {
      std::copy_n(reinterpret_cast<const unsigned char*>(bytes.c_str()), bytes.size() + 1, place);
    });
    if (html != nullptr && kHtmlFormat != 0 && SetClipboardData(kHtmlFormat, html) == nullptr) GlobalFree(html);
  }
  if (copied && content.picture != nullptr) {
    if (HGLOBAL picture = PictureBlock(*content.picture); picture != nullptr) {
      if (SetClipboardData(CF_DIB, picture) == nullptr) GlobalFree(picture);
    }
  }
  CloseClipboard();
  return copied;
}

}  // namespace tavrelo::ui::win32
