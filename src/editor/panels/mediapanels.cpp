#include "mediapanels.h"

#include "counttimerpanel.h"
#include "imagepanel.h"
#include "mediapanel.h"
#include "streamingpanel.h"
#include "textpanel.h"
#include "videopanel.h"

QList<MediaPanel *> createMediaPanels(QWidget *parent)
{
    QList<MediaPanel *> panels;
    panels << new ImagePanel;
    panels << new VideoPanel;
    panels << new TextPanel;
    panels << new CountTimerPanel;
    panels << new StreamingPanel;
    for (MediaPanel *panel : qAsConst(panels)) {
        panel->setParent(parent);
        panel->hide();
    }
    return panels;
}
