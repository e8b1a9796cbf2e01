#pragma once

#include <QHash>
#include <QJsonObject>
#include <QObject>
#include <QString>

class ClockTimer;
class PlayerEndpoint;
class QLabel;
class Widget;
struct PlayEvent;

// The player's side of the fleet: it connects to the device's agent over the local socket,
// says which scheme it plays, switches to a bundle's scheme when the agent says so (at the
// bundle's time, by the clock service), reports what every window shows, grabs the display
// windows for a screenshot and shows the device's name on them to identify it.
class FleetPlayerLink : public QObject
{
    Q_OBJECT

public:
    FleetPlayerLink(Widget *widget, const QString &socketPath, QObject *parent = nullptr);
    ~FleetPlayerLink() override;

    void start();
    // The orderly end: the agent must not count it as a crash.
    void sayBye();

private:
    void onConnected();
    void onMessage(const QJsonObject &message);
    void learnBundle(const QJsonObject &message);
    void armSwitch();
    void switchNow();
    void drawCurtains();
    void liftCurtain(const QString &display);
    void sendPlaying();
    void screenshot(const QJsonObject &message);
    void identify(const QString &device, int seconds);
    void sendPlayEvent(const PlayEvent &event);

    Widget *m_widget;
    QString m_socketPath;
    PlayerEndpoint *m_endpoint = nullptr;
    ClockTimer *m_switchTimer = nullptr;
    qint64 m_pendingBundle = 0;
    QString m_pendingScheme;
    qint64 m_pendingAt = 0;
    QJsonObject m_playing; // display window / window -> item
    bool m_playingQueued = false;
    QList<QLabel *> m_identifyLabels;
    // Stills of the screens as they were, over them while the next scheme comes up.
    QHash<QString, QLabel *> m_curtains;
    // Dark-screen events that came while no agent listened, sent when one does; the last few.
    QList<QJsonObject> m_unsentEvents;
};
