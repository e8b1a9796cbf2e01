#include "schemereader.h"

#include "commonwinobject.h"
#include "cycleobject.h"
#include "generalobject.h"
#include "lumoramediaobject.h"
#include "mediabody.h"
#include "programobject.h"
#include "timepoint.h"
#include "timingobject.h"
#include "weekdays.h"

#include <QColor>
#include <QDate>
#include <QFile>
#include <QTime>

namespace {

// Smallest size in bytes of each record, used to refuse counts the remaining data
// cannot hold before anything is allocated for them.
constexpr qint64 MinDisplayWindow = 4 + 5 * 4 + 3 * 4;
constexpr qint64 MinGeneral = 2 * 4 + 1 + 2 * 4 + 7 * 4 + 1 + 2 * 4 + 4 + 4;
constexpr qint64 MinCycle = 2 * 4 + 3 * 4 + 1 + 2 * 4 + 7 * 4 + 1 + 2 * 4 + 4 + 4;
constexpr qint64 MinTiming = 2 * 4 + 2 * 4 + 4 + 4 + 4;
constexpr qint64 MinTimePoint = 4 + 1 + 2 * 4 + 7 * 4;
constexpr qint64 MinShortProgram = 4 + 3 * 4 + 3 * 4 + 4 + 4 + 4 + 4;
constexpr qint64 MinFullProgram = MinShortProgram + 4;
constexpr qint64 MinText = 4;
constexpr qint64 MinWindow = 5 * 4 + 1 + 4 + 3 * 4 + 4 * 4 + 4;
constexpr qint64 MinMedia = 4 + 5 * 4;

// Texts longer than this are no time or date; they are not handed to Qt's parser.
constexpr int MaxDateTimeText = 32;

class Input
{
    Q_DECLARE_TR_FUNCTIONS(SchemeReader)

public:
    Input(const char *data, qint64 size)
        : m_data(reinterpret_cast<const uchar *>(data))
        , m_size(size)
    {}

    bool failed() const { return m_failed; }
    qint64 position() const { return m_pos; }
    qint64 remaining() const { return m_size - m_pos; }
    qint64 failOffset() const { return m_failOffset; }
    const QString &failReason() const { return m_failReason; }

    void fail(qint64 offset, const QString &reason)
    {
        if (m_failed)
            return;
        m_failed = true;
        m_failOffset = offset;
        m_failReason = reason;
    }

    qint32 int32()
    {
        if (!need(4))
            return 0;
        const uchar *p = m_data + m_pos;
        m_pos += 4;
        return qint32((quint32(p[0]) << 24) | (quint32(p[1]) << 16) | (quint32(p[2]) << 8) | quint32(p[3]));
    }

    bool boolean()
    {
        if (!need(1))
            return false;
        return m_data[m_pos++] != 0;
    }

    // A bytes field; false with null set for the 0xFFFFFFFF length.
    bool bytes(const char **data, int *size, bool *isNull)
    {
        const qint64 at = m_pos;
        const quint32 length = quint32(int32());
        *data = nullptr;
        *size = 0;
        *isNull = false;
        if (m_failed)
            return false;
        if (length == 0xFFFFFFFFu) {
            *isNull = true;
            return true;
        }
        if (qint64(length) > remaining()) {
            fail(at, tr("a text of %1 bytes is longer than the %2 bytes that remain")
                         .arg(length)
                         .arg(remaining()));
            return false;
        }
        *data = reinterpret_cast<const char *>(m_data + m_pos);
        *size = int(length);
        m_pos += length;
        return true;
    }

    QString text()
    {
        const char *data;
        int size;
        bool isNull;
        if (!bytes(&data, &size, &isNull) || isNull)
            return QString();
        if (size == 0)
            return QString(QLatin1String("")); // empty, not null
        return QString::fromUtf8(data, size);
    }

    QColor colour()
    {
        const qint64 at = m_pos;
        const qint32 r = int32();
        const qint32 g = int32();
        const qint32 b = int32();
        if (m_failed)
            return QColor(0, 0, 0);
        if (r < 0 || r > 255 || g < 0 || g > 255 || b < 0 || b > 255) {
            fail(at, tr("colour (%1, %2, %3) is out of range").arg(r).arg(g).arg(b));
            return QColor(0, 0, 0);
        }
        return QColor(r, g, b);
    }

