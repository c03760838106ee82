#include "ui/win32/form_window.h"

#include <commctrl.h>
#include <oleacc.h>

#include <algorithm>
#include <array>

#include "ui/text_wrap.h"
#include "ui/view_rules.h"
#include "ui/win32/text.h"

namespace tavrelo::ui::win32 {
namespace {

constexpr wchar_t kFormClass[] = L"TavreloForm";
constexpr wchar_t kFrameClass[] = L"TavreloFrame";
// Control ids start above IDOK and IDCANCEL, which the keyboard navigation
// sends for Enter and Esc: those keys must never reach a control.
constexpr int kFirstControlId = 1000;
// Rows shown by an open drop-down list before it scrolls.
constexpr int kVisibleListRows = 10;

COLORREF ToColorRef(Rgb rgb) { return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF); }

std::wstring WindowText(HWND window) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

// The dots per inch of the monitor a window is on; Windows before 10 only
// know the system's.
int DpiOf(HWND window) {
  using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
  static const auto getDpiForWindow = reinterpret_cast<GetDpiForWindowFn>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
  if (getDpiForWindow != nullptr && window != nullptr) {
    if (const UINT dpi = getDpiForWindow(window); dpi != 0) return static_cast<int>(dpi);
  }
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return dpi;
}

// The outer size of a window whose client area is `client` at `dpi`.
SIZE OuterSize(SIZE client, DWORD style, DWORD exStyle, int dpi) {
  using AdjustFn = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
  static const auto adjustForDpi = reinterpret_cast<AdjustFn>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "AdjustWindowRectExForDpi")));
  RECT rect{0, 0, client.cx, client.cy};
  if (adjustForDpi != nullptr) {
    adjustForDpi(&rect, style, FALSE, exStyle, static_cast<UINT>(dpi));
  } else {
    AdjustWindowRectEx(&rect, style, FALSE, exStyle);
  }
  return {rect.right - rect.left, rect.bottom - rect.top};
}

bool LookUpFamily(std::string_view family) {
  LOGFONTW wanted{};
  wanted.lfCharSet = DEFAULT_CHARSET;
  const std::wstring name = Widen(family);
  if (name.size() >= LF_FACESIZE) return false;
  std::copy(name.begin(), name.end(), wanted.lfFaceName);
  HDC screen = GetDC(nullptr);
  bool found = false;
  EnumFontFamiliesExW(
      screen, &wanted,
      [](const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM flag) -> int {
        *reinterpret_cast<bool*>(flag) = true;
        return 0;
      },
      reinterpret_cast<LPARAM>(&found), 0);
  ReleaseDC(nullptr, screen);
  return found;
}

// Asked for every window and every change of dpi; the fonts installed do
// not change while the program runs.
bool FamilyInstalled(std::string_view family) {
  static std::map<std::string, bool, std::less<>> known;
  const auto found = known.find(family);
  if (found != known.end()) return found->second;
  return known.emplace(std::string(family), LookUpFamily(family)).first->second;
}

// The font at `dpi`, in the first installed family of its list. Chinese
// character set: with the default one, a font mapper may settle on a face
// without Chinese characters.
HFONT CreateFontFor(const FontSpec& wanted, int dpi) {
  LOGFONTW font{};
  font.lfHeight = -FontPixels(wanted, dpi);
  font.lfWeight = FW_NORMAL;
  font.lfCharSet = GB2312_CHARSET;
  font.lfOutPrecision = OUT_DEFAULT_PRECIS;
  font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  font.lfQuality = DEFAULT_QUALITY;
  const std::wstring family = Widen(ChooseFamily(wanted, FamilyInstalled).value_or(wanted.families.front()));
  std::copy_n(family.begin(), std::min<std::size_t>(family.size(), LF_FACESIZE - 1), font.lfFaceName);
  return CreateFontIndirectW(&font);
}

// The accessibility layer's own annotation service, which screen readers
// (Narrator, NVDA) read a control's name and description from; nullptr where
// there is none.
IAccPropServices* AnnotationService() {
  static IAccPropServices* const services = [] {
    IAccPropServices* created = nullptr;
    if (FAILED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER, IID_IAccPropServices,
                                reinterpret_cast<void**>(&created)))) {
      created = nullptr;
    }
    return created;
  }();
  return services;
}

