#pragma once
#include <QColor>
#include <QtGlobal>

// Colours come as 0x00BBGGRR: red in the low byte.
namespace ui {

inline QColor fromBgr(quint32 bgr)
{
    return QColor(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF));
}

inline quint32 toBgr(const QColor& c)
{
    return quint32(c.red()) | (quint32(c.green()) << 8) | (quint32(c.blue()) << 16);
}

namespace colors {
inline constexpr quint32 Navy = 0x00800000;
inline constexpr quint32 LightBlue = 0x00FF8080;
inline constexpr quint32 LightCyan = 0x00FFFFC0;
inline constexpr quint32 Red = 0x000000FF;
inline constexpr quint32 White = 0x00FFFFFF;
} // namespace colors

} // namespace ui
