#include "core/report_pieces.h"

#include <cstddef>
#include <utility>

namespace tavrelo::report {
namespace {

constexpr std::string_view kBlanks[] = {" ", "\u3000"};  // ASCII and ideographic

}  // namespace

// (Appending keeps GCC 12's optimiser from a false -Wrestrict alarm that
// chains of operator+ raise.)
std::string Concat(std::initializer_list<std::string_view> pieces) {
  std::size_t size = 0;
  for (const std::string_view piece : pieces) size += piece.size();
  std::string text;
  text.reserve(size);
  for (const std::string_view piece : pieces) text.append(piece);
  return text;
}

std::string_view Entered(std::string_view text) {
  for (bool trimmed = true; trimmed;) {
    trimmed = false;
    for (const std::string_view blank : kBlanks) {
      if (text.starts_with(blank)) text.remove_prefix(blank.size());
      if (text.ends_with(blank)) text.remove_suffix(blank.size());
      trimmed = trimmed || text.starts_with(blank) || text.ends_with(blank);
    }
  }
  return text;
}

std::string Factor(std::string_view text) {
  const std::string_view entered = Entered(text);
  const bool negative = entered.starts_with("-") || entered.starts_with("－");
  return negative ? Concat({"(", entered, ")"}) : std::string(entered);
}

Phrase& Phrase::Say(std::string_view notation) {
  while (!notation.empty()) {
    const std::size_t mark = notation.find_first_of("_^");
    const bool braced = mark != std::string_view::npos && notation.substr(mark + 1).starts_with('{');
    const std::size_t close = braced ? notation.find('}', mark) : std::string_view::npos;
    if (close == std::string_view::npos) {  // plain to the end
      Add({Run::Kind::Text, std::string(notation)});
      break;
    }
    if (mark > 0) Add({Run::Kind::Text, std::string(notation.substr(0, mark))});
    const Run::Kind kind = notation[mark] == '_' ? Run::Kind::Subscript : Run::Kind::Superscript;
    Add({kind, std::string(notation.substr(mark + 2, close - mark - 2))});
    notation.remove_prefix(close + 1);
  }
  return *this;
}

Phrase& Phrase::Then(const Phrase& more) {
  for (const Run& run : more.runs_) Add(run);
  return *this;
}

Phrase& Phrase::Bold(const Phrase& part) {
  for (Run run : part.runs_) {
    run.bold = true;
    Add(std::move(run));
  }
  return *this;
}

Phrase& Phrase::Add(Run run) {
  if (run.text.empty()) return *this;
  if (!runs_.empty() && runs_.back().kind == run.kind && runs_.back().bold == run.bold) {
    runs_.back().text.append(run.text);
  } else {
    runs_.push_back(std::move(run));
  }
  return *this;
}

Paragraph Line(const Phrase& label, const Phrase& formula) { return {Phrase(label).Say("  ").Then(formula).runs()}; }

Paragraph Line(std::string_view label, const Phrase& formula) { return Line(Phrase(label), formula); }

std::vector<Column> LayerColumns() {
  return {{Phrase("层").runs(), {}, false, false},
          {Phrase("土名称").runs(), {}, true, false},
          NumberColumn("γ_{i}", kUnitWeightUnit),
          NumberColumn("h_{i}", kLengthUnit)};
}

std::vector<Cell> LayerCells(int i, const LayerInput& layer, const std::array<std::string, 5>& soilNames) {
  const std::string k = std::to_string(i);
  const std::size_t index = static_cast<std::size_t>(i - 1);
  const std::string_view soil = index < soilNames.size() ? Entered(soilNames[index]) : std::string_view();
  return {NamedCell("", Phrase{"第", k, "层"}), NamedCell("", Phrase().Field(soil)),
          NamedCell(Concat({"γ_{", k, "} = "}), Phrase().Field(Entered(layer.unitWeightText))),
          NamedCell(Concat({"h_{", k, "} = "}), Phrase().Field(Entered(layer.thicknessText)))};
}

Column NumberColumn(std::string_view header, std::string_view unit) {
  return {Phrase(header).runs(), Phrase(unit).runs(), false, true};
}

Cell NamedCell(std::string_view name, const Phrase& value) { return {Phrase(name).runs(), value.runs()}; }

}  // namespace tavrelo::report
