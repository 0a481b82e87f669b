// The art as the build converts it: the icon and cursor files' layout, and what the program
// loads, against the art it comes from.
#include "support/rows.h"
#include "ui/assets.h"

#include <QCursor>
#include <QIcon>

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
};

QTEST_MAIN(AssetsTest)
#include "test_assets.moc"
