#include "ui/win32/form_window.h"

#include <commctrl.h>

#include <algorithm>

#include "ui/view_rules.h"
#include "ui/win32/accessibility.h"
#include "ui/win32/context_menu.h"
#include "ui/win32/message_box.h"
#include "ui/win32/startup_marks.h"
#include "ui/win32/system.h"
#include "ui/win32/text.h"

namespace tavrelo::ui::win32 {
namespace {

constexpr wchar_t kFormClass[] = L"TavreloForm";
constexpr wchar_t kFrameClass[] = L"TavreloFrame";
constexpr wchar_t kPictureClass[] = L"TavreloPicture";
// Control ids start above IDOK and IDCANCEL, which the keyboard navigation
// sends for Enter and Esc: those keys must never reach a control.
constexpr int kFirstControlId = 1000;
// Rows shown by an open drop-down list before it scrolls.
constexpr int kVisibleListRows = 10;

void RegisterClasses(HINSTANCE instance, WNDPROC formProc, WNDPROC frameProc, WNDPROC pictureProc) {
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

  WNDCLASSEXW picture = frame;
  picture.lpfnWndProc = pictureProc;
  picture.lpszClassName = kPictureClass;
  RegisterClassExW(&picture);
}

// A combo box's closed height: its window's, without the open list.
int ClosedHeight(HWND combo) {
  RECT closed{};
  GetWindowRect(combo, &closed);
  return static_cast<int>(closed.bottom - closed.top);
}

// The edit field of a combo box; nullptr for any other window.
HWND EditFieldOf(HWND combo) {
  COMBOBOXINFO parts{};
  parts.cbSize = sizeof(parts);
  return GetComboBoxInfo(combo, &parts) != 0 ? parts.hwndItem : nullptr;
}

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

// --- Building ------------------------------------------------------------------

FormWindow::FormWindow(FormModel& model, HINSTANCE instance, HWND owner)
    : model_(model), instance_(instance), owner_(owner), controls_(model.Inventory().size(), nullptr) {
  static const bool registered = (RegisterClasses(instance, FormProc, FrameProc, PictureProc), true);
  (void)registered;
  if (BuiltAtStart(model_)) Build();
  model_.SetView(this);
}

FormWindow::~FormWindow() {
  Forget(*this);
  model_.SetView(nullptr);
  if (window_ != nullptr) {
    SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
    DestroyWindow(window_);
  }
  for (const auto& [font, handle] : fonts_) DeleteObject(handle);
}

// Every control as the model has it now: texts, picks and visibility.
// Tooltips wait for the pointer, the annotations for a screen reader.
void FormWindow::Build() {
  built_ = true;
  const auto inventory = model_.Inventory();
  // Each control made in its place and size, and given its font, once.
  for (std::size_t i = 0; i < inventory.size(); ++i) CreateControl(inventory[i], i);
  Mark("controls");
  AwaitScreenReader(*this);
}

// What only keys, the pointer and the menu need, after the first paint:
// nothing can reach the window before the loop runs.
void FormWindow::MakeReady() {
  ready_ = true;
  Subclass();
  SetUpTabOrder();
  Mark("subclassing-tab-order");
}

void FormWindow::Annotate() {
  const auto inventory = model_.Inventory();
  // Every window of rows_: a combo box's edit field is what takes the
  // focus, so it carries the name too.
  for (const auto& [window, position] : rows_) {
    const ControlSpec& row = inventory[position];
    if (window == controls_[position] && row.role == ControlRole::ResultBox) MakeLiveRegion(window);
    if (row.kind == ControlKind::Picture) {
      MakeGraphic(window);
      SetDescription(window, model_.Text(row.Key()));
    }
    Describe(window, row);
  }
}

// Only once made and painted: a subclassed window looks its subclass up on
// every message, and under Wine each look-up is a call to the server, which
// making and painting the controls would make a few thousand times.
void FormWindow::Subclass() {
  const auto inventory = model_.Inventory();
  const auto data = reinterpret_cast<DWORD_PTR>(this);
  for (const auto& [window, position] : rows_) {
    const ControlSpec& row = inventory[position];
    if (row.kind == ControlKind::ComboBox && window != controls_[position]) {
      SetWindowSubclass(window, ComboFieldProc, 1, data);
    } else if (row.role == ControlRole::ResultBox) {
      SetWindowSubclass(window, ResultBoxProc, 1, data);
    }
  }
}

void FormWindow::CreateControl(const ControlSpec& row, std::size_t position) {
  const ControlKey key = row.Key();
  const std::wstring text = Widen(row.kind == ControlKind::TextBox ? ToCrLf(model_.Text(key)) : model_.Text(key));
  HWND parent = window_;
  if (!row.container.empty()) parent = Control({row.container});
  const auto id = reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstControlId) + static_cast<INT_PTR>(position));
  // Shown as the model says: a control its handlers hid before the window
  // was made stays hidden.
  const DWORD visible = model_.Visible(key) ? WS_VISIBLE : 0;
  // In its place at the window's dpi; a combo box with its open list
  // (FitOf).
  const PixelBox box = row.kind == ControlKind::Form ? PixelBox{} : PixelRect(row, dpi_);
  const int height = row.kind == ControlKind::ComboBox ? DroppedHeight(box, FitOf(row, box)) : box.height;
  const auto create = [&](DWORD exStyle, const wchar_t* windowClass, DWORD style) {
    return CreateWindowExW(exStyle, windowClass, text.c_str(), style | WS_CHILD | visible, box.x, box.y, box.width,
                           height, parent, id, instance_, this);
  };
  HWND control = nullptr;
  switch (row.kind) {
    case ControlKind::Form: {
      constexpr DWORD kStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
      window_ = CreateWindowExW(WS_EX_CONTROLPARENT, kFormClass, text.c_str(), kStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                                CW_USEDEFAULT, CW_USEDEFAULT, owner_, nullptr, instance_, this);
      Mark("form-window");
      control = window_;
      dpi_ = DpiOf(window_);
      for (const auto& [font, handle] : UseFonts(dpi_)) DeleteObject(handle);
      break;
    }
    case ControlKind::Frame: control = create(WS_EX_CONTROLPARENT, kFrameClass, 0); break;
    case ControlKind::Label:
      // Drawn by the form (DrawLabel): Windows' own wrapping does not break
      // Chinese text the way a reader expects.
      control = create(WS_EX_TRANSPARENT, L"STATIC", SS_OWNERDRAW | SS_NOPREFIX | (row.hint.empty() ? 0 : SS_NOTIFY));
      break;
    case ControlKind::ComboBox: {
      // Its list drawn by the form (DrawComboEntry), so that the box asks its
      // field's height as it is made (WM_MEASUREITEM) and is made at the
      // row's height at once.
      control = create(0, L"COMBOBOX",
                       WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS);
      for (const std::string_view entry : row.list) {
        SendMessageW(control, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(entry).c_str()));
      }
      // As the model holds it: a pick its handlers made before the window
      // was, or a text (the window name does not reach a combo box's field).
      if (const auto entry = model_.Selection(key)) {
        SendMessageW(control, CB_SETCURSEL, static_cast<WPARAM>(*entry), 0);
      } else if (!text.empty()) {
        SetWindowTextW(control, text.c_str());
      }
      if (HWND edit = EditFieldOf(control)) rows_[edit] = position;
      break;
    }
    case ControlKind::TextBox:
      control = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", text.c_str(),
                                WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN |
                                    (row.readOnly ? ES_READONLY : 0),
                                box.x, box.y, box.width, box.height, parent, id, instance_, nullptr);
      break;
    case ControlKind::CommandButton: control = create(0, L"BUTTON", WS_TABSTOP | BS_OWNERDRAW); break;
    case ControlKind::Line: return;  // painted by its frame
    case ControlKind::Picture: control = create(0, kPictureClass, 0); break;
  }
  controls_[position] = control;
  rows_[control] = position;
  if (row.kind != ControlKind::Form) Fit(row, control, true);
}

