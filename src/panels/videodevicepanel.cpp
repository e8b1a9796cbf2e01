#include "videodevicepanel.h"

#include "backgroundcontrols.h"
#include "colorbutton.h"
#include "model/lumoramediaobject.h"
#include "panelcontrols.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QTimeEdit>
#include <QVBoxLayout>

VideoDevicePanel::VideoDevicePanel(QWidget *parent)
    : MediaPanel(parent)
{
    PanelControls::applyLook(this);
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    m_group = new QGroupBox(this);
    QFormLayout *form = PanelControls::form();
    m_group->setLayout(form);
    // The camera fills its window; only colour or picture behind it are offered.
    m_background = new BackgroundControls(false, m_group);
    m_backgroundLabel = new QLabel(m_group);
    form->addRow(m_backgroundLabel, m_background);
    m_playTime = PanelControls::timeEdit(m_group);
    m_playTime->setObjectName(QStringLiteral("playTime"));
    m_playTimeLabel = new QLabel(m_group);
    form->addRow(m_playTimeLabel, m_playTime);
    column->addWidget(m_group);
    column->addStretch(1);

    const auto activated = QOverload<int>::of(&QComboBox::activated);
    connect(m_background->selector(), activated, this, &VideoDevicePanel::slotVideoDeviceBackgroundChange);
    connect(m_background->colorButton(), &QPushButton::clicked, this,
            &VideoDevicePanel::slotShowVideoDeviceBKColorDialog);
    connect(m_background->styleBox(), activated, this, &VideoDevicePanel::slotVideoDeviceBKImageStyleChange);
    connect(m_playTime, &QTimeEdit::timeChanged, this, &VideoDevicePanel::slotVideoDeviceTimeLength);
    retranslateUi();
}

QStringList VideoDevicePanel::kinds() const
{
    return {QStringLiteral("videoDevice")};
}

void VideoDevicePanel::retranslateUi()
{
    m_group->setTitle(tr("Capture device"));
    m_background->retranslateUi();
    m_backgroundLabel->setText(tr("Background:"));
    m_playTimeLabel->setText(tr("Play time:"));
}

void VideoDevicePanel::fill(const LumoraMediaObject &media)
{
    m_background->showBackground(media.videoDevice.background);
    PanelControls::showTime(m_playTime, media.videoDevice.length);
}

void VideoDevicePanel::changed()
{
    m_background->updateEnabled(media()->videoDevice.background);
    announce();
}

void VideoDevicePanel::slotVideoDeviceBackgroundChange(int index)
{
    if (media() && m_background->choose(index, media()->videoDevice.background))
        changed();
}

void VideoDevicePanel::slotShowVideoDeviceBKColorDialog()
{
    if (!media())
        return;
    const QColor color = ColorButton::ask(this, media()->videoDevice.background.backgroundColor);
    if (color.isValid())
        slotVideoDeviceBKColorSet(color);
}

void VideoDevicePanel::slotVideoDeviceBKColorSet(const QColor &color)
{
    if (!media())
        return;
    m_background->colorButton()->setColor(color);
    media()->videoDevice.background.backgroundColor = color;
    changed();
}

void VideoDevicePanel::slotVideoDeviceBKImageStyleChange(int index)
{
    if (!media())
        return;
    media()->videoDevice.background.backgroundImageStyle = m_background->styleBox()->itemData(index).toInt();
    changed();
}

void VideoDevicePanel::slotVideoDeviceTimeLength(const QTime &time)
{
    if (!media())
        return;
    media()->videoDevice.length = time;
    changed();
}
