#include "nodepanel.h"

#include "panelkit.h"

#include <QCalendarWidget>
#include <QCoreApplication>
#include <QEvent>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableView>
#include <QTextCharFormat>

#include <vector>

NodePanel::NodePanel(QWidget *parent)
    : QWidget(parent)
{
    // The one look of every panel, media and node alike.
    PanelKit::applyLook(this);
}

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

QCalendarWidget *NodePanel::makeCalendar(QWidget *parent)
{
    auto *calendar = new QCalendarWidget(parent);
    // Month and day names in the interface language (the name of its locale is a text of it).
    calendar->setLocale(QLocale(QCoreApplication::translate("NodePanel", "en_US")));
    calendar->setWindowFlags(Qt::Popup);
    calendar->setFixedSize(240, 205);
    calendar->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    // Small enough for six weeks of seven days to fit the popup.
    calendar->setStyleSheet(QStringLiteral(
        "QCalendarWidget * { font-size: 11px; }"
        "QCalendarWidget QWidget#qt_calendar_navigationbar { background: #232b36; }"
        "QCalendarWidget QToolButton { color: #e8edf3; background: transparent; border: none; }"
        "QCalendarWidget QAbstractItemView { background: #11151b; color: #e8edf3;"
        " selection-background-color: #1e8a98; selection-color: white; }"
        "QCalendarWidget QAbstractItemView:disabled { color: #6b7584; }"));
    QTextCharFormat header;
    header.setForeground(QColor(0xdf, 0xe6, 0xee));
    header.setBackground(QColor(0x23, 0x2b, 0x36));
    calendar->setHeaderTextFormat(header);
    if (auto *view = calendar->findChild<QTableView *>()) {
        view->horizontalHeader()->setMinimumSectionSize(10);
        view->verticalHeader()->setMinimumSectionSize(10);
    }
    return calendar;
}

void NodePanel::openCalendar(QWidget *anchor, const QDate &date, int target)
{
    if (!m_calendar) {
        m_calendar = makeCalendar(this);
        connect(m_calendar, &QCalendarWidget::clicked, this, [this](const QDate &day) {
            m_calendar->hide();
            calendarClicked(m_calendarTarget, day);
        });
    }
    m_calendarTarget = target;
    m_calendar->setLocale(QLocale(QCoreApplication::translate("NodePanel", "en_US")));
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
