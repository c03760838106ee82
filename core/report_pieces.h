#pragma once
// Pieces of the reports the program composes (the calculation steps, the
// layered calculation, the downdrag load), each a Report (report.h): the
// units, a field's text as entered, a factor in brackets, a phrase of runs,
// one labelled line, the layers' columns and cells. For the core's own
// sources only.

#include <array>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "core/negative_friction.h"
#include "core/report.h"

namespace tavrelo::report {

// Units in the notation of Phrase::Say, without a blank before them.
inline constexpr std::string_view kUnitWeightUnit = "kN/m^{3}";
inline constexpr std::string_view kLengthUnit = "m";
inline constexpr std::string_view kStressUnit = "kN/m^{2}";
inline constexpr std::string_view kAreaUnit = "m^{2}";
inline constexpr std::string_view kForcePerLengthUnit = "kN/m";
inline constexpr std::string_view kForceUnit = "kN";

// The pieces one after another.
[[nodiscard]] std::string Concat(std::initializer_list<std::string_view> pieces);

// A field's text without the blanks a user may have typed around it (ASCII
// and ideographic spaces).
[[nodiscard]] std::string_view Entered(std::string_view text);

// As a factor of a product: "-2.0" becomes "(-2.0)", for a text as entered
// and for a computed value alike.
[[nodiscard]] std::string Factor(std::string_view text);

// Runs put together one after another:
//
//   Phrase{"σ'_{γ", k, "} = "}.Field(Factor(γ)).Say("×").Field(Factor(h)).Say("/2 = ").Number(v).Unit(kStressUnit)
//
// The program's own text is written in a small notation: "_{…}" lowers what
// the braces hold and "^{…}" raises it ("σ'_{γ1}" is σ'γ1 in plain text,
// σ'<sub>γ1</sub> in HTML; "kN/m^{3}" is kN/m³). A field's text and a number
// are taken as they are and never read for it.
class Phrase {
 public:
  Phrase() = default;
  explicit Phrase(std::string_view notation) { Say(notation); }
  Phrase(std::initializer_list<std::string_view> notation) { Say(notation); }

  Phrase& Say(std::string_view notation);
  Phrase& Say(std::initializer_list<std::string_view> notation) { return Say(Concat(notation)); }
  Phrase& Field(std::string_view text) { return Add({Run::Kind::Entered, std::string(text)}); }
  Phrase& Number(std::string_view text) { return Add({Run::Kind::Number, std::string(text)}); }
  // A blank and the unit: " kN/m²".
  Phrase& Unit(std::string_view unit) { return Say(" ").Say(unit); }
  Phrase& Then(const Phrase& more);
  // `part`, every run of it bold.
  Phrase& Bold(const Phrase& part);

  [[nodiscard]] const Runs& runs() const noexcept { return runs_; }
  [[nodiscard]] bool empty() const noexcept { return runs_.empty(); }

 private:
  // Joins a run to the last one where both are of one kind and weight.
  Phrase& Add(Run run);

  Runs runs_;
};

// "label  formula".
[[nodiscard]] Paragraph Line(const Phrase& label, const Phrase& formula);
[[nodiscard]] Paragraph Line(std::string_view label, const Phrase& formula);

// The table's first columns, a report's own after them: 层, 土名称, γi and hi.
[[nodiscard]] std::vector<Column> LayerColumns();
// Layer i's cells of those columns, its soil name as entered:
// "第2层  γ2 = 19 kN/m³  h2 = 3.0 m" in plain text.
[[nodiscard]] std::vector<Cell> LayerCells(int i, const LayerInput& layer, const std::array<std::string, 5>& soilNames);
// A column of a report's own: its header and unit, numbers right-aligned.
[[nodiscard]] Column NumberColumn(std::string_view header, std::string_view unit);
// A cell: the plain text's name before the value, and the value.
[[nodiscard]] Cell NamedCell(std::string_view name, const Phrase& value);

}  // namespace tavrelo::report
