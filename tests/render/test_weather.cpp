// Weather panels fed by local HTTP servers of both weather services' shapes, on the virtual
// clock: requests, replies good and bad, refresh and retries over a simulated hour, and the
// province and city lists installed beside the program.
#include "appcore/settings.h"
#include "buildpaths.h"
#include "clock/virtualclock.h"
#include "render/commonplaywindow.h"
#include "render/mainplaybklabel.h"
#include "render/weatherwindow.h"
#include "schemebuilder.h"
#include "tinyhttpserver.h"
#include "weathercore/citylist.h"
#include "weathercore/weatherservice.h"

#include <QBuffer>
#include <QRegularExpression>
#include <QUrlQuery>
#include <QtTest>

#include <memory>

using namespace SchemeBuilder;

namespace {
const QDateTime start(QDate(2026, 3, 2), QTime(9, 0));

QString fullReply(const QString &city, int now, const QString &picture)
{
    return QString::fromUtf8("{\"error\":0,\"status\":\"success\",\"date\":\"2026-03-02\",\"results\":[{"
                             "\"currentCity\":\"%1\","
                             "\"weather_data\":["
                             "{\"date\":\"周一 03月02日 "
                             "(实时：%2℃)\",\"dayPictureUrl\":\"%3\",\"weather\":\"多云\",\"wind\":\"北风3-"
                             "4级\",\"temperature\":\"15 ~ 5℃\"},"
                             "{\"date\":\"周二\",\"dayPictureUrl\":\"file:///etc/"
                             "hostname\",\"weather\":\"晴\",\"wind\":\"微风\",\"temperature\":\"16 ~ 6℃\"},"
                             "{\"date\":\"周三\",\"dayPictureUrl\":\"\",\"weather\":\"小雨\",\"wind\":"
                             "\"东风\",\"temperature\":\"10 ~ 4℃\"},"
                             "{\"date\":\"周四\",\"dayPictureUrl\":\"\",\"weather\":\"阴\",\"wind\":\"西风\","
                             "\"temperature\":\"9 ~ 3℃\"}]}]}")
        .arg(city)
        .arg(now)
        .arg(picture);
}

QString expectedText(const QString &city, int now)
{
    return QStringList({"03-02", "周一", city, QString::number(now) + "℃", "多云", "15 ~ 5℃", "北风3-4级",
                        "周二 晴", "16 ~ 6℃", "周三 小雨", "10 ~ 4℃"})
        .join('\n');
}

LumoraMediaObject *weatherItem(const QString &city, int minutes)
{
    auto *m = new LumoraMediaObject;
    m->type = QStringLiteral("weather");
    m->weather.location1 = QStringLiteral("北京市 11000");
    m->weather.location2 = city;
    m->weather.updateInterval = minutes;
    m->weather.length = QTime(3, 0);
    return m;
}

QByteArray pngOf(const QColor &colour)
{
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}
} // namespace

class TestWeather : public QObject
{
    Q_OBJECT

    std::unique_ptr<VirtualClock> clock;
    std::unique_ptr<MainPlayBKLabel> surface;
    std::unique_ptr<ProgramObject> page;
    std::unique_ptr<WeatherService> service;

    void useService(const WeatherConfig &config)
    {
        service.reset(new WeatherService(config));
        WeatherService::setCurrent(service.get());
    }

    CommonPlayWindow *play(const QString &name, LumoraMediaObject *item, const QRect &geometry)
    {
        CommonWinObject *w = window(page.get(), name, {item}, geometry);
        CommonPlayWindow *pw = surface->showCommonWindow(false, w);
        pw->setMediaList(w->media);
        pw->startWindowPlay();
        return pw;
    }

