#include "ui/profile_drawing.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdio>
#include <initializer_list>

#include "core/number_text.h"
#include "core/result_text.h"
#include "ui/form_handlers.h"
#include "ui/text_wrap.h"

namespace tavrelo::ui {
namespace {

using namespace look;

// --- The look ------------------------------------------------------------------

constexpr double kMargin = 4.0;  // between the frame and what stands in it
constexpr double kLine = 16.0;   // one line of 12 px text with its leading
constexpr double kNoteLine = 14.0;
constexpr double kBearingHeight = 28.0;
constexpr double kPileWidth = 10.0;
constexpr double kGap = 6.0;  // between a column of labels and what it names
constexpr double kHatchStep = 8.0;
constexpr double kClear = 3.0;  // between a value and the neutral line
constexpr double kMinimumProfileWidth = 24.0;
constexpr Rgb kBearingFill = kFrameOrange;
constexpr Rgb kFrictionColour = kDarkRed;
constexpr std::string_view kEllipsis = "…";

// Layer 1 pale as the sky above it, then orange and pale by turns.
constexpr Rgb LayerFill(int layer) { return layer % 2 == 1 ? kPaleYellow : kFrameOrange; }

double WindowTextSize() { return FontPixels(WindowFont()); }
double NotesTextSize() { return FontPixels(NotesFont()); }

// --- The press's layers --------------------------------------------------------

struct Layers {
  int count = 0;
  std::array<double, 5> top{};        // ti, m below the ground surface
  std::array<double, 5> thickness{};  // hi, m
  std::array<std::string, 5> label;   // "2 γ=19 h=3.0"
  double bearingDepth = 0.0;          // h1 + … + hn
};

// A text without the blanks typed around it (ASCII and ideographic).
std::string_view Entered(std::string_view text) {
  constexpr std::array<std::string_view, 2> kBlanks = {" ", "\u3000"};
  const auto blankAt = [&](bool front) {
    for (const std::string_view blank : kBlanks) {
      if (front ? text.starts_with(blank) : text.ends_with(blank)) return blank.size();
    }
    return std::size_t{0};
  };
  for (std::size_t size = blankAt(true); size > 0; size = blankAt(true)) text.remove_prefix(size);
  for (std::size_t size = blankAt(false); size > 0; size = blankAt(false)) text.remove_suffix(size);
  return text;
}

// A field of the press read as the downdrag load reads it (layer 2's
// thickness in single precision), or why it gives no value.
std::variant<double, std::string> ReadField(const FrictionInput& press, FrictionField field) {
  const std::string_view text = FieldText(press, field);
  const bool single = field.kind == FieldKind::Thickness && field.layer == 2;
  const NumberReading reading = single ? ReadNumberAsFloat(text) : ReadNumber(text);
  if (reading.failure == FailureReason::Empty) return FieldName(field) + "为空";
  if (reading.failure == FailureReason::OutOfRange) return FieldName(field) + Quote(text) + "超出了数值范围";
  if (!reading.ok()) return FieldName(field) + Quote(text) + "不是有效的数字";
  return reading.value;
}

// The layers, or why they cannot be drawn: "第2层的土层厚“-1”小于0".
std::variant<Layers, std::string> ReadLayers(const FrictionInput& press) {
  const FrictionField countField{FieldKind::LayerCount, 0};
  const auto countValue = ReadField(press, countField);
  if (const auto* why = std::get_if<std::string>(&countValue)) return *why;
  const std::optional<int> count = LayerCountFromValue(std::get<double>(countValue));
  if (!count) return FieldName(countField) + Quote(press.layerCountText) + "不是1～5";
  Layers layers;
  layers.count = *count;
  double depth = 0.0;
  for (int i = 1; i <= *count; ++i) {
    const auto index = static_cast<std::size_t>(i - 1);
    for (const FrictionField field :
         {FrictionField{FieldKind::UnitWeight, i}, FrictionField{FieldKind::Thickness, i}}) {
      const auto value = ReadField(press, field);
      if (const auto* why = std::get_if<std::string>(&value)) return *why;
      if (!(std::get<double>(value) >= 0.0)) return FieldName(field) + Quote(FieldText(press, field)) + "小于0";
      if (field.kind == FieldKind::Thickness) layers.thickness[index] = std::get<double>(value);
    }
    layers.top[index] = depth;
    depth += layers.thickness[index];
    if (!std::isfinite(depth)) return "各层土层厚之和超出了数值范围";
    const LayerInput& layer = press.layers[index];
    layers.label[index] = std::to_string(i) + " γ=" + std::string(Entered(layer.unitWeightText)) +
                          " h=" + std::string(Entered(layer.thicknessText));
  }
  if (depth == 0.0) return "各层土层厚之和为0";
  layers.bearingDepth = depth;
  return layers;
}

// The pile top without a result: the window's t where it is a depth above
// the bearing stratum (blank = 0), else the surface.
double PileTopOf(std::string_view text, double bearingDepth) {
  const NumberReading t = ReadNumber(text);
  return t.ok() && t.value >= 0.0 && t.value < bearingDepth ? t.value : 0.0;
}

// --- Depth to height -------------------------------------------------------------

// The bands of the layers between the ground line and the bearing stratum.
// Every band is at least one text line high; the layers thicker than that
// at the common scale share the rest in proportion, so a 0.05 m layer over
// a 5 m one takes 16 px and the 5 m layer the rest: depths are to scale
// within a band, and keep their order across bands.
class Bands {
 public:
  Bands(const Layers& layers, double ground, double bearingTop) : layers_(layers) {
    const int n = layers.count;
    const double room = bearingTop - ground;
    std::array<bool, 5> raised{};  // held at one line
    double scale = 0.0;
    for (bool changed = true; changed;) {
      changed = false;
      double rest = room;
      double scaled = 0.0;
      for (std::size_t i = 0; i < static_cast<std::size_t>(n); ++i) {
        if (raised[i]) {
          rest -= kLine;
        } else {
          scaled += layers.thickness[i];
        }
      }
      scale = scaled > 0.0 ? rest / scaled : 0.0;
      for (std::size_t i = 0; i < static_cast<std::size_t>(n); ++i) {
        if (!raised[i] && layers.thickness[i] * scale < kLine) raised[i] = changed = true;
      }
    }
    // A box too low for a line per layer gives each an equal share.
    const bool even = room < kLine * n;
    double y = ground;
    for (std::size_t i = 0; i < static_cast<std::size_t>(n); ++i) {
      top_[i] = y;
      height_[i] = even ? room / n : (raised[i] ? kLine : layers.thickness[i] * scale);
      y += height_[i];
    }
  }

