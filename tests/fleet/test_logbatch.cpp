#include "fleetlog/logbatch.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

namespace {

const qint64 Start = 1796817600000LL; // 2026-12-09 12:00 UTC

QJsonObject row(qint64 seq)
{
    return QJsonObject{{QStringLiteral("seq"), double(seq)},
                       {QStringLiteral("name"), QStringLiteral("ad.mp4")},
                       {QStringLiteral("path"), QStringLiteral("/media/ad.mp4")},
                       {QStringLiteral("start"), double(Start + seq * 10000)},
                       {QStringLiteral("end"), double(Start + seq * 10000 + 9000)},
                       {QStringLiteral("offset"), 3600},
                       {QStringLiteral("screen"), QStringLiteral("Screen 1")},
                       {QStringLiteral("window"), QStringLiteral("Window 1")},
                       {QStringLiteral("bundle"), 7},
                       {QStringLiteral("hash"), QString(64, QLatin1Char('a'))},
                       {QStringLiteral("outcome"), QStringLiteral("shown")},
                       {QStringLiteral("shownMs"), 9000}};
}

QJsonObject batch(qint64 after, qint64 upTo)
{
    QJsonArray rows;
    for (qint64 seq = after + 1; seq <= upTo; ++seq)
        rows.append(row(seq));
    return QJsonObject{{QStringLiteral("format"), 1},
                       {QStringLiteral("groups"), QJsonArray{QStringLiteral("lobby")}},
                       {QStringLiteral("timeZone"), QStringLiteral("Europe/Berlin")},
                       {QStringLiteral("log"), QStringLiteral("0b0e8f5c-6b1f-4a51-9f59-1f2d3c4b5a69")},
                       {QStringLiteral("after"), double(after)},
                       {QStringLiteral("upTo"), double(upTo)},
                       {QStringLiteral("rows"), rows}};
}

QByteArray wire(const QJsonObject &object)
{
    return qCompress(QJsonDocument(object).toJson(QJsonDocument::Compact), 6);
}

QJsonObject withRow(QJsonObject object, int index, const QString &key, const QJsonValue &value)
{
    QJsonArray rows = object.value(QStringLiteral("rows")).toArray();
    QJsonObject r = rows.at(index).toObject();
    if (value.isUndefined())
        r.remove(key);
    else
        r.insert(key, value);
    rows.replace(index, r);
    object.insert(QStringLiteral("rows"), rows);
    return object;
}

} // namespace

class TestLogBatch : public QObject
{
    Q_OBJECT

private slots:
    void decodesTheWireFormat()
    {
        QJsonObject object = batch(10, 14);
        // A gap (seq 12 lost in a damaged file) and a row without a bundle or a file.
        QJsonArray rows = object.value(QStringLiteral("rows")).toArray();
        rows.removeAt(1);
        QJsonObject clock = rows.at(0).toObject();
        clock.insert(QStringLiteral("name"), QStringLiteral("数字时钟"));
        clock.insert(QStringLiteral("path"), QString());
        clock.insert(QStringLiteral("bundle"), QJsonValue());
        clock.insert(QStringLiteral("hash"), QString());
        rows.replace(0, clock);
        QJsonObject missing = rows.at(2).toObject();
        missing.insert(QStringLiteral("outcome"), QStringLiteral("missing"));
        rows.replace(2, missing);
        object.insert(QStringLiteral("rows"), rows);

        LogBatch decoded;
        QString error;
        QVERIFY2(decoded.decode(wire(object), &error), qPrintable(error));
        QCOMPARE(decoded.groups, QStringList{QStringLiteral("lobby")});
        QCOMPARE(decoded.timeZone, QStringLiteral("Europe/Berlin"));
        QCOMPARE(decoded.log, QUuid(QStringLiteral("0b0e8f5c-6b1f-4a51-9f59-1f2d3c4b5a69")));
        QCOMPARE(decoded.after, 10);
        QCOMPARE(decoded.upTo, 14);
        QCOMPARE(decoded.rows.size(), 3);
        QCOMPARE(decoded.rows.at(0).seq, 11);
        QCOMPARE(decoded.rows.at(1).seq, 13);
        // The summary's item: the file, or the English name of a fixed label without one.
        QCOMPARE(decoded.rows.at(0).item(), QStringLiteral("Digital Clock"));
        QCOMPARE(decoded.rows.at(0).bundle, -1);
        QCOMPARE(decoded.rows.at(1).item(), QStringLiteral("/media/ad.mp4"));
        QCOMPARE(decoded.rows.at(1).bundle, 7);
        QCOMPARE(decoded.rows.at(1).startMs, Start + 130000);
        QCOMPARE(decoded.rows.at(1).offsetSeconds, 3600);
        QVERIFY(decoded.rows.at(1).shown());
        QVERIFY(!decoded.rows.at(2).shown());

        // What encode() sends is what decode() reads.
        LogBatch again;
        QVERIFY2(again.decode(decoded.encode(), &error), qPrintable(error));
        QCOMPARE(again.rows.size(), 3);
        QCOMPARE(again.rows.at(0).name, QStringLiteral("数字时钟"));
        QCOMPARE(again.rows.at(2).outcome, QStringLiteral("missing"));
        QCOMPARE(again.upTo, 14);

        // Rows out of order are taken in order.
        const QJsonValue first = rows.at(0);
        rows.replace(0, rows.at(2));
        rows.replace(2, first);
        object.insert(QStringLiteral("rows"), rows);
        QVERIFY2(decoded.decode(wire(object), &error), qPrintable(error));
        QCOMPARE(decoded.rows.at(0).seq, 11);
        QCOMPARE(decoded.rows.at(2).seq, 14);

        // An empty range covers nothing and is a valid (if useless) batch.
        QVERIFY2(decoded.decode(wire(batch(5, 5)), &error), qPrintable(error));
        QVERIFY(decoded.rows.isEmpty());
    }

