#pragma once

#include "officepagelist.h"

#include <QColor>
#include <QImage>
#include <QList>
#include <QSize>
#include <QString>
#include <QTime>

// The five background fields repeated inside several property groups, in stored order.
struct BackgroundProperties
{
    bool backgroundIsColor = true;
    QColor backgroundColor = QColor(0, 0, 0);
    QString backgroundImage;
    qint32 backgroundImageStyle = 1; // 0 Tile, 1 Stretch
    bool backgroundTransparent = false;
};

struct VideoProperties
{
    QString filePath;
    qint32 volume = 100;
    QTime totalLength = QTime(0, 0, 0, 0);
    // Not stored: the file's own length where the stored one is 0 and something read it (the
    // simulation); -1 when nobody did.
    qint64 probedMsecs = -1;
    bool clipEnabled = false;
    QTime clipStart = QTime(0, 0, 0);
    QTime clipEnd = QTime(0, 0, 0);
    qint32 scaleType = 0; // 0 Fill, 1 Original Scale
    qint32 rotation = 0;  // 0..3 for 0, 90, 180, 270 degrees
    bool backgroundIsColor = true;
    QColor backgroundColor = QColor(0, 0, 0);
    QString backgroundImage;
    qint32 backgroundImageStyle = 0; // Tile here, unlike the other groups
    bool backgroundTransparent = false;
    bool coverTextEnabled = false;
    QString coverText;
    qint32 coverColorful = 0;
    qint32 coverFontSize = 8;
    bool coverBold = false;
    bool coverItalic = false;
    bool coverUnderline = false;
    QColor coverTextColor = QColor(255, 0, 0);
    QString coverFontFamily;
    bool coverRolling = false;
    qint32 coverRollSpeed = 5;
    qint32 coverRollDirection = 0; // 0 Right to Left, 1 Left to Right
    qint32 coverTextY = 0;
};

// Used by "image" and "office" items.
struct ImageProperties
{
    QString filePath;
    bool backgroundIsColor = true;
    QColor backgroundColor = QColor(0, 0, 0);
    QString backgroundImage;
    qint32 backgroundImageStyle = 1;
    bool backgroundTransparent = false;
    QString backgroundMusic;
    bool entryEffectEnabled = false;
    bool exitEffectEnabled = false;
    qint32 entryEffect = 0;
    qint32 exitEffect = 0;
    qint32 entrySpeed = 5;
    qint32 exitSpeed = 5;
    qint32 scaleType = 0;
    qint32 stayTime = 5;
    qint32 transparency = 10;
    qint32 rotation = 0;
    OfficePageList pages; // office pages, drawn from the cached PDF; rebuilt on load, never stored
};

struct AnalogClockProperties
{
    BackgroundProperties background;
    QColor textColor = QColor(255, 0, 0);
    QString text;
    QString textFont = QStringLiteral("Arial");
    qint32 textFontSize = 16;
    bool textBold = false;
    bool textItalic = false;
    bool textUnderline = false;
    bool showDate = true;
    QColor dateColor = QColor(255, 255, 255);
    qint32 dateStyle = 0; // 0 Month day, 1 Day month
    QString dateFont = QStringLiteral("Arial");
    qint32 dateFontSize = 16;
    bool dateBold = false;
    bool dateItalic = false;
    bool dateUnderline = false;
    bool showWeek = false;
    QColor weekColor = QColor(255, 255, 255);
    QString weekFont = QStringLiteral("Arial");
    qint32 weekFontSize = 16;
    bool weekBold = false;
    bool weekItalic = false;
    bool weekUnderline = false;
    qint32 timeDiffMode = 0; // 0 ahead, 1 behind
    QTime timeDiff = QTime(0, 0, 0);
    QTime playTime = QTime(0, 0, 5);
    QColor hourMarkColor = QColor(0, 255, 0);
    qint32 hourMarkWidth = 5;
    qint32 hourMarkHeight = 5;
    qint32 hourMarkShape = 0; // 0 Rectangle, 1 Round
    QColor minuteMarkColor = QColor(30, 144, 255);
    qint32 minuteMarkWidth = 3;
    qint32 minuteMarkHeight = 3;
    qint32 minuteMarkShape = 0;
    QColor hourHandColor = QColor(255, 255, 0);
    QColor minuteHandColor = QColor(0, 128, 0);
    QColor secondHandColor = QColor(255, 0, 0);
};

