#pragma once

#include "playlogentry.h"
#include "playlogfilter.h"
#include "playlogreader.h"

#include <QAbstractTableModel>
#include <QHash>
#include <QList>
#include <QVector>

// The log viewer's five columns (name, duration, start, stop, result) over a search of the
// play log, in the order the rows were written. Rows are read a page at a time as the view
// scrolls to them; only the pages' rowid ranges are kept, and the texts of a few recently
// shown pages, so a month of busy play neither takes long to open nor fills the memory.
class PlayLogTableModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    static constexpr int PageRows = 500;
    static constexpr int CachedPages = 16;

    explicit PlayLogTableModel(QObject *parent = nullptr);

    void setPath(const QString &path) { m_path = path; }
    QString path() const { return m_path; }

    // Starts over with `filter`; the first page is read at once. False when the file could
    // not be read (see status()).
    bool search(const PlayLogFilter &filter);
    void clear();
    PlayLogFilter filter() const { return m_filter; }
    PlayLogReader::Status status() const { return m_status; }
    QString errorText() const { return m_errorText; }
    // Row texts held right now (pages in the cache).
    int heldRows() const;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool canFetchMore(const QModelIndex &parent) const override;
    void fetchMore(const QModelIndex &parent) override;

    // The header texts follow the interface language.
    void retranslate();

signals:
    // A page could not be read (the file went busy, was damaged or removed meanwhile).
    void readFailed();

private:
    struct Page
    {
        qint64 firstRowid = 0;
        qint64 lastRowid = 0;
        int firstRow = 0;
        int count = 0;
    };

    const QVector<PlayLogEntry> *page(int pageIndex) const;
    void keep(int pageIndex, QVector<PlayLogEntry> rows) const;
    void noteFailure(const PlayLogReader &reader) const;

    QString m_path;
    PlayLogFilter m_filter;
    QVector<Page> m_pages;
    int m_rows = 0;
    qint64 m_nextRowid = 1;
    qint64 m_lastRowid = 0;
    mutable QHash<int, QVector<PlayLogEntry>> m_cache;
    mutable QList<int> m_recent; // most recently used first
    mutable PlayLogReader::Status m_status = PlayLogReader::Status::Ok;
    mutable QString m_errorText;
};
