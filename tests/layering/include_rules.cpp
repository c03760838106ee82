#include "tests/layering/include_rules.h"

#include <algorithm>
#include <iterator>
#include <sstream>

namespace tavrelo::layering {
namespace {

// The C++20 standard library, C's headers in their C++ spelling included.
constexpr std::string_view kStandardHeaders[] = {
    "algorithm",
    "any",
    "array",
    "atomic",
    "barrier",
    "bit",
    "bitset",
    "cassert",
    "cctype",
    "cerrno",
    "cfenv",
    "cfloat",
    "charconv",
    "chrono",
    "cinttypes",
    "climits",
    "clocale",
    "cmath",
    "codecvt",
    "compare",
    "complex",
    "concepts",
    "condition_variable",
    "coroutine",
    "csetjmp",
    "csignal",
    "cstdarg",
    "cstddef",
    "cstdint",
    "cstdio",
    "cstdlib",
    "cstring",
    "ctime",
    "cuchar",
    "cwchar",
    "cwctype",
    "deque",
    "exception",
    "execution",
    "filesystem",
    "format",
    "forward_list",
    "fstream",
    "functional",
    "future",
    "initializer_list",
    "iomanip",
    "ios",
    "iosfwd",
    "iostream",
    "istream",
    "iterator",
    "latch",
    "limits",
    "list",
    "locale",
    "map",
    "memory",
    "memory_resource",
    "mutex",
    "new",
    "numbers",
    "numeric",
    "optional",
    "ostream",
    "queue",
    "random",
    "ranges",
    "ratio",
    "regex",
    "scoped_allocator",
    "semaphore",
    "set",
    "shared_mutex",
    "source_location",
    "span",
    "sstream",
    "stack",
    "stdexcept",
    "stop_token",
    "streambuf",
    "string",
    "string_view",
    "syncstream",
    "system_error",
    "thread",
    "tuple",
    "type_traits",
    "typeindex",
    "typeinfo",
    "unordered_map",
    "unordered_set",
    "utility",
    "valarray",
    "variant",
    "vector",
    "version",
};

bool IsStandardHeader(std::string_view name) {
  return std::find(std::begin(kStandardHeaders), std::end(kStandardHeaders), name) != std::end(kStandardHeaders);
}

bool IsBinding(std::string_view layer) { return layer.starts_with("ui/"); }

constexpr std::string_view kOracle = "tests/oracle";

// What `from` may include by a quoted path, by the layer of what it names;
// a reason when it may not.
std::string QuotedRule(std::string_view from, std::string_view to) {
  if (to == from) return {};
  if (from == kOracle) return "the oracle includes nothing but itself";
  if (to == "core") return {};
  if (to == "ui") return from == "core" ? "the core includes nothing of the form" : "";
  if (IsBinding(to)) {
    return from == "core" ? "the core includes nothing of the form"
           : from == "ui" ? "the toolkit-free form includes no binding"
                          : "a binding includes no other binding";
  }
  return "the product includes nothing from " + std::string(to) + "/";
}

struct Include {
  int line = 0;
  char open = '"';
  std::string name;
};

// The #include lines of a text (not those inside // comments).
std::vector<Include> IncludesOf(const std::string& text) {
  std::vector<Include> includes;
  std::istringstream lines(text);
  std::string line;
  for (int number = 1; std::getline(lines, line); ++number) {
    std::string_view rest(line);
    const auto skipBlanks = [&rest] {
      while (!rest.empty() && (rest.front() == ' ' || rest.front() == '\t')) rest.remove_prefix(1);
    };
    skipBlanks();
    if (!rest.starts_with('#')) continue;
    rest.remove_prefix(1);
    skipBlanks();
    if (!rest.starts_with("include")) continue;
    rest.remove_prefix(7);
    skipBlanks();
    if (rest.empty() || (rest.front() != '"' && rest.front() != '<')) continue;
    const char close = rest.front() == '"' ? '"' : '>';
    const auto end = rest.find(close, 1);
    if (end == std::string_view::npos) continue;
    includes.push_back({number, rest.front(), std::string(rest.substr(1, end - 1))});
  }
  return includes;
}

std::string Folder(std::string_view path) {
  const auto slash = path.rfind('/');
  return slash == std::string_view::npos ? std::string() : std::string(path.substr(0, slash));
}

}  // namespace

std::string LayerOf(std::string_view path) {
  const auto first = path.find('/');
  if (first == std::string_view::npos) return {};
  const std::string_view top = path.substr(0, first);
  if (path.starts_with(kOracle) && path.size() > kOracle.size() && path[kOracle.size()] == '/') {
    return std::string(kOracle);
  }
  if (top != "ui") return std::string(top);
  const auto second = path.find('/', first + 1);
  return second == std::string_view::npos ? "ui" : std::string(path.substr(0, second));
}

std::string Normalized(std::string_view path) {
  std::vector<std::string_view> parts;
  while (!path.empty()) {
    const auto slash = path.find('/');
    const std::string_view part = path.substr(0, slash);
    path = slash == std::string_view::npos ? std::string_view() : path.substr(slash + 1);
    if (part.empty() || part == ".") continue;
    if (part == ".." && !parts.empty() && parts.back() != "..") {
      parts.pop_back();
    } else {
      parts.push_back(part);
    }
  }
  std::string joined;
  for (const std::string_view part : parts) joined.append(joined.empty() ? "" : "/").append(part);
  return joined;
}

std::vector<Violation> CheckIncludes(const std::vector<SourceFile>& files, const FileExists& exists) {
  std::vector<Violation> violations;
  for (const SourceFile& file : files) {
    const std::string from = LayerOf(file.path);
    if (from != "core" && from != "ui" && !IsBinding(from) && from != kOracle) continue;
    for (const Include& include : IncludesOf(file.text)) {
      const std::string written = include.open == '"' ? '"' + include.name + '"' : '<' + include.name + '>';
      std::string reason;
      if (include.open == '<') {
        if ((from == "core" || from == "ui" || from == kOracle) && !IsStandardHeader(include.name)) {
          reason = "toolkit-free code includes only the standard library";
        }
      } else {
        // As a compiler looks: beside the including file, then from the root.
        std::string target = Normalized(Folder(file.path) + "/" + include.name);
        if (!exists(target)) target = Normalized(include.name);
        reason = target.starts_with("..") ? "the product includes nothing outside the project"
                                          : QuotedRule(from, LayerOf(target));
      }
      if (!reason.empty()) violations.push_back({file.path, include.line, written, reason});
    }
  }
  return violations;
}

}  // namespace tavrelo::layering
