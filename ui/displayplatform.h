#pragma once
#include <QByteArray>
#include <QList>
#include <QString>

#include <functional>
#include <optional>
#include <vector>

namespace ui {

// How the program reaches a display, decided before QApplication exists.
struct DisplayChoice {
    QByteArray platform; // the Qt platform to ask for; empty to leave Qt's (or the user's) own
    QString error; // set when no display can be opened: the program says so and ends
};

// What the choice reads from its surroundings: one environment variable (empty when unset,
// nullopt to tell unset from empty), and whether an X11 display or a Wayland socket of that
// name answers.
struct DisplaySurroundings {
    std::function<std::optional<QByteArray>(const char*)> env;
    std::function<bool(const QByteArray&)> x11Answers;
    std::function<bool(const QByteArray&)> waylandAnswers;
};

// Wayland grants a program no say over where its windows go, and every window here has a
// fixed place on the screen: where nobody chose a platform (no QT_QPA_PLATFORM, no -platform
// argument) and an X11 display answers, even XWayland in a Wayland session, the program runs
// on X11; with only Wayland, on Wayland. A platform the user chose is kept. When neither
// display answers (none given, or none reachable), the choice carries an error instead of
// leaving Qt to abort.
DisplayChoice chooseDisplay(const QList<QByteArray>& args, const DisplaySurroundings& around);

// The arguments for QApplication: argv with "-platform NAME" added when the choice names one
// (an argument, unlike the environment, is not passed on to the programs this one starts).
// Ends the program with status 1 and the reason on standard error when no display answers.
class DisplayArguments {
public:
    DisplayArguments(int argc, char** argv);
    ~DisplayArguments();
    DisplayArguments(const DisplayArguments&) = delete;
    DisplayArguments& operator=(const DisplayArguments&) = delete;

    // For QApplication, which keeps them for its whole life.
    int& argc() { return m_argc; }
    char** argv() { return m_argv.data(); }
    // Closes the X11 connection that found the display, once Qt holds its own: a server
    // whose last client leaves starts over and for a moment refuses new ones.
    void release();

private:
    QList<QByteArray> m_platform; // "-platform" and its name, when added
    std::vector<char*> m_argv; // the program's own, then those
    int m_argc = 0;
    void* m_x11 = nullptr;
};

} // namespace ui