    // Lets the simulated time pass in steps; after each, the network settles in real time:
    // every request sent has reached `server` and has been answered, unless it is `silent`.
    bool pass(qint64 msec, TinyHttpServer *server = nullptr, const bool *silent = nullptr)
    {
        for (qint64 done = 0; done < msec; done += 5000) {
            clock->advance(qMin<qint64>(5000, msec - done));
            QDeadlineTimer deadline(10000);
            auto settled = [&] {
                return (!server || server->targets.size() == service->requestsSent()) &&
                       (service->requestsOpen() == 0 || (silent && *silent));
            };
            while (!settled() && !deadline.hasExpired())
                QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
            if (!settled())
                return false;
        }
        return true;
    }

private slots:
    void init()
    {
        clock.reset(new VirtualClock(start));
        Clock::setCurrent(clock.get());
        surface.reset(new MainPlayBKLabel(QStringLiteral("D1"), nullptr, false));
        surface->setGeometry(0, 0, 800, 500);
        surface->show();
        page.reset(new ProgramObject);
        page->name = QStringLiteral("P1");
        page->segmentName = QStringLiteral("S1");
        page->displayWindowName = QStringLiteral("D1");
    }
    void cleanup()
    {
        surface.reset();
        page.reset();
        WeatherService::setCurrent(nullptr);
        service.reset();
        Clock::setCurrent(nullptr);
        clock.reset();
        appSettings().language = 0;
    }

    void cityListsOfEveryProvince()
    {
        const QString dir = BuildPaths::path("LUMORA_SOURCE_DIR") + QStringLiteral("/resources/weather");
        const QStringList provinces = CityList::provinces(dir);
        QCOMPARE(provinces.size(), 34);
        const QStringList cityLines = CityList::readLines(dir + "/city.txt");
        QSet<QString> codes;
        int cities = 0;
        for (const QString &entry : provinces) {
            QVERIFY2(QRegularExpression("^\\S+ \\d{5}$").match(entry).hasMatch(), qPrintable(entry));
            const QString code = CityList::provinceCode(entry);
            QVERIFY2(!codes.contains(code), qPrintable(entry));
            codes.insert(code);
            const QStringList own = CityList::citiesOf(dir, entry);
            QVERIFY2(!own.isEmpty(), qPrintable(entry));
            for (const QString &city : own)
                QVERIFY2(QRegularExpression("^[\\x{4e00}-\\x{9fff}]{2,}$").match(city).hasMatch(),
                         qPrintable(city));
            cities += own.size();
        }
        // Every line belongs to a province, its name starting at the eleventh character.
        for (const QString &line : cityLines) {
            if (line.isEmpty())
                continue;
            QVERIFY2(QRegularExpression("^\\d{7}   \\S").match(line).hasMatch(), qPrintable(line));
            QVERIFY2(codes.contains(line.left(5)), qPrintable(line));
        }
        QCOMPARE(cities, cityLines.filter(QRegularExpression("\\S")).size());
        QVERIFY(cities > 330);
        QCOMPARE(CityList::citiesOf(dir, QStringLiteral("河北省 13000")).value(0), QStringLiteral("石家庄"));
        // A line shorter than ten characters gives an empty name; a missing file no cities.
        QCOMPARE(CityList::citiesIn({"13000ab", "1300001   保定"}, "13000"), QStringList({"", "保定"}));
        QVERIFY(CityList::citiesOf(QStringLiteral("/nonexistent"), provinces.first()).isEmpty());
    }

