#include "analogclockpanel.h"

#include "backgroundcontrols.h"
#include "colorbutton.h"
#include "model/lumoramediaobject.h"
#include "panelkit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QTabWidget>
#include <QTimeEdit>
#include <QVBoxLayout>

namespace {

constexpr int kMarkMin = 1;
constexpr int kMarkMax = 10;

QWidget *lineOf(QWidget *parent, const QList<QWidget *> &widgets)
{
    auto *line = new QWidget(parent);
    auto *layout = new QHBoxLayout(line);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(8);
    for (QWidget *widget : widgets) {
        widget->setParent(line);
        layout->addWidget(widget);
    }
    layout->addStretch(1);
    return line;
}

// A check box standing in a form's label column, right-aligned like the labels there.
QWidget *asLabel(QCheckBox *box, QWidget *parent)
{
    auto *holder = new QWidget(parent);
    auto *layout = new QHBoxLayout(holder);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addStretch(1);
    box->setParent(holder);
    layout->addWidget(box);
    return holder;
}

ColorButton *colorButton(const char *name)
{
    auto *button = new ColorButton;
    button->setObjectName(QLatin1String(name));
    return button;
}

QPushButton *fontButton(const char *name)
{
    auto *button = new QPushButton;
    button->setObjectName(QLatin1String(name));
    button->setMinimumWidth(100);
    return button;
}

QSpinBox *markSpin(const char *name)
{
    auto *spin = new QSpinBox;
    spin->setObjectName(QLatin1String(name));
    PanelKit::offerRange(spin, kMarkMin, kMarkMax);
    spin->setMinimumWidth(60);
    return spin;
}

QComboBox *shapeBox(const char *name)
{
    auto *box = new QComboBox;
    box->setObjectName(QLatin1String(name));
    box->addItem(QString(), 1); // Round
    box->addItem(QString(), 0); // Rectangle
    return box;
}

} // namespace

const AnalogClockPanel::FontFields AnalogClockPanel::textFont = {
    &AnalogClockProperties::textFont, &AnalogClockProperties::textFontSize, &AnalogClockProperties::textBold,
    &AnalogClockProperties::textItalic, &AnalogClockProperties::textUnderline};
const AnalogClockPanel::FontFields AnalogClockPanel::dateFont = {
    &AnalogClockProperties::dateFont, &AnalogClockProperties::dateFontSize, &AnalogClockProperties::dateBold,
    &AnalogClockProperties::dateItalic, &AnalogClockProperties::dateUnderline};
const AnalogClockPanel::FontFields AnalogClockPanel::weekFont = {
    &AnalogClockProperties::weekFont, &AnalogClockProperties::weekFontSize, &AnalogClockProperties::weekBold,
    &AnalogClockProperties::weekItalic, &AnalogClockProperties::weekUnderline};

