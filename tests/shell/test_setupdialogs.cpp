// The start-up and language dialogs run from the real main window: what each choice writes to
// the settings file and the desktop session's auto-start entry, what a cancel leaves, what the
// operator is told when nothing can be written, and a language switch that re-applies every
// text of every window without a restart.
#include "appcore/settings.h"
#include "appcore/translations.h"
#include "buildpaths.h"
#include "editor/projecttree.h"
#include "editor/projecttreeitem.h"
#include "model/commonwinobject.h"
#include "model/generalobject.h"
#include "model/lumoramediaobject.h"
#include "model/programobject.h"
#include "panels/mediapanel.h"
#include "panels/windowpanel.h"
#include "installedlayout.h"
#include "modalwatcher.h"
#include "model/schemewriter.h"
#include "picturescheme.h"
#include "player/segmentscheduler.h"
#include "shell/bootsetupwin.h"
#include "shell/languagesetupwin.h"
#include "shell/mainmenubklabel.h"
#include "shell/menubutton.h"
#include "shell/shellstyle.h"
#include "shell/weathersetupwin.h"
#include "render/weatherwindow.h"
#include "weathercore/weatherservice.h"
#include "../render/tinyhttpserver.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QSignalSpy>
#include <QUrlQuery>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QtTest>

namespace {

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Read by hand: QSettings caches a file it has seen within the same second.
QMap<QString, QString> iniValues(const QString &path)
{
    QMap<QString, QString> values;
    for (const QByteArray &line : fileBytes(path).split('\n')) {
        const int eq = line.indexOf('=');
        if (eq > 0)
            values.insert(QString::fromUtf8(line.left(eq)), QString::fromUtf8(line.mid(eq + 1)));
    }
    return values;
}

QString keyPath(QWidget *widget, QWidget *top)
{
    QStringList parts;
    for (QWidget *w = widget; w; w = w->parentWidget()) {
        int index = 0;
        if (QWidget *parent = w->parentWidget()) {
            for (QObject *sibling : parent->children()) {
                if (sibling == w)
                    break;
                if (sibling->metaObject() == w->metaObject())
                    ++index;
            }
        }
        parts.prepend(QStringLiteral("%1#%2[%3]")
                          .arg(QLatin1String(w->metaObject()->className()), w->objectName())
                          .arg(index));
        if (w == top)
            break;
    }
    return parts.join(QLatin1Char('/'));
}

// Every text the operator can be shown by a widget of `top`, keyed by where it sits: captions,
// titles, tool tips, tree items and menu entries, shown or not (menus and dialogs open later).
void collectTexts(QWidget *top, QMap<QString, QString> &texts)
{
    QList<QWidget *> widgets = top->findChildren<QWidget *>();
    widgets.prepend(top);
    for (QWidget *w : qAsConst(widgets)) {
        const QString key = keyPath(w, top);
        auto put = [&](const QString &what, const QString &text) {
            if (!text.isEmpty())
                texts.insert(key + QLatin1Char(':') + what, text);
        };
        if (w->isWindow())
            put(QStringLiteral("title"), w->windowTitle());
        put(QStringLiteral("tip"), w->toolTip());
        if (auto *label = qobject_cast<QLabel *>(w))
            put(QStringLiteral("text"), label->text());
        if (auto *button = qobject_cast<QAbstractButton *>(w))
            put(QStringLiteral("text"), button->text());
        if (auto *button = qobject_cast<menuButton *>(w))
            put(QStringLiteral("text"), button->text());
        if (auto *group = qobject_cast<QGroupBox *>(w))
            put(QStringLiteral("text"), group->title());
        if (auto *edit = qobject_cast<QLineEdit *>(w))
            put(QStringLiteral("hint"), edit->placeholderText());
        if (auto *tree = qobject_cast<QTreeWidget *>(w)) {
            for (QTreeWidgetItemIterator it(tree); *it; ++it) {
                put(QStringLiteral("item ") + (*it)->text(0), (*it)->text(0));
                put(QStringLiteral("item tip ") + (*it)->text(0), (*it)->toolTip(0));
            }
        }
        const QList<QAction *> actions =
            w->findChildren<QAction *>(QString(), Qt::FindDirectChildrenOnly) + w->actions();
        for (int i = 0; i < actions.size(); ++i)
            put(QStringLiteral("action%1").arg(i), actions.at(i)->text());
    }
}

// The texts of every top-level window of the program.
QMap<QString, QString> allTexts()
{
    QMap<QString, QString> texts;
    QList<QWidget *> tops;
    for (QWidget *top : QApplication::topLevelWidgets()) {
        // Dialogs and menus owned by a window are walked with it.
        if (!top->parentWidget() && top->isVisible())
            tops << top;
    }
    std::sort(tops.begin(), tops.end(), [](QWidget *a, QWidget *b) {
        return std::make_pair(QString::fromLatin1(a->metaObject()->className()), a->windowTitle()) <
               std::make_pair(QString::fromLatin1(b->metaObject()->className()), b->windowTitle());
    });
    for (int i = 0; i < tops.size(); ++i) {
        QMap<QString, QString> one;
        collectTexts(tops.at(i), one);
        for (auto it = one.cbegin(); it != one.cend(); ++it)
            texts.insert(QString::number(i) + QLatin1Char('/') + it.key(), it.value());
    }
    return texts;
}

QString differences(const QMap<QString, QString> &got, const QMap<QString, QString> &want)
{
    QStringList lines;
    QStringList keys = got.keys() + want.keys();
    keys.removeDuplicates();
    for (const QString &key : qAsConst(keys)) {
        if (got.value(key) != want.value(key))
            lines << QStringLiteral("%1: got \"%2\", want \"%3\"").arg(key, got.value(key), want.value(key));
    }
    return lines.mid(0, 20).join(QLatin1Char('\n'));
}

bool hasChinese(const QString &text)
{
    for (const QChar c : text) {
        if (c.unicode() >= 0x4e00 && c.unicode() <= 0x9fff)
            return true;
    }
    return false;
}

} // namespace

