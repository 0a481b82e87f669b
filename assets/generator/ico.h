// 256-colour Windows icons (.ico) and cursors (.cur).
#pragma once

#include "canvas.h"

#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

namespace gen {

struct IndexedImage {
    int width = 0;
    int height = 0;
    std::vector<Rgb> palette;           // always 256 entries
    std::vector<std::uint8_t> indices;  // row-major, top row first
    std::vector<bool> transparent;      // same layout; true = AND mask bit set
};

// Builds an image from pixel art: one string per row, one character per pixel.
// '.' is transparent; every other character must appear in the legend.
// Throws on ragged rows or unknown characters so that typos cannot slip in.
IndexedImage fromArt(const std::vector<std::string_view>& rows,
                     const std::vector<std::pair<char, Rgb>>& legend);

std::vector<std::uint8_t> encodeIcon(const std::vector<IndexedImage>& images);
std::vector<std::uint8_t> encodeCursor(const IndexedImage& image, int hotX, int hotY);

}  // namespace gen