  [[nodiscard]] double Top(int layer) const { return top_[Index(layer)]; }
  [[nodiscard]] double Bottom(int layer) const { return top_[Index(layer)] + height_[Index(layer)]; }
  // The height of `depth` inside layer `layer`'s band.
  [[nodiscard]] double Y(int layer, double depth) const {
    const std::size_t i = Index(layer);
    const double h = layers_.thickness[i];
    return top_[i] + (h > 0.0 ? (depth - layers_.top[i]) / h * height_[i] : 0.0);
  }
  // The height of a depth above the bearing stratum, in the layer it lies in.
  [[nodiscard]] double Y(double depth) const {
    for (int layer = 1; layer <= layers_.count; ++layer) {
      if (depth < layers_.top[Index(layer)] + layers_.thickness[Index(layer)]) return Y(layer, depth);
    }
    return Bottom(layers_.count);
  }

 private:
  static std::size_t Index(int layer) { return static_cast<std::size_t>(layer - 1); }

  const Layers& layers_;
  std::array<double, 5> top_{};
  std::array<double, 5> height_{};
};

// --- Labels --------------------------------------------------------------------

void DropLastCharacter(std::string& text) {
  while (!text.empty() && (static_cast<unsigned char>(text.back()) & 0xC0) == 0x80) text.pop_back();
  if (!text.empty()) text.pop_back();
}

// `text` in the window's font where it is at most `width` wide, else in the
// notes font, cut with "…" where even that is too wide.
TextShape Label(std::string text, double width, PixelPoint at, HorizontalAnchor horizontal, Rgb colour = kBlue,
                VerticalAnchor vertical = VerticalAnchor::Middle) {
  TextShape shape{at, horizontal, vertical, &WindowFont(), WindowTextSize(), colour, std::move(text)};
  if (EstimateWidth(shape.text, shape.size) <= width) return shape;
  shape.font = &NotesFont();
  shape.size = NotesTextSize();
  if (EstimateWidth(shape.text, shape.size) <= width) return shape;
  while (!shape.text.empty() && EstimateWidth(shape.text + std::string(kEllipsis), shape.size) > width) {
    DropLastCharacter(shape.text);
  }
  shape.text += kEllipsis;
  return shape;
}

// The centres of labels one line high, in their order from the top, as near
// their wished-for centres as they can stand without overlapping and
// between `low` and `high`: moved up first, down only where the top is
// reached.
std::vector<double> Stack(std::vector<double> centres, double low, double high) {
  for (std::size_t k = centres.size(); k-- > 0;) {
    const double limit = k + 1 < centres.size() ? centres[k + 1] - kLine : high - kLine / 2;
    centres[k] = std::min(centres[k], limit);
  }
  for (std::size_t k = 0; k < centres.size(); ++k) {
    const double limit = k > 0 ? centres[k - 1] + kLine : low + kLine / 2;
    centres[k] = std::max(centres[k], limit);
  }
  return centres;
}

bool Intersect(const RectShape& a, const RectShape& b) {
  return a.x < b.x + b.width && b.x < a.x + a.width && a.y < b.y + b.height && b.y < a.y + a.height;
}

// One layer's part above the neutral point, and its friction at both ends.
struct FrictionPart {
  int layer = 0;
  double from = 0.0;  // depth, m
  double to = 0.0;
  double atTop = 0.0;  // qsi(z), kN/m²
  double atBottom = 0.0;
  double atMiddle = 0.0;  // qsi
  bool capped = false;
};

std::vector<FrictionPart> FrictionParts(const Layers& layers, const DowndragResult& result) {
  std::vector<FrictionPart> parts;
  for (int i = 1; i <= layers.count; ++i) {
    const DowndragLayer& layer = result.layers[static_cast<std::size_t>(i - 1)];
    if (!layer.enters) continue;
    FrictionPart part{.layer = i, .atMiddle = layer.friction, .capped = layer.capped};
    part.from = std::max(layers.top[static_cast<std::size_t>(i - 1)], result.pileTopDepth);
    part.to = part.from + layer.length;
    // σ'(z) grows by γi per metre about its middle value σ'i.
    const double half = layer.unitWeight * layer.length / 2.0;
    part.atTop = layer.capped ? layer.friction : std::max(0.0, layer.coefficient * (layer.stress - half));
    part.atBottom = layer.capped ? layer.friction : layer.coefficient * (layer.stress + half);
    parts.push_back(part);
  }
  return parts;
}

std::string FrictionText(const FrictionPart& part) {
  const std::string value = FormatFixed(part.atMiddle, 2);
  return part.capped ? value + "=qs" + std::to_string(part.layer) + "k" : value;
}

std::string NeutralText(double depth) { return "中性点 ln = " + FormatFixed(depth, 2) + " m"; }

// --- The drawing ---------------------------------------------------------------

class Composer {
 public:
  explicit Composer(PixelBox box)
      : box_(box),
        left_(box.x + kMargin),
        right_(box.x + box.width - kMargin),
        headerMiddle_(box.y + kMargin + kLine / 2),
        ground_(box.y + kMargin + kLine + 2.0),
        bearingTop_(box.y + box.height - 1.0 - kBearingHeight) {}

