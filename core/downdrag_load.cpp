#include "core/downdrag_load.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <numbers>

#include "core/field_reader.h"
#include "core/number_text.h"

namespace tavrelo {
namespace {

constexpr FrictionField kLayerCount{FieldKind::LayerCount, 0};
constexpr FrictionField kLoad{FieldKind::Load, 0};
constexpr FrictionField UnitWeight(int layer) { return {FieldKind::UnitWeight, layer}; }
constexpr FrictionField Thickness(int layer) { return {FieldKind::Thickness, layer}; }
constexpr DowndragField Coefficient(int layer) { return {DowndragFieldKind::Coefficient, layer}; }
constexpr DowndragField SideResistance(int layer) { return {DowndragFieldKind::SideResistance, layer}; }
constexpr DowndragField kCause{DowndragFieldKind::Cause, 0};
constexpr DowndragField kNeutralRatio{DowndragFieldKind::NeutralRatio, 0};
constexpr DowndragField kSize{DowndragFieldKind::Size, 0};
constexpr DowndragField kSpacingX{DowndragFieldKind::SpacingX, 0};
constexpr DowndragField kSpacingY{DowndragFieldKind::SpacingY, 0};
constexpr DowndragField kPileTopDepth{DowndragFieldKind::PileTopDepth, 0};

DowndragReason ReasonOf(FailureReason reason) {
  switch (reason) {
    case FailureReason::Empty: return DowndragReason::Empty;
    case FailureReason::OutOfRange: return DowndragReason::OutOfRange;
    case FailureReason::Overflow: return DowndragReason::Overflow;
    case FailureReason::NotANumber:
    case FailureReason::ZeroThicknessSum: break;
  }
  return DowndragReason::NotANumber;
}

// Reads one field after another and remembers the first failure; once one
// is remembered, reads give 0 and checks blame nothing more.
class Reader {
 public:
  explicit Reader(const DowndragInput& input) : input_(input) {}

  [[nodiscard]] bool failed() const noexcept { return failure_.has_value(); }
  [[nodiscard]] const DowndragFailure& failure() const { return *failure_; }

  // A main window's value; layer 2's thickness in single precision.
  double Read(FrictionField field) {
    const std::string_view text = FieldText(input_.friction, field);
    const bool single = field.kind == FieldKind::Thickness && field.layer == 2;
    return Take(single ? ReadNumberAsFloat(text) : ReadNumber(text), field);
  }

  double Read(DowndragField field) { return Take(ReadNumber(FieldText(input_, field)), field); }

  // None for a blank text, where blank is allowed.
  std::optional<double> ReadIfGiven(DowndragField field) {
    if (failed()) return std::nullopt;
    const NumberReading reading = ReadNumber(FieldText(input_, field));
    if (reading.failure == FailureReason::Empty) return std::nullopt;
    return Take(reading, field);
  }

  double AtLeastZero(double value, const DowndragBlame& field) {
    if (!(value >= 0.0)) Fail(field, DowndragReason::Negative);
    return value;
  }
  double AtMostOne(double value, const DowndragBlame& field) {
    if (value > 1.0) Fail(field, DowndragReason::AboveOne);
    return value;
  }
  double AboveZero(double value, const DowndragBlame& field) {
    if (!(value > 0.0)) Fail(field, DowndragReason::NotPositive);
    return value;
  }
  // Every value of a step must stay finite; `field` is blamed otherwise.
  double Finite(double value, const DowndragBlame& field) {
    if (!std::isfinite(value)) Fail(field, DowndragReason::Overflow);
    return value;
  }

  void Fail(const DowndragBlame& field, DowndragReason reason) {
    if (!failed()) failure_ = DowndragFailure{field, reason};
  }

 private:
  double Take(const NumberReading& reading, const DowndragBlame& field) {
    if (failed()) return 0.0;
    if (!reading.ok()) Fail(field, ReasonOf(*reading.failure));
    return reading.value;
  }

