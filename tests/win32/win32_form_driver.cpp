// FormDriver on the Windows windows, in this process: the user's keys and
// clicks go in through SendInput, as hardware input does, and the message
// loop (with the windows' keyboard navigation) runs until it is idle; the
// controls are read back with their own messages. A failed press's message
// box runs a modal loop of its own, inside the press: a thread timer, which
// that loop delivers too, reads each box on screen and presses its button,
// as a user would (the one place where the driver reaches into a loop that
// is not its own).
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>
#include <oleacc.h>

#include <algorithm>
#include <cstdint>
#include <memory>

#include "tests/binding_cases/form_driver.h"
#include "tests/support/cf_html.h"
#include "tests/support/typed_characters.h"
#include "ui/win32/context_menu.h"
#include "ui/win32/form_window.h"
#include "ui/win32/text.h"

namespace tavrelo::ui::testing_support {
namespace {

using testing_support::CfHtmlFragment;
using win32::FormWindow;
using win32::Narrow;
using win32::Widen;
using win32::WindowText;

void Send(std::initializer_list<INPUT> inputs) {
  std::vector<INPUT> events(inputs);
  SendInput(static_cast<UINT>(events.size()), events.data(), sizeof(INPUT));
}

INPUT KeyEvent(WORD virtualKey, bool up, DWORD flags = 0, WORD character = 0) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = virtualKey;
  input.ki.wScan = character;
  input.ki.dwFlags = flags | (up ? KEYEVENTF_KEYUP : 0);
  return input;
}

INPUT MouseEvent(POINT screen, DWORD flags) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  const int width = GetSystemMetrics(SM_CXSCREEN);
  const int height = GetSystemMetrics(SM_CYSCREEN);
  input.mi.dx = MulDiv(screen.x, 65535, width - 1);
  input.mi.dy = MulDiv(screen.y, 65535, height - 1);
  input.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE;
  return input;
}

// A key as the keyboard sends it: its virtual key, whether it is one of the
// extended (grey) keys, and the modifiers held around it.
struct Win32Key {
  WORD virtualKey = 0;
  bool extended = false;
  std::vector<WORD> modifiers;
};

Win32Key Win32KeyOf(DriverKey key) {
  switch (key) {
    case DriverKey::Tab: return {VK_TAB};
    case DriverKey::ShiftTab: return {VK_TAB, false, {VK_SHIFT}};
    case DriverKey::Enter: return {VK_RETURN};
    case DriverKey::KeypadEnter: return {VK_RETURN, true};
    case DriverKey::Escape: return {VK_ESCAPE};
    case DriverKey::Space: return {VK_SPACE};
    case DriverKey::Down: return {VK_DOWN, true};
    case DriverKey::Up: return {VK_UP, true};
    case DriverKey::PageDown: return {VK_NEXT, true};
    case DriverKey::PageUp: return {VK_PRIOR, true};
    case DriverKey::Left: return {VK_LEFT, true};
    case DriverKey::Right: return {VK_RIGHT, true};
    case DriverKey::Home: return {VK_HOME, true};
    case DriverKey::End: return {VK_END, true};
    case DriverKey::Backspace: return {VK_BACK};
    case DriverKey::Delete: return {VK_DELETE, true};
    case DriverKey::F4: return {VK_F4};
    case DriverKey::AltDown: return {VK_DOWN, true, {VK_MENU}};
    case DriverKey::CtrlA: return {'A', false, {VK_CONTROL}};
    case DriverKey::CtrlC: return {'C', false, {VK_CONTROL}};
    case DriverKey::CtrlX: return {'X', false, {VK_CONTROL}};
    case DriverKey::CtrlV: return {'V', false, {VK_CONTROL}};
    case DriverKey::CtrlZ: return {'Z', false, {VK_CONTROL}};
    case DriverKey::CtrlY: return {'Y', false, {VK_CONTROL}};
    case DriverKey::CtrlShiftZ: return {'Z', false, {VK_CONTROL, VK_SHIFT}};
  }
  return {};
}

