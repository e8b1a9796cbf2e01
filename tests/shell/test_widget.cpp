// The main window frame: window properties, the top bar and main menu wiring, collapsing,
// maximizing, retranslation and the orderly-close record.
#include "appcore/settings.h"
#include "model/playwinobject.h"
#include "shell/displaywindowset.h"
#include "shell/mainmenubklabel.h"
#include "shell/menubutton.h"
#include "shell/widget.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QTemporaryDir>
#include <QTranslator>
#include <QVBoxLayout>
#include <QtTest>

namespace {

// The main window's side of the commands that later parts of the program fill: it only
// records which command ran and whether the menu panel was still open at that moment.
class RecordingWidget : public Widget
{
public:
    QStringList calls;
    bool menuOpenDuringCall = false;
    int saveOffers = 0;

    // The operator declines to save whenever asked.
    bool askSaveCurrent() override
    {
        ++saveOffers;
        return false;
    }

    void slotNewDoc() override { record("slotNewDoc"); }
    void slotOpenDoc() override { record("slotOpenDoc"); }
    void slotSaveDoc() override { record("slotSaveDoc"); }
    void slotSaveAsDoc() override { record("slotSaveAsDoc"); }
    void slotMenuPlay() override { record("slotMenuPlay"); }
    void slotMenuPause() override { record("slotMenuPause"); }
    void slotMenuStop() override { record("slotMenuStop"); }
    void slotOverallPlay() override { record("slotOverallPlay"); }
    void slotOverallStop() override { record("slotOverallStop"); }
    void slotOverallLock() override { record("slotOverallLock"); }
    void slotMonitor() override { record("slotMonitor"); }
    void slotBackstage() override { record("slotBackstage"); }
    void slotWinHide() override { record("slotWinHide"); }
    void slotSetBoot() override { record("slotSetBoot"); }
    void slotSetPlay() override { record("slotSetPlay"); }
    void slotSetupLanguage() override { record("slotSetupLanguage"); }

private:
    void record(const char *slot)
    {
        calls << QLatin1String(slot);
        menuOpenDuringCall = mainMenu()->isVisible();
    }
};

// Marks every text it translates, so a text that is not re-applied stands out.
class MarkingTranslator : public QTranslator
{
public:
    bool isEmpty() const override { return false; }
    QString translate(const char *, const char *sourceText, const char *, int) const override
    {
        return QStringLiteral("<%1>").arg(QString::fromUtf8(sourceText));
    }
};

QRect primaryArea()
{
    return QGuiApplication::primaryScreen()->availableGeometry();
}

} // namespace

