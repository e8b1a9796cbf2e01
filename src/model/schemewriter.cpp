#include "schemewriter.h"

#include "commonwinobject.h"
#include "cycleobject.h"
#include "displayschedule.h"
#include "generalobject.h"
#include "lumoramediaobject.h"
#include "mediabody.h"
#include "playwinobject.h"
#include "programobject.h"
#include "scheme.h"
#include "schemereader.h"
#include "timepoint.h"
#include "timingobject.h"
#include "weekdays.h"

#include <QColor>
#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>
#include <QTime>

#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace {

// Big-endian primitives in the layout of a version-17 Qt data stream.
class Output
{
public:
    QByteArray bytes;

    void int32(qint32 value)
    {
        const quint32 v = quint32(value);
        const char b[4] = {char(v >> 24), char(v >> 16), char(v >> 8), char(v)};
        bytes.append(b, 4);
    }
    void boolean(bool value) { bytes.append(value ? '\1' : '\0'); }
    void nullBytes() { int32(-1); }
    void rawText(const char *data, int size)
    {
        int32(size);
        bytes.append(data, size);
    }
    void text(const QString &value)
    {
        if (value.isNull()) {
            nullBytes();
            return;
        }
        const QByteArray utf8 = value.toUtf8();
        rawText(utf8.constData(), utf8.size());
    }
    void colour(const QColor &value)
    {
        int32(value.red());
        int32(value.green());
        int32(value.blue());
    }
    void time(const QTime &value, bool withMilliseconds)
    {
        if (!value.isValid()) {
            nullBytes();
            return;
        }
        // Formatted by hand: QTime::toString with a format is slow enough to show up
        // when a scheme holds thousands of items.
        char b[12];
        twoDigits(b, value.hour());
        b[2] = ':';
        twoDigits(b + 3, value.minute());
        b[5] = ':';
        twoDigits(b + 6, value.second());
        if (!withMilliseconds) {
            rawText(b, 8);
            return;
        }
        const int ms = value.msec();
        b[8] = '.';
        b[9] = char('0' + ms / 100);
        b[10] = char('0' + ms / 10 % 10);
        b[11] = char('0' + ms % 10);
        rawText(b, 12);
    }
    void date(const QDate &value)
    {
        if (!value.isValid()) {
            nullBytes();
            return;
        }
        const int year = value.year();
        if (year < 1 || year > 9999) {
            text(value.toString(QStringLiteral("yyyy-MM-dd")));
            return;
        }
        char b[10];
        b[0] = char('0' + year / 1000);
        b[1] = char('0' + year / 100 % 10);
        twoDigits(b + 2, year % 100);
        b[4] = '-';
        twoDigits(b + 5, value.month());
        b[7] = '-';
        twoDigits(b + 8, value.day());
        rawText(b, 10);
    }
    void weekdays(const QStringList &days)
    {
        for (const QString &day : Weekdays::all())
            int32(days.contains(day) ? 1 : 0);
    }
    // playTimes when counting passes, otherwise the duration in seconds.
    void duration(qint32 playMode, qint32 playTimes, qint32 playMinutes, qint32 playSeconds)
    {
        if (playMode == 1)
            int32(playTimes);
        else
            int32(qint32(quint32(playMinutes) * 60u + quint32(playSeconds)));
    }

private:
    static void twoDigits(char *b, int value)
    {
        b[0] = char('0' + value / 10);
        b[1] = char('0' + value % 10);
    }
};

// Feeds MediaBody::visit.
struct BodyWriter
{
    Output &out;

    void int32(const char *, qint32 value) { out.int32(value); }
    void int32Flag(const char *, bool value) { out.int32(value ? 1 : 0); }
    void boolean(const char *, bool value) { out.boolean(value); }
    void text(const char *, const QString &value) { out.text(value); }
    void colour(const char *, const QColor &value) { out.colour(value); }
    void time(const char *, const QTime &value) { out.time(value, false); }
    void timeMs(const char *, const QTime &value) { out.time(value, true); }
};

