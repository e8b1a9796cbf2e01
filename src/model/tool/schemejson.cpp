#include "schemejson.h"

#include "model/commonwinobject.h"
#include "model/cycleobject.h"
#include "model/generalobject.h"
#include "model/lumoramediaobject.h"
#include "model/mediabody.h"
#include "model/programobject.h"
#include "model/scheme.h"
#include "model/timepoint.h"
#include "model/timingobject.h"
#include "model/weekdays.h"

#include <QColor>
#include <QDate>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>
#include <QTime>

#include <cmath>
#include <vector>

namespace {

const QString timeFormat = QStringLiteral("HH:mm:ss");
const QString timeMsFormat = QStringLiteral("HH:mm:ss.zzz");
const QString dateFormat = QStringLiteral("yyyy-MM-dd");

// ---------------------------------------------------------------------------------------
// Dump: a small writer that keeps keys in the order they are given (QJsonObject sorts them).

class JsonOut
{
public:
    QByteArray out;

    void beginObject() { open('{', false); }
    void endObject() { close('}'); }
    // Short arrays of scalars (colours, weekdays) stay on one line.
    void beginArray(bool inlined = false) { open('[', inlined); }
    void endArray() { close(']'); }

    void key(const char *name)
    {
        separate();
        appendString(QString::fromLatin1(name));
        out.append(": ");
        m_afterKey = true;
    }

    void integer(qint64 v)
    {
        separate();
        out.append(QByteArray::number(v));
    }
    void boolean(bool v)
    {
        separate();
        out.append(v ? "true" : "false");
    }
    void null()
    {
        separate();
        out.append("null");
    }
    void string(const QString &s)
    {
        separate();
        if (s.isNull())
            out.append("null");
        else
            appendString(s);
    }
    void colour(const QColor &c)
    {
        beginArray(true);
        integer(c.red());
        integer(c.green());
        integer(c.blue());
        endArray();
    }
    void time(const QTime &t, const QString &format) { t.isValid() ? string(t.toString(format)) : null(); }
    void date(const QDate &d) { d.isValid() ? string(d.toString(dateFormat)) : null(); }
    void weekdays(const QStringList &days)
    {
        beginArray(true);
        for (const QString &day : Weekdays::all()) {
            if (days.contains(day))
                string(day);
        }
        endArray();
    }

private:
    struct Level
    {
        bool inlined;
        bool empty;
    };

    void open(char c, bool inlined)
    {
        separate();
        out.append(c);
        m_levels.push_back({inlined, true});
    }
    void close(char c)
    {
        const Level level = m_levels.back();
        m_levels.pop_back();
        if (!level.empty && !level.inlined)
            newline();
        out.append(c);
    }
    // Places the separator and line break due before the next key or value.
    void separate()
    {
        if (m_afterKey) {
            m_afterKey = false;
            return;
        }
        if (m_levels.empty())
            return;
        Level &level = m_levels.back();
        if (!level.empty)
            out.append(level.inlined ? ", " : ",");
        if (!level.inlined)
            newline();
        level.empty = false;
    }
    void newline()
    {
        out.append('\n');
        out.append(QByteArray(int(m_levels.size()) * 2, ' '));
    }
    void appendString(const QString &s)
    {
        out.append('"');
        const QByteArray utf8 = s.toUtf8();
        for (char ch : utf8) {
            const uchar c = uchar(ch);
            switch (c) {
            case '"':
                out.append("\\\"");
                break;
            case '\\':
                out.append("\\\\");
                break;
            case '\n':
                out.append("\\n");
                break;
            case '\r':
                out.append("\\r");
                break;
            case '\t':
                out.append("\\t");
                break;
            case '\b':
                out.append("\\b");
                break;
            case '\f':
                out.append("\\f");
                break;
            default:
                if (c < 0x20) {
                    char buf[8];
                    qsnprintf(buf, sizeof buf, "\\u%04x", c);
                    out.append(buf);
                } else {
                    out.append(char(c));
                }
            }
        }
        out.append('"');
    }

