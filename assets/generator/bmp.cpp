#include "bmp.h"

#include "bytes.h"

#include <stdexcept>

namespace gen {

namespace {
constexpr std::uint32_t kFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kPixelsPerMetre = 3780;  // 96 dpi
}  // namespace

std::vector<std::uint8_t> encodeBmp24(const std::vector<Rgb>& pixels, int width, int height)
{
    if (width <= 0 || height <= 0 || pixels.size() != static_cast<std::size_t>(width) * height)
        throw std::invalid_argument("encodeBmp24: pixel count does not match the size");

    const std::uint32_t stride = (static_cast<std::uint32_t>(width) * 3 + 3) & ~3u;
    const std::uint32_t imageSize = stride * static_cast<std::uint32_t>(height);
    const std::uint32_t offset = kFileHeaderSize + kInfoHeaderSize;

    std::vector<std::uint8_t> out;
    out.reserve(offset + imageSize);

    // BITMAPFILEHEADER
    put8(out, 'B');
    put8(out, 'M');
    put32(out, offset + imageSize);
    put16(out, 0);
    put16(out, 0);
    put32(out, offset);

    // BITMAPINFOHEADER
    put32(out, kInfoHeaderSize);
    put32(out, static_cast<std::uint32_t>(width));
    put32(out, static_cast<std::uint32_t>(height));
    put16(out, 1);   // planes
    put16(out, 24);  // bits per pixel
    put32(out, 0);   // BI_RGB
    put32(out, imageSize);
    put32(out, kPixelsPerMetre);
    put32(out, kPixelsPerMetre);
    put32(out, 0);  // colours used
    put32(out, 0);  // important colours

    for (int y = height - 1; y >= 0; --y) {
        for (int x = 0; x < width; ++x) {
            const Rgb& p = pixels[static_cast<std::size_t>(y) * width + x];
            put8(out, p.b);
            put8(out, p.g);
            put8(out, p.r);
        }
        for (std::uint32_t pad = static_cast<std::uint32_t>(width) * 3; pad < stride; ++pad)
            put8(out, 0);
    }
    return out;
}

}  // namespace gen
