#include "core/layered_report.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tavrelo {
namespace {

constexpr const char* kGroundwater = "降低地下水";
constexpr const char* kSurcharge = "地面有满布荷载";

FrictionInput Form(std::string count, std::vector<LayerInput> layers, std::string cause, std::string coefficient,
                   std::string load = "") {
  FrictionInput input;
  input.layerCountText = std::move(count);
  for (std::size_t i = 0; i < layers.size(); ++i) input.layers[i] = layers[i];
  input.causeText = std::move(cause);
  input.coefficientText = std::move(coefficient);
  input.loadText = std::move(load);
  return input;
}

std::vector<std::string> ReportLines(const FrictionInput& input) {
  const LayeredOutcome layered = ComputeLayeredStress(input);
  const FrictionOutcome window = ComputeNegativeFriction(input);
  EXPECT_TRUE(layered.ok() && window.ok());
  if (!layered.ok() || !window.ok()) return {};
  const std::string text = ComposeLayeredReport(input, layered.result(), window.result());
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end = text.find('\n'); end != std::string::npos; end = text.find('\n', start)) {
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  EXPECT_EQ(start, text.size()) << "every line ends with a line feed";
  return lines;
}

struct ReportCase {
  const char* name;
  FrictionInput input;
  std::vector<std::string> lines;
};

class Report : public testing::TestWithParam<ReportCase> {};

TEST_P(Report, ShowsEachLayerWithItsNumbersAndTheWindowsValueApart) {
  EXPECT_EQ(ReportLines(GetParam().input), GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(
    WorkedCases, Report,
    testing::Values(
        ReportCase{
            "TwoLayersGroundwater",
            Form("2.0", {{"18", "2.0"}, {"19", "3.0"}}, kGroundwater, "0.25"),
            {"分层总和法计算（JGJ 94-2008 第5.4.4条 式(5.4.4-4)）", "降低地下水  σ'i = σ'γi = Σγe·Δze + γi·Δzi/2",
             "第1层  γ1 = 18 kN/m³  h1 = 2.0 m  σ'γ1 = 18×2.0/2 = 18.00 kN/m²",
             "第2层  γ2 = 19 kN/m³  h2 = 3.0 m  σ'γ2 = 18×2.0 + 19×3.0/2 = 64.50 kN/m²",
             "第2层负摩阻力标准值  qsi = ξn·σ'n = 0.25 × 64.50 = 16.1 kN/m²",
             "注：qsi仅为第2层之值；以上各层各有其负摩阻力系数ξni，其qsi须另行计算",
             "本程序窗口结果（平均重度法）σi' = 65.10 kN/m²  qsi = 16.3 kN/m²"}},
        ReportCase{"TwoLayersSurcharge",
                   Form("2.0", {{"18", "2.0"}, {"19", "3.0"}}, kSurcharge, "0.25", "10"),
                   {"分层总和法计算（JGJ 94-2008 第5.4.4条 式(5.4.4-4)）",
                    "地面有满布荷载  σ'γi = Σγe·Δze + γi·Δzi/2  σ'i = p + σ'γi", "地面满布荷载  p = 10 kN/m²",
                    "第1层  γ1 = 18 kN/m³  h1 = 2.0 m  σ'γ1 = 18×2.0/2 = 18.00 kN/m²  σ'1 = 10 + 18.00 = 28.00 kN/m²",
                    "第2层  γ2 = 19 kN/m³  h2 = 3.0 m  σ'γ2 = 18×2.0 + 19×3.0/2 = 64.50 kN/m²  σ'2 = 10 + 64.50 = "
                    "74.50 kN/m²",
                    "第2层负摩阻力标准值  qsi = ξn·σ'n = 0.25 × 74.50 = 18.6 kN/m²",
                    "注：qsi仅为第2层之值；以上各层各有其负摩阻力系数ξni，其qsi须另行计算",
                    "本程序窗口结果（平均重度法）σi' = 75.10 kN/m²  qsi = 18.8 kN/m²"}},
        // Trimmed, a negative thickness bracketed, full-width digits kept.
        ReportCase{
            "TextsAsEntered",
            Form("3", {{" 18", "2.0 "}, {"19", "-1.0"}, {"２０", "4"}}, kGroundwater, " 0.3"),
            {"分层总和法计算（JGJ 94-2008 第5.4.4条 式(5.4.4-4)）", "降低地下水  σ'i = σ'γi = Σγe·Δze + γi·Δzi/2",
             "第1层  γ1 = 18 kN/m³  h1 = 2.0 m  σ'γ1 = 18×2.0/2 = 18.00 kN/m²",
             "第2层  γ2 = 19 kN/m³  h2 = -1.0 m  σ'γ2 = 18×2.0 + 19×(-1.0)/2 = 26.50 kN/m²",
             "第3层  γ3 = ２０ kN/m³  h3 = 4 m  σ'γ3 = 18×2.0 + 19×(-1.0) + ２０×4/2 = 57.00 kN/m²",
             "第3层负摩阻力标准值  qsi = ξn·σ'n = 0.3 × 57.00 = 17.1 kN/m²",
             "注：qsi仅为第3层之值；以上各层各有其负摩阻力系数ξni，其qsi须另行计算",
             "本程序窗口结果（平均重度法）σi' = 58.20 kN/m²  qsi = 17.5 kN/m²"}},
        ReportCase{
            "OneLayerHasNoUpperLayers",
            Form("1.0", {{"17.5", "3.0"}}, kGroundwater, "0.2"),
            {"分层总和法计算（JGJ 94-2008 第5.4.4条 式(5.4.4-4)）", "降低地下水  σ'i = σ'γi = Σγe·Δze + γi·Δzi/2",
             "第1层  γ1 = 17.5 kN/m³  h1 = 3.0 m  σ'γ1 = 17.5×3.0/2 = 26.25 kN/m²",
             "第1层负摩阻力标准值  qsi = ξn·σ'n = 0.2 × 26.25 = 5.3 kN/m²",
             "注：qsi为第1层之值，ξn即该层的负摩阻力系数",
             "本程序窗口结果（平均重度法）σi' = 26.25 kN/m²  qsi = 5.3 kN/m²"}}),
    [](const auto& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace tavrelo
