#pragma once
// What every binding works out the same way from the inventory before it
// asks its toolkit for anything: where a control goes in pixels at the
// screen's dpi, which font and size it takes, the few measures of the look
// both bindings paint themselves, and how Text1's line breaks cross between
// the model and an edit control.

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

// Where a window opened from the main one first stands: beside its owner
// (`owner`, the owner's frame) where the room `area` (the screen's work area
// or the page's viewport) has space for a `width` × `height` frame, `gap`
// apart: to its right, else below it, else to its left, else above it; where
// none has, over the owner from its top-left corner, kept inside the room.
[[nodiscard]] PixelBox PlaceOwnedWindow(const PixelBox& owner, int width, int height, const PixelBox& area, int gap);

// Whether a binding makes the form's controls as the program starts: a
// window opened from the main one is hidden then and may never be opened,
// so its controls wait until it is first shown.
[[nodiscard]] bool BuiltAtStart(const FormModel& model);

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

// --- The look both bindings paint --------------------------------------------

// A length of `pixels` at 96 dpi, at `dpi`: 8 px are 12 px at 144 dpi.
[[nodiscard]] constexpr int ScaledPixels(int pixels, int dpi) { return TwipsToPixels(pixels * 15, dpi); }

// A frame's caption sits in its top edge: `indent` from the frame's left,
// on a strip of the frame's colour that breaks the edge and reaches
// `padding` beyond the text on either side.
struct FrameCaptionLook {
  int indent = 0;
  int padding = 0;
};
[[nodiscard]] constexpr FrameCaptionLook FrameCaption(int dpi = 96) {
  return {ScaledPixels(8, dpi), ScaledPixels(2, dpi)};
}

// Command1 drawn by hand: its focus rectangle `focusInset` inside the edge,
// its caption moved `pressedOffset` right and down while it is held.
struct ButtonLook {
  int focusInset = 0;
  int pressedOffset = 0;
};
[[nodiscard]] constexpr ButtonLook CommandButtonLook(int dpi = 96) {
  return {ScaledPixels(4, dpi), ScaledPixels(1, dpi)};
}

// A tall, narrow button's caption, one character per line: "计算" becomes
// "计\n算".
[[nodiscard]] std::string StackedCaption(std::string_view caption);

// --- Line breaks -------------------------------------------------------------

// The model holds Text1's line breaks as CR LF, as the classic edit control
// does, and the Windows clipboard wants them so too: any of LF, CR and CR LF
// becomes CR LF.
[[nodiscard]] std::string ToCrLf(std::string_view text);
// CR LF (and a lone CR) as LF, for toolkits that show LF and for plain text
// elsewhere.
[[nodiscard]] std::string ToLf(std::string_view text);

}  // namespace tavrelo::ui
