#include "weatherservice.h"

#include "appcore/settings.h"
#include "clock/clock.h"
#include "clock/clocktimer.h"
#include "weatherreplyparser.h"

#include <QCoreApplication>
#include <QDebug>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QPointer>

#include <memory>

namespace {
WeatherService *installedService = nullptr;

QLocale interfaceLocale()
{
    return appSettings().language == 1 ? QLocale(QLocale::English, QLocale::UnitedStates)
                                       : QLocale(QLocale::Chinese, QLocale::China);
}

constexpr int MaxPictures = 64;
} // namespace

WeatherService::WeatherService(const WeatherConfig &config, QObject *parent)
    : QObject(parent)
    , m_config(config)
    , m_clock(&Clock::current())
{}

WeatherService::~WeatherService()
{
    // Replies and their timeouts go with the access manager.
    delete m_network;
    for (Entry *e : qAsConst(m_entries)) {
        delete e->cycle;
        delete e->retry;
    }
    qDeleteAll(m_entries);
    if (installedService == this)
        installedService = nullptr;
}

WeatherService &WeatherService::current()
{
    if (installedService)
        return *installedService;
    static QPointer<WeatherService> own;
    if (!own)
        own = new WeatherService(WeatherConfig::fromSettingsFiles(settingsFiles()),
                                 QCoreApplication::instance());
    return *own;
}

void WeatherService::setCurrent(WeatherService *service)
{
    installedService = service;
}

void WeatherService::setConfig(const WeatherConfig &config)
{
    m_config = config;
    m_saidUnconfigured = false;
    QStringList shown;
    for (auto it = m_entries.begin(); it != m_entries.end(); ++it) {
        Entry *e = it.value();
        // Coordinates and values of the old service say nothing about the new one; a reply
        // still under way is let go and its answer taken as a fresh one.
        e->located = false;
        e->hasReport = false;
        e->problem.clear();
        e->inFlight = false;
        if (e->watchers > 0)
            shown << it.key();
    }
    for (const QString &city : qAsConst(shown))
        requestNow(city);
}

QString WeatherService::problem(const QString &city) const
{
    const Entry *e = m_entries.value(city);
    return e ? e->problem : QString();
}

WeatherService::Entry &WeatherService::entry(const QString &city)
{
    Entry *&e = m_entries[city];
    if (!e)
        e = new Entry;
    return *e;
}

void WeatherService::makeTimers(const QString &city, Entry &e)
{
    if (e.cycle)
        return;
    e.cycle = m_clock->createTimer(this);
    e.retry = m_clock->createTimer(this);
    e.retry->setSingleShot(true);
    connect(e.cycle, &ClockTimer::timeout, this, [this, city] {
        // A pending retry already asks again soon.
        if (!entry(city).retry->isActive())
            send(city, false);
    });
    connect(e.retry, &ClockTimer::timeout, this, [this, city] { send(city, true); });
}

void WeatherService::watch(const QString &city, int minutes)
{
    if (city.isEmpty())
        return;
    Entry &e = entry(city);
    ++e.watchers;
    makeTimers(city, e);
    const int cycle = qBound(1, minutes, 1000) * 60000;
    if (!e.cycle->isActive() || e.cycle->interval() != cycle)
        e.cycle->start(cycle);
    const bool due = !e.lastAsked.isValid() || e.lastAsked.msecsTo(m_clock->now()) >= cycle;
    if (due && !e.retry->isActive())
        send(city, false);
}

void WeatherService::unwatch(const QString &city)
{
    auto it = m_entries.find(city);
    if (it == m_entries.end())
        return;
    Entry &e = **it;
    e.watchers = qMax(0, e.watchers - 1);
    if (e.watchers == 0) {
        // Timers live only while the city is on a screen.
        delete e.cycle;
        delete e.retry;
        e.cycle = e.retry = nullptr;
        e.retries = 0;
    }
}

void WeatherService::requestNow(const QString &city)
{
    if (!city.isEmpty())
        send(city, false);
}

bool WeatherService::hasReport(const QString &city) const
{
    const Entry *e = m_entries.value(city);
    return e && e->hasReport;
}

WeatherReport WeatherService::report(const QString &city) const
{
    const Entry *e = m_entries.value(city);
    return e ? e->report : WeatherReport();
}

