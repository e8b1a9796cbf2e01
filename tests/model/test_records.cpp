#include "model/commonwinobject.h"
#include "model/cycleobject.h"
#include "model/generalobject.h"
#include "model/lumoramediaobject.h"
#include "model/playwinobject.h"
#include "model/programobject.h"
#include "model/timepoint.h"
#include "model/timingobject.h"

#include <QtTest>

namespace {

const QStringList allDays{"Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday", "Sunday"};
const QColor black(0, 0, 0);
const QColor red(255, 0, 0);
const QColor white(255, 255, 255);

bool isDefaultBackground(const BackgroundProperties &bg)
{
    return bg.backgroundIsColor && bg.backgroundColor == black && bg.backgroundImage.isEmpty() &&
           bg.backgroundImageStyle == 1 && !bg.backgroundTransparent;
}

} // namespace

// Every record starts with exactly the documented defaults; the editor, the scheduler
// and the file format all rely on them.
class TestRecords : public QObject
{
    Q_OBJECT

private slots:
    void displayWindowDefaults()
    {
        PlayWinObject w;
        QVERIFY(w.name.isEmpty());
        QCOMPARE(w.x, 0);
        QCOMPARE(w.y, 0);
        QCOMPARE(w.width, 200);
        QCOMPARE(w.height, 200);
        QCOMPARE(w.onTopMode, 1);
        QCOMPARE(w.backstage, false);
    }

    void generalSegmentDefaults()
    {
        GeneralObject g;
        QVERIFY(g.name.isEmpty());
        QVERIFY(g.displayWindowName.isEmpty());
        QCOMPARE(g.specifiedDate, false);
        QVERIFY(g.fromDate.isNull());
        QVERIFY(g.toDate.isNull());
        QCOMPARE(g.weekdays, allDays);
        QCOMPARE(g.allDay, true);
        QVERIFY(!g.fromTime.isValid());
        QVERIFY(!g.toTime.isValid());
        QCOMPARE(g.programCounter, 0);
        QVERIFY(g.programs.isEmpty());
    }

    void cycleSegmentDefaults()
    {
        CycleObject c;
        QVERIFY(c.name.isEmpty());
        QVERIFY(c.displayWindowName.isEmpty());
        QCOMPARE(c.playEvery, 30);
        QCOMPARE(c.playMode, 1);
        QCOMPARE(c.playMinutes, 5);
        QCOMPARE(c.playSeconds, 0);
        QCOMPARE(c.playTimes, 1);
        QCOMPARE(c.specifiedDate, false);
        QVERIFY(c.fromDate.isNull());
        QVERIFY(c.toDate.isNull());
        QCOMPARE(c.weekdays, allDays);
        QCOMPARE(c.allDay, true);
        QVERIFY(!c.fromTime.isValid());
        QVERIFY(!c.toTime.isValid());
        QCOMPARE(c.programCounter, 0);
        QVERIFY(c.programs.isEmpty());
    }

    void timingSegmentDefaults()
    {
        TimingObject t;
        QVERIFY(t.name.isEmpty());
        QVERIFY(t.displayWindowName.isEmpty());
        QVERIFY(t.timePoints.isEmpty());
        QCOMPARE(t.playMode, 1);
        QCOMPARE(t.playMinutes, 5);
        QCOMPARE(t.playSeconds, 0);
        QCOMPARE(t.playTimes, 1);
        QCOMPARE(t.programCounter, 0);
        QVERIFY(t.programs.isEmpty());
    }

    // Unlike new segments, a new time point has no weekday; the dialog fills them in.
    void timePointDefaults()
    {
        TimePoint p;
        QVERIFY(p.label.isEmpty());
        QVERIFY(!p.time.isValid());
        QCOMPARE(p.specifiedDate, false);
        QVERIFY(p.fromDate.isNull());
        QVERIFY(p.toDate.isNull());
        QVERIFY(p.weekdays.isEmpty());
    }

