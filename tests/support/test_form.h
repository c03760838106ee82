#pragma once
// A program of two small forms of the tests' own, to show that a binding
// builds, mirrors and hands back any form from its inventory alone, and
// opens, shows and closes a window that another one owns, without a line of
// binding code naming either:
//
//   TestForm  试验窗口   two fields with empty lists (长度a, 宽度b), a combo
//             box with a list (倍数k), a button "计算", a read-only result
//             box whose menu copies "复制试验结果" and opens "打开说明…", and a
//             table of 3 × 2 labels (符号/意义, a/长度, b/宽度) in a frame
//             with its grid.
//   TestNote  说明       opened from TestForm's menu, above it: one label and
//             a result box holding the last area, with "复制试验结果" too.
//
// "计算" works out S = a·b·k and writes "面积S = 6.00 m²" (two decimals,
// FormatFixed); a field that is not a number is refused as the main window
// refuses one: a message naming it ("长度a“x”不是有效的数字。"), the focus
// put there, the result left as it was.

#include <cstddef>
#include <optional>
#include <string>

#include "ui/form_model.h"
#include "ui/program.h"

namespace tavrelo::ui::testing_support {

namespace test_form {
inline constexpr ControlKey kForm{"TestForm"};
inline constexpr ControlKey kLength{"TestCombo1"};  // a
inline constexpr ControlKey kWidth{"TestCombo2"};   // b
inline constexpr ControlKey kFactor{"TestCombo3"};  // k, from "1", "2", "3"
inline constexpr ControlKey kCompute{"TestCommand1"};
inline constexpr ControlKey kResult{"TestText1"};
inline constexpr ControlKey kTable{"TestFrame2"};
inline constexpr std::size_t kCopyResult = 0;  // "复制试验结果"
inline constexpr std::size_t kOpenNote = 1;    // "打开说明…"

inline constexpr ControlKey kNote{"TestNote"};
inline constexpr ControlKey kNoteText{"TestNoteText"};
inline constexpr std::size_t kNoteCopy = 0;  // "复制试验结果"
}  // namespace test_form

[[nodiscard]] FormSpec TestForm();
[[nodiscard]] FormSpec TestNote();

// "面积S = 6.00 m²" for the texts of a, b and k, or why there is none.
struct TestOutcome {
  std::string sentence;
  std::optional<InputProblem> problem;
};
[[nodiscard]] TestOutcome ComputeTestArea(const FormModel& form);

// The two forms with their handlers: "计算" of TestForm, and its commands
// (copy the result, open TestNote, which shows the last result).
class TestProgram final : public Program {
 public:
  TestProgram();

 private:
  FormModel form_{TestForm()};
  FormModel note_{TestNote()};
};

}  // namespace tavrelo::ui::testing_support
