// What the program shows of its art: the window icon in both its sizes and a cursor with its
// hot spot, each drawn as its art, and the pictures upright on silver. (A file whose layout is
// wrong, Qt's ico plugin refuses or misreads, and its image no longer matches the art.)
#include "ui/assets.h"

#include <QtTest>

namespace {

// As the program shows it: clear pixels all zero.
QImage shown(const QImage& i) { return i.convertToFormat(QImage::Format_ARGB32_Premultiplied); }

// The art the build converts, assets/NAME.png.
QImage art(const QString& name)
{
    return shown(QImage(qEnvironmentVariable("TASSELDAY_SOURCE_DIR") + "/assets/" + name + ".png"));
}

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

    // One icon and one cursor: the others are made and loaded the same way.
    void iconAndCursorAreTheirArt()
    {
        const QIcon icon = ui::appIcon();
        for (const int size : {32, 16})
            QCOMPARE(
                shown(icon.pixmap(size).toImage()), art(QStringLiteral("tasselday-%1").arg(size)));
        const QCursor cursor = ui::jumpCursor();
        QCOMPARE(shown(cursor.pixmap().toImage()), art("jump"));
        QCOMPARE(cursor.hotSpot(), QPoint(15, 15));
        // The icon file as Windows reads it (the build embeds it) where the loader looks past it:
        // two images, each in the directory and in its own header of its size, 256 colours, one
        // plane and 8 bits. (Their lengths and places, the loaded images show.)
        QFile file(QStringLiteral(":/assets/tasselday.ico"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray b = file.readAll();
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
