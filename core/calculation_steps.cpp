#include "core/calculation_steps.h"

#include <cstddef>
#include <string_view>
#include <utility>

#include "core/report_pieces.h"
#include "core/result_text.h"

namespace tavrelo {
namespace {

using report::Concat;
using report::Entered;
using report::Factor;
using report::kLengthUnit;
using report::kStressUnit;
using report::kUnitWeightUnit;
using report::Line;
using report::Phrase;

// The steps of one computation that the result holds values for.
class StepWriter {
 public:
  StepWriter(const FrictionInput& input, const FrictionResult& result, const LayeredOutcome& layered,
             const std::array<std::string, 5>& soilNames)
      : input_(input), result_(result), layered_(layered), soilNames_(soilNames) {}

  Report Write() {
    report_.heading = Phrase("桩侧负摩阻力计算（").Field(input_.causeText).Say("）").runs();
    Add(Paragraph{Phrase("持力层以上土层数 n = ").Field(Entered(input_.layerCountText)).runs()});
    if (result_.layerCount) {
      const int n = *result_.layerCount;
      Layers(n);
      if (result_.meanUnitWeight) MeanUnitWeight(n);
      if (result_.midDepth) MidDepth(n);
      if (result_.stress && result_.meanUnitWeight && result_.midDepth) Stress();
    }
    Add(Line("负摩阻力标准值", Phrase("q_{si} = ξ_{n}·σ_{i}' = ")
                                   .Field(Factor(input_.coefficientText))
                                   .Say(" × ")
                                   .Number(Factor(StressShown()))
                                   .Say(" = ")
                                   .Bold(Phrase().Number(FormatFixed(result_.friction, 1)).Unit(kStressUnit))));
    Layered();
    return std::move(report_);
  }

 private:
  const LayerInput& LayerOf(int i) const { return input_.layers[static_cast<std::size_t>(i - 1)]; }
  std::string StressShown() const { return result_.stress ? FormatFixed(*result_.stress, 2) : "0"; }
  void Add(Block block) { report_.blocks.push_back(std::move(block)); }

  void Layers(int n) {
    Table table{report::LayerColumns(), {}};
    for (int i = 1; i <= n; ++i) table.rows.push_back(report::LayerCells(i, LayerOf(i), soilNames_));
    Add(std::move(table));
  }

  void MeanUnitWeight(int n) {
    Phrase formula("γ̄ = γ_{1}");
    if (n > 1) {
      Phrase products;
      Phrase sums;
      for (int i = 1; i <= n; ++i) {
        const std::string_view separator = i == 1 ? "" : " + ";
        products.Say(separator)
            .Field(Factor(LayerOf(i).unitWeightText))
            .Say("×")
            .Field(Factor(LayerOf(i).thicknessText));
        sums.Say(separator).Field(Factor(LayerOf(i).thicknessText));
      }
      formula = Phrase("γ̄ = Σγ_{i}·h_{i} / Σh_{i} = (").Then(products).Say(") / (").Then(sums).Say(")");
    }
    Add(Line("平均重度", formula.Say(" = ").Number(FormatFixed(*result_.meanUnitWeight, 2)).Unit(kUnitWeightUnit)));
  }

  void MidDepth(int n) {
    Phrase symbols("z = ");
    Phrase numbers;
    for (int i = 1; i < n; ++i) {
      symbols.Say({"h_{", std::to_string(i), "} + "});
      numbers.Field(Factor(LayerOf(i).thicknessText)).Say(" + ");
    }
    symbols.Say({"h_{", std::to_string(n), "}/2"});
    numbers.Field(Factor(LayerOf(n).thicknessText)).Say("/2");
    Add(Line(Concat({"第", std::to_string(n), "层中点深度"}),
             symbols.Say(" = ").Then(numbers).Say(" = ").Number(FormatFixed(*result_.midDepth, 2)).Unit(kLengthUnit)));
  }

  void Stress() {
    const Phrase product = Phrase()
                               .Number(Factor(FormatFixed(*result_.meanUnitWeight, 2)))
                               .Say(" × ")
                               .Number(Factor(FormatFixed(*result_.midDepth, 2)));
    if (ClassifyCause(input_.causeText) == CauseKind::SurfaceSurcharge) {
      Add(Line("地面满布荷载", Phrase("p = ").Field(Entered(input_.loadText)).Unit(kStressUnit)));
      Add(Line("平均竖向有效应力", Phrase("σ_{i}' = γ̄·z + p = ")
                                       .Then(product)
                                       .Say(" + ")
                                       .Field(Factor(input_.loadText))
                                       .Say(" = ")
                                       .Number(StressShown())
                                       .Unit(kStressUnit)));
    } else {
      Add(Line("平均竖向有效应力",
               Phrase("σ_{i}' = γ̄·z = ").Then(product).Say(" = ").Number(StressShown()).Unit(kStressUnit)));
    }
  }

  // The code's layer-by-layer sum gives another σi' than the window's γ̄·z,
  // so a report pasted from the steps shows it as well. Where the window
  // computed, the sum can fail only by an overflow (γ1·h1 before halving,
  // p + σ'γi of an upper layer, ξn·σ'n).
  void Layered() {
    const LayeredOutcome& layered = layered_;
    if (!layered.applies()) return;
    Phrase value;
    if (layered.ok()) {
      const LayeredStress& r = layered.result();
      const LayerStress& last = r.layers[static_cast<std::size_t>(r.layerCount - 1)];
      value.Say({"第", std::to_string(r.layerCount), "层 σ_{i}' = "})
          .Number(FormatFixed(last.stress, 2))
          .Unit(kStressUnit)
          .Say("  q_{si} = ")
          .Number(FormatFixed(r.friction, 1))
          .Unit(kStressUnit);
    } else {
      value.Say(layered.failure().reason == FailureReason::Overflow ? "数值溢出，未能算出" : "未能算出");
    }
    Add(Line("分层总和法（JGJ 94-2008 式5.4.4-4）", value));
  }

  const FrictionInput& input_;
  const FrictionResult& result_;
  const LayeredOutcome& layered_;
  const std::array<std::string, 5>& soilNames_;
  Report report_;
};

}  // namespace

Report DescribeCalculationSteps(const FrictionInput& input, const FrictionResult& result, const LayeredOutcome& layered,
                                const std::array<std::string, 5>& soilNames) {
  return StepWriter(input, result, layered, soilNames).Write();
}

std::string ComposeCalculationSteps(const FrictionInput& input, const FrictionResult& result,
                                    const LayeredOutcome& layered) {
  return PlainText(DescribeCalculationSteps(input, result, layered, {}));
}

}  // namespace tavrelo
