#include "timelinechart.h"

#include "clock/clock.h"

#include <QCoreApplication>
#include <QHelpEvent>
#include <QLocale>
#include <QPainter>
#include <QToolTip>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace {
constexpr int AxisHeight = 22;
constexpr int HeaderHeight = 22;
constexpr int DisplayGap = 10;
constexpr int RightMargin = 8;

const QColor Track(0x16, 0x1a, 0x21);
const QColor Grid(0x2a, 0x32, 0x3d);
const QColor Text(0xdf, 0xe6, 0xee);
const QColor Dim(0x8f, 0xa0, 0xb4);
const QColor Accent(0x2f, 0xc4, 0xd6);
const QColor Segment(0x1e, 0x8a, 0x98);
const QColor CycleInsert(0xc9, 0x86, 0x2b);
const QColor TimingInsert(0xb8, 0x48, 0x5a);
const QColor Now(0xff, 0x5a, 0x5f);
// Pages take turns in these, each page keeping its own.
const QColor PageColors[] = {QColor(0x3d, 0x6f, 0xb6), QColor(0x6b, 0x4f, 0xa8), QColor(0x3f, 0x8f, 0x5a),
                             QColor(0x8a, 0x6a, 0x2f), QColor(0x2f, 0x7c, 0x8c), QColor(0x9a, 0x45, 0x6e)};

QColor barColor(Timeline::Lane lane, const Timeline::Bar &bar)
{
    if (lane == Timeline::SegmentLane)
        return Segment;
    if (lane == Timeline::InsertLane)
        return bar.kind == QLatin1String("timingSegment") ? TimingInsert : CycleInsert;
    const uint hash = qHash(bar.kind) ^ qHash(bar.segment) ^ (qHash(bar.page) * 31u);
    return PageColors[hash % (sizeof(PageColors) / sizeof(PageColors[0]))];
}

QString hhmmss(qint64 msecsOfDay)
{
    const qint64 s = msecsOfDay / 1000;
    return QStringLiteral("%1:%2:%3")
        .arg(s / 3600, 2, 10, QLatin1Char('0'))
        .arg(s / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(s % 60, 2, 10, QLatin1Char('0'));
}
} // namespace

TimelineChart::TimelineChart(QWidget *parent)
    : QWidget(parent)
{
    setMouseTracking(true);
}

void TimelineChart::setTimeline(const Timeline *timeline)
{
    m_timeline = timeline;
    // A display window more, or days more, make the chart taller.
    if (minimumHeight() != contentHeight()) {
        setMinimumHeight(contentHeight());
        updateGeometry();
    }
    update();
}

void TimelineChart::setRunning(bool running)
{
    m_running = running;
    update();
}

void TimelineChart::setLeadingDisplay(const QString &name)
{
    m_leading = name;
    update();
}

void TimelineChart::setPlayingDisplays(const QStringList &names)
{
    m_playing = names;
    update();
}

void TimelineChart::setView(qint64 start, qint64 span)
{
    span = std::clamp(span, MinViewMsecs, Timeline::DayMsecs);
    start = std::clamp(start, qint64(0), Timeline::DayMsecs - span);
    if (start == m_viewStart && span == m_viewSpan)
        return;
    m_viewStart = start;
    m_viewSpan = span;
    update();
    emit viewChanged();
}

bool TimelineChart::weekly() const
{
    return m_timeline && m_timeline->days() > 1;
}

int TimelineChart::laneHeight() const
{
    return weekly() ? 7 : 20;
}

int TimelineChart::laneGap() const
{
    return weekly() ? 1 : 3;
}

int TimelineChart::dayHeight() const
{
    return Timeline::LaneCount * laneHeight() + (Timeline::LaneCount - 1) * laneGap() + (weekly() ? 5 : 0);
}

