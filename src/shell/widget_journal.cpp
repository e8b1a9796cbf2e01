// The play-log viewer of the main menu.
#include "log/viewer/journalwin.h"
#include "widget.h"

void Widget::slotShowJournal()
{
    if (!m_journal)
        m_journal = new JournalWin(this);
    m_journal->openOnToday();
    m_journal->show();
    m_journal->raise();
    m_journal->activateWindow();
}
