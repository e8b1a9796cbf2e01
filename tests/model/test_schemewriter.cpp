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

#include <QTemporaryDir>
#include <QtTest>

using namespace SchemeSamples;

namespace {

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

QByteArray fileOf(const std::function<void(Scheme &)> &build)
{
    Scheme scheme;
    build(scheme);
    return SchemeWriter::encode(scheme);
}

} // namespace

// The writer against byte sequences spelled out by hand from the file layout.
class TestSchemeWriter : public QObject
{
    Q_OBJECT

private slots:
    void emptySchemeIsEightBytes()
    {
        Scheme scheme;
        scheme.displayWindowCounter = 5;
        const QByteArray expected("\x00\x00\x00\x05\x00\x00\x00\x00", 8);
        QCOMPARE(SchemeWriter::encode(scheme), expected);
    }

    void displayWindowWithoutSegments()
    {
        const QByteArray bytes = fileOf([](Scheme &s) {
            s.displayWindowCounter = 2;
            Scheme::DisplayWindow &d = s.addDisplayWindow();
            d.window.name = "Display window2";
            d.window.x = -10;
            d.window.y = 20;
            d.window.width = 640;
            d.window.height = 480;
            d.window.onTopMode = 2;
            d.window.backstage = true; // run-time state, not stored
        });
        const QByteArray expected = Bytes()
                                        .i32(2)
                                        .i32(1)
                                        .str("Display window2")
                                        .i32(-10)
                                        .i32(20)
                                        .i32(640)
                                        .i32(480)
                                        .i32(2)
                                        .i32(0)
                                        .i32(0)
                                        .i32(0);
        QCOMPARE(bytes, expected);
    }

    // The main window saves straight from its own records; a display window whose
    // schedule is missing is written with three empty lists.
    void writesFromRecordsItDoesNotOwn()
    {
        PlayWinObject w;
        w.name = "A";
        QCOMPARE(SchemeWriter::encode(1, {{&w, nullptr}}), Bytes()
                                                               .i32(1)
                                                               .i32(1)
                                                               .str("A")
                                                               .i32(0)
                                                               .i32(0)
                                                               .i32(200)
                                                               .i32(200)
                                                               .i32(1)
                                                               .i32(0)
                                                               .i32(0)
                                                               .i32(0)
                                                               .data());
    }

    void generalSegmentAndFullPrograms()
    {
        const QByteArray bytes = fileOf([](Scheme &s) {
            Scheme::DisplayWindow &d = s.addDisplayWindow();
            d.window.name = "D";
            auto *g = new GeneralObject;
            g->displayWindowName = "D";
            g->name = "G";
            g->specifiedDate = true;
            g->fromDate = QDate(2024, 2, 29);
            g->toDate = QDate(2025, 1, 5);
            g->weekdays = QStringList{"Sunday", "Monday", "Wednesday"}; // order in the list is irrelevant
            g->allDay = false;
            g->fromTime = QTime(8, 5, 9);
            g->toTime = QTime(18, 30, 0, 999); // milliseconds are not stored
            g->programCounter = 4;
            d.schedule.generalSegments.append(g);
            auto *times = new ProgramObject;
            times->windowCounter = 3;
            times->displayWindowName = "D";
            times->segmentName = "G";
            times->name = "P1";
            times->backgroundColor = QColor(1, 2, 3);
            times->backgroundImage = "bg.png";
            times->backgroundDisplayType = 0;
            times->backgroundMusic = QStringList{"a.mp3", QString(""), QString()};
            times->playMode = ProgramObject::ByTimes;
            times->playTimes = 6;
            g->programs.append(times);
            auto *length = new ProgramObject;
            length->name = "P2";
            length->playMode = ProgramObject::ByLength;
            length->playLength = QTime(1, 2, 3);
            g->programs.append(length);
            auto *loop = new ProgramObject;
            loop->name = "P3";
            loop->playMode = ProgramObject::Loop;
            loop->playTimes = 99; // not stored in loop mode
            g->programs.append(loop);
        });
        const QByteArray expected = Bytes()
                                        .i32(0)
                                        .i32(1)
                                        .str("D")
                                        .i32(0)
                                        .i32(0)
                                        .i32(200)
                                        .i32(200)
                                        .i32(1)
                                        .i32(1)
                                        .i32(0)
                                        .i32(0)
                                        .str("D")
                                        .str("G")
                                        .b(true)
                                        .str("2024-02-29")
                                        .str("2025-01-05")
                                        .days({1, 0, 1, 0, 0, 0, 1})
                                        .b(false)
                                        .str("08:05:09")
                                        .str("18:30:00")
                                        .i32(4)
                                        .i32(3)
                                        // P1: by times
                                        .i32(3)
                                        .str("D")
                                        .str("G")
                                        .str("P1")
                                        .col(1, 2, 3)
                                        .str("bg.png")
                                        .i32(0)
                                        .i32(3)
                                        .str("a.mp3")
                                        .str("")
                                        .null()
                                        .i32(0)
                                        .i32(6)
                                        .i32(0)
                                        // P2: by length, 1:02:03 is 3723 seconds
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
                                        // P3: loop, no play amount; the window count follows
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
        QCOMPARE(bytes, expected);
    }

