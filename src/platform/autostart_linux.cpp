#include "autostart.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

namespace AutoStart {

namespace {

QString configHome()
{
    const QString xdg = QString::fromLocal8Bit(qgetenv("XDG_CONFIG_HOME"));
    if (!xdg.isEmpty() && QDir::isAbsolutePath(xdg))
        return xdg;
    return QDir::homePath() + QStringLiteral("/.config");
}

// Desktop-entry quoting: the whole path in double quotes with ", `, $ and \ escaped.
QString quotedExec(const QString &path)
{
    QString escaped;
    for (const QChar c : path) {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') || c == QLatin1Char('\\'))
            escaped += QLatin1Char('\\');
        escaped += c;
    }
    // A literal backslash in a desktop-file string value is itself escaped.
    escaped.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    return QLatin1Char('"') + escaped + QLatin1Char('"');
}

} // namespace

QString entryPath(const QString &valueName)
{
    return configHome() + QStringLiteral("/autostart/") + valueName + QStringLiteral(".desktop");
}

bool writeEntry(const QString &valueName, const QString &programPath, bool enabled, const QStringList &arguments)
{
    const QString path = entryPath(valueName);
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text))
        return false;
    const QString flag = enabled ? QStringLiteral("false") : QStringLiteral("true");
    QString text;
    text += QStringLiteral("[Desktop Entry]\n");
    text += QStringLiteral("Type=Application\n");
    text += QStringLiteral("Name=") + valueName + QLatin1Char('\n');
    QString exec = quotedExec(programPath);
    for (const QString &argument : arguments)
        exec += QLatin1Char(' ') + argument;
    text += QStringLiteral("Exec=") + exec + QLatin1Char('\n');
    text += QStringLiteral("Hidden=") + flag + QLatin1Char('\n');
    text += QStringLiteral("X-GNOME-Autostart-enabled=") + (enabled ? QStringLiteral("true") : QStringLiteral("false")) + QLatin1Char('\n');
    file.write(text.toUtf8());
    return file.commit();
}

bool serviceEnabled(const QString &unitName)
{
    // "systemctl --user enable" links the unit into a .wants folder of the target it names;
    // "systemctl --global enable" does the same under /etc for every user.
    const QStringList roots{configHome() + QStringLiteral("/systemd/user"), QStringLiteral("/etc/systemd/user")};
    for (const QString &root : roots) {
        const QStringList wants = QDir(root).entryList({QStringLiteral("*.wants")}, QDir::Dirs | QDir::NoDotAndDotDot);
        for (const QString &folder : wants) {
            if (QFileInfo::exists(root + QLatin1Char('/') + folder + QLatin1Char('/') + unitName))
                return true;
        }
    }
    return false;
}

} // namespace AutoStart
