#include "backgroundselector.h"

#include "panelkit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QPushButton>
#include <QSignalBlocker>

BackgroundSelector::BackgroundSelector(int parts, QWidget *parent)
    : QWidget(parent)
{
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(8);
    m_source = new QComboBox(this);
    m_source->setObjectName(QStringLiteral("backgroundSource"));
    m_source->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_source->setMinimumContentsLength(18);
    m_texts.items(m_source, {QT_TR_NOOP("Color"), QT_TR_NOOP("Please Select background picture")});
    layout->addWidget(m_source);
    m_color = PanelKit::colorButton(this);
    m_color->setObjectName(QStringLiteral("backgroundColor"));
    layout->addWidget(m_color);
    if (parts & StyleBox) {
        m_style = new QComboBox(this);
        m_style->setObjectName(QStringLiteral("backgroundStyle"));
        m_texts.items(m_style, {QT_TR_NOOP("Tile"), QT_TR_NOOP("Stretch")});
        layout->addWidget(m_style);
    }
    if (parts & TransparentBox) {
        m_transparent = m_texts.add(new QCheckBox(this), QT_TR_NOOP("Transparent"));
        m_transparent->setObjectName(QStringLiteral("backgroundTransparent"));
        layout->addWidget(m_transparent);
    }
    layout->addStretch(1);
    updateEnabled();
}

void BackgroundSelector::setValues(bool isColor, const QColor &color, const QString &image, int style,
                                   bool transparent)
{
    m_isColor = isColor;
    m_image = image;
    m_isTransparent = transparent;
    showSource();
    PanelKit::setButtonColor(m_color, color);
    if (m_style)
        PanelKit::selectIndex(m_style, style);
    if (m_transparent)
        m_transparent->setChecked(transparent);
    updateEnabled();
}

bool BackgroundSelector::choose(int index, bool *isColor, QString *image)
{
    if (index == 0) {
        m_isColor = true;
    } else if (index == 1) {
        const QString path =
            QFileDialog::getOpenFileName(this, tr("Please Select background picture"), QString(),
                                         QStringLiteral("image(*.jpg *.png *.jpeg *.gif)"));
        if (path.isEmpty()) {
            showSource();
            return false;
        }
        m_isColor = false;
        m_image = path;
    } else if (index == 2 && !m_image.isEmpty()) {
        m_isColor = false;
    } else {
        return false;
    }
    *isColor = m_isColor;
    *image = m_image;
    showSource();
    updateEnabled();
    return true;
}

void BackgroundSelector::setColor(const QColor &color)
{
    PanelKit::setButtonColor(m_color, color);
}

void BackgroundSelector::setTransparent(bool transparent)
{
    m_isTransparent = transparent;
    updateEnabled();
}

void BackgroundSelector::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        m_texts.apply();
    QWidget::changeEvent(event);
}

void BackgroundSelector::showSource()
{
    const QSignalBlocker blocker(m_source);
    while (m_source->count() > 2)
        m_source->removeItem(2);
    if (!m_image.isEmpty()) {
        m_source->addItem(m_image);
        m_source->setItemData(2, m_image, Qt::ToolTipRole);
    }
    // A picture background without a picture shows the entry that asks for one.
    m_source->setCurrentIndex(m_isColor ? 0 : (m_image.isEmpty() ? 1 : 2));
}

void BackgroundSelector::updateEnabled()
{
    m_source->setEnabled(!m_isTransparent);
    m_color->setEnabled(m_isColor && !m_isTransparent);
    if (m_style)
        m_style->setEnabled(!m_isColor && !m_isTransparent);
}
