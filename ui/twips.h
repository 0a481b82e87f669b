#pragma once
#include <QRect>
#include <QtGlobal>

// Layouts are written in twips; the screen is drawn in logical pixels, 15 twips each.
namespace ui {

inline constexpr double kTwipsPerPixel = 15.0;

inline int px(double twips) { return qRound(twips / kTwipsPerPixel); }
inline double twips(int pixels) { return pixels * kTwipsPerPixel; }

inline QRect pxRect(double left, double top, double width, double height)
{
    return QRect(px(left), px(top), px(width), px(height));
}

} // namespace ui
