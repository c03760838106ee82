#pragma once
// The calculation behind the result sentence, step by step, as plain text
// for a calculation report: the layers as entered, then each quantity with
// its formula, the numbers put into it and its value with its unit.
//
//   桩侧负摩阻力计算（降低地下水）
//   持力层以上土层数 n = 2.0
//   第1层  γ1 = 18 kN/m³  h1 = 2.0 m
//   第2层  γ2 = 19 kN/m³  h2 = 3.0 m
//   平均重度  γ̄ = Σγi·hi / Σhi = (18×2.0 + 19×3.0) / (2.0 + 3.0) = 18.60 kN/m³
//   第2层中点深度  z = h1 + h2/2 = 2.0 + 3.0/2 = 3.50 m
//   平均竖向有效应力  σi' = γ̄·z = 18.60 × 3.50 = 65.10 kN/m²
//   负摩阻力标准值  qsi = ξn·σi' = 0.25 × 65.10 = 16.3 kN/m²
//   分层总和法（JGJ 94-2008 式5.4.4-4）  第2层 σi' = 64.50 kN/m²  qsi = 16.1 kN/m²
//
// The texts stand as entered (without blanks around them; a negative one in
// brackets where it is multiplied). Every value comes from the result, which
// was computed unrounded: γ̄ and z are shown with two decimals for reading,
// σi' and qsi exactly as the sentence shows them. The last line gives layer
// n's σi' and qsi summed layer by layer as JGJ 94-2008 has it
// (layered_stress.h), which differs from the window's γ̄·z, so that a report
// pasted from the steps shows both; where that sum overflows, it says so.
//
// As HTML (report.h) the layers stand in a table, a row a layer: 层,
// 土名称 (the soil names as entered, which the plain text leaves out), γi and
// hi; qsi is in bold.

#include <array>
#include <string>

#include "core/layered_stress.h"
#include "core/negative_friction.h"
#include "core/report.h"

namespace tavrelo {

// The steps for `input`, the `result` computed from it and the `layered`
// sum of the same input (ComputeLayeredStress), with the `soilNames` of
// layers 1 to 5 (土名称 as entered), layer 1 first. Total: steps whose
// values the result does not hold (a layer count other than 1 to 5, a cause
// that is neither) are left out, the layered line with them, and the
// friction line is always there.
// WriteReport (core/report.h) gives its plain text and HTML.
[[nodiscard]] Report DescribeCalculationSteps(const FrictionInput& input, const FrictionResult& result,
                                              const LayeredOutcome& layered,
                                              const std::array<std::string, 5>& soilNames);

// Their plain text alone, one a line, lines ended by "\n" (the last one too).
[[nodiscard]] std::string ComposeCalculationSteps(const FrictionInput& input, const FrictionResult& result,
                                                  const LayeredOutcome& layered);

}  // namespace tavrelo
