// Writes the scheme of the soak and insert benchmarks, with its pictures, into a directory:
// one 640 x 360 display window whose general page plays pictures with entry and exit
// effects, texts of the three kinds, both clocks and the count timer, and two videos back to
// back (made beforehand by the caller as DIR/v1.mp4 and DIR/v2.mp4, 10 s each); a cycle
// insert every minute; a timing insert at every time point given.
//
// Usage: bench_soak_scheme DIR [HH:mm ...]
//   without time points: one every five minutes of the day.
#include "model/commonwinobject.h"
#include "model/cycleobject.h"
#include "model/generalobject.h"
#include "model/lumoramediaobject.h"
#include "model/programobject.h"
#include "model/scheme.h"
#include "model/schemewriter.h"
#include "model/timepoint.h"
#include "model/timingobject.h"
#include "model/weekdays.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <cstdio>

namespace {

QString dir;

LumoraMediaObject *item(const QString &type)
{
    auto *m = new LumoraMediaObject;
    m->type = type;
    return m;
}

LumoraMediaObject *picture(const QString &name, const QColor &colour, int stay, int effect)
{
    const QString path = QDir(dir).filePath(name);
    QImage image(640, 360, QImage::Format_RGB32);
    image.fill(colour);
    QPainter painter(&image);
    painter.setPen(Qt::white);
    painter.setFont(QFont(QStringLiteral("Liberation Sans"), 48));
    painter.drawText(image.rect(), Qt::AlignCenter, name);
    painter.end();
    image.save(path);
    LumoraMediaObject *m = item(QStringLiteral("image"));
    m->image.filePath = path;
    m->image.stayTime = stay;
    if (effect >= 0) {
        m->image.entryEffectEnabled = m->image.exitEffectEnabled = true;
        m->image.entryEffect = effect;
        m->image.exitEffect = effect;
        m->image.entrySpeed = m->image.exitSpeed = 5; // half a second each
    }
    return m;
}

LumoraMediaObject *text(const QString &type, const QString &words, int seconds)
{
    LumoraMediaObject *m = item(type);
    m->text.text = words;
    m->text.fontSize = 28;
    m->text.stayTime = seconds;
    m->text.playToEnd = false;
    m->text.playDuration = QTime(0, 0).addSecs(seconds);
    m->text.rollSpeed = 5;
    return m;
}

LumoraMediaObject *video(const QString &name)
{
    LumoraMediaObject *m = item(QStringLiteral("video"));
    m->video.filePath = QDir(dir).filePath(name);
    m->video.totalLength = QTime(0, 0, 10);
    return m;
}

CommonWinObject *window(ProgramObject *page, const QString &kind, const QString &name, const QRect &at,
                        const QList<LumoraMediaObject *> &media)
{
    auto *w = new CommonWinObject;
    w->segmentKind = kind;
    w->name = name;
    w->programName = page->name;
    w->segmentName = page->segmentName;
    w->displayWindowName = page->displayWindowName;
    w->x = at.x();
    w->y = at.y();
    w->width = at.width();
    w->height = at.height();
    for (LumoraMediaObject *m : media) {
        m->windowName = name;
        m->programName = page->name;
        m->segmentName = page->segmentName;
        m->displayWindowName = page->displayWindowName;
        w->media.append(m);
    }
    page->windows.append(w);
    ++page->windowCounter;
    return w;
}

template<typename Segment> ProgramObject *page(Segment *segment, const QString &name)
{
    auto *p = new ProgramObject;
    p->name = name;
    p->segmentName = segment->name;
    p->displayWindowName = segment->displayWindowName;
    segment->programs.append(p);
    ++segment->programCounter;
    return p;
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc < 2) {
        fputs("usage: bench_soak_scheme DIR [HH:mm ...]\n", stderr);
        return 2;
    }
    dir = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    QDir().mkpath(dir);

    Scheme scheme;
    Scheme::DisplayWindow &dw = scheme.addDisplayWindow();
    dw.window.name = QStringLiteral("D1");
    dw.window.width = 640;
    dw.window.height = 360;

