#include <benchmark/benchmark.h>

#include "core/result_text.h"
#include "tests/support/typical_input.h"

namespace {

// Two layers, lowered groundwater: the usual check of an engineer.
using tavrelo::testing_support::TypicalInput;

void ComputeAndCompose(benchmark::State& state) {
  const tavrelo::FrictionInput input = TypicalInput();
  for (auto _ : state) {
    const tavrelo::FrictionOutcome outcome = tavrelo::ComputeNegativeFriction(input);
    std::string sentence = tavrelo::ComposeResultText(input.causeText, input.layerCountText, outcome.result());
    benchmark::DoNotOptimize(sentence);
  }
}
BENCHMARK(ComputeAndCompose);

// Five layers under a surface load: every field is read.
void ComputeAndComposeFiveLayers(benchmark::State& state) {
  tavrelo::FrictionInput input = TypicalInput();
  input.layerCountText = "5.0";
  input.layers[2] = {"18.5", "4.5"};
  input.layers[3] = {"19.5", "1.5"};
  input.layers[4] = {"20", "12"};
  input.causeText = "地面有满布荷载";
  input.loadText = "10";
  for (auto _ : state) {
    const tavrelo::FrictionOutcome outcome = tavrelo::ComputeNegativeFriction(input);
    std::string sentence = tavrelo::ComposeResultText(input.causeText, input.layerCountText, outcome.result());
    benchmark::DoNotOptimize(sentence);
  }
}
BENCHMARK(ComputeAndComposeFiveLayers);

}  // namespace

BENCHMARK_MAIN();
