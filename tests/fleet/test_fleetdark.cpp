// A device whose screen goes dark where it should play: a stream that stops sending but keeps
// its connection, a web renderer that is killed. The real player finds each, mends what it can,
// writes it into its play log's file and tells its agent, whose state (as the operator reads it
// from the broker and through lumora-fleet) has the event within ten seconds; meanwhile the other
// windows play on.

#include "../buildpaths.h"
#include "fleet/mqttlink.h"
#include "fleetsite.h"
#include "model/commonwinobject.h"
#include "model/lumoramediaobject.h"
#include "model/programobject.h"
#include "model/schemewriter.h"
#include "schemesamples.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QScreen>
#include <QSignalSpy>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <csignal>

namespace {

// A live stream over HTTP on loopback: the first connection gets a real MPEG-TS video at its own
// pace for a few seconds, then nothing more, its connection left open (a source that stopped
// sending). Later connections stay silent until serveAgain().
class FrozenStream : public QTcpServer
{
public:
    FrozenStream(const QByteArray &video, int videoMsecs, int sendMsecs)
        : m_video(video)
        , m_bytesPerMs(double(video.size()) / videoMsecs)
        , m_sendMsecs(sendMsecs)
    {
        connect(this, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *socket = nextPendingConnection()) {
                ++connections;
                m_sockets.append(socket);
                if (connections == 1 || m_serveAgain)
                    connect(socket, &QTcpSocket::readyRead, this, [this, socket] { answer(socket); });
            }
        });
        m_pace.setInterval(50);
        connect(&m_pace, &QTimer::timeout, this, &FrozenStream::pace);
        listen(QHostAddress::LocalHost);
    }

    QString address() const { return QStringLiteral("http://127.0.0.1:%1/live.ts").arg(serverPort()); }
    void serveAgain() { m_serveAgain = true; }
    // Since when the stream sends nothing more; invalid while it still sends.
    QElapsedTimer stoppedSending;
    int connections = 0;

private:
    void answer(QTcpSocket *socket)
    {
        socket->readAll();
        disconnect(socket, &QTcpSocket::readyRead, this, nullptr);
        socket->write("HTTP/1.0 200 OK\r\nContent-Type: video/mp2t\r\nAccept-Ranges: none\r\n\r\n");
        m_current = socket;
        m_sent = 0;
        m_since.start();
        stoppedSending.invalidate();
        m_pace.start();
        pace();
    }

    void pace()
    {
        if (!m_current)
            return;
        // A second ahead of the picture, as a live source is; up to the last byte it will send.
        const qint64 limit = qint64(m_bytesPerMs * m_sendMsecs);
        const qint64 due = qMin(limit, qint64(m_bytesPerMs * (m_since.elapsed() + 1000)));
        if (due > m_sent) {
            m_current->write(m_video.mid(int(m_sent), int(due - m_sent)));
            m_sent = due;
        }
        if (m_sent >= limit) {
            m_pace.stop();
            m_current->flush();
            m_current = nullptr;
            stoppedSending.start();
        }
    }

    QByteArray m_video;
    double m_bytesPerMs;
    int m_sendMsecs;
    bool m_serveAgain = false;
    QList<QTcpSocket *> m_sockets; // kept open, silent
    QTcpSocket *m_current = nullptr;
    qint64 m_sent = 0;
    QElapsedTimer m_since;
    QTimer m_pace;
};

} // namespace

