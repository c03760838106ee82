// Fuzz target: the downdrag load (core/downdrag_load.h), from the texts of
// its fields and the main window's to the sentence and the report, and what
// must hold for any texts. libFuzzer drives it (downdrag_fuzzer);
// corpus_replay.cpp feeds it the saved inputs in the ordinary test run
// (downdrag_corpus_replay).
//
// Input layout. The bytes are cut at '\n' into the fields, in this order:
//   layer count, γ1, h1, … γ5, h5, cause, p, ξn1 … ξn5, q1sk … q5sk, ln/l0,
//   shape, d or b, sax, say, t
// Fields past the end of the input are empty; t takes everything after the
// twenty-eighth '\n'. The pile is square when the shape field's first byte
// is odd, round otherwise (and when it is empty). A field that begins with
// the byte 0x01 stands for an entry of a list, chosen by the next byte
// (modulo the list's length), followed by the field's remaining bytes: the
// window's own lists (ui/control_lists.h) for the main window's fields and
// ξni, typical values for the others.
//
// Each input is checked against the fuzzer's own reading of the fields in
// the documented order (which refusal comes first) and against the
// independent computation of tests/oracle (long double, integrated over
// depth). A layer that the oracle finds within a hair of entering or not
// (its part shorter than the rounding of the depths) may go either way.
//
// A broken expectation prints what broke and the decoded fields, then aborts.

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "core/downdrag_load.h"
#include "core/downdrag_report.h"
#include "core/number_text.h"
#include "core/report.h"
#include "core/result_text.h"
#include "fuzz/fuzz_support.h"
#include "fuzz/fuzz_target.h"
#include "tests/oracle/downdrag_reference.h"
#include "tests/oracle/hand_rounding.h"
#include "ui/control_lists.h"

