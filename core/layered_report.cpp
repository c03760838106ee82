#include "core/layered_report.h"

#include <algorithm>
#include <cstddef>
#include <string_view>

#include "core/result_text.h"
#include "report_pieces.h"

namespace tavrelo {

using report::Concat;
using report::Entered;
using report::Factor;
using report::kStressUnit;
using report::LayerAsEntered;
using report::Line;

std::string ComposeLayeredReport(const FrictionInput& input, const LayeredStress& layered,
                                 const FrictionResult& window) {
  const int n = std::clamp(layered.layerCount, 1, static_cast<int>(layered.layers.size()));
  const std::string last = std::to_string(n);
  const bool loaded = layered.load.has_value();
  const std::string_view load = Entered(input.loadText);

  std::string text = "分层总和法计算（JGJ 94-2008 第5.4.4条 式(5.4.4-4)）\n";
  text.append(
      Line(input.causeText, loaded ? "σ'γi = Σγe·Δze + γi·Δzi/2  σ'i = p + σ'γi" : "σ'i = σ'γi = Σγe·Δze + γi·Δzi/2"));
  if (loaded) text.append(Line("地面满布荷载", Concat({"p = ", load, kStressUnit})));

  std::string weightsAbove;  // "18×2.0 + 19×3.0 + " for the layers above layer i
  for (int i = 1; i <= n; ++i) {
    const std::size_t index = static_cast<std::size_t>(i - 1);
    const LayerInput& entered = input.layers[index];
    const LayerStress& layer = layered.layers[index];
    const std::string k = std::to_string(i);
    const std::string weight = Concat({Factor(entered.unitWeightText), "×", Factor(entered.thicknessText)});
    const std::string selfWeight = FormatFixed(layer.selfWeightStress, 2);
    text.append(Concat(
        {LayerAsEntered(i, entered), "  σ'γ", k, " = ", weightsAbove, weight, "/2 = ", selfWeight, kStressUnit}));
    if (loaded) {
      text.append(Concat(
          {"  σ'", k, " = ", load, " + ", Factor(selfWeight), " = ", FormatFixed(layer.stress, 2), kStressUnit}));
    }
    text.append("\n");
    weightsAbove.append(Concat({weight, " + "}));
  }

  const double lastStress = layered.layers[static_cast<std::size_t>(n - 1)].stress;
  text.append(Line(Concat({"第", last, "层负摩阻力标准值"}),
                   Concat({"qsi = ξn·σ'n = ", Factor(input.coefficientText), " × ", Factor(FormatFixed(lastStress, 2)),
                           " = ", FormatFixed(layered.friction, 1), kStressUnit})));
  text.append(n == 1 ? "注：qsi为第1层之值，ξn即该层的负摩阻力系数\n"
                     : Concat({"注：qsi仅为第", last, "层之值；以上各层各有其负摩阻力系数ξni，其qsi须另行计算\n"}));
  text.append(Concat({"本程序窗口结果（平均重度法）σi' = ", window.stress ? FormatFixed(*window.stress, 2) : "—",
                      kStressUnit, "  qsi = ", FormatFixed(window.friction, 1), kStressUnit, "\n"}));
  return text;
}

}  // namespace tavrelo
