#include "about/sysinfo.h"

#include "ui/desktop_entry.h"
#include "ui/platform.h"
#include "ui/registry.h"

namespace sysinfo {

namespace {

std::string ansi(const QString& text) { return text.toLocal8Bit().toStdString(); }

QString fromAnsi(const std::string& text)
{
    return QString::fromLocal8Bit(text.data(), qsizetype(text.size()));
}

} // namespace

bool GetKeyValue(ui::Registry& registry, quint32 KeyRoot, const QString& KeyName,
    const QString& SubKeyRef, QString& KeyVal)
{
    const std::string before = ansi(KeyVal);
    std::string value = before;
    const bool found = GetKeyValue(registry, KeyRoot, ansi(KeyName), ansi(SubKeyRef), value);
    // Untouched text stays exactly as it was, even where the code page cannot hold it.
    if (value != before)
        KeyVal = fromAnsi(value);
    return found;
}

void StartSysInfo(const ui::Services& services, QWidget* owner)
{
    Tools tools {services.registry,
        [&](const std::string& path) { return services.files.isOrdinaryFile(fromAnsi(path)); },
        [&](const std::string& path) { return services.starter.start(fromAnsi(path)); },
        [&](const std::string& text, const std::string& title) {
            services.messages.show(
                owner, fromAnsi(text), fromAnsi(title), ui::MessageDialog::Icon::None);
        },
        {}};
#ifndef Q_OS_WIN
    tools.startOwnTool = [&] {
        const QStringList command = ui::systemInfoToolCommand();
        return !command.isEmpty() && services.starter.startCommand(command.first(), command.mid(1));
    };
#endif
    StartSysInfo(tools);
}

} // namespace sysinfo
