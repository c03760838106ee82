#pragma once
// Negative skin friction on a pile for the lowest of up to five soil layers.
//
// From the texts of the form's fields it works out, for layer n (the last
// layer above the bearing stratum):
//   mean unit weight  γ̄  = Σγi·hi / Σhi over layers 1..n          (kN/m³)
//   mid-depth         z   = h1 + … + h(n−1) + hn/2                 (m)
//   effective stress  σi' = γ̄·z, or γ̄·z + p under a surface load  (kN/m²)
//   friction          qsi = ξn·σi'                                 (kN/m²)
// Sums run from layer 1 downward in exactly that order, in double precision,
// except that layer 2's thickness is held in single precision: "2.3" becomes
// 2.299999952316284 and every later step uses that value.

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "core/number_text.h"
#include "core/outcome.h"

namespace tavrelo {

// --- Inputs ---------------------------------------------------------------

// The cause of negative friction, told from the cause text by exact,
// whole-text comparison: no trimming, no case or width folding.
enum class CauseKind {
  GroundwaterLowering,  // "降低地下水"
  SurfaceSurcharge,     // "地面有满布荷载"
  Other,                // anything else, the empty text included
};

[[nodiscard]] CauseKind ClassifyCause(std::string_view causeText) noexcept;

// One soil layer as entered.
struct LayerInput {
  std::string unitWeightText;  // γi, kN/m³
  std::string thicknessText;   // hi, m
};

// Everything the computation reads, as entered in the form.
struct FrictionInput {
  std::string layerCountText;        // n, "1.0" to "5.0" from the list
  std::array<LayerInput, 5> layers;  // layer 1 (at the ground surface) first
  std::string causeText;
  std::string coefficientText;  // ξn
  std::string loadText;         // p, kN/m², read only under a surface load
};

// --- Results --------------------------------------------------------------

struct FrictionResult {
  std::optional<int> layerCount;         // unset when the count is not 1 to 5
  std::optional<double> meanUnitWeight;  // γ̄
  std::optional<double> midDepth;        // z
  std::optional<double> stress;          // σi', unset for the cause Other
  double friction = 0.0;                 // qsi; 0 when σi' is unset
};

// A field of FrictionInput. `layer` is 1 to 5 for the unit weight and the
// thickness, 0 for the others.
enum class FieldKind { LayerCount, UnitWeight, Thickness, Load, Coefficient };

struct FrictionField {
  FieldKind kind = FieldKind::LayerCount;
  int layer = 0;

  friend bool operator==(const FrictionField&, const FrictionField&) = default;
};

// Why a computation could not be carried out, and the field it blames: the
// field whose text is not a number, layer 1's thickness for a zero thickness
// sum, or for an overflow the field whose value entered the step that
// overflowed.
using FrictionFailure = Failure<FrictionField, FailureReason>;

// Either a result or a failure.
using FrictionOutcome = Outcome<FrictionResult, FrictionFailure>;

// --- The computation ------------------------------------------------------

// Pure and total: never throws. Reads only the texts it needs, each at the
// moment its value is first needed, so a bad text in an unused field (rows
// below layer n, the load for the groundwater cause) does no harm.
[[nodiscard]] FrictionOutcome ComputeNegativeFriction(const FrictionInput& input);

// The text of `field` in `input`.
[[nodiscard]] std::string_view FieldText(const FrictionInput& input, FrictionField field) noexcept;

}  // namespace tavrelo
