#include "textpanel.h"

#include "colorbutton.h"
#include "model/lumoramediaobject.h"
#include "panelkit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTimeEdit>

TextPanel::TextPanel(QWidget *parent)
    : MediaPanel(parent)
{
    QFormLayout *form = PanelKit::scrollingForm(this);
    QWidget *content = form->parentWidget();
    auto label = [&](const char *source) { return m_texts.add(new QLabel(content), source); };
    auto combo = [&](const char *name) {
        auto *box = new QComboBox(content);
        box->setObjectName(QLatin1String(name));
        return box;
    };

    m_text = new QPlainTextEdit(content);
    m_text->setObjectName(QStringLiteral("textText"));
    m_text->setFixedHeight(90);
    form->addRow(label(QT_TR_NOOP("Text:")), m_text);

    m_family = combo("textFamily");
    PanelKit::fillFamilies(m_family);
    m_family->setMinimumContentsLength(16);
    m_family->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_size = PanelKit::spinBox(1, 1000, content);
    m_size->setObjectName(QStringLiteral("textSize"));
    form->addRow(label(QT_TR_NOOP("Font:")),
                 PanelKit::row(content, {m_family, label(QT_TR_NOOP("Size(px):")), m_size}));

    m_bold = m_texts.add(new QCheckBox(content), QT_TR_NOOP("Bold"));
    m_bold->setObjectName(QStringLiteral("textBold"));
    m_italic = m_texts.add(new QCheckBox(content), QT_TR_NOOP("Italic"));
    m_underline = m_texts.add(new QCheckBox(content), QT_TR_NOOP("Underline"));
    m_color = new ColorButton(content);
    m_color->setObjectName(QStringLiteral("textColor"));
    form->addRow(label(QT_TR_NOOP("Style:")), PanelKit::row(content, {m_bold, m_italic, m_underline}));
    form->addRow(label(QT_TR_NOOP("Color:")), PanelKit::row(content, {m_color}));

    m_colorful = combo("textColorful");
    m_texts.items(m_colorful, &PanelKit::colorfulStyles);
    form->addRow(label(QT_TR_NOOP("Colorful characters:")), PanelKit::row(content, {m_colorful}));

    m_horizontal = combo("textHorizontal");
    m_texts.items(m_horizontal, {QT_TR_NOOP("Align Left"), QT_TR_NOOP("Align Right"), QT_TR_NOOP("Center")});
    m_vertical = combo("textVertical");
    m_texts.items(m_vertical, {QT_TR_NOOP("Align Top"), QT_TR_NOOP("Align Bottom"), QT_TR_NOOP("Center")});
    form->addRow(label(QT_TR_NOOP("Horizontal alignment:")), PanelKit::row(content, {m_horizontal}));
    form->addRow(label(QT_TR_NOOP("Vertical alignment:")), PanelKit::row(content, {m_vertical}));

    m_spacing = PanelKit::spinBox(0, 500, content);
    m_spacing->setObjectName(QStringLiteral("textSpacing"));
    m_kerning = PanelKit::spinBox(0, 500, content);
    m_kerning->setObjectName(QStringLiteral("textKerning"));
    form->addRow(label(QT_TR_NOOP("Spacing:")),
                 PanelKit::row(content, {m_spacing, label(QT_TR_NOOP("Kerning:")), m_kerning}));

    m_background =
        new BackgroundControls(true, content);
    setBackgroundOf([](LumoraMediaObject &m) { return BackgroundFields::of(m.text); });
    form->addRow(label(QT_TR_NOOP("Background:")), m_background);

    auto effectRow = [&](QCheckBox *&box, QComboBox *&style, QSpinBox *&speed, const char *name,
                         const std::function<QStringList()> &effects) {
        box = m_texts.add(new QCheckBox(content), name);
        style = new QComboBox(content);
        m_texts.items(style, effects);
        speed = PanelKit::spinBox(1, 500, content);
        QWidget *field =
            PanelKit::row(content, {style, label(QT_TR_NOOP("Speed:")), speed, label(QT_TR_NOOP("0.1s"))});
        PanelKit::addCheckedRow(form, box, field);
        m_stillRows << box << field;
    };
    effectRow(m_entryBox, m_entryStyle, m_entrySpeed, QT_TR_NOOP("Entry effect"), &PanelKit::entryEffects);
    effectRow(m_exitBox, m_exitStyle, m_exitSpeed, QT_TR_NOOP("Exit effect"), &PanelKit::exitEffects);
    m_entryBox->setObjectName(QStringLiteral("textEntryBox"));
    m_entryStyle->setObjectName(QStringLiteral("textEntryStyle"));
    m_entrySpeed->setObjectName(QStringLiteral("textEntrySpeed"));

    m_stayTime = PanelKit::spinBox(1, 10000, content);
    m_stayTime->setObjectName(QStringLiteral("textStayTime"));
    QLabel *stayLabel = label(QT_TR_NOOP("Stay Time:"));
    QWidget *stayField = PanelKit::row(content, {m_stayTime, label(QT_TR_NOOP("seconds"))});
    form->addRow(stayLabel, stayField);
    m_stillRows << stayLabel << stayField;

    m_direction = combo("textDirection");
    m_texts.items(m_direction, &PanelKit::rollDirections);
    m_rollSpeed = combo("textRollSpeed");
    for (int speed = 1; speed <= 10; ++speed)
        m_rollSpeed->addItem(QString::number(speed));
    QLabel *directionLabel = label(QT_TR_NOOP("Rolling Direction:"));
    QWidget *directionField =
        PanelKit::row(content, {m_direction, label(QT_TR_NOOP("Rolling speed:")), m_rollSpeed});
    form->addRow(directionLabel, directionField);

    m_endToEnd = m_texts.add(new QCheckBox(content), QT_TR_NOOP("End to end"));
    m_endToEnd->setObjectName(QStringLiteral("textEndToEnd"));
    m_interval = PanelKit::spinBox(0, 100, content);
    m_interval->setObjectName(QStringLiteral("textInterval"));
    QWidget *intervalField = PanelKit::row(content, {label(QT_TR_NOOP("Interval of Cycles:")), m_interval});
    PanelKit::addCheckedRow(form, m_endToEnd, intervalField);

    m_completePlay = m_texts.add(new QCheckBox(content), QT_TR_NOOP("CompletePlay"));
    m_completePlay->setObjectName(QStringLiteral("textCompletePlay"));
    m_duration = PanelKit::timeEdit(content);
    m_duration->setObjectName(QStringLiteral("textDuration"));
    QWidget *durationField = PanelKit::row(content, {label(QT_TR_NOOP("Play Duration:")), m_duration});
    PanelKit::addCheckedRow(form, m_completePlay, durationField);
    m_rollingRows << directionLabel << directionField << m_endToEnd << intervalField << m_completePlay
                  << durationField;

    // operator -> record
    connect(m_text, &QPlainTextEdit::textChanged, this, &TextPanel::slotTextTextChanged);
    connect(m_family, &QComboBox::currentTextChanged, this, &TextPanel::mSlotTextFamily);
    connect(m_size, QOverload<int>::of(&QSpinBox::valueChanged), this, &TextPanel::mSlotTextFontSize);
    connect(m_bold, &QCheckBox::toggled, this, &TextPanel::slotTextBChecked);
    connect(m_italic, &QCheckBox::toggled, this, &TextPanel::slotTextIChecked);
    connect(m_underline, &QCheckBox::toggled, this, &TextPanel::slotTextUChecked);
    connect(m_color, &QPushButton::clicked, this, &TextPanel::slotShowTextColorDialog);
    connect(m_colorful, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &TextPanel::m_textColorfulBoxChanged);
    connect(m_vertical, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &TextPanel::m_textVerticalBoxChanged);
    connect(m_horizontal, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &TextPanel::slotTextHorizontalChanged);
    connect(m_spacing, QOverload<int>::of(&QSpinBox::valueChanged), this, &TextPanel::slotTextSPacingChanged);
    connect(m_kerning, QOverload<int>::of(&QSpinBox::valueChanged), this, &TextPanel::slotTextKerningChanged);
    connect(m_background->selector(), QOverload<int>::of(&QComboBox::activated), this,
            &TextPanel::mSlotTextBKChange);
    connect(m_background->colorButton(), &QPushButton::clicked, this, &TextPanel::slotShowTextBKColorDialog);
    connect(m_background->styleBox(), QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &TextPanel::slottextBKImageStyleChange);
    connect(m_background->transparentBox(), &QCheckBox::toggled, this, &TextPanel::slotTextBKTransparent);
    connect(m_entryBox, &QCheckBox::toggled, this, &TextPanel::slotTextComingIntoBox);
    connect(m_entryStyle, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &TextPanel::mSlottextComingStyleChange);
    connect(m_entrySpeed, QOverload<int>::of(&QSpinBox::valueChanged), this,
            &TextPanel::slotTextComingSpeedChanged);
    connect(m_exitBox, &QCheckBox::toggled, this, &TextPanel::slotTextGoingOutBox);
    connect(m_exitStyle, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &TextPanel::mSlottextOutStyleChange);
    connect(m_exitSpeed, QOverload<int>::of(&QSpinBox::valueChanged), this,
            &TextPanel::slotTextGoingOutSpeedChanged);
    connect(m_direction, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &TextPanel::mSlotTextRollingChange);
    connect(m_endToEnd, &QCheckBox::toggled, this, &TextPanel::slottextEndToEndBox);
    connect(m_interval, QOverload<int>::of(&QSpinBox::valueChanged), this,
            &TextPanel::slottextIntervalOfCycleChanged);
    connect(m_rollSpeed, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &TextPanel::mtextRollingSpeedChange);
    connect(m_stayTime, QOverload<int>::of(&QSpinBox::valueChanged), this,
            &TextPanel::slotTextStayTimeChanged);
    connect(m_completePlay, &QCheckBox::toggled, this, &TextPanel::slotTextCompletePlayBox);
    connect(m_duration, &QTimeEdit::timeChanged, this, &TextPanel::slottextPlayDurationTimeChanged);
    updateEnabled();
}

