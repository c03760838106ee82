#include "core/downdrag_report.h"

#include <cstddef>
#include <string_view>
#include <utility>

#include "core/report_pieces.h"
#include "core/result_text.h"

namespace tavrelo {

using report::Concat;
using report::Entered;
using report::Factor;
using report::kAreaUnit;
using report::kForcePerLengthUnit;
using report::kForceUnit;
using report::kLengthUnit;
using report::kStressUnit;
using report::kUnitWeightUnit;
using report::Line;
using report::NamedCell;
using report::NumberColumn;
using report::Phrase;

namespace {

// A blank pile top reads as 0 and shows so.
std::string_view PileTopShown(const DowndragInput& input) {
  const std::string_view entered = Entered(input.pileTopDepthText);
  return entered.empty() ? std::string_view("0") : entered;
}

}  // namespace

std::string ComposeDowndragSentence(const DowndragResult& result) {
  std::string sentence = Concat({"中性点深度ln = ", FormatFixed(result.neutralDepth, 2),
                                 " m，下拉荷载Qgn = ", FormatFixed(result.load, 1), " kN"});
  if (result.group) sentence.append(Concat({"，群桩效应系数ηn = ", FormatFixed(result.groupFactor, 3)}));
  return sentence;
}

Report DescribeDowndragReport(const DowndragInput& input, const DowndragResult& result,
                              const std::array<std::string, 5>& soilNames) {
  const int n = result.layerCount < 1 ? 1 : (result.layerCount > 5 ? 5 : result.layerCount);
  const bool loaded = result.surfaceLoad.has_value();
  const bool round = result.shape == PileShape::Round;
  const std::string_view size = Entered(input.sizeText);
  const std::string_view top = PileTopShown(input);

  Report report{Phrase("下拉荷载计算（JGJ 94-2008 第5.4.4条 式(5.4.4-1)～(5.4.4-4)）").runs(), {}};
  const auto add = [&report](Block block) { report.blocks.push_back(std::move(block)); };
  add(Line(Phrase().Field(input.friction.causeText), Phrase(loaded ? "σ'_{i} = p + σ'_{γi}" : "σ'_{i} = σ'_{γi}")));
  if (loaded) add(Line("地面满布荷载", Phrase("p = ").Field(Entered(input.friction.loadText)).Unit(kStressUnit)));
  add(Line("各层", Phrase("l_{i} = min(t_{i} + h_{i}, t + l_{n}) − max(t_{i}, t)  "
                          "σ'_{γi} = Σγ_{e}·h_{e} + γ_{i}·(max(t_{i}, t) − t_{i} + l_{i}/2)  "
                          "q_{si} = ξ_{ni}·σ'_{i} ≤ q_{sik}")));
  Phrase pile(round ? "圆桩  d = " : "方桩  b = ");
  pile.Field(size).Unit(kLengthUnit);
  if (result.group) {
    pile.Say("  群桩  s_{ax} = ")
        .Field(Entered(input.spacingXText))
        .Unit(kLengthUnit)
        .Say("  s_{ay} = ")
        .Field(Entered(input.spacingYText))
        .Unit(kLengthUnit);
  } else {
    pile.Say("  单桩");
  }
  add(Line("桩", pile));
  add(Line("桩顶深度", Phrase("t = ").Field(top).Unit(kLengthUnit)));

  Phrase symbols("l_{0} = ");
  Phrase numbers;
  for (int i = 1; i <= n; ++i) {
    const std::string_view separator = i == 1 ? "" : " + ";
    symbols.Say({separator, "h_{", std::to_string(i), "}"});
    numbers.Say(separator).Field(Factor(input.friction.layers[static_cast<std::size_t>(i - 1)].thicknessText));
  }
  const std::string pileLength = FormatFixed(result.pileLength, 2);
  const std::string neutralDepth = FormatFixed(result.neutralDepth, 2);
  add(Line("沉降土层内桩长",
           symbols.Say(" − t = ").Then(numbers).Say(" − ").Field(top).Say(" = ").Number(pileLength).Unit(kLengthUnit)));
  add(Line("中性点深度", Phrase("l_{n} = (l_{n}/l_{0})·l_{0} = ")
                             .Field(Entered(input.neutralRatioText))
                             .Say(" × ")
                             .Number(pileLength)
                             .Say(" = ")
                             .Number(neutralDepth)
                             .Unit(kLengthUnit)));

  Table table{report::LayerColumns(), {}};
  table.columns.push_back(NumberColumn("l_{i}", kLengthUnit));
  table.columns.push_back(NumberColumn("σ'_{γi}", kStressUnit));
  if (loaded) table.columns.push_back(NumberColumn("σ'_{i}", kStressUnit));
  table.columns.push_back(NumberColumn("q_{si} = ξ_{ni}·σ'_{i}", kStressUnit));
  Phrase weightsAbove;  // "18×2.0 + " for the layers above layer i
  Phrase frictions;     // "5.40×2.00 + 14.94×2.50"
  Phrase weights;       // "18×2.00 + 19×2.50"
  for (int i = 1; i <= n; ++i) {
    const auto index = static_cast<std::size_t>(i - 1);
    const LayerInput& entered = input.friction.layers[index];
    const DowndragLayer& layer = result.layers[index];
    const std::string k = std::to_string(i);
    if (layer.enters) {
      const std::string length = FormatFixed(layer.length, 2);
      const double intoLayer = (layer.top < result.pileTopDepth ? result.pileTopDepth : layer.top) - layer.top;
      const Phrase own = intoLayer > 0.0
                             ? Phrase("(").Number(FormatFixed(intoLayer, 2)).Say(" + ").Number(length).Say("/2)")
                             : Phrase().Number(length).Say("/2");
      const std::string selfWeight = FormatFixed(layer.selfWeightStress, 2);
      const std::string stress = FormatFixed(layer.stress, 2);
      const std::string friction = FormatFixed(layer.friction, 2);
      std::vector<Cell> row = report::LayerCells(i, entered, soilNames);
      row.push_back(NamedCell(Concat({"l_{", k, "} = "}), Phrase().Number(length)));
      row.push_back(NamedCell(
          Concat({"σ'_{γ", k, "} = "}),
          Phrase(weightsAbove).Field(Factor(entered.unitWeightText)).Say("×").Then(own).Say(" = ").Number(selfWeight)));
      if (loaded) {
        row.push_back(NamedCell(
            Concat({"σ'_{", k, "} = "}),
            Phrase().Field(Entered(input.friction.loadText)).Say(" + ").Number(selfWeight).Say(" = ").Number(stress)));
      }
      Phrase qs;
      qs.Field(Entered(input.coefficientTexts[index])).Say(" × ").Number(stress).Say(" = ");
      if (layer.capped) {
        qs.Number(FormatFixed(layer.coefficient * layer.stress, 2))
            .Say({" > q_{s", k, "k} = "})
            .Field(Entered(input.sideResistanceTexts[index]))
            .Say({"，取q_{s", k, "} = "});
      }
      qs.Number(friction);
      row.push_back(NamedCell(Concat({"q_{s", k, "} = ξ_{n", k, "}·σ'_{", k, "} = "}), qs));
      table.rows.push_back(std::move(row));
      const std::string_view separator = frictions.empty() ? "" : " + ";
      frictions.Say(separator).Number(friction).Say("×").Number(length);
      weights.Say(separator).Field(Factor(entered.unitWeightText)).Say("×").Number(length);
    }
    weightsAbove.Field(Factor(entered.unitWeightText)).Say("×").Field(Factor(entered.thicknessText)).Say(" + ");
  }
  add(std::move(table));

  const std::string frictionSum = FormatFixed(result.frictionSum, 2);
  Phrase sum("Σq_{si}·l_{i} = ");
  if (!frictions.empty()) sum.Then(frictions).Say(" = ");
  add(Line("负摩阻力合计", sum.Number(frictionSum).Unit(kForcePerLengthUnit)));
  const std::string perimeter = FormatFixed(result.perimeter, 3);
  add(Line(
      "桩身周长",
      Phrase(round ? "u = π·d = π × " : "u = 4b = 4 × ").Field(size).Say(" = ").Number(perimeter).Unit(kLengthUnit)));

  std::string factor = "1";
  if (result.group) {
    const std::string area = FormatFixed(result.area, 3);
    add(Line("桩身截面面积", Phrase(round ? "A = π·d^{2}/4 = π × " : "A = b^{2} = ")
                                 .Field(Factor(size))
                                 .Say(round ? "^{2}/4 = " : "^{2} = ")
                                 .Number(area)
                                 .Unit(kAreaUnit)));
    if (result.groupFactorFormula) {
      const std::string meanFriction = FormatFixed(result.meanFriction, 2);
      const std::string meanUnitWeight = FormatFixed(result.meanUnitWeight, 2);
      add(Line("平均负摩阻力", Phrase("q_{s} = Σq_{si}·l_{i}/l_{n} = ")
                                   .Number(frictionSum)
                                   .Say("/")
                                   .Number(neutralDepth)
                                   .Say(" = ")
                                   .Number(meanFriction)
                                   .Unit(kStressUnit)));
      add(Line("平均重度", Phrase("γ_{m} = Σγ_{i}·l_{i}/l_{n} = (")
                               .Then(weights)
                               .Say(")/")
                               .Number(neutralDepth)
                               .Say(" = ")
                               .Number(meanUnitWeight)
                               .Unit(kUnitWeightUnit)));
      Phrase groupFactor("η_{n} = s_{ax}·s_{ay}/(u·q_{s}/γ_{m} + A) = ");
      groupFactor.Field(Factor(input.spacingXText))
          .Say("×")
          .Field(Factor(input.spacingYText))
          .Say("/(")
          .Number(perimeter)
          .Say(" × ")
          .Number(meanFriction)
          .Say("/")
          .Number(meanUnitWeight)
          .Say(" + ")
          .Number(area)
          .Say(") = ")
          .Number(FormatFixed(*result.groupFactorFormula, 3));
      if (*result.groupFactorFormula > 1.0) groupFactor.Say(" > 1，取η_{n} = 1");
      add(Line("群桩效应系数", groupFactor));
      factor = result.groupFactor < 1.0 ? FormatFixed(result.groupFactor, 3) : "1";
    } else {
      add(Line("群桩效应系数", Phrase("η_{n} = 1（l_{n} = 0）")));
    }
  }
  add(Line("下拉荷载", Phrase("Q_{gn} = η_{n}·u·Σq_{si}·l_{i} = ")
                           .Number(factor)
                           .Say(" × ")
                           .Number(perimeter)
                           .Say(" × ")
                           .Number(frictionSum)
                           .Say(" = ")
                           .Bold(Phrase().Number(FormatFixed(result.load, 1)).Unit(kForceUnit))));
  add(Paragraph{Phrase("注：式(5.4.4-3)按圆桩写出，方桩取u = 4b，A = b^{2}").runs()});
  add(Paragraph{Phrase("注：各层重度为主窗口所填之值，地下水位以下应为浮重度").runs()});
  return report;
}

std::string ComposeDowndragReport(const DowndragInput& input, const DowndragResult& result) {
  return PlainText(DescribeDowndragReport(input, result, {}));
}

}  // namespace tavrelo