class TestSetupDialogs : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(m_config.isValid());
        applyApplicationStyle();
    }

    void init()
    {
        m_dir.reset(new QTemporaryDir);
        QVERIFY(m_dir->isValid());
        setApplicationDirectory(m_dir->path());
        qputenv("XDG_CONFIG_HOME", m_config.path().toLocal8Bit());
        QFile::remove(m_config.filePath(QStringLiteral("autostart/LUMORAPLAYER.desktop")));
        appSettings() = AppSettings();
        installTranslations(0);
        m_widget.reset(new ScriptedWidget);
        m_widget->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_widget.data()));
    }

    void cleanup()
    {
        m_widget.reset();
        installTranslations(-1);
        WeatherService::current().setConfig(WeatherConfig::fromSettingsFile(settingsFilePath()));
    }

    // The weather service is chosen in the program: "Test" says whether it answers, and a
    // weather item added to the new scheme shows that service's values, with no settings file
    // edited by hand. One that cannot be reached is named under the weather panel.
    void aWeatherServiceChosenInTheProgramServesANewItem()
    {
        TinyHttpServer server([](const QUrl &target) {
            TinyHttpServer::Reply reply;
            const QString city = QUrlQuery(target).queryItemValue(QStringLiteral("location"), QUrl::FullyDecoded);
            reply.body = QStringLiteral("{\"error\":0,\"status\":\"success\",\"date\":\"2026-03-02\",\"results\":"
                                        "[{\"currentCity\":\"%1\",\"weather_data\":[{\"date\":\"周一 03月02日 "
                                        "(实时：21℃)\",\"dayPictureUrl\":\"\",\"weather\":\"晴\",\"wind\":\"微风\","
                                        "\"temperature\":\"25 ~ 15℃\"},{\"date\":\"周二\",\"dayPictureUrl\":\"\","
                                        "\"weather\":\"晴\",\"wind\":\"微风\",\"temperature\":\"26 ~ 16℃\"},"
                                        "{\"date\":\"周三\",\"dayPictureUrl\":\"\",\"weather\":\"阴\",\"wind\":"
                                        "\"东风\",\"temperature\":\"20 ~ 12℃\"},{\"date\":\"周四\",\"dayPictureUrl\":"
                                        "\"\",\"weather\":\"小雨\",\"wind\":\"北风\",\"temperature\":\"18 ~ 10℃\"}]}]}")
                             .arg(city)
                             .toUtf8();
            return reply;
        });
        QVERIFY(!WeatherService::current().isConfigured()); // the suite's machine asks no public service
        ModalWatcher watcher;
        bool answered = false;
        watcher.dialogHandlers << [&](QWidget *modal) {
            auto *dialog = qobject_cast<WeatherSetupWin *>(modal);
            QVERIFY(dialog);
            QVERIFY(dialog->noneButton()->isChecked());
            QVERIFY(!dialog->addressEdit()->isEnabled());
            dialog->serviceButton()->click();
            QVERIFY(dialog->addressEdit()->isEnabled());
            dialog->addressEdit()->setText(server.base());
            QSignalSpy tested(dialog, &WeatherSetupWin::testFinished);
            dialog->testButton()->click();
            QVERIFY(tested.wait(15000));
            answered = tested.first().first().toBool();
            QCOMPARE(dialog->testResult()->text(),
                     QCoreApplication::translate("WeatherSetupWin", "The service answers."));
            dialog->okButton()->click();
        };
        m_widget->slotSetupWeather();
        QVERIFY(watcher.answered());
        QVERIFY(answered);
        QCOMPARE(iniValues(settingsFilePath()).value(QStringLiteral("WeatherProvider")), QStringLiteral("telematics"));
        QCOMPARE(iniValues(settingsFilePath()).value(QStringLiteral("WeatherHost")), server.base());

        // The province and city lists are installed beside the program.
        for (const char *name : {"province.txt", "city.txt"})
            QVERIFY(QFile::copy(BuildPaths::path("LUMORA_SOURCE_DIR") +
                                    QStringLiteral("/resources/weather/") + QLatin1String(name),
                                m_dir->filePath(QLatin1String(name))));
        m_widget.reset(new ScriptedWidget);
        m_widget->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_widget.data()));
        ProjectTree *tree = m_widget->treeOf(m_widget->currentDisplayName());
        QVERIFY(tree);
        // The operator selects the window and adds a weather item to it.
        QList<QTreeWidgetItem *> nodes{tree->rootItem()};
        for (int i = 0; i < nodes.size(); ++i) {
            for (int c = 0; c < nodes.at(i)->childCount(); ++c)
                nodes << nodes.at(i)->child(c);
            if (static_cast<ProjectTreeItem *>(nodes.at(i))->kind() == QLatin1String("generalwin")) {
                tree->setCurrentTreeItem(static_cast<ProjectTreeItem *>(nodes.at(i)));
                tree->slotSelectItemChecked();
                break;
            }
        }
        tree->addWeatherSlot();
        const QList<LumoraMediaObject *> &media = tree->generalSegments.first()->programs.first()->windows.first()->media;
        QCOMPARE(media.last()->type, QStringLiteral("weather"));
        m_widget->windowPanel()->selectMediaRow(media.size() - 1);
        QVERIFY(m_widget->shownMediaPanel());
        // The operator picks the item's city in its panel.
        QComboBox *province = nullptr;
        QComboBox *city = nullptr;
        for (QComboBox *box : m_widget->shownMediaPanel()->findChildren<QComboBox *>()) {
            if (box->objectName() == QLatin1String("province"))
                province = box;
            if (box->objectName() == QLatin1String("city"))
                city = box;
        }
        QVERIFY(province && city && province->count() > 0);
        for (int i = 0; i < province->count() && city->count() == 0; ++i) {
            province->setCurrentIndex(i);
            emit province->activated(i);
        }
        QVERIFY(city->count() > 0);
        city->setCurrentIndex(0);
        emit city->activated(0);
        const QString cityName = city->currentText();
        WeatherWindow *shown = nullptr;
        QTRY_VERIFY_WITH_TIMEOUT(
            [&] {
                for (WeatherWindow *w : findAllWeatherWindows()) {
                    if (w->isVisible() && w->showsValues())
                        shown = w;
                }
                return shown != nullptr;
            }(),
            15000);
        QVERIFY2(shown->shownText().contains(cityName), qPrintable(shown->shownText()));
        QVERIFY2(shown->shownText().contains(QStringLiteral("21℃")), qPrintable(shown->shownText()));

        // The service goes away: Test says so, and so does the weather panel.
        const QString gone = server.base();
        server.close();
        WeatherConfig unreachable = WeatherService::current().config();
        unreachable.host = gone;
        WeatherService::current().setConfig(unreachable);
        QLabel *notice = nullptr;
        QTRY_VERIFY_WITH_TIMEOUT(
            [&] {
                for (QLabel *label : m_widget->findChildren<QLabel *>()) {
                    if (label->isVisible() && label->text().startsWith(
                            QCoreApplication::translate("WeatherPanel", "No weather from the service: %1").section(QLatin1Char('%'), 0, 0)))
                        notice = label;
                }
                return notice != nullptr;
            }(),
            15000);
    }

    // Each accepted choice is in the settings file and the auto-start entry; the remembered
    // last scheme is kept while no scheme is open and follows the open one otherwise.
    void bootDialogWritesEachChoice()
    {
        {
            QSettings ini(settingsFilePath(), QSettings::IniFormat);
            ini.setValue(QStringLiteral("LastSchemePath"), QStringLiteral("/srv/remembered.schx"));
        }
        readSettings();
        ModalWatcher watcher;
        bool seen = false;
        watcher.dialogHandlers << [&](QWidget *modal) {
            auto *dialog = qobject_cast<BootSetupWin *>(modal);
            if (!dialog) {
                modal->close();
                return;
            }
            seen = true;
            // Filled from the settings: nothing chosen, the option controls disabled.
            const bool filled = !dialog->startUpBox()->isChecked() && !dialog->autoPlayBox()->isChecked() &&
                                dialog->selectSchemeButton()->isChecked() && !dialog->pathEdit()->isEnabled();
            if (!filled) {
                dialog->cancelButton()->click();
                return;
            }
            QTest::mouseClick(dialog->startUpBox(), Qt::LeftButton, {},
                              QPoint(8, dialog->startUpBox()->height() / 2));
            QTest::mouseClick(dialog->autoPlayBox(), Qt::LeftButton, {},
                              QPoint(8, dialog->autoPlayBox()->height() / 2));
            QTest::mouseClick(dialog->lastSchemeButton(), Qt::LeftButton, {},
                              QPoint(8, dialog->lastSchemeButton()->height() / 2));
            dialog->pathEdit()->selectAll();
            QTest::keyClicks(dialog->pathEdit(), QStringLiteral("/srv/lobby.schx"));
            dialog->okButton()->click();
        };
        m_widget->slotSetBoot();
        QVERIFY(seen);
        QVERIFY(watcher.messages.isEmpty());
        QMap<QString, QString> ini = iniValues(settingsFilePath());
        QCOMPARE(ini.value(QStringLiteral("Start")), QStringLiteral("1"));
        QCOMPARE(ini.value(QStringLiteral("Play")), QStringLiteral("1"));
        QCOMPARE(ini.value(QStringLiteral("PlayType")), QStringLiteral("1"));
        QCOMPARE(ini.value(QStringLiteral("SchemePath")), QStringLiteral("/srv/lobby.schx"));
        QCOMPARE(ini.value(QStringLiteral("LastSchemePath")), QStringLiteral("/srv/remembered.schx"));
        QCOMPARE(ini.value(QStringLiteral("Language")), QStringLiteral("0"));
        const QString entry = m_config.filePath(QStringLiteral("autostart/LUMORAPLAYER.desktop"));
        QMap<QString, QString> desktop = iniValues(entry);
        QCOMPARE(desktop.value(QStringLiteral("Exec")),
                 QStringLiteral("\"%1/LumoraPlayer\" --autostart").arg(applicationDirectory()));
        QCOMPARE(desktop.value(QStringLiteral("Hidden")), QStringLiteral("false"));

        // With a scheme open: start-up off keeps the entry but hides it; the option controls
        // are disabled with "Auto play" off, and what they hold is still written.
        const QString scheme = m_dir->filePath(QStringLiteral("open.schx"));
        QVERIFY(m_widget->saveSchemeFile(scheme, false));
        QVERIFY(m_widget->openSchemeFile(scheme, false));
        watcher.dialogHandlers << [&](QWidget *modal) {
            auto *dialog = qobject_cast<BootSetupWin *>(modal);
            if (!dialog) {
                modal->close();
                return;
            }
            QTest::mouseClick(dialog->selectSchemeButton(), Qt::LeftButton, {},
                              QPoint(8, dialog->selectSchemeButton()->height() / 2));
            QTest::mouseClick(dialog->startUpBox(), Qt::LeftButton, {},
                              QPoint(8, dialog->startUpBox()->height() / 2));
            QTest::mouseClick(dialog->autoPlayBox(), Qt::LeftButton, {},
                              QPoint(8, dialog->autoPlayBox()->height() / 2));
            if (dialog->selectSchemeButton()->isEnabled() || dialog->pathEdit()->isEnabled() ||
                dialog->selectButton()->isEnabled() || dialog->lastSchemeButton()->isEnabled()) {
                dialog->cancelButton()->click();
                return;
            }
            dialog->okButton()->click();
        };
        // The dialog is created once and reused: the watcher may answer it again.
        m_widget->bootSetupWin()->setProperty("watcherHandled", false);
        m_widget->slotSetBoot();
        ini = iniValues(settingsFilePath());
        QCOMPARE(ini.value(QStringLiteral("Start")), QStringLiteral("0"));
        QCOMPARE(ini.value(QStringLiteral("Play")), QStringLiteral("0"));
        QCOMPARE(ini.value(QStringLiteral("PlayType")), QStringLiteral("0"));
        QCOMPARE(ini.value(QStringLiteral("SchemePath")), QStringLiteral("/srv/lobby.schx"));
        QCOMPARE(ini.value(QStringLiteral("LastSchemePath")), scheme);
        desktop = iniValues(entry);
        QCOMPARE(desktop.value(QStringLiteral("Hidden")), QStringLiteral("true"));
        QCOMPARE(desktop.value(QStringLiteral("Exec")),
                 QStringLiteral("\"%1/LumoraPlayer\" --autostart").arg(applicationDirectory()));
    }

    // With the systemd user unit enabled, the unit starts the player: the dialog shows start-up
    // as chosen and fixed, and the autostart entry is kept hidden whatever was chosen before.
    void anEnabledUnitTakesTheStartFromTheEntry()
    {
        appSettings().start = 1;
        const QString wants = m_config.filePath(QStringLiteral("systemd/user/graphical-session.target.wants"));
        QVERIFY(QDir().mkpath(wants));
        QFile link(wants + QStringLiteral("/lumora-player.service"));
        QVERIFY(link.open(QIODevice::WriteOnly));
        link.close();
        ModalWatcher watcher;
        bool fixed = false;
        watcher.dialogHandlers << [&](QWidget *modal) {
            if (auto *dialog = qobject_cast<BootSetupWin *>(modal)) {
                fixed = dialog->startUpBox()->isChecked() && !dialog->startUpBox()->isEnabled();
                dialog->okButton()->click();
            } else {
                modal->close();
            }
        };
        m_widget->slotSetBoot();
        QVERIFY(link.remove());
        QVERIFY(fixed);
        QVERIFY(watcher.messages.isEmpty());
        const QMap<QString, QString> desktop = iniValues(m_config.filePath(QStringLiteral("autostart/LUMORAPLAYER.desktop")));
        QCOMPARE(desktop.value(QStringLiteral("Hidden")), QStringLiteral("true"));
        QCOMPARE(iniValues(settingsFilePath()).value(QStringLiteral("Start")), QStringLiteral("1"));
    }

    // Cancelling either dialog, after changing every control, leaves the files, the settings
    // and the texts as they were.
    void cancelChangesNothing()
    {
        const QString entry = m_config.filePath(QStringLiteral("autostart/LUMORAPLAYER.desktop"));
        appSettings().schemePath = QStringLiteral("/srv/a.schx");
        QVERIFY(writeSettings());
        const QByteArray iniBefore = fileBytes(settingsFilePath());
        // The top bar shows the count of the scheme's problems once it is checked.
        QTRY_VERIFY_WITH_TIMEOUT(m_widget->problemWatch()->isCurrent(), 30000);
        const QMap<QString, QString> textsBefore = allTexts();

        ModalWatcher watcher;
        watcher.dialogHandlers << [](QWidget *modal) {
            if (auto *dialog = qobject_cast<BootSetupWin *>(modal)) {
                dialog->startUpBox()->setChecked(true);
                dialog->autoPlayBox()->setChecked(true);
                dialog->lastSchemeButton()->setChecked(true);
                dialog->pathEdit()->setText(QStringLiteral("/srv/b.schx"));
                QTest::mouseClick(dialog->cancelButton(), Qt::LeftButton);
            } else {
                modal->close();
            }
        };
        watcher.dialogHandlers << [](QWidget *modal) {
            if (auto *dialog = qobject_cast<LanguageSetupWin *>(modal)) {
                dialog->englishBox()->setChecked(true);
                QTest::mouseClick(dialog->cancelButton(), Qt::LeftButton);
            } else {
                modal->close();
            }
        };
        m_widget->slotSetBoot();
        m_widget->slotSetupLanguage();
        QVERIFY(m_widget->bootSetupWin()->isCancelled());
        QVERIFY(m_widget->languageSetupWin()->isCancelled());
        QCOMPARE(fileBytes(settingsFilePath()), iniBefore);
        QVERIFY(!QFile::exists(entry));
        QCOMPARE(appSettings().start, 0);
        QCOMPARE(appSettings().schemePath, QStringLiteral("/srv/a.schx"));
        QCOMPARE(appSettings().language, 0);
        QCoreApplication::processEvents();
        QCOMPARE(allTexts(), textsBefore);
    }

    // Neither the settings file nor the auto-start entry can be written: the choices stay in
    // effect and the operator is told where the writes failed.
    void failedWritesAreReported()
    {
        QVERIFY(QDir().mkpath(settingsFilePath())); // a folder where the file should be
        QTemporaryDir blocked;
        QFile blocker(blocked.filePath(QStringLiteral("config")));
        QVERIFY(blocker.open(QIODevice::WriteOnly)); // a file where the folder should be
        blocker.close();
        qputenv("XDG_CONFIG_HOME", blocker.fileName().toLocal8Bit());

        ModalWatcher watcher;
        watcher.dialogHandlers << [](QWidget *modal) {
            if (auto *dialog = qobject_cast<BootSetupWin *>(modal)) {
                dialog->startUpBox()->setChecked(true);
                dialog->okButton()->click();
            } else {
                modal->close();
            }
        };
        m_widget->slotSetBoot();
        QCOMPARE(appSettings().start, 1);
        QTRY_COMPARE(watcher.messages.size(), 1);
        const QString message = watcher.messages.first();
        QVERIFY2(message.startsWith(QStringLiteral("提示|")) || message.startsWith(QStringLiteral("info|")),
                 qPrintable(message));
        QVERIFY2(message.contains(settingsFilePath()), qPrintable(message));
        QVERIFY2(message.contains(blocker.fileName() + QStringLiteral("/autostart")), qPrintable(message));
    }

    // An installed program whose configuration folder cannot be made says so once, naming the
    // folder and what is lost, without holding up the start; a later failed write to that
    // folder is not reported again.
    void anUnwritableFolderIsNamedOnce()
    {
        QVERIFY(pretendInstalled(m_dir->path()));
        const QByteArray dataHome = qgetenv("XDG_DATA_HOME");
        const QByteArray cacheHome = qgetenv("XDG_CACHE_HOME");
        qputenv("XDG_DATA_HOME", m_dir->filePath(QStringLiteral("data")).toLocal8Bit());
        qputenv("XDG_CACHE_HOME", m_dir->filePath(QStringLiteral("cache")).toLocal8Bit());
        QFile blocker(m_dir->filePath(QStringLiteral("config")));
        QVERIFY(blocker.open(QIODevice::WriteOnly)); // a file where the folder should be
        blocker.close();
        qputenv("XDG_CONFIG_HOME", blocker.fileName().toLocal8Bit());

        m_widget->reportUnwritableFolders();
        m_widget->reportUnwritableFolders();
        const QList<QMessageBox *> boxes = m_widget->findChildren<QMessageBox *>(QStringLiteral("unwritableFolders"));
        QCOMPARE(boxes.size(), 1);
        const QString text = boxes.first()->text();
        QVERIFY2(text.contains(blocker.fileName() + QStringLiteral("/Lumora")), qPrintable(text));
        QCOMPARE(text.count(QLatin1Char('\n')), 0);
        boxes.first()->close();

        ModalWatcher watcher;
        watcher.dialogHandlers << [](QWidget *modal) {
            if (auto *dialog = qobject_cast<LanguageSetupWin *>(modal))
                dialog->okButton()->click();
            else
                modal->close();
        };
        m_widget->slotSetupLanguage();
        QVERIFY(watcher.messages.isEmpty());
        qputenv("XDG_DATA_HOME", dataHome);
        qputenv("XDG_CACHE_HOME", cacheHome);
    }

    // Chinese to English and back without a restart: afterwards every window shows exactly the
    // texts of a window started in that language, the toolkit's own texts included, and the
    // top-bar buttons still do what they say.
    void languageSwitchRetranslatesEverything()
    {
        const QString picture = writePicture(m_dir->filePath(QStringLiteral("red.png")), Qt::red);
        QVERIFY(!picture.isEmpty());
        Scheme scheme;
        scheme.displayWindowCounter = 2;
        addPictureDisplay(scheme, QStringLiteral("North"), QRect(0, 0, 160, 80), picture, 60);
        addPictureDisplay(scheme, QStringLiteral("South"), QRect(200, 0, 160, 80), picture, 60);
        const QString path = m_dir->filePath(QStringLiteral("lobby.schx"));
        QVERIFY(SchemeWriter::save(path, scheme));

        // What a window started in English shows.
        m_widget.reset();
        installTranslations(1);
        QMap<QString, QString> english;
        {
            ScriptedWidget reference;
            reference.show();
            QVERIFY(QTest::qWaitForWindowExposed(&reference));
            QVERIFY(reference.openSchemeFile(path, false));
            QTRY_VERIFY_WITH_TIMEOUT(reference.problemWatch()->isCurrent(), 30000);
            english = allTexts();
        }
        installTranslations(0);
        m_widget.reset(new ScriptedWidget);
        m_widget->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_widget.data()));
        QVERIFY(m_widget->openSchemeFile(path, false));
        QTRY_VERIFY_WITH_TIMEOUT(m_widget->problemWatch()->isCurrent(), 30000);
        const QMap<QString, QString> chinese = allTexts();
        int translated = 0;
        for (auto it = chinese.cbegin(); it != chinese.cend(); ++it)
            translated += hasChinese(it.value()) ? 1 : 0;
        QVERIFY2(translated > 40, qPrintable(QString::number(translated)));
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("取消"));

        ModalWatcher watcher;
        auto choose = [](bool englishWanted) {
            return [englishWanted](QWidget *modal) {
                auto *dialog = qobject_cast<LanguageSetupWin *>(modal);
                if (!dialog) {
                    modal->close();
                    return;
                }
                QAbstractButton *box = englishWanted ? dialog->englishBox() : dialog->chineseBox();
                QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2));
                dialog->okButton()->click();
            };
        };
        watcher.dialogHandlers << choose(true);
        m_widget->slotShowMainMenu();
        QTest::mouseClick(m_widget->mainMenu()->findChild<QPushButton *>(QStringLiteral("languageEntry")),
                          Qt::LeftButton);
        QCOMPARE(iniValues(settingsFilePath()).value(QStringLiteral("Language")), QStringLiteral("1"));
        QTRY_VERIFY2_WITH_TIMEOUT(allTexts() == english, qPrintable(differences(allTexts(), english)), 10000);
        // English takes the toolkit's own texts, not another language's catalogue.
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Cancel"));

        // The top-bar play button acts on its state, not on what its caption says.
        auto *play = m_widget->findChild<menuButton *>(QStringLiteral("playButton"));
        QTest::mouseClick(play, Qt::LeftButton);
        QTRY_VERIFY(m_widget->treeOf(QStringLiteral("North"))->scheduler()->isPlaying());
        QCOMPARE(play->text(), QCoreApplication::translate("Widget", "pause"));
        QTest::mouseClick(play, Qt::LeftButton);
        QVERIFY(m_widget->treeOf(QStringLiteral("North"))->scheduler()->isPaused());
        QCOMPARE(play->text(), QCoreApplication::translate("Widget", "play"));
        m_widget->slotOverallStop();
        QVERIFY(!m_widget->treeOf(QStringLiteral("North"))->scheduler()->isPlaying());

        watcher.dialogHandlers << choose(false);
        m_widget->languageSetupWin()->setProperty("watcherHandled", false);
        m_widget->slotSetupLanguage();
        QCOMPARE(iniValues(settingsFilePath()).value(QStringLiteral("Language")), QStringLiteral("0"));
        QCoreApplication::processEvents();
        QTRY_VERIFY2_WITH_TIMEOUT(allTexts() == chinese, qPrintable(differences(allTexts(), chinese)), 10000);
        QVERIFY(watcher.messages.isEmpty());
    }

private:
    static QList<WeatherWindow *> findAllWeatherWindows()
    {
        QList<WeatherWindow *> all;
        for (QWidget *top : QApplication::topLevelWidgets())
            all += top->findChildren<WeatherWindow *>();
        return all;
    }

    QTemporaryDir m_config;
    QScopedPointer<QTemporaryDir> m_dir;
    QScopedPointer<ScriptedWidget> m_widget;
};

QTEST_MAIN(TestSetupDialogs)
#include "test_setupdialogs.moc"
