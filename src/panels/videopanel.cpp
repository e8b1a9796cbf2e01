#include "videopanel.h"

#include "colorbutton.h"
#include "model/lumoramediaobject.h"
#include "panelkit.h"
#include "videocovertextdialog.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QTimeEdit>

namespace {

QString clockText(int msecs)
{
    const int seconds = qMax(0, msecs) / 1000;
    if (seconds >= 3600)
        return QStringLiteral("%1:%2:%3")
            .arg(seconds / 3600)
            .arg(seconds / 60 % 60, 2, 10, QLatin1Char('0'))
            .arg(seconds % 60, 2, 10, QLatin1Char('0'));
    return QStringLiteral("%1:%2")
        .arg(seconds / 60, 2, 10, QLatin1Char('0'))
        .arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

} // namespace

VideoPanel::VideoPanel(QWidget *parent)
    : MediaPanel(parent)
{
    QFormLayout *form = PanelKit::scrollingForm(this);
    QWidget *content = form->parentWidget();

    m_path = new QLineEdit(content);
    m_path->setObjectName(QStringLiteral("videoPath"));
    m_path->setReadOnly(true);
    form->addRow(m_texts.add(new QLabel(content), QT_TR_NOOP("File:")), m_path);

    m_length = new QLabel(content);
    m_length->setObjectName(QStringLiteral("videoLength"));
    form->addRow(m_texts.add(new QLabel(content), QT_TR_NOOP("Length:")), m_length);

    // Milliseconds; released drags and clicks seek, not every step of a drag.
    m_seek = PanelKit::slider(0, 0, content);
    m_seek->setObjectName(QStringLiteral("videoSeek"));
    m_seek->setTracking(false);
    m_seek->setSingleStep(1000);
    m_seek->setPageStep(10000);
    m_position = new QLabel(content);
    m_position->setMinimumWidth(110);
    form->addRow(m_texts.add(new QLabel(content), QT_TR_NOOP("Position:")),
                 PanelKit::row(content, {m_seek, m_position}, false));

    m_volumeBox = m_texts.add(new QCheckBox(content), QT_TR_NOOP("Sound"));
    m_volumeBox->setObjectName(QStringLiteral("videoVolumeBox"));
    m_volume = PanelKit::slider(0, 100, content);
    m_volume->setObjectName(QStringLiteral("videoVolume"));
    m_volumeValue = new QLabel(content);
    m_volumeValue->setMinimumWidth(30);
    form->addRow(m_texts.add(new QLabel(content), QT_TR_NOOP("Volume:")),
                 PanelKit::row(content, {m_volumeBox, m_volume, m_volumeValue}, false));

    m_coverBox = m_texts.add(new QCheckBox(content), QT_TR_NOOP("Overlayed Text"));
    m_coverBox->setObjectName(QStringLiteral("videoCoverBox"));
    m_coverText = new QLineEdit(content);
    m_coverText->setObjectName(QStringLiteral("videoCoverText"));
    m_coverEdit = m_texts.add(new QPushButton(content), QT_TR_NOOP("Edit Text"));
    m_coverEdit->setObjectName(QStringLiteral("videoCoverEdit"));
    PanelKit::addCheckedRow(form, m_coverBox, PanelKit::row(content, {m_coverText, m_coverEdit}, false));

    m_exceptBox = m_texts.add(new QCheckBox(content), QT_TR_NOOP("Except"));
    m_exceptBox->setObjectName(QStringLiteral("videoExceptBox"));
    m_clipStart = PanelKit::timeEdit(content);
    m_clipStart->setObjectName(QStringLiteral("videoClipStart"));
    m_clipEnd = PanelKit::timeEdit(content);
    m_clipEnd->setObjectName(QStringLiteral("videoClipEnd"));
    form->addRow(
        m_exceptBox,
        PanelKit::row(content, {m_texts.add(new QLabel(content), QT_TR_NOOP("Starting time:")), m_clipStart,
                                m_texts.add(new QLabel(content), QT_TR_NOOP("End time:")), m_clipEnd}));

    m_scale = new QComboBox(content);
    m_scale->setObjectName(QStringLiteral("videoScale"));
    m_texts.items(m_scale, &PanelKit::scaleTypes);
    form->addRow(m_texts.add(new QLabel(content), QT_TR_NOOP("Scale:")), PanelKit::row(content, {m_scale}));

    m_rotation = new QComboBox(content);
    m_rotation->setObjectName(QStringLiteral("videoRotation"));
    m_texts.items(m_rotation, &PanelKit::rotations);
    form->addRow(m_texts.add(new QLabel(content), QT_TR_NOOP("Rotation angle:")),
                 PanelKit::row(content, {m_rotation}));

    m_background = new BackgroundControls(false, content);
    setBackgroundOf([](LumoraMediaObject &m) { return BackgroundFields::of(m.video); });
    form->addRow(m_texts.add(new QLabel(content), QT_TR_NOOP("Background:")), m_background);

    // operator -> record
    connect(m_volume, &QSlider::valueChanged, this, &VideoPanel::slotVideoVolumeChanged);
    connect(m_volumeBox, &QCheckBox::toggled, this, &VideoPanel::slotVideoVolumeEanble);
    connect(m_seek, &QSlider::valueChanged, this, &VideoPanel::slotVideoSeek);
    connect(m_seek, &QSlider::sliderMoved, this, [this](int) { showPosition(); });
    connect(m_coverText, &QLineEdit::textEdited, this, &VideoPanel::slotvideoCoverTextBox);
    connect(m_coverBox, &QCheckBox::toggled, this, &VideoPanel::slotvideoCoverTextBoxChecked);
    connect(m_coverEdit, &QPushButton::clicked, this, &VideoPanel::slotEditVideoText);
    connect(m_exceptBox, &QCheckBox::toggled, this, &VideoPanel::slotVideoExceptBox);
    connect(m_clipStart, &QTimeEdit::timeChanged, this, &VideoPanel::slotvideoStartTimeChanged);
    connect(m_clipEnd, &QTimeEdit::timeChanged, this, &VideoPanel::slotvideoEndTimeChanged);
    connect(m_scale, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &VideoPanel::SlotvideoScaleType);
    connect(m_rotation, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &VideoPanel::SlotvideoRotate);
    connect(m_background->selector(), QOverload<int>::of(&QComboBox::activated), this,
            &VideoPanel::SlotvideooBackgroundType);
    connect(m_background->colorButton(), &QPushButton::clicked, this,
            &VideoPanel::slotShowVideoBKColorDialog);
    connect(m_background->styleBox(), QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &VideoPanel::Slotm_videoBKImageStyle);
    showPosition();
    updateEnabled();
}

QStringList VideoPanel::kinds() const
{
    return {QStringLiteral("video")};
}

void VideoPanel::setVideoRange(float seconds)
{
    const QSignalBlocker blocker(m_seek);
    m_seek->setRange(0, qMax(0, qRound(seconds * 1000)));
    showPosition();
}

void VideoPanel::setVideoProgress(float seconds)
{
    // The operator's hand wins over the player's report while the handle is held.
    if (m_seek->isSliderDown())
        return;
    const QSignalBlocker blocker(m_seek);
    m_seek->setValue(qRound(seconds * 1000));
    showPosition();
}

void VideoPanel::fill(const LumoraMediaObject &media)
{
    const VideoProperties &p = media.video;
    m_path->setText(p.filePath);
    m_path->setToolTip(p.filePath);
    m_path->setCursorPosition(0);
    m_length->setText(p.totalLength.isValid() ? p.totalLength.toString(QStringLiteral("HH:mm:ss.zzz"))
                                              : QString());
    // A new item starts from the beginning until its player reports otherwise.
    m_seek->setRange(0, p.totalLength.isValid() ? p.totalLength.msecsSinceStartOfDay() : 0);
    m_seek->setValue(0);
    showPosition();
    m_volumeBox->setChecked(p.volume > 0);
    PanelKit::showValue(m_volume, p.volume);
    m_volumeValue->setNum(p.volume);
    m_coverBox->setChecked(p.coverTextEnabled);
    m_coverText->setText(p.coverText);
    m_exceptBox->setChecked(p.clipEnabled);
    m_clipStart->setTime(p.clipStart);
    m_clipEnd->setTime(p.clipEnd);
    PanelKit::selectIndex(m_scale, p.scaleType);
    PanelKit::selectIndex(m_rotation, p.rotation);
    m_background->showBackground(BackgroundFields::of(MediaPanel::media()->video));
    updateEnabled();
}

void VideoPanel::retranslateUi()
{
    m_texts.apply();
}

void VideoPanel::updateEnabled()
{
    m_volume->setEnabled(m_volumeBox->isChecked());
    m_coverText->setEnabled(m_coverBox->isChecked());
    m_coverEdit->setEnabled(m_coverBox->isChecked());
    m_clipStart->setEnabled(m_exceptBox->isChecked());
    m_clipEnd->setEnabled(m_exceptBox->isChecked());
}

void VideoPanel::showPosition()
{
    const int shown = m_seek->isSliderDown() ? m_seek->sliderPosition() : m_seek->value();
    m_position->setText(QStringLiteral("%1 / %2").arg(clockText(shown), clockText(m_seek->maximum())));
}

void VideoPanel::slotVideoVolumeChanged(int volume)
{
    m_volumeValue->setNum(volume);
    change([&](LumoraMediaObject &m) { m.video.volume = volume; });
}

void VideoPanel::slotVideoVolumeEanble(bool enabled)
{
    updateEnabled();
    if (!media())
        return;
    // Sound off is volume 0; turning it on again brings back the slider's level.
    if (enabled && m_volume->value() == 0) {
        const QSignalBlocker blocker(m_volume);
        m_volume->setValue(100);
    }
    const int volume = enabled ? m_volume->value() : 0;
    m_volumeValue->setNum(volume);
    change([&](LumoraMediaObject &m) { m.video.volume = volume; });
}

void VideoPanel::slotVideoSeek(int msecs)
{
    showPosition();
    if (media())
        emit sigVideoSeek(float(msecs) / 1000.0f);
}

void VideoPanel::slotvideoCoverTextBox(const QString &text)
{
    change([&](LumoraMediaObject &m) { m.video.coverText = text; });
}

void VideoPanel::slotvideoCoverTextBoxChecked(bool checked)
{
    updateEnabled();
    change([&](LumoraMediaObject &m) { m.video.coverTextEnabled = checked; });
}

void VideoPanel::slotEditVideoText()
{
    if (!media())
        return;
    VideoCoverTextDialog dialog(this);
    dialog.setValues(media()->video);
    if (dialog.exec() != QDialog::Accepted || !media())
        return;
    change([&](LumoraMediaObject &m) { dialog.apply(&m.video); });
    m_coverText->setText(media()->video.coverText);
}

void VideoPanel::slotVideoExceptBox(bool checked)
{
    updateEnabled();
    change([&](LumoraMediaObject &m) { m.video.clipEnabled = checked; });
}

void VideoPanel::slotvideoStartTimeChanged(const QTime &time)
{
    change([&](LumoraMediaObject &m) { m.video.clipStart = time; });
}

void VideoPanel::slotvideoEndTimeChanged(const QTime &time)
{
    change([&](LumoraMediaObject &m) { m.video.clipEnd = time; });
}

void VideoPanel::SlotvideoScaleType(int index)
{
    if (index < 0)
        return;
    change([&](LumoraMediaObject &m) { m.video.scaleType = index; });
}

void VideoPanel::SlotvideoRotate(int index)
{
    if (index < 0)
        return;
    change([&](LumoraMediaObject &m) { m.video.rotation = index; });
}

void VideoPanel::SlotvideooBackgroundType(int index)
{
    changeBackground([&](const BackgroundFields &b) { return m_background->choose(index, b); });
}

void VideoPanel::slotShowVideoBKColorDialog()
{
    changeBackground([&](const BackgroundFields &b) { return m_background->askColor(b); });
}

void VideoPanel::slotVideoBKColorSet(const QColor &color)
{
    changeBackground([&](const BackgroundFields &b) { return m_background->setColor(color, b); });
}

void VideoPanel::Slotm_videoBKImageStyle(int index)
{
    changeBackground([&](const BackgroundFields &b) { return m_background->setStyle(index, b); });
}
