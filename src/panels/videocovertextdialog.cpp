#include "videocovertextdialog.h"

#include "colorbutton.h"
#include "panelkit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

VideoCoverTextDialog::VideoCoverTextDialog(QWidget *parent)
    : QDialog(parent)
{
    setModal(true);
    setWindowTitle(tr("Overlayed Text"));
    setObjectName(QStringLiteral("videoCoverTextDialog"));
    setStyleSheet(PanelKit::styleSheet() +
                  QStringLiteral("QDialog#videoCoverTextDialog { background: #1b2029; }"));
    auto *column = new QVBoxLayout(this);
    auto *form = new QFormLayout;
    form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    form->setFieldGrowthPolicy(QFormLayout::ExpandingFieldsGrow);
    form->setHorizontalSpacing(10);
    form->setVerticalSpacing(8);
    column->addLayout(form);

    m_text = new QLineEdit(this);
    m_text->setMinimumWidth(320);
    form->addRow(m_texts.add(new QLabel(this), QT_TR_NOOP("Text:")), m_text);

    m_family = new QComboBox(this);
    // The first entry is the empty family: the overlay's default font.
    m_family->addItem(QString());
    m_texts.items(m_family, {QT_TR_NOOP("Default font")});
    PanelKit::fillFamilies(m_family);
    form->addRow(m_texts.add(new QLabel(this), QT_TR_NOOP("Font:")), PanelKit::row(this, {m_family}));

    m_size = PanelKit::spinBox(1, 500, this);
    m_bold = m_texts.add(new QCheckBox(this), QT_TR_NOOP("Bold"));
    m_italic = m_texts.add(new QCheckBox(this), QT_TR_NOOP("Italic"));
    m_underline = m_texts.add(new QCheckBox(this), QT_TR_NOOP("Underline"));
    form->addRow(m_texts.add(new QLabel(this), QT_TR_NOOP("Size:")),
                 PanelKit::row(this, {m_size, m_bold, m_italic, m_underline}));

    m_colorButton = new ColorButton(this);
    form->addRow(m_texts.add(new QLabel(this), QT_TR_NOOP("Color:")), PanelKit::row(this, {m_colorButton}));

    m_colorful = new QComboBox(this);
    m_texts.items(m_colorful, &PanelKit::colorfulStyles);
    form->addRow(m_texts.add(new QLabel(this), QT_TR_NOOP("Colorful characters:")),
                 PanelKit::row(this, {m_colorful}));

    m_rolling = m_texts.add(new QCheckBox(this), QT_TR_NOOP("Rolling"));
    m_direction = new QComboBox(this);
    m_texts.items(m_direction, &PanelKit::rollDirections);
    m_speed = PanelKit::spinBox(1, 10, this);
    PanelKit::addCheckedRow(
        form, m_rolling,
        PanelKit::row(this, {m_direction, m_texts.add(new QLabel(this), QT_TR_NOOP("Speed:")), m_speed}));

    m_y = PanelKit::spinBox(0, 5000, this);
    form->addRow(m_texts.add(new QLabel(this), QT_TR_NOOP("Rolling text Y:")), PanelKit::row(this, {m_y}));

    auto *buttons = new QDialogButtonBox(this);
    QPushButton *ok = buttons->addButton(tr("OK"), QDialogButtonBox::AcceptRole);
    ok->setDefault(true);
    buttons->addButton(tr("Cancel"), QDialogButtonBox::RejectRole);
    column->addWidget(buttons);

    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_colorButton, &QPushButton::clicked, this, &VideoCoverTextDialog::slotChooseColor);
    connect(m_rolling, &QCheckBox::toggled, this, &VideoCoverTextDialog::slotRollingChecked);
}

void VideoCoverTextDialog::setValues(const VideoProperties &video)
{
    m_text->setText(video.coverText);
    if (video.coverFontFamily.isEmpty())
        m_family->setCurrentIndex(0);
    else
        PanelKit::selectFamily(m_family, video.coverFontFamily);
    // A size stored beyond the offered range is shown, not cut down.
    m_size->setRange(qMin(1, video.coverFontSize), qMax(500, video.coverFontSize));
    m_size->setValue(video.coverFontSize);
    m_bold->setChecked(video.coverBold);
    m_italic->setChecked(video.coverItalic);
    m_underline->setChecked(video.coverUnderline);
    m_color = video.coverTextColor;
    m_colorButton->setColor(m_color);
    PanelKit::selectIndex(m_colorful, video.coverColorful);
    m_rolling->setChecked(video.coverRolling);
    PanelKit::selectIndex(m_direction, video.coverRollDirection);
    m_speed->setRange(qMin(1, video.coverRollSpeed), qMax(10, video.coverRollSpeed));
    m_speed->setValue(video.coverRollSpeed);
    m_y->setRange(qMin(0, video.coverTextY), qMax(5000, video.coverTextY));
    m_y->setValue(video.coverTextY);
    slotRollingChecked(video.coverRolling);
}

void VideoCoverTextDialog::apply(VideoProperties *video) const
{
    video->coverText = m_text->text();
    video->coverFontFamily = m_family->currentIndex() == 0 ? QString() : m_family->currentText();
    video->coverFontSize = m_size->value();
    video->coverBold = m_bold->isChecked();
    video->coverItalic = m_italic->isChecked();
    video->coverUnderline = m_underline->isChecked();
    video->coverTextColor = m_color;
    if (m_colorful->currentIndex() >= 0)
        video->coverColorful = m_colorful->currentIndex();
    video->coverRolling = m_rolling->isChecked();
    if (m_direction->currentIndex() >= 0)
        video->coverRollDirection = m_direction->currentIndex();
    video->coverRollSpeed = m_speed->value();
    video->coverTextY = m_y->value();
}

void VideoCoverTextDialog::slotChooseColor()
{
    const QColor color = ColorButton::ask(this, m_color);
    if (!color.isValid())
        return;
    m_color = color;
    m_colorButton->setColor(m_color);
}

void VideoCoverTextDialog::slotRollingChecked(bool checked)
{
    m_direction->setEnabled(checked);
    m_speed->setEnabled(checked);
}
