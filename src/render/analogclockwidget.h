#pragma once

#include <QColor>
#include <QLabel>
#include <QTime>

class ClockTimer;
struct AnalogClockProperties;

// A clock dial with hands, marks, numbers and optional free text, date and weekday. Ticks
// every 500 ms on the clock service while shown; "now" comes from the clock service too.
class AnalogClockWidget : public QLabel
{
    Q_OBJECT

public:
    explicit AnalogClockWidget(QWidget *parent = nullptr);
    ~AnalogClockWidget() override;

    void setupItem(const AnalogClockProperties &item);
    void startTick(); // one tick at once, then every 500 ms
    void stopTick();

    static constexpr int TickMs = 500;

    QColor hourMarkColor = QColor(0, 255, 0);
    int hourMarkWidth = 5;
    int hourMarkHeight = 5;
    int hourMarkShape = 0; // 0 rectangle, otherwise ellipse
    QColor minuteMarkColor = QColor(30, 144, 255);
    int minuteMarkWidth = 3;
    int minuteMarkHeight = 3;
    int minuteMarkShape = 0;
    QString weekdayText;
    QString dateText;
    QString freeText;
    QColor hourHandColor = QColor(255, 255, 0);
    QColor minuteHandColor = QColor(0, 128, 0);
    QColor secondHandColor = QColor(255, 0, 0);
    bool showDate = true;
    bool showWeekday = false;
    QColor textColor = QColor(255, 0, 0);
    QColor dateColor = QColor(255, 255, 255);
    QColor weekdayColor = QColor(255, 255, 255);
    int timeDiffMode = 0;
    QTime timeDiff = QTime(0, 0, 0);
    int dateStyle = 0; // 0 "MM/dd", 1 "dd/MM"
    QTime displayedTime = QTime(0, 0, 0);
    ClockTimer *tickTimer = nullptr;

public slots:
    void slotTimeout();

protected:
    void paintEvent(QPaintEvent *event) override;
};
