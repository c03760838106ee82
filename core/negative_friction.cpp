#include "core/negative_friction.h"

#include <cstddef>

#include "field_reader.h"

namespace tavrelo {
namespace {

using fields::kCoefficient;
using fields::kLayerCount;
using fields::kLoad;
using fields::Thickness;
using fields::UnitWeight;
using FieldReader = fields::Reader;

// γ̄ and z for n layers. For one layer γ̄ is γ1 itself, read only when the
// stress needs it, so it is left to the caller.
struct Profile {
  std::optional<double> meanUnitWeight;
  double midDepth = 0.0;
};

Profile ReadProfile(FieldReader& reader, int n) {
  Profile profile;
  if (n == 1) {
    // No division: a zero thickness is fine and gives z = 0.
    profile.midDepth = reader.Read(Thickness(1)) / 2.0;
    return profile;
  }
  double weightSum = 0.0;     // Σγi·hi
  double thicknessSum = 0.0;  // Σhi
  double aboveLast = 0.0;     // h1 + … + h(n−1)
  double lastThickness = 0.0;
  for (int i = 1; i <= n; ++i) {
    const double gamma = reader.Read(UnitWeight(i));
    const double h = reader.Read(Thickness(i));
    const double weight = reader.Finite(gamma * h, UnitWeight(i));
    weightSum = reader.Finite(i == 1 ? weight : weightSum + weight, UnitWeight(i));
    aboveLast = thicknessSum;
    thicknessSum = reader.Finite(i == 1 ? h : thicknessSum + h, Thickness(i));
    lastThickness = h;
    if (reader.failed()) return profile;
  }
  if (thicknessSum == 0.0) {
    reader.Fail(Thickness(1), FailureReason::ZeroThicknessSum);
    return profile;
  }
  profile.meanUnitWeight = reader.Finite(weightSum / thicknessSum, Thickness(n));
  profile.midDepth = reader.Finite(aboveLast + lastThickness / 2.0, Thickness(n));
  return profile;
}

}  // namespace

CauseKind ClassifyCause(std::string_view causeText) noexcept {
  if (causeText == "降低地下水") return CauseKind::GroundwaterLowering;
  if (causeText == "地面有满布荷载") return CauseKind::SurfaceSurcharge;
  return CauseKind::Other;
}

std::string_view FieldText(const FrictionInput& input, FrictionField field) noexcept {
  switch (field.kind) {
    case FieldKind::LayerCount: return input.layerCountText;
    case FieldKind::UnitWeight: return fields::LayerText(input.layers, field.layer, &LayerInput::unitWeightText);
    case FieldKind::Thickness: return fields::LayerText(input.layers, field.layer, &LayerInput::thicknessText);
    case FieldKind::Load: return input.loadText;
    case FieldKind::Coefficient: return input.coefficientText;
  }
  return {};
}

FrictionOutcome ComputeNegativeFriction(const FrictionInput& input) {
  FieldReader reader(input);
  FrictionResult result;

  const double countValue = reader.Read(kLayerCount);
  if (reader.failed()) return reader.failure();
  result.layerCount = LayerCountFromValue(countValue);

  // With a count other than 1 to 5 no layer is read and the stress stays
  // unset; only ξn is still read.
  if (result.layerCount) {
    const int n = *result.layerCount;
    const CauseKind cause = ClassifyCause(input.causeText);
    const Profile profile = ReadProfile(reader, n);
    if (reader.failed()) return reader.failure();
    result.midDepth = profile.midDepth;
    result.meanUnitWeight = profile.meanUnitWeight;

    if (cause != CauseKind::Other) {
      const double load = cause == CauseKind::SurfaceSurcharge ? reader.Read(kLoad) : 0.0;
      if (n == 1) result.meanUnitWeight = reader.Read(UnitWeight(1));
      if (reader.failed()) return reader.failure();
      const double weightAbove = reader.Finite(*result.meanUnitWeight * profile.midDepth, UnitWeight(n));
      result.stress = cause == CauseKind::SurfaceSurcharge ? reader.Finite(weightAbove + load, kLoad) : weightAbove;
      if (reader.failed()) return reader.failure();
    }
  }

  const double coefficient = reader.Read(kCoefficient);
  result.friction = reader.Finite(coefficient * result.stress.value_or(0.0), kCoefficient);
  if (reader.failed()) return reader.failure();
  return result;
}

}  // namespace tavrelo
