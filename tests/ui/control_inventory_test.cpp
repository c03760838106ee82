#include "ui/control_inventory.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "core/number_text.h"
#include "ui/form_model.h"

namespace tavrelo::ui {
namespace {

std::map<std::string, std::set<int>> IndexesByName() {
  std::map<std::string, std::set<int>> names;
  for (const ControlSpec& row : ControlInventory()) names[std::string(row.name)].insert(row.index);
  return names;
}

std::set<int> Range(int first, int last) {
  std::set<int> indexes;
  for (int i = first; i <= last; ++i) indexes.insert(i);
  return indexes;
}

TEST(Inventory, HoldsEveryControlOnce) {
  std::set<std::pair<std::string, int>> seen;
  for (const ControlSpec& row : ControlInventory()) {
    EXPECT_TRUE(seen.insert({std::string(row.name), row.index}).second) << DisplayName({row.name, row.index});
  }
  const auto names = IndexesByName();
  EXPECT_EQ(names.at("Label3"), Range(0, 24));
  EXPECT_EQ(names.at("Combo2"), Range(0, 4));
  EXPECT_EQ(names.at("Combo3"), Range(0, 4));
  EXPECT_EQ(names.at("Combo4"), Range(0, 9));
  for (const char* single : {"Form1", "Frame1", "Frame2", "Frame3", "Label1", "Label2", "Label4", "Label5", "Label6",
                             "Label7", "Combo1", "Combo5", "Combo6", "Combo7", "Text1", "Command1"}) {
    EXPECT_EQ(names.at(single), std::set<int>{-1}) << single;
  }
  for (const char* line :
       {"Line14", "Line15", "Line16", "Line17", "Line18", "Line19", "Line20", "Line21", "Line22", "Line23"}) {
    EXPECT_EQ(names.count(line), 1U) << line;
  }
  EXPECT_EQ(ControlInventory().size(), 16U + 25 + 5 + 5 + 10 + 10);
}

TEST(Inventory, ContainersComeBeforeWhatTheyHold) {
  std::set<std::string_view> built;
  for (const ControlSpec& row : ControlInventory()) {
    if (!row.container.empty()) {
      EXPECT_TRUE(built.count(row.container)) << DisplayName({row.name, row.index}) << " before " << row.container;
    }
    if (row.kind == ControlKind::Form || row.kind == ControlKind::Frame) built.insert(row.name);
  }
  EXPECT_EQ(ControlInventory().front().name, "Form1");
}

TEST(Inventory, EveryControlFitsInsideItsContainer) {
  FormModel model;
  for (const ControlSpec& row : ControlInventory()) {
    if (row.kind == ControlKind::Form) continue;
    const ControlSpec& outer = model.Row({row.container.empty() ? "Form1" : row.container});
    const auto name = DisplayName({row.name, row.index});
    EXPECT_GE(row.left, 0) << name;
    EXPECT_GE(row.top, 0) << name;
    EXPECT_LE(row.left + row.width, outer.width) << name;
    EXPECT_LE(row.top + row.height, outer.height) << name;
  }
}

TEST(Inventory, LayerRowsLineUp) {
  FormModel model;
  for (int k = 1; k <= 5; ++k) {
    const int top = model.Row({"Label3", k}).top;
    EXPECT_EQ(top, 1080 + 360 * (k - 1)) << "row " << k;
    for (const ControlKey key : {ControlKey{"Combo2", k - 1}, ControlKey{"Combo3", k - 1}, ControlKey{"Combo4", k - 1},
                                 ControlKey{"Combo4", k + 4}}) {
      EXPECT_EQ(model.Row(key).top, top) << DisplayName(key);
    }
    EXPECT_EQ(model.Row({"Label3", k}).caption, std::to_string(k));
  }
}

TEST(Inventory, TabOrderRunsDownEachColumnOfTheLayerTable) {
  std::vector<ControlKey> expected = {{"Combo1"}};
  for (const char* column : {"Combo2", "Combo3"}) {
    for (int i = 0; i < 5; ++i) expected.push_back({column, i});
  }
  for (int i = 0; i < 10; ++i) expected.push_back({"Combo4", i});
  for (const char* rest : {"Command1", "Text1", "Combo5", "Combo6", "Combo7"}) expected.push_back({rest});
  EXPECT_EQ(FormModel().TabOrder(), expected);
}

TEST(Inventory, TabIndexesAreUnique) {
  std::set<int> seen;
  for (const ControlSpec& row : ControlInventory()) {
    if (row.tabIndex >= 0) {
      EXPECT_TRUE(seen.insert(row.tabIndex).second) << row.tabIndex;
    }
  }
  EXPECT_EQ(seen, Range(0, 59));
}

TEST(Inventory, FocusableControlsHaveDistinctChineseNames) {
  std::set<std::string> names;
  for (const ControlSpec& row : ControlInventory()) {
    if (!row.TakesFocus()) continue;
    EXPECT_FALSE(row.accessibleName.empty()) << row.name;
    EXPECT_TRUE(names.insert(row.accessibleName).second) << row.accessibleName;
  }
  EXPECT_EQ(FormModel().Row({"Combo4", 7}).accessibleName, "第3层 土层厚（m）");
}

// --- What a screen reader finds ------------------------------------------------

TEST(Inventory, FourLabelsNameTheirFieldsAndNoOtherLabelsAny) {
  const std::map<std::string, std::string> expected = {
      {"Label1", "Combo1"}, {"Label4", "Combo5"}, {"Label5", "Combo6"}, {"Label7", "Combo7"}};
  std::map<std::string, std::string> found;
  for (const ControlSpec& row : ControlInventory()) {
    if (row.labelFor.name.empty()) continue;
    EXPECT_EQ(row.kind, ControlKind::Label) << DisplayName(row.Key());
    found[DisplayName(row.Key())] = DisplayName(row.labelFor);
  }
  EXPECT_EQ(found, expected);
}

// "编号 3，层底标高（m）": every field of row k is described by the row's
// number and its column's heading, as the labels on the window show them.
TEST(Inventory, LayerFieldsAreDescribedByTheirRowNumberAndColumnHeading) {
  const FormModel model;
  const std::array<std::pair<ControlKey (*)(int), std::string_view>, 4> columns = {{
      {controls::SoilName, "名称"},
      {controls::UnitWeight, "重度（kn/m3）"},
      {controls::Elevation, "层底标高（m）"},
      {controls::Thickness, "土层厚（m）"},
  }};
  for (int k = 1; k <= controls::kLayerRows; ++k) {
    for (const auto& [field, heading] : columns) {
      const std::string expected =
          model.Text({"Label3", 0}) + " " + model.Text(controls::RowNumber(k)) + "，" + std::string(heading);
      EXPECT_EQ(model.Row(field(k)).accessibleDescription, expected) << DisplayName(field(k));
    }
  }
  EXPECT_EQ(model.Row(controls::Elevation(3)).accessibleDescription, "编号 3，层底标高（m）");
  EXPECT_EQ(model.Row(controls::kLayerCount).accessibleDescription, "") << "its label names it";
}

TEST(Inventory, ReferenceTableCellsReadRowByRow) {
  const FormModel model;
  std::vector<std::string> rows;
  int cells = 0;
  EXPECT_EQ(model.Row({"Frame3"}).table, (TableSize{5, 3}));
  for (int row = 0; row < 5; ++row) {
    std::string line;
    for (int column = 0; column < 3; ++column) {
      const ControlKey key = controls::ReferenceCell({row, column});
      EXPECT_EQ(model.Row(key).cell, (TableCell{row, column})) << DisplayName(key);
      EXPECT_EQ(model.Row(key).container, "Frame3");
      line += (column > 0 ? "|" : "") + model.Text(key);
      ++cells;
    }
    rows.push_back(line);
  }
  EXPECT_THAT(rows, testing::ElementsAre("项次|土类|ξn", "1|饱和软土|0.15-0.25", "2|粘性土、粉土|0.25-0.40",
                                         "3|砂土|0.35-0.50", "4|自重湿陷性黄土|0.20-0.35"));
  // The window lists them row by row too: where the toolkit has no table,
  // a screen reader reads the controls in that order.
  std::vector<TableCell> listed;
  for (const ControlSpec& row : ControlInventory()) {
    if (row.cell) listed.push_back(*row.cell);
    if (row.table.rows > 0) {
      EXPECT_EQ(row.name, "Frame3") << "no other frame holds a table";
    }
  }
  ASSERT_EQ(listed.size(), static_cast<std::size_t>(cells)) << "no other control is a cell";
  for (std::size_t i = 0; i < listed.size(); ++i) {
    EXPECT_EQ(listed[i].row * 3 + listed[i].column, static_cast<int>(i));
  }
}

// The lists' written forms matter: entries are copied verbatim into the
// sentence ("桩周第2.0层土").
struct ListCase {
  const char* name;
  std::span<const std::string_view> list;
  std::vector<std::string_view> firstEntries;
  std::string_view last;
  std::size_t size;
};

class Lists : public testing::TestWithParam<ListCase> {};

TEST_P(Lists, KeepTheirEntriesInOrder) {
  const ListCase& c = GetParam();
  ASSERT_EQ(c.list.size(), c.size);
  for (std::size_t i = 0; i < c.firstEntries.size(); ++i) EXPECT_EQ(c.list[i], c.firstEntries[i]) << i;
  EXPECT_EQ(c.list.back(), c.last);
}

INSTANTIATE_TEST_SUITE_P(
    Form, Lists,
    testing::Values(
        ListCase{"LayerCounts", lists::kLayerCounts, {"1.0", "2.0", "3.0", "4.0"}, "5.0", 5},
        ListCase{"SoilNames",
                 lists::kSoilNames,
                 {"素填土", "杂填土", "冲填土", "粘土", "粉质粘土", "粉土", "砾砂"},
                 "粉砂",
                 11},
        ListCase{"UnitWeights", lists::kUnitWeights, {"17", "17.5", "18", "18.5", "19", "19.5"}, "20", 7},
        ListCase{"Depths", lists::kDepths, {"1.0", "1.5", "2.0"}, "30", 38},
        ListCase{"Causes", lists::kCauses, {"降低地下水"}, "地面有满布荷载", 2},
        ListCase{
            "Coefficients", lists::kCoefficients, {"0.15", "0.16", "0.17", "0.18", "0.19", "0.2", "0.21"}, "0.35", 21},
        ListCase{"Loads", lists::kLoads, {"5.0", "10", "11"}, "40", 24}),
    [](const auto& row) { return std::string(row.param.name); });

std::vector<double> Values(std::span<const std::string_view> list) {
  std::vector<double> values;
  for (const std::string_view entry : list) {
    const NumberReading reading = ReadNumber(entry);
    EXPECT_TRUE(reading.ok()) << entry;
    values.push_back(reading.value);
  }
  return values;
}

TEST(Lists, NumericListsStepEvenly) {
  // Depths: 1.0 to 9.0 by 0.5, then 10 to 30 by 1, with one decimal below 10.
  const std::vector<double> depths = Values(lists::kDepths);
  for (std::size_t i = 0; i < depths.size(); ++i) {
    EXPECT_EQ(depths[i], i < 17 ? 1.0 + 0.5 * static_cast<double>(i) : static_cast<double>(i - 7)) << i;
    EXPECT_EQ(lists::kDepths[i].find('.') != std::string_view::npos, i < 17) << lists::kDepths[i];
  }
  // ξn: 0.15 to 0.35 by 0.01.
  const std::vector<double> coefficients = Values(lists::kCoefficients);
  for (std::size_t i = 0; i < coefficients.size(); ++i) {
    EXPECT_DOUBLE_EQ(coefficients[i], 0.15 + 0.01 * static_cast<double>(i)) << i;
  }
  // Loads: 5.0, 10 to 30 by 1, 35, 40.
  const std::vector<double> loads = Values(lists::kLoads);
  EXPECT_EQ(loads.front(), 5.0);
  for (std::size_t i = 1; i <= 21; ++i) EXPECT_EQ(loads[i], static_cast<double>(i + 9)) << i;
  EXPECT_EQ(loads[22], 35.0);
  EXPECT_EQ(loads[23], 40.0);
}

TEST(Notes, HaveNoLineBreaksAndTheirBlanks) {
  const std::string& notes = FormModel().Row({"Label6"}).caption;  // the inventory outlives the model
  EXPECT_EQ(notes.find_first_of("\r\n"), std::string::npos);
  EXPECT_NE(notes.find("较小值。" + std::string(14, ' ') + "2、"), std::string::npos);
  EXPECT_NE(notes.find("较大值。" + std::string(17, ' ') + "3、"), std::string::npos);
  EXPECT_EQ(notes.rfind("注：1、", 0), 0U);
}

}  // namespace
}  // namespace tavrelo::ui
