#include "backgroundcontrols.h"

#include "colorbutton.h"
#include "model/lumoramediaobject.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QSignalBlocker>

BackgroundControls::BackgroundControls(bool withTransparent, QWidget *parent)
    : QWidget(parent)
{
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(8);

    m_selector = new QComboBox(this);
    m_selector->addItem(QString());
    m_selector->addItem(QString());
    // A long picture path must not widen the panel: it is shortened in the middle.
    m_selector->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_selector->setMinimumContentsLength(18);
    row->addWidget(m_selector);

    m_color = new ColorButton(this);
    row->addWidget(m_color);

    m_style = new QComboBox(this);
    m_style->addItem(QString(), 0);
    m_style->addItem(QString(), 1);
    row->addWidget(m_style);

    if (withTransparent) {
        m_transparent = new QCheckBox(this);
        row->addWidget(m_transparent);
    }
    row->addStretch(1);
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

void BackgroundControls::setPictureEntry(const QString &path)
{
    if (m_selector->count() < 3)
        m_selector->addItem(path);
    else
        m_selector->setItemText(2, path);
    m_selector->setItemData(2, path, Qt::ToolTipRole);
}

void BackgroundControls::showBackground(const BackgroundProperties &background)
{
    const QSignalBlocker blockSelector(m_selector);
    while (m_selector->count() > 2)
        m_selector->removeItem(m_selector->count() - 1);
    if (!background.backgroundImage.isEmpty())
        setPictureEntry(background.backgroundImage);
    if (background.backgroundIsColor)
        m_selector->setCurrentIndex(0);
    else
        m_selector->setCurrentIndex(background.backgroundImage.isEmpty() ? -1 : 2);
    m_color->setColor(background.backgroundColor);
    const QSignalBlocker blockStyle(m_style);
    m_style->setCurrentIndex(m_style->findData(background.backgroundImageStyle));
    if (m_transparent) {
        const QSignalBlocker blockTransparent(m_transparent);
        m_transparent->setChecked(background.backgroundTransparent);
    }
    updateEnabled(background);
}

bool BackgroundControls::choose(int index, BackgroundProperties &background)
{
    if (index == 0) {
        background.backgroundIsColor = true;
    } else if (index == 1) {
        const QString start = background.backgroundImage.isEmpty()
                                  ? QDir::homePath()
                                  : QFileInfo(background.backgroundImage).absolutePath();
        const QString path = QFileDialog::getOpenFileName(this, tr("Please Select background picture"), start,
                                                          tr("image(*.jpg *.png *.jpeg *.gif)"));
        if (path.isEmpty()) {
            showBackground(background);
            return false;
        }
        background.backgroundImage = path;
        background.backgroundIsColor = false;
        const QSignalBlocker blocker(m_selector);
        setPictureEntry(path);
        m_selector->setCurrentIndex(2);
    } else if (index == 2 && !background.backgroundImage.isEmpty()) {
        background.backgroundIsColor = false;
    } else {
        return false;
    }
    updateEnabled(background);
    return true;
}

void BackgroundControls::updateEnabled(const BackgroundProperties &background)
{
    const bool painted = !(m_transparent && background.backgroundTransparent);
    m_selector->setEnabled(painted);
    m_color->setEnabled(painted && background.backgroundIsColor);
    m_style->setEnabled(painted && !background.backgroundIsColor);
}
