#include "ui/clipboard_html.h"

#include <cstddef>

namespace tavrelo::ui {
namespace {

constexpr std::string_view kPageStart = "<html><body><!--StartFragment-->";
constexpr std::string_view kPageEnd = "<!--EndFragment--></body></html>";

constexpr std::size_t kDigits = 10;

// A header line: its name, the offset in ten digits, CR LF.
std::string HeaderLine(std::string_view name, std::size_t offset) {
  std::string digits = std::to_string(offset);
  if (digits.size() < kDigits) digits.insert(0, kDigits - digits.size(), '0');
  std::string line(name);
  return line.append(":").append(digits).append("\r\n");
}

}  // namespace

std::string ToCfHtml(std::string_view fragment) {
  const std::string version = "Version:0.9\r\n";
  // Every header line has the same length whatever its number.
  const std::size_t header = version.size() + HeaderLine("StartHTML", 0).size() + HeaderLine("EndHTML", 0).size() +
                             HeaderLine("StartFragment", 0).size() + HeaderLine("EndFragment", 0).size();
  const std::size_t startFragment = header + kPageStart.size();
  const std::size_t endFragment = startFragment + fragment.size();
  const std::size_t endHtml = endFragment + kPageEnd.size();
  std::string text = version;
  text.reserve(endHtml);
  text.append(HeaderLine("StartHTML", header))
      .append(HeaderLine("EndHTML", endHtml))
      .append(HeaderLine("StartFragment", startFragment))
      .append(HeaderLine("EndFragment", endFragment))
      .append(kPageStart)
      .append(fragment)
      .append(kPageEnd);
  return text;
}

}  // namespace tavrelo::ui
