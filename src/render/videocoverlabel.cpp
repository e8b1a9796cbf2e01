#include "videocoverlabel.h"

#include "lumoramediaobject.h"

videoCoverLabel::videoCoverLabel(QWidget *parent)
    : QLabel(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setWordWrap(true);
}

void videoCoverLabel::setFromItem(const VideoProperties &video)
{
    bold = video.coverBold;
    italic = video.coverItalic;
    underline = video.coverUnderline;
    coverText = video.coverText;
    textColor = video.coverTextColor;
    fontSize = video.coverFontSize;
    colorMode = video.coverColorful;
    fontFamily = video.coverFontFamily;
    rolling = video.coverRolling;
    rollDirection = video.coverRollDirection;
    rollSpeed = video.coverRollSpeed;
    rollingTextY = video.coverTextY;
    QFont f(fontFamily);
    f.setPointSize(qMax(1, fontSize));
    f.setBold(bold);
    f.setItalic(italic);
    f.setUnderline(underline);
    setFont(f);
    setStyleSheet(QStringLiteral("color:rgb(%1,%2,%3);background:transparent")
                      .arg(textColor.red())
                      .arg(textColor.green())
                      .arg(textColor.blue()));
    setText(coverText);
    setstartPox();
}

void videoCoverLabel::slotTimeout()
{
    // One roll step; the rolling strip is drawn with the video issue.
}

void videoCoverLabel::setstartPox()
{
    x = rollDirection == 0 ? width() : -fontMetrics().horizontalAdvance(coverText);
}
