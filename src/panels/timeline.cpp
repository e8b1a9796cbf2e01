#include "timeline.h"

#include <algorithm>

namespace {
// Reads `count` digits of `text` from `at`; -1 when any is not one.
int digits(const QStringRef &text, int at, int count)
{
    int value = 0;
    for (int i = at; i < at + count; ++i) {
        const QChar c = text.at(i);
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return -1;
        value = value * 10 + (c.unicode() - '0');
    }
    return value;
}
} // namespace

Timeline::Timeline(const QDate &firstDay, int days)
    : m_firstDay(firstDay)
    , m_days(days)
{}

Timeline::Display &Timeline::display(const QString &name)
{
    const auto it = m_index.constFind(name);
    if (it != m_index.constEnd())
        return m_displays[size_t(it.value())];
    m_index.insert(name, int(m_displays.size()));
    m_displays.emplace_back();
    m_displays.back().name = name;
    return m_displays.back();
}

QString Timeline::intern(const QStringRef &text)
{
    // Thousands of rows name the same few windows, items and pages: they share one string.
    const QString key = text.toString();
    const auto it = m_names.constFind(key);
    if (it != m_names.constEnd())
        return it.value();
    m_names.insert(key, key);
    return key;
}

bool Timeline::parseTime(const QStringRef &date, const QStringRef &time, qint64 *msecs)
{
    if (date.size() != 10 || time.size() != 12)
        return false;
    if (date != m_lastDate) {
        const int year = digits(date, 0, 4);
        const int month = digits(date, 5, 2);
        const int day = digits(date, 8, 2);
        const QDate parsed(year, month, day);
        if (!parsed.isValid() || !m_firstDay.isValid())
            return false;
        m_lastDate = date.toString();
        m_lastDay = m_firstDay.daysTo(parsed);
    }
    const int h = digits(time, 0, 2);
    const int m = digits(time, 3, 2);
    const int s = digits(time, 6, 2);
    const int ms = digits(time, 9, 3);
    if (h < 0 || h > 23 || m < 0 || m > 59 || s < 0 || s > 59 || ms < 0)
        return false;
    *msecs = m_lastDay * DayMsecs + ((h * 60 + m) * 60 + s) * 1000LL + ms;
    return true;
}

bool Timeline::addLine(const QString &line)
{
    const QVector<QStringRef> fields = line.splitRef(QLatin1Char('\t'));
    if (fields.size() >= 3 && fields.first() == QLatin1String("#"))
        return addEvent(fields);
    if (fields.size() == 9)
        return addRow(fields);
    return false;
}

void Timeline::close(Display &d, Lane lane, qint64 at)
{
    QVector<Bar> &bars = d.lanes[lane];
    if (!bars.isEmpty() && bars.last().end < 0)
        bars.last().end = std::max(at, bars.last().start);
}

bool Timeline::addEvent(const QVector<QStringRef> &fields)
{
    const QStringRef stamp = fields.at(1);
    qint64 at = 0;
    if (stamp.size() != 23 || !parseTime(stamp.left(10), stamp.mid(11), &at))
        return false;
    m_reached = std::max(m_reached, at);
    // A notice of the player's ("nothing to play"): it shows as the absence of bars.
    if (fields.size() == 3)
        return true;
    Display &d = display(intern(fields.at(2)));
    const QStringRef what = fields.at(3);
    const auto open = [&](Lane lane, int details) {
        if (fields.size() < 4 + details)
            return false;
        close(d, lane, at);
        Bar bar;
        bar.kind = lane == SegmentLane ? QStringLiteral("generalSegment") : intern(fields.at(4));
        bar.segment = intern(fields.at(lane == SegmentLane ? 4 : 5));
        if (lane == PageLane)
            bar.page = intern(fields.at(6));
        bar.start = at;
        d.lanes[lane].append(bar);
        return true;
    };
    // An insert's page ends with it, a general segment's with the segment: no page event
    // follows when nothing else shows.
    const auto closePageOf = [&](bool general) {
        const QVector<Bar> &pages = d.lanes[PageLane];
        if (!pages.isEmpty() && (pages.last().kind == QLatin1String("generalSegment")) == general)
            close(d, PageLane, at);
    };
    if (what == QLatin1String("segment start"))
        return open(SegmentLane, 1);
    if (what == QLatin1String("insert start"))
        return open(InsertLane, 2);
    if (what == QLatin1String("page"))
        return open(PageLane, 3);
    if (what == QLatin1String("segment end")) {
        close(d, SegmentLane, at);
        closePageOf(true);
    } else if (what == QLatin1String("insert end")) {
        close(d, InsertLane, at);
        closePageOf(false);
    } else if (what == QLatin1String("play stop")) {
        for (Lane lane : {SegmentLane, InsertLane, PageLane})
            close(d, lane, at);
    }
    // Events of later versions are passed over: the bars above still hold.
    return true;
}

bool Timeline::addRow(const QVector<QStringRef> &fields)
{
    Item item;
    if (!parseTime(fields.at(4), fields.at(6), &item.start) ||
        !parseTime(fields.at(5), fields.at(7), &item.end) || item.end < item.start)
        return false;
    m_reached = std::max(m_reached, item.end);
    Display &d = display(intern(fields.at(0)));
    // An item cut short as it began was never on the screen.
    if (item.end == item.start || m_itemCount >= MaxItems)
        return true;
    item.window = intern(fields.at(1));
    item.name = intern(fields.at(2));
    d.items.append(item);
    ++m_itemCount;
    return true;
}

void Timeline::finish()
{
    m_reached = std::max(m_reached, span());
    for (Display &d : m_displays) {
        for (Lane lane : {SegmentLane, InsertLane, PageLane})
            close(d, lane, m_reached);
    }
    m_finished = true;
}

int Timeline::firstBarAfter(int display, Lane lane, qint64 msecs) const
{
    const QVector<Bar> &bars = m_displays.at(size_t(display)).lanes[lane];
    const auto it = std::partition_point(bars.cbegin(), bars.cend(),
                                         [this, msecs](const Bar &bar) { return endOf(bar) <= msecs; });
    return int(it - bars.cbegin());
}

const Timeline::Bar *Timeline::barAt(int display, Lane lane, qint64 msecs) const
{
    const QVector<Bar> &bars = m_displays.at(size_t(display)).lanes[lane];
    const int i = firstBarAfter(display, lane, msecs);
    return i < bars.size() && bars.at(i).start <= msecs ? &bars.at(i) : nullptr;
}

QVector<const Timeline::Item *> Timeline::itemsAt(int display, qint64 msecs) const
{
    QVector<const Item *> shown;
    for (const Item &item : m_displays.at(size_t(display)).items) {
        if (item.start <= msecs && msecs < item.end)
            shown.append(&item);
    }
    return shown;
}
