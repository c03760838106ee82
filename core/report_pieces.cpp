#include "report_pieces.h"

#include <cstddef>

namespace tavrelo::report {
namespace {

constexpr std::string_view kBlanks[] = {" ", "\u3000"};  // ASCII and ideographic

}  // namespace

// (Appending keeps GCC 12's optimiser from a false -Wrestrict alarm that
// chains of operator+ raise.)
std::string Concat(std::initializer_list<std::string_view> pieces) {
  std::size_t size = 0;
  for (const std::string_view piece : pieces) size += piece.size();
  std::string text;
  text.reserve(size);
  for (const std::string_view piece : pieces) text.append(piece);
  return text;
}

std::string_view Entered(std::string_view text) {
  for (bool trimmed = true; trimmed;) {
    trimmed = false;
    for (const std::string_view blank : kBlanks) {
      if (text.starts_with(blank)) text.remove_prefix(blank.size());
      if (text.ends_with(blank)) text.remove_suffix(blank.size());
      trimmed = trimmed || text.starts_with(blank) || text.ends_with(blank);
    }
  }
  return text;
}

std::string Factor(std::string_view text) {
  const std::string_view entered = Entered(text);
  const bool negative = entered.starts_with("-") || entered.starts_with("－");
  return negative ? Concat({"(", entered, ")"}) : std::string(entered);
}

std::string LayerAsEntered(int i, const LayerInput& layer) {
  const std::string k = std::to_string(i);
  return Concat({"第", k, "层  γ", k, " = ", Entered(layer.unitWeightText), kUnitWeightUnit, "  h", k, " = ",
                 Entered(layer.thicknessText), kLengthUnit});
}

std::string Line(std::string_view label, std::string_view formula) { return Concat({label, "  ", formula, "\n"}); }

}  // namespace tavrelo::report
