#include "ui/downdrag_form.h"

#include <array>
#include <string>
#include <vector>

#include "ui/inventory_rows.h"

namespace tavrelo::ui {
namespace {

using namespace look;
using namespace downdrag;

// Positions below are in pixels at 96 dpi, turned into twips here: the
// window was laid out on a 96-dpi grid, as the main one was.
constexpr int Twips(int pixels) { return pixels * 15; }

// --- Lists -------------------------------------------------------------------

// ξn of a layer, 0.15 to 0.50 in steps of 0.05.
constexpr std::array<std::string_view, 8> kCoefficients = {"0.15", "0.20", "0.25", "0.30",
                                                           "0.35", "0.40", "0.45", "0.50"};
constexpr std::array<std::string_view, 10> kSideResistances = {"10", "15", "20", "25", "30",
                                                               "40", "50", "60", "80", "100"};  // qsik, kPa
constexpr std::array<std::string_view, 2> kShapes = {kRound.name, kSquare.name};
constexpr std::array<std::string_view, 9> kSizes = {"0.3", "0.4", "0.5", "0.6", "0.7", "0.8", "1.0", "1.2", "1.5"};
constexpr std::array<std::string_view, 7> kPileTops = {"0", "0.5", "1.0", "1.5", "2.0", "2.5", "3.0"};
constexpr std::array<std::string_view, 2> kPileKinds = {kSingle, kGroup};
constexpr std::array<std::string_view, 9> kSpacings = {"0.9", "1.0", "1.2", "1.5", "1.8", "2.0", "2.4", "2.7", "3.0"};
// The values of the neutral depth table.
constexpr std::array<std::string_view, 8> kNeutralRatios = {"0.5", "0.55", "0.6", "0.7", "0.75", "0.8", "0.9", "1.0"};

// --- Rows, placed in pixels -------------------------------------------------

ControlSpec Frame(std::string_view name, int x, int y, int width, int height, std::string caption, int tabIndex) {
  return rows::Frame(name, Twips(x), Twips(y), Twips(width), Twips(height), std::move(caption), tabIndex);
}

ControlSpec Label(ControlKey key, std::string_view frame, int x, int y, int width, std::string caption,
                  std::string_view hint = {}) {
  return rows::Label(key, frame, Twips(x), Twips(y), Twips(width), std::move(caption), -1, hint);
}

ControlSpec Combo(ControlKey key, std::string_view frame, int x, int y, int width,
                  std::span<const std::string_view> list, int tabIndex, std::string name, std::string_view hint = {}) {
  return rows::Combo(key, frame, Twips(x), Twips(y), Twips(width), list, tabIndex, std::move(name), hint);
}

ControlSpec Line(int index, int x1, int y1, int x2, int y2) {
  return rows::Line({"DdLine", index}, "DdFrame3", Twips(x1), Twips(y1), Twips(x2), Twips(y2));
}

using rows::Cell;
using rows::Labelling;

std::vector<ControlSpec> BuildInventory() {
  std::vector<ControlSpec> rows;
  rows.reserve(120);
  rows.push_back({.name = kForm.name,
                  .kind = ControlKind::Form,
                  .role = ControlRole::OwnedWindow,
                  .width = Twips(840),
                  .height = Twips(440),
                  .caption = "下拉荷载计算（JGJ 94-2008 第5.4.4条）",
                  .background = kFormGreen,
                  .font = &WindowFont()});

  // The layers of the last press, and the fields of each.
  rows.push_back(Frame("DdFrame1", 8, 8, 392, 172, "各层参数", 0));
  rows.back().table = {6, 3};
  // Column by column, as the cells read: number, γi, hi.
  constexpr std::array<int, 3> kCellX = {12, 52, 116};
  constexpr std::array<int, 3> kCellWidth = {36, 60, 56};
  const std::array<const char*, 3> headings = {"层号", "重度γi", "层厚hi"};
  const std::array<std::string_view, 3> hints = {"", "kn/m3", "m"};
  for (int column = 0; column < 3; ++column) {
    const auto c = static_cast<std::size_t>(column);
    rows.push_back(
        Cell(Label({"DdCell", column}, "DdFrame1", kCellX[c], 24, kCellWidth[c], headings[c], hints[c]), 0, column));
  }
  rows.push_back(Label({"DdLabel", 0}, "DdFrame1", 180, 24, 100, "负摩阻力系数ξni"));
  rows.push_back(Label({"DdLabel", 1}, "DdFrame1", 284, 24, 96, "qsik（kPa）", "正摩阻力标准值，kPa"));
  for (int k = 1; k <= controls::kLayerRows; ++k) {
    const int y = 44 + 24 * (k - 1);
    const std::string number = std::to_string(k);
    rows.push_back(Cell(Label(RowNumber(k), "DdFrame1", 20, y + 2, 24, number), k, 0));
    rows.push_back(Cell(Label(UnitWeight(k), "DdFrame1", kCellX[1], y + 2, kCellWidth[1], ""), k, 1));
    rows.push_back(Cell(Label(Thickness(k), "DdFrame1", kCellX[2], y + 2, kCellWidth[2], ""), k, 2));
  }
  for (int k = 1; k <= controls::kLayerRows; ++k) {
    const int y = 44 + 24 * (k - 1);
    const std::string layer = "第" + std::to_string(k) + "层 ";
    ControlSpec coefficient =
        Combo(Coefficient(k), "DdFrame1", 180, y, 84, kCoefficients, k, layer + "负摩阻力系数ξni");
    coefficient.accessibleDescription = "编号 " + std::to_string(k) + "，负摩阻力系数ξni";
    rows.push_back(std::move(coefficient));
  }
  for (int k = 1; k <= controls::kLayerRows; ++k) {
    const int y = 44 + 24 * (k - 1);
    const std::string layer = "第" + std::to_string(k) + "层 ";
    ControlSpec side = Combo(SideResistance(k), "DdFrame1", 284, y, 84, kSideResistances, 5 + k,
                             layer + "正摩阻力标准值qsik（kPa）", "kPa，留空为不限");
    side.accessibleDescription = "编号 " + std::to_string(k) + "，正摩阻力标准值qsik（kPa），留空为不限";
    rows.push_back(std::move(side));
  }

  // The pile.
  rows.push_back(Frame("DdFrame2", 8, 188, 392, 100, "桩", 20));
  rows.push_back(Labelling(Label({"DdShapeLabel"}, "DdFrame2", 12, 24, 36, "形状"), kShape));
  rows.push_back(Combo(kShape, "DdFrame2", 52, 22, 76, kShapes, 11, "桩的形状"));
  rows.push_back(Labelling(Label(kSizeLabel, "DdFrame2", 140, 24, 84, std::string(kRound.sizeLabel)), kSize));
  rows.push_back(Combo(kSize, "DdFrame2", 228, 22, 64, kSizes, 12, "桩径d或边长b（m）", "m"));
  rows.push_back(Labelling(Label({"DdPileTopLabel"}, "DdFrame2", 12, 48, 96, "桩顶深度t（m）", "桩顶在地面下的深度，m"),
                           kPileTop));
  rows.push_back(Combo(kPileTop, "DdFrame2", 112, 46, 64, kPileTops, 13, "桩顶深度t（m）", "m"));
  rows.push_back(Labelling(Label({"DdPileKindLabel"}, "DdFrame2", 12, 72, 72, "单桩或群桩"), kPileKind));
  rows.push_back(Combo(kPileKind, "DdFrame2", 88, 70, 64, kPileKinds, 14, "单桩或群桩"));
  rows.push_back(Labelling(Label(kSpacingXLabel, "DdFrame2", 160, 72, 50, "sax（m）", "群桩纵向桩距，m"), kSpacingX));
  rows.push_back(Combo(kSpacingX, "DdFrame2", 210, 70, 56, kSpacings, 15, "群桩桩距sax（m）", "m"));
  rows.push_back(Labelling(Label(kSpacingYLabel, "DdFrame2", 272, 72, 50, "say（m）", "群桩横向桩距，m"), kSpacingY));
  rows.push_back(Combo(kSpacingY, "DdFrame2", 322, 70, 56, kSpacings, 16, "群桩桩距say（m）", "m"));

  // ln/l0 beside the neutral depth table (表5.4.4-2).
  rows.push_back(Frame("DdFrame3", 8, 296, 392, 136, "中性点深度比ln/l0", 21));
  rows.back().table = {5, 2};
  rows.push_back(Labelling(Label({"DdNeutralRatioLabel"}, "DdFrame3", 12, 24, 36, "ln/l0"), kNeutralRatio));
  rows.push_back(Combo(kNeutralRatio, "DdFrame3", 52, 22, 64, kNeutralRatios, 17, "中性点深度比ln/l0"));
  int line = 0;
  for (int row = 0; row <= 5; ++row) rows.push_back(Line(line++, 132, 22 + 16 * row, 368, 22 + 16 * row));
  for (const int x : {132, 256, 368}) rows.push_back(Line(line++, x, 22, x, 102));
  const std::array<std::array<const char*, 2>, 5> table = {{{"持力层性质", "ln/l0"},
                                                            {"黏性土、粉土", "0.5～0.6"},
                                                            {"中密以上砂", "0.7～0.8"},
                                                            {"砾石、卵石", "0.9"},
                                                            {"基岩", "1.0"}}};
  for (int row = 0; row < 5; ++row) {
    for (int column = 0; column < 2; ++column) {
      const char* text = table[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
      rows.push_back(Cell(Label({"DdRatioCell", 2 * row + column}, "DdFrame3", column == 0 ? 140 : 264, 22 + 16 * row,
                                column == 0 ? 108 : 96, text),
                          row, column));
    }
  }

  // The pile in its soil, beside the fields.
  rows.push_back({.name = kProfile.name,
                  .kind = ControlKind::Picture,
                  .left = Twips(408),
                  .top = Twips(8),
                  .width = Twips(232),
                  .height = Twips(300),
                  .accessibleName = "示意图"});

  // The notes of the table and of the method.
  rows.push_back(Frame("DdFrame4", 648, 8, 184, 300, "说明", 22));
  ControlSpec notes = Label({"DdNotes"}, "DdFrame4", 8, 20, 168, "");
  notes.height = Twips(272);
  notes.caption =
      "注：1、ln、l0自桩顶算起，l0算至软弱土层下限。2、桩穿越自重湿陷性黄土层时，ln可按表列值增大10%（持力层为"
      "基岩除外）。3、当桩周土层固结与桩基沉降同时完成时，取ln = 0。4、当桩周土层计算沉降量小于20 mm时，ln应按"
      "表列值乘以0.4～0.8折减。5、式(5.4.4-3)按圆桩写出，方桩取u = 4b、A = b²。6、各层重度为主窗口所填之值，地下"
      "水位以下应取浮重度。7、qsik留空时不限制qsi。8、单桩及ln = 0时ηn = 1。";
  notes.font = &NotesFont();
  notes.foreground = kDarkRed;
  rows.push_back(std::move(notes));

  // "计算" and the result.
  rows.push_back(rows::Button(kCompute, Twips(408), Twips(316), Twips(25), Twips(116), 18, ControlRole::DefaultButton));
  rows.push_back(rows::ResultBox(kResult, Twips(440), Twips(316), Twips(392), Twips(116),
                                 "填写各层负摩阻力系数ξni、桩的参数与ln/l0后，按“计算”。", 19, "下拉荷载计算结果",
                                 true));
  return rows;
}

}  // namespace

FormSpec DowndragForm() {
  static const std::vector<ControlSpec> inventory = BuildInventory();
  static constexpr std::array<FormCommand, 1> kCommands = {{{"复制下拉荷载计算过程", true}}};
  return {inventory, kCommands};
}

}  // namespace tavrelo::ui
