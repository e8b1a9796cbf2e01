#include "playsums.h"

#include "playoutcome.h"

#include <QDate>
#include <QMap>

#include <algorithm>
#include <cstring>
#include <iterator>

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
                   const QByteArray &endDate, const QByteArray &endTime, bool byHour, const QByteArray &path,
                   const QByteArray &outcome, qint64 shown)
{
    m_key.resize(0);
    if (path.isEmpty())
        m_key.append('\0').append(name);
    else
        m_key.append(path);
    auto found = m_items.find(m_key);
    if (found == m_items.end()) {
        found = m_items.insert(m_key, Item());
        found->name = QByteArray(name.constData(), name.size());
        found->path = QByteArray(path.constData(), path.size());
        // Kept buffers: in a log written in time order every row is a new last play.
        found->first.reserve(32);
        found->last.reserve(32);
    }
    Item &item = found.value();
    static const QByteArray failures[] = {PlayOutcomes::keyword(PlayOutcome::FileMissing).toLatin1(),
                                          PlayOutcomes::keyword(PlayOutcome::Unreadable).toLatin1(),
                                          PlayOutcomes::keyword(PlayOutcome::StreamUnreachable).toLatin1()};
    const bool failed = !outcome.isEmpty() && std::find(std::begin(failures), std::end(failures), outcome) !=
                                                  std::end(failures);
    if (failed)
        ++item.notShown;
    else
        ++item.plays;
    if (!failed)
        item.shownMs += shown >= 0 ? shown : shownMs(beginDate, beginTime, endDate, endTime);
    const bool firstRow = item.plays + item.notShown == 1;
    auto keep = [&beginDate, &beginTime](QByteArray &start) {
        start.resize(0);
        start.append(beginDate).append(' ').append(beginTime);
    };
    if (firstRow || compareStart(item.first, beginDate, beginTime) > 0)
        keep(item.first);
    if (firstRow || compareStart(item.last, beginDate, beginTime) < 0)
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
    // A fixed label written in Chinese by an older log and in English now is one item.
    QMap<QPair<QByteArray, QByteArray>, PlayLogSummaryRow> merged;
    for (const Item &item : m_items) {
        QString name = QString::fromUtf8(item.name);
        if (item.path.isEmpty())
            name = PlayOutcomes::canonicalName(name);
        PlayLogSummaryRow &row = merged[{name.toUtf8(), item.path}];
        const QString first = QString::fromUtf8(item.first);
        const QString last = QString::fromUtf8(item.last);
        if (row.name.isEmpty()) {
            row.name = name;
            row.path = QString::fromUtf8(item.path);
            row.firstPlay = first;
            row.lastPlay = last;
        } else {
            row.firstPlay = qMin(row.firstPlay, first);
            row.lastPlay = qMax(row.lastPlay, last);
        }
        row.plays += item.plays;
        row.notShown += item.notShown;
        row.shownMs += item.shownMs;
    }
    return merged.values().toVector();
}

QVector<QPair<QString, qint64>> PlaySums::periods() const
{
    QVector<QPair<QString, qint64>> counts;
    counts.reserve(m_periods.size());
    for (auto it = m_periods.cbegin(); it != m_periods.cend(); ++it)
        counts.append({QString::fromUtf8(it.key()), it.value()});
    return counts;
}