QStringList TextPanel::kinds() const
{
    return {QStringLiteral("simpleText"), QStringLiteral("singleRowText"), QStringLiteral("scrollingText"),
            QStringLiteral("txt")};
}

void TextPanel::fill(const LumoraMediaObject &media)
{
    const TextProperties &p = media.text;
    showRowsOf(media.type);
    m_text->setPlainText(p.text);
    PanelKit::selectFamily(m_family, p.fontFamily);
    PanelKit::showValue(m_size, p.fontSize);
    m_bold->setChecked(p.bold);
    m_italic->setChecked(p.italic);
    m_underline->setChecked(p.underline);
    m_color->setColor(p.textColor);
    PanelKit::selectIndex(m_colorful, p.colorful);
    PanelKit::selectIndex(m_horizontal, p.horizontalAlign);
    PanelKit::selectIndex(m_vertical, p.verticalAlign);
    PanelKit::showValue(m_spacing, p.lineSpacing);
    PanelKit::showValue(m_kerning, p.letterSpacing);
    m_background->showBackground(BackgroundFields::of(MediaPanel::media()->text));
    m_entryBox->setChecked(p.entryEffectEnabled);
    PanelKit::selectIndex(m_entryStyle, p.entryEffect);
    PanelKit::showValue(m_entrySpeed, p.entrySpeed);
    m_exitBox->setChecked(p.exitEffectEnabled);
    PanelKit::selectIndex(m_exitStyle, p.exitEffect);
    PanelKit::showValue(m_exitSpeed, p.exitSpeed);
    PanelKit::showValue(m_stayTime, p.stayTime);
    PanelKit::selectIndex(m_direction, p.rollDirection);
    PanelKit::selectIndex(m_rollSpeed, p.rollSpeed - 1);
    m_endToEnd->setChecked(p.endToEnd);
    PanelKit::showValue(m_interval, p.cycleInterval);
    m_completePlay->setChecked(p.playToEnd);
    m_duration->setTime(p.playDuration);
    updateEnabled();
}

