#include "about/sysinfo.h"

#include "ui/platform.h"
#include "ui/registry.h"
#include "version.h"

#include <QByteArray>

namespace sysinfo {

namespace {

// Closes the key on every way out, the empty-value error included.
class OpenKey {
public:
    OpenKey(ui::Registry& registry, ui::Registry::Key key) : m_registry(registry), m_key(key) {}
    ~OpenKey() { m_registry.closeKey(m_key); }
    OpenKey(const OpenKey&) = delete;
    OpenKey& operator=(const OpenKey&) = delete;
    ui::Registry::Key key() const { return m_key; }
private:
    ui::Registry& m_registry;
    ui::Registry::Key m_key;
};

} // namespace

bool GetKeyValue(ui::Registry& registry, quint32 KeyRoot, const QString& KeyName,
                 const QString& SubKeyRef, QString& KeyVal)
{
    ui::Registry::Key handle = 0;
    // Reading needs no more than read access, which ordinary users hold.
    if (registry.openKey(KeyRoot, KeyName.toLocal8Bit(), ui::reg::KEY_READ, &handle)
        != ui::reg::ERROR_SUCCESS) {
        KeyVal.clear();
        return false;
    }
    const OpenKey key(registry, handle);

    QByteArray buffer(int(kBufferSize), '\0');
    quint32 type = 0;
    quint32 size = kBufferSize;
    if (registry.queryValue(key.key(), SubKeyRef.toLocal8Bit(), &type, buffer.data(), &size)
        != ui::reg::ERROR_SUCCESS
        || size > kBufferSize) { // a length beyond the buffer is no value that was read
        KeyVal.clear();
        return false;
    }

    if (size == 0)
        throw EmptyValueError();
    // Text is usually stored with its terminating zero, but not always.
    const int kept = buffer.at(int(size) - 1) == '\0' ? int(size) - 1 : int(size);
    const QByteArray bytes = buffer.left(kept);

    switch (type) {
    case ui::reg::REG_SZ:
        KeyVal = QString::fromLocal8Bit(bytes);
        break;
    case ui::reg::REG_DWORD:
        for (int i = kept - 1; i >= 0; --i)
            KeyVal += QStringLiteral("%1").arg(quint8(bytes.at(i)), 2, 16, QLatin1Char('0')).toUpper();
        // Nothing here reads a number, so the hexadecimal text stays as built rather than
        // being turned into decimal.
        KeyVal.prepend(QStringLiteral("&h"));
        break;
    default:
        break;
    }
    return true;
}

void StartSysInfo(const ui::Services& services, QWidget* owner)
{
    QString SysInfoPath;
    bool started = false;
    try {
        if (GetKeyValue(services.registry, ui::reg::HKEY_LOCAL_MACHINE,
                        QString::fromLatin1(kToolKey), QString::fromLatin1(kToolValue),
                        SysInfoPath)) {
            started = services.starter.start(SysInfoPath);
        } else if (GetKeyValue(services.registry, ui::reg::HKEY_LOCAL_MACHINE,
                               QString::fromLatin1(kFolderKey), QString::fromLatin1(kFolderValue),
                               SysInfoPath)) {
            const QString program = SysInfoPath + QString::fromLatin1(kProgramFile);
            if (services.files.isOrdinaryFile(program)) {
                SysInfoPath = program;
                started = services.starter.start(SysInfoPath);
            }
        }
    } catch (...) {
        // Whatever went wrong, the user hears the same thing.
        started = false;
    }
    if (!started)
        services.messages.show(owner, QString::fromLatin1(kUnavailable),
                               QString::fromLatin1(ui::kAppTitle), ui::MessageBox::Icon::None);
}

} // namespace sysinfo