// Gives a control a name or a description (PROPID_ACC_NAME, _DESCRIPTION);
// nothing for an empty text.
void Annotate(HWND control, const MSAAPROPID& property, const std::string& text) {
  if (IAccPropServices* services = AnnotationService(); services != nullptr && !text.empty()) {
    services->SetHwndPropStr(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, property, Widen(text).c_str());
  }
}

// UI Automation's LiveSetting property: a screen reader reads a "polite"
// control's new text out when the control says it changed
// (EVENT_OBJECT_LIVEREGIONCHANGED), wherever the focus is.
constexpr GUID kLiveSettingProperty = {0xc12bcd8e, 0x2a8e, 0x4950, {0x8a, 0xe7, 0x36, 0x25, 0x11, 0x1d, 0x58, 0xeb}};
constexpr LONG kLivePolite = 1;
#ifndef EVENT_OBJECT_LIVEREGIONCHANGED
#define EVENT_OBJECT_LIVEREGIONCHANGED 0x8019
#endif

void MakeLiveRegion(HWND control) {
  if (IAccPropServices* services = AnnotationService()) {
    VARIANT polite;
    VariantInit(&polite);
    polite.vt = VT_I4;
    polite.lVal = kLivePolite;
    services->SetHwndProp(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, kLiveSettingProperty, polite);
  }
}

void RegisterClasses(HINSTANCE instance, WNDPROC formProc, WNDPROC frameProc) {
  WNDCLASSEXW form{};
  form.cbSize = sizeof(form);
  form.style = CS_HREDRAW | CS_VREDRAW;
  form.lpfnWndProc = formProc;
  form.hInstance = instance;
  form.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  // The program's icon, resource 1, when the executable carries one.
  form.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
  form.lpszClassName = kFormClass;
  RegisterClassExW(&form);

  WNDCLASSEXW frame{};
  frame.cbSize = sizeof(frame);
  frame.lpfnWndProc = frameProc;
  frame.hInstance = instance;
  frame.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  frame.lpszClassName = kFrameClass;
  RegisterClassExW(&frame);
}

}  // namespace

FormWindow::FormWindow(FormModel& model, HINSTANCE instance)
    : model_(model), controls_(model.Inventory().size(), nullptr) {
  static const bool registered = (RegisterClasses(instance, FormProc, FrameProc), true);
  (void)registered;
  Build(instance);
  model_.SetView(this);
}

FormWindow::~FormWindow() {
  model_.SetView(nullptr);
  if (window_ != nullptr) {
    SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
    DestroyWindow(window_);
  }
  for (const auto& [rgb, brush] : brushes_) DeleteObject(brush);
  if (uiFont_ != nullptr) DeleteObject(uiFont_);
  if (noteFont_ != nullptr) DeleteObject(noteFont_);
}

void FormWindow::Build(HINSTANCE instance) {
  const auto inventory = model_.Inventory();
  for (std::size_t i = 0; i < inventory.size(); ++i) CreateControl(inventory[i], i, instance);
  tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                             CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window_, nullptr, instance,
                             nullptr);
  for (std::size_t i = 0; i < inventory.size(); ++i) {
    const ControlSpec& row = inventory[i];
    if (row.hint.empty() || controls_[i] == nullptr) continue;
    const std::wstring hint = Widen(row.hint);
    AddTooltip(controls_[i], hint);
    if (row.kind == ControlKind::ComboBox) {
      COMBOBOXINFO parts{};
      parts.cbSize = sizeof(parts);
      if (GetComboBoxInfo(controls_[i], &parts) != 0) AddTooltip(parts.hwndItem, hint);
    }
  }
  LayOut(DpiOf(window_));
  SetUpTabOrder();
}

