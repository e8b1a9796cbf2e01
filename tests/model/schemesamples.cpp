#include "schemesamples.h"

#include "bytes.h"
#include "model/commonwinobject.h"
#include "model/cycleobject.h"
#include "model/generalobject.h"
#include "model/lumoramediaobject.h"
#include "model/programobject.h"
#include "model/timepoint.h"
#include "model/timingobject.h"

namespace SchemeSamples {

namespace {

LumoraMediaObject *item(const char *type)
{
    auto *m = new LumoraMediaObject;
    m->type = QString::fromLatin1(type);
    m->mediaId = 7;
    m->displayWindowName = "D";
    m->segmentName = "G";
    m->programName = "P";
    m->windowName = "W";
    return m;
}

GoldenMedia video()
{
    LumoraMediaObject *m = item("video");
    VideoProperties &v = m->video;
    v.filePath = "/v/a.mp4";
    v.volume = 77;
    v.totalLength = QTime(1, 2, 3, 456);
    v.clipEnabled = true;
    v.clipStart = QTime(0, 0, 10);
    v.clipEnd = QTime(0, 1, 0);
    v.scaleType = 1;
    v.rotation = 3;
    v.backgroundIsColor = false;
    v.backgroundColor = QColor(1, 2, 3);
    v.backgroundImage = "bg.png";
    v.backgroundImageStyle = 1;
    v.backgroundTransparent = true;
    v.coverTextEnabled = true;
    v.coverText = "Cover";
    v.coverColorful = 4;
    v.coverFontSize = 12;
    v.coverBold = true;
    v.coverItalic = false;
    v.coverUnderline = true;
    v.coverTextColor = QColor(10, 20, 30);
    v.coverFontFamily = "Sans";
    v.coverRolling = true;
    v.coverRollSpeed = 9;
    v.coverRollDirection = 1;
    v.coverTextY = 40;
    const QByteArray body = Bytes()
                                .str("/v/a.mp4")
                                .i32(77)
                                .str("01:02:03.456")
                                .b(true)
                                .str("00:00:10")
                                .str("00:01:00")
                                .i32(1)
                                .i32(3)
                                .b(false)
                                .col(1, 2, 3)
                                .str("bg.png")
                                .i32(1)
                                .b(true)
                                .b(true)
                                .str("Cover")
                                .i32(12) // coverFontSize before coverColorful
                                .i32(4)
                                .b(true)
                                .b(false)
                                .b(true)
                                .col(10, 20, 30)
                                .str("Sans")
                                .b(true)
                                .i32(1) // coverRollDirection before coverRollSpeed
                                .i32(9)
                                .i32(40);
    return {"video", m, body};
}

void fillImage(ImageProperties &i)
{
    i.filePath = "/p/a.png";
    i.backgroundIsColor = false;
    i.backgroundColor = QColor(4, 5, 6);
    i.backgroundImage = "b.jpg";
    i.backgroundImageStyle = 0;
    i.backgroundTransparent = true;
    i.backgroundMusic = "m.mp3";
    i.entryEffectEnabled = true;
    i.exitEffectEnabled = false;
    i.entryEffect = 11;
    i.exitEffect = 12;
    i.entrySpeed = 13;
    i.exitSpeed = 14;
    i.scaleType = 1;
    i.stayTime = 15;
    i.transparency = 16;
    i.rotation = 2;
    i.pages.append(QImage(2, 2, QImage::Format_RGB32));
}

QByteArray imageBody()
{
    return Bytes()
        .str("/p/a.png")
        .b(false)
        .col(4, 5, 6)
        .str("b.jpg")
        .i32(0)
        .b(true)
        .str("m.mp3")
        .b(true)
        .b(false)
        .i32(11)
        .i32(12)
        .i32(13)
        .i32(14)
        .i32(1)
        .i32(15)
        .i32(16)
        .i32(2);
}

GoldenMedia analogClock()
{
    LumoraMediaObject *m = item("analogClock");
    AnalogClockProperties &a = m->analogClock;
    a.background = {false, QColor(7, 8, 9), "clk.png", 0, true};
    a.textColor = QColor(1, 1, 1);
    a.text = "Cap";
    a.textFont = "F1";
    a.textFontSize = 21;
    a.textBold = true;
    a.textItalic = false;
    a.textUnderline = true;
    a.showDate = false;
    a.dateColor = QColor(2, 2, 2);
    a.dateStyle = 1;
    a.dateFont = "F2";
    a.dateFontSize = 22;
    a.dateBold = false;
    a.dateItalic = true;
    a.dateUnderline = false;
    a.showWeek = true;
    a.weekColor = QColor(3, 3, 3);
    a.weekFont = "F3";
    a.weekFontSize = 23;
    a.weekBold = true;
    a.weekItalic = true;
    a.weekUnderline = false;
    a.timeDiffMode = 1;
    a.timeDiff = QTime(2, 30, 0);
    a.playTime = QTime(0, 0, 45);
    a.hourMarkColor = QColor(4, 4, 4);
    a.hourMarkWidth = 31;
    a.hourMarkHeight = 32;
    a.hourMarkShape = 1;
    a.minuteMarkColor = QColor(5, 5, 5);
    a.minuteMarkWidth = 33;
    a.minuteMarkHeight = 34;
    a.minuteMarkShape = 1;
    a.hourHandColor = QColor(6, 6, 6);
    a.minuteHandColor = QColor(7, 7, 7);
    a.secondHandColor = QColor(8, 8, 8);
    const QByteArray body = Bytes()
                                .b(false)
                                .col(7, 8, 9)
                                .str("clk.png")
                                .i32(0)
                                .b(true)
                                .col(1, 1, 1)
                                .str("Cap")
                                .str("F1")
                                .i32(21)
                                .b(true)
                                .b(false)
                                .b(true)
                                .b(false)
                                .col(2, 2, 2)
                                .i32(1)
                                .str("F2")
                                .i32(22)
                                .b(false)
                                .b(true)
                                .b(false)
                                .b(true)
                                .col(3, 3, 3)
                                .str("F3")
                                .i32(23)
                                .b(true)
                                .b(true)
                                .b(false)
                                .i32(1)
                                .str("02:30:00")
                                .str("00:00:45")
                                .col(4, 4, 4)
                                .i32(31)
                                .i32(32)
                                .i32(1)
                                .col(5, 5, 5)
                                .i32(33)
                                .i32(34)
                                .i32(1)
                                .col(6, 6, 6)
                                .col(7, 7, 7)
                                .col(8, 8, 8);
    return {"analogClock", m, body};
}

GoldenMedia digitalClock()
{
    LumoraMediaObject *m = item("digitalClock");
    DigitalClockProperties &d = m->digitalClock;
    d.background = {false, QColor(9, 9, 9), "dc.png", 0, true};
    d.dateStyle = 2;
    d.fixedText = "Now";
    d.fontFamily = "Mono";
    d.fontSize = 30;
    d.colorful = 5;
    d.playTime = QTime(0, 0, 7);
    d.color = QColor(0, 0, 255);
    d.bold = true;
    d.italic = false;
    d.underline = true;
    d.showYear = false;
    d.showMonth = true;
    d.showDay = false;
    d.showHour = true;
    d.showMinute = false;
    d.showSecond = true;
    d.showHalfDay = false;
    d.showWeek = false;
    d.twoDigitYear = true;
    d.hour12 = true;
    d.multiRow = true;
    d.timeDiffMode = 1;
    d.timeDiff = QTime(1, 0, 0);
    Bytes body;
    body.b(false).col(9, 9, 9).str("dc.png").i32(0).b(true);
    body.i32(2).str("Now").str("Mono").i32(30).i32(5).str("00:00:07").col(0, 0, 255);
    for (int flag : {1, 0, 1, 0, 1, 0, 1, 0, 1, 0, 0, 1, 1, 1})
        body.b(flag);
    body.i32(1).str("01:00:00");
    return {"digitalClock", m, body};
}

GoldenMedia countTimer()
{
    LumoraMediaObject *m = item("digitalTimer");
    CountTimerProperties &c = m->countTimer;
    c.background = {true, QColor(10, 11, 12), QString(""), 1, false}; // empty, not null
    c.transparency = 50;
    c.countUp = 1;
    c.length = QTime(0, 5, 0);
    c.numberColor = QColor(13, 14, 15);
    const QByteArray body = Bytes()
                                .b(true)
                                .col(10, 11, 12)
                                .str("")
                                .i32(1)
                                .b(false)
                                .i32(50)
                                .i32(1)
                                .str("00:05:00")
                                .col(13, 14, 15);
    return {"digitalTimer", m, body};
}

GoldenMedia text(const char *type)
{
    LumoraMediaObject *m = item(type);
    TextProperties &t = m->text;
    t.text = QStringLiteral("Line\n\u4E2D\u6587");
    t.fontFamily = "Serif";
    t.fontSize = 18;
    t.bold = false;
    t.italic = true;
    t.underline = false;
    t.textColor = QColor(20, 21, 22);
    t.backgroundIsColor = false;
    t.colorful = 3;
    t.backgroundColor = QColor(23, 24, 25);
    t.backgroundImage = "t.png";
    t.backgroundImageStyle = 0;
    t.backgroundTransparent = true;
    t.entryEffectEnabled = true;
    t.exitEffectEnabled = true;
    t.entryEffect = 41;
    t.exitEffect = 42;
    t.entrySpeed = 43;
    t.exitSpeed = 44;
    t.horizontalAlign = 45;
    t.verticalAlign = 46;
    t.lineSpacing = 47;
    t.letterSpacing = 48;
    t.stayTime = 49;
    t.playToEnd = false;
    t.playDuration = QTime(0, 0, 30);
    t.rollDirection = 1;
    t.endToEnd = true;
    t.cycleInterval = 60;
    t.rollSpeed = 7;
    const QByteArray body = Bytes()
                                .str("Line\n\xE4\xB8\xAD\xE6\x96\x87")
                                .str("Serif")
                                .i32(18)
                                .b(false)
                                .b(true)
                                .b(false)
                                .col(20, 21, 22)
                                .b(false)
                                .i32(3) // colorful inside the background fields
                                .col(23, 24, 25)
                                .str("t.png")
                                .i32(0)
                                .b(true)
                                .b(true)
                                .b(true)
                                .i32(41)
                                .i32(42)
                                .i32(43)
                                .i32(44)
                                .i32(45)
                                .i32(46)
                                .i32(47)
                                .i32(48)
                                .i32(49)
                                .b(false)
                                .str("00:00:30")
                                .i32(1)
                                .b(true)
                                .i32(60)
                                .i32(7);
    return {type, m, body};
}

GoldenMedia url()
{
    LumoraMediaObject *m = item("URL");
    m->url.transparency = 60;
    m->url.address = "http://host/x";
    m->url.posX = -5;
    m->url.posY = 6;
    m->url.length = QTime(0, 3, 0);
    return {"URL", m, Bytes().i32(60).str("http://host/x").i32(-5).i32(6).str("00:03:00")};
}

GoldenMedia videoDevice(bool transparent)
{
    LumoraMediaObject *m = item("videoDevice");
    m->videoDevice.background = {false, QColor(30, 31, 32), "cam.png", 0, transparent};
    m->videoDevice.length = QTime(0, 20, 0);
    // backgroundTransparent takes four bytes here.
    const QByteArray body =
        Bytes().b(false).col(30, 31, 32).str("cam.png").i32(0).i32(transparent ? 1 : 0).str("00:20:00");
    return {transparent ? "videoDevice transparent" : "videoDevice opaque", m, body};
}

GoldenMedia streaming()
{
    LumoraMediaObject *m = item("streaming");
    m->streaming.address = "rtmp://h/l";
    m->streaming.volume = 55;
    m->streaming.length = QTime(1, 0, 0);
    return {"streaming", m, Bytes().str("rtmp://h/l").i32(55).str("01:00:00")};
}

GoldenMedia weather()
{
    LumoraMediaObject *m = item("weather");
    WeatherProperties &w = m->weather;
    w.background = {false, QColor(40, 41, 42), "w.png", 0, true};
    w.location1 = "L1";
    w.location2 = "L2";
    w.location3 = QString(); // null
    w.reserved = 8;
    w.updateInterval = 30;
    w.length = QTime(0, 0, 15);
    const QByteArray body = Bytes()
                                .b(false)
                                .col(40, 41, 42)
                                .str("w.png")
                                .i32(0)
                                .b(true)
                                .str("L1")
                                .str("L2")
                                .null()
                                .i32(8)
                                .i32(30)
                                .str("00:00:15");
    return {"weather", m, body};
}

} // namespace

QVector<GoldenMedia> goldenMedia()
{
    QVector<GoldenMedia> list;
    list << video();
    GoldenMedia image{"image", item("image"), imageBody()};
    fillImage(image.media->image);
    list << image;
    GoldenMedia office{"office", item("office"), imageBody()};
    fillImage(office.media->image);
    list << office;
    list << analogClock() << digitalClock() << countTimer();
    for (const char *type : {"txt", "simpleText", "singleRowText", "scrollingText"})
        list << text(type);
    list << url() << videoDevice(true) << videoDevice(false) << streaming() << weather();
    return list;
}

QByteArray mediaHeader(const QByteArray &type)
{
    return Bytes().i32(7).str("D").str("G").str("P").str("W").str(type);
}

Scheme wrap(const QList<LumoraMediaObject *> &media)
{
    Scheme scheme;
    scheme.displayWindowCounter = 1;
    Scheme::DisplayWindow &d = scheme.addDisplayWindow();
    d.window.name = "D";
    auto *g = new GeneralObject;
    g->displayWindowName = "D";
    g->name = "G";
    g->programCounter = 1;
    d.schedule.generalSegments.append(g);
    auto *p = new ProgramObject;
    p->windowCounter = 1;
    p->displayWindowName = "D";
    p->segmentName = "G";
    p->name = "P";
    p->playMode = ProgramObject::Loop;
    g->programs.append(p);
    auto *w = new CommonWinObject;
    w->segmentKind = "generalSegment";
    w->displayWindowName = "D";
    w->segmentName = "G";
    w->programName = "P";
    w->name = "W";
    w->media = media;
    p->windows.append(w);
    return scheme;
}

QByteArray wrapBytes(int mediaCount, const QByteArray &mediaRecords)
{
    return Bytes()
        .i32(1)
        .i32(1)
        // display window: name, x, y, width, height, onTopMode, segment counts
        .str("D")
        .i32(0)
        .i32(0)
        .i32(200)
        .i32(200)
        .i32(1)
        .i32(1)
        .i32(0)
        .i32(0)
        // general segment
        .str("D")
        .str("G")
        .b(false)
        .null()
        .null()
        .allDays()
        .b(true)
        .null()
        .null()
        .i32(1)
        .i32(1)
        // program, full form, loop: no play amount
        .i32(1)
        .str("D")
        .str("G")
        .str("P")
        .col(0, 0, 0)
        .null()
        .i32(1)
        .i32(0)
        .i32(2)
        .i32(1)
        // window
        .str("generalSegment")
        .str("D")
        .str("G")
        .str("P")
        .str("W")
        .b(false)
        .i32(0)
        .col(255, 0, 0)
        .i32(0)
        .i32(0)
        .i32(0)
        .i32(0)
        .i32(mediaCount)
        .raw(mediaRecords);
}

namespace {

void names(ProgramObject *p, const QString &display, const QString &segment, const QString &name)
{
    p->displayWindowName = display;
    p->segmentName = segment;
    p->name = name;
}

CommonWinObject *window(const QString &kind, const ProgramObject *p, const QString &name, int seed)
{
    auto *w = new CommonWinObject;
    w->segmentKind = kind;
    w->displayWindowName = p->displayWindowName;
    w->segmentName = p->segmentName;
    w->programName = p->name;
    w->name = name;
    w->frameEnabled = seed % 2 == 0;
    w->frameWidth = seed + 1;
    w->frameColor = QColor(seed % 256, (seed * 3) % 256, (seed * 7) % 256);
    w->x = seed * 10;
    w->y = seed * 5;
    w->width = 100 + seed;
    w->height = 50 + seed;
    return w;
}

} // namespace

Scheme rich(const QString &mediaDir)
{
    Scheme scheme;
    scheme.displayWindowCounter = 9;

    Scheme::DisplayWindow &a = scheme.addDisplayWindow();
    a.window.name = QStringLiteral("Display window1");
    a.window.x = -1920;
    a.window.y = 10;
    a.window.width = 1920;
    a.window.height = 1080;
    a.window.onTopMode = 2;

    auto *g1 = new GeneralObject;
    g1->displayWindowName = a.window.name;
    g1->name = "General Segment1";
    g1->specifiedDate = true;
    g1->fromDate = QDate(2024, 1, 31);
    g1->toDate = QDate(2024, 12, 1);
    g1->weekdays = QStringList{"Tuesday", "Saturday"};
    g1->allDay = false;
    g1->fromTime = QTime(8, 0, 0);
    g1->toTime = QTime(18, 30, 15);
    g1->programCounter = 4;
    a.schedule.generalSegments.append(g1);

    auto *p1 = new ProgramObject;
    names(p1, a.window.name, g1->name, "Program1");
    p1->backgroundColor = QColor(1, 2, 3);
    p1->backgroundImage = mediaDir + "/page.png";
    p1->backgroundDisplayType = 0;
    p1->backgroundMusic = QStringList{mediaDir + "/a.mp3", QString(""), QString()};
    p1->playMode = ProgramObject::ByTimes;
    p1->playTimes = 3;
    p1->windowCounter = 2;
    g1->programs.append(p1);

    auto *w1 = window("generalSegment", p1, "Common Window1", 1);
    p1->windows.append(w1);
    const QVector<GoldenMedia> golden = goldenMedia();
    int id = 100;
    for (const GoldenMedia &gm : golden) {
        LumoraMediaObject *m = gm.media;
        m->mediaId = id++;
        m->displayWindowName = w1->displayWindowName;
        m->segmentName = w1->segmentName;
        m->programName = w1->programName;
        m->windowName = w1->name;
        if (m->type == "video")
            m->video.filePath = mediaDir + "/clip.mp4";
        if (m->type == "image" || m->type == "office")
            m->image.filePath = mediaDir + "/" + m->type + ".file";
        w1->media.append(m);
    }

    auto *p2 = new ProgramObject;
    names(p2, a.window.name, g1->name, "Program2");
    p2->playMode = ProgramObject::ByLength;
    p2->playLength = QTime(1, 2, 3);
    p2->windowCounter = 0;
    g1->programs.append(p2);

    auto *p3 = new ProgramObject;
    names(p3, a.window.name, g1->name, QString("")); // empty name, not null
    p3->playMode = ProgramObject::Loop;
    p3->windows.append(window("generalSegment", p3, "Common Window2", 2));
    g1->programs.append(p3);

    auto *g2 = new GeneralObject; // all defaults, names null
    a.schedule.generalSegments.append(g2);

    auto *c1 = new CycleObject;
    c1->displayWindowName = a.window.name;
    c1->name = "Cycle Inserted Segment1";
    c1->playEvery = 15;
    c1->playMode = 0;
    c1->playMinutes = 7;
    c1->playSeconds = 30;
    c1->specifiedDate = true;
    c1->fromDate = QDate(2023, 2, 3);
    c1->toDate = QDate(2030, 4, 5);
    c1->weekdays = QStringList{"Monday", "Sunday"};
    c1->allDay = false;
    c1->fromTime = QTime(0, 0, 1);
    c1->toTime = QTime(23, 59, 59);
    c1->programCounter = 1;
    auto *cp = new ProgramObject;
    names(cp, a.window.name, c1->name, "Program1");
    cp->backgroundMusic = QStringList{"x.wav"};
    cp->windowCounter = 1;
    auto *cw = window("cycleSegment", cp, "Common Window1", 3);
    auto *cm = new LumoraMediaObject;
    cm->type = "scrollingText";
    cm->mediaId = 300;
    cm->text.text = QString(""); // empty text, not null
    cw->media.append(cm);
    cp->windows.append(cw);
    c1->programs.append(cp);
    a.schedule.cycleSegments.append(c1);

    auto *c2 = new CycleObject;
    c2->name = "Cycle Inserted Segment2";
    c2->playMode = 1;
    c2->playTimes = 3;
    a.schedule.cycleSegments.append(c2);

    auto *t1 = new TimingObject;
    t1->displayWindowName = a.window.name;
    t1->name = "Timing Inserted Segment1";
    t1->playMode = 0;
    t1->playMinutes = 2;
    t1->playSeconds = 5;
    t1->programCounter = 2;
    auto *tp1 = new TimePoint;
    tp1->time = QTime(12, 34, 0);
    tp1->specifiedDate = true;
    tp1->fromDate = QDate(2025, 6, 7);
    tp1->toDate = QDate(2025, 8, 9);
    tp1->weekdays = QStringList{"Wednesday", "Thursday", "Friday"};
    t1->timePoints.append(tp1);
    auto *tp2 = new TimePoint; // no weekday: seven zero flags
    tp2->time = QTime(6, 0, 0);
    t1->timePoints.append(tp2);
    auto *tprog = new ProgramObject;
    names(tprog, a.window.name, t1->name, "Program1");
    auto *tw = window("timingSegment", tprog, "Common Window1", 4);
    auto *tm = new LumoraMediaObject;
    tm->type = "digitalClock";
    tm->mediaId = 400;
    tw->media.append(tm);
    tprog->windows.append(tw);
    t1->programs.append(tprog);
    a.schedule.timingSegments.append(t1);

    Scheme::DisplayWindow &b = scheme.addDisplayWindow();
    b.window.name = QStringLiteral("\u5C4F\u5E55 2"); // non-ASCII name
    b.window.x = 0;
    b.window.y = 0;
    b.window.width = 64;
    b.window.height = 32;
    b.window.onTopMode = 0;
    auto *t2 = new TimingObject;
    t2->displayWindowName = b.window.name;
    t2->name = "Timing Inserted Segment1";
    t2->playMode = 1;
    t2->playTimes = 4;
    b.schedule.timingSegments.append(t2);

    Scheme::DisplayWindow &c = scheme.addDisplayWindow(); // no segments at all
    c.window.name = QString("");
    return scheme;
}

} // namespace SchemeSamples