  void Frame() {
    Add(ProfilePart::Frame, 0,
        RectShape{box_.x + 0.5, box_.y + 0.5, box_.width - 1.0, box_.height - 1.0, kPaleYellow, Stroke{kBlue, 1.0}});
    AddText(ProfilePart::GroundLabel, 0,
            Label("地面", right_ - left_, {left_, headerMiddle_}, HorizontalAnchor::Start));
  }

  void Ground() {
    Add(ProfilePart::Ground, 0, LineShape{{box_.x + 1.0, ground_}, {box_.x + box_.width - 1.0, ground_}, {kBlue, 2.0}});
  }

  void Note(const std::string& text) {
    const double size = NotesTextSize();
    const auto measure = [size](std::string_view piece) {
      return static_cast<int>(std::ceil(EstimateWidth(piece, size)));
    };
    double y = ground_ + kMargin;
    for (std::string& line : WrapLines(text, static_cast<int>(right_ - left_), measure)) {
      AddText(
          ProfilePart::Note, 0,
          TextShape{
              {left_, y}, HorizontalAnchor::Start, VerticalAnchor::Top, &NotesFont(), size, kBlue, std::move(line)});
      y += kNoteLine;
    }
  }

  void Profile(const Layers& layers, double pileTop, const DowndragResult* result) {
    const Bands bands(layers, ground_, bearingTop_);
    const int n = layers.count;
    const double boxRight = box_.x + box_.width - 1.0;

    // The columns: the layers' labels, the pile, and right of it the
    // neutral point's label, which the deepest possible ln must fit.
    const double room = right_ - left_ - kPileWidth - 2 * kGap;
    const double bearingLabelWidth = EstimateWidth("持力层", WindowTextSize());
    const double neutralWidth =
        std::min(EstimateWidth(NeutralText(layers.bearingDepth), WindowTextSize()), room - bearingLabelWidth);
    double column = bearingLabelWidth;
    for (int i = 1; i <= n; ++i) {
      column = std::max(column, EstimateWidth(layers.label[static_cast<std::size_t>(i - 1)], WindowTextSize()));
    }
    column = std::min(column, room - neutralWidth);
    const double pileLeft = left_ + column + kGap;
    const double pileRight = pileLeft + kPileWidth;

    for (int i = 1; i <= n; ++i) {
      Add(ProfilePart::Band, i,
          RectShape{box_.x + 1.0, bands.Top(i), box_.width - 2.0, bands.Bottom(i) - bands.Top(i), LayerFill(i), {}});
    }
    Add(ProfilePart::Bearing, 0,
        RectShape{box_.x + 1.0, bearingTop_, box_.width - 2.0, kBearingHeight, kBearingFill, {}});
    Hatch(box_.x + 1.0, boxRight, bearingTop_, bearingTop_ + kBearingHeight);
    for (int i = 1; i <= n; ++i) {
      Add(ProfilePart::BandEdge, i,
          LineShape{{box_.x + 1.0, bands.Bottom(i)}, {boxRight, bands.Bottom(i)}, {kBlue, 1.0}});
      AddText(ProfilePart::LayerLabel, i,
              Label(layers.label[static_cast<std::size_t>(i - 1)], column,
                    {left_, (bands.Top(i) + bands.Bottom(i)) / 2}, HorizontalAnchor::Start));
    }
    AddText(ProfilePart::BearingLabel, 0,
            Label("持力层", column, {left_, bearingTop_ + kBearingHeight / 2}, HorizontalAnchor::Start));
    const double pileTopY = bands.Y(pileTop);
    Add(ProfilePart::Pile, 0,
        RectShape{pileLeft, pileTopY, kPileWidth, bearingTop_ - pileTopY, kPaleYellow, Stroke{kBlue, 1.0}});
    if (result != nullptr) Friction(layers, bands, *result, pileLeft, pileRight, pileTopY);
  }

