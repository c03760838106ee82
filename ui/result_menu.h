#pragma once
// The context menu of a result box (right click, the menu key, Shift+F10),
// the same on every binding: the editing commands every edit field has, in
// Chinese whatever the system's language, then the form's own commands
// (FormSpec::commands: "复制计算过程", …). A binding builds its menu from
// ResultMenuEntries and hands the entry chosen to ChooseResultMenuEntry:
// which entries are enabled, and what a form's command does, are decided
// here and by the form's handlers, never by a binding.

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

#include "ui/form_model.h"

namespace tavrelo::ui {

enum class EditCommand { Undo, Cut, Copy, Paste, Delete, SelectAll };

// What the result box's editing commands could do now, as its toolkit tells.
struct EditState {
  bool undo = false;       // there is an edit to undo
  bool selection = false;  // some text is selected
  bool text = false;       // the box holds any text
  bool paste = false;      // the clipboard holds text to paste
};

struct ResultMenuEntry {
  std::string_view text;      // as the menu shows it; "&" marks the access key
  std::string_view shortcut;  // shown at the right, empty for none
  bool separatorBefore = false;
  bool enabled = false;
  std::optional<EditCommand> edit;  // an editing command of the box, or none for
  std::size_t command = 0;          // the form's own command at this place
};

// The editing commands, in the order the menu shows them.
struct EditEntry {
  EditCommand command;
  std::string_view text;
  std::string_view shortcut;
  bool separatorBefore = false;
};
inline constexpr std::array<EditEntry, 6> kEditEntries = {{
    {EditCommand::Undo, "撤销(&U)", "Ctrl+Z"},
    {EditCommand::Cut, "剪切(&T)", "Ctrl+X", true},
    {EditCommand::Copy, "复制(&C)", "Ctrl+C"},
    {EditCommand::Paste, "粘贴(&P)", "Ctrl+V"},
    {EditCommand::Delete, "删除(&D)", "Del"},
    {EditCommand::SelectAll, "全选(&A)", "Ctrl+A", true},
}};

// The menu of `box`, a result box of `model`, as it opens now, top to
// bottom. A read-only box offers no command that would change its text.
[[nodiscard]] std::vector<ResultMenuEntry> ResultMenuEntries(const FormModel& model, const ControlSpec& box,
                                                             const EditState& state);

// Carries out an entry the user chose: the form's command runs in the model
// (FormModel::RunCommand); an editing command is returned for the binding to
// run on its box. Nothing for an entry that is not enabled.
std::optional<EditCommand> ChooseResultMenuEntry(FormModel& model, const ResultMenuEntry& entry);

}  // namespace tavrelo::ui