namespace tavrelo::fuzz {
namespace {

namespace lists = ui::lists;

// --- Decoding the fuzzer's bytes ----------------------------------------------

constexpr std::size_t kFieldCount = 29;
constexpr std::size_t kCauseSlot = 11;
constexpr std::size_t kLoadSlot = 12;
constexpr std::size_t kFirstCoefficientSlot = 13;
constexpr std::size_t kFirstSideResistanceSlot = 18;
constexpr std::size_t kRatioSlot = 23;
constexpr std::size_t kShapeSlot = 24;
constexpr std::size_t kSizeSlot = 25;
constexpr std::size_t kSpacingXSlot = 26;
constexpr std::size_t kSpacingYSlot = 27;
constexpr std::size_t kPileTopSlot = 28;  // the last: takes the rest of the input

constexpr std::array<std::string_view, 6> kSideResistances = {"", "10", "12", "20", "35", "60"};
constexpr std::array<std::string_view, 8> kRatios = {"0", "0.3", "0.5", "0.7", "0.8", "0.9", "1", "1.0"};
constexpr std::array<std::string_view, 7> kSizes = {"0.3", "0.4", "0.5", "0.6", "0.8", "1.0", "1.2"};
constexpr std::array<std::string_view, 7> kSpacings = {"", "0.9", "1.0", "1.2", "1.8", "2.4", "3.0"};
constexpr std::array<std::string_view, 6> kPileTops = {"", "0", "0.5", "1.0", "2.0", "2.5"};

std::span<const std::string_view> ListOf(std::size_t slot) {
  if (slot == 0) return lists::kLayerCounts;
  if (slot <= 10) return slot % 2 == 1 ? std::span<const std::string_view>(lists::kUnitWeights) : lists::kDepths;
  if (slot == kCauseSlot) return lists::kCauses;
  if (slot == kLoadSlot) return lists::kLoads;
  if (slot < kFirstSideResistanceSlot) return lists::kCoefficients;
  if (slot < kRatioSlot) return kSideResistances;
  if (slot == kRatioSlot) return kRatios;
  if (slot == kSizeSlot) return kSizes;
  if (slot == kSpacingXSlot || slot == kSpacingYSlot) return kSpacings;
  return kPileTops;
}

DowndragInput Decode(std::string_view bytes) {
  DowndragInput input;
  input.friction.coefficientText = "the window's ξn, not read";
  for (std::size_t slot = 0; slot < kFieldCount && !bytes.empty(); ++slot) {
    const std::size_t cut = slot == kPileTopSlot ? std::string_view::npos : bytes.find('\n');
    const std::string_view raw = bytes.substr(0, cut);
    bytes = cut == std::string_view::npos ? std::string_view() : bytes.substr(cut + 1);
    if (slot == kShapeSlot) {
      input.shape = !raw.empty() && (static_cast<unsigned char>(raw[0]) & 1U) ? PileShape::Square : PileShape::Round;
      continue;
    }
    const std::string text = !raw.empty() && raw[0] == '\x01' ? FromList(ListOf(slot), raw) : std::string(raw);
    if (slot == 0) {
      input.friction.layerCountText = text;
    } else if (slot <= 10) {
      auto& layer = input.friction.layers[(slot - 1) / 2];
      (slot % 2 == 1 ? layer.unitWeightText : layer.thicknessText) = text;
    } else if (slot == kCauseSlot) {
      input.friction.causeText = text;
    } else if (slot == kLoadSlot) {
      input.friction.loadText = text;
    } else if (slot < kFirstSideResistanceSlot) {
      input.coefficientTexts[slot - kFirstCoefficientSlot] = text;
    } else if (slot < kRatioSlot) {
      input.sideResistanceTexts[slot - kFirstSideResistanceSlot] = text;
    } else if (slot == kRatioSlot) {
      input.neutralRatioText = text;
    } else if (slot == kSizeSlot) {
      input.sizeText = text;
    } else if (slot == kSpacingXSlot) {
      input.spacingXText = text;
    } else if (slot == kSpacingYSlot) {
      input.spacingYText = text;
    } else {
      input.pileTopDepthText = text;
    }
  }
  return input;
}

// --- Reporting ----------------------------------------------------------------

// At most 200 bytes of a field.
std::string EscapedField(std::string_view text) { return Escaped(text, 200); }

std::string FieldName(const DowndragBlame& blame) {
  if (const auto* f = std::get_if<FrictionField>(&blame)) {
    return "friction field " + std::to_string(static_cast<int>(f->kind)) + " layer " + std::to_string(f->layer);
  }
  const auto& d = std::get<DowndragField>(blame);
  return "downdrag field " + std::to_string(static_cast<int>(d.kind)) + " layer " + std::to_string(d.layer);
}

std::string Describe(const DowndragFailure& failure) {
  return FieldName(failure.field) + ", reason " + std::to_string(static_cast<int>(failure.reason));
}

std::string DescribeInput(const DowndragInput& input) {
  std::string out = "  n \"" + EscapedField(input.friction.layerCountText) + "\", cause \"" +
                    EscapedField(input.friction.causeText) + "\", p \"" + EscapedField(input.friction.loadText) +
                    "\"\n";
  for (std::size_t i = 0; i < 5; ++i) {
    out += "  layer " + std::to_string(i + 1) + ": γ \"" + EscapedField(input.friction.layers[i].unitWeightText) +
           "\", h \"" + EscapedField(input.friction.layers[i].thicknessText) + "\", ξn \"" +
           EscapedField(input.coefficientTexts[i]) + "\", qsk \"" + EscapedField(input.sideResistanceTexts[i]) + "\"\n";
  }
  out += "  ln/l0 \"" + EscapedField(input.neutralRatioText) + "\", " +
         (input.shape == PileShape::Square ? "square b \"" : "round d \"") + EscapedField(input.sizeText) +
         "\", sax \"" + EscapedField(input.spacingXText) + "\", say \"" + EscapedField(input.spacingYText) +
         "\", t \"" + EscapedField(input.pileTopDepthText) + "\"\n";
  return out;
}

std::string DescribeCase(const DowndragInput& input, const DowndragOutcome* outcome) {
  std::string out = DescribeInput(input);
  if (outcome == nullptr) return out;
  if (!outcome->ok()) return out + "  failure: " + Describe(outcome->failure()) + "\n";
  const DowndragResult& r = outcome->result();
  std::array<char, 256> buffer{};
  std::snprintf(buffer.data(), buffer.size(), "  result: l0 %.17g, ln %.17g, Σqsi·li %.17g, ηn %.17g, Qgn %.17g\n",
                r.pileLength, r.neutralDepth, r.frictionSum, r.groupFactor, r.load);
  return out + buffer.data();
}

// --- The fields as the fuzzer reads them ----------------------------------------

constexpr FrictionField kLayerCount{FieldKind::LayerCount, 0};
constexpr FrictionField kLoad{FieldKind::Load, 0};
constexpr FrictionField UnitWeight(int i) { return {FieldKind::UnitWeight, i}; }
constexpr FrictionField Thickness(int i) { return {FieldKind::Thickness, i}; }
constexpr DowndragField Own(DowndragFieldKind kind, int layer = 0) { return {kind, layer}; }

std::optional<DowndragReason> ReadingReason(const NumberReading& reading) {
  if (reading.ok()) return std::nullopt;
  switch (*reading.failure) {
    case FailureReason::Empty: return DowndragReason::Empty;
    case FailureReason::OutOfRange: return DowndragReason::OutOfRange;
    default: return DowndragReason::NotANumber;
  }
}

// Everything up to the layers' own fields, read in the documented order, and
// which layers enter by the oracle: certainly, certainly not, or by a hair.
struct Model {
  std::optional<DowndragFailure> refusal;  // the first refusal before step 9
  int n = 0;
  std::array<double, 5> unitWeights{};
  std::array<double, 5> thicknesses{};
  double bearing = 0.0;  // Σhi in double, as the product adds them
  CauseKind cause = CauseKind::Other;
  double load = 0.0;
  double size = 0.0;
  bool group = false;
  double spacingX = 0.0;
  double spacingY = 0.0;
  double pileTop = 0.0;
  double ratio = 0.0;
  // Every value read is 0 or within 1e-30 … 1e30: nothing can overflow.
  bool tame = true;

