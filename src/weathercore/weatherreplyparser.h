#pragma once

#include "weatherreport.h"

#include <QCoreApplication>
#include <QLocale>
#include <QUrl>

class QByteArray;

// Requests to the two weather services and the reading of their replies. Nothing here
// trusts a reply: every key and index is checked, and a reply that is short of anything the
// panel shows is refused as a whole, so the panel keeps what it showed.
//
// "telematics": GET <host>/telematics/v3/weather?location=<city>&output=json&ak=<key>, a
// JSON object with "error", "date" ("yyyy-MM-dd") and "results"[]."weather_data"[0..2].
// "open-meteo": a geocoding search for the city, then a forecast at its coordinates.
class WeatherReplyParser
{
    Q_DECLARE_TR_FUNCTIONS(WeatherReplyParser)

public:
    enum Result { Parsed, NotJson, ServiceError, Malformed };

    // `key` empty: the built-in access key.
    static QUrl telematicsRequest(const QString &host, const QString &city, const QString &key = QString());
    static QUrl geocodingRequest(const QString &base, const QString &city);
    static QUrl forecastRequest(const QString &base, double latitude, double longitude);

    static Result parseTelematics(const QByteArray &body, WeatherReport *report);
    static bool parseGeocoding(const QByteArray &body, double *latitude, double *longitude);
    static Result parseForecast(const QByteArray &body, const QLocale &locale, WeatherReport *report);

    // The words for a WMO weather code, in the interface language.
    static QString skyText(int code);
    // Pictures named by a reply are only fetched from the web, never from this machine.
    static bool isPictureAddress(const QString &address);
};
