#include "counttimervalue.h"

void CountTimerValue::reset(const QTime &length, int direction)
{
    m_length = length.isValid() ? length : QTime(0, 0, 0);
    m_direction = direction;
    m_value = direction == 0 ? m_length : QTime(0, 0, 0);
}

void CountTimerValue::tick()
{
    const int now = m_value.msecsSinceStartOfDay();
    if (m_direction == 0) {
        m_value = QTime::fromMSecsSinceStartOfDay(now >= StepMs ? now - StepMs : 0);
    } else {
        const int end = m_length.msecsSinceStartOfDay();
        m_value = QTime::fromMSecsSinceStartOfDay(now + StepMs <= end ? now + StepMs : end);
    }
}

QString CountTimerValue::text() const
{
    return format(m_value);
}

QString CountTimerValue::format(const QTime &value)
{
    // "HH:mm:ss:z" with the milliseconds as a plain number (900, not 9): Qt versions differ in
    // whether "z" drops trailing zeroes, and the timer must read the same everywhere.
    return value.toString(QStringLiteral("HH:mm:ss:")) + QString::number(value.msec());
}