    QTime time(bool withMilliseconds)
    {
        const char *data;
        int size;
        bool isNull;
        if (!bytes(&data, &size, &isNull) || isNull)
            return QTime();
        // The common, canonical form is decoded here; anything else goes to Qt's
        // parser so that the result matches what it would make of it.
        const int expected = withMilliseconds ? 12 : 8;
        if (size == expected && digits(data, 2) && data[2] == ':' && digits(data + 3, 2) && data[5] == ':' &&
            digits(data + 6, 2) && (!withMilliseconds || (data[8] == '.' && digits(data + 9, 3)))) {
            const int ms = withMilliseconds ? number(data + 9, 3) : 0;
            const QTime t(number(data, 2), number(data + 3, 2), number(data + 6, 2), ms);
            return t.isValid() ? t : QTime();
        }
        if (size > MaxDateTimeText)
            return QTime();
        return QTime::fromString(QString::fromUtf8(data, size), withMilliseconds
                                                                    ? QStringLiteral("HH:mm:ss.zzz")
                                                                    : QStringLiteral("HH:mm:ss"));
    }

    QDate date()
    {
        const char *data;
        int size;
        bool isNull;
        if (!bytes(&data, &size, &isNull) || isNull)
            return QDate();
        if (size == 10 && digits(data, 4) && data[4] == '-' && digits(data + 5, 2) && data[7] == '-' &&
            digits(data + 8, 2)) {
            const QDate d(number(data, 4), number(data + 5, 2), number(data + 8, 2));
            return d.isValid() ? d : QDate();
        }
        if (size > MaxDateTimeText)
            return QDate();
        return QDate::fromString(QString::fromUtf8(data, size), QStringLiteral("yyyy-MM-dd"));
    }

    QStringList weekdays()
    {
        QStringList days;
        for (const QString &day : Weekdays::all()) {
            if (int32() != 0)
                days.append(day);
        }
        return m_failed ? QStringList() : days;
    }

    // A record count, refused when negative or when the data left cannot hold that many
    // records of at least minRecordSize bytes each.
    int count(qint64 minRecordSize, const QString &what)
    {
        const qint64 at = m_pos;
        const qint32 n = int32();
        if (m_failed)
            return 0;
        if (n < 0) {
            fail(at, tr("negative %1 count %2").arg(what).arg(n));
            return 0;
        }
        if (qint64(n) * minRecordSize > remaining()) {
            fail(at, tr("%1 count %2 needs at least %3 bytes but only %4 remain")
                         .arg(what)
                         .arg(n)
                         .arg(qint64(n) * minRecordSize)
                         .arg(remaining()));
            return 0;
        }
        return n;
    }

private:
    bool need(qint64 n)
    {
        if (m_failed)
            return false;
        if (remaining() < n) {
            fail(m_pos, tr("the data ends %1 bytes short of the next field").arg(n - remaining()));
            return false;
        }
        return true;
    }
    static bool digits(const char *p, int n)
    {
        for (int i = 0; i < n; ++i) {
            if (p[i] < '0' || p[i] > '9')
                return false;
        }
        return true;
    }
    static int number(const char *p, int n)
    {
        int v = 0;
        for (int i = 0; i < n; ++i)
            v = v * 10 + (p[i] - '0');
        return v;
    }

    const uchar *m_data;
    qint64 m_size;
    qint64 m_pos = 0;
    bool m_failed = false;
    qint64 m_failOffset = -1;
    QString m_failReason;
};

// Feeds MediaBody::visit.
struct BodyReader
{
    Input &in;

    void int32(const char *, qint32 &value) { value = in.int32(); }
    void int32Flag(const char *, bool &value) { value = in.int32() != 0; }
    void boolean(const char *, bool &value) { value = in.boolean(); }
    void text(const char *, QString &value) { value = in.text(); }
    void colour(const char *, QColor &value) { value = in.colour(); }
    void time(const char *, QTime &value) { value = in.time(false); }
    void timeMs(const char *, QTime &value) { value = in.time(true); }
};

class Parser
{
    Q_DECLARE_TR_FUNCTIONS(SchemeReader)

public:
    explicit Parser(Input &in)
        : in(in)
    {}

