#pragma once
// The downdrag window's profile drawing: the pile in its soil, as a list of
// plain shapes in pixels at 96 dpi inside a given box, composed here once.
// A binding only paints the list at its dpi, every coordinate, stroke width
// and font size times dpi/96, in the order of the list; it works out no
// coordinate of its own. The same list gives the report its inline <svg>,
// and a screen reader its one sentence.
//
// Where each thing stands in the box (232 × 300 px in the window):
//   header row  "地面" on the left; after a result "qsi（kPa）" over the
//               friction side, right of the pile;
//   ground      a 2 px line under the header row, across the box;
//   layers      bands from the ground down, to depth scale, each at least
//               one text line (16 px) high: a thin layer's band is taller
//               than its scale, the others share the rest in proportion, so
//               depths keep their order but are to scale only within a band;
//               each band's label "2 γ=19 h=3.0" (as entered) at its left;
//   bearing     the stratum below layer n, 28 px, hatched, "持力层";
//   pile        a 10 px bar (not to scale) right of the layer labels, from
//               the pile top t down to the bearing stratum;
//   after a result, on the pile's right:
//   friction    qsi(z) = ξni·σ'(z) drawn out from the pile over each layer's
//               part above the neutral point, linear within the part and
//               stepping at the layer edges; a capped part at qsik all along
//               (what Σqsi·li takes), so every part's area is qsi·li;
//   values      each part's qsi, right-aligned at the box's right margin
//               ("12.00=qs2k" where qsik caps it), at the height of the
//               part's middle or moved up where they would crowd, each with
//               a dotted leader to the profile at that middle;
//   neutral     a dashed line across the pile at t + ln, and under it
//               "中性点 ln = 4.50 m".
// A label too wide for its column takes the notes font (10 px), and is cut
// with "…" only where even that does not fit. No label leaves a box of at
// least 200 × 240 px or overlaps another.

#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "core/downdrag_load.h"
#include "core/negative_friction.h"
#include "ui/control_inventory.h"
#include "ui/view_rules.h"

namespace tavrelo::ui {

// --- Shapes ------------------------------------------------------------------

struct PixelPoint {
  double x = 0.0;
  double y = 0.0;

  friend bool operator==(const PixelPoint&, const PixelPoint&) = default;
};

struct Stroke {
  Rgb colour = kBlue;
  double width = 1.0;  // px
};

struct RectShape {
  double x = 0.0;
  double y = 0.0;
  double width = 0.0;
  double height = 0.0;
  std::optional<Rgb> fill;
  std::optional<Stroke> stroke;  // drawn centred on the edge
};

struct LineShape {
  PixelPoint from;
  PixelPoint to;
  Stroke stroke;
};

struct DashedLineShape {
  PixelPoint from;
  PixelPoint to;
  Stroke stroke;
  double dash = 4.0;  // px drawn, then
  double gap = 3.0;   // px left out
};

// Open, point to point; a fill closes it back to the first point.
struct PolylineShape {
  std::vector<PixelPoint> points;
  Stroke stroke;
  std::optional<Rgb> fill;
};

enum class HorizontalAnchor { Start, Middle, End };
enum class VerticalAnchor { Top, Middle, Bottom };

// One line of text; `anchor` is the point of its em box named by the two
// anchors (Start, Middle: the middle of its left edge).
struct TextShape {
  PixelPoint anchor;
  HorizontalAnchor horizontal = HorizontalAnchor::Start;
  VerticalAnchor vertical = VerticalAnchor::Middle;
  const FontSpec* font = nullptr;  // look::WindowFont() or look::NotesFont()
  double size = 12.0;              // em, px
  Rgb colour = kBlue;
  std::string text;  // UTF-8
};

// What a shape shows, for the tests and for whoever reads the list.
enum class ProfilePart {
  Frame,           // the box's border and background
  Ground,          // the ground line
  GroundLabel,     // "地面"
  Band,            // layer `layer`'s band
  BandEdge,        // the edge under layer `layer`
  LayerLabel,      // "1 γ=18 h=2.0"
  Bearing,         // the bearing stratum's band
  Hatch,           // one stroke of its hatching
  BearingLabel,    // "持力层"
  Pile,            // the pile
  Friction,        // the qsi profile
  FrictionHeader,  // "qsi（kPa）"
  FrictionLabel,   // layer `layer`'s qsi
  Leader,          // dotted, from the profile at the part's middle to its qsi
  NeutralLine,     // the dashed line at t + ln
  NeutralLabel,    // "中性点 ln = 4.50 m"
  Backing,         // keeps the hatching off a label
  Note,            // why the layers cannot be drawn
};

struct ProfileShape {
  ProfilePart part = ProfilePart::Frame;
  int layer = 0;  // 1 to 5 for a layer's band, edge, label and qsi; 0 otherwise
  std::variant<RectShape, LineShape, DashedLineShape, PolylineShape, TextShape> geometry;
};

struct ProfileDrawing {
  PixelBox box;                      // at 96 dpi, in the window's pixels
  std::vector<ProfileShape> shapes;  // painted in this order
};

// --- The drawing -------------------------------------------------------------

// The drawing in `box` of the layers of `press` (n, γi and hi read as the
// downdrag load reads them, layer 2's hi in single precision), the pile from
// its top, and with `result` (computed from `press`) the friction and the
// neutral point. The pile top is the result's t; without a result it is
// `pileTopText` read as a number (blank = 0), and the surface where that
// is not a depth above the bearing stratum. Without a press only the frame
// and the ground line; where the layers cannot be read (n not 1 to 5, a γi
// or hi not a number ≥ 0, a zero thickness sum), those and a note naming
// the field.
[[nodiscard]] ProfileDrawing DrawProfile(const FrictionInput* press, std::string_view pileTopText,
                                         const DowndragResult* result, PixelBox box);

// What the drawing shows, in one sentence for a screen reader:
// "示意图：2层土，桩顶在地面下0.00 m，桩长5.00 m，中性点在桩顶下4.50 m",
// without the neutral point before a result.
[[nodiscard]] std::string ProfileDescription(const FrictionInput* press, std::string_view pileTopText,
                                             const DowndragResult* result);

// The drawing as an inline <svg> element of the box's size in px, its
// viewBox the box, one element per shape, texts XML-escaped in the window's
// fonts (SimSun, 宋体, then a monospace fallback).
[[nodiscard]] std::string ProfileSvg(const ProfileDrawing& drawing);

// --- Text extents --------------------------------------------------------------

// How wide a text is in the window's fonts: a Chinese character (any
// character beyond ASCII) 1 em, an ASCII one 0.5 em; "中性点 ln" at 12 px
// is 36 + 18 = 54 px.
[[nodiscard]] double EstimateWidth(std::string_view text, double size);

// The em box a text takes, by its anchors.
[[nodiscard]] RectShape EstimateExtent(const TextShape& text);
// The y of the text's baseline: the em box's top is 0.86 em above it, as in
// the window's Chinese UI fonts; where every binding and the SVG put it.
[[nodiscard]] double BaselineOf(const TextShape& text);

}  // namespace tavrelo::ui
