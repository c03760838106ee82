#pragma once
// The sentence the result box shows, and the fixed-decimal numbers in it.

#include <string>
#include <string_view>

#include "core/negative_friction.h"

namespace tavrelo {

// `value` with exactly `decimals` digits after a "." (clamped to 0..1000),
// at least one digit before it and no grouping. The value's decimal form at
// 15 significant digits is rounded, halves away from zero, so a stored value
// a hair below a tie rounds as a hand calculation would: 2.5499999999999998
// (σi' = 8.5, ξn = 0.3) gives "2.6" with one decimal; 5.25 gives "5.3" and
// 0.125 gives "0.13" with two. A value that rounds to zero has no "-".
// Infinities and NaN, which the computation never yields, give "inf",
// "-inf" and "nan".
[[nodiscard]] std::string FormatFixed(double value, int decimals);

// "当降低地下水时， 桩周第2.0层土平均竖向有效应力σi'为：65.10 kn/m2   桩侧负摩阻力标准值qsi = ξn * σi'＝16.3 kn/m2"
// The cause and layer count texts stand verbatim; the stress has two
// decimals ("—" when unset) and the friction one. No line break anywhere.
[[nodiscard]] std::string ComposeResultText(std::string_view causeText, std::string_view layerCountText,
                                            const FrictionResult& result);

}  // namespace tavrelo
