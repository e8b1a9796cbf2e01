#pragma once

#include "mediapanel.h"

#include <QColor>
#include <QFont>
#include <QTime>

class BackgroundControls;
class ColorButton;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QFontComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QSpinBox;
class QTabWidget;
class QTimeEdit;
struct DigitalClockProperties;

// The digital clock's properties on two pages: what it looks like ("Basic Property") and which
// parts of the date and time it shows and how ("Display Style").
class DigitalClockPanel : public MediaPanel
{
    Q_OBJECT

public:
    explicit DigitalClockPanel(QWidget *parent = nullptr);
    QStringList kinds() const override;

public slots:
    void mSlotDigitalClockBKChange(int index);
    void slotShowDigitalClockBKColorDialog();
    void slotDigitalClockBKColorSet(const QColor &color);
    void slotdigitalClockBKImageStyleChange(int index);
    void slotDigitalClockBKTransparent(bool checked);
    void slotdigitalClockDateStyleChange(int index);
    void slotdigitalClockFixedTextChange(const QString &text);
    void slotDigitalClockTextFamily(const QFont &font);
    void mSlotdigitalClockFontSize(int size);
    void slotDigitalClockBChecked(bool checked);
    void slotDigitalClockIChecked(bool checked);
    void slotDigitalClockUChecked(bool checked);
    void slotDigitalClockColorDialog();
    void slotDigitalClockColorSet(const QColor &color);
    void mSlotigitalClockkColorful(int index);
    void slotDigitalClockYearChecked(bool checked);
    void slotDigitalClockMonthChecked(bool checked);
    void slotDigitalClockDayChecked(bool checked);
    void slotDigitalClockHourChecked(bool checked);
    void slotDigitalClockMinChecked(bool checked);
    void slotDigitalClockSecChecked(bool checked);
    void slotDigitalClockHalfChecked(bool checked);
    void slotDigitalClockWeekChecked(bool checked);
    void slotdigitalClock2bit(bool twoDigits);
    void slotigitalClockMultiRow(bool multiRow);
    void slotdigitalClock12hour(bool hour12);
    void mSlotigitalClockTimeDiff(int index);
    void slotdigitalClockTimeDiffChanged(const QTime &time);
    void slotdigitalClockPlayTimeChanged(const QTime &time);

protected:
    void fill(const LumoraMediaObject &media) override;
    void retranslateUi() override;

private:
    QWidget *buildBasicPage();
    QWidget *buildStylePage();
    // Stores through `store` into the live clock group, then announces the item.
    template<typename Store> void change(Store store);
    void changed() override;
    void updateEnabled(const DigitalClockProperties &clock);

    QTabWidget *m_tabs = nullptr;
    QGroupBox *m_lookGroup = nullptr;
    QGroupBox *m_timeGroup = nullptr;
    QGroupBox *m_partsGroup = nullptr;
    QGroupBox *m_formatGroup = nullptr;
    QLabel *m_backgroundLabel = nullptr;
    QLabel *m_dateStyleLabel = nullptr;
    QLabel *m_fixedTextLabel = nullptr;
    QLabel *m_fontLabel = nullptr;
    QLabel *m_sizeLabel = nullptr;
    QLabel *m_styleLabel = nullptr;
    QLabel *m_colorfulLabel = nullptr;
    QLabel *m_playTimeLabel = nullptr;
    QLabel *m_yearLabel = nullptr;
    QLabel *m_rowsLabel = nullptr;
    QLabel *m_hoursLabel = nullptr;
    QLabel *m_timeDiffLabel = nullptr;
    BackgroundControls *m_background = nullptr;
    QComboBox *m_dateStyle = nullptr;
    QLineEdit *m_fixedText = nullptr;
    QFontComboBox *m_font = nullptr;
    QSpinBox *m_fontSize = nullptr;
    QCheckBox *m_bold = nullptr;
    QCheckBox *m_italic = nullptr;
    QCheckBox *m_underline = nullptr;
    ColorButton *m_color = nullptr;
    QComboBox *m_colorful = nullptr;
    QTimeEdit *m_playTime = nullptr;
    QCheckBox *m_showYear = nullptr;
    QCheckBox *m_showMonth = nullptr;
    QCheckBox *m_showDay = nullptr;
    QCheckBox *m_showHour = nullptr;
    QCheckBox *m_showMinute = nullptr;
    QCheckBox *m_showSecond = nullptr;
    QCheckBox *m_showHalfDay = nullptr;
    QCheckBox *m_showWeek = nullptr;
    QRadioButton *m_fourDigitYear = nullptr;
    QRadioButton *m_twoDigitYear = nullptr;
    QRadioButton *m_singleRow = nullptr;
    QRadioButton *m_multiRow = nullptr;
    QRadioButton *m_hour24 = nullptr;
    QRadioButton *m_hour12 = nullptr;
    QComboBox *m_timeDiffMode = nullptr;
    QTimeEdit *m_timeDiff = nullptr;
};