void FormWindow::CreateControl(const ControlSpec& row, std::size_t position, HINSTANCE instance) {
  const ControlKey key = row.Key();
  const std::wstring text = Widen(model_.Text(key));
  HWND parent = window_;
  if (!row.container.empty()) parent = Control({row.container});
  const auto id = reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstControlId) + static_cast<INT_PTR>(position));
  const auto create = [&](DWORD exStyle, const wchar_t* windowClass, DWORD style) {
    return CreateWindowExW(exStyle, windowClass, text.c_str(), style | WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, parent, id,
                           instance, this);
  };
  HWND control = nullptr;
  switch (row.kind) {
    case ControlKind::Form: {
      constexpr DWORD kStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
      window_ = CreateWindowExW(WS_EX_CONTROLPARENT, kFormClass, text.c_str(), kStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                                CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance, this);
      control = window_;
      break;
    }
    case ControlKind::Frame: control = create(WS_EX_CONTROLPARENT, kFrameClass, 0); break;
    case ControlKind::Label:
      // Drawn by the form (DrawLabel): Windows' own wrapping does not break
      // Chinese text the way a reader expects.
      control = create(WS_EX_TRANSPARENT, L"STATIC", SS_OWNERDRAW | SS_NOPREFIX | (row.hint.empty() ? 0 : SS_NOTIFY));
      break;
    case ControlKind::ComboBox: {
      control = create(0, L"COMBOBOX", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL);
      for (const std::string_view entry : row.list) {
        SendMessageW(control, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(entry).c_str()));
      }
      SendMessageW(control, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
      COMBOBOXINFO parts{};
      parts.cbSize = sizeof(parts);
      if (GetComboBoxInfo(control, &parts) != 0) {
        rows_[parts.hwndItem] = position;
        SetWindowSubclass(parts.hwndItem, EditProc, 1, reinterpret_cast<DWORD_PTR>(this));
        // The edit field is what takes the focus: it carries the name too.
        Annotate(parts.hwndItem, PROPID_ACC_NAME, row.accessibleName);
        Annotate(parts.hwndItem, PROPID_ACC_DESCRIPTION, row.accessibleDescription);
        accessibleNames_[parts.hwndItem] = row.accessibleName;
      }
      break;
    }
    case ControlKind::TextBox: {
      control = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", Widen(ToModelLineBreaks(model_.Text(key))).c_str(),
                                WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN, 0,
                                0, 0, 0, parent, id, instance, nullptr);
      SetWindowSubclass(control, EditProc, 1, reinterpret_cast<DWORD_PTR>(this));
      MakeLiveRegion(control);
      break;
    }
    case ControlKind::CommandButton: control = create(0, L"BUTTON", WS_TABSTOP | BS_OWNERDRAW); break;
    case ControlKind::Line: return;  // painted by its frame
  }
  controls_[position] = control;
  rows_[control] = position;
  Annotate(control, PROPID_ACC_NAME, row.accessibleName);
  Annotate(control, PROPID_ACC_DESCRIPTION, row.accessibleDescription);
  if (!row.accessibleName.empty()) accessibleNames_[control] = row.accessibleName;
}

std::string FormWindow::AnnotatedName(HWND control) const {
  const auto found = accessibleNames_.find(control);
  return found == accessibleNames_.end() ? std::string() : found->second;
}

void FormWindow::AddTooltip(HWND tool, const std::wstring& text) {
  TTTOOLINFOW info{};
  info.cbSize = sizeof(info);
  info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  info.hwnd = window_;
  info.uId = reinterpret_cast<UINT_PTR>(tool);
  info.lpszText = const_cast<wchar_t*>(text.c_str());  // copied by the tooltip control
  SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
}

void FormWindow::LayOut(int dpi) {
  dpi_ = dpi;
  const HFONT oldUi = uiFont_;
  const HFONT oldNote = noteFont_;
  const ControlSpec& form = model_.Row(controls::kForm);
  uiFont_ = CreateFontFor(*form.font, dpi);
  const auto inventory = model_.Inventory();
  // The notes' font: the one row with a font of its own.
  const auto notes = std::find_if(inventory.begin(), inventory.end(),
                                  [&](const ControlSpec& row) { return row.font != nullptr && row.font != form.font; });
  noteFont_ = notes != inventory.end() ? CreateFontFor(*notes->font, dpi) : nullptr;
  for (std::size_t i = 0; i < inventory.size(); ++i) {
    const ControlSpec& row = inventory[i];
    HWND control = controls_[i];
    if (control == nullptr || row.kind == ControlKind::Form) continue;
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(Font(row.Key())), FALSE);
    const PixelBox box = PixelRect(row, dpi);
    if (row.kind == ControlKind::ComboBox) {
      // A drop-down's window height is the closed box and its open list.
      const auto itemHeight = static_cast<int>(SendMessageW(control, CB_GETITEMHEIGHT, 0, 0));
      MoveWindow(control, box.x, box.y, box.width, box.height + kVisibleListRows * itemHeight + 2, FALSE);
      FitComboHeight(control, box.height);
    } else {
      MoveWindow(control, box.x, box.y, box.width, box.height, FALSE);
    }
  }
  if (oldUi != nullptr) DeleteObject(oldUi);
  if (oldNote != nullptr) DeleteObject(oldNote);
  RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

