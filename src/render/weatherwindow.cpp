#include "weatherwindow.h"

WeatherWindow::WeatherWindow(QWidget *parent)
    : QLabel(parent)
{
    setStyleSheet(QStringLiteral("background:transparent"));
}