    void cycleSegmentDurationAndShortPrograms()
    {
        const QByteArray bytes = fileOf([](Scheme &s) {
            Scheme::DisplayWindow &d = s.addDisplayWindow();
            d.window.name = "D";
            auto *byDuration = new CycleObject;
            byDuration->displayWindowName = "D";
            byDuration->name = "C1";
            byDuration->playEvery = 15;
            byDuration->playMode = 0;
            byDuration->playMinutes = 7;
            byDuration->playSeconds = 30;
            byDuration->playTimes = 8; // not stored by duration
            byDuration->weekdays = QStringList{"Friday"};
            byDuration->programCounter = 1;
            auto *program = new ProgramObject;
            program->windowCounter = 2;
            program->name = "P";
            program->playMode = ProgramObject::ByLength; // short form: no play fields
            program->playLength = QTime(0, 1, 0);
            byDuration->programs.append(program);
            d.schedule.cycleSegments.append(byDuration);
            auto *byTimes = new CycleObject;
            byTimes->name = "C2";
            byTimes->playMode = 1;
            byTimes->playTimes = 3;
            byTimes->playMinutes = 9;
            d.schedule.cycleSegments.append(byTimes);
            auto *zero = new CycleObject;
            zero->name = "C3";
            zero->playMode = 0;
            zero->playMinutes = 0;
            zero->playSeconds = 0;
            d.schedule.cycleSegments.append(zero);
        });
        const QByteArray expected = Bytes()
                                        .i32(0)
                                        .i32(1)
                                        .str("D")
                                        .i32(0)
                                        .i32(0)
                                        .i32(200)
                                        .i32(200)
                                        .i32(1)
                                        .i32(0)
                                        .i32(3)
                                        .i32(0)
                                        .str("D")
                                        .str("C1")
                                        .i32(15)
                                        .i32(0)
                                        .i32(450)
                                        .b(false)
                                        .null()
                                        .null()
                                        .days({0, 0, 0, 0, 1, 0, 0})
                                        .b(true)
                                        .null()
                                        .null()
                                        .i32(1)
                                        .i32(1)
                                        .i32(2)
                                        .null()
                                        .null()
                                        .str("P")
                                        .col(0, 0, 0)
                                        .null()
                                        .i32(1)
                                        .i32(0)
                                        .i32(0)
                                        // C2: three times
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
                                        // C3: a zero duration is the single number 0
                                        .null()
                                        .str("C3")
                                        .i32(30)
                                        .i32(0)
                                        .i32(0)
                                        .b(false)
                                        .null()
                                        .null()
                                        .allDays()
                                        .b(true)
                                        .null()
                                        .null()
                                        .i32(0)
                                        .i32(0);
        QCOMPARE(bytes, expected);
    }

