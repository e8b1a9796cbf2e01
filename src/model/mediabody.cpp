#include "mediabody.h"

namespace MediaBody {

namespace {

struct TypeEntry
{
    const char *type;
    Group group;
};

// Every keyword that has a body, in the order the loader tests them.
const TypeEntry typeTable[] = {
    {"video", Group::Video},
    {"image", Group::Image},
    {"office", Group::Image},
    {"analogClock", Group::AnalogClock},
    {"digitalClock", Group::DigitalClock},
    {"digitalTimer", Group::CountTimer},
    {"singleRowText", Group::Text},
    {"scrollingText", Group::Text},
    {"simpleText", Group::Text},
    {"txt", Group::Text},
    {"URL", Group::Url},
    {"videoDevice", Group::VideoDevice},
    {"streaming", Group::Streaming},
    {"weather", Group::Weather},
};

} // namespace

Group groupOf(const QString &type)
{
    for (const TypeEntry &entry : typeTable) {
        if (type == QLatin1String(entry.type))
            return entry.group;
    }
    return Group::None;
}

QString groupKey(Group group)
{
    switch (group) {
    case Group::None:
        break;
    case Group::Video:
        return QStringLiteral("video");
    case Group::Image:
        return QStringLiteral("image");
    case Group::AnalogClock:
        return QStringLiteral("analogClock");
    case Group::DigitalClock:
        return QStringLiteral("digitalClock");
    case Group::CountTimer:
        return QStringLiteral("countTimer");
    case Group::Text:
        return QStringLiteral("text");
    case Group::Url:
        return QStringLiteral("url");
    case Group::VideoDevice:
        return QStringLiteral("videoDevice");
    case Group::Streaming:
        return QStringLiteral("streaming");
    case Group::Weather:
        return QStringLiteral("weather");
    }
    return QString();
}

} // namespace MediaBody
