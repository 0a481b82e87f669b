// assetconv MANIFEST SOURCE_DIR OUTPUT_DIR: turns the art in assets/ into the files the
// program ships. Pictures are SVG, rendered to 24-bit BMPs; icons and cursors are pixel-art
// PNGs, written as 256-colour ICO and CUR files; the larger desktop icons are rendered from
// an SVG. Each manifest line names one output, its kind, its sources and (for a cursor) the
// hot spot. The output depends on nothing but the sources, so every build makes the same bytes.
#include <QBuffer>
#include <QCoreApplication>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QStringList>
#include <QSvgRenderer>

#include <cstdio>
#include <stdexcept>

namespace {

[[noreturn]] void fail(const QString& what) { throw std::runtime_error(what.toStdString()); }

void put16(QByteArray& out, quint32 v) { out.append(char(v & 0xFF)).append(char(v >> 8 & 0xFF)); }
void put32(QByteArray& out, quint32 v)
{
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

QImage readPng(const QString& path)
{
    QImage image(path, "PNG");
    if (image.isNull())
        fail(path + QStringLiteral(": not a readable PNG"));
    return image.convertToFormat(QImage::Format_ARGB32);
}

// The SVG drawn smoothly over `ground`, as a file in `format`.
QByteArray drawn(QSvgRenderer& renderer, QImage ground, const char* format)
{
    QPainter painter(&ground);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter);
    painter.end();
    QByteArray out;
    QBuffer buffer(&out);
    buffer.open(QIODevice::WriteOnly);
    ground.save(&buffer, format);
    return out;
}

// The silver ground goes down first, so an SVG that leaves a corner bare still shows silver.
// Qt writes an image without alpha as a 24-bit BMP, bottom-up rows, no palette.
QByteArray pictureBmp(const QString& svg)
{
    QSvgRenderer renderer(svg);
    if (!renderer.isValid() || renderer.defaultSize() != QSize(98, 97))
        fail(svg + QStringLiteral(": not a valid 98 x 97 SVG"));
    QImage image(98, 97, QImage::Format_RGB32);
    image.fill(QColor(0xC0, 0xC0, 0xC0));
    image.setDotsPerMeterX(3780); // 96 dpi both ways, whatever the machine's screen
    image.setDotsPerMeterY(3780);
    return drawn(renderer, image, "BMP");
}

// One 8-bit image of an icon or cursor: the sixteen standard colours open the palette (so a
// viewer that reads only its start still sees sensible colours), then each further colour
// in the order it first appears. Pixel art is fully opaque or fully clear, nothing between.
QByteArray indexedImage(const QString& path, const QImage& image)
{
    static const QRgb standard[16]
        = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0, 0x808080,
            0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
    const int w = image.width(), h = image.height();
    const int stride = (w + 3) & ~3, maskStride = (w + 31) / 32 * 4;
    QList<QRgb> palette(std::begin(standard), std::end(standard));
    QByteArray pixels(stride * h, '\0'), mask(maskStride * h, '\0');
    for (int y = 0; y < h; ++y) {
        const int row = h - 1 - y; // rows are stored bottom-up
        for (int x = 0; x < w; ++x) {
            const QRgb c = image.pixel(x, y);
            if (qAlpha(c) == 0) {
                // Black under a set mask bit leaves the screen untouched.
                mask[row * maskStride + x / 8]
                    = char(mask[row * maskStride + x / 8] | 0x80 >> x % 8);
                continue;
            }
            if (qAlpha(c) != 255)
                fail(path + QStringLiteral(": half-transparent pixel at %1,%2").arg(x).arg(y));
            qsizetype index = palette.indexOf(c & 0xFFFFFF);
            if (index < 0) {
                index = palette.size();
                palette.append(c & 0xFFFFFF);
            }
            if (index > 255)
                fail(path + QStringLiteral(": more than 256 colours"));
            pixels[row * stride + x] = char(index);
        }
    }
    palette.resize(256, 0);
    QByteArray out;
    // Header: size, width, colour rows plus mask rows, one plane, 8 bits, uncompressed,
    // image bytes, no resolution, all 256 colours.
    for (quint32 v : {40, w, 2 * h})
        put32(out, quint32(v));
    put16(out, 1);
    put16(out, 8);
    for (quint32 v : {0u, quint32(pixels.size() + mask.size()), 0u, 0u, 0u, 0u})
        put32(out, v);
    for (QRgb c : palette)
        put32(out, c & 0xFFFFFF); // blue, green, red, zero
    return out + pixels + mask;
}

// An .ico (type 1) or .cur (type 2) file. In a cursor's directory entry, the two words that
// hold an icon's planes and bit count hold the hot spot instead.
QByteArray iconFile(int type, const QStringList& paths, QPoint hotSpot = {})
{
    QByteArray out, images;
    put16(out, 0);
    put16(out, type);
    put16(out, paths.size());
    quint32 offset = 6 + 16 * paths.size();
    for (const QString& path : paths) {
        const QImage image = readPng(path);
        if (image.width() > 255 || image.height() > 255)
            fail(path + QStringLiteral(": too large for an icon"));
        if (type == 2 && !image.rect().contains(hotSpot))
            fail(path + QStringLiteral(": hot spot outside the cursor"));
        const QByteArray data = indexedImage(path, image);
        out.append(char(image.width())).append(char(image.height())).append(2, '\0');
        put16(out, type == 2 ? hotSpot.x() : 1);
        put16(out, type == 2 ? hotSpot.y() : 8);
        put32(out, data.size());
        put32(out, offset);
        offset += data.size();
        images += data;
    }
    return out + images;
}

// A desktop icon drawn from its SVG at the size asked for, on a clear ground, so the larger
// sizes get smooth edges of their own rather than enlarged pixels.
QByteArray renderedPng(const QString& svg, int size)
{
    QSvgRenderer renderer(svg);
    if (!renderer.isValid() || renderer.viewBoxF().width() != renderer.viewBoxF().height())
        fail(svg + QStringLiteral(": not a valid square SVG"));
    if (size < 1 || size > 1024)
        fail(svg + QStringLiteral(": no icon size %1").arg(size));
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return drawn(renderer, image, "PNG");
}

int number(const QString& text)
{
    bool ok = false;
    const int n = text.toInt(&ok);
    if (!ok || n < 0)
        fail(QStringLiteral("not a number: ") + text);
    return n;
}

QByteArray convert(const QStringList& f, const QString& src)
{
    const QString kind = f.value(1);
    const auto in = [&](int i) { return src + QLatin1Char('/') + f.value(i); };
    if (kind == QLatin1String("picture") && f.size() == 3)
        return pictureBmp(in(2));
    if (kind == QLatin1String("icon") && f.size() >= 3) {
        QStringList paths;
        for (int i = 2; i < f.size(); ++i)
            paths << in(i);
        return iconFile(1, paths);
    }
    if (kind == QLatin1String("cursor") && f.size() == 5)
        return iconFile(2, {in(2)}, QPoint(number(f[3]), number(f[4])));
    if (kind == QLatin1String("rendered") && f.size() == 4)
        return renderedPng(in(2), number(f[3]));
    fail(QStringLiteral("cannot read the manifest line: ") + f.join(QLatin1Char(' ')));
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 4) {
        std::fprintf(stderr, "usage: assetconv MANIFEST SOURCE_DIR OUTPUT_DIR\n");
        return 2;
    }
    try {
        QFile manifest(args[1]);
        if (!manifest.open(QIODevice::ReadOnly | QIODevice::Text))
            fail(args[1] + QStringLiteral(": cannot read"));
        while (!manifest.atEnd()) {
            const QString line = QString::fromUtf8(manifest.readLine())
                                     .section(QLatin1Char('#'), 0, 0)
                                     .simplified();
            const QStringList fields = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
            if (fields.isEmpty())
                continue;
            const QByteArray bytes = convert(fields, args[2]);
            QFile out(args[3] + QLatin1Char('/') + fields[0]);
            if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate)
                || out.write(bytes) != bytes.size() || !out.flush())
                fail(out.fileName() + QStringLiteral(": cannot write"));
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "assetconv: %s\n", e.what());
        return 1;
    }
    return 0;
}