class TestFleetDark : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_dir.reset(new QTemporaryDir);
        QVERIFY(m_dir->isValid());
        m_app = m_dir->filePath(QStringLiteral("app"));
        QVERIFY(QDir().mkpath(m_app));
        QVERIFY(
            QFile::copy(BuildPaths::path("LUMORA_PLAYER_BINARY"), m_app + QStringLiteral("/LumoraPlayer")));
        QVERIFY(QFile::copy(BuildPaths::path("LUMORA_SERVER_BINARY"),
                            m_app + QStringLiteral("/LumoraPlayerServer")));
        m_site.reset(new FleetSite(m_dir->filePath(QStringLiteral("fleet"))));
    }

    void cleanup()
    {
        m_watch.reset();
        if (m_player && m_player->state() != QProcess::NotRunning) {
            m_player->kill();
            m_player->waitForFinished(5000);
        }
        m_player.reset();
        // The agent is no child of this test.
        for (const QString &exe : {QStringLiteral("/LumoraPlayer"), QStringLiteral("/LumoraPlayerServer")}) {
            for (qint64 pid : pidsOf(m_app + exe))
                ::kill(pid_t(pid), SIGKILL);
        }
        m_site.reset();
        m_stream.reset();
        m_dir.reset();
    }

    void aFrozenStreamAndAKilledRendererAreEventsAndPlayGoesOn()
    {
        const QString video = m_dir->filePath(QStringLiteral("live.ts"));
        QProcess ffmpeg;
        ffmpeg.start(QStringLiteral("ffmpeg"),
                     {QStringLiteral("-v"), QStringLiteral("error"), QStringLiteral("-f"),
                      QStringLiteral("lavfi"), QStringLiteral("-i"),
                      QStringLiteral("testsrc=size=320x240:rate=25"), QStringLiteral("-t"),
                      QStringLiteral("60"), QStringLiteral("-c:v"), QStringLiteral("mpeg2video"),
                      QStringLiteral("-q:v"), QStringLiteral("8"), QStringLiteral("-f"),
                      QStringLiteral("mpegts"), video});
        QVERIFY(ffmpeg.waitForFinished(120000) && ffmpeg.exitCode() == 0);
        QFile ts(video);
        QVERIFY(ts.open(QIODevice::ReadOnly));
        m_stream.reset(new FrozenStream(ts.readAll(), 60000, 6000));

        startFleet();
        startPlayer();
        watchState();
        QVERIFY(publish(makeScheme()) > 0);

        // The stream plays, stops coming, its picture stands still on the screen, and it is found
        // stalled and loaded again.
        QTRY_VERIFY_WITH_TIMEOUT(m_stream->stoppedSending.isValid(), 60000);
        QElapsedTimer sinceFrozen;
        QVERIFY(waitForStill(QRect(0, 0, 320, 240), &sinceFrozen));
        QTRY_VERIFY_WITH_TIMEOUT(
            hasEvent(QStringLiteral("videoStalled"), true) || sinceFrozen.elapsed() > 60000, 70000);
        qInfo("stalled stream in the device's state %lld ms after its picture stood still",
              sinceFrozen.elapsed());
        QVERIFY(sinceFrozen.elapsed() < 10000);
        QTRY_VERIFY_WITH_TIMEOUT(m_stream->connections >= 2, 10000);

        // The web page's renderer killed: found and loaded again.
        const QList<qint64> renderers = rendererPids();
        QVERIFY2(renderers.size() == 1, qPrintable(QString::number(renderers.size())));
        const qint64 rowsBefore = logRows();
        QElapsedTimer sinceKill;
        sinceKill.start();
        ::kill(pid_t(renderers.first()), SIGKILL);
        QTRY_VERIFY_WITH_TIMEOUT(hasEvent(QStringLiteral("rendererDied"), true), 10000);
        qInfo("killed renderer in the device's state %lld ms after the kill", sinceKill.elapsed());
        QTRY_VERIFY_WITH_TIMEOUT(rendererPids().size() == 1 && rendererPids() != renderers, 30000);

        // The stream stays dead: the reload does not bring it back, the device is dark, and the
        // operator's tools say so.
        QTRY_VERIFY_WITH_TIMEOUT(hasEvent(QStringLiteral("videoStalled"), false), 30000);
        QVERIFY(m_state.value(QStringLiteral("dark")).toBool());
        QString devices;
        QCOMPARE(m_site->tool({QStringLiteral("devices")}, &devices), 0);
        QVERIFY2(devices.contains(QStringLiteral("DARK screen-1")) &&
                     devices.contains(QStringLiteral("last dark: videoStalled")),
                 qPrintable(devices));
        QString status;
        QCOMPARE(m_site->tool({QStringLiteral("status"), QStringLiteral("screen-1")}, &status), 0);
        const QJsonObject shown = QJsonDocument::fromJson(status.toUtf8()).object();
        QVERIFY2(shown.value(QStringLiteral("darkEvents")).toArray().size() >= 3, qPrintable(status));

        // Play went on meanwhile: the pictures beside the stream kept changing.
        QTRY_VERIFY_WITH_TIMEOUT(logRows() >= rowsBefore + 4, 30000);

        // The source sends again: the next reload brings the stream back and the device is lit.
        m_stream->serveAgain();
        QTRY_VERIFY_WITH_TIMEOUT(!m_state.value(QStringLiteral("dark")).toBool() &&
                                     !m_state.value(QStringLiteral("darkEvents")).toArray().isEmpty(),
                                 90000);
        const QJsonArray events = m_state.value(QStringLiteral("darkEvents")).toArray();
        bool again = false;
        for (const QJsonValue &value : events)
            again = again || value.toObject().contains(QStringLiteral("playsAgain"));
        QVERIFY2(again, qPrintable(QJsonDocument(events).toJson()));

        // The player's own record of both.
        QStringList kinds;
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("events"));
            db.setDatabaseName(m_app + QStringLiteral("/log.db"));
            db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=10000"));
            QVERIFY(db.open());
            QSqlQuery q(db);
            QVERIFY(q.exec(QStringLiteral("select kind,mended,screen,path from PLAYEVENTS order by id")));
            while (q.next())
                kinds << QStringLiteral("%1=%2 %3 %4")
                             .arg(q.value(0).toString(), q.value(1).toString(), q.value(2).toString(),
                                  q.value(3).toString());
        }
        QSqlDatabase::removeDatabase(QStringLiteral("events"));
        QVERIFY2(kinds.contains(QStringLiteral("videoStalled=1 D %1").arg(m_stream->address())),
                 qPrintable(kinds.join(QLatin1Char('\n'))));
        QVERIFY2(kinds.filter(QStringLiteral("rendererDied=1 D file://")).size() == 1,
                 qPrintable(kinds.join(QLatin1Char('\n'))));
    }

