#pragma once
// Reading the form's fields for a computation, one after another, keeping
// the first failure, so that the arithmetic reads like the engineering it
// does. For the core's own sources only.

#include <array>
#include <cstddef>
#include <functional>
#include <optional>
#include <string_view>

#include "core/negative_friction.h"

namespace tavrelo::fields {

constexpr FrictionField UnitWeight(int layer) { return {FieldKind::UnitWeight, layer}; }
constexpr FrictionField Thickness(int layer) { return {FieldKind::Thickness, layer}; }
inline constexpr FrictionField kLayerCount{FieldKind::LayerCount, 0};
inline constexpr FrictionField kLoad{FieldKind::Load, 0};
inline constexpr FrictionField kCoefficient{FieldKind::Coefficient, 0};

// The text of layer `layer` (1 … N) of a table of rows, through `text` for
// a row of several texts; empty for a layer outside the table.
template <typename Row, std::size_t N, typename Text = std::identity>
std::string_view LayerText(const std::array<Row, N>& rows, int layer, Text text = {}) {
  if (layer < 1 || layer > static_cast<int>(N)) return {};
  return std::invoke(text, rows[static_cast<std::size_t>(layer - 1)]);
}

// Reads one field after another and remembers the first failure; once one
// is remembered, reads give 0 and nothing more is blamed.
class Reader {
 public:
  explicit Reader(const FrictionInput& input) : input_(input) {}

  [[nodiscard]] bool failed() const noexcept { return failure_.has_value(); }
  [[nodiscard]] const FrictionFailure& failure() const { return *failure_; }

  // The value of `field`'s text. Layer 2's thickness goes straight into
  // single precision.
  double Read(FrictionField field);

  // Every intermediate value must stay finite; `field` is blamed otherwise.
  double Finite(double value, FrictionField field);

  void Fail(FrictionField field, FailureReason reason);

 private:
  const FrictionInput& input_;
  std::optional<FrictionFailure> failure_;
};

}  // namespace tavrelo::fields