// A hint is a tooltip, on a combo box's edit field as on its button. Made
// when the pointer first comes over the window (WM_SETCURSOR), the only
// time a tooltip can show.
void FormWindow::AddTooltips() {
  tooltip_ =
      CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                      CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window_, nullptr, instance_, nullptr);
  const auto inventory = model_.Inventory();
  for (std::size_t i = 0; i < inventory.size(); ++i) {
    if (inventory[i].hint.empty() || controls_[i] == nullptr) continue;
    const std::wstring hint = Widen(inventory[i].hint);
    for (HWND tool : {controls_[i], EditFieldOf(controls_[i])}) {
      if (tool == nullptr) continue;
      TTTOOLINFOW info{};
      info.cbSize = sizeof(info);
      info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
      info.hwnd = window_;
      info.uId = reinterpret_cast<UINT_PTR>(tool);
      info.lpszText = const_cast<wchar_t*>(hint.c_str());  // copied by the tooltip control
      SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
    }
  }
}

// Every control at `dpi` (a move to a monitor of another dpi): its fonts,
// places and sizes anew.
void FormWindow::LayOut(int dpi) {
  dpi_ = dpi;
  const std::map<const FontSpec*, HFONT> old = UseFonts(dpi);
  const auto inventory = model_.Inventory();
  for (std::size_t i = 0; i < inventory.size(); ++i) {
    if (controls_[i] != nullptr && inventory[i].kind != ControlKind::Form) Fit(inventory[i], controls_[i], false);
  }
  for (const auto& [font, handle] : old) DeleteObject(handle);
  if (IsWindowVisible(window_) != 0)
    RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

std::map<const FontSpec*, HFONT> FormWindow::UseFonts(int dpi) {
  std::map<const FontSpec*, HFONT> old = std::move(fonts_);
  fonts_.clear();
  comboFits_.clear();
  for (const ControlSpec& row : model_.Inventory()) {
    const FontSpec& font = FontOf(model_, row);
    if (!fonts_.contains(&font)) fonts_[&font] = CreateFontFor(font, dpi);
  }
  return old;
}

int FormWindow::DroppedHeight(const PixelBox& box, const ComboFit& fit) {
  return box.height + kVisibleListRows * fit.entryHeight + 2;
}

// The first box of a font and a height is told its field is 10 px less than
// the row (Wine's box is 10 px taller than its field); what it comes out as
// corrects that for the others (Fit).
FormWindow::ComboFit& FormWindow::FitOf(const ControlSpec& row, const PixelBox& box) {
  ComboFit& fit = comboFits_[{Font(row.Key()), box.height}];
  if (fit.entryHeight == 0) {
    HDC dc = GetDC(window_);
    const HGDIOBJ old = SelectObject(dc, Font(row.Key()));
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(window_, dc);
    fit.entryHeight = static_cast<int>(metrics.tmHeight);
    fit.measuredField = box.height - 10;
  }
  return fit;
}

// A combo box being made asks its field's height (itemID -1) and its list
// entries' (the others), by its id.
void FormWindow::OnMeasureItem(MEASUREITEMSTRUCT& item) {
  const auto inventory = model_.Inventory();
  const auto position = static_cast<std::size_t>(static_cast<int>(item.CtlID) - kFirstControlId);
  if (item.CtlType != ODT_COMBOBOX || position >= inventory.size()) return;
  const ControlSpec& row = inventory[position];
  if (row.kind != ControlKind::ComboBox) return;
  const ComboFit& fit = FitOf(row, PixelRect(row, dpi_));
  item.itemHeight = static_cast<UINT>(item.itemID == static_cast<UINT>(-1) ? fit.measuredField : fit.entryHeight);
}

// The font goes only to the controls that Windows draws (the form draws
// labels, frames, pictures, the button and the combo boxes' lists itself);
// a combo box's to its edit field alone, since a combo box given a font
// sizes itself to it again, and every resize moves its drop-down list, a
// top-level window, which under Wine costs some dozen round trips to the
// wineserver. A box made here is already of the row's height unless it is
// the first of its font and height and the first guess at its field was
// off: then it is fitted (FitComboHeight) and the guess mended for the
// others. At another dpi (not `placed`) every box is moved and fitted
// anew, its list's entries given their height.
void FormWindow::Fit(const ControlSpec& row, HWND control, bool placed) {
  const PixelBox box = PixelRect(row, dpi_);
  const auto font = reinterpret_cast<WPARAM>(Font(row.Key()));
  if (row.kind != ControlKind::ComboBox) {
    if (row.kind == ControlKind::TextBox) SendMessageW(control, WM_SETFONT, font, FALSE);
    if (!placed) MoveWindow(control, box.x, box.y, box.width, box.height, FALSE);
    return;
  }
  if (HWND edit = EditFieldOf(control)) SendMessageW(edit, WM_SETFONT, font, FALSE);
  ComboFit& fit = FitOf(row, box);
  if (placed) {
    const int madeHeight = ClosedHeight(control);
    if (madeHeight == box.height) return;
    fit.measuredField += box.height - madeHeight;
  } else {
    MoveWindow(control, box.x, box.y, box.width, DroppedHeight(box, fit), FALSE);
    SendMessageW(control, CB_SETITEMHEIGHT, 0, fit.entryHeight);
  }
  fit.fieldRequest = FitComboHeight(control, box.height, fit.fieldRequest);
}

// The closed box is as tall as its edit field and border make it: sized
// through the field's item height until it is the row's height, starting
// from `guess` (0 for none), and that item height returned. (Wine reads it
// back 2 px larger than it was set, so the request is kept here instead of
// being read back.) A box already of the row's height is sent nothing:
// each CB_SETITEMHEIGHT moves its drop-down list, a top-level window, and
// under Wine every such move asks after the display's configuration some
// dozen times.
int FormWindow::FitComboHeight(HWND combo, int height, int guess) {
  if (ClosedHeight(combo) == height) return guess;
  int request = guess;
  if (guess > 0) {
    SendMessageW(combo, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), guess);
  } else {
    request = static_cast<int>(SendMessageW(combo, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0));
  }
  for (int attempt = 0; attempt < 4; ++attempt) {
    const int difference = height - ClosedHeight(combo);
    if (difference == 0) break;
    request += difference;
    SendMessageW(combo, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), request);
  }
  return request;
}