    void eachPanelShowsItsOwnCity()
    {
        int pictures = 0;
        TinyHttpServer server([&](const QUrl &target) {
            TinyHttpServer::Reply reply;
            if (target.path() == "/icons/cloudy.png") {
                ++pictures;
                reply.body = pngOf(Qt::yellow);
                reply.contentType = "image/png";
                return reply;
            }
            const QString city = QUrlQuery(target).queryItemValue("location", QUrl::FullyDecoded);
            reply.body =
                fullReply(city, city == "北京" ? 12 : 7,
                          "http://127.0.0.1:" + QString::number(server.serverPort()) + "/icons/cloudy.png")
                    .toUtf8();
            return reply;
        });
        WeatherConfig config;
        config.provider = WeatherConfig::Telematics;
        config.host = server.base();
        useService(config);

        const QString odd = QStringLiteral("A&B=C+D #1");
        CommonPlayWindow *a = play("A", weatherItem("北京", 10), QRect(0, 0, 340, 200));
        CommonPlayWindow *b = play("B", weatherItem(odd, 10), QRect(350, 0, 340, 200));
        QTRY_COMPARE_WITH_TIMEOUT(a->weather->shownText(), expectedText("北京", 12), 10000);
        QTRY_COMPARE_WITH_TIMEOUT(b->weather->shownText(), expectedText(odd, 7), 10000);
        QTRY_VERIFY_WITH_TIMEOUT(a->weather->showsPicture(0), 10000);
        QVERIFY(!a->weather->showsPicture(1)); // a file:// picture is never read

        const QUrl first = server.targets.first();
        QCOMPARE(first.path(), QStringLiteral("/telematics/v3/weather"));
        const QUrlQuery query(first);
        QCOMPARE(query.queryItemValue("location", QUrl::FullyDecoded), QStringLiteral("北京"));
        QCOMPARE(query.queryItemValue("output"), QStringLiteral("json"));
        QCOMPARE(query.queryItemValue("ak"), QStringLiteral("A7kQ2mVd9RtX4pLs8NwE3bYh6GzJcU5f"));
        QCOMPARE(query.queryItems().size(), 3);
        QCOMPARE(pictures, 1); // both panels share the one picture

        a->stopWindowPlay();
        b->stopWindowPlay();
    }

    void badRepliesKeepTheValuesAndRequestsStayBounded()
    {
        enum Kind { Good, NotJson, ServiceError, Lacking, Huge, HugeUndeclared, Silent, KindCount };
        int kind = Good;
        int served[KindCount] = {};
        bool silent = false;
        TinyHttpServer server([&](const QUrl &) {
            TinyHttpServer::Reply reply;
            ++served[kind];
            silent = kind == Silent;
            switch (kind) {
            case Good:
                reply.body = fullReply("北京", 12, "").toUtf8();
                break;
            case NotJson:
                reply.body = "<html>busy</html>";
                break;
            case ServiceError:
                reply.body = "{\"error\":-3,\"status\":\"No result available\"}";
                break;
            case Lacking:
                reply.body = "{\"error\":0,\"date\":\"2026-03-02\",\"results\":[{\"weather_data\":[{\"date\":"
                             "\"周一\"},{},{}]}]}";
                break;
            case Huge:
            case HugeUndeclared:
                reply.body = QByteArray(10 * 1024 * 1024, ' ') + fullReply("北京", 30, "").toUtf8();
                reply.declareLength = kind == Huge;
                break;
            case Silent:
                reply.answer = false;
                break;
            }
            // The next request meets the next kind of trouble.
            kind = kind + 1 < KindCount ? kind + 1 : NotJson;
            return reply;
        });
        WeatherConfig config;
        config.provider = WeatherConfig::Telematics;
        config.host = server.base();
        useService(config);

        CommonPlayWindow *pw = play("W", weatherItem("北京", 10), QRect(0, 0, 340, 200));
        QTRY_COMPARE_WITH_TIMEOUT(pw->weather->shownText(), expectedText("北京", 12), 10000);
        for (int minute = 0; minute < 60; ++minute) {
            QVERIFY(pass(60000, &server, &silent));
            QCOMPARE(pw->weather->shownText(), expectedText("北京", 12));
        }
        for (int k = NotJson; k < KindCount; ++k)
            QVERIFY2(served[k] > 0, qPrintable(QString::number(k)));
        // Six cycles, each with at most three retries, and the first request.
        QVERIFY2(service->requestsSent() <= 1 + 6 * 4, qPrintable(QString::number(service->requestsSent())));

        // Once the service answers again the next cycle shows it.
        server.setHandler([](const QUrl &) {
            TinyHttpServer::Reply reply;
            reply.body = fullReply("北京", 14, "").toUtf8();
            return reply;
        });
        silent = false;
        QVERIFY(pass(11 * 60000, &server));
        QTRY_COMPARE_WITH_TIMEOUT(pw->weather->shownText(), expectedText("北京", 14), 10000);
        pw->stopWindowPlay();
        // Nothing on screen: nothing is asked any more.
        const int sent = service->requestsSent();
        QVERIFY(pass(30 * 60000));
        QCOMPARE(service->requestsSent(), sent);
    }

