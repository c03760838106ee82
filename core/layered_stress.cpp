#include "core/layered_stress.h"

#include <cstddef>

#include "field_reader.h"

namespace tavrelo {

LayeredOutcome ComputeLayeredStress(const FrictionInput& input) {
  fields::Reader reader(input);
  const double countValue = reader.Read(fields::kLayerCount);
  if (reader.failed()) return reader.failure();
  const std::optional<int> count = LayerCountFromValue(countValue);
  const CauseKind cause = ClassifyCause(input.causeText);
  if (!count || cause == CauseKind::Other) return {};

  LayeredStress result;
  result.layerCount = *count;
  result.cause = cause;
  const int n = *count;
  double weightAbove = 0.0;  // Σγe·he over the layers above layer i
  for (int i = 1; i <= n; ++i) {
    LayerStress& layer = result.layers[static_cast<std::size_t>(i - 1)];
    layer.unitWeight = reader.Read(fields::UnitWeight(i));
    layer.thickness = reader.Read(fields::Thickness(i));
    const double weight = reader.Finite(layer.unitWeight * layer.thickness, fields::UnitWeight(i));
    layer.selfWeightStress = reader.Finite(weightAbove + weight / 2.0, fields::UnitWeight(i));
    // Below the last layer nothing needs the sum.
    if (i < n) weightAbove = reader.Finite(weightAbove + weight, fields::UnitWeight(i));
    if (reader.failed()) return reader.failure();
  }

  if (cause == CauseKind::SurfaceSurcharge) {
    result.load = reader.Read(fields::kLoad);
    if (reader.failed()) return reader.failure();
  }
  for (int i = 1; i <= n; ++i) {
    LayerStress& layer = result.layers[static_cast<std::size_t>(i - 1)];
    layer.stress =
        result.load ? reader.Finite(*result.load + layer.selfWeightStress, fields::kLoad) : layer.selfWeightStress;
  }
  if (reader.failed()) return reader.failure();

  result.coefficient = reader.Read(fields::kCoefficient);
  const double lastStress = result.layers[static_cast<std::size_t>(n - 1)].stress;
  result.friction = reader.Finite(result.coefficient * lastStress, fields::kCoefficient);
  if (reader.failed()) return reader.failure();
  return result;
}

}  // namespace tavrelo