AnalogClockPanel::AnalogClockPanel(QWidget *parent)
    : MediaPanel(parent)
{
    PanelKit::applyLook(this);
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    m_tabs = new QTabWidget(this);
    m_tabs->addTab(PanelKit::scrolled(buildDisplayPage()), QString());
    m_tabs->addTab(PanelKit::scrolled(buildDialPage()), QString());
    column->addWidget(m_tabs);

    using P = AnalogClockPanel;
    const auto activated = QOverload<int>::of(&QComboBox::activated);
    const auto spinChanged = QOverload<int>::of(&QSpinBox::valueChanged);
    connect(m_background->selector(), activated, this, &P::mSlotAnalogClockBKChange);
    connect(m_background->colorButton(), &QPushButton::clicked, this, &P::slotShowAnalogClockBKColorDialog);
    connect(m_background->styleBox(), activated, this, &P::slotanalogClockBKImageStyleChange);
    connect(m_background->transparentBox(), &QCheckBox::toggled, this, &P::slotAnalogClockBKTransparent);
    connect(m_text, &QLineEdit::textEdited, this, &P::slotanalogClockTextChange);
    connect(m_textColor, &QPushButton::clicked, this, &P::slotShowAnalogClockTextColorDialog);
    connect(m_textFont, &QPushButton::clicked, this, &P::slotSetAnalogClockTextFont);
    connect(m_showDate, &QCheckBox::toggled, this, &P::slotanalogClockDateCheck);
    connect(m_dateColor, &QPushButton::clicked, this, &P::slotAnalogClockDateColorDialog);
    connect(m_dateStyle, activated, this, &P::slotanalogMonthDayStyleChange);
    connect(m_dateFont, &QPushButton::clicked, this, &P::slotSetAnalogClockDateFont);
    connect(m_showWeek, &QCheckBox::toggled, this, &P::slotanalogClockWeekCheck);
    connect(m_weekColor, &QPushButton::clicked, this, &P::slotAnalogClockWeekColorDialog);
    connect(m_weekFont, &QPushButton::clicked, this, &P::slotSetAnalogClockWeekFont);
    connect(m_timeDiffMode, activated, this, &P::slotanalogClockTimeDiff);
    connect(m_timeDiff, &QTimeEdit::timeChanged, this, &P::slotanalogClockTimeDiffChanged);
    connect(m_playTime, &QTimeEdit::timeChanged, this, &P::slotanalogClockPlayTimeChanged);
    connect(m_hourMarkColor, &QPushButton::clicked, this, &P::slotAnalogClockTimeScaleColorDialog);
    connect(m_hourMarkWidth, spinChanged, this, &P::slotAnalogClockTimeScaleWChanged);
    connect(m_hourMarkHeight, spinChanged, this, &P::slotAnalogClockTimeScaleHChanged);
    connect(m_hourMarkShape, activated, this, &P::slotanalogClockTimeScaleShowStyle);
    connect(m_minuteMarkColor, &QPushButton::clicked, this, &P::slotAnalogClockMScaleColorDialog);
    connect(m_minuteMarkWidth, spinChanged, this, &P::slotAnalogClockMScaleWChanged);
    connect(m_minuteMarkHeight, spinChanged, this, &P::slotAnalogClockMScaleHChanged);
    connect(m_minuteMarkShape, activated, this, &P::slotanalogClockMScaleShowStyle);
    connect(m_hourHandColor, &QPushButton::clicked, this, &P::slotAnalogClockHourColorDialog);
    connect(m_minuteHandColor, &QPushButton::clicked, this, &P::slotAnalogClockMinColorDialog);
    connect(m_secondHandColor, &QPushButton::clicked, this, &P::slotAnalogClockSecColorDialog);

    retranslateUi();
}

QStringList AnalogClockPanel::kinds() const
{
    return {QStringLiteral("analogClock")};
}

QWidget *AnalogClockPanel::buildDisplayPage()
{
    auto *page = new QWidget;
    auto *column = new QVBoxLayout(page);
    column->setContentsMargins(10, 10, 10, 10);
    column->setSpacing(10);

    m_textsGroup = new QGroupBox(page);
    QFormLayout *texts = PanelKit::form();
    m_textsGroup->setLayout(texts);
    m_background = new BackgroundControls(true, m_textsGroup);
    setBackgroundOf([](LumoraMediaObject &m) { return BackgroundFields::of(m.analogClock.background); });
    m_backgroundLabel = new QLabel(m_textsGroup);
    texts->addRow(m_backgroundLabel, m_background);

    m_text = new QLineEdit;
    m_text->setObjectName(QStringLiteral("text"));
    m_text->setMinimumWidth(140);
    m_textColor = colorButton("textColor");
    m_textFont = fontButton("textFont");
    m_textLabel = new QLabel(m_textsGroup);
    texts->addRow(m_textLabel, lineOf(m_textsGroup, {m_text, m_textColor, m_textFont}));

    m_showDate = new QCheckBox(m_textsGroup);
    m_showDate->setObjectName(QStringLiteral("showDate"));
    m_dateColor = colorButton("dateColor");
    // Listed day first; the data is the stored style (0 month day, 1 day month).
    m_dateStyle = new QComboBox;
    m_dateStyle->setObjectName(QStringLiteral("dateStyle"));
    m_dateStyle->addItem(QString(), 1);
    m_dateStyle->addItem(QString(), 0);
    m_dateFont = fontButton("dateFont");
    texts->addRow(asLabel(m_showDate, m_textsGroup),
                  lineOf(m_textsGroup, {m_dateColor, m_dateStyle, m_dateFont}));

    m_showWeek = new QCheckBox(m_textsGroup);
    m_showWeek->setObjectName(QStringLiteral("showWeek"));
    m_weekColor = colorButton("weekColor");
    m_weekFont = fontButton("weekFont");
    texts->addRow(asLabel(m_showWeek, m_textsGroup), lineOf(m_textsGroup, {m_weekColor, m_weekFont}));
    column->addWidget(m_textsGroup);

    m_timeGroup = new QGroupBox(page);
    QFormLayout *time = PanelKit::form();
    m_timeGroup->setLayout(time);
    m_timeDiffMode = new QComboBox;
    m_timeDiffMode->setObjectName(QStringLiteral("timeDiffMode"));
    m_timeDiffMode->addItem(QString(), 0);
    m_timeDiffMode->addItem(QString(), 1);
    m_timeDiff = PanelKit::timeEdit(nullptr);
    m_timeDiff->setObjectName(QStringLiteral("timeDiff"));
    m_timeDiffLabel = new QLabel(m_timeGroup);
    time->addRow(m_timeDiffLabel, lineOf(m_timeGroup, {m_timeDiffMode, m_timeDiff}));
    m_playTime = PanelKit::timeEdit(m_timeGroup);
    m_playTime->setObjectName(QStringLiteral("playTime"));
    m_playTimeLabel = new QLabel(m_timeGroup);
    time->addRow(m_playTimeLabel, m_playTime);
    column->addWidget(m_timeGroup);
    column->addStretch(1);
    return page;
}

