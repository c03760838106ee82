// Windows' "HTML Format" as ToCfHtml writes it, read back as a program that
// pastes it reads it: the header's offsets cut the page and the fragment.
#include "ui/clipboard_html.h"

#include <gtest/gtest.h>

#include "tests/support/cf_html.h"

#include <map>
#include <string>
#include <string_view>

namespace tavrelo::ui {
namespace {

using testing_support::CfHtmlFragment;
using testing_support::CfHtmlHeader;

struct FragmentCase {
  const char* name;
  const char* fragment;
};

class CfHtml : public testing::TestWithParam<FragmentCase> {};

TEST_P(CfHtml, OffsetsCutThePageAndTheFragmentAtTheirBytes) {
  const std::string fragment = GetParam().fragment;
  const std::string bytes = ToCfHtml(fragment);
  std::size_t headerEnd = 0;
  const auto header = CfHtmlHeader(bytes, headerEnd);
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
  EXPECT_EQ(CfHtmlFragment(bytes), fragment) << "as the window cases read it back";
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
