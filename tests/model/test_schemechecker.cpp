#include "model/commonwinobject.h"
#include "model/cycleobject.h"
#include "model/generalobject.h"
#include "model/lumoramediaobject.h"
#include "model/programobject.h"
#include "model/scheme.h"
#include "model/schemechecker.h"
#include "model/timepoint.h"
#include "model/timingobject.h"
#include "model/weekdays.h"

#include <QImage>
#include <QTemporaryDir>
#include <QtTest>

namespace {

ProgramObject *programWith(QList<CommonWinObject *> windows)
{
    auto *p = new ProgramObject;
    p->name = "Program1";
    p->windows = windows;
    return p;
}

CommonWinObject *windowAt(int x, int y, int width, int height, QList<LumoraMediaObject *> media = {})
{
    auto *w = new CommonWinObject;
    w->name = "Common Window1";
    w->x = x;
    w->y = y;
    w->width = width;
    w->height = height;
    w->media = media;
    return w;
}

LumoraMediaObject *media(const char *type)
{
    auto *m = new LumoraMediaObject;
    m->type = type;
    return m;
}

// Display window 100x100 with one all-day general segment holding one program.
Scheme::DisplayWindow &screen(Scheme &scheme, ProgramObject *program)
{
    Scheme::DisplayWindow &d = scheme.addDisplayWindow();
    d.window.name = "Screen";
    d.window.width = 100;
    d.window.height = 100;
    auto *g = new GeneralObject;
    g->name = "General Segment1";
    g->programs.append(program);
    d.schedule.generalSegments.append(g);
    return d;
}

QStringList lines(const QList<SchemeChecker::Warning> &warnings)
{
    QStringList out;
    for (const SchemeChecker::Warning &w : warnings)
        out << w.where + ": " + w.message;
    return out;
}

// The warnings at exactly this place.
QStringList at(const QList<SchemeChecker::Warning> &warnings, const QString &where)
{
    QStringList out;
    for (const SchemeChecker::Warning &w : warnings) {
        if (w.where == where)
            out << w.message;
    }
    return out;
}

} // namespace