  enum class Entry { No, Yes, Hair };
  std::array<Entry, 5> entries{};
  std::array<long double, 5> gaps{};  // the oracle's part of each layer, signed
  std::vector<DowndragBlame> read;    // the fields read before step 9
};

struct ModelReader {
  const DowndragInput& input;
  Model& model;

  // The value, or a refusal kept in the model; true when read.
  bool Read(const DowndragBlame& field, double& value, bool blankAllowed = false) {
    if (model.refusal) return false;
    model.read.push_back(field);
    NumberReading reading;
    if (const auto* f = std::get_if<FrictionField>(&field)) {
      const std::string_view text = tavrelo::FieldText(input.friction, *f);
      reading = f->kind == FieldKind::Thickness && f->layer == 2 ? tavrelo::ReadNumberAsFloat(text)
                                                                 : tavrelo::ReadNumber(text);
    } else {
      reading = tavrelo::ReadNumber(tavrelo::FieldText(input, std::get<DowndragField>(field)));
    }
    if (blankAllowed && reading.failure == FailureReason::Empty) return false;
    if (const auto reason = ReadingReason(reading)) {
      model.refusal = DowndragFailure{field, *reason};
      return false;
    }
    value = reading.value;
    const double magnitude = std::fabs(value);
    model.tame = model.tame && (magnitude == 0.0 || (magnitude >= 1e-30 && magnitude <= 1e30));
    return true;
  }
  void Refuse(bool refused, const DowndragBlame& field, DowndragReason reason) {
    if (refused && !model.refusal) model.refusal = DowndragFailure{field, reason};
  }
};

Model BuildModel(const DowndragInput& input) {
  Model m;
  ModelReader r{input, m};
  double count = 0.0;
  if (!r.Read(kLayerCount, count)) return m;
  const std::optional<int> n = tavrelo::LayerCountFromValue(count);
  r.Refuse(!n, kLayerCount, DowndragReason::LayerCountNotOneToFive);
  if (!n) return m;
  m.n = *n;
  for (int i = 1; i <= m.n; ++i) {
    const auto k = static_cast<std::size_t>(i - 1);
    r.Read(UnitWeight(i), m.unitWeights[k]);
    r.Refuse(m.unitWeights[k] < 0.0, UnitWeight(i), DowndragReason::Negative);
    r.Read(Thickness(i), m.thicknesses[k]);
    r.Refuse(m.thicknesses[k] < 0.0, Thickness(i), DowndragReason::Negative);
    m.bearing += m.thicknesses[k];
    r.Refuse(std::isinf(m.bearing), Thickness(i), DowndragReason::Overflow);
  }
  if (m.refusal) return m;
  const std::string& cause = input.friction.causeText;
  m.cause = cause == lists::kCauses[0]   ? CauseKind::GroundwaterLowering
            : cause == lists::kCauses[1] ? CauseKind::SurfaceSurcharge
                                         : CauseKind::Other;
  r.Refuse(m.cause == CauseKind::Other, Own(DowndragFieldKind::Cause), DowndragReason::UnknownCause);
  if (m.cause == CauseKind::SurfaceSurcharge) {
    r.Read(kLoad, m.load);
    r.Refuse(m.load < 0.0, kLoad, DowndragReason::Negative);
  }
  r.Read(Own(DowndragFieldKind::Size), m.size);
  r.Refuse(!(m.size > 0.0), Own(DowndragFieldKind::Size), DowndragReason::NotPositive);
  const bool x = r.Read(Own(DowndragFieldKind::SpacingX), m.spacingX, true);
  r.Refuse(x && !(m.spacingX > 0.0), Own(DowndragFieldKind::SpacingX), DowndragReason::NotPositive);
  const bool y = r.Read(Own(DowndragFieldKind::SpacingY), m.spacingY, true);
  r.Refuse(y && !(m.spacingY > 0.0), Own(DowndragFieldKind::SpacingY), DowndragReason::NotPositive);
  r.Refuse(x != y, Own(x ? DowndragFieldKind::SpacingY : DowndragFieldKind::SpacingX),
           DowndragReason::WithoutTheOtherSpacing);
  m.group = x && y;
  r.Read(Own(DowndragFieldKind::PileTopDepth), m.pileTop, true);
  r.Refuse(m.pileTop < 0.0, Own(DowndragFieldKind::PileTopDepth), DowndragReason::Negative);
  r.Refuse(!(m.pileTop < m.bearing), Own(DowndragFieldKind::PileTopDepth), DowndragReason::NotAboveBearingStratum);
  r.Read(Own(DowndragFieldKind::NeutralRatio), m.ratio);
  r.Refuse(m.ratio < 0.0, Own(DowndragFieldKind::NeutralRatio), DowndragReason::Negative);
  r.Refuse(m.ratio > 1.0, Own(DowndragFieldKind::NeutralRatio), DowndragReason::AboveOne);
  if (m.refusal) return m;

  // Which layers enter, in long double, with the rounding of the product's
  // depths (a few units of the last place of the bearing depth) as a hair.
  const long double hair = 1e-14L * static_cast<long double>(m.bearing);
  const long double upper = m.pileTop;
  const long double lower = upper + static_cast<long double>(m.ratio) * (m.bearing - upper);
  long double top = 0.0L;
  for (int i = 1; i <= m.n; ++i) {
    const auto k = static_cast<std::size_t>(i - 1);
    const long double bottom = top + m.thicknesses[k];
    const long double gap = std::min(bottom, lower) - std::max(top, upper);
    m.gaps[k] = gap;
    m.entries[k] = gap > hair                                                   ? Model::Entry::Yes
                   : (gap < -hair || m.thicknesses[k] == 0.0 || m.ratio == 0.0) ? Model::Entry::No
                                                                                : Model::Entry::Hair;
    top = bottom;
  }
  return m;
}

// The first refusal of the layers' own fields (step 9) when the layers in
// `entering` enter; none when they all read well.
std::optional<DowndragFailure> LayerRefusal(const DowndragInput& input, const Model& m, unsigned entering) {
  for (int i = 1; i <= m.n; ++i) {
    if (!(entering & (1U << (i - 1)))) continue;
    const auto k = static_cast<std::size_t>(i - 1);
    const DowndragField xi = Own(DowndragFieldKind::Coefficient, i);
    const NumberReading coefficient = tavrelo::ReadNumber(input.coefficientTexts[k]);
    if (const auto reason = ReadingReason(coefficient)) return DowndragFailure{xi, *reason};
    if (coefficient.value < 0.0) return DowndragFailure{xi, DowndragReason::Negative};
    if (coefficient.value > 1.0) return DowndragFailure{xi, DowndragReason::AboveOne};
    const DowndragField cap = Own(DowndragFieldKind::SideResistance, i);
    const NumberReading side = tavrelo::ReadNumber(input.sideResistanceTexts[k]);
    if (side.failure == FailureReason::Empty) continue;
    if (const auto reason = ReadingReason(side)) return DowndragFailure{cap, *reason};
    if (side.value < 0.0) return DowndragFailure{cap, DowndragReason::Negative};
  }
  return std::nullopt;
}

// Every combination of the layers that enter by a hair, with those that
// certainly enter.
std::vector<unsigned> EnteringSets(const Model& m) {
  unsigned certain = 0;
  std::vector<unsigned> hairs;
  for (int i = 1; i <= m.n; ++i) {
    const Model::Entry e = m.entries[static_cast<std::size_t>(i - 1)];
    if (e == Model::Entry::Yes) certain |= 1U << (i - 1);
    if (e == Model::Entry::Hair) hairs.push_back(1U << (i - 1));
  }
  std::vector<unsigned> sets;
  for (unsigned pick = 0; pick < (1U << hairs.size()); ++pick) {
    unsigned set = certain;
    for (std::size_t h = 0; h < hairs.size(); ++h) {
      if (pick & (1U << h)) set |= hairs[h];
    }
    sets.push_back(set);
  }
  return sets;
}

// --- Checks -------------------------------------------------------------------

bool IsRead(const Model& m, const DowndragBlame& field) {
  if (std::find(m.read.begin(), m.read.end(), field) != m.read.end()) return true;
  const auto* own = std::get_if<DowndragField>(&field);
  return own && (own->kind == DowndragFieldKind::Coefficient || own->kind == DowndragFieldKind::SideResistance) &&
         own->layer >= 1 && own->layer <= m.n &&
         m.entries[static_cast<std::size_t>(own->layer - 1)] != Model::Entry::No;
}

void CheckFailure(const DowndragInput& input, const Model& m, const DowndragFailure& failure) {
  if (m.refusal) {
    Expect(failure == *m.refusal, "the refusal is not the first one in the documented order");
    return;
  }
  const std::vector<unsigned> sets = EnteringSets(m);
  const bool layerRefusal = std::any_of(sets.begin(), sets.end(), [&](unsigned set) {
    const auto expected = LayerRefusal(input, m, set);
    return expected && *expected == failure;
  });
  if (layerRefusal) return;
  const bool layersRead =
      std::any_of(sets.begin(), sets.end(), [&](unsigned set) { return !LayerRefusal(input, m, set).has_value(); });
  Expect(layersRead, "the refusal is not that of a layer's field that reads badly");
  Expect(IsRead(m, failure.field), "the refusal blames a field that is not read");
  if (failure.reason == DowndragReason::Overflow || failure.reason == DowndragReason::Underflow) {
    Expect(!m.tame, "an overflow or underflow with every value between 1e-30 and 1e30");
    Expect(failure.reason == DowndragReason::Overflow || m.group, "an underflow of ηn outside a group");
    return;
  }
  Expect(failure.reason == DowndragReason::NoWeightAboveNeutralPoint, "a refusal of an arithmetic step for no reason");
  Expect(m.group && m.ratio > 0.0, "no weight above the neutral point refused outside a group with ln > 0");
  for (int i = 1; i <= m.n; ++i) {
    const auto k = static_cast<std::size_t>(i - 1);
    if (m.entries[k] == Model::Entry::Yes && m.tame) {
      Expect(m.unitWeights[k] == 0.0, "no weight above the neutral point though an entering layer weighs");
    }
  }
}

// The product against the oracle, for values between 1e-30 and 1e30.
void CheckAgainstOracle(const DowndragInput& input, const Model& m, const DowndragResult& r) {
  tavrelo::oracle::ReferenceCase c;
  for (int i = 1; i <= m.n; ++i) {
    const auto k = static_cast<std::size_t>(i - 1);
    tavrelo::oracle::ReferenceLayer layer;
    layer.unitWeight = m.unitWeights[k];
    layer.thickness = m.thicknesses[k];
    // A layer the product left out by a hair has no readable ξni, maybe; its
    // share is within the tolerance below.
    layer.coefficient = r.layers[k].enters ? r.layers[k].coefficient : 0.0L;
    if (r.layers[k].enters && r.layers[k].sideResistance) layer.sideResistance = *r.layers[k].sideResistance;
    c.layers.push_back(layer);
  }
  c.surfaceLoad = m.load;
  c.square = input.shape == PileShape::Square;
  c.size = m.size;
  c.group = m.group;
  c.spacingX = m.spacingX;
  c.spacingY = m.spacingY;
  c.pileTop = m.pileTop;
  c.neutralRatio = m.ratio;
  const tavrelo::oracle::ReferenceDowndrag ref = tavrelo::oracle::ReferenceDowndragLoad(c);

  // The scale of the rounding: depths move by units of the last place of
  // the bearing depth, stresses by those of p + γmax·Σhi.
  const long double depth = m.bearing;
  long double weightScale = 0.0L;  // the largest γi
  for (int i = 0; i < m.n; ++i) {
    weightScale = std::max(weightScale, static_cast<long double>(m.unitWeights[static_cast<std::size_t>(i)]));
  }
  const long double stressScale = m.load + weightScale * depth;
  const auto near = [](long double value, long double reference, long double tolerance) {
    return std::fabs(value - reference) <= tolerance + 1e-12L * std::fabs(reference);
  };
  const long double lengthTolerance = 1e-14L * depth;
  Expect(near(r.pileLength, ref.pileLength, lengthTolerance), "l0 differs from the oracle's");
  Expect(near(r.neutralDepth, ref.neutralDepth, lengthTolerance), "ln differs from the oracle's");
  for (int i = 1; i <= m.n; ++i) {
    const auto k = static_cast<std::size_t>(i - 1);
    const tavrelo::DowndragLayer& layer = r.layers[k];
    Expect(layer.length >= 0.0 && layer.enters == (layer.length > 0.0), "li below 0, or entering against li");
    Expect(near(layer.length, ref.layers[k].length, 2 * lengthTolerance), "li differs from the oracle's");
    if (m.entries[k] != Model::Entry::Hair) {
      Expect(layer.enters == (m.entries[k] == Model::Entry::Yes), "a layer enters against the oracle's depths");
    }
    if (!layer.enters) continue;
    Expect(!layer.capped || layer.friction == *layer.sideResistance, "a capped qsi is not qsik");
    Expect(layer.friction >= 0.0 && (!layer.sideResistance || layer.friction <= *layer.sideResistance),
           "qsi below 0 or above qsik");
    if (m.entries[k] == Model::Entry::Yes) {
      Expect(near(layer.stress, ref.layers[k].stress, 1e-13L * stressScale), "σ'i differs from the oracle's");
    }
  }
  const long double sumTolerance = 1e-12L * stressScale * depth;
  Expect(near(r.frictionSum, ref.frictionSum, sumTolerance), "Σqsi·li differs from the oracle's");
  Expect(near(r.perimeter, ref.perimeter, 0.0L) && near(r.area, ref.area, 0.0L), "u or A differs from the oracle's");

  long double factorTolerance = 0.0L;
  const long double weightSum = ref.meanUnitWeight * ref.neutralDepth;
  if (ref.groupFactorFormula && weightSum > 0.0L) {
    Expect(r.groupFactorFormula.has_value(), "no group factor by the formula where the oracle has one");
    // How far the sums' rounding may move ηn: through qs/γm = Σqsi·li/Σγi·li.
    const long double ratio = ref.meanFriction / ref.meanUnitWeight;
    const long double denominator = ref.perimeter * ratio + ref.area;
    const long double ratioTolerance = (sumTolerance + ratio * 1e-12L * weightScale * depth) / weightSum;
    factorTolerance = *ref.groupFactorFormula * ref.perimeter * ratioTolerance / denominator;
    Expect(near(*r.groupFactorFormula, *ref.groupFactorFormula, factorTolerance), "ηn differs from the oracle's");
    Expect(near(r.groupFactor, ref.groupFactor, factorTolerance), "the capped ηn differs from the oracle's");
  }
  Expect(near(r.load, ref.load, ref.perimeter * (sumTolerance + factorTolerance * ref.frictionSum)),
         "Qgn differs from the oracle's");
}

void CheckResult(const DowndragInput& input, const Model& m, const DowndragResult& r) {
  Expect(!m.refusal, "a result although a field before the layers' refuses");
  Expect(r.layerCount == m.n && r.group == m.group, "another n, or single and group mixed up");
  Expect(std::isfinite(r.load) && r.load >= 0.0, "Qgn below 0 or not finite");
  Expect(r.groupFactor > 0.0 && r.groupFactor <= 1.0, "ηn outside (0, 1]");
  Expect(m.group || (r.groupFactor == 1.0 && !r.groupFactorFormula), "a single pile with ηn other than 1");
  if (r.neutralDepth == 0.0) {
    Expect(r.load == 0.0 && r.groupFactor == 1.0 && r.frictionSum == 0.0, "ln = 0 with a load or ηn other than 1");
  }
  unsigned entering = 0;
  for (int i = 1; i <= m.n; ++i) {
    if (r.layers[static_cast<std::size_t>(i - 1)].enters) entering |= 1U << (i - 1);
  }
  Expect(!LayerRefusal(input, m, entering), "a result although an entering layer's field reads badly");
  if (m.tame) CheckAgainstOracle(input, m, r);

  // The sentence, its numbers rounded as by hand.
  using tavrelo::oracle::HandRounded;
  std::string sentence =
      "中性点深度ln = " + HandRounded(r.neutralDepth, 2) + " m，下拉荷载Qgn = " + HandRounded(r.load, 1) + " kN";
  if (r.group) sentence += "，群桩效应系数ηn = " + HandRounded(r.groupFactor, 3);
  Expect(tavrelo::ComposeDowndragSentence(r) == sentence, "the sentence is not ln, Qgn (and ηn) as by hand");

  // The report: one line a step, a line for each entering layer, its last
  // step Qgn as the sentence shows it.
  const std::string report = tavrelo::ComposeDowndragReport(input, r);
  // Beside it the HTML, with soil names of any bytes (layer i's ξni and qsik
  // texts), which add no markup.
  std::array<std::string, 5> soilNames;
  for (std::size_t i = 0; i < soilNames.size(); ++i) {
    soilNames[i] = input.coefficientTexts[i] + input.sideResistanceTexts[i];
  }
  CheckHtmlFlavour(WriteReport(DescribeDowndragReport(input, r, soilNames)),
                   WriteReport(DescribeDowndragReport(input, r, {})), report);
  Expect(report.ends_with("\n"), "the report does not end with a line feed");
  const auto lines = static_cast<std::size_t>(std::count(report.begin(), report.end(), '\n'));
  const std::size_t groupLines = !r.group ? 0 : (r.groupFactorFormula ? 4 : 2);
  const std::size_t expected =
      12 + (r.surfaceLoad ? 1 : 0) + static_cast<std::size_t>(std::popcount(entering)) + groupLines;
  Expect(lines == expected, "the report has another number of lines");
  Expect(report.find(" = " + HandRounded(r.load, 1) + " kN\n注：") != std::string::npos,
         "the report's last step is not Qgn as by hand");
}

// Texts that fail to read, or that would read to something harmful.
constexpr std::array<std::string_view, 7> kGarbage = {"", "x", "1e400", "-1", "2", "nan", "\xEF\xBC\x92"};

bool SameOutcome(const DowndragOutcome& a, const DowndragOutcome& b) {
  if (a.ok() != b.ok()) return false;
  if (!a.ok()) return a.failure() == b.failure();
  const DowndragResult& x = a.result();
  const DowndragResult& y = b.result();
  bool same = SameBits(x.load, y.load) && SameBits(x.groupFactor, y.groupFactor) &&
              SameBits(x.frictionSum, y.frictionSum) && SameBits(x.neutralDepth, y.neutralDepth);
  for (std::size_t i = 0; i < 5; ++i) same = same && SameBits(x.layers[i].friction, y.layers[i].friction);
  return same;
}

// Junk in every field the calculation must not read changes nothing: rows
// below n, the layers' own fields where a layer certainly does not enter or
// where the refusal comes before them, the window's ξn, p without a load.
void CheckUnreadTextsIgnored(const DowndragInput& input, const Model& m, const DowndragOutcome& outcome,
                             std::string_view bytes) {
  const std::size_t salt = SaltOf(bytes);
  DowndragInput changed = input;
  const auto garbage = [&](std::size_t k) { return std::string(kGarbage[(salt + k) % kGarbage.size()]); };
  const bool beforeLayers = m.refusal.has_value();
  for (int i = 1; i <= 5; ++i) {
    const auto k = static_cast<std::size_t>(i - 1);
    if (i > m.n) {
      changed.friction.layers[k] = {garbage(k), garbage(k + 1)};
    }
    if (i > m.n || beforeLayers || m.entries[k] == Model::Entry::No) {
      changed.coefficientTexts[k] = garbage(k + 2);
      changed.sideResistanceTexts[k] = garbage(k + 3);
    }
  }
  changed.friction.coefficientText = garbage(9);
  if (m.cause != CauseKind::SurfaceSurcharge) changed.friction.loadText = garbage(10);
  Expect(SameOutcome(outcome, tavrelo::ComputeDowndragLoad(changed)), "the outcome depends on texts it does not read");
}

// The refusal in the documented order, or the result beside the oracle; then
// the same outcome with junk in every text that is not read.
constexpr Target<DowndragInput, Model, DowndragOutcome> kTarget = {"downdrag_fuzzer",       Decode,      BuildModel,
                                                                   ComputeDowndragLoad,     CheckResult, CheckFailure,
                                                                   CheckUnreadTextsIgnored, DescribeCase};

}  // namespace
}  // namespace tavrelo::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  return tavrelo::fuzz::TestOneInput(tavrelo::fuzz::kTarget, data, size);
}
