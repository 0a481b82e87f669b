// The art as the build converts it: the file formats byte by byte, decoded here the long way
// and independently of Qt; the converter's refusals and sameness; what the program loads.
#include "ui/assets.h"

#include <QCursor>
#include <QDir>
#include <QIcon>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const char* const kFiles[] = {"bitmapA.bmp", "bitmapB.bmp", "tasselday.ico", "about.ico",
                              "hand_about.cur", "hand_link.cur", "jump.cur"};

quint32 u16(const QByteArray& b, qsizetype at) { return quint8(b.at(at)) | quint8(b.at(at + 1)) << 8; }
quint32 u32(const QByteArray& b, qsizetype at) { return u16(b, at) | u16(b, at + 2) << 16; }

// Little-endian fields at base + offset: {offset, width in bytes, value}.
void checkFields(const QByteArray& b, qsizetype base, std::initializer_list<std::array<quint32, 3>> fields)
{
    for (const auto& [at, width, value] : fields)
        QCOMPARE(width == 2 ? u16(b, base + at) : u32(b, base + at), value);
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
QByteArray shipped(const QString& name) { return readFile(qEnvironmentVariable("TASSELDAY_ART_DIR") + '/' + name); }

// A 24-bit bottom-up BMP.
QImage decodeBmp(const QByteArray& b)
{
    const int w = int(u32(b, 18)), h = int(u32(b, 22)), stride = (w * 3 + 3) & ~3;
    QImage img(w, h, QImage::Format_RGB32);
    for (int p = 0; p < w * h; ++p) {
        const qsizetype at = u32(b, 10) + qsizetype(h - 1 - p / w) * stride + p % w * 3;
        img.setPixel(p % w, p / w, qRgb(quint8(b[at + 2]), quint8(b[at + 1]), quint8(b[at])));
    }
    return img;
}

// Directory entry `i` of an .ico or .cur: planes and bits (icon) or hot spot (cursor).
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

// Image `i` of an 8-bit icon or cursor: palette, indices, then the AND mask (set = clear).
QImage decodeIndexed(const QByteArray& b, int i)
{
    const qsizetype h0 = entry(b, i).offset, palette = h0 + 40, pixels = palette + 1024;
    const int w = int(u32(b, h0 + 4)), h = int(u32(b, h0 + 8)) / 2;
    const int stride = (w + 3) & ~3, maskStride = (w + 31) / 32 * 4;
    QImage img(w, h, QImage::Format_ARGB32);
    for (int p = 0; p < w * h; ++p) {
        const int x = p % w, row = h - 1 - p / w;
        const bool clear = quint8(b[pixels + stride * h + row * maskStride + x / 8]) & (0x80 >> (x % 8));
        const qsizetype c = palette + 4 * quint8(b[pixels + row * stride + x]);
        img.setPixel(x, p / w, clear ? 0u : qRgb(quint8(b[c + 2]), quint8(b[c + 1]), quint8(b[c])));
    }
    return img;
}
QImage argb(const QPixmap& p) { return p.toImage().convertToFormat(QImage::Format_ARGB32); }

int runConverter(const QString& manifest, const QString& in, const QString& out, QByteArray* errors)
{
    QProcess run;
    run.start(qEnvironmentVariable("TASSELDAY_ASSETCONV"), {manifest, in, out});
    if (!run.waitForFinished(60000) || run.exitStatus() != QProcess::NormalExit)
        return -1;
    *errors = run.readAllStandardError();
    return run.exitCode();
}

} // namespace

class AssetsTest : public QObject {
    Q_OBJECT

private slots:
    void bitmapsAre24BitDrawingsOnSilver()
    {
        for (const auto& [name, loaded] : {std::pair{"bitmapA.bmp", ui::bitmapA()}, {"bitmapB.bmp", ui::bitmapB()}}) {
            const QByteArray b = shipped(name);
            QCOMPARE(b.size(), 28766);
            QCOMPARE(b.left(2), QByteArray("BM"));
            // Sizes, 54-byte offset, 40-byte header, 98 x 97, 1 plane, 24 bits, uncompressed,
            // 97 rows of 296 bytes, 3780 pixels a metre, no palette.
            checkFields(b, 0, {{2, 4, 28766}, {6, 4, 0}, {10, 4, 54}, {14, 4, 40}, {18, 4, 98},
                               {22, 4, 97}, {26, 2, 1}, {28, 2, 24}, {30, 4, 0}, {34, 4, 28712},
                               {38, 4, 3780}, {42, 4, 3780}, {46, 4, 0}});
            for (int row = 0; row < 97; ++row)
                QCOMPARE(u16(b, 54 + row * 296 + 294), 0u); // padding
            const QImage img = decodeBmp(b);
            QCOMPARE(loaded.toImage().convertToFormat(QImage::Format_RGB32), img); // as the program draws it
            QCOMPARE(img.pixel(0, 0), qRgb(192, 192, 192));
            QCOMPARE(img.pixel(97, 96), qRgb(192, 192, 192));
            QVERIFY(img != img.mirrored(true, false)); // else the mirrored copies look alike
            // Upright: the grey shadow each drawing stands on lies in the bottom third.
            qint64 rows = 0, shadow = 0;
            for (int p = 0; p < 98 * 97; ++p) {
                const QRgb c = img.pixel(p % 98, p / 98);
                const int hi = qMax(qRed(c), qMax(qGreen(c), qBlue(c)));
                if (hi > 150 && hi < 192 && qAbs(qRed(c) - qBlue(c)) < 8)
                    rows += p / 98, ++shadow;
            }
            QVERIFY2(shadow > 100 && rows / shadow > 64, name);
        }
    }

