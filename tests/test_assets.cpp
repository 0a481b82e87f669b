// The pictures, icons and cursors in assets/: their file formats byte by byte, that the
// generator still makes exactly these files, and that the program loads what they hold.
#include "ui/assets.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const char* const kFiles[] = {"bitmapA.bmp",   "bitmapB.bmp",    "tasselday.ico", "about.ico",
                              "hand_about.cur", "hand_link.cur", "jump.cur"};

quint32 u16(const QByteArray& b, qsizetype at)
{
    return quint32(quint8(b.at(at))) | quint32(quint8(b.at(at + 1))) << 8;
}

quint32 u32(const QByteArray& b, qsizetype at)
{
    return u16(b, at) | u16(b, at + 2) << 16;
}

QString assetsDir()
{
    return qEnvironmentVariable("TASSELDAY_SOURCE_DIR") + QStringLiteral("/assets");
}

QByteArray shipped(const char* name)
{
    QFile file(assetsDir() + QLatin1Char('/') + QLatin1String(name));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

// Decodes a 24-bit bottom-up BMP the long way, independently of Qt's reader.
QImage decodeBmp(const QByteArray& b)
{
    const int w = int(u32(b, 18)), h = int(u32(b, 22));
    const int stride = (w * 3 + 3) & ~3;
    QImage img(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y) {
        const qsizetype row = u32(b, 10) + qsizetype(h - 1 - y) * stride;
        for (int x = 0; x < w; ++x) {
            const qsizetype p = row + x * 3;
            img.setPixel(x, y, qRgb(quint8(b[p + 2]), quint8(b[p + 1]), quint8(b[p])));
        }
    }
    return img;
}

struct DirEntry {
    int width, height, colours, word1, word2;
    quint32 bytes, offset;
};

DirEntry entry(const QByteArray& b, int i)
{
    const qsizetype at = 6 + 16 * i;
    auto size = [](quint8 v) { return v == 0 ? 256 : int(v); };
    return {size(quint8(b[at])), size(quint8(b[at + 1])), quint8(b[at + 2]), int(u16(b, at + 4)),
            int(u16(b, at + 6)),  u32(b, at + 8),         u32(b, at + 12)};
}

// Decodes one 8-bit icon or cursor image the long way: palette, indices, then the AND
// mask, whose set bits are transparent.
QImage decodeIndexed(const QByteArray& b, const DirEntry& e)
{
    const qsizetype h0 = e.offset;
    const int w = int(u32(b, h0 + 4)), h = int(u32(b, h0 + 8)) / 2;
    const qsizetype palette = h0 + 40;
    const qsizetype pixels = palette + 256 * 4;
    const int stride = (w + 3) & ~3;
    const int maskStride = (w + 31) / 32 * 4;
    const qsizetype mask = pixels + qsizetype(stride) * h;
    QImage img(w, h, QImage::Format_ARGB32);
    for (int y = 0; y < h; ++y) {
        const int fileRow = h - 1 - y;
        for (int x = 0; x < w; ++x) {
            const bool clear = quint8(b[mask + fileRow * maskStride + x / 8]) & (0x80 >> (x % 8));
            const qsizetype c = palette + 4 * quint8(b[pixels + fileRow * stride + x]);
            img.setPixel(x, y,
                         clear ? 0u : qRgb(quint8(b[c + 2]), quint8(b[c + 1]), quint8(b[c])));
        }
    }
    return img;
}

QImage argb(const QImage& image)
{
    return image.convertToFormat(QImage::Format_ARGB32);
}

QPoint fileHotSpot(const char* name)
{
    const DirEntry e = entry(shipped(name), 0);
    return {e.word1, e.word2};
}

QString assetgenPath()
{
    // Tests live in <build>/tests (or <build>/tests/<config>), the generator in the build
    // directory itself (or <build>/<config>).
    const QDir here(QCoreApplication::applicationDirPath());
    const QString exe = QStringLiteral("assetgen")
#ifdef Q_OS_WIN
        + QStringLiteral(".exe")
#endif
        ;
    const QString config = here.dirName();
    for (const QString& candidate : {here.filePath(QStringLiteral("../") + exe),
                                     here.filePath(QStringLiteral("../../") + config
                                                   + QLatin1Char('/') + exe)}) {
        if (QFileInfo(candidate).isExecutable())
            return QFileInfo(candidate).canonicalFilePath();
    }
    return {};
}

} // namespace

class AssetsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY2(!qEnvironmentVariableIsEmpty("TASSELDAY_SOURCE_DIR"),
                 "TASSELDAY_SOURCE_DIR must name the source tree");
        for (const char* name : kFiles)
            QVERIFY2(!shipped(name).isEmpty(), name);
    }

    void bitmapsAreWindows24BitFiles()
    {
        for (const char* name : {"bitmapA.bmp", "bitmapB.bmp"}) {
            const QByteArray b = shipped(name);
            QCOMPARE(b.size(), 28766);
            QCOMPARE(b.left(2), QByteArray("BM"));
            QCOMPARE(u32(b, 2), 28766u);  // file size
            QCOMPARE(u32(b, 6), 0u);      // reserved
            QCOMPARE(u32(b, 10), 54u);    // pixels start right after both headers
            QCOMPARE(u32(b, 14), 40u);    // BITMAPINFOHEADER
            QCOMPARE(u32(b, 18), 98u);
            QCOMPARE(u32(b, 22), 97u);    // positive: bottom-up
            QCOMPARE(u16(b, 26), 1u);     // planes
            QCOMPARE(u16(b, 28), 24u);
            QCOMPARE(u32(b, 30), 0u);     // no compression
            QCOMPARE(u32(b, 34), 28712u); // 97 rows of 296 bytes
            QCOMPARE(u32(b, 38), 3780u);
            QCOMPARE(u32(b, 42), 3780u);
            QCOMPARE(u32(b, 46), 0u);     // colours used
            // Each row's two padding bytes are zero.
            for (int row = 0; row < 97; ++row) {
                QCOMPARE(quint8(b[54 + row * 296 + 294]), quint8(0));
                QCOMPARE(quint8(b[54 + row * 296 + 295]), quint8(0));
            }
        }
    }

    void bitmapsAreDrawingsOnSilver()
    {
        const QImage a = decodeBmp(shipped("bitmapA.bmp"));
        const QImage b = decodeBmp(shipped("bitmapB.bmp"));
        for (const QImage& img : {a, b}) {
            for (const QPoint p : {QPoint(0, 0), QPoint(97, 0), QPoint(0, 96), QPoint(97, 96)})
                QCOMPARE(img.pixel(p), qRgb(192, 192, 192));
            // Something substantial is drawn, and not symmetrically (the program shows
            // mirrored copies, which would otherwise look the same).
            int drawn = 0;
            for (int y = 0; y < img.height(); ++y)
                for (int x = 0; x < img.width(); ++x)
                    drawn += img.pixel(x, y) != qRgb(192, 192, 192);
            QVERIFY2(drawn > 98 * 97 / 4, qPrintable(QString::number(drawn)));
            QVERIFY(img != img.mirrored(true, false));
        }
        QVERIFY(a != b);
    }

    void iconsHoldA32And16Image()
    {
        for (const char* name : {"tasselday.ico", "about.ico"}) {
            const QByteArray b = shipped(name);
            QCOMPARE(u16(b, 0), 0u);
            QCOMPARE(u16(b, 2), 1u); // icon
            QCOMPARE(u16(b, 4), 2u);
            const int sizes[] = {32, 16};
            quint32 end = 6 + 2 * 16;
            for (int i = 0; i < 2; ++i) {
                const DirEntry e = entry(b, i);
                const int s = sizes[i];
                QCOMPARE(e.width, s);
                QCOMPARE(e.height, s);
                QCOMPARE(e.colours, 0); // 256 colours
                QCOMPARE(e.word1, 1);   // planes
                QCOMPARE(e.word2, 8);   // bits per pixel
                QCOMPARE(e.offset, end);
                const quint32 mask = quint32((s + 31) / 32 * 4 * s);
                QCOMPARE(e.bytes, 40u + 1024u + quint32(s * s) + mask);
                QCOMPARE(u32(b, e.offset), 40u);
                QCOMPARE(u32(b, e.offset + 4), quint32(s));
                QCOMPARE(u32(b, e.offset + 8), quint32(2 * s)); // colours and mask
                QCOMPARE(u16(b, e.offset + 12), 1u);
                QCOMPARE(u16(b, e.offset + 14), 8u);
                QCOMPARE(u32(b, e.offset + 16), 0u);
                end += e.bytes;
            }
            QCOMPARE(quint32(b.size()), end);
        }
        QVERIFY(shipped("tasselday.ico") != shipped("about.ico"));
    }

    void iconsHaveTransparentCornersAndNavy()
    {
        for (const char* name : {"tasselday.ico", "about.ico"}) {
            const QByteArray b = shipped(name);
            for (int i = 0; i < 2; ++i) {
                const QImage img = decodeIndexed(b, entry(b, i));
                QCOMPARE(qAlpha(img.pixel(0, img.height() - 1)), 0);
                int opaque = 0;
                bool navy = false;
                for (int y = 0; y < img.height(); ++y) {
                    for (int x = 0; x < img.width(); ++x) {
                        opaque += qAlpha(img.pixel(x, y)) != 0;
                        navy = navy || img.pixel(x, y) == qRgb(0, 0, 128);
                    }
                }
                QVERIFY2(opaque > img.width() * img.height() / 3, name);
                QVERIFY2(navy, name);
            }
        }
    }

    void cursorsHoldOne32ImageWithAHotSpotOnIt()
    {
        for (const char* name : {"hand_about.cur", "hand_link.cur", "jump.cur"}) {
            const QByteArray b = shipped(name);
            QCOMPARE(u16(b, 0), 0u);
            QCOMPARE(u16(b, 2), 2u); // cursor
            QCOMPARE(u16(b, 4), 1u);
            const DirEntry e = entry(b, 0);
            QCOMPARE(e.width, 32);
            QCOMPARE(e.height, 32);
            QCOMPARE(e.colours, 0);
            QCOMPARE(e.offset, 22u);
            QCOMPARE(e.bytes, 40u + 1024u + 32u * 32u + 4u * 32u);
            QCOMPARE(quint32(b.size()), e.offset + e.bytes);
            QCOMPARE(u32(b, 22 + 4), 32u);
            QCOMPARE(u32(b, 22 + 8), 64u);
            QCOMPARE(u16(b, 22 + 14), 8u);
            const QPoint hot(e.word1, e.word2);
            QVERIFY2(hot.x() >= 0 && hot.x() < 32 && hot.y() >= 0 && hot.y() < 32, name);
            // The hot spot must be on the drawing, not on a see-through pixel.
            QVERIFY2(qAlpha(decodeIndexed(b, e).pixel(hot)) == 255, name);
        }
        // Both hands point with a fingertip at the very top of the picture.
        QCOMPARE(fileHotSpot("hand_about.cur").y(), 0);
        QCOMPARE(fileHotSpot("hand_link.cur").y(), 0);
        QVERIFY(decodeIndexed(shipped("hand_about.cur"), entry(shipped("hand_about.cur"), 0))
                != decodeIndexed(shipped("hand_link.cur"), entry(shipped("hand_link.cur"), 0)));
    }

    void generatorMakesTheShippedFilesAgain()
    {
        const QString assetgen = assetgenPath();
        QVERIFY2(!assetgen.isEmpty(), "assetgen is not built next to the tests' build directory");
        QTemporaryDir out;
        QVERIFY(out.isValid());
        QProcess run;
        run.start(assetgen, {out.path()});
        QVERIFY(run.waitForFinished(60000));
        QCOMPARE(run.exitStatus(), QProcess::NormalExit);
        QVERIFY2(run.exitCode() == 0, run.readAllStandardError().constData());

        QStringList expected;
        for (const char* name : kFiles) {
            QFile made(out.filePath(QLatin1String(name)));
            QVERIFY2(made.open(QIODevice::ReadOnly), name);
            QVERIFY2(made.readAll() == shipped(name), name);
            expected << QLatin1String(name);
        }
        expected.sort();
        // Nothing else is generated, and nothing stale lies in assets/ to be built in.
        const QStringList kinds = {QStringLiteral("*.bmp"), QStringLiteral("*.ico"),
                                   QStringLiteral("*.cur")};
        QCOMPARE(QDir(out.path()).entryList(QDir::Files, QDir::Name), expected);
        QCOMPARE(QDir(assetsDir()).entryList(kinds, QDir::Files, QDir::Name), expected);
    }

    void picturesLoadAtTheirSize()
    {
        const QPixmap a = ui::bitmapA();
        const QPixmap b = ui::bitmapB();
        QCOMPARE(a.size(), QSize(98, 97));
        QCOMPARE(b.size(), QSize(98, 97));
        QCOMPARE(a.toImage().convertToFormat(QImage::Format_RGB32),
                 decodeBmp(shipped("bitmapA.bmp")));
        QCOMPARE(b.toImage().convertToFormat(QImage::Format_RGB32),
                 decodeBmp(shipped("bitmapB.bmp")));
    }

    void mirroredSwapsLeftAndRight()
    {
        for (const QPixmap& picture : {ui::bitmapA(), ui::bitmapB()}) {
            const QImage original = picture.toImage();
            const QImage flipped = ui::mirrored(picture).toImage();
            QCOMPARE(flipped.size(), original.size());
            for (int y = 0; y < 97; ++y)
                for (int x = 0; x < 98; ++x)
                    QCOMPARE(flipped.pixel(x, y), original.pixel(97 - x, y));
            QVERIFY(flipped != original);
        }
        // Not tied to the pictures' size.
        QImage tiny(3, 1, QImage::Format_RGB32);
        tiny.setPixel(0, 0, qRgb(255, 0, 0));
        tiny.setPixel(1, 0, qRgb(0, 255, 0));
        tiny.setPixel(2, 0, qRgb(0, 0, 255));
        const QImage back = ui::mirrored(QPixmap::fromImage(tiny)).toImage();
        QCOMPARE(back.pixel(0, 0), qRgb(0, 0, 255));
        QCOMPARE(back.pixel(1, 0), qRgb(0, 255, 0));
        QCOMPARE(back.pixel(2, 0), qRgb(255, 0, 0));
        QVERIFY(ui::mirrored(QPixmap()).isNull());
    }

    void iconsCarryBothImages()
    {
        const struct {
            QIcon icon;
            const char* file;
        } icons[] = {{ui::appIcon(), "tasselday.ico"}, {ui::aboutIcon(), "about.ico"}};
        for (const auto& i : icons) {
            const QList<QSize> sizes = i.icon.availableSizes();
            QVERIFY2(sizes.contains(QSize(32, 32)), i.file);
            QVERIFY2(sizes.contains(QSize(16, 16)), i.file);
            const QByteArray b = shipped(i.file);
            // The drawn images themselves, not one scaled from the other.
            QCOMPARE(argb(i.icon.pixmap(QSize(32, 32)).toImage()), decodeIndexed(b, entry(b, 0)));
            QCOMPARE(argb(i.icon.pixmap(QSize(16, 16)).toImage()), decodeIndexed(b, entry(b, 1)));
        }
        const QByteArray about = shipped("about.ico");
        const QPixmap picture = ui::aboutIconPixmap();
        QCOMPARE(picture.size(), QSize(32, 32));
        QCOMPARE(argb(picture.toImage()), decodeIndexed(about, entry(about, 0)));
        QVERIFY(argb(picture.toImage())
                != argb(ui::appIcon().pixmap(QSize(32, 32)).toImage()));
    }

    void cursorsUseTheFilesPicturesAndHotSpots()
    {
        const struct {
            QCursor cursor;
            const char* file;
        } cursors[] = {{ui::aboutHandCursor(), "hand_about.cur"},
                       {ui::linkHandCursor(), "hand_link.cur"},
                       {ui::jumpCursor(), "jump.cur"}};
        for (const auto& c : cursors) {
            QCOMPARE(c.cursor.shape(), Qt::BitmapCursor);
            QCOMPARE(c.cursor.hotSpot(), fileHotSpot(c.file));
            const QByteArray b = shipped(c.file);
            QCOMPARE(c.cursor.pixmap().size(), QSize(32, 32));
            QCOMPARE(argb(c.cursor.pixmap().toImage()), decodeIndexed(b, entry(b, 0)));
        }
        QVERIFY(argb(ui::aboutHandCursor().pixmap().toImage())
                != argb(ui::linkHandCursor().pixmap().toImage()));
        QVERIFY(argb(ui::jumpCursor().pixmap().toImage())
                != argb(ui::aboutHandCursor().pixmap().toImage()));
    }
};

QTEST_MAIN(AssetsTest)
#include "test_assets.moc"
