#include "ui/control_inventory.h"

#include <array>
#include <initializer_list>
#include <vector>

#include "ui/inventory_rows.h"

namespace tavrelo::ui {
namespace {

// --- Fonts -------------------------------------------------------------------

// The boxes of the labels are sized for a Chinese UI font at 9 points whose
// Chinese characters are 12 px and ASCII characters 6 px wide at 96 dpi:
// SimSun on a Chinese Windows, WenQuanYi Zen Hei Mono on Debian.
constexpr std::array<std::string_view, 3> kUiFamilies = {"SimSun", "宋体", "WenQuanYi Zen Hei Mono"};
// The notes under the ξn table: 7.5 points, 10 px and 5 px wide.
constexpr std::array<std::string_view, 3> kNoteFamilies = {"SimSun", "宋体", "AR PL UMing CN"};
const FontSpec kUiFont{kUiFamilies, 9.0};
const FontSpec kNoteFont{kNoteFamilies, 7.5};

using namespace look;

// --- Rows --------------------------------------------------------------------

using rows::Button;
using rows::Combo;
using rows::Frame;
using rows::Label;
using rows::Labelling;
using rows::ResultBox;

std::string Join(std::initializer_list<std::string_view> parts) {
  std::string joined;
  for (const std::string_view part : parts) joined.append(part);
  return joined;
}

ControlSpec Line(std::string_view name, int x1, int y1, int x2, int y2) {
  return rows::Line({name}, "Frame3", x1, y1, x2, y2);
}

std::vector<ControlSpec> BuildInventory() {
  std::vector<ControlSpec> rows;
  rows.reserve(80);

  // The form and the controls placed on it.
  rows.push_back({.name = controls::kForm.name,
                  .kind = ControlKind::Form,
                  .role = ControlRole::MainWindow,
                  .width = 9420,
                  .height = 4740,
                  .caption = "Tavrelo",
                  .background = kFormGreen,
                  .font = &kUiFont});
  rows.push_back(Frame("Frame1", 240, 120, 4455, 3135, "土层参数", 0));
  rows.push_back(Button(controls::kCompute, 4320, 3360, 375, 1215, 34));
  rows.push_back(ResultBox(controls::kResult, 4800, 2880, 4455, 1695,
                           "此计算仅供参考！问题与建议请按程序附带的 README 所述反馈。\r\n", 35, "计算结果", false));
  rows.push_back(Frame("Frame2", 240, 3360, 3975, 1215, "相关参数", 36));
  rows.push_back(Frame("Frame3", 4800, 120, 4455, 2655, "负摩阻力系数ξn", 41));
  rows.back().table = controls::kReferenceTable;

  // Frame1, the layer table: its heading, then five rows of five controls.
  rows.push_back(Labelling(Label({"Label1"}, "Frame1", 360, 360, 2655, "持力层以上土层数（最多5层）：", 1),
                           controls::kLayerCount));
  rows.push_back(Combo(controls::kLayerCount, "Frame1", 3120, 360, 735, lists::kLayerCounts, 2, "持力层以上土层数"));
  rows.push_back(Label({"Label2"}, "Frame1", 3960, 360, 375, "层", 3));
  // The column headings; with a row's number they describe its fields.
  constexpr std::string_view kNumber = "编号";
  constexpr std::string_view kSoil = "名称";
  constexpr std::string_view kWeight = "重度";
  constexpr std::string_view kBottom = "层底标高";
  constexpr std::string_view kThickness = "土层厚";
  rows.push_back(Label({"Label3", 0}, "Frame1", 360, 840, 375, std::string(kNumber), 4));
  rows.push_back(Label({"Label3", 6}, "Frame1", 1080, 840, 375, std::string(kSoil), 10));
  rows.push_back(Label({"Label3", 7}, "Frame1", 1800, 840, 375, std::string(kWeight), 11, "kn/m3"));
  rows.push_back(Label({"Label3", 8}, "Frame1", 2520, 840, 735, std::string(kBottom), 12, "m"));
  rows.push_back(Label({"Label3", 9}, "Frame1", 3480, 840, 735, std::string(kThickness), 13, "m"));
  for (int k = 1; k <= controls::kLayerRows; ++k) {
    const int top = 1080 + 360 * (k - 1);
    const std::string number = std::to_string(k);
    const std::string layer = "第" + number + "层 ";
    // "编号 2，重度（kn/m3）": the row's number, then the column's heading.
    const auto cell = [&](ControlSpec row, std::string_view heading) {
      row.accessibleDescription = Join({kNumber, " ", number, "，", heading});
      if (!row.hint.empty()) row.accessibleDescription += Join({"（", row.hint, "）"});
      return row;
    };
    rows.push_back(Label(controls::RowNumber(k), "Frame1", 480, top, 375, number, 4 + k));
    rows.push_back(cell(
        Combo(controls::SoilName(k), "Frame1", 840, top, 855, lists::kSoilNames, 13 + k, layer + "土名称"), kSoil));
    rows.push_back(cell(Combo(controls::UnitWeight(k), "Frame1", 1680, top, 855, lists::kUnitWeights, 18 + k,
                              layer + "重度（kn/m3）", "kn/m3"),
                        kWeight));
    rows.push_back(cell(
        Combo(controls::Elevation(k), "Frame1", 2520, top, 855, lists::kDepths, 23 + k, layer + "层底标高（m）", "m"),
        kBottom));
    rows.push_back(cell(
        Combo(controls::Thickness(k), "Frame1", 3360, top, 855, lists::kDepths, 28 + k, layer + "土层厚（m）", "m"),
        kThickness));
  }

  // Frame2, the related parameters.
  rows.push_back(Labelling(Label({"Label4"}, "Frame2", 120, 360, 1575, "负摩阻力产生原因", 37), controls::kCause));
  rows.push_back(Combo(controls::kCause, "Frame2", 1680, 360, 2175, lists::kCauses, 38, "负摩阻力产生原因"));
  rows.push_back(Labelling(Label({"Label5"}, "Frame2", 120, 720, 1575, "负摩阻力系数ξn", 39), controls::kCoefficient));
  rows.push_back(Combo(controls::kCoefficient, "Frame2", 1680, 720, 735, lists::kCoefficients, 40, "负摩阻力系数ξn"));
  rows.push_back(Labelling(Label(controls::kLoadLabel, "Frame2", 2520, 720, 495, "荷载p", 58), controls::kLoad));
  rows.push_back(Combo(controls::kLoad, "Frame2", 3120, 720, 735, lists::kLoads, 59, "荷载p（kn）", "kn"));

  // Frame3, the ξn reference table: its grid, its cells and the notes.
  rows.push_back(Line("Line14", 240, 360, 4200, 360));
  rows.push_back(Line("Line17", 240, 600, 4200, 600));
  rows.push_back(Line("Line18", 240, 840, 4200, 840));
  rows.push_back(Line("Line19", 240, 1080, 4200, 1080));
  rows.push_back(Line("Line20", 240, 1320, 4200, 1320));
  rows.push_back(Line("Line21", 240, 1560, 4200, 1560));
  rows.push_back(Line("Line15", 240, 360, 240, 1560));
  rows.push_back(Line("Line22", 960, 360, 960, 1560));
  rows.push_back(Line("Line23", 2760, 360, 2760, 1560));
  rows.push_back(Line("Line16", 4200, 360, 4200, 1560));
  struct Cell {
    int left;
    int width;
    const char* caption;
  };
  // Columns: item number, soil class, ξn range; the first row is the heading.
  const std::array<std::array<Cell, 3>, 5> table = {{
      {{{480, 375, "项次"}, {1440, 375, "土类"}, {3360, 375, "ξn"}}},
      {{{480, 375, "1"}, {1440, 1095, "饱和软土"}, {3000, 975, "0.15-0.25"}}},
      {{{480, 375, "2"}, {1440, 1095, "粘性土、粉土"}, {3000, 975, "0.25-0.40"}}},
      {{{480, 375, "3"}, {1440, 375, "砂土"}, {3000, 975, "0.35-0.50"}}},
      {{{480, 375, "4"}, {1440, 1335, "自重湿陷性黄土"}, {3000, 975, "0.20-0.35"}}},
  }};
  // Row by row, as a screen reader that reads a window's controls in order
  // should meet them (the tab indexes, numbered down each column, stay).
  for (int row = 0; row < controls::kReferenceTable.rows; ++row) {
    for (int column = 0; column < controls::kReferenceTable.columns; ++column) {
      const Cell& cell = table[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
      const ControlKey key = controls::ReferenceCell({row, column});
      rows.push_back(Label(key, "Frame3", cell.left, 360 + 240 * row, cell.width, cell.caption, 32 + key.index));
      rows.back().cell = TableCell{row, column};
    }
  }
  // No line breaks: the blanks and the label's width put each note on a line.
  ControlSpec notes = Label({"Label6"}, "Frame3", 240, 1680, 3975,
                            "注：1、在同一类土中，对于打入桩或沉管灌注桩，取表中较大值，对于粘（冲）挖孔灌注桩，"
                            "取表中较小值。              2、填土按其组成取表中同类土的较大值。"
                            "                 3、当qsi(n)值大于正摩阻力时，取正摩阻力值。",
                            57);
  notes.height = 735;
  notes.foreground = kDarkRed;
  notes.font = &kNoteFont;
  rows.push_back(std::move(notes));
  return rows;
}

}  // namespace

const FontSpec& look::WindowFont() { return kUiFont; }
const FontSpec& look::NotesFont() { return kNoteFont; }

std::string DisplayName(ControlKey key) {
  std::string name(key.name);
  if (key.index >= 0) name.append("(").append(std::to_string(key.index)).append(")");
  return name;
}

std::span<const ControlSpec> ControlInventory() {
  static const std::vector<ControlSpec> inventory = BuildInventory();
  return inventory;
}

FormSpec MainForm() {
  // In the order of controls::kCopySteps, kCopyLayered, kOpenDowndrag.
  static constexpr std::array<FormCommand, 3> kCommands = {{
      {"复制计算过程", true},
      {"复制分层计算（JGJ 94-2008）"},
      {"下拉荷载计算（JGJ 94-2008）…", true},
  }};
  return {ControlInventory(), kCommands};
}

}  // namespace tavrelo::ui
