#pragma once

#include <QString>

// Which weather service the program asks, from "setting.ini":
//   WeatherProvider = "telematics" with WeatherHost = the service's address, or
//   WeatherProvider = "open-meteo" with WeatherForecastUrl and WeatherGeocodingUrl.
// Anything else, or an empty address, means no weather service is configured.
struct WeatherConfig
{
    enum Provider { None, Telematics, OpenMeteo };
    Provider provider = None;
    QString host;
    QString forecastUrl;
    QString geocodingUrl;

    bool isConfigured() const
    {
        return (provider == Telematics && !host.trimmed().isEmpty()) ||
               (provider == OpenMeteo && !forecastUrl.trimmed().isEmpty() &&
                !geocodingUrl.trimmed().isEmpty());
    }

    static WeatherConfig fromSettingsFile(const QString &path);
};
