// The program's headers that need no Qt, included after <windows.h>: they must compile
// beside its macros, and the program's own numbers must be the system's.
#include <windows.h>
#include <shellapi.h>

#include "about/launcher.h"
#include "ui/clock.h"
#include "ui/lifetime.h"
#include "ui/registry.h"
#include "ui/windows_services.h"
#include "version.h"

static_assert(ui::reg::kReadOnly == KEY_READ);
static_assert(ui::reg::kView64 == KEY_WOW64_64KEY);
static_assert(ui::reg::kText == REG_SZ && ui::reg::kNumber == REG_DWORD);
static_assert(ui::reg::kExpandableText == REG_EXPAND_SZ && ui::reg::kBinary == REG_BINARY);
static_assert(ui::reg::kSuccess == ERROR_SUCCESS && ui::reg::kFileNotFound == ERROR_FILE_NOT_FOUND);
static_assert(ui::reg::kAccessDenied == ERROR_ACCESS_DENIED && ui::reg::kMoreData == ERROR_MORE_DATA);