// The closed box is as tall as its edit field and border make it: sized
// through the field's item height until it is the row's height. (Wine reads
// that height back 2 px larger than it was set, so the request is kept here
// instead of being read back.)
void FormWindow::FitComboHeight(HWND combo, int height) {
  auto request = static_cast<int>(SendMessageW(combo, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0));
  for (int attempt = 0; attempt < 4; ++attempt) {
    RECT closed{};
    GetWindowRect(combo, &closed);
    const int difference = height - (closed.bottom - closed.top);
    if (difference == 0) return;
    request += difference;
    SendMessageW(combo, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), request);
  }
}

// Tab walks the windows in their order among their siblings, into frames:
// each container's children are put in the order of their tab indexes.
void FormWindow::SetUpTabOrder() {
  std::vector<const ControlSpec*> rows;
  for (const ControlSpec& row : model_.Inventory()) {
    if (row.tabIndex >= 0) rows.push_back(&row);
  }
  std::stable_sort(rows.begin(), rows.end(),
                   [](const ControlSpec* a, const ControlSpec* b) { return a->tabIndex < b->tabIndex; });
  for (const ControlSpec* row : rows) {
    if (HWND control = Control(row->Key())) {
      SetWindowPos(control, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
  }
}

void FormWindow::Show(int showCommand) {
  const PixelBox client = ClientArea(model_, dpi_);
  const auto style = static_cast<DWORD>(GetWindowLongPtrW(window_, GWL_STYLE));
  const auto exStyle = static_cast<DWORD>(GetWindowLongPtrW(window_, GWL_EXSTYLE));
  const SIZE outer = OuterSize({client.width, client.height}, style, exStyle, dpi_);
  SetWindowPos(window_, nullptr, 0, 0, outer.cx, outer.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  ShowWindow(window_, showCommand);
  UpdateWindow(window_);
  if (HWND first = Control(model_.InitialFocus()); first != nullptr && first != window_) SetFocus(first);
}

HWND FormWindow::Control(ControlKey control) const {
  const auto position = model_.Position(control);
  return position ? controls_[*position] : nullptr;
}

std::optional<ControlKey> FormWindow::ControlOf(HWND window) const {
  const auto found = rows_.find(window);
  if (found == rows_.end()) return std::nullopt;
  return model_.Inventory()[found->second].Key();
}

HFONT FormWindow::Font(ControlKey control) const {
  const auto position = model_.Position(control);
  if (!position) return uiFont_;
  const ControlSpec& row = model_.Inventory()[*position];
  return &FontOf(model_, row) == model_.Row(controls::kForm).font ? uiFont_ : noteFont_;
}

bool FormWindow::TranslateNavigation(MSG& message) { return IsDialogMessageW(window_, &message) != 0; }

HBRUSH FormWindow::Brush(Rgb rgb) {
  auto [found, added] = brushes_.try_emplace(rgb, nullptr);
  if (added) found->second = CreateSolidBrush(ToColorRef(rgb));
  return found->second;
}

// --- Messages -------------------------------------------------------------------

namespace {

// The FormWindow a window of ours belongs to: handed over at creation and
// kept in the window's user data; nullptr before that.
FormWindow* OwnerOf(HWND window, UINT message, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  return reinterpret_cast<FormWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

}  // namespace

LRESULT CALLBACK FormWindow::FormProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  FormWindow* self = OwnerOf(window, message, lParam);
  if (self == nullptr) return DefWindowProcW(window, message, wParam, lParam);
  return self->Handle(window, message, wParam, lParam);
}

// A frame paints itself and passes what its controls tell their parent on
// to the form, which knows the model.
LRESULT CALLBACK FormWindow::FrameProc(HWND frame, UINT message, WPARAM wParam, LPARAM lParam) {
  FormWindow* self = OwnerOf(frame, message, lParam);
  if (self == nullptr) return DefWindowProcW(frame, message, wParam, lParam);
  switch (message) {
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: return self->PaintFrame(frame);
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_DRAWITEM:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN: return self->Handle(self->window_, message, wParam, lParam);
    default: return DefWindowProcW(frame, message, wParam, lParam);
  }
}

LRESULT FormWindow::PaintFrame(HWND frame) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(frame, &paint);
  const ControlSpec& row = model_.Inventory()[rows_.at(frame)];
  RECT client;
  GetClientRect(frame, &client);
  const Rgb background = BackgroundOf(model_, row).value_or(0xFFFFFF);
  FillRect(dc, &client, Brush(background));

  const HGDIOBJ oldFont = SelectObject(dc, Font(row.Key()));
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  RECT edge = client;
  edge.top = metrics.tmHeight / 2;
  DrawEdge(dc, &edge, EDGE_ETCHED, BF_RECT);
  // The caption sits in the top edge at the left, on the frame's colour.
  const std::wstring caption = Widen(model_.Text(row.Key()));
  SIZE extent{};
  GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &extent);
  const int indent = MulDiv(8, dpi_, 96);
  const int padding = MulDiv(2, dpi_, 96);
  const RECT captionArea{indent, 0, indent + extent.cx + 2 * padding, metrics.tmHeight};
  SetBkColor(dc, ToColorRef(background));
  SetTextColor(dc, ToColorRef(ForegroundOf(row).value_or(0x000000)));
  ExtTextOutW(dc, indent + padding, 0, ETO_OPAQUE, &captionArea, caption.c_str(), static_cast<UINT>(caption.size()),
              nullptr);
  SelectObject(dc, oldFont);

  // The grid lines of the frame, both end points included.
  for (const ControlSpec& line : model_.Inventory()) {
    if (line.kind != ControlKind::Line || line.container != row.name) continue;
    const PixelBox box = PixelRect(line, dpi_);
    const RECT area{box.x, box.y, box.x + box.width, box.y + box.height};
    FillRect(dc, &area, Brush(ForegroundOf(line).value_or(0x000000)));
  }
  EndPaint(frame, &paint);
  return 0;
}

LRESULT CALLBACK FormWindow::EditProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR /*id*/,
                                      DWORD_PTR data) {
  auto* self = reinterpret_cast<FormWindow*>(data);
  const std::optional<ControlKey> key = self->ControlOf(edit);
  const bool inCombo = key && *key != controls::kResult;
  HWND combo = inCombo ? self->Control(*key) : nullptr;
  const bool listOpen = combo != nullptr && SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0) != 0;
  switch (message) {
    case WM_KEYDOWN:
      // Ctrl+A selects the whole text, as users expect of any field.
      if (wParam == 'A' && GetKeyState(VK_CONTROL) < 0) {
        SendMessageW(edit, EM_SETSEL, 0, -1);
        return 0;
      }
      // A multi-line edit control asks its parent to close on Esc: in the
      // result box that would close the whole window.
      if (wParam == VK_ESCAPE && !inCombo) return 0;
      break;
    case WM_CHAR:
      if (wParam == 1) return 0;  // Ctrl+A's character: no beep, no edit
      if (wParam == 27 && !inCombo) return 0;
      // Enter and Esc do nothing to a combo box's field while its list is
      // closed: no pick, no beep.
      if (inCombo && !listOpen && (wParam == L'\r' || wParam == L'\n' || wParam == 27)) return 0;
      break;
    case WM_CONTEXTMENU:
      if (!inCombo) {
        self->ShowResultMenu(edit, lParam);
        return 0;
      }
      break;
    case WM_GETDLGCODE:
      // Tab leaves the result box instead of typing a tab into it.
      if (!inCombo) {
        const auto* pending = reinterpret_cast<const MSG*>(lParam);
        LRESULT code = DefSubclassProc(edit, message, wParam, lParam);
        if (pending != nullptr && pending->message == WM_KEYDOWN && pending->wParam == VK_TAB) {
          code &= ~(DLGC_WANTALLKEYS | DLGC_WANTTAB | DLGC_WANTMESSAGE);
        }
        return code;
      }
      break;
    case WM_NCDESTROY: RemoveWindowSubclass(edit, EditProc, 1); break;
    default: break;
  }
  return DefSubclassProc(edit, message, wParam, lParam);
}

