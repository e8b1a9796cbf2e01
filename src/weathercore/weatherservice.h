#pragma once

#include "weatherconfig.h"
#include "weatherreport.h"

#include <QDateTime>
#include <QHash>
#include <QImage>
#include <QObject>
#include <QSet>

#include <functional>

class Clock;
class ClockTimer;
class QNetworkAccessManager;
class QUrl;

// The weather of every city some weather item shows, fetched in the background and kept
// per city, so two panels of different cities each show their own.
//
// While at least one item of a city is on a screen (watch .. unwatch) the city is asked
// again every update cycle. A failed request (no answer within 10 s, a refused connection,
// or the service's "error" other than 0) is tried again at most three times, 1, 2 and 4
// minutes later, then not before the next cycle; a reply that cannot be read is not tried
// again before the next cycle. Either way the last good values stay. Replies over 1 MiB
// are cut off and refused. All timers run on the clock service.
class WeatherService : public QObject
{
    Q_OBJECT

public:
    static constexpr qint64 MaxReplyBytes = 1024 * 1024;
    static constexpr int TimeoutMsecs = 10000;
    static constexpr int MaxRetries = 3;
    static constexpr int FirstRetryMsecs = 60000;

    explicit WeatherService(const WeatherConfig &config, QObject *parent = nullptr);
    ~WeatherService() override;

    // The installed service, or the program's own one configured from "setting.ini".
    static WeatherService &current();
    // Installs `service` (not owned); nullptr goes back to the program's own one.
    static void setCurrent(WeatherService *service);

    // What the weather panel of the editor says while no service is configured.
    static QString unconfiguredNotice() { return tr("No weather service is configured"); }

    const WeatherConfig &config() const { return m_config; }
    // Another service from now on: what was fetched goes, and every city on a screen is asked
    // again at once.
    void setConfig(const WeatherConfig &config);
    // Why the last request for `city` failed; empty once one has succeeded.
    QString problem(const QString &city) const;
    bool isConfigured() const { return m_config.isConfigured(); }

    // An item of `city` is shown / no longer shown; `minutes` is its update cycle.
    void watch(const QString &city, int minutes);
    void unwatch(const QString &city);
    // Asks for `city` at once (a city chosen or a weather property changed in the editor).
    void requestNow(const QString &city);

    bool hasReport(const QString &city) const;
    WeatherReport report(const QString &city) const;
    // Requests sent since the service was made (weather and pictures alike).
    int requestsSent() const { return m_requests; }
    int requestsOpen() const { return m_open; }

    // A picture named by a reply; pictureArrived(url) once it is here.
    void fetchPicture(const QString &url);
    QImage picture(const QString &url) const { return m_pictures.value(url); }

signals:
    void reportChanged(const QString &city);
    // A request for `city` failed (`why` in the debug output's words); retries follow as above.
    void requestFailed(const QString &city, const QString &why);
    void pictureArrived(const QString &url);

private:
    struct Entry
    {
        WeatherReport report;
        bool hasReport = false;
        int watchers = 0;
        int retries = 0;
        bool inFlight = false;
        QDateTime lastAsked;
        bool located = false;
        QString problem;
        double latitude = 0;
        double longitude = 0;
        ClockTimer *cycle = nullptr;
        ClockTimer *retry = nullptr;
    };
    enum Outcome { Success, Failed, Refused };

    Entry &entry(const QString &city);
    void makeTimers(const QString &city, Entry &e);
    void send(const QString &city, bool retry);
    void askForecast(const QString &city);
    void settle(const QString &city, Outcome outcome, const WeatherReport &report, const QString &why);
    void get(const QUrl &url, std::function<void(bool, const QByteArray &)> done);

    WeatherConfig m_config;
    Clock *m_clock = nullptr;
    QNetworkAccessManager *m_network = nullptr;
    QHash<QString, Entry *> m_entries;
    QHash<QString, QImage> m_pictures;
    QSet<QString> m_picturesAsked;
    int m_requests = 0;
    int m_open = 0;
    bool m_saidUnconfigured = false;
};
