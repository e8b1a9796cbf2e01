#include "clock/virtualclock.h"
#include "model/lumoramediaobject.h"
#include "render/textwidget.h"
#include "textcore/scrollspeed.h"
#include "textcore/textpaginator.h"

#include <QSignalSpy>
#include <QtTest>

#include <memory>

// The text renderer on a real X window, its scrolling driven by the virtual clock.
class TestTextWidget : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    // Set-up from the item
    void itemFillsFieldsAndAlignmentFlags();

    // Pages
    void simpleTextPagesCoverTheText();
    void emptyTextHasNoPagesAndDrawsNothing();
    void singleRowPagesFitTheWidth();
    void editsInPlaceShowAtTheNextPaint();
    void longTextIsCutOnAWorkerIntoTheSamePages();
    void aNewTextWhileCuttingLeavesNothingOfTheOld();

    // Scrolling
    void stripStartsAtTheRightEdgeAndFollowsTime();
    void leftToRightStartsBeforeTheText();
    void playToEndFinishesExactlyAtTheFirstWrap();
    void withoutPlayToEndItKeepsScrolling();
    void pauseKeepsThePosition();
    void lateTickShowsTheTimeItWasDueFor();
    void stallIsCaughtUpWithoutAJump();
    void framesMissedForLongKeepTheSpeed();
    void clockSetBackKeepsTheFramesComing();
    void speedOffTheTableDoesNotScroll();
    void endToEndDrawsCopiesWithoutAStrip();
    void overlongTextGetsNoStripPicture();

    // Colour
    void horizontalGradientRunsRedToMagenta();
    void plainColourDrawsTheTextColour();

private:
    std::unique_ptr<VirtualClock> m_clock;
    std::unique_ptr<textWidget> m_w;
    LumoraMediaObject m_item;

    bool make(int width, int height);
    void setUpText(int mode);
    // x shown after `elapsed` ms: the position of the last frame, frames being paced by the
    // frame interval from the start.
    int shownX(qint64 elapsed) const;
};

void TestTextWidget::init()
{
    m_clock = std::make_unique<VirtualClock>(QDateTime(QDate(2024, 6, 8), QTime(10, 0)));
    Clock::setCurrent(m_clock.get());
    m_item = LumoraMediaObject();
    m_item.text.fontFamily = QStringLiteral("DejaVu Sans");
}

void TestTextWidget::cleanup()
{
    m_w.reset();
    Clock::setCurrent(nullptr);
    m_clock.reset();
}

bool TestTextWidget::make(int width, int height)
{
    m_w = std::make_unique<textWidget>();
    m_w->setStyleSheet(QStringLiteral("background:black"));
    m_w->resize(width, height);
    m_w->show();
    return QTest::qWaitForWindowExposed(m_w.get());
}

void TestTextWidget::setUpText(int mode)
{
    m_w->setupItem(m_item, mode);
    m_w->setUp();
}

int TestTextWidget::shownX(qint64 elapsed) const
{
    // The last frame came at most one frame period before now.
    const qint64 scrolled = m_w->scrolledMs();
    if (scrolled > elapsed || scrolled <= elapsed - qCeil(textWidget::framePeriod()) - 1)
        return INT_MIN;
    const ScrollSpeed::Track track{m_w->rollDirection, m_w->width(), m_w->textWidth, m_w->fontSize,
                                   m_w->rollSpeed};
    return track.xAfterTicks(track.ticksAfter(scrolled));
}

void TestTextWidget::itemFillsFieldsAndAlignmentFlags()
{
    QVERIFY(make(300, 100));
    m_item.text.text = QStringLiteral("abc");
    m_item.text.horizontalAlign = 2;
    m_item.text.verticalAlign = 1;
    m_item.text.bold = true;
    m_item.text.rollSpeed = 7;
    m_item.text.cycleInterval = 33;
    m_w->page = 4;
    m_w->setupItem(m_item, 2);
    QCOMPARE(m_w->horizontalAlign, 4);
    QCOMPARE(m_w->verticalAlign, 64);
    QCOMPARE(m_w->rollSpeed, 7);
    QCOMPARE(m_w->cycleInterval, 33);
    QCOMPARE(m_w->page, 0);
    m_w->setUp();
    QCOMPARE(m_w->font.weight(), 75);
    m_item.text.horizontalAlign = 1;
    m_item.text.verticalAlign = 2;
    m_w->setupItem(m_item, 0);
    QCOMPARE(m_w->horizontalAlign, 2);
    QCOMPARE(m_w->verticalAlign, 128);
}

