#pragma once

#include "fleetlog/fleetreport.h"
#include "log/playlogfilter.h"
#include "log/playlogsummaryrow.h"

#include <QDate>
#include <QDialog>
#include <QPair>
#include <QPointer>
#include <QVector>

class FleetLogTableModel;
class FleetLogWorker;
class PlayLogTableModel;
class QCalendarWidget;
class QComboBox;
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
//
// The same over the fleet's central play log: opened at a PostgreSQL address, read-only, with
// a device and a group filter. Every query of it runs on a worker thread with a connection of
// its own (FleetLogWorker); a search that a newer one replaces is abandoned and cancelled.
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

    // Shows the fleet's central play log at `address` (a postgresql:// URI) and remembers the
    // address in the settings; the connection is made in the background.
    void openCentral(const QString &address);
    // Back to the play log of this player.
    void openLocal();
    bool isCentral() const { return !m_centralAddress.isEmpty(); }
    // At most this many rows of the central log are listed; the summary and the export count all.
    static constexpr int CentralRowLimit = 50000;

    // Writes the searched rows (or the summary) to `path` as CSV in the background;
    // sigExportFinished reports the outcome.
    void exportCsv(const QString &path, bool summary);

signals:
    void sigSummaryReady();
    void sigExportFinished(bool ok, const QString &path);
    // Central log: the devices and groups are listed; a search's rows are all listed; the
    // store could not be reached or read (the message is also shown in the dialog).
    void sigCentralOpened();
    void sigCentralSearchFinished();
    void sigCentralProblem(const QString &message);

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
    QString centralProblem(int problem, const QString &detail) const;
    void showSource();
    void showAddressEditor();
    void searchCentral();
    FleetReport::Filter centralFilter() const;
    FleetLogWorker *spawnFleetWorker(int cancelBackend, QThread **thread);
    void startFleetWorker(int cancelBackend);
    void retireFleetWorker();
    void fillCentralChoices(const QStringList &devices, const QStringList &groups);

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
    QLabel *m_sourceLabel = nullptr;
    QLabel *m_deviceLabel = nullptr;
    QComboBox *m_deviceCombo = nullptr;
    QLabel *m_groupLabel = nullptr;
    QComboBox *m_groupCombo = nullptr;
    QPushButton *m_centralButton = nullptr;
    QPushButton *m_localButton = nullptr;
    QLabel *m_addressLabel = nullptr;
    QLineEdit *m_addressEdit = nullptr;
    QPushButton *m_openButton = nullptr;
    QPushButton *m_cancelButton = nullptr;
    int m_calendarTarget = 0; // 0 = from, 1 = to

    PlayLogTableModel *m_model = nullptr;
    FleetLogTableModel *m_fleetModel = nullptr;
    QString m_centralAddress; // empty: this player's log
    FleetLogWorker *m_fleetWorker = nullptr;
    QThread *m_fleetThread = nullptr;
    FleetReport::Filter m_centralFilter; // of the rows listed
    int m_searchGeneration = 0;
    bool m_centralTruncated = false;
    bool m_centralListed = false; // the device and group choices came from the store
    bool m_connecting = false;
    bool m_addressEditing = false;
    QVector<PlayLogSummaryRow> m_summaryRows;
    int m_summaryGeneration = 0;
    QVector<QPointer<QThread>> m_workers;
    QString m_problem;
    QPoint m_dragOffset;
    bool m_dragging = false;
};
