#include "tests/binding_cases/binding_test.h"

namespace tavrelo::ui::testing_support {

void BindingTest::PickAll(std::span<const EntryPick> picks) {
  ApplyPicks(picks, [this](ControlKey combo, std::string_view entry) { driver->PickByPointer(combo, entry); });
}

std::vector<std::string> BindingTest::Walk(std::size_t count, DriverKey key) {
  std::vector<std::string> visited{driver->Focused()};
  for (std::size_t i = 1; i < count; ++i) {
    driver->Key(key);
    visited.push_back(driver->Focused());
  }
  return visited;
}

std::vector<bool> BindingTest::RowsShown() {
  std::vector<bool> rows;
  for (int k = 1; k <= controls::kLayerRows; ++k) rows.push_back(driver->IsShown(controls::Thickness(k)));
  return rows;
}

std::vector<std::string> BindingTest::FieldsShown() {
  std::vector<std::string> texts;
  for (const ControlSpec& row : model.Inventory()) {
    if (row.kind == ControlKind::ComboBox) texts.push_back(driver->Shown(row.Key()));
  }
  texts.push_back(driver->Shown(controls::kResult));
  return texts;
}

}  // namespace tavrelo::ui::testing_support
