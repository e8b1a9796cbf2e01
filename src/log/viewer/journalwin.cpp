#include "journalwin.h"

#include "appcore/settings.h"
#include "fleetlogtablemodel.h"
#include "fleetlogworker.h"
#include "log/databaseconn.h"
#include "log/logfilekeeper.h"
#include "log/playlogcsv.h"
#include "log/playlogreader.h"
#include "log/playlogtablemodel.h"
#include "log/playoutcome.h"
#include "summarychart.h"

#include <QCalendarWidget>
#include <QComboBox>
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
#include <QRegularExpression>
#include <QSaveFile>
#include <QSplitter>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QThread>
#include <QVBoxLayout>

#include <algorithm>
#include <memory>

namespace {

// The main window's dark console colours, so the viewer does not flash white over it.
const char *const DialogStyle = R"(
JournalWin { background: #1b2029; border: 1px solid #2f3946; }
QLabel { color: #dfe6ee; }
QLabel#titleLabel { background: #10141a; color: white; padding-left: 8px; }
QLabel#noteLabel { color: #f0c36d; }
QLabel#sourceLabel { color: #8fa0b4; }
QLineEdit, QDateEdit, QComboBox {
    background: #11151b; color: #e8edf3; border: 1px solid #35404e; border-radius: 2px; padding: 2px;
}
QComboBox QAbstractItemView {
    background: #11151b; color: #e8edf3; border: 1px solid #35404e; selection-background-color: #2a3a4a;
}
QPushButton#lookUpButton, QPushButton#exportButton, QPushButton#centralButton, QPushButton#localButton,
QPushButton#openButton, QPushButton#cancelAddressButton {
    background: #232b36; color: #e8edf3; border: 1px solid #35404e; border-radius: 3px; padding: 4px 12px;
}
QPushButton#lookUpButton:hover, QPushButton#exportButton:hover, QPushButton#centralButton:hover,
QPushButton#localButton:hover, QPushButton#openButton:hover, QPushButton#cancelAddressButton:hover {
    border-color: #2fc4d6;
}
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

QPushButton *textButton(const char *name, QWidget *parent)
{
    auto *button = new QPushButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setCursor(Qt::PointingHandCursor);
    return button;
}

// What the settings keep of an address, and what messages show of it: no password.
QString withoutPassword(const QString &address)
{
    const int scheme = address.indexOf(QLatin1String("://"));
    if (scheme < 0)
        return address;
    const int start = scheme + 3;
    int end = address.indexOf(QRegularExpression(QStringLiteral("[/?]")), start);
    if (end < 0)
        end = address.size();
    QString out = address;
    const int at = address.lastIndexOf(QLatin1Char('@'), end - 1);
    if (at >= start) {
        const int colon = address.indexOf(QLatin1Char(':'), start);
        if (colon >= 0 && colon < at)
            out = address.left(colon) + address.mid(at);
    }
    const int question = out.indexOf(QLatin1Char('?'));
    if (question >= 0) {
        QStringList parameters = out.mid(question + 1).split(QLatin1Char('&'), Qt::SkipEmptyParts);
        parameters.erase(
            std::remove_if(parameters.begin(), parameters.end(),
                           [](const QString &p) { return p.startsWith(QLatin1String("password=")); }),
            parameters.end());
        out = out.left(question) +
              (parameters.isEmpty() ? QString() : QLatin1Char('?') + parameters.join(QLatin1Char('&')));
    }
    return out;
}

const int LocalWidths[] = {290, 70, 170, 170, 60};
const int CentralWidths[] = {80, 200, 60, 165, 165, 90};

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

