#include "ui/downdrag_handlers.h"

#include <cstddef>
#include <memory>
#include <string>

#include "core/downdrag_report.h"
#include "core/report.h"
#include "core/result_text.h"
#include "ui/downdrag_form.h"
#include "ui/form_handlers.h"

namespace tavrelo::ui {
namespace {

using namespace downdrag;

// How a field of the window is named in a message: "第2层的负摩阻力系数ξn2".
std::string FieldName(DowndragField field, const DowndragInput& input) {
  const std::string k = std::to_string(field.layer);
  switch (field.kind) {
    case DowndragFieldKind::Cause: return "主窗口的负摩阻力产生原因";
    case DowndragFieldKind::Coefficient: return "第" + k + "层的负摩阻力系数ξn" + k;
    case DowndragFieldKind::SideResistance: return "第" + k + "层的正摩阻力标准值q" + "s" + k + "k";
    case DowndragFieldKind::NeutralRatio: return "中性点深度比ln/l0";
    case DowndragFieldKind::Size: return input.shape == PileShape::Square ? "边长b" : "桩径d";
    case DowndragFieldKind::SpacingX: return "桩距sax";
    case DowndragFieldKind::SpacingY: return "桩距say";
    case DowndragFieldKind::PileTopDepth: return "桩顶深度t";
  }
  return {};
}

ControlKey ControlOf(DowndragField field) {
  switch (field.kind) {
    case DowndragFieldKind::Coefficient: return Coefficient(field.layer);
    case DowndragFieldKind::SideResistance: return SideResistance(field.layer);
    case DowndragFieldKind::NeutralRatio: return kNeutralRatio;
    case DowndragFieldKind::Size: return kSize;
    case DowndragFieldKind::SpacingX: return kSpacingX;
    case DowndragFieldKind::SpacingY: return kSpacingY;
    case DowndragFieldKind::PileTopDepth: return kPileTop;
    case DowndragFieldKind::Cause: break;
  }
  return {};
}

// The sum of the layers' thicknesses as the press gave them, for the message
// of a pile top at or below the bearing stratum.
std::string ThicknessSum(const DowndragInput& input) {
  std::string sum;
  const auto n =
      static_cast<std::size_t>(LayerCountFromValue(ReadNumber(input.friction.layerCountText).value).value_or(0));
  double total = 0.0;
  for (std::size_t i = 0; i < n && i < input.friction.layers.size(); ++i) {
    const NumberReading h = i == 1 ? ReadNumberAsFloat(input.friction.layers[i].thicknessText)
                                   : ReadNumber(input.friction.layers[i].thicknessText);
    total += h.value;
  }
  return FormatFixed(total, 2);
}

}  // namespace

InputProblem DescribeDowndragFailure(const DowndragFailure& failure, const DowndragInput& input) {
  const auto* own = std::get_if<DowndragField>(&failure.field);
  const bool onThisWindow = own != nullptr && own->kind != DowndragFieldKind::Cause;
  const std::string name =
      onThisWindow
          ? FieldName(*own, input)
          : (own != nullptr ? FieldName(*own, input) : "主窗口中" + FieldName(std::get<FrictionField>(failure.field)));
  const std::string text = own != nullptr ? Quote(FieldText(input, *own))
                                          : Quote(FieldText(input.friction, std::get<FrictionField>(failure.field)));
  const ControlKey field = onThisWindow ? ControlOf(*own) : ControlKey{};
  std::string message;
  switch (failure.reason) {
    case DowndragReason::Empty: message = name + "为空，请输入数值。"; break;
    case DowndragReason::NotANumber: message = name + text + "不是有效的数字。"; break;
    case DowndragReason::OutOfRange: message = name + text + "超出了数值范围。"; break;
    case DowndragReason::Negative: message = name + text + "不能小于0。"; break;
    case DowndragReason::AboveOne: message = name + text + "不能大于1。"; break;
    case DowndragReason::NotPositive: message = name + text + "应大于0。"; break;
    case DowndragReason::WithoutTheOtherSpacing: message = "群桩须同时填写桩距sax与say：" + name + "为空。"; break;
    case DowndragReason::NotAboveBearingStratum:
      message = name + text + "应小于各层土层厚之和" + ThicknessSum(input) + " m（桩顶须在持力层以上）。";
      break;
    case DowndragReason::NoWeightAboveNeutralPoint:
      message = "中性点以上各层的重度均为0，无法计算群桩效应系数ηn。";
      break;
    case DowndragReason::Overflow: message = "数值过大，计算溢出（" + name + "）。"; break;
    case DowndragReason::Underflow: message = "群桩效应系数ηn过小，计算下溢为0（" + name + text + "）。"; break;
    case DowndragReason::LayerCountNotOneToFive:
    case DowndragReason::UnknownCause: message = "请先在主窗口中按“计算”得出结果。"; break;
  }
  return {message, field};
}

DowndragHandlers::DowndragHandlers(FormModel& main, FormModel& downdrag) : main_(main), downdrag_(downdrag) {
  main_.OnPress(controls::kCompute,
                [this] { Command1_Click(main_, [this](const FrictionInput& input) { Refresh(input); }); });
  main_.OnCommand(controls::kOpenDowndrag, [this] {
    if (profileDue_) DrawPicture();
    downdrag_.SetVisible(downdrag_.FormKey(), true);
  });
  downdrag_.OnSelect(kShape, [this] { DdShape_Click(); });
  downdrag_.OnSelect(kPileKind, [this] { DdPileKind_Click(); });
  downdrag_.OnPress(kCompute, [this] { DdCompute_Click(); });
  downdrag_.Select(kShape, 0);
  downdrag_.Select(kPileKind, 0);
  downdrag_.SetText(kPileTop, "0");
  UpdateProfile();
}

void DowndragHandlers::UpdateProfile() {
  // A main press refreshes the hidden window too: its picture is drawn when
  // it is shown, not at every press.
  profileDue_ = true;
  if (downdrag_.Visible(downdrag_.FormKey())) DrawPicture();
}

void DowndragHandlers::DrawPicture() {
  profileDue_ = false;
  const PixelBox box = PixelRect(downdrag_.Row(kProfile));
  downdrag_.SetDrawing(kProfile, std::make_shared<const ProfileDrawing>(Profile({0, 0, box.width, box.height})));
  downdrag_.SetText(kProfile, ProfileSentence());
}

void DowndragHandlers::Refresh(const FrictionInput& press) {
  press_ = press;
  result_.reset();
  soilNames_ = ReadSoilNames(main_);
  const int n = LayerCountFromValue(ReadNumber(press.layerCountText).value).value_or(controls::kLayerRows);
  for (int k = 1; k <= controls::kLayerRows; ++k) {
    const LayerInput& layer = press.layers[static_cast<std::size_t>(k - 1)];
    downdrag_.SetText(UnitWeight(k), k <= n ? std::string(layer.unitWeightText) : std::string());
    downdrag_.SetText(Thickness(k), k <= n ? std::string(layer.thicknessText) : std::string());
    for (const ControlKey control : {RowNumber(k), UnitWeight(k), Thickness(k), Coefficient(k), SideResistance(k)}) {
      downdrag_.SetVisible(control, k <= n);
    }
  }
  if (downdrag_.Text(Coefficient(n)).empty()) downdrag_.SetText(Coefficient(n), press.coefficientText);
  downdrag_.SetText(kResult, downdrag_.Row(kResult).caption);
  downdrag_.SetCommandCopy(kCopyReport, {});
  UpdateProfile();
}

void DowndragHandlers::DdShape_Click() {
  const std::string& shape = downdrag_.Text(kShape);
  for (const ShapeEntry& entry : {kRound, kSquare}) {
    if (shape == entry.name) downdrag_.SetText(kSizeLabel, entry.sizeLabel);
  }
}

void DowndragHandlers::DdPileKind_Click() {
  const std::string& kind = downdrag_.Text(kPileKind);
  if (kind != kSingle && kind != kGroup) return;
  for (const ControlKey control : {kSpacingXLabel, kSpacingX, kSpacingYLabel, kSpacingY}) {
    downdrag_.SetVisible(control, kind == kGroup);
  }
}

std::optional<DowndragInput> DowndragHandlers::ReadInput() const {
  if (!press_) return std::nullopt;
  DowndragInput input;
  input.friction = *press_;
  for (int k = 1; k <= controls::kLayerRows; ++k) {
    input.coefficientTexts[static_cast<std::size_t>(k - 1)] = downdrag_.Text(Coefficient(k));
    input.sideResistanceTexts[static_cast<std::size_t>(k - 1)] = downdrag_.Text(SideResistance(k));
  }
  input.neutralRatioText = downdrag_.Text(kNeutralRatio);
  input.shape = downdrag_.Text(kShape) == kSquare.name ? PileShape::Square : PileShape::Round;
  input.sizeText = downdrag_.Text(kSize);
  if (downdrag_.Text(kPileKind) == kGroup) {
    input.spacingXText = downdrag_.Text(kSpacingX);
    input.spacingYText = downdrag_.Text(kSpacingY);
  }
  input.pileTopDepthText = downdrag_.Text(kPileTop);
  return input;
}

ProfileDrawing DowndragHandlers::Profile(PixelBox box) const {
  return DrawProfile(press_ ? &*press_ : nullptr, downdrag_.Text(kPileTop), result_ ? &*result_ : nullptr, box);
}

std::string DowndragHandlers::ProfileSentence() const {
  return ProfileDescription(press_ ? &*press_ : nullptr, downdrag_.Text(kPileTop), result_ ? &*result_ : nullptr);
}

void DowndragHandlers::DdCompute_Click() {
  const auto refuse = [this](const InputProblem& problem) {
    result_.reset();
    UpdateProfile();
    downdrag_.ReportProblem(problem);
    if (!problem.field.name.empty()) downdrag_.RequestFocus(problem.field);
  };
  const std::optional<DowndragInput> input = ReadInput();
  if (!input) return refuse({"请先在主窗口中按“计算”得出结果。", {}});
  // The two lists that decide how the fields are read, before the fields.
  const std::string& shape = downdrag_.Text(kShape);
  if (shape != kRound.name && shape != kSquare.name) return refuse({"请从列表中选择桩的形状（圆桩或方桩）。", kShape});
  const std::string& kind = downdrag_.Text(kPileKind);
  if (kind != kSingle && kind != kGroup) return refuse({"请从列表中选择单桩或群桩。", kPileKind});
  if (kind == kGroup) {
    // Both blank would read as a single pile.
    for (const auto& [field, name] : {std::pair{kSpacingX, "桩距sax"}, std::pair{kSpacingY, "桩距say"}}) {
      if (ReadNumber(downdrag_.Text(field)).failure == FailureReason::Empty) {
        return refuse({std::string("群桩须填写") + name + "。", field});
      }
    }
  }
  const DowndragOutcome outcome = ComputeDowndragLoad(*input);
  if (!outcome.ok()) return refuse(DescribeDowndragFailure(outcome.failure(), *input));
  result_ = outcome.result();
  DrawPicture();  // also hidden: the report carries it
  // The report carries the drawing: as SVG in its HTML, and as itself for
  // the clipboards that take a picture.
  Report report = DescribeDowndragReport(*input, outcome.result(), soilNames_);
  report.blocks.push_back(Figure{ProfileSvg(*downdrag_.Drawing(kProfile))});
  const ReportTexts texts = WriteReport(report);
  downdrag_.SetCommandCopy(kCopyReport, {texts.text, texts.html, downdrag_.SharedDrawing(kProfile)});
  downdrag_.SetText(kResult, ComposeDowndragSentence(outcome.result()));
  downdrag_.Announce(kResult);
}

}  // namespace tavrelo::ui
