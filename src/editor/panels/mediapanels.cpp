#include "mediapanels.h"

#include "mediapanel.h"

QList<MediaPanel *> createMediaPanels(QWidget *parent)
{
    QList<MediaPanel *> panels;
    for (MediaPanel *panel : qAsConst(panels)) {
        panel->setParent(parent);
        panel->hide();
    }
    return panels;
}
