// The result box's context menu: the editing commands in Chinese, and
// "复制计算过程", which copies the calculation of the last press that gave a
// sentence.
#include <algorithm>

#include "tests/binding_cases/binding_test.h"
#include "ui/view_rules.h"

namespace tavrelo::ui {
namespace {

using testing_support::BindingTest;

using ResultMenu = BindingTest;

bool HasLatinLetter(std::string_view text) {
  return std::any_of(text.begin(), text.end(), [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); });
}

TEST_F(ResultMenu, OffersTheEditingCommandsInChineseAndCopyingTheSteps) {
  const std::vector<std::string> entries = driver->ResultMenuEntries();
  // Undo is written either way in Chinese.
  const std::vector<std::vector<std::string>> commands = {{"撤销", "撤消"}, {"剪切"}, {"复制"},
                                                          {"粘贴"},         {"删除"}, {"全选"}};
  for (const auto& spellings : commands) {
    const bool found = std::any_of(entries.begin(), entries.end(), [&](std::string_view entry) {
      if (entry.starts_with("-")) entry.remove_prefix(1);  // shown, but nothing to do on an empty selection
      return std::find(spellings.begin(), spellings.end(), entry) != spellings.end();
    });
    EXPECT_TRUE(found) << spellings.front() << " in " << testing::PrintToString(entries);
  }
  for (const std::string& entry : entries) EXPECT_FALSE(HasLatinLetter(entry)) << entry;
  // Before any sentence there is nothing to copy.
  EXPECT_EQ(entries.back(), "-复制计算过程");
  EXPECT_FALSE(driver->ChooseFromResultMenu("复制计算过程"));
}

TEST_F(ResultMenu, CopiesTheStepsOfTheLastSuccessfulPress) {
  FillTypicalUse();
  driver->ClickCompute();
  ASSERT_EQ(driver->ResultMenuEntries().back(), "复制计算过程");
  driver->Type(controls::kCoefficient, "abc");  // an edit, then a press that fails
  driver->ClickCompute();
  ASSERT_EQ(driver->Messages().size(), 1U);
  ASSERT_TRUE(driver->ChooseFromResultMenu("复制计算过程"));
  EXPECT_EQ(ToCrLf(driver->ClipboardText()), ToCrLf(model.CalculationSteps()));
  EXPECT_TRUE(driver->ClipboardText().starts_with("桩侧负摩阻力计算（降低地下水）"));
  EXPECT_NE(driver->ClipboardText().find("0.25 × 65.10 = 16.3 kN/m²"), std::string::npos);
}

}  // namespace
}  // namespace tavrelo::ui
