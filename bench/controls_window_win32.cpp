// The floor of our own controls under Wine: a window of Tavrelo's main form
// made the plainest way the Windows API offers, by walking the same
// inventory (MainForm()): every control in its place at the screen's dpi with
// its text and list, one CreateWindowExW each — a frame a group box, a label
// a STATIC, a combo box a COMBOBOX filled by CB_ADDSTRING, the result box an
// EDIT, the button a BUTTON — all in one font, and nothing else: no
// subclassing, tooltips, accessibility annotations, painting of its own,
// tab order or dpi changes. Lines are not windows (Tavrelo paints them).
// Same title, client size and background as Tavrelo's window, the same
// resources (Common Controls 6 through the manifest), so what tavrelo.exe
// costs beyond this is ours. It marks its steps as Tavrelo does
// (ui/win32/startup_marks.h).
#include <windows.h>

#include <string>
#include <vector>

#include "bench/floor_window_win32.h"
#include "ui/control_inventory.h"
#include "ui/view_rules.h"
#include "ui/win32/startup_marks.h"
#include "ui/win32/system.h"
#include "ui/win32/text.h"

namespace {

using namespace tavrelo::ui;
using tavrelo::ui::win32::Widen;

// Rows of an open drop-down list, each about as tall as the closed box.
constexpr int kListRows = 10;

struct Made {
  const wchar_t* windowClass;
  DWORD style;
  DWORD exStyle = 0;
};

Made WindowFor(const ControlSpec& row) {
  switch (row.kind) {
    case ControlKind::Frame: return {L"BUTTON", BS_GROUPBOX};
    case ControlKind::ComboBox: return {L"COMBOBOX", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL};
    case ControlKind::TextBox:
      return {L"EDIT",
              static_cast<DWORD>(WS_TABSTOP | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN |
                                 (row.readOnly ? ES_READONLY : 0)),
              WS_EX_CLIENTEDGE};
    case ControlKind::CommandButton: return {L"BUTTON", WS_TABSTOP | BS_PUSHBUTTON};
    default: return {L"STATIC", SS_LEFT};
  }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE /*previous*/, PWSTR /*commandLine*/, int showCommand) {
  using namespace tavrelo::bench;
  tavrelo::ui::win32::Mark("main");
  HWND window = CreateFloorWindow(instance, L"ControlsWindow");
  if (window == nullptr) return 1;
  tavrelo::ui::win32::Mark("form-window");
  const int dpi = tavrelo::ui::win32::DpiOf(window);

  LOGFONTW font{};
  font.lfHeight = -FontPixels(look::WindowFont(), dpi);
  font.lfCharSet = GB2312_CHARSET;
  const std::wstring family = Widen(look::WindowFont().families.front());
  family.copy(font.lfFaceName, LF_FACESIZE - 1);
  HFONT shared = CreateFontIndirectW(&font);

  const auto inventory = MainForm().inventory;
  std::vector<HWND> made(inventory.size(), nullptr);
  for (std::size_t i = 1; i < inventory.size(); ++i) {
    const ControlSpec& row = inventory[i];
    if (row.kind == ControlKind::Line) continue;
    HWND parent = window;
    for (std::size_t j = 0; j < i && !row.container.empty(); ++j) {
      if (inventory[j].name == row.container) parent = made[j];
    }
    const PixelBox box = PixelRect(row, dpi);
    const int height = row.kind == ControlKind::ComboBox ? box.height * (1 + kListRows) : box.height;
    const Made kind = WindowFor(row);
    const std::wstring text = Widen(row.kind == ControlKind::TextBox ? ToCrLf(row.caption) : row.caption);
    HWND control = CreateWindowExW(kind.exStyle, kind.windowClass, text.c_str(), kind.style | WS_CHILD | WS_VISIBLE,
                                   box.x, box.y, box.width, height, parent, nullptr, instance, nullptr);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(shared), FALSE);
    for (const std::string_view entry : row.list) {
      SendMessageW(control, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(entry).c_str()));
    }
    made[i] = control;
  }
  tavrelo::ui::win32::Mark("controls");

  const PixelBox client{0, 0, TwipsToPixels(inventory.front().width, dpi),
                        TwipsToPixels(inventory.front().height, dpi)};
  const SIZE outer = tavrelo::ui::win32::OuterSize({client.width, client.height}, kFloorStyle, 0, dpi);
  SetWindowPos(window, nullptr, 0, 0, outer.cx, outer.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  ShowWindow(window, showCommand);
  tavrelo::ui::win32::Mark("shown");
  UpdateWindow(window);
  tavrelo::ui::win32::Mark("painted");
  const int exitCode = RunFloorLoop();
  DeleteObject(shared);
  tavrelo::ui::win32::WriteMarks();
  return exitCode;
}
