#include "weatherwindow.h"

#include "model/lumoramediaobject.h"
#include "weathercore/weatherservice.h"

namespace {
const char SmallStyle[] = "color:#00ffff;font:13px";
const char SkyStyle[] = "color:#ff6600;font:26px";
const char NowStyle[] = "color:#00ff00;font:26px";
const char RowStyle[] = "color:#00ff00;font:16px";
const char PictureStyle[] = "background-color:#0f0f1000";

enum Value { Date, Weekday, City, Now, Sky, Range, Wind, Day1, Day1Range, Day2, Day2Range, ValueCount };
} // namespace

WeatherWindow::WeatherWindow(QWidget *parent)
    : QLabel(parent)
{
    setStyleSheet(QStringLiteral("background:transparent"));
    const QString small = QLatin1String(SmallStyle), row = QLatin1String(RowStyle);
    addLabel(QRect(5, 5, 60, 34), small);
    addLabel(QRect(70, 9, 50, 26), small);
    addLabel(QRect(125, 9, 50, 26), small);
    addLabel(QRect(60, 47, 60, 40), QLatin1String(NowStyle));
    addLabel(QRect(125, 47, 200, 40), QLatin1String(SkyStyle));
    addLabel(QRect(5, 97, 120, 30), row);
    addLabel(QRect(130, 97, 120, 30), row);
    addLabel(QRect(40, 130, 120, 30), row);
    addLabel(QRect(165, 130, 120, 30), row);
    addLabel(QRect(40, 163, 120, 30), row);
    addLabel(QRect(165, 163, 120, 30), row);
    const QRect pictureRects[3] = {QRect(5, 42, 50, 50), QRect(5, 130, 30, 30), QRect(5, 163, 30, 30)};
    for (int i = 0; i < 3; ++i) {
        m_pictures[i] = new QLabel(this);
        m_pictures[i]->setGeometry(pictureRects[i]);
        m_pictures[i]->setStyleSheet(QLatin1String(PictureStyle));
        m_pictures[i]->setScaledContents(true);
        m_pictures[i]->hide();
    }
}

WeatherWindow::~WeatherWindow()
{
    stopItem();
}

QLabel *WeatherWindow::addLabel(const QRect &geometry, const QString &style)
{
    auto *label = new QLabel(this);
    label->setGeometry(geometry);
    label->setStyleSheet(style);
    label->hide();
    m_values << label;
    return label;
}

void WeatherWindow::startItem(const WeatherProperties &item)
{
    stopItem();
    m_city = item.location2.trimmed();
    WeatherService *service = &WeatherService::current();
    if (service != m_service) {
        // Connected once per service: an item shown every minute for months adds nothing.
        if (m_service)
            m_service->disconnect(this);
        m_service = service;
        connect(service, &WeatherService::reportChanged, this, &WeatherWindow::reportChanged);
        connect(service, &WeatherService::pictureArrived, this, &WeatherWindow::showPictures);
    }
    refresh();
    if (!m_city.isEmpty()) {
        m_service->watch(m_city, item.updateInterval);
        m_watching = true;
    }
}

void WeatherWindow::reportChanged(const QString &city)
{
    if (city == m_city)
        refresh();
}

void WeatherWindow::stopItem()
{
    if (m_watching && m_service)
        m_service->unwatch(m_city);
    m_watching = false;
}

void WeatherWindow::refresh()
{
    m_showsValues = m_service && !m_city.isEmpty() && m_service->hasReport(m_city);
    for (QLabel *label : qAsConst(m_values))
        label->setVisible(m_showsValues);
    if (!m_showsValues) {
        for (QLabel *picture : m_pictures)
            picture->hide();
        return;
    }
    const WeatherReport r = m_service->report(m_city);
    const QString texts[ValueCount] = {r.monthDay,
                                       r.weekday,
                                       m_city,
                                       r.currentTemperature,
                                       r.days[0].weather,
                                       r.days[0].temperature,
                                       r.days[0].wind,
                                       r.days[1].date + QLatin1Char(' ') + r.days[1].weather,
                                       r.days[1].temperature,
                                       r.days[2].date + QLatin1Char(' ') + r.days[2].weather,
                                       r.days[2].temperature};
    for (int i = 0; i < ValueCount; ++i)
        m_values.at(i)->setText(texts[i]);
    for (int i = 0; i < 3; ++i) {
        // A picture is fetched again only when its address changes.
        if (r.days[i].pictureUrl != m_pictureUrls[i]) {
            m_pictureUrls[i] = r.days[i].pictureUrl;
            m_pictures[i]->clear();
        }
        if (!m_pictureUrls[i].isEmpty())
            m_service->fetchPicture(m_pictureUrls[i]);
    }
    showPictures();
}

void WeatherWindow::showPictures()
{
    if (!m_service)
        return;
    for (int i = 0; i < 3; ++i) {
        const QImage image = m_pictureUrls[i].isEmpty() ? QImage() : m_service->picture(m_pictureUrls[i]);
        if (!image.isNull())
            m_pictures[i]->setPixmap(QPixmap::fromImage(image));
        m_pictures[i]->setVisible(m_showsValues && !image.isNull());
    }
}

QString WeatherWindow::shownText() const
{
    if (!m_showsValues)
        return QString();
    QStringList lines;
    for (const QLabel *label : m_values)
        lines << label->text();
    return lines.join(QLatin1Char('\n'));
}

bool WeatherWindow::showsPicture(int day) const
{
    return day >= 0 && day < 3 && m_pictures[day]->isVisibleTo(this) &&
           !m_pictures[day]->pixmap(Qt::ReturnByValue).isNull();
}
