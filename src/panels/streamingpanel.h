#pragma once

#include "mediapanel.h"
#include "paneltexts.h"

class QLabel;
class QLineEdit;
class QSlider;
class QTime;
class QTimeEdit;

// The panel of network streams.
class StreamingPanel : public MediaPanel
{
    Q_OBJECT

public:
    explicit StreamingPanel(QWidget *parent = nullptr);
    QStringList kinds() const override;

public slots:
    void slotStreamingUrlChange(const QString &address);
    void slotStreamingVolumeChanged(int volume);
    void slotStreamingTimeLength(const QTime &length);

protected:
    void fill(const LumoraMediaObject &media) override;
    void retranslateUi() override;

private:
    PanelTexts m_texts{"StreamingPanel"};
    QLineEdit *m_address = nullptr;
    QSlider *m_volume = nullptr;
    QLabel *m_volumeValue = nullptr;
    QTimeEdit *m_length = nullptr;
};