    // Icons hold a 32 and a 16 pixel image, cursors one of 32; all 256 colours with a mask.
    void iconAndCursorFiles_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QList<int>>("sizes");
        QTest::addColumn<QPoint>("hotSpot"); // null for an icon
        QTest::addColumn<QVariant>("loaded");  // what the program holds: QIcon or QCursor
        QTest::newRow("tasselday.ico") << "tasselday.ico" << QList<int>{32, 16} << QPoint() << QVariant(ui::appIcon());
        QTest::newRow("about.ico") << "about.ico" << QList<int>{32, 16} << QPoint() << QVariant(ui::aboutIcon());
        QTest::newRow("hand_about.cur") << "hand_about.cur" << QList<int>{32} << QPoint(8, 0) << QVariant(ui::aboutHandCursor());
        QTest::newRow("hand_link.cur") << "hand_link.cur" << QList<int>{32} << QPoint(6, 0) << QVariant(ui::linkHandCursor());
        QTest::newRow("jump.cur") << "jump.cur" << QList<int>{32} << QPoint(15, 15) << QVariant(ui::jumpCursor());
    }
    void iconAndCursorFiles()
    {
        QFETCH(QString, file);
        QFETCH(QList<int>, sizes);
        QFETCH(QPoint, hotSpot);
        QFETCH(QVariant, loaded);
        const QByteArray b = shipped(file);
        const quint32 type = hotSpot.isNull() ? 1 : 2;
        checkFields(b, 0, {{0, 2, 0}, {2, 2, type}, {4, 2, quint32(sizes.size())}});
        quint32 end = 6 + 16 * sizes.size();
        for (int i = 0; i < sizes.size(); ++i) {
            const DirEntry e = entry(b, i);
            const quint32 s = quint32(sizes[i]);
            QCOMPARE(QList<int>({e.width, e.height, e.colours}), QList<int>({int(s), int(s), 0}));
            QCOMPARE(QPoint(e.word1, e.word2), type == 1 ? QPoint(1, 8) : hotSpot);
            QCOMPARE(e.offset, end);
            QCOMPARE(e.bytes, 40 + 1024 + s * s + (s + 31) / 32 * 4 * s);
            checkFields(b, e.offset, {{0, 4, 40}, {4, 4, s}, {8, 4, 2 * s}, {12, 2, 1}, {14, 2, 8}, {16, 4, 0}});
            end += e.bytes;
            // The program draws each size as the file holds it, not scaled from the other.
            const QImage img = decodeIndexed(b, i);
            if (type == 2) {
                QCOMPARE(qAlpha(img.pixel(hotSpot)), 255); // on the drawing
                QCOMPARE(loaded.value<QCursor>().hotSpot(), hotSpot);
                QCOMPARE(argb(loaded.value<QCursor>().pixmap()), img);
            } else {
                QVERIFY(qAlpha(img.pixel(0, s - 1)) == 0 && qAlpha(img.pixel(s / 2, s / 2)) == 255);
                QCOMPARE(argb(loaded.value<QIcon>().pixmap(QSize(s, s))), img);
            }
        }
        QCOMPARE(quint32(b.size()), end);
    }

    // Same sources, same bytes; the program holds exactly those bytes.
    void programHoldsWhatTheConverterMakesEveryTime()
    {
        QTemporaryDir out;
        const QString assets = qEnvironmentVariable("TASSELDAY_SOURCE_DIR") + "/assets";
        QByteArray errors;
        QCOMPARE(runConverter(assets + "/manifest.txt", assets, out.path(), &errors), 0);
        const QStringList made = QDir(out.path()).entryList(QDir::Files);
        QVERIFY(made.size() > int(std::size(kFiles)));
        for (const QString& name : made)
            QVERIFY2(readFile(out.filePath(name)) == shipped(name), qPrintable(name));
        for (const char* name : kFiles)
            QVERIFY2(readFile(QStringLiteral(":/assets/") + name) == shipped(name), name);
    }

    // Art that the formats cannot hold is refused, never written half right.
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
        QImage soft(16, 16, QImage::Format_ARGB32), many(32, 32, QImage::Format_ARGB32);
        soft.fill(qRgba(0, 0, 128, 255));
        soft.setPixel(3, 3, qRgba(0, 0, 128, 128));
        for (int p = 0; p < 32 * 32; ++p)
            many.setPixel(p % 32, p / 32, qRgb(p % 257, 0, p / 257));
        QVERIFY(soft.save(dir.filePath("soft.png")) && many.save(dir.filePath("many.png")));
        for (const auto& [name, text] : {std::pair{"small.svg", QByteArray("<svg xmlns='http://www.w3.org/2000/svg' width='96' height='97'/>")},
                                         {"manifest.txt", line.toUtf8()}}) {
            QFile file(dir.filePath(name));
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(text) == text.size());
        }
        QByteArray errors;
        QCOMPARE(runConverter(dir.filePath("manifest.txt"), dir.path(), dir.path(), &errors), 1);
        QVERIFY2(errors.contains(error.toUtf8()), errors.constData());
        QVERIFY(!QFile::exists(dir.filePath(line.section(' ', 0, 0))));
    }
};

QTEST_MAIN(AssetsTest)
#include "test_assets.moc"
