#include "bytes.h"
#include "model/commonwinobject.h"
#include "model/cycleobject.h"
#include "model/generalobject.h"
#include "model/lumoramediaobject.h"
#include "model/programobject.h"
#include "model/scheme.h"
#include "model/schemereader.h"
#include "model/schemewriter.h"
#include "model/timepoint.h"
#include "model/timingobject.h"
#include "schemesamples.h"

#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

using namespace SchemeSamples;

namespace {

// Head of a file with one display window "D" and the given segment counts.
Bytes head(int generals, int cycles, int timings)
{
    Bytes b;
    b.i32(3).i32(1).str("D").i32(1).i32(2).i32(300).i32(400).i32(0).i32(generals).i32(cycles).i32(timings);
    return b;
}

// What is wrong with the reader's answer to `data`, which is damaged at `offset`; empty when
// it refused the data as damaged there, said where, and kept nothing of it.
QString damageFault(SchemeReader &reader, const QByteArray &data, qint64 offset)
{
    if (reader.read(data))
        return QString("read cleanly");
    if (reader.status() != SchemeReader::Damaged)
        return QString("status %1, not Damaged").arg(int(reader.status()));
    if (reader.damageOffset() != offset)
        return QString("damage reported at %1, not %2").arg(reader.damageOffset()).arg(offset);
    if (!reader.errorString().contains(QString("byte %1").arg(offset)))
        return QString("the message does not say where: ") + reader.errorString();
    if (!reader.scheme().displayWindows.empty())
        return QString("display windows were kept");
    return QString();
}

#define EXPECT_DAMAGE(reader, data, offset)                                                                  \
    do {                                                                                                     \
        const QString fault = damageFault(reader, data, offset);                                             \
        QVERIFY2(fault.isEmpty(), qPrintable(fault));                                                        \
    } while (false)

} // namespace

// Reading hand-written files, and files that are damaged in every way we can think of.
class TestSchemeReader : public QObject
{
    Q_OBJECT

private slots:
    void emptyScheme()
    {
        SchemeReader reader;
        QVERIFY(reader.read(QByteArray("\x00\x00\x00\x05\x00\x00\x00\x00", 8)));
        QCOMPARE(reader.status(), SchemeReader::NoError);
        QCOMPARE(reader.damageOffset(), qint64(-1));
        QCOMPARE(reader.scheme().displayWindowCounter, 5);
        QVERIFY(reader.scheme().displayWindows.empty());
    }

    // Counters come back as stored; the editor adds one when it takes them over.
    void generalSegmentAndProgramsAsStored()
    {
        const QByteArray file = head(1, 0, 0)
                                    .str("D")
                                    .str("G")
                                    .b(true)
                                    .str("2024-02-29")
                                    .null()
                                    .days({1, 0, 7, 0, 0, 0, -1}) // any non-zero flag sets the day
                                    .b(false)
                                    .str("08:05:09")
                                    .null()
                                    .i32(4)
                                    .i32(3)
                                    .i32(3)
                                    .str("D")
                                    .str("G")
                                    .str("P1")
                                    .col(1, 2, 3)
                                    .str("bg.png")
                                    .i32(0)
                                    .i32(2)
                                    .str("a.mp3")
                                    .str("")
                                    .i32(0)
                                    .i32(6)
                                    .i32(0)
                                    .i32(0)
                                    .null()
                                    .null()
                                    .str("P2")
                                    .col(0, 0, 0)
                                    .null()
                                    .i32(1)
                                    .i32(0)
                                    .i32(1)
                                    .i32(3723)
                                    .i32(0)
                                    .i32(0)
                                    .null()
                                    .null()
                                    .str("P3")
                                    .col(0, 0, 0)
                                    .null()
                                    .i32(1)
                                    .i32(0)
                                    .i32(2)
                                    .i32(0);
        SchemeReader reader;
        QVERIFY2(reader.read(file), qPrintable(reader.errorString()));
        const Scheme &s = reader.scheme();
        QCOMPARE(s.displayWindowCounter, 3);
        QCOMPARE(int(s.displayWindows.size()), 1);
        const PlayWinObject &w = s.displayWindows[0]->window;
        QCOMPARE(w.name, QString("D"));
        QCOMPARE(w.x, 1);
        QCOMPARE(w.y, 2);
        QCOMPARE(w.width, 300);
        QCOMPARE(w.height, 400);
        QCOMPARE(w.onTopMode, 0);
        const GeneralObject &g = *s.displayWindows[0]->schedule.generalSegments.at(0);
        QCOMPARE(g.displayWindowName, QString("D"));
        QCOMPARE(g.name, QString("G"));
        QCOMPARE(g.specifiedDate, true);
        QCOMPARE(g.fromDate, QDate(2024, 2, 29));
        QVERIFY(g.toDate.isNull());
        QCOMPARE(g.weekdays, (QStringList{"Monday", "Wednesday", "Sunday"}));
        QCOMPARE(g.allDay, false);
        QCOMPARE(g.fromTime, QTime(8, 5, 9));
        QVERIFY(!g.toTime.isValid());
        QCOMPARE(g.programCounter, 4);
        QCOMPARE(g.programs.size(), 3);
        const ProgramObject &p1 = *g.programs.at(0);
        QCOMPARE(p1.windowCounter, 3);
        QCOMPARE(p1.name, QString("P1"));
        QCOMPARE(p1.backgroundColor, QColor(1, 2, 3));
        QCOMPARE(p1.backgroundImage, QString("bg.png"));
        QCOMPARE(p1.backgroundDisplayType, 0);
        QCOMPARE(p1.backgroundMusic, (QStringList{"a.mp3", ""}));
        QCOMPARE(p1.playMode, 0);
        QCOMPARE(p1.playTimes, 6);
        QCOMPARE(p1.playLength, QTime(0, 6, 0));
        const ProgramObject &p2 = *g.programs.at(1);
        QVERIFY(p2.displayWindowName.isNull());
        QCOMPARE(p2.playMode, 1);
        QCOMPARE(p2.playLength, QTime(1, 2, 3));
        QCOMPARE(p2.playTimes, 1);
        const ProgramObject &p3 = *g.programs.at(2);
        QCOMPARE(p3.playMode, 2);
        QCOMPARE(p3.playTimes, 1);
        QCOMPARE(p3.playLength, QTime(0, 6, 0));
    }