    std::vector<Level> m_levels;
    bool m_afterKey = false;
};

struct BodyDump
{
    JsonOut &out;

    void int32(const char *name, qint32 v)
    {
        out.key(name);
        out.integer(v);
    }
    void int32Flag(const char *name, bool v)
    {
        out.key(name);
        out.integer(v ? 1 : 0);
    }
    void boolean(const char *name, bool v)
    {
        out.key(name);
        out.boolean(v);
    }
    void text(const char *name, const QString &v)
    {
        out.key(name);
        out.string(v);
    }
    void colour(const char *name, const QColor &v)
    {
        out.key(name);
        out.colour(v);
    }
    void time(const char *name, const QTime &v)
    {
        out.key(name);
        out.time(v, timeFormat);
    }
    void timeMs(const char *name, const QTime &v)
    {
        out.key(name);
        out.time(v, timeMsFormat);
    }
};

void dumpMedia(JsonOut &out, const LumoraMediaObject &m)
{
    out.beginObject();
    out.key("mediaId");
    out.integer(m.mediaId);
    out.key("displayWindowName");
    out.string(m.displayWindowName);
    out.key("segmentName");
    out.string(m.segmentName);
    out.key("programName");
    out.string(m.programName);
    out.key("windowName");
    out.string(m.windowName);
    out.key("type");
    out.string(m.type);
    const MediaBody::Group group = MediaBody::groupOf(m.type);
    if (group != MediaBody::Group::None) {
        const QByteArray key = MediaBody::groupKey(group).toLatin1();
        out.key(key.constData());
        out.beginObject();
        BodyDump body{out};
        MediaBody::visit(body, group, m);
        out.endObject();
    }
    out.endObject();
}

void dumpWindow(JsonOut &out, const CommonWinObject &w)
{
    out.beginObject();
    out.key("segmentKind");
    out.string(w.segmentKind);
    out.key("displayWindowName");
    out.string(w.displayWindowName);
    out.key("segmentName");
    out.string(w.segmentName);
    out.key("programName");
    out.string(w.programName);
    out.key("name");
    out.string(w.name);
    out.key("frameEnabled");
    out.boolean(w.frameEnabled);
    out.key("frameWidth");
    out.integer(w.frameWidth);
    out.key("frameColor");
    out.colour(w.frameColor);
    out.key("x");
    out.integer(w.x);
    out.key("y");
    out.integer(w.y);
    out.key("width");
    out.integer(w.width);
    out.key("height");
    out.integer(w.height);
    out.key("media");
    out.beginArray();
    for (const LumoraMediaObject *m : w.media)
        dumpMedia(out, *m);
    out.endArray();
    out.endObject();
}

void dumpPrograms(JsonOut &out, const QList<ProgramObject *> &programs, bool fullForm)
{
    out.key("programs");
    out.beginArray();
    for (const ProgramObject *p : programs) {
        out.beginObject();
        out.key("windowCounter");
        out.integer(p->windowCounter);
        out.key("displayWindowName");
        out.string(p->displayWindowName);
        out.key("segmentName");
        out.string(p->segmentName);
        out.key("name");
        out.string(p->name);
        out.key("backgroundColor");
        out.colour(p->backgroundColor);
        out.key("backgroundImage");
        out.string(p->backgroundImage);
        out.key("backgroundDisplayType");
        out.integer(p->backgroundDisplayType);
        out.key("backgroundMusic");
        out.beginArray(true);
        for (const QString &music : p->backgroundMusic)
            out.string(music);
        out.endArray();
        if (fullForm) {
            out.key("playMode");
            out.integer(p->playMode);
            out.key("playTimes");
            out.integer(p->playTimes);
            out.key("playLength");
            out.time(p->playLength, timeFormat);
        }
        out.key("windows");
        out.beginArray();
        for (const CommonWinObject *w : p->windows)
            dumpWindow(out, *w);
        out.endArray();
        out.endObject();
    }
    out.endArray();
}

void dumpDateRange(JsonOut &out, bool specifiedDate, const QDate &fromDate, const QDate &toDate,
                   const QStringList &weekdays)
{
    out.key("specifiedDate");
    out.boolean(specifiedDate);
    out.key("fromDate");
    out.date(fromDate);
    out.key("toDate");
    out.date(toDate);
    out.key("weekdays");
    out.weekdays(weekdays);
}

void dumpTimeRange(JsonOut &out, bool allDay, const QTime &fromTime, const QTime &toTime)
{
    out.key("allDay");
    out.boolean(allDay);
    out.key("fromTime");
    out.time(fromTime, timeFormat);
    out.key("toTime");
    out.time(toTime, timeFormat);
}

void dumpPlayAmount(JsonOut &out, qint32 playMode, qint32 playMinutes, qint32 playSeconds, qint32 playTimes)
{
    out.key("playMode");
    out.integer(playMode);
    out.key("playMinutes");
    out.integer(playMinutes);
    out.key("playSeconds");
    out.integer(playSeconds);
    out.key("playTimes");
    out.integer(playTimes);
}

void dumpNames(JsonOut &out, const QString &displayWindowName, const QString &name)
{
    out.key("displayWindowName");
    out.string(displayWindowName);
    out.key("name");
    out.string(name);
}

void dumpDisplayWindow(JsonOut &out, const Scheme::DisplayWindow &entry)
{
    const PlayWinObject &w = entry.window;
    out.beginObject();
    out.key("name");
    out.string(w.name);
    out.key("x");
    out.integer(w.x);
    out.key("y");
    out.integer(w.y);
    out.key("width");
    out.integer(w.width);
    out.key("height");
    out.integer(w.height);
    out.key("onTopMode");
    out.integer(w.onTopMode);

    out.key("generalSegments");
    out.beginArray();
    for (const GeneralObject *g : entry.schedule.generalSegments) {
        out.beginObject();
        dumpNames(out, g->displayWindowName, g->name);
        dumpDateRange(out, g->specifiedDate, g->fromDate, g->toDate, g->weekdays);
        dumpTimeRange(out, g->allDay, g->fromTime, g->toTime);
        out.key("programCounter");
        out.integer(g->programCounter);
        dumpPrograms(out, g->programs, true);
        out.endObject();
    }
    out.endArray();

    out.key("cycleSegments");
    out.beginArray();
    for (const CycleObject *c : entry.schedule.cycleSegments) {
        out.beginObject();
        dumpNames(out, c->displayWindowName, c->name);
        out.key("playEvery");
        out.integer(c->playEvery);
        dumpPlayAmount(out, c->playMode, c->playMinutes, c->playSeconds, c->playTimes);
        dumpDateRange(out, c->specifiedDate, c->fromDate, c->toDate, c->weekdays);
        dumpTimeRange(out, c->allDay, c->fromTime, c->toTime);
        out.key("programCounter");
        out.integer(c->programCounter);
        dumpPrograms(out, c->programs, false);
        out.endObject();
    }
    out.endArray();

    out.key("timingSegments");
    out.beginArray();
    for (const TimingObject *t : entry.schedule.timingSegments) {
        out.beginObject();
        dumpNames(out, t->displayWindowName, t->name);
        dumpPlayAmount(out, t->playMode, t->playMinutes, t->playSeconds, t->playTimes);
        out.key("timePoints");
        out.beginArray();
        for (const TimePoint *p : t->timePoints) {
            out.beginObject();
            out.key("time");
            out.time(p->time, timeFormat);
            dumpDateRange(out, p->specifiedDate, p->fromDate, p->toDate, p->weekdays);
            out.endObject();
        }
        out.endArray();
        out.key("programCounter");
        out.integer(t->programCounter);
        dumpPrograms(out, t->programs, false);
        out.endObject();
    }
    out.endArray();
    out.endObject();
}

// ---------------------------------------------------------------------------------------
// Build: every key is required, unknown keys are refused, and the first problem is
// reported with its path.

class Problem
{
    Q_DECLARE_TR_FUNCTIONS(SchemeJson)

public:
    bool failed = false;
    QString message;

