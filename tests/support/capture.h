#pragma once
// The pixels of a window or a control as the screen shows them, for the
// window cases that look (where a line of a drawing lies) and for pictures
// of a window: row by row from the top-left, `scale` device pixels to a
// pixel at 96 dpi.

#include <cstddef>
#include <string>
#include <vector>

#include "ui/control_inventory.h"

namespace tavrelo::ui::testing_support {

struct Capture {
  int width = 0;
  int height = 0;
  double scale = 1.0;
  std::vector<Rgb> pixels;

  [[nodiscard]] bool Empty() const noexcept { return pixels.empty(); }
  // The pixel at (x, y) in device pixels; black outside.
  [[nodiscard]] Rgb At(int x, int y) const;
};

// Writes the capture as a binary PPM (P6) file; false when it cannot.
bool WritePpm(const Capture& capture, const std::string& path);

}  // namespace tavrelo::ui::testing_support
