// assetgen <outdir>: draws the program's pictures, icons and cursors.
//
// The output is deterministic, so the files in assets/ can be regenerated and
// compared byte for byte.
#include "bmp.h"
#include "ico.h"
#include "pictures.h"

#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

bool writeFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
        std::fprintf(stderr, "assetgen: cannot write %s\n", path.string().c_str());
        return false;
    }
    return true;
}

std::vector<std::uint8_t> cursorFile(const gen::CursorArt& c)
{
    return gen::encodeCursor(c.image, c.hotX, c.hotY);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: assetgen <output directory>\n");
        return 2;
    }
    const std::filesystem::path dir = argv[1];
    try {
        std::filesystem::create_directories(dir);
        using gen::kPictureHeight;
        using gen::kPictureWidth;
        const bool ok =
            writeFile(dir / "bitmapA.bmp",
                      gen::encodeBmp24(gen::mortarboardPicture(), kPictureWidth, kPictureHeight))
            && writeFile(dir / "bitmapB.bmp",
                         gen::encodeBmp24(gen::diplomaPicture(), kPictureWidth, kPictureHeight))
            && writeFile(dir / "tasselday.ico", gen::encodeIcon(gen::windowIconImages()))
            && writeFile(dir / "about.ico", gen::encodeIcon(gen::aboutIconImages()))
            && writeFile(dir / "hand_about.cur", cursorFile(gen::aboutHandCursor()))
            && writeFile(dir / "hand_link.cur", cursorFile(gen::linkHandCursor()))
            && writeFile(dir / "jump.cur", cursorFile(gen::jumpCursor()));
        return ok ? 0 : 1;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "assetgen: %s\n", e.what());
        return 1;
    }
}
