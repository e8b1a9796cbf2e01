#include "backgroundcontrols.h"

#include "colorbutton.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QSignalBlocker>
#include <QVBoxLayout>

BackgroundControls::BackgroundControls(bool withTransparent, QWidget *parent)
    : QWidget(parent)
{
    auto *lines = new QVBoxLayout(this);
    lines->setContentsMargins(0, 0, 0, 0);
    lines->setSpacing(6);

    m_selector = new QComboBox(this);
    m_selector->setObjectName(QStringLiteral("backgroundSource"));
    m_selector->addItem(QString());
    m_selector->addItem(QString());
    // A long picture path must not widen the panel: it is shortened in the middle.
    m_selector->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_selector->setMinimumContentsLength(16);
    lines->addWidget(m_selector);

    auto *second = new QHBoxLayout;
    second->setSpacing(8);
    m_color = new ColorButton(this);
    m_color->setObjectName(QStringLiteral("backgroundColor"));
    second->addWidget(m_color);
    m_style = new QComboBox(this);
    m_style->setObjectName(QStringLiteral("backgroundStyle"));
    m_style->addItem(QString(), 0);
    m_style->addItem(QString(), 1);
    second->addWidget(m_style);
    if (withTransparent) {
        m_transparent = new QCheckBox(this);
        m_transparent->setObjectName(QStringLiteral("backgroundTransparent"));
        second->addWidget(m_transparent);
    }
    second->addStretch(1);
    lines->addLayout(second);
    retranslateUi();
}

void BackgroundControls::retranslateUi()
{
    m_selector->setItemText(0, tr("Color"));
    m_selector->setItemText(1, tr("Please Select background picture"));
    m_style->setItemText(0, tr("Tile"));
    m_style->setItemText(1, tr("Stretch"));
    m_color->setToolTip(tr("Background color"));
    m_style->setToolTip(tr("Picture layout"));
    if (m_transparent)
        m_transparent->setText(tr("Transparent"));
}

void BackgroundControls::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslateUi();
    QWidget::changeEvent(event);
}

void BackgroundControls::setPictureEntry(const QString &path)
{
    if (m_selector->count() < 3)
        m_selector->addItem(path);
    else
        m_selector->setItemText(2, path);
    m_selector->setItemData(2, path, Qt::ToolTipRole);
}

void BackgroundControls::showBackground(const BackgroundFields &background)
{
    const QSignalBlocker blockSelector(m_selector);
    while (m_selector->count() > 2)
        m_selector->removeItem(m_selector->count() - 1);
    if (!background.image.isEmpty())
        setPictureEntry(background.image);
    // A picture background without a picture shows the entry that asks for one.
    if (background.isColor)
        m_selector->setCurrentIndex(0);
    else
        m_selector->setCurrentIndex(background.image.isEmpty() ? 1 : 2);
    m_color->setColor(background.color);
    const QSignalBlocker blockStyle(m_style);
    // A stored layout no entry has shows as none rather than as a wrong one.
    m_style->setCurrentIndex(m_style->findData(background.style));
    if (m_transparent) {
        const QSignalBlocker blockTransparent(m_transparent);
        m_transparent->setChecked(background.transparent);
    }
    updateEnabled(background);
}

bool BackgroundControls::choose(int index, const BackgroundFields &background)
{
    if (index == 0) {
        background.isColor = true;
    } else if (index == 1) {
        const QString start =
            background.image.isEmpty() ? QDir::homePath() : QFileInfo(background.image).absolutePath();
        const QString path = QFileDialog::getOpenFileName(this, tr("Please Select background picture"), start,
                                                          tr("image(*.jpg *.png *.jpeg *.gif)"));
        if (path.isEmpty()) {
            showBackground(background);
            return false;
        }
        background.image = path;
        background.isColor = false;
    } else if (index == 2 && !background.image.isEmpty()) {
        background.isColor = false;
    } else {
        return false;
    }
    showBackground(background);
    return true;
}

bool BackgroundControls::askColor(const BackgroundFields &background)
{
    const QColor color = ColorButton::ask(this, background.color);
    return color.isValid() && setColor(color, background);
}

bool BackgroundControls::setColor(const QColor &color, const BackgroundFields &background)
{
    background.color = color;
    m_color->setColor(color);
    return true;
}

bool BackgroundControls::setStyle(int index, const BackgroundFields &background)
{
    if (index < 0 || index >= m_style->count())
        return false;
    background.style = m_style->itemData(index).toInt();
    return true;
}

bool BackgroundControls::setTransparent(bool transparent, const BackgroundFields &background)
{
    background.transparent = transparent;
    updateEnabled(background);
    return true;
}

void BackgroundControls::updateEnabled(const BackgroundFields &background)
{
    const bool painted = !(m_transparent && background.transparent);
    m_selector->setEnabled(painted);
    m_color->setEnabled(painted && background.isColor);
    m_style->setEnabled(painted && !background.isColor);
}
