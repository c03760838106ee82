#pragma once
// What the fuzz targets share: the entry point's course (decode, model,
// compute, check), the report of a broken expectation, and small pieces of
// decoding and comparing.
//
//   LLVMFuzzerTestOneInput(data, size)
//     → TestOneInput(target, data, size)
//         target.decode(bytes) → input;  target.buildModel(input) → model
//         target.compute(input) → outcome (a throw is broken)
//         target.checkResult or target.checkFailure; then target.checkAlways
//     a broken expectation: Broken(what) prints what broke and
//     target.describe(input, outcome), then aborts.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>

#include "core/report.h"

namespace tavrelo::fuzz {

// --- Reporting a broken expectation ----------------------------------------------

// Prints "==NAME== broken: WHAT", then what the running target says of its
// input and outcome, and aborts.
[[noreturn]] void Broken(const std::string& what);
void Expect(bool holds, const char* what);
// `detail()` is the text of the break; it is worked out only when broken.
template <typename Detail>
void ExpectThat(bool holds, const Detail& detail) {
  if (!holds) Broken(detail());
}

// While it lives, Broken names `name` and prints `describe()` below it.
class Describing {
 public:
  Describing(std::string_view name, std::function<std::string()> describe);
  ~Describing();
  Describing(const Describing&) = delete;
  Describing& operator=(const Describing&) = delete;
};

// A text as a report shows it: control bytes, '"' and '\\' as \xNN, UTF-8
// left readable; at most `most` bytes of it.
[[nodiscard]] std::string Escaped(std::string_view text, std::size_t most = std::string_view::npos);

// --- Decoding ---------------------------------------------------------------------

// A field that begins with 0x01: the entry of `list` that the next byte picks
// (modulo the list's length), followed by the field's remaining bytes.
[[nodiscard]] std::string FromList(std::span<const std::string_view> list, std::string_view field);

// A number to pick texts by that differs from input to input: the size plus
// the last byte.
[[nodiscard]] std::size_t SaltOf(std::string_view bytes);

// --- Comparing --------------------------------------------------------------------

// The same to the bit: 0 and -0 differ, a NaN equals itself.
[[nodiscard]] bool SameBits(double a, double b);
[[nodiscard]] bool SameBits(const std::optional<double>& a, const std::optional<double>& b);

// A report's HTML beside its plain text: the plain text the same, and soil
// names, whatever they hold, escaped: they add no markup.
void CheckHtmlFlavour(const ReportTexts& named, const ReportTexts& unnamed, const std::string& plain);

// --- The entry point ----------------------------------------------------------------

// The pieces of one target, called in the order above.
template <typename Input, typename Model, typename Outcome>
struct Target {
  using Result = std::decay_t<decltype(std::declval<const Outcome&>().result())>;
  using Failure = std::decay_t<decltype(std::declval<const Outcome&>().failure())>;

  std::string_view name;  // "friction_fuzzer": the head of a broken expectation's report
  Input (*decode)(std::string_view bytes);
  Model (*buildModel)(const Input& input);
  Outcome (*compute)(const Input& input);
  void (*checkResult)(const Input& input, const Model& model, const Result& result);
  void (*checkFailure)(const Input& input, const Model& model, const Failure& failure);
  // After either, with the input's bytes for a salt.
  void (*checkAlways)(const Input& input, const Model& model, const Outcome& outcome, std::string_view bytes);
  // The decoded input and, once there is one, the outcome, for a report.
  std::string (*describe)(const Input& input, const Outcome* outcome);
};

template <typename Input, typename Model, typename Outcome>
int TestOneInput(const Target<Input, Model, Outcome>& target, const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const Input input = target.decode(bytes);
  std::optional<Outcome> computed;
  const Describing describing(target.name, [&] { return target.describe(input, computed ? &*computed : nullptr); });
  const Model model = target.buildModel(input);
  try {
    computed.emplace(target.compute(input));
  } catch (...) {
    Broken("the calculation threw");
  }
  const Outcome& outcome = *computed;
  if (outcome.ok()) {
    target.checkResult(input, model, outcome.result());
  } else {
    target.checkFailure(input, model, outcome.failure());
  }
  target.checkAlways(input, model, outcome, bytes);
  return 0;
}

}  // namespace tavrelo::fuzz
