#pragma once
#include <QString>
#include <QStringList>

// The desktop's own system information tool on systems without a registry, found through
// the desktop entries of the tools that desktops install.
namespace ui {

// The tool's program (a full path) and its arguments, from the Exec line of the first
// installed entry; empty when none is installed. Entries are looked up by their names in
// $XDG_DATA_HOME/applications, then in each of $XDG_DATA_DIRS/applications.
QStringList systemInfoToolCommand();

// An Exec line split into the program and its arguments: blanks separate, double quotes
// group (with \" \` \$ \\ inside), field codes such as %u or %F are dropped, %% is a %.
QStringList execCommand(const QString& exec);

} // namespace ui