    void timingSegmentWithTimePoints()
    {
        const QByteArray bytes = fileOf([](Scheme &s) {
            Scheme::DisplayWindow &d = s.addDisplayWindow();
            d.window.name = "D";
            auto *t = new TimingObject;
            t->displayWindowName = "D";
            t->name = "T";
            t->playMode = 1;
            t->playTimes = 3;
            auto *dated = new TimePoint;
            dated->label = "12:34"; // run-time text, not stored
            dated->time = QTime(12, 34, 0);
            dated->specifiedDate = true;
            dated->fromDate = QDate(2025, 6, 7);
            dated->toDate = QDate(2025, 8, 9);
            dated->weekdays = QStringList{"Tuesday", "Saturday"};
            t->timePoints.append(dated);
            t->timePoints.append(new TimePoint); // no weekday, invalid time
            t->programCounter = 5;
            d.schedule.timingSegments.append(t);
        });
        const QByteArray expected = Bytes()
                                        .i32(0)
                                        .i32(1)
                                        .str("D")
                                        .i32(0)
                                        .i32(0)
                                        .i32(200)
                                        .i32(200)
                                        .i32(1)
                                        .i32(0)
                                        .i32(0)
                                        .i32(1)
                                        .str("D")
                                        .str("T")
                                        .i32(1)
                                        .i32(3)
                                        .i32(2)
                                        .str("12:34:00")
                                        .b(true)
                                        .str("2025-06-07")
                                        .str("2025-08-09")
                                        .days({0, 1, 0, 0, 0, 1, 0})
                                        .null()
                                        .b(false)
                                        .null()
                                        .null()
                                        .days({0, 0, 0, 0, 0, 0, 0}) // seven flags even when empty
                                        .i32(5)
                                        .i32(0);
        QCOMPARE(bytes, expected);
    }

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
        const GoldenMedia golden = goldenMedia().at(index);
        const QByteArray type = golden.media->type.toUtf8();
        const Scheme scheme = wrap({golden.media});
        QCOMPARE(SchemeWriter::encode(scheme), wrapBytes(1, mediaHeader(type) + golden.body));
        for (const GoldenMedia &other : goldenMedia())
            delete other.media;
    }

    // Groups that do not belong to the item's type are not stored.
    void onlyTheLiveGroupIsStored()
    {
        auto *m = new LumoraMediaObject;
        m->type = "streaming";
        m->mediaId = 7;
        m->displayWindowName = "D";
        m->segmentName = "G";
        m->programName = "P";
        m->windowName = "W";
        m->video.filePath = "/ignored.mp4";
        m->text.text = "ignored";
        const Scheme scheme = wrap({m});
        const QByteArray body = Bytes().str("rtmp://127.0.0.1/live/stream").i32(100).str("00:10:00");
        QCOMPARE(SchemeWriter::encode(scheme), wrapBytes(1, mediaHeader("streaming") + body));
    }

    void unknownTypeIsWrittenHeaderOnly()
    {
        auto *unknown = new LumoraMediaObject;
        unknown->type = "hologram";
        unknown->mediaId = 7;
        unknown->displayWindowName = "D";
        unknown->segmentName = "G";
        unknown->programName = "P";
        unknown->windowName = "W";
        unknown->text.text = "not stored";
        auto *typeless = new LumoraMediaObject; // null type keyword
        typeless->mediaId = 8;
        const Scheme scheme = wrap({unknown, typeless});
        const QByteArray records =
            Bytes().raw(mediaHeader("hologram")).i32(8).null().null().null().null().null();
        QCOMPARE(SchemeWriter::encode(scheme), wrapBytes(2, records));
    }

    void nullAndEmptyStringsDiffer()
    {
        const QByteArray bytes = fileOf([](Scheme &s) {
            s.addDisplayWindow().window.name = QString();
            s.addDisplayWindow().window.name = QString("");
        });
        const QByteArray tail = Bytes().i32(0).i32(0).i32(200).i32(200).i32(1).i32(0).i32(0).i32(0);
        QCOMPARE(bytes, Bytes().i32(0).i32(2).null().raw(tail).str("").raw(tail).data());
    }

    void saveWritesTheBytes()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString path = dir.filePath("a.schx");
        const Scheme scheme = rich();
        QString error;
        QVERIFY(SchemeWriter::save(path, scheme, &error));
        QVERIFY(error.isEmpty());
        QCOMPARE(readAll(path), SchemeWriter::encode(scheme));
        // Overwriting leaves the new content only, and no temporary file beside it.
        Scheme empty;
        QVERIFY(SchemeWriter::save(path, empty, &error));
        QCOMPARE(readAll(path).size(), 8);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"a.schx"});
    }

    // Only a file the reader takes replaces the previous one: one too large for it, or bytes
    // that do not decode, are refused with the previous file untouched and nothing left beside.
    void whatCannotBeReadBackIsNotSaved()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString path = dir.filePath("a.schx");
        QVERIFY(SchemeWriter::save(path, rich()));
        const QByteArray previous = readAll(path);
        QString error;
        QVERIFY(!SchemeWriter::saveBytes(path, QByteArray(int(SchemeReader::MaxFileSize) + 1, '\0'), &error));
        QVERIFY2(error.contains(QLatin1String("MiB")), qPrintable(error));
        QVERIFY(!SchemeWriter::saveBytes(path, QByteArray("\0\0\0\1garbage"), &error));
        QVERIFY2(error.contains(QLatin1String("read back")), qPrintable(error));
        QCOMPARE(readAll(path), previous);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"a.schx"});
    }

    // A scheme of more than the 32 MiB the reader once took (two texts of 17 M characters) is
    // saved and read back whole.
    void aSchemePastTheOldLimitSavesAndOpens()
    {
        QList<LumoraMediaObject *> items;
        for (int i = 0; i < 2; ++i) {
            auto *item = new LumoraMediaObject;
            item->type = QStringLiteral("simpleText");
            item->text.text = QString(17 * 1000 * 1000, QLatin1Char(char('a' + i)));
            items << item;
        }
        const Scheme scheme = wrap(items);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString path = dir.filePath("big.schx");
        QString error;
        QVERIFY2(SchemeWriter::save(path, scheme, &error), qPrintable(error));
        QVERIFY(QFileInfo(path).size() > 32 * 1024 * 1024);
        SchemeReader reader;
        QVERIFY2(reader.readFile(path), qPrintable(reader.errorString()));
        QCOMPARE(SchemeWriter::encode(reader.scheme()), readAll(path));
    }

    // The temporary file of a save killed before its rename goes with the next save; the
    // scheme keeps its permissions.
    void aSaveKilledBeforeItsRenameLeavesNothingAfterTheNextSave()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString path = dir.filePath("a.schx");
        QVERIFY(SchemeWriter::save(path, rich()));
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup));
        const QFile::Permissions permissions = QFile::permissions(path);
        {
            QFile leftover(path + ".saving-Ab12Cd");
            QVERIFY(leftover.open(QIODevice::WriteOnly));
            leftover.write(QByteArray(4096, 'x'));
        }
        QFile other(dir.filePath("b.schx.saving-Ab12Cd")); // another scheme's is not this save's
        QVERIFY(other.open(QIODevice::WriteOnly));
        other.close();
        QVERIFY(SchemeWriter::save(path, Scheme()));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
                 QStringList({"a.schx", "b.schx.saving-Ab12Cd"}));
        QCOMPARE(QFile::permissions(path), permissions);
    }

    void failedSaveIsReportedAndKeepsThePreviousFile()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        // A regular file where a folder is expected: nothing can be created below it.
        const QString blocker = dir.filePath("blocker");
        {
            QFile f(blocker);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("previous");
        }
        QString error;
        QVERIFY(!SchemeWriter::save(blocker + "/a.schx", rich(), &error));
        QVERIFY2(error.contains(blocker), qPrintable(error));
        QCOMPARE(readAll(blocker), QByteArray("previous"));

        // A folder in place of the file is left alone.
        QVERIFY(QDir(dir.path()).mkdir("folder.schx"));
        error.clear();
        QVERIFY(!SchemeWriter::save(dir.filePath("folder.schx"), rich(), &error));
        QVERIFY(!error.isEmpty());
        QVERIFY(QFileInfo(dir.filePath("folder.schx")).isDir());
    }
};

QTEST_APPLESS_MAIN(TestSchemeWriter)
#include "test_schemewriter.moc"