    bool fail(const QString &path, const QString &what)
    {
        if (!failed) {
            failed = true;
            message = path.isEmpty() ? what : path + QStringLiteral(": ") + what;
        }
        return false;
    }
};

class Obj
{
    Q_DECLARE_TR_FUNCTIONS(SchemeJson)

public:
    Obj(Problem &problem, const QJsonValue &value, const QString &path)
        : m_problem(problem)
        , m_path(path)
    {
        if (!value.isObject())
            m_problem.fail(path, tr("expected an object"));
        m_object = value.toObject();
    }

    bool ok() const { return !m_problem.failed; }
    QString path(const char *key) const { return path(QString::fromLatin1(key)); }
    QString path(const QString &key) const
    {
        return m_path.isEmpty() ? key : m_path + QLatin1Char('.') + key;
    }
    bool has(const char *key) const { return m_object.contains(QLatin1String(key)); }

    QJsonValue take(const char *key)
    {
        if (m_problem.failed)
            return QJsonValue();
        const QString name = QString::fromLatin1(key);
        m_used.insert(name);
        const auto it = m_object.constFind(name);
        if (it == m_object.constEnd()) {
            m_problem.fail(path(key), tr("missing"));
            return QJsonValue();
        }
        return it.value();
    }

    void int32(const char *key, qint32 &v)
    {
        const QJsonValue j = take(key);
        if (!m_problem.failed)
            toInt32(j, path(key), v);
    }
    void int32Flag(const char *key, bool &v)
    {
        qint32 i = 0;
        int32(key, i);
        if (m_problem.failed)
            return;
        if (i != 0 && i != 1)
            m_problem.fail(path(key), tr("expected 0 or 1"));
        v = i == 1;
    }
    void boolean(const char *key, bool &v)
    {
        const QJsonValue j = take(key);
        if (m_problem.failed)
            return;
        if (!j.isBool())
            m_problem.fail(path(key), tr("expected true or false"));
        v = j.toBool();
    }
    void text(const char *key, QString &v)
    {
        const QJsonValue j = take(key);
        if (!m_problem.failed)
            toText(j, path(key), v);
    }
    void colour(const char *key, QColor &v)
    {
        const QJsonValue j = take(key);
        if (m_problem.failed)
            return;
        const QJsonArray a = j.toArray();
        if (!j.isArray() || a.size() != 3) {
            m_problem.fail(path(key), tr("expected [red, green, blue]"));
            return;
        }
        qint32 rgb[3];
        for (int i = 0; i < 3; ++i) {
            const QString at = path(key) + QStringLiteral("[%1]").arg(i);
            if (!toInt32(a.at(i), at, rgb[i]))
                return;
            if (rgb[i] < 0 || rgb[i] > 255) {
                m_problem.fail(at, tr("expected 0 to 255"));
                return;
            }
        }
        v = QColor(rgb[0], rgb[1], rgb[2]);
    }
    void time(const char *key, QTime &v) { timeOf(key, v, false); }
    void timeMs(const char *key, QTime &v) { timeOf(key, v, true); }
    void date(const char *key, QDate &v)
    {
        const QJsonValue j = take(key);
        if (m_problem.failed)
            return;
        if (j.isNull()) {
            v = QDate();
            return;
        }
        v = QDate::fromString(j.toString(), dateFormat);
        if (!j.isString() || !v.isValid())
            m_problem.fail(path(key), tr("expected a date \"yyyy-MM-dd\" or null"));
    }
    void weekdays(const char *key, QStringList &v)
    {
        const QJsonValue j = take(key);
        if (m_problem.failed)
            return;
        if (!j.isArray()) {
            m_problem.fail(path(key), tr("expected a list of day names"));
            return;
        }
        const QJsonArray a = j.toArray();
        QSet<QString> seen;
        for (int i = 0; i < a.size(); ++i) {
            const QString day = a.at(i).toString();
            const QString at = path(key) + QStringLiteral("[%1]").arg(i);
            if (!a.at(i).isString() || !Weekdays::all().contains(day)) {
                m_problem.fail(at, tr("expected one of Monday, Tuesday, Wednesday, Thursday, Friday, "
                                      "Saturday, Sunday"));
                return;
            }
            if (seen.contains(day)) {
                m_problem.fail(at, tr("%1 is listed twice").arg(day));
                return;
            }
            seen.insert(day);
        }
        v.clear();
        for (const QString &day : Weekdays::all()) {
            if (seen.contains(day))
                v.append(day);
        }
    }
    QJsonArray array(const char *key)
    {
        const QJsonValue j = take(key);
        if (m_problem.failed)
            return QJsonArray();
        if (!j.isArray())
            m_problem.fail(path(key), tr("expected a list"));
        return j.toArray();
    }
    void finish()
    {
        if (m_problem.failed)
            return;
        for (auto it = m_object.constBegin(); it != m_object.constEnd(); ++it) {
            if (!m_used.contains(it.key())) {
                m_problem.fail(path(it.key()), tr("unknown key"));
                return;
            }
        }
    }

