#pragma once

#include <QColor>
#include <QLabel>

struct VideoProperties;

// The text laid over a playing video, in a frameless top-level window of its own kept over
// the play window's media area. It takes the item's cover settings and shows the text
// plainly; the colour modes and the rolling strip come with the video issue.
class videoCoverLabel : public QLabel
{
    Q_OBJECT

public:
    explicit videoCoverLabel(QWidget *parent = nullptr);

    void setFromItem(const VideoProperties &video);

    QColor textColor = QColor(255, 0, 0);
    int fontSize = 8;
    bool bold = false;
    bool underline = false;
    bool italic = false;
    QString coverText;
    QString fontFamily;
    int colorMode = 0;
    int rollDirection = 0;
    int rollSpeed = 5;
    int rollingTextY = 0;
    int x = 0;
    bool rolling = false;

public slots:
    void slotTimeout();
    void setstartPox();
};