void TestTextWidget::simpleTextPagesCoverTheText()
{
    QVERIFY(make(200, 60));
    m_item.text.text =
        QStringLiteral("First line of text\nsecond\nthird line here\nfourth\n\nsixth and last");
    m_item.text.letterSpacing = 2;
    setUpText(textWidget::SimpleMode);
    QVERIFY(m_w->pageCount() >= 2);
    QCOMPARE(m_w->simplePages.join(QString()), m_item.text.text);
    QVERIFY(m_w->hasPage(0));
    QVERIFY(!m_w->hasPage(m_w->pageCount()));
}

void TestTextWidget::emptyTextHasNoPagesAndDrawsNothing()
{
    QVERIFY(make(200, 60));
    m_item.text.text.clear();
    setUpText(textWidget::SimpleMode);
    QCOMPARE(m_w->pageCount(), 0);
    const QImage img = m_w->grab().toImage();
    for (int y = 0; y < img.height(); y += 3)
        for (int x = 0; x < img.width(); x += 3)
            QCOMPARE(QColor(img.pixel(x, y)), QColor(Qt::black));
}

void TestTextWidget::singleRowPagesFitTheWidth()
{
    QVERIFY(make(150, 50));
    m_item.text.text = QStringLiteral("A single row text cut into pages that fit");
    setUpText(textWidget::SingleRowMode);
    QVERIFY(m_w->pageCount() >= 3);
    QCOMPARE(m_w->singleRowPages.join(QString()), m_item.text.text);
    const QFontMetricsF fm(m_w->font);
    for (const QString &p : m_w->singleRowPages)
        QVERIFY(fm.horizontalAdvance(p) <= 150);
}

void TestTextWidget::editsInPlaceShowAtTheNextPaint()
{
    QVERIFY(make(150, 50));
    m_item.text.text = QStringLiteral("one two three four five six seven eight");
    setUpText(textWidget::SingleRowMode);
    const QStringList pages = m_w->singleRowPages;
    QVERIFY(pages.size() >= 2);
    m_w->page = 1;
    m_w->repaint();
    QCOMPARE(m_w->singleRowPages, pages);
    // The editor changes the fields of the shown item in place.
    m_w->text = QStringLiteral("short");
    m_w->page = 0;
    m_w->repaint();
    QCOMPARE(m_w->singleRowPages, QStringList{QStringLiteral("short")});
    m_w->text = m_item.text.text;
    m_w->resize(300, 50);
    m_w->repaint();
    QVERIFY(m_w->singleRowPages.size() < pages.size());
    QCOMPARE(m_w->singleRowPages.join(QString()), m_item.text.text);
}

namespace {
QString longText(int characters, const QString &words)
{
    QString text;
    while (text.size() < characters)
        text += words;
    text.truncate(characters);
    return text;
}
} // namespace

void TestTextWidget::longTextIsCutOnAWorkerIntoTheSamePages()
{
    QVERIFY(make(320, 120));
    m_item.text.text = longText(textWidget::SyncCharacters * 8,
                                QStringLiteral("Lumora keeps every word.\n\u4e2d\u6587 and more "));
    m_item.text.letterSpacing = 1;
    m_item.text.lineSpacing = 3;
    for (const int mode : {textWidget::SimpleMode, textWidget::SingleRowMode}) {
        setUpText(mode);
        QTRY_VERIFY(m_w->pagesComplete());
        // The pages the renderer would cut on the spot, with a font of this thread.
        const QFontMetricsF fm(m_w->font);
        const TextPaginator::Measure measure = [&fm](const QString &s) { return fm.horizontalAdvance(s); };
        const int lines = 120 / (qCeil(fm.lineSpacing()) + 3);
        const auto expected = mode == textWidget::SimpleMode
                                  ? TextPaginator::paginate(m_item.text.text, 320, lines, measure)
                                  : TextPaginator::paginateSingleRow(m_item.text.text, 320, measure);
        QCOMPARE(mode == textWidget::SimpleMode ? m_w->simplePages : m_w->singleRowPages,
                 TextPaginator::pageTexts(m_item.text.text, expected));
        QCOMPARE(m_w->pageCount(), expected.size());
        QVERIFY(m_w->hasPage(expected.size() - 1));
        QVERIFY(!m_w->hasPage(expected.size()));
        QCOMPARE(m_w->textWidth, qCeil(fm.horizontalAdvance(m_item.text.text)));
    }
}

