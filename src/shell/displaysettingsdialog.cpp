#include "displaysettingsdialog.h"

#include <QButtonGroup>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {
QSpinBox *makeSpin(int minimum, int maximum, QWidget *parent)
{
    auto *spin = new QSpinBox(parent);
    spin->setRange(minimum, maximum);
    return spin;
}
} // namespace

DisplaySettingsDialog::DisplaySettingsDialog(const QStringList &otherNames, QWidget *parent)
    : QDialog(parent)
    , m_otherNames(otherNames)
{
    setModal(true);
    setWindowTitle(tr("Led Display Parameter Setting"));
    auto *column = new QVBoxLayout(this);
    auto *form = new QFormLayout;
    column->addLayout(form);

    m_nameEdit = new QLineEdit(this);
    m_nameEdit->setReadOnly(true);
    m_x = makeSpin(-5000, 5000, this);
    m_y = makeSpin(-5000, 5000, this);
    m_width = makeSpin(0, 5000, this);
    m_height = makeSpin(0, 5000, this);
    form->addRow(tr("Name:"), m_nameEdit);
    form->addRow(tr("X:"), m_x);
    form->addRow(tr("Y:"), m_y);
    form->addRow(tr("Width:"), m_width);
    form->addRow(tr("Height:"), m_height);

    auto *onTopRow = new QHBoxLayout;
    m_never = new QRadioButton(tr("Never"), this);
    m_always = new QRadioButton(tr("Always"), this);
    m_playing = new QRadioButton(tr("Playing"), this);
    auto *group = new QButtonGroup(this);
    group->setExclusive(true);
    for (QRadioButton *button : {m_never, m_always, m_playing}) {
        group->addButton(button);
        onTopRow->addWidget(button);
    }
    m_always->setChecked(true);
    form->addRow(tr("On Top:"), onTopRow);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    m_ok = new QPushButton(tr("OK"), this);
    m_ok->setDefault(true);
    m_cancel = new QPushButton(tr("Cancel"), this);
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    column->addLayout(buttons);

    connect(m_ok, &QPushButton::clicked, this, &DisplaySettingsDialog::sureBtnSlot);
    connect(m_cancel, &QPushButton::clicked, this, &DisplaySettingsDialog::cancelBtnSlot);
}

void DisplaySettingsDialog::setValues(const QString &name, int x, int y, int width, int height, int onTopMode)
{
    m_nameEdit->setText(name);
    m_x->setValue(x);
    m_y->setValue(y);
    m_width->setValue(width);
    m_height->setValue(height);
    if (QRadioButton *button = onTopButton(onTopMode))
        button->setChecked(true);
}

QString DisplaySettingsDialog::name() const
{
    return m_nameEdit->text();
}

int DisplaySettingsDialog::x() const
{
    return m_x->value();
}

int DisplaySettingsDialog::y() const
{
    return m_y->value();
}

int DisplaySettingsDialog::displayWidth() const
{
    return m_width->value();
}

int DisplaySettingsDialog::displayHeight() const
{
    return m_height->value();
}

int DisplaySettingsDialog::onTopMode() const
{
    if (m_never->isChecked())
        return 0;
    if (m_playing->isChecked())
        return 2;
    return 1;
}

QRadioButton *DisplaySettingsDialog::onTopButton(int mode) const
{
    switch (mode) {
    case 0:
        return m_never;
    case 1:
        return m_always;
    case 2:
        return m_playing;
    default:
        return nullptr;
    }
}

void DisplaySettingsDialog::sureBtnSlot()
{
    const QString name = m_nameEdit->text();
    if (name.isEmpty()) {
        QMessageBox::information(this, tr("info"), tr("Name can not be empty!"), QMessageBox::Ok);
        return;
    }
    if (m_otherNames.contains(name)) {
        QMessageBox::information(this, tr("info"), tr("The name already exists, please Reinput!"),
                                 QMessageBox::Ok);
        return;
    }
    m_accepted = true;
    accept();
}

void DisplaySettingsDialog::cancelBtnSlot()
{
    m_accepted = false;
    reject();
}
