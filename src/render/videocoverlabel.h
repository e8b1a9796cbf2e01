#pragma once

#include <QColor>
#include <QLabel>
#include <QPixmap>

class ClockTimer;
struct VideoProperties;

// The text laid over a playing video, in a frameless, always-on-top, translucent window
// of its own kept over the play window's media area: static text in the colour pen of
// its colour mode, or a pre-drawn strip rolling across at the cover's speed.
class videoCoverLabel : public QLabel
{
    Q_OBJECT

public:
    explicit videoCoverLabel(QWidget *parent = nullptr);

    void setFromItem(const VideoProperties &video);

    // Roll tick interval in milliseconds for a speed (1..10).
    static int rollInterval(int speed);
    // Pixels one roll step moves for a direction, speed and font size.
    static int rollStep(int direction, int speed, int fontSize);

    QColor textColor = QColor(255, 0, 0);
    int fontSize = 8;
    bool bold = false;
    bool underline = false;
    bool italic = false;
    QString coverText;
    QString fontFamily;
    int colorMode = 0;
    QPixmap strip;
    int rollDirection = 0;
    int rollSpeed = 5;
    int rollingTextY = 0;
    int textWidth = 0;
    QFont textFont;
    QLabel *stripLabel = nullptr;
    ClockTimer *rollTick = nullptr;
    int x = 0;
    bool rolling = false;

public slots:
    void slotTimeout();
    void setstartPox();

protected:
    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void buildStrip();
};
