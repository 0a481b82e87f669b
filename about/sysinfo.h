#pragma once
#include "about/launcher.h"

class QWidget;

namespace ui {
struct Services;
}

// The launcher as the About box calls it: Qt texts and the desktop's services.
namespace sysinfo {

// Any failure on the way ends in one message box, owned by `owner`. Where the system has no
// registry, the desktop's own system information tool is started when one is installed.
void StartSysInfo(const ui::Services& services, QWidget* owner);

} // namespace sysinfo
