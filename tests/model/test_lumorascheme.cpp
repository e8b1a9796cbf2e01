#include "../render/schemebuilder.h"
#include "buildpaths.h"
#include "bytes.h"
#include "model/schemereader.h"
#include "model/schemewriter.h"
#include "schemesamples.h"

#include <QDateTime>
#include <QFileInfo>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRandomGenerator>
#include <QSet>
#include <QTemporaryDir>
#include <QtTest>

using namespace SchemeSamples;

namespace {

struct Run
{
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

Run tool(const QStringList &args, int timeoutMsecs = 20000)
{
    QProcess p;
    p.start(BuildPaths::path("LUMORA_SCHEME_TOOL"), args);
    Run r;
    if (!p.waitForFinished(timeoutMsecs) || p.exitStatus() != QProcess::NormalExit) {
        p.kill();
        p.waitForFinished();
        return r;
    }
    r.exitCode = p.exitCode();
    r.out = p.readAllStandardOutput();
    r.err = p.readAllStandardError();
    return r;
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// `root` with the value at `path` (object keys and array indexes) replaced by `value`.
QJsonValue replaced(const QJsonValue &root, QStringList path, const QJsonValue &value)
{
    if (path.isEmpty())
        return value;
    const QString key = path.takeFirst();
    if (root.isArray()) {
        QJsonArray array = root.toArray();
        array[key.toInt()] = replaced(array.at(key.toInt()), path, value);
        return array;
    }
    QJsonObject object = root.toObject();
    object[key] = replaced(object.value(key), path, value);
    return object;
}

} // namespace

// The command-line tool as an operator runs it: output, messages and exit statuses.
class TestLumoraScheme : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString path(const QString &name) const { return m_dir.filePath(name); }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        const QByteArray bytes = SchemeWriter::encode(rich());
        QVERIFY(writeFile(path("rich.schx"), bytes));
        QVERIFY(writeFile(path("cut.schx"), bytes.left(1000)));
    }

    void helpAndVersion()
    {
        const Run help = tool({"--help"});
        QCOMPARE(help.exitCode, 0);
        QVERIFY(help.out.contains("lumora-scheme dump FILE.schx"));
        QVERIFY(help.out.contains("build FILE.json OUT.schx"));
        QVERIFY(help.out.contains("check FILE.schx"));
        QVERIFY(help.err.isEmpty());
        const Run version = tool({"--version"});
        QCOMPARE(version.exitCode, 0);
        QCOMPARE(version.out, QByteArray("lumora-scheme " LUMORA_VERSION "\n"));
    }

