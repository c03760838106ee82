// FormDriver on the Windows windows, in this process: the user's keys and
// clicks go in through SendInput, as hardware input does, and the message
// loop (with the windows' keyboard navigation) runs until it is idle; the
// controls are read back with their own messages. A failed press's message
// box runs a modal loop of its own, inside the press: a thread timer, which
// that loop delivers too, reads each box on screen and presses its button,
// as a user would (the one place where the driver reaches into a loop that
// is not its own).
#include <gtest/gtest.h>
#include <windows.h>
// The common controls' and the accessibility layer's headers build on windows.h.
#include <commctrl.h>
#include <oleacc.h>

#include <algorithm>
#include <memory>

#include "tests/binding_cases/form_driver.h"
#include "ui/win32/context_menu.h"
#include "ui/win32/form_window.h"
#include "ui/win32/text.h"

namespace tavrelo::ui::testing_support {
namespace {

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
    // Each UTF-16 unit as a character from the keyboard or an input method.
    for (const wchar_t unit : Widen(text)) {
      Send({KeyEvent(0, false, KEYEVENTF_UNICODE, unit), KeyEvent(0, true, KEYEVENTF_UNICODE, unit)});
      Settle();
    }
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
    ASSERT_NE(SendMessageW(box, CB_GETDROPPEDSTATE, 0, 0), 0) << "the list did not open";
    SendMessageW(parts.hwndList, LB_SETTOPINDEX, static_cast<WPARAM>(index), 0);
    Settle();
    RECT item{};
    SendMessageW(parts.hwndList, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    POINT centre{(item.left + item.right) / 2, (item.top + item.bottom) / 2};
    ClientToScreen(parts.hwndList, &centre);
    Click(centre);
  }

  void Focus(ControlKey control) override {
    SetFocus(ControlHwnd(control));
    Settle();
  }

  void Key(DriverKey key) override {
    const auto press = [](WORD vk, DWORD flags = 0) { Send({KeyEvent(vk, false, flags), KeyEvent(vk, true, flags)}); };
    switch (key) {
      case DriverKey::Tab: press(VK_TAB); break;
      case DriverKey::ShiftTab:
        Send({KeyEvent(VK_SHIFT, false), KeyEvent(VK_TAB, false), KeyEvent(VK_TAB, true), KeyEvent(VK_SHIFT, true)});
        break;
      case DriverKey::Enter: press(VK_RETURN); break;
      case DriverKey::KeypadEnter: press(VK_RETURN, KEYEVENTF_EXTENDEDKEY); break;
      case DriverKey::Escape: press(VK_ESCAPE); break;
      case DriverKey::Space: press(VK_SPACE); break;
      case DriverKey::Down: press(VK_DOWN, KEYEVENTF_EXTENDEDKEY); break;
      case DriverKey::Up: press(VK_UP, KEYEVENTF_EXTENDEDKEY); break;
    }
    Settle();
  }

  void Click(ControlKey key) override {
    HWND button = ControlHwnd(key);
    RECT area;
    GetClientRect(button, &area);
    POINT centre{area.right / 2, area.bottom / 2};
    ClientToScreen(button, &centre);
    Click(centre);
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

  std::string SelectedText(ControlKey control) override {
    HWND window = ControlHwnd(control);
    DWORD start = 0;
    DWORD end = 0;
    if (ModelOf(control).Row(control).kind == ControlKind::ComboBox) {
      SendMessageW(window, CB_GETEDITSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    } else {
      SendMessageW(window, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    }
    const std::wstring text = WindowText(window);
    if (start >= end || end > text.size()) return {};
    return Narrow(std::wstring_view(text).substr(start, end - start));
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
