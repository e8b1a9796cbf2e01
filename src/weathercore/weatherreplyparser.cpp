#include "weatherreplyparser.h"

#include <QDate>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

#include <cmath>

namespace {
const char AccessKey[] = "A7kQ2mVd9RtX4pLs8NwE3bYh6GzJcU5f";
const char TelematicsPath[] = "/telematics/v3/weather";

QUrl baseUrl(const QString &address)
{
    QString a = address.trimmed();
    if (!a.contains(QLatin1String("://")))
        a.prepend(QLatin1String("http://"));
    return QUrl(a);
}

// Keys and values are percent-encoded whole, so "&", "=", "+" or "#" in a city name stay
// part of the name.
QString queryOf(const QList<QPair<QString, QString>> &items)
{
    QStringList parts;
    for (const auto &item : items)
        parts << QString::fromLatin1(QUrl::toPercentEncoding(item.first) + '=' +
                                     QUrl::toPercentEncoding(item.second));
    return parts.join(QLatin1Char('&'));
}

QUrl withQuery(QUrl url, const QList<QPair<QString, QString>> &items)
{
    url.setQuery(queryOf(items), QUrl::StrictMode);
    return url;
}

bool textField(const QJsonObject &o, const char *key, QString *out)
{
    const QJsonValue v = o.value(QLatin1String(key));
    if (!v.isString())
        return false;
    *out = v.toString();
    return true;
}

// "error" as an integer, whether the service sends a number or a numeric text.
int errorCode(const QJsonValue &v)
{
    if (v.isDouble())
        return v.toInt(v.toDouble() != 0 ? 1 : 0);
    if (v.isString()) {
        bool ok = false;
        const int n = v.toString().toInt(&ok);
        return ok ? n : 1;
    }
    if (v.isBool())
        return v.toBool() ? 1 : 0;
    return 0;
}

// "周一 03月02日 (实时：12℃)": the text after the last separator, final character dropped.
QString currentTemperatureOf(const QString &lastPart)
{
    int cut = -1;
    for (QChar sep : {QChar(0xFF1A), QChar(QLatin1Char(':'))})
        cut = qMax(cut, lastPart.lastIndexOf(sep));
    if (cut < 0)
        return QString();
    const QString rest = lastPart.mid(cut + 1);
    return rest.isEmpty() ? QString() : rest.left(rest.size() - 1);
}

bool numberAt(const QJsonObject &o, const char *key, int index, double *out)
{
    const QJsonArray a = o.value(QLatin1String(key)).toArray();
    if (index >= a.size() || !a.at(index).isDouble())
        return false;
    *out = a.at(index).toDouble();
    return std::isfinite(*out);
}

QString degrees(double value)
{
    return QString::number(qRound(value)) + QChar(0x2103);
}

QString monthDayOf(const QString &isoDate)
{
    const QStringList parts = isoDate.split(QLatin1Char('-'));
    return parts.size() >= 3 ? parts.at(1) + QLatin1Char('-') + parts.at(2).left(2) : QString();
}
} // namespace

QUrl WeatherReplyParser::telematicsRequest(const QString &host, const QString &city, const QString &key)
{
    QUrl url = baseUrl(host);
    QString path = url.path();
    while (path.endsWith(QLatin1Char('/')))
        path.chop(1);
    url.setPath(path + QLatin1String(TelematicsPath));
    return withQuery(url, {{QStringLiteral("location"), city},
                           {QStringLiteral("output"), QStringLiteral("json")},
                           {QStringLiteral("ak"), key.isEmpty() ? QLatin1String(AccessKey) : key}});
}

QUrl WeatherReplyParser::geocodingRequest(const QString &base, const QString &city)
{
    return withQuery(baseUrl(base), {{QStringLiteral("name"), city},
                                     {QStringLiteral("count"), QStringLiteral("1")},
                                     {QStringLiteral("language"), QStringLiteral("zh")},
                                     {QStringLiteral("format"), QStringLiteral("json")}});
}

QUrl WeatherReplyParser::forecastRequest(const QString &base, double latitude, double longitude)
{
    return withQuery(
        baseUrl(base),
        {{QStringLiteral("latitude"), QString::number(latitude, 'f', 4)},
         {QStringLiteral("longitude"), QString::number(longitude, 'f', 4)},
         {QStringLiteral("current"), QStringLiteral("temperature_2m,weather_code,wind_speed_10m")},
         {QStringLiteral("daily"),
          QStringLiteral("weather_code,temperature_2m_max,temperature_2m_min,wind_speed_10m_max")},
         {QStringLiteral("timezone"), QStringLiteral("auto")},
         {QStringLiteral("forecast_days"), QStringLiteral("3")}});
}

