// The Windows window as it opens, on the real controls: every control in its
// place at the screen's dpi, the fonts the label boxes are sized for, the
// notes in four lines. CTest runs this program at 96 and at 144 dpi.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>

#include "tests/win32/thread_windows.h"
#include "ui/controls.h"
#include "ui/form_model.h"
#include "ui/text_wrap.h"
#include "ui/view_rules.h"
#include "ui/win32/form_window.h"
#include "ui/win32/system.h"
#include "ui/win32/text.h"

namespace tavrelo::ui {
void PrintTo(const PixelBox& box, std::ostream* out) {
  *out << box.x << ", " << box.y << ", " << box.width << " x " << box.height;
}
}  // namespace tavrelo::ui

namespace tavrelo::ui::win32 {
namespace {

// The dpi this run was started at: TAVRELO_WINE_DPI, 96 when unset.
int ExpectedDpi() {
  const char* dpi = std::getenv("TAVRELO_WINE_DPI");
  return dpi != nullptr ? std::atoi(dpi) : 96;
}

PixelBox BoxInParent(HWND control) {
  RECT rect;
  GetWindowRect(control, &rect);
  MapWindowPoints(HWND_DESKTOP, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
  return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

class Win32Layout : public testing::Test {
 protected:
  Win32Layout() { window.Show(SW_SHOWNOACTIVATE); }

  SIZE TextSize(ControlKey control, const wchar_t* text) {
    HDC dc = GetDC(window.Hwnd());
    const HGDIOBJ old = SelectObject(dc, window.Font(control));
    SIZE size{};
    GetTextExtentPoint32W(dc, text, static_cast<int>(wcslen(text)), &size);
    SelectObject(dc, old);
    ReleaseDC(window.Hwnd(), dc);
    return size;
  }

  // What Windows sends on a move to a monitor of the other dpi (Wine never
  // does); that dpi.
  int MoveToTheOtherDpi() {
    const int dpi = ExpectedDpi() == 96 ? 144 : 96;
    RECT suggested{40, 40, 40 + MulDiv(700, dpi, 96), 40 + MulDiv(400, dpi, 96)};
    SendMessageW(window.Hwnd(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
    return dpi;
  }

  FormModel model;
  FormWindow window{model, GetModuleHandleW(nullptr)};
};

TEST_F(Win32Layout, WindowIsTavreloWithItsClientAreaAtTheScreensDpi) {
  const int dpi = ExpectedDpi();
  EXPECT_EQ(window.Dpi(), dpi);
  RECT client;
  GetClientRect(window.Hwnd(), &client);
  EXPECT_EQ(client.right, MulDiv(628, dpi, 96));
  EXPECT_EQ(client.bottom, MulDiv(316, dpi, 96));
  wchar_t title[32] = {};
  GetWindowTextW(window.Hwnd(), title, 32);
  EXPECT_EQ(std::wstring(title), L"Tavrelo");
}

// What Windows 8.1 and Windows 7 fall back to gives the dpi the newest call
// gives, on one monitor: the window is laid out alike on each.
TEST_F(Win32Layout, EveryWayOfAskingTheDpiAgrees) {
  const int dpi = ExpectedDpi();
  EXPECT_EQ(DpiOf(window.Hwnd()), dpi);
  const int monitorDpi = MonitorDpiOf(window.Hwnd());
  EXPECT_TRUE(monitorDpi == 0 || monitorDpi == dpi) << monitorDpi;
  EXPECT_EQ(SystemDpi(), dpi);
  EXPECT_EQ(DpiOf(nullptr), dpi) << "no window: the system's";
}

TEST_F(Win32Layout, EveryControlSitsAtItsTwipsInPixels) {
  for (const ControlSpec& row : model.Inventory()) {
    if (row.kind == ControlKind::Form || row.kind == ControlKind::Line) continue;
    SCOPED_TRACE(DisplayName(row.Key()));
    HWND control = window.Control(row.Key());
    ASSERT_NE(control, nullptr);
    const HWND container = row.container.empty() ? window.Hwnd() : window.Control({row.container});
    EXPECT_EQ(GetParent(control), container);
    EXPECT_NE(IsWindowVisible(control), 0);
    EXPECT_EQ(BoxInParent(control), PixelRect(row, window.Dpi()));
  }
}

// Moving to a monitor with another dpi: Windows sends WM_DPICHANGED with the
// new dpi and a suggested window rectangle (Wine never sends it, so the test
// does), and every control, font and the client area follow.
TEST_F(Win32Layout, AnotherMonitorsDpiLaysTheWindowOutAgain) {
  const int dpi = MoveToTheOtherDpi();
  EXPECT_EQ(window.Dpi(), dpi);
  for (const ControlSpec& row : model.Inventory()) {
    if (row.kind == ControlKind::Form || row.kind == ControlKind::Line) continue;
    EXPECT_EQ(BoxInParent(window.Control(row.Key())), PixelRect(row, dpi)) << DisplayName(row.Key());
  }
  EXPECT_EQ(TextSize({"Label1"}, L"层").cx, MulDiv(12, dpi, 96));
  EXPECT_EQ(TextSize({"Label6"}, L"注").cx, MulDiv(10, dpi, 96));
}

// Hints are tooltips: on the labels that carry one, and on each hinted
// combo box and its edit field (where the pointer rests while typing), once
// the pointer has come over the window.
TEST_F(Win32Layout, EveryHintIsATooltip) {
  SendMessageW(window.Hwnd(), WM_SETCURSOR, reinterpret_cast<WPARAM>(window.Hwnd()),
               MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  HWND tooltip = ThreadWindowOfClass(TOOLTIPS_CLASSW);
  ASSERT_NE(tooltip, nullptr);
  int expected = 0;
  for (const ControlSpec& row : model.Inventory()) {
    if (!row.hint.empty()) expected += row.kind == ControlKind::ComboBox ? 2 : 1;
  }
  EXPECT_EQ(SendMessageW(tooltip, TTM_GETTOOLCOUNT, 0, 0), expected);
}

TEST_F(Win32Layout, LinesAreDrawnNotWindows) {
  for (const ControlSpec& row : model.Inventory()) {
    if (row.kind == ControlKind::Line) {
      EXPECT_EQ(window.Control(row.Key()), nullptr) << DisplayName(row.Key());
    }
  }
}

// The label boxes are sized for 12 px Chinese and 6 px ASCII characters at
// 96 dpi, the notes for 10 px and 5 px; both scale with the dpi.
TEST_F(Win32Layout, FontsHaveTheWidthsTheBoxesAreSizedFor) {
  const int dpi = ExpectedDpi();
  EXPECT_EQ(TextSize({"Label1"}, L"层").cx, MulDiv(12, dpi, 96));
  EXPECT_EQ(TextSize({"Label1"}, L"m").cx, MulDiv(6, dpi, 96));
  EXPECT_EQ(TextSize({"Label6"}, L"注").cx, MulDiv(10, dpi, 96));
  EXPECT_EQ(TextSize({"Label6"}, L"q").cx, MulDiv(5, dpi, 96));
  EXPECT_EQ(TextSize({"Label3", 17}, L"粘性土、粉土").cx, 6 * MulDiv(12, dpi, 96));
}

TEST_F(Win32Layout, NotesWrapIntoFourLinesEachNoteOnItsOwn) {
  HDC dc = GetDC(window.Hwnd());
  const HGDIOBJ old = SelectObject(dc, window.Font({"Label6"}));
  const auto measure = [dc](std::string_view piece) {
    const std::wstring wide = Widen(piece);
    SIZE size{};
    GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &size);
    return static_cast<int>(size.cx);
  };
  const ControlSpec& notes = model.Row({"Label6"});
  const auto lines = WrapLines(notes.caption, PixelRect(notes, window.Dpi()).width, measure);
  SelectObject(dc, old);
  ReleaseDC(window.Hwnd(), dc);
  ASSERT_EQ(lines.size(), 4U);
  EXPECT_TRUE(lines[1].ends_with("较小值。"));
  EXPECT_TRUE(lines[2].starts_with("2、"));
  EXPECT_TRUE(lines[3].starts_with("3、"));
}

// A combo box's field writes in its font and its open list is drawn by the
// form: an entry a line of that font, each entry's text on the window's
// colour, the one picked on the highlight's, at both dpis.
TEST_F(Win32Layout, ComboBoxesWriteAndListInTheirFont) {
  for (const bool moved : {false, true}) {
    if (moved) MoveToTheOtherDpi();
    const ControlKey key = controls::kCause;
    HWND combo = window.Control(key);
    COMBOBOXINFO parts{};
    parts.cbSize = sizeof(parts);
    ASSERT_NE(GetComboBoxInfo(combo, &parts), 0);
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(parts.hwndItem, WM_GETFONT, 0, 0)), window.Font(key));
    const int line = TextSize(key, L"层").cy;
    ASSERT_EQ(SendMessageW(combo, CB_GETITEMHEIGHT, 0, 0), line) << "moved " << moved;

    SendMessageW(combo, CB_SETCURSEL, 1, 0);
    SendMessageW(combo, CB_SHOWDROPDOWN, TRUE, 0);
    UpdateWindow(parts.hwndList);
    HDC dc = GetDC(parts.hwndList);
    // The pixels of entry `entry` (left half) in `colour`.
    const auto count = [&](int entry, int colour) {
      int found = 0;
      for (int y = entry * line; y < (entry + 1) * line; ++y) {
        for (int x = 0; x < MulDiv(40, window.Dpi(), 96); ++x) found += GetPixel(dc, x, y) == GetSysColor(colour);
      }
      return found;
    };
    EXPECT_GT(count(0, COLOR_WINDOWTEXT), 0) << "moved " << moved;
    EXPECT_EQ(count(0, COLOR_HIGHLIGHT), 0);
    EXPECT_GT(count(1, COLOR_HIGHLIGHT), 0);
    EXPECT_GT(count(1, COLOR_HIGHLIGHTTEXT), 0);
    ReleaseDC(parts.hwndList, dc);
    SendMessageW(combo, CB_SHOWDROPDOWN, FALSE, 0);
  }
}

TEST_F(Win32Layout, ListsAndTextsAreThoseOfTheModel) {
  for (const ControlSpec& row : model.Inventory()) {
    if (row.kind != ControlKind::ComboBox) continue;
    HWND combo = window.Control(row.Key());
    ASSERT_EQ(SendMessageW(combo, CB_GETCOUNT, 0, 0), static_cast<LRESULT>(row.list.size())) << DisplayName(row.Key());
    EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), CB_ERR);
    wchar_t entry[64] = {};
    SendMessageW(combo, CB_GETLBTEXT, row.list.size() - 1, reinterpret_cast<LPARAM>(entry));
    EXPECT_EQ(Narrow(entry), row.list.back());
  }
  std::wstring note(512, L'\0');
  note.resize(static_cast<std::size_t>(GetWindowTextW(window.Control({"Text1"}), note.data(), 512)));
  EXPECT_EQ(Narrow(note), model.Text({"Text1"}));
}

}  // namespace
}  // namespace tavrelo::ui::win32