    // Which log is shown, and in the central one the device and group filters; the address is
    // asked for in the same row.
    m_sourceLabel = new QLabel(this);
    m_sourceLabel->setObjectName(QStringLiteral("sourceLabel"));
    m_deviceLabel = new QLabel(this);
    m_deviceCombo = new QComboBox(this);
    m_deviceCombo->setObjectName(QStringLiteral("deviceCombo"));
    m_groupLabel = new QLabel(this);
    m_groupCombo = new QComboBox(this);
    m_groupCombo->setObjectName(QStringLiteral("groupCombo"));
    for (QComboBox *combo : {m_deviceCombo, m_groupCombo}) {
        combo->setMinimumContentsLength(12);
        combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    }
    m_centralButton = textButton("centralButton", this);
    m_localButton = textButton("localButton", this);
    m_addressLabel = new QLabel(this);
    m_addressEdit = new QLineEdit(this);
    m_addressEdit->setObjectName(QStringLiteral("addressEdit"));
    // An address reads the same in every language.
    m_addressEdit->setPlaceholderText(QStringLiteral("postgresql://user@host/database"));
    m_openButton = textButton("openButton", this);
    m_cancelButton = textButton("cancelAddressButton", this);
    auto *sourceRow = new QHBoxLayout;
    sourceRow->setContentsMargins(10, 0, 10, 4);
    sourceRow->setSpacing(6);
    sourceRow->addWidget(m_sourceLabel);
    sourceRow->addWidget(m_deviceLabel);
    sourceRow->addWidget(m_deviceCombo);
    sourceRow->addSpacing(6);
    sourceRow->addWidget(m_groupLabel);
    sourceRow->addWidget(m_groupCombo);
    sourceRow->addSpacing(6);
    sourceRow->addWidget(m_addressLabel);
    sourceRow->addWidget(m_addressEdit, 10);
    sourceRow->addWidget(m_openButton);
    sourceRow->addWidget(m_cancelButton);
    sourceRow->addStretch(1);
    sourceRow->addWidget(m_centralButton);
    sourceRow->addWidget(m_localButton);

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
    m_fleetModel = new FleetLogTableModel(this);
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
    for (int c = 0; c < 5; ++c)
        m_table->setColumnWidth(c, LocalWidths[c]);

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
    layout->addLayout(sourceRow);
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
    connect(m_centralButton, &QPushButton::clicked, this, &JournalWin::showAddressEditor);
    connect(m_localButton, &QPushButton::clicked, this, &JournalWin::openLocal);
    connect(m_openButton, &QPushButton::clicked, this,
            [this] { openCentral(m_addressEdit->text().trimmed()); });
    connect(m_addressEdit, &QLineEdit::returnPressed, this,
            [this] { openCentral(m_addressEdit->text().trimmed()); });
    connect(m_cancelButton, &QPushButton::clicked, this, [this] {
        m_addressEditing = false;
        showSource();
    });
    connect(m_deviceCombo, QOverload<int>::of(&QComboBox::activated), this, &JournalWin::slotFindDate);
    connect(m_groupCombo, QOverload<int>::of(&QComboBox::activated), this, &JournalWin::slotFindDate);
    connect(m_model, &PlayLogTableModel::readFailed, this, [this] {
        m_problem = readProblem(int(m_model->status()), m_model->errorText());
        showNote();
    });

    retranslateUi();
}

JournalWin::~JournalWin()
{
    // The central log's workers stop at their next row and free themselves: a query still
    // waiting on a server that does not answer must not hold the window's close. The local
    // log's readers are bounded by the file and are waited for.
    for (const QPointer<QThread> &worker : qAsConst(m_workers)) {
        if (worker) {
            worker->requestInterruption();
            worker->quit();
        }
    }
    for (const QPointer<QThread> &worker : qAsConst(m_workers)) {
        if (worker && worker->parent() == this)
            worker->wait();
    }
}