WeatherReplyParser::Result WeatherReplyParser::parseTelematics(const QByteArray &body, WeatherReport *report)
{
    const QJsonDocument doc = QJsonDocument::fromJson(body);
    if (!doc.isObject())
        return NotJson;
    const QJsonObject top = doc.object();
    if (errorCode(top.value(QLatin1String("error"))) != 0)
        return ServiceError;

    WeatherReport r;
    r.monthDay = monthDayOf(top.value(QLatin1String("date")).toString());
    if (r.monthDay.isEmpty())
        return Malformed;
    const QJsonArray results = top.value(QLatin1String("results")).toArray();
    bool found = false;
    for (const QJsonValue &result : results) {
        const QJsonArray data = result.toObject().value(QLatin1String("weather_data")).toArray();
        if (data.size() < 3)
            return Malformed;
        for (int i = 0; i < 3; ++i) {
            const QJsonObject day = data.at(i).toObject();
            WeatherDay &d = r.days[i];
            if (!textField(day, "date", &d.date) || !textField(day, "weather", &d.weather) ||
                !textField(day, "wind", &d.wind) || !textField(day, "temperature", &d.temperature))
                return Malformed;
            QString picture;
            textField(day, "dayPictureUrl", &picture);
            d.pictureUrl = isPictureAddress(picture) ? picture : QString();
        }
        const QStringList parts =
            r.days[0].date.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
        if (parts.size() < 2)
            return Malformed;
        r.weekday = parts.at(0);
        r.days[0].date = parts.at(1);
        r.currentTemperature = currentTemperatureOf(parts.last());
        found = true;
    }
    if (!found)
        return Malformed;
    *report = r;
    return Parsed;
}

bool WeatherReplyParser::parseGeocoding(const QByteArray &body, double *latitude, double *longitude)
{
    const QJsonDocument doc = QJsonDocument::fromJson(body);
    const QJsonObject first = doc.object().value(QLatin1String("results")).toArray().at(0).toObject();
    const QJsonValue lat = first.value(QLatin1String("latitude"));
    const QJsonValue lon = first.value(QLatin1String("longitude"));
    if (!lat.isDouble() || !lon.isDouble())
        return false;
    const double la = lat.toDouble(), lo = lon.toDouble();
    if (!(la >= -90 && la <= 90 && lo >= -180 && lo <= 180))
        return false;
    *latitude = la;
    *longitude = lo;
    return true;
}

WeatherReplyParser::Result WeatherReplyParser::parseForecast(const QByteArray &body, const QLocale &locale,
                                                             WeatherReport *report)
{
    const QJsonDocument doc = QJsonDocument::fromJson(body);
    if (!doc.isObject())
        return NotJson;
    const QJsonObject top = doc.object();
    if (top.value(QLatin1String("error")).toBool())
        return ServiceError;
    const QJsonObject current = top.value(QLatin1String("current")).toObject();
    const QJsonObject daily = top.value(QLatin1String("daily")).toObject();
    const QJsonValue now = current.value(QLatin1String("temperature_2m"));
    if (!now.isDouble())
        return Malformed;
    const QJsonArray times = daily.value(QLatin1String("time")).toArray();
    if (times.size() < 3)
        return Malformed;

    WeatherReport r;
    for (int i = 0; i < 3; ++i) {
        double code = 0, high = 0, low = 0, wind = 0;
        if (!times.at(i).isString() || !numberAt(daily, "weather_code", i, &code) ||
            !numberAt(daily, "temperature_2m_max", i, &high) ||
            !numberAt(daily, "temperature_2m_min", i, &low) ||
            !numberAt(daily, "wind_speed_10m_max", i, &wind))
            return Malformed;
        WeatherDay &d = r.days[i];
        d.date = monthDayOf(times.at(i).toString());
        if (d.date.isEmpty())
            return Malformed;
        d.weather = skyText(int(code));
        d.temperature = QStringLiteral("%1 ~ %2").arg(qRound(low)).arg(degrees(high));
        d.wind = tr("Wind %1 km/h").arg(qRound(wind));
    }
    const QDate today = QDate::fromString(times.at(0).toString(), Qt::ISODate);
    if (!today.isValid())
        return Malformed;
    r.monthDay = r.days[0].date;
    r.weekday = locale.dayName(today.dayOfWeek(), QLocale::ShortFormat);
    r.currentTemperature = degrees(now.toDouble());
    const QJsonValue nowCode = current.value(QLatin1String("weather_code"));
    if (nowCode.isDouble())
        r.days[0].weather = skyText(nowCode.toInt());
    *report = r;
    return Parsed;
}

QString WeatherReplyParser::skyText(int code)
{
    switch (code) {
    case 0:
        return tr("Clear");
    case 1:
    case 2:
        return tr("Partly cloudy");
    case 3:
        return tr("Overcast");
    case 45:
    case 48:
        return tr("Fog");
    case 51:
    case 53:
    case 55:
    case 56:
    case 57:
        return tr("Drizzle");
    case 61:
    case 80:
        return tr("Light rain");
    case 63:
    case 81:
        return tr("Rain");
    case 65:
    case 82:
        return tr("Heavy rain");
    case 66:
    case 67:
        return tr("Freezing rain");
    case 71:
    case 77:
    case 85:
        return tr("Light snow");
    case 73:
        return tr("Snow");
    case 75:
    case 86:
        return tr("Heavy snow");
    case 95:
        return tr("Thunderstorm");
    case 96:
    case 99:
        return tr("Thunderstorm with hail");
    default:
        return QString();
    }
}

bool WeatherReplyParser::isPictureAddress(const QString &address)
{
    const QUrl url(address.trimmed(), QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    return url.isValid() && !url.host().isEmpty() &&
           (scheme == QLatin1String("http") || scheme == QLatin1String("https"));
}
