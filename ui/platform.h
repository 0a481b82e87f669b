#pragma once
#include <QString>
#include <QStringList>

class QWidget;

// The few services the windows ask of the desktop. Each sits behind a small interface so
// that tests can watch what the program asks for without a browser or a registry.
namespace ui {

class Clock;
class Registry;

class UrlOpener {
public:
    virtual ~UrlOpener() = default;
    // Hands the address to the desktop's default handler; never waits, ignores failure.
    virtual void open(const QString& address) = 0;
};

class ProgramStarter {
public:
    virtual ~ProgramStarter() = default;
    // Starts the program at `path` (never split at blanks) with `arguments`, as they are,
    // with a normal, focused window, without waiting. False when it could not be started.
    virtual bool start(const QString& path, const QStringList& arguments) = 0;
};

class FileProbe {
public:
    virtual ~FileProbe() = default;
    // True for an ordinary file: not a folder, not hidden, not a system file.
    virtual bool isOrdinaryFile(const QString& path) = 0;
};

// Not "MessageBox": <windows.h> makes that name a macro.
class MessageDialog {
public:
    virtual ~MessageDialog() = default;
    enum class Icon { None, Warning };
    // Modal, OK only; returns when the user has closed it.
    virtual void show(QWidget* owner, const QString& text, const QString& title, Icon icon) = 0;
};

// Everything a window may need from outside, handed to every window.
struct Services {
    Clock& clock;
    UrlOpener& urls;
    ProgramStarter& starter;
    FileProbe& files;
    MessageDialog& messages;
    Registry& registry;
};

} // namespace ui
