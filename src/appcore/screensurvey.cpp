#include "screensurvey.h"

#include <QGuiApplication>
#include <QScreen>

ScreenSurvey &screenSurvey()
{
    static ScreenSurvey survey;
    return survey;
}

void takeScreenSurvey()
{
    ScreenSurvey &survey = screenSurvey();
    survey = ScreenSurvey();
    const QList<QScreen *> screens = QGuiApplication::screens();
    QScreen *primary = QGuiApplication::primaryScreen();
    survey.screenCount = screens.size();
    if (primary)
        survey.availableHeight = primary->availableGeometry().height();
    // Start at the primary screen and wrap round, so a primary screen that is not
    // screen 0 still yields every screen exactly once.
    const int first = qMax(0, screens.indexOf(primary));
    for (int i = 0; i < screens.size(); ++i)
        survey.screenRects.append(screens.at((first + i) % screens.size())->geometry());
    if (!survey.screenRects.isEmpty()) {
        survey.firstWidth = survey.screenRects.first().width();
        survey.firstHeight = survey.screenRects.first().height();
    }
}