    void openMeteoShape()
    {
        TinyHttpServer server([](const QUrl &target) {
            TinyHttpServer::Reply reply;
            if (target.path() == "/v1/search")
                reply.body = "{\"results\":[{\"id\":1816670,\"name\":\"北京\",\"latitude\":39.9075,"
                             "\"longitude\":116.39723,"
                             "\"timezone\":\"Asia/Shanghai\"}],\"generationtime_ms\":0.5}";
            else
                reply.body = "{\"latitude\":39.9,\"longitude\":116.4,\"timezone\":\"Asia/Shanghai\","
                             "\"current\":{\"time\":\"2026-03-02T09:00\",\"temperature_2m\":6.6,\"weather_"
                             "code\":2,\"wind_speed_10m\":11.2},"
                             "\"daily\":{\"time\":[\"2026-03-02\",\"2026-03-03\",\"2026-03-04\"],\"weather_"
                             "code\":[2,0,63],"
                             "\"temperature_2m_max\":[9.4,11.0,7.2],\"temperature_2m_min\":[-1.2,0.4,2.0],"
                             "\"wind_speed_10m_max\":[14.8,9.1,20.3]}}";
            return reply;
        });
        WeatherConfig config;
        config.provider = WeatherConfig::OpenMeteo;
        config.forecastUrl = server.base() + "/v1/forecast";
        config.geocodingUrl = server.base() + "/v1/search";
        useService(config);
        appSettings().language = 1;

        CommonPlayWindow *pw = play("W", weatherItem("北京", 30), QRect(0, 0, 340, 200));
        QTRY_COMPARE_WITH_TIMEOUT(
            pw->weather->shownText(),
            QStringList({"03-02", "Mon", "北京", "7℃", "Partly cloudy", "-1 ~ 9℃", "Wind 15 km/h",
                         "03-03 Clear", "0 ~ 11℃", "03-04 Rain", "2 ~ 7℃"})
                .join('\n'),
            10000);
        QCOMPARE(server.targets.size(), 2);
        const QUrlQuery search(server.targets.at(0));
        QCOMPARE(server.targets.at(0).path(), QStringLiteral("/v1/search"));
        QCOMPARE(search.queryItemValue("name", QUrl::FullyDecoded), QStringLiteral("北京"));
        QCOMPARE(search.queryItemValue("count"), QStringLiteral("1"));
        const QUrlQuery forecast(server.targets.at(1));
        QCOMPARE(server.targets.at(1).path(), QStringLiteral("/v1/forecast"));
        QCOMPARE(forecast.queryItemValue("latitude"), QStringLiteral("39.9075"));
        QCOMPARE(forecast.queryItemValue("longitude"), QStringLiteral("116.3972"));
        QVERIFY(forecast.queryItemValue("current", QUrl::FullyDecoded).contains("temperature_2m"));
        QVERIFY(forecast.queryItemValue("daily", QUrl::FullyDecoded).contains("temperature_2m_max"));
        // The place is looked up once; later cycles only ask for the forecast.
        QVERIFY(pass(30 * 60000, &server));
        QCOMPARE(server.targets.size(), 3);
        QCOMPARE(server.targets.at(2).path(), QStringLiteral("/v1/forecast"));
        pw->stopWindowPlay();
    }

    void withoutAServiceOnlyTheBackgroundShows()
    {
        useService(WeatherConfig());
        static int said = 0;
        said = 0;
        const QtMessageHandler previous =
            qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &message) {
                if (message.contains("no weather service is configured"))
                    ++said;
            });
        LumoraMediaObject *item = weatherItem("北京", 1);
        item->weather.length = QTime(0, 0, 10);
        CommonPlayWindow *pw = play("W", item, QRect(0, 0, 340, 200));
        QVERIFY(pass(10 * 60000)); // the item shows again and again
        qInstallMessageHandler(previous);
        QCOMPARE(said, 1);
        QVERIFY(!pw->weather->showsValues());
        QCOMPARE(service->requestsSent(), 0);
        pw->stopWindowPlay();
    }
};

QTEST_MAIN(TestWeather)
#include "test_weather.moc"
