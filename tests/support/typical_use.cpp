#include "tests/support/typical_use.h"

namespace tavrelo::ui::testing_support {

void ApplyPicks(std::span<const EntryPick> picks, const Picker& pick) {
  for (const EntryPick& step : picks) pick(step.control, step.entry);
}

std::optional<int> EntryIndex(const FormModel& model, ControlKey control, std::string_view entry) {
  if (!model.Contains(control)) return std::nullopt;
  const auto list = model.Row(control).list;
  for (std::size_t i = 0; i < list.size(); ++i) {
    if (list[i] == entry) return static_cast<int>(i);
  }
  return std::nullopt;
}

bool PickEntry(FormModel& model, ControlKey control, std::string_view entry) {
  const std::optional<int> index = EntryIndex(model, control, entry);
  if (index) model.Select(control, *index);
  return index.has_value();
}

}  // namespace tavrelo::ui::testing_support
