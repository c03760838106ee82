// The result box's context menu: the editing commands in Chinese,
// "复制计算过程", which copies the calculation of the last press that gave a
// sentence, and "复制分层计算（JGJ 94-2008）", which copies that press's stress
// summed layer by layer.
#include <algorithm>

#include "tests/binding_cases/binding_test.h"
#include "ui/view_rules.h"

namespace tavrelo::ui {
namespace {

using testing_support::BindingTest;

using ResultMenu = BindingTest;

// Latin letters other than those of the code's name, JGJ.
bool HasLatinLetter(std::string_view text) {
  std::string rest(text);
  for (auto code = rest.find("JGJ"); code != std::string::npos; code = rest.find("JGJ")) rest.erase(code, 3);
  return std::any_of(rest.begin(), rest.end(), [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); });
}

bool Holds(std::string_view text, std::string_view piece) { return text.find(piece) != std::string_view::npos; }

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
  // Before any sentence there is nothing to copy, and no layers for the
  // downdrag load.
  ASSERT_GE(entries.size(), 4U);
  EXPECT_EQ(
      std::vector<std::string>(entries.end() - 4, entries.end()),
      (std::vector<std::string>{"-复制计算过程", "-复制分层计算（JGJ 94-2008）", "", "-下拉荷载计算（JGJ 94-2008）…"}));
  EXPECT_FALSE(driver->ChooseFromResultMenu("复制计算过程"));
  EXPECT_FALSE(driver->ChooseFromResultMenu("复制分层计算（JGJ 94-2008）"));
  EXPECT_FALSE(driver->ChooseFromResultMenu("下拉荷载计算（JGJ 94-2008）…"));
}

TEST_F(ResultMenu, CopiesTheStepsOfTheLastSuccessfulPress) {
  FillTypicalUse();
  driver->ClickCompute();
  ASSERT_EQ(driver->ResultMenuEntries().back(), "下拉荷载计算（JGJ 94-2008）…");
  driver->Type(controls::kCoefficient, "abc");  // an edit, then a press that fails
  driver->ClickCompute();
  ASSERT_EQ(driver->Messages().size(), 1U);
  ASSERT_TRUE(driver->ChooseFromResultMenu("复制计算过程"));
  EXPECT_EQ(ToCrLf(driver->ClipboardText()), ToCrLf(model.CommandCopy(controls::kCopySteps).text));
  EXPECT_TRUE(driver->ClipboardText().starts_with("桩侧负摩阻力计算（降低地下水）"));
  EXPECT_NE(driver->ClipboardText().find("0.25 × 65.10 = 16.3 kN/m²"), std::string::npos);
}

// The code's layered sum beside the window's mean unit weight: for the typical
// use 64.50 and 16.1 where the sentence keeps 65.10 and 16.3.
TEST_F(ResultMenu, CopiesTheLayeredCalculationBesideTheWindowsValue) {
  FillTypicalUse();
  driver->ClickCompute();
  ASSERT_TRUE(driver->ChooseFromResultMenu("复制分层计算（JGJ 94-2008）"));
  const std::string copied = driver->ClipboardText();
  EXPECT_EQ(ToCrLf(copied), ToCrLf(model.CommandCopy(controls::kCopyLayered).text));
  for (const std::string_view piece : {"JGJ 94-2008", "σ'γ1 = 18×2.0/2 = 18.00", "= 64.50 kN/m²", "= 16.1 kN/m²",
                                       "本程序窗口结果（平均重度法）σi' = 65.10 kN/m²"}) {
    EXPECT_TRUE(Holds(copied, piece)) << piece << " in\n" << copied;
  }
  EXPECT_EQ(driver->Shown(controls::kResult), testing_support::kTypicalSentence);
}

// Each copying item puts the report as a table beside its plain text, for
// an office suite: one row a layer, the numbers of the plain text.
TEST_F(ResultMenu, EachCopyingItemLeavesThePlainTextAndTheHtmlTable) {
  FillTypicalUse();
  driver->ClickCompute();
  for (const std::size_t command : {controls::kCopySteps, controls::kCopyLayered}) {
    const std::string_view entry = model.Commands()[command].text;
    ASSERT_TRUE(driver->ChooseFromResultMenu(entry)) << entry;
    EXPECT_EQ(ToCrLf(driver->ClipboardText()), ToCrLf(model.CommandCopy(command).text)) << entry;
    const std::string html = driver->ClipboardHtml();
    EXPECT_NE(html.find("<table"), std::string::npos) << entry << ":\n" << html;
    EXPECT_NE(html.find("2.0"), std::string::npos) << entry;
    if (command == controls::kCopyLayered) {
      for (const std::string_view number : {"18.00", "64.50", "16.1"}) {
        EXPECT_NE(html.find(number), std::string::npos) << number << " in\n" << html;
      }
    }
    EXPECT_NE(driver->ClipboardHasPicture(), std::optional(true)) << "no drawing in the main window's reports";
  }
}

}  // namespace
}  // namespace tavrelo::ui