void TestTextWidget::aNewTextWhileCuttingLeavesNothingOfTheOld()
{
    QVERIFY(make(200, 80));
    m_item.text.text = longText(textWidget::SyncCharacters * 40, QStringLiteral("old text "));
    setUpText(textWidget::SingleRowMode);
    m_item.text.text = longText(textWidget::SyncCharacters * 2, QStringLiteral("new words "));
    setUpText(textWidget::SingleRowMode);
    QTRY_VERIFY(m_w->pagesComplete());
    QCOMPARE(m_w->singleRowPages.join(QString()), m_item.text.text);
    QVERIFY(m_w->hasPage(m_w->pageCount() - 1) && !m_w->hasPage(m_w->pageCount()));
}

void TestTextWidget::stripStartsAtTheRightEdgeAndFollowsTime()
{
    QVERIFY(make(500, 200));
    m_item.text.text = QStringLiteral("Scrolling along");
    m_item.text.rollSpeed = 5; // 1 pixel per 10 ms
    m_item.text.playToEnd = false;
    setUpText(textWidget::ScrollingMode);
    QVERIFY(m_w->stripPicture());
    QCOMPARE(m_w->stripPicture()->height(), 100);
    QCOMPARE(m_w->stripPicture()->width(), m_w->fontSize + m_w->textWidth);
    QVERIFY(m_w->stripLabel->isVisible());
    QCOMPARE(m_w->stripLabel->pos(), QPoint(500, 50));
    m_clock->advance(1000); // 60 frames of 16.67 ms
    QCOMPARE(m_w->x, 400);
    QCOMPARE(m_w->stripLabel->pos(), QPoint(400, 50));
    m_clock->advance(2345);
    QCOMPARE(m_w->x, shownX(3345));
    QVERIFY(m_w->x <= 500 - 332);
}

void TestTextWidget::leftToRightStartsBeforeTheText()
{
    QVERIFY(make(500, 200));
    m_item.text.text = QStringLiteral("Rightwards");
    m_item.text.rollDirection = 1;
    m_item.text.rollSpeed = 3; // 1 pixel per 16 ms
    setUpText(textWidget::ScrollingMode);
    QCOMPARE(m_w->x, -m_w->textWidth);
    m_clock->advance(1600);
    QCOMPARE(m_w->x, -m_w->textWidth + 100); // 1600 is a whole number of frames and of ticks
}

void TestTextWidget::playToEndFinishesExactlyAtTheFirstWrap()
{
    QVERIFY(make(500, 200));
    m_item.text.text = QStringLiteral("Once across");
    m_item.text.fontSize = 20;
    m_item.text.rollSpeed = 5;
    m_item.text.playToEnd = true;
    setUpText(textWidget::ScrollingMode);
    QSignalSpy finished(m_w.get(), &textWidget::sigScrollFinished);
    const ScrollSpeed::Track track{0, 500, m_w->textWidth, 20, 5};
    const qint64 wrapAt = track.msToFirstWrap();
    QCOMPARE(wrapAt, (500 + m_w->textWidth + 20 + 1) * 10LL);
    m_clock->advance(wrapAt - 1);
    QCOMPARE(finished.count(), 0);
    QCOMPARE(m_w->x, shownX(wrapAt - 1));
    QVERIFY(m_w->x >= -(m_w->textWidth + 20));
    m_clock->advance(1);
    QCOMPARE(finished.count(), 1);
    QCOMPARE(m_w->x, 500);
    QVERIFY(!m_w->isScrolling());
    m_clock->advance(60000);
    QCOMPARE(finished.count(), 1);
}

void TestTextWidget::withoutPlayToEndItKeepsScrolling()
{
    QVERIFY(make(500, 200));
    m_item.text.text = QStringLiteral("Again and again");
    m_item.text.rollSpeed = 10;
    m_item.text.fontSize = 48; // 4 pixels per 2 ms
    m_item.text.playToEnd = false;
    setUpText(textWidget::ScrollingMode);
    QSignalSpy finished(m_w.get(), &textWidget::sigScrollFinished);
    const ScrollSpeed::Track track{0, 500, m_w->textWidth, 48, 10};
    m_clock->advance(track.msToFirstWrap() * 3 + 100);
    QCOMPARE(finished.count(), 0);
    QVERIFY(m_w->isScrolling());
    QCOMPARE(m_w->x, shownX(track.msToFirstWrap() * 3 + 100));
    QVERIFY(m_w->x >= 300 && m_w->x <= 300 + 34); // about 100 ms past the third wrap
}