void TextPanel::retranslateUi()
{
    m_texts.apply();
}

void TextPanel::showRowsOf(const QString &type)
{
    const bool rolling = type == QLatin1String("scrollingText");
    for (QWidget *widget : qAsConst(m_stillRows))
        widget->setVisible(!rolling);
    for (QWidget *widget : qAsConst(m_rollingRows))
        widget->setVisible(rolling);
}

void TextPanel::updateEnabled()
{
    m_entryStyle->setEnabled(m_entryBox->isChecked());
    m_entrySpeed->setEnabled(m_entryBox->isChecked());
    m_exitStyle->setEnabled(m_exitBox->isChecked());
    m_exitSpeed->setEnabled(m_exitBox->isChecked());
    // The gap between copies exists only when the text runs head to tail.
    m_interval->setEnabled(m_endToEnd->isChecked());
    // A text played to its end has no duration of its own.
    m_duration->setEnabled(!m_completePlay->isChecked());
}

void TextPanel::slotTextTextChanged()
{
    change([&](LumoraMediaObject &m) { m.text.text = m_text->toPlainText(); });
}

void TextPanel::mSlotTextFamily(const QString &family)
{
    if (family.isEmpty())
        return;
    change([&](LumoraMediaObject &m) { m.text.fontFamily = family; });
}

void TextPanel::mSlotTextFontSize(int size)
{
    change([&](LumoraMediaObject &m) { m.text.fontSize = size; });
}

void TextPanel::slotTextBChecked(bool checked)
{
    change([&](LumoraMediaObject &m) { m.text.bold = checked; });
}

