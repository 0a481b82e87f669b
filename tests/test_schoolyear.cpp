// A whole school year in fake time: minute by minute from early August to the ceremony day,
// then every second of that day, until the hand-over.
#include "app/frmtasselday.h"
#include "celebration/frmdone.h"
#include "support/testforms.h"
#include "ui/controls.h"

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
        auto* txt = w.control<ui::TextBox>("txtDisplay");
        auto* percentLabel = w.control<ui::Label>("lblSchoolCompleted");
        // The five shapes, longest first; every word plural, every number unsigned.
        static const QRegularExpression shape(QStringLiteral(
            "^(?:(?:(?:(?:(\\d+) Weeks, )?(\\d+) Days, )?(\\d+) Hours, )?(\\d+) Minutes, )?"
            "(\\d+) Seconds!$"));
        static const QRegularExpression percentShape(
            QStringLiteral("^School Year Completed: (-?\\d+(?:\\.\\d+)?)%$"));
        const qint64 minutes = qint64(ui::toDateValue(2006, 6, 4) - start) * 1440;
        const qint64 unit[] = {0, 7 * 86400, 86400, 3600, 60, 1};
        qint64 lastLeft = std::numeric_limits<qint64>::max(), step = 0;
        double lastPercent = -1e9;
        for (;; ++step) {
            const qint64 s = step <= minutes ? step * 60 : minutes * 60 + (step - minutes);
            t.clock.value = start + double(s) / 86400;
            w.RefreshAllTimers();
            if (!w.isLoaded())
                break;
            QVERIFY2(!t.forms.frmDone().isLoaded(), "handed over early");
            const auto m = shape.match(txt->text());
            QVERIFY2(m.hasMatch(), qPrintable(txt->text()));
            qint64 left = 0;
            int first = 0;
            for (int i = 5; i >= 1; --i) {
                left += m.captured(i).toLongLong() * unit[i];
                first = m.captured(i).isEmpty() ? first : i;
            }
            QVERIFY2(m.captured(first).toLongLong() > 0 && left < lastLeft, qPrintable(txt->text()));
            lastLeft = left;
            const auto p = percentShape.match(percentLabel->text());
            QVERIFY2(p.hasMatch(), qPrintable(percentLabel->text()));
            const double percent = p.captured(1).toDouble();
            QVERIFY2(percent >= lastPercent && percent < 100, qPrintable(percentLabel->text()));
            lastPercent = percent;
            // Bold at 12 points from the last minute on, and never plain again.
            QCOMPARE(txt->font().bold(), left < 60);
            QCOMPARE(txt->font().pixelSize() == 16, left < 60);
        }
        QCOMPARE(qRound64((t.clock.value - w.GradDate) * 86400), qint64(0));
        QVERIFY(t.forms.frmDone().isLoaded());
        QCOMPARE(lastLeft, qint64(1));
        QVERIFY(step > 300 * 1440);
    }
};

QTEST_MAIN(SchoolYearTest)
#include "test_schoolyear.moc"
