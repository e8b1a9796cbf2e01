#pragma once

#include "mediapanel.h"

#include <QColor>
#include <QTime>

class BackgroundControls;
class ColorButton;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTabWidget;
class QTimeEdit;
struct AnalogClockProperties;

// The analog clock's properties on two pages: the texts around the dial with their colours
// and fonts ("Display attribute"), and the dial's marks and hands ("Dial").
class AnalogClockPanel : public MediaPanel
{
    Q_OBJECT

public:
    explicit AnalogClockPanel(QWidget *parent = nullptr);
    QStringList kinds() const override;

public slots:
    void mSlotAnalogClockBKChange(int index);
    void slotShowAnalogClockBKColorDialog();
    void slotAnalogClockBKColorSet(const QColor &color);
    void slotanalogClockBKImageStyleChange(int index);
    void slotAnalogClockBKTransparent(bool checked);
    void slotanalogClockTextChange(const QString &text);
    void slotShowAnalogClockTextColorDialog();
    void slotAnalogClockTextColorSet(const QColor &color);
    void slotSetAnalogClockTextFont();
    void slotanalogClockDateCheck(bool checked);
    void slotAnalogClockDateColorDialog();
    void slotAnalogClockDateColorSet(const QColor &color);
    void slotanalogMonthDayStyleChange(int index);
    void slotSetAnalogClockDateFont();
    void slotanalogClockWeekCheck(bool checked);
    void slotAnalogClockWeekColorDialog();
    void slotAnalogClockWeekColorSet(const QColor &color);
    void slotSetAnalogClockWeekFont();
    void slotanalogClockTimeDiff(int index);
    void slotanalogClockTimeDiffChanged(const QTime &time);
    void slotanalogClockPlayTimeChanged(const QTime &time);
    void slotAnalogClockTimeScaleColorDialog();
    void slotAnalogClockTimeScaleColorSet(const QColor &color);
    void slotAnalogClockTimeScaleWChanged(int width);
    void slotAnalogClockTimeScaleHChanged(int height);
    void slotanalogClockTimeScaleShowStyle(int index);
    void slotAnalogClockMScaleColorDialog();
    void slotAnalogClockMScaleColorSet(const QColor &color);
    void slotAnalogClockMScaleWChanged(int width);
    void slotAnalogClockMScaleHChanged(int height);
    void slotanalogClockMScaleShowStyle(int index);
    void slotAnalogClockHourColorDialog();
    void slotAnalogClockHourColorSet(const QColor &color);
    void slotAnalogClockMinColorDialog();
    void slotAnalogClockMinColorSet(const QColor &color);
    void slotAnalogClockSecColorDialog();
    void slotAnalogClockSecColorSet(const QColor &color);

protected:
    void fill(const LumoraMediaObject &media) override;
    void retranslateUi() override;

private:
    // The five font fields of one text of the clock.
    struct FontFields
    {
        QString AnalogClockProperties::*family;
        qint32 AnalogClockProperties::*size;
        bool AnalogClockProperties::*bold;
        bool AnalogClockProperties::*italic;
        bool AnalogClockProperties::*underline;
    };
    static const FontFields textFont, dateFont, weekFont;

    QWidget *buildDisplayPage();
    QWidget *buildDialPage();
    template<typename Store> void change(Store store);
    void changed() override;
    void askColor(QColor AnalogClockProperties::*field, void (AnalogClockPanel::*set)(const QColor &));
    void setColor(ColorButton *button, QColor AnalogClockProperties::*field, const QColor &color);
    void askFont(const FontFields &fields, QPushButton *button);
    static void showFont(QPushButton *button, const AnalogClockProperties &clock, const FontFields &fields);
    void updateEnabled(const AnalogClockProperties &clock);

    QTabWidget *m_tabs = nullptr;
    QGroupBox *m_textsGroup = nullptr;
    QGroupBox *m_timeGroup = nullptr;
    QGroupBox *m_marksGroup = nullptr;
    QGroupBox *m_handsGroup = nullptr;
    QLabel *m_backgroundLabel = nullptr;
    QLabel *m_textLabel = nullptr;
    QLabel *m_timeDiffLabel = nullptr;
    QLabel *m_playTimeLabel = nullptr;
    QLabel *m_hourScaleLabel = nullptr;
    QLabel *m_minuteScaleLabel = nullptr;
    QList<QLabel *> m_widthLabels;
    QList<QLabel *> m_heightLabels;
    QLabel *m_hourHandLabel = nullptr;
    QLabel *m_minuteHandLabel = nullptr;
    QLabel *m_secondHandLabel = nullptr;
    BackgroundControls *m_background = nullptr;
    QLineEdit *m_text = nullptr;
    ColorButton *m_textColor = nullptr;
    QPushButton *m_textFont = nullptr;
    QCheckBox *m_showDate = nullptr;
    ColorButton *m_dateColor = nullptr;
    QComboBox *m_dateStyle = nullptr;
    QPushButton *m_dateFont = nullptr;
    QCheckBox *m_showWeek = nullptr;
    ColorButton *m_weekColor = nullptr;
    QPushButton *m_weekFont = nullptr;
    QComboBox *m_timeDiffMode = nullptr;
    QTimeEdit *m_timeDiff = nullptr;
    QTimeEdit *m_playTime = nullptr;
    ColorButton *m_hourMarkColor = nullptr;
    QSpinBox *m_hourMarkWidth = nullptr;
    QSpinBox *m_hourMarkHeight = nullptr;
    QComboBox *m_hourMarkShape = nullptr;
    ColorButton *m_minuteMarkColor = nullptr;
    QSpinBox *m_minuteMarkWidth = nullptr;
    QSpinBox *m_minuteMarkHeight = nullptr;
    QComboBox *m_minuteMarkShape = nullptr;
    ColorButton *m_hourHandColor = nullptr;
    ColorButton *m_minuteHandColor = nullptr;
    ColorButton *m_secondHandColor = nullptr;
};
