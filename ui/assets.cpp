#include "ui/assets.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QPoint>
#include <QtDebug>

#include <optional>

namespace ui {

namespace {

QByteArray readResource(const QString& name)
{
    QFile file(QStringLiteral(":/assets/") + name);
    if (!file.open(QIODevice::ReadOnly)) {
        qWarning("assets: %s is missing from the resources", qPrintable(name));
        return {};
    }
    return file.readAll();
}

// Every image in an .ico or .cur file. Qt's "ico" image plugin decodes both
// kinds (mask included); it just says nothing about a cursor's hot spot.
QList<QImage> decodeIcons(const QByteArray& bytes)
{
    QList<QImage> images;
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "ico");
    // Straight to the one plugin that reads the format, without loading every other image
    // plugin to ask it first.
    reader.setAutoDetectImageFormat(false);
    for (QImage image = reader.read(); !image.isNull(); image = reader.read()) {
        images.append(image);
        if (!reader.jumpToNextImage())
            break;
    }
    return images;
}

QIcon iconFrom(const QString& name)
{
    QIcon icon;
    for (const QImage& image : decodeIcons(readResource(name)))
        icon.addPixmap(QPixmap::fromImage(image));
    return icon;
}

// A .cur file starts like an .ico (reserved 0, type 2, image count), and the
// first directory entry keeps the hot spot where an icon keeps its planes and
// bit count.
std::optional<QPoint> hotSpotOf(const QByteArray& bytes)
{
    const auto word
        = [&](int at) { return quint16(quint8(bytes[at]) | quint8(bytes[at + 1]) << 8); };
    constexpr int dirSize = 6, entrySize = 16;
    if (bytes.size() < dirSize + entrySize || word(0) != 0 || word(2) != 2 || word(4) == 0)
        return std::nullopt;
    return QPoint(word(dirSize + 4), word(dirSize + 6));
}

QCursor cursorFrom(const QString& name, Qt::CursorShape fallback)
{
    const QByteArray bytes = readResource(name);
    const QList<QImage> images = decodeIcons(bytes);
    const std::optional<QPoint> hot = hotSpotOf(bytes);
    if (images.isEmpty() || !hot) {
        // Still usable, just not our drawing.
        qWarning("assets: cannot read the cursor %s", qPrintable(name));
        return QCursor(fallback);
    }
    return QCursor(QPixmap::fromImage(images.first()), hot->x(), hot->y());
}

QPixmap pictureFrom(const QString& name)
{
    QByteArray bytes = readResource(name);
    QBuffer buffer(&bytes);
    QImageReader reader(&buffer, "bmp");
    reader.setAutoDetectImageFormat(false); // Qt's own reader, no plugin loaded to ask
    const QPixmap picture = QPixmap::fromImage(reader.read());
    if (picture.isNull())
        qWarning("assets: cannot read the picture %s", qPrintable(name));
    return picture;
}

} // namespace

QIcon appIcon() { return iconFrom(QStringLiteral("tasselday.ico")); }

QPixmap bitmapA() { return pictureFrom(QStringLiteral("bitmapA.bmp")); }

QPixmap bitmapB() { return pictureFrom(QStringLiteral("bitmapB.bmp")); }

QPixmap mirrored(const QPixmap& picture)
{
    if (picture.isNull())
        return picture;
    QPixmap flipped = QPixmap::fromImage(picture.toImage().mirrored(true, false));
    flipped.setDevicePixelRatio(picture.devicePixelRatio());
    return flipped;
}

QIcon aboutIcon() { return iconFrom(QStringLiteral("about.ico")); }

QPixmap aboutIconPixmap()
{
    // The 32x32 image itself, never a scaled copy of the 16x16 one.
    for (const QImage& image : decodeIcons(readResource(QStringLiteral("about.ico")))) {
        if (image.size() == QSize(32, 32))
            return QPixmap::fromImage(image);
    }
    qWarning("assets: about.ico has no 32x32 image");
    return {};
}

QCursor aboutHandCursor()
{
    return cursorFrom(QStringLiteral("hand_about.cur"), Qt::PointingHandCursor);
}

QCursor linkHandCursor()
{
    return cursorFrom(QStringLiteral("hand_link.cur"), Qt::PointingHandCursor);
}

QCursor jumpCursor() { return cursorFrom(QStringLiteral("jump.cur"), Qt::ArrowCursor); }

} // namespace ui