void TestTextWidget::pauseKeepsThePosition()
{
    QVERIFY(make(500, 200));
    m_item.text.text = QStringLiteral("Pause me");
    m_item.text.rollSpeed = 5;
    m_item.text.playToEnd = false;
    setUpText(textWidget::ScrollingMode);
    m_clock->advance(1000);
    QCOMPARE(m_w->x, 400);
    m_clock->advance(8);
    m_w->stopScroll(); // 8 ms after the last frame: they count
    m_clock->advance(5000);
    QCOMPARE(m_w->x, 400);
    m_w->resumeScroll();
    m_clock->advance(1000);
    QCOMPARE(m_w->scrolledMs(), 2008);
    QCOMPARE(m_w->x, 500 - 200);
}

void TestTextWidget::lateTickShowsTheTimeItWasDueFor()
{
    QVERIFY(make(500, 200));
    m_item.text.text = QStringLiteral("Late tick");
    m_item.text.rollSpeed = 10;
    m_item.text.fontSize = 48; // 4 pixels per 2 ms: every ms late would show
    setUpText(textWidget::ScrollingMode);
    m_clock->advance(16); // the first frame is due at 17 ms
    QCOMPARE(m_w->x, 500);
    m_clock->stall(6); // the thread was busy: the frame gets through at 22 ms
    m_clock->advance(0);
    QCOMPARE(m_w->scrolledMs(), 17);
    QCOMPARE(m_w->x, 500 - 8 * 4);
    m_clock->advance(12); // the next one is on time again, at 34 ms
    QCOMPARE(m_w->scrolledMs(), 34);
    QCOMPARE(m_w->x, 500 - 17 * 4);
}

void TestTextWidget::stallIsCaughtUpWithoutAJump()
{
    QVERIFY(make(1920, 200));
    m_item.text.text = QStringLiteral("A stall of the player must not make the ticker jump");
    m_item.text.rollSpeed = 10;
    m_item.text.fontSize = 48;
    m_item.text.playToEnd = false;
    setUpText(textWidget::ScrollingMode);
    const ScrollSpeed::Track track{0, 1920, m_w->textWidth, 48, 10};
    m_clock->advance(500);
    m_clock->stall(70); // four display refreshes missed
    // Every frame from here on moves at most a fifth more than an on-time frame (20 ms of
    // scrolling, 40 pixels), and the lag is gone within a second.
    qint64 lastScrolled = m_w->scrolledMs();
    int lastX = m_w->x;
    int frames = 0;
    for (int ms = 0; ms < 1000; ++ms) {
        m_clock->advance(1);
        if (m_w->scrolledMs() == lastScrolled)
            continue;
        ++frames;
        QVERIFY2(m_w->scrolledMs() - lastScrolled <= 20, qPrintable(QString::number(ms)));
        QVERIFY(lastX - m_w->x <= 40);
        lastScrolled = m_w->scrolledMs();
        lastX = m_w->x;
    }
    QVERIFY(frames >= 59 && frames <= 61); // one per display period, no burst to catch up
    QCOMPARE(m_w->lagMs(), 0);
    QCOMPARE(m_w->x, shownX(1570));
    QCOMPARE(m_w->x, track.xAfterTicks(track.ticksAfter(m_w->scrolledMs())));
}

void TestTextWidget::clockSetBackKeepsTheFramesComing()
{
    QVERIFY(make(500, 200));
    m_item.text.text = QStringLiteral("Clock set back");
    m_item.text.rollSpeed = 5;
    m_item.text.playToEnd = false;
    setUpText(textWidget::ScrollingMode);
    m_clock->advance(500);
    const int x = m_w->x;
    m_clock->jumpWallClock(-3600 * 1000);
    m_clock->advance(1000);
    QVERIFY(m_w->x < x - 50);
}

void TestTextWidget::framesMissedForLongKeepTheSpeed()
{
    QVERIFY(make(500, 200));
    m_item.text.text = QStringLiteral("Slow machine");
    m_item.text.rollSpeed = 5;
    m_item.text.playToEnd = false;
    setUpText(textWidget::ScrollingMode);
    // Every frame comes two display periods late, for ten seconds.
    for (int i = 0; i < 300; ++i) {
        m_clock->stall(33);
        m_clock->advance(1);
        QVERIFY(m_w->lagMs() <= 3 * 34);
    }
    // All the time up to the last frame is accounted for, and only a few frames' worth is
    // still to be shown.
    QVERIFY(m_w->scrolledMs() + m_w->lagMs() > 300 * 34 - 17);
    QVERIFY(m_w->scrolledMs() + m_w->lagMs() <= 300 * 34);
    QVERIFY(m_w->scrolledMs() >= 300 * 34 - 3 * 34);
}

