#include "digitalclockpanel.h"

#include "backgroundcontrols.h"
#include "colorbutton.h"
#include "model/lumoramediaobject.h"
#include "panelkit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QTabWidget>
#include <QTimeEdit>
#include <QVBoxLayout>

namespace {

// Two radios on a widget of their own, so that each pair is exclusive by itself.
QWidget *radioPair(QRadioButton *&first, QRadioButton *&second, const char *firstName, const char *secondName,
                   QWidget *parent)
{
    auto *pair = new QWidget(parent);
    auto *row = new QHBoxLayout(pair);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(16);
    first = new QRadioButton(pair);
    first->setObjectName(QLatin1String(firstName));
    second = new QRadioButton(pair);
    second->setObjectName(QLatin1String(secondName));
    row->addWidget(first);
    row->addWidget(second);
    row->addStretch(1);
    return pair;
}

} // namespace

DigitalClockPanel::DigitalClockPanel(QWidget *parent)
    : MediaPanel(parent)
{
    PanelKit::applyLook(this);
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    m_tabs = new QTabWidget(this);
    m_tabs->addTab(PanelKit::scrolled(buildBasicPage()), QString());
    m_tabs->addTab(PanelKit::scrolled(buildStylePage()), QString());
    column->addWidget(m_tabs);

    connect(m_background->selector(), QOverload<int>::of(&QComboBox::activated), this,
            &DigitalClockPanel::mSlotDigitalClockBKChange);
    connect(m_background->colorButton(), &QPushButton::clicked, this,
            &DigitalClockPanel::slotShowDigitalClockBKColorDialog);
    connect(m_background->styleBox(), QOverload<int>::of(&QComboBox::activated), this,
            &DigitalClockPanel::slotdigitalClockBKImageStyleChange);
    connect(m_background->transparentBox(), &QCheckBox::toggled, this,
            &DigitalClockPanel::slotDigitalClockBKTransparent);
    connect(m_dateStyle, QOverload<int>::of(&QComboBox::activated), this,
            &DigitalClockPanel::slotdigitalClockDateStyleChange);
    connect(m_fixedText, &QLineEdit::textEdited, this, &DigitalClockPanel::slotdigitalClockFixedTextChange);
    connect(m_font, &QFontComboBox::currentFontChanged, this, &DigitalClockPanel::slotDigitalClockTextFamily);
    connect(m_fontSize, QOverload<int>::of(&QSpinBox::valueChanged), this,
            &DigitalClockPanel::mSlotdigitalClockFontSize);
    connect(m_bold, &QCheckBox::toggled, this, &DigitalClockPanel::slotDigitalClockBChecked);
    connect(m_italic, &QCheckBox::toggled, this, &DigitalClockPanel::slotDigitalClockIChecked);
    connect(m_underline, &QCheckBox::toggled, this, &DigitalClockPanel::slotDigitalClockUChecked);
    connect(m_color, &QPushButton::clicked, this, &DigitalClockPanel::slotDigitalClockColorDialog);
    connect(m_colorful, QOverload<int>::of(&QComboBox::activated), this,
            &DigitalClockPanel::mSlotigitalClockkColorful);
    connect(m_playTime, &QTimeEdit::timeChanged, this, &DigitalClockPanel::slotdigitalClockPlayTimeChanged);
    connect(m_showYear, &QCheckBox::toggled, this, &DigitalClockPanel::slotDigitalClockYearChecked);
    connect(m_showMonth, &QCheckBox::toggled, this, &DigitalClockPanel::slotDigitalClockMonthChecked);
    connect(m_showDay, &QCheckBox::toggled, this, &DigitalClockPanel::slotDigitalClockDayChecked);
    connect(m_showHour, &QCheckBox::toggled, this, &DigitalClockPanel::slotDigitalClockHourChecked);
    connect(m_showMinute, &QCheckBox::toggled, this, &DigitalClockPanel::slotDigitalClockMinChecked);
    connect(m_showSecond, &QCheckBox::toggled, this, &DigitalClockPanel::slotDigitalClockSecChecked);
    connect(m_showHalfDay, &QCheckBox::toggled, this, &DigitalClockPanel::slotDigitalClockHalfChecked);
    connect(m_showWeek, &QCheckBox::toggled, this, &DigitalClockPanel::slotDigitalClockWeekChecked);
    connect(m_twoDigitYear, &QRadioButton::toggled, this, &DigitalClockPanel::slotdigitalClock2bit);
    connect(m_multiRow, &QRadioButton::toggled, this, &DigitalClockPanel::slotigitalClockMultiRow);
    connect(m_hour12, &QRadioButton::toggled, this, &DigitalClockPanel::slotdigitalClock12hour);
    connect(m_timeDiffMode, QOverload<int>::of(&QComboBox::activated), this,
            &DigitalClockPanel::mSlotigitalClockTimeDiff);
    connect(m_timeDiff, &QTimeEdit::timeChanged, this, &DigitalClockPanel::slotdigitalClockTimeDiffChanged);

    retranslateUi();
}

