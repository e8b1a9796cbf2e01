#pragma once

#include "bundlemanifest.h"
#include "darkevents.h"
#include "ed25519key.h"
#include "fleetconfig.h"

#include <QDateTime>
#include <QJsonArray>
#include <QJsonObject>
#include <QObject>
#include <QSslConfiguration>
#include <QVector>

class AgentEndpoint;
class BundleFetcher;
class Clock;
class ClockTimer;
class ContentStore;
class MqttLink;
class PlayLogUploader;
class QNetworkAccessManager;

// The device's side of the fleet, in the companion process: it keeps the MQTT link, takes the
// signed bundle the operator wants on this device (its own desired state or its groups'), brings
// the bundle's files in and checks them, hands a complete bundle to the player and reports what
// the device does. Everything is asynchronous: a dead broker or a hung download never holds up
// the player, which runs in its own process and keeps playing what it has.
//
// On disk, in `folder`: files/ and partial/ (the content store), bundles/<sequence>/ (a bundle's
// files under their names, linked to the store), bundles.json (the active, previous and staged
// bundle as signed manifests, and the highest sequence ever taken).
//
// Headless, the agent answers as a player would (a bundle is active at its switch time) and
// needs none: for tests and for measuring a large fleet on one machine.
class FleetAgent : public QObject
{
    Q_OBJECT

public:
    struct Options
    {
        FleetConfig config;
        QString folder;
        QString socketPath; // the local socket to the player; empty: no player link
        bool headless = false;
        QString version;
        QString playLogPath; // the play log sent to the collector; empty: none
        // Every "now" and timer of the agent (switch times, the clock's offset, the reports);
        // nullptr: Clock::current(). Not owned, outlives the agent.
        Clock *clock = nullptr;
    };

    explicit FleetAgent(const Options &options, QObject *parent = nullptr);
    ~FleetAgent() override;

    bool start(QString *error);
    QJsonObject state() const;

    qint64 activeSequence() const { return m_active.sequence; }

    // A player that ended without closing in order: counted against the bundle it played, and
    // three within ten minutes of a switch send the device back to the bundle before. The
    // companion tells, as it watches the player's process (a player may die before it ever
    // reached the agent).
    void countCrash();

signals:
    void stateChanged();
    // A crash was counted.
    void playerCrashed(int crashesSinceSwitch);
    // A player said hello; a player closed in order (said bye before it went).
    void playerArrived();
    void playerEndedInOrder();
    // The operator asked for the player to be started again.
    void restartRequested();

private:
    struct Bundle
    {
        qint64 sequence = 0;
        SignedManifest signedManifest;
        BundleManifest manifest;
        QDateTime since; // when it became active
        bool isNull() const { return sequence == 0; }
    };

    void onConnected();
    void onMessage(const QString &topic, const QByteArray &payload);
    void onSync(const QByteArray &payload);
    void takeDesired(const QString &topic, const QByteArray &payload);
    void onCommand(const QByteArray &payload);
    void onFetched(qint64 sequence);
    void onFetchFailed(qint64 sequence, const QString &error);
    void handToPlayer();
    void onPlayerMessage(const QJsonObject &message);
    void onPlayerLeft(bool orderly);
    void activate(qint64 sequence);
    void refuseStaged(const QString &reason);
    // The desired state that staged the bundle was emptied or replaced: its fetch stops, its
    // partial files go and a player waiting for its time is told to forget it.
    void cancelStaged(const QString &reason, const Bundle *next = nullptr);
    void rollBack(const QString &reason);
    bool materialize(const Bundle &bundle, QString *error);
    QString bundleFolder(qint64 sequence) const;
    QString schemePath(const Bundle &bundle) const;
    QJsonObject switchMessage(const Bundle &bundle, qint64 atMs) const;
    void prune();
    void load();
    void save() const;
    void setError(const QString &text);
    void publishState();
    void schedulePublish();
    void measureClock();
    // The switch time on this device's clock: corrected by the measured offset only when the
    // offset is larger than the fleet allows (a smaller one is within the measurement's error).
    qint64 localSwitchTime(const QDateTime &at) const;
    // The player's dark screens ("playEvent", "playResumed"): kept and published at once.
    void takePlayEvent(const QJsonObject &message);

    Options m_options;
    Clock *m_clock;
    Ed25519Key m_operatorKey;
    MqttLink *m_link = nullptr;
    PlayLogUploader *m_uploader = nullptr;
    ContentStore *m_store = nullptr;
    BundleFetcher *m_fetcher = nullptr;
    AgentEndpoint *m_endpoint = nullptr;
    ClockTimer *m_switchTimer = nullptr;
    ClockTimer *m_publishTimer = nullptr;
    ClockTimer *m_clockTimer = nullptr;
    ClockTimer *m_heartbeat = nullptr;
    QNetworkAccessManager *m_network = nullptr;
    QSslConfiguration m_ssl;
    bool m_clockMeasured = false;
    qint64 m_clockOffsetMs = 0; // this device's clock minus the content server's

    Bundle m_active;
    Bundle m_previous;
    Bundle m_staged;
    QStringList m_stagedTopics; // the desired states that name it
    bool m_stagedNamed = true;  // by a desired state since the last connect
    QByteArray m_syncToken;     // comes back after the retained desired states
    qint64 m_cancelledAway = 0; // cancelled for want of a desired state after a connect
    bool m_stagedReady = false; // every file there and checked; waiting for its time
    qint64 m_highestTaken = 0;  // never go back: a replayed older manifest is refused
    QVector<qint64> m_refusedSequences;
    qint64 m_bytesDone = 0;
    qint64 m_bytesTotal = 0;

    QJsonArray m_playing;
    QString m_playerScheme;
    bool m_playerPresent = false;
    QVector<QDateTime> m_crashes; // since the last switch
    QString m_lastError;
    QDateTime m_lastErrorAt;
    QJsonObject m_lastRefusal;
    QJsonObject m_lastCancel;
    DarkEvents m_darkEvents;
};