// The position in bytes of UTF-8 of the first `units` UTF-16 units.
std::size_t BytesOf(const std::wstring& text, DWORD units) {
  return Narrow(std::wstring_view(text).substr(0, std::min<std::size_t>(units, text.size()))).size();
}

// The edit field of a combo box.
HWND EditOf(HWND combo) {
  COMBOBOXINFO parts{};
  parts.cbSize = sizeof(parts);
  return GetComboBoxInfo(combo, &parts) != 0 ? parts.hwndItem : nullptr;
}

// The text of a message box: its longest static text (the other one, if
// any, is its icon).
std::string MessageBoxText(HWND box) {
  std::wstring longest;
  for (HWND child = GetWindow(box, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
    wchar_t kind[16] = {};
    GetClassNameW(child, kind, 16);
    if (std::wstring_view(kind) != L"Static") continue;
    const std::wstring text = WindowText(child);
    if (text.size() > longest.size()) longest = text;
  }
  return Narrow(longest);
}

class Win32FormDriver final : public FormDriver {
 public:
  explicit Win32FormDriver(Program& program) : FormDriver(program), windows_(program, GetModuleHandleW(nullptr)) {
    FormWindow& main = windows_.Main();
    main.Show(SW_SHOWNORMAL);
    SetForegroundWindow(main.Hwnd());
    main.Show(SW_SHOWNORMAL);  // the focus into the first tab stop, now that the window is active
    // What Narrator and NVDA hear of: a live region's text changed.
    listening_ = this;
    hook_ = SetWinEventHook(kLiveRegionChanged, kLiveRegionChanged, nullptr, &Heard, GetCurrentProcessId(), 0,
                            WINEVENT_OUTOFCONTEXT);
    answerer_ = SetTimer(nullptr, 0, 20, &AnswerMessageBoxes);
    Settle();
  }
  ~Win32FormDriver() override {
    if (answerer_ != 0) KillTimer(nullptr, answerer_);
    if (hook_ != nullptr) UnhookWinEvent(hook_);
    listening_ = nullptr;
  }
  Win32FormDriver(const Win32FormDriver&) = delete;
  Win32FormDriver& operator=(const Win32FormDriver&) = delete;

  void Type(ControlKey combo, std::string_view text) override {
    HWND box = ControlHwnd(combo);
    SetFocus(box);
    SendMessageW(box, CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
    Send({KeyEvent(VK_DELETE, false), KeyEvent(VK_DELETE, true)});
    Settle();
    TypeHere(text);
  }

  // Each character as the keyboard or an input method sends it: its UTF-16
  // units one after the other.
  void TypeHere(std::string_view text) override {
    for (const std::string_view character : TypedCharacters(text)) {
      std::vector<INPUT> events;
      for (const wchar_t unit : Widen(character)) {
        events.push_back(KeyEvent(0, false, KEYEVENTF_UNICODE, unit));
        events.push_back(KeyEvent(0, true, KEYEVENTF_UNICODE, unit));
      }
      SendInput(static_cast<UINT>(events.size()), events.data(), sizeof(INPUT));
      Settle();
    }
  }

  // The characters of the commit in one go, as an input method hands a
  // window that draws no composition of its own its result.
  void Commit(std::string_view text, std::string_view /*composing*/) override {
    std::vector<INPUT> events;
    for (const wchar_t unit : Widen(text)) {
      events.push_back(KeyEvent(0, false, KEYEVENTF_UNICODE, unit));
      events.push_back(KeyEvent(0, true, KEYEVENTF_UNICODE, unit));
    }
    if (!events.empty()) SendInput(static_cast<UINT>(events.size()), events.data(), sizeof(INPUT));
    Settle();
  }

  void PickByPointer(ControlKey combo, std::string_view entry) override {
    HWND box = ControlHwnd(combo);
    const std::wstring wanted = Widen(entry);
    const auto index =
        SendMessageW(box, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(wanted.c_str()));
    ASSERT_GE(index, 0) << entry;
    COMBOBOXINFO parts{};
    parts.cbSize = sizeof(parts);
    ASSERT_NE(GetComboBoxInfo(box, &parts), 0);
    POINT button{(parts.rcButton.left + parts.rcButton.right) / 2, (parts.rcButton.top + parts.rcButton.bottom) / 2};
    ClientToScreen(box, &button);
    Click(button);
    SettleUntil([box] { return SendMessageW(box, CB_GETDROPPEDSTATE, 0, 0) != 0; });
    ASSERT_NE(SendMessageW(box, CB_GETDROPPEDSTATE, 0, 0), 0) << "the list did not open";
    SendMessageW(parts.hwndList, LB_SETTOPINDEX, static_cast<WPARAM>(index), 0);
    Settle();
    RECT item{};
    SendMessageW(parts.hwndList, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    POINT centre{(item.left + item.right) / 2, (item.top + item.bottom) / 2};
    ClientToScreen(parts.hwndList, &centre);
    Click(centre);
  }

  // Windows sends the wheel to the window with the focus.
  void Wheel(ControlKey combo, bool up) override {
    HWND box = ControlHwnd(combo);
    SetFocus(box);
    RECT area;
    GetClientRect(box, &area);
    POINT centre{area.right / 2, area.bottom / 2};
    ClientToScreen(box, &centre);
    Send({MouseEvent(centre, MOUSEEVENTF_MOVE)});
    INPUT turn = MouseEvent(centre, MOUSEEVENTF_WHEEL);
    turn.mi.mouseData = static_cast<DWORD>(up ? WHEEL_DELTA : -WHEEL_DELTA);
    Send({turn});
    Settle();
  }

  void Focus(ControlKey control) override {
    SetFocus(ControlHwnd(control));
    Settle();
  }

  void Key(DriverKey key) override {
    const Win32Key pressed = Win32KeyOf(key);
    const DWORD flags = pressed.extended ? KEYEVENTF_EXTENDEDKEY : 0;
    std::vector<INPUT> events;
    for (const WORD modifier : pressed.modifiers) events.push_back(KeyEvent(modifier, false));
    events.push_back(KeyEvent(pressed.virtualKey, false, flags));
    events.push_back(KeyEvent(pressed.virtualKey, true, flags));
    for (auto modifier = pressed.modifiers.rbegin(); modifier != pressed.modifiers.rend(); ++modifier) {
      events.push_back(KeyEvent(*modifier, true));
    }
    SendInput(static_cast<UINT>(events.size()), events.data(), sizeof(INPUT));
    Settle();
  }

  // What the close button of the window's frame sends.
  void Close(ControlKey form) override {
    PostMessageW(WindowFor(form).Hwnd(), WM_SYSCOMMAND, SC_CLOSE, 0);
    Settle();
  }

  void Click(ControlKey control) override { Click(ScreenSpot(control)); }

  // The second click well within the double-click time of the first.
  void DoubleClick(ControlKey control) override {
    const POINT spot = ScreenSpot(control);
    Click(spot);
    Click(spot);
  }

  void PutOnClipboard(std::string_view text) override {
    const std::wstring wide = Widen(text);
    if (OpenClipboard(windows_.Main().Hwnd()) == 0) {
      ADD_FAILURE() << "the clipboard cannot be opened";
      return;
    }
    EmptyClipboard();
    const std::size_t bytes = (wide.size() + 1) * sizeof(wchar_t);
    if (HGLOBAL data = GlobalAlloc(GMEM_MOVEABLE, bytes)) {
      std::copy_n(wide.c_str(), wide.size() + 1, static_cast<wchar_t*>(GlobalLock(data)));
      GlobalUnlock(data);
      if (SetClipboardData(CF_UNICODETEXT, data) == nullptr) GlobalFree(data);
    }
    CloseClipboard();
  }

  // What Windows tells a window dragged to a monitor of another dpi.
  bool ChangeDpi(int dpi) override {
    RECT now{};
    const FormWindow& main = windows_.Main();
    GetWindowRect(main.Hwnd(), &now);
    RECT suggested{now.left, now.top, now.left + MulDiv(now.right - now.left, dpi, main.Dpi()),
                   now.top + MulDiv(now.bottom - now.top, dpi, main.Dpi())};
    SendMessageW(main.Hwnd(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
    Settle();
    return main.Dpi() == dpi;
  }

  std::string Focused() override {
    HWND focus = GetFocus();
    if (focus == nullptr) return "(nothing)";
    const FormWindow* window = windows_.WindowOf(focus);
    const auto key = window != nullptr ? window->ControlOf(focus) : std::nullopt;
    return key && *key != window->Model().FormKey() ? DisplayName(*key) : "(not a control)";
  }

  std::string Shown(ControlKey control) override {
    HWND window = ControlHwnd(control);
    return window == nullptr ? std::string() : Narrow(WindowText(window));
  }

  TextSelection SelectionOf(ControlKey control) override {
    HWND window = ControlHwnd(control);
    DWORD start = 0;
    DWORD end = 0;
    if (ModelOf(control).Row(control).kind == ControlKind::ComboBox) {
      SendMessageW(window, CB_GETEDITSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    } else {
      SendMessageW(window, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    }
    const std::wstring text = WindowText(window);
    return {BytesOf(text, start), BytesOf(text, end)};
  }

  int TextLimit(ControlKey control) override {
    HWND window = ControlHwnd(control);
    if (ModelOf(control).Row(control).kind == ControlKind::ComboBox) window = EditOf(window);
    return window != nullptr ? static_cast<int>(SendMessageW(window, EM_GETLIMITTEXT, 0, 0)) : -1;
  }

  bool IsShown(ControlKey control) override {
    HWND window = ControlHwnd(control);
    return window != nullptr && IsWindowVisible(window) != 0;
  }

  int ShownIndex(ControlKey combo) override {
    return static_cast<int>(SendMessageW(ControlHwnd(combo), CB_GETCURSEL, 0, 0));
  }

  std::vector<std::string> ListEntries(ControlKey combo) override {
    HWND box = ControlHwnd(combo);
    std::vector<std::string> entries;
    const auto count = SendMessageW(box, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
      std::wstring entry(static_cast<std::size_t>(SendMessageW(box, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0)) + 1,
                         L'\0');
      SendMessageW(box, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(entry.data()));
      entry.resize(entry.size() - 1);
      entries.push_back(Narrow(entry));
    }
    return entries;
  }

  // A dropped-down list, its highlight the list box's selection.
  std::optional<OpenedList> OpenList() override {
    for (const auto& window : windows_.All()) {
      for (const ControlSpec& row : window->Model().Inventory()) {
        if (row.kind != ControlKind::ComboBox) continue;
        HWND box = window->Control(row.Key());
        if (box == nullptr || SendMessageW(box, CB_GETDROPPEDSTATE, 0, 0) == 0) continue;
        COMBOBOXINFO parts{};
        parts.cbSize = sizeof(parts);
        if (GetComboBoxInfo(box, &parts) == 0 || IsWindowVisible(parts.hwndList) == 0) continue;
        return OpenedList{DisplayName(row.Key()), static_cast<int>(SendMessageW(parts.hwndList, LB_GETCURSEL, 0, 0))};
      }
    }
    return std::nullopt;
  }

  // What the accessibility layer answers a screen reader for the window.
  // Wine's accessibility layer does not keep the names a program annotates
  // its windows with (it names a combo box by its text, or not at all), so
  // under Wine this reads the name the window annotated the control with,
  // from the inventory: the test then shows that the name stays the same
  // whatever the field holds, not that Windows hears it.
  std::string AccessibleName(ControlKey control) override {
    if (UnderWine()) return ModelOf(control).Row(control).accessibleName;
    return NameFromAccessibilityLayer(ControlHwnd(control));
  }

  std::vector<std::string> Announcements() override {
    Settle();
    return announced_;
  }

  std::vector<ShownMessage> Messages() override { return messages_; }

  std::vector<std::string> MenuEntriesOf(ControlKey box) override {
    std::vector<std::string> entries;
    HMENU menu = win32::BuildResultMenu(EntriesOf(box));
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
      const UINT state = GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION);
      if ((state & MF_SEPARATOR) != 0) {
        entries.emplace_back();
        continue;
      }
      wchar_t text[128] = {};
      GetMenuStringW(menu, static_cast<UINT>(i), text, 128, MF_BYPOSITION);
      const std::string read = MenuEntryAsRead(Narrow(text));
      entries.push_back((state & MF_GRAYED) != 0 ? "-" + read : read);
    }
    DestroyMenu(menu);
    return entries;
  }

  // The last entry as a keyboard user reaches it: Shift+F10 in the result
  // box opens the menu, Up goes round to the last entry, Enter chooses it.
  // The others as the window carries a chosen entry out.
  bool ChooseFromMenuOf(ControlKey box, std::string_view entry) override {
    const std::vector<ResultMenuEntry> entries = EntriesOf(box);
    const auto found = std::find_if(entries.begin(), entries.end(),
                                    [&](const ResultMenuEntry& each) { return MenuEntryAsRead(each.text) == entry; });
    if (found == entries.end() || !found->enabled) return false;
    if (found + 1 == entries.end()) {
      Focus(box);
      Send({KeyEvent(VK_SHIFT, false), KeyEvent(VK_F10, false), KeyEvent(VK_F10, true), KeyEvent(VK_SHIFT, true),
            KeyEvent(VK_UP, false, KEYEVENTF_EXTENDEDKEY), KeyEvent(VK_UP, true, KEYEVENTF_EXTENDEDKEY),
            KeyEvent(VK_RETURN, false), KeyEvent(VK_RETURN, true)});
      Settle();
      return true;
    }
    win32::RunResultMenuEntry(*found, ControlHwnd(box), ModelOf(box));
    Settle();
    return true;
  }

  // What the screen shows there: a form's whole window, its frame as Wine or
  // Windows draws it, or a control's client area.
  Capture CaptureOf(ControlKey control) override {
    Settle();
    HWND window = ControlHwnd(control);
    if (window == nullptr) return {};
    const bool whole = control == ModelOf(control).FormKey();
    RECT area{};
    if (whole) {
      GetWindowRect(window, &area);
    } else {
      GetClientRect(window, &area);
    }
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    HDC source = whole ? GetWindowDC(window) : GetDC(window);
    HDC memory = CreateCompatibleDC(source);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    const HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, source, 0, 0, SRCCOPY);
    Capture capture{width, height, WindowFor(control).Dpi() / 96.0, {}};
    const auto* pixels = static_cast<const std::uint32_t*>(bits);
    capture.pixels.assign(pixels, pixels + static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    for (Rgb& pixel : capture.pixels) pixel &= 0xFFFFFFU;  // BGRA in memory is 0xAARRGGBB
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(window, source);
    return capture;
  }

  // The fragment "HTML Format" holds, cut out as its header says.
  std::string ClipboardHtml() override {
    static const UINT kHtmlFormat = RegisterClipboardFormatW(L"HTML Format");
    std::string bytes;
    if (OpenClipboard(windows_.Main().Hwnd()) == 0) return bytes;
    if (HANDLE data = GetClipboardData(kHtmlFormat)) {
      bytes.assign(static_cast<const char*>(GlobalLock(data)));
      GlobalUnlock(data);
    }
    CloseClipboard();
    if (bytes.empty()) return bytes;
    const std::optional<std::string> fragment = CfHtmlFragment(bytes);
    EXPECT_TRUE(fragment.has_value()) << "no sound CF_HTML header in\n" << bytes.substr(0, 200);
    return fragment.value_or("");
  }

  std::optional<bool> ClipboardHasPicture() override { return IsClipboardFormatAvailable(CF_DIB) != 0; }

  std::string ClipboardText() override {
    std::string text;
    if (OpenClipboard(windows_.Main().Hwnd()) == 0) return text;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
      text = Narrow(static_cast<const wchar_t*>(GlobalLock(data)));
      GlobalUnlock(data);
    }
    CloseClipboard();
    return text;
  }

 private:
  static constexpr DWORD kLiveRegionChanged = 0x8019;  // EVENT_OBJECT_LIVEREGIONCHANGED
  static inline Win32FormDriver* listening_ = nullptr;

  static void CALLBACK Heard(HWINEVENTHOOK /*hook*/, DWORD /*event*/, HWND window, LONG object, LONG child,
                             DWORD /*thread*/, DWORD /*time*/) {
    if (listening_ == nullptr || object != OBJID_CLIENT || child != CHILDID_SELF) return;
    listening_->announced_.push_back(Narrow(WindowText(window)));
  }

  static bool UnderWine() {
    HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
  }

  static std::string NameFromAccessibilityLayer(HWND window) {
    IAccessible* accessible = nullptr;
    if (window == nullptr ||
        FAILED(AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                                          reinterpret_cast<void**>(&accessible)))) {
      return {};
    }
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR name = nullptr;
    std::string result;
    if (SUCCEEDED(accessible->get_accName(self, &name)) && name != nullptr) {
      result = Narrow(std::wstring_view(name, SysStringLen(name)));
      SysFreeString(name);
    }
    accessible->Release();
    return result;
  }

  // ClickSpot on the screen, at the dpi of the window that holds it.
  POINT ScreenSpot(ControlKey control) {
    const Spot spot = ClickSpot(control);
    HWND on = ControlHwnd(spot.on);
    const int dpi = WindowFor(spot.on).Dpi();
    POINT point{MulDiv(spot.x, dpi, 96), MulDiv(spot.y, dpi, 96)};
    ClientToScreen(on, &point);
    return point;
  }

  void Click(POINT screen) {
    Send({MouseEvent(screen, MOUSEEVENTF_MOVE)});
    Settle();
    Send({MouseEvent(screen, MOUSEEVENTF_LEFTDOWN)});
    Settle();
    Send({MouseEvent(screen, MOUSEEVENTF_LEFTUP)});
    Settle();
  }

  // Runs the message loop until nothing is left for it, then once more
  // after a short pause for input that is still on its way.
  void Settle() {
    for (int round = 0; round < 2; ++round) {
      MSG message;
      while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE) != 0) {
        if (windows_.TranslateNavigation(message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
      }
      if (round == 0) Sleep(15);
    }
  }

  // Settles, and goes on settling for up to a second until `done` holds:
  // on a busy machine Wine may deliver a click after the first pause.
  template <typename Done>
  void SettleUntil(Done done) {
    Settle();
    for (int round = 0; round < 50 && !done(); ++round) Settle();
  }

  // The window of the form that holds `control`, and its control.
  [[nodiscard]] FormWindow& WindowFor(ControlKey control) const {
    for (const auto& window : windows_.All()) {
      if (window->Model().Contains(control)) return *window;
    }
    return windows_.Main();
  }
  [[nodiscard]] HWND ControlHwnd(ControlKey control) const { return WindowFor(control).Control(control); }
  [[nodiscard]] std::vector<ResultMenuEntry> EntriesOf(ControlKey box) const {
    return ui::ResultMenuEntries(ModelOf(box), ModelOf(box).Row(box), win32::EditStateOf(ControlHwnd(box)));
  }

  // Reads every message box of this thread on screen, then presses its
  // button.
  static void CALLBACK AnswerMessageBoxes(HWND /*window*/, UINT /*message*/, UINT_PTR /*timer*/, DWORD /*time*/) {
    if (listening_ == nullptr) return;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND box, LPARAM) -> BOOL {
          wchar_t kind[16] = {};
          GetClassNameW(box, kind, 16);
          if (std::wstring_view(kind) != L"#32770" || IsWindowVisible(box) == 0) return TRUE;
          if (GetPropW(box, L"tavrelo-answered") != nullptr) return TRUE;  // closing already
          SetPropW(box, L"tavrelo-answered", box);
          listening_->messages_.push_back({Narrow(WindowText(box)), MessageBoxText(box)});
          PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
          return TRUE;
        },
        0);
  }

  win32::ProgramWindows windows_;
  UINT_PTR answerer_ = 0;
  std::vector<ShownMessage> messages_;
  HWINEVENTHOOK hook_ = nullptr;
  std::vector<std::string> announced_;
};

}  // namespace

std::unique_ptr<FormDriver> MakeFormDriver(Program& program) { return std::make_unique<Win32FormDriver>(program); }

}  // namespace tavrelo::ui::testing_support
