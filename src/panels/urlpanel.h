#pragma once

#include "mediapanel.h"

#include <QTime>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;
class QSpinBox;
class QTimeEdit;

// A web page item: its address (a web address or a local HTML file), how opaque it is, where
// the page is shown inside the window and how long it stays.
class UrlPanel : public MediaPanel
{
    Q_OBJECT

public:
    explicit UrlPanel(QWidget *parent = nullptr);
    QStringList kinds() const override;

public slots:
    // Stored when the operator finishes editing (Return or leaving the field), so the preview
    // does not load every half-typed address.
    void slotUrlAddressChange();
    void slotOpenLocalUrl();
    void slotUrlTransparencyChanged(int transparency);
    void sloturlPosXChanged(int x);
    void sloturlPosYChanged(int y);
    void slotUrlPlayTimeLength(const QTime &time);

protected:
    void fill(const LumoraMediaObject &media) override;
    void retranslateUi() override;

private:
    template<typename Store> void change(Store store);

    QGroupBox *m_group = nullptr;
    QLabel *m_addressLabel = nullptr;
    QLabel *m_transparencyLabel = nullptr;
    QLabel *m_positionLabel = nullptr;
    QLabel *m_xLabel = nullptr;
    QLabel *m_yLabel = nullptr;
    QLabel *m_playTimeLabel = nullptr;
    QLineEdit *m_address = nullptr;
    QPushButton *m_localUrl = nullptr;
    QSlider *m_transparency = nullptr;
    QLabel *m_transparencyValue = nullptr;
    QSpinBox *m_posX = nullptr;
    QSpinBox *m_posY = nullptr;
    QTimeEdit *m_playTime = nullptr;
};
