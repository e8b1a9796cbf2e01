#pragma once

#include <QLabel>

// The weather panel of a play window. It shows whatever values were last set on it; the
// labels, picture views and the request to the weather service come with the weather issue.
class WeatherWindow : public QLabel
{
    Q_OBJECT

public:
    explicit WeatherWindow(QWidget *parent = nullptr);
};
