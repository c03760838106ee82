#pragma once
// The seven drop-down lists of the window, entries in list order. They are
// written exactly as they show: the layer counts carry ".0" (a picked "2.0"
// stands as "2.0" in the sentence), ξn writes "0.2" and "0.3" with one
// decimal, and the depths and loads switch from one decimal to whole numbers
// at 10. Plain constants, so that tests, the fuzzer and the corpus tool use
// these very lists without linking the form.

#include <array>
#include <span>
#include <string_view>

namespace tavrelo::ui::lists {

inline constexpr std::array<std::string_view, 5> kLayerCounts = {"1.0", "2.0", "3.0", "4.0", "5.0"};  // Combo1

inline constexpr std::array<std::string_view, 11> kSoilNames = {  // Combo2
    "素填土", "杂填土", "冲填土", "粘土", "粉质粘土", "粉土", "砾砂", "粗砂", "中砂", "细砂", "粉砂"};

inline constexpr std::array<std::string_view, 7> kUnitWeights = {"17", "17.5", "18", "18.5",
                                                                 "19", "19.5", "20"};  // Combo3, kN/m³

// Combo4: layer-bottom elevations and thicknesses, m.
inline constexpr std::array<std::string_view, 38> kDepths = {
    "1.0", "1.5", "2.0", "2.5", "3.0", "3.5", "4.0", "4.5", "5.0", "5.5", "6.0", "6.5", "7.0",
    "7.5", "8.0", "8.5", "9.0", "10",  "11",  "12",  "13",  "14",  "15",  "16",  "17",  "18",
    "19",  "20",  "21",  "22",  "23",  "24",  "25",  "26",  "27",  "28",  "29",  "30"};

inline constexpr std::array<std::string_view, 2> kCauses = {"降低地下水", "地面有满布荷载"};  // Combo5

inline constexpr std::array<std::string_view, 21> kCoefficients = {  // Combo6, ξn
    "0.15", "0.16", "0.17", "0.18", "0.19", "0.2",  "0.21", "0.22", "0.23", "0.24", "0.25",
    "0.26", "0.27", "0.28", "0.29", "0.3",  "0.31", "0.32", "0.33", "0.34", "0.35"};

inline constexpr std::array<std::string_view, 24> kLoads = {  // Combo7, load p, kN/m²
    "5.0", "10", "11", "12", "13", "14", "15", "16", "17", "18", "19", "20",
    "21",  "22", "23", "24", "25", "26", "27", "28", "29", "30", "35", "40"};

// Every list with the name the tools print it under, in control order.
struct NamedList {
  std::string_view name;
  std::span<const std::string_view> entries;
};
inline constexpr std::array<NamedList, 7> kAll = {{{"layer_counts", kLayerCounts},
                                                   {"soil_names", kSoilNames},
                                                   {"unit_weights", kUnitWeights},
                                                   {"depths", kDepths},
                                                   {"causes", kCauses},
                                                   {"coefficients", kCoefficients},
                                                   {"loads", kLoads}}};

}  // namespace tavrelo::ui::lists
