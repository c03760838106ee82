// The whole job through the real widgets: picks by pointer, typing, a click
// on "计算", and what the result box, the fields and the message box show.
#include <QLabel>
#include <QPushButton>

#include "window_fixture.h"

namespace tavrelo::ui {
namespace {

using testing_support::WindowTest;

const QString kTypicalSentence = QStringLiteral(
    "当降低地下水时， 桩周第2.0层土平均竖向有效应力σi'为：65.10 kn/m2   桩侧负摩阻力标准值qsi = ξn * σi'＝16.3 kn/m2");

class EndToEnd : public WindowTest {
 protected:
  void FillTypicalUse() {
    Pick({"Combo1"}, "2.0");
    Pick({"Combo3", 0}, "18");
    Pick({"Combo3", 1}, "19");
    Pick({"Combo4", 5}, "2.0");
    Pick({"Combo4", 6}, "3.0");
    Pick({"Combo5"}, "降低地下水");
    Pick({"Combo6"}, "0.25");
  }

  void ClickCompute() {
    QTest::mouseClick(Get<QPushButton>({"Command1"}), Qt::LeftButton);
    QApplication::processEvents();
  }

  QString ResultShown() { return Get<QPlainTextEdit>({"Text1"})->toPlainText(); }

  std::vector<bool> RowsShown() {
    std::vector<bool> rows;
    for (int k = 1; k <= 5; ++k) rows.push_back(Get({"Combo4", k + 4})->isVisible());
    return rows;
  }

