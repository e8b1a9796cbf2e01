#include "logbatch.h"

#include "log/playoutcome.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>
#include <zlib.h>

namespace {

// 2000-01-01 and 2100-01-01 UTC: a start or end outside is a broken clock or a forged row.
constexpr qint64 EarliestMs = 946684800000LL;
constexpr qint64 LatestMs = 4102444800000LL;
constexpr qint64 DayMs = 86400000LL;
// The offsets of real time zones lie within +-14 h.
constexpr int MaxOffsetSeconds = 18 * 3600;
constexpr int MaxTextLength = 4096;
constexpr int MaxShortText = 256;
// Above this no double holds every integer: sequence numbers and times stay below it.
constexpr double MaxExactInteger = 9007199254740991.0;

// Inflates qCompress's format (4 bytes of stated size, big-endian, then a zlib stream),
// stopping at `limit` bytes whatever the stated size says.
bool inflateCapped(const QByteArray &payload, qint64 limit, QByteArray *out, QString *error)
{
    if (payload.size() < 5) {
        *error = QStringLiteral("the payload is too short for compressed JSON");
        return false;
    }
    const auto *bytes = reinterpret_cast<const uchar *>(payload.constData());
    const quint32 stated =
        (quint32(bytes[0]) << 24) | (quint32(bytes[1]) << 16) | (quint32(bytes[2]) << 8) | quint32(bytes[3]);
    if (stated > limit) {
        *error = QStringLiteral("the payload states %1 bytes of JSON, more than the %2 taken")
                     .arg(stated)
                     .arg(limit);
        return false;
    }
    z_stream stream{};
    if (inflateInit(&stream) != Z_OK) {
        *error = QStringLiteral("zlib cannot be set up");
        return false;
    }
    stream.next_in = const_cast<Bytef *>(bytes + 4);
    stream.avail_in = uInt(payload.size() - 4);
    out->resize(int(qMax<quint32>(stated, 1024)));
    int rc = Z_OK;
    qint64 produced = 0;
    while (rc == Z_OK) {
        if (produced == out->size()) {
            if (out->size() >= limit) {
                inflateEnd(&stream);
                *error = QStringLiteral("the payload inflates to more than %1 bytes").arg(limit);
                return false;
            }
            out->resize(int(qMin<qint64>(limit, qint64(out->size()) * 2)));
        }
        stream.next_out = reinterpret_cast<Bytef *>(out->data() + produced);
        stream.avail_out = uInt(out->size() - produced);
        rc = inflate(&stream, Z_NO_FLUSH);
        produced = out->size() - stream.avail_out;
        if (rc == Z_BUF_ERROR && stream.avail_in > 0 && stream.avail_out == 0)
            rc = Z_OK; // only the output was full
    }
    inflateEnd(&stream);
    if (rc != Z_STREAM_END) {
        *error = QStringLiteral("the payload is not zlib data (qCompress)");
        return false;
    }
    out->resize(int(produced));
    return true;
}

bool integer(const QJsonValue &value, qint64 *out)
{
    if (!value.isDouble())
        return false;
    const double d = value.toDouble();
    if (std::floor(d) != d || std::fabs(d) > MaxExactInteger)
        return false;
    *out = qint64(d);
    return true;
}

bool text(const QJsonValue &value, int maxLength, QString *out)
{
    if (!value.isString())
        return false;
    *out = value.toString();
    return out->size() <= maxLength;
}

bool isName(const QString &name)
{
    static const QRegularExpression pattern(QStringLiteral("^[A-Za-z0-9_.-]{1,64}$"));
    return pattern.match(name).hasMatch() && name != QLatin1String(".") && name != QLatin1String("..");
}

bool isHash(const QString &hash)
{
    static const QRegularExpression pattern(QStringLiteral("^[0-9a-fA-F]{64}$"));
    return hash.isEmpty() || pattern.match(hash).hasMatch();
}

bool isKeyword(const QString &keyword)
{
    static const QRegularExpression pattern(QStringLiteral("^[a-z0-9-]{0,32}$"));
    return pattern.match(keyword).hasMatch();
}

} // namespace