int TimelineChart::labelWidth() const
{
    // Read for every bar drawn: measured once for the labels in use.
    const int days = m_timeline ? m_timeline->days() : 0;
    const QDate first = m_timeline ? m_timeline->firstDay() : QDate();
    if (m_labelWidth > 0 && m_labelDays == days && m_labelFirstDay == first)
        return m_labelWidth;
    const QFontMetrics metrics(font());
    int widest = 0;
    if (weekly()) {
        for (int day = 0; day < days; ++day)
            widest = std::max(widest, metrics.horizontalAdvance(dayName(day)));
    } else {
        for (int lane = 0; lane < Timeline::LaneCount; ++lane)
            widest = std::max(widest, metrics.horizontalAdvance(laneName(lane)));
    }
    m_labelWidth = std::max(56, widest + 14);
    m_labelDays = days;
    m_labelFirstDay = first;
    return m_labelWidth;
}

int TimelineChart::plotWidth() const
{
    return std::max(1, width() - plotLeft() - RightMargin);
}

QVector<int> TimelineChart::displayOrder() const
{
    QVector<int> order;
    if (!m_timeline)
        return order;
    const int leading = m_timeline->displayIndex(m_leading);
    if (leading >= 0)
        order << leading;
    for (int i = 0; i < int(m_timeline->displays().size()); ++i) {
        if (i != leading)
            order << i;
    }
    return order;
}

QVector<TimelineChart::Row> TimelineChart::rows() const
{
    QVector<Row> rows;
    if (!m_timeline)
        return rows;
    int top = AxisHeight;
    for (int display : displayOrder()) {
        top += HeaderHeight;
        for (int day = 0; day < m_timeline->days(); ++day) {
            rows.append(Row{display, day, top});
            top += dayHeight();
        }
        top += DisplayGap;
    }
    return rows;
}

int TimelineChart::contentHeight() const
{
    if (!m_timeline)
        return AxisHeight;
    const int displays = int(m_timeline->displays().size());
    return AxisHeight + displays * (HeaderHeight + m_timeline->days() * dayHeight() + DisplayGap);
}

QSize TimelineChart::sizeHint() const
{
    return QSize(480, contentHeight());
}

QSize TimelineChart::minimumSizeHint() const
{
    return QSize(240, AxisHeight);
}

int TimelineChart::xOf(qint64 msecsOfDay) const
{
    const double share = double(msecsOfDay - m_viewStart) / double(m_viewSpan);
    return plotLeft() + int(std::floor(share * plotWidth()));
}

QRect TimelineChart::laneRect(const Row &row, int lane) const
{
    return QRect(plotLeft(), row.top + lane * (laneHeight() + laneGap()), plotWidth(), laneHeight());
}

QString TimelineChart::laneName(int lane) const
{
    switch (lane) {
    case Timeline::SegmentLane:
        return tr("Segment");
    case Timeline::InsertLane:
        return tr("Insert");
    default:
        return tr("Page");
    }
}

QString TimelineChart::dayName(int day) const
{
    const QDate date = m_timeline ? m_timeline->firstDay().addDays(day) : QDate();
    // Weekday names in the interface language (the name of its locale is a text of it).
    const QLocale locale(QCoreApplication::translate("NodePanel", "en_US"));
    return date.toString(QStringLiteral("MM-dd ")) + locale.toString(date, QStringLiteral("ddd"));
}

QString TimelineChart::timeText(qint64 msecs, int day) const
{
    const qint64 dayStart = day * Timeline::DayMsecs;
    if (msecs >= dayStart && msecs <= dayStart + Timeline::DayMsecs)
        return hhmmss(msecs - dayStart);
    const qint64 other = msecs >= 0 ? msecs / Timeline::DayMsecs : -1 - (-msecs - 1) / Timeline::DayMsecs;
    return m_timeline->firstDay().addDays(other).toString(QStringLiteral("MM-dd ")) +
           hhmmss(msecs - other * Timeline::DayMsecs);
}

