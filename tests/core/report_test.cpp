// The reports' two flavours from one description: the plain text exactly as
// the plain-text functions write it, and HTML that is well formed, holds the
// same texts and numbers, a table row per layer and the soil names escaped.
#include "core/report.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <functional>
#include <ostream>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "core/calculation_steps.h"
#include "core/downdrag_load.h"
#include "core/downdrag_report.h"
#include "core/layered_report.h"
#include "core/layered_stress.h"
#include "core/negative_friction.h"
#include "tests/core/test_texts.h"

namespace tavrelo {
namespace {

using namespace testing_support;

// --- The HTML as a word processor reads it, strictly ---------------------------

struct HtmlReading {
  std::string fault;                           // the first one; empty when none
  std::vector<std::string> blocks;             // each heading and paragraph, as plain text
  std::vector<std::vector<std::string>> rows;  // each row of <td> cells, as plain text
  std::vector<std::string> rowValues;          // each such row without its sub- and superscripts
  std::string values;                          // the whole text without sub- and superscripts
  std::vector<std::string> bold;
};

// Every element closed in order, every entity one the writer uses, no bare
// < or >, every text element styled with SimSun and a fallback, every cell
// with a border and padding.
HtmlReading ReadHtml(std::string_view html) {
  HtmlReading r;
  std::vector<std::string> open;
  bool inBlock = false, inCell = false, inRow = false, inBold = false, lowered = false, raised = false;
  const auto emit = [&](std::string_view text) {
    std::string shown(text);
    if (raised) shown = text == "2" ? "²" : text == "3" ? "³" : "?";
    if (inBlock) r.blocks.back() += shown;
    if (inCell) r.rows.back().back() += shown;
    if (inBold) r.bold.back() += shown;
    if (lowered || raised) return;
    r.values += text;
    if (inRow) r.rowValues.back() += text;
  };
  const auto separate = [&] {
    r.values += '|';
    if (inRow) r.rowValues.back() += '|';
  };
  for (std::size_t at = 0; at < html.size() && r.fault.empty();) {
    const std::string_view rest = html.substr(at);
    if (rest.starts_with("<")) {
      const std::size_t end = rest.find('>');
      if (end == rest.npos) {
        r.fault = "a bare <";
        break;
      }
      const std::string_view tag = rest.substr(1, end - 1);
      at += end + 1;
      const bool closing = tag.starts_with('/');
      const std::string name(tag.substr(closing ? 1 : 0, tag.find_first_of(" />", closing ? 1 : 0)));
      const bool on = !closing;
      if (closing) {
        if (open.empty() || open.back() != name) r.fault = "</" + name + "> closes nothing open";
        if (!open.empty()) open.pop_back();
      } else if (name != "meta" && !tag.ends_with('/')) {
        open.push_back(name);
      }
      const std::string_view style = tag.substr(std::min(tag.find("style=\""), tag.size()));
      const bool cell = name == "td" || name == "th";
      if (on && (cell || name == "p" || name == "h2") && style.find("font-family:SimSun,宋体,serif") == style.npos) {
        r.fault = "<" + name + "> without SimSun";
      }
      if (on && cell && (style.find("border:") == style.npos || style.find("padding:") == style.npos)) {
        r.fault = "<" + name + "> without a border and padding";
      }
      if (name == "p" || name == "h2") {
        inBlock = on;
        if (on) r.blocks.emplace_back();
        separate();
      } else if (name == "tr" && on) {
        inRow = true;
        r.rows.emplace_back();
        r.rowValues.emplace_back();
      } else if (name == "tr") {
        inRow = false;
        if (r.rows.back().empty()) {  // the header row
          r.rows.pop_back();
          r.rowValues.pop_back();
        }
      } else if (cell) {
        separate();
        inCell = on && name == "td";
        if (inCell) r.rows.back().emplace_back();
      } else if (name == "sub" || name == "sup") {
        (name == "sub" ? lowered : raised) = on;
        separate();
      } else if (name == "b") {
        inBold = on;
        if (on) r.bold.emplace_back();
      }
    } else if (rest.starts_with("&")) {
      const std::size_t end = rest.find(';');
      const std::string_view entity = rest.substr(0, end + 1);
      constexpr std::array<std::pair<std::string_view, std::string_view>, 6> kEntities = {
          {{"&lt;", "<"}, {"&gt;", ">"}, {"&amp;", "&"}, {"&quot;", "\""}, {"&#39;", "'"}, {"&nbsp;", " "}}};
      const auto known =
          std::find_if(kEntities.begin(), kEntities.end(), [&](const auto& pair) { return pair.first == entity; });
      if (known == kEntities.end()) {
        r.fault = "unknown entity " + std::string(entity.substr(0, 8));
      } else {
        emit(known->second);
      }
      at += entity.size();
    } else {
      if (rest.front() == '>') r.fault = "a bare >";
      emit(rest.substr(0, 1));
      ++at;
    }
  }
  if (r.fault.empty() && !open.empty()) r.fault = "<" + open.back() + "> never closed";
  return r;
}

// A field's text without the blanks around it, as the reports show it.
std::string Trimmed(std::string text) {
  for (const std::string_view blank : {" ", "\u3000"}) {
    while (text.starts_with(blank)) text.erase(0, blank.size());
    while (text.ends_with(blank)) text.erase(text.size() - blank.size());
  }
  return text;
}

// The numbers a text shows, each as written: "18", "2.0", "64.50"; not the
// digits of a symbol ("γ1", "σ'1", "qs2k"), which HTML lowers.
std::vector<std::string> Numbers(std::string_view text) {
  const auto digit = [&](std::size_t i) { return i < text.size() && text[i] >= '0' && text[i] <= '9'; };
  std::vector<std::string> numbers;
  for (std::size_t i = 0; i < text.size();) {
    if (!digit(i)) {
      ++i;
      continue;
    }
    std::size_t end = i;
    while (digit(end)) ++end;
    if (end < text.size() && text[end] == '.' && digit(end + 1)) {
      for (++end; digit(end);) ++end;
    }
    const unsigned char before = i > 0 ? static_cast<unsigned char>(text[i - 1]) : ' ';
    const unsigned char lead = i > 1 ? static_cast<unsigned char>(text[i - 2]) : ' ';
    const bool symbol = std::isalpha(before) || before == '\'' || lead == 0xCE || lead == 0xCF;  // Greek
    if (!symbol) numbers.emplace_back(text.substr(i, end - i));
    i = end;
  }
  return numbers;
}

// --- One table of reports --------------------------------------------------------

struct Made {
  ReportTexts texts;
  std::string plain;  // the plain-text function's
};

struct ReportCase {
  const char* name;
  std::function<Made(const std::array<std::string, 5>&)> make;
  std::array<std::string, 5> soilNames;
  std::size_t layerRows;
  std::string bold;
};

const FrictionInput kTypical = Input("2.0", {{"18", "2.0"}, {"19", "3.0"}}, kGroundwater, "0.25");
const FrictionInput kLoaded = Input("2.0", {{"18", "2.0"}, {"19", "3.0"}}, kSurcharge, "0.25", "10");
const FrictionInput kFiveLayers =
    Input(" 5.0", {{"17", "1.0"}, {"17.5", "1.5"}, {"18 ", "2.0"}, {"19", "2.5"}, {"20", "3.0"}}, kGroundwater, "0.3");

std::function<Made(const std::array<std::string, 5>&)> Steps(const FrictionInput& input) {
  return [input](const std::array<std::string, 5>& soil) {
    const FrictionResult window = ComputeNegativeFriction(input).result();
    const LayeredOutcome layered = ComputeLayeredStress(input);
    return Made{WriteReport(DescribeCalculationSteps(input, window, layered, soil)),
                ComposeCalculationSteps(input, window, layered)};
  };
}

std::function<Made(const std::array<std::string, 5>&)> Layered(const FrictionInput& input) {
  return [input](const std::array<std::string, 5>& soil) {
    const FrictionResult window = ComputeNegativeFriction(input).result();
    const LayeredStress layered = ComputeLayeredStress(input).result();
    return Made{WriteReport(DescribeLayeredReport(input, layered, window, soil)),
                ComposeLayeredReport(input, layered, window)};
  };
}

// A group under a load, its top 1.0 m down, layer 2 capped by qs2k = 15:
// Qgn = 0.594 × 1.885 × 50.10 = 56.1 kN.
Made DowndragOfAGroup(const std::array<std::string, 5>& soil) {
  DowndragInput input;
  input.friction = kLoaded;
  input.coefficientTexts = {"0.30", "0.25"};
  input.sideResistanceTexts = {"", "15"};
  input.neutralRatioText = "0.9";
  input.sizeText = "0.6";
  input.spacingXText = input.spacingYText = "1.0";
  input.pileTopDepthText = "1.0";
  const DowndragResult result = ComputeDowndragLoad(input).result();
  return {WriteReport(DescribeDowndragReport(input, result, soil)), ComposeDowndragReport(input, result)};
}

void PrintTo(const ReportCase& c, std::ostream* out) { *out << c.name; }

class Flavours : public testing::TestWithParam<ReportCase> {};

TEST_P(Flavours, ShowTheSameTextsAndNumbers) {
  const ReportCase& c = GetParam();
  const Made made = c.make(c.soilNames);
  EXPECT_EQ(made.texts.text, made.plain) << "the plain text as the plain-text function writes it";
  EXPECT_TRUE(made.texts.html.starts_with("<h2 ")) << made.texts.html;
  EXPECT_EQ(made.texts.html.find("<style"), std::string::npos);
  const HtmlReading html = ReadHtml(made.texts.html);
  ASSERT_EQ(html.fault, "") << made.texts.html;

  std::vector<std::string> layerLines;
  std::vector<std::string> otherLines;
  for (const std::string& line : LinesOf(made.plain)) {
    const std::string k = std::to_string(layerLines.size() + 1);
    (line.starts_with("第" + k + "层  γ" + k + " = ") ? layerLines : otherLines).push_back(line);
  }
  EXPECT_EQ(html.blocks, otherLines) << "the heading and the paragraphs word for word";
  ASSERT_EQ(layerLines.size(), c.layerRows);
  ASSERT_EQ(html.rows.size(), c.layerRows) << made.texts.html;
  for (std::size_t i = 0; i < c.layerRows; ++i) {
    EXPECT_EQ(Numbers(html.rowValues[i]), Numbers(layerLines[i])) << "layer " << i + 1 << ": " << html.rowValues[i];
    ASSERT_GE(html.rows[i].size(), 2U);
    EXPECT_EQ(html.rows[i][0], "第" + std::to_string(i + 1) + "层");
    EXPECT_EQ(html.rows[i][1], Trimmed(c.soilNames[i]));
  }
  EXPECT_EQ(Numbers(html.values), Numbers(made.plain)) << "every number, rounded alike, in the same order";
  EXPECT_EQ(html.bold, std::vector<std::string>{c.bold});
}

const std::array<std::string, 5> kTwoSoils = {"粉质粘土", "粉土"};

INSTANTIATE_TEST_SUITE_P(
    Reports, Flavours,
    testing::Values(
        ReportCase{"TypicalLayered", Layered(kTypical), kTwoSoils, 2, "16.1 kN/m²"},
        ReportCase{"TypicalSteps", Steps(kTypical), kTwoSoils, 2, "16.3 kN/m²"},
        ReportCase{"SurchargeLayered", Layered(kLoaded), kTwoSoils, 2, "18.6 kN/m²"},
        ReportCase{"SurchargeSteps", Steps(kLoaded), kTwoSoils, 2, "18.8 kN/m²"},
        ReportCase{
            "FiveLayersLayered", Layered(kFiveLayers), {"素填土", "粘土", "粉土", "细砂", "中砂"}, 5, "47.0 kN/m²"},
        ReportCase{"FiveLayersSteps", Steps(kFiveLayers), {"素填土"}, 5, "47.6 kN/m²"},
        ReportCase{"SoilNamesWithMarkupQuotesAndBlanks",
                   Layered(kTypical),
                   {"粘土<i>&\"粉土\"'s'</i>", " \u3000粉土 "},
                   2,
                   "16.1 kN/m²"},
        ReportCase{"DowndragOfAGroupUnderALoadCapped", DowndragOfAGroup, kTwoSoils, 2, "56.1 kN"}),
    RowName);

TEST(Flavours, ASoilNameIsEscapedWhole) {
  const std::string html = Layered(kTypical)({"<b>&\"'"}).texts.html;
  EXPECT_NE(html.find(">&lt;b&gt;&amp;&quot;&#39;</td>"), std::string::npos) << html;
}

// --- The writers alone --------------------------------------------------------------

TEST(Writers, AFigureIsForHtmlAloneAndAnEmptyOneWritesNothing) {
  const Report bare{{{Run::Kind::Text, "桩"}}, {Paragraph{{{Run::Kind::Text, "d = 0.6 m"}}}}};
  Report drawn = bare;
  drawn.blocks.emplace_back(Figure{"<svg width=\"10\" height=\"10\"></svg>"});
  Report empty = bare;
  empty.blocks.emplace_back(Figure{});
  EXPECT_EQ(PlainText(drawn), "桩\nd = 0.6 m\n");
  EXPECT_EQ(PlainText(drawn), PlainText(bare));
  EXPECT_NE(Html(drawn).find(">" + std::get<Figure>(drawn.blocks[1]).svg + "<"), std::string::npos);
  EXPECT_EQ(Html(empty), Html(bare));
}

}  // namespace
}  // namespace tavrelo