QStringList DigitalClockPanel::kinds() const
{
    return {QStringLiteral("digitalClock")};
}

QWidget *DigitalClockPanel::buildBasicPage()
{
    auto *page = new QWidget;
    auto *column = new QVBoxLayout(page);
    column->setContentsMargins(10, 10, 10, 10);
    column->setSpacing(10);

    m_lookGroup = new QGroupBox(page);
    QFormLayout *look = PanelKit::form();
    m_lookGroup->setLayout(look);
    m_background = new BackgroundControls(true, m_lookGroup);
    setBackgroundOf([](LumoraMediaObject &m) { return BackgroundFields::of(m.digitalClock.background); });
    m_backgroundLabel = new QLabel(m_lookGroup);
    look->addRow(m_backgroundLabel, m_background);

    m_fixedText = new QLineEdit(m_lookGroup);
    m_fixedText->setObjectName(QStringLiteral("fixedText"));
    m_fixedText->setMinimumWidth(260);
    m_fixedTextLabel = new QLabel(m_lookGroup);
    look->addRow(m_fixedTextLabel, m_fixedText);

    m_font = new QFontComboBox(m_lookGroup);
    m_font->setObjectName(QStringLiteral("font"));
    m_font->setEditable(false);
    m_fontLabel = new QLabel(m_lookGroup);
    look->addRow(m_fontLabel, m_font);

    m_fontSize = new QSpinBox(m_lookGroup);
    m_fontSize->setObjectName(QStringLiteral("fontSize"));
    PanelKit::offerRange(m_fontSize, 1, 500);
    m_fontSize->setMinimumWidth(80);
    m_sizeLabel = new QLabel(m_lookGroup);
    look->addRow(m_sizeLabel, m_fontSize);

    auto *styleRow = new QWidget(m_lookGroup);
    auto *styles = new QHBoxLayout(styleRow);
    styles->setContentsMargins(0, 0, 0, 0);
    styles->setSpacing(14);
    m_bold = new QCheckBox(styleRow);
    m_bold->setObjectName(QStringLiteral("bold"));
    m_italic = new QCheckBox(styleRow);
    m_italic->setObjectName(QStringLiteral("italic"));
    m_underline = new QCheckBox(styleRow);
    m_underline->setObjectName(QStringLiteral("underline"));
    m_color = new ColorButton(styleRow);
    m_color->setObjectName(QStringLiteral("color"));
    styles->addWidget(m_bold);
    styles->addWidget(m_italic);
    styles->addWidget(m_underline);
    styles->addWidget(m_color);
    styles->addStretch(1);
    m_styleLabel = new QLabel(m_lookGroup);
    look->addRow(m_styleLabel, styleRow);

    m_colorful = new QComboBox(m_lookGroup);
    m_colorful->setObjectName(QStringLiteral("colorful"));
    for (int mode = 0; mode <= 5; ++mode)
        m_colorful->addItem(QString(), mode);
    m_colorfulLabel = new QLabel(m_lookGroup);
    look->addRow(m_colorfulLabel, m_colorful);
    column->addWidget(m_lookGroup);

    m_timeGroup = new QGroupBox(page);
    QFormLayout *time = PanelKit::form();
    m_timeGroup->setLayout(time);
    // Listed month first as operators read dates; the data is the stored style.
    m_dateStyle = new QComboBox(m_timeGroup);
    m_dateStyle->setObjectName(QStringLiteral("dateStyle"));
    m_dateStyle->addItem(QString(), 2);
    m_dateStyle->addItem(QString(), 1);
    m_dateStyle->addItem(QString(), 0);
    m_dateStyleLabel = new QLabel(m_timeGroup);
    time->addRow(m_dateStyleLabel, m_dateStyle);
    m_playTime = PanelKit::timeEdit(m_timeGroup);
    m_playTime->setObjectName(QStringLiteral("playTime"));
    m_playTimeLabel = new QLabel(m_timeGroup);
    time->addRow(m_playTimeLabel, m_playTime);
    column->addWidget(m_timeGroup);
    column->addStretch(1);
    return page;
}

