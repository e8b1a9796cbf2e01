#pragma once

#include "timeline.h"

#include <QStringList>
#include <QWidget>

// The timeline drawn: a time axis of the hours of a day, and per display window a row for
// each day of the timeline with three lanes (general segments, inserts, pages). The wheel
// zooms into the hours around the pointer, a double click shows the whole day again, and
// the tooltip of a point names everything that shows there. A line marks "now" in the rows
// of the display windows that play.
class TimelineChart : public QWidget
{
    Q_OBJECT

public:
    // The shortest stretch of a day the wheel zooms into.
    static constexpr qint64 MinViewMsecs = 60 * 1000;

    explicit TimelineChart(QWidget *parent = nullptr);

    // The timeline to draw (not owned; nullptr for none). Call again when it has grown.
    void setTimeline(const Timeline *timeline);
    // Whether more of the timeline is coming: what is not in yet is drawn as such.
    void setRunning(bool running);
    // The display window listed first (the one whose schedule is selected).
    void setLeadingDisplay(const QString &name);
    void setPlayingDisplays(const QStringList &names);
    QStringList playingDisplays() const { return m_playing; }

    // The stretch of each day on show, in milliseconds from midnight.
    qint64 viewStart() const { return m_viewStart; }
    qint64 viewSpan() const { return m_viewSpan; }
    void setView(qint64 start, qint64 span);

    // Where `msecs` of the timeline shows on `lane` of `display`'s row (the middle of the
    // lane); a null point when it is not on show.
    QPoint pointAt(const QString &display, Timeline::Lane lane, qint64 msecs) const;
    // The time of the timeline at `pos` in the row of a display window; -1 outside a row.
    qint64 timeAt(const QPoint &pos) const;
    // What the tooltip at `pos` says (rich text); empty where there is nothing to say.
    QString toolTipAt(const QPoint &pos) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void viewChanged();

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    struct Row
    {
        int display = -1; // index in the timeline
        int day = 0;
        int top = 0; // of its first lane
    };
    // The rows in drawing order, with their places; the headers of the display windows at
    // their rows' tops minus headerHeight() for the first day.
    QVector<Row> rows() const;
    QVector<int> displayOrder() const;
    bool weekly() const;
    int laneHeight() const;
    int laneGap() const;
    int dayHeight() const;
    int labelWidth() const;
    int plotLeft() const { return labelWidth(); }
    int plotWidth() const;
    int contentHeight() const;
    int xOf(qint64 msecsOfDay) const;
    QRect laneRect(const Row &row, int lane) const;
    void drawAxis(QPainter &p) const;
    void drawRow(QPainter &p, const Row &row) const;
    QString laneName(int lane) const;
    QString dayName(int day) const;
    // `msecs` of the timeline as a time of the row of `day`: "HH:mm:ss", "24:00:00" at its
    // end, with the date when it falls on another day.
    QString timeText(qint64 msecs, int day) const;

    const Timeline *m_timeline = nullptr;
    bool m_running = false;
    QString m_leading;
    QStringList m_playing;
    qint64 m_viewStart = 0;
    qint64 m_viewSpan = Timeline::DayMsecs;
    // labelWidth() as measured, and for which days.
    mutable int m_labelWidth = 0;
    mutable int m_labelDays = 0;
    mutable QDate m_labelFirstDay;
};