QString LogRow::item() const
{
    return path.isEmpty() ? PlayOutcomes::canonicalName(name) : path;
}

bool LogRow::shown() const
{
    return PlayOutcomes::wasShown(PlayOutcomes::fromKeyword(outcome));
}

bool LogBatch::decode(const QByteArray &payload, QString *error)
{
    QByteArray json;
    return inflateCapped(payload, MaxJsonBytes, &json, error) && decodeJson(json, error);
}

bool LogBatch::decodeJson(const QByteArray &json, QString *error)
{
    *this = LogBatch();
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(json, &parseError);
    if (!document.isObject()) {
        *error =
            parseError.error != QJsonParseError::NoError
                ? QStringLiteral("not JSON: %1 at %2").arg(parseError.errorString()).arg(parseError.offset)
                : QStringLiteral("not a JSON object");
        return false;
    }
    const QJsonObject object = document.object();
    qint64 format = 0;
    if (!integer(object.value(QStringLiteral("format")), &format) || format != 1) {
        *error = QStringLiteral("format is not 1");
        return false;
    }
    const QJsonValue groupsValue = object.value(QStringLiteral("groups"));
    if (!groupsValue.isUndefined()) {
        if (!groupsValue.isArray() || groupsValue.toArray().size() > 64) {
            *error = QStringLiteral("groups is not a list of names");
            return false;
        }
        for (const QJsonValue &group : groupsValue.toArray()) {
            if (!group.isString() || !isName(group.toString())) {
                *error = QStringLiteral("groups is not a list of names");
                return false;
            }
            groups.append(group.toString());
        }
    }
    const QJsonValue zone = object.value(QStringLiteral("timeZone"));
    if (!zone.isUndefined() && !text(zone, 64, &timeZone)) {
        *error = QStringLiteral("timeZone is not a short text");
        return false;
    }
    log = QUuid(object.value(QStringLiteral("log")).toString());
    if (log.isNull()) {
        *error = QStringLiteral("log is not a UUID");
        return false;
    }
    if (!integer(object.value(QStringLiteral("after")), &after) ||
        !integer(object.value(QStringLiteral("upTo")), &upTo) || after < 0 || upTo < after) {
        *error = QStringLiteral("after and upTo are not a range 0 <= after <= upTo");
        return false;
    }
    const QJsonValue rowsValue = object.value(QStringLiteral("rows"));
    if (!rowsValue.isArray()) {
        *error = QStringLiteral("rows is not a list");
        return false;
    }
    const QJsonArray array = rowsValue.toArray();
    if (array.size() > MaxRows) {
        *error =
            QStringLiteral("%1 rows, more than the %2 taken in one batch").arg(array.size()).arg(MaxRows);
        return false;
    }
    rows.reserve(array.size());
    qint64 previous = after;
    bool ordered = true;
    for (int i = 0; i < array.size(); ++i) {
        auto refuse = [&](const QString &what) {
            *error = QStringLiteral("row %1: %2").arg(i).arg(what);
            rows.clear();
            return false;
        };
        if (!array.at(i).isObject())
            return refuse(QStringLiteral("not an object"));
        const QJsonObject r = array.at(i).toObject();
        LogRow row;
        qint64 offset = 0;
        if (!integer(r.value(QStringLiteral("seq")), &row.seq))
            return refuse(QStringLiteral("seq is not an integer"));
        if (row.seq <= after || row.seq > upTo)
            return refuse(QStringLiteral("seq %1 is not within (%2, %3]").arg(row.seq).arg(after).arg(upTo));
        ordered = ordered && row.seq > previous;
        previous = row.seq;
        if (!text(r.value(QStringLiteral("name")), MaxTextLength, &row.name) ||
            !text(r.value(QStringLiteral("path")), MaxTextLength, &row.path))
            return refuse(QStringLiteral("name or path is not a text"));
        if (!integer(r.value(QStringLiteral("start")), &row.startMs) ||
            !integer(r.value(QStringLiteral("end")), &row.endMs) || row.startMs < EarliestMs ||
            row.startMs >= LatestMs || row.endMs < EarliestMs || row.endMs >= LatestMs ||
            row.endMs < row.startMs - DayMs)
            return refuse(QStringLiteral("start or end is no time between 2000 and 2100"));
        if (!integer(r.value(QStringLiteral("offset")), &offset) || qAbs(offset) > MaxOffsetSeconds)
            return refuse(QStringLiteral("offset is not seconds within 18 hours"));
        row.offsetSeconds = int(offset);
        if (!text(r.value(QStringLiteral("screen")), MaxShortText, &row.screen) ||
            !text(r.value(QStringLiteral("window")), MaxShortText, &row.window))
            return refuse(QStringLiteral("screen or window is not a text"));
        const QJsonValue bundle = r.value(QStringLiteral("bundle"));
        if (!bundle.isNull() && !bundle.isUndefined() && (!integer(bundle, &row.bundle) || row.bundle < 0))
            return refuse(QStringLiteral("bundle is neither null nor a sequence"));
        if (!text(r.value(QStringLiteral("hash")), 64, &row.hash) || !isHash(row.hash))
            return refuse(QStringLiteral("hash is not SHA-256 hex"));
        if (!text(r.value(QStringLiteral("outcome")), 32, &row.outcome) || !isKeyword(row.outcome))
            return refuse(QStringLiteral("outcome is not a keyword"));
        if (!integer(r.value(QStringLiteral("shownMs")), &row.shownMs) || row.shownMs < 0 ||
            row.shownMs > 366 * DayMs)
            return refuse(QStringLiteral("shownMs is not milliseconds"));
        rows.append(row);
    }
    // A device sends its rows in order; any other order is taken, but one row twice is not.
    if (!ordered) {
        std::sort(rows.begin(), rows.end(), [](const LogRow &a, const LogRow &b) { return a.seq < b.seq; });
        for (int i = 1; i < rows.size(); ++i) {
            if (rows.at(i).seq == rows.at(i - 1).seq) {
                *error = QStringLiteral("seq %1 comes twice").arg(rows.at(i).seq);
                rows.clear();
                return false;
            }
        }
    }
    return true;
}

