// Windows' "HTML Format" as ToCfHtml writes it, read back as a program that
// pastes it reads it: the header's offsets cut the page and the fragment.
#include "ui/clipboard_html.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <string_view>

namespace tavrelo::ui {
namespace {

// The header's fields up to "<html>", and where the header ends.
std::map<std::string, std::string, std::less<>> Header(std::string_view bytes, std::size_t& end) {
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

struct FragmentCase {
  const char* name;
  const char* fragment;
};

class CfHtml : public testing::TestWithParam<FragmentCase> {};

TEST_P(CfHtml, OffsetsCutThePageAndTheFragmentAtTheirBytes) {
  const std::string fragment = GetParam().fragment;
  const std::string bytes = ToCfHtml(fragment);
  std::size_t headerEnd = 0;
  const auto header = Header(bytes, headerEnd);
  EXPECT_EQ(header.at("Version"), "0.9");
  std::map<std::string, std::size_t, std::less<>> offsets;
  for (const char* name : {"StartHTML", "EndHTML", "StartFragment", "EndFragment"}) {
    const std::string& digits = header.at(name);
    EXPECT_EQ(digits.size(), 10U) << name;
    EXPECT_EQ(digits.find_first_not_of("0123456789"), std::string::npos) << name;
    offsets[name] = std::stoul(digits);
  }
  EXPECT_EQ(header.size(), 5U);
  EXPECT_EQ(offsets["StartHTML"], headerEnd);
  EXPECT_EQ(offsets["EndHTML"], bytes.size());
  EXPECT_EQ(bytes.substr(offsets["StartHTML"]),
            "<html><body><!--StartFragment-->" + fragment + "<!--EndFragment--></body></html>");
  EXPECT_EQ(bytes.substr(offsets["StartFragment"], offsets["EndFragment"] - offsets["StartFragment"]), fragment);
}

// Three bytes a Chinese character, so that an offset counted in characters
// would cut the fragment short.
INSTANTIATE_TEST_SUITE_P(
    Fragments, CfHtml,
    testing::Values(
        FragmentCase{"Chinese",
                     "<h2>分层总和法计算（JGJ 94-2008）</h2>\n<p>σ'<sub>γ1</sub> = 18.00 kN/m<sup>2</sup></p>\n"},
        FragmentCase{"Empty", ""}),
    [](const auto& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace tavrelo::ui
