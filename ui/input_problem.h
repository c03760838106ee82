#pragma once
// Why a press of "计算" gave no sentence: one Chinese sentence for the
// message box, and the field the user should correct.

#include <string>

#include "ui/controls.h"

namespace tavrelo::ui {

struct InputProblem {
  std::string message;
  ControlKey field;

  friend bool operator==(const InputProblem&, const InputProblem&) = default;
};

// The title of the message box that shows it: the window's caption.
inline constexpr std::string_view kProblemTitle = "Tavrelo";
// Its only button.
inline constexpr std::string_view kProblemButton = "确定";

}  // namespace tavrelo::ui
