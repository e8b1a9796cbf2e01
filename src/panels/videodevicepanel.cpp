#include "videodevicepanel.h"

#include "backgroundcontrols.h"
#include "colorbutton.h"
#include "model/lumoramediaobject.h"
#include "panelkit.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QTimeEdit>
#include <QVBoxLayout>

VideoDevicePanel::VideoDevicePanel(QWidget *parent)
    : MediaPanel(parent)
{
    PanelKit::applyLook(this);
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    m_group = new QGroupBox(this);
    QFormLayout *form = PanelKit::form();
    m_group->setLayout(form);
    // The camera fills its window; only colour or picture behind it are offered.
    m_background = new BackgroundControls(false, m_group);
    setBackgroundOf([](LumoraMediaObject &m) { return BackgroundFields::of(m.videoDevice.background); });
    m_backgroundLabel = new QLabel(m_group);
    form->addRow(m_backgroundLabel, m_background);
    m_playTime = PanelKit::timeEdit(m_group);
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
    m_backgroundLabel->setText(tr("Background:"));
    m_playTimeLabel->setText(tr("Play time:"));
}

void VideoDevicePanel::fill(const LumoraMediaObject &media)
{
    m_background->showBackground(BackgroundFields::of(MediaPanel::media()->videoDevice.background));
    PanelKit::showTime(m_playTime, media.videoDevice.length);
}

void VideoDevicePanel::slotVideoDeviceBackgroundChange(int index)
{
    changeBackground([&](const BackgroundFields &b) { return m_background->choose(index, b); });
}

void VideoDevicePanel::slotShowVideoDeviceBKColorDialog()
{
    changeBackground([&](const BackgroundFields &b) { return m_background->askColor(b); });
}

void VideoDevicePanel::slotVideoDeviceBKColorSet(const QColor &color)
{
    changeBackground([&](const BackgroundFields &b) { return m_background->setColor(color, b); });
}

void VideoDevicePanel::slotVideoDeviceBKImageStyleChange(int index)
{
    changeBackground([&](const BackgroundFields &b) { return m_background->setStyle(index, b); });
}

void VideoDevicePanel::slotVideoDeviceTimeLength(const QTime &time)
{
    change([&](LumoraMediaObject &m) { m.videoDevice.length = time; });
}