LRESULT FormWindow::Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND: {
      RECT client;
      GetClientRect(window, &client);
      FillRect(reinterpret_cast<HDC>(wParam), &client, Brush(*model_.Row(controls::kForm).background));
      return 1;
    }
    case WM_COMMAND:
      if (lParam != 0) OnCommand(reinterpret_cast<HWND>(lParam), HIWORD(wParam));
      return 0;  // IDOK and IDCANCEL (Enter, Esc) come without a control: nothing to do
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN: return OnColour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_DRAWITEM: {
      const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      if (item.CtlType == ODT_STATIC) {
        DrawLabel(item);
      } else {
        DrawButton(item);
      }
      return TRUE;
    }
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE) {
        lastFocus_ = GetFocus();
      } else if (lastFocus_ != nullptr && IsWindow(lastFocus_) != 0) {
        SetFocus(lastFocus_);
        return 0;
      }
      break;
    case WM_DPICHANGED: {
      LayOut(HIWORD(wParam));
      const auto* suggested = reinterpret_cast<const RECT*>(lParam);
      SetWindowPos(window, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                   suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
      return 0;
    }
    case WM_DESTROY:
      if (window == window_) PostQuitMessage(0);
      return 0;
    default: break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

void FormWindow::OnCommand(HWND control, int code) {
  const std::optional<ControlKey> key = ControlOf(control);
  if (!key || showingModel_) return;
  switch (model_.Row(*key).kind) {
    case ControlKind::ComboBox:
      if (code == CBN_SELCHANGE) {
        // The edit field still shows the old text here: the entry comes
        // from the list.
        const auto entry = static_cast<int>(SendMessageW(control, CB_GETCURSEL, 0, 0));
        if (entry >= 0) model_.Select(*key, entry);
      } else if (code == CBN_EDITCHANGE) {
        model_.SetText(*key, Narrow(WindowText(control)));
      }
      break;
    case ControlKind::TextBox:
      if (code == EN_CHANGE) model_.SetText(*key, ToModelLineBreaks(Narrow(WindowText(control))));
      break;
    case ControlKind::CommandButton:
      // An owner-drawn button reports a second click soon after the first
      // as a double click: that is a press too.
      if (code == BN_CLICKED || code == BN_DOUBLECLICKED) model_.Press(*key);
      break;
    default: break;
  }
}

LRESULT FormWindow::OnColour(HDC dc, HWND control) {
  std::optional<ControlKey> key = ControlOf(control);
  if (!key) return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
  const ControlSpec& row = model_.Row(*key);
  const std::optional<Rgb> foreground = ForegroundOf(row);
  SetTextColor(dc, foreground ? ToColorRef(*foreground) : GetSysColor(COLOR_WINDOWTEXT));
  if (row.kind == ControlKind::Label) {
    // No background of its own: the frame, and its grid lines, show through.
    SetBkMode(dc, TRANSPARENT);
    return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
  }
  const Rgb background = BackgroundOf(model_, row).value_or(0xFFFFFF);
  SetBkColor(dc, ToColorRef(background));
  return reinterpret_cast<LRESULT>(Brush(background));
}

// A label: its caption from the top-left corner, wrapped inside its box, on
// no background of its own (the frame and its grid lines show through).
void FormWindow::DrawLabel(const DRAWITEMSTRUCT& item) {
  const std::optional<ControlKey> key = ControlOf(item.hwndItem);
  if (!key) return;
  const ControlSpec& row = model_.Row(*key);
  const HGDIOBJ oldFont = SelectObject(item.hDC, Font(*key));
  TEXTMETRICW metrics{};
  GetTextMetricsW(item.hDC, &metrics);
  const auto measure = [&item](std::string_view piece) {
    const std::wstring wide = Widen(piece);
    SIZE extent{};
    GetTextExtentPoint32W(item.hDC, wide.c_str(), static_cast<int>(wide.size()), &extent);
    return static_cast<int>(extent.cx);
  };
  const RECT& box = item.rcItem;
  SetBkMode(item.hDC, TRANSPARENT);
  SetTextColor(item.hDC, ToColorRef(ForegroundOf(row).value_or(0x000000)));
  int top = box.top;
  for (const std::string& line : WrapLines(model_.Text(*key), box.right - box.left, measure)) {
    const std::wstring wide = Widen(line);
    ExtTextOutW(item.hDC, box.left, top, ETO_CLIPPED, &box, wide.c_str(), static_cast<UINT>(wide.size()), nullptr);
    top += metrics.tmHeight;
  }
  SelectObject(item.hDC, oldFont);
}

// Command1: its own orange whatever the theme, a raised edge (sunken while
// pressed), and its caption stacked one character per line.
void FormWindow::DrawButton(const DRAWITEMSTRUCT& item) {
  const std::optional<ControlKey> key = ControlOf(item.hwndItem);
  if (!key) return;
  const ControlSpec& row = model_.Row(*key);
  RECT area = item.rcItem;
  const bool pressed = (item.itemState & ODS_SELECTED) != 0;
  FillRect(item.hDC, &area, Brush(BackgroundOf(model_, row).value_or(0xC0C0C0)));
  DrawEdge(item.hDC, &area, pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);

  std::wstring stacked;
  for (const wchar_t c : Widen(model_.Text(*key))) {
    if (!stacked.empty()) stacked += L'\n';
    stacked += c;
  }
  const HGDIOBJ oldFont = SelectObject(item.hDC, Font(*key));
  RECT measured = area;
  DrawTextW(item.hDC, stacked.c_str(), -1, &measured, DT_CALCRECT | DT_CENTER | DT_NOPREFIX);
  RECT text = area;
  const int offset = pressed ? 1 : 0;
  text.top = area.top + (area.bottom - area.top - (measured.bottom - measured.top)) / 2 + offset;
  text.left += offset;
  text.right += offset;
  SetBkMode(item.hDC, TRANSPARENT);
  SetTextColor(item.hDC, GetSysColor((item.itemState & ODS_DISABLED) != 0 ? COLOR_GRAYTEXT : COLOR_BTNTEXT));
  DrawTextW(item.hDC, stacked.c_str(), -1, &text, DT_CENTER | DT_NOPREFIX);
  SelectObject(item.hDC, oldFont);
  if ((item.itemState & ODS_FOCUS) != 0) {
    RECT focus = area;
    const int inset = MulDiv(4, dpi_, 96);
    InflateRect(&focus, -inset, -inset);
    DrawFocusRect(item.hDC, &focus);
  }
}

// --- The result box's context menu -----------------------------------------------

HMENU FormWindow::BuildResultMenu() const {
  HWND box = Control(controls::kResult);
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
      case ResultMenuCommand::CopySteps: enabled = CanCopySteps(model_); break;
    }
    std::wstring text = Widen(item.text);
    if (!item.shortcut.empty()) text += L"\t" + Widen(item.shortcut);
    AppendMenuW(menu, static_cast<UINT>(MF_STRING | (enabled ? MF_ENABLED : MF_GRAYED)), id++, text.c_str());
  }
  return menu;
}

