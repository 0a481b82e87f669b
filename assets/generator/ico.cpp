#include "ico.h"

#include "bytes.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace gen {

namespace {

// The sixteen classic Windows colours come first so that any viewer that
// only looks at the start of the palette still sees sensible colours.
const Rgb kStandard[16] = {
    {0, 0, 0},       {128, 0, 0},     {0, 128, 0},   {128, 128, 0},
    {0, 0, 128},     {128, 0, 128},   {0, 128, 128}, {192, 192, 192},
    {128, 128, 128}, {255, 0, 0},     {0, 255, 0},   {255, 255, 0},
    {0, 0, 255},     {255, 0, 255},   {0, 255, 255}, {255, 255, 255},
};

constexpr std::uint32_t kDirSize = 6;
constexpr std::uint32_t kEntrySize = 16;
constexpr std::uint32_t kInfoHeaderSize = 40;

std::uint32_t maskStride(int width)
{
    return ((static_cast<std::uint32_t>(width) + 31) / 32) * 4;
}

std::uint32_t indexStride(int width)
{
    return (static_cast<std::uint32_t>(width) + 3) & ~3u;
}

std::uint32_t imageBytes(const IndexedImage& img)
{
    return kInfoHeaderSize + 256 * 4
        + (indexStride(img.width) + maskStride(img.width)) * static_cast<std::uint32_t>(img.height);
}

void check(const IndexedImage& img)
{
    const auto n = static_cast<std::size_t>(img.width) * img.height;
    if (img.width <= 0 || img.width > 256 || img.height <= 0 || img.height > 256
        || img.palette.size() != 256 || img.indices.size() != n || img.transparent.size() != n)
        throw std::invalid_argument("icon image is malformed");
}

void putImage(std::vector<std::uint8_t>& out, const IndexedImage& img)
{
    const std::uint32_t xorBytes = indexStride(img.width) * img.height;
    const std::uint32_t andBytes = maskStride(img.width) * img.height;

    put32(out, kInfoHeaderSize);
    put32(out, static_cast<std::uint32_t>(img.width));
    put32(out, static_cast<std::uint32_t>(img.height) * 2);  // colour rows + mask rows
    put16(out, 1);
    put16(out, 8);
    put32(out, 0);
    put32(out, xorBytes + andBytes);
    put32(out, 0);
    put32(out, 0);
    put32(out, 0);  // 0 = all 256 colours
    put32(out, 0);

    for (const Rgb& c : img.palette) {
        put8(out, c.b);
        put8(out, c.g);
        put8(out, c.r);
        put8(out, 0);
    }

    for (int y = img.height - 1; y >= 0; --y) {
        const std::size_t row = static_cast<std::size_t>(y) * img.width;
        for (int x = 0; x < img.width; ++x)
            put8(out, img.indices[row + x]);
        for (std::uint32_t pad = img.width; pad < indexStride(img.width); ++pad)
            put8(out, 0);
    }

    for (int y = img.height - 1; y >= 0; --y) {
        const std::size_t row = static_cast<std::size_t>(y) * img.width;
        std::vector<std::uint8_t> bits(maskStride(img.width), 0);
        for (int x = 0; x < img.width; ++x) {
            if (img.transparent[row + x])
                bits[x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
        }
        out.insert(out.end(), bits.begin(), bits.end());
    }
}

// type 1 = icon, 2 = cursor; for cursors the two words of each entry that
// icons use for planes and bit count hold the hot spot instead.
std::vector<std::uint8_t> encode(const std::vector<IndexedImage>& images, unsigned type,
                                 int hotX, int hotY)
{
    if (images.empty())
        throw std::invalid_argument("no images");
    for (const IndexedImage& img : images)
        check(img);

    std::vector<std::uint8_t> out;
    put16(out, 0);
    put16(out, type);
    put16(out, static_cast<unsigned>(images.size()));

    std::uint32_t offset = kDirSize + kEntrySize * static_cast<std::uint32_t>(images.size());
    for (const IndexedImage& img : images) {
        put8(out, img.width == 256 ? 0 : img.width);
        put8(out, img.height == 256 ? 0 : img.height);
        put8(out, 0);  // 256 colours or more is written as 0
        put8(out, 0);
        if (type == 2) {
            put16(out, static_cast<unsigned>(hotX));
            put16(out, static_cast<unsigned>(hotY));
        } else {
            put16(out, 1);
            put16(out, 8);
        }
        put32(out, imageBytes(img));
        put32(out, offset);
        offset += imageBytes(img);
    }
    for (const IndexedImage& img : images)
        putImage(out, img);
    return out;
}

}  // namespace

IndexedImage fromArt(const std::vector<std::string_view>& rows,
                     const std::vector<std::pair<char, Rgb>>& legend)
{
    IndexedImage img;
    img.height = static_cast<int>(rows.size());
    img.width = rows.empty() ? 0 : static_cast<int>(rows.front().size());
    img.palette.assign(std::begin(kStandard), std::end(kStandard));

    std::vector<std::pair<char, std::uint8_t>> lookup;
    for (const auto& [ch, colour] : legend) {
        auto it = std::find(img.palette.begin(), img.palette.end(), colour);
        if (it == img.palette.end()) {
            img.palette.push_back(colour);
            it = img.palette.end() - 1;
        }
        lookup.emplace_back(ch, static_cast<std::uint8_t>(it - img.palette.begin()));
    }
    if (img.palette.size() > 256)
        throw std::invalid_argument("more than 256 colours");
    img.palette.resize(256, Rgb{0, 0, 0});

    for (std::size_t y = 0; y < rows.size(); ++y) {
        if (static_cast<int>(rows[y].size()) != img.width)
            throw std::invalid_argument("row " + std::to_string(y) + " has the wrong length");
        for (char ch : rows[y]) {
            if (ch == '.') {
                // Black under a set mask bit leaves the screen untouched.
                img.indices.push_back(0);
                img.transparent.push_back(true);
                continue;
            }
            const auto it = std::find_if(lookup.begin(), lookup.end(),
                                         [ch](const auto& e) { return e.first == ch; });
            if (it == lookup.end())
                throw std::invalid_argument(std::string("unknown colour '") + ch + "' in row "
                                            + std::to_string(y));
            img.indices.push_back(it->second);
            img.transparent.push_back(false);
        }
    }
    return img;
}

std::vector<std::uint8_t> encodeIcon(const std::vector<IndexedImage>& images)
{
    return encode(images, 1, 0, 0);
}

std::vector<std::uint8_t> encodeCursor(const IndexedImage& image, int hotX, int hotY)
{
    if (hotX < 0 || hotX >= image.width || hotY < 0 || hotY >= image.height)
        throw std::invalid_argument("hot spot outside the cursor");
    return encode({image}, 2, hotX, hotY);
}

}  // namespace gen
