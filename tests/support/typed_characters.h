#pragma once
// A text as a user types it, character by character: what one key gives,
// or one commit of an input method or of the emoji panel gives.

#include <string_view>
#include <vector>

namespace tavrelo::ui::testing_support {

// The characters of a UTF-8 text, each as one stretch of it: an ASCII
// character, or a code point with everything that joins it into one
// character on screen (a zero-width joiner and the code point after it,
// variation selectors, skin tones, tags, combining marks, a flag's second
// half): "👷‍♀️" is one character, "1😀" two.
[[nodiscard]] std::vector<std::string_view> TypedCharacters(std::string_view text);

}  // namespace tavrelo::ui::testing_support
