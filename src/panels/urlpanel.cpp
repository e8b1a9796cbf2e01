#include "urlpanel.h"

#include "model/lumoramediaobject.h"
#include "panelkit.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QTimeEdit>
#include <QVBoxLayout>

namespace {

constexpr int kTransparencyMax = 10;
constexpr int kPositionMax = 5000;

} // namespace

UrlPanel::UrlPanel(QWidget *parent)
    : MediaPanel(parent)
{
    PanelKit::applyLook(this);
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    m_group = new QGroupBox(this);
    QFormLayout *form = PanelKit::form();
    m_group->setLayout(form);

    auto *addressRow = new QWidget(m_group);
    auto *address = new QHBoxLayout(addressRow);
    address->setContentsMargins(0, 0, 0, 0);
    address->setSpacing(8);
    m_address = new QLineEdit(addressRow);
    m_address->setObjectName(QStringLiteral("address"));
    m_address->setMinimumWidth(200);
    m_localUrl = new QPushButton(addressRow);
    m_localUrl->setObjectName(QStringLiteral("localUrl"));
    address->addWidget(m_address, 1);
    address->addWidget(m_localUrl);
    m_addressLabel = new QLabel(m_group);
    form->addRow(m_addressLabel, addressRow);

    auto *transparencyRow = new QWidget(m_group);
    auto *transparency = new QHBoxLayout(transparencyRow);
    transparency->setContentsMargins(0, 0, 0, 0);
    transparency->setSpacing(8);
    m_transparency = new QSlider(Qt::Horizontal, transparencyRow);
    m_transparency->setObjectName(QStringLiteral("transparency"));
    PanelKit::offerRange(m_transparency, 0, kTransparencyMax);
    m_transparency->setPageStep(1);
    m_transparency->setFixedWidth(200);
    m_transparencyValue = new QLabel(transparencyRow);
    m_transparencyValue->setMinimumWidth(24);
    transparency->addWidget(m_transparency);
    transparency->addWidget(m_transparencyValue);
    transparency->addStretch(1);
    m_transparencyLabel = new QLabel(m_group);
    form->addRow(m_transparencyLabel, transparencyRow);

    auto *positionRow = new QWidget(m_group);
    auto *position = new QHBoxLayout(positionRow);
    position->setContentsMargins(0, 0, 0, 0);
    position->setSpacing(8);
    m_xLabel = new QLabel(positionRow);
    m_posX = new QSpinBox(positionRow);
    m_posX->setObjectName(QStringLiteral("posX"));
    PanelKit::offerRange(m_posX, 0, kPositionMax);
    m_posX->setMinimumWidth(80);
    m_yLabel = new QLabel(positionRow);
    m_posY = new QSpinBox(positionRow);
    m_posY->setObjectName(QStringLiteral("posY"));
    PanelKit::offerRange(m_posY, 0, kPositionMax);
    m_posY->setMinimumWidth(80);
    position->addWidget(m_xLabel);
    position->addWidget(m_posX);
    position->addSpacing(12);
    position->addWidget(m_yLabel);
    position->addWidget(m_posY);
    position->addStretch(1);
    m_positionLabel = new QLabel(m_group);
    form->addRow(m_positionLabel, positionRow);

    m_playTime = PanelKit::timeEdit(m_group);
    m_playTime->setObjectName(QStringLiteral("playTime"));
    m_playTimeLabel = new QLabel(m_group);
    form->addRow(m_playTimeLabel, m_playTime);
    column->addWidget(m_group);
    column->addStretch(1);

    connect(m_address, &QLineEdit::editingFinished, this, &UrlPanel::slotUrlAddressChange);
    connect(m_localUrl, &QPushButton::clicked, this, &UrlPanel::slotOpenLocalUrl);
    connect(m_transparency, &QSlider::valueChanged, this, &UrlPanel::slotUrlTransparencyChanged);
    connect(m_posX, QOverload<int>::of(&QSpinBox::valueChanged), this, &UrlPanel::sloturlPosXChanged);
    connect(m_posY, QOverload<int>::of(&QSpinBox::valueChanged), this, &UrlPanel::sloturlPosYChanged);
    connect(m_playTime, &QTimeEdit::timeChanged, this, &UrlPanel::slotUrlPlayTimeLength);
    retranslateUi();
}

QStringList UrlPanel::kinds() const
{
    return {QStringLiteral("URL")};
}

void UrlPanel::retranslateUi()
{
    m_group->setTitle(tr("Web page"));
    m_addressLabel->setText(tr("Url Address:"));
    m_localUrl->setText(tr("Local Url"));
    m_transparencyLabel->setText(tr("Transparency"));
    m_positionLabel->setText(tr("Show Position:"));
    m_xLabel->setText(tr("X:"));
    m_yLabel->setText(tr("Y:"));
    m_playTimeLabel->setText(tr("Play time:"));
}

void UrlPanel::fill(const LumoraMediaObject &media)
{
    const UrlProperties &url = media.url;
    m_address->setText(url.address);
    m_address->setCursorPosition(0);
    PanelKit::showValue(m_transparency, url.transparency);
    m_transparencyValue->setNum(url.transparency);
    PanelKit::showValue(m_posX, url.posX);
    PanelKit::showValue(m_posY, url.posY);
    PanelKit::showTime(m_playTime, url.length);
}

template<typename Store> void UrlPanel::change(Store store)
{
    MediaPanel::change([&](LumoraMediaObject &m) { store(m.url); });
}

void UrlPanel::slotUrlAddressChange()
{
    const QString address = m_address->text().trimmed();
    if (!media() || address == media()->url.address)
        return;
    change([&](UrlProperties &u) { u.address = address; });
}

void UrlPanel::slotOpenLocalUrl()
{
    if (!media())
        return;
    const QString current = media()->url.address;
    const QString start =
        !current.isEmpty() && !current.contains(QLatin1String("http")) && QFileInfo(current).exists()
            ? QFileInfo(current).absolutePath()
            : QDir::homePath();
    const QString path =
        QFileDialog::getOpenFileName(this, tr("Local Url"), start, tr("web file(*.html *.htm)"));
    if (path.isEmpty())
        return;
    m_address->setText(path);
    change([&](UrlProperties &u) { u.address = path; });
}

void UrlPanel::slotUrlTransparencyChanged(int transparency)
{
    m_transparencyValue->setNum(transparency);
    change([&](UrlProperties &u) { u.transparency = transparency; });
}

void UrlPanel::sloturlPosXChanged(int x)
{
    change([&](UrlProperties &u) { u.posX = x; });
}

void UrlPanel::sloturlPosYChanged(int y)
{
    change([&](UrlProperties &u) { u.posY = y; });
}

void UrlPanel::slotUrlPlayTimeLength(const QTime &time)
{
    change([&](UrlProperties &u) { u.length = time; });
}
