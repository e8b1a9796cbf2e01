#include "extendwin.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QVBoxLayout>

ExtendWin::ExtendWin(const QList<QRect> &screens, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("ExtendWin"));
    setModal(true);
    setFixedSize(328, 248);
    auto *column = new QVBoxLayout(this);
    m_caption = new QLabel(this);
    column->addWidget(m_caption);

    // A machine with many screens lists more than the fixed size shows: they scroll.
    auto *scroll = new QScrollArea(this);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto *list = new QWidget(scroll);
    list->setObjectName(QStringLiteral("screenList"));
    // The list lies on the dialog itself, in whatever look the dialog has.
    scroll->setStyleSheet(QStringLiteral("QScrollArea, QWidget#screenList { background: transparent; }"));
    scroll->viewport()->setAutoFillBackground(false);
    auto *radios = new QVBoxLayout(list);
    radios->setSpacing(20);
    radios->setContentsMargins(40, 10, 10, 10);
    for (const QRect &screen : screens) {
        auto *button = new QRadioButton(QStringLiteral("x:%1 y:%2 w:%3 h:%4")
                                            .arg(screen.left())
                                            .arg(screen.top())
                                            .arg(screen.width())
                                            .arg(screen.height()),
                                        list);
        radios->addWidget(button);
        m_screenButtons << button;
    }
    radios->addStretch(1);
    if (!m_screenButtons.isEmpty())
        m_screenButtons.first()->setChecked(true);
    scroll->setWidget(list);
    column->addWidget(scroll, 1);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    m_ok = new QPushButton(this);
    m_ok->setDefault(true);
    m_cancel = new QPushButton(this);
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    column->addLayout(buttons);

    connect(m_ok, &QPushButton::clicked, this, &ExtendWin::slotSure);
    connect(m_cancel, &QPushButton::clicked, this, &ExtendWin::slotCancel);
    retranslate();
}

void ExtendWin::retranslate()
{
    setWindowTitle(tr("Backstage setting"));
    m_caption->setText(tr("Screen selection:"));
    m_ok->setText(tr("ok"));
    m_cancel->setText(tr("cancel"));
}

void ExtendWin::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QDialog::changeEvent(event);
}

void ExtendWin::slotSure()
{
    m_chosenIndex = 0;
    for (int i = 0; i < m_screenButtons.size(); ++i) {
        if (m_screenButtons.at(i)->isChecked())
            m_chosenIndex = i;
    }
    m_cancelled = false;
    accept();
}

void ExtendWin::slotCancel()
{
    reject();
}

void ExtendWin::reject()
{
    m_cancelled = true;
    QDialog::reject();
}
