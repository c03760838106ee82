#pragma once
// How a label's caption breaks into lines inside its box, for toolkits
// whose own wrapping does not know Chinese text. Breaks fall between two
// Chinese characters, or after a run of blanks (the blanks hang at the end of
// the line and take no room); never inside a run of Latin letters and digits
// ("qsi(n)"), never before closing punctuation such as "，" "。" "、" "）" and
// never after an opening one such as "（". A line is as long as fits.
//
// Label6's notes at 10 px per Chinese character in a 265 px box: "注：1、在…取
// 表中较" / "大值，…取表中较小值。" / "2、填土…较大值。" / "3、当qsi(n)…".

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tavrelo::ui {

// The width of a piece of text (UTF-8) in the label's font, in pixels.
using TextWidth = std::function<int(std::string_view text)>;

// The lines of `text` in a box `width` pixels wide, each without its hanging
// blanks. A piece that cannot be broken and is wider than the box stands on
// a line of its own, cut only where it must be.
[[nodiscard]] std::vector<std::string> WrapLines(std::string_view text, int width, const TextWidth& measure);

}  // namespace tavrelo::ui
