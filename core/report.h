#pragma once
// A calculation report described once and written from that description in
// two flavours: plain text, for any editor, and an HTML fragment that pastes
// into Word, WPS and LibreOffice Writer as headed paragraphs and a real
// table. The reports the result menus copy (calculation_steps.h,
// layered_report.h, downdrag_report.h) are each one description, so the two
// flavours hold the same texts and the same numbers, rounded once.
//
// A report is a heading and blocks one after another: paragraphs, a table of
// the layers, a figure. Every text in it is a list of runs. What each becomes:
//
//   description         plain text                      HTML
//   heading             its runs, "\n"                  <h2 style="…">…</h2>
//   paragraph           its runs, "\n"                  <p style="…">…</p>
//   table               a row a line: its cells          <table>: a header row
//                       joined by "  ", each cell its    (each column's header and
//                       name, value and the column's     unit), then a <tr> a row,
//                       unit: "γ1 = 18 kN/m³"            a cell its value: "18"
//   figure (SVG)        nothing                          the SVG as it is
//
//   run: Text           as it is                         escaped (< > &)
//        Subscript      on the line: "γ" "1" → "γ1"      <sub>1</sub>
//        Superscript    "2" → "²", "3" → "³"             <sup>3</sup>
//        Number         as it is                         escaped
//        Entered        as it is                         escaped, quotes too
//        bold           as the run                       <b>…</b>
//
// The HTML carries every style inline (a word processor drops a style
// sheet), puts a border and padding on every cell (Word draws no border from
// the table's alone), spans the table across the page, names SimSun/宋体 with
// a generic fallback, right-aligns the numbers and keeps a run of blanks as
// wide as in the plain text. It is UTF-8 and a fragment: no <html> or
// <body>, the heading first.

#include <string>
#include <variant>
#include <vector>

namespace tavrelo {

// A piece of text of one kind.
struct Run {
  enum class Kind {
    Text,         // the program's own words and symbols
    Subscript,    // lowered in HTML, on the line in plain text
    Superscript,  // raised in HTML; in plain text its digits as ⁰ … ⁹
    Number,       // a computed value as FormatFixed writes it
    Entered,      // a field's text: free text, which may hold anything
  };
  Kind kind = Kind::Text;
  std::string text;
  bool bold = false;

  friend bool operator==(const Run&, const Run&) = default;
};

using Runs = std::vector<Run>;

struct Paragraph {
  Runs runs;
};

// A column of the table. Its header and unit stand in HTML's header row;
// the plain text writes the unit after each value instead.
struct Column {
  Runs header;            // "γ" "i"
  Runs unit;              // "kN/m" "3", or none
  bool htmlOnly = false;  // a column the plain text never showed (土名称)
  bool numeric = true;    // right-aligned in HTML
};

// A cell: what the plain text writes before its value ("γ1 = "), which the
// column's header says in HTML, and the value both write ("18",
// "18×2.0/2 = 18.00").
struct Cell {
  Runs name;
  Runs value;
};

struct Table {
  std::vector<Column> columns;
  std::vector<std::vector<Cell>> rows;  // a cell a column; no rows, no table
};

// A drawing as ready SVG markup, for HTML only; an empty one writes nothing.
struct Figure {
  std::string svg;
};

using Block = std::variant<Paragraph, Table, Figure>;

struct Report {
  Runs heading;
  std::vector<Block> blocks;
};

// Both flavours of one report, as a copying command puts them on the
// clipboard.
struct ReportTexts {
  std::string text;  // lines ended by "\n", the last one too
  std::string html;  // a UTF-8 fragment

  friend bool operator==(const ReportTexts&, const ReportTexts&) = default;
};

[[nodiscard]] std::string PlainText(const Report& report);
[[nodiscard]] std::string Html(const Report& report);
[[nodiscard]] ReportTexts WriteReport(const Report& report);

}  // namespace tavrelo