// Tab walks the windows in their order among their siblings, and into a
// frame where the frame stands: the controls of the model's tab order go to
// the bottom one after another, each frame with the first it holds.
void FormWindow::SetUpTabOrder() {
  const auto toBottom = [](HWND window) {
    SetWindowPos(window, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  };
  std::vector<HWND> framesPlaced;
  for (const ControlKey key : model_.TabOrder()) {
    HWND control = Control(key);
    if (control == nullptr) continue;
    const std::string_view container = model_.Row(key).container;
    if (HWND frame = container.empty() ? nullptr : Control({container});
        frame != nullptr && std::find(framesPlaced.begin(), framesPlaced.end(), frame) == framesPlaced.end()) {
      toBottom(frame);
      framesPlaced.push_back(frame);
    }
    toBottom(control);
  }
}

void FormWindow::Show(int showCommand) {
  if (!built_) Build();
  const PixelBox client = ClientArea(model_, dpi_);
  const auto style = static_cast<DWORD>(GetWindowLongPtrW(window_, GWL_STYLE));
  const auto exStyle = static_cast<DWORD>(GetWindowLongPtrW(window_, GWL_EXSTYLE));
  const SIZE outer = OuterSize({client.width, client.height}, style, exStyle, dpi_);
  HWND owner = GetWindow(window_, GW_OWNER);
  if (owner != nullptr && !placed_) {
    // Beside the main window, where its monitor has room: both in sight.
    RECT frame{};
    GetWindowRect(owner, &frame);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    GetMonitorInfoW(MonitorFromWindow(owner, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& work = monitor.rcWork;
    const PixelBox at = PlaceOwnedWindow(
        {frame.left, frame.top, frame.right - frame.left, frame.bottom - frame.top}, outer.cx, outer.cy,
        {work.left, work.top, work.right - work.left, work.bottom - work.top}, ScaledPixels(8, dpi_));
    SetWindowPos(window_, nullptr, at.x, at.y, outer.cx, outer.cy, SWP_NOZORDER | SWP_NOACTIVATE);
    placed_ = true;
  } else {
    SetWindowPos(window_, nullptr, 0, 0, outer.cx, outer.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  ShowWindow(window_, showCommand);
  Mark("shown");
  UpdateWindow(window_);
  Mark("painted");
  if (!ready_) MakeReady();
  FocusFirstField();
  ListenForScreenReader();
  Mark("focused");
}

void FormWindow::FocusFirstField() {
  for (const ControlKey key : model_.TabOrder()) {
    HWND field = Control(key);
    if (field == nullptr || !model_.Visible(key)) continue;
    SetFocus(field);
    return;
  }
}

// --- Looking controls up ------------------------------------------------------------

HWND FormWindow::Control(ControlKey control) const {
  const auto position = model_.Position(control);
  return position ? controls_[*position] : nullptr;
}

const ControlSpec* FormWindow::RowOf(HWND window) const {
  const auto found = rows_.find(window);
  return found == rows_.end() ? nullptr : &model_.Inventory()[found->second];
}

std::optional<ControlKey> FormWindow::ControlOf(HWND window) const {
  const ControlSpec* row = RowOf(window);
  return row != nullptr ? std::optional(row->Key()) : std::nullopt;
}

HFONT FormWindow::Font(ControlKey control) const {
  const auto position = model_.Position(control);
  const FontSpec& font = FontOf(model_, position ? model_.Inventory()[*position] : model_.FormRow());
  const auto found = fonts_.find(&font);
  return found != fonts_.end() ? found->second : nullptr;
}

// --- Messages -------------------------------------------------------------------

bool FormWindow::TranslateNavigation(MSG& message) { return IsDialogMessageW(window_, &message) != 0; }

LRESULT CALLBACK FormWindow::FormProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  FormWindow* self = OwnerOf(window, message, lParam);
  if (self == nullptr) return DefWindowProcW(window, message, wParam, lParam);
  return self->OnMessage(window, message, wParam, lParam);
}

// A frame paints itself and passes what its controls tell their parent on
// to the form, which knows the model.
LRESULT CALLBACK FormWindow::FrameProc(HWND frame, UINT message, WPARAM wParam, LPARAM lParam) {
  FormWindow* self = OwnerOf(frame, message, lParam);
  if (self == nullptr) return DefWindowProcW(frame, message, wParam, lParam);
  switch (message) {
    case WM_ERASEBKGND: return 1;
    case WM_PAINT:
      if (const ControlSpec* row = self->RowOf(frame)) {
        PaintFrame(frame, self->model_, *row, self->Font(row->Key()), self->dpi_, self->brushes_);
        return 0;
      }
      break;
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_MEASUREITEM:
    case WM_DRAWITEM:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN: return self->OnMessage(self->window_, message, wParam, lParam);
    default: break;
  }
  return DefWindowProcW(frame, message, wParam, lParam);
}

LRESULT CALLBACK FormWindow::PictureProc(HWND picture, UINT message, WPARAM wParam, LPARAM lParam) {
  FormWindow* self = OwnerOf(picture, message, lParam);
  if (self != nullptr && message == WM_ERASEBKGND) return 1;  // all of it is painted
  if (self != nullptr && message == WM_PAINT) {
    if (const auto key = self->ControlOf(picture)) {
      PaintPicture(picture, self->model_.Drawing(*key), self->dpi_, self->brushes_, self->pictureFonts_);
      return 0;
    }
  }
  return DefWindowProcW(picture, message, wParam, lParam);
}

namespace {

// Ctrl+A selects the whole text, as users expect of any field (Wine's edit
// controls ignore it): true when the message was that key or its character.
bool SelectsAll(HWND edit, UINT message, WPARAM wParam) {
  if (message == WM_KEYDOWN && wParam == 'A' && GetKeyState(VK_CONTROL) < 0) {
    SendMessageW(edit, EM_SETSEL, 0, -1);
    return true;
  }
  return message == WM_CHAR && wParam == 1;  // Ctrl+A's character: no beep, no edit
}

// A second click soon after the first at the same spot comes as a double
// click, which an edit field takes without the focus (Windows leaves it
// where it was, on a control Tab moved it to in between): like any click
// into a field, it takes it.
void FocusOnDoubleClick(HWND edit, UINT message) {
  if (message == WM_LBUTTONDBLCLK && GetFocus() != edit) SetFocus(edit);
}

// A character beyond the Basic Multilingual Plane (an emoji, 𠀀) comes as
// two WM_CHAR messages, its high surrogate first. Wine's edit control takes
// each half as a character of its own and puts the next one before it (a
// typed 😀 shows as two broken characters), so the high half waits, as a
// property of the field, for its low half, and the two go in together:
// true when the message was such a half.
constexpr wchar_t kHighSurrogate[] = L"tavrelo-high-surrogate";

bool JoinsSurrogates(HWND edit, UINT message, WPARAM wParam) {
  const auto waiting = static_cast<wchar_t>(reinterpret_cast<UINT_PTR>(GetPropW(edit, kHighSurrogate)));
  if (message != WM_CHAR) return false;
  const auto unit = static_cast<wchar_t>(wParam);
  if (waiting != 0) {
    RemovePropW(edit, kHighSurrogate);
    const bool low = unit >= 0xDC00 && unit <= 0xDFFF;
    const wchar_t pair[] = {waiting, low ? unit : L'\0', L'\0'};
    SendMessageW(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(pair));
    if (low) return true;
  }
  if (unit >= 0xD800 && unit <= 0xDBFF) {
    SetPropW(edit, kHighSurrogate, reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(unit)));
    return true;
  }
  return false;
}

}  // namespace

LRESULT CALLBACK FormWindow::ComboFieldProc(HWND field, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR /*id*/,
                                            DWORD_PTR data) {
  if (SelectsAll(field, message, wParam) || JoinsSurrogates(field, message, wParam)) return 0;
  FocusOnDoubleClick(field, message);
  // The wheel steps through the list, as the arrow keys do: the combo box
  // does that, and Wine's edit field would keep the wheel to itself.
  if (message == WM_MOUSEWHEEL) return SendMessageW(GetParent(field), message, wParam, lParam);
  auto* self = reinterpret_cast<FormWindow*>(data);
  const std::optional<ControlKey> key = self->ControlOf(field);
  HWND combo = key ? self->Control(*key) : nullptr;
  const bool dropped = combo != nullptr && SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0) != 0;
  // Enter and Esc do nothing to the field while its list is closed: no
  // pick, no beep.
  if (message == WM_CHAR && (wParam == L'\r' || wParam == L'\n' || wParam == 27) && combo != nullptr && !dropped) {
    return 0;
  }
  // Enter in the open list picks the highlighted entry. (Wine's list only
  // closes, and an entry it highlighted as it opened would stay unpicked.)
  if (message == WM_KEYDOWN && wParam == VK_RETURN && dropped) {
    const auto entry = static_cast<int>(SendMessageW(combo, CB_GETCURSEL, 0, 0));
    SendMessageW(combo, CB_SHOWDROPDOWN, FALSE, 0);
    if (entry >= 0) self->model_.Select(*key, entry);
    return 0;
  }
  if (message == WM_NCDESTROY) {
    RemovePropW(field, kHighSurrogate);
    RemoveWindowSubclass(field, ComboFieldProc, 1);
  }
  return DefSubclassProc(field, message, wParam, lParam);
}

LRESULT CALLBACK FormWindow::ResultBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR /*id*/,
                                           DWORD_PTR data) {
  if (SelectsAll(box, message, wParam) || JoinsSurrogates(box, message, wParam)) return 0;
  FocusOnDoubleClick(box, message);
  auto* self = reinterpret_cast<FormWindow*>(data);
  switch (message) {
    // A multi-line edit control asks its parent to close on Esc: that would
    // close the whole window.
    case WM_KEYDOWN:
      if (wParam == VK_ESCAPE) return 0;
      break;
    case WM_CHAR:
      if (wParam == 27) return 0;
      break;
    case WM_CONTEXTMENU:
      if (const ControlSpec* row = self->RowOf(box)) {
        ShowResultMenu(box, lParam, self->window_, self->model_, *row);
        return 0;
      }
      break;
    case WM_GETDLGCODE: {
      // Tab leaves the box instead of typing a tab into it.
      const auto* pending = reinterpret_cast<const MSG*>(lParam);
      LRESULT code = DefSubclassProc(box, message, wParam, lParam);
      if (pending != nullptr && pending->message == WM_KEYDOWN && pending->wParam == VK_TAB) {
        code &= ~(DLGC_WANTALLKEYS | DLGC_WANTTAB | DLGC_WANTMESSAGE);
      }
      return code;
    }
    case WM_NCDESTROY:
      RemovePropW(box, kHighSurrogate);
      RemoveWindowSubclass(box, ResultBoxProc, 1);
      break;
    default: break;
  }
  return DefSubclassProc(box, message, wParam, lParam);
}

LRESULT FormWindow::OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND: {
      RECT client;
      GetClientRect(window, &client);
      FillRect(reinterpret_cast<HDC>(wParam), &client, brushes_(*model_.FormRow().background));
      return 1;
    }
    case WM_COMMAND:
      if (lParam != 0) {
        OnCommand(reinterpret_cast<HWND>(lParam), HIWORD(wParam));
      } else if (LOWORD(wParam) == IDOK) {
        // Enter that no field took: the default button's, where the form
        // has one. (IDCANCEL, Esc, does nothing.)
        for (const ControlSpec& row : model_.Inventory()) {
          if (row.role == ControlRole::DefaultButton) model_.Press(row.Key());
        }
      }
      return 0;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN: {
      const ControlSpec* row = RowOf(reinterpret_cast<HWND>(lParam));
      if (row == nullptr) return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
      return reinterpret_cast<LRESULT>(ColourControl(reinterpret_cast<HDC>(wParam), *row, brushes_));
    }
    case WM_MEASUREITEM: OnMeasureItem(*reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)); return TRUE;
    case WM_DRAWITEM: OnDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)); return TRUE;
    case WM_SETCURSOR:
      // Over the form or any control of it (each asks its parent first).
      if (tooltip_ == nullptr && window == window_) AddTooltips();
      break;
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
    case WM_CLOSE:
      // A window opened from the main one only goes out of sight; the model
      // hears of it, as it hears of every change the user makes.
      if (window == window_ && model_.FormRow().role == ControlRole::OwnedWindow) {
        model_.SetVisible(model_.FormKey(), false);
        return 0;
      }
      break;
    case WM_DESTROY:
      if (window == window_ && model_.FormRow().role != ControlRole::OwnedWindow) PostQuitMessage(0);
      return 0;
    case WM_NCDESTROY:
      // Gone with its owner, or as the program ends: nothing left to destroy.
      if (window == window_) window_ = nullptr;
      break;
    default: break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

