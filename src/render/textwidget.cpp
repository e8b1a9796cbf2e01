#include "textwidget.h"

#include "clock/clock.h"
#include "clock/clocktimer.h"
#include "model/lumoramediaobject.h"
#include "textcore/scrollspeed.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QStaticText>
#include <QtMath>

#include <algorithm>
#include <cmath>

namespace {
// Longer strips are not pre-drawn (a 100-pixel-high picture of a very long text would take
// hundreds of megabytes); the text is then drawn from its cached layout at each frame.
constexpr int MaxStripWidth = 16384;
constexpr int StripHeight = 100;
// Scrolling time one frame may add at most: a stalled thread or a wall-clock step must not
// throw the text forward.
constexpr qint64 MaxFrameStepMs = 250;

// Scrolling time one frame shows at most, as a share of the frame period: the slack for the
// 16/17 ms mix of a 60 Hz schedule, and the pace at which a stall is caught up.
constexpr double CatchUpShare = 1.2;

// How much of `owedMs` (scrolling time due since the last frame, lag included) one frame
// shows. Up to CatchUpShare periods all of it; beyond, that much, or a quarter of the debt
// when the frames come so seldom that this is more, so the lag stays bounded (three frame
// intervals) whatever the frame rate and the speed stays the table's.
qint64 frameAdvance(qint64 owedMs, double period)
{
    const qint64 limit = static_cast<qint64>(std::floor(period * CatchUpShare));
    if (owedMs <= limit)
        return owedMs;
    return std::max(limit, owedMs / 4);
}

int alignFlag(int value, int a, int b, int c)
{
    switch (value) {
    case 1:
        return b;
    case 2:
        return c;
    default:
        return a;
    }
}
} // namespace

textWidget::textWidget(QWidget *parent)
    : QLabel(parent)
{
    stripLabel = new QLabel(this);
    stripLabel->setStyleSheet(QStringLiteral("background:transparent"));
    stripLabel->hide();
    scrollTimer = Clock::current().createTimer(this);
    connect(scrollTimer, &ClockTimer::timeout, this, &textWidget::slotTimeout);
}

textWidget::~textWidget() = default;

double textWidget::framePeriod()
{
    // The scroll tick paces frames only; the position comes from the time.
    qreal rate = 60.0;
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        rate = screen->refreshRate();
    if (rate < 24.0 || rate > 240.0)
        rate = 60.0;
    return 1000.0 / rate;
}

void textWidget::setupItem(const LumoraMediaObject &item, int newMode)
{
    const TextProperties &t = item.text;
    mode = newMode;
    text = t.text;
    textColor = t.textColor;
    fontFamily = t.fontFamily;
    fontSize = t.fontSize;
    bold = t.bold;
    italic = t.italic;
    underline = t.underline;
    entryEffect = t.entryEffect;
    exitEffect = t.exitEffect;
    colorMode = t.colorful;
    letterSpacing = t.letterSpacing;
    lineSpacing = t.lineSpacing;
    playToEnd = t.playToEnd;
    stayTime = t.stayTime;
    endToEnd = t.endToEnd;
    cycleInterval = t.cycleInterval;
    rollSpeed = t.rollSpeed;
    rollDirection = t.rollDirection;
    horizontalAlign = alignFlag(t.horizontalAlign, Qt::AlignLeft, Qt::AlignRight, Qt::AlignHCenter);
    verticalAlign = alignFlag(t.verticalAlign, Qt::AlignTop, Qt::AlignBottom, Qt::AlignVCenter);
    page = 0;
}

void textWidget::buildFont()
{
    font = QFont(fontFamily);
    font.setPointSize(std::max(1, fontSize));
    font.setWeight(bold ? 75 : 50);
    font.setItalic(italic);
    font.setUnderline(underline);
    font.setLetterSpacing(QFont::AbsoluteSpacing, mode == SimpleMode ? letterSpacing : 0);
}

void textWidget::setUp()
{
    stopScroll();
    m_finished = false;
    m_scrolledMs = 0;
    buildFont();
    textWidth = qCeil(QFontMetricsF(font).horizontalAdvance(text));
    lastPaginatedPage = -1;
    m_pages.clear();
    m_paginatedSize = QSize();
    simplePages.clear();
    singleRowPages.clear();
    m_staticText = QStaticText(text);
    m_staticText.setPerformanceHint(QStaticText::AggressiveCaching);
    m_staticText.prepare(QTransform(), font);
    strip.reset();
    stripLabel->hide();

    if (mode == ScrollingMode) {
        if (!endToEnd) {
            buildStrip();
            if (strip) {
                stripLabel->setFixedSize(strip->size());
                stripLabel->setPixmap(*strip);
                stripLabel->show();
                stripLabel->raise();
            }
        }
        x = ScrollSpeed::Track{rollDirection, width(), textWidth, fontSize, rollSpeed}.startX();
        placeScroll();
        startScroll();
    } else {
        repaginate();
    }
    update();
}