void JournalWin::retranslateUi()
{
    m_fromLabel->setText(tr("date:  from"));
    m_toLabel->setText(tr("to"));
    m_keywordLabel->setText(tr("keyword:"));
    m_searchButton->setText(tr("Look up"));
    m_exportButton->setText(tr("Export CSV"));
    m_tabs->setTabText(0, tr("All plays"));
    m_tabs->setTabText(1, tr("Summary"));
    m_summaryTable->setHorizontalHeaderLabels(
        {tr("Name"), tr("Plays"), tr("Seconds shown"), tr("First play"), tr("Last play")});
    m_deviceLabel->setText(tr("Device:"));
    m_groupLabel->setText(tr("Group:"));
    if (m_deviceCombo->count() > 0)
        m_deviceCombo->setItemText(0, tr("All devices"));
    if (m_groupCombo->count() > 0)
        m_groupCombo->setItemText(0, tr("All groups"));
    m_centralButton->setText(tr("Central log…"));
    m_localButton->setText(tr("This player's log"));
    m_addressLabel->setText(tr("Address:"));
    m_addressEdit->setToolTip(
        tr("The central play log's PostgreSQL address, for example postgresql://user@host/database or "
           "postgresql://user@/database?host=/socket/folder. It is only read, never written."));
    m_openButton->setText(tr("Open"));
    m_cancelButton->setText(tr("Cancel"));
    m_model->retranslate();
    m_fleetModel->retranslate();
    m_chart->retranslate();
    showSource();
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
    ++m_searchGeneration;
    m_model->clear();
    m_fleetModel->clear();
    m_centralTruncated = false;
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
    if (isCentral()) {
        searchCentral();
        return;
    }
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
    if (m_connecting && m_problem.isEmpty())
        lines << tr("Connecting to the central log at %1…").arg(withoutPassword(m_centralAddress));
    if (!m_problem.isEmpty())
        lines << m_problem;
    if (isCentral()) {
        if (m_centralTruncated)
            lines << tr("Only the first %1 rows are listed; the summary and the CSV export count every row.")
                         .arg(CentralRowLimit);
        m_noteLabel->setText(lines.join(QLatin1Char('\n')));
        m_noteLabel->setVisible(!lines.isEmpty());
        return;
    }
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
    if (isCentral() && !summary) {
        // A connection of its own: a long export holds neither the searches nor the dialog.
        QThread *thread = nullptr;
        FleetLogWorker *worker = spawnFleetWorker(0, &thread);
        connect(worker, &FleetLogWorker::exportFinished, this, [this, thread](bool ok, const QString &file) {
            thread->quit();
            m_problem = ok ? QString() : tr("The CSV file %1 could not be written.").arg(file);
            showNote();
            emit sigExportFinished(ok, file);
        });
        worker->postExport(m_centralFilter, path);
        return;
    }
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

void JournalWin::showAddressEditor()
{
    m_addressEditing = true;
    if (m_addressEdit->text().isEmpty())
        m_addressEdit->setText(appSettings().centralLog);
    showSource();
    m_addressEdit->setFocus();
}

void JournalWin::showSource()
{
    const bool central = isCentral();
    const bool editing = m_addressEditing;
    for (QWidget *w : {static_cast<QWidget *>(m_deviceLabel), static_cast<QWidget *>(m_deviceCombo),
                       static_cast<QWidget *>(m_groupLabel), static_cast<QWidget *>(m_groupCombo),
                       static_cast<QWidget *>(m_localButton)})
        w->setVisible(central && !editing);
    for (QWidget *w : {static_cast<QWidget *>(m_addressLabel), static_cast<QWidget *>(m_addressEdit),
                       static_cast<QWidget *>(m_openButton), static_cast<QWidget *>(m_cancelButton)})
        w->setVisible(editing);
    m_sourceLabel->setVisible(!editing && !central);
    m_centralButton->setVisible(!editing);
    m_sourceLabel->setText(tr("This player's log"));
    // The times of the central log are not this computer's: every device logs its own.
    m_titleLabel->setText(central ? tr("Log plat") + QStringLiteral("  ·  ") +
                                        tr("Central log, in each device's local time")
                                  : tr("Log plat"));
    m_titleLabel->setToolTip(central ? withoutPassword(m_centralAddress) : QString());
    QAbstractItemModel *model = central ? static_cast<QAbstractItemModel *>(m_fleetModel)
                                        : static_cast<QAbstractItemModel *>(m_model);
    if (m_table->model() != model) {
        m_table->setModel(model);
        for (int c = 0; c < model->columnCount(); ++c)
            m_table->setColumnWidth(c, central ? CentralWidths[c] : LocalWidths[c]);
    }
}

void JournalWin::openCentral(const QString &address)
{
    if (address.isEmpty())
        return;
    m_addressEditing = false;
    m_addressEdit->setText(address);
    appSettings().centralLog = withoutPassword(address);
    if (!writeCentralLog())
        qWarning("the central log's address could not be kept in %s", qPrintable(settingsFilePath()));
    retireFleetWorker();
    m_centralAddress = address;
    m_centralListed = false;
    m_deviceCombo->clear();
    m_groupCombo->clear();
    fillCentralChoices({}, {});
    clearResults();
    showSource();
    slotFindDate();
}

void JournalWin::openLocal()
{
    m_addressEditing = false;
    retireFleetWorker();
    m_centralAddress.clear();
    m_connecting = false;
    clearResults();
    showSource();
    slotFindDate();
}

FleetReport::Filter JournalWin::centralFilter() const
{
    FleetReport::Filter filter;
    filter.from = m_fromDate->date();
    filter.to = m_toDate->date();
    filter.keyword = m_keyword->text();
    filter.device = m_deviceCombo->currentData().toString();
    filter.group = m_groupCombo->currentData().toString();
    return filter;
}

void JournalWin::searchCentral()
{
    m_centralFilter = centralFilter();
    const int generation = ++m_searchGeneration;
    const int summaryGeneration = ++m_summaryGeneration;
    m_fleetModel->clear();
    m_centralTruncated = false;
    m_problem.clear();
    if (m_fleetWorker && m_fleetWorker->isBusy()) {
        // The last search still runs: its worker is left to end, and the new one has the
        // server cancel its query.
        const int backend = m_fleetWorker->backendPid();
        retireFleetWorker();
        startFleetWorker(backend);
    } else if (!m_fleetWorker) {
        startFleetWorker(0);
    }
    m_fleetWorker->postSummary(summaryGeneration, m_centralFilter,
                               m_centralFilter.from.isValid() && m_centralFilter.from == m_centralFilter.to);
    m_fleetWorker->postSearch(generation, m_centralFilter, CentralRowLimit);
    m_table->scrollToTop();
    showNote();
}

FleetLogWorker *JournalWin::spawnFleetWorker(int cancelBackend, QThread **thread)
{
    // Not the window's child: it may outlive the window while its last query drains.
    *thread = new QThread;
    auto *worker = new FleetLogWorker(m_centralAddress, cancelBackend);
    worker->moveToThread(*thread);
    // Deleted on its own thread as that ends, which closes its connection there.
    connect(*thread, &QThread::finished, worker, &QObject::deleteLater);
    QThread *ending = *thread;
    connect(ending, &QThread::finished, ending, &QObject::deleteLater);
    connect(ending, &QThread::finished, this, [this, ending] { m_workers.removeAll(ending); });
    m_workers.append(ending);
    ending->start();
    return worker;
}

void JournalWin::startFleetWorker(int cancelBackend)
{
    FleetLogWorker *worker = spawnFleetWorker(cancelBackend, &m_fleetThread);
    m_fleetWorker = worker;
    // worker -> viewer; a retired worker is disconnected, and results of a replaced request
    // carry an old generation.
    connect(worker, &FleetLogWorker::opened, this,
            [this](const QStringList &devices, const QStringList &groups) {
                fillCentralChoices(devices, groups);
                m_centralListed = true;
                m_connecting = false;
                showNote();
                emit sigCentralOpened();
            });
    connect(worker, &FleetLogWorker::failed, this,
            [this, worker](int generation, int problem, const QString &detail) {
                if (worker != m_fleetWorker || (generation != 0 && generation != m_searchGeneration &&
                                                generation != m_summaryGeneration))
                    return;
                m_connecting = false;
                m_problem = centralProblem(problem, detail);
                showNote();
                // The next look-up connects afresh: the server may be back, the address fixed.
                retireFleetWorker();
                emit sigCentralProblem(m_problem);
            });
    connect(worker, &FleetLogWorker::summaryFound, this,
            [this](int generation, const QVector<PlayLogSummaryRow> &rows,
                   const QVector<QPair<QString, qint64>> &counts, bool byHour) {
                if (generation != m_summaryGeneration)
                    return;
                SummaryResult result;
                result.generation = generation;
                result.rows = rows;
                result.counts = counts;
                result.byHour = byHour;
                showSummary(result);
            });
    connect(worker, &FleetLogWorker::rowsFound, this,
            [this](int generation, const QVector<CentralLogRow> &rows) {
                if (generation == m_searchGeneration)
                    m_fleetModel->append(rows);
            });
    connect(worker, &FleetLogWorker::searchFinished, this, [this](int generation, bool truncated) {
        if (generation != m_searchGeneration)
            return;
        m_centralTruncated = truncated;
        showNote();
        emit sigCentralSearchFinished();
    });
    if (!m_centralListed)
        m_connecting = true;
    worker->postOpen(!m_centralListed);
}

void JournalWin::retireFleetWorker()
{
    if (!m_fleetWorker)
        return;
    disconnect(m_fleetWorker, nullptr, this, nullptr);
    m_fleetThread->requestInterruption();
    m_fleetThread->quit();
    m_fleetWorker = nullptr;
    m_fleetThread = nullptr;
}

void JournalWin::fillCentralChoices(const QStringList &devices, const QStringList &groups)
{
    auto fill = [](QComboBox *combo, const QString &all, const QStringList &names) {
        const QString chosen = combo->currentData().toString();
        combo->clear();
        combo->addItem(all, QString());
        for (const QString &name : names)
            combo->addItem(name, name);
        combo->setCurrentIndex(qMax(0, combo->findData(chosen)));
    };
    fill(m_deviceCombo, tr("All devices"), devices);
    fill(m_groupCombo, tr("All groups"), groups);
}

QString JournalWin::centralProblem(int problem, const QString &detail) const
{
    const QString where = withoutPassword(m_centralAddress);
    switch (FleetLogWorker::Problem(problem)) {
    case FleetLogWorker::Unreachable:
        return tr("The central log at %1 cannot be reached: %2").arg(where, detail);
    case FleetLogWorker::NotAStore:
        return tr("%1 holds no central play log (lumora-fleet collect makes it).").arg(where);
    case FleetLogWorker::NewerStore:
        return tr("The central log at %1 was made by a newer Lumora and cannot be read here.").arg(where);
    case FleetLogWorker::ReadFailed:
    case FleetLogWorker::WriteFailed:
        break;
    }
    return tr("The central log cannot be read: %1").arg(detail);
}