QByteArray LogBatch::encode() const
{
    QJsonArray array;
    for (const LogRow &row : rows) {
        array.append(QJsonObject{
            {QStringLiteral("seq"), double(row.seq)},
            {QStringLiteral("name"), row.name},
            {QStringLiteral("path"), row.path},
            {QStringLiteral("start"), double(row.startMs)},
            {QStringLiteral("end"), double(row.endMs)},
            {QStringLiteral("offset"), row.offsetSeconds},
            {QStringLiteral("screen"), row.screen},
            {QStringLiteral("window"), row.window},
            {QStringLiteral("bundle"), row.bundle < 0 ? QJsonValue() : QJsonValue(double(row.bundle))},
            {QStringLiteral("hash"), row.hash},
            {QStringLiteral("outcome"), row.outcome},
            {QStringLiteral("shownMs"), double(row.shownMs)},
        });
    }
    const QJsonObject object{
        {QStringLiteral("format"), 1},
        {QStringLiteral("groups"), QJsonArray::fromStringList(groups)},
        {QStringLiteral("timeZone"), timeZone},
        {QStringLiteral("log"), log.toString(QUuid::WithoutBraces)},
        {QStringLiteral("after"), double(after)},
        {QStringLiteral("upTo"), double(upTo)},
        {QStringLiteral("rows"), array},
    };
    return qCompress(QJsonDocument(object).toJson(QJsonDocument::Compact), 6);
}
