#pragma once

#include "textcore/colorpen.h"
#include "textcore/textpaginator.h"

#include <QColor>
#include <QFont>
#include <QLabel>
#include <QPixmap>
#include <QStaticText>
#include <QStringList>

#include <memory>

class ClockTimer;
class LumoraMediaObject;
template<typename T> class QFutureWatcher;

// Draws simple text ("simpleText", "txt"), single-row text ("singleRowText") and scrolling
// text ("scrollingText") inside a play window.
//
// The play window fills the public fields (or calls setupItem(), which does it from the
// item), sets the page, and calls setUp(). It advances the pages itself (page + 1 and a
// repaint); this renderer never does.
//
// Pages: a text is cut into pages once for its text, size, font and mode, and the pages are
// kept while those stay, so a page change only draws. A field changed in place (an edit in
// the editor) shows at the next paint. A text longer than SyncCharacters is cut on a worker
// thread, so even a text of the importer's limit (1 MiB) never holds the GUI thread: its
// pages arrive as they are cut, the first one almost at once, and a page not cut yet shows
// the background until it is.
//
// Scrolling: the position follows the time elapsed on the clock service (whole ticks of
// the speed table), and the scroll tick (`scrollTimer`) only paces the frames, so the
// speed stays exact when the timer fires late. A frame shows the position for the time it
// was due, not for the moment the timer got through, so a late tick does not make an
// uneven step; after a stall that misses display refreshes, the time lost is caught up
// over the next frames instead of in one jump. Pause with stopScroll(), continue with
// resumeScroll(); the text goes on from where it stood.
class textWidget : public QLabel
{
    Q_OBJECT

public:
    enum Mode { SimpleMode = 0, SingleRowMode = 1, ScrollingMode = 2 };

    explicit textWidget(QWidget *parent = nullptr);
    ~textWidget() override;

    // Fills every field from a text item; `mode` 0 simple, 1 single-row, 2 scrolling.
    // The alignments 0/1/2 become the Qt flags 1/2/4 and 32/64/128. The page becomes 0.
    void setupItem(const LumoraMediaObject &item, int mode);
    // Prepares the filled fields for showing: font, pages, the strip (scrolling without end
    // to end) or none, the start position, and for scrolling text the scroll tick.
    void setUp();

    // Scroll tick control for the play window's pause, resume and stop.
    void startScroll();  // from the start position
    void stopScroll();   // keeps the position
    void resumeScroll(); // from the kept position
    bool isScrolling() const;
    // A scrolling text that plays to the end: the scrolling time left until its text has
    // once gone fully out; -1 for any other text or a speed that never scrolls.
    qint64 msToScrollEnd() const;

    // Texts up to this many characters are cut into pages on the spot (a few milliseconds);
    // longer ones on a worker thread.
    static constexpr int SyncCharacters = 4096;

    // Pages of the current mode (simple or single-row) for the current text, size and font:
    // those cut so far while a long text is being cut, all of them once pagesComplete().
    int pageCount();
    // Whether the page exists; a page of a long text still being cut counts when the pages
    // cut so far stop before the end of the text, so the play window can go on to it.
    bool hasPage(int index);
    bool pagesComplete();
    // Sets `pen`'s brush by the colour mode, spanning this renderer.
    void setColorPen(QPen &pen) const;
    // The pre-drawn strip (scrolling without end to end); null otherwise.
    const QPixmap *stripPicture() const { return strip.get(); }

    // Fields, in the order the play window knows them.
    QLabel *stripLabel = nullptr; // carries the strip picture; hidden at first
    bool painting = false;
    int mode = SimpleMode;
    int rollDirection = 0; // 0 "Right to Left", 1 "Left toRight"
    int rollSpeed = 5;     // 1..10
    std::unique_ptr<QPixmap> strip;
    QStringList simplePages;
    QStringList singleRowPages;
    QString text;
    QColor textColor = QColor(255, 0, 0);
    QString fontFamily = QStringLiteral("Arial");
    int fontSize = 16;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    int horizontalAlign = Qt::AlignLeft; // flag 1, 2 or 4
    int verticalAlign = Qt::AlignTop;    // flag 32, 64 or 128
    int letterSpacing = 0;
    int lineSpacing = 0; // extra pixels between lines of simple text
    QFont font;
    ClockTimer *scrollTimer = nullptr;
    int x = 0;
    int y = 0;
    int textWidth = 0;
    bool playToEnd = false;
    int page = 0;
    int colorMode = 0;
    int stayTime = 3;
    bool endToEnd = false;
    int cycleInterval = 10;
    int entryEffect = 0;
    int exitEffect = 0;

    // Frame pacing of the scroll tick: the display's frame period in ms (60 Hz: 16.67, so
    // the tick alternates 16 and 17 ms and stays in step with the display).
    static double framePeriod();
    // Scrolling time so far, pauses excluded, as of the last frame.
    qint64 scrolledMs() const { return m_scrolledMs; }
    // Scrolling time passed but not shown yet (a stall being caught up).
    qint64 lagMs() const { return m_lagMs; }

signals:
    // A scrolling text that plays to the end has scrolled fully out once.
    void sigScrollFinished();

public slots:
    // One frame of scrolling: the position for the elapsed time, then a move or a repaint.
    void slotTimeout();

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    // A batch of pages from the worker; the last one carries the width of the whole text.
    struct PageBatch
    {
        QVector<TextPaginator::Page> pages;
        int textWidth = -1;
    };
    // What the pages were cut for: they are kept while it stays the same.
    struct PagesKey
    {
        QString text;
        QFont font;
        QSize size;
        int mode = -1;
        int lineSpacing = 0;
        bool operator==(const PagesKey &o) const
        {
            return mode == o.mode && size == o.size && lineSpacing == o.lineSpacing && font == o.font &&
                   text == o.text;
        }
    };

    void buildFont();
    // Cuts the pages if the text, size, font or mode changed since they were cut.
    void ensurePages();
    void startPaginating(qreal width, int lines);
    void cancelPaginating();
    // Adds pages; true when the page to show is among them (or a gradient's width changed).
    bool takePages(const PageBatch &batch);
    void buildStrip();
    void placeScroll();
    void armNextFrame();
    // Where the frame due now stands: the scrolling time it shows and the lag left.
    struct Frame
    {
        qint64 frameMs = 0;
        qint64 scrolledMs = 0;
        qint64 lagMs = 0;
    };
    Frame frameNow() const;
    void takeFrame(const Frame &frame);
    // The expiry of the scroll tick in a headless run; false for the one slotTimeout() takes.
    bool quietFrame();
    int stripTop() const;
    ColorPen::Geometry penGeometry() const;

    QVector<TextPaginator::Page> m_pages; // of the current mode
    PagesKey m_pagesKey;
    int m_pagesEnd = 0;       // characters of the text the pages cover so far
    int m_pagesTextWidth = 0; // width of the whole text in the font the pages were cut for
    QFutureWatcher<PageBatch> *m_paginating = nullptr; // the worker cutting a long text
    QStaticText m_staticText;  // the text's cached layout, for end to end and over-long strips
    qint64 m_scrolledMs = 0;   // scrolling time, pauses excluded
    qint64 m_lastFrameMs = -1; // clock time the previous frame showed; -1 when stopped
    qint64 m_lagMs = 0;        // scrolling time passed but not shown yet, after a stall
    bool m_finished = false;
    qint64 m_frameOriginMs = 0; // clock reading the frame schedule counts from
    qint64 m_frameIndex = 0;
    qint64 m_nextFrameMs = 0; // clock time the armed frame is due
};