void FormWindow::RunResultMenuCommand(ResultMenuCommand command) {
  HWND box = Control(controls::kResult);
  switch (command) {
    case ResultMenuCommand::Undo: SendMessageW(box, WM_UNDO, 0, 0); break;
    case ResultMenuCommand::Cut: SendMessageW(box, WM_CUT, 0, 0); break;
    case ResultMenuCommand::Copy: SendMessageW(box, WM_COPY, 0, 0); break;
    case ResultMenuCommand::Paste: SendMessageW(box, WM_PASTE, 0, 0); break;
    case ResultMenuCommand::Delete: SendMessageW(box, WM_CLEAR, 0, 0); break;
    case ResultMenuCommand::SelectAll: SendMessageW(box, EM_SETSEL, 0, -1); break;
    case ResultMenuCommand::CopySteps: {
      if (!CanCopySteps(model_) || OpenClipboard(window_) == 0) break;
      // Windows' plain text: UTF-16 with CR LF line breaks.
      const std::wstring steps = Widen(ToModelLineBreaks(model_.CalculationSteps()));
      const std::size_t bytes = (steps.size() + 1) * sizeof(wchar_t);
      if (HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes)) {
        std::copy_n(steps.c_str(), steps.size() + 1, static_cast<wchar_t*>(GlobalLock(memory)));
        GlobalUnlock(memory);
        EmptyClipboard();
        if (SetClipboardData(CF_UNICODETEXT, memory) == nullptr) GlobalFree(memory);
      }
      CloseClipboard();
      break;
    }
  }
}

