#include "ui/desktop.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>

namespace ui {

// Systems without the Windows shell hand the address to the desktop's default handler;
// whatever it answers, nothing is shown.
void Desktop::open(const QString& address) { QDesktopServices::openUrl(QUrl(address)); }

bool Desktop::start(const QString& path, const QStringList& arguments)
{
    return !path.isEmpty() && QProcess::startDetached(path, arguments);
}

bool Desktop::isOrdinaryFile(const QString& path)
{
    // No system attribute here; hidden means a name that starts with a dot.
    const QFileInfo info(path);
    return info.exists() && info.isFile() && !info.isHidden();
}

namespace {

// Systems without a registry: no key exists, so every lookup fails as a missing key would.
class NoRegistry final : public Registry {
public:
    long openKey(std::uint32_t, const std::string&, std::uint32_t, Key*) override
    {
        return reg::kFileNotFound;
    }
    long queryValue(Key, const std::string&, std::uint32_t*, char*, std::uint32_t*) override
    {
        return reg::kFileNotFound;
    }
    void closeKey(Key) override { }
};

} // namespace

std::unique_ptr<Registry> systemRegistry() { return std::make_unique<NoRegistry>(); }

} // namespace ui