    void programDefaults()
    {
        ProgramObject p;
        QVERIFY(p.name.isEmpty());
        QVERIFY(p.segmentName.isEmpty());
        QVERIFY(p.displayWindowName.isEmpty());
        QCOMPARE(p.backgroundColor, black);
        QCOMPARE(p.backgroundColor.alpha(), 255);
        QVERIFY(p.backgroundImage.isEmpty());
        QCOMPARE(p.backgroundDisplayType, 1);
        QVERIFY(p.backgroundMusic.isEmpty());
        QCOMPARE(p.playMode, 0);
        QCOMPARE(p.playTimes, 1);
        QCOMPARE(p.playLength, QTime(0, 6, 0));
        QCOMPARE(p.windowCounter, 0);
        QVERIFY(p.windows.isEmpty());
    }

    void windowDefaults()
    {
        CommonWinObject w;
        QVERIFY(w.name.isEmpty());
        QVERIFY(w.programName.isEmpty());
        QVERIFY(w.segmentName.isEmpty());
        QVERIFY(w.displayWindowName.isEmpty());
        QVERIFY(w.segmentKind.isEmpty());
        QCOMPARE(w.frameEnabled, false);
        QCOMPARE(w.frameWidth, 0);
        QCOMPARE(w.frameColor, red);
        QCOMPARE(w.x, 0);
        QCOMPARE(w.y, 0);
        QCOMPARE(w.width, 0);
        QCOMPARE(w.height, 0);
        QVERIFY(w.media.isEmpty());
    }

    void mediaIdentityDefaults()
    {
        LumoraMediaObject m;
        QVERIFY(m.type.isEmpty());
        QVERIFY(m.windowName.isEmpty());
        QVERIFY(m.programName.isEmpty());
        QVERIFY(m.segmentName.isEmpty());
        QVERIFY(m.displayWindowName.isEmpty());
    }

    void backgroundDefaults() { QVERIFY(isDefaultBackground(BackgroundProperties())); }

    void videoDefaults()
    {
        const VideoProperties v = LumoraMediaObject().video;
        QVERIFY(v.filePath.isEmpty());
        QCOMPARE(v.volume, 100);
        QCOMPARE(v.totalLength, QTime(0, 0, 0, 0));
        QCOMPARE(v.clipEnabled, false);
        QCOMPARE(v.clipStart, QTime(0, 0, 0));
        QCOMPARE(v.clipEnd, QTime(0, 0, 0));
        QCOMPARE(v.scaleType, 0);
        QCOMPARE(v.rotation, 0);
        QCOMPARE(v.backgroundIsColor, true);
        QCOMPARE(v.backgroundColor, black);
        QVERIFY(v.backgroundImage.isEmpty());
        QCOMPARE(v.backgroundImageStyle, 0); // Tile, unlike every other group
        QCOMPARE(v.backgroundTransparent, false);
        QCOMPARE(v.coverTextEnabled, false);
        QVERIFY(v.coverText.isEmpty());
        QCOMPARE(v.coverColorful, 0);
        QCOMPARE(v.coverFontSize, 8);
        QCOMPARE(v.coverBold, false);
        QCOMPARE(v.coverItalic, false);
        QCOMPARE(v.coverUnderline, false);
        QCOMPARE(v.coverTextColor, red);
        QVERIFY(v.coverFontFamily.isEmpty());
        QCOMPARE(v.coverRolling, false);
        QCOMPARE(v.coverRollSpeed, 5);
        QCOMPARE(v.coverRollDirection, 0);
        QCOMPARE(v.coverTextY, 0);
    }

    void imageDefaults()
    {
        const ImageProperties i = LumoraMediaObject().image;
        QVERIFY(i.filePath.isEmpty());
        QCOMPARE(i.backgroundIsColor, true);
        QCOMPARE(i.backgroundColor, black);
        QVERIFY(i.backgroundImage.isEmpty());
        QCOMPARE(i.backgroundImageStyle, 1);
        QCOMPARE(i.backgroundTransparent, false);
        QVERIFY(i.backgroundMusic.isEmpty());
        QCOMPARE(i.entryEffectEnabled, false);
        QCOMPARE(i.exitEffectEnabled, false);
        QCOMPARE(i.entryEffect, 0);
        QCOMPARE(i.exitEffect, 0);
        QCOMPARE(i.entrySpeed, 5);
        QCOMPARE(i.exitSpeed, 5);
        QCOMPARE(i.scaleType, 0);
        QCOMPARE(i.stayTime, 5);
        QCOMPARE(i.transparency, 10);
        QCOMPARE(i.rotation, 0);
        QVERIFY(i.pages.isEmpty());
    }

