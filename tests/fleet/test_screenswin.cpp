// The Screens window on a fleet made as an operator makes one (lumora-fleet, the shipped broker
// configuration): its buttons change the broker's retained state as lumora-fleet does, and the
// window follows the broker meanwhile instead of waiting on it.

#include "../buildpaths.h"
#include "fleet/fleettopics.h"
#include "fleet/mqttlink.h"
#include "fleetsite.h"
#include "log/databaseconn.h"
#include "model/lumoramediaobject.h"
#include "model/schemewriter.h"
#include "opensslcommand.h"
#include "platform/applocations.h"
#include "schemesamples.h"
#include "shell/screenswin.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSslCertificate>
#include <QTemporaryDir>
#include <QTimeZone>
#include <QTreeWidget>
#include <QtTest>

class TestScreensWin : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_dir.reset(new QTemporaryDir);
        QVERIFY(m_dir->isValid());
        // The window remembers its fleet folder in the settings: this test's own.
        AppLocations::setProgramDirectory(m_dir->path());
        m_site.reset(new FleetSite(m_dir->filePath(QStringLiteral("fleet"))));
        QString error;
        QVERIFY2(m_site->init(&error), qPrintable(error));
        for (const QString &device : {QStringLiteral("dev-a"), QStringLiteral("dev-b")})
            QVERIFY2(m_site->enroll(device, {QStringLiteral("lobby")}, &error), qPrintable(error));
        QVERIFY2(m_site->enroll(QStringLiteral("dev-c"), {}, &error), qPrintable(error));
        QVERIFY2(m_site->startBroker(&error), qPrintable(error));
        QVERIFY2(m_site->startContent(&error), qPrintable(error));
    }

    void cleanup()
    {
        if (m_watch)
            m_watch->stop();
        m_watch.reset();
        m_site.reset();
        m_dir.reset();
        m_heard.clear();
    }

    // "Cancel publish" on a group and a device empties their desired states; "Remove device",
    // once confirmed, empties the device's retained topics and the folder forgets it, and the
    // confirmation says what is left to the operator.
    void cancelAndRemoveChangeTheBrokersRetainedState()
    {
        QString output;
        const QString scheme = makeScheme();
        for (const QString &target : {QStringLiteral("lobby"), QStringLiteral("dev-c")}) {
            QCOMPARE(
                m_site->tool({QStringLiteral("publish"), scheme, QStringLiteral("--to"), target}, &output),
                0);
        }
        watchBroker();
        const QString lobbyDesired = FleetTopics::group(QStringLiteral("lobby"), QStringLiteral("desired"));
        const QString deviceDesired = FleetTopics::device(QStringLiteral("dev-c"), QStringLiteral("desired"));
        QTRY_VERIFY_WITH_TIMEOUT(
            !m_heard.value(lobbyDesired).isEmpty() && !m_heard.value(deviceDesired).isEmpty(), 30000);

        ScreensWin window;
        window.openFleet(m_site->caFolder());
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        auto *tree = window.findChild<QTreeWidget *>(QStringLiteral("screensTree"));
        auto *cancel = window.findChild<QPushButton *>(QStringLiteral("cancelPublishButton"));
        auto *remove = window.findChild<QPushButton *>(QStringLiteral("removeDeviceButton"));
        auto *status = window.findChild<QLabel *>(QStringLiteral("screensStatus"));
        QVERIFY(tree && cancel && remove && status);

        select(tree, {QStringLiteral("lobby"), QStringLiteral("dev-c")});
        QTRY_VERIFY_WITH_TIMEOUT(cancel->isEnabled(), 30000);
        m_heard.remove(lobbyDesired);
        m_heard.remove(deviceDesired);
        QTest::mouseClick(cancel, Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(m_heard.contains(lobbyDesired) && m_heard.contains(deviceDesired), 30000);
        QCOMPARE(m_heard.value(lobbyDesired), QByteArray());
        QCOMPARE(m_heard.value(deviceDesired), QByteArray());
        QTRY_VERIFY_WITH_TIMEOUT(status->text().contains(QStringLiteral("lobby")) &&
                                     status->text().contains(QStringLiteral("keep what they play")),
                                 30000);

        // Removal: nothing happens until the operator says yes.
        select(tree, {QStringLiteral("dev-a")});
        QTRY_VERIFY_WITH_TIMEOUT(remove->isEnabled(), 30000);
        QTest::mouseClick(remove, Qt::LeftButton);
        QMessageBox *box = nullptr;
        QTRY_VERIFY_WITH_TIMEOUT(
            (box = window.findChild<QMessageBox *>(QStringLiteral("removeDeviceConfirmation"))) &&
                box->isVisible(),
            10000);
        QVERIFY2(box->text().contains(QStringLiteral("dev-a")) &&
                     box->text().contains(QStringLiteral("revoke")) &&
                     box->text().contains(QStringLiteral("ACL")),
                 qPrintable(box->text()));
        QTest::mouseClick(box->button(QMessageBox::Cancel), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(!window.findChild<QMessageBox *>(QStringLiteral("removeDeviceConfirmation")),
                                 10000);
        QVERIFY(QFile::exists(deviceRecord(QStringLiteral("dev-a"))));

        const QStringList cleared{FleetTopics::device(QStringLiteral("dev-a"), QStringLiteral("desired")),
                                  FleetTopics::device(QStringLiteral("dev-a"), QStringLiteral("state")),
                                  FleetTopics::device(QStringLiteral("dev-a"), QStringLiteral("presence")),
                                  FleetTopics::device(QStringLiteral("dev-a"), QStringLiteral("screenshot"))};
        QTest::mouseClick(remove, Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(
            (box = window.findChild<QMessageBox *>(QStringLiteral("removeDeviceConfirmation"))) &&
                box->isVisible(),
            10000);
        QTest::mouseClick(box->button(QMessageBox::Yes), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(!QFile::exists(deviceRecord(QStringLiteral("dev-a"))), 30000);
        for (const QString &topic : cleared) {
            QTRY_VERIFY2_WITH_TIMEOUT(m_heard.contains(topic), qPrintable(topic), 30000);
            QCOMPARE(m_heard.value(topic), QByteArray());
        }
        QVERIFY(!itemNamed(tree, QStringLiteral("dev-a")));
        QVERIFY(itemNamed(tree, QStringLiteral("dev-b")));
        QVERIFY2(status->text().contains(QStringLiteral("revoked")), qPrintable(status->text()));
        // The certificate dev-a joined with is in the CA's revocation list.
        QFile certificate(QFileInfo(m_site->settingsOf(QStringLiteral("dev-a"))).absolutePath() +
                          QStringLiteral("/fleet/device.crt"));
        QVERIFY(certificate.open(QIODevice::ReadOnly));
        const QByteArray serial =
            QSslCertificate(certificate.readAll()).serialNumber().replace(':', QByteArray()).toUpper();
        const OpenSslCommand listed = OpenSslCommand::run(
            m_site->caFolder(), {QStringLiteral("crl"), QStringLiteral("-in"), QStringLiteral("crl.pem"),
                                 QStringLiteral("-noout"), QStringLiteral("-text")});
        QVERIFY2(listed.output.contains("Serial Number: " + serial + '\n'), listed.output.constData());
    }

    // Each device's play log as the collector has it: how far it is delivered, in the device's
    // time, and how many rows still wait on the device; it follows the collector's answers.
    void aDevicesPlayLogShowsWhatIsDeliveredAndWhatWaits()
    {
        const QString log = m_dir->filePath(QStringLiteral("dev-b-log.db"));
        dataBaseConn::setDatabasePath(log);
        const qint64 start = QDateTime(QDate(2026, 12, 1), QTime(8, 0), Qt::UTC).toMSecsSinceEpoch();
        QString uuid;
        {
            dataBaseConn conn;
            for (int i = 0; i < 5; ++i) {
                PlayLogDetail detail;
                detail.path = QStringLiteral("/m/ad.mp4");
                detail.outcome = QStringLiteral("shown");
                detail.shownMs = 10000;
                detail.startUtcMs = start + i * 60000;
                detail.endUtcMs = detail.startUtcMs + 10000;
                QVERIFY(conn.insertLog(QStringLiteral("ad.mp4"), QStringLiteral("10"),
                                       QStringLiteral("2026-12-01"), QStringLiteral("2026-12-01"),
                                       QStringLiteral("08:00:00:000"), QStringLiteral("08:00:10:000"),
                                       QStringLiteral("success"), detail));
            }
            uuid = conn.logUuid();
        }
        QString error;
        QVERIFY2(m_site->startAgent(QStringLiteral("dev-b"), &error, {QStringLiteral("--log"), log}),
                 qPrintable(error));

        ScreensWin window;
        window.openFleet(m_site->caFolder());
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        auto *tree = window.findChild<QTreeWidget *>(QStringLiteral("screensTree"));
        QVERIFY(tree);
        const int logColumn = 6;
        QCOMPARE(tree->headerItem()->text(logColumn), QStringLiteral("Play log"));
        auto shown = [&] {
            QTreeWidgetItem *item = itemNamed(tree, QStringLiteral("dev-b"));
            return item ? item->text(logColumn) : QString();
        };
        QTRY_COMPARE_WITH_TIMEOUT(shown(), QStringLiteral("nothing delivered yet; rows waiting: 5"), 30000);

        // The collector's answer: it holds rows 1 and 2.
        QVERIFY2(m_site->setDesired(FleetTopics::device(QStringLiteral("dev-b"), QStringLiteral("logack")),
                                    QStringLiteral("{\"format\":1,\"logs\":{\"%1\":2}}").arg(uuid).toUtf8(),
                                    &error),
                 qPrintable(error));
        const QString second = QDateTime::fromMSecsSinceEpoch(start + 60000, Qt::UTC)
                                   .toTimeZone(QTimeZone(QTimeZone::systemTimeZoneId()))
                                   .toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
        QTRY_COMPARE_WITH_TIMEOUT(shown(), QStringLiteral("delivered up to %1; rows waiting: 3").arg(second),
                                  30000);
        m_site->killAgent(QStringLiteral("dev-b"));
    }

private:
    // The broker as the operator's certificate sees it: the last payload of every topic.
    void watchBroker()
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
                [this] { m_watch->subscribe(FleetTopics::prefix() + QStringLiteral("/#")); });
        connect(m_watch.get(), &MqttLink::messageReceived, this,
                [this](const QString &topic, const QByteArray &payload, bool) {
                    m_heard.insert(topic, payload);
                });
        m_watch->start();
        QTRY_VERIFY_WITH_TIMEOUT(m_watch->isConnected(), 30000);
    }

    static QTreeWidgetItem *itemNamed(QTreeWidget *tree, const QString &name)
    {
        for (QTreeWidgetItemIterator it(tree); *it; ++it) {
            if ((*it)->text(0) == name)
                return *it;
        }
        return nullptr;
    }

    static void select(QTreeWidget *tree, const QStringList &names)
    {
        tree->clearSelection();
        for (const QString &name : names) {
            QTreeWidgetItem *item = itemNamed(tree, name);
            QVERIFY2(item, qPrintable(name));
            item->setSelected(true);
        }
    }

    QString deviceRecord(const QString &device) const
    {
        return m_site->caFolder() + QStringLiteral("/devices/") + device + QStringLiteral(".json");
    }

    QString makeScheme()
    {
        const QString picture = m_dir->filePath(QStringLiteral("picture.png"));
        QFile file(picture);
        if (!file.open(QIODevice::WriteOnly))
            return QString();
        file.write(QByteArray(4096, 'x'));
        file.close();
        auto *item = new LumoraMediaObject;
        item->type = QStringLiteral("image");
        item->image.filePath = picture;
        const QString path = m_dir->filePath(QStringLiteral("show.schx"));
        return SchemeWriter::save(path, SchemeSamples::wrap({item})) ? path : QString();
    }

    QScopedPointer<QTemporaryDir> m_dir;
    QScopedPointer<FleetSite> m_site;
    std::unique_ptr<MqttLink> m_watch;
    QHash<QString, QByteArray> m_heard;
};

QTEST_MAIN(TestScreensWin)
#include "test_screenswin.moc"
