#include "languagesetupwin.h"

#include <QButtonGroup>
#include <QRadioButton>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

LanguageSetupWin::LanguageSetupWin(QWidget *parent)
    : FramelessDialog(parent)
{
    setObjectName(QStringLiteral("LanguageSetupWin"));
    setFixedSize(320, 220);
    QVBoxLayout *column = contentLayout();

    m_chinese = new QRadioButton(QStringLiteral("简体中文"), this);
    m_english = new QRadioButton(QStringLiteral("English"), this);
    m_group = new QButtonGroup(this);
    m_group->setExclusive(true);
    m_group->addButton(m_chinese, 0);
    m_group->addButton(m_english, 1);
    column->addWidget(m_chinese);
    column->addWidget(m_english);
    column->addStretch(1);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    m_ok = new QPushButton(this);
    m_ok->setDefault(true);
    m_cancel = new QPushButton(this);
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    column->addLayout(buttons);

    connect(m_ok, &QPushButton::clicked, this, &LanguageSetupWin::slotSure);
    connect(m_cancel, &QPushButton::clicked, this, &LanguageSetupWin::slotCancel);
    retranslate();
}

void LanguageSetupWin::retranslate()
{
    titleLabel()->setText(tr("Language setting"));
    m_ok->setText(tr("ok"));
    m_cancel->setText(tr("cancel"));
}

void LanguageSetupWin::setLanguage(int language)
{
    // An exclusive group never lets the last checked button go; a value with no button needs it off.
    m_group->setExclusive(false);
    m_chinese->setChecked(language == 0);
    m_english->setChecked(language == 1);
    m_group->setExclusive(true);
}

int LanguageSetupWin::language(int unchanged) const
{
    if (m_chinese->isChecked())
        return 0;
    if (m_english->isChecked())
        return 1;
    return unchanged;
}

void LanguageSetupWin::slotSure()
{
    setCancelled(false);
    accept();
}

void LanguageSetupWin::slotCancel()
{
    reject();
}
