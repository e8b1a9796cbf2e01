#include "weatherconfig.h"

#include <QSettings>

WeatherConfig WeatherConfig::fromSettingsFile(const QString &path)
{
    WeatherConfig c;
    const QSettings ini(path, QSettings::IniFormat);
    const QString provider = ini.value(QStringLiteral("WeatherProvider")).toString().trimmed().toLower();
    if (provider == QLatin1String("telematics"))
        c.provider = Telematics;
    else if (provider == QLatin1String("open-meteo"))
        c.provider = OpenMeteo;
    c.host = ini.value(QStringLiteral("WeatherHost")).toString();
    c.forecastUrl = ini.value(QStringLiteral("WeatherForecastUrl")).toString();
    c.geocodingUrl = ini.value(QStringLiteral("WeatherGeocodingUrl")).toString();
    return c;
}
