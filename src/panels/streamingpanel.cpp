#include "streamingpanel.h"

#include "model/lumoramediaobject.h"
#include "panelkit.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSlider>
#include <QTimeEdit>

StreamingPanel::StreamingPanel(QWidget *parent)
    : MediaPanel(parent)
{
    QFormLayout *form = PanelKit::scrollingForm(this);
    QWidget *content = form->parentWidget();
    auto label = [&](const char *source) { return m_texts.add(new QLabel(content), source); };

    m_address = new QLineEdit(content);
    m_address->setObjectName(QStringLiteral("streamingAddress"));
    m_address->setPlaceholderText(QStringLiteral("rtmp://"));
    form->addRow(label(QT_TR_NOOP("Url Address:")), m_address);

    m_volume = PanelKit::slider(0, 100, content);
    m_volume->setObjectName(QStringLiteral("streamingVolume"));
    m_volumeValue = new QLabel(content);
    m_volumeValue->setMinimumWidth(30);
    form->addRow(label(QT_TR_NOOP("Volume:")), PanelKit::row(content, {m_volume, m_volumeValue}));

    m_length = PanelKit::timeEdit(content);
    m_length->setObjectName(QStringLiteral("streamingLength"));
    form->addRow(label(QT_TR_NOOP("Play time:")), PanelKit::row(content, {m_length}));

    // operator -> record
    connect(m_address, &QLineEdit::textEdited, this, &StreamingPanel::slotStreamingUrlChange);
    connect(m_volume, &QSlider::valueChanged, this, &StreamingPanel::slotStreamingVolumeChanged);
    connect(m_length, &QTimeEdit::timeChanged, this, &StreamingPanel::slotStreamingTimeLength);
}

QStringList StreamingPanel::kinds() const
{
    return {QStringLiteral("streaming")};
}

void StreamingPanel::fill(const LumoraMediaObject &media)
{
    const StreamingProperties &p = media.streaming;
    m_address->setText(p.address);
    m_address->setCursorPosition(0);
    PanelKit::showValue(m_volume, p.volume);
    m_volumeValue->setNum(p.volume);
    m_length->setTime(p.length);
}

void StreamingPanel::retranslateUi()
{
    m_texts.apply();
}

void StreamingPanel::slotStreamingUrlChange(const QString &address)
{
    change([&](LumoraMediaObject &m) { m.streaming.address = address.trimmed(); });
}

void StreamingPanel::slotStreamingVolumeChanged(int volume)
{
    m_volumeValue->setNum(volume);
    change([&](LumoraMediaObject &m) { m.streaming.volume = volume; });
}

void StreamingPanel::slotStreamingTimeLength(const QTime &length)
{
    change([&](LumoraMediaObject &m) { m.streaming.length = length; });
}
