// Replays saved inputs through a fuzz target without libFuzzer, so that any
// compiler builds it and the saved inputs run with the ordinary tests.
//
//   friction_corpus_replay PATH...
//
// Each PATH is an input file or a folder of them (taken in name order). Each
// input is handed over in a buffer of exactly its size, as libFuzzer does, so
// a sanitizer sees a read past its end. A broken expectation aborts inside
// the target after describing itself; the line before it names the input.
// Exits 0 when every input ran, 2 when a path cannot be read or holds none.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>
#include <vector>

#include "fuzz/fuzz_target.h"

namespace {

namespace fs = std::filesystem;

std::vector<fs::path> InputsUnder(const fs::path& path, std::error_code& error) {
  if (!fs::is_directory(path, error)) {
    if (fs::is_regular_file(path, error)) return {path};
    return {};
  }
  std::vector<fs::path> files;
  for (const fs::directory_entry& entry : fs::directory_iterator(path, error)) {
    if (entry.is_regular_file(error)) files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  return files;
}

bool ReadInput(const fs::path& file, std::vector<std::uint8_t>& bytes) {
  std::error_code error;
  const std::uintmax_t size = fs::file_size(file, error);
  if (error) return false;
  bytes.assign(static_cast<std::size_t>(size), 0);
  std::ifstream in(file, std::ios::binary);
  in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return in.is_open() && in.gcount() == static_cast<std::streamsize>(bytes.size());
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s PATH...  (input files or folders of them)\n", argv[0]);
    return 2;
  }
  std::size_t replayed = 0;
  std::vector<std::uint8_t> bytes;
  for (int i = 1; i < argc; ++i) {
    std::error_code error;
    const std::vector<fs::path> inputs = InputsUnder(argv[i], error);
    if (error || inputs.empty()) {
      std::fprintf(stderr, "replay: %s: %s\n", argv[i], error ? error.message().c_str() : "no input there");
      return 2;
    }
    for (const fs::path& input : inputs) {
      if (!ReadInput(input, bytes)) {
        std::fprintf(stderr, "replay: cannot read %s\n", input.string().c_str());
        return 2;
      }
      std::fprintf(stderr, "replay: %s\n", input.string().c_str());
      LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
      ++replayed;
    }
  }
  std::printf("replay: %zu inputs, every expectation held\n", replayed);
  return 0;
}