void TextPanel::slotTextIChecked(bool checked)
{
    change([&](LumoraMediaObject &m) { m.text.italic = checked; });
}

void TextPanel::slotTextUChecked(bool checked)
{
    change([&](LumoraMediaObject &m) { m.text.underline = checked; });
}

void TextPanel::slotShowTextColorDialog()
{
    if (!media())
        return;
    const QColor color = ColorButton::ask(this, media()->text.textColor);
    if (color.isValid())
        slotTextColorSet(color);
}

void TextPanel::slotTextColorSet(const QColor &color)
{
    change([&](LumoraMediaObject &m) {
        m.text.textColor = color;
        m_color->setColor(color);
    });
}

void TextPanel::m_textColorfulBoxChanged(int index)
{
    if (index < 0)
        return;
    change([&](LumoraMediaObject &m) { m.text.colorful = index; });
}

void TextPanel::m_textVerticalBoxChanged(int index)
{
    if (index < 0)
        return;
    change([&](LumoraMediaObject &m) { m.text.verticalAlign = index; });
}

void TextPanel::slotTextHorizontalChanged(int index)
{
    if (index < 0)
        return;
    change([&](LumoraMediaObject &m) { m.text.horizontalAlign = index; });
}

void TextPanel::slotTextSPacingChanged(int spacing)
{
    change([&](LumoraMediaObject &m) { m.text.lineSpacing = spacing; });
}

void TextPanel::slotTextKerningChanged(int kerning)
{
    change([&](LumoraMediaObject &m) { m.text.letterSpacing = kerning; });
}

void TextPanel::mSlotTextBKChange(int index)
{
    changeBackground([&](const BackgroundFields &b) { return m_background->choose(index, b); });
}

void TextPanel::slotShowTextBKColorDialog()
{
    changeBackground([&](const BackgroundFields &b) { return m_background->askColor(b); });
}

void TextPanel::slotTextBKColorSet(const QColor &color)
{
    changeBackground([&](const BackgroundFields &b) { return m_background->setColor(color, b); });
}

void TextPanel::slottextBKImageStyleChange(int index)
{
    changeBackground([&](const BackgroundFields &b) { return m_background->setStyle(index, b); });
}

void TextPanel::slotTextBKTransparent(bool checked)
{
    changeBackground([&](const BackgroundFields &b) { return m_background->setTransparent(checked, b); });
}

void TextPanel::slotTextComingIntoBox(bool checked)
{
    updateEnabled();
    change([&](LumoraMediaObject &m) { m.text.entryEffectEnabled = checked; });
}

void TextPanel::mSlottextComingStyleChange(int index)
{
    if (index < 0)
        return;
    change([&](LumoraMediaObject &m) { m.text.entryEffect = index; });
}

void TextPanel::slotTextComingSpeedChanged(int speed)
{
    change([&](LumoraMediaObject &m) { m.text.entrySpeed = speed; });
}

void TextPanel::slotTextGoingOutBox(bool checked)
{
    updateEnabled();
    change([&](LumoraMediaObject &m) { m.text.exitEffectEnabled = checked; });
}

void TextPanel::mSlottextOutStyleChange(int index)
{
    if (index < 0)
        return;
    change([&](LumoraMediaObject &m) { m.text.exitEffect = index; });
}

void TextPanel::slotTextGoingOutSpeedChanged(int speed)
{
    change([&](LumoraMediaObject &m) { m.text.exitSpeed = speed; });
}

void TextPanel::mSlotTextRollingChange(int index)
{
    if (index < 0)
        return;
    change([&](LumoraMediaObject &m) { m.text.rollDirection = index; });
}

void TextPanel::slottextEndToEndBox(bool checked)
{
    updateEnabled();
    change([&](LumoraMediaObject &m) { m.text.endToEnd = checked; });
}

void TextPanel::slottextIntervalOfCycleChanged(int interval)
{
    change([&](LumoraMediaObject &m) { m.text.cycleInterval = interval; });
}

void TextPanel::mtextRollingSpeedChange(int index)
{
    if (index < 0)
        return;
    change([&](LumoraMediaObject &m) { m.text.rollSpeed = index + 1; });
}

void TextPanel::slotTextStayTimeChanged(int seconds)
{
    change([&](LumoraMediaObject &m) { m.text.stayTime = seconds; });
}

void TextPanel::slotTextCompletePlayBox(bool checked)
{
    updateEnabled();
    change([&](LumoraMediaObject &m) { m.text.playToEnd = checked; });
}

void TextPanel::slottextPlayDurationTimeChanged(const QTime &time)
{
    change([&](LumoraMediaObject &m) { m.text.playDuration = time; });
}