  ProfileDrawing Finish() && {
    ProfileDrawing drawing{box_, std::move(shapes_)};
    // The hatching stays off the labels that stand on it.
    const RectShape bearing{
        static_cast<double>(box_.x), bearingTop_, static_cast<double>(box_.width), kBearingHeight, {}, {}};
    for (const ProfileShape& text : texts_) {
      RectShape extent = EstimateExtent(std::get<TextShape>(text.geometry));
      if (!hatched_ || !Intersect(extent, bearing)) continue;
      extent.x -= 1.0, extent.y -= 1.0, extent.width += 2.0, extent.height += 2.0;
      extent.fill = kBearingFill;
      drawing.shapes.push_back({ProfilePart::Backing, text.layer, extent});
    }
    drawing.shapes.insert(drawing.shapes.end(), texts_.begin(), texts_.end());
    return drawing;
  }

 private:
  void Add(ProfilePart part, int layer, decltype(ProfileShape::geometry) geometry) {
    shapes_.push_back({part, layer, std::move(geometry)});
  }
  void AddText(ProfilePart part, int layer, TextShape text) { texts_.push_back({part, layer, std::move(text)}); }

  // "/" strokes kHatchStep apart, cut to the rectangle.
  void Hatch(double x0, double x1, double top, double bottom) {
    hatched_ = true;
    const double height = bottom - top;
    for (double start = x0 - height + kHatchStep; start < x1; start += kHatchStep) {
      // The stroke runs from (start, bottom) up to (start + height, top).
      const double from = std::max(0.0, x0 - start);
      const double to = std::min(height, x1 - start);
      if (from >= to) continue;
      Add(ProfilePart::Hatch, 0, LineShape{{start + from, bottom - from}, {start + to, bottom - to}, {kBlue, 1.0}});
    }
  }