void WeatherService::send(const QString &city, bool retry)
{
    if (!isConfigured()) {
        if (!m_saidUnconfigured)
            qDebug(
                "no weather service is configured (setting.ini): weather items show their background only");
        m_saidUnconfigured = true;
        return;
    }
    Entry &e = entry(city);
    if (e.inFlight)
        return;
    if (!retry) {
        e.retries = 0;
        if (e.retry)
            e.retry->stop();
    }
    e.inFlight = true;
    e.lastAsked = m_clock->now();

    if (m_config.provider == WeatherConfig::Telematics) {
        get(WeatherReplyParser::telematicsRequest(m_config.host, city, m_config.key),
            [this, city](bool ok, const QByteArray &body) {
                if (!ok)
                    return settle(city, Failed, {}, QStringLiteral("no answer"));
                WeatherReport report;
                switch (WeatherReplyParser::parseTelematics(body, &report)) {
                case WeatherReplyParser::Parsed:
                    return settle(city, Success, report, QString());
                case WeatherReplyParser::ServiceError:
                    return settle(city, Failed, {}, QStringLiteral("the service answered with an error"));
                case WeatherReplyParser::NotJson:
                    return settle(city, Refused, {}, QStringLiteral("the reply is not a JSON object"));
                case WeatherReplyParser::Malformed:
                    return settle(city, Refused, {}, QStringLiteral("the reply lacks values"));
                }
            });
        return;
    }
    if (e.located) {
        askForecast(city);
        return;
    }
    get(WeatherReplyParser::geocodingRequest(m_config.geocodingUrl, city),
        [this, city](bool ok, const QByteArray &body) {
            if (!ok)
                return settle(city, Failed, {}, QStringLiteral("no answer from the place search"));
            Entry &e = entry(city);
            if (!WeatherReplyParser::parseGeocoding(body, &e.latitude, &e.longitude))
                return settle(city, Refused, {}, QStringLiteral("the place search does not know the city"));
            e.located = true;
            askForecast(city);
        });
}

void WeatherService::askForecast(const QString &city)
{
    const Entry &e = entry(city);
    get(WeatherReplyParser::forecastRequest(m_config.forecastUrl, e.latitude, e.longitude),
        [this, city](bool ok, const QByteArray &body) {
            if (!ok)
                return settle(city, Failed, {}, QStringLiteral("no answer"));
            WeatherReport report;
            switch (WeatherReplyParser::parseForecast(body, interfaceLocale(), &report)) {
            case WeatherReplyParser::Parsed:
                return settle(city, Success, report, QString());
            case WeatherReplyParser::ServiceError:
                return settle(city, Failed, {}, QStringLiteral("the service answered with an error"));
            case WeatherReplyParser::NotJson:
                return settle(city, Refused, {}, QStringLiteral("the reply is not a JSON object"));
            case WeatherReplyParser::Malformed:
                return settle(city, Refused, {}, QStringLiteral("the reply lacks values"));
            }
        });
}

void WeatherService::settle(const QString &city, Outcome outcome, const WeatherReport &report,
                            const QString &why)
{
    Entry &e = entry(city);
    e.inFlight = false;
    if (outcome == Success) {
        e.retries = 0;
        e.report = report;
        e.hasReport = true;
        e.problem.clear();
        emit reportChanged(city);
        return;
    }
    qDebug().noquote() << "weather of" << city << "not updated:" << why;
    e.problem = why;
    emit requestFailed(city, why);
    if (outcome == Failed && e.retry && e.retries < MaxRetries) {
        e.retry->start(FirstRetryMsecs << e.retries);
        ++e.retries;
    }
}

void WeatherService::get(const QUrl &url, std::function<void(bool, const QByteArray &)> done)
{
    if (!m_network)
        m_network = new QNetworkAccessManager;
    QNetworkReply *reply = m_network->get(QNetworkRequest(url));
    ++m_requests;
    ++m_open;
    ClockTimer *timeout = m_clock->createTimer(reply);
    timeout->setSingleShot(true);
    connect(timeout, &ClockTimer::timeout, reply, &QNetworkReply::abort);
    timeout->start(TimeoutMsecs);
    // The body is taken as it arrives, so a reply past the cap is cut off there.
    auto body = std::make_shared<QByteArray>();
    auto take = [reply, body] {
        if (body->size() <= MaxReplyBytes)
            *body += reply->read(MaxReplyBytes + 1 - body->size());
        if (body->size() > MaxReplyBytes || reply->bytesAvailable() > 0)
            reply->abort();
    };
    connect(reply, &QNetworkReply::metaDataChanged, reply, [reply] {
        if (reply->header(QNetworkRequest::ContentLengthHeader).toLongLong() > MaxReplyBytes)
            reply->abort();
    });
    connect(reply, &QNetworkReply::readyRead, reply, take);
    connect(reply, &QNetworkReply::finished, this, [this, reply, body, done] {
        --m_open;
        const bool ok = reply->error() == QNetworkReply::NoError;
        if (ok)
            *body += reply->read(MaxReplyBytes + 1 - body->size());
        reply->deleteLater();
        done(ok && body->size() <= MaxReplyBytes, ok ? *body : QByteArray());
    });
}

void WeatherService::fetchPicture(const QString &url)
{
    if (m_pictures.contains(url) || m_picturesAsked.contains(url) ||
        !WeatherReplyParser::isPictureAddress(url))
        return;
    if (m_pictures.size() >= MaxPictures)
        m_pictures.clear();
    m_picturesAsked.insert(url);
    get(QUrl(url), [this, url](bool ok, const QByteArray &body) {
        m_picturesAsked.remove(url);
        QImage image;
        if (ok && image.loadFromData(body)) {
            m_pictures.insert(url, image);
            emit pictureArrived(url);
        }
    });
}
