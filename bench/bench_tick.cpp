// Median cost of one refresh of the main window, with the real clock and real widgets:
// each tick shows a new second, as it does once a second when the program runs.
#include "app/frmtasselday.h"
#include "app/program.h"
#include "ui/desktop.h"
#include "ui/lifetime.h"

#include <QApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setStyle(QStringLiteral("Fusion"));
    const int n = argc > 1 ? std::max(1, atoi(argv[1])) : 20000;

    ui::Desktop desktop;
    Program program(desktop.services());
    ui::setProgramEndHandler([] {});

    FrmTasselday& main = program.frmTasselday();
    main.show();
    // Its first frame drawn: from then on the countdown lays out each new line as it is set.
    QApplication::processEvents();
    // Weeks ahead, so every tick takes the longest path and none hands over.
    main.GradDate = desktop.services().clock.now() + 100.25;

    std::vector<double> costs;
    costs.reserve(size_t(n));
    QElapsedTimer timer;
    for (int i = 0; i < n; ++i) {
        // One second less each time, so that every tick writes a new line as a real one does.
        main.GradDate -= 1.0 / 86400;
        timer.start();
        main.RefreshAllTimers();
        costs.push_back(double(timer.nsecsElapsed()) / 1000.0);
    }
    std::nth_element(costs.begin(), costs.begin() + n / 2, costs.end());
    std::printf("%.3f\n", costs[size_t(n / 2)]);
    main.unload();
    return 0;
}