  void Friction(const Layers& layers, const Bands& bands, const DowndragResult& result, double pileLeft,
                double pileRight, double pileTopY) {
    const std::vector<FrictionPart> parts = FrictionParts(layers, result);
    const double side = right_ - pileRight - 3.0;  // right of the pile, for its labels
    AddText(ProfilePart::FrictionHeader, 0,
            Label("qsi（kPa）", side, {pileRight + 3.0, headerMiddle_}, HorizontalAnchor::Start, kFrictionColour));

    // The values' column at the right margin, as wide as the widest value.
    double valueWidth = 0.0;
    double largest = 0.0;
    for (const FrictionPart& part : parts) {
      valueWidth = std::max(valueWidth, EstimateWidth(FrictionText(part), WindowTextSize()));
      largest = std::max({largest, part.atTop, part.atBottom});
    }
    valueWidth = std::min(valueWidth, side - kMinimumProfileWidth - kGap);
    const double scale = largest > 0.0 ? (right_ - valueWidth - kGap - pileRight) / largest : 0.0;
    const auto x = [&](double q) { return pileRight + q * scale; };

    // The profile, out from the pile and back to it at the neutral point;
    // along the pile where a band without a part (a layer of no thickness)
    // stands between two parts.
    const double neutralY = parts.empty() ? pileTopY : bands.Y(parts.back().layer, parts.back().to);
    if (!parts.empty()) {
      PolylineShape profile{{}, {kFrictionColour, 1.5}, {}};
      double endY = bands.Y(parts.front().layer, parts.front().from);
      profile.points.push_back({pileRight, endY});
      for (const FrictionPart& part : parts) {
        const double topY = bands.Y(part.layer, part.from);
        if (topY != endY) profile.points.insert(profile.points.end(), {{pileRight, endY}, {pileRight, topY}});
        endY = bands.Y(part.layer, part.to);
        profile.points.insert(profile.points.end(), {{x(part.atTop), topY}, {x(part.atBottom), endY}});
      }
      profile.points.push_back({pileRight, endY});
      Add(ProfilePart::Friction, 0, std::move(profile));
    }
    Add(ProfilePart::NeutralLine, 0, DashedLineShape{{pileLeft - 4.0, neutralY}, {right_, neutralY}, {kBlue, 1.0}});

    // The values at the middles of their parts, one above the other and
    // clear of the neutral line, moved up where they crowd; the neutral
    // point's label under its line, lower only where the values reach down
    // to it from the ground line.
    std::vector<double> wished;
    for (const FrictionPart& part : parts) wished.push_back(bands.Y(part.layer, (part.from + part.to) / 2));
    const std::vector<double> centres = Stack(wished, ground_ + 1.0, neutralY - kClear - kLine / 2);
    const double neutralCentre =
        std::max(neutralY + 2.0 + kLine / 2, centres.empty() ? 0.0 : centres.back() + kLine + kClear);
    for (std::size_t k = 0; k < parts.size(); ++k) {
      TextShape value =
          Label(FrictionText(parts[k]), valueWidth, {right_, centres[k]}, HorizontalAnchor::End, kFrictionColour);
      // A dotted leader from the profile at the part's middle to its value.
      const double valueLeft = right_ - EstimateWidth(value.text, value.size);
      Add(ProfilePart::Leader, parts[k].layer,
          DashedLineShape{
              {x(parts[k].atMiddle), wished[k]}, {valueLeft - 2.0, centres[k]}, {kFrictionColour, 0.75}, 1.5, 1.5});
      AddText(ProfilePart::FrictionLabel, parts[k].layer, std::move(value));
    }
    AddText(ProfilePart::NeutralLabel, 0,
            Label(NeutralText(result.neutralDepth), side, {pileRight + 3.0, neutralCentre}, HorizontalAnchor::Start));
  }

