#pragma once

#include <QJsonArray>
#include <QJsonObject>
#include <QVector>

// What the agent keeps of its player's dark screens (the player's "playEvent" messages) for the
// device's state: the events of the last day, at most the last MaxEvents, and whether the device
// is dark now, that is, an event the player could not mend came less than DarkMsecs ago and its
// window has not played again since ("playResumed").
class DarkEvents
{
public:
    static constexpr int MaxEvents = 20;
    static constexpr qint64 KeepMsecs = 24 * 3600 * 1000;
    static constexpr qint64 DarkMsecs = 5 * 60 * 1000;

    // `nowMs`: UTC milliseconds when the message came.
    void add(const QJsonObject &message, qint64 nowMs);
    void resumed(const QString &screen, const QString &window, qint64 nowMs);

    QJsonArray events(qint64 nowMs) const;
    bool dark(qint64 nowMs) const;
    // Milliseconds until dark() turns false by itself; -1 when it is not dark.
    qint64 msecsToLight(qint64 nowMs) const;
    // Sets "darkEvents" and "dark" in a state.
    void describe(QJsonObject *state, qint64 nowMs) const;

private:
    struct Event
    {
        qint64 receivedMs = 0;
        QJsonObject json;
        bool mended = false;
        bool resumed = false;
    };
    void prune(qint64 nowMs);

    QVector<Event> m_events;
};
