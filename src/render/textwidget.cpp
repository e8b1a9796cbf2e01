#include "textwidget.h"

#include "clock/clock.h"
#include "clock/clocktimer.h"
#include "headless.h"
#include "model/lumoramediaobject.h"
#include "textcore/scrollspeed.h"

#include <QElapsedTimer>
#include <QFontMetricsF>
#include <QFutureInterface>
#include <QFutureWatcher>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QStaticText>
#include <QThreadPool>
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

// Pages of a text being cut on a worker reach the renderer at most this often (the first
// one at once): one batch per page of a 1 MiB single-row text would flood the event loop.
constexpr qint64 PageBatchMs = 50;

// What a QFont is made of here, as plain values a worker thread can take: a QFont shares
// its private data, caches included, with its copies, so each thread makes its own.
struct FontValues
{
    QString family;
    int pointSize = 16;
    int weight = 50;
    bool italic = false;
    bool underline = false;
    qreal letterSpacing = 0;

    QFont make() const
    {
        QFont f(family);
        f.setPointSize(pointSize);
        f.setWeight(weight);
        f.setItalic(italic);
        f.setUnderline(underline);
        f.setLetterSpacing(QFont::AbsoluteSpacing, letterSpacing);
        return f;
    }
    static FontValues of(const QFont &f)
    {
        return FontValues{f.family(), f.pointSize(), f.weight(),
                          f.italic(), f.underline(), f.letterSpacing()};
    }
};

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
    if (Headless::active())
        scrollTimer->setQuietExpiry([this] { return quietFrame(); });
}

textWidget::~textWidget()
{
    cancelPaginating();
}

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
    font = FontValues{fontFamily,     std::max(1, fontSize),
                      bold ? 75 : 50, italic,
                      underline,      qreal(mode == SimpleMode ? letterSpacing : 0)}
               .make();
}

