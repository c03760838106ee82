#pragma once
// Pieces of the plain-text reports the program composes (the calculation
// steps, the layered calculation, the downdrag load): the units, a field's
// text as entered, a factor in brackets, one labelled line. For the core's
// own sources only.

#include <initializer_list>
#include <string>
#include <string_view>

#include "core/negative_friction.h"

namespace tavrelo::report {

inline constexpr std::string_view kUnitWeightUnit = " kN/m³";
inline constexpr std::string_view kLengthUnit = " m";
inline constexpr std::string_view kStressUnit = " kN/m²";
inline constexpr std::string_view kAreaUnit = " m²";
inline constexpr std::string_view kForcePerLengthUnit = " kN/m";
inline constexpr std::string_view kForceUnit = " kN";

// The pieces one after another.
[[nodiscard]] std::string Concat(std::initializer_list<std::string_view> pieces);

// A field's text without the blanks a user may have typed around it (ASCII
// and ideographic spaces).
[[nodiscard]] std::string_view Entered(std::string_view text);

// As a factor of a product: "-2.0" becomes "(-2.0)", for a text as entered
// and for a computed value alike.
[[nodiscard]] std::string Factor(std::string_view text);

// Layer i as entered: "第2层  γ2 = 19 kN/m³  h2 = 3.0 m", without a line end.
[[nodiscard]] std::string LayerAsEntered(int i, const LayerInput& layer);

// "label  formula\n".
[[nodiscard]] std::string Line(std::string_view label, std::string_view formula);

}  // namespace tavrelo::report
