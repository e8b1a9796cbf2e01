#include "weatherconfig.h"

#include <QSettings>

WeatherConfig WeatherConfig::keyless()
{
    WeatherConfig c;
    c.provider = OpenMeteo;
    c.forecastUrl = defaultForecastUrl();
    c.geocodingUrl = defaultGeocodingUrl();
    return c;
}

WeatherConfig WeatherConfig::fromSettingsFile(const QString &path)
{
    WeatherConfig c;
    const QSettings ini(path, QSettings::IniFormat);
    if (!ini.contains(QStringLiteral("WeatherProvider"))) {
        // A machine that must not reach the internet (a closed network, the test suite)
        // says so once in its environment rather than in every application folder.
        if (qgetenv("LUMORA_WEATHER_PROVIDER").trimmed().toLower() == "none")
            return c;
        return keyless();
    }
    const QString provider = ini.value(QStringLiteral("WeatherProvider")).toString().trimmed().toLower();
    if (provider == QLatin1String("telematics"))
        c.provider = Telematics;
    else if (provider == QLatin1String("open-meteo"))
        c.provider = OpenMeteo;
    c.host = ini.value(QStringLiteral("WeatherHost")).toString();
    c.key = ini.value(QStringLiteral("WeatherKey")).toString();
    c.forecastUrl = ini.value(QStringLiteral("WeatherForecastUrl")).toString();
    c.geocodingUrl = ini.value(QStringLiteral("WeatherGeocodingUrl")).toString();
    if (c.provider == OpenMeteo) {
        if (c.forecastUrl.trimmed().isEmpty())
            c.forecastUrl = defaultForecastUrl();
        if (c.geocodingUrl.trimmed().isEmpty())
            c.geocodingUrl = defaultGeocodingUrl();
    }
    return c;
}

WeatherConfig WeatherConfig::fromSettingsFiles(const QStringList &paths)
{
    for (int i = paths.size() - 1; i >= 0; --i) {
        if (QSettings(paths.at(i), QSettings::IniFormat).contains(QStringLiteral("WeatherProvider")))
            return fromSettingsFile(paths.at(i));
    }
    return fromSettingsFile(paths.value(paths.size() - 1));
}

bool WeatherConfig::save(const QString &path) const
{
    QSettings ini(path, QSettings::IniFormat);
    const char *name = provider == Telematics ? "telematics" : provider == OpenMeteo ? "open-meteo" : "none";
    ini.setValue(QStringLiteral("WeatherProvider"), QLatin1String(name));
    ini.setValue(QStringLiteral("WeatherHost"), host);
    ini.setValue(QStringLiteral("WeatherKey"), key);
    ini.setValue(QStringLiteral("WeatherForecastUrl"), forecastUrl);
    ini.setValue(QStringLiteral("WeatherGeocodingUrl"), geocodingUrl);
    ini.sync();
    return ini.status() == QSettings::NoError;
}
