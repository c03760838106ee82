#pragma once
// Which folder of the product may include which, checked on the text of the
// sources rather than left to the include path:
//   core/         the core and the standard library, nothing else;
//   ui/           (its own files) the core, itself and the standard library;
//   ui/<binding>  (qt, win32, web) the above, its own folder and its toolkit,
//                 never another binding's folder;
//   no product file includes tests/, tools/, bench/ or fuzz/;
//   tests/oracle  (what the tests and the fuzzers hold the product against)
//                 itself and the standard library only: nothing of the
//                 product, so that it cannot share the product's faults.
// A quoted include is resolved as a compiler does: beside the including file
// first, then from the project's root; "../ui/controls.h" from core/ is ui/.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tavrelo::layering {

// A source file by its path from the project's root ("ui/qt/main.cpp").
struct SourceFile {
  std::string path;
  std::string text;
};

struct Violation {
  std::string file;
  int line = 0;
  std::string include;  // as written, with its quotes or brackets
  std::string reason;
};

// Whether a path from the project's root names a file of the project.
using FileExists = std::function<bool(std::string_view path)>;

// The folder a path from the root belongs to, for these rules: "core",
// "ui", "ui/qt", "ui/win32", "ui/web", "tests/oracle", or its first folder
// ("tests", …).
[[nodiscard]] std::string LayerOf(std::string_view path);

// `path` with "." and ".." taken out ("core/../ui/a.h" is "ui/a.h"); a path
// that climbs above the root keeps its leading "..".
[[nodiscard]] std::string Normalized(std::string_view path);

// Every include of `files` that breaks the rules above. Files outside core/,
// ui/ and tests/oracle/ are not checked.
[[nodiscard]] std::vector<Violation> CheckIncludes(const std::vector<SourceFile>& files, const FileExists& exists);

}  // namespace tavrelo::layering