// By the pointer at its place; by the keyboard (the menu key, Shift+F10:
// no place) at the caret.
void FormWindow::ShowResultMenu(HWND box, LPARAM at) {
  POINT place{static_cast<short>(LOWORD(at)), static_cast<short>(HIWORD(at))};
  if (at == -1) {
    GetCaretPos(&place);
    ClientToScreen(box, &place);
  }
  SetFocus(box);
  HMENU menu = BuildResultMenu();
  const auto chosen = static_cast<int>(
      TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN, place.x, place.y, 0, window_, nullptr));
  DestroyMenu(menu);
  if (chosen >= 1 && chosen <= static_cast<int>(kResultMenu.size())) {
    RunResultMenuCommand(kResultMenu[static_cast<std::size_t>(chosen - 1)].command);
  }
}

// --- The model's changes on screen ---------------------------------------------

void FormWindow::TextChanged(ControlKey control, const std::string& text) {
  HWND window = Control(control);
  if (window == nullptr) return;
  const bool guarded = showingModel_;
  showingModel_ = true;
  const ControlKind kind = model_.Row(control).kind;
  const std::wstring shown = Widen(kind == ControlKind::TextBox ? ToModelLineBreaks(text) : text);
  if (WindowText(window) != shown) {
    SetWindowTextW(window, shown.c_str());
    if (kind == ControlKind::Frame) InvalidateRect(window, nullptr, TRUE);
  }
  showingModel_ = guarded;
}