QWidget *DigitalClockPanel::buildStylePage()
{
    auto *page = new QWidget;
    auto *column = new QVBoxLayout(page);
    column->setContentsMargins(10, 10, 10, 10);
    column->setSpacing(10);

    m_partsGroup = new QGroupBox(page);
    auto *parts = new QGridLayout(m_partsGroup);
    parts->setHorizontalSpacing(24);
    parts->setVerticalSpacing(8);
    QCheckBox **boxes[] = {&m_showYear, &m_showMonth,  &m_showDay,    &m_showWeek,
                           &m_showHour, &m_showMinute, &m_showSecond, &m_showHalfDay};
    const char *names[] = {"showYear", "showMonth",  "showDay",    "showWeek",
                           "showHour", "showMinute", "showSecond", "showHalfDay"};
    for (int i = 0; i < 8; ++i) {
        *boxes[i] = new QCheckBox(m_partsGroup);
        (*boxes[i])->setObjectName(QLatin1String(names[i]));
        parts->addWidget(*boxes[i], i / 4, i % 4);
    }
    parts->setColumnStretch(4, 1);
    column->addWidget(m_partsGroup);

    m_formatGroup = new QGroupBox(page);
    QFormLayout *format = PanelKit::form();
    m_formatGroup->setLayout(format);
    m_yearLabel = new QLabel(m_formatGroup);
    format->addRow(m_yearLabel, radioPair(m_fourDigitYear, m_twoDigitYear, "fourDigitYear", "twoDigitYear",
                                          m_formatGroup));
    m_rowsLabel = new QLabel(m_formatGroup);
    format->addRow(m_rowsLabel, radioPair(m_singleRow, m_multiRow, "singleRow", "multiRow", m_formatGroup));
    m_hoursLabel = new QLabel(m_formatGroup);
    format->addRow(m_hoursLabel, radioPair(m_hour24, m_hour12, "hour24", "hour12", m_formatGroup));

    auto *diffRow = new QWidget(m_formatGroup);
    auto *diff = new QHBoxLayout(diffRow);
    diff->setContentsMargins(0, 0, 0, 0);
    diff->setSpacing(8);
    m_timeDiffMode = new QComboBox(diffRow);
    m_timeDiffMode->setObjectName(QStringLiteral("timeDiffMode"));
    m_timeDiffMode->addItem(QString(), 0);
    m_timeDiffMode->addItem(QString(), 1);
    m_timeDiff = PanelKit::timeEdit(diffRow);
    m_timeDiff->setObjectName(QStringLiteral("timeDiff"));
    diff->addWidget(m_timeDiffMode);
    diff->addWidget(m_timeDiff);
    diff->addStretch(1);
    m_timeDiffLabel = new QLabel(m_formatGroup);
    format->addRow(m_timeDiffLabel, diffRow);
    column->addWidget(m_formatGroup);
    column->addStretch(1);
    return page;
}

void DigitalClockPanel::retranslateUi()
{
    m_tabs->setTabText(0, tr("Basic Property"));
    m_tabs->setTabText(1, tr("Display Style"));
    m_lookGroup->setTitle(tr("Appearance"));
    m_timeGroup->setTitle(tr("Date and play time"));
    m_partsGroup->setTitle(tr("Shown parts"));
    m_formatGroup->setTitle(tr("Format"));
    m_backgroundLabel->setText(tr("Background:"));
    m_dateStyleLabel->setText(tr("Date Style:"));
    m_dateStyle->setItemText(0, tr("Month day year"));
    m_dateStyle->setItemText(1, tr("Day month year"));
    m_dateStyle->setItemText(2, tr("Year month day"));
    m_fixedTextLabel->setText(tr("Fixed Text:"));
    m_fontLabel->setText(tr("Font:"));
    m_sizeLabel->setText(tr("Size(px):"));
    m_styleLabel->setText(tr("Style:"));
    m_bold->setText(tr("Bold"));
    m_italic->setText(tr("Italic"));
    m_underline->setText(tr("Underline"));
    m_color->setToolTip(tr("Text color"));
    m_colorfulLabel->setText(tr("Colorful characters:"));
    m_colorful->setItemText(0, tr("None"));
    m_colorful->setItemText(1, tr("Horizontal gradient(six colors)"));
    m_colorful->setItemText(2, tr("Vertical gradient(six colors)"));
    m_colorful->setItemText(3, tr("Angle gradient(six colors)"));
    m_colorful->setItemText(4, tr("Three color streamer word"));
    m_colorful->setItemText(5, tr("Rainbow streamer word"));
    m_playTimeLabel->setText(tr("Play time:"));
    m_showYear->setText(tr("Year"));
    m_showMonth->setText(tr("Month"));
    m_showDay->setText(tr("Day"));
    m_showHour->setText(tr("Hour"));
    m_showMinute->setText(tr("Minute"));
    m_showSecond->setText(tr("Second"));
    m_showHalfDay->setText(tr("Half Day"));
    m_showWeek->setText(tr("Week"));
    m_yearLabel->setText(tr("Year digits:"));
    m_fourDigitYear->setText(tr("4-bit Years"));
    m_twoDigitYear->setText(tr("2-bit Years"));
    m_rowsLabel->setText(tr("Rows:"));
    m_singleRow->setText(tr("Single-row"));
    m_multiRow->setText(tr("Multi-row"));
    m_hoursLabel->setText(tr("Hour system:"));
    m_hour24->setText(tr("24 Hours"));
    m_hour12->setText(tr("12 Hours"));
    m_timeDiffLabel->setText(tr("Time difference:"));
    m_timeDiffMode->setItemText(0, tr("Ahead"));
    m_timeDiffMode->setItemText(1, tr("Behind"));
}

