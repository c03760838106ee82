// A program of the tests' own (tests/support/test_form.h) through the
// binding: a window that no binding names is built from its inventory,
// typed into, picked from, pressed and read back like the main one, and the
// window it opens from its menu is shown above it, takes the focus and
// closes again.
#include <gtest/gtest.h>

#include <memory>

#include "tests/binding_cases/form_driver.h"
#include "tests/support/printers.h"
#include "tests/support/test_form.h"
#include "ui/view_rules.h"

namespace tavrelo::ui {
namespace {

using namespace testing_support::test_form;
using testing_support::DriverKey;
using testing_support::ShownMessage;

class SecondForm : public testing::Test {
 protected:
  // a = 2, b = 1.5 typed, k = 2 picked, "计算" pressed: S = 6.00 m².
  void Compute() {
    driver->Type(kLength, "2");
    driver->Type(kWidth, "1.5");
    driver->PickByPointer(kFactor, "2");
    driver->Click(kCompute);
  }

  testing_support::TestProgram program;
  std::unique_ptr<testing_support::FormDriver> driver = testing_support::MakeFormDriver(program);
};

TEST_F(SecondForm, OpensWithItsOwnTitleFieldsAndTableAndTheOwnedWindowHidden) {
  EXPECT_TRUE(driver->IsShown(kForm));
  EXPECT_EQ(driver->Shown(kForm), "试验窗口");
  EXPECT_FALSE(driver->IsShown(kNote));
  EXPECT_EQ(driver->Focused(), DisplayName(kLength));
  EXPECT_EQ(driver->Shown(kResult), "");
  EXPECT_EQ(driver->ListEntries(kFactor), (std::vector<std::string>{"1", "2", "3"}));
  EXPECT_TRUE(driver->ListEntries(kLength).empty());
  std::vector<std::string> cells;
  for (int i = 0; i < 6; ++i) cells.push_back(driver->Shown({"TestCell", i}));
  EXPECT_EQ(cells, (std::vector<std::string>{"符号", "意义", "a", "长度", "b", "宽度"}));
  EXPECT_EQ(driver->Shown({"TestLabel1"}), "长度a（m）");
  for (const ControlKey field : {kLength, kWidth, kFactor}) {
    EXPECT_EQ(driver->AccessibleName(field), driver->ModelOf(field).Row(field).accessibleName) << DisplayName(field);
  }
}

TEST_F(SecondForm, TypedAndPickedFieldsGiveItsSentenceReadOutOnce) {
  Compute();
  EXPECT_EQ(driver->Shown(kResult), "面积S = 6.00 m²");
  EXPECT_EQ(driver->Model().Text(kResult), "面积S = 6.00 m²");
  EXPECT_TRUE(driver->Messages().empty());
  EXPECT_EQ(driver->Announcements(), std::vector<std::string>{"面积S = 6.00 m²"});
  EXPECT_EQ(driver->Focused(), DisplayName(kCompute));
}

TEST_F(SecondForm, AFieldThatIsNoNumberIsRefusedWithTheFocusThereAndTheResultKept) {
  Compute();
  driver->Type(kWidth, "x");
  driver->Click(kCompute);
  EXPECT_EQ(driver->Messages(), (std::vector<ShownMessage>{{"Tavrelo", "宽度b“x”不是有效的数字。"}}));
  EXPECT_EQ(driver->Focused(), DisplayName(kWidth));
  EXPECT_EQ(driver->SelectedText(kWidth), "x");
  EXPECT_EQ(driver->Shown(kResult), "面积S = 6.00 m²");
}

TEST_F(SecondForm, TabWalksItsOwnFieldsRound) {
  std::vector<std::string> walked{driver->Focused()};
  for (int i = 0; i < 5; ++i) {
    driver->Key(DriverKey::Tab);
    walked.push_back(driver->Focused());
  }
  EXPECT_EQ(walked, (std::vector<std::string>{"TestCombo1", "TestCombo2", "TestCombo3", "TestCommand1", "TestText1",
                                              "TestCombo1"}));
}

// A read-only result box offers nothing that would change its text; the
// form's own commands wait for a result.
TEST_F(SecondForm, ItsMenuHasTheFormsOwnCommandsEnabledByAResult) {
  const std::vector<std::string> before = driver->MenuEntriesOf(kResult);
  EXPECT_EQ(before, (std::vector<std::string>{"-撤销", "", "-剪切", "-复制", "-粘贴", "-删除", "", "-全选", "",
                                              "-复制试验结果", "-打开说明…"}));
  EXPECT_FALSE(driver->ChooseFromMenuOf(kResult, "复制试验结果"));
  Compute();
  const std::vector<std::string> after = driver->MenuEntriesOf(kResult);
  EXPECT_EQ(std::vector<std::string>(after.end() - 2, after.end()),
            (std::vector<std::string>{"复制试验结果", "打开说明…"}));
  ASSERT_TRUE(driver->ChooseFromMenuOf(kResult, "复制试验结果"));
  EXPECT_EQ(ToCrLf(driver->ClipboardText()), ToCrLf("长度a = 2 m\n宽度b = 1.5 m\n倍数k = 2\n面积S = 6.00 m²\n"));
}

TEST_F(SecondForm, TheOwnedWindowOpensFromTheMenuWithTheFocusAndClosesBack) {
  Compute();
  ASSERT_TRUE(driver->ChooseFromMenuOf(kResult, "打开说明…"));
  EXPECT_TRUE(driver->IsShown(kNote));
  EXPECT_TRUE(driver->IsShown(kForm)) << "the main window stays";
  EXPECT_EQ(driver->Shown(kNote), "说明");
  EXPECT_EQ(driver->Shown(kNoteText), "面积S = 6.00 m²");
  EXPECT_EQ(driver->Focused(), DisplayName(kNoteText));
  ASSERT_TRUE(driver->ChooseFromMenuOf(kNoteText, "复制试验结果"));
  EXPECT_TRUE(ToCrLf(driver->ClipboardText()).ends_with("面积S = 6.00 m²\r\n"));

  driver->Close(kNote);
  EXPECT_FALSE(driver->IsShown(kNote));
  EXPECT_FALSE(program.Forms()[1]->Visible(kNote)) << "the model heard of it";
  EXPECT_TRUE(driver->IsShown(kForm));
  // Open again, and the main window still computes while it is open.
  ASSERT_TRUE(driver->ChooseFromMenuOf(kResult, "打开说明…"));
  EXPECT_TRUE(driver->IsShown(kNote));
  driver->Type(kLength, "3");
  driver->Click(kCompute);
  EXPECT_EQ(driver->Shown(kNoteText), "面积S = 9.00 m²");
}

}  // namespace
}  // namespace tavrelo::ui
