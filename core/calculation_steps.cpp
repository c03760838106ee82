#include "core/calculation_steps.h"

#include <cstddef>
#include <string_view>

#include "core/result_text.h"
#include "report_pieces.h"

namespace tavrelo {
namespace {

using report::Concat;
using report::Entered;
using report::Factor;
using report::kLengthUnit;
using report::kStressUnit;
using report::kUnitWeightUnit;
using report::LayerAsEntered;
using report::Line;

// The steps of one computation that the result holds values for.
class StepWriter {
 public:
  StepWriter(const FrictionInput& input, const FrictionResult& result, const LayeredOutcome& layered)
      : input_(input), result_(result), layered_(layered) {}

  std::string Write() {
    steps_ = Concat({"桩侧负摩阻力计算（", input_.causeText, "）\n"});
    steps_.append(Concat({"持力层以上土层数 n = ", Entered(input_.layerCountText), "\n"}));
    if (result_.layerCount) {
      const int n = *result_.layerCount;
      for (int i = 1; i <= n; ++i) Layer(i);
      if (result_.meanUnitWeight) MeanUnitWeight(n);
      if (result_.midDepth) MidDepth(n);
      if (result_.stress && result_.meanUnitWeight && result_.midDepth) Stress();
    }
    steps_.append(
        Line("负摩阻力标准值", Concat({"qsi = ξn·σi' = ", Factor(input_.coefficientText), " × ", Factor(StressShown()),
                                       " = ", FormatFixed(result_.friction, 1), kStressUnit})));
    Layered();
    return steps_;
  }

 private:
  const LayerInput& LayerOf(int i) const { return input_.layers[static_cast<std::size_t>(i - 1)]; }
  std::string StressShown() const { return result_.stress ? FormatFixed(*result_.stress, 2) : "0"; }

  void Layer(int i) { steps_.append(Concat({LayerAsEntered(i, LayerOf(i)), "\n"})); }

  void MeanUnitWeight(int n) {
    std::string formula = "γ̄ = γ1";
    if (n > 1) {
      std::string products;
      std::string sums;
      for (int i = 1; i <= n; ++i) {
        const std::string_view separator = i == 1 ? "" : " + ";
        products.append(Concat({separator, Factor(LayerOf(i).unitWeightText), "×", Factor(LayerOf(i).thicknessText)}));
        sums.append(Concat({separator, Factor(LayerOf(i).thicknessText)}));
      }
      formula = Concat({"γ̄ = Σγi·hi / Σhi = (", products, ") / (", sums, ")"});
    }
    steps_.append(Line("平均重度", Concat({formula, " = ", FormatFixed(*result_.meanUnitWeight, 2), kUnitWeightUnit})));
  }

  void MidDepth(int n) {
    std::string symbols;
    std::string numbers;
    for (int i = 1; i < n; ++i) {
      symbols.append(Concat({"h", std::to_string(i), " + "}));
      numbers.append(Concat({Factor(LayerOf(i).thicknessText), " + "}));
    }
    symbols.append(Concat({"h", std::to_string(n), "/2"}));
    numbers.append(Concat({Factor(LayerOf(n).thicknessText), "/2"}));
    steps_.append(
        Line(Concat({"第", std::to_string(n), "层中点深度"}),
             Concat({"z = ", symbols, " = ", numbers, " = ", FormatFixed(*result_.midDepth, 2), kLengthUnit})));
  }

  void Stress() {
    const std::string product =
        Concat({Factor(FormatFixed(*result_.meanUnitWeight, 2)), " × ", Factor(FormatFixed(*result_.midDepth, 2))});
    if (ClassifyCause(input_.causeText) == CauseKind::SurfaceSurcharge) {
      steps_.append(Line("地面满布荷载", Concat({"p = ", Entered(input_.loadText), kStressUnit})));
      steps_.append(Line("平均竖向有效应力", Concat({"σi' = γ̄·z + p = ", product, " + ", Factor(input_.loadText), " = ",
                                                     StressShown(), kStressUnit})));
    } else {
      steps_.append(Line("平均竖向有效应力", Concat({"σi' = γ̄·z = ", product, " = ", StressShown(), kStressUnit})));
    }
  }

  // The code's layer-by-layer sum gives another σi' than the window's γ̄·z,
  // so a report pasted from the steps shows it as well. Where the window
  // computed, the sum can fail only by an overflow (γ1·h1 before halving,
  // p + σ'γi of an upper layer, ξn·σ'n).
  void Layered() {
    const LayeredOutcome& layered = layered_;
    if (!layered.applies()) return;
    std::string value;
    if (layered.ok()) {
      const LayeredStress& r = layered.result();
      const LayerStress& last = r.layers[static_cast<std::size_t>(r.layerCount - 1)];
      value = Concat({"第", std::to_string(r.layerCount), "层 σi' = ", FormatFixed(last.stress, 2), kStressUnit,
                      "  qsi = ", FormatFixed(r.friction, 1), kStressUnit});
    } else {
      value = layered.failure().reason == FailureReason::Overflow ? "数值溢出，未能算出" : "未能算出";
    }
    steps_.append(Line("分层总和法（JGJ 94-2008 式5.4.4-4）", value));
  }

  const FrictionInput& input_;
  const FrictionResult& result_;
  const LayeredOutcome& layered_;
  std::string steps_;
};

}  // namespace

std::string ComposeCalculationSteps(const FrictionInput& input, const FrictionResult& result,
                                    const LayeredOutcome& layered) {
  return StepWriter(input, result, layered).Write();
}

}  // namespace tavrelo
