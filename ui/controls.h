#pragma once
// The controls the program's logic names, as typed keys. Four names are
// control arrays; the one convention to remember is Combo4's: indexes 0 to 4
// are the layer-bottom elevations of layers 1 to 5, indexes 5 to 9 their
// thicknesses. It is written here and nowhere else: the inventory, the
// handlers and the tests all go through these functions.

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace tavrelo::ui {

// A control by name, and by index inside a control array ("Combo4", 7).
struct ControlKey {
  std::string_view name;
  int index = -1;

  friend constexpr bool operator==(const ControlKey&, const ControlKey&) = default;
};

// "Combo4(7)", or "Combo1" outside an array.
[[nodiscard]] std::string DisplayName(ControlKey key);

// The size of a table of labels that a frame holds (its cells carry their
// place in it); zero rows for a frame without one.
struct TableSize {
  int rows = 0;
  int columns = 0;

  friend constexpr bool operator==(const TableSize&, const TableSize&) = default;
};

// A label's place in its frame's table, read row by row: row 0 holds the
// column headings.
struct TableCell {
  int row = 0;
  int column = 0;

  friend constexpr bool operator==(const TableCell&, const TableCell&) = default;
};

namespace controls {

inline constexpr int kLayerRows = 5;

inline constexpr ControlKey kForm{"Form1"};
inline constexpr ControlKey kLayerCount{"Combo1"};   // n, "1.0" to "5.0"
inline constexpr ControlKey kCause{"Combo5"};        // cause of negative friction
inline constexpr ControlKey kCoefficient{"Combo6"};  // ξn
inline constexpr ControlKey kLoadLabel{"Label7"};    // "荷载p"
inline constexpr ControlKey kLoad{"Combo7"};         // p, kN/m²
inline constexpr ControlKey kCompute{"Command1"};    // "计算"
inline constexpr ControlKey kResult{"Text1"};        // the sentence

// Row k of the layer table, k = 1 (at the ground surface) to 5.
[[nodiscard]] constexpr ControlKey RowNumber(int k) { return {"Label3", k}; }
[[nodiscard]] constexpr ControlKey SoilName(int k) { return {"Combo2", k - 1}; }
[[nodiscard]] constexpr ControlKey UnitWeight(int k) { return {"Combo3", k - 1}; }
[[nodiscard]] constexpr ControlKey Elevation(int k) { return {"Combo4", k - 1}; }
[[nodiscard]] constexpr ControlKey Thickness(int k) { return {"Combo4", k + 4}; }

// The five controls of row k, in the order they are shown or hidden.
[[nodiscard]] constexpr std::array<ControlKey, 5> LayerRow(int k) {
  return {RowNumber(k), SoilName(k), UnitWeight(k), Elevation(k), Thickness(k)};
}

// The ξn reference table, read row by row: row 0 holds the headings
// (项次, 土类, ξn), rows 1 to 4 one soil class each. Its cells are Label3(10)
// to Label3(24), numbered down each column.
inline constexpr TableSize kReferenceTable{5, 3};

[[nodiscard]] constexpr ControlKey ReferenceCell(TableCell cell) {
  return {"Label3", 10 + kReferenceTable.rows * cell.column + cell.row};
}
// The main form's own commands of the result menu, by their place in
// MainForm().commands.
inline constexpr std::size_t kCopySteps = 0;     // "复制计算过程"
inline constexpr std::size_t kCopyLayered = 1;   // "复制分层计算（JGJ 94-2008）"
inline constexpr std::size_t kOpenDowndrag = 2;  // "下拉荷载计算（JGJ 94-2008）…"

}  // namespace controls
}  // namespace tavrelo::ui
