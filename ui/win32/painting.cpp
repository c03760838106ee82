#include "ui/win32/painting.h"

#include <algorithm>
#include <string>

#include "ui/text_wrap.h"
#include "ui/view_rules.h"
#include "ui/win32/text.h"

namespace tavrelo::ui::win32 {
namespace {

constexpr Rgb kBlack = 0x000000;
constexpr Rgb kWhite = 0xFFFFFF;

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

int TextWidth(HDC dc, std::wstring_view text) {
  SIZE extent{};
  GetTextExtentPoint32W(dc, text.data(), static_cast<int>(text.size()), &extent);
  return static_cast<int>(extent.cx);
}

}  // namespace

COLORREF ToColorRef(Rgb rgb) { return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF); }

Brushes::~Brushes() {
  for (const auto& [rgb, brush] : brushes_) DeleteObject(brush);
}

HBRUSH Brushes::operator()(Rgb rgb) {
  auto [found, added] = brushes_.try_emplace(rgb, nullptr);
  if (added) found->second = CreateSolidBrush(ToColorRef(rgb));
  return found->second;
}

// With the default character set a font mapper may settle on a face
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

void PaintFrame(HWND frame, const FormModel& model, const ControlSpec& row, HFONT font, int dpi, Brushes& brushes) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(frame, &paint);
  RECT client;
  GetClientRect(frame, &client);
  const Rgb background = row.background.value_or(kWhite);
  FillRect(dc, &client, brushes(background));

  const HGDIOBJ oldFont = SelectObject(dc, font);
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  RECT edge = client;
  edge.top = metrics.tmHeight / 2;
  DrawEdge(dc, &edge, EDGE_ETCHED, BF_RECT);
  const std::wstring caption = Widen(model.Text(row.Key()));
  const FrameCaptionLook look = FrameCaption(dpi);
  const RECT captionArea{look.indent, 0, look.indent + TextWidth(dc, caption) + 2 * look.padding, metrics.tmHeight};
  SetBkColor(dc, ToColorRef(background));
  SetTextColor(dc, ToColorRef(row.foreground.value_or(kBlack)));
  ExtTextOutW(dc, look.indent + look.padding, 0, ETO_OPAQUE, &captionArea, caption.c_str(),
              static_cast<UINT>(caption.size()), nullptr);
  SelectObject(dc, oldFont);

  // The grid lines of the frame, both end points included.
  for (const ControlSpec& line : model.Inventory()) {
    if (line.kind != ControlKind::Line || line.container != row.name) continue;
    const PixelBox box = PixelRect(line, dpi);
    const RECT area{box.x, box.y, box.x + box.width, box.y + box.height};
    FillRect(dc, &area, brushes(line.foreground.value_or(kBlack)));
  }
  EndPaint(frame, &paint);
}

void DrawLabel(const DRAWITEMSTRUCT& item, const ControlSpec& row, std::string_view caption, HFONT font) {
  const HGDIOBJ oldFont = SelectObject(item.hDC, font);
  TEXTMETRICW metrics{};
  GetTextMetricsW(item.hDC, &metrics);
  const auto measure = [&item](std::string_view piece) { return TextWidth(item.hDC, Widen(piece)); };
  const RECT& box = item.rcItem;
  SetBkMode(item.hDC, TRANSPARENT);
  SetTextColor(item.hDC, ToColorRef(row.foreground.value_or(kBlack)));
  int top = box.top;
  for (const std::string& line : WrapLines(caption, box.right - box.left, measure)) {
    const std::wstring wide = Widen(line);
    ExtTextOutW(item.hDC, box.left, top, ETO_CLIPPED, &box, wide.c_str(), static_cast<UINT>(wide.size()), nullptr);
    top += metrics.tmHeight;
  }
  SelectObject(item.hDC, oldFont);
}

void DrawButton(const DRAWITEMSTRUCT& item, const ControlSpec& row, std::string_view caption, HFONT font, int dpi,
                Brushes& brushes) {
  const ButtonLook look = CommandButtonLook(dpi);
  RECT area = item.rcItem;
  const bool pressed = (item.itemState & ODS_SELECTED) != 0;
  FillRect(item.hDC, &area, brushes(row.background.value_or(0xC0C0C0)));
  DrawEdge(item.hDC, &area, pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);

  const std::wstring stacked = Widen(StackedCaption(caption));
  const HGDIOBJ oldFont = SelectObject(item.hDC, font);
  RECT measured = area;
  DrawTextW(item.hDC, stacked.c_str(), -1, &measured, DT_CALCRECT | DT_CENTER | DT_NOPREFIX);
  RECT text = area;
  const int offset = pressed ? look.pressedOffset : 0;
  text.top = area.top + (area.bottom - area.top - (measured.bottom - measured.top)) / 2 + offset;
  text.left += offset;
  text.right += offset;
  SetBkMode(item.hDC, TRANSPARENT);
  SetTextColor(item.hDC, GetSysColor((item.itemState & ODS_DISABLED) != 0 ? COLOR_GRAYTEXT : COLOR_BTNTEXT));
  DrawTextW(item.hDC, stacked.c_str(), -1, &text, DT_CENTER | DT_NOPREFIX);
  SelectObject(item.hDC, oldFont);
  if ((item.itemState & ODS_FOCUS) != 0) {
    RECT focus = area;
    InflateRect(&focus, -look.focusInset, -look.focusInset);
    DrawFocusRect(item.hDC, &focus);
  }
}

HBRUSH ColourControl(HDC dc, const ControlSpec& row, Brushes& brushes) {
  SetTextColor(dc, row.foreground ? ToColorRef(*row.foreground) : GetSysColor(COLOR_WINDOWTEXT));
  if (row.kind == ControlKind::Label) {
    // No background of its own: the frame, and its grid lines, show through.
    SetBkMode(dc, TRANSPARENT);
    return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
  }
  const Rgb background = row.background.value_or(kWhite);
  SetBkColor(dc, ToColorRef(background));
  return brushes(background);
}

}  // namespace tavrelo::ui::win32