  PixelBox box_;
  double left_;
  double right_;
  double headerMiddle_;
  double ground_;
  double bearingTop_;
  bool hatched_ = false;
  std::vector<ProfileShape> shapes_;
  std::vector<ProfileShape> texts_;  // after every other shape
};

// --- The SVG -------------------------------------------------------------------

std::string Escaped(std::string_view text) {
  std::string escaped;
  escaped.reserve(text.size());
  for (const char c : text) {
    switch (c) {
      case '&': escaped += "&amp;"; break;
      case '<': escaped += "&lt;"; break;
      case '>': escaped += "&gt;"; break;
      case '"': escaped += "&quot;"; break;
      case '\'': escaped += "&apos;"; break;
      default: escaped += c;
    }
  }
  return escaped;
}

// A coordinate with at most two decimals and no trailing zeros: "86", "22.5".
std::string Number(double value) {
  std::string text = FormatFixed(value, 2);
  while (text.back() == '0') text.pop_back();
  if (text.back() == '.') text.pop_back();
  return text;
}

std::string Colour(Rgb rgb) {
  std::array<char, 8> text{};
  std::snprintf(text.data(), text.size(), "#%06X", static_cast<unsigned>(rgb & 0xFFFFFF));
  return text.data();
}

// The pieces one after another (appending keeps GCC 12's optimiser from the
// false -Wrestrict alarm that chains of operator+ raise at -O3).
std::string Cat(std::initializer_list<std::string_view> pieces) {
  std::string text;
  for (const std::string_view piece : pieces) text.append(piece);
  return text;
}

std::string StrokeAttributes(const Stroke& stroke) {
  return Cat({" stroke=\"", Colour(stroke.colour), "\" stroke-width=\"", Number(stroke.width), "\""});
}

std::string FontFamily(const FontSpec& font) {
  std::string families;
  for (const std::string_view family : font.families) {
    const bool quoted = family.find(' ') != std::string_view::npos;
    families.append(quoted ? "'" : "").append(family).append(quoted ? "'" : "").append(", ");
  }
  return families.append("monospace");
}

struct SvgElement {
  std::string operator()(const RectShape& r) const {
    std::string element =
        Cat({"<rect x=\"", Number(r.x), "\" y=\"", Number(r.y), "\" width=\"", Number(r.width), "\" height=\"",
             Number(r.height), "\" fill=\"", r.fill ? Colour(*r.fill) : "none", "\""});
    if (r.stroke) element.append(StrokeAttributes(*r.stroke));
    return element.append("/>");
  }
  std::string operator()(const LineShape& l) const { return Line(l.from, l.to, l.stroke).append("/>"); }
  std::string operator()(const DashedLineShape& l) const {
    return Line(l.from, l.to, l.stroke)
        .append(Cat({" stroke-dasharray=\"", Number(l.dash), " ", Number(l.gap), "\"/>"}));
  }
  std::string operator()(const PolylineShape& p) const {
    std::string points;
    for (const PixelPoint& point : p.points) {
      points.append(points.empty() ? "" : " ").append(Number(point.x)).append(",").append(Number(point.y));
    }
    return Cat({"<polyline shape-rendering=\"geometricPrecision\" points=\"", points, "\" fill=\"",
                p.fill ? Colour(*p.fill) : "none", "\"", StrokeAttributes(p.stroke), "/>"});
  }
  std::string operator()(const TextShape& t) const {
    const char* anchor = t.horizontal == HorizontalAnchor::Start    ? "start"
                         : t.horizontal == HorizontalAnchor::Middle ? "middle"
                                                                    : "end";
    const std::string family = t.font != nullptr ? FontFamily(*t.font) : "monospace";
    return Cat({"<text x=\"", Number(t.anchor.x), "\" y=\"", Number(BaselineOf(t)), "\" font-family=\"",
                Escaped(family), "\" font-size=\"", Number(t.size), "\" fill=\"", Colour(t.colour), "\" text-anchor=\"",
                anchor, "\">", Escaped(t.text), "</text>"});
  }

