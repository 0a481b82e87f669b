#pragma once
#include "ui/clock.h"
#include "ui/platform.h"
#include "ui/registry.h"

#include <memory>

namespace ui {

// The real desktop's services, owned together for the program's run.
class Desktop {
public:
    Desktop() : m_registry(systemRegistry()) { }
    Services services() { return {m_clock, m_urls, m_starter, m_files, m_messages, *m_registry}; }

private:
    SystemClock m_clock;
    DesktopUrlOpener m_urls;
    DetachedProgramStarter m_starter;
    DiskFileProbe m_files;
    QtMessageDialog m_messages;
    std::unique_ptr<Registry> m_registry;
};

} // namespace ui
