#include "ui/result_menu.h"

namespace tavrelo::ui {

std::vector<ResultMenuEntry> ResultMenuEntries(const FormModel& model, const ControlSpec& box, const EditState& state) {
  const bool editable = !box.readOnly;
  std::vector<ResultMenuEntry> entries;
  entries.reserve(kEditEntries.size() + model.Commands().size());
  for (const EditEntry& edit : kEditEntries) {
    bool enabled = false;
    switch (edit.command) {
      case EditCommand::Undo: enabled = editable && state.undo; break;
      case EditCommand::Cut:
      case EditCommand::Delete: enabled = editable && state.selection; break;
      case EditCommand::Copy: enabled = state.selection; break;
      case EditCommand::Paste: enabled = editable && state.paste; break;
      case EditCommand::SelectAll: enabled = state.text; break;
    }
    entries.push_back({edit.text, edit.shortcut, edit.separatorBefore, enabled, edit.command});
  }
  const auto commands = model.Commands();
  for (std::size_t i = 0; i < commands.size(); ++i) {
    entries.push_back({commands[i].text, {}, commands[i].separatorBefore, model.CommandEnabled(i), std::nullopt, i});
  }
  return entries;
}

std::optional<EditCommand> ChooseResultMenuEntry(FormModel& model, const ResultMenuEntry& entry) {
  if (!entry.enabled) return std::nullopt;
  if (entry.edit) return entry.edit;
  model.RunCommand(entry.command);
  return std::nullopt;
}

}  // namespace tavrelo::ui
