#include "ui/desktop_entry.h"

#include <QFile>
#include <QHash>
#include <QStandardPaths>

namespace ui {

namespace {

// KDE's Info Center, GNOME's settings page for the system (under its names of several
// releases), and the stand-alone HardInfo, in that order.
const char* const kEntries[] = {
    "org.kde.kinfocenter.desktop",
    "kinfocenter.desktop",
    "gnome-about-panel.desktop",
    "gnome-info-overview-panel.desktop",
    "gnome-info-panel.desktop",
    "hardinfo.desktop",
};

// The keys of the [Desktop Entry] group; other groups (actions) are not the entry's own.
QHash<QString, QString> readEntry(const QString& file)
{
    QHash<QString, QString> keys;
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
        return keys;
    bool inEntry = false;
    while (!f.atEnd()) {
        const QString line = QString::fromUtf8(f.readLine()).trimmed();
        if (line.startsWith(QLatin1Char('[')))
            inEntry = line == QLatin1String("[Desktop Entry]");
        else if (inEntry && !line.startsWith(QLatin1Char('#')) && line.contains(QLatin1Char('=')))
            keys.insert(line.section(QLatin1Char('='), 0, 0).trimmed(),
                line.section(QLatin1Char('='), 1).trimmed());
    }
    return keys;
}

// The string escapes every desktop-entry value may hold: \s, \n, \t, \r, and any other
// character after a backslash as itself.
QString unescapeValue(const QString& value)
{
    static const QString escaped = QStringLiteral("sntr"), meant = QStringLiteral(" \n\t\r");
    QString out;
    for (qsizetype i = 0; i < value.size(); ++i) {
        QChar c = value[i];
        if (c == u'\\' && i + 1 < value.size()) {
            c = value[++i];
            if (const qsizetype k = escaped.indexOf(c); k >= 0)
                c = meant[k];
        }
        out += c;
    }
    return out;
}

} // namespace

QStringList execCommand(const QString& exec)
{
    const QString line = unescapeValue(exec);
    QStringList words;
    QString word;
    bool inWord = false, quoted = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line[i];
        if (quoted) {
            if (c == QLatin1Char('"'))
                quoted = false;
            else if (c == QLatin1Char('\\') && i + 1 < line.size())
                word += line[++i];
            else
                word += c;
        } else if (c == QLatin1Char(' ') || c == QLatin1Char('\t')) {
            if (inWord)
                words << word;
            word.clear();
            inWord = false;
            continue;
        } else if (c == QLatin1Char('"')) {
            quoted = true;
        } else if (c == QLatin1Char('%') && i + 1 < line.size()) {
            // %% is a percent sign; every other field code stands for nothing here.
            if (line[++i] == QLatin1Char('%'))
                word += c;
            else if (!inWord && (i + 1 == line.size() || line[i + 1] == QLatin1Char(' ')))
                continue; // a word that is only a field code vanishes
        } else {
            word += c;
        }
        inWord = true;
    }
    if (inWord)
        words << word;
    return words;
}

QStringList systemInfoToolCommand()
{
    for (const char* name : kEntries) {
        // The first entry of a name, in $XDG_DATA_HOME/applications, then in each of
        // $XDG_DATA_DIRS/applications, is the one that counts, even if it is unusable.
        const QString file
            = QStandardPaths::locate(QStandardPaths::ApplicationsLocation, QLatin1String(name));
        if (file.isEmpty())
            continue;
        const QHash<QString, QString> entry = readEntry(file);
        QStringList command = execCommand(entry.value(QStringLiteral("Exec")));
        const QString tryExec = entry.value(QStringLiteral("TryExec"));
        const bool usable = entry.value(QStringLiteral("Type")) == QLatin1String("Application")
            && entry.value(QStringLiteral("Hidden")) != QLatin1String("true")
            && (tryExec.isEmpty() || !QStandardPaths::findExecutable(tryExec).isEmpty())
            && !command.isEmpty();
        if (usable) {
            command.first() = QStandardPaths::findExecutable(command.first());
            if (!command.first().isEmpty())
                return command;
        }
    }
    return {};
}

} // namespace ui
