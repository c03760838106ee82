#include "ui/form_model.h"

#include <algorithm>
#include <stdexcept>

namespace tavrelo::ui {

std::string DisplayName(ControlKey key) {
  std::string name(key.name);
  if (key.index >= 0) name.append("(").append(std::to_string(key.index)).append(")");
  return name;
}

FormModel::FormModel(std::span<const ControlSpec> inventory) : inventory_(inventory), states_(inventory.size()) {
  for (std::size_t i = 0; i < inventory_.size(); ++i) {
    if (inventory_[i].kind != ControlKind::ComboBox) states_[i].text = inventory_[i].caption;
  }
}

std::size_t FormModel::Position(ControlKey control) const {
  const auto found = std::find_if(inventory_.begin(), inventory_.end(), [&](const ControlSpec& row) {
    return row.name == control.name && row.index == control.index;
  });
  if (found == inventory_.end()) throw std::out_of_range("no control " + DisplayName(control));
  return static_cast<std::size_t>(found - inventory_.begin());
}

const ControlSpec& FormModel::Row(ControlKey control) const { return inventory_[Position(control)]; }

bool FormModel::Contains(ControlKey control) const noexcept {
  return std::any_of(inventory_.begin(), inventory_.end(),
                     [&](const ControlSpec& row) { return row.name == control.name && row.index == control.index; });
}

std::vector<ControlKey> FormModel::TabOrder() const {
  std::vector<const ControlSpec*> focusable;
  for (const ControlSpec& row : inventory_) {
    if (row.TakesFocus()) focusable.push_back(&row);
  }
  std::stable_sort(focusable.begin(), focusable.end(),
                   [](const ControlSpec* a, const ControlSpec* b) { return a->tabIndex < b->tabIndex; });
  std::vector<ControlKey> order;
  order.reserve(focusable.size());
  for (const ControlSpec* row : focusable) order.push_back({row->name, row->index});
  return order;
}

const std::string& FormModel::Text(ControlKey control) const { return states_[Position(control)].text; }

void FormModel::SetText(ControlKey control, std::string_view text) {
  State& state = states_[Position(control)];
  if (state.text == text) return;
  state.text.assign(text);
  if (view_ != nullptr) view_->TextChanged(control, state.text);
}

bool FormModel::Visible(ControlKey control) const { return states_[Position(control)].visible; }

void FormModel::SetVisible(ControlKey control, bool visible) {
  State& state = states_[Position(control)];
  if (state.visible == visible) return;
  state.visible = visible;
  if (view_ != nullptr) view_->VisibilityChanged(control, visible);
}

std::optional<int> FormModel::Selection(ControlKey control) const { return states_[Position(control)].selection; }

void FormModel::Select(ControlKey combo, int entry) {
  const std::size_t i = Position(combo);
  const ControlSpec& row = inventory_[i];
  if (row.kind != ControlKind::ComboBox || entry < 0 || static_cast<std::size_t>(entry) >= row.list.size()) return;
  SetText(combo, row.list[static_cast<std::size_t>(entry)]);
  State& state = states_[i];
  if (state.selection != entry) {
    state.selection = entry;
    if (view_ != nullptr) view_->SelectionChanged(combo, entry);
  }
  // A copy: the handler may replace itself.
  if (const Handler handler = state.handler) handler();
}

void FormModel::Press(ControlKey button) {
  const std::size_t i = Position(button);
  if (inventory_[i].kind != ControlKind::CommandButton) return;
  if (const Handler handler = states_[i].handler) handler();
}

void FormModel::OnSelect(ControlKey combo, Handler handler) {
  const std::size_t i = Position(combo);
  if (inventory_[i].kind != ControlKind::ComboBox) throw std::invalid_argument(DisplayName(combo) + " has no list");
  states_[i].handler = std::move(handler);
}

void FormModel::OnPress(ControlKey button, Handler handler) {
  const std::size_t i = Position(button);
  if (inventory_[i].kind != ControlKind::CommandButton) {
    throw std::invalid_argument(DisplayName(button) + " is not a button");
  }
  states_[i].handler = std::move(handler);
}

}  // namespace tavrelo::ui
