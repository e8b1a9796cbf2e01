#include "schemelocation.h"

#include "commonwinobject.h"
#include "cycleobject.h"
#include "generalobject.h"
#include "lumoramediaobject.h"
#include "mediabody.h"
#include "programobject.h"
#include "scheme.h"
#include "timingobject.h"

#include <QRegularExpression>
#include <QStringList>
#include <QVector>

namespace {

struct Step
{
    QString list;
    int index;
};

// "displayWindows[0].generalSegments[1]" as (displayWindows, 0), (generalSegments, 1); empty
// for anything else.
QVector<Step> stepsOf(const QString &where)
{
    static const QRegularExpression step(QStringLiteral("^([A-Za-z]+)\\[(\\d+)\\]$"));
    QVector<Step> steps;
    for (const QString &token : where.split(QLatin1Char('.'))) {
        const QRegularExpressionMatch match = step.match(token);
        bool ok = false;
        const int index = match.hasMatch() ? match.captured(2).toInt(&ok) : -1;
        if (!ok)
            return {};
        steps.append({match.captured(1), index});
    }
    return steps;
}

template<typename Segment>
const QList<ProgramObject *> *pagesOf(const QList<Segment *> &segments, int index, SchemeLocation &at)
{
    if (index >= segments.size())
        return nullptr;
    at.segment = segments.at(index)->name;
    return &segments.at(index)->programs;
}

QString fileOf(const LumoraMediaObject &media)
{
    switch (MediaBody::groupOf(media.type)) {
    case MediaBody::Group::Video:
        return media.video.filePath;
    case MediaBody::Group::Image:
        return media.image.filePath;
    default:
        return QString();
    }
}

} // namespace

SchemeLocation SchemeLocation::find(const Scheme &scheme, const QString &where)
{
    const QVector<Step> steps = stepsOf(where);
    SchemeLocation at;
    if (steps.isEmpty() || steps.at(0).list != QLatin1String("displayWindows") ||
        size_t(steps.at(0).index) >= scheme.displayWindows.size())
        return at;
    const Scheme::DisplayWindow &display = *scheme.displayWindows[size_t(steps.at(0).index)];
    at.displayWindow = display.window.name;
    if (steps.size() < 2)
        return at;

    const Step &segment = steps.at(1);
    const DisplaySchedule &s = display.schedule;
    const QList<ProgramObject *> *pages = nullptr;
    if (segment.list == QLatin1String("generalSegments")) {
        at.segmentKind = QStringLiteral("generalSegment");
        pages = pagesOf(s.generalSegments, segment.index, at);
    } else if (segment.list == QLatin1String("cycleSegments")) {
        at.segmentKind = QStringLiteral("cycleSegment");
        pages = pagesOf(s.cycleSegments, segment.index, at);
    } else if (segment.list == QLatin1String("timingSegments")) {
        at.segmentKind = QStringLiteral("timingSegment");
        pages = pagesOf(s.timingSegments, segment.index, at);
    }
    if (!pages) {
        at.segmentKind.clear();
        return at;
    }
    if (steps.size() < 3)
        return at;

    const Step &below = steps.at(2);
    if (below.list == QLatin1String("timePoints")) {
        const TimingObject *timing =
            at.segmentKind == QLatin1String("timingSegment") ? s.timingSegments.at(segment.index) : nullptr;
        if (timing && below.index < timing->timePoints.size())
            at.timePoint = below.index;
        return at;
    }
    if (below.list != QLatin1String("programs") || below.index >= pages->size())
        return at;
    const ProgramObject &page = *pages->at(below.index);
    at.page = page.name;
    if (steps.size() < 4 || steps.at(3).list != QLatin1String("windows") ||
        steps.at(3).index >= page.windows.size())
        return at;
    const CommonWinObject &window = *page.windows.at(steps.at(3).index);
    at.window = window.name;
    if (steps.size() < 5 || steps.at(4).list != QLatin1String("media") ||
        steps.at(4).index >= window.media.size())
        return at;
    const LumoraMediaObject &media = *window.media.at(steps.at(4).index);
    at.item = steps.at(4).index;
    at.itemType = media.type;
    at.itemFile = fileOf(media);
    return at;
}