    void playAmountsDecodedByMode()
    {
        const QByteArray file = head(0, 2, 2)
                                    .null()
                                    .str("C1")
                                    .i32(15)
                                    .i32(0)
                                    .i32(450)
                                    .b(false)
                                    .null()
                                    .null()
                                    .allDays()
                                    .b(true)
                                    .null()
                                    .null()
                                    .i32(0)
                                    .i32(1)
                                    // short program form
                                    .i32(2)
                                    .null()
                                    .null()
                                    .str("P")
                                    .col(0, 0, 0)
                                    .null()
                                    .i32(1)
                                    .i32(0)
                                    .i32(0)
                                    .null()
                                    .str("C2")
                                    .i32(30)
                                    .i32(1)
                                    .i32(3)
                                    .b(false)
                                    .null()
                                    .null()
                                    .allDays()
                                    .b(true)
                                    .null()
                                    .null()
                                    .i32(0)
                                    .i32(0)
                                    .null()
                                    .str("T1")
                                    .i32(1)
                                    .i32(3)
                                    .i32(1)
                                    .str("06:00:00")
                                    .b(false)
                                    .null()
                                    .null()
                                    .days({0, 0, 0, 0, 0, 0, 0})
                                    .i32(4)
                                    .i32(0)
                                    .null()
                                    .str("T2")
                                    .i32(0)
                                    .i32(125)
                                    .i32(0)
                                    .i32(0)
                                    .i32(0);
        SchemeReader reader;
        QVERIFY2(reader.read(file), qPrintable(reader.errorString()));
        const DisplaySchedule &s = reader.scheme().displayWindows[0]->schedule;
        const CycleObject &c1 = *s.cycleSegments.at(0);
        QCOMPARE(c1.playEvery, 15);
        QCOMPARE(c1.playMode, 0);
        QCOMPARE(c1.playMinutes, 7);
        QCOMPARE(c1.playSeconds, 30);
        QCOMPARE(c1.playTimes, 1); // not carried
        QCOMPARE(c1.programs.size(), 1);
        QCOMPARE(c1.programs.at(0)->windowCounter, 2);
        QCOMPARE(c1.programs.at(0)->playMode, 0);
        const CycleObject &c2 = *s.cycleSegments.at(1);
        QCOMPARE(c2.playMode, 1);
        QCOMPARE(c2.playTimes, 3);
        QCOMPARE(c2.playMinutes, 5); // not carried
        QCOMPARE(c2.playSeconds, 0);
        const TimingObject &t1 = *s.timingSegments.at(0);
        QCOMPARE(t1.playTimes, 3);
        QCOMPARE(t1.timePoints.size(), 1);
        QCOMPARE(t1.timePoints.at(0)->time, QTime(6, 0, 0));
        QVERIFY(t1.timePoints.at(0)->weekdays.isEmpty());
        QVERIFY(t1.timePoints.at(0)->label.isEmpty());
        QCOMPARE(t1.programCounter, 4);
        const TimingObject &t2 = *s.timingSegments.at(1);
        QCOMPARE(t2.playMinutes, 2);
        QCOMPARE(t2.playSeconds, 5);
        QCOMPARE(t2.playTimes, 1);
    }

