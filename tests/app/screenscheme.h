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
// one general segment whose pages follow each other; a page's windows share the width side by
// side, each with one item of two seconds given as (type keyword, source file), or empty where
// the type is empty.
inline bool writeScreenPages(const QString &file, const QString &screenName,
                             const QVector<QVector<QPair<QString, QString>>> &pages)
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
    for (int p = 0; p < pages.size(); ++p) {
        const QVector<QPair<QString, QString>> &items = pages.at(p);
        auto *page = new ProgramObject;
        page->name = QStringLiteral("Program%1").arg(p + 1);
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
            if (!items.at(i).first.isEmpty()) {
                auto *media = new LumoraMediaObject;
                media->type = items.at(i).first;
                media->image.filePath = items.at(i).second;
                media->image.stayTime = 2;
                window->media << media;
            }
            page->windows << window;
        }
        segment->programs << page;
    }
    dw.schedule.generalSegments << segment;
    return SchemeWriter::save(file, scheme);
}

// One page of those items.
inline bool writeScreenScheme(const QString &file, const QString &screenName,
                              const QVector<QPair<QString, QString>> &items)
{
    return writeScreenPages(file, screenName, {items});
}
