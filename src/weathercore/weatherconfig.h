#pragma once

#include <QString>
#include <QStringList>

// Which weather service the program asks, from "setting.ini":
//   WeatherProvider = "telematics" with WeatherHost = the service's address (and WeatherKey,
//   its access key; the built-in one when empty), or
//   WeatherProvider = "open-meteo" with WeatherForecastUrl and WeatherGeocodingUrl (the public
//   service's addresses when empty), or
//   WeatherProvider = "none": no weather at all.
// A file that names no provider (a new installation) uses the keyless Open-Meteo service, so a
// weather item shows weather without anyone editing a file, unless the environment holds
// LUMORA_WEATHER_PROVIDER=none.
struct WeatherConfig
{
    enum Provider { None, Telematics, OpenMeteo };
    Provider provider = None;
    QString host;
    QString key;
    QString forecastUrl;
    QString geocodingUrl;

    static QString defaultForecastUrl() { return QStringLiteral("https://api.open-meteo.com/v1/forecast"); }
    static QString defaultGeocodingUrl() { return QStringLiteral("https://geocoding-api.open-meteo.com/v1/search"); }
    // The keyless service at its public addresses.
    static WeatherConfig keyless();

    bool isConfigured() const
    {
        return (provider == Telematics && !host.trimmed().isEmpty()) ||
               (provider == OpenMeteo && !forecastUrl.trimmed().isEmpty() &&
                !geocodingUrl.trimmed().isEmpty());
    }

    static WeatherConfig fromSettingsFile(const QString &path);
    // From the last of the files (lowest first) that chooses a service: the user's choice over
    // an administrator's default.
    static WeatherConfig fromSettingsFiles(const QStringList &paths);
    // Writes the choice into "setting.ini" (its other keys stay); false when it cannot be saved.
    bool save(const QString &path) const;
};