void writeMedia(Output &out, const LumoraMediaObject &media)
{
    out.int32(media.mediaId);
    out.text(media.displayWindowName);
    out.text(media.segmentName);
    out.text(media.programName);
    out.text(media.windowName);
    out.text(media.type);
    // A type without a group is written with its header only.
    BodyWriter body{out};
    MediaBody::visit(body, MediaBody::groupOf(media.type), media);
}

void writeWindow(Output &out, const CommonWinObject &window)
{
    out.text(window.segmentKind);
    out.text(window.displayWindowName);
    out.text(window.segmentName);
    out.text(window.programName);
    out.text(window.name);
    out.boolean(window.frameEnabled);
    out.int32(window.frameWidth);
    out.colour(window.frameColor);
    out.int32(window.x);
    out.int32(window.y);
    out.int32(window.width);
    out.int32(window.height);
    out.int32(window.media.size());
    for (const LumoraMediaObject *media : window.media)
        writeMedia(out, *media);
}

void writeProgram(Output &out, const ProgramObject &program, bool fullForm)
{
    out.int32(program.windowCounter);
    out.text(program.displayWindowName);
    out.text(program.segmentName);
    out.text(program.name);
    out.colour(program.backgroundColor);
    out.text(program.backgroundImage);
    out.int32(program.backgroundDisplayType);
    out.int32(program.backgroundMusic.size());
    for (const QString &music : program.backgroundMusic)
        out.text(music);
    if (fullForm) {
        out.int32(program.playMode);
        if (program.playMode == ProgramObject::ByTimes) {
            out.int32(program.playTimes);
        } else if (program.playMode == ProgramObject::ByLength) {
            const QTime &t = program.playLength;
            out.int32(t.hour() * 3600 + t.minute() * 60 + t.second());
        }
    }
    out.int32(program.windows.size());
    for (const CommonWinObject *window : program.windows)
        writeWindow(out, *window);
}

void writePrograms(Output &out, const QList<ProgramObject *> &programs, bool fullForm)
{
    out.int32(programs.size());
    for (const ProgramObject *program : programs)
        writeProgram(out, *program, fullForm);
}

void writeGeneral(Output &out, const GeneralObject &segment)
{
    out.text(segment.displayWindowName);
    out.text(segment.name);
    out.boolean(segment.specifiedDate);
    out.date(segment.fromDate);
    out.date(segment.toDate);
    out.weekdays(segment.weekdays);
    out.boolean(segment.allDay);
    out.time(segment.fromTime, false);
    out.time(segment.toTime, false);
    out.int32(segment.programCounter);
    writePrograms(out, segment.programs, true);
}

void writeCycle(Output &out, const CycleObject &segment)
{
    out.text(segment.displayWindowName);
    out.text(segment.name);
    out.int32(segment.playEvery);
    out.int32(segment.playMode);
    out.duration(segment.playMode, segment.playTimes, segment.playMinutes, segment.playSeconds);
    out.boolean(segment.specifiedDate);
    out.date(segment.fromDate);
    out.date(segment.toDate);
    out.weekdays(segment.weekdays);
    out.boolean(segment.allDay);
    out.time(segment.fromTime, false);
    out.time(segment.toTime, false);
    out.int32(segment.programCounter);
    writePrograms(out, segment.programs, false);
}

void writeTiming(Output &out, const TimingObject &segment)
{
    out.text(segment.displayWindowName);
    out.text(segment.name);
    out.int32(segment.playMode);
    out.duration(segment.playMode, segment.playTimes, segment.playMinutes, segment.playSeconds);
    out.int32(segment.timePoints.size());
    for (const TimePoint *point : segment.timePoints) {
        out.time(point->time, false);
        out.boolean(point->specifiedDate);
        out.date(point->fromDate);
        out.date(point->toDate);
        out.weekdays(point->weekdays);
    }
    out.int32(segment.programCounter);
    writePrograms(out, segment.programs, false);
}

} // namespace