    void analogClockDefaults()
    {
        const AnalogClockProperties a = LumoraMediaObject().analogClock;
        QVERIFY(isDefaultBackground(a.background));
        QCOMPARE(a.textColor, red);
        QVERIFY(a.text.isEmpty());
        QCOMPARE(a.textFont, QString("Arial"));
        QCOMPARE(a.textFontSize, 16);
        QCOMPARE(a.textBold, false);
        QCOMPARE(a.textItalic, false);
        QCOMPARE(a.textUnderline, false);
        QCOMPARE(a.showDate, true);
        QCOMPARE(a.dateColor, white);
        QCOMPARE(a.dateStyle, 0);
        QCOMPARE(a.dateFont, QString("Arial"));
        QCOMPARE(a.dateFontSize, 16);
        QCOMPARE(a.dateBold, false);
        QCOMPARE(a.dateItalic, false);
        QCOMPARE(a.dateUnderline, false);
        QCOMPARE(a.showWeek, false);
        QCOMPARE(a.weekColor, white);
        QCOMPARE(a.weekFont, QString("Arial"));
        QCOMPARE(a.weekFontSize, 16);
        QCOMPARE(a.weekBold, false);
        QCOMPARE(a.weekItalic, false);
        QCOMPARE(a.weekUnderline, false);
        QCOMPARE(a.timeDiffMode, 0);
        QCOMPARE(a.timeDiff, QTime(0, 0, 0));
        QCOMPARE(a.playTime, QTime(0, 0, 5));
        QCOMPARE(a.hourMarkColor, QColor(0, 255, 0));
        QCOMPARE(a.hourMarkWidth, 5);
        QCOMPARE(a.hourMarkHeight, 5);
        QCOMPARE(a.hourMarkShape, 0);
        QCOMPARE(a.minuteMarkColor, QColor(30, 144, 255));
        QCOMPARE(a.minuteMarkWidth, 3);
        QCOMPARE(a.minuteMarkHeight, 3);
        QCOMPARE(a.minuteMarkShape, 0);
        QCOMPARE(a.hourHandColor, QColor(255, 255, 0));
        QCOMPARE(a.minuteHandColor, QColor(0, 128, 0));
        QCOMPARE(a.secondHandColor, QColor(255, 0, 0));
    }

    void digitalClockDefaults()
    {
        const DigitalClockProperties d = LumoraMediaObject().digitalClock;
        QVERIFY(isDefaultBackground(d.background));
        QCOMPARE(d.dateStyle, 0);
        QVERIFY(d.fixedText.isEmpty());
        QCOMPARE(d.fontFamily, QString("Arial"));
        QCOMPARE(d.fontSize, 16);
        QCOMPARE(d.colorful, 0);
        QCOMPARE(d.playTime, QTime(0, 0, 5));
        QCOMPARE(d.color, red);
        QCOMPARE(d.bold, false);
        QCOMPARE(d.italic, false);
        QCOMPARE(d.underline, false);
        QCOMPARE(d.showYear, true);
        QCOMPARE(d.showMonth, true);
        QCOMPARE(d.showDay, true);
        QCOMPARE(d.showHour, true);
        QCOMPARE(d.showMinute, true);
        QCOMPARE(d.showSecond, true);
        QCOMPARE(d.showHalfDay, true);
        QCOMPARE(d.showWeek, true);
        QCOMPARE(d.twoDigitYear, false);
        QCOMPARE(d.hour12, false);
        QCOMPARE(d.multiRow, false);
        QCOMPARE(d.timeDiffMode, 0);
        QCOMPARE(d.timeDiff, QTime(0, 0, 0));
    }

