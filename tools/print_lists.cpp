// Prints the window's drop-down lists as one JSON object in UTF-8: each
// list's name, as the form names it, to its entries in list order. For the
// scripts that need the lists (fuzz/make_corpus.py), so that they keep no copy
// of their own.
//
//   tavrelo-print-lists > lists.json

#include <array>
#include <cstdio>
#include <string>
#include <string_view>

#include "ui/control_lists.h"

namespace {

// A JSON string literal. Quote, backslash and the control characters are
// escaped; every other byte, UTF-8 included, stands as it is.
std::string JsonString(std::string_view text) {
  std::string quoted = "\"";
  for (const char c : text) {
    if (c == '"' || c == '\\') {
      quoted.append(1, '\\').append(1, c);
    } else if (static_cast<unsigned char>(c) < 0x20) {
      std::array<char, 8> escape{};
      std::snprintf(escape.data(), escape.size(), "\\u%04x", static_cast<unsigned>(static_cast<unsigned char>(c)));
      quoted += escape.data();
    } else {
      quoted += c;
    }
  }
  return quoted + "\"";
}

}  // namespace

int main() {
  namespace lists = tavrelo::ui::lists;
  std::string json = "{";
  for (std::size_t i = 0; i < lists::kAll.size(); ++i) {
    json += i == 0 ? "\n  " : ",\n  ";
    json += JsonString(lists::kAll[i].name) + ": [";
    for (std::size_t k = 0; k < lists::kAll[i].entries.size(); ++k) {
      if (k > 0) json += ", ";
      json += JsonString(lists::kAll[i].entries[k]);
    }
    json += "]";
  }
  json += "\n}\n";
  // Written in one piece; a failed write (a full disk, a closed pipe) fails the program.
  const bool written = std::fwrite(json.data(), 1, json.size(), stdout) == json.size();
  return written && std::fflush(stdout) == 0 ? 0 : 1;
}
