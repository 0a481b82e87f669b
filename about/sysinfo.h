#pragma once
#include "about/launcher.h"

#include <QString>
#include <QtGlobal>

class QWidget;

namespace ui {
class Registry;
struct Services;
} // namespace ui

// The launcher as the About box calls it: Qt texts and the desktop's services.
namespace sysinfo {

// As the launcher's GetKeyValue, with the texts in and out in the system's ANSI code page.
bool GetKeyValue(ui::Registry& registry, quint32 KeyRoot, const QString& KeyName,
    const QString& SubKeyRef, QString& KeyVal);

// Any failure on the way ends in one message box, owned by `owner`. Where the system has no
// registry, the desktop's own system information tool is started when one is installed.
void StartSysInfo(const ui::Services& services, QWidget* owner);

} // namespace sysinfo
