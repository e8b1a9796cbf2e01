#pragma once

#include <QString>
#include <QTime>

// The value of a count-down or count-up timer, moved in 100 ms steps. Widget-free.
// The value never leaves the range 0 .. length, so a timer kept on screen longer than its
// length stops at 00:00:00 (down) or at its length (up) instead of wrapping past midnight.
class CountTimerValue
{
public:
    static constexpr int StepMs = 100;

    void reset(const QTime &length, int direction); // direction 0 down, 1 up
    void tick();
    QTime value() const { return m_value; }
    QString text() const; // "HH:mm:ss:z"

    static QString format(const QTime &value);

private:
    QTime m_length = QTime(0, 0, 0);
    QTime m_value = QTime(0, 0, 0);
    int m_direction = 0;
};