void TimelineChart::paintEvent(QPaintEvent *event)
{
    Q_UNUSED(event)
    QPainter p(this);
    drawAxis(p);
    if (!m_timeline)
        return;
    const QVector<Row> all = rows();
    QFont bold = font();
    bold.setBold(true);
    const QFontMetrics metrics(font());
    for (const Row &row : all) {
        if (row.day == 0) {
            // The display window's header, the one selected in the editor in the accent.
            const QString name = m_timeline->displays().at(size_t(row.display)).name;
            const QRect header(0, row.top - HeaderHeight, width() - RightMargin, HeaderHeight - 4);
            p.setFont(bold);
            p.setPen(name == m_leading ? Accent : Text);
            const QString shown = QFontMetrics(bold).elidedText(name, Qt::ElideRight, header.width() / 2);
            p.drawText(header, Qt::AlignLeft | Qt::AlignBottom, shown);
            p.setFont(font());
            if (weekly()) {
                // The lanes have no names of their own here: a key beside the header.
                int x = header.left() + QFontMetrics(bold).horizontalAdvance(shown) + 16;
                for (int lane = 0; lane < Timeline::LaneCount; ++lane) {
                    const QColor swatch = lane == Timeline::SegmentLane  ? Segment
                                          : lane == Timeline::InsertLane ? CycleInsert
                                                                         : PageColors[0];
                    p.fillRect(QRect(x, header.bottom() - 9, 9, 9), swatch);
                    x += 13;
                    p.setPen(Dim);
                    const QString text = laneName(lane);
                    p.drawText(QRect(x, header.top(), metrics.horizontalAdvance(text) + 2, header.height()),
                               Qt::AlignLeft | Qt::AlignBottom, text);
                    x += metrics.horizontalAdvance(text) + 12;
                }
            }
        }
        drawRow(p, row);
    }
}

void TimelineChart::drawAxis(QPainter &p) const
{
    // The step between labelled ticks: the shortest that leaves room for a label.
    static const int steps[] = {60, 120, 300, 600, 900, 1800, 3600, 7200, 10800, 21600};
    const int room = QFontMetrics(font()).horizontalAdvance(QStringLiteral("00:00")) + 18;
    qint64 step = 21600 * 1000LL;
    for (int s : steps) {
        if (double(s) * 1000.0 / double(m_viewSpan) * plotWidth() >= room) {
            step = s * 1000LL;
            break;
        }
    }
    const int bottom = contentHeight();
    p.setPen(Dim);
    for (qint64 t = (m_viewStart + step - 1) / step * step; t <= m_viewStart + m_viewSpan; t += step) {
        const int x = xOf(t);
        p.setPen(Grid);
        p.drawLine(x, AxisHeight - 4, x, bottom);
        p.setPen(Dim);
        const QString label = t == Timeline::DayMsecs ? QStringLiteral("24:00") : hhmmss(t).left(5);
        const int w = QFontMetrics(font()).horizontalAdvance(label);
        const int left = std::clamp(x - w / 2, plotLeft() - 4, width() - RightMargin - w);
        p.drawText(QRect(left, 0, w + 2, AxisHeight - 6), Qt::AlignLeft | Qt::AlignBottom, label);
    }
}

