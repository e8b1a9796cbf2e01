#pragma once

#include "log/playlogfilter.h"
#include "log/playlogsummaryrow.h"

#include <QDate>
#include <QDialog>
#include <QPair>
#include <QPointer>
#include <QVector>

class PlayLogTableModel;
class QCalendarWidget;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QTableView;
class QTableWidget;
class QThread;
class SummaryChart;

// The play-log viewer: search by start dates and a name keyword, the rows as they were
// written, and per media item the plays and time shown with a chart of plays over time.
// Reading and exporting run off the GUI thread where they can take long.
class JournalWin : public QDialog
{
    Q_OBJECT

public:
    explicit JournalWin(QWidget *parent = nullptr);
    ~JournalWin() override;

    // Empties the result table and the summary (before the dialog is shown again).
    void clearResults();
    // What the viewer shows when it is opened: today's rows, every name.
    void openOnToday();
    PlayLogTableModel *resultModel() const { return m_model; }

    // Writes the searched rows (or the summary) to `path` as CSV in the background;
    // sigExportFinished reports the outcome.
    void exportCsv(const QString &path, bool summary);

signals:
    void sigSummaryReady();
    void sigExportFinished(bool ok, const QString &path);

public slots:
    void slotFindDate();
    void slotFromDate();
    void slotToDate();
    void slotCalenderWinClicked(const QDate &date);

protected:
    void changeEvent(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct SummaryResult;

    void retranslateUi();
    void startSummary(const PlayLogFilter &filter);
    void showSummary(const SummaryResult &result);
    void slotExportClicked();
    void showNote();
    QString readProblem(int status, const QString &detail) const;

    QLabel *m_titleLabel = nullptr;
    QPushButton *m_closeButton = nullptr;
    QLabel *m_fromLabel = nullptr;
    QLabel *m_toLabel = nullptr;
    QLabel *m_keywordLabel = nullptr;
    QDateEdit *m_fromDate = nullptr;
    QDateEdit *m_toDate = nullptr;
    QPushButton *m_fromButton = nullptr;
    QPushButton *m_toButton = nullptr;
    QLineEdit *m_keyword = nullptr;
    QPushButton *m_searchButton = nullptr;
    QPushButton *m_exportButton = nullptr;
    QTabWidget *m_tabs = nullptr;
    QTableView *m_table = nullptr;
    QTableWidget *m_summaryTable = nullptr;
    SummaryChart *m_chart = nullptr;
    QLabel *m_noteLabel = nullptr;
    QCalendarWidget *m_calendar = nullptr;
    int m_calendarTarget = 0; // 0 = from, 1 = to

    PlayLogTableModel *m_model = nullptr;
    QVector<PlayLogSummaryRow> m_summaryRows;
    int m_summaryGeneration = 0;
    QVector<QPointer<QThread>> m_workers;
    QString m_problem;
    QPoint m_dragOffset;
    bool m_dragging = false;
};
