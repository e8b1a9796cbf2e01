#include "bootsetupwin.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QVBoxLayout>

namespace {
QString desktopFolder()
{
    // Many Linux set-ups have no desktop folder; a missing one would be offered as a file name.
    const QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    if (QFileInfo(desktop).isDir())
        return desktop;
    return QStandardPaths::writableLocation(QStandardPaths::HomeLocation);
}
} // namespace

BootSetupWin::BootSetupWin(QWidget *parent)
    : FramelessDialog(parent)
{
    setObjectName(QStringLiteral("BootSetupWin"));
    setFixedSize(450, 350);
    QVBoxLayout *column = contentLayout();

    m_startUp = new QCheckBox(this);
    m_autoPlay = new QCheckBox(this);
    column->addWidget(m_startUp);
    column->addWidget(m_autoPlay);

    m_option = new QGroupBox(this);
    auto *options = new QVBoxLayout(m_option);
    m_selectScheme = new QRadioButton(m_option);
    m_lastScheme = new QRadioButton(m_option);
    auto *pathRow = new QHBoxLayout;
    m_path = new QLineEdit(m_option);
    m_select = new QPushButton(m_option);
    pathRow->addWidget(m_path, 1);
    pathRow->addWidget(m_select);
    options->addWidget(m_selectScheme);
    options->addLayout(pathRow);
    options->addWidget(m_lastScheme);
    column->addWidget(m_option);
    column->addStretch(1);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    m_ok = new QPushButton(this);
    m_ok->setDefault(true);
    m_cancel = new QPushButton(this);
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    column->addLayout(buttons);

    connect(m_autoPlay, &QCheckBox::toggled, this, &BootSetupWin::enablePlay);
    connect(m_select, &QPushButton::clicked, this, &BootSetupWin::slotLoad);
    connect(m_ok, &QPushButton::clicked, this, &BootSetupWin::slotSure);
    connect(m_cancel, &QPushButton::clicked, this, &BootSetupWin::slotCancel);
    enablePlay(false);
    retranslate();
}

void BootSetupWin::retranslate()
{
    titleLabel()->setText(tr("Startup settings"));
    m_startUp->setText(tr("Start-up"));
    m_startUp->setToolTip(m_byService ? tr("Started with the session by the lumora-player.service unit") : QString());
    m_autoPlay->setText(tr("Auto play"));
    m_option->setTitle(tr("Option"));
    m_selectScheme->setText(tr("Select the scheme"));
    m_lastScheme->setText(tr("Play the last play scheme"));
    m_select->setText(tr("select"));
    m_ok->setText(tr("ok"));
    m_cancel->setText(tr("cancel"));
}

void BootSetupWin::setValues(bool startUp, bool autoPlay, int playType, const QString &schemePath)
{
    m_startUp->setChecked(startUp);
    m_autoPlay->setChecked(autoPlay);
    enablePlay(autoPlay);
    // A stored value other than 0 and 1 shows neither choice, which exclusive buttons
    // only allow while they are not exclusive.
    m_selectScheme->setAutoExclusive(false);
    m_lastScheme->setAutoExclusive(false);
    m_selectScheme->setChecked(playType == 0);
    m_lastScheme->setChecked(playType == 1);
    m_selectScheme->setAutoExclusive(true);
    m_lastScheme->setAutoExclusive(true);
    m_path->setText(schemePath);
}

void BootSetupWin::setStartedByService(bool byService)
{
    m_byService = byService;
    if (byService)
        m_startUp->setChecked(true);
    m_startUp->setEnabled(!byService);
    retranslate();
}

bool BootSetupWin::startUp() const
{
    return m_startUp->isChecked();
}

bool BootSetupWin::autoPlay() const
{
    return m_autoPlay->isChecked();
}

int BootSetupWin::playType(int unchanged) const
{
    if (m_selectScheme->isChecked())
        return 0;
    if (m_lastScheme->isChecked())
        return 1;
    return unchanged;
}

QString BootSetupWin::schemePath() const
{
    return m_path->text();
}

void BootSetupWin::enablePlay(bool enabled)
{
    // The group itself stays enabled so its title reads as a heading; its four controls follow.
    for (QWidget *control : {static_cast<QWidget *>(m_selectScheme), static_cast<QWidget *>(m_lastScheme),
                             static_cast<QWidget *>(m_path), static_cast<QWidget *>(m_select)})
        control->setEnabled(enabled);
}

void BootSetupWin::slotLoad()
{
    const QString path =
        QFileDialog::getOpenFileName(this, tr("Open"), desktopFolder(), tr("Schedule(*.schx)"));
    if (!path.isEmpty())
        m_path->setText(path);
}

void BootSetupWin::slotSure()
{
    setCancelled(false);
    accept();
}

void BootSetupWin::slotCancel()
{
    reject();
}
