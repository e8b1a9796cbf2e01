#include "fleetlogtablemodel.h"

#include "log/playoutcome.h"

#include <QCoreApplication>

FleetLogTableModel::FleetLogTableModel(QObject *parent)
    : QAbstractTableModel(parent)
{}

void FleetLogTableModel::append(const QVector<CentralLogRow> &rows)
{
    if (rows.isEmpty())
        return;
    beginInsertRows(QModelIndex(), m_rows.size(), m_rows.size() + rows.size() - 1);
    m_rows += rows;
    endInsertRows();
}

void FleetLogTableModel::clear()
{
    beginResetModel();
    m_rows.clear();
    m_rows.squeeze();
    endResetModel();
}

int FleetLogTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_rows.size();
}

int FleetLogTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : 6;
}

QVariant FleetLogTableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size() ||
        (role != Qt::DisplayRole && role != Qt::ToolTipRole))
        return QVariant();
    const CentralLogRow &row = m_rows.at(index.row());
    const PlayLogEntry &e = row.entry;
    if (role == Qt::ToolTipRole) {
        if (index.column() == 1 && !e.path.isEmpty())
            return e.path;
        if (index.column() == 3 || index.column() == 4)
            return headerData(index.column(), Qt::Horizontal, Qt::ToolTipRole);
        return QVariant();
    }
    switch (index.column()) {
    case 0:
        return row.device;
    case 1:
        return PlayOutcomes::displayName(e.name);
    case 2:
        return e.length;
    case 3:
        return e.startText();
    case 4:
        return e.stopText();
    case 5:
        return PlayOutcomes::displayResult(e.result);
    default:
        return QVariant();
    }
}

QVariant FleetLogTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (role == Qt::ToolTipRole)
        return section == 3 || section == 4
                   ? QCoreApplication::translate("JournalWin",
                                                 "The device's own local time, as it logged the row")
                   : QVariant();
    if (role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (section) {
    case 0:
        return QCoreApplication::translate("JournalWin", "Device");
    case 1:
        return QCoreApplication::translate("JournalWin", "Name");
    case 2:
        return QCoreApplication::translate("JournalWin", "Duration");
    case 3:
        return QCoreApplication::translate("JournalWin", "StartTime");
    case 4:
        return QCoreApplication::translate("JournalWin", "StopTime");
    case 5:
        return QCoreApplication::translate("JournalWin", "Result");
    default:
        return QVariant();
    }
}

Qt::ItemFlags FleetLogTableModel::flags(const QModelIndex &index) const
{
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemNeverHasChildren : Qt::NoItemFlags;
}

void FleetLogTableModel::retranslate()
{
    emit headerDataChanged(Qt::Horizontal, 0, 5);
}