QWidget *AnalogClockPanel::buildDialPage()
{
    auto *page = new QWidget;
    auto *column = new QVBoxLayout(page);
    column->setContentsMargins(10, 10, 10, 10);
    column->setSpacing(10);

    m_marksGroup = new QGroupBox(page);
    QFormLayout *marks = PanelKit::form();
    m_marksGroup->setLayout(marks);
    auto markRow = [this](ColorButton *color, QSpinBox *width, QSpinBox *height, QComboBox *shape) {
        auto *widthLabel = new QLabel;
        auto *heightLabel = new QLabel;
        m_widthLabels << widthLabel;
        m_heightLabels << heightLabel;
        return lineOf(m_marksGroup, {color, widthLabel, width, heightLabel, height, shape});
    };
    m_hourMarkColor = colorButton("hourMarkColor");
    m_hourMarkWidth = markSpin("hourMarkWidth");
    m_hourMarkHeight = markSpin("hourMarkHeight");
    m_hourMarkShape = shapeBox("hourMarkShape");
    m_hourScaleLabel = new QLabel(m_marksGroup);
    marks->addRow(m_hourScaleLabel,
                  markRow(m_hourMarkColor, m_hourMarkWidth, m_hourMarkHeight, m_hourMarkShape));
    m_minuteMarkColor = colorButton("minuteMarkColor");
    m_minuteMarkWidth = markSpin("minuteMarkWidth");
    m_minuteMarkHeight = markSpin("minuteMarkHeight");
    m_minuteMarkShape = shapeBox("minuteMarkShape");
    m_minuteScaleLabel = new QLabel(m_marksGroup);
    marks->addRow(m_minuteScaleLabel,
                  markRow(m_minuteMarkColor, m_minuteMarkWidth, m_minuteMarkHeight, m_minuteMarkShape));
    column->addWidget(m_marksGroup);

    m_handsGroup = new QGroupBox(page);
    QFormLayout *hands = PanelKit::form();
    m_handsGroup->setLayout(hands);
    m_hourHandColor = colorButton("hourHandColor");
    m_hourHandLabel = new QLabel(m_handsGroup);
    hands->addRow(m_hourHandLabel, m_hourHandColor);
    m_minuteHandColor = colorButton("minuteHandColor");
    m_minuteHandLabel = new QLabel(m_handsGroup);
    hands->addRow(m_minuteHandLabel, m_minuteHandColor);
    m_secondHandColor = colorButton("secondHandColor");
    m_secondHandLabel = new QLabel(m_handsGroup);
    hands->addRow(m_secondHandLabel, m_secondHandColor);
    column->addWidget(m_handsGroup);
    column->addStretch(1);
    return page;
}

