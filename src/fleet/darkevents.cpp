#include "darkevents.h"

#include <QDateTime>

namespace {

QString isoOf(qint64 utcMs)
{
    return QDateTime::fromMSecsSinceEpoch(utcMs, Qt::UTC).toString(Qt::ISODate);
}

} // namespace

void DarkEvents::add(const QJsonObject &message, qint64 nowMs)
{
    Event event;
    event.receivedMs = nowMs;
    event.mended = message.value(QStringLiteral("mended")).toBool();
    const qint64 utcMs = qint64(message.value(QStringLiteral("utcMs")).toDouble());
    // The player's own fields, as it sent them; nothing else of the message.
    event.json =
        QJsonObject{{QStringLiteral("at"), isoOf(utcMs > 0 ? utcMs : nowMs)},
                    {QStringLiteral("utcOffset"), message.value(QStringLiteral("utcOffset")).toInt()},
                    {QStringLiteral("kind"), message.value(QStringLiteral("kind")).toString()},
                    {QStringLiteral("screen"), message.value(QStringLiteral("screen")).toString()},
                    {QStringLiteral("window"), message.value(QStringLiteral("window")).toString()},
                    {QStringLiteral("item"), message.value(QStringLiteral("item")).toString()},
                    {QStringLiteral("path"), message.value(QStringLiteral("path")).toString()},
                    {QStringLiteral("mended"), event.mended},
                    {QStringLiteral("detail"), message.value(QStringLiteral("detail")).toString()}};
    m_events.append(event);
    prune(nowMs);
}

void DarkEvents::resumed(const QString &screen, const QString &window, qint64 nowMs)
{
    for (Event &event : m_events) {
        if (!event.resumed && event.json.value(QStringLiteral("screen")).toString() == screen &&
            event.json.value(QStringLiteral("window")).toString() == window) {
            event.resumed = true;
            event.json.insert(QStringLiteral("playsAgain"), isoOf(nowMs));
        }
    }
    prune(nowMs);
}

void DarkEvents::prune(qint64 nowMs)
{
    while (!m_events.isEmpty() &&
           (m_events.size() > MaxEvents || nowMs - m_events.first().receivedMs > KeepMsecs))
        m_events.removeFirst();
}

QJsonArray DarkEvents::events(qint64 nowMs) const
{
    QJsonArray list;
    for (const Event &event : m_events) {
        if (nowMs - event.receivedMs <= KeepMsecs)
            list.append(event.json);
    }
    return list;
}

qint64 DarkEvents::msecsToLight(qint64 nowMs) const
{
    qint64 left = -1;
    for (const Event &event : m_events) {
        if (!event.mended && !event.resumed && nowMs - event.receivedMs < DarkMsecs)
            left = qMax(left, event.receivedMs + DarkMsecs - nowMs);
    }
    return left;
}

bool DarkEvents::dark(qint64 nowMs) const
{
    return msecsToLight(nowMs) > 0;
}

void DarkEvents::describe(QJsonObject *state, qint64 nowMs) const
{
    state->insert(QStringLiteral("darkEvents"), events(nowMs));
    state->insert(QStringLiteral("dark"), dark(nowMs));
}