    void scheme(Scheme &scheme)
    {
        scheme.displayWindowCounter = in.int32();
        const int count = in.count(MinDisplayWindow, tr("display window"));
        for (int i = 0; i < count && !in.failed(); ++i)
            displayWindow(scheme.addDisplayWindow());
        if (!in.failed() && in.remaining() > 0)
            in.fail(in.position(), tr("%1 bytes follow the end of the scheme").arg(in.remaining()));
    }

private:
    void displayWindow(Scheme::DisplayWindow &entry)
    {
        PlayWinObject &w = entry.window;
        w.name = in.text();
        w.x = in.int32();
        w.y = in.int32();
        w.width = in.int32();
        w.height = in.int32();
        w.onTopMode = in.int32();
        const int generals = in.count(MinGeneral, tr("general segment"));
        const int cycles = in.count(MinCycle, tr("cycle segment"));
        const int timings = in.count(MinTiming, tr("timing segment"));
        DisplaySchedule &s = entry.schedule;
        for (int i = 0; i < generals && !in.failed(); ++i) {
            s.generalSegments.append(new GeneralObject);
            general(*s.generalSegments.last());
        }
        for (int i = 0; i < cycles && !in.failed(); ++i) {
            s.cycleSegments.append(new CycleObject);
            cycle(*s.cycleSegments.last());
        }
        for (int i = 0; i < timings && !in.failed(); ++i) {
            s.timingSegments.append(new TimingObject);
            timing(*s.timingSegments.last());
        }
    }

    void general(GeneralObject &g)
    {
        g.displayWindowName = in.text();
        g.name = in.text();
        g.specifiedDate = in.boolean();
        g.fromDate = in.date();
        g.toDate = in.date();
        g.weekdays = in.weekdays();
        g.allDay = in.boolean();
        g.fromTime = in.time(false);
        g.toTime = in.time(false);
        g.programCounter = in.int32();
        programs(g.programs, true);
    }

    void cycle(CycleObject &c)
    {
        c.displayWindowName = in.text();
        c.name = in.text();
        c.playEvery = in.int32();
        c.playMode = in.int32();
        duration(c.playMode, c.playTimes, c.playMinutes, c.playSeconds);
        c.specifiedDate = in.boolean();
        c.fromDate = in.date();
        c.toDate = in.date();
        c.weekdays = in.weekdays();
        c.allDay = in.boolean();
        c.fromTime = in.time(false);
        c.toTime = in.time(false);
        c.programCounter = in.int32();
        programs(c.programs, false);
    }

    void timing(TimingObject &t)
    {
        t.displayWindowName = in.text();
        t.name = in.text();
        t.playMode = in.int32();
        duration(t.playMode, t.playTimes, t.playMinutes, t.playSeconds);
        const int points = in.count(MinTimePoint, tr("time point"));
        for (int i = 0; i < points && !in.failed(); ++i) {
            auto *point = new TimePoint;
            t.timePoints.append(point);
            point->time = in.time(false);
            point->specifiedDate = in.boolean();
            point->fromDate = in.date();
            point->toDate = in.date();
            point->weekdays = in.weekdays();
        }
        t.programCounter = in.int32();
        programs(t.programs, false);
    }

    // The fields the stored mode does not carry keep their defaults.
    void duration(qint32 playMode, qint32 &playTimes, qint32 &playMinutes, qint32 &playSeconds)
    {
        const qint32 value = in.int32();
        if (playMode == 0) {
            playMinutes = value / 60;
            playSeconds = value % 60;
        } else {
            playTimes = value;
        }
    }

    void programs(QList<ProgramObject *> &list, bool fullForm)
    {
        const int count = in.count(fullForm ? MinFullProgram : MinShortProgram, tr("program"));
        for (int i = 0; i < count && !in.failed(); ++i) {
            list.append(new ProgramObject);
            program(*list.last(), fullForm);
        }
    }

