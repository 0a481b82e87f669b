// A whole school year in fake time, minute by minute from early August, then every second of
// the ceremony day: five shapes of line, longest first, every word plural, every number
// unsigned, the first not zero; less left at each tick; the percentage rising below 100; bold
// at 12 points from the last minute on; the hand-over when nothing is left.
#include "support/testforms.h"
#include "ui/controls.h"
#include "ui/displaybox.h"

#include <QRegularExpression>
#include <QtTest>

class SchoolYearTest : public QObject {
    Q_OBJECT
private slots:
    void everyTickOfTheYearIsSound()
    {
        TestForms t;
        const double start = ui::toDateValue(2005, 8, 1);
        t.clock.value = start;
        auto& w = t.forms.frmTasselday();
        w.show();
        auto* txt = w.control<ui::DisplayBox>("txtDisplay");
        static const QRegularExpression shape(QStringLiteral(
            "^(?:(?:(?:(?:(\\d+) Weeks, )?(\\d+) Days, )?(\\d+) Hours, )?(\\d+) Minutes, )?"
            "(\\d+) Seconds! School Year Completed: (-?\\d+(?:\\.\\d+)?)%$"));
        const qint64 minutes = qint64(ui::toDateValue(2006, 6, 4) - start) * 1440;
        const qint64 unit[] = {0, 7 * 86400, 86400, 3600, 60, 1};
        qint64 lastLeft = std::numeric_limits<qint64>::max(), step = 0;
        double lastPercent = -1e9;
        for (; w.isLoaded(); ++step) {
            QVERIFY2(!t.forms.frmDone().isLoaded(), "handed over early");
            const QString shown
                = txt->text() + ' ' + w.control<ui::Label>("lblSchoolCompleted")->text();
            const auto m = shape.match(shown);
            QVERIFY2(m.hasMatch(), qPrintable(shown));
            qint64 left = 0;
            for (int i = 1; i <= 5; ++i)
                left += m.captured(i).toLongLong() * unit[i];
            const double percent = m.captured(6).toDouble();
            QVERIFY2(!shown.startsWith('0') && left < lastLeft, qPrintable(shown));
            QVERIFY2(percent >= lastPercent && percent < 100, qPrintable(shown));
            const bool last = left < 60;
            QVERIFY(txt->font().bold() == last && (txt->font().pixelSize() == 16) == last);
            lastLeft = left, lastPercent = percent;
            const qint64 s = step < minutes ? (step + 1) * 60 : minutes * 60 + (step + 1 - minutes);
            t.clock.value = start + double(s) / 86400;
            w.RefreshAllTimers();
        }
        QCOMPARE(qRound64((t.clock.value - w.GradDate) * 86400), qint64(0));
        QVERIFY(t.forms.frmDone().isLoaded() && lastLeft == 1 && step > 300 * 1440);
    }
};

QTEST_MAIN(SchoolYearTest)
#include "test_schoolyear.moc"
