// Starts the real LumoraPlayer from a private application directory: "Play" = 1 opens the
// configured scheme, plays it after two seconds and records it as the last scheme; a player
// killed while playing reopens that scheme at the next start.
#include "buildpaths.h"
#include "screenscheme.h"
#include "log/playlogreader.h"

#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QDir>
#include <QtTest>

#include <signal.h>

class TestRecovery : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_dir.reset(new QTemporaryDir);
        QVERIFY(m_dir->isValid());
        QVERIFY(QFile::copy(BuildPaths::path("LUMORA_PLAYER_BINARY"), path(QStringLiteral("LumoraPlayer"))));
        m_scheme = path(QStringLiteral("hall.schx"));
        QVERIFY(writeScheme(m_scheme));
    }

    void cleanup()
    {
        if (m_player) {
            m_player->kill();
            m_player->waitForFinished(3000);
            delete m_player;
            m_player = nullptr;
        }
    }

    void playAtStartOpensWaitsAndPlays()
    {
        writeSettings({{"Play", 1}, {"PlayType", 0}, {"SchemePath", m_scheme}, {"CloseType", "normal"}});
        QElapsedTimer sinceStart;
        sinceStart.start();
        QVERIFY(start());
        // The screen of the scheme's display window appears at once; play starts after 2 s and
        // records the scheme as the last one. The 2 s run from a moment after the process
        // started, and polling only sees the record later than it was written, so however
        // slow the machine, the record is never seen sooner; one written at once is seen
        // within a second on an idle machine.
        QTRY_VERIFY_WITH_TIMEOUT(windowNamed(QStringLiteral("Hall screen")), 60000);
        QTRY_COMPARE_WITH_TIMEOUT(setting("LastSchemePath").toString(), m_scheme, 20000);
        QVERIFY2(sinceStart.elapsed() >= 2000,
                 qPrintable(QStringLiteral("play started %1 ms after the start").arg(sinceStart.elapsed())));
    }

    void killedWhilePlayingReopensTheLastScheme()
    {
        writeSettings({{"Play", 1}, {"PlayType", 0}, {"SchemePath", m_scheme}, {"CloseType", "normal"}});
        QVERIFY(start());
        QTRY_COMPARE_WITH_TIMEOUT(setting("LastSchemePath").toString(), m_scheme, 20000);
        ::kill(pid_t(m_player->processId()), SIGKILL);
        QVERIFY(m_player->waitForFinished(10000));
        QTRY_VERIFY_WITH_TIMEOUT(!windowNamed(QStringLiteral("Hall screen")), 10000);
        QCOMPARE(setting("CloseType").toString(), QString());

        // Next start without automatic play: only the abnormal end brings the scheme back.
        writeSettings({{"Play", 0}});
        delete m_player;
        m_player = nullptr;
        QVERIFY(start());
        QTRY_VERIFY_WITH_TIMEOUT(windowNamed(QStringLiteral("Hall screen")), 60000);
    }

    void orderlyPreviousEndOpensNothing()
    {
        // Untranslated texts, so the default display window has its English name.
        writeSettings({{"Language", 2}, {"Play", 0}, {"LastSchemePath", m_scheme}, {"CloseType", "normal"}});
        QVERIFY(start());
        QTRY_VERIFY_WITH_TIMEOUT(windowNamed(QStringLiteral("Display window1")), 60000);
        QVERIFY(!windowNamed(QStringLiteral("Hall screen")));
    }

    // Stopped by a service manager while its log cannot be written (here log.db is a folder):
    // the player still ends in order, and every row it could not write is named in its
    // debug output, the item cut by the stop among them.
    void terminationWithAnUnwritableLogNamesEveryRow()
    {
        QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("log.db")));
        writeSettings({{"Play", 1}, {"PlayType", 0}, {"SchemePath", m_scheme}, {"CloseType", "normal"}});
        m_player = new QProcess;
        m_player->setProcessChannelMode(QProcess::SeparateChannels);
        m_player->start(path(QStringLiteral("LumoraPlayer")), {});
        QVERIFY(m_player->waitForStarted(10000));
        QByteArray err;
        // The first row (a 2 s picture) is refused and kept for another try.
        QTRY_VERIFY_WITH_TIMEOUT((err += m_player->readAllStandardError()).contains("rows kept, retrying"), 30000);
        ::kill(pid_t(m_player->processId()), SIGTERM);
        QVERIFY(m_player->waitForFinished(20000));
        err += m_player->readAllStandardError();
        QCOMPARE(m_player->exitStatus(), QProcess::NormalExit);
        QCOMPARE(m_player->exitCode(), 0);
        QCOMPARE(setting("CloseType").toString(), QStringLiteral("normal"));
        const QList<QByteArray> lost = [&err] {
            QList<QByteArray> lines;
            for (const QByteArray &line : err.split('\n')) {
                if (line.contains("play log row not written: green.png,"))
                    lines << line;
            }
            return lines;
        }();
        QVERIFY2(lost.size() >= 2, err.constData());
        QVERIFY2(lost.first().contains(",success,shown,"), lost.first().constData());
        QVERIFY2(lost.last().contains(",cut short by a stop,cut-stop,"), lost.last().constData());
    }

    // A document still being converted when the service manager stops the player: the
    // converter's whole process group ends with the player.
    void terminationEndsAConversionUnderWay()
    {
        const QString bin = path(QStringLiteral("bin"));
        QVERIFY(QDir().mkpath(bin));
        const QString pids = path(QStringLiteral("converter.pid"));
        {
            QFile script(bin + QStringLiteral("/soffice"));
            QVERIFY(script.open(QIODevice::WriteOnly));
            script.write(QStringLiteral("#!/bin/sh\necho $$ > '%1'\nsleep 300\n").arg(pids).toUtf8());
            script.close();
            QVERIFY(script.setPermissions(script.permissions() | QFileDevice::ExeOwner));
        }
        const QString document = path(QStringLiteral("report.docx"));
        {
            QFile docx(document);
            QVERIFY(docx.open(QIODevice::WriteOnly) && docx.write("not converted yet") > 0);
        }
        QVERIFY(writeScheme(m_scheme, QStringLiteral("office"), document));
        writeSettings({{"Play", 1}, {"PlayType", 0}, {"SchemePath", m_scheme}, {"CloseType", "normal"}});
        m_player = new QProcess;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("PATH"), bin + QLatin1Char(':') + env.value(QStringLiteral("PATH")));
        m_player->setProcessEnvironment(env);
        m_player->setProcessChannelMode(QProcess::ForwardedChannels);
        m_player->start(path(QStringLiteral("LumoraPlayer")), {});
        QVERIFY(m_player->waitForStarted(10000));
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(pids).size() > 0, 30000);
        QFile pidFile(pids);
        QVERIFY(pidFile.open(QIODevice::ReadOnly));
        const pid_t group = pid_t(pidFile.readAll().trimmed().toLongLong());
        QVERIFY(group > 0 && ::kill(-group, 0) == 0);
        ::kill(pid_t(m_player->processId()), SIGTERM);
        QVERIFY(m_player->waitForFinished(20000));
        QCOMPARE(m_player->exitCode(), 0);
        // Nothing of the group is left (a zombie would still answer until reaped by init).
        QTRY_VERIFY_WITH_TIMEOUT(::kill(-group, 0) != 0, 10000);
    }

    // Played on the wall clock, a page of empty windows between two pages of pictures holds no
    // time: the third page's picture is in the log from the end of the first page's on.
    void aPageOfEmptyWindowsIsPassedOverInPlay()
    {
        QImage red(32, 32, QImage::Format_RGB32);
        red.fill(Qt::red);
        QVERIFY(red.save(path(QStringLiteral("red.png"))));
        const QPair<QString, QString> empty;
        QVERIFY(writeScreenPages(m_scheme, QStringLiteral("Hall screen"),
                                 {{{QStringLiteral("image"), path(QStringLiteral("green.png"))}},
                                  {empty, empty},
                                  {{QStringLiteral("image"), path(QStringLiteral("red.png"))}}}));
        writeSettings({{"Play", 0}, {"CloseType", "normal"}});
        m_player = new QProcess;
        m_player->setProcessChannelMode(QProcess::ForwardedChannels);
        m_player->start(path(QStringLiteral("LumoraPlayer")), {QStringLiteral("--play"), m_scheme});
        QVERIFY(m_player->waitForStarted(10000));
        QTRY_VERIFY_WITH_TIMEOUT(playRows().size() >= 3, 60000);
        const QVector<PlayRow> rows = playRows();
        QCOMPARE(rows.at(0).name, QStringLiteral("green.png"));
        QCOMPARE(rows.at(1).name, QStringLiteral("red.png"));
        QCOMPARE(rows.at(2).name, QStringLiteral("green.png"));
        for (int i = 1; i < 3; ++i) {
            const qint64 gap = rows.at(i - 1).stop.msecsTo(rows.at(i).start);
            QVERIFY2(gap >= 0 && gap <= 1000,
                     qPrintable(QStringLiteral("row %1 begins %2 ms after the one before").arg(i).arg(gap)));
        }
    }

    // The shipped systemd user unit is sound, and its command line brings a killed player back:
    // playing its last scheme within ten seconds, with the time it was away as a gap in the play
    // log, and the restart named in its debug output.
    void theUnitPlaysAKilledPlayerAgain()
    {
        QStringList command = unitCommand();
        QVERIFY(!command.isEmpty());
        QCOMPARE(QFileInfo(command.first()).fileName(), QStringLiteral("LumoraPlayer"));
        command.first() = path(QStringLiteral("LumoraPlayer"));
        verifyUnit(command.first());

        // Played once by hand; the start-up choice is not to play anything.
        writeSettings({{"Play", 0}, {"CloseType", "normal"}});
        m_player = new QProcess;
        m_player->setProcessChannelMode(QProcess::ForwardedChannels);
        m_player->start(path(QStringLiteral("LumoraPlayer")), {QStringLiteral("--play"), m_scheme});
        QVERIFY(m_player->waitForStarted(10000));
        QTRY_VERIFY_WITH_TIMEOUT(!playRows().isEmpty(), 60000);
        const QDateTime killed = QDateTime::currentDateTime();
        ::kill(pid_t(m_player->processId()), SIGKILL);
        QVERIFY(m_player->waitForFinished(10000));
        delete m_player;

        m_player = new QProcess;
        m_player->setProcessChannelMode(QProcess::SeparateChannels);
        const QDateTime restarted = QDateTime::currentDateTime();
        m_player->start(command.first(), command.mid(1));
        QVERIFY(m_player->waitForStarted(10000));
        QDateTime playingAgain;
        QTRY_VERIFY_WITH_TIMEOUT(
            [&] {
                for (const auto &row : playRows()) {
                    if (row.start >= restarted)
                        playingAgain = row.start;
                }
                return playingAgain.isValid();
            }(),
            60000);
        qInfo("playing again %lld ms after the restart", restarted.msecsTo(playingAgain));
        QVERIFY2(playingAgain <= restarted.addSecs(10),
                 qPrintable(QStringLiteral("playing again %1 ms after the restart").arg(restarted.msecsTo(playingAgain))));
        // Nothing is logged for the time no player ran.
        for (const auto &row : playRows())
            QVERIFY(row.stop <= killed || row.start >= restarted);
        QVERIFY(m_player->readAllStandardError().contains("started again after an end that was not orderly"));
    }

