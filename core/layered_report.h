#pragma once
// The layered calculation (layered_stress.h) as plain text for a calculation
// report: the text the result box's "复制分层计算（JGJ 94-2008）" copies. It
// names the code and its formula, gives each layer as entered with σ'γi and
// the numbers put into it, qsi of layer n, and last the window's own value
// with its method, so that the two are never taken for one another. The
// typical use, two layers under lowered groundwater:
//
//   const LayeredOutcome layered = ComputeLayeredStress(input);
//   if (layered.ok()) text = ComposeLayeredReport(input, layered.result(), window.result());
//
//   分层总和法计算（JGJ 94-2008 第5.4.4条 式(5.4.4-4)）
//   降低地下水  σ'i = σ'γi = Σγe·Δze + γi·Δzi/2
//   第1层  γ1 = 18 kN/m³  h1 = 2.0 m  σ'γ1 = 18×2.0/2 = 18.00 kN/m²
//   第2层  γ2 = 19 kN/m³  h2 = 3.0 m  σ'γ2 = 18×2.0 + 19×3.0/2 = 64.50 kN/m²
//   第2层负摩阻力标准值  qsi = ξn·σ'n = 0.25 × 64.50 = 16.1 kN/m²
//   注：qsi仅为第2层之值；以上各层各有其负摩阻力系数ξni，其qsi须另行计算
//   本程序窗口结果（平均重度法）σi' = 65.10 kN/m²  qsi = 16.3 kN/m²
//
// Under a surface load the formula line adds σ'i = p + σ'γi, a line gives p
// as entered, and each layer's line goes on with "σ'1 = 10 + 18.00 = 28.00
// kN/m²". The texts stand as the calculation steps show them (without blanks
// around them, a negative one in brackets where it is multiplied); stresses
// have two decimals and qsi one, as in the sentence.
//
// The same report as HTML (report.h) puts the layers' lines in a table, a
// row a layer: 层, 土名称 (the soil names as entered, which the plain text
// leaves out), γi, hi, σ'γi and under a load σ'i; qsi of layer n in bold.

#include <array>
#include <string>

#include "core/layered_stress.h"
#include "core/negative_friction.h"
#include "core/report.h"

namespace tavrelo {

// The report for `input`, the `layered` result computed from it and the
// window's `window` result of the same input, with the `soilNames` of
// layers 1 to 5 (土名称 as entered), layer 1 first. Total: an unset window stress
// shows as "—".
// WriteReport (core/report.h) gives its plain text and HTML.
[[nodiscard]] Report DescribeLayeredReport(const FrictionInput& input, const LayeredStress& layered,
                                           const FrictionResult& window, const std::array<std::string, 5>& soilNames);

// Its plain text alone, one a line, lines ended by "\n" (the last one too).
[[nodiscard]] std::string ComposeLayeredReport(const FrictionInput& input, const LayeredStress& layered,
                                               const FrictionResult& window);

}  // namespace tavrelo
