#include "ui/view_rules.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace tavrelo::ui {

PixelBox PixelRect(const ControlSpec& row, int dpi) {
  const int x = TwipsToPixels(row.left, dpi);
  const int y = TwipsToPixels(row.top, dpi);
  if (row.kind == ControlKind::Line) {
    const int thickness = std::max(1, TwipsToPixels(15, dpi));
    const int x2 = TwipsToPixels(row.left + row.width, dpi);
    const int y2 = TwipsToPixels(row.top + row.height, dpi);
    const int width = row.width == 0 ? thickness : x2 - x + thickness;
    const int height = row.height == 0 ? thickness : y2 - y + thickness;
    return {x, y, width, height};
  }
  return {x, y, TwipsToPixels(row.width, dpi), TwipsToPixels(row.height, dpi)};
}

PixelBox ClientArea(const FormModel& model, int dpi) {
  const ControlSpec& form = model.FormRow();
  return {0, 0, TwipsToPixels(form.width, dpi), TwipsToPixels(form.height, dpi)};
}

bool BuiltAtStart(const FormModel& model) {
  return model.FormRow().role != ControlRole::OwnedWindow || model.Visible(model.FormKey());
}

PixelBox PlaceOwnedWindow(const PixelBox& owner, int width, int height, const PixelBox& area, int gap) {
  const auto fits = [&](int x, int y) {
    return x >= area.x && y >= area.y && x + width <= area.x + area.width && y + height <= area.y + area.height;
  };
  const int right = owner.x + owner.width + gap;
  const int below = owner.y + owner.height + gap;
  const int left = owner.x - gap - width;
  const int above = owner.y - gap - height;
  for (const auto& [x, y] :
       {std::pair{right, owner.y}, std::pair{owner.x, below}, std::pair{left, owner.y}, std::pair{owner.x, above}}) {
    if (fits(x, y)) return {x, y, width, height};
  }
  const int x = std::max(area.x, std::min(owner.x, area.x + area.width - width));
  const int y = std::max(area.y, std::min(owner.y, area.y + area.height - height));
  return {x, y, width, height};
}

const FontSpec& FontOf(const FormModel& model, const ControlSpec& row) {
  if (row.font != nullptr) return *row.font;
  return *model.FormRow().font;
}

int FontPixels(const FontSpec& font, int dpi) { return static_cast<int>(std::lround(font.pointSize * dpi / 72.0)); }

std::optional<std::string_view> ChooseFamily(const FontSpec& font, const FamilyInstalled& installed) {
  for (const std::string_view family : font.families) {
    if (installed(family)) return family;
  }
  return std::nullopt;
}

std::string StackedCaption(std::string_view caption) {
  std::string stacked;
  stacked.reserve(caption.size() * 2);
  for (std::size_t i = 0; i < caption.size(); ++i) {
    const bool continuation = (static_cast<unsigned char>(caption[i]) & 0xC0) == 0x80;
    if (i > 0 && !continuation) stacked += '\n';
    stacked += caption[i];
  }
  return stacked;
}

std::string ToCrLf(std::string_view shown) {
  std::string text;
  text.reserve(shown.size() + shown.size() / 16);
  for (std::size_t i = 0; i < shown.size(); ++i) {
    const char c = shown[i];
    if (c == '\r') {
      text += "\r\n";
      if (i + 1 < shown.size() && shown[i + 1] == '\n') ++i;
    } else if (c == '\n') {
      text += "\r\n";
    } else {
      text += c;
    }
  }
  return text;
}

std::string ToLf(std::string_view model) {
  std::string text;
  text.reserve(model.size());
  for (std::size_t i = 0; i < model.size(); ++i) {
    if (model[i] == '\r') {
      text += '\n';
      if (i + 1 < model.size() && model[i + 1] == '\n') ++i;
    } else {
      text += model[i];
    }
  }
  return text;
}

}  // namespace tavrelo::ui
