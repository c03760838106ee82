#pragma once
// The downdrag load on a pile from negative skin friction, JGJ 94-2008
// §5.4.4, over the layers of the main window (γi, hi of layers 1 … n, from
// the ground surface down to the bearing stratum):
//   pile length in the settling soil  l0 = h1 + … + hn − t              (m)
//   neutral depth from the pile top   ln = (ln/l0)·l0                   (m)
//   layer i, top ti = h1 + … + h(i−1), a = max(ti, t):
//     its part above the neutral point li  = max(0, min(ti + hi, t + ln) − a)
//     self-weight stress at its middle σ'γi = Σ(e < i) γe·he + γi·(a − ti + li/2)   (5.4.4-4)
//     effective stress                 σ'i  = σ'γi, or p + σ'γi under a surface load
//     negative friction                qsi  = ξni·σ'i, at most qsik where given      (5.4.4-1)
//   group factor  ηn = sax·say / (u·qs/γm + A), at most 1                           (5.4.4-3)
//                 qs = Σqsi·li / ln, γm = Σγi·li / ln; 1 for a single pile or ln = 0
//   downdrag load Qgn = ηn·u·Σqsi·li                                     (kN, 5.4.4-2)
// with u = π·d, A = π·d²/4 for a round pile of diameter d and u = 4b, A = b²
// for a square one of side b (5.4.4-3 is written for round piles; a square
// pile reads it with its own u and A). Only the layers with li > 0 enter, and
// only theirs of ξni and qsik are read.
//
// The typical use, 18/19 kN/m³ over 2.0/3.0 m under lowered groundwater,
// ξn1 = 0.30, ξn2 = 0.25, ln/l0 = 0.9, a single round pile of d = 0.6 m with
// its top at the ground: l0 = 5.00 m, ln = 4.50 m, l1 = 2.00 m, l2 = 2.50 m,
// σ'1 = 18.00, σ'2 = 36 + 19×1.25 = 59.75 kN/m², qs1 = 5.40, qs2 = 14.94 kN/m²,
// Qgn = π×0.6×(5.40×2.00 + 14.9375×2.50) = 90.7 kN. In a group at
// sax = say = 1.0 m: qs = 10.70 kN/m², γm = 18.56 kN/m³, ηn = 0.730, 66.3 kN.
//
// The texts are read as ComputeNegativeFriction reads them (number_text.h):
// double precision, except layer 2's thickness, held in single precision
// ("2.3" becomes 2.299999952316284). Sums run from layer 1 downward.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "core/negative_friction.h"
#include "core/outcome.h"

namespace tavrelo {

// --- Inputs -------------------------------------------------------------------

enum class PileShape { Round, Square };

// Everything the calculation reads: the main window's press, and the fields
// of the downdrag load.
struct DowndragInput {
  FrictionInput friction;                          // n, γi, hi, the cause and p; its ξn is not read
  std::array<std::string, 5> coefficientTexts;     // ξni, layer 1 first
  std::array<std::string, 5> sideResistanceTexts;  // qsik, kN/m²; blank = no cap
  std::string neutralRatioText;                    // ln/l0
  PileShape shape = PileShape::Round;
  std::string sizeText;          // d (round) or b (square), m
  std::string spacingXText;      // sax, m: both blank = a single pile,
  std::string spacingYText;      // say, m  both given = a group
  std::string pileTopDepthText;  // t below the ground surface, m; blank = 0
};

// --- Results ------------------------------------------------------------------

// One layer of the profile. The values of its part above the neutral point
// are set only when it enters (li > 0); ξni and qsik are read only then.
struct DowndragLayer {
  double unitWeight = 0.0;               // γi, kN/m³
  double thickness = 0.0;                // hi, m
  double top = 0.0;                      // ti, m below the ground surface
  bool enters = false;                   // li > 0
  double length = 0.0;                   // li, m
  double selfWeightStress = 0.0;         // σ'γi, kN/m²
  double stress = 0.0;                   // σ'i, kN/m²
  double coefficient = 0.0;              // ξni
  std::optional<double> sideResistance;  // qsik, kN/m², when given
  double friction = 0.0;                 // qsi, kN/m², after the cap
  bool capped = false;                   // ξni·σ'i > qsik, so qsi = qsik
};

struct DowndragResult {
  int layerCount = 1;                                // n, 1 to 5
  CauseKind cause = CauseKind::GroundwaterLowering;  // never Other
  std::optional<double> surfaceLoad;                 // p, kN/m², under a surface load only
  std::array<DowndragLayer, 5> layers{};             // layers 1 to n; the rest stay zero
  PileShape shape = PileShape::Round;
  double size = 0.0;            // d or b, m
  bool group = false;           // sax and say given
  double spacingX = 0.0;        // sax, m, for a group
  double spacingY = 0.0;        // say, m, for a group
  double pileTopDepth = 0.0;    // t, m
  double neutralRatio = 0.0;    // ln/l0
  double pileLength = 0.0;      // l0, m
  double neutralDepth = 0.0;    // ln, m, from the pile top
  double perimeter = 0.0;       // u, m
  double area = 0.0;            // A, m²
  double frictionSum = 0.0;     // Σqsi·li, kN/m
  double meanFriction = 0.0;    // qs, kN/m²; 0 when ln = 0
  double meanUnitWeight = 0.0;  // γm, kN/m³; 0 when ln = 0
  // ηn as formula 5.4.4-3 gives it, before the cap at 1 (2.37 at
  // sax = say = 1.8 m in the typical use); set for a group with ln > 0.
  std::optional<double> groupFactorFormula;
  double groupFactor = 1.0;  // ηn
  double load = 0.0;         // Qgn, kN
};

// --- Failures -----------------------------------------------------------------

// A field of the downdrag load, or the main window's cause, for which
// FrictionField has no kind. `layer` is 1 to 5 for ξni and qsik, 0 for the
// others.
enum class DowndragFieldKind {
  Cause,           // the main window's cause of negative friction
  Coefficient,     // ξni
  SideResistance,  // qsik
  NeutralRatio,    // ln/l0
  Size,            // d or b
  SpacingX,        // sax
  SpacingY,        // say
  PileTopDepth,    // t
};

struct DowndragField {
  DowndragFieldKind kind = DowndragFieldKind::NeutralRatio;
  int layer = 0;

