// The libmpv widget on real clips generated at test time, under Xvfb.

#include "render/mpvnode.h"
#include "render/mpvwidget.h"
#include "warninglog.h"

#include <QApplication>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

class TestMpvWidget : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        m_red = m_dir.filePath(QStringLiteral("red.mp4"));
        m_green = m_dir.filePath(QStringLiteral("green-silent.mp4"));
        QVERIFY(makeClip(m_red, QStringLiteral("red"), true));
        QVERIFY(makeClip(m_green, QStringLiteral("green"), false));
    }

    void nodeConversionRoundTrip()
    {
        const QVariantMap value{
            {QStringLiteral("name"), QStringLiteral("loadfile ü")},
            {QStringLiteral("flag"), true},
            {QStringLiteral("count"), 42},
            {QStringLiteral("ratio"), 0.5},
            {QStringLiteral("args"), QStringList{QStringLiteral("a"), QStringLiteral("b")}},
            {QStringLiteral("empty"), QVariantList()}};
        MpvNodeBuilder builder(value);
        const QVariantMap back = mpvNodeToVariant(builder.node()).toMap();
        QCOMPARE(back.value(QStringLiteral("name")).toString(), QStringLiteral("loadfile ü"));
        QCOMPARE(back.value(QStringLiteral("flag")).toBool(), true);
        QCOMPARE(back.value(QStringLiteral("count")).toLongLong(), 42);
        QCOMPARE(back.value(QStringLiteral("ratio")).toDouble(), 0.5);
        QCOMPARE(back.value(QStringLiteral("args")).toList(),
                 (QVariantList{QStringLiteral("a"), QStringLiteral("b")}));
        QVERIFY(back.value(QStringLiteral("empty")).toList().isEmpty());
    }

    void reportsDurationAndWholeSecondPositions()
    {
        MpvWidget w(true);
        w.resize(160, 120);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QVERIFY2(w.isReady(), qPrintable(w.errorText()));
        QSignalSpy range(&w, &MpvWidget::sigSetVideoRange);
        QSignalSpy progress(&w, &MpvWidget::sigProgressChange);
        w.command(QStringList{QStringLiteral("loadfile"), m_red});
        QTRY_VERIFY_WITH_TIMEOUT(!range.isEmpty(), 10000);
        QVERIFY(qAbs(range.first().first().toFloat() - 2.0f) < 0.15f);
        QTRY_VERIFY_WITH_TIMEOUT(containsValue(progress, 1.0f), 10000);
        for (const QList<QVariant> &args : qAsConst(progress)) {
            const float seconds = args.first().toFloat();
            QCOMPARE(seconds, float(int(seconds))); // truncated to whole seconds
        }
    }

    void drawsFramesThroughTheRenderApi()
    {
        MpvWidget w(true);
        w.resize(160, 120);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QVERIFY(w.usesRenderApi());
        w.setMpvProperty(QStringLiteral("loop-file"), QStringLiteral("inf"));
        w.command(QStringList{QStringLiteral("loadfile"), m_green});
        QTRY_VERIFY_WITH_TIMEOUT(isMostly(w.grabFrame(), Qt::green), 10000);
    }

    void pausePropertyHoldsThePosition()
    {
        MpvWidget w(true);
        w.resize(160, 120);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        // Looping, so that the clip cannot end before the pause however slow the machine is.
        w.setMpvProperty(QStringLiteral("loop-file"), QStringLiteral("inf"));
        w.command(QStringList{QStringLiteral("loadfile"), m_red});
        QTRY_VERIFY_WITH_TIMEOUT(w.observed(QStringLiteral("time-pos")).toDouble() > 0.2, 10000);
        w.setMpvProperty(QStringLiteral("pause"), QStringLiteral("yes"));
        QTRY_COMPARE_WITH_TIMEOUT(w.observed(QStringLiteral("pause")).toBool(), true, 10000);
        double held = -1;
        QTRY_VERIFY_WITH_TIMEOUT(standsStill(w, &held), 10000);
        QTest::qWait(1000);
        QCOMPARE(w.observed(QStringLiteral("time-pos")).toDouble(), held);
        w.setMpvProperty(QStringLiteral("pause"), QStringLiteral("no"));
        QTRY_VERIFY_WITH_TIMEOUT(w.observed(QStringLiteral("time-pos")).toDouble() != held, 10000);
    }

    void fileThatCannotBeOpenedIsHarmless()
    {
        MpvWidget w(true);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QSignalSpy range(&w, &MpvWidget::sigSetVideoRange);
        const QString bogus = m_dir.filePath(QStringLiteral("not-a-video.mp4"));
        QFile f(bogus);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(4096, '\x5a'));
        f.close();
        const QString missing = m_dir.filePath(QStringLiteral("missing.mp4"));
        WarningLog log;
        w.command(QStringList{QStringLiteral("loadfile"), bogus});
        QTRY_VERIFY_WITH_TIMEOUT(log.contains(QStringLiteral("Failed to recognize file format")), 10000);
        w.command(QStringList{QStringLiteral("loadfile"), missing});
        QTRY_VERIFY_WITH_TIMEOUT(log.contains(QStringLiteral("Failed to open ") + missing), 10000);
        QVERIFY(w.isReady());
        // the same player still plays the next good file, and only that one had a length
        w.command(QStringList{QStringLiteral("loadfile"), m_red});
        QTRY_VERIFY_WITH_TIMEOUT(!range.isEmpty(), 10000);
        QCOMPARE(range.size(), 1);
        QVERIFY(qAbs(range.first().first().toFloat() - 2.0f) < 0.15f);
    }

    void embeddedOutputWithoutHardDecode()
    {
        // Xvfb has no GPU video output; the plain X11 one draws into the embedded window.
        qputenv("LUMORA_MPV_OPTIONS", "vo=x11");
        MpvWidget w(false);
        qunsetenv("LUMORA_MPV_OPTIONS");
        w.resize(160, 120);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QVERIFY(!w.usesRenderApi());
        QVERIFY2(w.isReady(), qPrintable(w.errorText()));
        QTRY_COMPARE(w.observed(QStringLiteral("hwdec")).toString(), QStringLiteral("no"));
        QSignalSpy range(&w, &MpvWidget::sigSetVideoRange);
        w.command(QStringList{QStringLiteral("loadfile"), m_red});
        QTRY_VERIFY_WITH_TIMEOUT(!range.isEmpty(), 10000);
    }