  const DowndragInput& input_;
  std::optional<DowndragFailure> failure_;
};

}  // namespace

std::string_view FieldText(const DowndragInput& input, DowndragField field) noexcept {
  switch (field.kind) {
    case DowndragFieldKind::Cause: return input.friction.causeText;
    case DowndragFieldKind::Coefficient: return fields::LayerText(input.coefficientTexts, field.layer);
    case DowndragFieldKind::SideResistance: return fields::LayerText(input.sideResistanceTexts, field.layer);
    case DowndragFieldKind::NeutralRatio: return input.neutralRatioText;
    case DowndragFieldKind::Size: return input.sizeText;
    case DowndragFieldKind::SpacingX: return input.spacingXText;
    case DowndragFieldKind::SpacingY: return input.spacingYText;
    case DowndragFieldKind::PileTopDepth: return input.pileTopDepthText;
  }
  return {};
}

DowndragOutcome ComputeDowndragLoad(const DowndragInput& input) {
  Reader reader(input);
  DowndragResult result;

  // 1-2. The profile of the main window, from the ground surface down.
  const double countValue = reader.Read(kLayerCount);
  if (reader.failed()) return reader.failure();
  const std::optional<int> count = LayerCountFromValue(countValue);
  if (!count) return DowndragFailure{kLayerCount, DowndragReason::LayerCountNotOneToFive};
  const int n = *count;
  result.layerCount = n;
  std::array<double, 5> bottoms{};  // ti + hi, the running sum h1 + … + hi
  double depth = 0.0;
  for (int i = 1; i <= n; ++i) {
    const auto index = static_cast<std::size_t>(i - 1);
    DowndragLayer& layer = result.layers[index];
    layer.unitWeight = reader.AtLeastZero(reader.Read(UnitWeight(i)), UnitWeight(i));
    layer.thickness = reader.AtLeastZero(reader.Read(Thickness(i)), Thickness(i));
    layer.top = depth;
    depth = reader.Finite(depth + layer.thickness, Thickness(i));
    bottoms[index] = depth;
    if (reader.failed()) return reader.failure();
  }
  const double bearingDepth = depth;  // the top of the bearing stratum

  // 3-4. The cause, and p under a surface load.
  result.cause = ClassifyCause(input.friction.causeText);
  if (result.cause == CauseKind::Other) return DowndragFailure{kCause, DowndragReason::UnknownCause};
  if (result.cause == CauseKind::SurfaceSurcharge) {
    result.surfaceLoad = reader.AtLeastZero(reader.Read(kLoad), kLoad);
  }

  // 5-8. The pile.
  result.shape = input.shape;
  result.size = reader.AboveZero(reader.Read(kSize), kSize);
  const std::optional<double> spacingX = reader.ReadIfGiven(kSpacingX);
  if (spacingX) reader.AboveZero(*spacingX, kSpacingX);
  const std::optional<double> spacingY = reader.ReadIfGiven(kSpacingY);
  if (spacingY) reader.AboveZero(*spacingY, kSpacingY);
  if (spacingX.has_value() != spacingY.has_value()) {
    reader.Fail(spacingX ? kSpacingY : kSpacingX, DowndragReason::WithoutTheOtherSpacing);
  }
  result.group = spacingX.has_value() && spacingY.has_value();
  result.spacingX = spacingX.value_or(0.0);
  result.spacingY = spacingY.value_or(0.0);
  result.pileTopDepth = reader.AtLeastZero(reader.ReadIfGiven(kPileTopDepth).value_or(0.0), kPileTopDepth);
  if (!reader.failed() && !(result.pileTopDepth < bearingDepth)) {
    reader.Fail(kPileTopDepth, DowndragReason::NotAboveBearingStratum);
  }
  result.neutralRatio = reader.AtMostOne(reader.AtLeastZero(reader.Read(kNeutralRatio), kNeutralRatio), kNeutralRatio);
  if (reader.failed()) return reader.failure();

  // Both are below the bearing depth: no overflow.
  result.pileLength = bearingDepth - result.pileTopDepth;
  result.neutralDepth = result.neutralRatio * result.pileLength;
  const double neutralPoint = reader.Finite(result.pileTopDepth + result.neutralDepth, kPileTopDepth);
  if (reader.failed()) return reader.failure();

  // 9. Each layer's part above the neutral point, and the fields of the
  // layers that have one.
  int topEntering = 0;
  int deepestEntering = 0;
  for (int i = 1; i <= n; ++i) {
    const auto index = static_cast<std::size_t>(i - 1);
    DowndragLayer& layer = result.layers[index];
    const double from = std::max(layer.top, result.pileTopDepth);
    layer.length = std::max(0.0, std::min(bottoms[index], neutralPoint) - from);
    layer.enters = layer.length > 0.0;
    if (!layer.enters) continue;
    if (topEntering == 0) topEntering = i;
    deepestEntering = i;
    layer.coefficient =
        reader.AtMostOne(reader.AtLeastZero(reader.Read(Coefficient(i)), Coefficient(i)), Coefficient(i));
    layer.sideResistance = reader.ReadIfGiven(SideResistance(i));
    if (layer.sideResistance) reader.AtLeastZero(*layer.sideResistance, SideResistance(i));
    if (reader.failed()) return reader.failure();
  }

  // 10. Stresses and frictions, from layer 1 down.
  double weightAbove = 0.0;  // Σγe·he over the layers above layer i
  double weightSum = 0.0;    // Σγi·li
  for (int i = 1; i <= n; ++i) {
    DowndragLayer& layer = result.layers[static_cast<std::size_t>(i - 1)];
    if (layer.enters) {
      const double intoLayer = std::max(layer.top, result.pileTopDepth) - layer.top;  // a − ti
      const double ownWeight = reader.Finite(layer.unitWeight * (intoLayer + layer.length / 2.0), UnitWeight(i));
      layer.selfWeightStress = reader.Finite(weightAbove + ownWeight, UnitWeight(i));
      layer.stress = result.surfaceLoad ? reader.Finite(*result.surfaceLoad + layer.selfWeightStress, kLoad)
                                        : layer.selfWeightStress;
      layer.friction = reader.Finite(layer.coefficient * layer.stress, Coefficient(i));
      layer.capped = layer.sideResistance && layer.friction > *layer.sideResistance;
      if (layer.capped) layer.friction = *layer.sideResistance;
      const DowndragBlame frictionField = layer.capped ? SideResistance(i) : Coefficient(i);
      result.frictionSum = reader.Finite(
          result.frictionSum + reader.Finite(layer.friction * layer.length, frictionField), frictionField);
      weightSum =
          reader.Finite(weightSum + reader.Finite(layer.unitWeight * layer.length, UnitWeight(i)), UnitWeight(i));
    }
    // Below the deepest entering layer nothing needs the sum.
    if (i < deepestEntering) {
      weightAbove =
          reader.Finite(weightAbove + reader.Finite(layer.unitWeight * layer.thickness, UnitWeight(i)), UnitWeight(i));
    }
    if (reader.failed()) return reader.failure();
  }

  // The pile's section.
  const double d = result.size;
  if (result.shape == PileShape::Round) {
    result.perimeter = reader.Finite(std::numbers::pi * d, kSize);
    result.area = reader.Finite(result.perimeter * d / 4.0, kSize);
  } else {
    result.perimeter = reader.Finite(4.0 * d, kSize);
    result.area = reader.Finite(d * d, kSize);
  }

  // The group factor, weighted over the pile's part above the neutral point.
  if (result.group && result.neutralDepth > 0.0) {
    result.meanFriction = reader.Finite(result.frictionSum / result.neutralDepth, kNeutralRatio);
    result.meanUnitWeight = reader.Finite(weightSum / result.neutralDepth, kNeutralRatio);
    const DowndragBlame topWeight =
        topEntering > 0 ? DowndragBlame(UnitWeight(topEntering)) : DowndragBlame(kNeutralRatio);
    if (!reader.failed() && result.meanUnitWeight == 0.0) {
      reader.Fail(topWeight, DowndragReason::NoWeightAboveNeutralPoint);
    }
    if (reader.failed()) return reader.failure();
    const double frictionPerWeight = reader.Finite(result.meanFriction / result.meanUnitWeight, topWeight);
    const double denominator =
        reader.Finite(reader.Finite(result.perimeter * frictionPerWeight, kSize) + result.area, kSize);
    const double spacings = reader.Finite(result.spacingX * result.spacingY, kSpacingY);
    // Spacings of 1e-200 m, or a pile of 1e200 m, leave ηn below the
    // smallest double: a factor of 0 would report no downdrag at all.
    if (!reader.failed() && spacings == 0.0) reader.Fail(kSpacingY, DowndragReason::Underflow);
    result.groupFactorFormula = reader.Finite(spacings / denominator, kSize);
    if (!reader.failed() && *result.groupFactorFormula == 0.0) reader.Fail(kSize, DowndragReason::Underflow);
    result.groupFactor = std::min(1.0, *result.groupFactorFormula);
  }
  result.load = reader.Finite(result.groupFactor * result.perimeter * result.frictionSum, kSize);
  if (reader.failed()) return reader.failure();
  return result;
}

}  // namespace tavrelo
