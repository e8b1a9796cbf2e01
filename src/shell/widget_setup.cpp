// System-settings commands of the main menu: the start-up, language and weather dialogs.
#include "appcore/settings.h"
#include "appcore/translations.h"
#include "bootsetupwin.h"
#include "languagesetupwin.h"
#include "weathersetupwin.h"
#include "weathercore/weatherservice.h"
#include "platform/applocations.h"
#include "platform/autostart.h"
#include "prodoc.h"
#include "widget.h"

#include <QFileInfo>
#include <QMessageBox>

namespace {
const QString kAutoStartName = QStringLiteral("LUMORAPLAYER");
const QString kServiceUnit = QStringLiteral("lumora-player.service");
}

void Widget::slotSetBoot()
{
    AppSettings &settings = appSettings();
    BootSetupWin *dialog = m_bootSetupWin;
    const bool byService = AutoStart::serviceEnabled(kServiceUnit);
    dialog->setValues(settings.start == 1, settings.play == 1, settings.playType, settings.schemePath);
    dialog->setStartedByService(byService);
    dialog->exec();
    if (dialog->isCancelled())
        return;

    QStringList unwritten;
    if (!byService)
        settings.start = dialog->startUp() ? 1 : 0;
    // One of them starts the player, never both: a second start would leave at once, and the
    // unit would take that for the player's end. The entry says it came from the session, so
    // that a player it starts leaves the start to a unit enabled later.
    if (!AutoStart::writeEntry(kAutoStartName, AppLocations::playerPath(), settings.start == 1 && !byService,
                               {QStringLiteral("--autostart")}))
        unwritten << AutoStart::entryPath(kAutoStartName);
    settings.play = dialog->autoPlay() ? 1 : 0;
    settings.playType = dialog->playType(settings.playType);
    settings.schemePath = dialog->schemePath();
    // With no scheme open there is no path to remember, and the one remembered must survive.
    if (!m_prodoc->path().isEmpty())
        settings.lastSchemePath = m_prodoc->path();
    if (!writeSettings())
        unwritten << settingsFilePath();
    reportUnwritten(unwritten);
}

void Widget::slotSetPlay()
{
    slotShowJournal();
}

void Widget::slotSetupLanguage()
{
    AppSettings &settings = appSettings();
    LanguageSetupWin *dialog = m_languageSetupWin;
    dialog->setLanguage(settings.language);
    dialog->exec();
    if (dialog->isCancelled())
        return;
    settings.language = dialog->language(settings.language);
    const bool written = writeSettings();
    // Installing the translators tells every window of the program; this window's own
    // texts are re-applied at once, the others as their language-change events arrive.
    installTranslations(settings.language);
    trUpdate();
    if (!written)
        reportUnwritten({settingsFilePath()});
}

void Widget::slotSetupWeather()
{
    WeatherSetupWin *dialog = m_weatherSetupWin;
    dialog->setConfig(WeatherService::current().config());
    dialog->exec();
    if (dialog->isCancelled())
        return;
    const WeatherConfig chosen = dialog->config();
    // In effect at once, for the items on the screens too, even when it cannot be kept.
    WeatherService::current().setConfig(chosen);
    if (!chosen.save(settingsFilePath()))
        reportUnwritten({settingsFilePath()});
}

void Widget::reportUnwritten(const QStringList &files)
{
    QStringList news;
    for (const QString &file : files) {
        const QString folder = QFileInfo(file).absolutePath();
        if (!m_reportedFolders.contains(folder)) {
            news << file;
            m_reportedFolders << folder;
        }
    }
    if (news.isEmpty())
        return;
    QMessageBox::information(this, tr("info"),
                             tr("The settings could not be saved to:\n%1\n"
                                "The folder may be read-only; they stay in effect until the program ends.")
                                 .arg(news.join(QLatin1Char('\n'))),
                             QMessageBox::Ok);
}

void Widget::reportUnwritableFolders()
{
    const QList<QPair<QString, QString>> folders{
        {QFileInfo(settingsFilePath()).absolutePath(), tr("the settings (language, start-up, weather service)")},
        {stateDirectory(), tr("the play log and the copies of unsaved changes")},
        {AppLocations::cacheDirectory(), tr("the pages of office documents")}};
    QStringList lines;
    for (const auto &folder : folders) {
        if (m_reportedFolders.contains(folder.first) || AppLocations::ensureWritable(folder.first))
            continue;
        m_reportedFolders << folder.first;
        lines << tr("%1 cannot be written: %2 will not be kept.").arg(folder.first, folder.second);
    }
    if (lines.isEmpty())
        return;
    auto *box = new QMessageBox(QMessageBox::Information, tr("info"), lines.join(QLatin1Char('\n')), QMessageBox::Ok,
                                this);
    box->setObjectName(QStringLiteral("unwritableFolders"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->show();
}
