// 24-bit uncompressed Windows bitmaps.
#pragma once

#include "canvas.h"

#include <cstdint>
#include <vector>

namespace gen {

// pixels are row-major, top row first; the file is written bottom-up as
// Windows expects for a positive height.
std::vector<std::uint8_t> encodeBmp24(const std::vector<Rgb>& pixels, int width, int height);

}  // namespace gen
