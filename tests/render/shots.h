#pragma once

#include <QDir>
#include <QWidget>

// Saves a grab of `widget` as <name>.png when LUMORA_SHOTS_DIR names a directory, so the
// pictures the tests check can also be looked at.
inline void saveShot(QWidget *widget, const QString &name)
{
    const QString dir = qEnvironmentVariable("LUMORA_SHOTS_DIR");
    if (dir.isEmpty())
        return;
    QDir().mkpath(dir);
    widget->grab().save(QDir(dir).filePath(name + QStringLiteral(".png")));
}
