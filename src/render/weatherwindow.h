#pragma once

#include <QLabel>
#include <QPointer>

class WeatherService;
struct WeatherProperties;

// The weather panel of a play window: date, weekday, city, the current temperature, today's
// sky, range and wind with its picture, and the next two days. It shows the weather of its
// item's city (location2; location1 holds the province entry it was chosen from) as the
// weather service last had it, and follows every update while it is shown. With no values
// yet (no service configured, nothing answered) only the item's background shows.
class WeatherWindow : public QLabel
{
    Q_OBJECT

public:
    explicit WeatherWindow(QWidget *parent = nullptr);
    ~WeatherWindow() override;

    void startItem(const WeatherProperties &item);
    void stopItem();

    QString city() const { return m_city; }
    bool showsValues() const { return m_showsValues; }
    // Every value on the panel, one per line, for checks and logs.
    QString shownText() const;
    // Whether picture 0 (today), 1 or 2 is on the panel.
    bool showsPicture(int day) const;

private:
    void reportChanged(const QString &city);
    void refresh();
    void showPictures();
    QLabel *addLabel(const QRect &geometry, const QString &style);

    QPointer<WeatherService> m_service;
    QString m_city;
    bool m_watching = false;
    bool m_showsValues = false;
    QList<QLabel *> m_values; // in the order shownText() lists them
    QLabel *m_pictures[3] = {};
    QString m_pictureUrls[3];
};
