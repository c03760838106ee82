#include "tests/support/soak_plan.h"

#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "core/number_text.h"
#include "core/result_text.h"

namespace tavrelo::ui::testing_support {
namespace {

std::string_view Environment(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

// A whole decimal number, or none.
std::optional<std::uint64_t> Whole(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  if (text.empty() || text.size() > 19) return std::nullopt;
  std::uint64_t value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + static_cast<std::uint64_t>(c - '0');
  }
  return value;
}

}  // namespace

int SoakActions(int fallback) {
  const auto actions = Whole(Environment("TAVRELO_SOAK_ACTIONS"));
  return actions && *actions > 0 && *actions < 100'000'000 ? static_cast<int>(*actions) : fallback;
}

std::vector<std::uint64_t> SoakSeeds(std::vector<std::uint64_t> fixed) {
  std::string_view listed = Environment("TAVRELO_SOAK_SEEDS");
  while (!listed.empty()) {
    const auto comma = listed.find(',');
    if (const auto seed = Whole(listed.substr(0, comma))) fixed.push_back(*seed);
    listed = comma == std::string_view::npos ? std::string_view() : listed.substr(comma + 1);
  }
  return fixed;
}

bool SoakTrace() { return Environment("TAVRELO_SOAK_TRACE") == "1"; }

std::optional<std::string> SentenceFor(const FrictionInput& input) {
  const FrictionOutcome outcome = ComputeNegativeFriction(input);
  if (!outcome.ok()) return std::nullopt;
  const NumberReading count = ReadNumber(input.layerCountText);
  if (!count.ok() || !LayerCountFromValue(count.value)) return std::nullopt;
  if (ClassifyCause(input.causeText) == CauseKind::Other) return std::nullopt;
  return ComposeResultText(input.causeText, input.layerCountText, outcome.result());
}

std::string SoakFailure(std::uint64_t seed, int step, const std::vector<std::string>& problems,
                        const std::deque<std::string>& lastActions) {
  std::string report = "seed " + std::to_string(seed) + ", action " + std::to_string(step) + ":\n";
  for (const std::string& problem : problems) report += "  - " + problem + "\n";
  report += "last actions:\n";
  for (const std::string& line : lastActions) report += "  " + line + "\n";
  return report;
}

void PrintSoakSummary(std::uint64_t seed, int actions, std::span<const char* const> kinds, std::span<const int> taken,
                      int sentences, int refusals, int failures) {
  std::string tally;
  for (std::size_t i = 0; i < kinds.size() && i < taken.size(); ++i) {
    tally += std::string(i == 0 ? "" : ", ") + kinds[i] + " " + std::to_string(taken[i]);
  }
  std::printf("seed %llu: %d actions, %d presses (%d sentences, %d refusals), %d failures; %s\n",
              static_cast<unsigned long long>(seed), actions, sentences + refusals, sentences, refusals, failures,
              tally.c_str());
  std::fflush(stdout);
}

}  // namespace tavrelo::ui::testing_support
