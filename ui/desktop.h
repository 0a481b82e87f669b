#pragma once
#include "ui/clock.h"
#include "ui/platform.h"
#include "ui/registry.h"

#include <memory>

namespace ui {

// The real desktop's services, one object for the program's run. Opening an address,
// starting a program and probing a file are each system's own (platform_portable.cpp,
// platform_windows.cpp, one of which the build picks); the rest is the same everywhere
// (platform.cpp).
class Desktop final : public UrlOpener,
                      public ProgramStarter,
                      public FileProbe,
                      public MessageDialog {
public:
    Desktop() : m_registry(systemRegistry()) { }
    Services services() { return {m_clock, *this, *this, *this, *this, *m_registry}; }

    void open(const QString& address) override;
    bool start(const QString& path, const QStringList& arguments) override;
    bool isOrdinaryFile(const QString& path) override;
    void show(QWidget* owner, const QString& text, const QString& title, Icon icon) override;

private:
    SystemClock m_clock;
    std::unique_ptr<Registry> m_registry;
};

} // namespace ui
