// What the program shows of its art: the pictures upright on silver, and the window icon in both
// its sizes and a cursor with its hot spot, each drawn as its art (assets/*.png). (A file laid
// out wrong, Qt's ico plugin refuses or misreads, and its image no longer matches.)
#include "ui/assets.h"

#include <QtTest>

class AssetsTest : public QObject {
    Q_OBJECT

private slots:
    // One icon and one cursor: the others are made and loaded the same way. The pictures on
    // silver, upright: the floor's shadow under each drawing. (Their size, the celebration's
    // test sees.)
    void shownAsDrawn()
    {
        for (const auto& [loaded, floor] :
            {std::pair(ui::bitmapA(), QPoint(16, 87)), std::pair(ui::bitmapB(), QPoint(15, 81))}) {
            const QImage img = loaded.toImage().convertToFormat(QImage::Format_RGB32);
            QCOMPARE(img.pixel(0, 0), qRgb(192, 192, 192));
            QCOMPARE(img.pixel(floor), qRgb(181, 181, 181));
        }
        const QString dir = qEnvironmentVariable("TASSELDAY_SOURCE_DIR") + "/assets/";
        const QIcon icon = ui::appIcon();
        const QCursor cursor = ui::jumpCursor();
        // Compared as shown, premultiplied: clear pixels all zero, whatever colour they hold.
        for (const auto& [loaded, art] : {std::pair(icon.pixmap(32), "tasselday-32"),
                 std::pair(icon.pixmap(16), "tasselday-16"), std::pair(cursor.pixmap(), "jump")})
            QCOMPARE(loaded.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied),
                QImage(dir + art + ".png").convertToFormat(QImage::Format_ARGB32_Premultiplied));
        QCOMPARE(cursor.hotSpot(), QPoint(15, 15));
        // The icon file as Windows reads it (the build embeds it) where the loader looks past it:
        // two images, each in the directory and in its own header of its size, 256 colours, one
        // plane and 8 bits. (Their lengths and places, the loaded images show.)
        QFile file(QStringLiteral(":/assets/tasselday.ico"));
        const QByteArray b = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        QByteArray read = b.left(6);
        for (int at = 6; at < 38; at += 16)
            read += b.mid(at, 8) + b.mid(qFromLittleEndian<quint32>(b.constData() + at + 12), 16);
        QCOMPARE(read.toHex(' '),
            "00 00 01 00 02 00 "
            "20 20 00 00 01 00 08 00 28 00 00 00 20 00 00 00 40 00 00 00 01 00 08 00 "
            "10 10 00 00 01 00 08 00 28 00 00 00 10 00 00 00 20 00 00 00 01 00 08 00");
    }
};

QTEST_MAIN(AssetsTest)
#include "test_assets.moc"
