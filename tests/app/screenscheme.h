#pragma once

#include "model/commonwinobject.h"
#include "model/generalobject.h"
#include "model/lumoramediaobject.h"
#include "model/programobject.h"
#include "model/scheme.h"
#include "model/schemewriter.h"

#include <QPair>
#include <QStringList>
#include <QVector>

// The scheme the tests that start a real player play: one 64 × 64 display window at x 600 with
// one general segment and one page, whose windows share the width side by side, one item of
// two seconds each, given as (type keyword, source file).
inline bool writeScreenScheme(const QString &file, const QString &screenName,
                              const QVector<QPair<QString, QString>> &items)
{
    Scheme scheme;
    scheme.displayWindowCounter = 1;
    Scheme::DisplayWindow &dw = scheme.addDisplayWindow();
    dw.window.name = screenName;
    dw.window.x = 600;
    dw.window.y = 0;
    dw.window.width = 64;
    dw.window.height = 64;
    auto *segment = new GeneralObject;
    segment->name = QStringLiteral("General Segment1");
    segment->displayWindowName = dw.window.name;
    auto *page = new ProgramObject;
    page->name = QStringLiteral("Program1");
    page->segmentName = segment->name;
    page->displayWindowName = dw.window.name;
    const int width = items.isEmpty() ? 64 : 64 / items.size();
    for (int i = 0; i < items.size(); ++i) {
        auto *window = new CommonWinObject;
        window->name = QStringLiteral("Common Window%1").arg(i + 1);
        window->segmentKind = QStringLiteral("generalSegment");
        window->displayWindowName = dw.window.name;
        window->segmentName = segment->name;
        window->programName = page->name;
        window->x = width * i;
        window->width = width;
        window->height = 64;
        auto *media = new LumoraMediaObject;
        media->type = items.at(i).first;
        media->image.filePath = items.at(i).second;
        media->image.stayTime = 2;
        window->media << media;
        page->windows << window;
    }
    segment->programs << page;
    dw.schedule.generalSegments << segment;
    return SchemeWriter::save(file, scheme);
}
