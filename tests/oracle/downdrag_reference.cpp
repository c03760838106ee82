#include "tests/oracle/downdrag_reference.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace tavrelo::oracle {
namespace {

constexpr long double kPi = 3.141592653589793238462643383279502884L;

// σ'γ at depth z below the ground surface: every layer's weight down to z.
long double SelfWeightStressAt(const std::vector<ReferenceLayer>& layers, long double z) {
  long double stress = 0.0L;
  long double top = 0.0L;
  for (const ReferenceLayer& layer : layers) {
    const long double above = std::clamp(z - top, 0.0L, layer.thickness);
    stress += layer.unitWeight * above;
    top += layer.thickness;
  }
  return stress;
}

}  // namespace

ReferenceDowndrag ReferenceDowndragLoad(const ReferenceCase& c) {
  ReferenceDowndrag r;
  long double bearing = 0.0L;
  for (const ReferenceLayer& layer : c.layers) bearing += layer.thickness;
  r.pileLength = bearing - c.pileTop;
  r.neutralDepth = c.neutralRatio * r.pileLength;
  const long double upper = c.pileTop;
  const long double lower = c.pileTop + r.neutralDepth;  // the neutral point

  long double top = 0.0L;
  for (const ReferenceLayer& layer : c.layers) {
    ReferenceLayerValues values;
    // The layer [top, top + h] cut to the pile's part [upper, lower].
    const long double from = top > upper ? top : upper;
    const long double to = top + layer.thickness < lower ? top + layer.thickness : lower;
    if (to > from) {
      values.length = to - from;
      const long double integral =
          values.length * (SelfWeightStressAt(c.layers, from) + SelfWeightStressAt(c.layers, to)) / 2.0L;
      values.stress = c.surfaceLoad + integral / values.length;
      values.friction = layer.coefficient * values.stress;
      if (layer.sideResistance && values.friction > *layer.sideResistance) {
        values.friction = *layer.sideResistance;
        values.capped = true;
      }
      r.frictionSum += values.friction * values.length;
    }
    r.layers.push_back(values);
    top += layer.thickness;
  }

  r.perimeter = c.square ? 4.0L * c.size : kPi * c.size;
  r.area = c.square ? c.size * c.size : kPi * c.size * c.size / 4.0L;
  if (c.group && r.neutralDepth > 0.0L) {
    const long double weight = SelfWeightStressAt(c.layers, lower) - SelfWeightStressAt(c.layers, upper);
    r.meanFriction = r.frictionSum / r.neutralDepth;
    r.meanUnitWeight = weight / r.neutralDepth;
    // 5.4.4-3 for a round pile is π·d·(qs/γm + d/4); a square one has 4b and b².
    const long double denominator = c.square ? 4.0L * c.size * r.meanFriction / r.meanUnitWeight + c.size * c.size
                                             : kPi * c.size * (r.meanFriction / r.meanUnitWeight + c.size / 4.0L);
    r.groupFactorFormula = c.spacingX * c.spacingY / denominator;
    r.groupFactor = std::min(1.0L, *r.groupFactorFormula);
  }
  r.load = r.groupFactor * r.perimeter * r.frictionSum;
  return r;
}

}  // namespace tavrelo::oracle