    void refusesBadInput_data()
    {
        QTest::addColumn<QByteArray>("payload");
        const QJsonObject good = batch(0, 3);
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("not zlib") << QByteArray("\x00\x00\x00\x10garbage garbage!", 20);
        QTest::newRow("truncated zlib") << wire(good).left(40);
        QTest::newRow("not JSON") << qCompress("{\"format\":1, rows", 6);
        QTest::newRow("JSON array") << qCompress("[1,2,3]", 6);
        // A stated size above the cap, and a stream that inflates past it whatever it states.
        QByteArray huge = qCompress(QByteArray(LogBatch::MaxJsonBytes + 1, ' '), 9);
        QTest::newRow("inflates past the cap") << huge;
        huge[0] = 0;
        huge[1] = 0;
        huge[2] = 0;
        huge[3] = 10;
        QTest::newRow("lying size") << huge;
        QJsonObject o = good;
        o.insert(QStringLiteral("format"), 2);
        QTest::newRow("format 2") << wire(o);
        o = good;
        o.insert(QStringLiteral("log"), QStringLiteral("not-a-uuid"));
        QTest::newRow("log not a uuid") << wire(o);
        o = good;
        o.insert(QStringLiteral("after"), 5);
        QTest::newRow("after > upTo") << wire(o);
        o = good;
        o.insert(QStringLiteral("after"), QStringLiteral("0"));
        QTest::newRow("after a text") << wire(o);
        o = good;
        o.insert(QStringLiteral("groups"), QJsonArray{QStringLiteral("a/b")});
        QTest::newRow("group reaching into topics") << wire(o);
        QTest::newRow("too many rows") << wire(batch(0, LogBatch::MaxRows + 1));
        QTest::newRow("seq above upTo") << wire(withRow(good, 2, QStringLiteral("seq"), 4));
        QTest::newRow("seq at after") << wire(withRow(good, 0, QStringLiteral("seq"), 0));
        QTest::newRow("seq twice") << wire(withRow(good, 2, QStringLiteral("seq"), 1));
        QTest::newRow("seq fraction") << wire(withRow(good, 0, QStringLiteral("seq"), 0.5));
        QTest::newRow("name missing")
            << wire(withRow(good, 0, QStringLiteral("name"), QJsonValue::Undefined));
        QTest::newRow("name a number") << wire(withRow(good, 0, QStringLiteral("name"), 5));
        QTest::newRow("start in 1970") << wire(withRow(good, 0, QStringLiteral("start"), 1000));
        QTest::newRow("end in 2200") << wire(withRow(good, 0, QStringLiteral("end"), 7258118400000.0));
        QTest::newRow("end days before start")
            << wire(withRow(good, 0, QStringLiteral("end"), double(Start - 3 * 86400000LL)));
        QTest::newRow("offset of a day") << wire(withRow(good, 0, QStringLiteral("offset"), 86400));
        QTest::newRow("bundle a text")
            << wire(withRow(good, 0, QStringLiteral("bundle"), QStringLiteral("7")));
        QTest::newRow("hash not hex")
            << wire(withRow(good, 0, QStringLiteral("hash"), QString(64, QLatin1Char('z'))));
        QTest::newRow("outcome with spaces")
            << wire(withRow(good, 0, QStringLiteral("outcome"), QStringLiteral("a b")));
        QTest::newRow("negative shownMs") << wire(withRow(good, 0, QStringLiteral("shownMs"), -5));
        o = good;
        o.insert(QStringLiteral("rows"), QJsonArray{QJsonArray{}});
        QTest::newRow("row a list") << wire(o);
    }

    void refusesBadInput()
    {
        QFETCH(QByteArray, payload);
        LogBatch decoded;
        QString error;
        QVERIFY(!decoded.decode(payload, &error));
        QVERIFY(!error.isEmpty());
        QVERIFY(decoded.rows.isEmpty());
    }
};

QTEST_APPLESS_MAIN(TestLogBatch)
#include "test_logbatch.moc"