    auto *general = new GeneralObject;
    general->name = QStringLiteral("S1");
    general->displayWindowName = dw.window.name;
    dw.schedule.generalSegments.append(general);
    const QString generalKind = QStringLiteral("generalSegment");
    ProgramObject *p1 = page(general, QStringLiteral("P1"));
    // Slides and reveals of several kinds.
    QList<LumoraMediaObject *> pictures;
    for (int i = 0; i < 4; ++i)
        pictures << picture(QStringLiteral("pic%1.png").arg(i + 1), QColor::fromHsv(i * 80, 200, 160), 7,
                            i * 4 + 1);
    window(p1, generalKind, QStringLiteral("Pictures"), QRect(0, 0, 320, 180), pictures);
    window(
        p1, generalKind, QStringLiteral("Texts"), QRect(320, 0, 320, 90),
        {text(QStringLiteral("simpleText"), QStringLiteral("Simple text, page after page of words to show"),
              6),
         text(QStringLiteral("singleRowText"), QStringLiteral("Single row text on one line"), 6),
         text(QStringLiteral("scrollingText"), QStringLiteral("Scrolling text runs across the window"), 10)});
    LumoraMediaObject *digital = item(QStringLiteral("digitalClock"));
    digital->digitalClock.playTime = QTime(0, 0, 10);
    LumoraMediaObject *analog = item(QStringLiteral("analogClock"));
    analog->analogClock.playTime = QTime(0, 0, 10);
    LumoraMediaObject *count = item(QStringLiteral("digitalTimer"));
    count->countTimer.length = QTime(0, 0, 10);
    window(p1, generalKind, QStringLiteral("Clocks"), QRect(320, 90, 320, 90), {digital, analog, count});
    window(p1, generalKind, QStringLiteral("Videos"), QRect(0, 180, 640, 180),
           {video(QStringLiteral("v1.mp4")), video(QStringLiteral("v2.mp4"))});

    auto *cycle = new CycleObject;
    cycle->name = QStringLiteral("C1");
    cycle->displayWindowName = dw.window.name;
    cycle->playEvery = 1;
    cycle->playMode = 1; // one pass of its page
    dw.schedule.cycleSegments.append(cycle);
    window(page(cycle, QStringLiteral("CP1")), QStringLiteral("cycleSegment"), QStringLiteral("Advert"),
           QRect(0, 0, 640, 360),
           {picture(QStringLiteral("advert.png"), QColor(200, 40, 40), 4, -1),
            text(QStringLiteral("simpleText"), QStringLiteral("Advert text"), 3)});

    auto *timing = new TimingObject;
    timing->name = QStringLiteral("T1");
    timing->displayWindowName = dw.window.name;
    timing->playMode = 1;
    QList<QTime> points;
    for (int i = 2; i < argc; ++i)
        points << QTime::fromString(QString::fromLatin1(argv[i]), QStringLiteral("HH:mm"));
    if (points.isEmpty()) {
        for (int m = 0; m < 24 * 60; m += 5)
            points << QTime(m / 60, m % 60);
    }
    for (const QTime &t : qAsConst(points)) {
        auto *point = new TimePoint;
        point->time = t;
        point->weekdays = Weekdays::all();
        timing->timePoints.append(point);
    }
    dw.schedule.timingSegments.append(timing);
    window(page(timing, QStringLiteral("TP1")), QStringLiteral("timingSegment"), QStringLiteral("Notice"),
           QRect(0, 0, 640, 360), {picture(QStringLiteral("notice.png"), QColor(40, 40, 200), 3, -1)});

    QString error;
    const QString out = QDir(dir).filePath(QStringLiteral("soak.schx"));
    if (!SchemeWriter::save(out, scheme, &error)) {
        fprintf(stderr, "bench_soak_scheme: %s\n", qPrintable(error));
        return 1;
    }
    printf("%s\n", qPrintable(out));
    return 0;
}
