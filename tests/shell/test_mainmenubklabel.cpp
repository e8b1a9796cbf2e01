// The main menu panel on its own: sections, entries, closing before a command runs,
// and closing on a press elsewhere.
#include "shell/mainmenubklabel.h"

#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

class TestMainMenuBKLabel : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_host = new QWidget;
        m_host->resize(800, 600);
        m_trigger = new QWidget(m_host);
        m_trigger->setGeometry(0, 0, 60, 40);
        m_other = new QWidget(m_host);
        m_other->setGeometry(0, 500, 300, 80);
        m_menu = new MainMenuBKLabel(m_host);
        m_menu->setTriggerWidget(m_trigger);
        m_menu->move(0, 50);
        m_host->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_host));
        QVERIFY(m_menu->isHidden());
    }

    void cleanup() { delete m_host; }

    void sections()
    {
        const QStringList names = {QStringLiteral("solutionSection"), QStringLiteral("controlSection"),
                                   QStringLiteral("systemSection")};
        const QStringList texts = {QStringLiteral("solution"), QStringLiteral("control"),
                                   QStringLiteral("set system")};
        for (int i = 0; i < names.size(); ++i) {
            auto *header = m_menu->findChild<QLabel *>(names.at(i));
            QVERIFY2(header, qPrintable(names.at(i)));
            QCOMPARE(header->text(), texts.at(i));
        }
    }

    void panelFitsItsEntries()
    {
        m_menu->show();
        for (QPushButton *entry : m_menu->findChildren<QPushButton *>()) {
            QVERIFY(m_menu->rect().contains(entry->geometry()));
            QVERIFY(entry->width() >= entry->sizeHint().width());
        }
    }

    void entryHidesPanelBeforeItsCommand()
    {
        m_menu->show();
        bool visibleDuringCommand = true;
        connect(m_menu, &MainMenuBKLabel::sigOpenDoc, this,
                [&] { visibleDuringCommand = m_menu->isVisible(); });
        QSignalSpy open(m_menu, &MainMenuBKLabel::sigOpenDoc);
        QTest::mouseClick(m_menu->findChild<QPushButton *>(QStringLiteral("openEntry")), Qt::LeftButton);
        QCOMPARE(open.count(), 1);
        QVERIFY(!visibleDuringCommand);
        QVERIFY(m_menu->isHidden());
    }

    void helpOnlyClosesThePanel()
    {
        m_menu->show();
        QList<QSignalSpy *> spies;
        const auto signalMethods = {&MainMenuBKLabel::sigNewDoc,  &MainMenuBKLabel::sigOpenDoc,
                                    &MainMenuBKLabel::sigSaveDoc, &MainMenuBKLabel::sigSaveAsDoc,
                                    &MainMenuBKLabel::sigPlay,    &MainMenuBKLabel::sigPause,
                                    &MainMenuBKLabel::sigStop,    &MainMenuBKLabel::sigSetBoot,
                                    &MainMenuBKLabel::sigSetPlay, &MainMenuBKLabel::sigLanguage};
        for (auto signal : signalMethods)
            spies << new QSignalSpy(m_menu, signal);
        QTest::mouseClick(m_menu->findChild<QPushButton *>(QStringLiteral("helpEntry")), Qt::LeftButton);
        QVERIFY(m_menu->isHidden());
        for (QSignalSpy *spy : qAsConst(spies))
            QCOMPARE(spy->count(), 0);
        qDeleteAll(spies);
    }

    void pressElsewhereCloses()
    {
        m_menu->show();
        QTest::mousePress(m_menu, Qt::LeftButton, Qt::NoModifier, QPoint(2, 2));
        QVERIFY(m_menu->isVisible());
        QTest::mousePress(m_trigger, Qt::LeftButton);
        QVERIFY(m_menu->isVisible());
        QTest::mousePress(m_other, Qt::LeftButton);
        QVERIFY(m_menu->isHidden());
    }

    void escapeCloses()
    {
        m_menu->show();
        QTest::keyClick(m_host, Qt::Key_Escape);
        QVERIFY(m_menu->isHidden());
    }

private:
    QWidget *m_host = nullptr;
    QWidget *m_trigger = nullptr;
    QWidget *m_other = nullptr;
    MainMenuBKLabel *m_menu = nullptr;
};

QTEST_MAIN(TestMainMenuBKLabel)
#include "test_mainmenubklabel.moc"
