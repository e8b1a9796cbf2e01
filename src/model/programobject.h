#pragma once

#include <QColor>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTime>

class CommonWinObject;

// A program page; owns its windows, bottom layer first.
class ProgramObject
{
public:
    enum PlayMode { ByTimes = 0, ByLength = 1, Loop = 2 };

    ProgramObject() = default;
    ~ProgramObject();
    ProgramObject(const ProgramObject &) = delete;
    ProgramObject &operator=(const ProgramObject &) = delete;

    QString name;
    QString segmentName;
    QString displayWindowName;
    QColor backgroundColor = QColor(0, 0, 0);
    QString backgroundImage;
    qint32 backgroundDisplayType = 1; // 0 Tile, 1 Stretch
    QStringList backgroundMusic;
    qint32 playMode = ByTimes;
    qint32 playTimes = 1;
    QTime playLength = QTime(0, 6, 0);
    qint32 windowCounter = 0;
    QList<CommonWinObject *> windows;
};
