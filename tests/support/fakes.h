#pragma once
#include "ui/clock.h"
#include "ui/datevalue.h"
#include "ui/platform.h"

#include <QStringList>

// Stand-ins for the desktop, so tests can set the moment and watch what the program asks.
namespace fakes {

class Clock final : public ui::Clock {
public:
    double value = 0.0;
    int msToNext = 1000; // where in the running second the clock stands
    double now() const override { return value; }
    int msToNextSecond() const override { return msToNext; }
    void set(int y, int mo, int d, int h = 0, int mi = 0, int s = 0)
    {
        value = ui::toDateValue(y, mo, d, h, mi, s);
    }
    void advanceSeconds(int seconds) { value += seconds / 86400.0; }
};

class UrlOpener final : public ui::UrlOpener {
public:
    QStringList opened;
    void open(const QString& address) override { opened << address; }
};

class ProgramStarter final : public ui::ProgramStarter {
public:
    QStringList started;          // paths, and commands with their arguments joined by |
    bool succeed = true;
    bool start(const QString& path) override
    {
        started << path;
        return succeed && !path.isEmpty();
    }
    bool startCommand(const QString& program, const QStringList& arguments) override
    {
        started << (QStringList{program} + arguments).join(QLatin1Char('|'));
        return succeed;
    }
};

class FileProbe final : public ui::FileProbe {
public:
    QStringList existing;
    QStringList asked;
    bool isOrdinaryFile(const QString& path) override
    {
        asked << path;
        return existing.contains(path);
    }
};

class MessageDialog final : public ui::MessageDialog {
public:
    struct Shown {
        QString text, title;
        Icon icon;
    };
    QList<Shown> shown;
    void show(QWidget*, const QString& text, const QString& title, Icon icon) override
    {
        shown.append({text, title, icon});
    }
};

} // namespace fakes