private:
    void startFleet()
    {
        QString error;
        QVERIFY2(m_site->init(&error), qPrintable(error));
        QVERIFY2(m_site->enroll(QStringLiteral("screen-1"), {QStringLiteral("hall")}, &error,
                                m_app + QStringLiteral("/setting.ini")),
                 qPrintable(error));
        QVERIFY2(m_site->startBroker(&error), qPrintable(error));
        QVERIFY2(m_site->startContent(&error), qPrintable(error));
    }

    void startPlayer()
    {
        m_player.reset(new QProcess);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        env.remove(QStringLiteral("INVOCATION_ID"));
        m_player->setProcessEnvironment(env);
        m_player->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_player->start(m_app + QStringLiteral("/LumoraPlayer"), {});
        QVERIFY(m_player->waitForStarted(10000));
    }

    // The device's state as the operator receives it from the broker, as it comes.
    void watchState()
    {
        m_watch.reset(new MqttLink);
        MqttSettings settings;
        settings.port = m_site->brokerPort();
        settings.clientId = QStringLiteral("operator-watch");
        settings.caFile = m_site->caFolder() + QStringLiteral("/ca.crt");
        settings.certFile = m_site->caFolder() + QStringLiteral("/operator-tls.crt");
        settings.keyFile = m_site->caFolder() + QStringLiteral("/operator-tls.key");
        m_watch->setSettings(settings);
        connect(m_watch.get(), &MqttLink::connected, this,
                [this] { m_watch->subscribe(QStringLiteral("lumora/v1/dev/screen-1/state")); });
        connect(m_watch.get(), &MqttLink::messageReceived, this,
                [this](const QString &, const QByteArray &payload, bool) {
                    m_state = QJsonDocument::fromJson(payload).object();
                });
        m_watch->start();
    }

    // Waits until `area` of the screen has not changed for two seconds; `since` then runs from
    // its last change. False when it keeps changing for a minute, or never showed anything.
    static bool waitForStill(const QRect &area, QElapsedTimer *since)
    {
        QScreen *screen = QGuiApplication::primaryScreen();
        QElapsedTimer watching;
        watching.start();
        QImage last;
        qint64 changed = 0;
        while (watching.elapsed() < 60000) {
            const QImage now =
                screen->grabWindow(0, area.x(), area.y(), area.width(), area.height()).toImage();
            if (now != last) {
                last = now;
                changed = watching.elapsed();
                since->start();
            } else if (watching.elapsed() - changed >= 2000) {
                return true;
            }
            QTest::qWait(50);
        }
        return false;
    }

    bool hasEvent(const QString &kind, bool mended) const
    {
        for (const QJsonValue &value : m_state.value(QStringLiteral("darkEvents")).toArray()) {
            const QJsonObject event = value.toObject();
            if (event.value(QStringLiteral("kind")).toString() == kind &&
                event.value(QStringLiteral("mended")).toBool() == mended)
                return true;
        }
        return false;
    }

    qint64 publish(const QString &scheme)
    {
        QString output;
        if (m_site->tool({QStringLiteral("publish"), scheme, QStringLiteral("--to"), QStringLiteral("hall"),
                          QStringLiteral("--wait"), QStringLiteral("120")},
                         &output) != 0) {
            qWarning("%s", qPrintable(output));
            return -1;
        }
        return output.section(QStringLiteral("bundle "), 1).section(QLatin1Char(':'), 0, 0).toLongLong();
    }

    // Rows of the player's play log so far.
    qint64 logRows() const
    {
        qint64 rows = -1;
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("rows"));
            db.setDatabaseName(m_app + QStringLiteral("/log.db"));
            db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=10000"));
            QSqlQuery q(db);
            if (db.open() && q.exec(QStringLiteral("select count(*) from LOGINFOS")) && q.next())
                rows = q.value(0).toLongLong();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("rows"));
        return rows;
    }

    // A stream, a web page and two pictures taking turns every second, side by side.
    QString makeScheme()
    {
        QList<LumoraMediaObject *> pictures;
        for (const QColor &colour : {QColor(255, 140, 0), QColor(0, 60, 255)}) {
            const QString path = m_dir->filePath(colour.name().mid(1) + QStringLiteral(".png"));
            QImage image(160, 240, QImage::Format_RGB32);
            image.fill(colour);
            if (!image.save(path))
                return QString();
            auto *item = new LumoraMediaObject;
            item->type = QStringLiteral("image");
            item->image.filePath = path;
            item->image.stayTime = 1;
            pictures.append(item);
        }
        const QString page = m_dir->filePath(QStringLiteral("page.html"));
        QFile html(page);
        if (!html.open(QIODevice::WriteOnly))
            return QString();
        html.write("<html><body style='background:#20c040'><h1>Lumora</h1></body></html>");
        html.close();

        Scheme scheme = SchemeSamples::wrap(pictures);
        PlayWinObject &display = scheme.displayWindows.front()->window;
        display.width = 640;
        display.height = 240;
        ProgramObject *program = scheme.displayWindows.front()->schedule.allPrograms().first();
        CommonWinObject *first = program->windows.first();
        first->x = 320;
        first->width = 160;
        first->height = 240;
        auto addWindow = [&](const QString &name, int x, LumoraMediaObject *item) {
            auto *w = new CommonWinObject;
            w->segmentKind = first->segmentKind;
            w->displayWindowName = first->displayWindowName;
            w->segmentName = first->segmentName;
            w->programName = first->programName;
            w->name = name;
            w->x = x;
            w->width = name == QLatin1String("stream") ? 320 : 160;
            w->height = 240;
            item->windowName = name;
            item->programName = first->programName;
            item->segmentName = first->segmentName;
            item->displayWindowName = first->displayWindowName;
            w->media.append(item);
            program->windows.append(w);
        };
        auto *stream = new LumoraMediaObject;
        stream->type = QStringLiteral("streaming");
        stream->streaming.address = m_stream->address();
        stream->streaming.length = QTime(0, 10, 0);
        addWindow(QStringLiteral("stream"), 0, stream);
        auto *web = new LumoraMediaObject;
        web->type = QStringLiteral("URL");
        web->url.address = QUrl::fromLocalFile(page).toString();
        web->url.length = QTime(0, 10, 0);
        addWindow(QStringLiteral("web"), 480, web);
        const QString path = m_dir->filePath(QStringLiteral("dark.schx"));
        return SchemeWriter::save(path, scheme) ? path : QString();
    }

    // The renderer processes of the web engine started by the player. Forked from the engine's
    // zygote, they carry its command line: the children of the zygote that starts renderers (the
    // other one, "--no-zygote-sandbox", starts the GPU and utility processes).
    QList<qint64> rendererPids() const
    {
        const qint64 player = pidsOf(m_app + QStringLiteral("/LumoraPlayer")).value(0, -1);
        auto commandOf = [](qint64 pid) {
            QFile cmdline(QStringLiteral("/proc/%1/cmdline").arg(pid));
            return cmdline.open(QIODevice::ReadOnly) ? cmdline.readAll() : QByteArray();
        };
        QList<qint64> found;
        for (const QString &entry :
             QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
            bool number = false;
            const qint64 pid = entry.toLongLong(&number);
            if (!number || !commandOf(pid).contains("QtWebEngineProcess"))
                continue;
            const qint64 parent = parentOf(pid);
            const QByteArray parentCommand = commandOf(parent);
            if (commandOf(pid).contains("--type=renderer") ||
                (parentCommand.contains("--type=zygote") && !parentCommand.contains("--no-zygote-sandbox") &&
                 parentOf(parent) == player))
                found.append(pid);
        }
        return found;
    }

    static qint64 parentOf(qint64 pid)
    {
        QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
        if (!stat.open(QIODevice::ReadOnly))
            return 0;
        const QByteArray text = stat.readAll();
        // "pid (name) state ppid ...": the name may hold spaces, the last ')' ends it.
        return text.mid(text.lastIndexOf(')') + 2).split(' ').value(1).toLongLong();
    }

    static QList<qint64> pidsOf(const QString &exe)
    {
        QList<qint64> pids;
        for (const QString &entry :
             QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
            if (QFile::symLinkTarget(QStringLiteral("/proc/%1/exe").arg(entry)) == exe)
                pids.append(entry.toLongLong());
        }
        return pids;
    }

    QScopedPointer<QTemporaryDir> m_dir;
    QString m_app;
    QScopedPointer<FleetSite> m_site;
    QScopedPointer<QProcess> m_player;
    QScopedPointer<FrozenStream> m_stream;
    std::unique_ptr<MqttLink> m_watch;
    QJsonObject m_state;
};

QTEST_MAIN(TestFleetDark)
#include "test_fleetdark.moc"
