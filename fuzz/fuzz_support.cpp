#include "fuzz/fuzz_support.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdio>
#include <cstdlib>

namespace tavrelo::fuzz {
namespace {

// The running target's, while a Describing lives.
std::string_view g_name = "fuzzer";
std::function<std::string()> g_describe;

}  // namespace

void Broken(const std::string& what) {
  std::fprintf(stderr, "\n==%.*s== broken: %s\n", static_cast<int>(g_name.size()), g_name.data(), what.c_str());
  if (g_describe) std::fprintf(stderr, "%s", g_describe().c_str());
  std::fflush(stderr);
  std::abort();
}

void Expect(bool holds, const char* what) {
  if (!holds) Broken(what);
}

Describing::Describing(std::string_view name, std::function<std::string()> describe) {
  g_name = name;
  g_describe = std::move(describe);
}

Describing::~Describing() {
  g_name = "fuzzer";
  g_describe = nullptr;
}

std::string Escaped(std::string_view text, std::size_t most) {
  std::string out;
  for (const char c : text.substr(0, most)) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F || c == '"' || c == '\\') {
      std::array<char, 8> buffer{};
      std::snprintf(buffer.data(), buffer.size(), "\\x%02X", byte);
      out += buffer.data();
    } else {
      out.push_back(c);  // UTF-8 stays readable
    }
  }
  return out;
}

std::string FromList(std::span<const std::string_view> list, std::string_view field) {
  const std::size_t pick = field.size() >= 2 ? std::size_t{static_cast<unsigned char>(field[1])} % list.size() : 0;
  std::string text(list[pick]);
  if (field.size() > 2) text.append(field.substr(2));
  return text;
}

std::size_t SaltOf(std::string_view bytes) {
  return bytes.size() + (bytes.empty() ? 0U : static_cast<unsigned char>(bytes.back()));
}

bool SameBits(double a, double b) { return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b); }

bool SameBits(const std::optional<double>& a, const std::optional<double>& b) {
  return a.has_value() == b.has_value() && (!a || SameBits(*a, *b));
}

void CheckHtmlFlavour(const ReportTexts& named, const ReportTexts& unnamed, const std::string& plain) {
  Expect(named.text == plain && unnamed.text == plain, "a report's plain text is not the plain-text function's");
  for (const char markup : {'<', '>', '"'}) {
    Expect(std::count(named.html.begin(), named.html.end(), markup) ==
               std::count(unnamed.html.begin(), unnamed.html.end(), markup),
           "a soil name adds markup to a report's HTML");
  }
}

}  // namespace tavrelo::fuzz
