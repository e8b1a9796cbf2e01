#pragma once

#include <QColor>
#include <QList>
#include <QString>

class LumoraMediaObject;

// A window (layer) of a program page; owns its media items.
class CommonWinObject
{
public:
    CommonWinObject() = default;
    ~CommonWinObject();
    CommonWinObject(const CommonWinObject &) = delete;
    CommonWinObject &operator=(const CommonWinObject &) = delete;

    QString name;
    QString programName;
    QString segmentName;
    QString displayWindowName;
    QString segmentKind; // "generalSegment", "cycleSegment" or "timingSegment"
    bool frameEnabled = false;
    qint32 frameWidth = 0;
    QColor frameColor = QColor(255, 0, 0);
    qint32 x = 0;
    qint32 y = 0;
    qint32 width = 0;
    qint32 height = 0;
    QList<LumoraMediaObject *> media;
};
