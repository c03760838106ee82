#include "ui/text_wrap.h"

#include <cstddef>

namespace tavrelo::ui {
namespace {

// The code point starting at `at` and its length in bytes.
struct CodePoint {
  char32_t value = 0;
  std::size_t length = 1;
};

CodePoint Decode(std::string_view text, std::size_t at) {
  const auto lead = static_cast<unsigned char>(text[at]);
  std::size_t length = 1;
  char32_t value = lead;
  if (lead >= 0xF0) {
    length = 4;
    value = lead & 0x07;
  } else if (lead >= 0xE0) {
    length = 3;
    value = lead & 0x0F;
  } else if (lead >= 0xC0) {
    length = 2;
    value = lead & 0x1F;
  }
  if (at + length > text.size()) return {lead, 1};
  for (std::size_t i = 1; i < length; ++i) value = (value << 6) | (static_cast<unsigned char>(text[at + i]) & 0x3F);
  return {value, length};
}

bool IsBlank(char32_t c) { return c == U' ' || c == U'\u3000'; }
// Latin letters, digits and ASCII punctuation: words that stay whole.
bool IsWordPart(char32_t c) { return c > U' ' && c < 0x7F; }
// No line begins with these.
bool ClosesOrPauses(char32_t c) {
  constexpr std::u32string_view kNoStart = U"，。、：；！？）」』”’》〉】,.;:!?)]}";
  return kNoStart.find(c) != std::u32string_view::npos;
}
// No line ends with these.
bool Opens(char32_t c) {
  constexpr std::u32string_view kNoEnd = U"（「『“‘《〈【([{";
  return kNoEnd.find(c) != std::u32string_view::npos;
}

// May a line end between `before` and `after`?
bool MayBreak(char32_t before, char32_t after) {
  if (IsBlank(after)) return false;  // blanks hang at the end of the line
  if (IsBlank(before)) return true;
  if (ClosesOrPauses(after) || Opens(before)) return false;
  return !(IsWordPart(before) && IsWordPart(after));
}

std::string_view TrimBlanks(std::string_view line) {
  while (!line.empty() && (line.back() == ' ')) line.remove_suffix(1);
  while (line.size() >= 3 && line.substr(line.size() - 3) == "\u3000") line.remove_suffix(3);
  return line;
}

}  // namespace

std::vector<std::string> WrapLines(std::string_view text, int width, const TextWidth& measure) {
  std::vector<std::string> lines;
  std::size_t start = 0;  // where the current line begins
  while (start < text.size()) {
    std::size_t lastBreak = std::string_view::npos;  // best place to end the line so far
    std::size_t at = start;
    char32_t previous = 0;
    bool overflowed = false;
    while (at < text.size()) {
      const CodePoint c = Decode(text, at);
      if (at > start && MayBreak(previous, c.value)) lastBreak = at;
      const std::size_t end = at + c.length;
      if (at > start && measure(TrimBlanks(text.substr(start, end - start))) > width) {
        overflowed = true;
        break;
      }
      previous = c.value;
      at = end;
    }
    if (!overflowed) {
      lines.emplace_back(TrimBlanks(text.substr(start)));
      break;
    }
    const std::size_t cut = lastBreak != std::string_view::npos ? lastBreak : at;
    lines.emplace_back(TrimBlanks(text.substr(start, cut - start)));
    start = cut;
    while (start < text.size() && IsBlank(Decode(text, start).value)) start += Decode(text, start).length;
  }
  return lines;
}

}  // namespace tavrelo::ui
