#pragma once

#include "fleetlogworker.h"

#include <QAbstractTableModel>
#include <QVector>

// The log viewer's table over the fleet's central play log: the device, then the five
// columns of the player's own table. Rows arrive in pieces from the worker and stay in
// memory, so the viewer asks for a bounded number of them.
class FleetLogTableModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    explicit FleetLogTableModel(QObject *parent = nullptr);

    void append(const QVector<CentralLogRow> &rows);
    void clear();

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    // The header texts follow the interface language.
    void retranslate();

private:
    QVector<CentralLogRow> m_rows;
};
