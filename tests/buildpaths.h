#pragma once

#include <QCoreApplication>
#include <QFile>
#include <QHash>
#include <QString>
#include <QtGlobal>

// The folders and programs of this checkout and its build that a test or bench opens: the
// source tree, lumora-scheme, the player. The build writes them into <program>.paths beside
// the program, one NAME=value a line (lumora_build_paths in the top CMakeLists.txt), instead of
// into the compile line, which would then differ in every clone and keep ccache from sharing
// the compilation between them. Being beside the program, the file is found however the
// program is started: by ctest, by hand from any folder (build/tests/shell/test_problems), by
// the sanitized tree's runner.
namespace BuildPaths {

inline QString path(const char *name)
{
    static const QHash<QString, QString> paths = [] {
        QHash<QString, QString> read;
        QFile file(QCoreApplication::applicationFilePath() + QStringLiteral(".paths"));
        if (file.open(QIODevice::ReadOnly | QIODevice::Text)) {
            while (!file.atEnd()) {
                QByteArray line = file.readLine();
                if (line.endsWith('\n'))
                    line.chop(1);
                const int equals = line.indexOf('=');
                if (equals > 0)
                    read.insert(QString::fromUtf8(line.left(equals)),
                                QString::fromUtf8(line.mid(equals + 1)));
            }
        }
        return read;
    }();
    const auto found = paths.constFind(QLatin1String(name));
    if (found == paths.constEnd()) {
        // A program copied out of its build tree, or a name its CMakeLists.txt does not give it.
        qFatal("%s.paths names no %s", qPrintable(QCoreApplication::applicationFilePath()), name);
    }
    return found.value();
}

} // namespace BuildPaths
