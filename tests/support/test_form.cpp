#include "tests/support/test_form.h"

#include <array>
#include <tuple>
#include <vector>

#include "core/number_text.h"
#include "core/result_text.h"
#include "ui/inventory_rows.h"

namespace tavrelo::ui::testing_support {
namespace {

using namespace test_form;

constexpr std::array<std::string_view, 3> kFactors = {"1", "2", "3"};

// The rows of the program's own look, by the program's own builders.
using rows::Cell;
using rows::Labelling;

// A form's own row, in the program's window font.
ControlSpec Window(ControlKey form, ControlRole role, int width, int height, std::string caption, Rgb background) {
  return {.name = form.name,
          .kind = ControlKind::Form,
          .role = role,
          .width = width,
          .height = height,
          .caption = std::move(caption),
          .background = background,
          .font = &look::WindowFont()};
}

ControlSpec Frame(std::string_view name, int left, int width, std::string caption, int tabIndex) {
  return rows::Frame(name, left, 120, width, 1560, std::move(caption), tabIndex);
}

ControlSpec Label(std::string_view name, std::string_view container, int left, int top, int width, std::string caption,
                  int tabIndex) {
  return rows::Label({name}, container, left, top, width, std::move(caption), tabIndex);
}

// A field of the first frame: a number in metres where its list is empty.
ControlSpec Field(ControlKey key, int top, int width, std::span<const std::string_view> list, int tabIndex,
                  std::string name) {
  return rows::Combo(key, "TestFrame1", 1380, top, width, list, tabIndex, std::move(name), list.empty() ? "m" : "");
}

ControlSpec ResultBox(ControlKey key, int left, int top, int width, int height, int tabIndex, std::string name) {
  return rows::ResultBox(key, left, top, width, height, "", tabIndex, std::move(name), true);
}

ControlSpec Line(int index, int x1, int y1, int x2, int y2) {
  return rows::Line({"TestLine", index}, "TestFrame2", x1, y1, x2, y2);
}

std::vector<ControlSpec> BuildTestForm() {
  std::vector<ControlSpec> rows;
  rows.push_back(Window(kForm, ControlRole::MainWindow, 4800, 3360, "试验窗口", 0xE0F0FF));
  rows.push_back(Frame("TestFrame1", 120, 2760, "输入", 0));
  rows.push_back(Labelling(Label("TestLabel1", "TestFrame1", 120, 360, 1200, "长度a（m）", 1), kLength));
  rows.push_back(Field(kLength, 360, 1140, {}, 2, "长度a（m）"));
  rows.push_back(Labelling(Label("TestLabel2", "TestFrame1", 120, 780, 1200, "宽度b（m）", 3), kWidth));
  rows.push_back(Field(kWidth, 780, 1140, {}, 4, "宽度b（m）"));
  rows.push_back(Labelling(Label("TestLabel3", "TestFrame1", 120, 1200, 1200, "倍数k", 5), kFactor));
  rows.push_back(Field(kFactor, 1200, 735, kFactors, 6, "倍数k"));

  rows.push_back(Frame(kTable.name, 3000, 1680, "符号", 7));
  rows.back().table = {3, 2};
  int line = 0;
  for (const int y : {360, 600, 840, 1080}) rows.push_back(Line(line++, 120, y, 1560, y));
  for (const int x : {120, 600, 1560}) rows.push_back(Line(line++, x, 360, x, 1080));
  const std::array<std::array<const char*, 2>, 3> cells = {{{"符号", "意义"}, {"a", "长度"}, {"b", "宽度"}}};
  for (int row = 0; row < 3; ++row) {
    for (int column = 0; column < 2; ++column) {
      rows.push_back(Cell(
          rows::Label({"TestCell", 2 * row + column}, kTable.name, column == 0 ? 180 : 660, 360 + 240 * row,
                      column == 0 ? 375 : 840, cells[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)],
                      10 + 2 * row + column),
          row, column));
    }
  }

  rows.push_back(rows::Button(kCompute, 120, 1800, 375, 1215, 8));
  rows.push_back(ResultBox(kResult, 600, 1800, 4080, 1215, 9, "试验结果"));
  return rows;
}

std::vector<ControlSpec> BuildTestNote() {
  std::vector<ControlSpec> rows;
  rows.push_back(Window(kNote, ControlRole::OwnedWindow, 3000, 1500, "说明", 0xFFFFE0));
  rows.push_back(Label("TestNoteLabel", {}, 120, 120, 2760, "最近一次的面积：", 0));
  rows.push_back(ResultBox(kNoteText, 120, 480, 2760, 900, 1, "最近一次的面积"));
  return rows;
}

// "长度a“x”不是有效的数字。", or none for a number.
std::optional<InputProblem> Refusal(const FormModel& form, ControlKey field, std::string_view name, double& value) {
  const std::string& text = form.Text(field);
  const NumberReading reading = ReadNumber(text);
  if (reading.ok()) {
    value = reading.value;
    return std::nullopt;
  }
  if (reading.failure == FailureReason::Empty) return InputProblem{std::string(name) + "为空，请输入数值。", field};
  return InputProblem{std::string(name) + "“" + text + "”不是有效的数字。", field};
}

}  // namespace

FormSpec TestForm() {
  static const std::vector<ControlSpec> inventory = BuildTestForm();
  static constexpr std::array<FormCommand, 2> kCommands = {{{"复制试验结果", true}, {"打开说明…"}}};
  return {inventory, kCommands};
}

FormSpec TestNote() {
  static const std::vector<ControlSpec> inventory = BuildTestNote();
  static constexpr std::array<FormCommand, 1> kCommands = {{{"复制试验结果", true}}};
  return {inventory, kCommands};
}

TestOutcome ComputeTestArea(const FormModel& form) {
  double a = 0;
  double b = 0;
  double k = 0;
  for (const auto& [field, name, value] :
       {std::tuple{kLength, "长度a", &a}, std::tuple{kWidth, "宽度b", &b}, std::tuple{kFactor, "倍数k", &k}}) {
    if (auto problem = Refusal(form, field, name, *value)) return {{}, std::move(problem)};
  }
  return {"面积S = " + FormatFixed(a * b * k, 2) + " m²", std::nullopt};
}

TestProgram::TestProgram() {
  Add(form_);
  Add(note_);
  form_.OnPress(kCompute, [this] {
    TestOutcome outcome = ComputeTestArea(form_);
    if (outcome.problem) {
      form_.ReportProblem(*outcome.problem);
      form_.RequestFocus(outcome.problem->field);
      return;
    }
    const ClipboardContent report{"长度a = " + form_.Text(kLength) + " m\n宽度b = " + form_.Text(kWidth) +
                                  " m\n倍数k = " + form_.Text(kFactor) + "\n" + outcome.sentence + "\n"};
    form_.SetCommandCopy(kCopyResult, report);
    form_.SetCommandEnabled(kOpenNote, true);
    note_.SetCommandCopy(kNoteCopy, report);
    note_.SetText(kNoteText, outcome.sentence);
    form_.SetText(kResult, outcome.sentence);
    form_.Announce(kResult);
  });
  form_.OnCommand(kOpenNote, [this] { note_.SetVisible(note_.FormKey(), true); });
}

}  // namespace tavrelo::ui::testing_support