    void usageErrors_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("nothing") << QStringList();
        QTest::newRow("unknown command") << QStringList{"show", "a.schx"};
        QTest::newRow("unknown option") << QStringList{"dump", "--pretty", "a.schx"};
        QTest::newRow("dump without file") << QStringList{"dump"};
        QTest::newRow("dump with two files") << QStringList{"dump", "a.schx", "b.schx"};
        QTest::newRow("build without output") << QStringList{"build", "a.json"};
        QTest::newRow("check with two files") << QStringList{"check", "a.schx", "b.schx"};
    }

    void usageErrors()
    {
        QFETCH(QStringList, args);
        const Run r = tool(args);
        QCOMPARE(r.exitCode, 2);
        QVERIFY(r.out.isEmpty());
        QVERIFY2(r.err.contains("Usage:"), r.err.constData());
    }

    void dumpThenBuildGivesTheSameFile()
    {
        const QByteArray bytes = SchemeWriter::encode(rich());
        const Run dump = tool({"dump", path("rich.schx")});
        QCOMPARE(dump.exitCode, 0);
        QVERIFY(dump.err.isEmpty());
        QJsonParseError error;
        const QJsonDocument doc = QJsonDocument::fromJson(dump.out, &error);
        QCOMPARE(error.error, QJsonParseError::NoError);
        QCOMPARE(doc["displayWindowCounter"].toInt(), 9);

        QVERIFY(writeFile(path("rich.json"), dump.out));
        const Run build = tool({"build", path("rich.json"), path("rebuilt.schx")});
        QCOMPARE(build.exitCode, 0);
        QVERIFY(build.out.isEmpty());
        QVERIFY(build.err.isEmpty());
        QCOMPARE(readFile(path("rebuilt.schx")), bytes);
    }

    void dumpOfADamagedFileNamesTheOffset()
    {
        const QByteArray bytes = SchemeWriter::encode(rich());
        SchemeReader reader;
        QVERIFY(!reader.read(bytes.left(1000)));
        const Run r = tool({"dump", path("cut.schx")});
        QCOMPARE(r.exitCode, 2);
        QVERIFY(r.out.isEmpty());
        QVERIFY2(r.err.contains(QString("byte %1").arg(reader.damageOffset()).toUtf8()), r.err.constData());
        QVERIFY(r.err.contains("cut.schx"));
    }

    void dumpOfAMissingFile()
    {
        const Run r = tool({"dump", path("none.schx")});
        QCOMPARE(r.exitCode, 2);
        QVERIFY(r.err.contains("none.schx"));
    }

    void buildRefusesJsonThatDoesNotFit()
    {
        QByteArray json = QJsonDocument::fromJson(tool({"dump", path("rich.schx")}).out).toJson();
        QVERIFY(!json.isEmpty());
        json.replace("\"Saturday\"", "\"Caturday\"");
        QVERIFY(writeFile(path("bad.json"), json));
        const Run r = tool({"build", path("bad.json"), path("bad.schx")});
        QCOMPARE(r.exitCode, 2);
        QVERIFY2(r.err.contains("displayWindows[0].generalSegments[0].weekdays[1]"), r.err.constData());
        QVERIFY(!QFile::exists(path("bad.schx")));

        QVERIFY(writeFile(path("broken.json"), "{\"displayWindowCounter\": "));
        QCOMPARE(tool({"build", path("broken.json"), path("bad.schx")}).exitCode, 2);
        QCOMPARE(tool({"build", path("none.json"), path("bad.schx")}).exitCode, 2);
        QVERIFY(!QFile::exists(path("bad.schx")));
    }

    void buildReportsAnUnwritableOutput()
    {
        QVERIFY(writeFile(path("empty.json"), "{\"displayWindowCounter\": 0, \"displayWindows\": []}"));
        const Run r = tool({"build", path("empty.json"), path("empty.json") + "/out.schx"});
        QCOMPARE(r.exitCode, 2);
        QVERIFY(!r.err.isEmpty());
        QCOMPARE(tool({"build", path("empty.json"), path("empty.schx")}).exitCode, 0);
        QCOMPARE(readFile(path("empty.schx")), QByteArray(8, '\0'));
    }

    void checkExitStatuses()
    {
        // Clean: an all-day segment with one text item inside its display window.
        QByteArray clean = wrapBytes(1, mediaHeader("simpleText") + Bytes()
                                                                        .str("Hi")
                                                                        .str("Arial")
                                                                        .i32(16)
                                                                        .b(false)
                                                                        .b(false)
                                                                        .b(false)
                                                                        .col(255, 0, 0)
                                                                        .b(true)
                                                                        .i32(0)
                                                                        .col(0, 0, 0)
                                                                        .null()
                                                                        .i32(1)
                                                                        .b(false)
                                                                        .b(false)
                                                                        .b(false)
                                                                        .i32(0)
                                                                        .i32(0)
                                                                        .i32(5)
                                                                        .i32(5)
                                                                        .i32(0)
                                                                        .i32(0)
                                                                        .i32(0)
                                                                        .i32(0)
                                                                        .i32(3)
                                                                        .b(true)
                                                                        .str("00:00:05")
                                                                        .i32(0)
                                                                        .b(false)
                                                                        .i32(10)
                                                                        .i32(5)
                                                                        .data());
        // The window is 0x0 in the wrapper; give it a size inside the 200x200 display window.
        const int width = clean.indexOf(mediaHeader("simpleText")) - 12; // width, height, media count
        clean.replace(width, 8, Bytes().i32(100).i32(50));
        QVERIFY(writeFile(path("clean.schx"), clean));
        const Run ok = tool({"check", path("clean.schx")});
        QVERIFY2(ok.exitCode == 0, ok.out.constData());
        QVERIFY(ok.out.isEmpty());

        const Run warned = tool({"check", path("rich.schx")});
        QCOMPARE(warned.exitCode, 1);
        const QList<QByteArray> lines = warned.out.trimmed().split('\n');
        QVERIFY(lines.size() >= 3);
        QVERIFY(
            warned.out.contains("displayWindows[0].generalSegments[0].programs[0].windows[0].media[0]: "));
        QVERIFY(warned.out.contains("/nonexistent/clip.mp4"));
        QVERIFY(warned.out.contains("displayWindows[1]: ")); // no media item
        for (const QByteArray &line : lines)
            QVERIFY2(line.startsWith("displayWindows["), line.constData());

        QCOMPARE(tool({"check", path("cut.schx")}).exitCode, 2);
        QCOMPARE(tool({"check", path("none.schx")}).exitCode, 2);
    }
    // Videos are opened as the player opens them: random bytes, a text file and an MP4 cut
    // before its index are named, a sound one is not.
    void checkNamesVideosThatCannotBeOpened()
    {
        QTemporaryDir dir;
        QVERIFY(QProcess::execute("ffmpeg", {"-y", "-loglevel", "error", "-f", "lavfi", "-i",
                                             "color=c=blue:s=64x48:r=25:d=2", "-pix_fmt", "yuv420p",
                                             dir.filePath("clip.mp4")}) == 0);
        const QByteArray clip = readFile(dir.filePath("clip.mp4"));
        // The MP4 muxer writes the index after the frames.
        QVERIFY(clip.lastIndexOf("moov") > clip.size() / 2);
        QVERIFY(writeFile(dir.filePath("cut.mp4"), clip.left(clip.size() / 2)));
        QByteArray noise(64 * 1024, '\0');
        for (int i = 0; i < noise.size(); ++i)
            noise[i] = char(QRandomGenerator::global()->bounded(256));
        QVERIFY(writeFile(dir.filePath("noise.mp4"), noise));
        QVERIFY(writeFile(dir.filePath("text.mp4"), "a text file, not a video\n"));

        Scheme scheme;
        Scheme::DisplayWindow &dw = SchemeBuilder::display(scheme, "D1");
        QList<LumoraMediaObject *> media;
        for (const char *name : {"clip.mp4", "noise.mp4", "text.mp4", "cut.mp4"})
            media << SchemeBuilder::video(name, QTime(0, 0, 2));
        SchemeBuilder::window(SchemeBuilder::page(SchemeBuilder::general(dw, "S1"), "P1"), "W1", media);
        QString error;
        QVERIFY2(SchemeWriter::save(dir.filePath("videos.schx"), scheme, &error), qPrintable(error));

        const Run r = tool({"check", dir.filePath("videos.schx")});
        QCOMPARE(r.exitCode, 1);
        const QString at = "displayWindows[0].generalSegments[0].programs[0].windows[0].media[%1]: ";
        const QStringList lines = QString::fromUtf8(r.out).split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 3);
        const QStringList files = {"noise.mp4", "text.mp4", "cut.mp4"};
        for (int i = 0; i < files.size(); ++i) {
            QVERIFY2(lines.at(i).startsWith(at.arg(i + 1) + "video cannot be opened ("),
                     qPrintable(lines.at(i)));
            QVERIFY2(lines.at(i).endsWith(") and shows nothing: " + files.at(i)), qPrintable(lines.at(i)));
        }
    }

    // Values a file or another tool can hold and the editor does not offer, written as JSON,
    // built, checked and played for an hour: check names each, and play stays within bounds.
    void hostileValuesAreReportedAndPlayBounded_data()
    {
        QTest::addColumn<QStringList>("path");
        QTest::addColumn<QJsonValue>("value");
        QTest::addColumn<QString>("reported");
        QTest::addColumn<QString>("window"); // the window the value plays in
        const QStringList display{"displayWindows", "0"};
        QTest::newRow("display window of 1e9 x 1e9")
            << display + QStringList{"width"} << QJsonValue(1000000000)
            << "display window \"D1\" of 1000000000x300 at (0, 0) is played at 7680x300 at (0, 0)"
            << "W1";
        QTest::newRow("stay 0") << display + QStringList{"generalSegments", "0",       "programs", "0",
                                                         "windows",         "0",       "media",    "0",
                                                         "image",           "stayTime"}
                                << QJsonValue(0) << "item stays 0 s and is shown for 1 s"
                                << "W1";
        QTest::newRow("cycle every 0 minutes")
            << display + QStringList{"cycleSegments", "0", "playEvery"} << QJsonValue(0)
            << "cycle segment \"C1\" comes every 0 minutes and is inserted every minute"
            << "CW1";
        // Every second of the day, and again from midnight: a day has 86 400 seconds.
        QJsonArray points;
        for (int i = 0; i < 100000; ++i) {
            points.append(QJsonObject{{"time", QTime(0, 0).addSecs(i % 86400).toString("HH:mm:ss")},
                                      {"specifiedDate", false},
                                      {"fromDate", QJsonValue::Null},
                                      {"toDate", QJsonValue::Null},
                                      {"weekdays", QJsonArray::fromStringList(Weekdays::all())}});
        }
        QTest::newRow("100 000 time points")
            << display + QStringList{"timingSegments", "0", "timePoints"} << QJsonValue(points)
            << "of the 100000 time points of \"T1\" come less than 5 s after"
            << "TW1";
    }

    void hostileValuesAreReportedAndPlayBounded()
    {
        QFETCH(QStringList, path);
        QFETCH(QJsonValue, value);
        QFETCH(QString, reported);
        QFETCH(QString, window);
        QTemporaryDir dir;
        for (const char *name : {"a.png", "b.png", "c.png"}) {
            QImage picture(8, 8, QImage::Format_RGB32);
            picture.fill(Qt::blue);
            QVERIFY(picture.save(dir.filePath(name)));
        }
        // Sound as it is: a page of the general segment, a cycle insert every 30 minutes and a
        // timing insert at 03:00, each one picture shown for 5 s.
        Scheme scheme;
        Scheme::DisplayWindow &dw = SchemeBuilder::display(scheme, "D1");
        SchemeBuilder::window(SchemeBuilder::page(SchemeBuilder::general(dw, "S1"), "P1"), "W1",
                              {SchemeBuilder::image("a.png", 5)});
        SchemeBuilder::window(SchemeBuilder::page(SchemeBuilder::cycle(dw, "C1", 30), "CP1"), "CW1",
                              {SchemeBuilder::image("b.png", 5)});
        SchemeBuilder::window(SchemeBuilder::page(SchemeBuilder::timing(dw, "T1", QTime(3, 0)), "TP1"), "TW1",
                              {SchemeBuilder::image("c.png", 5)});
        QString error;
        QVERIFY2(SchemeWriter::save(dir.filePath("sound.schx"), scheme, &error), qPrintable(error));
        const Run sound = tool({"check", dir.filePath("sound.schx")});
        QVERIFY2(sound.exitCode == 0, sound.out.constData());
        const QJsonDocument dumped = QJsonDocument::fromJson(tool({"dump", dir.filePath("sound.schx")}).out);
        QVERIFY(dumped.isObject());

        const QJsonValue hostile = replaced(dumped.object(), path, value);
        QVERIFY(writeFile(dir.filePath("hostile.json"), QJsonDocument(hostile.toObject()).toJson()));
        const Run built = tool({"build", dir.filePath("hostile.json"), dir.filePath("hostile.schx")});
        QVERIFY2(built.exitCode == 0, built.err.constData());

        const Run checked = tool({"check", dir.filePath("hostile.schx")});
        QCOMPARE(checked.exitCode, 1);
        QVERIFY2(checked.out.contains(reported.toUtf8()), checked.out.constData());

        const qint64 seconds = 3600;
        const Run played = tool({"simulate", dir.filePath("hostile.schx"), "--start", "2027-01-04T10:00:00",
                                 "--duration", QString::number(seconds)},
                                600000);
        QVERIFY2(played.exitCode == 0, played.err.constData());
        QHash<QString, int> rows; // per window
        for (const QByteArray &line : played.out.split('\n')) {
            const QList<QByteArray> fields = line.split('\t');
            if (fields.size() == 9)
                ++rows[QString::fromUtf8(fields.at(1))];
        }
        QVERIFY2(rows.value(window) > 0, qPrintable(window));
        // At most one row a second for each window's one item.
        for (auto it = rows.cbegin(); it != rows.cend(); ++it)
            QVERIFY2(it.value() <= seconds, qPrintable(QString("%1: %2 rows").arg(it.key()).arg(it.value())));
    }

    // A newcomer's first run: the demo is sound, and within two minutes its pages change and a
    // cycle insert interrupts them, showing every kind of item the tour promises.
    void demoToursEveryKindWithinTwoMinutes()
    {
        const QString demo = BuildPaths::path("LUMORA_DEMO_SCHEME");
        QVERIFY2(QFileInfo::exists(demo), qPrintable(demo));
        // Run from elsewhere: the demo's media paths are relative to the scheme.
        const Run checked = tool({"check", demo});
        QVERIFY2(checked.exitCode == 0 && checked.out.isEmpty(), checked.out.constData());

        const Run simulated =
            tool({"simulate", demo, "--start", "2027-01-04T09:59:30", "--duration", "300", "--events"});
        QVERIFY2(simulated.exitCode == 0, simulated.err.constData());
        const QDateTime start(QDate(2027, 1, 4), QTime(9, 59, 30));
        QSet<QString> played;
        int pageChanges = 0;
        QDateTime firstInsert;
        for (const QByteArray &line : simulated.out.split('\n')) {
            const QStringList f = QString::fromUtf8(line).split(QLatin1Char('\t'));
            if (f.size() > 4 && f.at(0) == QLatin1String("#")) {
                const QDateTime at =
                    QDateTime::fromString(f.at(1), QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz"));
                if (f.at(3) == QLatin1String("page") && f.at(4) == QLatin1String("generalSegment") &&
                    at < start.addSecs(120))
                    ++pageChanges;
                if (f.at(3) == QLatin1String("insert start") && f.at(4) == QLatin1String("cycleSegment") &&
                    !firstInsert.isValid())
                    firstInsert = at;
            } else if (f.size() == 9) {
                played.insert(f.at(2));
            }
        }
        QVERIFY2(pageChanges >= 3, qPrintable(QString::number(pageChanges)));
        QVERIFY(firstInsert.isValid());
        QVERIFY2(firstInsert <= start.addSecs(120), qPrintable(firstInsert.toString(Qt::ISODate)));
        const QStringList kinds = {"pictures.png",  "schedules.png",  "inserts.png",  "anywhere.png",
                                   "clip.mp4",      "Scrolling Text", "Analog Clock", "Digital Clock",
                                   "Digital Timer", "Simple Text"};
        for (const QString &kind : kinds)
            QVERIFY2(played.contains(kind), qPrintable(kind));
    }

    // A copy of a scheme written away from its media (the editor simulates its unsaved scheme
    // that way) plays as the original when told the original's folder.
    void aCopyElsewherePlaysWithTheMediaOfTheFolderNamed()
    {
        const QString demo = BuildPaths::path("LUMORA_DEMO_SCHEME");
        QVERIFY2(QFileInfo::exists(demo), qPrintable(demo));
        QTemporaryDir dir;
        const QString copy = dir.filePath(QStringLiteral("copy.schx"));
        QVERIFY(QFile::copy(demo, copy));
        const QStringList span{"--start", "2027-01-04T10:00:00", "--duration", "120", "--events"};
        const Run original = tool(QStringList{"simulate", demo} + span);
        QVERIFY2(original.exitCode == 0, original.err.constData());
        const Run told = tool(QStringList{"simulate", copy} + span +
                              QStringList{"--media-folder", QFileInfo(demo).path()});
        QVERIFY2(told.exitCode == 0, told.err.constData());
        QCOMPARE(told.out, original.out);
        // Without it the pictures are looked for beside the copy, and are missing.
        const Run alone = tool(QStringList{"simulate", copy} + span);
        QVERIFY2(alone.exitCode == 0, alone.err.constData());
        QVERIFY(alone.out != original.out);

        const Run refused = tool(QStringList{"simulate", copy} + span +
                                 QStringList{"--media-folder", dir.filePath(QStringLiteral("none"))});
        QCOMPARE(refused.exitCode, 2);
        QVERIFY2(refused.err.contains("is not a folder"), refused.err.constData());
    }
};

QTEST_GUILESS_MAIN(TestLumoraScheme)
#include "test_lumorascheme.moc"