void TimelineChart::drawRow(QPainter &p, const Row &row) const
{
    const qint64 dayStart = row.day * Timeline::DayMsecs;
    const qint64 from = dayStart + m_viewStart;
    const qint64 to = from + m_viewSpan;
    const QFontMetrics metrics(font());

    p.setPen(Text);
    if (weekly()) {
        p.drawText(QRect(0, row.top, plotLeft() - 8, Timeline::LaneCount * (laneHeight() + laneGap())),
                   Qt::AlignRight | Qt::AlignVCenter, dayName(row.day));
    }
    for (int lane = 0; lane < Timeline::LaneCount; ++lane) {
        const QRect track = laneRect(row, lane);
        p.fillRect(track, Track);
        if (!weekly()) {
            p.setPen(Dim);
            p.drawText(QRect(0, track.top(), plotLeft() - 8, track.height()),
                       Qt::AlignRight | Qt::AlignVCenter, laneName(lane));
        }
        const QVector<Timeline::Bar> &bars = m_timeline->displays().at(size_t(row.display)).lanes[lane];
        // Bars thinner than a pixel share it: the first to reach a column draws it.
        int covered = track.left() - 1;
        for (int i = m_timeline->firstBarAfter(row.display, Timeline::Lane(lane), from); i < bars.size();
             ++i) {
            const Timeline::Bar &bar = bars.at(i);
            if (bar.start >= to)
                break;
            const qint64 end = m_timeline->endOf(bar);
            int x0 = xOf(std::max(bar.start, from) - dayStart);
            const int x1 = std::max(xOf(std::min(end, to) - dayStart), x0 + 1);
            if (x1 <= covered + 1)
                continue;
            x0 = std::max(x0, covered + 1);
            const QRect rect(x0, track.top(), x1 - x0, track.height());
            p.fillRect(rect, barColor(Timeline::Lane(lane), bar));
            covered = x1 - 1;
            const QString name = lane == Timeline::PageLane ? bar.page : bar.segment;
            if (!weekly() && rect.width() > 30) {
                p.setPen(Qt::white);
                p.drawText(rect.adjusted(4, 0, -3, 0), Qt::AlignLeft | Qt::AlignVCenter,
                           metrics.elidedText(name, Qt::ElideRight, rect.width() - 7));
            }
        }
    }
    const QRect block = laneRect(row, 0).united(laneRect(row, Timeline::LaneCount - 1));
    // What the run has not reached yet.
    if (m_running && m_timeline->reached() < to) {
        const int x = std::max(xOf(m_timeline->reached() - dayStart), block.left());
        p.fillRect(QRect(x, block.top(), block.right() - x + 1, block.height()),
                   QBrush(QColor(0x35, 0x40, 0x4e), Qt::BDiagPattern));
    }
    // Now, in the rows of the display windows that play.
    const QString name = m_timeline->displays().at(size_t(row.display)).name;
    if (m_playing.contains(name)) {
        const QDateTime now = Clock::current().now();
        const qint64 at = m_timeline->firstDay().daysTo(now.date()) * Timeline::DayMsecs +
                          now.time().msecsSinceStartOfDay();
        if (at >= from && at < to) {
            const int x = xOf(at - dayStart);
            p.fillRect(QRect(x - 1, block.top() - 3, 2, block.height() + 6), Now);
        }
    }
}

qint64 TimelineChart::timeAt(const QPoint &pos) const
{
    if (!m_timeline || pos.x() < plotLeft() || pos.x() >= plotLeft() + plotWidth())
        return -1;
    for (const Row &row : rows()) {
        const QRect block = laneRect(row, 0).united(laneRect(row, Timeline::LaneCount - 1));
        if (pos.y() >= block.top() && pos.y() <= block.bottom()) {
            const double share = double(pos.x() - plotLeft()) / double(plotWidth());
            return row.day * Timeline::DayMsecs + m_viewStart + qint64(share * double(m_viewSpan));
        }
    }
    return -1;
}

QPoint TimelineChart::pointAt(const QString &display, Timeline::Lane lane, qint64 msecs) const
{
    if (!m_timeline)
        return QPoint();
    const int index = m_timeline->displayIndex(display);
    const int day = int(msecs / Timeline::DayMsecs);
    const qint64 ofDay = msecs - day * qint64(Timeline::DayMsecs);
    if (ofDay < m_viewStart || ofDay >= m_viewStart + m_viewSpan)
        return QPoint();
    for (const Row &row : rows()) {
        if (row.display == index && row.day == day)
            return QPoint(xOf(ofDay), laneRect(row, lane).center().y());
    }
    return QPoint();
}

