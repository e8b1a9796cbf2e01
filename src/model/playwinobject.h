#pragma once

#include <QString>

// A display window: one rectangle of the desktop mirrored onto an LED screen.
class PlayWinObject
{
public:
    QString name;
    qint32 x = 0;
    qint32 y = 0;
    qint32 width = 200;
    qint32 height = 200;
    qint32 onTopMode = 1;   // 0 Never, 1 Always, 2 Playing
    bool backstage = false; // run-time only, never stored
};
