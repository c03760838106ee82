#pragma once
// What every random-user soak of a window shares, whichever toolkit draws
// it: how many actions and which seeds a run takes, and what a press must
// show for the fields it reads.
//
//   TAVRELO_SOAK_ACTIONS  actions per seed (each soak has its own default)
//   TAVRELO_SOAK_SEEDS    seeds added to the fixed ones, "7,8,9"
//   TAVRELO_SOAK_TRACE=1  every action printed as it happens, for a crash

#include <cstdint>
#include <deque>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/negative_friction.h"

namespace tavrelo::ui::testing_support {

[[nodiscard]] int SoakActions(int fallback);
[[nodiscard]] std::vector<std::uint64_t> SoakSeeds(std::vector<std::uint64_t> fixed);
[[nodiscard]] bool SoakTrace();

// The sentence a press must show for `input`, or none when the press must
// fail: the computation fails, or it would go on with a layer count other
// than 1 to 5 or a cause that is neither entry, which the window refuses.
[[nodiscard]] std::optional<std::string> SentenceFor(const FrictionInput& input);

// What a soak says when an action broke the window: the seed, the action's
// number, each problem and the last actions, oldest first.
[[nodiscard]] std::string SoakFailure(std::uint64_t seed, int step, const std::vector<std::string>& problems,
                                      const std::deque<std::string>& lastActions);

// What a soak says of a seed, on one line: the actions it got through, the
// presses, how many gave a sentence and how many were refused, whether the
// window broke (1 failure) or not, and each kind of action with how often
// it was taken. bench/soak.sh reads it.
void PrintSoakSummary(std::uint64_t seed, int actions, std::span<const char* const> kinds, std::span<const int> taken,
                      int sentences, int refusals, int failures);

}  // namespace tavrelo::ui::testing_support
