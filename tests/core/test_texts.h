#pragma once
// The texts the core's tests put in and read out: the fields of the form
// as they fill them in, and a composed text line by line.

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
