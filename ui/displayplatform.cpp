#include "ui/displayplatform.h"

#include <QByteArrayList>
#include <QtGlobal>

#include <cstdio>
#include <cstdlib>

#ifdef TASSELDAY_HAVE_XCB
#include <xcb/xcb.h>
#endif
#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#define TASSELDAY_CHOOSES_DISPLAY
#endif

namespace ui {

namespace {

// What a display variable says when its display does not answer.
QString unanswered(const char* variable, const char* kind, const std::optional<QByteArray>& name)
{
    if (!name)
        return QStringLiteral("%1 is not set").arg(QLatin1String(variable));
    if (name->isEmpty())
        return QStringLiteral("%1 is empty").arg(QLatin1String(variable));
    return QStringLiteral("the %1 display \"%2\" does not answer")
        .arg(QLatin1String(kind), QString::fromLocal8Bit(*name));
}

} // namespace

DisplayChoice chooseDisplay(const QList<QByteArray>& args, const DisplaySurroundings& around)
{
    std::optional<QByteArray> chosen = around.env("QT_QPA_PLATFORM");
    std::optional<QByteArray> x11 = around.env("DISPLAY");
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QByteArray& a = args[i];
        const QByteArray next = i + 1 < args.size() ? args[i + 1] : QByteArray();
        if (a == "-platform" || a == "--platform")
            chosen = next;
        else if (a.startsWith("-platform="))
            chosen = a.mid(10);
        else if (a == "-display" || a == "--display")
            x11 = next; // the X11 platform's own argument
    }
    if (chosen && chosen->isEmpty())
        chosen.reset();
    const std::optional<QByteArray> wayland = around.env("WAYLAND_DISPLAY");
    const bool handedSocket = around.env("WAYLAND_SOCKET").value_or("").size() > 0;
    const bool waylandGiven = handedSocket || wayland.value_or("").size() > 0;
    const auto x11Answers = [&] { return x11 && !x11->isEmpty() && around.x11Answers(*x11); };
    // A chosen Wayland platform connects to "wayland-0" when no name is given.
    const auto waylandAnswers = [&](bool byDefault) {
        return handedSocket
            || ((waylandGiven || byDefault)
                && around.waylandAnswers(wayland.value_or("").isEmpty() ? "wayland-0" : *wayland));
    };
    const QString reasons = unanswered("DISPLAY", "X", x11) + QStringLiteral("; ")
        + (waylandGiven ? unanswered("WAYLAND_DISPLAY", "Wayland", wayland)
                        : QStringLiteral("WAYLAND_DISPLAY is not set"));
    const QString failed = QStringLiteral("no display could be opened (%1)").arg(reasons);

    if (chosen) {
        // Kept as chosen; only a choice of display platforms none of which answers fails.
        for (const QByteArray& entry : chosen->split(';')) {
            const QByteArray name = entry.split(':').first().trimmed();
            const bool isX11 = name == "xcb";
            const bool isWayland = name.startsWith("wayland");
            if ((!isX11 && !isWayland) || (isX11 && x11Answers())
                || (isWayland && waylandAnswers(true)))
                return {};
        }
        return {{}, failed};
    }
    if (x11Answers())
        return {"xcb", {}};
    if (waylandAnswers(false))
        return {"wayland", {}};
    return {{}, failed};
}

DisplayArguments::DisplayArguments(int argc, char** argv) : m_argv(argv, argv + argc)
{
#ifdef TASSELDAY_CHOOSES_DISPLAY
    DisplaySurroundings around;
    around.env = [](const char* name) {
        return qEnvironmentVariableIsSet(name) ? std::optional(qgetenv(name)) : std::nullopt;
    };
    around.x11Answers = [this](const QByteArray& name) {
#ifdef TASSELDAY_HAVE_XCB
        release();
        xcb_connection_t* c = xcb_connect(name.constData(), nullptr);
        m_x11 = c;
        return xcb_connection_has_error(c) == 0;
#else
        Q_UNUSED(name);
        return false;
#endif
    };
    around.waylandAnswers = [](const QByteArray& name) {
        const QByteArray path
            = name.startsWith('/') ? name : qgetenv("XDG_RUNTIME_DIR") + '/' + name;
        sockaddr_un address {};
        address.sun_family = AF_UNIX;
        if (!path.startsWith('/') || size_t(path.size()) >= sizeof address.sun_path)
            return false;
        std::memcpy(address.sun_path, path.constData(), size_t(path.size()));
        const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        const bool answered
            = fd >= 0 && ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
        if (fd >= 0)
            close(fd);
        return answered;
    };
    const DisplayChoice choice = chooseDisplay(QList<QByteArray>(argv + 1, argv + argc), around);
    if (!choice.error.isEmpty()) {
        std::fprintf(stderr, "tasselday: %s\n", qPrintable(choice.error));
        std::exit(1);
    }
    if (!choice.platform.isEmpty())
        m_platform = {"-platform", choice.platform};
    for (QByteArray& a : m_platform)
        m_argv.push_back(a.data());
#endif
    m_argc = int(m_argv.size());
    m_argv.push_back(nullptr);
}

DisplayArguments::~DisplayArguments() { release(); }

void DisplayArguments::release()
{
#ifdef TASSELDAY_HAVE_XCB
    if (m_x11)
        xcb_disconnect(static_cast<xcb_connection_t*>(m_x11));
#endif
    m_x11 = nullptr;
}

} // namespace ui