  friend bool operator==(const DowndragField&, const DowndragField&) = default;
};

// The field a refusal blames: one of the main window's (n, γi, hi, p) or one
// of the downdrag load's.
using DowndragBlame = std::variant<FrictionField, DowndragField>;

enum class DowndragReason {
  Empty,                      // blank where a value is required
  NotANumber,                 // not a number (number_text.h)
  OutOfRange,                 // beyond the range of its type ("1e400")
  Negative,                   // below 0: γi, hi, p, t, ln/l0, ξni, qsik
  AboveOne,                   // above 1: ln/l0, ξni
  NotPositive,                // zero or below: d or b, sax, say
  WithoutTheOtherSpacing,     // blank while the other spacing is given
  NotAboveBearingStratum,     // t ≥ h1 + … + hn
  NoWeightAboveNeutralPoint,  // a group whose γm is 0
  Overflow,                   // a value of a step is not finite
  Underflow,                  // ηn too small for a double: it would read 0
  LayerCountNotOneToFive,     // n is a number other than 1 to 5
  UnknownCause,               // neither "降低地下水" nor "地面有满布荷载"
};

// Why the load could not be worked out, and the field to put right.
//
// The fields are read in this order, and the first refusal wins:
//   1. n: a number, 1 to 5;
//   2. for i = 1 … n: γi, then hi, each a number ≥ 0 (an overflow of the
//      thickness sum through hi blames hi);
//   3. the cause: one of the two;
//   4. p, under a surface load only: a number ≥ 0;
//   5. d or b: a number > 0;
//   6. sax, then say: each blank or a number > 0; then one given without
//      the other blames the blank one;
//   7. t: blank (0) or a number ≥ 0, and above the bearing stratum;
//   8. ln/l0: a number from 0 to 1;
//   9. for each layer that enters, from the top: ξni (a number from 0 to 1),
//      then qsik (blank or a number ≥ 0);
//  10. the arithmetic, from layer 1 down.
// An overflow blames the field whose value entered the step: γi for its
// layer's weights and the sums through them, p for p + σ'γi, ξni for
// qsi·li (qsik where it capped qsi), t for the depth t + ln, d or b for u, A,
// the group factor's denominator and Qgn, ln/l0 for qs and γm, say for
// sax·say, and γi of the top entering layer for qs/γm. A group whose γm is 0
// blames γi of the top entering layer (ln/l0 where, by rounding, none enters).
// A group factor ηn that would come out 0 in a double (an underflow) blames
// say where sax·say underflows, d or b where the quotient does.
using DowndragFailure = Failure<DowndragBlame, DowndragReason>;

// Either a result or a failure.
using DowndragOutcome = Outcome<DowndragResult, DowndragFailure>;

// --- The calculation ----------------------------------------------------------

// Pure and total: never throws. Reads the fields in the order above, each
// only where it is needed: rows below layer n, ξni and qsik of layers that
// do not enter, the main window's ξn and p under lowered groundwater may
// hold anything.
[[nodiscard]] DowndragOutcome ComputeDowndragLoad(const DowndragInput& input);

// The text of a downdrag field in `input` (the cause's for Cause).
[[nodiscard]] std::string_view FieldText(const DowndragInput& input, DowndragField field) noexcept;

}  // namespace tavrelo
