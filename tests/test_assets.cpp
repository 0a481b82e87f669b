// The art as the build converts it: the icon and cursor files' layout; what the program loads,
// against the art it comes from; the converter's refusals.
#include "support/rows.h"
#include "ui/assets.h"

#include <QCursor>
#include <QIcon>
#include <QProcess>
#include <QTemporaryDir>

namespace {

quint32 u16(const QByteArray& b, qsizetype at) { return quint8(b[at]) | quint8(b[at + 1]) << 8; }
quint32 u32(const QByteArray& b, qsizetype at) { return u16(b, at) | u16(b, at + 2) << 16; }

// Little-endian fields at base + offset: {offset, width in bytes, value}.
void checkFields(
    const QByteArray& b, qsizetype base, std::initializer_list<std::array<quint32, 3>> fields)
{
    for (const auto& [at, width, value] : fields)
        QCOMPARE(width == 2 ? u16(b, base + at) : u32(b, base + at), value);
}

// The art as the program shows it: clear pixels all zero.
QImage premultiplied(const QImage& image)
{
    return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

// Icons hold a 32 and a 16 pixel image, cursors one of 32 with its hot spot, each drawn as its
// art (assets/*.png, largest first); `name` is the file.
struct Indexed {
    const char* name;
    QStringList art;
    QCursor (*cursor)() = nullptr;
    QPoint hotSpot {};
    QIcon (*icon)() = nullptr;
};

// clang-format off
const Indexed kIndexed[] = {
    {.name = "tasselday.ico", .art = {"tasselday-32", "tasselday-16"}, .icon = ui::appIcon},
    {.name = "about.ico", .art = {"about-32", "about-16"}, .icon = ui::aboutIcon},
    {.name = "hand_about.cur", .art = {"hand_about"}, .cursor = ui::aboutHandCursor,
     .hotSpot = {8, 0}},
    {.name = "hand_link.cur", .art = {"hand_link"}, .cursor = ui::linkHandCursor,
     .hotSpot = {6, 0}},
    {.name = "jump.cur", .art = {"jump"}, .cursor = ui::jumpCursor, .hotSpot = {15, 15}},
};
// clang-format on

} // namespace

class AssetsTest : public QObject {
    Q_OBJECT

private slots:
    // Pictures of 98 x 97 on silver, upright: the grey shadow each drawing stands on lies in
    // the bottom third.
    void bitmapsAreUprightDrawingsOnSilver()
    {
        for (const QPixmap& loaded : {ui::bitmapA(), ui::bitmapB()}) {
            const QImage img = loaded.toImage().convertToFormat(QImage::Format_RGB32);
            QCOMPARE(img.size(), QSize(98, 97));
            QCOMPARE(img.pixel(0, 0), qRgb(192, 192, 192));
            qint64 rows = 0, shadow = 0;
            for (int p = 0; p < 98 * 97; ++p) {
                const QRgb c = img.pixel(p % 98, p / 98);
                const int hi = qMax(qRed(c), qMax(qGreen(c), qBlue(c)));
                if (hi > 150 && hi < 192 && qAbs(qRed(c) - qBlue(c)) < 8)
                    rows += p / 98, ++shadow;
            }
            QVERIFY(shadow > 100 && rows / shadow > 64);
        }
    }

    // 8-bit images with a mask; the program draws each size as its art.
    void iconAndCursorFiles_data() { rows::add(kIndexed); }
    void iconAndCursorFiles()
    {
        const auto& [file, art, cursor, hotSpot, icon] = rows::fetch(kIndexed);
        QFile held(QStringLiteral(":/assets/") + file); // the file as the program holds it
        const QByteArray b = held.open(QIODevice::ReadOnly) ? held.readAll() : QByteArray();
        checkFields(b, 0, {{0, 2, 0}, {2, 2, cursor ? 2u : 1u}, {4, 2, quint32(art.size())}});
        quint32 end = 6 + 16 * art.size();
        for (int i = 0; i < art.size(); ++i) {
            const QImage drawn = premultiplied(QImage(
                qEnvironmentVariable("TASSELDAY_SOURCE_DIR") + "/assets/" + art[i] + ".png"));
            // Width and height, 256 colours, 1 plane and 8 bits or the hot spot, size, offset.
            const quint32 s = drawn.width(), bytes = 40 + 1024 + s * s + (s + 31) / 32 * 4 * s;
            const QPoint words = cursor ? hotSpot : QPoint(1, 8);
            checkFields(b, 6 + 16 * i,
                {{0, 2, s | s << 8}, {2, 2, 0}, {4, 2, quint32(words.x())},
                    {6, 2, quint32(words.y())}, {8, 4, bytes}, {12, 4, end}});
            checkFields(b, end, {{0, 4, 40}, {4, 4, s}, {8, 4, 2 * s}, {12, 2, 1}, {14, 2, 8}});
            end += bytes;
            if (cursor)
                QCOMPARE(cursor().hotSpot(), hotSpot);
            QCOMPARE(
                premultiplied((cursor ? cursor().pixmap() : icon().pixmap(QSize(s, s))).toImage()),
                drawn);
        }
        QCOMPARE(quint32(b.size()), end);
    }

