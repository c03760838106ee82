#include "ui/text_wrap.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "ui/form_model.h"

namespace tavrelo::ui {
namespace {

// A font like the notes' at 96 dpi: 10 px for a Chinese character (any
// code point beyond ASCII), 5 px for an ASCII one.
int MonospaceWidth(std::string_view text) {
  int width = 0;
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x80) {
      width += 5;
    } else if (byte >= 0xC0) {
      width += 10;
    }
  }
  return width;
}

struct WrapCase {
  const char* name;
  const char* text;
  int width;
  std::vector<std::string> lines;
};

class Wrapping : public testing::TestWithParam<WrapCase> {};

TEST_P(Wrapping, BreaksWhereAReaderExpects) {
  EXPECT_EQ(WrapLines(GetParam().text, GetParam().width, MonospaceWidth), GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Wrapping,
    testing::Values(WrapCase{"FitsOnOneLine", "负摩阻力系数ξn", 200, {"负摩阻力系数ξn"}},
                    WrapCase{"EmptyHasNoLine", "", 100, {}},
                    WrapCase{"BetweenChineseCharacters", "在同一类土中取值", 40, {"在同一类", "土中取值"}},
                    WrapCase{"ExactFitStaysOnTheLine", "在同一类", 40, {"在同一类"}},
                    WrapCase{"ClosingPunctuationNeverStartsALine", "对于打入桩，取值", 50, {"对于打入", "桩，取值"}},
                    WrapCase{"OpeningBracketNeverEndsALine", "对于粘（冲）挖孔", 40, {"对于粘", "（冲）挖", "孔"}},
                    WrapCase{"LatinWordsStayWhole", "当qsi(n)值", 35, {"当", "qsi(n)", "值"}},
                    WrapCase{"BlanksHangAndTakeNoRoom", "较小值。    2、填土", 40, {"较小值。", "2、填土"}},
                    WrapCase{"AWordWiderThanTheBoxIsCut", "abcdefgh", 20, {"abcd", "efgh"}}),
    [](const auto& row) { return std::string(row.param.name); });

// The notes under the ξn table, in their 265 px box at 10 px a character:
// the blanks put each numbered note at the start of a line.
TEST(WrappingTheNotes, GivesFourLinesWithEachNoteOnItsOwn) {
  const FormModel model;
  const ControlSpec& notes = model.Row({"Label6"});
  const auto lines = WrapLines(notes.caption, notes.width / 15, MonospaceWidth);
  ASSERT_EQ(lines.size(), 4U);
  EXPECT_EQ(lines[0], "注：1、在同一类土中，对于打入桩或沉管灌注桩，取表中较");
  EXPECT_EQ(lines[1], "大值，对于粘（冲）挖孔灌注桩，取表中较小值。");
  EXPECT_EQ(lines[2], "2、填土按其组成取表中同类土的较大值。");
  EXPECT_EQ(lines[3], "3、当qsi(n)值大于正摩阻力时，取正摩阻力值。");
}

}  // namespace
}  // namespace tavrelo::ui
