#pragma once
#include <QFont>
#include <QString>

namespace ui {

// A font as the layouts name it: face, points (often fractional), weight 100..900.
// A null face means "the window's own font".
struct FontSettings {
    const char* face = nullptr;
    double points = 8.25;
    int weight = 400;
    bool italic = false;
    bool underline = false;
};

enum class FaceSet { Windows, Free };
#ifdef Q_OS_WIN
inline constexpr FaceSet kSystemFaces = FaceSet::Windows;
#else
inline constexpr FaceSet kSystemFaces = FaceSet::Free;
#endif

// The installed face that stands in for a layout's face name.
QString installedFace(const QString& layoutFace, FaceSet set = kSystemFaces);

// Sized in pixels at 96 dots per inch, so text keeps its place against twip layouts
// whatever the screen's reported resolution.
QFont makeFont(const FontSettings& font);

// `font` made smaller, a pixel at a time down to 8 pixels, until `text` fits in
// `width` pixels: a locale's long date stays whole in a fixed layout.
QFont fittingFont(QFont font, const QString& text, int width);

} // namespace ui