ColorPen::Geometry textWidget::penGeometry() const
{
    ColorPen::Geometry g;
    g.height = height();
    g.textWidth = textWidth;
    g.width = width();
    g.endToEnd = endToEnd;
    // Only a strip has a height of its own; pages span the renderer.
    g.stripHeight = strip ? strip->height() : height();
    return g;
}

void textWidget::setColorPen(QPen &pen) const
{
    ColorPen::apply(pen, colorMode, textColor, penGeometry());
}

void textWidget::buildStrip()
{
    const int stripWidth = fontSize + textWidth;
    if (stripWidth <= 0 || stripWidth > MaxStripWidth)
        return;
    const QFontMetrics fm(font);
    const int h = std::max(StripHeight, fm.height());
    strip = std::make_unique<QPixmap>(stripWidth, h);
    strip->fill(QColor(0, 0, 0, 0));
    QPainter p(strip.get());
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setFont(font);
    QPen pen;
    ColorPen::Geometry g = penGeometry();
    g.stripHeight = h;
    ColorPen::apply(pen, colorMode, textColor, g);
    p.setPen(pen);
    // A font taller than the strip gets a taller strip, its line centred in it.
    const int baseline =
        h == StripHeight ? (fontSize + StripHeight) / 2 : (h - fm.height()) / 2 + fm.ascent();
    p.drawText(rollSpeed >= 9 ? fontSize : 0, baseline, text);
}

int textWidget::stripTop() const
{
    // Always in this renderer's coordinates (the strip label is its child), so the strip does
    // not jump by the play window's frame width after the first frame.
    const int h = strip ? strip->height() : StripHeight;
    return (height() - h) / 2;
}

void textWidget::placeScroll()
{
    y = stripTop();
    if (mode != ScrollingMode)
        return;
    if (!endToEnd && strip) {
        if (stripLabel->pos() != QPoint(x, y))
            stripLabel->move(x, y);
    } else {
        update();
    }
}

void textWidget::startScroll()
{
    stopScroll();
    m_scrolledMs = 0;
    m_finished = false;
    x = ScrollSpeed::Track{rollDirection, width(), textWidth, fontSize, rollSpeed}.startX();
    placeScroll();
    resumeScroll();
}

void textWidget::stopScroll()
{
    if (scrollTimer->isActive() && m_lastFrameMs >= 0) {
        const qint64 now = Clock::current().now().toMSecsSinceEpoch();
        m_scrolledMs += std::clamp<qint64>(now - m_lastFrameMs, 0, MaxFrameStepMs) + m_lagMs;
    }
    scrollTimer->stop();
    m_lastFrameMs = -1;
    m_lagMs = 0;
}

void textWidget::resumeScroll()
{
    if (mode != ScrollingMode || m_finished || ScrollSpeed::tickInterval(rollSpeed) < 0)
        return;
    m_lastFrameMs = Clock::current().now().toMSecsSinceEpoch();
    m_lagMs = 0;
    m_frameOriginMs = m_lastFrameMs;
    m_frameIndex = 0;
    armNextFrame();
}

bool textWidget::isScrolling() const
{
    return scrollTimer->isActive();
}

qint64 textWidget::msToScrollEnd() const
{
    if (mode != ScrollingMode || !playToEnd || m_finished)
        return -1;
    const long long total =
        ScrollSpeed::Track{rollDirection, width(), textWidth, fontSize, rollSpeed}.msToFirstWrap();
    return total < 0 ? -1 : qMax<qint64>(0, total - m_scrolledMs);
}

void textWidget::armNextFrame()
{
    // Frames are due on a fixed schedule from the start, not one period after the previous
    // one: a late frame does not push the later ones back, and a fractional period (16.67 ms)
    // comes out as the right mix of 16 and 17 ms.
    const qint64 now = Clock::current().now().toMSecsSinceEpoch();
    const double period = framePeriod();
    ++m_frameIndex;
    double due = m_frameOriginMs + m_frameIndex * period;
    if (due <= now) {
        // Slots that went by during a stall are skipped, in phase, rather than run back to
        // back: a burst of frames would show the whole catch-up within one display refresh.
        m_frameIndex = static_cast<qint64>(std::floor((now - m_frameOriginMs) / period)) + 1;
        due = m_frameOriginMs + m_frameIndex * period;
    } else if (due > now + period) {
        // The clock was set back: start the schedule again rather than wait for the old one.
        m_frameOriginMs = now;
        m_frameIndex = 1;
        due = now + period;
    }
    int next = std::max(1, static_cast<int>(std::ceil(due - now)));
    if (playToEnd) {
        // Land a frame exactly on the first wrap, where the item ends.
        const ScrollSpeed::Track track{rollDirection, width(), textWidth, fontSize, rollSpeed};
        const qint64 remaining = track.msToFirstWrap() - m_scrolledMs;
        if (remaining >= 0 && remaining < next)
            next = static_cast<int>(remaining);
    }
    m_nextFrameMs = now + next;
    scrollTimer->start(next);
}

