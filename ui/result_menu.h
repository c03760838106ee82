#pragma once
// The result box's context menu: the editing commands every edit field has,
// "复制计算过程", which puts the calculation behind the sentence on the
// clipboard for a report, and "复制分层计算（JGJ 94-2008）", which puts the
// same press's stress summed layer by layer there. Qt builds the editing part itself (in Chinese
// through Qt's own translations); the Windows binding builds the whole menu
// from this table, so that it is Chinese on every Windows.

#include <array>
#include <string_view>

#include "ui/form_model.h"

namespace tavrelo::ui {

enum class ResultMenuCommand { Undo, Cut, Copy, Paste, Delete, SelectAll, CopySteps, CopyLayered };

struct ResultMenuItem {
  ResultMenuCommand command;
  std::string_view text;      // as the menu shows it; "&" marks the access key
  std::string_view shortcut;  // shown at the right, empty for none
  bool separatorBefore = false;
};

inline constexpr std::string_view kCopyStepsText = "复制计算过程";
inline constexpr std::string_view kCopyLayeredText = "复制分层计算（JGJ 94-2008）";

inline constexpr std::array<ResultMenuItem, 8> kResultMenu = {{
    {ResultMenuCommand::Undo, "撤销(&U)", "Ctrl+Z"},
    {ResultMenuCommand::Cut, "剪切(&T)", "Ctrl+X", true},
    {ResultMenuCommand::Copy, "复制(&C)", "Ctrl+C"},
    {ResultMenuCommand::Paste, "粘贴(&P)", "Ctrl+V"},
    {ResultMenuCommand::Delete, "删除(&D)", "Del"},
    {ResultMenuCommand::SelectAll, "全选(&A)", "Ctrl+A", true},
    {ResultMenuCommand::CopySteps, kCopyStepsText, "", true},
    {ResultMenuCommand::CopyLayered, kCopyLayeredText, ""},
}};

// The plain text (lines ended by LF) a copying command puts on the
// clipboard: what the last press that gave a sentence kept for it. Empty
// before that press, and for the editing commands.
[[nodiscard]] inline std::string_view TextToCopy(const FormModel& model, ResultMenuCommand command) {
  switch (command) {
    case ResultMenuCommand::CopySteps: return model.CalculationSteps();
    case ResultMenuCommand::CopyLayered: return model.LayeredCalculation();
    default: return {};
  }
}
// A copying command is there to choose once a press has given a sentence.
[[nodiscard]] inline bool CanCopy(const FormModel& model, ResultMenuCommand command) {
  return !TextToCopy(model, command).empty();
}

}  // namespace tavrelo::ui
