#pragma once
// The downdrag load (downdrag_load.h) in words: the sentence the result box
// shows, and the plain text that "复制下拉荷载计算过程" copies, which names the
// code and its clause, gives each step with its formula, the numbers put into
// it and its value, and ends with the method's notes. The typical use, a
// single round pile under lowered groundwater:
//
//   const DowndragOutcome outcome = ComputeDowndragLoad(input);
//   if (outcome.ok()) text = ComposeDowndragReport(input, outcome.result());
//
// clang-format off
//   下拉荷载计算（JGJ 94-2008 第5.4.4条 式(5.4.4-1)～(5.4.4-4)）
//   降低地下水  σ'i = σ'γi
//   各层  li = min(ti + hi, t + ln) − max(ti, t)  σ'γi = Σγe·he + γi·(max(ti, t) − ti + li/2)  qsi = ξni·σ'i ≤ qsik
//   桩  圆桩  d = 0.6 m  单桩
//   桩顶深度  t = 0 m
//   沉降土层内桩长  l0 = h1 + h2 − t = 2.0 + 3.0 − 0 = 5.00 m
//   中性点深度  ln = (ln/l0)·l0 = 0.9 × 5.00 = 4.50 m
//   第1层  γ1 = 18 kN/m³  h1 = 2.0 m  l1 = 2.00 m  σ'γ1 = 18×2.00/2 = 18.00 kN/m²  qs1 = ξn1·σ'1 = 0.30 × 18.00 = 5.40 kN/m²
//   第2层  γ2 = 19 kN/m³  h2 = 3.0 m  l2 = 2.50 m  σ'γ2 = 18×2.0 + 19×2.50/2 = 59.75 kN/m²  qs2 = ξn2·σ'2 = 0.25 × 59.75 = 14.94 kN/m²
//   负摩阻力合计  Σqsi·li = 5.40×2.00 + 14.94×2.50 = 48.14 kN/m
//   桩身周长  u = π·d = π × 0.6 = 1.885 m
//   下拉荷载  Qgn = ηn·u·Σqsi·li = 1 × 1.885 × 48.14 = 90.7 kN
//   注：式(5.4.4-3)按圆桩写出，方桩取u = 4b，A = b²
//   注：各层重度为主窗口所填之值，地下水位以下应为浮重度
// clang-format on
//
// The sentence of the same: "中性点深度ln = 4.50 m，下拉荷载Qgn = 90.7 kN".
// In a group the lines of A, qs, γm and ηn follow u (where ln = 0, only A
// and "ηn = 1（ln = 0）"; where the formula gives more than 1, it ends
// "= 2.366 > 1，取ηn = 1"), and the sentence ends with "，群桩效应系数ηn =
// 0.730". Under a surface load a line gives p and each layer's line goes on
// with "σ'1 = 10 + 18.00 = 28.00 kN/m²"; where qsik caps a layer's friction,
// its line ends "= 14.94 > qs2k = 12，取qs2 = 12.00 kN/m²". Only the layers
// that enter have a line. The texts stand as entered (without blanks around
// them, a negative one in brackets where it is multiplied); lengths,
// stresses and frictions have two decimals, u, A and ηn three, Qgn one, as
// in the sentence. Every line ends with "\n".
//
// As HTML (report.h) the entering layers stand in a table, a row a layer:
// 层, 土名称 (the soil names as entered, which the plain text leaves out), γi,
// hi, li, σ'γi, under a load σ'i, and qsi; Qgn is in bold.
//
// All of it is composed in DescribeDowndragReport, one step after another.

#include <array>
#include <string>

#include "core/downdrag_load.h"
#include "core/report.h"

namespace tavrelo {

// "中性点深度ln = 4.50 m，下拉荷载Qgn = 90.7 kN", and for a group
// "，群桩效应系数ηn = 0.730" after it. No line break.
[[nodiscard]] std::string ComposeDowndragSentence(const DowndragResult& result);

// The report for `input` and the `result` computed from it, with the
// `soilNames` of layers 1 to 5 (土名称 as entered), layer 1 first. WriteReport
// (core/report.h) gives its plain text and HTML.
[[nodiscard]] Report DescribeDowndragReport(const DowndragInput& input, const DowndragResult& result,
                                            const std::array<std::string, 5>& soilNames);

// Its plain text alone.
[[nodiscard]] std::string ComposeDowndragReport(const DowndragInput& input, const DowndragResult& result);

}  // namespace tavrelo