  static std::string Line(PixelPoint from, PixelPoint to, const Stroke& stroke) {
    return Cat({"<line x1=\"", Number(from.x), "\" y1=\"", Number(from.y), "\" x2=\"", Number(to.x), "\" y2=\"",
                Number(to.y), "\"", StrokeAttributes(stroke)});
  }
};

}  // namespace

// --- The drawing ---------------------------------------------------------------

ProfileDrawing DrawProfile(const FrictionInput* press, std::string_view pileTopText, const DowndragResult* result,
                           PixelBox box) {
  Composer composer(box);
  composer.Frame();
  if (press != nullptr) {
    const auto layers = ReadLayers(*press);
    if (const auto* why = std::get_if<std::string>(&layers)) {
      composer.Note(*why + "，无法绘制土层。");
    } else {
      const Layers& read = std::get<Layers>(layers);
      const double pileTop = result != nullptr ? result->pileTopDepth : PileTopOf(pileTopText, read.bearingDepth);
      composer.Profile(read, pileTop, result);
    }
  }
  composer.Ground();
  return std::move(composer).Finish();
}

std::string ProfileDescription(const FrictionInput* press, std::string_view pileTopText, const DowndragResult* result) {
  if (press == nullptr) return "示意图：仅地面线，尚无土层";
  const auto layers = ReadLayers(*press);
  if (const auto* why = std::get_if<std::string>(&layers)) return "示意图：仅地面线，" + *why + "，无法绘制土层";
  const Layers& read = std::get<Layers>(layers);
  const double pileTop = result != nullptr ? result->pileTopDepth : PileTopOf(pileTopText, read.bearingDepth);
  const double pileLength = result != nullptr ? result->pileLength : read.bearingDepth - pileTop;
  std::string sentence = "示意图：" + std::to_string(read.count) + "层土，桩顶在地面下" + FormatFixed(pileTop, 2) +
                         " m，桩长" + FormatFixed(pileLength, 2) + " m";
  if (result != nullptr) sentence += "，中性点在桩顶下" + FormatFixed(result->neutralDepth, 2) + " m";
  return sentence;
}

std::string ProfileSvg(const ProfileDrawing& drawing) {
  const PixelBox& box = drawing.box;
  // Straight edges on whole pixels, as the window's own lines; only the
  // slanted profile is smoothed.
  std::string svg = Cat({"<svg xmlns=\"http://www.w3.org/2000/svg\" shape-rendering=\"crispEdges\" width=\"",
                         std::to_string(box.width), "px\" height=\"", std::to_string(box.height), "px\" viewBox=\"",
                         std::to_string(box.x), " ", std::to_string(box.y), " ", std::to_string(box.width), " ",
                         std::to_string(box.height), "\">\n"});
  for (const ProfileShape& shape : drawing.shapes) svg.append(std::visit(SvgElement{}, shape.geometry)).append("\n");
  return svg.append("</svg>");
}

// --- Text extents --------------------------------------------------------------

double EstimateWidth(std::string_view text, double size) {
  double ems = 0.0;
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x80)
      ems += 0.5;
    else if ((byte & 0xC0) != 0x80)
      ems += 1.0;
  }
  return ems * size;
}

RectShape EstimateExtent(const TextShape& text) {
  const double width = EstimateWidth(text.text, text.size);
  const double left = text.horizontal == HorizontalAnchor::Start    ? text.anchor.x
                      : text.horizontal == HorizontalAnchor::Middle ? text.anchor.x - width / 2
                                                                    : text.anchor.x - width;
  const double top = text.vertical == VerticalAnchor::Top      ? text.anchor.y
                     : text.vertical == VerticalAnchor::Middle ? text.anchor.y - text.size / 2
                                                               : text.anchor.y - text.size;
  return {left, top, width, text.size, {}, {}};
}

double BaselineOf(const TextShape& text) { return EstimateExtent(text).y + 0.86 * text.size; }

}  // namespace tavrelo::ui