void FormWindow::OnDrawItem(const DRAWITEMSTRUCT& item) {
  const ControlSpec* row = RowOf(item.hwndItem);
  if (row == nullptr) return;
  const std::string& caption = model_.Text(row->Key());
  if (item.CtlType == ODT_COMBOBOX) {
    const bool entry = item.itemID < row->list.size();
    DrawComboEntry(item, entry ? Widen(row->list[item.itemID]) : std::wstring(), Font(row->Key()));
  } else if (item.CtlType == ODT_STATIC) {
    DrawLabel(item, *row, caption, Font(row->Key()));
  } else {
    DrawButton(item, *row, caption, Font(row->Key()), dpi_, brushes_);
  }
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
      if (code == EN_CHANGE) model_.SetText(*key, ToCrLf(Narrow(WindowText(control))));
      break;
    case ControlKind::CommandButton:
      // An owner-drawn button reports a second click soon after the first
      // as a double click: that is a press too, and, like any click, it
      // takes the focus (Windows leaves it where it was).
      if (code == BN_DOUBLECLICKED) SetFocus(control);
      if (code == BN_CLICKED || code == BN_DOUBLECLICKED) model_.Press(*key);
      break;
    default: break;
  }
}

// --- The model's changes on screen ---------------------------------------------

void FormWindow::TextChanged(ControlKey control, const std::string& text) {
  HWND window = Control(control);
  if (window == nullptr) return;
  const bool guarded = showingModel_;
  showingModel_ = true;
  const ControlKind kind = model_.Row(control).kind;
  const std::wstring shown = Widen(kind == ControlKind::TextBox ? ToCrLf(text) : text);
  if (WindowText(window) != shown) {
    SetWindowTextW(window, shown.c_str());
    if (kind == ControlKind::Frame) InvalidateRect(window, nullptr, TRUE);
    if (kind == ControlKind::Picture) SetDescription(window, text);
  }
  showingModel_ = guarded;
}

