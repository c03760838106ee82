#include "core/downdrag_report.h"

#include <cstddef>
#include <string_view>

#include "core/result_text.h"
#include "report_pieces.h"

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
using report::LayerAsEntered;
using report::Line;

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

std::string ComposeDowndragReport(const DowndragInput& input, const DowndragResult& result) {
  const int n = result.layerCount < 1 ? 1 : (result.layerCount > 5 ? 5 : result.layerCount);
  const bool loaded = result.surfaceLoad.has_value();
  const bool round = result.shape == PileShape::Round;
  const std::string_view size = Entered(input.sizeText);
  const std::string_view top = PileTopShown(input);

  std::string text = "下拉荷载计算（JGJ 94-2008 第5.4.4条 式(5.4.4-1)～(5.4.4-4)）\n";
  text.append(Line(input.friction.causeText, loaded ? "σ'i = p + σ'γi" : "σ'i = σ'γi"));
  if (loaded) text.append(Line("地面满布荷载", Concat({"p = ", Entered(input.friction.loadText), kStressUnit})));
  text.append(Line("各层",
                   "li = min(ti + hi, t + ln) − max(ti, t)  σ'γi = Σγe·he + γi·(max(ti, t) − ti + li/2)  "
                   "qsi = ξni·σ'i ≤ qsik"));
  std::string pile = Concat({round ? "圆桩  d = " : "方桩  b = ", size, kLengthUnit});
  pile.append(result.group ? Concat({"  群桩  sax = ", Entered(input.spacingXText), kLengthUnit,
                                     "  say = ", Entered(input.spacingYText), kLengthUnit})
                           : std::string("  单桩"));
  text.append(Line("桩", pile));
  text.append(Line("桩顶深度", Concat({"t = ", top, kLengthUnit})));

  std::string symbols;
  std::string numbers;
  for (int i = 1; i <= n; ++i) {
    const std::string_view separator = i == 1 ? "" : " + ";
    symbols.append(Concat({separator, "h", std::to_string(i)}));
    numbers.append(Concat({separator, Factor(input.friction.layers[static_cast<std::size_t>(i - 1)].thicknessText)}));
  }
  text.append(Line("沉降土层内桩长", Concat({"l0 = ", symbols, " − t = ", numbers, " − ", top, " = ",
                                             FormatFixed(result.pileLength, 2), kLengthUnit})));
  const std::string pileLength = FormatFixed(result.pileLength, 2);
  const std::string neutralDepth = FormatFixed(result.neutralDepth, 2);
  text.append(Line("中性点深度", Concat({"ln = (ln/l0)·l0 = ", Entered(input.neutralRatioText), " × ", pileLength,
                                         " = ", neutralDepth, kLengthUnit})));

  std::string weightsAbove;  // "18×2.0 + " for the layers above layer i
  std::string frictions;     // "5.40×2.00 + 14.94×2.50"
  std::string weights;       // "18×2.00 + 19×2.50"
  for (int i = 1; i <= n; ++i) {
    const auto index = static_cast<std::size_t>(i - 1);
    const LayerInput& entered = input.friction.layers[index];
    const DowndragLayer& layer = result.layers[index];
    const std::string k = std::to_string(i);
    if (layer.enters) {
      const std::string length = FormatFixed(layer.length, 2);
      const double intoLayer = (layer.top < result.pileTopDepth ? result.pileTopDepth : layer.top) - layer.top;
      const std::string own =
          intoLayer > 0.0 ? Concat({"(", FormatFixed(intoLayer, 2), " + ", length, "/2)"}) : Concat({length, "/2"});
      const std::string selfWeight = FormatFixed(layer.selfWeightStress, 2);
      const std::string stress = FormatFixed(layer.stress, 2);
      const std::string friction = FormatFixed(layer.friction, 2);
      std::string line =
          Concat({LayerAsEntered(i, entered), "  l", k, " = ", length, kLengthUnit, "  σ'γ", k, " = ", weightsAbove,
                  Factor(entered.unitWeightText), "×", own, " = ", selfWeight, kStressUnit});
      if (loaded) {
        line.append(Concat(
            {"  σ'", k, " = ", Entered(input.friction.loadText), " + ", selfWeight, " = ", stress, kStressUnit}));
      }
      const std::string_view coefficient = Entered(input.coefficientTexts[index]);
      line.append(Concat({"  qs", k, " = ξn", k, "·σ'", k, " = ", coefficient, " × ", stress, " = "}));
      if (layer.capped) {
        line.append(Concat({FormatFixed(layer.coefficient * layer.stress, 2), " > qs", k,
                            "k = ", Entered(input.sideResistanceTexts[index]), "，取qs", k, " = "}));
      }
      line.append(Concat({friction, kStressUnit, "\n"}));
      text.append(line);
      const std::string_view separator = frictions.empty() ? "" : " + ";
      frictions.append(Concat({separator, friction, "×", length}));
      weights.append(Concat({separator, Factor(entered.unitWeightText), "×", length}));
    }
    weightsAbove.append(Concat({Factor(entered.unitWeightText), "×", Factor(entered.thicknessText), " + "}));
  }

  const std::string frictionSum = FormatFixed(result.frictionSum, 2);
  text.append(Line("负摩阻力合计", Concat({"Σqsi·li = ", frictions.empty() ? "" : Concat({frictions, " = "}),
                                           frictionSum, kForcePerLengthUnit})));
  const std::string perimeter = FormatFixed(result.perimeter, 3);
  text.append(
      Line("桩身周长", Concat({round ? "u = π·d = π × " : "u = 4b = 4 × ", size, " = ", perimeter, kLengthUnit})));

  std::string factor = "1";
  if (result.group) {
    const std::string area = FormatFixed(result.area, 3);
    text.append(Line("桩身截面面积", Concat({round ? "A = π·d²/4 = π × " : "A = b² = ", Factor(size),
                                             round ? "²/4 = " : "² = ", area, kAreaUnit})));
    if (result.groupFactorFormula) {
      const std::string meanFriction = FormatFixed(result.meanFriction, 2);
      const std::string meanUnitWeight = FormatFixed(result.meanUnitWeight, 2);
      text.append(Line("平均负摩阻力", Concat({"qs = Σqsi·li/ln = ", frictionSum, "/", neutralDepth, " = ",
                                               meanFriction, kStressUnit})));
      text.append(Line("平均重度", Concat({"γm = Σγi·li/ln = (", weights, ")/", neutralDepth, " = ", meanUnitWeight,
                                           kUnitWeightUnit})));
      const std::string formula = FormatFixed(*result.groupFactorFormula, 3);
      std::string groupFactor =
          Concat({"ηn = sax·say/(u·qs/γm + A) = ", Factor(input.spacingXText), "×", Factor(input.spacingYText), "/(",
                  perimeter, " × ", meanFriction, "/", meanUnitWeight, " + ", area, ") = ", formula});
      if (*result.groupFactorFormula > 1.0) groupFactor.append(" > 1，取ηn = 1");
      text.append(Line("群桩效应系数", groupFactor));
      factor = result.groupFactor < 1.0 ? FormatFixed(result.groupFactor, 3) : "1";
    } else {
      text.append(Line("群桩效应系数", "ηn = 1（ln = 0）"));
    }
  }
  text.append(Line("下拉荷载", Concat({"Qgn = ηn·u·Σqsi·li = ", factor, " × ", perimeter, " × ", frictionSum, " = ",
                                       FormatFixed(result.load, 1), kForceUnit})));
  text.append("注：式(5.4.4-3)按圆桩写出，方桩取u = 4b，A = b²\n");
  text.append("注：各层重度为主窗口所填之值，地下水位以下应为浮重度\n");
  return text;
}

}  // namespace tavrelo