void textWidget::setUp()
{
    stopScroll();
    m_finished = false;
    m_scrolledMs = 0;
    buildFont();
    strip.reset();
    stripLabel->hide();

    if (mode == ScrollingMode) {
        textWidth = qCeil(QFontMetricsF(font).horizontalAdvance(text));
        m_staticText = QStaticText(text);
        m_staticText.setPerformanceHint(QStaticText::AggressiveCaching);
        m_staticText.prepare(QTransform(), font);
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
        // Laid out only for scrolling; for a long text that alone would take a while.
        m_staticText = QStaticText();
        ensurePages();
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
        const qint64 now = Clock::current().msecsSinceEpoch();
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
    m_lastFrameMs = Clock::current().msecsSinceEpoch();
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
    const qint64 now = Clock::current().msecsSinceEpoch();
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

textWidget::Frame textWidget::frameNow() const
{
    const qint64 now = Clock::current().msecsSinceEpoch();
    // The frame is shown at the display refresh it was due for, so it shows that time even
    // when the timer got through a few ms late; a frame later than a whole period has missed
    // its refresh and shows the present.
    const double period = framePeriod();
    Frame f;
    f.frameMs = std::min(m_nextFrameMs, now);
    if (now - f.frameMs >= period)
        f.frameMs = now;
    f.scrolledMs = m_scrolledMs;
    f.lagMs = m_lagMs;
    if (m_lastFrameMs >= 0) {
        const qint64 owed = std::clamp<qint64>(f.frameMs - m_lastFrameMs, 0, MaxFrameStepMs) + m_lagMs;
        const qint64 shown = frameAdvance(owed, period);
        f.scrolledMs += shown;
        f.lagMs = owed - shown;
    }
    return f;
}

void textWidget::takeFrame(const Frame &f)
{
    m_scrolledMs = f.scrolledMs;
    m_lagMs = f.lagMs;
    m_lastFrameMs = f.frameMs;
}

bool textWidget::quietFrame()
{
    if (mode != ScrollingMode || m_finished)
        return true;
    // The frame slotTimeout() would make, without moving the strip nobody sees; the one that
    // ends the text is left to it.
    const Frame f = frameNow();
    const ScrollSpeed::Track track{rollDirection, width(), textWidth, fontSize, rollSpeed};
    const long long ticks = track.ticksAfter(f.scrolledMs);
    if (playToEnd && ticks >= track.ticksPerPass())
        return false;
    takeFrame(f);
    x = track.xAfterTicks(ticks);
    armNextFrame();
    return true;
}

void textWidget::slotTimeout()
{
    if (mode != ScrollingMode || m_finished)
        return;
    takeFrame(frameNow());

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

void textWidget::ensurePages()
{
    if (mode != SimpleMode && mode != SingleRowMode)
        return;
    PagesKey key{text, font, size(), mode, mode == SimpleMode ? lineSpacing : 0};
    if (key == m_pagesKey) {
        textWidth = m_pagesTextWidth;
        return;
    }
    cancelPaginating();
    m_pagesKey = std::move(key);
    m_pages.clear();
    m_pagesEnd = 0;
    simplePages.clear();
    singleRowPages.clear();

    const QFontMetricsF fm(font);
    // A renderer lower than one line still shows one line per page.
    const int lineHeight = std::max(1, qCeil(fm.lineSpacing()) + lineSpacing);
    const int lines = std::max(1, height() / lineHeight);
    if (text.size() > SyncCharacters) {
        // Until the worker has measured it, the width of the text is the average one: it only
        // places the ends of a colour gradient, far beyond the renderer for such a text.
        m_pagesTextWidth = qCeil(fm.averageCharWidth() * text.size());
        textWidth = m_pagesTextWidth;
        startPaginating(width(), lines);
        return;
    }
    const TextPaginator::Measure measure = [&fm](const QString &s) { return fm.horizontalAdvance(s); };
    PageBatch all;
    all.pages = mode == SimpleMode ? TextPaginator::paginate(text, width(), lines, measure)
                                   : TextPaginator::paginateSingleRow(text, width(), measure);
    all.textWidth = qCeil(fm.horizontalAdvance(text));
    takePages(all);
}

void textWidget::startPaginating(qreal pageWidth, int lines)
{
    QFutureInterface<PageBatch> work;
    work.reportStarted();
    auto *watcher = new QFutureWatcher<PageBatch>(this);
    m_paginating = watcher;
    connect(watcher, &QFutureWatcher<PageBatch>::resultsReadyAt, this, [this, watcher](int begin, int end) {
        if (watcher != m_paginating)
            return;
        bool shown = false;
        for (int i = begin; i < end; ++i)
            shown = takePages(watcher->resultAt(i)) || shown;
        if (shown)
            update();
    });
    connect(watcher, &QFutureWatcher<PageBatch>::finished, this, [this, watcher] {
        if (watcher != m_paginating)
            return;
        m_paginating = nullptr;
        watcher->deleteLater();
    });
    watcher->setFuture(work.future());

    const bool singleRow = mode == SingleRowMode;
    QThreadPool::globalInstance()->start([work, text = text, fontValues = FontValues::of(font), pageWidth,
                                          lines, singleRow]() mutable {
        const QFont own = fontValues.make();
        const QFontMetricsF fm(own);
        const TextPaginator::Measure measure = [&fm](const QString &s) { return fm.horizontalAdvance(s); };
        PageBatch batch;
        int sent = 0;
        QElapsedTimer sinceSent;
        sinceSent.start();
        const TextPaginator::PageSink sink = [&](const TextPaginator::Page &p) {
            if (work.isCanceled())
                return false;
            batch.pages.append(p);
            if (sent == 0 || sinceSent.elapsed() >= PageBatchMs) {
                work.reportResult(batch, sent++);
                batch.pages.clear();
                sinceSent.restart();
            }
            return true;
        };
        if (singleRow)
            TextPaginator::paginateSingleRow(text, pageWidth, measure, sink);
        else
            TextPaginator::paginate(text, pageWidth, lines, measure, sink);
        if (!work.isCanceled()) {
            batch.textWidth = qCeil(fm.horizontalAdvance(text));
            work.reportResult(batch, sent);
        }
        work.reportFinished();
    });
}

void textWidget::cancelPaginating()
{
    if (!m_paginating)
        return;
    // The worker stops at its next page; what it still reports goes nowhere.
    m_paginating->cancel();
    delete m_paginating;
    m_paginating = nullptr;
}

bool textWidget::takePages(const PageBatch &batch)
{
    const int before = m_pages.size();
    m_pages += batch.pages;
    const QStringList texts = TextPaginator::pageTexts(text, batch.pages);
    (mode == SimpleMode ? simplePages : singleRowPages) += texts;
    if (!m_pages.isEmpty())
        m_pagesEnd = m_pages.constLast().start + m_pages.constLast().length;
    bool shown = page >= before && page < m_pages.size();
    if (batch.textWidth >= 0) {
        shown = shown || (colorMode != 0 && batch.textWidth != m_pagesTextWidth);
        m_pagesTextWidth = batch.textWidth;
        textWidth = batch.textWidth;
    }
    return shown;
}

int textWidget::pageCount()
{
    if (mode == ScrollingMode)
        return 0;
    ensurePages();
    return m_pages.size();
}

bool textWidget::hasPage(int index)
{
    if (index < 0 || mode == ScrollingMode)
        return false;
    ensurePages();
    return index < m_pages.size() || !pagesComplete();
}

bool textWidget::pagesComplete()
{
    if (mode == ScrollingMode)
        return true;
    ensurePages();
    return m_pagesEnd >= m_pagesKey.text.size();
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
        ensurePages();
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
