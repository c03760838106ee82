// The window of the downdrag load through the binding: opened from the main
// result menu once a press gave a sentence, above the main window with the
// focus in its first field; filled, pressed (by Enter too), its sentence
// read out and its report copied; a refusal with its focus; a new main press
// clearing it; and the names a screen reader speaks. The main sentence stays
// as it is throughout.
#include <cmath>
#include <cstdlib>
#include <variant>
#include <string>

#include "tests/binding_cases/binding_test.h"
#include "ui/downdrag_form.h"
#include "ui/profile_drawing.h"
#include "ui/view_rules.h"

namespace tavrelo::ui {
namespace {

using namespace downdrag;
using testing_support::BindingTest;
using testing_support::DriverKey;
using testing_support::ShownMessage;

constexpr std::string_view kOpen = "下拉荷载计算（JGJ 94-2008）…";
constexpr std::string_view kTitle = "下拉荷载计算（JGJ 94-2008 第5.4.4条）";
constexpr std::string_view kTypicalDowndrag = "中性点深度ln = 4.50 m，下拉荷载Qgn = 90.7 kN";

class DowndragWindow : public BindingTest {
 protected:
  // The typical use pressed in the main window, the window opened from its
  // menu, and the worked example's fields: ξn1 = 0.30, ln/l0 = 0.9 picked,
  // d = 0.6 m typed.
  void OpenAfterTheTypicalUse() {
    FillTypicalUse();
    driver->ClickCompute();
    ASSERT_TRUE(driver->ChooseFromResultMenu(kOpen));
  }
  void FillTheWorkedExample() {
    driver->Type(Coefficient(1), "0.30");
    driver->PickByPointer(kNeutralRatio, "0.9");
    driver->Type(kSize, "0.6");
  }
};

TEST_F(DowndragWindow, OpensFromTheMenuOnceAPressGaveASentenceWithTheFocusInItsFirstField) {
  EXPECT_FALSE(driver->ChooseFromResultMenu(kOpen)) << "no layers yet";
  EXPECT_FALSE(driver->IsShown(kForm));
  OpenAfterTheTypicalUse();
  EXPECT_TRUE(driver->IsShown(kForm));
  EXPECT_TRUE(driver->IsShown(controls::kForm));
  EXPECT_EQ(driver->Shown(kForm), kTitle);
  EXPECT_EQ(driver->Focused(), DisplayName(Coefficient(1)));
  // Only the press's two layers, as entered.
  EXPECT_EQ(driver->Shown(UnitWeight(1)), "18");
  EXPECT_EQ(driver->Shown(Thickness(2)), "3.0");
  EXPECT_TRUE(driver->IsShown(Coefficient(2)));
  EXPECT_FALSE(driver->IsShown(Coefficient(3)));
  EXPECT_EQ(driver->Shown(Coefficient(2)), "0.25") << "layer n takes the main window's ξn";
  EXPECT_FALSE(driver->IsShown(kSpacingX)) << "a single pile until 群桩 is picked";
  // The picks made before the window was built, shown as picked.
  EXPECT_EQ(driver->Shown(kShape), "圆桩");
  EXPECT_EQ(driver->ShownIndex(kShape), 0);
  EXPECT_EQ(driver->Shown(kPileKind), "单桩");
  EXPECT_EQ(driver->Shown(kPileTop), "0");
}

TEST_F(DowndragWindow, TheTypicalUseGivesItsSentenceReadOutAndItsReport) {
  OpenAfterTheTypicalUse();
  FillTheWorkedExample();
  driver->Click(kCompute);
  EXPECT_EQ(driver->Shown(kResult), kTypicalDowndrag);
  EXPECT_TRUE(driver->Messages().empty());
  EXPECT_EQ(driver->Announcements().back(), kTypicalDowndrag);
  ASSERT_TRUE(driver->ChooseFromMenuOf(kResult, "复制下拉荷载计算过程"));
  const std::string copied = driver->ClipboardText();
  EXPECT_EQ(ToCrLf(copied), ToCrLf(driver->ModelOf(kResult).CommandCopy(kCopyReport).text));
  for (const std::string_view piece :
       {"l0 = h1 + h2 − t = 2.0 + 3.0 − 0 = 5.00 m", "ln = (ln/l0)·l0 = 0.9 × 5.00 = 4.50 m", "= 90.7 kN"}) {
    EXPECT_NE(copied.find(piece), std::string::npos) << piece << " in\n" << copied;
  }
  EXPECT_EQ(driver->Shown(controls::kResult), testing_support::kTypicalSentence) << "the main sentence stays";
  // Beside it, the report as a table with the drawing, and the drawing as a
  // picture where the clipboard takes one.
  const std::string html = driver->ClipboardHtml();
  EXPECT_NE(html.find("<table"), std::string::npos) << html;
  EXPECT_NE(html.find("<svg"), std::string::npos) << "the drawing in the report";
  EXPECT_NE(html.find("90.7"), std::string::npos);
  EXPECT_NE(driver->ClipboardHasPicture(), std::optional(false));
}

// Enter presses "计算" here, from a field; in the main window it never does.
TEST_F(DowndragWindow, EnterInAFieldPressesItsButton) {
  OpenAfterTheTypicalUse();
  FillTheWorkedExample();
  driver->Key(DriverKey::Enter);
  EXPECT_EQ(driver->Shown(kResult), kTypicalDowndrag);
  EXPECT_EQ(driver->Focused(), DisplayName(kSize)) << "the focus stays where Enter was pressed";
}

TEST_F(DowndragWindow, AGroupShowsItsSpacingsAndItsFactor) {
  OpenAfterTheTypicalUse();
  FillTheWorkedExample();
  driver->PickByPointer(kPileKind, "群桩");
  EXPECT_TRUE(driver->IsShown(kSpacingX));
  EXPECT_TRUE(driver->IsShown(kSpacingY));
  driver->Type(kSpacingX, "1.0");
  driver->PickByPointer(kSpacingY, "1.0");
  driver->Click(kCompute);
  EXPECT_EQ(driver->Shown(kResult), "中性点深度ln = 4.50 m，下拉荷载Qgn = 66.3 kN，群桩效应系数ηn = 0.730");
}

TEST_F(DowndragWindow, ARefusalNamesTheFieldPutsTheFocusThereAndKeepsTheResult) {
  OpenAfterTheTypicalUse();
  FillTheWorkedExample();
  driver->Click(kCompute);
  driver->Type(kSize, "x");
  driver->Click(kCompute);
  EXPECT_EQ(driver->Messages(), (std::vector<ShownMessage>{{"Tavrelo", "桩径d“x”不是有效的数字。"}}));
  EXPECT_EQ(driver->Focused(), DisplayName(kSize));
  EXPECT_EQ(driver->SelectedText(kSize), "x");
  EXPECT_EQ(driver->Shown(kResult), kTypicalDowndrag);
}

TEST_F(DowndragWindow, ANewMainPressClearsItsResultAndBringsTheNewLayers) {
  OpenAfterTheTypicalUse();
  FillTheWorkedExample();
  driver->Click(kCompute);
  ASSERT_EQ(driver->Shown(kResult), kTypicalDowndrag);
  driver->PickByPointer(controls::kLayerCount, "3.0");
  driver->PickByPointer(controls::UnitWeight(3), "20");
  driver->PickByPointer(controls::Thickness(3), "1.0");
  driver->ClickCompute();
  EXPECT_NE(driver->Shown(kResult).find("按“计算”"), std::string::npos) << driver->Shown(kResult);
  EXPECT_FALSE(driver->ChooseFromMenuOf(kResult, "复制下拉荷载计算过程"));
  EXPECT_TRUE(driver->IsShown(Coefficient(3)));
  EXPECT_EQ(driver->Shown(UnitWeight(3)), "20");
  EXPECT_EQ(driver->Shown(Coefficient(1)), "0.30") << "its own entries stay";
}

TEST_F(DowndragWindow, ClosingItHidesItAndTheMenuOpensItAgain) {
  OpenAfterTheTypicalUse();
  driver->Close(kForm);
  EXPECT_FALSE(driver->IsShown(kForm));
  EXPECT_TRUE(driver->IsShown(controls::kForm));
  ASSERT_TRUE(driver->ChooseFromResultMenu(kOpen));
  EXPECT_TRUE(driver->IsShown(kForm));
}

// What the screen shows of it; with TAVRELO_PICTURES set (a path prefix),
// pictures of both windows for the documentation.
TEST_F(DowndragWindow, TheScreenShowsItBesideTheMainWindow) {
  OpenAfterTheTypicalUse();
  FillTheWorkedExample();
  driver->Click(kCompute);
  const testing_support::Capture result = driver->CaptureOf(kResult);
  ASSERT_FALSE(result.Empty());
  EXPECT_NEAR(result.width / result.scale, 392, 4);
  // Below the sentence's first line, the box's own colour.
  EXPECT_EQ(result.At(result.width / 2, result.height - static_cast<int>(8 * result.scale)), look::kPaleYellow);
  const testing_support::Capture window = driver->CaptureOf(kForm);
  EXPECT_GE(window.width / window.scale, 840 - 1);
  if (const char* prefix = std::getenv("TAVRELO_PICTURES")) {
    EXPECT_TRUE(driver->SavePicture(kForm, std::string(prefix) + "downdrag"));
    EXPECT_TRUE(driver->SavePicture(controls::kForm, std::string(prefix) + "main"));
  }
}

// The drawing as the screen shows it: across the pile, at the depth of the
// neutral point, the pixels of the dashed neutral line.
TEST_F(DowndragWindow, TheDrawingShowsTheNeutralLineAcrossThePile) {
  OpenAfterTheTypicalUse();
  FillTheWorkedExample();
  driver->Click(kCompute);
  const ProfileDrawing* drawing = driver->ModelOf(kProfile).Drawing(kProfile);
  ASSERT_NE(drawing, nullptr);
  const DashedLineShape* neutral = nullptr;
  const RectShape* pile = nullptr;
  for (const ProfileShape& shape : drawing->shapes) {
    if (shape.part == ProfilePart::NeutralLine) neutral = std::get_if<DashedLineShape>(&shape.geometry);
    if (shape.part == ProfilePart::Pile) pile = std::get_if<RectShape>(&shape.geometry);
  }
  ASSERT_NE(neutral, nullptr);
  ASSERT_NE(pile, nullptr);
  const testing_support::Capture shown = driver->CaptureOf(kProfile);
  ASSERT_FALSE(shown.Empty());
  const auto device = [&](double pixels) { return static_cast<int>(std::lround(pixels * shown.scale)); };
  // Inside the pile's edges, in the line's row (give or take a device
  // pixel) and, to be sure it is the line, 20 px above it.
  const auto across = [&](double y) {
    int found = 0;
    for (int x = device(pile->x + 2); x <= device(pile->x + pile->width - 2); ++x) {
      for (int dy = -1; dy <= 1; ++dy) found += shown.At(x, device(y) + dy) == neutral->stroke.colour ? 1 : 0;
    }
    return found;
  };
  EXPECT_GE(across(neutral->from.y), 3) << "the neutral line's colour across the pile at " << neutral->from.y << " px";
  EXPECT_EQ(across(neutral->from.y - 20), 0) << "and not above it";
  EXPECT_EQ(driver->ModelOf(kProfile).Text(kProfile),
            "示意图：2层土，桩顶在地面下0.00 m，桩长5.00 m，中性点在桩顶下4.50 m");
}

TEST_F(DowndragWindow, EveryFieldIsNamedForAScreenReader) {
  OpenAfterTheTypicalUse();
  const std::vector<std::pair<ControlKey, std::string_view>> names = {
      {Coefficient(1), "第1层 负摩阻力系数ξni"},
      {SideResistance(2), "第2层 正摩阻力标准值qsik（kPa）"},
      {kShape, "桩的形状"},
      {kSize, "桩径d或边长b（m）"},
      {kPileTop, "桩顶深度t（m）"},
      {kNeutralRatio, "中性点深度比ln/l0"},
      {kProfile, "示意图"},
      {kResult, "下拉荷载计算结果"}};
  for (const auto& [control, name] : names) EXPECT_EQ(driver->AccessibleName(control), name) << DisplayName(control);
}

}  // namespace
}  // namespace tavrelo::ui
