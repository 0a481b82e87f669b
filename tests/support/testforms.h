#pragma once
#include "app/program.h"
#include "ui/datevalue.h"
#include "ui/desktop.h"
#include "ui/lifetime.h"

#include <QCoreApplication>

// The program's windows, wired as in the product, with the end of the program counted: on
// stand-ins where tests set the moment or watch what the program asks, on the real registry and
// file probe elsewhere. One per test; its destructor closes what is still open.
struct TestForms {
    struct Clock final : ui::Clock {
        double value = ui::toDateValue(2006, 3, 15, 9, 30, 15); // inside the school year
        int msToNext = 1000; // where in the running second the clock stands
        ui::ClockReading read() const override { return {value, msToNext}; }
        void set(auto... moment) { value = ui::toDateValue(moment...); }
        void advanceSeconds(int seconds) { value += seconds / 86400.0; }
    } clock;
    struct UrlOpener final : ui::UrlOpener {
        QStringList opened;
        void open(const QString& address) override { opened << address; }
    } urls;
    struct ProgramStarter final : ui::ProgramStarter {
        QList<QStringList> started; // each program with its arguments
        bool start(const QString& path, const QStringList& arguments) override
        {
            started << QStringList {path} + arguments;
            return !path.isEmpty();
        }
    } starter;
    struct MessageDialog final : ui::MessageDialog {
        QStringList shown; // the texts, in turn
        void show(QWidget*, const QString& text, const QString&, Icon) override { shown << text; }
    } messages;
    ui::Desktop desktop;
    Program forms {{clock, urls, starter, desktop, messages, desktop.services().registry}};
    int programEnds = 0;
    std::function<void()> m_previousEnd = ui::setProgramEndHandler([this] { ++programEnds; });

    ~TestForms()
    {
        ui::setProgramEndHandler(m_previousEnd);
        flush();
    }
    // Lets deferred deletions of unloaded windows happen.
    static void flush()
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }
};
