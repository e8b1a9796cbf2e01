#pragma once

#include <QList>
#include <QString>

#include <functional>

class ShotStage;

// One picture: <name>.png. `take` builds what is to be seen on the stage (the main window,
// a dialog, a display screen with play windows) and photographs it with one of the stage's
// capture calls. A new panel or dialog gets its picture by one more entry in shotList().
struct Shot
{
    QString name;
    std::function<void(ShotStage &)> take;
};

// Every shot, in the order they are taken.
QList<Shot> shotList();