void FormWindow::VisibilityChanged(ControlKey control, bool visible) {
  if (visible && !built_ && control == model_.FormKey()) Build();
  HWND window = Control(control);
  if (window == nullptr) return;
  if (window != window_) {
    ShowWindow(window, visible ? SW_SHOWNA : SW_HIDE);
  } else if (visible) {
    Show();
    SetForegroundWindow(window_);
  } else {
    // The focus goes back to the owner, as it does when a dialog closes.
    HWND owner = GetWindow(window_, GW_OWNER);
    ShowWindow(window_, SW_HIDE);
    if (owner != nullptr) SetActiveWindow(owner);
  }
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
  if (HWND window = Control(control)) AnnounceChange(window);
}

void FormWindow::ProblemReported(const InputProblem& problem) {
  ShowMessage(window_, kProblemTitle, problem.message, kProblemButton);
}

void FormWindow::ClipboardRequested(const ClipboardContent& content) { CopyToClipboard(window_, content); }

void FormWindow::DrawingChanged(ControlKey control) {
  if (HWND picture = Control(control)) InvalidateRect(picture, nullptr, FALSE);
}

// --- The program's windows -------------------------------------------------------

ProgramWindows::ProgramWindows(Program& program, HINSTANCE instance) {
  for (FormModel* form : program.Forms()) {
    HWND owner = windows_.empty() ? nullptr : windows_.front()->Hwnd();
    windows_.push_back(std::make_unique<FormWindow>(*form, instance, owner));
  }
}

// The owned windows first: Windows would destroy them with their owner.
ProgramWindows::~ProgramWindows() {
  while (!windows_.empty()) windows_.pop_back();
}

FormWindow* ProgramWindows::WindowOf(HWND hwnd) const {
  HWND top = hwnd != nullptr ? GetAncestor(hwnd, GA_ROOT) : nullptr;
  for (const auto& window : windows_) {
    if (window->Hwnd() == top) return window.get();
  }
  return nullptr;
}

bool ProgramWindows::TranslateNavigation(MSG& message) const {
  FormWindow* window = WindowOf(message.hwnd);
  return window != nullptr && window->TranslateNavigation(message);
}

int RunMessageLoop(const ProgramWindows& windows) {
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (windows.TranslateNavigation(message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}

}  // namespace tavrelo::ui::win32
