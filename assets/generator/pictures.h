// The drawings themselves: two celebration pictures, two icons, three cursors.
#pragma once

#include "canvas.h"
#include "ico.h"

#include <vector>

namespace gen {

constexpr int kPictureWidth = 98;
constexpr int kPictureHeight = 97;
constexpr Rgb kSilver{192, 192, 192};

std::vector<Rgb> mortarboardPicture();  // bitmapA
std::vector<Rgb> diplomaPicture();      // bitmapB

std::vector<IndexedImage> windowIconImages();  // 32x32 and 16x16
std::vector<IndexedImage> aboutIconImages();   // 32x32 and 16x16

struct CursorArt {
    IndexedImage image;
    int hotX;
    int hotY;
};

CursorArt aboutHandCursor();
CursorArt linkHandCursor();
CursorArt jumpCursor();

}  // namespace gen
