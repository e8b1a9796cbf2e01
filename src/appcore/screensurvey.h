#pragma once

#include <QList>
#include <QRect>

// The screens as they were when the program started; read by the display-window
// and backstage commands.
struct ScreenSurvey
{
    int screenCount = 0;
    int availableHeight = 0;  // available area of the default screen
    QList<QRect> screenRects; // primary screen first
    int firstWidth = 0;
    int firstHeight = 0;
};

ScreenSurvey &screenSurvey();
void takeScreenSurvey();
