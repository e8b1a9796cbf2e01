#pragma once

#include "model/commonwinobject.h"
#include "model/lumoramediaobject.h"
#include "shell/widget.h"

#include <QStringList>
#include <QTest>

// The real main window with the file dialogs and the save question answered from a script:
// the questions are the main window's own seam, everything behind them is real.
class ScriptedWidget : public Widget
{
public:
    QStringList savePaths; // answers to save dialogs, in order; "" cancels
    QStringList openPaths;
    QList<bool> saveAnswers; // answers to "save the current schedule?"; default No
    QStringList asked;       // titles of the dialogs that were opened
    // "Play anyway?" is answered yes and counted here, unless the main window's own question
    // is to be asked (and answered by a ModalWatcher).
    int playQuestions = 0;
    bool realPlayQuestion = false;

protected:
    QString askSavePath(const QString &title) override
    {
        asked << title;
        return savePaths.isEmpty() ? QString() : savePaths.takeFirst();
    }
    QString askOpenPath(const QString &title) override
    {
        asked << title;
        return openPaths.isEmpty() ? QString() : openPaths.takeFirst();
    }
    bool askSaveCurrent() override
    {
        asked << QStringLiteral("save current?");
        return saveAnswers.isEmpty() ? false : saveAnswers.takeFirst();
    }
    bool askPlayAnyway(const QList<ProblemWatch::Problem> &problems) override
    {
        if (realPlayQuestion)
            return Widget::askPlayAnyway(problems);
        ++playQuestions;
        return true;
    }
};

// After a play command: true once it has been answered (the scheme it plays is checked
// first, off the GUI thread).
inline bool playAnswered(const Widget *widget)
{
    return QTest::qWaitFor([widget] { return !widget->isPlayPending(); }, 30000);
}

// Gives `window` a picture item that stays `seconds`, so that its schedule can play.
inline LumoraMediaObject *addPicture(CommonWinObject *window, const QString &path, int seconds)
{
    auto *media = new LumoraMediaObject;
    media->type = QStringLiteral("image");
    media->image.filePath = path;
    media->image.stayTime = seconds;
    media->displayWindowName = window->displayWindowName;
    media->segmentName = window->segmentName;
    media->programName = window->programName;
    media->windowName = window->name;
    window->media.append(media);
    return media;
}