    bool toInt32(const QJsonValue &j, const QString &at, qint32 &v)
    {
        const double d = j.toDouble();
        if (!j.isDouble() || std::floor(d) != d || d < -2147483648.0 || d > 2147483647.0)
            return m_problem.fail(at, tr("expected a whole number in the 32-bit range"));
        v = qint32(d);
        return true;
    }
    bool toText(const QJsonValue &j, const QString &at, QString &v)
    {
        if (j.isNull()) {
            v = QString();
            return true;
        }
        if (!j.isString())
            return m_problem.fail(at, tr("expected a string or null"));
        v = j.toString();
        if (v.isNull())
            v = QString(QLatin1String("")); // "" stays empty, not null
        return true;
    }

private:
    void timeOf(const char *key, QTime &v, bool withMilliseconds)
    {
        const QJsonValue j = take(key);
        if (m_problem.failed)
            return;
        if (j.isNull()) {
            v = QTime();
            return;
        }
        const QString s = j.toString();
        v = QTime::fromString(s, withMilliseconds && s.size() > 8 ? timeMsFormat : timeFormat);
        if (!j.isString() || !v.isValid()) {
            m_problem.fail(path(key), withMilliseconds ? tr("expected a time \"HH:mm:ss.zzz\" or null")
                                                       : tr("expected a time \"HH:mm:ss\" or null"));
        }
    }

