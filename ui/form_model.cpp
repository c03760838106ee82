#include "ui/form_model.h"

#include <algorithm>
#include <cstdlib>
#include <stdexcept>
#include <tuple>

namespace tavrelo::ui {
namespace {

auto Order(ControlKey key) { return std::tuple(key.name, key.index); }

// The model misused while a window is built or a test sets it up: an
// exception where the build has them; where it has none (the web page, built
// with -fno-exceptions), the program ends, as an uncaught exception would.
template <typename Error>
[[noreturn]] void Misused(const std::string& what) {
#if defined(__cpp_exceptions)
  throw Error(what);
#else
  (void)what;
  std::abort();
#endif
}

// Sorts keeping equal items in their order. The lists are the window's
// controls (some 80): std::stable_sort's merging would add kilobytes of code
// to the web page for no time anyone could measure.
template <typename T, typename Less>
void StableSort(std::vector<T>& items, Less less) {
  for (std::size_t i = 1; i < items.size(); ++i) {
    const T item = items[i];
    std::size_t j = i;
    for (; j > 0 && less(item, items[j - 1]); --j) items[j] = items[j - 1];
    items[j] = item;
  }
}

}  // namespace

FormModel::FormModel(const FormSpec& form)
    : inventory_(form.inventory),
      commands_(form.commands),
      states_(inventory_.size()),
      byKey_(inventory_.size()),
      commandStates_(commands_.size()) {
  if (inventory_.empty() || inventory_.front().kind != ControlKind::Form) {
    Misused<std::invalid_argument>("an inventory begins with its form");
  }
  for (std::size_t i = 0; i < inventory_.size(); ++i) {
    if (inventory_[i].kind != ControlKind::ComboBox) states_[i].text = inventory_[i].caption;
    byKey_[i] = i;
  }
  states_.front().visible = inventory_.front().role != ControlRole::OwnedWindow;
  StableSort(byKey_,
             [&](std::size_t a, std::size_t b) { return Order(inventory_[a].Key()) < Order(inventory_[b].Key()); });
}

std::optional<std::size_t> FormModel::Position(ControlKey control) const noexcept {
  const auto found = std::lower_bound(byKey_.begin(), byKey_.end(), Order(control),
                                      [&](std::size_t i, const auto& key) { return Order(inventory_[i].Key()) < key; });
  if (found == byKey_.end() || !(inventory_[*found].Key() == control)) return std::nullopt;
  return *found;
}

FormModel::State* FormModel::Find(ControlKey control) noexcept {
  const auto position = Position(control);
  return position ? &states_[*position] : nullptr;
}

const ControlSpec& FormModel::Row(ControlKey control) const {
  const auto position = Position(control);
  if (!position) Misused<std::out_of_range>("no control " + DisplayName(control));
  return inventory_[*position];
}

const ControlSpec& FormModel::FormRow() const { return inventory_.front(); }

std::vector<ControlKey> FormModel::TabOrder() const {
  std::vector<const ControlSpec*> focusable;
  for (const ControlSpec& row : inventory_) {
    if (row.TakesFocus()) focusable.push_back(&row);
  }
  StableSort(focusable, [](const ControlSpec* a, const ControlSpec* b) { return a->tabIndex < b->tabIndex; });
  std::vector<ControlKey> order;
  order.reserve(focusable.size());
  for (const ControlSpec* row : focusable) order.push_back(row->Key());
  return order;
}

ControlKey FormModel::InitialFocus() const {
  const std::vector<ControlKey> order = TabOrder();
  return order.empty() ? FormKey() : order.front();
}

const std::string& FormModel::Text(ControlKey control) const {
  static const std::string kNone;
  const auto position = Position(control);
  return position ? states_[*position].text : kNone;
}

void FormModel::SetText(ControlKey control, std::string_view text) {
  State* state = Find(control);
  if (state == nullptr || state->text == text) return;
  state->text.assign(text);
  if (view_ != nullptr) view_->TextChanged(control, state->text);
}

bool FormModel::Visible(ControlKey control) const {
  const auto position = Position(control);
  return position && states_[*position].visible;
}

void FormModel::SetVisible(ControlKey control, bool visible) {
  State* state = Find(control);
  if (state == nullptr || state->visible == visible) return;
  state->visible = visible;
  if (view_ != nullptr) view_->VisibilityChanged(control, visible);
}

std::optional<int> FormModel::Selection(ControlKey control) const {
  const auto position = Position(control);
  return position ? states_[*position].selection : std::nullopt;
}

const ProfileDrawing* FormModel::Drawing(ControlKey control) const {
  const auto position = Position(control);
  return position ? states_[*position].drawing.get() : nullptr;
}

std::shared_ptr<const ProfileDrawing> FormModel::SharedDrawing(ControlKey control) const {
  const auto position = Position(control);
  return position ? states_[*position].drawing : nullptr;
}

void FormModel::SetDrawing(ControlKey control, std::shared_ptr<const ProfileDrawing> drawing) {
  State* state = Find(control);
  if (state == nullptr || inventory_[*Position(control)].kind != ControlKind::Picture) return;
  state->drawing = std::move(drawing);
  if (view_ != nullptr) view_->DrawingChanged(control);
}

void FormModel::Select(ControlKey combo, int entry) {
  const auto position = Position(combo);
  if (!position) return;
  const ControlSpec& row = inventory_[*position];
  if (row.kind != ControlKind::ComboBox || entry < 0 || static_cast<std::size_t>(entry) >= row.list.size()) return;
  SetText(combo, row.list[static_cast<std::size_t>(entry)]);
  State& state = states_[*position];
  if (state.selection != entry) {
    state.selection = entry;
    if (view_ != nullptr) view_->SelectionChanged(combo, entry);
  }
  // A copy: the handler may replace itself.
  if (const Handler handler = state.handler) handler();
}

void FormModel::Press(ControlKey button) {
  const auto position = Position(button);
  if (!position || inventory_[*position].kind != ControlKind::CommandButton) return;
  if (const Handler handler = states_[*position].handler) handler();
}

void FormModel::ReportProblem(const InputProblem& problem) {
  if (view_ != nullptr) view_->ProblemReported(problem);
}

void FormModel::RequestFocus(ControlKey control) {
  const auto position = Position(control);
  if (!position || !inventory_[*position].TakesFocus() || !states_[*position].visible) return;
  if (view_ != nullptr) view_->FocusRequested(control);
}

void FormModel::Announce(ControlKey control) {
  if (Contains(control) && view_ != nullptr) view_->AnnouncementRequested(control);
}

bool FormModel::CommandEnabled(std::size_t command) const {
  return command < commandStates_.size() && commandStates_[command].enabled;
}

void FormModel::SetCommandEnabled(std::size_t command, bool enabled) {
  if (command < commandStates_.size()) commandStates_[command].enabled = enabled;
}

const ClipboardContent& FormModel::CommandCopy(std::size_t command) const {
  static const ClipboardContent kNone;
  return command < commandStates_.size() ? commandStates_[command].copy : kNone;
}

void FormModel::SetCommandCopy(std::size_t command, ClipboardContent content) {
  if (command >= commandStates_.size()) return;
  CommandState& state = commandStates_[command];
  state.enabled = !content.text.empty();
  state.copy = std::move(content);
}

void FormModel::RunCommand(std::size_t command) {
  if (!CommandEnabled(command)) return;
  const CommandState& state = commandStates_[command];
  if (!state.copy.text.empty() && view_ != nullptr) view_->ClipboardRequested(state.copy);
  // A copy: the handler may replace itself.
  if (const Handler handler = state.handler) handler();
}

void FormModel::OnCommand(std::size_t command, Handler handler) {
  if (command >= commandStates_.size()) {
    Misused<std::invalid_argument>(DisplayName(FormKey()) + " has no command " + std::to_string(command));
  }
  commandStates_[command].handler = std::move(handler);
}

void FormModel::OnSelect(ControlKey combo, Handler handler) {
  if (Row(combo).kind != ControlKind::ComboBox) Misused<std::invalid_argument>(DisplayName(combo) + " has no list");
  states_[*Position(combo)].handler = std::move(handler);
}

void FormModel::OnPress(ControlKey button, Handler handler) {
  if (Row(button).kind != ControlKind::CommandButton) {
    Misused<std::invalid_argument>(DisplayName(button) + " is not a button");
  }
  states_[*Position(button)].handler = std::move(handler);
}

}  // namespace tavrelo::ui
