#pragma once
// The texts the core's tests put in and read out: the fields of the form
// as they fill them in, a composed text line by line, and the rows of a
// table of refusals. A test takes them all by `using namespace
// testing_support;`.

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "core/negative_friction.h"

namespace tavrelo::testing_support {

inline constexpr const char* kGroundwater = "降低地下水";
inline constexpr const char* kSurcharge = "地面有满布荷载";

// The input for n as `count`, layers 1 … as {unit weight, thickness}, the
// cause, ξn and p, all as texts.
inline FrictionInput Input(std::string count, std::vector<LayerInput> layers, std::string cause,
                           std::string coefficient, std::string load = "") {
  FrictionInput input;
  input.layerCountText = std::move(count);
  for (std::size_t i = 0; i < layers.size() && i < input.layers.size(); ++i) input.layers[i] = std::move(layers[i]);
  input.causeText = std::move(cause);
  input.coefficientText = std::move(coefficient);
  input.loadText = std::move(load);
  return input;
}

// The fields a refusal blames, as FieldText names them.
inline constexpr FrictionField kLayerCount{FieldKind::LayerCount, 0};
inline constexpr FrictionField kLoad{FieldKind::Load, 0};
inline constexpr FrictionField kCoefficient{FieldKind::Coefficient, 0};
constexpr FrictionField UnitWeight(int layer) { return {FieldKind::UnitWeight, layer}; }
constexpr FrictionField Thickness(int layer) { return {FieldKind::Thickness, layer}; }

// A row of a table of refusals: the texts, and the field and the reason the
// refusal names.
struct FailureCase {
  const char* name;
  FrictionInput input;
  FrictionFailure expected;
};

inline FailureCase Fails(const char* name, FrictionInput input, FrictionField field, FailureReason reason) {
  return {name, std::move(input), {field, reason}};
}

class Failures : public ::testing::TestWithParam<FailureCase> {};

// A row's name in the test's name: INSTANTIATE_TEST_SUITE_P(…, RowName).
inline constexpr auto RowName = [](const auto& row) { return std::string(row.param.name); };

// The lines of a text whose every line ends with "\n", the last one too.
inline std::vector<std::string> LinesOf(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end = text.find('\n'); end != std::string::npos; end = text.find('\n', start)) {
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  EXPECT_EQ(start, text.size()) << "every line ends with a line feed";
  return lines;
}

}  // namespace tavrelo::testing_support
