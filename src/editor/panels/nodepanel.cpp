#include "nodepanel.h"

#include <QCalendarWidget>
#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>

#include <vector>

NodePanel::NodePanel(QWidget *parent)
    : QWidget(parent)
{}

void NodePanel::refill()
{
    if (!hasRecord())
        return;
    // Only the controls: their item models must still tell their views what changed.
    const QList<QWidget *> children = findChildren<QWidget *>();
    std::vector<QSignalBlocker> blockers;
    blockers.reserve(size_t(children.size()));
    for (QWidget *child : children)
        blockers.emplace_back(child);
    fillControls();
}

bool NodePanel::acceptChange()
{
    if (canStore())
        return true;
    refill();
    return false;
}

QLabel *NodePanel::addLabel(QGridLayout *grid, int row, int column)
{
    auto *label = new QLabel(this);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    grid->addWidget(label, row, column);
    return label;
}

QPushButton *NodePanel::makeDateButton()
{
    auto *button = new QPushButton(this);
    button->setFixedSize(19, 23);
    button->setStyleSheet(QStringLiteral("QPushButton:enabled { border-image: url(:/images/date.png);}"));
    return button;
}

void NodePanel::openCalendar(QWidget *anchor, const QDate &date, int target)
{
    if (!m_calendar) {
        m_calendar = new QCalendarWidget(this);
        m_calendar->setWindowFlags(Qt::Popup);
        m_calendar->setFixedSize(240, 205);
        m_calendar->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
        connect(m_calendar, &QCalendarWidget::clicked, this, [this](const QDate &day) {
            m_calendar->hide();
            calendarClicked(m_calendarTarget, day);
        });
    }
    m_calendarTarget = target;
    if (date.isValid())
        m_calendar->setSelectedDate(date);
    m_calendar->move(anchor->mapToGlobal(QPoint(0, anchor->height())));
    m_calendar->show();
}

void NodePanel::calendarClicked(int target, const QDate &day)
{
    Q_UNUSED(target)
    Q_UNUSED(day)
}

void NodePanel::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        retranslateUi();
        refill();
    }
    QWidget::changeEvent(event);
}
