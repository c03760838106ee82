// The product's layers, read off its #include lines: the tree as it is, and
// a table of small trees that each break one rule.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "tests/layering/include_rules.h"

namespace tavrelo::layering {
namespace {

namespace fs = std::filesystem;

// Every C++ source and header of the tree, by its path from the root.
std::vector<SourceFile> ReadTree(const fs::path& root) {
  std::vector<SourceFile> files;
  for (const char* top : {"core", "ui", "tests", "tools", "bench", "fuzz"}) {
    if (!fs::exists(root / top)) continue;
    for (const auto& entry : fs::recursive_directory_iterator(root / top)) {
      const std::string extension = entry.path().extension().string();
      if (!entry.is_regular_file() || (extension != ".h" && extension != ".cpp")) continue;
      std::ifstream in(entry.path(), std::ios::binary);
      std::ostringstream text;
      text << in.rdbuf();
      files.push_back({fs::relative(entry.path(), root).generic_string(), text.str()});
    }
  }
  return files;
}

std::string Describe(const std::vector<Violation>& violations) {
  std::string text;
  for (const Violation& v : violations) {
    text += v.file + ":" + std::to_string(v.line) + ": " + v.include + ": " + v.reason + "\n";
  }
  return text;
}

TEST(Layering, TheProductKeepsItsLayers) {
  const std::vector<SourceFile> files = ReadTree(TAVRELO_SOURCE_DIR);
  std::set<std::string, std::less<>> paths;
  for (const SourceFile& file : files) paths.insert(file.path);
  ASSERT_TRUE(paths.contains("core/negative_friction.cpp")) << "the tree was not found at " << TAVRELO_SOURCE_DIR;
  const auto violations = CheckIncludes(files, [&](std::string_view path) { return paths.contains(path); });
  EXPECT_TRUE(violations.empty()) << Describe(violations);
}

struct TreeCase {
  const char* name;
  const char* file;
  const char* line;
  bool allowed;
};

class OneInclude : public testing::TestWithParam<TreeCase> {};

// The including file, and the files a small tree holds besides it.
TEST_P(OneInclude, IsJudgedByTheFolderItReaches) {
  const std::set<std::string, std::less<>> tree = {"core/number_text.h",
                                                   "ui/controls.h",
                                                   "ui/qt/display_check.h",
                                                   "ui/win32/text.h",
                                                   "ui/web/page.h",
                                                   "tests/support/typical_use.h",
                                                   "tests/oracle/hand_rounding.h",
                                                   GetParam().file};
  const std::vector<SourceFile> files = {{GetParam().file, std::string("// a file\n") + GetParam().line + "\n"}};
  const auto violations = CheckIncludes(files, [&](std::string_view path) { return tree.contains(path); });
  if (GetParam().allowed) {
    EXPECT_TRUE(violations.empty()) << Describe(violations);
  } else {
    ASSERT_EQ(violations.size(), 1U) << Describe(violations);
    EXPECT_EQ(violations[0].line, 2);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Rules, OneInclude,
    testing::Values(
        TreeCase{"CoreIncludesCore", "core/result_text.cpp", "#include \"core/number_text.h\"", true},
        TreeCase{"CoreIncludesTheStandardLibrary", "core/result_text.cpp", "#include <charconv>", true},
        TreeCase{"CoreIncludesTheFormFromTheRoot", "core/result_text.cpp", "#include \"ui/controls.h\"", false},
        TreeCase{"CoreIncludesTheFormRelatively", "core/result_text.cpp", "#include \"../ui/controls.h\"", false},
        TreeCase{"CoreClimbsRoundAbout", "core/result_text.cpp", "#  include \"./../core/../ui/controls.h\"", false},
        TreeCase{"CoreIncludesAToolkit", "core/result_text.cpp", "#include <QString>", false},
        TreeCase{"FormIncludesTheCore", "ui/form_model.cpp", "#include \"core/number_text.h\"", true},
        TreeCase{"FormIncludesABindingRelatively", "ui/form_model.cpp", "#include \"qt/display_check.h\"", false},
        TreeCase{"FormIncludesABindingFromTheRoot", "ui/form_model.cpp", "#include \"ui/win32/text.h\"", false},
        TreeCase{"FormIncludesWindows", "ui/form_model.cpp", "#include <windows.h>", false},
        TreeCase{"QtIncludesTheFormAndQt", "ui/qt/main.cpp", "#include <QWidget>", true},
        TreeCase{"QtIncludesItsOwnFolder", "ui/qt/main.cpp", "#include \"display_check.h\"", true},
        TreeCase{"QtIncludesWin32", "ui/qt/main.cpp", "#include \"../win32/text.h\"", false},
        TreeCase{"WebIncludesQt", "ui/web/main.cpp", "#include \"ui/qt/display_check.h\"", false},
        TreeCase{"Win32IncludesWeb", "ui/win32/main.cpp", "#include \"ui/web/page.h\"", false},
        TreeCase{"ProductIncludesTests", "ui/qt/main.cpp", "#include \"tests/support/typical_use.h\"", false},
        TreeCase{"CoreIncludesTestsRelatively", "core/a.cpp", "#include \"../tests/support/typical_use.h\"", false},
        TreeCase{"ProductClimbsOutOfTheProject", "ui/a.cpp", "#include \"../../elsewhere/a.h\"", false},
        TreeCase{"TestsMayIncludeAnything", "tests/a.cpp", "#include \"ui/qt/display_check.h\"", true},
        TreeCase{"TestsIncludeTheOracle", "tests/core/a.cpp", "#include \"tests/oracle/hand_rounding.h\"", true},
        TreeCase{"FuzzersIncludeTheOracle", "fuzz/a.cpp", "#include \"tests/oracle/hand_rounding.h\"", true},
        TreeCase{"ProductIncludesTheOracle", "core/a.cpp", "#include \"tests/oracle/hand_rounding.h\"", false},
        TreeCase{"OracleIncludesItself", "tests/oracle/a.cpp", "#include \"hand_rounding.h\"", true},
        TreeCase{"OracleIncludesTheStandardLibrary", "tests/oracle/a.cpp", "#include <cmath>", true},
        TreeCase{"OracleIncludesTheCore", "tests/oracle/a.cpp", "#include \"core/number_text.h\"", false},
        TreeCase{"OracleIncludesTestSupport", "tests/oracle/a.cpp", "#include \"../support/typical_use.h\"", false},
        TreeCase{"OracleIncludesGoogleTest", "tests/oracle/a.cpp", "#include <gtest/gtest.h>", false},
        TreeCase{"ACommentedIncludeIsNoInclude", "core/a.cpp", "// #include \"ui/controls.h\"", true}),
    [](const testing::TestParamInfo<TreeCase>& row) { return std::string(row.param.name); });

TEST(Normalized, TakesOutDotsAndKeepsClimbsAboveTheRoot) {
  EXPECT_EQ(Normalized("core/../ui/./controls.h"), "ui/controls.h");
  EXPECT_EQ(Normalized("ui//qt/a.h"), "ui/qt/a.h");
  EXPECT_EQ(Normalized("core/../../a.h"), "../a.h");
}

}  // namespace
}  // namespace tavrelo::layering