void DigitalClockPanel::fill(const LumoraMediaObject &media)
{
    const DigitalClockProperties &clock = media.digitalClock;
    m_background->showBackground(BackgroundFields::of(MediaPanel::media()->digitalClock.background));
    PanelKit::selectData(m_dateStyle, clock.dateStyle);
    m_fixedText->setText(clock.fixedText);
    m_font->setCurrentFont(QFont(clock.fontFamily));
    PanelKit::showValue(m_fontSize, clock.fontSize);
    m_bold->setChecked(clock.bold);
    m_italic->setChecked(clock.italic);
    m_underline->setChecked(clock.underline);
    m_color->setColor(clock.color);
    PanelKit::selectData(m_colorful, clock.colorful);
    PanelKit::showTime(m_playTime, clock.playTime);
    m_showYear->setChecked(clock.showYear);
    m_showMonth->setChecked(clock.showMonth);
    m_showDay->setChecked(clock.showDay);
    m_showHour->setChecked(clock.showHour);
    m_showMinute->setChecked(clock.showMinute);
    m_showSecond->setChecked(clock.showSecond);
    m_showHalfDay->setChecked(clock.showHalfDay);
    m_showWeek->setChecked(clock.showWeek);
    (clock.twoDigitYear ? m_twoDigitYear : m_fourDigitYear)->setChecked(true);
    (clock.multiRow ? m_multiRow : m_singleRow)->setChecked(true);
    (clock.hour12 ? m_hour12 : m_hour24)->setChecked(true);
    PanelKit::selectData(m_timeDiffMode, clock.timeDiffMode);
    PanelKit::showTime(m_timeDiff, clock.timeDiff);
    updateEnabled(clock);
}

void DigitalClockPanel::updateEnabled(const DigitalClockProperties &clock)
{
    // The colourful modes paint their own colours.
    m_color->setEnabled(clock.colorful == 0);
    m_fourDigitYear->setEnabled(clock.showYear);
    m_twoDigitYear->setEnabled(clock.showYear);
    m_hour24->setEnabled(clock.showHour);
    m_hour12->setEnabled(clock.showHour);
    m_showHalfDay->setEnabled(clock.showHour);
}

template<typename Store> void DigitalClockPanel::change(Store store)
{
    MediaPanel::change([&](LumoraMediaObject &m) { store(m.digitalClock); });
}

void DigitalClockPanel::changed()
{
    updateEnabled(media()->digitalClock);
}

void DigitalClockPanel::mSlotDigitalClockBKChange(int index)
{
    changeBackground([&](const BackgroundFields &b) { return m_background->choose(index, b); });
}

void DigitalClockPanel::slotShowDigitalClockBKColorDialog()
{
    changeBackground([&](const BackgroundFields &b) { return m_background->askColor(b); });
}

void DigitalClockPanel::slotDigitalClockBKColorSet(const QColor &color)
{
    changeBackground([&](const BackgroundFields &b) { return m_background->setColor(color, b); });
}

void DigitalClockPanel::slotdigitalClockBKImageStyleChange(int index)
{
    changeBackground([&](const BackgroundFields &b) { return m_background->setStyle(index, b); });
}

