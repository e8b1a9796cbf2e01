#include "counttimerpanel.h"

#include "colorbutton.h"
#include "model/lumoramediaobject.h"
#include "panelkit.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTimeEdit>

CountTimerPanel::CountTimerPanel(QWidget *parent)
    : MediaPanel(parent)
{
    QFormLayout *form = PanelKit::scrollingForm(this);
    QWidget *content = form->parentWidget();
    auto label = [&](const char *source) { return m_texts.add(new QLabel(content), source); };

    m_background =
        new BackgroundControls(true, content);
    setBackgroundOf([](LumoraMediaObject &m) { return BackgroundFields::of(m.countTimer.background); });
    form->addRow(label(QT_TR_NOOP("Background:")), m_background);

    m_transparency = PanelKit::slider(0, 10, content);
    m_transparency->setObjectName(QStringLiteral("countTimerTransparency"));
    m_transparency->setPageStep(1);
    m_transparencyValue = new QLabel(content);
    m_transparencyValue->setMinimumWidth(24);
    form->addRow(label(QT_TR_NOOP("Transparency:")),
                 PanelKit::row(content, {m_transparency, m_transparencyValue}));

    m_decrease = m_texts.add(new QRadioButton(content), QT_TR_NOOP("Decrease progressively"));
    m_decrease->setObjectName(QStringLiteral("countTimerDecrease"));
    m_increase = m_texts.add(new QRadioButton(content), QT_TR_NOOP("Increase progressively"));
    m_increase->setObjectName(QStringLiteral("countTimerIncrease"));
    auto *group = new QButtonGroup(this);
    group->addButton(m_decrease);
    group->addButton(m_increase);
    form->addRow(label(QT_TR_NOOP("Stopwatch type:")), PanelKit::row(content, {m_decrease, m_increase}));

    m_numberColor = new ColorButton(content);
    m_numberColor->setObjectName(QStringLiteral("countTimerNumberColor"));
    form->addRow(label(QT_TR_NOOP("Number color:")), PanelKit::row(content, {m_numberColor}));

    m_length = PanelKit::timeEdit(content);
    m_length->setObjectName(QStringLiteral("countTimerLength"));
    form->addRow(label(QT_TR_NOOP("Target time:")), PanelKit::row(content, {m_length}));

    // operator -> record
    connect(m_background->selector(), QOverload<int>::of(&QComboBox::activated), this,
            &CountTimerPanel::slotCountTimerBKChange);
    connect(m_background->colorButton(), &QPushButton::clicked, this,
            &CountTimerPanel::slotShowCountTimerBKColorDialog);
    connect(m_background->styleBox(), QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &CountTimerPanel::slotCountTimerBKImageStyleChange);
    connect(m_background->transparentBox(), &QCheckBox::toggled, this,
            &CountTimerPanel::slotCountTimerBKTransparent);
    connect(m_transparency, &QSlider::valueChanged, this,
            &CountTimerPanel::slotCountTimerTransparencyChanged);
    connect(m_decrease, &QRadioButton::clicked, this, &CountTimerPanel::slotCountTimerDecrease);
    connect(m_increase, &QRadioButton::clicked, this, &CountTimerPanel::slotCountTimerIncrease);
    connect(m_numberColor, &QPushButton::clicked, this,
            &CountTimerPanel::slotShowCountTimerNumberColorDialog);
    connect(m_length, &QTimeEdit::timeChanged, this, &CountTimerPanel::slotdigitalCountTimerLength);
}

QStringList CountTimerPanel::kinds() const
{
    return {QStringLiteral("digitalTimer")};
}

void CountTimerPanel::fill(const LumoraMediaObject &media)
{
    const CountTimerProperties &p = media.countTimer;
    const BackgroundProperties &bg = p.background;
    m_background->showBackground(BackgroundFields::of(MediaPanel::media()->countTimer.background));
    PanelKit::showValue(m_transparency, p.transparency);
    m_transparencyValue->setNum(p.transparency);
    (p.countUp == 1 ? m_increase : m_decrease)->setChecked(true);
    m_numberColor->setColor(p.numberColor);
    m_length->setTime(p.length);
}

void CountTimerPanel::retranslateUi()
{
    m_texts.apply();
}

void CountTimerPanel::slotCountTimerBKChange(int index)
{
    changeBackground([&](const BackgroundFields &b) { return m_background->choose(index, b); });
}

void CountTimerPanel::slotShowCountTimerBKColorDialog()
{
    changeBackground([&](const BackgroundFields &b) { return m_background->askColor(b); });
}

void CountTimerPanel::slotCountTimerBKColorSet(const QColor &color)
{
    changeBackground([&](const BackgroundFields &b) { return m_background->setColor(color, b); });
}

void CountTimerPanel::slotCountTimerBKImageStyleChange(int index)
{
    changeBackground([&](const BackgroundFields &b) { return m_background->setStyle(index, b); });
}

void CountTimerPanel::slotCountTimerBKTransparent(bool checked)
{
    changeBackground([&](const BackgroundFields &b) { return m_background->setTransparent(checked, b); });
}

void CountTimerPanel::slotCountTimerTransparencyChanged(int value)
{
    m_transparencyValue->setNum(value);
    change([&](LumoraMediaObject &m) { m.countTimer.transparency = value; });
}

void CountTimerPanel::slotCountTimerDecrease()
{
    change([&](LumoraMediaObject &m) { m.countTimer.countUp = 0; });
}

void CountTimerPanel::slotCountTimerIncrease()
{
    change([&](LumoraMediaObject &m) { m.countTimer.countUp = 1; });
}

void CountTimerPanel::slotShowCountTimerNumberColorDialog()
{
    if (!media())
        return;
    const QColor color = ColorButton::ask(this, media()->countTimer.numberColor);
    if (color.isValid())
        slotCountTimerNumberColorSet(color);
}

void CountTimerPanel::slotCountTimerNumberColorSet(const QColor &color)
{
    change([&](LumoraMediaObject &m) {
        m.countTimer.numberColor = color;
        m_numberColor->setColor(color);
    });
}

void CountTimerPanel::slotdigitalCountTimerLength(const QTime &length)
{
    change([&](LumoraMediaObject &m) { m.countTimer.length = length; });
}
