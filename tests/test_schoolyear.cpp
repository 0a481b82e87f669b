// A whole school year in fake time: the real tick, minute by minute from early August to
// the ceremony day, then every second of that day up to the hand-over.
#include "app/frmtasselday.h"
#include "celebration/frmdone.h"
#include "support/testforms.h"
#include "ui/controls.h"
#include "ui/datevalue.h"

#include <QApplication>
#include <QRegularExpression>
#include <QtTest>

#include <limits>

class SchoolYearTest : public QObject {
    Q_OBJECT
private slots:
    void everyTickOfTheYearIsSound()
    {
        QApplication::setStyle(QStringLiteral("Fusion"));
        TestForms t;
        t.clock.set(2005, 8, 1);
        auto& w = t.forms.frmTasselday();
        w.show();
        auto* txt = w.control<ui::TextBox>("txtDisplay");
        auto* percentLabel = w.control<ui::Label>("lblSchoolCompleted");

        // The five shapes, longest first; every word plural, every number unsigned.
        static const QRegularExpression shape(QStringLiteral(
            "^(?:(?:(?:(?:(\\d+) Weeks, )?(\\d+) Days, )?(\\d+) Hours, )?(\\d+) Minutes, )?"
            "(\\d+) Seconds!$"));
        static const QRegularExpression percentShape(
            QStringLiteral("^School Year Completed: (-?\\d+(?:\\.\\d+)?)%$"));

        const double lastDay = ui::toDateValue(2006, 6, 4);
        const double ceremony = w.GradDate;
        qint64 lastLeft = std::numeric_limits<qint64>::max();
        double lastPercent = -1e9;
        bool wasBold = false;
        int ticks = 0;
        const double start = ui::toDateValue(2005, 8, 1);
        const qint64 minutes = qint64(lastDay - start) * 1440;
        for (qint64 step = 0;; ++step) {
            // Whole minutes until the last day begins, then whole seconds.
            const qint64 seconds = step <= minutes ? step * 60 : minutes * 60 + (step - minutes);
            t.clock.value = start + double(seconds) / 86400;
            w.RefreshAllTimers();
            ++ticks;
            if (!w.isLoaded()) {
                QCOMPARE(qRound64((t.clock.value - ceremony) * 86400), qint64(0));
                break;
            }
            QVERIFY2(!t.forms.frmDone().isLoaded(), "handed over early");

            const QString line = txt->text();
            const auto m = shape.match(line);
            QVERIFY2(m.hasMatch(), qPrintable(line));
            int first = 1;
            while (m.captured(first).isEmpty())
                ++first;
            QVERIFY2(m.captured(first).toLongLong() > 0, qPrintable(line));
            qint64 left = 0;
            const qint64 unit[] = {0, 7 * 86400, 86400, 3600, 60, 1};
            for (int i = 1; i <= 5; ++i)
                left += m.captured(i).toLongLong() * unit[i];
            QVERIFY2(left < lastLeft, qPrintable(line));
            lastLeft = left;

            const auto p = percentShape.match(percentLabel->text());
            QVERIFY2(p.hasMatch(), qPrintable(percentLabel->text()));
            const double percent = p.captured(1).toDouble();
            QVERIFY2(percent >= lastPercent && percent < 100, qPrintable(percentLabel->text()));
            lastPercent = percent;

            const bool bold = txt->font().bold();
            QCOMPARE(bold, left < 60);
            if (bold)
                QCOMPARE(txt->font().pixelSize(), 16); // 12 points at 96 dots per inch
            QVERIFY(!wasBold || bold);
            wasBold = bold;
        }
        QVERIFY(t.forms.frmDone().isLoaded());
        QCOMPARE(lastLeft, qint64(1));
        QVERIFY(ticks > 300 * 1440);
    }
};

QTEST_MAIN(SchoolYearTest)
#include "test_schoolyear.moc"
