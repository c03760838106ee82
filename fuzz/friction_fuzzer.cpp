// Fuzz target: the whole press of the compute button, from the texts of the
// form's fields to the result sentence, and what must hold for any texts.
// libFuzzer drives it (friction_fuzzer); corpus_replay.cpp feeds it the saved
// inputs in the ordinary test run (friction_corpus_replay).
//
// Input layout. The bytes are cut at '\n' into the fields, in this order:
//   layer count, γ1, h1, γ2, h2, γ3, h3, γ4, h4, γ5, h5, cause, ξn, p
// Fields past the end of the input are empty; the load takes everything after
// the thirteenth '\n'. A field that begins with the byte 0x01 stands for an
// entry of that field's drop-down list, chosen by the next byte (modulo the
// list's length), followed by the field's remaining bytes; so most inputs
// reach a real computation instead of stopping at the first unreadable text.
// The lists are the window's own (ui/control_lists.h).
//
// A broken expectation prints what broke and the decoded fields, then aborts.

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "core/calculation_steps.h"
#include "core/layered_report.h"
#include "core/layered_stress.h"
#include "core/negative_friction.h"
#include "core/number_text.h"
#include "core/report.h"
#include "core/result_text.h"
#include "fuzz/fuzz_support.h"
#include "fuzz/fuzz_target.h"
#include "tests/oracle/hand_rounding.h"
#include "ui/control_lists.h"

namespace tavrelo::fuzz {
namespace {

// --- The form's drop-down lists ---------------------------------------------

namespace lists = ui::lists;

constexpr std::string_view kGroundwater = lists::kCauses[0];
constexpr std::string_view kSurcharge = lists::kCauses[1];

constexpr std::size_t kFieldCount = 14;
constexpr std::size_t kCauseSlot = 11;
constexpr std::size_t kCoefficientSlot = 12;
constexpr std::size_t kLoadSlot = 13;  // the last: takes the rest of the input

// --- Reporting --------------------------------------------------------------

std::string FieldName(FrictionField field) {
  switch (field.kind) {
    case FieldKind::LayerCount: return "layer count";
    case FieldKind::UnitWeight: return "unit weight of layer " + std::to_string(field.layer);
    case FieldKind::Thickness: return "thickness of layer " + std::to_string(field.layer);
    case FieldKind::Load: return "load";
    case FieldKind::Coefficient: return "coefficient";
  }
  return "field kind " + std::to_string(static_cast<int>(field.kind)) + " layer " + std::to_string(field.layer);
}

std::string DescribeInput(const FrictionInput& input) {
  std::string out;
  out += "  layer count \"" + Escaped(input.layerCountText) + "\"\n";
  for (std::size_t i = 0; i < input.layers.size(); ++i) {
    out += "  layer " + std::to_string(i + 1) + ": unit weight \"" + Escaped(input.layers[i].unitWeightText) +
           "\", thickness \"" + Escaped(input.layers[i].thicknessText) + "\"\n";
  }
  out += "  cause \"" + Escaped(input.causeText) + "\"\n";
  out += "  coefficient \"" + Escaped(input.coefficientText) + "\"\n";
  out += "  load \"" + Escaped(input.loadText) + "\"\n";
  return out;
}

std::string DescribeOutcome(const FrictionOutcome& outcome) {
  std::array<char, 512> buffer{};
  if (!outcome.ok()) {
    const FrictionFailure& f = outcome.failure();
    std::snprintf(buffer.data(), buffer.size(), "failure: %s, reason %d", FieldName(f.field).c_str(),
                  static_cast<int>(f.reason));
    return buffer.data();
  }
  const FrictionResult& r = outcome.result();
  const auto show = [](const std::optional<double>& v) { return v ? *v : std::nan(""); };
  std::snprintf(buffer.data(), buffer.size(),
                "result: layers %d, mean unit weight %.17g, mid-depth %.17g, stress %.17g, friction %.17g",
                r.layerCount.value_or(0), show(r.meanUnitWeight), show(r.midDepth), show(r.stress), r.friction);
  return buffer.data();
}

std::string DescribeCase(const FrictionInput& input, const FrictionOutcome* outcome) {
  return DescribeInput(input) + (outcome != nullptr ? "  " + DescribeOutcome(*outcome) + "\n" : "");
}

// --- Decoding the fuzzer's bytes --------------------------------------------

std::string* Slot(FrictionInput& input, std::size_t slot) {
  if (slot == 0) return &input.layerCountText;
  if (slot <= 10) {
    LayerInput& layer = input.layers[(slot - 1) / 2];
    return slot % 2 == 1 ? &layer.unitWeightText : &layer.thicknessText;
  }
  if (slot == kCauseSlot) return &input.causeText;
  if (slot == kCoefficientSlot) return &input.coefficientText;
  return &input.loadText;
}

std::string Expand(std::size_t slot, std::string_view field) {
  if (field.empty() || field[0] != '\x01') return std::string(field);
  if (slot == 0) return FromList(lists::kLayerCounts, field);
  if (slot <= 10) return slot % 2 == 1 ? FromList(lists::kUnitWeights, field) : FromList(lists::kDepths, field);
  if (slot == kCauseSlot) return FromList(lists::kCauses, field);
  if (slot == kCoefficientSlot) return FromList(lists::kCoefficients, field);
  return FromList(lists::kLoads, field);
}

FrictionInput Decode(std::string_view bytes) {
  FrictionInput input;
  for (std::size_t slot = 0; slot < kFieldCount && !bytes.empty(); ++slot) {
    const std::size_t cut = slot == kLoadSlot ? std::string_view::npos : bytes.find('\n');
    *Slot(input, slot) = Expand(slot, bytes.substr(0, cut));
    bytes = cut == std::string_view::npos ? std::string_view() : bytes.substr(cut + 1);
  }
  return input;
}

// --- What the computation reads, worked out from the texts -------------------

std::string_view TextOf(const FrictionInput& input, FrictionField field) {
  const auto layer = static_cast<std::size_t>(field.layer - 1);
  switch (field.kind) {
    case FieldKind::LayerCount: return input.layerCountText;
    case FieldKind::UnitWeight: return input.layers.at(layer).unitWeightText;
    case FieldKind::Thickness: return input.layers.at(layer).thicknessText;
    case FieldKind::Load: return input.loadText;
    case FieldKind::Coefficient: return input.coefficientText;
  }
  Broken("unknown field kind");
}

// Layer 2's thickness is held in single precision from the text on.
NumberReading ReadAs(const FrictionInput& input, FrictionField field) {
  const std::string_view text = TextOf(input, field);
  const bool single = field.kind == FieldKind::Thickness && field.layer == 2;
  return single ? tavrelo::ReadNumberAsFloat(text) : tavrelo::ReadNumber(text);
}

constexpr FrictionField kLayerCount{FieldKind::LayerCount, 0};
constexpr FrictionField kLoad{FieldKind::Load, 0};
constexpr FrictionField kCoefficient{FieldKind::Coefficient, 0};
constexpr FrictionField UnitWeight(int layer) { return {FieldKind::UnitWeight, layer}; }
constexpr FrictionField Thickness(int layer) { return {FieldKind::Thickness, layer}; }

CauseKind CauseOf(std::string_view text) {
  if (text == kGroundwater) return CauseKind::GroundwaterLowering;
  if (text == kSurcharge) return CauseKind::SurfaceSurcharge;
  return CauseKind::Other;
}

struct Model {
  NumberReading count;
  std::optional<int> layers;  // n
  CauseKind cause = CauseKind::Other;
  // Every field the computation may read, with its reading; the unit weight
  // of a single layer only when a stress is worked out from it.
  std::vector<std::pair<FrictionField, NumberReading>> read;

