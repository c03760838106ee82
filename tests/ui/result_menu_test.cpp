// The result menu's rule, once for every binding: which entries are there,
// which can be chosen for what the box's toolkit says it could do, and what
// choosing one does; and the form's own commands in the model.
#include "ui/result_menu.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/recording_view.h"
#include "tests/support/test_form.h"
#include "ui/program.h"

namespace tavrelo::ui {
namespace {

using testing_support::RecordingView;

// The entries as "text" or "-text" (cannot be chosen).
std::vector<std::string> Read(const std::vector<ResultMenuEntry>& entries) {
  std::vector<std::string> read;
  for (const ResultMenuEntry& entry : entries) read.push_back((entry.enabled ? "" : "-") + std::string(entry.text));
  return read;
}

struct MenuCase {
  const char* name;
  bool readOnly;
  EditState state;
  std::vector<std::string> editing;  // the six editing entries as read
};

class EditingEntries : public testing::TestWithParam<MenuCase> {};

TEST_P(EditingEntries, FollowWhatTheBoxCouldDo) {
  const FormModel model;
  ControlSpec box = model.Row({"Text1"});
  box.readOnly = GetParam().readOnly;
  const std::vector<std::string> read = Read(ResultMenuEntries(model, box, GetParam().state));
  EXPECT_EQ(std::vector<std::string>(read.begin(), read.begin() + 6), GetParam().editing);
  EXPECT_EQ(
      std::vector<std::string>(read.begin() + 6, read.end()),
      (std::vector<std::string>{"-复制计算过程", "-复制分层计算（JGJ 94-2008）", "-下拉荷载计算（JGJ 94-2008）…"}))
      << "nothing to copy before a press";
}

INSTANTIATE_TEST_SUITE_P(
    States, EditingEntries,
    testing::Values(
        MenuCase{"EmptyBox", false, {}, {"-撤销(&U)", "-剪切(&T)", "-复制(&C)", "-粘贴(&P)", "-删除(&D)", "-全选(&A)"}},
        MenuCase{"TextSelectedAfterAnEdit",
                 false,
                 {.undo = true, .selection = true, .text = true, .paste = true},
                 {"撤销(&U)", "剪切(&T)", "复制(&C)", "粘贴(&P)", "删除(&D)", "全选(&A)"}},
        MenuCase{"TextNothingSelected",
                 false,
                 {.text = true, .paste = true},
                 {"-撤销(&U)", "-剪切(&T)", "-复制(&C)", "粘贴(&P)", "-删除(&D)", "全选(&A)"}},
        MenuCase{"ReadOnlyOffersNothingThatWouldChangeIt",
                 true,
                 {.undo = true, .selection = true, .text = true, .paste = true},
                 {"-撤销(&U)", "-剪切(&T)", "复制(&C)", "-粘贴(&P)", "-删除(&D)", "全选(&A)"}}),
    [](const testing::TestParamInfo<MenuCase>& row) { return std::string(row.param.name); });

TEST(ResultMenu, ChoosingAnEditingEntryHandsItBackAndAFormCommandRunsInTheModel) {
  FormModel model;
  RecordingView view;
  model.SetView(&view);
  int ran = 0;
  model.OnCommand(controls::kCopyLayered, [&ran] { ++ran; });
  const EditState state{.selection = true, .text = true};
  std::vector<ResultMenuEntry> entries = ResultMenuEntries(model, model.Row({"Text1"}), state);
  EXPECT_EQ(ChooseResultMenuEntry(model, entries[2]), EditCommand::Copy);
  EXPECT_EQ(ChooseResultMenuEntry(model, entries[0]), std::nullopt) << "undo cannot be chosen";
  EXPECT_EQ(ChooseResultMenuEntry(model, entries[7]), std::nullopt);
  EXPECT_EQ(ran, 0) << "a disabled command does nothing";

  model.SetCommandCopy(controls::kCopySteps, {"steps\n"});
  model.SetCommandEnabled(controls::kCopyLayered, true);
  entries = ResultMenuEntries(model, model.Row({"Text1"}), state);
  EXPECT_EQ(ChooseResultMenuEntry(model, entries[6]), std::nullopt);
  EXPECT_EQ(ChooseResultMenuEntry(model, entries[7]), std::nullopt);
  EXPECT_EQ(view.copied, std::vector<ClipboardContent>{{"steps\n"}});
  EXPECT_EQ(ran, 1);
}

TEST(FormCommands, ACopyEnablesItsCommandAndAnEmptyOneDisablesIt) {
  FormModel model;
  RecordingView view;
  model.SetView(&view);
  EXPECT_EQ(model.Commands().size(), 3U);
  model.SetCommandCopy(controls::kCopySteps, {"a\n"});
  EXPECT_TRUE(model.CommandEnabled(controls::kCopySteps));
  model.RunCommand(controls::kCopySteps);
  model.SetCommandCopy(controls::kCopySteps, {});
  EXPECT_FALSE(model.CommandEnabled(controls::kCopySteps));
  model.RunCommand(controls::kCopySteps);
  model.RunCommand(7);  // there is none: nothing, no exception
  EXPECT_FALSE(model.CommandEnabled(7));
  EXPECT_EQ(model.CommandCopy(7), ClipboardContent{});
  EXPECT_EQ(view.events, std::vector<std::string>{"copy"});
  EXPECT_THROW(model.OnCommand(3, [] {}), std::invalid_argument);
}

// No two forms of a program share a control's key, and the main window is
// the only one shown at first.
void ExpectFormsApart(const Program& program) {
  const auto forms = program.Forms();
  EXPECT_EQ(forms.front()->FormRow().role, ControlRole::MainWindow);
  for (std::size_t i = 1; i < forms.size(); ++i) {
    const FormModel& other = *forms[i];
    EXPECT_EQ(other.FormRow().role, ControlRole::OwnedWindow);
    EXPECT_FALSE(other.Visible(other.FormKey())) << DisplayName(other.FormKey());
    for (const ControlSpec& row : other.Inventory()) {
      for (std::size_t j = 0; j < i; ++j) EXPECT_FALSE(forms[j]->Contains(row.Key())) << DisplayName(row.Key());
    }
  }
}

TEST(Programs, ListTheMainWindowFirstAndStartTheOthersHidden) {
  const TavreloProgram tavrelo;
  ASSERT_EQ(tavrelo.Forms().size(), 2U);
  EXPECT_EQ(tavrelo.Main().FormKey(), controls::kForm);
  ExpectFormsApart(tavrelo);

  const testing_support::TestProgram test;
  ASSERT_EQ(test.Forms().size(), 2U);
  ExpectFormsApart(test);
  EXPECT_TRUE(test.Forms()[1]->Visible(testing_support::test_form::kNoteText)) << "only the window itself is hidden";
}

TEST(Programs, AFormMustBeginWithItsWindow) {
  const std::vector<ControlSpec> noForm = {{.name = "Label1"}};
  EXPECT_THROW(FormModel(FormSpec{noForm, {}}), std::invalid_argument);
}

}  // namespace
}  // namespace tavrelo::ui