    Problem &m_problem;
    QString m_path;
    QJsonObject m_object;
    QSet<QString> m_used;
};

struct BodyBuild
{
    Obj &o;

    void int32(const char *name, qint32 &v) { o.int32(name, v); }
    void int32Flag(const char *name, bool &v) { o.int32Flag(name, v); }
    void boolean(const char *name, bool &v) { o.boolean(name, v); }
    void text(const char *name, QString &v) { o.text(name, v); }
    void colour(const char *name, QColor &v) { o.colour(name, v); }
    void time(const char *name, QTime &v) { o.time(name, v); }
    void timeMs(const char *name, QTime &v) { o.timeMs(name, v); }
};

QString item(const QString &path, const char *list, int i)
{
    return path + QLatin1Char('.') + QLatin1String(list) + QStringLiteral("[%1]").arg(i);
}

void buildMedia(Problem &problem, const QJsonValue &value, const QString &path, LumoraMediaObject &m)
{
    Obj o(problem, value, path);
    o.int32("mediaId", m.mediaId);
    o.text("displayWindowName", m.displayWindowName);
    o.text("segmentName", m.segmentName);
    o.text("programName", m.programName);
    o.text("windowName", m.windowName);
    o.text("type", m.type);
    const MediaBody::Group group = MediaBody::groupOf(m.type);
    if (o.ok() && group != MediaBody::Group::None) {
        const QByteArray key = MediaBody::groupKey(group).toLatin1();
        const QJsonValue body = o.take(key.constData());
        Obj g(problem, body, o.path(key.constData()));
        BodyBuild visitor{g};
        MediaBody::visit(visitor, group, m);
        g.finish();
    }
    o.finish();
}

void buildWindow(Problem &problem, const QJsonValue &value, const QString &path, CommonWinObject &w)
{
    Obj o(problem, value, path);
    o.text("segmentKind", w.segmentKind);
    o.text("displayWindowName", w.displayWindowName);
    o.text("segmentName", w.segmentName);
    o.text("programName", w.programName);
    o.text("name", w.name);
    o.boolean("frameEnabled", w.frameEnabled);
    o.int32("frameWidth", w.frameWidth);
    o.colour("frameColor", w.frameColor);
    o.int32("x", w.x);
    o.int32("y", w.y);
    o.int32("width", w.width);
    o.int32("height", w.height);
    const QJsonArray media = o.array("media");
    for (int i = 0; i < media.size() && o.ok(); ++i) {
        w.media.append(new LumoraMediaObject);
        buildMedia(problem, media.at(i), item(path, "media", i), *w.media.last());
    }
    o.finish();
}

void buildPrograms(Problem &problem, Obj &segment, const QString &path, QList<ProgramObject *> &list,
                   bool fullForm)
{
    const QJsonArray programs = segment.array("programs");
    for (int i = 0; i < programs.size() && segment.ok(); ++i) {
        auto *p = new ProgramObject;
        list.append(p);
        const QString at = item(path, "programs", i);
        Obj o(problem, programs.at(i), at);
        o.int32("windowCounter", p->windowCounter);
        o.text("displayWindowName", p->displayWindowName);
        o.text("segmentName", p->segmentName);
        o.text("name", p->name);
        o.colour("backgroundColor", p->backgroundColor);
        o.text("backgroundImage", p->backgroundImage);
        o.int32("backgroundDisplayType", p->backgroundDisplayType);
        const QJsonArray music = o.array("backgroundMusic");
        for (int m = 0; m < music.size() && o.ok(); ++m) {
            QString path;
            o.toText(music.at(m), o.path("backgroundMusic") + QStringLiteral("[%1]").arg(m), path);
            p->backgroundMusic.append(path);
        }
        if (fullForm) {
            o.int32("playMode", p->playMode);
            o.int32("playTimes", p->playTimes);
            o.time("playLength", p->playLength);
        }
        const QJsonArray windows = o.array("windows");
        for (int w = 0; w < windows.size() && o.ok(); ++w) {
            p->windows.append(new CommonWinObject);
            buildWindow(problem, windows.at(w), item(at, "windows", w), *p->windows.last());
        }
        o.finish();
    }
}

void buildDisplayWindow(Problem &problem, const QJsonValue &value, const QString &path,
                        Scheme::DisplayWindow &d)
{
    Obj o(problem, value, path);
    o.text("name", d.window.name);
    o.int32("x", d.window.x);
    o.int32("y", d.window.y);
    o.int32("width", d.window.width);
    o.int32("height", d.window.height);
    o.int32("onTopMode", d.window.onTopMode);

    const QJsonArray generals = o.array("generalSegments");
    for (int i = 0; i < generals.size() && o.ok(); ++i) {
        auto *g = new GeneralObject;
        d.schedule.generalSegments.append(g);
        const QString at = item(path, "generalSegments", i);
        Obj s(problem, generals.at(i), at);
        s.text("displayWindowName", g->displayWindowName);
        s.text("name", g->name);
        s.boolean("specifiedDate", g->specifiedDate);
        s.date("fromDate", g->fromDate);
        s.date("toDate", g->toDate);
        s.weekdays("weekdays", g->weekdays);
        s.boolean("allDay", g->allDay);
        s.time("fromTime", g->fromTime);
        s.time("toTime", g->toTime);
        s.int32("programCounter", g->programCounter);
        buildPrograms(problem, s, at, g->programs, true);
        s.finish();
    }

    const QJsonArray cycles = o.array("cycleSegments");
    for (int i = 0; i < cycles.size() && o.ok(); ++i) {
        auto *c = new CycleObject;
        d.schedule.cycleSegments.append(c);
        const QString at = item(path, "cycleSegments", i);
        Obj s(problem, cycles.at(i), at);
        s.text("displayWindowName", c->displayWindowName);
        s.text("name", c->name);
        s.int32("playEvery", c->playEvery);
        s.int32("playMode", c->playMode);
        s.int32("playMinutes", c->playMinutes);
        s.int32("playSeconds", c->playSeconds);
        s.int32("playTimes", c->playTimes);
        s.boolean("specifiedDate", c->specifiedDate);
        s.date("fromDate", c->fromDate);
        s.date("toDate", c->toDate);
        s.weekdays("weekdays", c->weekdays);
        s.boolean("allDay", c->allDay);
        s.time("fromTime", c->fromTime);
        s.time("toTime", c->toTime);
        s.int32("programCounter", c->programCounter);
        buildPrograms(problem, s, at, c->programs, false);
        s.finish();
    }

    const QJsonArray timings = o.array("timingSegments");
    for (int i = 0; i < timings.size() && o.ok(); ++i) {
        auto *t = new TimingObject;
        d.schedule.timingSegments.append(t);
        const QString at = item(path, "timingSegments", i);
        Obj s(problem, timings.at(i), at);
        s.text("displayWindowName", t->displayWindowName);
        s.text("name", t->name);
        s.int32("playMode", t->playMode);
        s.int32("playMinutes", t->playMinutes);
        s.int32("playSeconds", t->playSeconds);
        s.int32("playTimes", t->playTimes);
        const QJsonArray points = s.array("timePoints");
        for (int p = 0; p < points.size() && s.ok(); ++p) {
            auto *point = new TimePoint;
            t->timePoints.append(point);
            Obj tp(problem, points.at(p), item(at, "timePoints", p));
            tp.time("time", point->time);
            tp.boolean("specifiedDate", point->specifiedDate);
            tp.date("fromDate", point->fromDate);
            tp.date("toDate", point->toDate);
            tp.weekdays("weekdays", point->weekdays);
            tp.finish();
        }
        s.int32("programCounter", t->programCounter);
        buildPrograms(problem, s, at, t->programs, false);
        s.finish();
    }
    o.finish();
}

} // namespace

