#pragma once
#include "app/program.h"
#include "ui/clock.h"
#include "ui/datevalue.h"
#include "ui/lifetime.h"
#include "ui/registry.h"

#include <QCoreApplication>

#include <functional>
#include <map>
#include <vector>

// Stand-ins for the desktop, so tests can set the moment and watch what the program asks.
namespace fakes {

struct Clock final : ui::Clock {
    mutable double value = 0.0;
    mutable int msToNext = 1000; // where in the running second the clock stands
    int msPerRead = 0; // the clock runs on while it is read
    ui::ClockReading read() const override
    {
        const ui::ClockReading reading {value, msToNext};
        if ((msToNext -= msPerRead) <= 0)
            msToNext += 1000, value += 1 / 86400.0;
        return reading;
    }
    void set(int y, int mo, int d, int h = 0, int mi = 0, int s = 0)
    {
        value = ui::toDateValue(y, mo, d, h, mi, s);
    }
    void advanceSeconds(int seconds) { value += seconds / 86400.0; }
};

struct UrlOpener final : ui::UrlOpener {
    QStringList opened;
    void open(const QString& address) override { opened << address; }
};

struct ProgramStarter final : ui::ProgramStarter {
    QStringList started; // paths, and commands with their arguments joined by |
    bool start(const QString& path, const QStringList& arguments) override
    {
        started << (QStringList {path} + arguments).join(QLatin1Char('|'));
        return !path.isEmpty();
    }
};

struct FileProbe final : ui::FileProbe {
    QStringList existing;
    bool isOrdinaryFile(const QString& path) override { return existing.contains(path); }
};

struct MessageDialog final : ui::MessageDialog {
    QStringList shown; // the texts, in turn
    void show(QWidget*, const QString& text, const QString&, Icon) override { shown << text; }
};

// An in-memory registry: keys by path, values by name, each with its type and raw bytes.
struct Registry final : ui::Registry {
    std::map<std::string, std::map<std::string, std::pair<std::uint32_t, std::string>>> keys;
    std::uint32_t grantedAccess = 0xFFFFFFFFu; // access rights the user holds
    int openHandles = 0;

    void set(const std::string& path, const std::string& name, std::uint32_t type,
        const std::string& bytes)
    {
        keys[path][name] = {type, bytes};
    }
    long openKey(
        std::uint32_t root, const std::string& path, std::uint32_t access, Key* key) override
    {
        if (root != ui::reg::kLocalMachine || !keys.count(path))
            return ui::reg::kFileNotFound;
        if (access & ~grantedAccess)
            return ui::reg::kAccessDenied;
        m_open.push_back(path);
        *key = Key(m_open.size());
        ++openHandles;
        return ui::reg::kSuccess;
    }
    long queryValue(Key key, const std::string& name, std::uint32_t* type, char* data,
        std::uint32_t* size) override
    {
        const auto& values = keys[m_open.at(key - 1)];
        const auto found = values.find(name);
        if (found == values.end())
            return ui::reg::kFileNotFound;
        const auto& [valueType, bytes] = found->second;
        if (bytes.size() > *size)
            return ui::reg::kMoreData;
        *type = valueType;
        *size = std::uint32_t(bytes.copy(data, bytes.size()));
        return ui::reg::kSuccess;
    }
    void closeKey(Key) override { --openHandles; }
    std::vector<std::string> m_open; // the path of each key opened, by its handle
};

} // namespace fakes

// The program's windows, wired as in the product, on fakes, with the end of the program
// counted instead of carried out. One per test; its destructor closes whatever is still open.
struct TestForms {
    fakes::Clock clock;
    fakes::UrlOpener urls;
    fakes::ProgramStarter starter;
    fakes::FileProbe files;
    fakes::MessageDialog messages;
    fakes::Registry registry;
    Program forms {{clock, urls, starter, files, messages, registry}};
    int programEnds = 0;

    TestForms()
    {
        clock.set(2006, 3, 15, 9, 30, 15); // well inside the school year
        // The machine's own desktop tools are not the tests' business.
        qputenv("XDG_DATA_HOME", "/nonexistent");
        qputenv("XDG_DATA_DIRS", "/nonexistent");
        m_previousEnd = ui::setProgramEndHandler([this] { ++programEnds; });
    }
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
    std::function<void()> m_previousEnd;
};
