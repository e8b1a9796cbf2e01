#include "mediapanels.h"

#include "analogclockpanel.h"
#include "counttimerpanel.h"
#include "digitalclockpanel.h"
#include "imagepanel.h"
#include "mediapanel.h"
#include "streamingpanel.h"
#include "textpanel.h"
#include "urlpanel.h"
#include "videodevicepanel.h"
#include "videopanel.h"
#include "weatherpanel.h"

QList<MediaPanel *> createMediaPanels(QWidget *parent)
{
    QList<MediaPanel *> panels;
    panels << new ImagePanel;
    panels << new VideoPanel;
    panels << new TextPanel;
    panels << new CountTimerPanel;
    panels << new StreamingPanel;
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
