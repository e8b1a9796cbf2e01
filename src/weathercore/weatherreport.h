#pragma once

#include <QString>

// One day of a forecast as the weather panel shows it.
struct WeatherDay
{
    QString date;        // e.g. "03月02日" or "03-02"
    QString weather;     // the service's own words for the sky
    QString temperature; // range, e.g. "8 ~ 15℃"
    QString wind;
    QString pictureUrl; // "" when the service names no picture
};

// The values of one city's weather panel: today and the next two days.
struct WeatherReport
{
    QString monthDay; // today's date line
    QString weekday;
    QString currentTemperature; // e.g. "12℃"
    WeatherDay days[3];
};
