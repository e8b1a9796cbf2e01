#include "bytes.h"
#include "model/commonwinobject.h"
#include "model/generalobject.h"
#include "model/lumoramediaobject.h"
#include "model/programobject.h"
#include "model/schemereader.h"
#include "model/schemewriter.h"
#include "model/tool/schemejson.h"
#include "schemesamples.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

using namespace SchemeSamples;

namespace {

QJsonObject dumpOf(const Scheme &scheme)
{
    return QJsonDocument::fromJson(SchemeJson::toJson(scheme)).object();
}

// The JSON of a scheme with one display window whose first general segment has the
// given weekdays value, to provoke errors deep in the tree.
QByteArray withWeekdays(const QJsonValue &weekdays)
{
    QJsonObject root = dumpOf(rich());
    QJsonArray windows = root["displayWindows"].toArray();
    QJsonObject window = windows[0].toObject();
    QJsonArray generals = window["generalSegments"].toArray();
    QJsonObject g = generals[1].toObject();
    g["weekdays"] = weekdays;
    generals[1] = g;
    window["generalSegments"] = generals;
    windows[0] = window;
    root["displayWindows"] = windows;
    return QJsonDocument(root).toJson();
}

QString buildError(const QByteArray &json)
{
    Scheme scheme;
    QString error;
    if (SchemeJson::fromJson(json, &scheme, &error))
        return QStringLiteral("<built>");
    if (!scheme.displayWindows.empty())
        return QStringLiteral("<partial scheme kept>");
    return error;
}

// Replaces the first occurrence of `from` in the rich dump and returns the build error.
QString errorAfterEdit(const QByteArray &from, const QByteArray &to)
{
    QByteArray json = SchemeJson::toJson(rich());
    const int at = json.indexOf(from);
    if (at < 0)
        return QStringLiteral("<pattern not found>");
    json.replace(at, from.size(), to);
    return buildError(json);
}

} // namespace

// The JSON form shared by dump and build.
class TestSchemeJson : public QObject
{
    Q_OBJECT

private slots:
    // Every field of every group survives file -> JSON -> file unchanged.
    void dumpAndBuildRoundTrip()
    {
        const QByteArray bytes = SchemeWriter::encode(rich());
        SchemeReader reader;
        QVERIFY(reader.read(bytes));
        const QByteArray json = SchemeJson::toJson(reader.scheme());
        Scheme built;
        QString error;
        QVERIFY2(SchemeJson::fromJson(json, &built, &error), qPrintable(error));
        QCOMPARE(SchemeWriter::encode(built), bytes);
        QCOMPARE(SchemeJson::toJson(built), json);
    }

    void valuesAreWrittenAsDocumented()
    {
        const QJsonObject root = dumpOf(rich());
        QCOMPARE(root["displayWindowCounter"].toInt(), 9);
        const QJsonObject d = root["displayWindows"][0].toObject();
        QCOMPARE(d["name"].toString(), QString("Display window1"));
        QCOMPARE(d["x"].toInt(), -1920);
        QCOMPARE(d["onTopMode"].toInt(), 2);
        QVERIFY(!d.contains("backstage"));
        const QJsonObject g = d["generalSegments"][0].toObject();
        QCOMPARE(g["fromDate"].toString(), QString("2024-01-31"));
        QCOMPARE(g["weekdays"].toArray(), (QJsonArray{"Tuesday", "Saturday"}));
        QCOMPARE(g["toTime"].toString(), QString("18:30:15"));
        QCOMPARE(g["programCounter"].toInt(), 4); // as stored, not plus one
        const QJsonObject defaults = d["generalSegments"][1].toObject();
        QVERIFY(defaults["name"].isNull());
        QVERIFY(defaults["fromDate"].isNull());
        QVERIFY(defaults["fromTime"].isNull());
        QCOMPARE(defaults["weekdays"].toArray().size(), 7);
        QCOMPARE(defaults["weekdays"][0].toString(), QString("Monday"));
        QCOMPARE(defaults["weekdays"][6].toString(), QString("Sunday"));

        const QJsonObject p1 = g["programs"][0].toObject();
        QCOMPARE(p1["backgroundColor"].toArray(), (QJsonArray{1, 2, 3}));
        QCOMPARE(p1["backgroundMusic"][1].toString(), QString(""));
        QVERIFY(p1["backgroundMusic"][1].isString());
        QVERIFY(p1["backgroundMusic"][2].isNull());
        QCOMPARE(p1["playTimes"].toInt(), 3);
        QCOMPARE(g["programs"][1]["playLength"].toString(), QString("01:02:03"));
        QCOMPARE(g["programs"][2]["name"].toString(), QString(""));
        QVERIFY(g["programs"][2]["name"].isString());

        const QJsonObject c = d["cycleSegments"][0].toObject();
        QCOMPARE(c["playMinutes"].toInt(), 7);
        QCOMPARE(c["playSeconds"].toInt(), 30);
        const QJsonObject shortProgram = c["programs"][0].toObject();
        QVERIFY(!shortProgram.contains("playMode"));
        QVERIFY(!shortProgram.contains("playTimes"));
        QVERIFY(!shortProgram.contains("playLength"));

        const QJsonObject t = d["timingSegments"][0].toObject();
        QCOMPARE(t["timePoints"][0]["time"].toString(), QString("12:34:00"));
        QCOMPARE(t["timePoints"][1]["weekdays"].toArray(), QJsonArray());

        const QJsonArray media = g["programs"][0]["windows"][0]["media"].toArray();
        QJsonObject video, device, office, txt, timer;
        for (const QJsonValue &m : media) {
            const QString type = m["type"].toString();
            if (type == "video")
                video = m.toObject();
            else if (type == "videoDevice" && device.isEmpty())
                device = m.toObject();
            else if (type == "office")
                office = m.toObject();
            else if (type == "txt")
                txt = m.toObject();
            else if (type == "digitalTimer")
                timer = m.toObject();
        }
        QCOMPARE(video.value("video")["totalLength"].toString(), QString("01:02:03.456"));
        QCOMPARE(video.value("video")["clipStart"].toString(), QString("00:00:10"));
        QCOMPARE(video.value("video")["coverTextColor"].toArray(), (QJsonArray{10, 20, 30}));
        QVERIFY(video.value("video")["backgroundTransparent"].isBool());
        QVERIFY(device.value("videoDevice")["backgroundTransparent"].isDouble());
        QCOMPARE(device.value("videoDevice")["backgroundTransparent"].toInt(), 1);
        QVERIFY(office.contains("image"));
        QCOMPARE(office.size(), 7); // header and one group
        QVERIFY(!office["image"].toObject().contains("pixmap"));
        QVERIFY(!office["image"].toObject().contains("pages"));
        QCOMPARE(txt.value("text")["text"].toString(), QStringLiteral("Line\n\u4E2D\u6587"));
        QVERIFY(timer.contains("countTimer"));
        QCOMPARE(timer.value("countTimer")["backgroundImageStyle"].toInt(), 1);
        QCOMPARE(timer["countTimer"].toObject().size(), 9);
    }