class TestWidget : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        setApplicationDirectory(m_dir.path());
    }

    void init()
    {
        QFile::remove(settingsFilePath());
        appSettings() = AppSettings();
        m_widget = new RecordingWidget;
        m_widget->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_widget));
    }

    void cleanup()
    {
        delete m_widget;
        m_widget = nullptr;
    }

    void windowProperties()
    {
        const Qt::WindowFlags flags = m_widget->windowFlags();
        QVERIFY(flags & Qt::FramelessWindowHint);
        QVERIFY(flags & Qt::WindowStaysOnTopHint);
        QVERIFY(m_widget->testAttribute(Qt::WA_TranslucentBackground));
        QCOMPARE(m_widget->windowTitle(), QStringLiteral("Untitled - Lumora"));
        QCOMPARE(m_widget->minimumSize(), QSize(1024, 715));
        QCOMPARE(m_widget->size(), QSize(1024, 715));
    }

    void centredOnPrimaryScreen()
    {
        const QPoint offset = m_widget->geometry().center() - primaryArea().center();
        QVERIFY2(offset.manhattanLength() <= 2,
                 qPrintable(QStringLiteral("off by %1,%2").arg(offset.x()).arg(offset.y())));
    }

    void topBarEntry_data()
    {
        QTest::addColumn<QString>("objectName");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("picture");
        QTest::addColumn<QString>("slot");
        QTest::newRow("monitor") << "monitorButton"
                                 << "monitor"
                                 << ":/images/main_video.png"
                                 << "slotMonitor";
        QTest::newRow("background") << "backstageButton"
                                    << "background"
                                    << ":/images/main_back.png"
                                    << "slotBackstage";
        QTest::newRow("winlock") << "lockButton"
                                 << "winlock"
                                 << ":/images/main_lock.png"
                                 << "slotOverallLock";
        QTest::newRow("winhide") << "hideButton"
                                 << "winhide"
                                 << ":/images/main_hide.png"
                                 << "slotWinHide";
        QTest::newRow("play") << "playButton"
                              << "play"
                              << ":/images/top_play.png"
                              << "slotOverallPlay";
        QTest::newRow("stop") << "stopButton"
                              << "stop"
                              << ":/images/top_stop.png"
                              << "slotOverallStop";
    }

    void topBarEntry()
    {
        QFETCH(QString, objectName);
        QFETCH(QString, text);
        QFETCH(QString, picture);
        QFETCH(QString, slot);
        auto *button = m_widget->findChild<menuButton *>(objectName);
        QVERIFY(button);
        QVERIFY(button->isVisible());
        QCOMPARE(button->text(), text);
        QCOMPARE(button->picturePath(), picture);
        QVERIFY(!button->picture().isNull());
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(m_widget->calls, QStringList{slot});
    }

    void menuButtonOpensAndClosesTheMainMenu()
    {
        auto *button = m_widget->findChild<menuButton *>(QStringLiteral("menuButton"));
        QVERIFY(button);
        QCOMPARE(button->text(), QStringLiteral("menu"));
        QCOMPARE(button->picturePath(), QStringLiteral(":/images/main_menu.png"));
        MainMenuBKLabel *menu = m_widget->mainMenu();
        QVERIFY(menu->isHidden());

        QTest::mouseClick(button, Qt::LeftButton);
        QVERIFY(menu->isVisible());
        // Below the top bar, within the window, above the work area.
        const QRect panel = menu->geometry();
        QVERIFY(panel.top() >= m_widget->barsHeight() - 2);
        QVERIFY(m_widget->rect().contains(panel));
        QWidget *atCentre = m_widget->childAt(panel.center());
        QVERIFY(atCentre == menu || menu->isAncestorOf(atCentre));

        QTest::mouseClick(button, Qt::LeftButton);
        QVERIFY(menu->isHidden());
        QVERIFY(m_widget->calls.isEmpty());
    }

    void mainMenuEntry_data()
    {
        QTest::addColumn<QString>("objectName");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("picture");
        QTest::addColumn<QString>("slot");
        QTest::newRow("New") << "newEntry"
                             << "New"
                             << ":/images/main_doc.png"
                             << "slotNewDoc";
        QTest::newRow("Open") << "openEntry"
                              << "Open"
                              << ":/images/OpenSolution.png"
                              << "slotOpenDoc";
        QTest::newRow("Save") << "saveEntry"
                              << "Save"
                              << ":/images/SaveSolution.png"
                              << "slotSaveDoc";
        QTest::newRow("SaveAs") << "saveAsEntry"
                                << "SaveAs"
                                << ":/images/SaveSolution.png"
                                << "slotSaveAsDoc";
        QTest::newRow("play") << "playEntry"
                              << "play"
                              << ":/images/top_play.png"
                              << "slotMenuPlay";
        QTest::newRow("pause") << "pauseEntry"
                               << "pause"
                               << ":/images/top_pause.png"
                               << "slotMenuPause";
        QTest::newRow("stop") << "stopEntry"
                              << "stop"
                              << ":/images/top_stop.png"
                              << "slotMenuStop";
        QTest::newRow("SetBoot") << "setBootEntry"
                                 << "SetBoot"
                                 << ":/images/sys_setting.png"
                                 << "slotSetBoot";
        QTest::newRow("SetPlay") << "setPlayEntry"
                                 << "SetPlay"
                                 << ":/images/notepad.png"
                                 << "slotSetPlay";
        QTest::newRow("language") << "languageEntry"
                                  << "language"
                                  << ":/images/language.png"
                                  << "slotSetupLanguage";
        QTest::newRow("help") << "helpEntry"
                              << "help"
                              << ":/images/help.png"
                              << "";
    }

    void mainMenuEntry()
    {
        QFETCH(QString, objectName);
        QFETCH(QString, text);
        QFETCH(QString, picture);
        QFETCH(QString, slot);
        m_widget->slotShowMainMenu();
        auto *entry = m_widget->mainMenu()->findChild<QPushButton *>(objectName);
        QVERIFY(entry);
        QVERIFY(entry->isVisible());
        QCOMPARE(entry->text(), text);
        QCOMPARE(entry->property("picturePath").toString(), picture);
        QVERIFY(!entry->icon().isNull());

        QTest::mouseClick(entry, Qt::LeftButton);
        QCOMPARE(m_widget->calls, slot.isEmpty() ? QStringList() : QStringList{slot});
        QVERIFY(!m_widget->menuOpenDuringCall);
        QVERIFY(m_widget->mainMenu()->isHidden());
    }

    void winupCollapsesAndRestores()
    {
        auto *button = m_widget->findChild<menuButton *>(QStringLiteral("winupButton"));
        QVERIFY(button);
        QCOMPARE(button->text(), QStringLiteral("win-up"));
        QCOMPARE(button->picturePath(), QStringLiteral(":/images/main_extend.png"));
        const QPoint position = m_widget->pos();

        QTest::mouseClick(button, Qt::LeftButton);
        QVERIFY(m_widget->isWorkAreaCollapsed());
        QVERIFY(!m_widget->workArea()->isVisible());
        QCOMPARE(button->text(), QStringLiteral("win-show"));
        QCOMPARE(m_widget->size(), QSize(1024, m_widget->barsHeight()));
        QCOMPARE(m_widget->minimumSize(), m_widget->maximumSize());
        QCOMPARE(m_widget->pos(), position);
        // Both bars are still whole: the window ends right under the top bar.
        QVERIFY(button->mapTo(m_widget, QPoint(0, button->height())).y() <= m_widget->height());

        QTest::mouseClick(button, Qt::LeftButton);
        QVERIFY(!m_widget->isWorkAreaCollapsed());
        QVERIFY(m_widget->workArea()->isVisible());
        QCOMPARE(button->text(), QStringLiteral("win-up"));
        QCOMPARE(m_widget->size(), QSize(1024, 715));
        QCOMPARE(m_widget->minimumSize(), QSize(1024, 715));
        QCOMPARE(m_widget->pos(), position);
    }

    void maximizeAndRestore()
    {
        auto *maximize = m_widget->findChild<QPushButton *>(QStringLiteral("maximization"));
        auto *restore = m_widget->findChild<QPushButton *>(QStringLiteral("restore"));
        QVERIFY(maximize && restore);
        const QRect normal = m_widget->geometry();

        QTest::mouseClick(maximize, Qt::LeftButton);
        QVERIFY(m_widget->isShownMaximized());
        QTRY_COMPARE(m_widget->geometry(), primaryArea());
        QVERIFY(restore->isVisible() && !maximize->isVisible());

        // Collapsed while maximized: as wide as the screen, as high as the bars.
        m_widget->slotWinup();
        QTRY_COMPARE(m_widget->size(), QSize(primaryArea().width(), m_widget->barsHeight()));
        m_widget->slotWinup();
        QTRY_COMPARE(m_widget->geometry(), primaryArea());

        QTest::mouseClick(restore, Qt::LeftButton);
        QVERIFY(!m_widget->isShownMaximized());
        QTRY_COMPARE(m_widget->geometry(), normal);
        QVERIFY(maximize->isVisible() && !restore->isVisible());
    }

    void minimizationButtonMinimizes()
    {
        auto *minimize = m_widget->findChild<QPushButton *>(QStringLiteral("minimization"));
        QVERIFY(minimize);
        QTest::mouseClick(minimize, Qt::LeftButton);
        QVERIFY(m_widget->isMinimized());
        m_widget->slotRaiseWindow();
        QVERIFY(!m_widget->isMinimized());
        QVERIFY(m_widget->isVisible());
    }

    void closeButtonClosesAndRecordsAnOrderlyEnd()
    {
        auto *close = m_widget->findChild<QPushButton *>(QStringLiteral("close"));
        QVERIFY(close);
        QVERIFY(!QFile::exists(settingsFilePath()));
        // Saving is offered only for a scheme with changes.
        m_widget->displays()->current()->width += 1;
        QTest::mouseClick(close, Qt::LeftButton);
        QCOMPARE(m_widget->saveOffers, 1);
        QVERIFY(!m_widget->isVisible());
        QCOMPARE(appSettings().closeType, QStringLiteral("normal"));
        QSettings ini(settingsFilePath(), QSettings::IniFormat);
        QCOMPARE(ini.value(QStringLiteral("CloseType")).toString(), QStringLiteral("normal"));
    }

    void closeEventKeepsOtherSettings()
    {
        {
            QSettings ini(settingsFilePath(), QSettings::IniFormat);
            ini.setValue(QStringLiteral("Language"), 1);
            ini.setValue(QStringLiteral("SchemePath"), QStringLiteral("/srv/lobby.schx"));
        }
        QVERIFY(m_widget->close());
        QSettings ini(settingsFilePath(), QSettings::IniFormat);
        QCOMPARE(ini.value(QStringLiteral("CloseType")).toString(), QStringLiteral("normal"));
        QCOMPARE(ini.value(QStringLiteral("Language")).toInt(), 1);
        QCOMPARE(ini.value(QStringLiteral("SchemePath")).toString(), QStringLiteral("/srv/lobby.schx"));
    }

    void trUpdateReappliesEveryText()
    {
        MarkingTranslator translator;
        QCoreApplication::installTranslator(&translator);
        m_widget->trUpdate();
        QCoreApplication::removeTranslator(&translator);

        const QHash<QString, QString> topBar = {
            {QStringLiteral("menuButton"), QStringLiteral("<menu>")},
            {QStringLiteral("monitorButton"), QStringLiteral("<monitor>")},
            {QStringLiteral("backstageButton"), QStringLiteral("<background>")},
            {QStringLiteral("winupButton"), QStringLiteral("<win-up>")},
            {QStringLiteral("lockButton"), QStringLiteral("<winlock>")},
            {QStringLiteral("hideButton"), QStringLiteral("<winhide>")},
            {QStringLiteral("playButton"), QStringLiteral("<play>")},
            {QStringLiteral("stopButton"), QStringLiteral("<stop>")}};
        for (auto it = topBar.cbegin(); it != topBar.cend(); ++it)
            QCOMPARE(m_widget->findChild<menuButton *>(it.key())->text(), it.value());

        for (QPushButton *entry : m_widget->mainMenu()->findChildren<QPushButton *>())
            QVERIFY2(entry->text().startsWith(QLatin1Char('<')), qPrintable(entry->text()));
        for (QLabel *header : m_widget->mainMenu()->findChildren<QLabel *>())
            QVERIFY2(header->text().startsWith(QLatin1Char('<')), qPrintable(header->text()));
        QCOMPARE(m_widget->findChild<QPushButton *>(QStringLiteral("close"))->toolTip(),
                 QStringLiteral("<close>"));
    }

    void trUpdateFollowsState()
    {
        // The recording window keeps the commands to itself; the real ones set the state.
        PlayWinObject *display = m_widget->displays()->current();
        QVERIFY(display);
        display->backstage = true;
        m_widget->Widget::slotOverallLock();
        m_widget->Widget::slotWinHide();
        m_widget->slotWinup();
        m_widget->setPlayButtonPlaying(true);

        MarkingTranslator translator;
        QCoreApplication::installTranslator(&translator);
        m_widget->trUpdate();
        const auto text = [this](const char *name) {
            return m_widget->findChild<menuButton *>(QLatin1String(name))->text();
        };
        QCOMPARE(text("backstageButton"), QStringLiteral("<frontground>"));
        QCOMPARE(text("winupButton"), QStringLiteral("<win-show>"));
        QCOMPARE(text("lockButton"), QStringLiteral("<winunlock>"));
        QCOMPARE(text("hideButton"), QStringLiteral("<winshow>"));
        QCOMPARE(text("playButton"), QStringLiteral("<pause>"));
        QCOMPARE(m_widget->findChild<menuButton *>(QStringLiteral("playButton"))->picturePath(),
                 QStringLiteral(":/images/top_pause.png"));

        display->backstage = false;
        m_widget->Widget::slotOverallLock();
        m_widget->Widget::slotWinHide();
        m_widget->slotWinup();
        m_widget->trUpdate();
        QCoreApplication::removeTranslator(&translator);
        QCOMPARE(text("backstageButton"), QStringLiteral("<background>"));
        QCOMPARE(text("winupButton"), QStringLiteral("<win-up>"));
        QCOMPARE(text("lockButton"), QStringLiteral("<winlock>"));
        QCOMPARE(text("hideButton"), QStringLiteral("<winhide>"));
    }

    void stoppedPlayButtonNeverReadsPause()
    {
        // Nothing plays and nothing is paused: retranslating must not turn "play" into "pause".
        QVERIFY(!m_widget->isOverallPaused());
        m_widget->trUpdate();
        auto *play = m_widget->findChild<menuButton *>(QStringLiteral("playButton"));
        QCOMPARE(play->text(), QStringLiteral("play"));
        m_widget->setPlayButtonPlaying(true);
        m_widget->setPlayButtonPlaying(false);
        m_widget->trUpdate();
        QCOMPARE(play->text(), QStringLiteral("play"));
    }

    void workAreaContainersAreInPlace()
    {
        QVERIFY(m_widget->selectorLayout());
        QVERIFY(m_widget->treeLayout());
        QVERIFY(m_widget->propertyLayout());
        QWidget *area = m_widget->workArea();
        QVERIFY(area->isAncestorOf(m_widget->selectorLayout()->parentWidget()));
        QVERIFY(area->isAncestorOf(m_widget->treeLayout()->parentWidget()));
        QVERIFY(area->isAncestorOf(m_widget->propertyLayout()->parentWidget()));
        // Selector row on top, tree column left of the property area.
        const QRect selector = m_widget->selectorLayout()->parentWidget()->geometry();
        const QRect tree = m_widget->treeLayout()->parentWidget()->geometry();
        const QRect property = m_widget->propertyLayout()->parentWidget()->geometry();
        QVERIFY(selector.bottom() < tree.top());
        QVERIFY(tree.right() < property.left());
        QVERIFY(property.width() > tree.width());
    }

private:
    QTemporaryDir m_dir;
    RecordingWidget *m_widget = nullptr;
};

QTEST_MAIN(TestWidget)
#include "test_widget.moc"
