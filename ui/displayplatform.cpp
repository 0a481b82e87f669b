#include "ui/displayplatform.h"

#include <QtGlobal>

namespace ui {

void chooseDisplayPlatform(int argc, char** argv)
{
    QList<QByteArray> args;
    for (int i = 1; i < argc; ++i)
        args << QByteArray(argv[i]);
    if (shouldUseX11(args, [](const char* name) { return qgetenv(name); }))
        qputenv("QT_QPA_PLATFORM", "xcb");
}

} // namespace ui
