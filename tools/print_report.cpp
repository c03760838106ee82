// Prints a report of the typical use as the result menus copy it: as an
// HTML document (the fragment the clipboard gets, in a UTF-8 page that a
// word processor opens as a file), or with --text as the plain text. For the
// test that an office suite reads the HTML (tests/office) and for the
// README's picture of a pasted table.
//
//   tavrelo-print-report layered > layered.html
//   tavrelo-print-report downdrag --text
//
// The typical use: two layers, 粉质粘土 of 18 kN/m³ and 2.0 m over 粉土 of
// 19 kN/m³ and 3.0 m, lowered groundwater, ξn = 0.25; for the downdrag load
// ξn1 = 0.30, ξn2 = 0.25, ln/l0 = 0.9 and a single round pile of d = 0.6 m
// with its top at the ground.

#include <array>
#include <cstdio>
#include <string>
#include <string_view>

#include "core/calculation_steps.h"
#include "core/downdrag_load.h"
#include "core/downdrag_report.h"
#include "core/layered_report.h"
#include "core/layered_stress.h"
#include "core/negative_friction.h"
#include "core/report.h"
#include "tests/support/typical_input.h"

namespace {

using namespace tavrelo;

const std::array<std::string, 5> kSoilNames = {"粉质粘土", "粉土"};

using testing_support::TypicalInput;

// The report named, or none for a name it does not know (or a press that
// gives no result, which the typical use never is).
bool Describe(std::string_view name, Report& report) {
  const FrictionInput input = TypicalInput();
  const FrictionOutcome window = ComputeNegativeFriction(input);
  const LayeredOutcome layered = ComputeLayeredStress(input);
  if (!window.ok() || !layered.ok()) return false;
  if (name == "steps") {
    report = DescribeCalculationSteps(input, window.result(), layered, kSoilNames);
    return true;
  }
  if (name == "layered") {
    report = DescribeLayeredReport(input, layered.result(), window.result(), kSoilNames);
    return true;
  }
  if (name == "downdrag") {
    DowndragInput downdrag;
    downdrag.friction = input;
    downdrag.coefficientTexts = {"0.30", "0.25"};
    downdrag.neutralRatioText = "0.9";
    downdrag.sizeText = "0.6";
    downdrag.pileTopDepthText = "0";
    const DowndragOutcome outcome = ComputeDowndragLoad(downdrag);
    if (!outcome.ok()) return false;
    report = DescribeDowndragReport(downdrag, outcome.result(), kSoilNames);
    return true;
  }
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string_view name = argc > 1 ? argv[1] : "";
  const bool text = argc > 2 && std::string_view(argv[2]) == "--text";
  Report report;
  if (argc < 2 || argc > 3 || (argc == 3 && !text) || !Describe(name, report)) {
    std::fputs("usage: tavrelo-print-report steps|layered|downdrag [--text]\n", stderr);
    return 2;
  }
  const std::string out =
      text ? PlainText(report)
           : "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"></head><body>\n" + Html(report) + "</body></html>\n";
  return std::fwrite(out.data(), 1, out.size(), stdout) == out.size() && std::fflush(stdout) == 0 ? 0 : 1;
}
