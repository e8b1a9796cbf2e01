#include "mediapanels.h"

#include "analogclockpanel.h"
#include "digitalclockpanel.h"
#include "mediapanel.h"
#include "urlpanel.h"
#include "videodevicepanel.h"
#include "weatherpanel.h"

QList<MediaPanel *> createMediaPanels(QWidget *parent)
{
    QList<MediaPanel *> panels;
    panels << new DigitalClockPanel;
    panels << new AnalogClockPanel;
    panels << new UrlPanel;
    panels << new VideoDevicePanel;
    panels << new WeatherPanel;
    for (MediaPanel *panel : qAsConst(panels)) {
        panel->setParent(parent);
        panel->hide();
    }
    return panels;
}
