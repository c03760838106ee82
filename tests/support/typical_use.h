#pragma once
// The typical use of the window as data: the picks an engineer makes for two
// layers under lowered groundwater, and the sentences they give. The model
// tests apply the picks through FormModel::Select, the binding tests by
// pointer through a window; both see the same sentence.

#include <array>
#include <functional>
#include <optional>
#include <span>
#include <string_view>

#include "ui/controls.h"
#include "ui/form_model.h"

namespace tavrelo::ui::testing_support {

// An entry of a combo box's list, by its text.
struct EntryPick {
  ControlKey control;
  std::string_view entry;
};

// Two layers (γ 18 and 19 kN/m³, h 2.0 and 3.0 m), lowered groundwater,
// ξn 0.25: γ̄ = 18.6, z = 3.5, σ = 65.1, qsi = 16.275.
inline constexpr std::array<EntryPick, 7> kTypicalUse = {{{controls::kLayerCount, "2.0"},
                                                          {controls::UnitWeight(1), "18"},
                                                          {controls::UnitWeight(2), "19"},
                                                          {controls::Thickness(1), "2.0"},
                                                          {controls::Thickness(2), "3.0"},
                                                          {controls::kCause, "降低地下水"},
                                                          {controls::kCoefficient, "0.25"}}};
inline constexpr std::string_view kTypicalSentence =
    "当降低地下水时， 桩周第2.0层土平均竖向有效应力σi'为：65.10 kn/m2   桩侧负摩阻力标准值qsi = ξn * σi'＝16.3 kn/m2";

// After the typical use: a load of 10 kN/m² over the ground surface instead,
// σ = 65.1 + 10 = 75.1, qsi = 18.775.
inline constexpr std::array<EntryPick, 2> kSurcharge = {
    {{controls::kCause, "地面有满布荷载"}, {controls::kLoad, "10"}}};
inline constexpr std::string_view kSurchargeSentence =
    "当地面有满布荷载时， 桩周第2.0层土平均竖向有效应力σi'为：75.10 kn/m2   "
    "桩侧负摩阻力标准值qsi = ξn * σi'＝18.8 kn/m2";

// Makes the picks in order, each through `pick` (the model's Select, a
// pointer on a window, …).
using Picker = std::function<void(ControlKey control, std::string_view entry)>;
void ApplyPicks(std::span<const EntryPick> picks, const Picker& pick);

// Where `entry` stands in the control's list; none when it is not there or
// the control has no list.
[[nodiscard]] std::optional<int> EntryIndex(const FormModel& model, ControlKey control, std::string_view entry);

// Picks `entry` through FormModel::Select, as the window hands a pick over;
// false (and nothing picked) when the list does not hold it.
[[nodiscard]] bool PickEntry(FormModel& model, ControlKey control, std::string_view entry);

}  // namespace tavrelo::ui::testing_support