    // Each golden body reads back into an item that writes the same bytes again.
    void mediaBodies_data()
    {
        QTest::addColumn<int>("index");
        const QVector<GoldenMedia> golden = goldenMedia();
        for (int i = 0; i < golden.size(); ++i) {
            QTest::newRow(qPrintable(golden[i].label)) << i;
            delete golden[i].media;
        }
    }

    void mediaBodies()
    {
        QFETCH(int, index);
        const QVector<GoldenMedia> golden = goldenMedia();
        const GoldenMedia &g = golden.at(index);
        const QByteArray file = wrapBytes(1, mediaHeader(g.media->type.toUtf8()) + g.body);
        const QString type = g.media->type;
        for (const GoldenMedia &other : golden)
            delete other.media;

        SchemeReader reader;
        QVERIFY2(reader.read(file), qPrintable(reader.errorString()));
        const CommonWinObject &w =
            *reader.scheme().displayWindows[0]->schedule.generalSegments[0]->programs[0]->windows[0];
        QCOMPARE(w.media.size(), 1);
        const LumoraMediaObject &m = *w.media.at(0);
        QCOMPARE(m.type, type);
        QCOMPARE(m.mediaId, 7);
        QCOMPARE(m.displayWindowName, QString("D"));
        QCOMPARE(m.segmentName, QString("G"));
        QCOMPARE(m.programName, QString("P"));
        QCOMPARE(m.windowName, QString("W"));
        // Office pages are left to the caller.
        QVERIFY(m.image.pages.isEmpty());
        QCOMPARE(SchemeWriter::encode(reader.scheme()), file);
    }

    void valuesOfTheBodiesDecode()
    {
        QByteArray records;
        for (const GoldenMedia &g : goldenMedia()) {
            records += mediaHeader(g.media->type.toUtf8()) + g.body;
            delete g.media;
        }
        SchemeReader reader;
        QVERIFY2(reader.read(wrapBytes(goldenMedia().size(), records)), qPrintable(reader.errorString()));
        QList<LumoraMediaObject *> media =
            reader.scheme().displayWindows[0]->schedule.generalSegments[0]->programs[0]->windows[0]->media;
        auto byType = [&](const QString &type) {
            for (LumoraMediaObject *m : media) {
                if (m->type == type)
                    return m;
            }
            return static_cast<LumoraMediaObject *>(nullptr);
        };
        QCOMPARE(byType("video")->video.totalLength, QTime(1, 2, 3, 456));
        QCOMPARE(byType("video")->video.coverFontSize, 12);
        QCOMPARE(byType("video")->video.coverColorful, 4);
        QCOMPARE(byType("txt")->text.text, QStringLiteral("Line\n\u4E2D\u6587"));
        QCOMPARE(byType("txt")->text.colorful, 3);
        QCOMPARE(byType("txt")->text.backgroundColor, QColor(23, 24, 25));
        QCOMPARE(byType("office")->image.stayTime, 15);
        QCOMPARE(byType("digitalTimer")->countTimer.background.backgroundImage, QString(""));
        QVERIFY(!byType("digitalTimer")->countTimer.background.backgroundImage.isNull());
        QVERIFY(byType("weather")->weather.location3.isNull());
        QCOMPARE(byType("weather")->weather.location2, QString("L2"));
        QCOMPARE(byType("analogClock")->analogClock.timeDiff, QTime(2, 30, 0));
        QCOMPARE(byType("digitalClock")->digitalClock.multiRow, true);
        QCOMPARE(byType("digitalClock")->digitalClock.showWeek, false);
        QCOMPARE(byType("URL")->url.posX, -5);
        QCOMPARE(byType("streaming")->streaming.volume, 55);
    }