  // Every combo box's shown text and Text1's, to see that nothing moved.
  std::vector<QString> FieldsShown() {
    std::vector<QString> texts;
    for (const ControlSpec& row : model.Inventory()) {
      if (row.kind == ControlKind::ComboBox) texts.push_back(Combo(row.name, row.index)->currentText());
    }
    texts.push_back(ResultShown());
    return texts;
  }
};

TEST_F(EndToEnd, TypicalUseShowsItsSentence) {
  FillTypicalUse();
  EXPECT_EQ(RowsShown(), (std::vector<bool>{true, true, false, false, false}));
  EXPECT_FALSE(Get({"Combo7"})->isVisible());
  EXPECT_FALSE(Get({"Label7"})->isVisible());
  ClickCompute();
  EXPECT_EQ(ResultShown(), kTypicalSentence);
  EXPECT_TRUE(messages.empty());
}

TEST_F(EndToEnd, SurfaceLoadShowsItsSentence) {
  FillTypicalUse();
  Pick({"Combo5"}, "地面有满布荷载");
  EXPECT_TRUE(Get({"Combo7"})->isVisible());
  Pick({"Combo7"}, "10");
  ClickCompute();
  EXPECT_EQ(ResultShown(), QStringLiteral("当地面有满布荷载时， 桩周第2.0层土平均竖向有效应力σi'为：75.10 kn/m2   "
                                          "桩侧负摩阻力标准值qsi = ξn * σi'＝18.8 kn/m2"));
}

TEST_F(EndToEnd, PressingTwiceLeavesOneSentence) {
  FillTypicalUse();
  ClickCompute();
  ClickCompute();
  EXPECT_EQ(ResultShown(), kTypicalSentence);
}

TEST_F(EndToEnd, TypedTextIsWhatThePressReads) {
  FillTypicalUse();
  Type({"Combo4", 6}, "2.3");
  Type({"Combo1"}, "2");
  ClickCompute();
  EXPECT_EQ(ResultShown(), QStringLiteral("当降低地下水时， 桩周第2层土平均竖向有效应力σi'为：58.38 kn/m2   "
                                          "桩侧负摩阻力标准值qsi = ξn * σi'＝14.6 kn/m2"));
}

struct RowsCase {
  const char* entry;
  std::vector<bool> rows;
};

class LayerCountPicks : public EndToEnd, public testing::WithParamInterface<RowsCase> {};

TEST_P(LayerCountPicks, ShowOnlyThatManyRows) {
  Pick({"Combo1"}, "4.0");
  Pick({"Combo1"}, GetParam().entry);
  EXPECT_EQ(RowsShown(), GetParam().rows);
  for (int k = 1; k <= 5; ++k) {
    for (const ControlKey key : {ControlKey{"Label3", k}, ControlKey{"Combo2", k - 1}, ControlKey{"Combo3", k - 1},
                                 ControlKey{"Combo4", k - 1}}) {
      EXPECT_EQ(Get(key)->isVisible(), GetParam().rows[static_cast<std::size_t>(k - 1)]) << DisplayName(key);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(EveryEntry, LayerCountPicks,
                         testing::Values(RowsCase{"1.0", {true, false, false, false, false}},
                                         RowsCase{"2.0", {true, true, false, false, false}},
                                         RowsCase{"3.0", {true, true, true, false, false}},
                                         RowsCase{"4.0", {true, true, true, true, false}},
                                         RowsCase{"5.0", {true, true, true, true, true}}),
                         [](const auto& row) { return "Entry" + std::string(1, row.param.entry[0]); });

TEST_F(EndToEnd, HiddenRowsComeBackWithTheirTexts) {
  Pick({"Combo1"}, "4.0");
  Pick({"Combo2", 2}, "粉质粘土");
  Type({"Combo4", 8}, "4.75");
  Pick({"Combo1"}, "2.0");
  EXPECT_FALSE(Get({"Combo4", 8})->isVisible());
  Pick({"Combo1"}, "4.0");
  EXPECT_TRUE(Get({"Combo4", 8})->isVisible());
  EXPECT_EQ(Combo("Combo2", 2)->currentText(), "粉质粘土");
  EXPECT_EQ(Combo("Combo4", 8)->currentText(), "4.75");
}

TEST_F(EndToEnd, TypedLayerCountComputesWithoutHidingRows) {
  for (int i = 0; i < 3; ++i) {
    Pick({"Combo3", i}, "20");
    Pick({"Combo4", i + 5}, "1.0");
  }
  Type({"Combo1"}, "3");
  QTest::keyClick(Combo("Combo1"), Qt::Key_Return);
  EXPECT_EQ(RowsShown(), std::vector<bool>(5, true));
  Pick({"Combo5"}, "降低地下水");
  Pick({"Combo6"}, "0.2");
  ClickCompute();
  // Three layers of 20 kN/m³ and 1 m: σ = 20 · 2.5 = 50, qsi = 10.
  EXPECT_EQ(ResultShown(), QStringLiteral("当降低地下水时， 桩周第3层土平均竖向有效应力σi'为：50.00 kn/m2   "
                                          "桩侧负摩阻力标准值qsi = ξn * σi'＝10.0 kn/m2"));
}

TEST_F(EndToEnd, SoilNamesAndElevationsNeverChangeTheSentence) {
  FillTypicalUse();
  Pick({"Combo2", 0}, "杂填土");
  Pick({"Combo2", 1}, "粉砂");
  Pick({"Combo4", 0}, "3.5");
  Type({"Combo4", 1}, "abc");
  ClickCompute();
  EXPECT_EQ(ResultShown(), kTypicalSentence);
}

struct FailureCase {
  const char* name;
  ControlKey typedInto;
  const char* typed;
  const char* message;
  ControlKey blamed;
};

class FailedPresses : public EndToEnd, public testing::WithParamInterface<FailureCase> {};

TEST_P(FailedPresses, ShowOneMessageAndChangeNothing) {
  FillTypicalUse();
  Pick({"Combo1"}, "3.0");
  Pick({"Combo3", 2}, "20");
  Pick({"Combo4", 7}, "2.0");
  Type(GetParam().typedInto, QString::fromUtf8(GetParam().typed));
  Get({"Combo6"})->setFocus();  // the press must move the focus to the field at fault
  const auto before = FieldsShown();
  const std::vector<bool> rowsBefore = RowsShown();
  ClickCompute();
  ASSERT_EQ(messages.size(), 1U);
  EXPECT_EQ(messages[0], GetParam().message);
  EXPECT_EQ(messageTitles[0], "Tavrelo");
  EXPECT_EQ(FieldsShown(), before);
  EXPECT_EQ(RowsShown(), rowsBefore);
  QComboBox* field = Combo(GetParam().blamed.name, GetParam().blamed.index);
  EXPECT_TRUE(field->hasFocus()) << DisplayName(GetParam().blamed);
  EXPECT_EQ(field->lineEdit()->selectedText(), field->currentText());
}

INSTANTIATE_TEST_SUITE_P(
    EveryKind, FailedPresses,
    testing::Values(
        FailureCase{"NotANumber", {"Combo4", 6}, "abc", "第2层的土层厚“abc”不是有效的数字。", {"Combo4", 6}},
        FailureCase{"ZeroThicknessSum", {"Combo4", 7}, "-5", "各层土层厚之和为0，无法计算平均重度。", {"Combo4", 5}},
        FailureCase{"Overflow", {"Combo3", 2}, "1.7e308", "数值过大，计算溢出。", {"Combo3", 2}},
        FailureCase{"LayerCountOutsideOneToFive", {"Combo1"}, "6", "持力层以上土层数应为1至5。", {"Combo1"}},
        FailureCase{"UnknownCause", {"Combo5"}, "降低地下水 ", "请从列表中选择负摩阻力产生原因。", {"Combo5"}},
        FailureCase{"EmptyCoefficient", {"Combo6"}, "", "负摩阻力系数ξn为空，请输入数值。", {"Combo6"}}),
    [](const auto& row) { return std::string(row.param.name); });

TEST_F(EndToEnd, FailureBlamingAHiddenFieldLeavesTheFocusAlone) {
  FillTypicalUse();
  Pick({"Combo5"}, "地面有满布荷载");
  Type({"Combo7"}, "");
  model.SetVisible({"Combo7"}, false);
  Get({"Combo6"})->setFocus();
  ClickCompute();
  ASSERT_EQ(messages.size(), 1U);
  EXPECT_EQ(messages[0], "荷载p为空，请输入数值。");
  EXPECT_FALSE(Get({"Combo7"})->isVisible());
}

TEST_F(EndToEnd, StartUpPressFailsAndKeepsTheNote) {
  const QString note = ResultShown();
  ClickCompute();
  ASSERT_EQ(messages.size(), 1U);
  EXPECT_EQ(ResultShown(), note);
  EXPECT_TRUE(note.startsWith(QStringLiteral("此计算仅供参考！")));
}

}  // namespace
}  // namespace tavrelo::ui
