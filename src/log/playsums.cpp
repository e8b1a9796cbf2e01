#include "playsums.h"

#include <QDate>

#include <cstring>

namespace {

// "HH:mm:ss:zzz" as milliseconds of the day, -1 when it is not that.
qint64 timeOfDayMs(const QByteArray &time)
{
    if (time.size() < 12)
        return -1;
    const char *t = time.constData();
    auto digits = [t](int at, int count) {
        int value = 0;
        for (int i = at; i < at + count; ++i) {
            if (t[i] < '0' || t[i] > '9')
                return -1;
            value = value * 10 + (t[i] - '0');
        }
        return value;
    };
    const int h = digits(0, 2);
    const int m = digits(3, 2);
    const int s = digits(6, 2);
    const int z = digits(9, 3);
    if (h < 0 || m < 0 || s < 0 || z < 0)
        return -1;
    return ((qint64(h) * 60 + m) * 60 + s) * 1000 + z;
}

// Compares "date time" without building the joined text.
int compareStart(const QByteArray &kept, const QByteArray &date, const QByteArray &time)
{
    const int dateOrder =
        std::memcmp(kept.constData(), date.constData(), size_t(qMin(kept.size(), date.size())));
    if (dateOrder != 0 || kept.size() <= date.size())
        return dateOrder != 0 ? dateOrder : (kept.size() < date.size() ? -1 : 0);
    const QByteArray keptTime =
        QByteArray::fromRawData(kept.constData() + date.size() + 1, kept.size() - date.size() - 1);
    return keptTime.compare(time);
}

} // namespace

qint64 PlaySums::shownMs(const QByteArray &beginDate, const QByteArray &beginTime, const QByteArray &endDate,
                         const QByteArray &endTime)
{
    const qint64 begin = timeOfDayMs(beginTime);
    const qint64 end = timeOfDayMs(endTime);
    if (begin < 0 || end < 0)
        return 0;
    qint64 days = 0;
    if (beginDate != endDate) {
        const QDate from = QDate::fromString(QString::fromLatin1(beginDate), QStringLiteral("yyyy-MM-dd"));
        const QDate to = QDate::fromString(QString::fromLatin1(endDate), QStringLiteral("yyyy-MM-dd"));
        if (!from.isValid() || !to.isValid())
            return 0;
        days = from.daysTo(to);
    }
    return days * 86400000 + end - begin;
}

void PlaySums::add(const QByteArray &name, const QByteArray &beginDate, const QByteArray &beginTime,
                   const QByteArray &endDate, const QByteArray &endTime, bool byHour)
{
    auto found = m_items.find(name);
    if (found == m_items.end()) {
        found = m_items.insert(QByteArray(name.constData(), name.size()), Item());
        // Kept buffers: in a log written in time order every row is a new last play.
        found->first.reserve(32);
        found->last.reserve(32);
    }
    Item &item = found.value();
    ++item.plays;
    item.shownMs += shownMs(beginDate, beginTime, endDate, endTime);
    auto keep = [&beginDate, &beginTime](QByteArray &start) {
        start.resize(0);
        start.append(beginDate).append(' ').append(beginTime);
    };
    if (item.plays == 1 || compareStart(item.first, beginDate, beginTime) > 0)
        keep(item.first);
    if (item.plays == 1 || compareStart(item.last, beginDate, beginTime) < 0)
        keep(item.last);

    // Rows come mostly in time order: the period of the row before is nearly always this one.
    const int keyLength = byHour ? beginDate.size() + 3 : beginDate.size();
    const bool samePeriod = m_lastPeriodCount && m_lastPeriod.size() == keyLength &&
                            m_lastPeriod.startsWith(beginDate) &&
                            (!byHour || m_lastPeriod.endsWith(beginTime.left(2)));
    if (!samePeriod) {
        m_lastPeriod = byHour ? beginDate + ' ' + beginTime.left(2)
                              : QByteArray(beginDate.constData(), beginDate.size());
        m_lastPeriodCount = &m_periods[m_lastPeriod];
    }
    ++*m_lastPeriodCount;
}

QVector<PlayLogSummaryRow> PlaySums::items() const
{
    QVector<QByteArray> names = m_items.keys().toVector();
    std::sort(names.begin(), names.end());
    QVector<PlayLogSummaryRow> rows;
    rows.reserve(names.size());
    for (const QByteArray &name : qAsConst(names)) {
        const Item &item = m_items[name];
        PlayLogSummaryRow row;
        row.name = QString::fromUtf8(name);
        row.plays = item.plays;
        row.shownMs = item.shownMs;
        row.firstPlay = QString::fromUtf8(item.first);
        row.lastPlay = QString::fromUtf8(item.last);
        rows.append(row);
    }
    return rows;
}

QVector<QPair<QString, qint64>> PlaySums::periods() const
{
    QVector<QPair<QString, qint64>> counts;
    counts.reserve(m_periods.size());
    for (auto it = m_periods.cbegin(); it != m_periods.cend(); ++it)
        counts.append({QString::fromUtf8(it.key()), it.value()});
    return counts;
}