    void unknownTypeIsDropped()
    {
        const QByteArray records = Bytes()
                                       .raw(mediaHeader("hologram"))
                                       .i32(8)
                                       .null()
                                       .null()
                                       .null()
                                       .null()
                                       .null() // null type keyword
                                       .raw(mediaHeader("streaming"))
                                       .str("rtmp://h/l")
                                       .i32(55)
                                       .str("01:00:00");
        SchemeReader reader;
        QVERIFY2(reader.read(wrapBytes(3, records)), qPrintable(reader.errorString()));
        const CommonWinObject &w =
            *reader.scheme().displayWindows[0]->schedule.generalSegments[0]->programs[0]->windows[0];
        QCOMPARE(w.media.size(), 1);
        QCOMPARE(w.media.at(0)->type, QString("streaming"));
        QCOMPARE(w.media.at(0)->streaming.address, QString("rtmp://h/l"));
        QCOMPARE(w.media.at(0)->streaming.length, QTime(1, 0, 0));
    }

    void nullAndEmptyStringsStayDistinct()
    {
        SchemeReader reader;
        const QByteArray tail = Bytes().i32(0).i32(0).i32(200).i32(200).i32(1).i32(0).i32(0).i32(0);
        QVERIFY(reader.read(Bytes().i32(0).i32(2).null().raw(tail).str("").raw(tail)));
        QVERIFY(reader.scheme().displayWindows[0]->window.name.isNull());
        QVERIFY(reader.scheme().displayWindows[1]->window.name.isEmpty());
        QVERIFY(!reader.scheme().displayWindows[1]->window.name.isNull());
    }

    // Texts that are no valid time or date read as invalid values, as the loader always did.
    void malformedTimesAndDatesReadInvalid()
    {
        const QByteArray file = head(1, 0, 0)
                                    .null()
                                    .null()
                                    .b(true)
                                    .str("2023-02-30")
                                    .str("yesterday")
                                    .allDays()
                                    .b(false)
                                    .str("24:00:00")
                                    .str("")
                                    .i32(0)
                                    .i32(0);
        SchemeReader reader;
        QVERIFY2(reader.read(file), qPrintable(reader.errorString()));
        const GeneralObject &g = *reader.scheme().displayWindows[0]->schedule.generalSegments.at(0);
        QVERIFY(!g.fromDate.isValid());
        QVERIFY(!g.toDate.isValid());
        QVERIFY(!g.fromTime.isValid());
        QVERIFY(!g.toTime.isValid());
    }

    void richSchemeRoundTrips()
    {
        const QByteArray bytes = SchemeWriter::encode(rich());
        SchemeReader reader;
        QVERIFY2(reader.read(bytes), qPrintable(reader.errorString()));
        QCOMPARE(SchemeWriter::encode(reader.scheme()), bytes);
        // A second read starts from a fresh scheme.
        QVERIFY(reader.read(bytes));
        QCOMPARE(reader.scheme().displayWindows.size(), size_t(3));
        Scheme taken = reader.takeScheme();
        QCOMPARE(taken.mediaCount(), rich().mediaCount());

        // The caller takes the segments over into its own schedule.
        DisplaySchedule mine;
        mine.swap(taken.displayWindows[0]->schedule);
        QCOMPARE(mine.generalSegments.size(), 2);
        QCOMPARE(mine.cycleSegments.size(), 2);
        QCOMPARE(mine.timingSegments.size(), 1);
        QVERIFY(taken.displayWindows[0]->schedule.generalSegments.isEmpty());
        QCOMPARE(mine.generalSegments.at(0)->programCounter, 4);
    }

    void truncationAtEveryOffset()
    {
        const QByteArray bytes = SchemeWriter::encode(rich());
        SchemeReader reader;
        for (int cut = 0; cut < bytes.size(); ++cut) {
            QVERIFY2(!reader.read(bytes.left(cut)), qPrintable(QString("cut at %1 read cleanly").arg(cut)));
            QCOMPARE(reader.status(), SchemeReader::Damaged);
            QVERIFY2(
                reader.damageOffset() >= 0 && reader.damageOffset() <= cut,
                qPrintable(QString("cut %1, damage reported at %2").arg(cut).arg(reader.damageOffset())));
            QVERIFY(reader.scheme().displayWindows.empty());
        }
    }

    void trailingDataIsDamage()
    {
        const QByteArray bytes = SchemeWriter::encode(rich());
        SchemeReader reader;
        EXPECT_DAMAGE(reader, bytes + QByteArray(3, '\0'), bytes.size());
    }

