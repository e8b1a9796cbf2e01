// The top-bar button: a press and release on it is one command, its caption and picture
// can be swapped, and its width follows its caption.
#include "shell/menubutton.h"

#include <QSignalSpy>
#include <QtTest>

class TestMenuButton : public QObject
{
    Q_OBJECT

private slots:
    void clickEmitsOnce()
    {
        menuButton button(QStringLiteral(":/images/top_play.png"), QStringLiteral("play"));
        button.show();
        QVERIFY(QTest::qWaitForWindowExposed(&button));
        QSignalSpy pressed(&button, &menuButton::sigBtnPressed);
        QTest::mouseClick(&button, Qt::LeftButton);
        QCOMPARE(pressed.count(), 1);
        QTest::mouseClick(&button, Qt::RightButton);
        QCOMPARE(pressed.count(), 1);
    }

    void releaseOutsideCancels()
    {
        menuButton button(QStringLiteral(":/images/top_stop.png"), QStringLiteral("stop"));
        button.show();
        QVERIFY(QTest::qWaitForWindowExposed(&button));
        QSignalSpy pressed(&button, &menuButton::sigBtnPressed);
        QTest::mousePress(&button, Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
        QTest::mouseRelease(&button, Qt::LeftButton, Qt::NoModifier, QPoint(button.width() + 40, 10));
        QCOMPARE(pressed.count(), 0);
        // A release without a press on the button is no command either.
        QTest::mouseRelease(&button, Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
        QCOMPARE(pressed.count(), 0);
    }

    void captionAndPictureSwap()
    {
        menuButton button(QStringLiteral(":/images/top_play.png"), QStringLiteral("play"));
        QVERIFY(!button.picture().isNull());
        button.setText(QStringLiteral("pause"));
        button.setPicture(QStringLiteral(":/images/top_pause.png"));
        QCOMPARE(button.text(), QStringLiteral("pause"));
        QCOMPARE(button.picturePath(), QStringLiteral(":/images/top_pause.png"));
        QVERIFY(!button.picture().isNull());
        // A missing picture leaves an empty picture, never a crash.
        button.setPicture(QStringLiteral(":/images/no_such_picture.png"));
        QVERIFY(button.picture().isNull());
        button.show();
        QVERIFY(QTest::qWaitForWindowExposed(&button));
    }

    void widthFollowsCaption()
    {
        menuButton button(QStringLiteral(":/images/main_back.png"), QStringLiteral("bg"));
        const QSize shortSize = button.sizeHint();
        button.setText(QStringLiteral("a caption far longer than any of the usual ones"));
        QVERIFY(button.sizeHint().width() > shortSize.width() + 100);
        QCOMPARE(button.sizeHint().height(), shortSize.height());
    }
};

QTEST_MAIN(TestMenuButton)
#include "test_menubutton.moc"
