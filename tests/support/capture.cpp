#include "tests/support/capture.h"

#include <cstdio>

namespace tavrelo::ui::testing_support {

Rgb Capture::At(int x, int y) const {
  if (x < 0 || y < 0 || x >= width || y >= height) return 0;
  return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)];
}

bool WritePpm(const Capture& capture, const std::string& path) {
  std::FILE* out = std::fopen(path.c_str(), "wb");
  if (out == nullptr) return false;
  std::fprintf(out, "P6\n%d %d\n255\n", capture.width, capture.height);
  for (const Rgb pixel : capture.pixels) {
    const unsigned char bytes[3] = {static_cast<unsigned char>(pixel >> 16), static_cast<unsigned char>(pixel >> 8),
                                    static_cast<unsigned char>(pixel)};
    std::fwrite(bytes, 1, 3, out);
  }
  return std::fclose(out) == 0;
}

}  // namespace tavrelo::ui::testing_support