void FormWindow::VisibilityChanged(ControlKey control, bool visible) {
  if (HWND window = Control(control)) ShowWindow(window, visible ? SW_SHOWNA : SW_HIDE);
}

void FormWindow::SelectionChanged(ControlKey control, std::optional<int> entry) {
  HWND combo = Control(control);
  if (combo == nullptr || !entry) return;
  const bool guarded = showingModel_;
  showingModel_ = true;
  if (SendMessageW(combo, CB_GETCURSEL, 0, 0) != *entry) {
    // CB_SETCURSEL also writes the entry into the edit field; the model's
    // text is the same entry, so nothing changes for the user.
    SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(*entry), 0);
  }
  showingModel_ = guarded;
}

void FormWindow::FocusRequested(ControlKey control) {
  HWND window = Control(control);
  if (window == nullptr || IsWindowVisible(window) == 0) return;
  SetFocus(window);
  if (model_.Row(control).kind == ControlKind::ComboBox) {
    SendMessageW(window, CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
  } else {
    SendMessageW(window, EM_SETSEL, 0, -1);
  }
}

void FormWindow::AnnouncementRequested(ControlKey control) {
  if (HWND window = Control(control)) {
    NotifyWinEvent(EVENT_OBJECT_LIVEREGIONCHANGED, window, OBJID_CLIENT, CHILDID_SELF);
  }
}

void FormWindow::ShowProblem(const InputProblem& problem) {
  if (presenter_) {
    presenter_(std::string(kProblemTitle), problem.message);
    return;
  }
  // MessageBox names its button after the system's language: a hook on the
  // box's creation names it "确定" on every Windows, as the window is Chinese.
  static thread_local HHOOK hook = nullptr;
  hook = SetWindowsHookExW(
      WH_CBT,
      [](int code, WPARAM wParam, LPARAM lParam) -> LRESULT {
        if (code == HCBT_ACTIVATE) {
          SetDlgItemTextW(reinterpret_cast<HWND>(wParam), IDOK, Widen(kProblemButton).c_str());
          UnhookWindowsHookEx(hook);
          hook = nullptr;
          return 0;
        }
        return CallNextHookEx(hook, code, wParam, lParam);
      },
      nullptr, GetCurrentThreadId());
  MessageBoxW(window_, Widen(problem.message).c_str(), Widen(kProblemTitle).c_str(), MB_OK | MB_ICONWARNING);
  if (hook != nullptr) {
    UnhookWindowsHookEx(hook);
    hook = nullptr;
  }
}

int RunMessageLoop(FormWindow& window) {
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (window.TranslateNavigation(message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}

}  // namespace tavrelo::ui::win32