    void hugeCountsAreRefusedAtOnce()
    {
        SchemeReader reader;
        EXPECT_DAMAGE(reader, Bytes().i32(0).i32(0x7FFFFFFF), 4);
        EXPECT_DAMAGE(reader, Bytes().i32(0).i32(-1), 4);
        // Segment counts sit after the name and five int32 of the display window.
        EXPECT_DAMAGE(reader, head(0x10000000, 0, 0), 4 + 4 + 4 + 1 + 20);
        EXPECT_DAMAGE(reader, head(0, 0, -5), 4 + 4 + 4 + 1 + 20 + 8);
        EXPECT_DAMAGE(reader, wrapBytes(0x40000000, QByteArray()), wrapBytes(0, QByteArray()).size() - 4);
    }

    void hugeTextLengthIsRefused()
    {
        SchemeReader reader;
        EXPECT_DAMAGE(reader, Bytes().i32(0).i32(1).i32(0x7FFFFFF0).raw(QByteArray(40, 'x')), 8);
        EXPECT_DAMAGE(reader, Bytes().i32(0).i32(1).i32(-2).raw(QByteArray(40, 'x')), 8);
    }

    void colourOutOfRangeIsDamage()
    {
        QByteArray file = wrapBytes(0, QByteArray());
        // The frame colour of the window: 4 int32 geometry and the media count follow it.
        const int at = file.size() - 4 - 16 - 12;
        file[at + 3] = char(0x01);
        file[at + 2] = char(0x01); // red = 257
        SchemeReader reader;
        EXPECT_DAMAGE(reader, file, at);
    }

    void randomBitFlipsNeverCrash()
    {
        const QByteArray bytes = SchemeWriter::encode(rich());
        QRandomGenerator rng(20240611);
        SchemeReader reader;
        int damaged = 0;
        for (int i = 0; i < 3000; ++i) {
            QByteArray copy = bytes;
            const int flips = 1 + rng.bounded(4);
            for (int f = 0; f < flips; ++f) {
                const int at = rng.bounded(copy.size());
                copy[at] = char(copy[at] ^ (1 << rng.bounded(8)));
            }
            if (!reader.read(copy)) {
                ++damaged;
                QCOMPARE(reader.status(), SchemeReader::Damaged);
                QVERIFY(reader.damageOffset() >= 0 && reader.damageOffset() <= copy.size());
                QVERIFY(!reader.errorString().isEmpty());
            }
        }
        // Most flips land in counts, lengths or colours, which are caught.
        QVERIFY(damaged > 100);
    }

    void randomDataNeverCrashes()
    {
        QRandomGenerator rng(77);
        SchemeReader reader;
        for (int i = 0; i < 3000; ++i) {
            QByteArray data(rng.bounded(400), Qt::Uninitialized);
            for (char &c : data)
                c = char(rng.bounded(256));
            // Small counts keep the reader going deeper than pure noise would.
            if (data.size() >= 8)
                data[4] = data[5] = data[6] = 0;
            reader.read(data);
            QVERIFY(reader.status() == SchemeReader::NoError || reader.status() == SchemeReader::Damaged);
        }
    }

    void missingFileIsAnOpenError()
    {
        QTemporaryDir dir;
        SchemeReader reader;
        QVERIFY(!reader.readFile(dir.filePath("none.schx")));
        QCOMPARE(reader.status(), SchemeReader::OpenError);
        QCOMPARE(reader.damageOffset(), qint64(-1));
        QVERIFY(reader.errorString().contains("none.schx"));
    }

    void oversizedFileIsRefusedUnread()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("big.schx");
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        QVERIFY(f.resize(SchemeReader::MaxFileSize + 1)); // sparse: nothing is written
        f.close();
        SchemeReader reader;
        QVERIFY(!reader.readFile(path));
        QCOMPARE(reader.status(), SchemeReader::TooLarge);
    }

    void readsASavedFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("a.schx");
        QVERIFY(SchemeWriter::save(path, rich()));
        SchemeReader reader;
        QVERIFY2(reader.readFile(path), qPrintable(reader.errorString()));
        QCOMPARE(SchemeWriter::encode(reader.scheme()), SchemeWriter::encode(rich()));
    }
};

QTEST_APPLESS_MAIN(TestSchemeReader)
#include "test_schemereader.moc"
