#pragma once
// What every binding works out the same way from the inventory before it
// asks its toolkit for anything: where a control goes in pixels at the
// screen's dpi, which font and size it takes, which colours, and how Text1's
// line breaks cross between the model and an edit control.

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "ui/form_model.h"

namespace tavrelo::ui {

// --- Geometry --------------------------------------------------------------

// 1440 twips make an inch: 15 to a pixel at 96 dpi, 10 at 144. Rounded to
// the nearest pixel, halves away from zero.
[[nodiscard]] constexpr int TwipsToPixels(int twips, int dpi = 96) {
  const long long scaled = static_cast<long long>(twips) * dpi;
  return static_cast<int>((scaled + (scaled >= 0 ? 720 : -720)) / 1440);
}

struct PixelBox {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;

  friend bool operator==(const PixelBox&, const PixelBox&) = default;
};

// The control's box inside its container, in pixels at `dpi`. A line
// includes both of its end points and is one pixel wide at 96 dpi (scaled
// with the dpi, so it stays as heavy as the text): Line16 from (4200, 360)
// to (4200, 1560) is the box 280, 24, 1 × 81.
[[nodiscard]] PixelBox PixelRect(const ControlSpec& row, int dpi = 96);

// The client area of the window, in pixels at `dpi`: 628 × 316 at 96.
[[nodiscard]] PixelBox ClientArea(const FormModel& model, int dpi = 96);

// --- Fonts -------------------------------------------------------------------

// The font a control is drawn in: its own (Label6's notes) or the window's.
[[nodiscard]] const FontSpec& FontOf(const FormModel& model, const ControlSpec& row);

// The font's em height in pixels at `dpi`, matched to the twips geometry:
// 9 points are 12 px and 7.5 points 10 px at 96 dpi, 18 and 15 at 144.
[[nodiscard]] int FontPixels(const FontSpec& font, int dpi = 96);

// The first of the font's families, in its order of preference, that
// `installed` knows; none when none is.
using FamilyInstalled = std::function<bool(std::string_view family)>;
[[nodiscard]] std::optional<std::string_view> ChooseFamily(const FontSpec& font, const FamilyInstalled& installed);

// --- Colours -----------------------------------------------------------------

// The colour behind a control's text: its own, or for a control without one
// (a label) its container's, so the frame shows through. None for a combo
// box's button part and other toolkit-drawn parts.
[[nodiscard]] std::optional<Rgb> BackgroundOf(const FormModel& model, const ControlSpec& row);
// Its text or line colour; none for the toolkit's default.
[[nodiscard]] std::optional<Rgb> ForegroundOf(const ControlSpec& row);

// --- Text1's line breaks ----------------------------------------------------

// The model holds line breaks as CR LF, as the classic edit control does.
// Any of LF, CR and CR LF from a toolkit becomes CR LF.
[[nodiscard]] std::string ToModelLineBreaks(std::string_view shown);
// CR LF (and a lone CR) as LF, for toolkits that show LF.
[[nodiscard]] std::string ToLineFeeds(std::string_view model);

}  // namespace tavrelo::ui
