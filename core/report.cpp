#include "core/report.h"

#include <array>
#include <cstddef>
#include <string_view>

namespace tavrelo {
namespace {

// --- Plain text -------------------------------------------------------------

// ⁰ ¹ ² … ⁹; other characters have no raised form of their own.
constexpr std::array<std::string_view, 10> kSuperscriptDigits = {"⁰", "¹", "²", "³", "⁴", "⁵", "⁶", "⁷", "⁸", "⁹"};

void AppendPlain(std::string& out, const Runs& runs) {
  for (const Run& run : runs) {
    if (run.kind != Run::Kind::Superscript) {
      out.append(run.text);
      continue;
    }
    for (const char c : run.text) {
      if (c >= '0' && c <= '9') {
        out.append(kSuperscriptDigits[static_cast<std::size_t>(c - '0')]);
      } else {
        out.push_back(c);
      }
    }
  }
}

void AppendPlain(std::string& out, const Table& table) {
  for (const std::vector<Cell>& row : table.rows) {
    bool first = true;
    for (std::size_t i = 0; i < row.size() && i < table.columns.size(); ++i) {
      const Column& column = table.columns[i];
      if (column.htmlOnly) continue;
      if (!first) out.append("  ");
      first = false;
      AppendPlain(out, row[i].name);
      AppendPlain(out, row[i].value);
      if (!column.unit.empty()) {
        out.push_back(' ');
        AppendPlain(out, column.unit);
      }
    }
    out.push_back('\n');
  }
}

// --- HTML -------------------------------------------------------------------

// 五号 (10.5 pt), the body size of a Chinese calculation report; a heading
// takes 14 pt.
constexpr std::string_view kFont = "font-family:SimSun,宋体,serif;";
constexpr std::string_view kBodySize = "font-size:10.5pt;";
constexpr std::string_view kCellBox = "border:0.5pt solid #000000;padding:2pt 5pt;";

// `text` as element content: < > & always, the quotes too where asked (a
// field's text, which may hold anything). A blank after a blank becomes a
// no-break space, so that "  " keeps its width.
void AppendEscaped(std::string& out, std::string_view text, bool quotes) {
  char previous = '\0';
  for (const char c : text) {
    switch (c) {
      case '<': out.append("&lt;"); break;
      case '>': out.append("&gt;"); break;
      case '&': out.append("&amp;"); break;
      case '"': out.append(quotes ? "&quot;" : "\""); break;
      case '\'': out.append(quotes ? "&#39;" : "'"); break;
      case ' ': out.append(previous == ' ' ? "&nbsp;" : " "); break;
      default: out.push_back(c); break;
    }
    previous = c;
  }
}

void AppendHtml(std::string& out, const Runs& runs) {
  bool bold = false;
  for (const Run& run : runs) {
    if (run.bold != bold) out.append(run.bold ? "<b>" : "</b>");
    bold = run.bold;
    const bool quotes = run.kind == Run::Kind::Entered;
    switch (run.kind) {
      case Run::Kind::Subscript:
        out.append("<sub>");
        AppendEscaped(out, run.text, quotes);
        out.append("</sub>");
        break;
      case Run::Kind::Superscript:
        out.append("<sup>");
        AppendEscaped(out, run.text, quotes);
        out.append("</sup>");
        break;
      case Run::Kind::Text:
      case Run::Kind::Number:
      case Run::Kind::Entered: AppendEscaped(out, run.text, quotes); break;
    }
  }
  if (bold) out.append("</b>");
}

// The table spans the page: left to size itself, LibreOffice Writer makes
// it too narrow for Chinese text ("第1层" breaks after "第1"). Word and WPS
// read the width alike.
void AppendHtml(std::string& out, const Table& table) {
  if (table.rows.empty()) return;
  out.append("<table width=\"100%\" style=\"border-collapse:collapse;margin:3pt 0 6pt 0;\">\n<tr>");
  for (const Column& column : table.columns) {
    out.append("<th style=\"")
        .append(kFont)
        .append(kBodySize)
        .append(kCellBox)
        .append("font-weight:bold;text-align:center;\">");
    AppendHtml(out, column.header);
    if (!column.unit.empty()) {
      out.append(" (");
      AppendHtml(out, column.unit);
      out.append(")");
    }
    out.append("</th>");
  }
  out.append("</tr>\n");
  for (const std::vector<Cell>& row : table.rows) {
    out.append("<tr>");
    for (std::size_t i = 0; i < row.size() && i < table.columns.size(); ++i) {
      out.append("<td style=\"").append(kFont).append(kBodySize).append(kCellBox);
      out.append(table.columns[i].numeric ? "text-align:right;\">" : "text-align:left;\">");
      AppendHtml(out, row[i].value);
      out.append("</td>");
    }
    out.append("</tr>\n");
  }
  out.append("</table>\n");
}

}  // namespace

std::string PlainText(const Report& report) {
  std::string out;
  AppendPlain(out, report.heading);
  out.push_back('\n');
  for (const Block& block : report.blocks) {
    if (const auto* paragraph = std::get_if<Paragraph>(&block)) {
      AppendPlain(out, paragraph->runs);
      out.push_back('\n');
    } else if (const auto* table = std::get_if<Table>(&block)) {
      AppendPlain(out, *table);
    }
  }
  return out;
}

std::string Html(const Report& report) {
  std::string out = "<h2 style=\"";
  out.append(kFont).append("font-size:14pt;font-weight:bold;margin:0 0 6pt 0;\">");
  AppendHtml(out, report.heading);
  out.append("</h2>\n");
  for (const Block& block : report.blocks) {
    if (const auto* paragraph = std::get_if<Paragraph>(&block)) {
      out.append("<p style=\"").append(kFont).append(kBodySize).append("margin:0 0 3pt 0;\">");
      AppendHtml(out, paragraph->runs);
      out.append("</p>\n");
    } else if (const auto* table = std::get_if<Table>(&block)) {
      AppendHtml(out, *table);
    } else if (const auto* figure = std::get_if<Figure>(&block); figure != nullptr && !figure->svg.empty()) {
      out.append("<div style=\"margin:6pt 0;\">").append(figure->svg).append("</div>\n");
    }
  }
  return out;
}

ReportTexts WriteReport(const Report& report) { return {PlainText(report), Html(report)}; }

}  // namespace tavrelo
