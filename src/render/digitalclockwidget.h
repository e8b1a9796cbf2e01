#pragma once

#include "textcore/digitalclocktext.h"

#include <QColor>
#include <QLabel>

class ClockTimer;
struct DigitalClockProperties;

// The date, weekday and time as text, on one row or several. Ticks every 500 ms on the
// clock service while shown; "now" comes from the clock service too.
class digitalClockWidget : public QLabel
{
    Q_OBJECT

public:
    explicit digitalClockWidget(QWidget *parent = nullptr);
    ~digitalClockWidget() override;

    void setupItem(const DigitalClockProperties &item);
    void startTick(); // one tick at once, then every 500 ms
    void stopTick();

    static constexpr int TickMs = 500;

    // Fields filled from the item.
    int dateStyle = 0;
    QString fixedText; // with a blank in front
    QString fontFamily = QStringLiteral("Arial");
    int fontSize = 16;
    int colorMode = 0;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    QColor color = QColor(255, 0, 0);
    DigitalClockText::Settings settings;
    bool multiRow = false;

    // The texts of the last tick.
    DigitalClockText texts;
    ClockTimer *tickTimer = nullptr;

    // The row texts painted in several-row mode, and the one-row string.
    QStringList rows() const;
    QString oneRow() const;

public slots:
    void slotTimeout();

protected:
    void paintEvent(QPaintEvent *event) override;
};