QString TimelineChart::toolTipAt(const QPoint &pos) const
{
    const qint64 at = timeAt(pos);
    if (at < 0)
        return QString();
    int display = -1;
    for (const Row &row : rows()) {
        if (pos.y() >= row.top && pos.y() < row.top + dayHeight())
            display = row.display;
    }
    if (display < 0)
        return QString();
    const int day = int(at / Timeline::DayMsecs);
    const Timeline::Display &d = m_timeline->displays().at(size_t(display));
    QStringList lines;
    lines << QStringLiteral("<b>%1</b> &nbsp; %2 %3")
                 .arg(d.name.toHtmlEscaped(), m_timeline->firstDay().addDays(day).toString(Qt::ISODate),
                      hhmmss(at - day * Timeline::DayMsecs));
    if (at >= m_timeline->reached() && !m_timeline->isFinished()) {
        lines << tr("Not simulated yet.");
        return lines.join(QStringLiteral("<br>"));
    }
    const auto span = [this, day](const Timeline::Bar &bar) {
        return QStringLiteral("%1 – %2").arg(timeText(bar.start, day), timeText(m_timeline->endOf(bar), day));
    };
    if (const Timeline::Bar *bar = m_timeline->barAt(display, Timeline::SegmentLane, at))
        lines << tr("Segment: %1 (%2)").arg(bar->segment.toHtmlEscaped(), span(*bar));
    if (const Timeline::Bar *bar = m_timeline->barAt(display, Timeline::InsertLane, at)) {
        const QString text = bar->kind == QLatin1String("timingSegment") ? tr("Timing insert: %1 (%2)")
                                                                         : tr("Cycle insert: %1 (%2)");
        lines << text.arg(bar->segment.toHtmlEscaped(), span(*bar));
    }
    if (const Timeline::Bar *bar = m_timeline->barAt(display, Timeline::PageLane, at))
        lines << tr("Page: %1 of %2 (%3)")
                     .arg(bar->page.toHtmlEscaped(), bar->segment.toHtmlEscaped(), span(*bar));
    const QVector<const Timeline::Item *> items = m_timeline->itemsAt(display, at);
    for (const Timeline::Item *item : items) {
        lines << QStringLiteral("&nbsp;&nbsp;%1: %2 (%3 – %4)")
                     .arg(item->window.toHtmlEscaped(), item->name.toHtmlEscaped(),
                          timeText(item->start, day), timeText(item->end, day));
    }
    if (lines.size() == 1)
        lines << tr("Nothing plays.");
    return QStringLiteral("<p style='white-space:pre'>%1</p>").arg(lines.join(QStringLiteral("<br>")));
}

bool TimelineChart::event(QEvent *event)
{
    if (event->type() == QEvent::ToolTip) {
        auto *help = static_cast<QHelpEvent *>(event);
        const QString text = toolTipAt(help->pos());
        if (text.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), text, this);
        return true;
    }
    if (event->type() == QEvent::LanguageChange || event->type() == QEvent::FontChange) {
        m_labelWidth = 0;
        setMinimumHeight(contentHeight());
        update();
    }
    return QWidget::event(event);
}

void TimelineChart::wheelEvent(QWheelEvent *event)
{
    const QPoint delta = event->angleDelta();
    const int x = std::clamp(int(event->position().x()), plotLeft(), plotLeft() + plotWidth());
    if (std::abs(delta.x()) > std::abs(delta.y())) {
        // A sideways wheel moves along the day.
        setView(m_viewStart - qint64(delta.x() / 120.0 * m_viewSpan / 8), m_viewSpan);
    } else if (delta.y() != 0) {
        // The time under the pointer stays where it is.
        const double share = double(x - plotLeft()) / double(plotWidth());
        const qint64 anchor = m_viewStart + qint64(share * m_viewSpan);
        const qint64 span = qint64(double(m_viewSpan) * std::pow(0.8, delta.y() / 120.0));
        const qint64 clamped = std::clamp(span, MinViewMsecs, Timeline::DayMsecs);
        setView(anchor - qint64(share * clamped), clamped);
    }
    event->accept();
}

void TimelineChart::mouseDoubleClickEvent(QMouseEvent *event)
{
    Q_UNUSED(event)
    setView(0, Timeline::DayMsecs);
}
