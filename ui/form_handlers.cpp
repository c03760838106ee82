#include "ui/form_handlers.h"

#include <array>
#include <cstddef>

#include "core/calculation_steps.h"
#include "core/layered_report.h"
#include "core/layered_stress.h"
#include "core/number_text.h"
#include "core/report.h"
#include "core/result_text.h"

namespace tavrelo::ui {

using namespace controls;

// How a field is named in a message: "第2层的土层厚".
std::string FieldName(FrictionField field) {
  const std::string layer = "第" + std::to_string(field.layer) + "层的";
  switch (field.kind) {
    case FieldKind::LayerCount: return "持力层以上土层数";
    case FieldKind::UnitWeight: return layer + "重度";
    case FieldKind::Thickness: return layer + "土层厚";
    case FieldKind::Load: return "荷载p";
    case FieldKind::Coefficient: return "负摩阻力系数ξn";
  }
  return {};
}

// A field's text as quoted in a message: at most 20 characters, so that a
// pasted page does not fill the screen.
std::string Quote(std::string_view text) {
  constexpr std::size_t kMaxCharacters = 20;
  std::size_t characters = 0;
  std::size_t end = 0;
  while (end < text.size() && characters < kMaxCharacters) {
    ++end;
    while (end < text.size() && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) ++end;
    ++characters;
  }
  return "“" + std::string(text.substr(0, end)) + (end < text.size() ? "…" : "") + "”";
}

namespace {

std::string Describe(const FrictionFailure& failure, const FrictionInput& input) {
  const std::string field = FieldName(failure.field);
  switch (failure.reason) {
    case FailureReason::Empty: return field + "为空，请输入数值。";
    case FailureReason::NotANumber: return field + Quote(FieldText(input, failure.field)) + "不是有效的数字。";
    case FailureReason::OutOfRange: return field + Quote(FieldText(input, failure.field)) + "超出了数值范围。";
    case FailureReason::ZeroThicknessSum: return "各层土层厚之和为0，无法计算平均重度。";
    case FailureReason::Overflow: return "数值过大，计算溢出。";
  }
  return {};
}

}  // namespace

ControlKey ControlOf(FrictionField field) {
  switch (field.kind) {
    case FieldKind::LayerCount: return kLayerCount;
    case FieldKind::UnitWeight: return UnitWeight(field.layer);
    case FieldKind::Thickness: return Thickness(field.layer);
    case FieldKind::Load: return kLoad;
    case FieldKind::Coefficient: return kCoefficient;
  }
  return kLayerCount;
}

FrictionInput ReadFrictionInput(const FormModel& model) {
  FrictionInput input;
  input.layerCountText = model.Text(ControlOf({FieldKind::LayerCount, 0}));
  for (int i = 1; i <= static_cast<int>(input.layers.size()); ++i) {
    LayerInput& layer = input.layers[static_cast<std::size_t>(i - 1)];
    layer.unitWeightText = model.Text(ControlOf({FieldKind::UnitWeight, i}));
    layer.thicknessText = model.Text(ControlOf({FieldKind::Thickness, i}));
  }
  input.causeText = model.Text(kCause);
  input.coefficientText = model.Text(ControlOf({FieldKind::Coefficient, 0}));
  input.loadText = model.Text(ControlOf({FieldKind::Load, 0}));
  return input;
}

std::array<std::string, 5> ReadSoilNames(const FormModel& model) {
  std::array<std::string, 5> names;
  for (int k = 1; k <= static_cast<int>(names.size()); ++k) {
    names[static_cast<std::size_t>(k - 1)] = model.Text(SoilName(k));
  }
  return names;
}

std::optional<InputProblem> FindInputProblem(const FrictionInput& input, const FrictionOutcome& outcome) {
  const auto blame = [&](const FrictionFailure& failure) {
    return InputProblem{Describe(failure, input), ControlOf(failure.field)};
  };
  if (!outcome.ok() && outcome.failure().field.kind == FieldKind::LayerCount) return blame(outcome.failure());
  // The computation accepts any other count, and any other cause, with a
  // friction of 0.0: shown as a result, an engineer could take it for one.
  if (!LayerCountFromValue(ReadNumber(input.layerCountText).value)) {
    return InputProblem{"持力层以上土层数应为1至5。", kLayerCount};
  }
  if (ClassifyCause(input.causeText) == CauseKind::Other) {
    return InputProblem{"请从列表中选择负摩阻力产生原因。", kCause};
  }
  if (!outcome.ok()) return blame(outcome.failure());
  return std::nullopt;
}

void Combo1_Click(FormModel& model) {
  const NumberReading count = ReadNumber(model.Text(kLayerCount));
  const std::optional<int> n = count.ok() ? LayerCountFromValue(count.value) : std::nullopt;
  if (!n) return;
  for (int k = 1; k <= kLayerRows; ++k) {
    for (const ControlKey control : LayerRow(k)) model.SetVisible(control, k <= *n);
  }
}

void Combo5_Click(FormModel& model) {
  switch (ClassifyCause(model.Text(kCause))) {
    case CauseKind::GroundwaterLowering:
      model.SetVisible(kLoadLabel, false);
      model.SetVisible(kLoad, false);
      break;
    case CauseKind::SurfaceSurcharge:
      model.SetVisible(kLoadLabel, true);
      model.SetVisible(kLoad, true);
      break;
    case CauseKind::Other: break;
  }
}

void Command1_Click(FormModel& model, const PressListener& gaveSentence) {
  const FrictionInput input = ReadFrictionInput(model);
  const FrictionOutcome outcome = ComputeNegativeFriction(input);
  if (const std::optional<InputProblem> problem = FindInputProblem(input, outcome)) {
    model.ReportProblem(*problem);
    model.RequestFocus(problem->field);
    return;
  }
  // The steps and the layered calculation belong to the sentence: kept
  // beside it for the reports its menu copies.
  const LayeredOutcome layered = ComputeLayeredStress(input);
  const std::array<std::string, 5> soilNames = ReadSoilNames(model);
  const ReportTexts steps = WriteReport(DescribeCalculationSteps(input, outcome.result(), layered, soilNames));
  model.SetCommandCopy(kCopySteps, {steps.text, steps.html});
  const ReportTexts report =
      layered.ok() ? WriteReport(DescribeLayeredReport(input, layered.result(), outcome.result(), soilNames))
                   : ReportTexts{};
  model.SetCommandCopy(kCopyLayered, {report.text, report.html});
  model.SetCommandEnabled(kOpenDowndrag, true);
  // Writing Text1, and having it read out, is the last thing a press does
  // on this window; what stands on the press's layers elsewhere follows.
  model.SetText(kResult, ComposeResultText(input.causeText, input.layerCountText, outcome.result()));
  model.Announce(kResult);
  if (gaveSentence) gaveSentence(input);
}

void ConnectHandlers(FormModel& model) {
  model.OnSelect(kLayerCount, [&model] { Combo1_Click(model); });
  model.OnSelect(kCause, [&model] { Combo5_Click(model); });
  model.OnPress(kCompute, [&model] { Command1_Click(model); });
}

}  // namespace tavrelo::ui
