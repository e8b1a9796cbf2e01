#include "appcore/myglobalshortcut.h"

#include <QApplication>
#include <QProcess>
#include <QSignalSpy>
#include <QWidget>
#include <QtTest>

class TestGlobalShortCut : public QObject
{
    Q_OBJECT

private slots:
    void keyTable_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<uint>("virtualKey");
        QTest::newRow("A") << int(Qt::Key_A) << 0x41u;
        QTest::newRow("Q") << int(Qt::Key_Q) << 0x51u;
        QTest::newRow("Z") << int(Qt::Key_Z) << 0x5Au;
        QTest::newRow("0") << int(Qt::Key_0) << 0x30u;
        QTest::newRow("9") << int(Qt::Key_9) << 0x39u;
        QTest::newRow("Escape") << int(Qt::Key_Escape) << 0x1Bu;
        QTest::newRow("Tab") << int(Qt::Key_Tab) << 0x09u;
        QTest::newRow("Backspace") << int(Qt::Key_Backspace) << 0x08u;
        QTest::newRow("Return") << int(Qt::Key_Return) << 0x0Du;
        QTest::newRow("Enter") << int(Qt::Key_Enter) << 0x0Du;
        QTest::newRow("Insert") << int(Qt::Key_Insert) << 0x2Du;
        QTest::newRow("Delete") << int(Qt::Key_Delete) << 0x2Eu;
        QTest::newRow("Pause") << int(Qt::Key_Pause) << 0x13u;
        QTest::newRow("Print") << int(Qt::Key_Print) << 0x2Au;
        QTest::newRow("Clear") << int(Qt::Key_Clear) << 0x0Cu;
        QTest::newRow("Home") << int(Qt::Key_Home) << 0x24u;
        QTest::newRow("End") << int(Qt::Key_End) << 0x23u;
        QTest::newRow("Left") << int(Qt::Key_Left) << 0x25u;
        QTest::newRow("Up") << int(Qt::Key_Up) << 0x26u;
        QTest::newRow("Right") << int(Qt::Key_Right) << 0x27u;
        QTest::newRow("Down") << int(Qt::Key_Down) << 0x28u;
        QTest::newRow("PageUp") << int(Qt::Key_PageUp) << 0x21u;
        QTest::newRow("PageDown") << int(Qt::Key_PageDown) << 0x22u;
        QTest::newRow("F1") << int(Qt::Key_F1) << 0x70u;
        QTest::newRow("F12") << int(Qt::Key_F12) << 0x7Bu;
        QTest::newRow("F24") << int(Qt::Key_F24) << 0x87u;
        QTest::newRow("unmapped") << int(Qt::Key_Launch0) << 0u;
    }

    void keyTable()
    {
        QFETCH(int, key);
        QFETCH(uint, virtualKey);
        QCOMPARE(MyGlobalShortCut::nativeKeycode(Qt::Key(key)), virtualKey);
    }

    void modifierTable()
    {
        QCOMPARE(MyGlobalShortCut::nativeModifiers(Qt::NoModifier), 0u);
        QCOMPARE(MyGlobalShortCut::nativeModifiers(Qt::AltModifier), 1u);
        QCOMPARE(MyGlobalShortCut::nativeModifiers(Qt::ControlModifier), 2u);
        QCOMPARE(MyGlobalShortCut::nativeModifiers(Qt::ShiftModifier), 4u);
        QCOMPARE(MyGlobalShortCut::nativeModifiers(Qt::MetaModifier), 8u);
        QCOMPARE(MyGlobalShortCut::nativeModifiers(Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier), 7u);
        QCOMPARE(MyGlobalShortCut::identifier(0x51, 2), 0x53u);
    }

    void splitsTheKeySequence()
    {
        MyGlobalShortCut shortcut(QStringLiteral("Ctrl+Q"));
        QCOMPARE(shortcut.key(), Qt::Key_Q);
        QCOMPARE(shortcut.modifiers(), Qt::KeyboardModifiers(Qt::ControlModifier));
        QVERIFY(shortcut.isRegistered());
    }

    void otherMessagesPass()
    {
        MyGlobalShortCut shortcut(QStringLiteral("Ctrl+Q"));
        QSignalSpy spy(&shortcut, &MyGlobalShortCut::activated);
        QVERIFY(!shortcut.handleHotKey(0x51, 4)); // Shift+Q is not ours
        QVERIFY(!shortcut.handleHotKey(0x52, 2));
        QVERIFY(shortcut.handleHotKey(0x51, 2));
        QCOMPARE(spy.count(), 1);
    }

    void firesWhileAnotherWindowHasFocus()
    {
        MyGlobalShortCut shortcut(QStringLiteral("Ctrl+Q"));
        QVERIFY(shortcut.isRegistered());
        QSignalSpy spy(&shortcut, &MyGlobalShortCut::activated);

        // Another client's window holds the focus; the key reaches it unless grabbed.
        QProcess other;
        other.start(QStringLiteral("xdotool"), {QStringLiteral("key"), QStringLiteral("--clearmodifiers"),
                                                QStringLiteral("ctrl+q")});
        QVERIFY(other.waitForFinished(20000));
        QCOMPARE(other.exitCode(), 0);
        QTRY_COMPARE_WITH_TIMEOUT(spy.count(), 1, 10000);

        // Plain Q and Ctrl+W do not fire. Keys arrive in the order they were typed, so once a
        // Ctrl+Q typed after them has fired, they had their chance.
        QProcess::execute(QStringLiteral("xdotool"), {QStringLiteral("key"), QStringLiteral("q")});
        QProcess::execute(QStringLiteral("xdotool"), {QStringLiteral("key"), QStringLiteral("ctrl+w")});
        QProcess::execute(QStringLiteral("xdotool"), {QStringLiteral("key"), QStringLiteral("ctrl+q")});
        QTRY_VERIFY_WITH_TIMEOUT(spy.count() >= 2, 10000);
        QCOMPARE(spy.count(), 2);
    }

    void ignoresNumLock()
    {
        MyGlobalShortCut shortcut(QStringLiteral("Ctrl+Q"));
        QSignalSpy spy(&shortcut, &MyGlobalShortCut::activated);
        QProcess::execute(QStringLiteral("xdotool"), {QStringLiteral("key"), QStringLiteral("Num_Lock")});
        QProcess::execute(QStringLiteral("xdotool"), {QStringLiteral("key"), QStringLiteral("ctrl+q")});
        QProcess::execute(QStringLiteral("xdotool"), {QStringLiteral("key"), QStringLiteral("Num_Lock")});
        QTRY_COMPARE_WITH_TIMEOUT(spy.count(), 1, 10000);
    }

    void releasedOnDestruction()
    {
        {
            MyGlobalShortCut first(QStringLiteral("Ctrl+Q"));
            QVERIFY(first.isRegistered());
        }
        MyGlobalShortCut second(QStringLiteral("Ctrl+Q"));
        QSignalSpy spy(&second, &MyGlobalShortCut::activated);
        QVERIFY(second.isRegistered());
        QProcess::execute(QStringLiteral("xdotool"), {QStringLiteral("key"), QStringLiteral("ctrl+q")});
        QTRY_COMPARE_WITH_TIMEOUT(spy.count(), 1, 10000);
    }
};

QTEST_MAIN(TestGlobalShortCut)
#include "test_globalshortcut.moc"
