#pragma once
#include <QCursor>
#include <QIcon>
#include <QPixmap>

// The program's pictures, icons and cursors, built into the binary from assets/.
// Each call loads afresh (they are small); call them only while a QApplication exists.
namespace ui {

// The window icon, with its 32x32 and 16x16 images.
QIcon appIcon();

// The celebration pictures, 98x97, on a silver background.
QPixmap bitmapA(); // a mortarboard with its tassel
QPixmap bitmapB(); // a rolled diploma tied with a ribbon

// The About box's picture, its 32x32 image.
QPixmap aboutIconPixmap();

// Cursors from the .cur files, each with the hot spot the file gives.
QCursor aboutHandCursor(); // over the main window's "About..." link
QCursor linkHandCursor(); // over the About box's web links
QCursor jumpCursor(); // over "Jump to the Ending"

} // namespace ui