    void program(ProgramObject &p, bool fullForm)
    {
        p.windowCounter = in.int32();
        p.displayWindowName = in.text();
        p.segmentName = in.text();
        p.name = in.text();
        p.backgroundColor = in.colour();
        p.backgroundImage = in.text();
        p.backgroundDisplayType = in.int32();
        const int music = in.count(MinText, tr("background music"));
        for (int i = 0; i < music && !in.failed(); ++i)
            p.backgroundMusic.append(in.text());
        if (fullForm) {
            p.playMode = in.int32();
            if (p.playMode == ProgramObject::ByTimes) {
                p.playTimes = in.int32();
            } else if (p.playMode == ProgramObject::ByLength) {
                const qint32 seconds = in.int32();
                // QTime refuses negative or too large parts, which leaves it invalid.
                p.playLength = QTime(seconds / 3600, seconds % 3600 / 60, seconds % 60);
                if (!p.playLength.isValid())
                    p.playLength = QTime();
            }
        }
        const int windows = in.count(MinWindow, tr("window"));
        for (int i = 0; i < windows && !in.failed(); ++i) {
            p.windows.append(new CommonWinObject);
            window(*p.windows.last());
        }
    }

    void window(CommonWinObject &w)
    {
        w.segmentKind = in.text();
        w.displayWindowName = in.text();
        w.segmentName = in.text();
        w.programName = in.text();
        w.name = in.text();
        w.frameEnabled = in.boolean();
        w.frameWidth = in.int32();
        w.frameColor = in.colour();
        w.x = in.int32();
        w.y = in.int32();
        w.width = in.int32();
        w.height = in.int32();
        const int count = in.count(MinMedia, tr("media item"));
        for (int i = 0; i < count && !in.failed(); ++i)
            media(w.media);
    }

    void media(QList<LumoraMediaObject *> &list)
    {
        const qint32 mediaId = in.int32();
        const QString displayWindowName = in.text();
        const QString segmentName = in.text();
        const QString programName = in.text();
        const QString windowName = in.text();
        const QString type = in.text();
        const MediaBody::Group group = MediaBody::groupOf(type);
        if (in.failed() || group == MediaBody::Group::None)
            return; // no body follows, and no item is made
        auto *m = new LumoraMediaObject;
        list.append(m);
        m->mediaId = mediaId;
        m->displayWindowName = displayWindowName;
        m->segmentName = segmentName;
        m->programName = programName;
        m->windowName = windowName;
        m->type = type;
        BodyReader body{in};
        MediaBody::visit(body, group, *m);
    }

    Input &in;
};

} // namespace

bool SchemeReader::readFile(const QString &path)
{
    m_scheme.clear();
    m_damageOffset = -1;
    m_errorString.clear();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        m_status = OpenError;
        m_errorString = tr("Cannot open %1: %2").arg(path, file.errorString());
        return false;
    }
    // size() is 0 for files whose length is unknown, so the limit is enforced on the
    // read as well.
    if (file.size() > MaxFileSize) {
        m_status = TooLarge;
        m_errorString = tr("%1 is larger than %2 bytes and is no scheme").arg(path).arg(MaxFileSize);
        return false;
    }
    const QByteArray data = file.read(MaxFileSize + 1);
    if (data.size() > MaxFileSize) {
        m_status = TooLarge;
        m_errorString = tr("%1 is larger than %2 bytes and is no scheme").arg(path).arg(MaxFileSize);
        return false;
    }
    if (file.error() != QFileDevice::NoError) {
        m_status = OpenError;
        m_errorString = tr("Cannot read %1: %2").arg(path, file.errorString());
        return false;
    }
    return read(data);
}

bool SchemeReader::read(const QByteArray &data)
{
    m_scheme.clear();
    m_status = NoError;
    m_damageOffset = -1;
    m_errorString.clear();
    if (data.size() > MaxFileSize) {
        m_status = TooLarge;
        m_errorString = tr("The data is larger than %1 bytes and is no scheme").arg(MaxFileSize);
        return false;
    }
    Input in(data.constData(), data.size());
    Parser parser(in);
    parser.scheme(m_scheme);
    if (in.failed()) {
        m_scheme.clear();
        m_status = Damaged;
        m_damageOffset = in.failOffset();
        m_errorString = tr("The scheme is damaged at byte %1: %2").arg(in.failOffset()).arg(in.failReason());
        return false;
    }
    return true;
}
