#pragma once

#include "mediapanel.h"

#include <QColor>
#include <QTime>

class BackgroundControls;
class QComboBox;
class QGroupBox;
class QLabel;
class QSpinBox;
class QTimeEdit;

// A weather item: its background, the city whose weather it shows (chosen as a province and
// one of its cities from the program's city lists), how often the weather is asked again and
// how long the item stays.
//
// The record keeps the province entry as read from the list ("<name> <code>") in location1
// and the city in location2. A stored place that is not in the lists (another program's file,
// a city list that changed) is still shown as it is and kept until the operator chooses.
class WeatherPanel : public MediaPanel
{
    Q_OBJECT

public:
    explicit WeatherPanel(QWidget *parent = nullptr);
    QStringList kinds() const override;

public slots:
    void slotweatherBackgroundChange(int index);
    void slotShowWeatherBKColorDialog();
    void slotWeatherBKColorSet(const QColor &color);
    void slotweatherBKImageStyleChange(int index);
    void slotWeatherBKTransparent(bool checked);
    // A province chosen: its cities are listed and the first of them is chosen.
    void slotWeatherProvinceChange(int index);
    void slotweatherCountryChange(int index);
    void slotweatherUpdateChanged(int minutes);
    void slotweatherTimeLength(const QTime &time);

protected:
    void fill(const LumoraMediaObject &media) override;
    void retranslateUi() override;

private:
    void listCities(const QString &provinceEntry);
    // No service, or the last request for the panel's city failed: says so under the panel.
    void updateNotice();

    QGroupBox *m_group = nullptr;
    QLabel *m_backgroundLabel = nullptr;
    QLabel *m_cityLabel = nullptr;
    QLabel *m_updateLabel = nullptr;
    QLabel *m_minutesLabel = nullptr;
    QLabel *m_playTimeLabel = nullptr;
    QLabel *m_notice = nullptr;
    BackgroundControls *m_background = nullptr;
    QComboBox *m_province = nullptr;
    QComboBox *m_city = nullptr;
    QSpinBox *m_update = nullptr;
    QTimeEdit *m_playTime = nullptr;
};
