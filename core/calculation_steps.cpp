#include "core/calculation_steps.h"

#include <cstddef>
#include <string_view>

#include "core/result_text.h"

namespace tavrelo {
namespace {

constexpr std::string_view kUnitWeightUnit = " kN/m³";
constexpr std::string_view kLengthUnit = " m";
constexpr std::string_view kStressUnit = " kN/m²";

constexpr std::string_view kBlanks[] = {" ", "\u3000"};  // ASCII and ideographic

// A field's text without the blanks a user may have typed around it.
std::string_view Entered(std::string_view text) {
  const auto dropFront = [&text] {
    for (const std::string_view blank : kBlanks) {
      if (text.starts_with(blank)) {
        text.remove_prefix(blank.size());
        return true;
      }
    }
    return false;
  };
  const auto dropBack = [&text] {
    for (const std::string_view blank : kBlanks) {
      if (text.ends_with(blank)) {
        text.remove_suffix(blank.size());
        return true;
      }
    }
    return false;
  };
  while (dropFront()) {
  }
  while (dropBack()) {
  }
  return text;
}

// As a factor of a product: "-2.0" becomes "(-2.0)".
std::string Factor(std::string_view text) {
  const std::string_view entered = Entered(text);
  const bool negative = entered.starts_with("-") || entered.starts_with("－");
  return negative ? "(" + std::string(entered) + ")" : std::string(entered);
}

// A computed value as a factor: "-32.00" becomes "(-32.00)".
std::string Bracketed(std::string value) { return value.starts_with("-") ? "(" + value + ")" : value; }

std::string Index(int i) { return std::to_string(i); }

std::string Line(std::string_view label, std::string_view formula) {
  return std::string(label) + "  " + std::string(formula) + "\n";
}

}  // namespace

std::string ComposeCalculationSteps(const FrictionInput& input, const FrictionResult& result) {
  const CauseKind cause = ClassifyCause(input.causeText);
  std::string steps = "桩侧负摩阻力计算（" + input.causeText + "）\n";
  steps += "持力层以上土层数 n = " + std::string(Entered(input.layerCountText)) + "\n";

  const std::string stressText = result.stress ? FormatFixed(*result.stress, 2) : "0";
  if (result.layerCount) {
    const int n = *result.layerCount;
    for (int i = 1; i <= n; ++i) {
      const LayerInput& layer = input.layers[static_cast<std::size_t>(i - 1)];
      steps += "第" + Index(i) + "层  γ" + Index(i) + " = " + std::string(Entered(layer.unitWeightText)) +
               std::string(kUnitWeightUnit) + "  h" + Index(i) + " = " + std::string(Entered(layer.thicknessText)) +
               std::string(kLengthUnit) + "\n";
    }
    const auto thickness = [&](int i) { return Factor(input.layers[static_cast<std::size_t>(i - 1)].thicknessText); };
    if (result.meanUnitWeight) {
      std::string formula = "γ̄ = ";
      if (n == 1) {
        formula += "γ1";
      } else {
        std::string products;
        std::string sums;
        for (int i = 1; i <= n; ++i) {
          const std::string separator = i == 1 ? "" : " + ";
          products += separator + Factor(input.layers[static_cast<std::size_t>(i - 1)].unitWeightText) + "×" +
                      thickness(i);
          sums += separator + thickness(i);
        }
        formula += "Σγi·hi / Σhi = (" + products + ") / (" + sums + ")";
      }
      steps += Line("平均重度", formula + " = " + FormatFixed(*result.meanUnitWeight, 2) + std::string(kUnitWeightUnit));
    }
    if (result.midDepth) {
      std::string symbols;
      std::string numbers;
      for (int i = 1; i < n; ++i) {
        symbols += "h" + Index(i) + " + ";
        numbers += thickness(i) + " + ";
      }
      symbols += "h" + Index(n) + "/2";
      numbers += thickness(n) + "/2";
      steps += Line("第" + Index(n) + "层中点深度", "z = " + symbols + " = " + numbers + " = " +
                                                    FormatFixed(*result.midDepth, 2) + std::string(kLengthUnit));
    }
    if (result.stress && result.meanUnitWeight && result.midDepth) {
      const std::string product =
          Bracketed(FormatFixed(*result.meanUnitWeight, 2)) + " × " + Bracketed(FormatFixed(*result.midDepth, 2));
      if (cause == CauseKind::SurfaceSurcharge) {
        steps += Line("地面满布荷载", "p = " + std::string(Entered(input.loadText)) + std::string(kStressUnit));
        steps += Line("平均竖向有效应力", "σi' = γ̄·z + p = " + product + " + " + Factor(input.loadText) + " = " +
                                              stressText + std::string(kStressUnit));
      } else {
        steps += Line("平均竖向有效应力", "σi' = γ̄·z = " + product + " = " + stressText + std::string(kStressUnit));
      }
    }
  }
  steps += Line("负摩阻力标准值", "qsi = ξn·σi' = " + Factor(input.coefficientText) + " × " + Bracketed(stressText) + " = " +
                                      FormatFixed(result.friction, 1) + std::string(kStressUnit));
  return steps;
}

}  // namespace tavrelo