void TestTextWidget::speedOffTheTableDoesNotScroll()
{
    QVERIFY(make(500, 200));
    m_item.text.text = QStringLiteral("Still");
    for (int speed : {0, -2, 11}) {
        m_item.text.rollSpeed = speed;
        setUpText(textWidget::ScrollingMode);
        QVERIFY(!m_w->isScrolling());
        m_clock->advance(1000);
        QCOMPARE(m_w->x, 500);
    }
}

void TestTextWidget::endToEndDrawsCopiesWithoutAStrip()
{
    QVERIFY(make(600, 100));
    m_item.text.text = QStringLiteral("\u2588\u2588\u2588\u2588\u2588\u2588\u2588\u2588");
    m_item.text.fontSize = 20;
    m_item.text.endToEnd = true;
    m_item.text.cycleInterval = 40;
    m_item.text.rollSpeed = 5;
    m_item.text.playToEnd = false;
    m_item.text.textColor = QColor(0, 255, 0);
    setUpText(textWidget::ScrollingMode);
    QVERIFY(!m_w->stripPicture());
    QVERIFY(!m_w->stripLabel->isVisible());
    // After 7 s the first copy is near x = 600 - 700: the second and later copies show.
    m_clock->advance(7000);
    QCOMPARE(m_w->x, shownX(7000));
    QVERIFY(m_w->x <= -90);
    const QImage img = m_w->grab().toImage();
    const int t = m_w->textWidth;
    const int pitch = 40 + t;
    const int row = 50;
    int copiesSeen = 0;
    for (int i = 1; i < 600 / t + 1; ++i) {
        const int cx = m_w->x + i * pitch + t / 2;
        if (cx >= 0 && cx < 600 && QColor(img.pixel(cx, row)).green() > 200)
            ++copiesSeen;
    }
    QVERIFY(copiesSeen >= 2);
    // The gaps between copies stay dark.
    const int gap = m_w->x + pitch - 20;
    QVERIFY(gap > 0);
    QVERIFY(QColor(img.pixel(gap, row)).green() < 60);
}

void TestTextWidget::overlongTextGetsNoStripPicture()
{
    QVERIFY(make(400, 100));
    m_item.text.text = QString(20000, QLatin1Char('W'));
    m_item.text.rollSpeed = 10;
    setUpText(textWidget::ScrollingMode);
    QVERIFY(!m_w->stripPicture());
    QVERIFY(m_w->isScrolling());
    m_clock->advance(1000);
    QCOMPARE(m_w->x, shownX(1000));
    QVERIFY(m_w->x < 400 - 480);
    m_w->repaint();
}

void TestTextWidget::horizontalGradientRunsRedToMagenta()
{
    QVERIFY(make(400, 100));
    m_item.text.text = QStringLiteral("\u2588\u2588\u2588\u2588\u2588\u2588\u2588\u2588");
    m_item.text.fontSize = 40;
    m_item.text.colorful = 1;
    m_item.text.verticalAlign = 2;
    setUpText(textWidget::SimpleMode);
    const QImage img = m_w->grab().toImage();
    const int t = m_w->textWidth;
    QVERIFY(t > 100 && t <= 400);
    const int row = 50;
    const QColor left(img.pixel(3, row));
    const QColor middle(img.pixel(qRound(0.4 * t), row));
    const QColor right(img.pixel(t - 4, row));
    QVERIFY2(left.red() > 200 && left.green() < 80 && left.blue() < 80, qPrintable(left.name()));
    QVERIFY2(middle.green() > 200 && middle.red() < 80 && middle.blue() < 80, qPrintable(middle.name()));
    QVERIFY2(right.red() > 180 && right.blue() > 180 && right.green() < 80, qPrintable(right.name()));
}

void TestTextWidget::plainColourDrawsTheTextColour()
{
    QVERIFY(make(400, 100));
    m_item.text.text = QStringLiteral("\u2588\u2588\u2588");
    m_item.text.fontSize = 30;
    m_item.text.textColor = QColor(10, 200, 250);
    m_item.text.verticalAlign = 2;
    setUpText(textWidget::SimpleMode);
    const QImage img = m_w->grab().toImage();
    QCOMPARE(QColor(img.pixel(m_w->textWidth / 2, 50)), QColor(10, 200, 250));
    QCOMPARE(QColor(img.pixel(m_w->textWidth + 20, 50)), QColor(Qt::black));
}

QTEST_MAIN(TestTextWidget)
#include "test_textwidget.moc"
