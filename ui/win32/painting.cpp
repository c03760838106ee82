#include "ui/win32/painting.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "ui/profile_drawing.h"
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

// With the default character set a font mapper may settle on a face
// without Chinese characters.
HFONT CreateFontFor(const FontSpec& wanted, int dpi) { return CreateFontOfPixels(wanted, FontPixels(wanted, dpi)); }

HFONT CreateFontOfPixels(const FontSpec& wanted, int pixels) {
  LOGFONTW font{};
  font.lfHeight = -pixels;
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

void DrawComboEntry(const DRAWITEMSTRUCT& item, std::wstring_view text, HFONT font) {
  HDC dc = item.hDC;
  const bool selected = (item.itemState & ODS_SELECTED) != 0;
  const int background = selected ? COLOR_HIGHLIGHT : COLOR_WINDOW;
  int foreground = selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT;
  if ((item.itemState & ODS_DISABLED) != 0) foreground = COLOR_GRAYTEXT;
  const HGDIOBJ old = SelectObject(dc, font);
  const COLORREF oldBackground = SetBkColor(dc, GetSysColor(background));
  const COLORREF oldText = SetTextColor(dc, GetSysColor(foreground));
  ExtTextOutW(dc, item.rcItem.left + 1, item.rcItem.top, ETO_OPAQUE | ETO_CLIPPED, &item.rcItem, text.data(),
              static_cast<UINT>(text.size()), nullptr);
  if ((item.itemState & ODS_FOCUS) != 0) DrawFocusRect(dc, &item.rcItem);
  SetTextColor(dc, oldText);
  SetBkColor(dc, oldBackground);
  SelectObject(dc, old);
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

// --- A picture ------------------------------------------------------------------

namespace {

// 96-dpi pixels at `dpi`, to the nearest device pixel.
int At(double pixels, int dpi) { return static_cast<int>(std::lround(pixels * dpi / 96.0)); }
POINT PointAt(const PixelPoint& point, int dpi) { return {At(point.x, dpi), At(point.y, dpi)}; }

// A pen of the stroke's colour and width, flat at its ends.
HPEN PenFor(const Stroke& stroke, int dpi) {
  LOGBRUSH brush{BS_SOLID, ToColorRef(stroke.colour), 0};
  return ExtCreatePen(PS_GEOMETRIC | PS_SOLID | PS_ENDCAP_FLAT | PS_JOIN_MITER,
                      static_cast<DWORD>(std::max(1, At(stroke.width, dpi))), &brush, 0, nullptr);
}

void DrawLine(HDC dc, PixelPoint from, PixelPoint to, const Stroke& stroke, int dpi) {
  HPEN pen = PenFor(stroke, dpi);
  const HGDIOBJ old = SelectObject(dc, pen);
  const POINT a = PointAt(from, dpi);
  const POINT b = PointAt(to, dpi);
  MoveToEx(dc, a.x, a.y, nullptr);
  LineTo(dc, b.x, b.y);
  SelectObject(dc, old);
  DeleteObject(pen);
}

}  // namespace

void PaintDrawing(HDC dc, const ProfileDrawing& drawing, int dpi, Brushes& brushes, Fonts& fonts) {
  SetBkMode(dc, TRANSPARENT);
  for (const ProfileShape& shape : drawing.shapes) {
    if (const auto* rect = std::get_if<RectShape>(&shape.geometry)) {
      const RECT area{At(rect->x, dpi), At(rect->y, dpi), At(rect->x + rect->width, dpi),
                      At(rect->y + rect->height, dpi)};
      if (rect->fill) FillRect(dc, &area, brushes(*rect->fill));
      if (rect->stroke) {
        // Its edge centred on the rectangle's, as the other toolkits draw it.
        const double half = rect->stroke->width / 2;
        for (const auto& [from, to] :
             {std::pair{PixelPoint{rect->x - half, rect->y}, PixelPoint{rect->x + rect->width + half, rect->y}},
              std::pair{PixelPoint{rect->x - half, rect->y + rect->height},
                        PixelPoint{rect->x + rect->width + half, rect->y + rect->height}},
              std::pair{PixelPoint{rect->x, rect->y}, PixelPoint{rect->x, rect->y + rect->height}},
              std::pair{PixelPoint{rect->x + rect->width, rect->y},
                        PixelPoint{rect->x + rect->width, rect->y + rect->height}}}) {
          DrawLine(dc, from, to, *rect->stroke, dpi);
        }
      }
    } else if (const auto* line = std::get_if<LineShape>(&shape.geometry)) {
      DrawLine(dc, line->from, line->to, line->stroke, dpi);
    } else if (const auto* dashed = std::get_if<DashedLineShape>(&shape.geometry)) {
      // Dash by dash: a cosmetic dashed pen has neither the widths nor the
      // lengths asked for.
      const double dx = dashed->to.x - dashed->from.x;
      const double dy = dashed->to.y - dashed->from.y;
      const double length = std::hypot(dx, dy);
      for (double at = 0; length > 0 && at < length; at += dashed->dash + dashed->gap) {
        const double end = std::min(length, at + dashed->dash);
        DrawLine(dc, {dashed->from.x + dx * at / length, dashed->from.y + dy * at / length},
                 {dashed->from.x + dx * end / length, dashed->from.y + dy * end / length}, dashed->stroke, dpi);
      }
    } else if (const auto* polyline = std::get_if<PolylineShape>(&shape.geometry)) {
      std::vector<POINT> points;
      for (const PixelPoint& point : polyline->points) points.push_back(PointAt(point, dpi));
      if (polyline->fill) {
        const HGDIOBJ oldPen = SelectObject(dc, GetStockObject(NULL_PEN));
        const HGDIOBJ oldBrush = SelectObject(dc, brushes(*polyline->fill));
        Polygon(dc, points.data(), static_cast<int>(points.size()));
        SelectObject(dc, oldBrush);
        SelectObject(dc, oldPen);
      }
      HPEN pen = PenFor(polyline->stroke, dpi);
      const HGDIOBJ old = SelectObject(dc, pen);
      Polyline(dc, points.data(), static_cast<int>(points.size()));
      SelectObject(dc, old);
      DeleteObject(pen);
    } else if (const auto* text = std::get_if<TextShape>(&shape.geometry)) {
      const HGDIOBJ old =
          SelectObject(dc, fonts(text->font != nullptr ? *text->font : look::WindowFont(), At(text->size, dpi)));
      const std::wstring shown = Widen(text->text);
      const int width = TextWidth(dc, shown);
      const int x = At(text->anchor.x, dpi);
      const int left = text->horizontal == HorizontalAnchor::Start    ? x
                       : text->horizontal == HorizontalAnchor::Middle ? x - width / 2
                                                                      : x - width;
      SetTextColor(dc, ToColorRef(text->colour));
      SetTextAlign(dc, TA_LEFT | TA_BASELINE);
      ExtTextOutW(dc, left, At(BaselineOf(*text), dpi), 0, nullptr, shown.c_str(), static_cast<UINT>(shown.size()),
                  nullptr);
      SetTextAlign(dc, TA_LEFT | TA_TOP);
      SelectObject(dc, old);
    }
  }
}

void PaintPicture(HWND picture, const ProfileDrawing* drawing, int dpi, Brushes& brushes, Fonts& fonts) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(picture, &paint);
  RECT client;
  GetClientRect(picture, &client);
  // Drawn off screen, then put on it at once: no flicker when it changes.
  HDC memory = CreateCompatibleDC(dc);
  HBITMAP bitmap = CreateCompatibleBitmap(dc, std::max(1L, client.right), std::max(1L, client.bottom));
  const HGDIOBJ old = SelectObject(memory, bitmap);
  FillRect(memory, &client, brushes(kWhite));
  if (drawing != nullptr) PaintDrawing(memory, *drawing, dpi, brushes, fonts);
  BitBlt(dc, 0, 0, client.right, client.bottom, memory, 0, 0, SRCCOPY);
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  EndPaint(picture, &paint);
}

}  // namespace tavrelo::ui::win32