    void keysFollowTheFileOrder()
    {
        const QByteArray json = SchemeJson::toJson(rich());
        const QList<QByteArray> order{
            "\"name\"", "\"x\"", "\"y\"", "\"width\"", "\"height\"", "\"onTopMode\"", "\"generalSegments\""};
        int last = -1;
        for (const QByteArray &key : order) {
            const int at = json.indexOf(key);
            QVERIFY2(at > last, key.constData());
            last = at;
        }
        // A media item's type comes before its group.
        QVERIFY(json.indexOf("\"type\": \"video\"") < json.indexOf("\"video\": {"));
    }

    void typeWithoutBodyIsBuiltHeaderOnly()
    {
        QJsonObject root = dumpOf(wrap({}));
        QJsonObject item{{"mediaId", 7},       {"displayWindowName", "D"}, {"segmentName", "G"},
                         {"programName", "P"}, {"windowName", "W"},        {"type", "hologram"}};
        QJsonArray windows = root["displayWindows"].toArray();
        QJsonObject d = windows[0].toObject();
        QJsonArray generals = d["generalSegments"].toArray();
        QJsonObject g = generals[0].toObject();
        QJsonArray programs = g["programs"].toArray();
        QJsonObject p = programs[0].toObject();
        QJsonArray ws = p["windows"].toArray();
        QJsonObject w = ws[0].toObject();
        w["media"] = QJsonArray{item};
        ws[0] = w;
        p["windows"] = ws;
        programs[0] = p;
        g["programs"] = programs;
        generals[0] = g;
        d["generalSegments"] = generals;
        windows[0] = d;
        root["displayWindows"] = windows;

        Scheme built;
        QString error;
        QVERIFY2(SchemeJson::fromJson(QJsonDocument(root).toJson(), &built, &error), qPrintable(error));
        QCOMPARE(SchemeWriter::encode(built), wrapBytes(1, mediaHeader("hologram")));

        // The same item with a group is refused: it has no body to put it in.
        item["text"] = QJsonObject();
        QVERIFY(QJsonDocument(root).toJson().contains("hologram"));
        const QByteArray withGroup = QJsonDocument(root).toJson().replace(
            "\"type\": \"hologram\"", "\"type\": \"hologram\", \"text\": {}");
        QCOMPARE(
            buildError(withGroup),
            QString(
                "displayWindows[0].generalSegments[0].programs[0].windows[0].media[0].text: unknown key"));
    }

