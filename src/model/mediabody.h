#pragma once

#include "lumoramediaobject.h"

#include <QString>

// The property group each media type keyword uses, and the order in which a group's
// fields are stored. The file writer, the file reader and the JSON form of a scheme
// all walk a group through visit(), so the field order lives in one place.
//
// A visitor provides, for every storage kind, a member taking the field name and the
// field (by value when writing, by reference when reading):
//   int32, boolean, text, colour, time, timeMs, and int32Flag (a bool stored as an int32).
namespace MediaBody {

enum class Group {
    None,
    Video,
    Image,
    AnalogClock,
    DigitalClock,
    CountTimer,
    Text,
    Url,
    VideoDevice,
    Streaming,
    Weather
};

// Group of a type keyword; Group::None for a keyword that carries no body.
Group groupOf(const QString &type);

// Name of the group as used for the JSON key ("video", "countTimer", ...); empty for None.
QString groupKey(Group group);

template<class V, class B> void visitBackground(V &v, B &bg)
{
    v.boolean("backgroundIsColor", bg.backgroundIsColor);
    v.colour("backgroundColor", bg.backgroundColor);
    v.text("backgroundImage", bg.backgroundImage);
    v.int32("backgroundImageStyle", bg.backgroundImageStyle);
    v.boolean("backgroundTransparent", bg.backgroundTransparent);
}

template<class V, class P> void visitVideo(V &v, P &p)
{
    v.text("filePath", p.filePath);
    v.int32("volume", p.volume);
    v.timeMs("totalLength", p.totalLength);
    v.boolean("clipEnabled", p.clipEnabled);
    v.time("clipStart", p.clipStart);
    v.time("clipEnd", p.clipEnd);
    v.int32("scaleType", p.scaleType);
    v.int32("rotation", p.rotation);
    visitBackground(v, p);
    v.boolean("coverTextEnabled", p.coverTextEnabled);
    v.text("coverText", p.coverText);
    v.int32("coverFontSize", p.coverFontSize);
    v.int32("coverColorful", p.coverColorful);
    v.boolean("coverBold", p.coverBold);
    v.boolean("coverItalic", p.coverItalic);
    v.boolean("coverUnderline", p.coverUnderline);
    v.colour("coverTextColor", p.coverTextColor);
    v.text("coverFontFamily", p.coverFontFamily);
    v.boolean("coverRolling", p.coverRolling);
    v.int32("coverRollDirection", p.coverRollDirection);
    v.int32("coverRollSpeed", p.coverRollSpeed);
    v.int32("coverTextY", p.coverTextY);
}

template<class V, class P> void visitImage(V &v, P &p)
{
    v.text("filePath", p.filePath);
    visitBackground(v, p);
    v.text("backgroundMusic", p.backgroundMusic);
    v.boolean("entryEffectEnabled", p.entryEffectEnabled);
    v.boolean("exitEffectEnabled", p.exitEffectEnabled);
    v.int32("entryEffect", p.entryEffect);
    v.int32("exitEffect", p.exitEffect);
    v.int32("entrySpeed", p.entrySpeed);
    v.int32("exitSpeed", p.exitSpeed);
    v.int32("scaleType", p.scaleType);
    v.int32("stayTime", p.stayTime);
    v.int32("transparency", p.transparency);
    v.int32("rotation", p.rotation);
}

template<class V, class P> void visitAnalogClock(V &v, P &p)
{
    visitBackground(v, p.background);
    v.colour("textColor", p.textColor);
    v.text("text", p.text);
    v.text("textFont", p.textFont);
    v.int32("textFontSize", p.textFontSize);
    v.boolean("textBold", p.textBold);
    v.boolean("textItalic", p.textItalic);
    v.boolean("textUnderline", p.textUnderline);
    v.boolean("showDate", p.showDate);
    v.colour("dateColor", p.dateColor);
    v.int32("dateStyle", p.dateStyle);
    v.text("dateFont", p.dateFont);
    v.int32("dateFontSize", p.dateFontSize);
    v.boolean("dateBold", p.dateBold);
    v.boolean("dateItalic", p.dateItalic);
    v.boolean("dateUnderline", p.dateUnderline);
    v.boolean("showWeek", p.showWeek);
    v.colour("weekColor", p.weekColor);
    v.text("weekFont", p.weekFont);
    v.int32("weekFontSize", p.weekFontSize);
    v.boolean("weekBold", p.weekBold);
    v.boolean("weekItalic", p.weekItalic);
    v.boolean("weekUnderline", p.weekUnderline);
    v.int32("timeDiffMode", p.timeDiffMode);
    v.time("timeDiff", p.timeDiff);
    v.time("playTime", p.playTime);
    v.colour("hourMarkColor", p.hourMarkColor);
    v.int32("hourMarkWidth", p.hourMarkWidth);
    v.int32("hourMarkHeight", p.hourMarkHeight);
    v.int32("hourMarkShape", p.hourMarkShape);
    v.colour("minuteMarkColor", p.minuteMarkColor);
    v.int32("minuteMarkWidth", p.minuteMarkWidth);
    v.int32("minuteMarkHeight", p.minuteMarkHeight);
    v.int32("minuteMarkShape", p.minuteMarkShape);
    v.colour("hourHandColor", p.hourHandColor);
    v.colour("minuteHandColor", p.minuteHandColor);
    v.colour("secondHandColor", p.secondHandColor);
}

template<class V, class P> void visitDigitalClock(V &v, P &p)
{
    visitBackground(v, p.background);
    v.int32("dateStyle", p.dateStyle);
    v.text("fixedText", p.fixedText);
    v.text("fontFamily", p.fontFamily);
    v.int32("fontSize", p.fontSize);
    v.int32("colorful", p.colorful);
    v.time("playTime", p.playTime);
    v.colour("color", p.color);
    v.boolean("bold", p.bold);
    v.boolean("italic", p.italic);
    v.boolean("underline", p.underline);
    v.boolean("showYear", p.showYear);
    v.boolean("showMonth", p.showMonth);
    v.boolean("showDay", p.showDay);
    v.boolean("showHour", p.showHour);
    v.boolean("showMinute", p.showMinute);
    v.boolean("showSecond", p.showSecond);
    v.boolean("showHalfDay", p.showHalfDay);
    v.boolean("showWeek", p.showWeek);
    v.boolean("twoDigitYear", p.twoDigitYear);
    v.boolean("hour12", p.hour12);
    v.boolean("multiRow", p.multiRow);
    v.int32("timeDiffMode", p.timeDiffMode);
    v.time("timeDiff", p.timeDiff);
}

template<class V, class P> void visitCountTimer(V &v, P &p)
{
    visitBackground(v, p.background);
    v.int32("transparency", p.transparency);
    v.int32("countUp", p.countUp);
    v.time("length", p.length);
    v.colour("numberColor", p.numberColor);
}

template<class V, class P> void visitText(V &v, P &p)
{
    v.text("text", p.text);
    v.text("fontFamily", p.fontFamily);
    v.int32("fontSize", p.fontSize);
    v.boolean("bold", p.bold);
    v.boolean("italic", p.italic);
    v.boolean("underline", p.underline);
    v.colour("textColor", p.textColor);
    // The only group whose background fields are split: colorful sits inside them.
    v.boolean("backgroundIsColor", p.backgroundIsColor);
    v.int32("colorful", p.colorful);
    v.colour("backgroundColor", p.backgroundColor);
    v.text("backgroundImage", p.backgroundImage);
    v.int32("backgroundImageStyle", p.backgroundImageStyle);
    v.boolean("backgroundTransparent", p.backgroundTransparent);
    v.boolean("entryEffectEnabled", p.entryEffectEnabled);
    v.boolean("exitEffectEnabled", p.exitEffectEnabled);
    v.int32("entryEffect", p.entryEffect);
    v.int32("exitEffect", p.exitEffect);
    v.int32("entrySpeed", p.entrySpeed);
    v.int32("exitSpeed", p.exitSpeed);
    v.int32("horizontalAlign", p.horizontalAlign);
    v.int32("verticalAlign", p.verticalAlign);
    v.int32("lineSpacing", p.lineSpacing);
    v.int32("letterSpacing", p.letterSpacing);
    v.int32("stayTime", p.stayTime);
    v.boolean("playToEnd", p.playToEnd);
    v.time("playDuration", p.playDuration);
    v.int32("rollDirection", p.rollDirection);
    v.boolean("endToEnd", p.endToEnd);
    v.int32("cycleInterval", p.cycleInterval);
    v.int32("rollSpeed", p.rollSpeed);
}

template<class V, class P> void visitUrl(V &v, P &p)
{
    v.int32("transparency", p.transparency);
    v.text("address", p.address);
    v.int32("posX", p.posX);
    v.int32("posY", p.posY);
    v.time("length", p.length);
}

template<class V, class P> void visitVideoDevice(V &v, P &p)
{
    v.boolean("backgroundIsColor", p.background.backgroundIsColor);
    v.colour("backgroundColor", p.background.backgroundColor);
    v.text("backgroundImage", p.background.backgroundImage);
    v.int32("backgroundImageStyle", p.background.backgroundImageStyle);
    // Four bytes here, unlike every other group.
    v.int32Flag("backgroundTransparent", p.background.backgroundTransparent);
    v.time("length", p.length);
}

template<class V, class P> void visitStreaming(V &v, P &p)
{
    v.text("address", p.address);
    v.int32("volume", p.volume);
    v.time("length", p.length);
}

template<class V, class P> void visitWeather(V &v, P &p)
{
    visitBackground(v, p.background);
    v.text("location1", p.location1);
    v.text("location2", p.location2);
    v.text("location3", p.location3);
    v.int32("reserved", p.reserved);
    v.int32("updateInterval", p.updateInterval);
    v.time("length", p.length);
}

// Walks the live group of an item (M is LumoraMediaObject or const LumoraMediaObject).
template<class V, class M> void visit(V &v, Group group, M &m)
{
    switch (group) {
    case Group::None:
        break;
    case Group::Video:
        visitVideo(v, m.video);
        break;
    case Group::Image:
        visitImage(v, m.image);
        break;
    case Group::AnalogClock:
        visitAnalogClock(v, m.analogClock);
        break;
    case Group::DigitalClock:
        visitDigitalClock(v, m.digitalClock);
        break;
    case Group::CountTimer:
        visitCountTimer(v, m.countTimer);
        break;
    case Group::Text:
        visitText(v, m.text);
        break;
    case Group::Url:
        visitUrl(v, m.url);
        break;
    case Group::VideoDevice:
        visitVideoDevice(v, m.videoDevice);
        break;
    case Group::Streaming:
        visitStreaming(v, m.streaming);
        break;
    case Group::Weather:
        visitWeather(v, m.weather);
        break;
    }
}

} // namespace MediaBody
