// The art as the build converts it: the icon and cursor files' layout, and what the program
// loads, against the art it comes from.
#include "support/rows.h"
#include "ui/assets.h"

#include <QCursor>
#include <QIcon>

namespace {

// The `n` little-endian 16-bit words of a file from byte `at`.
QList<quint32> words(const QByteArray& b, qsizetype at, int n)
{
    QList<quint32> w;
    for (qsizetype i = at; i < at + 2 * n; i += 2)
        w << (quint8(b[i]) | quint8(b[i + 1]) << 8);
    return w;
}

// Icons hold a 32 and a 16 pixel image, cursors one of 32 with its hot spot, each drawn as its
// art (assets/*.png, largest first); `name` is the file. One of each kind: the others take
// the same path.
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
        // The art as the program shows it: clear pixels all zero.
        const auto shown = [](const QImage& i) {
            return i.convertToFormat(QImage::Format_ARGB32_Premultiplied);
        };
        QFile held(QStringLiteral(":/assets/") + file); // the file as the program holds it
        const QByteArray b = held.open(QIODevice::ReadOnly) ? held.readAll() : QByteArray();
        QCOMPARE(words(b, 0, 3), (QList<quint32> {0, cursor ? 2u : 1u, quint32(art.size())}));
        quint32 end = 6 + 16 * art.size();
        for (int i = 0; i < art.size(); ++i) {
            const QImage drawn = shown(QImage(
                qEnvironmentVariable("TASSELDAY_SOURCE_DIR") + "/assets/" + art[i] + ".png"));
            // Width and height, 256 colours, 1 plane and 8 bits or the hot spot, size, offset.
            const quint32 s = drawn.width(), bytes = 40 + 1024 + s * s + (s + 31) / 32 * 4 * s;
            const QPoint w = cursor ? hotSpot : QPoint(1, 8);
            QCOMPARE(words(b, 6 + 16 * i, 8),
                (QList<quint32> {s | s << 8, 0, quint32(w.x()), quint32(w.y()), bytes & 0xFFFF,
                    bytes >> 16, end & 0xFFFF, end >> 16}));
            QCOMPARE(words(b, end, 8), (QList<quint32> {40, 0, s, 0, 2 * s, 0, 1, 8}));
            end += bytes;
            if (cursor)
                QCOMPARE(cursor().hotSpot(), hotSpot);
            QCOMPARE(
                shown((cursor ? cursor().pixmap() : icon().pixmap(QSize(s, s))).toImage()), drawn);
        }
        QCOMPARE(quint32(b.size()), end);
    }
};

QTEST_MAIN(AssetsTest)
#include "test_assets.moc"