    // Drawn for their size: smooth edges (pixels neither clear nor opaque), not enlarged pixel
    // art, and the 32 pixel icon's outline when brought down to 32 pixels.
    // The desktop's larger icons, rendered from the SVG.
    void desktopIconsAreDrawnForTheirSize_data()
    {
        table<int>({"size"}, {{"48", 48}, {"64", 64}, {"128", 128}});
    }
    void desktopIconsAreDrawnForTheirSize()
    {
        const int size = cell<int>("size");
        const QImage icon(qEnvironmentVariable("TASSELDAY_ART_DIR") + "/hicolor-"
            + QTest::currentDataTag() + ".png");
        QCOMPARE(icon.size(), QSize(size, size));
        const QImage small = icon.scaled(32, 32, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        const QImage art(qEnvironmentVariable("TASSELDAY_SOURCE_DIR") + "/assets/tasselday-32.png");
        int edges = 0, agree = 0;
        for (int p = 0; p < size * size; ++p)
            edges += qAlpha(icon.pixel(p % size, p / size)) % 255 != 0;
        for (int p = 0; p < 32 * 32; ++p)
            agree += (qAlpha(small.pixel(p % 32, p / 32)) > 127)
                == (qAlpha(art.pixel(p % 32, p / 32)) > 0);
        QVERIFY2(edges > size, QByteArray::number(edges));
        QVERIFY2(agree > 32 * 32 * 9 / 10, QByteArray::number(agree));
    }

    // Art that the formats cannot hold is refused, never written half right: a manifest line
    // and the error it gives.
    void converterRefusesArtItCannotShip_data()
    {
        table<QByteArray, QByteArray>({"line", "error"},
            {{"half-clear pixel", "x.ico icon soft.png", "half-transparent"},
                {"257 colours", "x.ico icon many.png", "more than 256 colours"},
                {"hot spot outside", "x.cur cursor soft.png 16 0", "hot spot outside"},
                {"picture size", "x.bmp picture small.svg", "not a valid 98 x 97 SVG"},
                {"icon not square", "x.png rendered small.svg 48", "not a valid square SVG"}});
    }
    void converterRefusesArtItCannotShip()
    {
        const QByteArray line = cell<QByteArray>("line"), error = cell<QByteArray>("error");
        if (qEnvironmentVariableIsEmpty("TASSELDAY_ASSETCONV"))
            QSKIP("the converter runs on the build machine, which a cross build's tests are not");
        QTemporaryDir dir;
        QImage soft(16, 16, QImage::Format_ARGB32), many(32, 32, QImage::Format_ARGB32);
        soft.fill(qRgba(0, 0, 128, 255));
        soft.setPixel(3, 3, qRgba(0, 0, 128, 128));
        for (int p = 0; p < 32 * 32; ++p)
            many.setPixel(p % 32, p / 32, qRgb(p % 257, 0, p / 257));
        QVERIFY(soft.save(dir.filePath("soft.png")) && many.save(dir.filePath("many.png")));
        QFile svg(dir.filePath("small.svg")), manifest(dir.filePath("manifest.txt"));
        QVERIFY(svg.open(QIODevice::WriteOnly) && manifest.open(QIODevice::WriteOnly));
        svg.write("<svg xmlns='http://www.w3.org/2000/svg' width='96' height='97'/>");
        manifest.write(line);
        svg.close(), manifest.close();
        QProcess run;
        run.start(qEnvironmentVariable("TASSELDAY_ASSETCONV"),
            {dir.filePath("manifest.txt"), dir.path(), dir.path()});
        QVERIFY(run.waitForFinished(60000) && run.exitStatus() == QProcess::NormalExit);
        QCOMPARE(run.exitCode(), 1);
        const QByteArray errors = run.readAllStandardError();
        QVERIFY2(errors.contains(error), errors.constData());
        QVERIFY(!QFile::exists(dir.filePath(QString::fromLatin1(line).section(' ', 0, 0))));
    }
};

QTEST_MAIN(AssetsTest)
#include "test_assets.moc"
