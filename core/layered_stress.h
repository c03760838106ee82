#pragma once
// The effective vertical stress summed layer by layer, as JGJ 94-2008
// §5.4.4 has it (formula 5.4.4-4), beside the window's mean unit weight
// method (negative_friction.h). For each layer i = 1 … n:
//   self-weight stress  σ'γi = Σ(e = 1 … i−1) γe·Δze + γi·Δzi/2   (kN/m²)
//   effective stress    σ'i  = σ'γi for lowered groundwater,
//                       σ'i  = p + σ'γi under a surface load
// and for layer n alone
//   friction            qsi  = ξn·σ'n                             (kN/m²)
// where Δzi is the thickness hi. Each upper layer has its own ξni, which the
// form does not hold, so its friction is not worked out.
//
// The two methods agree for one layer or equal unit weights. For two layers
// the window's σi' = γ̄·z exceeds σ'γ2 by h1·h2·(γ2 − γ1)/[2(h1 + h2)]: with
// unit weights rising with depth the window reads high, falling it reads low.
//
// The texts are read as ComputeNegativeFriction reads them, layer 2's
// thickness in single precision ("2.3" becomes 2.299999952316284). The sum
// runs from layer 1 downward in double precision: the running sum of γe·he
// over the layers above, then + γi·hi/2.

#include <array>
#include <optional>
#include <variant>

#include "core/negative_friction.h"

namespace tavrelo {

// One layer's values.
struct LayerStress {
  double unitWeight = 0.0;        // γi, kN/m³
  double thickness = 0.0;         // hi, m
  double selfWeightStress = 0.0;  // σ'γi, kN/m²
  double stress = 0.0;            // σ'i, kN/m²
};

struct LayeredStress {
  int layerCount = 1;                                // n, 1 to 5
  CauseKind cause = CauseKind::GroundwaterLowering;  // never Other
  std::array<LayerStress, 5> layers{};               // layers 1 to n; the rest stay zero
  std::optional<double> load;                        // p, set only under a surface load
  double coefficient = 0.0;                          // ξn
  double friction = 0.0;                             // qsi of layer n = ξn·σ'n
};

// A result, a failure, or neither where the layered calculation does not
// apply: a layer count other than 1 to 5, or a cause that is neither of the
// two (the window then has no stress either).
class LayeredOutcome {
 public:
  LayeredOutcome() = default;                                          // does not apply
  LayeredOutcome(const LayeredStress& result) : value_(result) {}      // NOLINT: implicit by design
  LayeredOutcome(const FrictionFailure& failure) : value_(failure) {}  // NOLINT: implicit by design

  [[nodiscard]] bool applies() const noexcept { return value_.index() != 0; }
  [[nodiscard]] bool ok() const noexcept { return value_.index() == 1; }
  // Call only when ok().
  [[nodiscard]] const LayeredStress& result() const { return std::get<LayeredStress>(value_); }
  // Call only when applies() && !ok().
  [[nodiscard]] const FrictionFailure& failure() const { return std::get<FrictionFailure>(value_); }

 private:
  std::variant<std::monostate, LayeredStress, FrictionFailure> value_;
};

// Pure and total: never throws. Reads the layer count, then γi and hi for
// i = 1 … n, then p (under a surface load only), then ξn, and fails as
// ComputeNegativeFriction does: on the first text that is empty, not a
// number or out of range, blaming its field; on the first value that is not
// finite, blaming the field whose value entered that step (γi for the
// layer's weight and the sums through it, p for p + σ'γi, ξn for qsi). A
// layer count that cannot be read fails before the cause is looked at. There
// is no division, so zero thicknesses are no failure.
[[nodiscard]] LayeredOutcome ComputeLayeredStress(const FrictionInput& input);

}  // namespace tavrelo
