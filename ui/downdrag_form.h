#pragma once
// The window of the downdrag load, "下拉荷载计算（JGJ 94-2008 第5.4.4条）",
// as data (its controls and its one command), and the controls its handlers
// name. It is opened from the main window's result menu once a press has
// given a sentence and shows that press's layers read-only: per layer γi
// and hi as entered, beside the fields the engineer fills (ξni, qsik), then
// the pile (shape, d or b, the depth t of its top, single or group, sax and
// say), ln/l0 beside the neutral depth table of JGJ 94-2008 (表5.4.4-2) with
// its notes, a drawing of the pile in its soil, "计算" (which Enter presses
// too) and the result box. The layout
// is fixed, in twips as the main window's; only the rows of the press's n
// layers and, for a group, sax and say are shown.

#include <cstddef>

#include "ui/control_inventory.h"
#include "ui/controls.h"

namespace tavrelo::ui {

[[nodiscard]] FormSpec DowndragForm();

namespace downdrag {

inline constexpr ControlKey kForm{"Downdrag"};
// Row k of the layers (k = 1 to 5): its number, γk and hk as the press read
// them (labels), and the fields ξnk and qsk,k.
[[nodiscard]] constexpr ControlKey RowNumber(int k) { return {"DdCell", 3 * k}; }
[[nodiscard]] constexpr ControlKey UnitWeight(int k) { return {"DdCell", 3 * k + 1}; }
[[nodiscard]] constexpr ControlKey Thickness(int k) { return {"DdCell", 3 * k + 2}; }
[[nodiscard]] constexpr ControlKey Coefficient(int k) { return {"DdCoefficient", k - 1}; }
[[nodiscard]] constexpr ControlKey SideResistance(int k) { return {"DdSideResistance", k - 1}; }

inline constexpr ControlKey kShape{"DdShape"};          // "圆桩", "方桩"
inline constexpr ControlKey kSizeLabel{"DdSizeLabel"};  // "桩径d（m）" or "边长b（m）"
inline constexpr ControlKey kSize{"DdSize"};            // d or b
inline constexpr ControlKey kPileTop{"DdPileTop"};      // t
inline constexpr ControlKey kPileKind{"DdPileKind"};    // "单桩", "群桩"
inline constexpr ControlKey kSpacingXLabel{"DdSpacingXLabel"};
inline constexpr ControlKey kSpacingX{"DdSpacingX"};
inline constexpr ControlKey kSpacingYLabel{"DdSpacingYLabel"};
inline constexpr ControlKey kSpacingY{"DdSpacingY"};
inline constexpr ControlKey kNeutralRatio{"DdNeutralRatio"};  // ln/l0
inline constexpr ControlKey kProfile{"DdProfile"};            // the pile in its soil (ui/profile_drawing.h)
inline constexpr ControlKey kCompute{"DdCompute"};
inline constexpr ControlKey kResult{"DdResult"};

// The entries of the two lists that decide what is shown: a shape with the
// label its size field takes, single pile or group.
struct ShapeEntry {
  std::string_view name;
  std::string_view sizeLabel;
};
inline constexpr ShapeEntry kRound{"圆桩", "桩径d（m）"};
inline constexpr ShapeEntry kSquare{"方桩", "边长b（m）"};
inline constexpr std::string_view kSingle = "单桩";
inline constexpr std::string_view kGroup = "群桩";

// The window's command: "复制下拉荷载计算过程".
inline constexpr std::size_t kCopyReport = 0;

}  // namespace downdrag
}  // namespace tavrelo::ui
