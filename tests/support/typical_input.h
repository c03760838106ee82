#pragma once
// The typical use as the core's input, for the programs beside the tests
// (the benchmarks, the report printer): two layers (γ 18 and 19 kN/m³, h 2.0
// and 3.0 m), lowered groundwater, ξn 0.25; γ̄ = 18.6, z = 3.5, σi' = 65.1,
// qsi = 16.275. Header only: it needs nothing but the core.

#include "core/negative_friction.h"

namespace tavrelo::testing_support {

inline FrictionInput TypicalInput() {
  FrictionInput input;
  input.layerCountText = "2.0";
  input.layers[0] = {"18", "2.0"};
  input.layers[1] = {"19", "3.0"};
  input.causeText = "降低地下水";
  input.coefficientText = "0.25";
  return input;
}

}  // namespace tavrelo::testing_support
