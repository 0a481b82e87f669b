#include "ui/assets.h"

#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QtDebug>

namespace ui {

namespace {

QString path(const char* name) { return QStringLiteral(":/assets/") + QLatin1String(name); }

// The file's images, up to `most` of them, read by the one plugin for its format without
// loading every other image plugin to ask it first. Qt's "ico" plugin decodes .ico and .cur
// files alike (mask included); it just says nothing about a cursor's hot spot.
QList<QImage> imagesOf(const char* name, const char* format = "ico", qsizetype most = 64)
{
    QImageReader reader(path(name), format);
    reader.setAutoDetectImageFormat(false);
    QList<QImage> images;
    for (QImage image = reader.read(); !image.isNull(); image = reader.read()) {
        images.append(image);
        if (images.size() == most || !reader.jumpToNextImage())
            break;
    }
    if (images.isEmpty())
        qWarning("assets: cannot read %s", name);
    return images;
}

QPixmap firstImage(const char* name, const char* format = "ico")
{
    return QPixmap::fromImage(imagesOf(name, format, 1).value(0));
}

QIcon iconFrom(const char* name)
{
    QIcon icon;
    for (const QImage& image : imagesOf(name))
        icon.addPixmap(QPixmap::fromImage(image));
    return icon;
}

QCursor cursorFrom(const char* name, Qt::CursorShape fallback)
{
    // A .cur file starts like an .ico (reserved 0, type 2, image count), and the first
    // directory entry keeps the hot spot where an icon keeps its planes and bit count.
    QFile file(path(name));
    const QByteArray head = file.open(QIODevice::ReadOnly) ? file.read(22) : QByteArray();
    const auto word = [&](int at) { return quint8(head[at]) | quint8(head[at + 1]) << 8; };
    const QList<QImage> images = imagesOf(name, "ico", 1);
    if (images.isEmpty() || head.size() < 22 || word(0) != 0 || word(2) != 2 || word(4) == 0) {
        // Still usable, just not our drawing.
        qWarning("assets: cannot read the cursor %s", name);
        return QCursor(fallback);
    }
    return QCursor(QPixmap::fromImage(images.first()), word(10), word(12));
}

} // namespace

QIcon appIcon() { return iconFrom("tasselday.ico"); }

QPixmap bitmapA() { return firstImage("bitmapA.bmp", "bmp"); }

QPixmap bitmapB() { return firstImage("bitmapB.bmp", "bmp"); }

QPixmap aboutIconPixmap()
{
    // The file's first image is its 32x32 one: never a scaled copy of the 16x16 one.
    return firstImage("about.ico");
}

QCursor aboutHandCursor() { return cursorFrom("hand_about.cur", Qt::PointingHandCursor); }

QCursor linkHandCursor() { return cursorFrom("hand_link.cur", Qt::PointingHandCursor); }

QCursor jumpCursor() { return cursorFrom("jump.cur", Qt::ArrowCursor); }

} // namespace ui
