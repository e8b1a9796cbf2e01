#pragma once

#include "textcore/counttimervalue.h"

#include <QColor>
#include <QLCDNumber>

class ClockTimer;
struct CountTimerProperties;

// A seven-segment count-down or count-up timer in 100 ms steps, shown as "HH:mm:ss:z".
// Its tick runs on the clock service from construction; the play window stops and
// restarts it around its items.
class DigitalTimerWin : public QLCDNumber
{
    Q_OBJECT

public:
    explicit DigitalTimerWin(QWidget *parent = nullptr);
    ~DigitalTimerWin() override;

    // Colour, length and direction from the item; the value starts at the length (down) or
    // at 00:00:00.000 (up) and the tick restarts at 100 ms.
    void setupItem(const CountTimerProperties &item);
    void startTick();
    void stopTick();

    static constexpr int TickMs = 100;
    // Room for the whole "HH:mm:ss:zzz" (the colons take a digit each).
    static constexpr int Digits = 12;

    QColor numberColor = QColor(255, 0, 0);
    QTime length = QTime(0, 0, 5);
    int direction = 0; // 0 "Decrease progressively", 1 "Increase progressively"
    CountTimerValue value;
    ClockTimer *tickTimer = nullptr;

public slots:
    void slotTimeout();
};
