// The smallest Qt Widgets program that does what Tasselday does in outline: one small
// window whose text is rewritten about once a second. Tasselday is measured against it.
#include <QApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QLabel>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QLabel label;
    label.resize(416, 142);
    auto refresh = [&] { label.setText(QDateTime::currentDateTime().toString()); };
    refresh();
    label.show();

    // With --ticks N: time N refreshes and print the median cost in microseconds.
    const QStringList args = app.arguments();
    const qsizetype at = args.indexOf(QStringLiteral("--ticks"));
    if (at >= 0 && at + 1 < args.size()) {
        const int n = args.at(at + 1).toInt();
        std::vector<double> costs;
        costs.reserve(size_t(n));
        QElapsedTimer clock;
        for (int i = 0; i < n; ++i) {
            clock.start();
            refresh();
            costs.push_back(double(clock.nsecsElapsed()) / 1000.0);
        }
        std::nth_element(costs.begin(), costs.begin() + n / 2, costs.end());
        std::printf("%.3f\n", costs[size_t(n / 2)]);
        return 0;
    }

    QTimer timer;
    timer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer, &QTimer::timeout, refresh);
    timer.start(999);
    return app.exec();
}