private:
    // The shipped unit's ExecStart, split into the program and its arguments.
    static QStringList unitCommand()
    {
        QFile unit(QCoreApplication::applicationDirPath() + QStringLiteral("/lumora-player.service"));
        if (!unit.open(QIODevice::ReadOnly | QIODevice::Text))
            return {};
        for (const QByteArray &line : unit.readAll().split('\n')) {
            if (line.startsWith("ExecStart="))
                return QString::fromUtf8(line.mid(int(qstrlen("ExecStart=")))).split(QLatin1Char(' '), Qt::SkipEmptyParts);
        }
        return {};
    }

    // systemd's own check of the unit, with its program where this test runs it.
    void verifyUnit(const QString &program)
    {
        if (QStandardPaths::findExecutable(QStringLiteral("systemd-analyze")).isEmpty())
            QSKIP("systemd-analyze is not installed");
        QFile shipped(QCoreApplication::applicationDirPath() + QStringLiteral("/lumora-player.service"));
        QVERIFY(shipped.open(QIODevice::ReadOnly | QIODevice::Text));
        QByteArray text;
        for (const QByteArray &line : shipped.readAll().split('\n')) {
            if (line.startsWith("ExecStart="))
                text += "ExecStart=" + program.toUtf8() + line.mid(line.indexOf(' ')) + '\n';
            else
                text += line + '\n';
        }
        QFile unit(path(QStringLiteral("lumora-player.service")));
        QVERIFY(unit.open(QIODevice::WriteOnly) && unit.write(text) == text.size());
        unit.close();
        QTemporaryDir runtime;
        QProcess analyze;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
        analyze.setProcessEnvironment(env);
        analyze.setProcessChannelMode(QProcess::MergedChannels);
        analyze.start(QStringLiteral("systemd-analyze"),
                      {QStringLiteral("--user"), QStringLiteral("verify"), QStringLiteral("--man=no"), unit.fileName()});
        QVERIFY(analyze.waitForFinished(30000));
        const QByteArray said = analyze.readAll();
        QVERIFY2(analyze.exitCode() == 0 && said.trimmed().isEmpty(), said.constData());
    }

    struct PlayRow
    {
        QString name;
        QDateTime start;
        QDateTime stop;
    };

    // Every row in the player's log, in the order written.
    QVector<PlayRow> playRows() const
    {
        QVector<PlayRow> rows;
        PlayLogReader reader(path(QStringLiteral("log.db")));
        reader.forEach(PlayLogFilter(), [&rows](const PlayLogEntry &row) {
            const QString format = QStringLiteral("yyyy-MM-dd hh:mm:ss:zzz");
            rows.append({row.name, QDateTime::fromString(row.startText(), format),
                         QDateTime::fromString(row.stopText(), format)});
            return true;
        });
        return rows;
    }

    QString path(const QString &name) const { return m_dir->path() + QLatin1Char('/') + name; }

    bool writeScheme(const QString &file, const QString &type = QStringLiteral("image"),
                     const QString &source = QString())
    {
        QImage picture(32, 32, QImage::Format_RGB32);
        picture.fill(Qt::green);
        if (!picture.save(path(QStringLiteral("green.png"))))
            return false;
        return writeScreenScheme(file, QStringLiteral("Hall screen"),
                                 {{type, source.isEmpty() ? path(QStringLiteral("green.png")) : source}});
    }

    void writeSettings(const QList<QPair<QString, QVariant>> &values)
    {
        QSettings ini(path(QStringLiteral("setting.ini")), QSettings::IniFormat);
        for (const auto &value : values)
            ini.setValue(value.first, value.second);
    }

    QVariant setting(const char *key) const
    {
        return QSettings(path(QStringLiteral("setting.ini")), QSettings::IniFormat).value(QLatin1String(key));
    }

    bool start()
    {
        m_player = new QProcess;
        m_player->setProcessChannelMode(QProcess::ForwardedChannels);
        m_player->start(path(QStringLiteral("LumoraPlayer")), {});
        return m_player->waitForStarted(10000);
    }

    // A top-level window of that title on the X display, as xdotool sees it.
    static bool windowNamed(const QString &title)
    {
        QProcess xdotool;
        xdotool.start(QStringLiteral("xdotool"), {QStringLiteral("search"), QStringLiteral("--name"),
                                                  QLatin1Char('^') + title + QLatin1Char('$')});
        xdotool.waitForFinished(5000);
        return !xdotool.readAllStandardOutput().trimmed().isEmpty();
    }

    QScopedPointer<QTemporaryDir> m_dir;
    QString m_scheme;
    QProcess *m_player = nullptr;
};

QTEST_GUILESS_MAIN(TestRecovery)
#include "test_recovery.moc"
