#pragma once
// What the Windows window paints itself, from the inventory and the rules
// every binding shares (ui/view_rules.h): the frames with their captions and
// grid lines, the labels wrapped as Chinese text wraps, Command1 in its own
// orange with its caption stacked, and the colours of the controls that
// Windows draws.

#include <windows.h>

#include <map>
#include <string_view>
#include <utility>

#include "ui/control_inventory.h"
#include "ui/form_model.h"

namespace tavrelo::ui::win32 {

[[nodiscard]] COLORREF ToColorRef(Rgb rgb);

// GDI objects by key, each made once, when first asked for, and deleted
// with the set.
template <typename Key, typename Handle>
class GdiObjects {
 public:
  GdiObjects() = default;
  ~GdiObjects() {
    for (const auto& [key, handle] : handles_) DeleteObject(handle);
  }
  GdiObjects(const GdiObjects&) = delete;
  GdiObjects& operator=(const GdiObjects&) = delete;

 protected:
  template <typename Make>
  [[nodiscard]] Handle Find(const Key& key, Make make) {
    auto [found, added] = handles_.try_emplace(key, nullptr);
    if (added) found->second = make();
    return found->second;
  }

 private:
  std::map<Key, Handle> handles_;
};

// The font at `dpi`, in the first installed family of its list, with the
// Chinese character set; or at an em height of `pixels`.
[[nodiscard]] HFONT CreateFontFor(const FontSpec& wanted, int dpi);
[[nodiscard]] HFONT CreateFontOfPixels(const FontSpec& wanted, int pixels);

// Solid brushes by colour.
class Brushes : public GdiObjects<Rgb, HBRUSH> {
 public:
  [[nodiscard]] HBRUSH operator()(Rgb rgb) {
    return Find(rgb, [rgb] { return CreateSolidBrush(ToColorRef(rgb)); });
  }
};

// Fonts by family list and em height in pixels.
class Fonts : public GdiObjects<std::pair<const FontSpec*, int>, HFONT> {
 public:
  [[nodiscard]] HFONT operator()(const FontSpec& font, int pixels) {
    return Find({&font, pixels}, [&font, pixels] { return CreateFontOfPixels(font, pixels); });
  }
};

// A drawing of plain shapes (ui/profile_drawing.h) at `dpi`, every 96-dpi
// coordinate, width and font size scaled, in the list's order; and a
// picture's whole client area with it, drawn off screen first.
void PaintDrawing(HDC dc, const struct ProfileDrawing& drawing, int dpi, Brushes& brushes, Fonts& fonts);
void PaintPicture(HWND picture, const struct ProfileDrawing* drawing, int dpi, Brushes& brushes, Fonts& fonts);

// A frame: its colour, the etched edge, the caption set into the top edge
// and the grid lines of the controls it holds. Answers WM_PAINT.
void PaintFrame(HWND frame, const FormModel& model, const ControlSpec& row, HFONT font, int dpi, Brushes& brushes);

// A label's caption from the top-left corner, wrapped inside its box, on no
// background of its own (the frame and its grid lines show through).
void DrawLabel(const DRAWITEMSTRUCT& item, const ControlSpec& row, std::string_view caption, HFONT font);

// An entry of a combo box's open list as Windows draws its own: the text
// one pixel in from the left in the window colours, or the highlight's when
// selected, with the focus rectangle on the focused entry.
void DrawComboEntry(const DRAWITEMSTRUCT& item, std::wstring_view text, HFONT font);

// Command1: its own colour whatever the theme, a raised edge (sunken while
// pressed), its caption stacked one character per line.
void DrawButton(const DRAWITEMSTRUCT& item, const ControlSpec& row, std::string_view caption, HFONT font, int dpi,
                Brushes& brushes);

// The colours of a control Windows draws itself (WM_CTLCOLOR…): the brush
// to fill it with, its text colour set in `dc`.
[[nodiscard]] HBRUSH ColourControl(HDC dc, const ControlSpec& row, Brushes& brushes);

}  // namespace tavrelo::ui::win32
