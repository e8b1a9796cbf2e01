#include "journalwin.h"

#include "log/databaseconn.h"
#include "log/logfilekeeper.h"
#include "log/playlogcsv.h"
#include "log/playlogreader.h"
#include "log/playlogtablemodel.h"
#include "log/playoutcome.h"
#include "summarychart.h"

#include <QCalendarWidget>
#include <QDateEdit>
#include <QEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QSaveFile>
#include <QSplitter>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QThread>
#include <QVBoxLayout>

#include <memory>

namespace {

// The main window's dark console colours, so the viewer does not flash white over it.
const char *const DialogStyle = R"(
JournalWin { background: #1b2029; border: 1px solid #2f3946; }
QLabel { color: #dfe6ee; }
QLabel#titleLabel { background: #10141a; color: white; padding-left: 8px; }
QLabel#noteLabel { color: #f0c36d; }
QLineEdit, QDateEdit {
    background: #11151b; color: #e8edf3; border: 1px solid #35404e; border-radius: 2px; padding: 2px;
}
QPushButton#lookUpButton, QPushButton#exportButton {
    background: #232b36; color: #e8edf3; border: 1px solid #35404e; border-radius: 3px; padding: 4px 12px;
}
QPushButton#lookUpButton:hover, QPushButton#exportButton:hover { border-color: #2fc4d6; }
QTabWidget::pane { border: 1px solid #35404e; }
QTabBar::tab { background: #161a21; color: #8fa0b4; padding: 5px 14px; border: 1px solid #35404e; }
QTabBar::tab:selected { background: #1f2630; color: #e8edf3; border-bottom: 2px solid #2fc4d6; }
QTableView, QTableWidget {
    background: #11151b; alternate-background-color: #161b22; color: #e8edf3; gridline-color: #2a323d;
    border: none;
}
QHeaderView { background: #1f2630; }
QHeaderView::section { background: #1f2630; color: #dfe6ee; border: none; border-right: 1px solid #2a323d;
    padding: 3px; }
QAbstractScrollArea::corner, QTableCornerButton::section { background: #161a21; border: none; }
QScrollBar::add-line, QScrollBar::sub-line { width: 0; height: 0; }
QScrollBar:vertical { background: #161a21; width: 12px; }
QScrollBar::handle:vertical { background: #35404e; min-height: 24px; border-radius: 4px; }
QScrollBar:horizontal { background: #161a21; height: 12px; }
QScrollBar::handle:horizontal { background: #35404e; min-width: 24px; border-radius: 4px; }
)";

QTableWidgetItem *readOnlyItem(const QString &text, bool number = false)
{
    auto *item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled);
    if (number)
        item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return item;
}

QPushButton *dateButton(QWidget *parent)
{
    auto *button = new QPushButton(parent);
    button->setCursor(Qt::PointingHandCursor);
    button->setFixedSize(19, 23);
    button->setStyleSheet(QStringLiteral("QPushButton:enabled { border-image: url(:/images/date.png);}"));
    return button;
}

} // namespace

struct JournalWin::SummaryResult
{
    int generation = 0;
    int status = 0;
    QString detail;
    QVector<PlayLogSummaryRow> rows;
    QVector<QPair<QString, qint64>> counts;
    bool byHour = false;
};

JournalWin::JournalWin(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
{
    setFixedSize(800, 550);
    setStyleSheet(QString::fromLatin1(DialogStyle));

    m_titleLabel = new QLabel(this);
    m_titleLabel->setObjectName(QStringLiteral("titleLabel"));
    m_titleLabel->setFixedHeight(30);
    m_titleLabel->installEventFilter(this);
    m_closeButton = new QPushButton(m_titleLabel);
    m_closeButton->setObjectName(QStringLiteral("closeButton"));
    m_closeButton->setCursor(Qt::PointingHandCursor);
    m_closeButton->setFixedSize(24, 24);
    m_closeButton->setStyleSheet(
        QStringLiteral("QPushButton:enabled { border-image: url(:/images/close.png);}"
                       "QPushButton:hover{ border-image: url(:/images/close_on.png); }"));
    auto *titleRow = new QHBoxLayout(m_titleLabel);
    titleRow->setContentsMargins(0, 0, 4, 0);
    titleRow->addStretch();
    titleRow->addWidget(m_closeButton);

    m_fromLabel = new QLabel(this);
    m_toLabel = new QLabel(this);
    m_keywordLabel = new QLabel(this);
    m_fromDate = new QDateEdit(QDate::currentDate(), this);
    m_fromDate->setObjectName(QStringLiteral("fromDate"));
    m_toDate = new QDateEdit(QDate::currentDate(), this);
    m_toDate->setObjectName(QStringLiteral("toDate"));
    for (QDateEdit *edit : {m_fromDate, m_toDate}) {
        edit->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
        edit->setFixedWidth(110);
    }
    m_fromButton = dateButton(this);
    m_toButton = dateButton(this);
    m_keyword = new QLineEdit(this);
    m_keyword->setObjectName(QStringLiteral("keyword"));
    m_searchButton = new QPushButton(this);
    m_searchButton->setObjectName(QStringLiteral("lookUpButton"));
    m_searchButton->setCursor(Qt::PointingHandCursor);
    m_exportButton = new QPushButton(this);
    m_exportButton->setObjectName(QStringLiteral("exportButton"));
    m_exportButton->setCursor(Qt::PointingHandCursor);

    auto *searchRow = new QHBoxLayout;
    searchRow->setContentsMargins(10, 8, 10, 4);
    searchRow->setSpacing(6);
    searchRow->addWidget(m_fromLabel);
    searchRow->addWidget(m_fromDate);
    searchRow->addWidget(m_fromButton);
    searchRow->addSpacing(6);
    searchRow->addWidget(m_toLabel);
    searchRow->addWidget(m_toDate);
    searchRow->addWidget(m_toButton);
    searchRow->addSpacing(10);
    searchRow->addWidget(m_keywordLabel);
    searchRow->addWidget(m_keyword, 1);
    searchRow->addWidget(m_searchButton);
    searchRow->addWidget(m_exportButton);

    m_model = new PlayLogTableModel(this);
    m_table = new QTableView(this);
    m_table->setObjectName(QStringLiteral("resultTable"));
    m_table->setModel(m_model);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionMode(QAbstractItemView::NoSelection);
    m_table->setFocusPolicy(Qt::NoFocus);
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->show();
    m_table->setSortingEnabled(false); // rows stay in the order they were written
    m_table->setWordWrap(false);
    m_table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_table->verticalHeader()->setDefaultSectionSize(24);
    // The start and stop texts carry milliseconds: a slightly smaller type keeps them whole
    // in their columns.
    QFont tableFont = m_table->font();
    tableFont.setPixelSize(12);
    m_table->setFont(tableFont);
    const int widths[] = {290, 70, 170, 170, 60};
    for (int c = 0; c < 5; ++c)
        m_table->setColumnWidth(c, widths[c]);

    m_summaryTable = new QTableWidget(0, 5, this);
    m_summaryTable->setObjectName(QStringLiteral("summaryTable"));
    m_summaryTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_summaryTable->setSelectionMode(QAbstractItemView::NoSelection);
    m_summaryTable->setFocusPolicy(Qt::NoFocus);
    m_summaryTable->verticalHeader()->hide();
    m_summaryTable->verticalHeader()->setDefaultSectionSize(24);
    m_summaryTable->setFont(tableFont);
    const int summaryWidths[] = {195, 65, 120, 180, 180};
    for (int c = 0; c < 5; ++c)
        m_summaryTable->setColumnWidth(c, summaryWidths[c]);
    m_chart = new SummaryChart(this);
    m_chart->setObjectName(QStringLiteral("summaryChart"));
    auto *summarySplit = new QSplitter(Qt::Vertical, this);
    summarySplit->addWidget(m_summaryTable);
    summarySplit->addWidget(m_chart);
    summarySplit->setSizes({200, 230});

    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("tabs"));
    m_tabs->addTab(m_table, QString());
    m_tabs->addTab(summarySplit, QString());

    m_noteLabel = new QLabel(this);
    m_noteLabel->setObjectName(QStringLiteral("noteLabel"));
    m_noteLabel->setWordWrap(true);
    m_noteLabel->hide();

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->setSpacing(0);
    layout->addWidget(m_titleLabel);
    layout->addLayout(searchRow);
    auto *body = new QVBoxLayout;
    body->setContentsMargins(10, 4, 10, 10);
    body->setSpacing(4);
    body->addWidget(m_tabs, 1);
    body->addWidget(m_noteLabel);
    layout->addLayout(body, 1);

    m_calendar = new QCalendarWidget(this);
    m_calendar->setObjectName(QStringLiteral("calendar"));
    m_calendar->setFixedSize(240, 205);
    m_calendar->setFocusPolicy(Qt::NoFocus);
    m_calendar->setLocale(QLocale(QLocale::Chinese, QLocale::China));
    m_calendar->setHorizontalHeaderFormat(QCalendarWidget::NoHorizontalHeader);
    m_calendar->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    m_calendar->setNavigationBarVisible(true);
    m_calendar->setStyleSheet(QStringLiteral("background:#dddddd;color:black"));
    m_calendar->hide();

    connect(m_closeButton, &QPushButton::clicked, this, &JournalWin::hide);
    connect(m_fromButton, &QPushButton::clicked, this, &JournalWin::slotFromDate);
    connect(m_toButton, &QPushButton::clicked, this, &JournalWin::slotToDate);
    connect(m_calendar, &QCalendarWidget::clicked, this, &JournalWin::slotCalenderWinClicked);
    connect(m_searchButton, &QPushButton::clicked, this, &JournalWin::slotFindDate);
    connect(m_keyword, &QLineEdit::returnPressed, this, &JournalWin::slotFindDate);
    connect(m_exportButton, &QPushButton::clicked, this, &JournalWin::slotExportClicked);
    connect(m_model, &PlayLogTableModel::readFailed, this, [this] {
        m_problem = readProblem(int(m_model->status()), m_model->errorText());
        showNote();
    });

    retranslateUi();
}

JournalWin::~JournalWin()
{
    for (const QPointer<QThread> &worker : qAsConst(m_workers)) {
        if (worker)
            worker->wait();
    }
}

void JournalWin::retranslateUi()
{
    m_titleLabel->setText(tr("Log plat"));
    m_fromLabel->setText(tr("date:  from"));
    m_toLabel->setText(tr("to"));
    m_keywordLabel->setText(tr("keyword:"));
    m_searchButton->setText(tr("Look up"));
    m_exportButton->setText(tr("Export CSV"));
    m_tabs->setTabText(0, tr("All plays"));
    m_tabs->setTabText(1, tr("Summary"));
    m_summaryTable->setHorizontalHeaderLabels(
        {tr("Name"), tr("Plays"), tr("Seconds shown"), tr("First play"), tr("Last play")});
    m_model->retranslate();
    m_chart->retranslate();
    showNote();
}

void JournalWin::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslateUi();
    QDialog::changeEvent(event);
}

bool JournalWin::eventFilter(QObject *watched, QEvent *event)
{
    // Frameless: the title bar moves the dialog.
    if (watched == m_titleLabel) {
        auto *mouse = static_cast<QMouseEvent *>(event);
        switch (event->type()) {
        case QEvent::MouseButtonPress:
            if (mouse->button() == Qt::LeftButton) {
                m_dragging = true;
                m_dragOffset = mouse->globalPos() - frameGeometry().topLeft();
            }
            break;
        case QEvent::MouseMove:
            if (m_dragging)
                move(mouse->globalPos() - m_dragOffset);
            break;
        case QEvent::MouseButtonRelease:
            m_dragging = false;
            break;
        default:
            break;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void JournalWin::clearResults()
{
    ++m_summaryGeneration;
    m_model->clear();
    m_summaryRows.clear();
    m_summaryTable->setRowCount(0);
    m_chart->clearCounts();
    m_problem.clear();
    showNote();
}

void JournalWin::openOnToday()
{
    clearResults();
    const QDate today = QDate::currentDate();
    m_fromDate->setDate(today);
    m_toDate->setDate(today);
    m_keyword->clear();
    slotFindDate();
}

void JournalWin::slotFromDate()
{
    m_calendarTarget = 0;
    m_calendar->setSelectedDate(m_fromDate->date());
    m_calendar->move(m_fromButton->pos() + QPoint(0, 20));
    m_calendar->show();
    m_calendar->raise();
}

void JournalWin::slotToDate()
{
    m_calendarTarget = 1;
    m_calendar->setSelectedDate(m_toDate->date());
    m_calendar->move(m_toButton->pos() + QPoint(0, 20));
    m_calendar->show();
    m_calendar->raise();
}

void JournalWin::slotCalenderWinClicked(const QDate &date)
{
    (m_calendarTarget == 0 ? m_fromDate : m_toDate)->setDate(date);
    m_calendar->hide();
}

void JournalWin::slotFindDate()
{
    PlayLogFilter filter;
    filter.from = m_fromDate->date();
    filter.to = m_toDate->date();
    filter.keyword = m_keyword->text();
    m_model->setPath(dataBaseConn::databasePath());
    m_problem.clear();
    if (!m_model->search(filter) || m_model->status() == PlayLogReader::Status::Missing)
        m_problem = readProblem(int(m_model->status()), m_model->errorText());
    m_table->scrollToTop();
    showNote();
    startSummary(filter);
}

QString JournalWin::readProblem(int status, const QString &detail) const
{
    switch (PlayLogReader::Status(status)) {
    case PlayLogReader::Status::Ok:
        return QString();
    case PlayLogReader::Status::Missing:
        return tr("Nothing has been played yet: there is no play log.");
    case PlayLogReader::Status::Busy:
        return tr("The play log stayed in use by the player; look up again in a moment.");
    case PlayLogReader::Status::Damaged:
        return tr("The play log is damaged and cannot be read: %1").arg(detail);
    case PlayLogReader::Status::Failed:
        break;
    }
    return tr("The play log cannot be read: %1").arg(detail);
}

void JournalWin::showNote()
{
    QStringList lines;
    if (!m_problem.isEmpty())
        lines << m_problem;
    const QString logPath = m_model->path().isEmpty() ? dataBaseConn::databasePath() : m_model->path();
    const QStringList aside = LogFileKeeper::setAsideFiles(logPath);
    for (const QString &file : aside)
        lines << tr("A damaged play log was set aside as %1; the rows shown come from the current log.")
                     .arg(QFileInfo(file).fileName());
    m_noteLabel->setText(lines.join(QLatin1Char('\n')));
    m_noteLabel->setVisible(!lines.isEmpty());
}

void JournalWin::startSummary(const PlayLogFilter &filter)
{
    auto result = std::make_shared<SummaryResult>();
    result->generation = ++m_summaryGeneration;
    const QString path = m_model->path();
    QThread *worker = QThread::create([result, filter, path] {
        PlayLogReader reader(path);
        result->byHour = filter.isSingleDay();
        if (!reader.summarize(filter, result->byHour, &result->rows, &result->counts)) {
            result->status = int(reader.status());
            result->detail = reader.errorText();
        }
    });
    connect(worker, &QThread::finished, this, [this, worker, result] {
        worker->deleteLater();
        m_workers.removeAll(worker);
        if (result->generation == m_summaryGeneration)
            showSummary(*result);
    });
    worker->setParent(this); // a dialog closed mid-run still waits for and frees its workers
    m_workers.append(worker);
    worker->start();
}

void JournalWin::showSummary(const SummaryResult &result)
{
    m_summaryRows = result.rows;
    m_summaryTable->setRowCount(result.rows.size());
    for (int r = 0; r < result.rows.size(); ++r) {
        const PlayLogSummaryRow &row = result.rows.at(r);
        QTableWidgetItem *name = readOnlyItem(PlayOutcomes::displayName(row.name));
        // Two files of one name are two lines; the path tells which is which.
        if (!row.path.isEmpty())
            name->setToolTip(row.path);
        m_summaryTable->setItem(r, 0, name);
        m_summaryTable->setItem(r, 1, readOnlyItem(QString::number(row.plays), true));
        m_summaryTable->setItem(r, 2, readOnlyItem(row.secondsText(), true));
        m_summaryTable->setItem(r, 3, readOnlyItem(row.firstPlay));
        m_summaryTable->setItem(r, 4, readOnlyItem(row.lastPlay));
    }
    m_chart->setCounts(result.counts, result.byHour);
    if (result.status != int(PlayLogReader::Status::Ok) &&
        result.status != int(PlayLogReader::Status::Missing) && m_problem.isEmpty()) {
        m_problem = readProblem(result.status, result.detail);
        showNote();
    }
    emit sigSummaryReady();
}

void JournalWin::slotExportClicked()
{
    const bool summary = m_tabs->currentIndex() == 1;
    const QString path = QFileDialog::getSaveFileName(
        this, tr("Export CSV"), summary ? QStringLiteral("summary.csv") : QStringLiteral("plays.csv"),
        tr("CSV files (*.csv)"));
    if (!path.isEmpty())
        exportCsv(path, summary);
}

void JournalWin::exportCsv(const QString &path, bool summary)
{
    const PlayLogFilter filter = m_model->filter();
    const QString logPath = m_model->path();
    const QVector<PlayLogSummaryRow> summaryRows = m_summaryRows;
    auto ok = std::make_shared<bool>(false);
    QThread *worker = QThread::create([=] {
        QSaveFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            return;
        bool written = true;
        if (summary) {
            file.write(PlayLogCsv::summaryHeader());
            for (const PlayLogSummaryRow &row : summaryRows)
                file.write(PlayLogCsv::summaryLine(row));
        } else {
            file.write(PlayLogCsv::rowsHeader());
            PlayLogReader reader(logPath);
            const bool read = reader.forEach(filter, [&file, &written](const PlayLogEntry &e) {
                written = file.write(PlayLogCsv::rowLine(e)) >= 0;
                return written;
            });
            written = written && (read || reader.status() == PlayLogReader::Status::Missing);
        }
        *ok = written && file.commit();
    });
    connect(worker, &QThread::finished, this, [this, worker, ok, path] {
        worker->deleteLater();
        m_workers.removeAll(worker);
        m_problem = *ok ? QString() : tr("The CSV file %1 could not be written.").arg(path);
        showNote();
        emit sigExportFinished(*ok, path);
    });
    worker->setParent(this); // a dialog closed mid-run still waits for and frees its workers
    m_workers.append(worker);
    worker->start();
}