QByteArray SchemeJson::toJson(const Scheme &scheme)
{
    JsonOut out;
    out.beginObject();
    out.key("displayWindowCounter");
    out.integer(scheme.displayWindowCounter);
    out.key("displayWindows");
    out.beginArray();
    for (const auto &entry : scheme.displayWindows)
        dumpDisplayWindow(out, *entry);
    out.endArray();
    out.endObject();
    out.out.append('\n');
    return out.out;
}

bool SchemeJson::fromJson(const QByteArray &json, Scheme *scheme, QString *errorString)
{
    QJsonParseError parseError;
    const QJsonDocument doc = QJsonDocument::fromJson(json, &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        if (errorString)
            *errorString =
                tr("not valid JSON at offset %1: %2").arg(parseError.offset).arg(parseError.errorString());
        return false;
    }
    Problem problem;
    Obj root(problem, doc.isObject() ? QJsonValue(doc.object()) : QJsonValue(), QString());
    if (problem.failed) {
        if (errorString)
            *errorString = tr("the top level must be an object");
        return false;
    }
    root.int32("displayWindowCounter", scheme->displayWindowCounter);
    const QJsonArray windows = root.array("displayWindows");
    for (int i = 0; i < windows.size() && root.ok(); ++i)
        buildDisplayWindow(problem, windows.at(i), QStringLiteral("displayWindows[%1]").arg(i),
                           scheme->addDisplayWindow());
    root.finish();
    if (problem.failed) {
        scheme->clear();
        if (errorString)
            *errorString = problem.message;
        return false;
    }
    return true;
}