void AnalogClockPanel::retranslateUi()
{
    m_tabs->setTabText(0, tr("Display attribute"));
    m_tabs->setTabText(1, tr("Dial"));
    m_textsGroup->setTitle(tr("Texts"));
    m_timeGroup->setTitle(tr("Time"));
    m_marksGroup->setTitle(tr("Scales"));
    m_handsGroup->setTitle(tr("Hands"));
    m_backgroundLabel->setText(tr("Background:"));
    m_textLabel->setText(tr("Text:"));
    m_showDate->setText(tr("Date"));
    m_dateStyle->setItemText(0, tr("Day month"));
    m_dateStyle->setItemText(1, tr("Month day"));
    m_showWeek->setText(tr("Week"));
    for (QPushButton *button : {m_textFont, m_dateFont, m_weekFont})
        button->setToolTip(tr("Font"));
    for (ColorButton *button : {m_textColor, m_dateColor, m_weekColor})
        button->setToolTip(tr("Color"));
    m_timeDiffLabel->setText(tr("Time difference:"));
    m_timeDiffMode->setItemText(0, tr("Ahead"));
    m_timeDiffMode->setItemText(1, tr("Behind"));
    m_playTimeLabel->setText(tr("Play time:"));
    m_hourScaleLabel->setText(tr("Time Scale:"));
    m_minuteScaleLabel->setText(tr("M Scale:"));
    for (QLabel *label : qAsConst(m_widthLabels))
        label->setText(tr("Width:"));
    for (QLabel *label : qAsConst(m_heightLabels))
        label->setText(tr("Height:"));
    for (QComboBox *shape : {m_hourMarkShape, m_minuteMarkShape}) {
        shape->setItemText(0, tr("Round"));
        shape->setItemText(1, tr("Rectangle"));
    }
    m_hourHandLabel->setText(tr("Hour:"));
    m_minuteHandLabel->setText(tr("Minute:"));
    m_secondHandLabel->setText(tr("Second:"));
}

void AnalogClockPanel::showFont(QPushButton *button, const AnalogClockProperties &clock,
                                const FontFields &fields)
{
    QString face = QStringLiteral("%1, %2").arg(clock.*fields.family).arg(clock.*fields.size);
    if (clock.*fields.bold)
        face += QStringLiteral(" B");
    if (clock.*fields.italic)
        face += QStringLiteral(" I");
    if (clock.*fields.underline)
        face += QStringLiteral(" U");
    button->setText(face);
}

void AnalogClockPanel::fill(const LumoraMediaObject &media)
{
    const AnalogClockProperties &clock = media.analogClock;
    m_background->showBackground(BackgroundFields::of(MediaPanel::media()->analogClock.background));
    m_text->setText(clock.text);
    m_textColor->setColor(clock.textColor);
    showFont(m_textFont, clock, textFont);
    m_showDate->setChecked(clock.showDate);
    m_dateColor->setColor(clock.dateColor);
    PanelKit::selectData(m_dateStyle, clock.dateStyle);
    showFont(m_dateFont, clock, dateFont);
    m_showWeek->setChecked(clock.showWeek);
    m_weekColor->setColor(clock.weekColor);
    showFont(m_weekFont, clock, weekFont);
    PanelKit::selectData(m_timeDiffMode, clock.timeDiffMode);
    PanelKit::showTime(m_timeDiff, clock.timeDiff);
    PanelKit::showTime(m_playTime, clock.playTime);
    m_hourMarkColor->setColor(clock.hourMarkColor);
    PanelKit::showValue(m_hourMarkWidth, clock.hourMarkWidth);
    PanelKit::showValue(m_hourMarkHeight, clock.hourMarkHeight);
    PanelKit::selectData(m_hourMarkShape, clock.hourMarkShape);
    m_minuteMarkColor->setColor(clock.minuteMarkColor);
    PanelKit::showValue(m_minuteMarkWidth, clock.minuteMarkWidth);
    PanelKit::showValue(m_minuteMarkHeight, clock.minuteMarkHeight);
    PanelKit::selectData(m_minuteMarkShape, clock.minuteMarkShape);
    m_hourHandColor->setColor(clock.hourHandColor);
    m_minuteHandColor->setColor(clock.minuteHandColor);
    m_secondHandColor->setColor(clock.secondHandColor);
    updateEnabled(clock);
}

void AnalogClockPanel::updateEnabled(const AnalogClockProperties &clock)
{
    m_dateColor->setEnabled(clock.showDate);
    m_dateStyle->setEnabled(clock.showDate);
    m_dateFont->setEnabled(clock.showDate);
    m_weekColor->setEnabled(clock.showWeek);
    m_weekFont->setEnabled(clock.showWeek);
}

