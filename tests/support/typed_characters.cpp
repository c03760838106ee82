#include "tests/support/typed_characters.h"

#include <cstddef>
#include <cstdint>

namespace tavrelo::ui::testing_support {
namespace {

struct CodePoint {
  std::uint32_t value = 0;
  std::size_t length = 1;  // bytes
};

CodePoint Decode(std::string_view text, std::size_t at) {
  const auto byte = [&](std::size_t i) { return static_cast<std::uint32_t>(static_cast<unsigned char>(text[at + i])); };
  const std::uint32_t lead = byte(0);
  const std::size_t length = lead < 0x80U ? 1 : lead >= 0xF0U ? 4 : lead >= 0xE0U ? 3 : 2;
  if (at + length > text.size()) return {lead, 1};
  std::uint32_t value = length == 1 ? lead : lead & (0x7FU >> length);
  for (std::size_t i = 1; i < length; ++i) value = value << 6U | (byte(i) & 0x3FU);
  return {value, length};
}

constexpr std::uint32_t kJoiner = 0x200D;

bool Joins(std::uint32_t point) {
  return point == kJoiner || (point >= 0xFE00 && point <= 0xFE0F) || (point >= 0x1F3FB && point <= 0x1F3FF) ||
         (point >= 0xE0020 && point <= 0xE007F) || (point >= 0x0300 && point <= 0x036F);
}

bool RegionalIndicator(std::uint32_t point) { return point >= 0x1F1E6 && point <= 0x1F1FF; }

}  // namespace

std::vector<std::string_view> TypedCharacters(std::string_view text) {
  std::vector<std::string_view> characters;
  std::size_t at = 0;
  while (at < text.size()) {
    const std::size_t start = at;
    CodePoint point = Decode(text, at);
    at += point.length;
    const bool flag = RegionalIndicator(point.value);
    bool halves = false;
    while (point.value >= 0x80U && at < text.size()) {
      const CodePoint next = Decode(text, at);
      const bool secondHalf = flag && !halves && RegionalIndicator(next.value);
      if (!Joins(next.value) && point.value != kJoiner && !secondHalf) break;
      halves = halves || secondHalf;
      point = next;
      at += next.length;
    }
    characters.push_back(text.substr(start, at - start));
  }
  return characters;
}

}  // namespace tavrelo::ui::testing_support
