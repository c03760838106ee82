#include "tests/support/cf_html.h"

namespace tavrelo::ui::testing_support {

std::map<std::string, std::string, std::less<>> CfHtmlHeader(std::string_view bytes, std::size_t& end) {
  std::map<std::string, std::string, std::less<>> fields;
  end = 0;
  while (end < bytes.size() && !bytes.substr(end).starts_with("<")) {
    const std::size_t lineEnd = bytes.find("\r\n", end);
    const std::size_t colon = bytes.find(':', end);
    if (lineEnd == std::string_view::npos || colon > lineEnd) break;
    fields[std::string(bytes.substr(end, colon - end))] = std::string(bytes.substr(colon + 1, lineEnd - colon - 1));
    end = lineEnd + 2;
  }
  return fields;
}

std::optional<std::string> CfHtmlFragment(std::string_view bytes) {
  std::size_t end = 0;
  const auto header = CfHtmlHeader(bytes, end);
  const auto offset = [&](std::string_view name) -> std::optional<std::size_t> {
    const auto found = header.find(name);
    if (found == header.end() || found->second.empty() ||
        found->second.find_first_not_of("0123456789") != std::string::npos) {
      return std::nullopt;
    }
    const std::size_t value = std::stoul(found->second);
    return value <= bytes.size() ? std::optional(value) : std::nullopt;
  };
  const auto version = header.find("Version");
  const auto start = offset("StartFragment");
  const auto stop = offset("EndFragment");
  if (version == header.end() || version->second != "0.9" || !offset("StartHTML") || !offset("EndHTML") || !start ||
      !stop || *stop < *start) {
    return std::nullopt;
  }
  return std::string(bytes.substr(*start, *stop - *start));
}

}  // namespace tavrelo::ui::testing_support
