#include "playlogtablemodel.h"

#include "playoutcome.h"

#include <QCoreApplication>

#include <algorithm>

namespace {
// How far along the rowid one fetch looks for matches before it hands back what it found.
constexpr qint64 FetchScanRowids = 200000;
} // namespace

PlayLogTableModel::PlayLogTableModel(QObject *parent)
    : QAbstractTableModel(parent)
{}

void PlayLogTableModel::clear()
{
    beginResetModel();
    m_pages.clear();
    m_cache.clear();
    m_recent.clear();
    m_rows = 0;
    m_nextRowid = 1;
    m_lastRowid = 0;
    m_status = PlayLogReader::Status::Ok;
    m_errorText.clear();
    endResetModel();
}

bool PlayLogTableModel::search(const PlayLogFilter &filter)
{
    clear();
    m_filter = filter;
    PlayLogReader reader(m_path);
    qint64 low = 0;
    qint64 high = 0;
    if (!reader.rowidBounds(filter, &low, &high)) {
        noteFailure(reader);
        return m_status == PlayLogReader::Status::Missing;
    }
    m_nextRowid = low;
    m_lastRowid = high;
    if (high > 0)
        fetchMore(QModelIndex());
    return m_status == PlayLogReader::Status::Ok;
}

int PlayLogTableModel::heldRows() const
{
    int held = 0;
    for (const auto &rows : qAsConst(m_cache))
        held += rows.size();
    return held;
}

int PlayLogTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_rows;
}

int PlayLogTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : 5;
}

bool PlayLogTableModel::canFetchMore(const QModelIndex &parent) const
{
    return !parent.isValid() && m_lastRowid > 0 && m_nextRowid <= m_lastRowid &&
           m_status == PlayLogReader::Status::Ok;
}

void PlayLogTableModel::fetchMore(const QModelIndex &parent)
{
    if (!canFetchMore(parent))
        return;
    QVector<PlayLogEntry> rows;
    rows.reserve(PageRows);
    PlayLogReader reader(m_path);
    // Goes on past stretches without a match, so a fetch that the view asks for always
    // brings rows or ends the search.
    while (rows.isEmpty() && m_nextRowid <= m_lastRowid) {
        const qint64 until = qMin(m_lastRowid, m_nextRowid + FetchScanRowids - 1);
        if (!reader.fetchRange(m_filter, m_nextRowid, until, PageRows, &rows)) {
            noteFailure(reader);
            emit readFailed();
            return;
        }
        m_nextRowid = rows.size() == PageRows ? rows.constLast().rowid + 1 : until + 1;
    }
    if (rows.isEmpty())
        return;
    Page page;
    page.firstRowid = rows.constFirst().rowid;
    page.lastRowid = rows.constLast().rowid;
    page.firstRow = m_rows;
    page.count = rows.size();
    beginInsertRows(QModelIndex(), m_rows, m_rows + page.count - 1);
    m_pages.append(page);
    m_rows += page.count;
    keep(m_pages.size() - 1, std::move(rows));
    endInsertRows();
}

void PlayLogTableModel::keep(int pageIndex, QVector<PlayLogEntry> rows) const
{
    m_cache.insert(pageIndex, std::move(rows));
    m_recent.removeOne(pageIndex);
    m_recent.prepend(pageIndex);
    while (m_recent.size() > CachedPages)
        m_cache.remove(m_recent.takeLast());
}

void PlayLogTableModel::noteFailure(const PlayLogReader &reader) const
{
    m_status = reader.status();
    m_errorText = reader.errorText();
}

const QVector<PlayLogEntry> *PlayLogTableModel::page(int pageIndex) const
{
    auto found = m_cache.constFind(pageIndex);
    if (found != m_cache.constEnd()) {
        if (m_recent.first() != pageIndex) {
            m_recent.removeOne(pageIndex);
            m_recent.prepend(pageIndex);
        }
        return &found.value();
    }
    const Page &p = m_pages.at(pageIndex);
    QVector<PlayLogEntry> rows;
    rows.reserve(p.count);
    PlayLogReader reader(m_path);
    if (!reader.fetchRange(m_filter, p.firstRowid, p.lastRowid, p.count, &rows) || rows.size() != p.count) {
        noteFailure(reader);
        return nullptr;
    }
    keep(pageIndex, std::move(rows));
    return &m_cache[pageIndex];
}

QVariant PlayLogTableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows || (role != Qt::DisplayRole && role != Qt::ToolTipRole))
        return QVariant();
    const auto it = std::upper_bound(m_pages.cbegin(), m_pages.cend(), index.row(),
                                     [](int row, const Page &p) { return row < p.firstRow; });
    const int pageIndex = int(it - m_pages.cbegin()) - 1;
    const QVector<PlayLogEntry> *rows = page(pageIndex);
    if (!rows)
        return QVariant();
    const PlayLogEntry &e = rows->at(index.row() - m_pages.at(pageIndex).firstRow);
    if (role == Qt::ToolTipRole)
        return index.column() == 0 && !e.path.isEmpty() ? QVariant(e.path) : QVariant();
    // Rows keep names and results in one language; they are shown in the interface's.
    switch (index.column()) {
    case 0:
        return PlayOutcomes::displayName(e.name);
    case 1:
        return e.length;
    case 2:
        return e.startText();
    case 3:
        return e.stopText();
    case 4:
        return PlayOutcomes::displayResult(e.result);
    default:
        return QVariant();
    }
}

QVariant PlayLogTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (section) {
    case 0:
        return QCoreApplication::translate("JournalWin", "Name");
    case 1:
        return QCoreApplication::translate("JournalWin", "Duration");
    case 2:
        return QCoreApplication::translate("JournalWin", "StartTime");
    case 3:
        return QCoreApplication::translate("JournalWin", "StopTime");
    case 4:
        return QCoreApplication::translate("JournalWin", "Result");
    default:
        return QVariant();
    }
}

Qt::ItemFlags PlayLogTableModel::flags(const QModelIndex &index) const
{
    // Read-only and not selectable, as the log is proof and not a document.
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemNeverHasChildren : Qt::NoItemFlags;
}

void PlayLogTableModel::retranslate()
{
    emit headerDataChanged(Qt::Horizontal, 0, 4);
}
