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

#include <QMessageBox>

namespace {
const QString kAutoStartName = QStringLiteral("LUMORAPLAYER");
}

void Widget::slotSetBoot()
{
    AppSettings &settings = appSettings();
    BootSetupWin *dialog = m_bootSetupWin;
    dialog->setValues(settings.start == 1, settings.play == 1, settings.playType, settings.schemePath);
    dialog->exec();
    if (dialog->isCancelled())
        return;

    QStringList unwritten;
    settings.start = dialog->startUp() ? 1 : 0;
    if (!AutoStart::writeEntry(kAutoStartName, AppLocations::playerPath(),
                               settings.start == 1))
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
    if (files.isEmpty())
        return;
    QMessageBox::information(this, tr("info"),
                             tr("The settings could not be saved to:\n%1\n"
                                "The folder may be read-only; they stay in effect until the program ends.")
                                 .arg(files.join(QLatin1Char('\n'))),
                             QMessageBox::Ok);
}