  [[nodiscard]] const NumberReading* Find(FrictionField field) const {
    for (const auto& [f, reading] : read) {
      if (f == field) return &reading;
    }
    return nullptr;
  }
  [[nodiscard]] bool AllReadable() const {
    return std::all_of(read.begin(), read.end(), [](const auto& entry) { return entry.second.ok(); });
  }
};

Model BuildModel(const FrictionInput& input) {
  Model model;
  model.count = tavrelo::ReadNumber(input.layerCountText);
  model.read.emplace_back(kLayerCount, model.count);
  if (!model.count.ok()) return model;
  model.layers = tavrelo::LayerCountFromValue(model.count.value);
  model.cause = CauseOf(input.causeText);
  if (model.layers) {
    const int n = *model.layers;
    for (int i = 1; i <= n; ++i) {
      if (n > 1 || model.cause != CauseKind::Other)
        model.read.emplace_back(UnitWeight(i), ReadAs(input, UnitWeight(i)));
      model.read.emplace_back(Thickness(i), ReadAs(input, Thickness(i)));
    }
    if (model.cause == CauseKind::SurfaceSurcharge) model.read.emplace_back(kLoad, ReadAs(input, kLoad));
  }
  model.read.emplace_back(kCoefficient, ReadAs(input, kCoefficient));
  return model;
}

bool IsReadFailure(FailureReason reason) {
  return reason == FailureReason::Empty || reason == FailureReason::NotANumber || reason == FailureReason::OutOfRange;
}

// True when the inputs cannot make any step overflow: every value read is at
// most 1e20 in size and no thickness is negative, so γ̄ is a weighted mean of
// the γi and everything stays far below the double range.
bool Tame(const Model& model) {
  if (!model.AllReadable()) return false;
  for (const auto& [field, reading] : model.read) {
    if (field.kind == FieldKind::LayerCount) continue;
    if (!(std::fabs(reading.value) <= 1e20)) return false;
    if (field.kind == FieldKind::Thickness && reading.value < 0.0) return false;
  }
  return true;
}

// --- Checks -------------------------------------------------------------------

bool SameOutcome(const FrictionOutcome& a, const FrictionOutcome& b) {
  if (a.ok() != b.ok()) return false;
  if (!a.ok()) return a.failure() == b.failure();
  const FrictionResult& x = a.result();
  const FrictionResult& y = b.result();
  return x.layerCount == y.layerCount && SameBits(x.meanUnitWeight, y.meanUnitWeight) &&
         SameBits(x.midDepth, y.midDepth) && SameBits(x.stress, y.stress) && SameBits(x.friction, y.friction);
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// --- The fixed-decimal texts, worked out independently ------------------------
//
// FormatFixed finds its digits through std::to_chars, or the C library's
// printf where the C++ library lacks it. The reference (tests/oracle) never
// prints a double: it expands the value exactly in integers and rounds with
// integer division, so a fault in either way of getting the digits (a tie
// decided on too few digits, a carry lost) shows as a difference.

using oracle::HandRounded;

// FormatFixed's text for a finite value: -?digits.digits with exactly
// `decimals` after the point (no point for none), no superfluous leading
// zero, no minus on zero, and read back it is `value` to within half a unit
// of the last place plus the 15-significant-digit rounding.
void CheckFixed(double value, int decimals, std::string_view text) {
  const auto detail = [&](const char* what) {
    return [&, what] {
      std::array<char, 160> buffer{};
      std::snprintf(buffer.data(), buffer.size(), "FormatFixed(%.17g, %d): %s: \"", value, decimals, what);
      return std::string(buffer.data()) + Escaped(text.substr(0, 400)) + "\"";
    };
  };
  ExpectThat(std::isfinite(value), detail("value not finite"));
  std::size_t i = 0;
  const bool minus = !text.empty() && text[0] == '-';
  if (minus) ++i;
  const std::size_t intStart = i;
  while (i < text.size() && IsDigit(text[i])) ++i;
  const std::size_t intDigits = i - intStart;
  ExpectThat(intDigits >= 1, detail("no digit before the point"));
  ExpectThat(intDigits == 1 || text[intStart] != '0', detail("leading zero"));
  if (decimals > 0) {
    ExpectThat(i < text.size() && text[i] == '.', detail("no point"));
    ++i;
    const std::size_t fracStart = i;
    while (i < text.size() && IsDigit(text[i])) ++i;
    ExpectThat(i - fracStart == static_cast<std::size_t>(decimals), detail("wrong number of decimals"));
  }
  ExpectThat(i == text.size(), detail("trailing characters"));
  const bool allZero = text.find_first_of("123456789") == std::string_view::npos;
  ExpectThat(!(minus && allZero), detail("negative zero"));
  ExpectThat(!minus || value < 0.0, detail("minus on a value that is not negative"));
  ExpectThat(minus || value >= 0.0 || allZero, detail("negative value shown without minus"));

  // Read back in long double: a value within 15 significant digits of the
  // largest double prints as 1.79769313486232e308, a hair beyond it.
  long double parsed = 0.0L;
#if defined(__MINGW32__)
  // MinGW's libstdc++ 12 refuses long doubles beyond the double range in
  // from_chars; its C library reads them (the replay runs in the C locale).
  char* stop = nullptr;
  const std::string terminated(text);
  parsed = std::strtold(terminated.c_str(), &stop);
  ExpectThat(stop == terminated.c_str() + terminated.size(), detail("strtold does not take it"));
#else
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), parsed);
  ExpectThat(ec == std::errc{} && end == text.data() + text.size(), detail("from_chars does not take it"));
#endif
  const long double halfUnit = 0.5L * std::pow(10.0L, static_cast<long double>(-decimals));
  const long double tolerance = halfUnit * (1.0L + 1e-9L) + std::fabs(static_cast<long double>(value)) * 1e-14L;
  ExpectThat(std::fabs(parsed - static_cast<long double>(value)) <= tolerance,
             detail("reads back too far from the value"));
  ExpectThat(text == HandRounded(value, decimals),
             [&] { return detail("not rounded as by hand")() + ", by hand \"" + HandRounded(value, decimals) + "\""; });
  const NumberReading back = tavrelo::ReadNumber(text);
  const bool beyondDouble = std::fabs(parsed) > static_cast<long double>(std::numeric_limits<double>::max());
  if (beyondDouble) {
    ExpectThat(!back.ok() && *back.failure == FailureReason::OutOfRange, detail("ReadNumber takes a huge text"));
  } else {
    double nearest = 0.0;
    std::from_chars(text.data(), text.data() + text.size(), nearest);
    ExpectThat(back.ok(), detail("does not read back"));
    ExpectThat(back.value == nearest, detail("ReadNumber and from_chars disagree"));
  }
}

void CheckFailure(const FrictionInput& input, const Model& model, const FrictionFailure& failure) {
  const FrictionField field = failure.field;
  const bool layered = field.kind == FieldKind::UnitWeight || field.kind == FieldKind::Thickness;
  ExpectThat(layered ? field.layer >= 1 && field.layer <= 5 : field.layer == 0,
             [&] { return "failure names a field that does not exist: " + FieldName(field); });
  ExpectThat(tavrelo::FieldText(input, field) == TextOf(input, field),
             [&] { return "FieldText gives another field's text for the " + FieldName(field); });

  const NumberReading* reading = model.Find(field);
  ExpectThat(reading != nullptr, [&] { return "failure blames the " + FieldName(field) + ", which is never read"; });

  if (IsReadFailure(failure.reason)) {
    ExpectThat(!reading->ok() && *reading->failure == failure.reason,
               [&] { return "failure blames the text of the " + FieldName(field) + " for another reason"; });
  } else {
    ExpectThat(reading->ok(),
               [&] { return "failure blames an arithmetic step on the unreadable " + FieldName(field); });
  }

  // The count comes first and ξn last; the layers from the ground surface
  // down, each layer's γ and h read before they are multiplied; the stress
  // (where a load overflows it) needs the whole profile.
  const bool arithmetic = !IsReadFailure(failure.reason);
  for (const auto& entry : model.read) {
    const FrictionField other = entry.first;
    if (other == field || entry.second.ok()) continue;
    const bool otherLayered = other.kind == FieldKind::UnitWeight || other.kind == FieldKind::Thickness;
    bool before = false;
    if (field.kind == FieldKind::Coefficient) {
      before = true;
    } else if (failure.reason == FailureReason::ZeroThicknessSum) {
      before = otherLayered;
    } else if (layered && otherLayered) {
      before = other.layer < field.layer || (arithmetic && other.layer == field.layer);
    } else if (field.kind == FieldKind::Load && arithmetic) {
      before = otherLayered;
    }
    ExpectThat(!before, [&] {
      return "failure blames the " + FieldName(field) + " although the " + FieldName(other) +
             ", needed before it, is unreadable";
    });
  }

  if (failure.reason == FailureReason::ZeroThicknessSum) {
    Expect(field == Thickness(1), "zero thickness sum not blamed on layer 1's thickness");
    Expect(model.layers && *model.layers >= 2, "zero thickness sum with a single layer");
    double sum = 0.0;  // in the order of the layers, as a hand calculation adds them
    for (int i = 1; i <= *model.layers; ++i) sum += model.Find(Thickness(i))->value;
    Expect(sum == 0.0, "zero thickness sum reported for thicknesses that do not add up to zero");
  }

  if (Tame(model)) {
    const bool allZero = [&] {
      if (!model.layers || *model.layers < 2) return false;
      for (int i = 1; i <= *model.layers; ++i) {
        if (model.Find(Thickness(i))->value != 0.0) return false;
      }
      return true;
    }();
    Expect(allZero && failure == FrictionFailure{Thickness(1), FailureReason::ZeroThicknessSum},
           "moderate, readable inputs fail");
  }
}

void CheckSentence(const FrictionInput& input, const FrictionResult& result) {
  const std::string sentence = tavrelo::ComposeResultText(input.causeText, input.layerCountText, result);
  const auto detail = [&](const char* what) {
    return [&sentence, what] { return std::string(what) + ": \"" + Escaped(sentence.substr(0, 600)) + "\""; };
  };
  const std::string head =
      "当" + input.causeText + "时， 桩周第" + input.layerCountText + "层土平均竖向有效应力σi'为：";
  const std::string_view middle = " kn/m2   桩侧负摩阻力标准值qsi = ξn * σi'＝";
  const std::string_view tail = " kn/m2";
  ExpectThat(sentence.starts_with(head), detail("sentence does not begin with the cause and the layer count"));
  ExpectThat(sentence.ends_with(tail), detail("sentence does not end with the unit"));
  ExpectThat(sentence.find(middle) != std::string::npos, detail("sentence lacks the friction clause"));

  // The cause and count texts are the user's; the numbers follow them.
  const std::string_view rest = std::string_view(sentence).substr(head.size());
  const std::size_t cut = rest.find(middle);
  ExpectThat(cut != std::string_view::npos, detail("no friction clause after the stress"));
  ExpectThat(rest.size() >= cut + middle.size() + tail.size(), detail("sentence too short"));
  const std::string_view stressText = rest.substr(0, cut);
  const std::string_view frictionText =
      rest.substr(cut + middle.size(), rest.size() - cut - middle.size() - tail.size());

  if (result.stress) {
    const std::string expectedStress = tavrelo::FormatFixed(*result.stress, 2);
    ExpectThat(stressText == expectedStress, detail("stress in the sentence is not FormatFixed(stress, 2)"));
    CheckFixed(*result.stress, 2, stressText);
  } else {
    ExpectThat(stressText == "—", detail("unset stress not shown as a dash"));
  }
  const std::string expectedFriction = tavrelo::FormatFixed(result.friction, 1);
  ExpectThat(frictionText == expectedFriction, detail("friction in the sentence is not FormatFixed(friction, 1)"));
  CheckFixed(result.friction, 1, frictionText);
  ExpectThat(sentence.find('\n') == std::string::npos, detail("line break in the sentence"));
}

// One more layer of zero thickness below the last: γ̄ stays, and the
// mid-depth of the new last layer is the bottom of the old one, half the old
// last layer's thickness lower. Only for moderate values, and not where a
// single layer's γ1 was not needed before.
void CheckZeroLayerBelow(const FrictionInput& input, const Model& model, const FrictionResult& result) {
  if (!model.layers || *model.layers == 5 || !Tame(model)) return;
  const int n = *model.layers;
  if (n == 1 && model.cause == CauseKind::Other) return;
  FrictionInput deeper = input;
  deeper.layerCountText = std::to_string(n + 1);
  deeper.layers[static_cast<std::size_t>(n)] = LayerInput{"17", "0"};
  const FrictionOutcome other = tavrelo::ComputeNegativeFriction(deeper);

  double bottom = 0.0;
  for (int i = 1; i <= n; ++i) bottom += model.Find(Thickness(i))->value;
  if (bottom == 0.0) {
    Expect(!other.ok() && other.failure() == FrictionFailure{Thickness(1), FailureReason::ZeroThicknessSum},
           "layers without any thickness do not fail for their thickness sum");
    return;
  }
  Expect(other.ok(), "a zero-thickness layer below makes moderate inputs fail");
  const FrictionResult& r = other.result();
  Expect(r.meanUnitWeight.has_value() && result.meanUnitWeight.has_value(), "γ̄ unset for a layered profile");
  if (n > 1) {
    Expect(*r.meanUnitWeight == *result.meanUnitWeight, "a zero-thickness layer below changes γ̄");
  } else {
    // γ1·h1/h1 against γ1 itself: equal up to the rounding of two steps.
    const double gamma = *result.meanUnitWeight;
    if (gamma == 0.0 || std::fabs(gamma * bottom) >= 1e-290) {
      Expect(std::fabs(*r.meanUnitWeight - gamma) <= 4.5e-16 * std::fabs(gamma),
             "a zero-thickness layer below a single layer changes γ̄");
    }
  }
  const double hn = model.Find(Thickness(n))->value;
  Expect(r.midDepth && std::fabs((*r.midDepth - *result.midDepth) - hn / 2.0) <= 1e-12 * bottom + 1e-300,
         "the mid-depth of the last layer is not half its thickness above its bottom");
}

void CheckResult(const FrictionInput& input, const Model& model, const FrictionResult& result) {
  Expect(model.AllReadable(), "success although a text that must be read is unreadable");
  Expect(result.layerCount == model.layers, "result's layer count differs from the count text");
  const bool hasStress = model.layers.has_value() && model.cause != CauseKind::Other;
  Expect(result.stress.has_value() == hasStress, "stress set or unset against the layer count and cause");
  Expect(result.midDepth.has_value() == model.layers.has_value(), "mid-depth set or unset against the layer count");
  Expect(std::isfinite(result.friction), "friction not finite");
  for (const auto& value : {result.stress, result.midDepth, result.meanUnitWeight}) {
    Expect(!value || std::isfinite(*value), "intermediate value not finite");
  }
  const double xi = model.Find(kCoefficient)->value;
  if (!result.stress) {
    Expect(result.friction == 0.0, "friction without a stress");
  } else {
    Expect(SameBits(result.friction, xi * *result.stress), "friction is not ξn·σi'");
  }

  if (model.layers && *model.layers == 1 && result.stress) {
    Expect(result.meanUnitWeight && SameBits(*result.meanUnitWeight, model.Find(UnitWeight(1))->value),
           "γ̄ of a single layer is not its own unit weight");
  }

  // Engineering sense of the profile, for thicknesses of ordinary size.
  if (model.layers && Tame(model)) {
    const int n = *model.layers;
    double total = 0.0;
    double lo = std::numeric_limits<double>::infinity();
    double hi = -std::numeric_limits<double>::infinity();
    double largest = 0.0;
    // Far from the subnormals, where products and halves lose their digits.
    bool ordinaryThickness = true;
    bool ordinaryWeight = true;
    for (int i = 1; i <= n; ++i) {
      const double h = model.Find(Thickness(i))->value;
      total += h;
      ordinaryThickness = ordinaryThickness && (h == 0.0 || h >= 1e-100);
      if (n > 1) {
        const double gamma = model.Find(UnitWeight(i))->value;
        ordinaryWeight = ordinaryWeight && (gamma == 0.0 || std::fabs(gamma) >= 1e-100);
        largest = std::max(largest, std::fabs(gamma));
        if (h > 0.0) {
          lo = std::min(lo, gamma);
          hi = std::max(hi, gamma);
        }
      }
    }
    const double z = *result.midDepth;
    if (ordinaryThickness) {
      Expect(z >= 0.0 && z <= total * (1.0 + 1e-12), "mid-depth of the last layer outside the profile");
      Expect(z >= 0.5 * total * (1.0 - 1e-12), "mid-depth of the last layer above half the profile's depth");
    }
    if (n > 1 && ordinaryThickness && ordinaryWeight) {
      const double slack = largest * 1e-12;
      Expect(result.meanUnitWeight && *result.meanUnitWeight >= lo - slack && *result.meanUnitWeight <= hi + slack,
             "γ̄ outside the range of the layers' unit weights");
    }
  }

  // The same press under the groundwater cause: the surcharge adds p exactly.
  if (model.layers && model.cause == CauseKind::SurfaceSurcharge) {
    FrictionInput lowered = input;
    lowered.causeText = kGroundwater;
    lowered.loadText = "not read";
    const FrictionOutcome other = tavrelo::ComputeNegativeFriction(lowered);
    if (other.ok()) {
      const FrictionResult& r = other.result();
      Expect(SameBits(r.midDepth, result.midDepth) && SameBits(r.meanUnitWeight, result.meanUnitWeight),
             "the cause changes the soil profile");
      Expect(r.stress && SameBits(*r.stress + model.Find(kLoad)->value, *result.stress),
             "σi' under the surcharge is not σi' without it plus p");
    } else {
      Expect(other.failure() == FrictionFailure{kCoefficient, FailureReason::Overflow},
             "without the surcharge the same texts fail, other than by ξn·σi' overflowing");
    }
  }

  CheckZeroLayerBelow(input, model, result);
  CheckSentence(input, result);
}

// Texts that fail to read, or that would read to something harmful.
constexpr std::array<std::string_view, 8> kGarbage = {"", "x", "1e400", "1e300", "-0", "nan", "\xEF\xBC\x92", "0"};

// Replaces every text the computation must not read and recomputes: the
// outcome has to stay the same to the bit. A failure also leaves ξn unread
// unless it blames ξn itself.
void CheckUnreadTextsIgnored(const FrictionInput& input, const Model& model, const FrictionOutcome& outcome,
                             std::size_t salt) {
  FrictionInput changed = input;
  const auto garbage = [&](std::size_t k) { return std::string(kGarbage[(salt + k) % kGarbage.size()]); };
  bool any = false;
  for (int i = 1; i <= 5; ++i) {
    const auto idx = static_cast<std::size_t>(i - 1);
    if (!model.Find(UnitWeight(i))) changed.layers[idx].unitWeightText = garbage(2 * idx), any = true;
    if (!model.Find(Thickness(i))) changed.layers[idx].thicknessText = garbage(2 * idx + 1), any = true;
  }
  // Below a layer whose text cannot be read, nothing is read any more.
  if (!outcome.ok() && IsReadFailure(outcome.failure().reason) && model.layers && *model.layers > 1) {
    const FrictionField blamed = outcome.failure().field;
    if (blamed.kind == FieldKind::UnitWeight || blamed.kind == FieldKind::Thickness) {
      for (int i = blamed.layer + 1; i <= 5; ++i) {
        const auto idx = static_cast<std::size_t>(i - 1);
        changed.layers[idx].unitWeightText = garbage(2 * idx);
        changed.layers[idx].thicknessText = garbage(2 * idx + 1);
        any = true;
      }
    }
  }
  if (!model.Find(kLoad)) changed.loadText = garbage(11), any = true;
  const bool coefficientUnread =
      !model.Find(kCoefficient) || (!outcome.ok() && outcome.failure().field != kCoefficient);
  if (coefficientUnread) changed.coefficientText = garbage(12), any = true;
  if (model.count.ok()) {
    // Any text for the same count: "2", "2.0", "＋２．００" all mean 2.
    const std::string canonical = std::to_string(model.layers.value_or(0));
    if (changed.layerCountText != canonical) changed.layerCountText = canonical, any = true;
  }
  if (!any) return;
  const FrictionOutcome again = tavrelo::ComputeNegativeFriction(changed);
  ExpectThat(SameOutcome(outcome, again), [&] {
    return "outcome depends on texts that are not read; with them replaced:\n" + DescribeInput(changed) + "  " +
           DescribeOutcome(again);
  });
}

// A plain ASCII number with no blanks and no '+', the kind std::from_chars
// takes whole, reads the same through the form's reader.
template <typename T>
void CheckAgainstFromChars(std::string_view text, const NumberReading& reading) {
  if (text.empty() || text.find_first_not_of("0123456789.eE-") != std::string_view::npos) return;
  T value{};
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (end != text.data() + text.size()) return;
  const auto detail = [&](const char* what) {
    return [&text, what] { return std::string(what) + ": \"" + Escaped(text.substr(0, 400)) + "\""; };
  };
  if (ec == std::errc::result_out_of_range) {
    // Too large fails, too small reads as zero; long double tells which.
    long double wide = 0.0L;
    const auto [wideEnd, wideEc] = std::from_chars(text.data(), text.data() + text.size(), wide);
    if (wideEc == std::errc{} && wideEnd == text.data() + text.size()) {
      if (std::fabs(wide) > 1.0L) {
        ExpectThat(!reading.ok() && *reading.failure == FailureReason::OutOfRange,
                   detail("a number too large for its type does not fail as out of range"));
      } else {
        ExpectThat(reading.ok() && reading.value == 0.0, detail("a number too small for its type does not read as 0"));
      }
    } else {
      ExpectThat(reading.ok() ? reading.value == 0.0 : *reading.failure == FailureReason::OutOfRange,
                 detail("a number beyond the range reads as something other than zero or out of range"));
    }
    return;
  }
  if (ec != std::errc{}) return;
  ExpectThat(reading.ok(), detail("a plain number does not read"));
  ExpectThat(SameBits(reading.value, static_cast<double>(value)), detail("a plain number reads as another value"));
}

void CheckReadValues(const FrictionInput& input, const Model& model) {
  if (model.count.ok()) {
    const double v = model.count.value;
    const bool whole = v == 1.0 || v == 2.0 || v == 3.0 || v == 4.0 || v == 5.0;
    Expect(model.layers.has_value() == whole && (!whole || v == static_cast<double>(*model.layers)),
           "the layer count is not the count text's value");
  }
  for (const auto& [field, reading] : model.read) {
    const std::string_view text = TextOf(input, field);
    if (field == Thickness(2)) {
      CheckAgainstFromChars<float>(text, reading);
    } else {
      CheckAgainstFromChars<double>(text, reading);
    }
    if (!reading.ok()) continue;
    Expect(std::isfinite(reading.value), "a text reads as a value that is not finite");
    const int decimals = static_cast<int>(field.kind) % 4;
    CheckFixed(reading.value, decimals, tavrelo::FormatFixed(reading.value, decimals));
  }
}

// --- The layered sum (layered_stress.h) --------------------------------------
//
// Its values are checked against a reference of the fuzzer's own that adds
// the layers up in long double straight from the readings; it shares nothing
// with the product but the reading of the texts, checked above.

std::string DescribeLayered(const LayeredOutcome& layered) {
  if (!layered.applies()) return "layered: does not apply";
  if (!layered.ok()) {
    return "layered failure: " + FieldName(layered.failure().field) + ", reason " +
           std::to_string(static_cast<int>(layered.failure().reason));
  }
  const LayeredStress& r = layered.result();
  std::string out = "layered: " + std::to_string(r.layerCount) + " layers";
  for (int i = 0; i < r.layerCount; ++i) {
    const tavrelo::LayerStress& layer = r.layers[static_cast<std::size_t>(i)];
    std::array<char, 160> buffer{};
    std::snprintf(buffer.data(), buffer.size(), "; σ'γ%d %.17g, σ'%d %.17g", i + 1, layer.selfWeightStress, i + 1,
                  layer.stress);
    out += buffer.data();
  }
  std::array<char, 64> buffer{};
  std::snprintf(buffer.data(), buffer.size(), "; friction %.17g", r.friction);
  return out + buffer.data();
}

// The fields in the order the layered sum reads them: the count, γi and hi
// from layer 1 down, p under a surface load, ξn.
std::vector<FrictionField> LayeredReadOrder(const Model& model) {
  std::vector<FrictionField> order{kLayerCount};
  for (int i = 1; i <= *model.layers; ++i) {
    order.push_back(UnitWeight(i));
    order.push_back(Thickness(i));
  }
  if (model.cause == CauseKind::SurfaceSurcharge) order.push_back(kLoad);
  order.push_back(kCoefficient);
  return order;
}

void CheckLayeredFailure(const Model& model, const LayeredOutcome& layered, const FrictionOutcome& window) {
  const FrictionFailure& failure = layered.failure();
  const auto detail = [&](const char* what) { return [&, what] { return what + (": " + DescribeLayered(layered)); }; };
  const std::vector<FrictionField> order = LayeredReadOrder(model);
  const auto blamed = std::find(order.begin(), order.end(), failure.field);
  ExpectThat(blamed != order.end(), detail("the layered sum blames a field it does not read"));
  for (auto it = order.begin(); it != blamed; ++it) {
    ExpectThat(model.Find(*it)->ok(), detail("the layered sum blames a field read after an unreadable one"));
  }
  const NumberReading& reading = *model.Find(failure.field);
  if (IsReadFailure(failure.reason)) {
    ExpectThat(!reading.ok() && *reading.failure == failure.reason,
               detail("the layered sum blames a text for another reason than its reading gives"));
    return;
  }
  ExpectThat(failure.reason == FailureReason::Overflow, detail("the layered sum fails for a thickness sum"));
  ExpectThat(reading.ok(), detail("the layered sum blames an overflow on an unreadable text"));
  if (failure.field.kind == FieldKind::UnitWeight) {
    ExpectThat(model.Find(Thickness(failure.field.layer))->ok(),
               detail("the layered sum blames a layer's weight whose thickness is unreadable"));
  } else {
    ExpectThat(failure.field == kLoad || failure.field == kCoefficient,
               detail("the layered sum blames an overflow on the layer count or a thickness"));
  }
  ExpectThat(!window.ok() || !IsReadFailure(failure.reason),
             detail("the layered sum cannot read a text the window read"));
  ExpectThat(!Tame(model), detail("the layered sum overflows with moderate, readable inputs"));
}

void CheckLayeredValues(const Model& model, const LayeredStress& r, const FrictionOutcome& window) {
  const auto detail = [&](const char* what) { return [&r, what] { return what + (": " + DescribeLayered(r)); }; };
  const int n = *model.layers;
  ExpectThat(r.layerCount == n && r.cause == model.cause, detail("the layered sum has another count or cause"));
  const NumberReading* load = model.Find(kLoad);
  ExpectThat(r.load.has_value() == (load != nullptr) && (!load || SameBits(*r.load, load->value)),
             detail("the layered sum's p is not the load text's value"));
  long double above = 0.0L;      // Σγe·he over the layers above
  long double magnitude = 0.0L;  // Σ|γe·he| through this layer: the scale of the rounding
  for (int i = 1; i <= n; ++i) {
    const tavrelo::LayerStress& layer = r.layers[static_cast<std::size_t>(i - 1)];
    const long double gamma = model.Find(UnitWeight(i))->value;
    const long double h = model.Find(Thickness(i))->value;
    ExpectThat(
        SameBits(layer.unitWeight, static_cast<double>(gamma)) && SameBits(layer.thickness, static_cast<double>(h)),
        detail("a layer's γ or h is not its text's value"));
    const long double reference = above + gamma * h / 2.0L;
    magnitude += std::fabs(gamma * h);
    above += gamma * h;
    ExpectThat(std::fabs(static_cast<long double>(layer.selfWeightStress) - reference) <= 1e-13L * magnitude + 1e-300L,
               [&] {
                 std::array<char, 96> buffer{};
                 std::snprintf(buffer.data(), buffer.size(), "σ'γ%d far from the long double sum %.17Lg", i, reference);
                 return buffer.data() + (": " + DescribeLayered(r));
               });
    ExpectThat(std::isfinite(layer.stress) &&
                   SameBits(layer.stress, r.load ? *r.load + layer.selfWeightStress : layer.selfWeightStress),
               detail("σ'i is not σ'γi, or p + σ'γi under a surface load"));
  }
  const double lastStress = r.layers[static_cast<std::size_t>(n - 1)].stress;
  ExpectThat(SameBits(r.coefficient, model.Find(kCoefficient)->value) && std::isfinite(r.friction) &&
                 SameBits(r.friction, r.coefficient * lastStress),
             detail("the layered qsi is not ξn·σ'n"));

  // Beside the window: the same for one layer, and for two layers apart by
  // h1·h2·(γ2 − γ1)/[2(h1 + h2)], for values far from the double's limits.
  if (!window.ok() || !window.result().stress || !Tame(model)) return;
  const double windowStress = *window.result().stress;
  bool ordinary = true;
  long double scale = 0.0L;
  for (int i = 1; i <= n; ++i) {
    for (const FrictionField field : {UnitWeight(i), Thickness(i)}) {
      const double v = model.Find(field)->value;
      ordinary = ordinary && (v == 0.0 || std::fabs(v) >= 1e-100);
    }
    scale += std::fabs(static_cast<long double>(model.Find(UnitWeight(i))->value)) * model.Find(Thickness(i))->value;
  }
  if (!ordinary) return;
  if (r.load) scale += std::fabs(static_cast<long double>(*r.load));
  long double apart = 0.0L;
  if (n == 2) {
    const long double g1 = model.Find(UnitWeight(1))->value;
    const long double g2 = model.Find(UnitWeight(2))->value;
    const long double h1 = model.Find(Thickness(1))->value;
    const long double h2 = model.Find(Thickness(2))->value;
    apart = h1 * h2 * (g2 - g1) / (2.0L * (h1 + h2));
    scale += std::fabs(g1) * h2 + std::fabs(g2) * h1;
  } else if (n > 2) {
    return;
  }
  ExpectThat(std::fabs(static_cast<long double>(windowStress) - lastStress - apart) <= 1e-12L * scale + 1e-290L,
             detail("the window's σi' and the layered σ'n are not apart by the closed form"));
}

// Soil names of any bytes: layer i's own two texts one after the other.
std::array<std::string, 5> SoilNamesOf(const FrictionInput& input) {
  std::array<std::string, 5> names;
  for (std::size_t i = 0; i < names.size(); ++i)
    names[i] = input.layers[i].unitWeightText + input.layers[i].thicknessText;
  return names;
}

// What the two reports made from the layered sum show of its values.
void CheckLayeredTexts(const FrictionInput& input, const LayeredOutcome& layered, const FrictionOutcome& window) {
  if (!window.ok()) return;
  const std::string steps = tavrelo::ComposeCalculationSteps(input, window.result(), layered);
  CheckHtmlFlavour(WriteReport(DescribeCalculationSteps(input, window.result(), layered, SoilNamesOf(input))),
                   WriteReport(DescribeCalculationSteps(input, window.result(), layered, {})), steps);
  Expect(steps.ends_with("\n"), "the steps do not end with a line feed");
  const std::size_t lastStart = steps.rfind('\n', steps.size() - 2);
  const std::string_view lastLine = std::string_view(steps).substr(lastStart == std::string::npos ? 0 : lastStart + 1);
  const std::string layeredLabel = "分层总和法（JGJ 94-2008 式5.4.4-4）  ";
  const auto stepsDetail = [&](const char* what) {
    return [&, what] { return what + (": \"" + Escaped(lastLine) + "\", " + DescribeLayered(layered)); };
  };
  if (!layered.applies()) {
    ExpectThat(lastLine.starts_with("负摩阻力标准值  "), stepsDetail("the steps end with a line not the friction's"));
    return;
  }
  if (!layered.ok()) {
    ExpectThat(lastLine == layeredLabel + "数值溢出，未能算出\n", stepsDetail("the steps do not tell the overflow"));
    return;
  }
  const LayeredStress& r = layered.result();
  const std::string n = std::to_string(r.layerCount);
  const double lastStress = r.layers[static_cast<std::size_t>(r.layerCount - 1)].stress;
  const std::string stress = tavrelo::FormatFixed(lastStress, 2);
  const std::string friction = tavrelo::FormatFixed(r.friction, 1);
  CheckFixed(lastStress, 2, stress);
  CheckFixed(r.friction, 1, friction);
  ExpectThat(lastLine == layeredLabel + "第" + n + "层 σi' = " + stress + " kN/m²  qsi = " + friction + " kN/m²\n",
             stepsDetail("the steps' last line is not the layered σ'n and qsi"));

  // Every text the report shows was read, so none holds a line break.
  const std::string report = tavrelo::ComposeLayeredReport(input, r, window.result());
  CheckHtmlFlavour(WriteReport(DescribeLayeredReport(input, r, window.result(), SoilNamesOf(input))),
                   WriteReport(DescribeLayeredReport(input, r, window.result(), {})), report);
  std::vector<std::string_view> lines;
  for (std::size_t start = 0, end = 0; (end = report.find('\n', start)) != std::string::npos; start = end + 1) {
    lines.emplace_back(std::string_view(report).substr(start, end - start));
  }
  const auto reportDetail = [&](const char* what) {
    return [&, what] { return what + (":\n" + Escaped(report.substr(0, 1500))); };
  };
  const std::size_t first = r.load ? 3 : 2;  // the first layer's line
  ExpectThat(report.ends_with("\n") && lines.size() == first + static_cast<std::size_t>(r.layerCount) + 3,
             reportDetail("the report has another number of lines"));
  ExpectThat(lines[0].find("JGJ 94-2008") != std::string_view::npos, reportDetail("the report does not name the code"));
  for (int i = 1; i <= r.layerCount; ++i) {
    const tavrelo::LayerStress& layer = r.layers[static_cast<std::size_t>(i - 1)];
    const std::string_view line = lines[first + static_cast<std::size_t>(i - 1)];
    const std::string k = std::to_string(i);
    const std::string selfWeight = "σ'γ" + k + " = ";
    const std::size_t at = line.find(selfWeight);
    ExpectThat(line.starts_with("第" + k + "层  γ" + k + " = ") && at != std::string_view::npos,
               reportDetail("a layer's line does not begin with the layer"));
    const std::string value = "/2 = " + tavrelo::FormatFixed(layer.selfWeightStress, 2) + " kN/m²";
    const std::string_view rest = line.substr(at);
    ExpectThat(r.load ? rest.find(value + "  σ'" + k + " = ") != std::string_view::npos &&
                            rest.ends_with(" = " + tavrelo::FormatFixed(layer.stress, 2) + " kN/m²")
                      : rest.ends_with(value),
               reportDetail("a layer's line does not end with its σ'γi (and σ'i)"));
  }
  const std::string factor = stress.starts_with("-") ? "(" + stress + ")" : stress;
  ExpectThat(lines[lines.size() - 3].ends_with(" × " + factor + " = " + friction + " kN/m²"),
             reportDetail("the report's qsi line is not ξn·σ'n with its values"));
  const FrictionResult& w = window.result();
  ExpectThat(lines.back() == "本程序窗口结果（平均重度法）σi' = " +
                                 (w.stress ? tavrelo::FormatFixed(*w.stress, 2) : std::string("—")) +
                                 " kN/m²  qsi = " + tavrelo::FormatFixed(w.friction, 1) + " kN/m²",
             reportDetail("the report's last line is not the window's value"));
}

bool SameLayered(const LayeredOutcome& a, const LayeredOutcome& b) {
  if (a.applies() != b.applies() || a.ok() != b.ok()) return false;
  if (!a.applies()) return true;
  if (!a.ok()) return a.failure() == b.failure();
  const LayeredStress& x = a.result();
  const LayeredStress& y = b.result();
  bool same = x.layerCount == y.layerCount && x.cause == y.cause && SameBits(x.load, y.load) &&
              SameBits(x.coefficient, y.coefficient) && SameBits(x.friction, y.friction);
  for (std::size_t i = 0; i < x.layers.size(); ++i) {
    same = same && SameBits(x.layers[i].unitWeight, y.layers[i].unitWeight) &&
           SameBits(x.layers[i].thickness, y.layers[i].thickness) &&
           SameBits(x.layers[i].selfWeightStress, y.layers[i].selfWeightStress) &&
           SameBits(x.layers[i].stress, y.layers[i].stress);
  }
  return same;
}

// Total and never throwing; a failure exactly when a text it reads is
// unreadable or a step overflows; nothing where it does not apply; the rows
// below layer n and an unread load change nothing.
void CheckLayered(const FrictionInput& input, const Model& model, const FrictionOutcome& window, std::size_t salt) {
  std::optional<LayeredOutcome> computed;
  try {
    computed = tavrelo::ComputeLayeredStress(input);
  } catch (...) {
    Broken("the layered sum threw");
  }
  const LayeredOutcome& layered = *computed;
  const auto detail = [&](const char* what) { return [&, what] { return what + (": " + DescribeLayered(layered)); }; };
  if (!model.count.ok()) {
    ExpectThat(
        layered.applies() && !layered.ok() && layered.failure() == FrictionFailure{kLayerCount, *model.count.failure},
        detail("an unreadable layer count does not fail the layered sum"));
    return;
  }
  const bool applies = model.layers.has_value() && model.cause != CauseKind::Other;
  ExpectThat(layered.applies() == applies, detail("the layered sum applies against the layer count and cause"));
  if (applies) {
    ExpectThat(layered.ok() || !model.AllReadable() || layered.failure().reason == FailureReason::Overflow,
               detail("the layered sum fails with every text readable, other than by overflowing"));
    if (layered.ok()) {
      ExpectThat(model.AllReadable(), detail("the layered sum succeeds with a text unreadable"));
      CheckLayeredValues(model, layered.result(), window);
    } else {
      CheckLayeredFailure(model, layered, window);
    }
  }
  CheckLayeredTexts(input, layered, window);

  FrictionInput changed = input;
  const int n = applies ? *model.layers : 0;
  for (int i = n + 1; i <= 5; ++i) {
    const auto idx = static_cast<std::size_t>(i - 1);
    changed.layers[idx] = LayerInput{std::string(kGarbage[(salt + idx) % kGarbage.size()]), "x"};
  }
  if (!applies || model.cause != CauseKind::SurfaceSurcharge) changed.loadText = kGarbage[salt % kGarbage.size()];
  if (!applies) changed.coefficientText = "x";
  ExpectThat(SameLayered(layered, tavrelo::ComputeLayeredStress(changed)),
             detail("the layered sum depends on texts it does not read"));
}

// After the window's result or failure: the texts it must not read, the
// readings, the layered sum.
void CheckAlways(const FrictionInput& input, const Model& model, const FrictionOutcome& outcome,
                 std::string_view bytes) {
  CheckUnreadTextsIgnored(input, model, outcome, SaltOf(bytes));
  CheckReadValues(input, model);
  CheckLayered(input, model, outcome, bytes.size());
}

// The window's failure or result, its sentence and reports; then the unread
// texts, the readings and the layered sum.
constexpr Target<FrictionInput, Model, FrictionOutcome> kTarget = {
    "friction_fuzzer", Decode,       BuildModel,  ComputeNegativeFriction,
    CheckResult,       CheckFailure, CheckAlways, DescribeCase};

}  // namespace
}  // namespace tavrelo::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  return tavrelo::fuzz::TestOneInput(tavrelo::fuzz::kTarget, data, size);
}