    void errorsNameTheOffendingPath_data()
    {
        QTest::addColumn<QByteArray>("from");
        QTest::addColumn<QByteArray>("to");
        QTest::addColumn<QString>("path");
        QTest::newRow("missing key") << QByteArray("\"onTopMode\": 2,") << QByteArray()
                                     << "displayWindows[0].onTopMode: missing";
        QTest::newRow("unknown key") << QByteArray("\"onTopMode\": 2,")
                                     << QByteArray("\"onTopMode\": 2, \"z\": 1,")
                                     << "displayWindows[0].z: unknown key";
        QTest::newRow("not a number")
            << QByteArray("\"x\": -1920") << QByteArray("\"x\": \"left\"") << "displayWindows[0].x: expected";
        QTest::newRow("fraction") << QByteArray("\"x\": -1920") << QByteArray("\"x\": 1.5")
                                  << "displayWindows[0].x: expected";
        QTest::newRow("beyond int32") << QByteArray("\"x\": -1920") << QByteArray("\"x\": 2147483648")
                                      << "displayWindows[0].x: expected";
        QTest::newRow("date") << QByteArray("\"2024-01-31\"") << QByteArray("\"2024-02-30\"")
                              << "displayWindows[0].generalSegments[0].fromDate: expected";
        QTest::newRow("time") << QByteArray("\"18:30:15\"") << QByteArray("\"6pm\"")
                              << "displayWindows[0].generalSegments[0].toTime: expected";
        QTest::newRow("colour range")
            << QByteArray("[1, 2, 3]") << QByteArray("[1, 2, 300]")
            << "displayWindows[0].generalSegments[0].programs[0].backgroundColor[2]: ";
        QTest::newRow("bool") << QByteArray("\"allDay\": false") << QByteArray("\"allDay\": 0")
                              << "displayWindows[0].generalSegments[0].allDay: expected true or false";
        QTest::newRow("video device flag")
            << QByteArray("\"backgroundTransparent\": 1") << QByteArray("\"backgroundTransparent\": 2")
            << "displayWindows[0].generalSegments[0].programs[0].windows[0].media[";
        QTest::newRow("group missing")
            << QByteArray("\"type\": \"video\",") << QByteArray("\"type\": \"video\", \"x\": {},")
            << "displayWindows[0].generalSegments[0].programs[0].windows[0].media[0].";
        QTest::newRow("not json") << QByteArray("{") << QByteArray("[") << "not valid JSON";
    }

    void errorsNameTheOffendingPath()
    {
        QFETCH(QByteArray, from);
        QFETCH(QByteArray, to);
        QFETCH(QString, path);
        const QString error = errorAfterEdit(from, to);
        QVERIFY2(error.startsWith(path), qPrintable(error));
    }

    void weekdayErrorsPointAtTheEntry()
    {
        QCOMPARE(buildError(withWeekdays(QJsonArray{"Monday", "Tuesday", "Funday"})).section(':', 0, 0),
                 QString("displayWindows[0].generalSegments[1].weekdays[2]"));
        QCOMPARE(buildError(withWeekdays(QJsonArray{"Monday", "Tuesday", "monday"})).section(':', 0, 0),
                 QString("displayWindows[0].generalSegments[1].weekdays[2]"));
        QCOMPARE(buildError(withWeekdays(QJsonArray{"Friday", "Friday"})).section(':', 0, 0),
                 QString("displayWindows[0].generalSegments[1].weekdays[1]"));
        QCOMPARE(buildError(withWeekdays("Monday")).section(':', 0, 0),
                 QString("displayWindows[0].generalSegments[1].weekdays"));
        // Any order is accepted; the list comes out Monday first.
        Scheme built;
        QString error;
        QVERIFY(SchemeJson::fromJson(withWeekdays(QJsonArray{"Sunday", "Monday"}), &built, &error));
        QCOMPARE(built.displayWindows[0]->schedule.generalSegments[1]->weekdays,
                 (QStringList{"Monday", "Sunday"}));
    }

    void topLevelMustBeAnObject()
    {
        QVERIFY(!buildError("[]").isEmpty());
        QCOMPARE(buildError("{\"displayWindowCounter\": 1}"), QString("displayWindows: missing"));
        QCOMPARE(buildError("{\"displayWindowCounter\": 1, \"displayWindows\": {}}"),
                 QString("displayWindows: expected a list"));
        QCOMPARE(buildError("{\"displayWindowCounter\": 1, \"displayWindows\": [3]}"),
                 QString("displayWindows[0]: expected an object"));
    }

    void stringsAreEscaped()
    {
        Scheme scheme;
        scheme.addDisplayWindow().window.name = QStringLiteral("quote\" back\\ tab\t nl\n bell\a \u00E9");
        const QByteArray json = SchemeJson::toJson(scheme);
        QJsonParseError err;
        const QJsonDocument doc = QJsonDocument::fromJson(json, &err);
        QCOMPARE(err.error, QJsonParseError::NoError);
        QCOMPARE(doc["displayWindows"][0]["name"].toString(), scheme.displayWindows[0]->window.name);
    }
};

QTEST_APPLESS_MAIN(TestSchemeJson)
#include "test_schemejson.moc"
