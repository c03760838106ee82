#include "core/layered_report.h"

#include <algorithm>
#include <cstddef>
#include <string_view>
#include <utility>

#include "core/report_pieces.h"
#include "core/result_text.h"

namespace tavrelo {

using report::Concat;
using report::Entered;
using report::Factor;
using report::kStressUnit;
using report::Line;
using report::NamedCell;
using report::NumberColumn;
using report::Phrase;

Report DescribeLayeredReport(const FrictionInput& input, const LayeredStress& layered, const FrictionResult& window,
                             const std::array<std::string, 5>& soilNames) {
  const int n = std::clamp(layered.layerCount, 1, static_cast<int>(layered.layers.size()));
  const std::string last = std::to_string(n);
  const bool loaded = layered.load.has_value();
  const std::string_view load = Entered(input.loadText);

  Report report{Phrase("分层总和法计算（JGJ 94-2008 第5.4.4条 式(5.4.4-4)）").runs(), {}};
  report.blocks.emplace_back(Line(Phrase().Field(input.causeText),
                                  Phrase(loaded ? "σ'_{γi} = Σγ_{e}·Δz_{e} + γ_{i}·Δz_{i}/2  σ'_{i} = p + σ'_{γi}"
                                                : "σ'_{i} = σ'_{γi} = Σγ_{e}·Δz_{e} + γ_{i}·Δz_{i}/2")));
  if (loaded) report.blocks.emplace_back(Line("地面满布荷载", Phrase("p = ").Field(load).Unit(kStressUnit)));

  Table table{report::LayerColumns(), {}};
  table.columns.push_back(NumberColumn("σ'_{γi}", kStressUnit));
  if (loaded) table.columns.push_back(NumberColumn("σ'_{i}", kStressUnit));
  Phrase weightsAbove;  // "18×2.0 + 19×3.0 + " for the layers above layer i
  for (int i = 1; i <= n; ++i) {
    const std::size_t index = static_cast<std::size_t>(i - 1);
    const LayerInput& entered = input.layers[index];
    const LayerStress& layer = layered.layers[index];
    const std::string k = std::to_string(i);
    const Phrase weight = Phrase().Field(Factor(entered.unitWeightText)).Say("×").Field(Factor(entered.thicknessText));
    const std::string selfWeight = FormatFixed(layer.selfWeightStress, 2);
    std::vector<Cell> row = report::LayerCells(i, entered, soilNames);
    row.push_back(
        NamedCell(Concat({"σ'_{γ", k, "} = "}), Phrase(weightsAbove).Then(weight).Say("/2 = ").Number(selfWeight)));
    if (loaded) {
      row.push_back(NamedCell(
          Concat({"σ'_{", k, "} = "}),
          Phrase().Field(load).Say(" + ").Number(Factor(selfWeight)).Say(" = ").Number(FormatFixed(layer.stress, 2))));
    }
    table.rows.push_back(std::move(row));
    weightsAbove.Then(weight).Say(" + ");
  }
  report.blocks.emplace_back(std::move(table));

  const double lastStress = layered.layers[static_cast<std::size_t>(n - 1)].stress;
  report.blocks.emplace_back(Line(Concat({"第", last, "层负摩阻力标准值"}),
                                  Phrase("q_{si} = ξ_{n}·σ'_{n} = ")
                                      .Field(Factor(input.coefficientText))
                                      .Say(" × ")
                                      .Number(Factor(FormatFixed(lastStress, 2)))
                                      .Say(" = ")
                                      .Bold(Phrase().Number(FormatFixed(layered.friction, 1)).Unit(kStressUnit))));
  report.blocks.emplace_back(Paragraph{
      Phrase(n == 1
                 ? "注：q_{si}为第1层之值，ξ_{n}即该层的负摩阻力系数"
                 : Concat({"注：q_{si}仅为第", last, "层之值；以上各层各有其负摩阻力系数ξ_{ni}，其q_{si}须另行计算"}))
          .runs()});
  report.blocks.emplace_back(Paragraph{Phrase("本程序窗口结果（平均重度法）σ_{i}' = ")
                                           .Number(window.stress ? FormatFixed(*window.stress, 2) : "—")
                                           .Unit(kStressUnit)
                                           .Say("  q_{si} = ")
                                           .Number(FormatFixed(window.friction, 1))
                                           .Unit(kStressUnit)
                                           .runs()});
  return report;
}

std::string ComposeLayeredReport(const FrictionInput& input, const LayeredStress& layered,
                                 const FrictionResult& window) {
  return PlainText(DescribeLayeredReport(input, layered, window, {}));
}

}  // namespace tavrelo