void textWidget::slotTimeout()
{
    if (mode != ScrollingMode || m_finished)
        return;
    const qint64 now = Clock::current().now().toMSecsSinceEpoch();
    // The frame is shown at the display refresh it was due for, so it shows that time even
    // when the timer got through a few ms late; a frame later than a whole period has missed
    // its refresh and shows the present.
    const double period = framePeriod();
    qint64 frameMs = std::min(m_nextFrameMs, now);
    if (now - frameMs >= period)
        frameMs = now;
    if (m_lastFrameMs >= 0) {
        const qint64 owed = std::clamp<qint64>(frameMs - m_lastFrameMs, 0, MaxFrameStepMs) + m_lagMs;
        const qint64 shown = frameAdvance(owed, period);
        m_scrolledMs += shown;
        m_lagMs = owed - shown;
    }
    m_lastFrameMs = frameMs;

    const ScrollSpeed::Track track{rollDirection, width(), textWidth, fontSize, rollSpeed};
    const long long ticks = track.ticksAfter(m_scrolledMs);
    if (playToEnd && ticks >= track.ticksPerPass()) {
        m_finished = true;
        scrollTimer->stop();
        m_lastFrameMs = -1;
        x = track.startX();
        placeScroll();
        emit sigScrollFinished();
        return;
    }
    x = track.xAfterTicks(ticks);
    placeScroll();
    armNextFrame();
}

void textWidget::repaginate()
{
    m_paginatedSize = size();
    lastPaginatedPage = page;
    m_pages.clear();
    if (mode == SimpleMode) {
        const QFontMetricsF fm(font);
        const int lineHeight = std::max(1, qCeil(fm.lineSpacing()) + lineSpacing);
        // A renderer lower than one line still shows one line per page.
        const int lines = std::max(1, height() / lineHeight);
        m_pages = TextPaginator::paginate(text, width(), lines,
                                          [&fm](const QString &s) { return fm.horizontalAdvance(s); });
        simplePages = TextPaginator::pageTexts(text, m_pages);
    } else if (mode == SingleRowMode) {
        const QFontMetricsF fm(font);
        m_pages = TextPaginator::paginateSingleRow(
            text, width(), [&fm](const QString &s) { return fm.horizontalAdvance(s); });
        singleRowPages = TextPaginator::pageTexts(text, m_pages);
    }
}

int textWidget::pageCount()
{
    if (mode == ScrollingMode)
        return 0;
    if (m_paginatedSize != size() || lastPaginatedPage < 0 || !realPlayMode)
        repaginate();
    return m_pages.size();
}

void textWidget::resizeEvent(QResizeEvent *event)
{
    QLabel::resizeEvent(event);
    if (mode == ScrollingMode)
        placeScroll();
}

void textWidget::paintEvent(QPaintEvent *event)
{
    if (painting)
        return;
    painting = true;
    QLabel::paintEvent(event);

    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setFont(font);
    QPen pen;
    setColorPen(pen);
    p.setPen(pen);

    if (mode == SimpleMode || mode == SingleRowMode) {
        if (!realPlayMode || page != lastPaginatedPage || m_paginatedSize != size())
            repaginate();
        if (page >= 0 && page < m_pages.size()) {
            const TextPaginator::Page &pg = m_pages.at(page);
            const QFontMetricsF fm(font);
            const int lineHeight = qCeil(fm.lineSpacing());
            if (mode == SingleRowMode) {
                p.drawText(rect(), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine | Qt::TextDontClip,
                           text.mid(pg.start, pg.length));
            } else {
                const int n = pg.lines.size();
                const int block = n * lineHeight + (n - 1) * lineSpacing;
                int top = 0;
                if (verticalAlign & Qt::AlignBottom)
                    top = height() - block;
                else if (verticalAlign & Qt::AlignVCenter)
                    top = (height() - block) / 2;
                for (const TextPaginator::Line &line : pg.lines) {
                    p.drawText(QRect(0, top, width(), lineHeight),
                               (horizontalAlign & Qt::AlignHorizontal_Mask) | Qt::AlignTop |
                                   Qt::TextSingleLine | Qt::TextDontClip,
                               text.mid(line.start, line.length));
                    top += lineHeight + lineSpacing;
                }
            }
        }
    } else if (mode == ScrollingMode && !text.isEmpty()) {
        const QFontMetricsF fm(font);
        if (endToEnd) {
            const int baseline = (fontSize + height()) / 2;
            const int top = baseline - qRound(fm.ascent());
            if (textWidth > 0) {
                const int copies = width() / textWidth + 1;
                const int pitch = cycleInterval + textWidth;
                for (int i = 0; i < copies; ++i) {
                    const int cx = rollDirection == 0 ? x + i * pitch : x - i * pitch;
                    if (cx > width() || cx + textWidth < 0)
                        continue;
                    p.drawStaticText(cx, top, m_staticText);
                }
            }
        } else if (!strip) {
            // Too long for a strip picture: drawn from the cached layout.
            const int baseline = stripTop() + (fontSize + StripHeight) / 2;
            p.drawStaticText(x + (rollSpeed >= 9 ? fontSize : 0), baseline - qRound(fm.ascent()),
                             m_staticText);
        }
    }
    painting = false;
}
