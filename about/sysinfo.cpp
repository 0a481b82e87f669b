#include "about/sysinfo.h"

#include "ui/desktop_entry.h"
#include "ui/platform.h"

namespace sysinfo {

namespace {

// Qt's conversion on Windows drops a text's last zero byte, which a value read from the
// registry may keep: the zeros are carried over one by one, the same on every system.
QString fromAnsi(const std::string& text)
{
    QStringList pieces;
    for (const QByteArray& piece :
        QByteArray::fromRawData(text.data(), qsizetype(text.size())).split('\0'))
        pieces << QString::fromLocal8Bit(piece);
    return pieces.join(QChar(u'\0'));
}

} // namespace

void StartSysInfo(const ui::Services& services, QWidget* owner)
{
    Tools tools {services.registry,
        [&](const std::string& path) { return services.files.isOrdinaryFile(fromAnsi(path)); },
        [&](const std::string& path) { return services.starter.start(fromAnsi(path), {}); },
        [&](const std::string& text, const std::string& title) {
            services.messages.show(
                owner, fromAnsi(text), fromAnsi(title), ui::MessageDialog::Icon::None);
        },
        {}};
#ifndef Q_OS_WIN
    tools.startOwnTool = [&] {
        const QStringList command = ui::systemInfoToolCommand();
        return !command.isEmpty() && services.starter.start(command.first(), command.mid(1));
    };
#endif
    StartSysInfo(tools);
}

} // namespace sysinfo