void DigitalClockPanel::slotDigitalClockBKTransparent(bool checked)
{
    changeBackground([&](const BackgroundFields &b) { return m_background->setTransparent(checked, b); });
}

void DigitalClockPanel::slotdigitalClockDateStyleChange(int index)
{
    const int style = m_dateStyle->itemData(index).toInt();
    change([&](DigitalClockProperties &c) { c.dateStyle = style; });
}

void DigitalClockPanel::slotdigitalClockFixedTextChange(const QString &text)
{
    change([&](DigitalClockProperties &c) { c.fixedText = text; });
}

void DigitalClockPanel::slotDigitalClockTextFamily(const QFont &font)
{
    change([&](DigitalClockProperties &c) { c.fontFamily = font.family(); });
}

void DigitalClockPanel::mSlotdigitalClockFontSize(int size)
{
    change([&](DigitalClockProperties &c) { c.fontSize = size; });
}

void DigitalClockPanel::slotDigitalClockBChecked(bool checked)
{
    change([&](DigitalClockProperties &c) { c.bold = checked; });
}

void DigitalClockPanel::slotDigitalClockIChecked(bool checked)
{
    change([&](DigitalClockProperties &c) { c.italic = checked; });
}

void DigitalClockPanel::slotDigitalClockUChecked(bool checked)
{
    change([&](DigitalClockProperties &c) { c.underline = checked; });
}

void DigitalClockPanel::slotDigitalClockColorDialog()
{
    if (!media())
        return;
    const QColor color = ColorButton::ask(this, media()->digitalClock.color);
    if (color.isValid())
        slotDigitalClockColorSet(color);
}

void DigitalClockPanel::slotDigitalClockColorSet(const QColor &color)
{
    m_color->setColor(color);
    change([&](DigitalClockProperties &c) { c.color = color; });
}

void DigitalClockPanel::mSlotigitalClockkColorful(int index)
{
    const int mode = m_colorful->itemData(index).toInt();
    change([&](DigitalClockProperties &c) { c.colorful = mode; });
}

void DigitalClockPanel::slotDigitalClockYearChecked(bool checked)
{
    change([&](DigitalClockProperties &c) { c.showYear = checked; });
}

void DigitalClockPanel::slotDigitalClockMonthChecked(bool checked)
{
    change([&](DigitalClockProperties &c) { c.showMonth = checked; });
}

void DigitalClockPanel::slotDigitalClockDayChecked(bool checked)
{
    change([&](DigitalClockProperties &c) { c.showDay = checked; });
}

void DigitalClockPanel::slotDigitalClockHourChecked(bool checked)
{
    change([&](DigitalClockProperties &c) { c.showHour = checked; });
}

void DigitalClockPanel::slotDigitalClockMinChecked(bool checked)
{
    change([&](DigitalClockProperties &c) { c.showMinute = checked; });
}

void DigitalClockPanel::slotDigitalClockSecChecked(bool checked)
{
    change([&](DigitalClockProperties &c) { c.showSecond = checked; });
}

void DigitalClockPanel::slotDigitalClockHalfChecked(bool checked)
{
    change([&](DigitalClockProperties &c) { c.showHalfDay = checked; });
}

void DigitalClockPanel::slotDigitalClockWeekChecked(bool checked)
{
    change([&](DigitalClockProperties &c) { c.showWeek = checked; });
}

void DigitalClockPanel::slotdigitalClock2bit(bool twoDigits)
{
    change([&](DigitalClockProperties &c) { c.twoDigitYear = twoDigits; });
}

void DigitalClockPanel::slotigitalClockMultiRow(bool multiRow)
{
    change([&](DigitalClockProperties &c) { c.multiRow = multiRow; });
}

void DigitalClockPanel::slotdigitalClock12hour(bool hour12)
{
    change([&](DigitalClockProperties &c) { c.hour12 = hour12; });
}

void DigitalClockPanel::mSlotigitalClockTimeDiff(int index)
{
    const int mode = m_timeDiffMode->itemData(index).toInt();
    change([&](DigitalClockProperties &c) { c.timeDiffMode = mode; });
}

void DigitalClockPanel::slotdigitalClockTimeDiffChanged(const QTime &time)
{
    change([&](DigitalClockProperties &c) { c.timeDiff = time; });
}

void DigitalClockPanel::slotdigitalClockPlayTimeChanged(const QTime &time)
{
    change([&](DigitalClockProperties &c) { c.playTime = time; });
}