// What an operator is warned about before deploying a scheme.
class TestSchemeChecker : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString m_existing;
    QString m_picture;

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        m_existing = m_dir.filePath("clip.mp4");
        QFile f(m_existing);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("not empty");
        m_picture = m_dir.filePath("picture.png");
        QImage picture(4, 4, QImage::Format_RGB32);
        picture.fill(Qt::red);
        QVERIFY(picture.save(m_picture));
    }

    void cleanSchemeHasNoWarning()
    {
        Scheme scheme;
        LumoraMediaObject *video = media("video");
        video->video.filePath = m_existing;
        video->video.backgroundImage = m_dir.filePath("missing.png"); // not shown: colour background
        LumoraMediaObject *text = media("scrollingText");
        screen(scheme, programWith({windowAt(0, 0, 100, 100, {video}), windowAt(50, 50, 50, 50, {text})}));
        QCOMPARE(lines(SchemeChecker::check(scheme)), QStringList());
    }

    void missingMediaFiles()
    {
        Scheme scheme;
        LumoraMediaObject *video = media("video");
        video->video.filePath = m_dir.filePath("gone.mp4");
        LumoraMediaObject *picture = media("image");
        picture->image.filePath = m_picture;
        picture->image.backgroundIsColor = false;
        picture->image.backgroundImage = m_dir.filePath("bg.png");
        picture->image.backgroundMusic = m_dir.filePath("song.mp3");
        LumoraMediaObject *office = media("office");
        office->image.filePath = m_dir.filePath("slides.pptx");
        LumoraMediaObject *clock = media("analogClock");
        clock->analogClock.background.backgroundIsColor = false;
        clock->analogClock.background.backgroundImage = m_dir.filePath("face.png");
        LumoraMediaObject *noFile = media("image");
        const QString zeroBytes = m_dir.filePath("zero.png");
        QFile zero(zeroBytes);
        QVERIFY(zero.open(QIODevice::WriteOnly));
        zero.close();
        LumoraMediaObject *empty = media("image");
        empty->image.filePath = zeroBytes;
        ProgramObject *program =
            programWith({windowAt(0, 0, 10, 10, {video, picture, office, clock, noFile, empty})});
        program->backgroundImage = m_dir.filePath("page.png");
        program->backgroundMusic = QStringList{m_existing, m_dir.filePath("loop.wav")};
        screen(scheme, program);

        const QList<SchemeChecker::Warning> warnings = SchemeChecker::check(scheme);
        const QString window = "displayWindows[0].generalSegments[0].programs[0].windows[0]";
        QCOMPARE(at(warnings, window + ".media[0]").size(), 1);
        QVERIFY(at(warnings, window + ".media[0]").at(0).contains("gone.mp4"));
        const QStringList pictureWarnings = at(warnings, window + ".media[1]");
        QCOMPARE(pictureWarnings.size(), 2);
        QVERIFY(pictureWarnings.join('\n').contains("bg.png"));
        QVERIFY(pictureWarnings.join('\n').contains("song.mp3"));
        QVERIFY(at(warnings, window + ".media[2]").join('\n').contains("slides.pptx"));
        QVERIFY(at(warnings, window + ".media[3]").join('\n').contains("face.png"));
        QVERIFY(at(warnings, window + ".media[4]").join('\n').contains("no file"));
        QVERIFY(at(warnings, window + ".media[5]").join('\n').contains("empty file"));
        const QStringList programWarnings = at(warnings, "displayWindows[0].generalSegments[0].programs[0]");
        QCOMPARE(programWarnings.size(), 2);
        QVERIFY(programWarnings.join('\n').contains("page.png"));
        QVERIFY(programWarnings.join('\n').contains("loop.wav"));
        QCOMPARE(warnings.size(), 9);
    }

    // Relative paths name files in the folder the check is given, wherever the process runs
    // from; the warnings keep the path as stored.
    void relativePathsNameFilesInTheBaseFolder()
    {
        Scheme scheme;
        LumoraMediaObject *picture = media("image");
        picture->image.filePath = "picture.png";
        LumoraMediaObject *missing = media("image");
        missing->image.filePath = "gone.png";
        ProgramObject *program = programWith({windowAt(0, 0, 10, 10, {picture, missing})});
        program->backgroundMusic = QStringList{"clip.mp4"};
        screen(scheme, program);
        QVERIFY(QDir::current() != QDir(m_dir.path()));

        const QString window = "displayWindows[0].generalSegments[0].programs[0].windows[0]";
        QCOMPARE(lines(SchemeChecker::check(scheme, m_dir.path())),
                 QStringList(window + ".media[1]: picture does not exist: gone.png"));
    }

    // A file that no image reader takes, shown as a picture, a background picture or the
    // background of a page, is named with the reader's reason.
    void picturesThatCannotBeRead()
    {
        const QString text = m_dir.filePath("text.png");
        QFile f(text);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("a text file, not a picture\n");
        f.close();
        Scheme scheme;
        LumoraMediaObject *picture = media("image");
        picture->image.filePath = text;
        picture->image.stayTime = 5;
        LumoraMediaObject *readable = media("image");
        readable->image.filePath = m_picture;
        readable->image.stayTime = 5;
        LumoraMediaObject *clock = media("digitalClock");
        clock->digitalClock.background.backgroundIsColor = false;
        clock->digitalClock.background.backgroundImage = text;
        ProgramObject *program = programWith({windowAt(0, 0, 10, 10, {picture, readable, clock})});
        program->backgroundImage = text;
        screen(scheme, program);

        const QList<SchemeChecker::Warning> warnings = SchemeChecker::check(scheme);
        const QString page = "displayWindows[0].generalSegments[0].programs[0]";
        const QString window = page + ".windows[0]";
        QCOMPARE(at(warnings, window + ".media[0]"),
                 QStringList("picture cannot be read (Unsupported image format) and shows nothing: " + text));
        QCOMPARE(at(warnings, window + ".media[1]"), QStringList());
        QCOMPARE(at(warnings, window + ".media[2]"),
                 QStringList("background picture cannot be read (Unsupported image format) and shows nothing: " +
                             text));
        QCOMPARE(at(warnings, page),
                 QStringList("background picture of program \"Program1\" cannot be read (Unsupported image "
                             "format) and shows nothing: " +
                             text));
        QCOMPARE(warnings.size(), 3);
    }

    void windowsOutsideTheirDisplayWindow()
    {
        Scheme scheme;
        screen(scheme, programWith({windowAt(50, 0, 60, 10, {media("URL")}), windowAt(-1, 0, 10, 10, {media("URL")}),
                                    windowAt(0, 95, 10, 10, {media("URL")}), windowAt(0, 0, 0, 10, {media("URL")}),
                                    windowAt(2147483647, 0, 2147483647, 10, {media("URL")})}));
        const QList<SchemeChecker::Warning> warnings = SchemeChecker::check(scheme);
        const QString program = "displayWindows[0].generalSegments[0].programs[0]";
        for (int i = 0; i < 5; ++i)
            QCOMPARE(at(warnings, program + QString(".windows[%1]").arg(i)).size(), 1);
        QVERIFY(at(warnings, program + ".windows[0]").at(0).contains("outside"));
        QVERIFY(at(warnings, program + ".windows[3]").at(0).contains("no area"));
        QCOMPARE(warnings.size(), 5);
    }

    void segmentsThatCanNeverPlay()
    {
        Scheme scheme;
        Scheme::DisplayWindow &d = screen(scheme, programWith({windowAt(0, 0, 10, 10, {media("weather")})}));
        QList<GeneralObject *> &generals = d.schedule.generalSegments;
        generals[0]->weekdays.clear();
        auto *reversed = new GeneralObject;
        reversed->specifiedDate = true;
        reversed->fromDate = QDate(2025, 5, 2);
        reversed->toDate = QDate(2025, 5, 1);
        generals.append(reversed);
        auto *overnight = new GeneralObject;
        overnight->allDay = false;
        overnight->fromTime = QTime(22, 0);
        overnight->toTime = QTime(6, 0);
        generals.append(overnight);
        // Ranges that are switched off do not matter.
        auto *ignored = new GeneralObject;
        ignored->fromDate = QDate(2025, 5, 2);
        ignored->toDate = QDate(2025, 5, 1);
        ignored->fromTime = QTime(22, 0);
        ignored->toTime = QTime(6, 0);
        generals.append(ignored);
        auto *cycle = new CycleObject;
        cycle->allDay = false;
        cycle->fromTime = QTime(8, 0);
        d.schedule.cycleSegments.append(cycle);

        const QList<SchemeChecker::Warning> warnings = SchemeChecker::check(scheme);
        QVERIFY(at(warnings, "displayWindows[0].generalSegments[0]").join('\n').contains("no weekday"));
        QVERIFY(at(warnings, "displayWindows[0].generalSegments[1]").join('\n').contains("date range"));
        QVERIFY(at(warnings, "displayWindows[0].generalSegments[2]").join('\n').contains("midnight"));
        // Without pages, each has nothing to show as well.
        QCOMPARE(at(warnings, "displayWindows[0].generalSegments[3]"),
                 QStringList("segment has nothing to show and is passed over"));
        QVERIFY(at(warnings, "displayWindows[0].cycleSegments[0]").join('\n').contains("time range"));
        QCOMPARE(warnings.size(), 8);
    }

    void timingSegmentsThatNeverFire()
    {
        Scheme scheme;
        Scheme::DisplayWindow &d =
            screen(scheme, programWith({windowAt(0, 0, 10, 10, {media("streaming")})}));
        d.schedule.timingSegments.append(new TimingObject);
        auto *timing = new TimingObject;
        auto *noDay = new TimePoint;
        noDay->time = QTime(12, 0);
        auto *fine = new TimePoint;
        fine->time = QTime(13, 0);
        fine->weekdays = QStringList{"Monday"};
        timing->timePoints = {noDay, fine};
        d.schedule.timingSegments.append(timing);

        const QList<SchemeChecker::Warning> warnings = SchemeChecker::check(scheme);
        QVERIFY(at(warnings, "displayWindows[0].timingSegments[0]").join('\n').contains("no time point"));
        QVERIFY(at(warnings, "displayWindows[0].timingSegments[1].timePoints[0]")
                    .join('\n')
                    .contains("no weekday"));
        QVERIFY(at(warnings, "displayWindows[0].timingSegments[1]").join('\n').contains("nothing to show"));
        QCOMPARE(warnings.size(), 4);
    }

    // A time point that comes before the insert's first page can have been shown through does
    // not start it again: how many do not, and the least that page shows for, are reported.
    void timePointsTooCloseToStartTheInsertAgain()
    {
        Scheme scheme;
        Scheme::DisplayWindow &d =
            screen(scheme, programWith({windowAt(0, 0, 10, 10, {media("streaming")})}));
        LumoraMediaObject *text = media("simpleText");
        text->text.stayTime = 2;
        LumoraMediaObject *clock = media("analogClock");
        ProgramObject *page = programWith({windowAt(0, 0, 10, 10, {text, clock})});
        page->segmentName = "T";
        page->windows.first()->programName = page->name;
        page->windows.first()->displayWindowName = d.window.name;
        auto *timing = new TimingObject;
        timing->name = "T";
        timing->programs.append(page);
        // The page shows for at least 2 s + 1 s: on every day 10:00:01 and 10:00:02 come while
        // it shows, 10:00:03 starts it again; 10:00:04 on Sundays comes while that one shows,
        // 10:00:06 on Mondays does not; on Tuesdays 10:00:00 comes twice.
        const QList<std::pair<QTime, QStringList>> points = {
            {QTime(10, 0, 0), Weekdays::all()},       {QTime(10, 0, 2), Weekdays::all()},
            {QTime(10, 0, 1), Weekdays::all()},       {QTime(10, 0, 3), Weekdays::all()},
            {QTime(10, 0, 4), QStringList{"Sunday"}}, {QTime(10, 0, 6), QStringList{"Monday"}},
            {QTime(10, 0, 0), QStringList{"Tuesday"}}};
        for (const auto &point : points) {
            auto *p = new TimePoint;
            p->time = point.first;
            p->weekdays = point.second;
            timing->timePoints.append(p);
        }
        d.schedule.timingSegments.append(timing);

        const QList<SchemeChecker::Warning> warnings = SchemeChecker::check(scheme);
        QCOMPARE(
            at(warnings, "displayWindows[0].timingSegments[0]"),
            QStringList("4 of the 7 time points of \"T\" come less than 3 s after the one that started the "
                        "insert, while its first page still shows, and do not start it again"));
    }

    // What play bounds is reported: a stay of 0, a cycle every 0 minutes, a display window of
    // no area, and one larger than what is played.
    void valuesPlayBoundsAreReported()
    {
        Scheme scheme;
        LumoraMediaObject *picture = media("image");
        picture->image.filePath = m_picture;
        picture->image.stayTime = 0;
        LumoraMediaObject *text = media("simpleText");
        text->text.stayTime = 5;
        Scheme::DisplayWindow &d = screen(scheme, programWith({windowAt(0, 0, 10, 10, {picture, text})}));
        auto *cycle = new CycleObject;
        cycle->name = "C";
        cycle->playEvery = 0;
        d.schedule.cycleSegments.append(cycle);
        Scheme::DisplayWindow &huge = scheme.addDisplayWindow();
        huge.window.name = "Huge";
        huge.window.width = huge.window.height = 1000000000;
        Scheme::DisplayWindow &flat = scheme.addDisplayWindow();
        flat.window.name = "Flat";
        flat.window.width = 0;

        const QList<SchemeChecker::Warning> warnings = SchemeChecker::check(scheme);
        const QString window = "displayWindows[0].generalSegments[0].programs[0].windows[0]";
        QCOMPARE(at(warnings, window + ".media[0]"), QStringList("item stays 0 s and is shown for 1 s"));
        QCOMPARE(at(warnings, window + ".media[1]"), QStringList());
        QVERIFY(at(warnings, "displayWindows[0].cycleSegments[0]").join('\n').contains("every 0 minutes"));
        QVERIFY(at(warnings, "displayWindows[1]").join('\n').contains("is played at 7680x4320"));
        QVERIFY(at(warnings, "displayWindows[2]").join('\n').contains("no area"));
    }

    void scheduleWithoutMedia()
    {
        Scheme scheme;
        screen(scheme, programWith({windowAt(0, 0, 10, 10)}));
        scheme.addDisplayWindow().window.name = "Second";
        const QList<SchemeChecker::Warning> warnings = SchemeChecker::check(scheme);
        QCOMPARE(at(warnings, "displayWindows[0]").size(), 1);
        QVERIFY(at(warnings, "displayWindows[0]").at(0).contains("no media"));
        QVERIFY(at(warnings, "displayWindows[1]").at(0).contains("\"Second\""));
        // The empty window, its page and its segment are named where they are.
        const QString segment = "displayWindows[0].generalSegments[0]";
        QCOMPARE(at(warnings, segment), QStringList("segment has nothing to show and is passed over"));
        QVERIFY(at(warnings, segment + ".programs[0]").join('\n').contains("nothing to show"));
        QVERIFY(at(warnings, segment + ".programs[0].windows[0]").join('\n').contains("no media item"));
        QCOMPARE(warnings.size(), 5);
    }
};

QTEST_APPLESS_MAIN(TestSchemeChecker)
#include "test_schemechecker.moc"
