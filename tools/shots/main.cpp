// lumora-shots [--app-dir DIR] [--only NAME]... OUTDIR
// Writes OUTDIR/<name>.png for every shot of shotlist.cpp (or only the named ones), in the
// language "Language" in DIR/setting.ini selects, as the player reads it at start-up.
// Needs a display; scripts/screenshots runs it under xvfb-run. Exit status: 0 when every
// shot was written, 1 when one failed, 2 on bad arguments.
#include "appcore/applicationfont.h"
#include "appcore/settings.h"
#include "appcore/translations.h"
#include "shell/shellglobals.h"
#include "shell/shellstyle.h"
#include "shotlist.h"
#include "shotstage.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QLabel>

#include <algorithm>
#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Pictures of Lumora's windows, dialogs and play windows."));
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("outdir"), QStringLiteral("Folder the PNG files go to."));
    const QCommandLineOption appDir(
        QStringLiteral("app-dir"),
        QStringLiteral("Application folder whose setting.ini is read (default: a new "
                       "empty one, so the default language)."),
        QStringLiteral("dir"));
    const QCommandLineOption only(QStringLiteral("only"), QStringLiteral("Take only this shot (repeatable)."),
                                  QStringLiteral("name"));
    const QCommandLineOption list(QStringLiteral("list"), QStringLiteral("List the shots' names and exit."));
    parser.addOptions({appDir, only, list});
    parser.process(app);

    const QList<Shot> shots = shotList();
    if (parser.isSet(list)) {
        for (const Shot &shot : shots)
            std::printf("%s\n", qPrintable(shot.name));
        return 0;
    }
    if (parser.positionalArguments().size() != 1) {
        std::fprintf(stderr, "lumora-shots: name one output folder\n");
        return 2;
    }
    const QStringList wanted = parser.values(only);
    for (const QString &name : wanted) {
        if (std::none_of(shots.begin(), shots.end(), [&name](const Shot &s) { return s.name == name; })) {
            std::fprintf(stderr, "lumora-shots: no shot named %s\n", qPrintable(name));
            return 2;
        }
    }

    // The player's own start-up: settings of the application folder, translators, font.
    QString dir = parser.value(appDir);
    if (dir.isEmpty()) {
        dir =
            QDir::temp().filePath(QStringLiteral("lumora-shots-%1").arg(QCoreApplication::applicationPid()));
        QDir().mkpath(dir);
    }
    setApplicationDirectory(QDir(dir).absolutePath());
    readSettings();
    if (appSettings().language == 0 || appSettings().language == 1)
        installTranslations(appSettings().language);
    applyApplicationFont();
    applyApplicationStyle();
    QLabel zeroLabel;
    zeroLabel.setFixedSize(0, 0);
    setZeroSizeLabel(&zeroLabel);

    int failed = 0;
    {
        // Saturday 8 June 2024, 09:15:30: every clock in every run shows this moment.
        ShotStage stage(parser.positionalArguments().first(), QDateTime(QDate(2024, 6, 8), QTime(9, 15, 30)));
        for (const Shot &shot : shots) {
            if (!wanted.isEmpty() && !wanted.contains(shot.name))
                continue;
            stage.begin(shot.name);
            const int before = stage.written().size() + stage.failures().size();
            shot.take(stage);
            if (stage.written().size() + stage.failures().size() == before)
                stage.fail(QStringLiteral("the shot photographed nothing"));
        }
        stage.begin(QString());
        failed = stage.failures().size();
    }
    setZeroSizeLabel(nullptr);
    return failed == 0 ? 0 : 1;
}
