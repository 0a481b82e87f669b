// The pictures, icons and cursors made from the art in assets/: their file formats byte by
// byte, that the converter makes the same bytes every time, and that the program loads what
// the files hold.
#include "ui/assets.h"

#include <QDir>
#include <QFile>
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

quint32 u32(const QByteArray& b, qsizetype at) { return u16(b, at) | u16(b, at + 2) << 16; }

// Little-endian fields at base + offset: {offset, width in bytes, value}.
void checkFields(const QByteArray& b, qsizetype base,
                 std::initializer_list<std::array<quint32, 3>> fields)
{
    for (const auto& [at, width, value] : fields)
        QCOMPARE(width == 2 ? u16(b, base + at) : u32(b, base + at), value);
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// As the build made it.
QByteArray shipped(const char* name)
{
    return readFile(qEnvironmentVariable("TASSELDAY_ART_DIR") + QLatin1Char('/') + QLatin1String(name));
}

// Decodes a 24-bit bottom-up BMP the long way, independently of Qt's reader.
QImage decodeBmp(const QByteArray& b)
{
    const int w = int(u32(b, 18)), h = int(u32(b, 22));
    const int stride = (w * 3 + 3) & ~3;
    QImage img(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const qsizetype p = u32(b, 10) + qsizetype(h - 1 - y) * stride + x * 3;
            img.setPixel(x, y, qRgb(quint8(b[p + 2]), quint8(b[p + 1]), quint8(b[p])));
        }
    }
    return img;
}

// One directory entry of an .ico or .cur file. word1/word2 are planes and bit count in an
// icon, the hot spot in a cursor.
struct DirEntry {
    int width, height, colours, word1, word2;
    quint32 bytes, offset;
};

DirEntry entry(const QByteArray& b, int i)
{
    const qsizetype at = 6 + 16 * i;
    return {quint8(b[at]), quint8(b[at + 1]), quint8(b[at + 2]), int(u16(b, at + 4)),
            int(u16(b, at + 6)), u32(b, at + 8), u32(b, at + 12)};
}

// Decodes image `i` of an 8-bit icon or cursor the long way: palette, indices, then the
// AND mask, whose set bits are transparent.
QImage decodeIndexed(const QByteArray& b, int i)
{
    const qsizetype h0 = entry(b, i).offset;
    const int w = int(u32(b, h0 + 4)), h = int(u32(b, h0 + 8)) / 2;
    const qsizetype palette = h0 + 40, pixels = palette + 256 * 4;
    const int stride = (w + 3) & ~3, maskStride = (w + 31) / 32 * 4;
    const qsizetype mask = pixels + qsizetype(stride) * h;
    QImage img(w, h, QImage::Format_ARGB32);
    for (int y = 0; y < h; ++y) {
        const int row = h - 1 - y;
        for (int x = 0; x < w; ++x) {
            const bool clear = quint8(b[mask + row * maskStride + x / 8]) & (0x80 >> (x % 8));
            const qsizetype c = palette + 4 * quint8(b[pixels + row * stride + x]);
            img.setPixel(x, y, clear ? 0u : qRgb(quint8(b[c + 2]), quint8(b[c + 1]), quint8(b[c])));
        }
    }
    return img;
}

QImage argb(const QPixmap& p) { return p.toImage().convertToFormat(QImage::Format_ARGB32); }

} // namespace

class AssetsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        for (const char* var : {"TASSELDAY_SOURCE_DIR", "TASSELDAY_ART_DIR", "TASSELDAY_ASSETCONV"})
            QVERIFY2(!qEnvironmentVariableIsEmpty(var), var);
        for (const char* name : kFiles)
            QVERIFY2(!shipped(name).isEmpty(), name);
    }

    void bitmapsAreWindows24BitFilesOfDrawingsOnSilver()
    {
        for (const char* name : {"bitmapA.bmp", "bitmapB.bmp"}) {
            const QByteArray b = shipped(name);
            QCOMPARE(b.size(), 28766);
            QCOMPARE(b.left(2), QByteArray("BM"));
            // File size, reserved, pixel offset, info header size, 98 x 97, one plane,
            // 24 bits, uncompressed, 97 rows of 296 bytes, 96 dpi, no palette.
            checkFields(b, 0, {{2, 4, 28766}, {6, 4, 0}, {10, 4, 54}, {14, 4, 40}, {18, 4, 98},
                               {22, 4, 97}, {26, 2, 1}, {28, 2, 24}, {30, 4, 0}, {34, 4, 28712},
                               {38, 4, 3780}, {42, 4, 3780}, {46, 4, 0}});
            // Each row's two padding bytes are zero.
            for (int row = 0; row < 97; ++row)
                QCOMPARE(u16(b, 54 + row * 296 + 294), 0u);

            const QImage img = decodeBmp(b);
            for (const QPoint p : {QPoint(0, 0), QPoint(97, 0), QPoint(0, 96), QPoint(97, 96)})
                QCOMPARE(img.pixel(p), qRgb(192, 192, 192));
            // Something substantial is drawn, and not symmetrically (the program shows
            // mirrored copies, which would otherwise look the same).
            int drawn = 0;
            for (int p = 0; p < 98 * 97; ++p)
                drawn += img.pixel(p % 98, p / 98) != qRgb(192, 192, 192);
            QVERIFY2(drawn > 98 * 97 / 4, qPrintable(QString::number(drawn)));
            QVERIFY(img != img.mirrored(true, false));
            // Upright: the soft grey shadow each drawing stands on lies in the bottom third
            // (rows written top-down would put it at the top).
            qint64 shadowRows = 0, shadowPixels = 0;
            for (int y = 0; y < 97; ++y) {
                for (int x = 0; x < 98; ++x) {
                    const QRgb c = img.pixel(x, y);
                    const int hi = qMax(qRed(c), qMax(qGreen(c), qBlue(c)));
                    if (hi > 150 && hi < 192 && qAbs(qRed(c) - qBlue(c)) < 8) {
                        shadowRows += y;
                        ++shadowPixels;
                    }
                }
            }
            QVERIFY(shadowPixels > 100);
            QVERIFY2(shadowRows / shadowPixels > 64, name);
        }
        QVERIFY(decodeBmp(shipped("bitmapA.bmp")) != decodeBmp(shipped("bitmapB.bmp")));
    }

    // Icons hold a 32 and a 16 pixel image, cursors one 32 pixel image; all 8-bit with a mask.
    void iconAndCursorFiles_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("type");
        QTest::addColumn<QList<int>>("sizes");
        QTest::newRow("tasselday.ico") << "tasselday.ico" << 1 << QList<int>{32, 16};
        QTest::newRow("about.ico") << "about.ico" << 1 << QList<int>{32, 16};
        for (const char* cur : {"hand_about.cur", "hand_link.cur", "jump.cur"})
            QTest::newRow(cur) << cur << 2 << QList<int>{32};
    }
    void iconAndCursorFiles()
    {
        QFETCH(QString, file);
        QFETCH(int, type);
        QFETCH(QList<int>, sizes);
        const QByteArray b = shipped(qPrintable(file));
        checkFields(b, 0, {{0, 2, 0}, {2, 2, quint32(type)}, {4, 2, quint32(sizes.size())}});
        quint32 end = 6 + 16 * sizes.size();
        for (int i = 0; i < sizes.size(); ++i) {
            const DirEntry e = entry(b, i);
            const int s = sizes[i];
            QCOMPARE(QSize(e.width, e.height), QSize(s, s));
            QCOMPARE(e.colours, 0); // 256 colours
            if (type == 1)
                QCOMPARE(QPoint(e.word1, e.word2), QPoint(1, 8)); // planes, bits per pixel
            QCOMPARE(e.offset, end);
            QCOMPARE(e.bytes, quint32(40 + 1024 + s * s + (s + 31) / 32 * 4 * s));
            // Header size, width, rows of colours and mask, one plane, 8 bits, uncompressed.
            checkFields(b, e.offset, {{0, 4, 40}, {4, 4, quint32(s)}, {8, 4, quint32(2 * s)},
                                      {12, 2, 1}, {14, 2, 8}, {16, 4, 0}});
            end += e.bytes;

            const QImage img = decodeIndexed(b, i);
            if (type == 1) {
                // Icons: mostly drawn, with navy in the drawing and a see-through corner.
                int opaque = 0, navy = 0;
                for (int p = 0; p < s * s; ++p) {
                    opaque += qAlpha(img.pixel(p % s, p / s)) != 0;
                    navy += img.pixel(p % s, p / s) == qRgb(0, 0, 128);
                }
                QVERIFY(opaque > s * s / 3 && navy > 0);
                QCOMPARE(qAlpha(img.pixel(0, s - 1)), 0);
            } else {
                // The hot spot must be on the drawing, not on a see-through pixel.
                QCOMPARE(qAlpha(img.pixel(e.word1, e.word2)), 255);
                if (file.startsWith(QLatin1String("hand")))
                    QCOMPARE(e.word2, 0); // a fingertip at the very top
            }
        }
        QCOMPARE(quint32(b.size()), end);
    }

    // Same sources, same bytes; and the program holds exactly what the build made.
    void converterMakesTheSameBytesAgain()
    {
        QTemporaryDir out;
        const QString assets = qEnvironmentVariable("TASSELDAY_SOURCE_DIR") + QStringLiteral("/assets");
        QProcess run;
        run.start(qEnvironmentVariable("TASSELDAY_ASSETCONV"),
                  {assets + QStringLiteral("/manifest.txt"), assets, out.path()});
        QVERIFY(run.waitForFinished(60000));
        QVERIFY2(run.exitStatus() == QProcess::NormalExit && run.exitCode() == 0,
                 run.readAllStandardError().constData());
        const QStringList made = QDir(out.path()).entryList(QDir::Files);
        QVERIFY(made.size() > int(std::size(kFiles)));
        for (const QString& name : made)
            QVERIFY2(readFile(out.filePath(name)) == shipped(qPrintable(name)), qPrintable(name));
        for (const char* name : kFiles)
            QVERIFY2(readFile(QStringLiteral(":/assets/") + QLatin1String(name)) == shipped(name), name);
    }

    // Art that the shipped formats cannot hold is refused, never written half right.
    void converterRefusesArtItCannotShip_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("error");
        QTest::newRow("half-clear pixel") << "x.ico icon soft.png" << "half-transparent";
        QTest::newRow("257 colours") << "x.ico icon many.png" << "more than 256 colours";
        QTest::newRow("hot spot outside") << "x.cur cursor soft.png 16 0" << "hot spot outside";
        QTest::newRow("picture size") << "x.bmp picture small.svg" << "not a valid 98 x 97 SVG";
    }
    void converterRefusesArtItCannotShip()
    {
        QFETCH(QString, line);
        QFETCH(QString, error);
        QTemporaryDir dir;
        QImage soft(16, 16, QImage::Format_ARGB32);
        soft.fill(qRgba(0, 0, 128, 255));
        soft.setPixel(3, 3, qRgba(0, 0, 128, 128));
        QImage many(32, 32, QImage::Format_ARGB32);
        for (int p = 0; p < 32 * 32; ++p)
            many.setPixel(p % 32, p / 32, qRgb(p % 257, 0, p / 257));
        QVERIFY(soft.save(dir.filePath(QStringLiteral("soft.png"))));
        QVERIFY(many.save(dir.filePath(QStringLiteral("many.png"))));
        QFile svg(dir.filePath(QStringLiteral("small.svg")));
        QVERIFY(svg.open(QIODevice::WriteOnly));
        svg.write("<svg xmlns='http://www.w3.org/2000/svg' width='96' height='97'/>");
        svg.close();
        QFile manifest(dir.filePath(QStringLiteral("manifest.txt")));
        QVERIFY(manifest.open(QIODevice::WriteOnly));
        manifest.write(line.toUtf8());
        manifest.close();

        QProcess run;
        run.start(qEnvironmentVariable("TASSELDAY_ASSETCONV"), {manifest.fileName(), dir.path(), dir.path()});
        QVERIFY(run.waitForFinished(60000));
        QCOMPARE(run.exitCode(), 1);
        QVERIFY2(run.readAllStandardError().contains(error.toUtf8()), qPrintable(error));
        QVERIFY(!QFile::exists(dir.filePath(line.section(QLatin1Char(' '), 0, 0))));
    }

    void programLoadsWhatTheFilesHold()
    {
        QCOMPARE(ui::bitmapA().toImage().convertToFormat(QImage::Format_RGB32),
                 decodeBmp(shipped("bitmapA.bmp")));
        QCOMPARE(ui::bitmapB().toImage().convertToFormat(QImage::Format_RGB32),
                 decodeBmp(shipped("bitmapB.bmp")));

        // Both images of each icon as drawn, not one scaled from the other.
        const std::pair<QIcon, const char*> icons[] = {{ui::appIcon(), "tasselday.ico"},
                                                       {ui::aboutIcon(), "about.ico"}};
        for (const auto& [icon, file] : icons) {
            QCOMPARE(argb(icon.pixmap(QSize(32, 32))), decodeIndexed(shipped(file), 0));
            QCOMPARE(argb(icon.pixmap(QSize(16, 16))), decodeIndexed(shipped(file), 1));
        }
        QCOMPARE(argb(ui::aboutIconPixmap()), decodeIndexed(shipped("about.ico"), 0));

        const std::pair<QCursor, const char*> cursors[] = {
            {ui::aboutHandCursor(), "hand_about.cur"},
            {ui::linkHandCursor(), "hand_link.cur"},
            {ui::jumpCursor(), "jump.cur"}};
        for (const auto& [cursor, file] : cursors) {
            const DirEntry e = entry(shipped(file), 0);
            QCOMPARE(cursor.hotSpot(), QPoint(e.word1, e.word2));
            QCOMPARE(argb(cursor.pixmap()), decodeIndexed(shipped(file), 0));
        }
        QVERIFY(decodeIndexed(shipped("hand_about.cur"), 0)
                != decodeIndexed(shipped("hand_link.cur"), 0));
    }

    void mirroredSwapsLeftAndRight()
    {
        const QRgb colours[] = {qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255)};
        QImage tiny(3, 1, QImage::Format_RGB32);
        for (int x = 0; x < 3; ++x)
            tiny.setPixel(x, 0, colours[x]);
        const QImage back = ui::mirrored(QPixmap::fromImage(tiny)).toImage();
        for (int x = 0; x < 3; ++x)
            QCOMPARE(back.pixel(x, 0), colours[2 - x]);
    }
};

QTEST_MAIN(AssetsTest)
#include "test_assets.moc"