QByteArray SchemeWriter::encode(qint32 displayWindowCounter, const QVector<Source> &displayWindows)
{
    Output out;
    out.bytes.reserve(64 * 1024);
    out.int32(displayWindowCounter);
    out.int32(displayWindows.size());
    for (const Source &source : displayWindows) {
        const PlayWinObject &window = *source.window;
        out.text(window.name);
        out.int32(window.x);
        out.int32(window.y);
        out.int32(window.width);
        out.int32(window.height);
        out.int32(window.onTopMode);
        if (!source.schedule) {
            out.int32(0);
            out.int32(0);
            out.int32(0);
            continue;
        }
        const DisplaySchedule &schedule = *source.schedule;
        out.int32(schedule.generalSegments.size());
        out.int32(schedule.cycleSegments.size());
        out.int32(schedule.timingSegments.size());
        for (const GeneralObject *segment : schedule.generalSegments)
            writeGeneral(out, *segment);
        for (const CycleObject *segment : schedule.cycleSegments)
            writeCycle(out, *segment);
        for (const TimingObject *segment : schedule.timingSegments)
            writeTiming(out, *segment);
    }
    return out.bytes;
}

QByteArray SchemeWriter::encode(const Scheme &scheme)
{
    QVector<Source> sources;
    sources.reserve(int(scheme.displayWindows.size()));
    for (const auto &entry : scheme.displayWindows)
        sources.append(Source{&entry->window, &entry->schedule});
    return encode(scheme.displayWindowCounter, sources);
}

bool SchemeWriter::save(const QString &path, const Scheme &scheme, QString *errorString)
{
    return saveBytes(path, encode(scheme), errorString);
}

bool SchemeWriter::save(const QString &path, qint32 displayWindowCounter,
                        const QVector<Source> &displayWindows, QString *errorString)
{
    return saveBytes(path, encode(displayWindowCounter, displayWindows), errorString);
}

void SchemeWriter::removeLeftovers(const QString &path)
{
    const QFileInfo target(path);
    QDir dir = target.absoluteDir();
    const QStringList leftovers =
        dir.entryList({target.fileName() + QStringLiteral(".saving-*")}, QDir::Files | QDir::Hidden);
    for (const QString &name : leftovers)
        dir.remove(name);
}

bool SchemeWriter::saveBytes(const QString &path, const QByteArray &bytes, QString *errorString)
{
    const auto fail = [errorString](const QString &why) {
        if (errorString)
            *errorString = why;
        return false;
    };
    if (bytes.size() > SchemeReader::MaxFileSize) {
        return fail(tr("the scheme would take %1 MiB, more than the %2 MiB a scheme file can hold; "
                       "nothing was written")
                        .arg(bytes.size() / (1024 * 1024))
                        .arg(SchemeReader::MaxFileSize / (1024 * 1024)));
    }
    removeLeftovers(path);
    const QFileInfo target(path);
    QTemporaryFile temporary(target.absoluteFilePath() + QStringLiteral(".saving-XXXXXX"));
    if (!temporary.open())
        return fail(tr("Cannot write %1: %2").arg(path, temporary.errorString()));
    const bool written = temporary.write(bytes) == bytes.size() && temporary.flush() &&
                         ::fsync(temporary.handle()) == 0;
    if (!written)
        return fail(tr("Cannot write %1: %2").arg(path, temporary.errorString()));
    // The file keeps its permissions; a new one gets the usual ones, not the temporary's.
    temporary.setPermissions(target.exists() ? QFile::permissions(path)
                                             : QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup |
                                                   QFile::ReadOther);
    temporary.close();
    // What replaces the old file is what is on the disk, read back and decoded whole.
    SchemeReader check;
    if (!check.readFile(temporary.fileName()) || check.status() != SchemeReader::NoError) {
        return fail(tr("Cannot write %1: what was written does not read back (%2)")
                        .arg(path, check.errorString()));
    }
    if (::rename(QFile::encodeName(temporary.fileName()).constData(), QFile::encodeName(path).constData()) != 0)
        return fail(tr("Cannot write %1: %2").arg(path, QString::fromLocal8Bit(std::strerror(errno))));
    temporary.setAutoRemove(false); // it is the scheme now
    return true;
}