template<typename Store> void AnalogClockPanel::change(Store store)
{
    MediaPanel::change([&](LumoraMediaObject &m) { store(m.analogClock); });
}

void AnalogClockPanel::changed()
{
    updateEnabled(media()->analogClock);
}

void AnalogClockPanel::askColor(QColor AnalogClockProperties::*field,
                                void (AnalogClockPanel::*set)(const QColor &))
{
    if (!media())
        return;
    const QColor color = ColorButton::ask(this, media()->analogClock.*field);
    if (color.isValid())
        (this->*set)(color);
}

void AnalogClockPanel::setColor(ColorButton *button, QColor AnalogClockProperties::*field,
                                const QColor &color)
{
    button->setColor(color);
    change([&](AnalogClockProperties &c) { c.*field = color; });
}

void AnalogClockPanel::askFont(const FontFields &fields, QPushButton *button)
{
    if (!media())
        return;
    const AnalogClockProperties &clock = media()->analogClock;
    QFont initial(clock.*fields.family);
    if (clock.*fields.size > 0)
        initial.setPointSize(clock.*fields.size);
    initial.setBold(clock.*fields.bold);
    initial.setItalic(clock.*fields.italic);
    initial.setUnderline(clock.*fields.underline);
    bool ok = false;
    const QFont font = QFontDialog::getFont(&ok, initial, this, tr("Font"));
    if (!ok)
        return;
    change([&](AnalogClockProperties &c) {
        c.*fields.family = font.family();
        c.*fields.size = font.pointSize() > 0 ? font.pointSize() : c.*fields.size;
        c.*fields.bold = font.bold();
        c.*fields.italic = font.italic();
        c.*fields.underline = font.underline();
    });
    showFont(button, media()->analogClock, fields);
}

void AnalogClockPanel::mSlotAnalogClockBKChange(int index)
{
    changeBackground([&](const BackgroundFields &b) { return m_background->choose(index, b); });
}

void AnalogClockPanel::slotShowAnalogClockBKColorDialog()
{
    changeBackground([&](const BackgroundFields &b) { return m_background->askColor(b); });
}

void AnalogClockPanel::slotAnalogClockBKColorSet(const QColor &color)
{
    changeBackground([&](const BackgroundFields &b) { return m_background->setColor(color, b); });
}

void AnalogClockPanel::slotanalogClockBKImageStyleChange(int index)
{
    changeBackground([&](const BackgroundFields &b) { return m_background->setStyle(index, b); });
}

void AnalogClockPanel::slotAnalogClockBKTransparent(bool checked)
{
    changeBackground([&](const BackgroundFields &b) { return m_background->setTransparent(checked, b); });
}

void AnalogClockPanel::slotanalogClockTextChange(const QString &text)
{
    change([&](AnalogClockProperties &c) { c.text = text; });
}

void AnalogClockPanel::slotShowAnalogClockTextColorDialog()
{
    askColor(&AnalogClockProperties::textColor, &AnalogClockPanel::slotAnalogClockTextColorSet);
}

void AnalogClockPanel::slotAnalogClockTextColorSet(const QColor &color)
{
    setColor(m_textColor, &AnalogClockProperties::textColor, color);
}

void AnalogClockPanel::slotSetAnalogClockTextFont()
{
    askFont(textFont, m_textFont);
}

void AnalogClockPanel::slotanalogClockDateCheck(bool checked)
{
    change([&](AnalogClockProperties &c) { c.showDate = checked; });
}

void AnalogClockPanel::slotAnalogClockDateColorDialog()
{
    askColor(&AnalogClockProperties::dateColor, &AnalogClockPanel::slotAnalogClockDateColorSet);
}

void AnalogClockPanel::slotAnalogClockDateColorSet(const QColor &color)
{
    setColor(m_dateColor, &AnalogClockProperties::dateColor, color);
}

void AnalogClockPanel::slotanalogMonthDayStyleChange(int index)
{
    const int style = m_dateStyle->itemData(index).toInt();
    change([&](AnalogClockProperties &c) { c.dateStyle = style; });
}

void AnalogClockPanel::slotSetAnalogClockDateFont()
{
    askFont(dateFont, m_dateFont);
}

void AnalogClockPanel::slotanalogClockWeekCheck(bool checked)
{
    change([&](AnalogClockProperties &c) { c.showWeek = checked; });
}