struct DigitalClockProperties
{
    BackgroundProperties background;
    qint32 dateStyle = 0; // 0 Year month day, 1 Day month year, 2 Month day year
    QString fixedText;
    QString fontFamily = QStringLiteral("Arial");
    qint32 fontSize = 16;
    qint32 colorful = 0;
    QTime playTime = QTime(0, 0, 5);
    QColor color = QColor(255, 0, 0);
    // The fourteen flags below are stored in exactly this order.
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool showYear = true;
    bool showMonth = true;
    bool showDay = true;
    bool showHour = true;
    bool showMinute = true;
    bool showSecond = true;
    bool showHalfDay = true;
    bool showWeek = true;
    bool twoDigitYear = false;
    bool hour12 = false;
    bool multiRow = false;
    qint32 timeDiffMode = 0;
    QTime timeDiff = QTime(0, 0, 0);
};

// Type "digitalTimer".
struct CountTimerProperties
{
    BackgroundProperties background;
    qint32 transparency = 10;
    qint32 countUp = 0; // 0 count down, 1 count up
    QTime length = QTime(0, 0, 5);
    QColor numberColor = QColor(255, 0, 0);
};

// Used by "txt", "simpleText", "singleRowText" and "scrollingText".
struct TextProperties
{
    QString text = QStringLiteral("Hello");
    QString fontFamily = QStringLiteral("Arial");
    qint32 fontSize = 16;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    QColor textColor = QColor(255, 0, 0);
    bool backgroundIsColor = true;
    qint32 colorful = 0; // stored between backgroundIsColor and backgroundColor
    QColor backgroundColor = QColor(0, 0, 0);
    QString backgroundImage;
    qint32 backgroundImageStyle = 1;
    bool backgroundTransparent = false;
    bool entryEffectEnabled = false;
    bool exitEffectEnabled = false;
    qint32 entryEffect = 0;
    qint32 exitEffect = 0;
    qint32 entrySpeed = 5;
    qint32 exitSpeed = 5;
    qint32 horizontalAlign = 0; // 0 Left, 1 Right, 2 Center
    qint32 verticalAlign = 0;   // 0 Top, 1 Bottom, 2 Center
    qint32 lineSpacing = 0;
    qint32 letterSpacing = 0;
    qint32 stayTime = 3;
    bool playToEnd = true;
    QTime playDuration = QTime(0, 0, 5);
    qint32 rollDirection = 0; // 0 Right to Left, 1 Left to Right
    bool endToEnd = false;
    qint32 cycleInterval = 10;
    qint32 rollSpeed = 5;
};

// Type "URL".
struct UrlProperties
{
    qint32 transparency = 10;
    QString address = QStringLiteral("https://www.example.com/");
    qint32 posX = 0;
    qint32 posY = 0;
    QTime length = QTime(0, 0, 20);
};

struct VideoDeviceProperties
{
    BackgroundProperties background; // backgroundTransparent is stored as an int32 0/1
    QTime length = QTime(0, 10, 0);
};

struct StreamingProperties
{
    QString address = QStringLiteral("rtmp://127.0.0.1/live/stream");
    qint32 volume = 100;
    QTime length = QTime(0, 10, 0);
};

struct WeatherProperties
{
    BackgroundProperties background;
    QString location1;
    QString location2;
    QString location3;
    qint32 reserved = 0;
    qint32 updateInterval = 10;
    QTime length = QTime(0, 0, 10);
};

// One media item. Every group is present; the type keyword says which one is live.
class LumoraMediaObject
{
public:
    QString type;
    QString windowName;
    QString programName;
    QString segmentName;
    QString displayWindowName;
    qint32 mediaId = 0;

    VideoProperties video;
    ImageProperties image;
    AnalogClockProperties analogClock;
    DigitalClockProperties digitalClock;
    CountTimerProperties countTimer;
    TextProperties text;
    UrlProperties url;
    VideoDeviceProperties videoDevice;
    StreamingProperties streaming;
    WeatherProperties weather;
};
