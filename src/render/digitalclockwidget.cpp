#include "digitalclockwidget.h"

#include "clock/clock.h"
#include "clock/clocktimer.h"
#include "headless.h"
#include "model/lumoramediaobject.h"
#include "textcore/colorpen.h"

#include <QFontMetrics>
#include <QPainter>

digitalClockWidget::digitalClockWidget(QWidget *parent)
    : QLabel(parent)
{
    tickTimer = Clock::current().createTimer(this);
    tickTimer->setInterval(TickMs);
    connect(tickTimer, &ClockTimer::timeout, this, &digitalClockWidget::slotTimeout);
    // Its ticks only redraw the hands or the digits.
    if (Headless::active())
        tickTimer->setQuietExpiry([] { return true; });
}

digitalClockWidget::~digitalClockWidget() = default;

void digitalClockWidget::setupItem(const DigitalClockProperties &item)
{
    dateStyle = item.dateStyle;
    fixedText = QLatin1Char(' ') + item.fixedText;
    fontFamily = item.fontFamily;
    fontSize = item.fontSize;
    colorMode = item.colorful;
    bold = item.bold;
    italic = item.italic;
    underline = item.underline;
    color = item.color;
    multiRow = item.multiRow;
    settings.dateStyle = item.dateStyle;
    settings.showYear = item.showYear;
    settings.showMonth = item.showMonth;
    settings.showDay = item.showDay;
    settings.showHour = item.showHour;
    settings.showMinute = item.showMinute;
    settings.showSecond = item.showSecond;
    settings.showHalfDay = item.showHalfDay;
    settings.showWeek = item.showWeek;
    settings.twoDigitYear = item.twoDigitYear;
    settings.hour12 = item.hour12;
    settings.timeDiffMode = item.timeDiffMode;
    settings.timeDiff = item.timeDiff;
    slotTimeout();
}

void digitalClockWidget::startTick()
{
    slotTimeout();
    tickTimer->start(TickMs);
}

void digitalClockWidget::stopTick()
{
    tickTimer->stop();
}

void digitalClockWidget::slotTimeout()
{
    settings.dateStyle = dateStyle;
    texts = DigitalClockText::compute(settings, Clock::current().now());
    update();
}

QString digitalClockWidget::oneRow() const
{
    return QLatin1Char(' ') + fixedText + QLatin1Char(' ') + texts.date + QStringLiteral("  ") +
           texts.weekday + QStringLiteral("  ") + texts.time + texts.ampm + QLatin1Char(' ');
}

QStringList digitalClockWidget::rows() const
{
    QStringList out;
    // The fixed text carries a leading blank; a blank alone is no row.
    if (!fixedText.trimmed().isEmpty())
        out << fixedText;
    if (!texts.date.isEmpty())
        out << texts.date;
    if (!texts.weekday.isEmpty())
        out << texts.weekday;
    if (!texts.time.isEmpty() || !texts.ampm.isEmpty())
        out << texts.time + texts.ampm;
    return out;
}

void digitalClockWidget::paintEvent(QPaintEvent *event)
{
    QLabel::paintEvent(event);
    QPainter p(this);
    QFont f(fontFamily);
    f.setPointSize(std::max(1, fontSize));
    f.setWeight(bold ? 75 : 50);
    f.setItalic(italic);
    f.setUnderline(underline);
    p.setFont(f);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    QPen pen;
    // The gradients span the whole clock rather than one text.
    ColorPen::Geometry g;
    g.height = height();
    g.textWidth = width();
    g.width = width();
    g.endToEnd = true;
    g.stripHeight = height();
    ColorPen::apply(pen, colorMode, color, g);
    p.setPen(pen);

    if (!multiRow) {
        p.drawText(rect(), Qt::AlignCenter | Qt::TextSingleLine, oneRow());
        return;
    }
    const QStringList lines = rows();
    const int n = lines.size();
    if (n == 0)
        return;
    const int s = QFontMetrics(f).lineSpacing();
    const int gap = (height() - n * s) / (n + 1);
    for (int i = 0; i < n; ++i)
        p.drawText(QRect(0, gap + i * (s + gap), width(), s), Qt::AlignCenter | Qt::TextSingleLine,
                   lines.at(i));
}