void AnalogClockPanel::slotAnalogClockWeekColorDialog()
{
    askColor(&AnalogClockProperties::weekColor, &AnalogClockPanel::slotAnalogClockWeekColorSet);
}

void AnalogClockPanel::slotAnalogClockWeekColorSet(const QColor &color)
{
    setColor(m_weekColor, &AnalogClockProperties::weekColor, color);
}

void AnalogClockPanel::slotSetAnalogClockWeekFont()
{
    askFont(weekFont, m_weekFont);
}

void AnalogClockPanel::slotanalogClockTimeDiff(int index)
{
    const int mode = m_timeDiffMode->itemData(index).toInt();
    change([&](AnalogClockProperties &c) { c.timeDiffMode = mode; });
}

void AnalogClockPanel::slotanalogClockTimeDiffChanged(const QTime &time)
{
    change([&](AnalogClockProperties &c) { c.timeDiff = time; });
}

void AnalogClockPanel::slotanalogClockPlayTimeChanged(const QTime &time)
{
    change([&](AnalogClockProperties &c) { c.playTime = time; });
}

void AnalogClockPanel::slotAnalogClockTimeScaleColorDialog()
{
    askColor(&AnalogClockProperties::hourMarkColor, &AnalogClockPanel::slotAnalogClockTimeScaleColorSet);
}

void AnalogClockPanel::slotAnalogClockTimeScaleColorSet(const QColor &color)
{
    setColor(m_hourMarkColor, &AnalogClockProperties::hourMarkColor, color);
}

void AnalogClockPanel::slotAnalogClockTimeScaleWChanged(int width)
{
    change([&](AnalogClockProperties &c) { c.hourMarkWidth = width; });
}

void AnalogClockPanel::slotAnalogClockTimeScaleHChanged(int height)
{
    change([&](AnalogClockProperties &c) { c.hourMarkHeight = height; });
}

void AnalogClockPanel::slotanalogClockTimeScaleShowStyle(int index)
{
    const int shape = m_hourMarkShape->itemData(index).toInt();
    change([&](AnalogClockProperties &c) { c.hourMarkShape = shape; });
}

void AnalogClockPanel::slotAnalogClockMScaleColorDialog()
{
    askColor(&AnalogClockProperties::minuteMarkColor, &AnalogClockPanel::slotAnalogClockMScaleColorSet);
}

void AnalogClockPanel::slotAnalogClockMScaleColorSet(const QColor &color)
{
    setColor(m_minuteMarkColor, &AnalogClockProperties::minuteMarkColor, color);
}

void AnalogClockPanel::slotAnalogClockMScaleWChanged(int width)
{
    change([&](AnalogClockProperties &c) { c.minuteMarkWidth = width; });
}

void AnalogClockPanel::slotAnalogClockMScaleHChanged(int height)
{
    change([&](AnalogClockProperties &c) { c.minuteMarkHeight = height; });
}

void AnalogClockPanel::slotanalogClockMScaleShowStyle(int index)
{
    const int shape = m_minuteMarkShape->itemData(index).toInt();
    change([&](AnalogClockProperties &c) { c.minuteMarkShape = shape; });
}

void AnalogClockPanel::slotAnalogClockHourColorDialog()
{
    askColor(&AnalogClockProperties::hourHandColor, &AnalogClockPanel::slotAnalogClockHourColorSet);
}

void AnalogClockPanel::slotAnalogClockHourColorSet(const QColor &color)
{
    setColor(m_hourHandColor, &AnalogClockProperties::hourHandColor, color);
}

void AnalogClockPanel::slotAnalogClockMinColorDialog()
{
    askColor(&AnalogClockProperties::minuteHandColor, &AnalogClockPanel::slotAnalogClockMinColorSet);
}

void AnalogClockPanel::slotAnalogClockMinColorSet(const QColor &color)
{
    setColor(m_minuteHandColor, &AnalogClockProperties::minuteHandColor, color);
}

void AnalogClockPanel::slotAnalogClockSecColorDialog()
{
    askColor(&AnalogClockProperties::secondHandColor, &AnalogClockPanel::slotAnalogClockSecColorSet);
}

void AnalogClockPanel::slotAnalogClockSecColorSet(const QColor &color)
{
    setColor(m_secondHandColor, &AnalogClockProperties::secondHandColor, color);
}
