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
//   REPORT
//
// In a group the lines of A, qs, γm and ηn follow u, and the sentence ends
// with "，群桩效应系数ηn = 0.730". Under a surface load a line gives p and
// each layer's line goes on with "σ'1 = 10 + 18.00 = 28.00 kN/m²"; where
// qsik caps a layer's friction, its line shows "= 14.94 > qs2k = 12，取qs2 =
// 12.00 kN/m²". Only the layers that enter have a line. The texts stand as
// entered (without blanks around them, a negative one in brackets where it
// is multiplied); lengths, stresses and frictions have two decimals, u and A
// three, ηn three and Qgn one, as in the sentence. Every line ends with "\n".

#include <string>

#include "core/downdrag_load.h"

namespace tavrelo {

// "中性点深度ln = 4.50 m，下拉荷载Qgn = 90.7 kN", and for a group
// "，群桩效应系数ηn = 0.730" after it. No line break.
[[nodiscard]] std::string ComposeDowndragSentence(const DowndragResult& result);

// The report for `input` and the `result` computed from it.
[[nodiscard]] std::string ComposeDowndragReport(const DowndragInput& input, const DowndragResult& result);

}  // namespace tavrelo
