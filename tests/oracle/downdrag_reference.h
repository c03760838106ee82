#pragma once
// The downdrag load of JGJ 94-2008 §5.4.4 worked out another way than
// core/downdrag_load.cpp does, for the tests and the fuzzers to hold it
// against: in long double, from numbers (reading the texts is not its
// business), with the self-weight stress as a function of depth,
//   σ'γ(z) = Σ γe·(the part of layer e above z),
// and each layer's share of the pile above the neutral point as the
// integral of ξni·(p + σ'γ(z)) over its part, by the trapezoid rule (exact:
// σ'γ is linear inside a layer). Σγi·li is σ'γ(t + ln) − σ'γ(t). Nothing of
// the product is used.

#include <optional>
#include <vector>

namespace tavrelo::oracle {

struct ReferenceLayer {
  long double unitWeight = 0.0L;              // γi, kN/m³
  long double thickness = 0.0L;               // hi, m
  long double coefficient = 0.0L;             // ξni
  std::optional<long double> sideResistance;  // qsik, kN/m²
};

struct ReferenceCase {
  std::vector<ReferenceLayer> layers;  // 1 … n from the ground surface
  long double surfaceLoad = 0.0L;      // p; 0 for lowered groundwater
  bool square = false;                 // a square pile of side `size`, else a round one
  long double size = 0.0L;             // d or b, m
  bool group = false;
  long double spacingX = 0.0L;      // sax, m
  long double spacingY = 0.0L;      // say, m
  long double pileTop = 0.0L;       // t, m below the ground surface
  long double neutralRatio = 0.0L;  // ln/l0
};

struct ReferenceLayerValues {
  long double length = 0.0L;    // li, m
  long double stress = 0.0L;    // σ'i at the middle of its part, kN/m²
  long double friction = 0.0L;  // qsi, after the cap
  bool capped = false;
};

struct ReferenceDowndrag {
  long double pileLength = 0.0L;    // l0
  long double neutralDepth = 0.0L;  // ln
  std::vector<ReferenceLayerValues> layers;
  long double perimeter = 0.0L;       // u
  long double area = 0.0L;            // A
  long double frictionSum = 0.0L;     // Σqsi·li
  long double meanFriction = 0.0L;    // qs, for a group with ln > 0
  long double meanUnitWeight = 0.0L;  // γm, for a group with ln > 0
  std::optional<long double> groupFactorFormula;
  long double groupFactor = 1.0L;  // ηn
  long double load = 0.0L;         // Qgn, kN
};

// For a case the product accepts (values in range, t above the bearing
// stratum, for a group some weight above the neutral point).
[[nodiscard]] ReferenceDowndrag ReferenceDowndragLoad(const ReferenceCase& c);

}  // namespace tavrelo::oracle
