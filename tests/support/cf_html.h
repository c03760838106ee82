#pragma once
// Windows' "HTML Format" read back as a program that pastes it reads it:
// the header's fields, and the fragment its offsets cut out.

#include <cstddef>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace tavrelo::ui::testing_support {

// The header's fields ("Version" → "0.9", "StartHTML" → "0000000105", …) up
// to the page, and in `end` where the header ends.
[[nodiscard]] std::map<std::string, std::string, std::less<>> CfHtmlHeader(std::string_view bytes, std::size_t& end);

// The fragment between StartFragment and EndFragment; none where the header
// is not Version:0.9 with the four offsets inside the bytes.
[[nodiscard]] std::optional<std::string> CfHtmlFragment(std::string_view bytes);

}  // namespace tavrelo::ui::testing_support