    void countTimerDefaults()
    {
        const CountTimerProperties c = LumoraMediaObject().countTimer;
        QVERIFY(isDefaultBackground(c.background));
        QCOMPARE(c.transparency, 10);
        QCOMPARE(c.countUp, 0);
        QCOMPARE(c.length, QTime(0, 0, 5));
        QCOMPARE(c.numberColor, red);
    }

    void textDefaults()
    {
        const TextProperties t = LumoraMediaObject().text;
        QCOMPARE(t.text, QString("Hello"));
        QCOMPARE(t.fontFamily, QString("Arial"));
        QCOMPARE(t.fontSize, 16);
        QCOMPARE(t.bold, false);
        QCOMPARE(t.italic, false);
        QCOMPARE(t.underline, false);
        QCOMPARE(t.textColor, red);
        QCOMPARE(t.backgroundIsColor, true);
        QCOMPARE(t.colorful, 0);
        QCOMPARE(t.backgroundColor, black);
        QVERIFY(t.backgroundImage.isEmpty());
        QCOMPARE(t.backgroundImageStyle, 1);
        QCOMPARE(t.backgroundTransparent, false);
        QCOMPARE(t.entryEffectEnabled, false);
        QCOMPARE(t.exitEffectEnabled, false);
        QCOMPARE(t.entryEffect, 0);
        QCOMPARE(t.exitEffect, 0);
        QCOMPARE(t.entrySpeed, 5);
        QCOMPARE(t.exitSpeed, 5);
        QCOMPARE(t.horizontalAlign, 0);
        QCOMPARE(t.verticalAlign, 0);
        QCOMPARE(t.lineSpacing, 0);
        QCOMPARE(t.letterSpacing, 0);
        QCOMPARE(t.stayTime, 3);
        QCOMPARE(t.playToEnd, true);
        QCOMPARE(t.playDuration, QTime(0, 0, 5));
        QCOMPARE(t.rollDirection, 0);
        QCOMPARE(t.endToEnd, false);
        QCOMPARE(t.cycleInterval, 10);
        QCOMPARE(t.rollSpeed, 5);
    }

    void urlDefaults()
    {
        const UrlProperties u = LumoraMediaObject().url;
        QCOMPARE(u.transparency, 10);
        const QUrl address(u.address);
        QVERIFY(address.isValid());
        QVERIFY(address.scheme() == "http" || address.scheme() == "https");
        QCOMPARE(u.posX, 0);
        QCOMPARE(u.posY, 0);
        QCOMPARE(u.length, QTime(0, 0, 20));
    }

    void videoDeviceDefaults()
    {
        const VideoDeviceProperties v = LumoraMediaObject().videoDevice;
        QVERIFY(isDefaultBackground(v.background));
        QCOMPARE(v.length, QTime(0, 10, 0));
    }

    void streamingDefaults()
    {
        const StreamingProperties s = LumoraMediaObject().streaming;
        const QUrl address(s.address);
        QVERIFY(address.isValid());
        QCOMPARE(address.scheme(), QString("rtmp"));
        QCOMPARE(s.volume, 100);
        QCOMPARE(s.length, QTime(0, 10, 0));
    }

    void weatherDefaults()
    {
        const WeatherProperties w = LumoraMediaObject().weather;
        QVERIFY(isDefaultBackground(w.background));
        QVERIFY(w.location1.isEmpty());
        QVERIFY(w.location2.isEmpty());
        QVERIFY(w.location3.isEmpty());
        QCOMPARE(w.reserved, 0);
        QCOMPARE(w.updateInterval, 10);
        QCOMPARE(w.length, QTime(0, 0, 10));
    }

    // Colours are opaque RGB everywhere in the model.
    void coloursAreOpaque()
    {
        const LumoraMediaObject m;
        QCOMPARE(m.analogClock.minuteMarkColor.alpha(), 255);
        QCOMPARE(m.video.coverTextColor.alpha(), 255);
        QCOMPARE(CommonWinObject().frameColor.alpha(), 255);
    }
};

QTEST_APPLESS_MAIN(TestRecords)
#include "test_records.moc"
