#pragma once

#include "spots/spot_states.h"

#include <QAbstractTableModel>
#include <deque>

namespace vqx {

// The VQX spots, newest first, the last 500 kept: one row per reference.
class SpotsModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column
    {
        Heure,
        Khz,
        Bande,
        Indicatif,
        Reference,
        Dpt,
        Etat,
        Spotteur,
        Commentaire,
        ColumnCount
    };
    // Data role of every cell: "1" when the row's fountain is still needed.
    static constexpr int NeededRole = Qt::UserRole + 1;
    static constexpr int kKept = 500;

    using QAbstractTableModel::QAbstractTableModel;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    // New rows go on top; the oldest beyond 500 are dropped.
    void addRows(const QList<SpotRow> &rows);
    // The log changed: every row's state again.
    void reclassify(const WorkedIndex &index);
    const SpotRow &row(int r) const { return m_rows[std::size_t(r)]; }

private:
    std::deque<SpotRow> m_rows;
};

} // namespace vqx