private:
    static bool makeClip(const QString &path, const QString &colour, bool audio)
    {
        QStringList args{QStringLiteral("-y"),
                         QStringLiteral("-loglevel"),
                         QStringLiteral("error"),
                         QStringLiteral("-f"),
                         QStringLiteral("lavfi"),
                         QStringLiteral("-i"),
                         QStringLiteral("color=c=%1:s=64x48:r=25:d=2").arg(colour)};
        if (audio)
            args << QStringLiteral("-f") << QStringLiteral("lavfi") << QStringLiteral("-i")
                 << QStringLiteral("sine=frequency=440:duration=2");
        args << QStringLiteral("-pix_fmt") << QStringLiteral("yuv420p") << QStringLiteral("-shortest")
             << path;
        return QProcess::execute(QStringLiteral("ffmpeg"), args) == 0 && QFile::exists(path);
    }

    // True when the reported position is the same before and after a fifth of a second;
    // `at` receives it.
    static bool standsStill(const MpvWidget &w, double *at)
    {
        const QVariant before = w.observed(QStringLiteral("time-pos"));
        QTest::qWait(200);
        const QVariant after = w.observed(QStringLiteral("time-pos"));
        *at = after.toDouble();
        return before.isValid() && before == after;
    }

    static bool containsValue(const QSignalSpy &spy, float value)
    {
        for (const QList<QVariant> &args : spy) {
            if (args.first().toFloat() == value)
                return true;
        }
        return false;
    }

    static bool isMostly(const QImage &image, Qt::GlobalColor colour)
    {
        if (image.isNull())
            return false;
        const QColor c = image.pixelColor(image.width() / 2, image.height() / 2);
        if (colour == Qt::green)
            return c.green() > 90 && c.red() < 60 && c.blue() < 60;
        return c.red() > 180 && c.green() < 60 && c.blue() < 60;
    }

    QTemporaryDir m_dir;
    QString m_red;
    QString m_green;
};

QTEST_MAIN(TestMpvWidget)
#include "test_mpvwidget.moc"
