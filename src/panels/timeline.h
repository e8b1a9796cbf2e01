#pragma once

#include <QDate>
#include <QHash>
#include <QString>
#include <QVector>

#include <vector>

// What a run of lumora-simulate (with --events) says plays when, taken line by line as it
// prints them: per display window, bars of its general segments, inserts and pages, and the
// items its windows showed (its play-log rows). Times are milliseconds from midnight at the
// start of the first day; the virtual clock has no time zone, so every day has 24 hours.
class Timeline
{
public:
    static constexpr qint64 DayMsecs = 86400000;
    // Items kept for naming in the tooltips; a busier run keeps its bars and drops the rest.
    static constexpr int MaxItems = 2000000;

    enum Lane { SegmentLane, InsertLane, PageLane, LaneCount };

    struct Bar
    {
        QString kind;    // the segment kind's keyword: generalSegment, cycleSegment, timingSegment
        QString segment; // its name
        QString page;    // the page's name, on the page lane
        qint64 start = 0;
        qint64 end = -1; // -1 while it lasts
    };
    struct Item
    {
        QString window;
        QString name;
        qint64 start = 0;
        qint64 end = 0;
    };
    struct Display
    {
        QString name;
        // In time order, one at a time: the bars of a lane never overlap.
        QVector<Bar> lanes[LaneCount];
        // In the order their rows were written: when they ended.
        QVector<Item> items;
    };

    Timeline() = default;
    Timeline(const QDate &firstDay, int days);

    QDate firstDay() const { return m_firstDay; }
    int days() const { return m_days; }
    qint64 span() const { return m_days * DayMsecs; }

    // Takes one line of the output, without its line end; false when it is none that the
    // simulation prints.
    bool addLine(const QString &line);
    // The run went to its end: what still lasts ends there.
    void finish();
    bool isFinished() const { return m_finished; }
    // How far the run has got.
    qint64 reached() const { return m_reached; }

    const std::vector<Display> &displays() const { return m_displays; }
    int displayIndex(const QString &name) const { return m_index.value(name, -1); }
    // Where a bar ends: one that still lasts, where the run has got.
    qint64 endOf(const Bar &bar) const { return bar.end < 0 ? m_reached : bar.end; }
    // The bar of `lane` at `msecs`; nullptr for none.
    const Bar *barAt(int display, Lane lane, qint64 msecs) const;
    // The index of the first bar of `lane` that ends after `msecs`.
    int firstBarAfter(int display, Lane lane, qint64 msecs) const;
    // The items shown at `msecs`, in the order their rows came.
    QVector<const Item *> itemsAt(int display, qint64 msecs) const;

private:
    Display &display(const QString &name);
    QString intern(const QStringRef &text);
    // `date` ("yyyy-MM-dd") and `time` ("HH:mm:ss.zzz", any separators) as milliseconds of
    // the timeline; false when they are not.
    bool parseTime(const QStringRef &date, const QStringRef &time, qint64 *msecs);
    bool addEvent(const QVector<QStringRef> &fields);
    bool addRow(const QVector<QStringRef> &fields);
    void close(Display &d, Lane lane, qint64 at);

    QDate m_firstDay;
    int m_days = 0;
    qint64 m_reached = 0;
    bool m_finished = false;
    std::vector<Display> m_displays;
    QHash<QString, int> m_index;
    QHash<QString, QString> m_names;
    int m_itemCount = 0;
    // The last date read and its day: a day's thousands of lines share one.
    QString m_lastDate;
    qint64 m_lastDay = 0;
};
