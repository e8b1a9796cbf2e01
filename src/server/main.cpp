// The companion the player starts at every launch (beside it in a portable folder, in
// libexec/lumora of an install). It keeps one copy of itself per user (per folder, in a portable
// one) alive while its player runs and leaves when none is left, so repeated launches never pile
// up companions.

#include "platform/applocations.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QTimer>

namespace {

bool playerRunning(const QString &playerPath)
{
    const QStringList entries = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString &entry : entries) {
        if (QFile::symLinkTarget(QStringLiteral("/proc/%1/exe").arg(entry)) == playerPath)
            return true;
    }
    return false;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QString playerPath = QFileInfo(AppLocations::playerPath()).canonicalFilePath();
    QLockFile lock(AppLocations::runtimeDirectory() + QStringLiteral("/LumoraPlayerServer.lock"));
    if (!lock.tryLock(0))
        return 0;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, &app, [&playerPath] {
        if (!playerRunning(playerPath))
            QCoreApplication::quit();
    });
    watch.start(2000);
    return app.exec();
}
