#include "spots/spots_model.h"

#include "widgets/ui_style.h"

namespace vqx {

int SpotsModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int SpotsModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant SpotsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    static const char *const titles[ColumnCount] = {"Heure UTC", "kHz",       "Bande",
                                                    "Indicatif", "Référence", "Dpt",
                                                    "État",      "Spotteur",  "Commentaire"};
    return section >= 0 && section < ColumnCount ? QString::fromUtf8(titles[section]) : QVariant();
}

QVariant SpotsModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const SpotRow &r = row(index.row());
    if (role == NeededRole)
        return isNeeded(r.state) ? QStringLiteral("1") : QStringLiteral("0");
    if (role == Qt::BackgroundRole) {
        switch (r.state) {
        case SpotState::Nouvelle:
            return kLightGreen;
        case SpotState::NouvelleBande:
            return kLightYellow;
        case SpotState::DejaContactee:
            return QColor(224, 224, 224);
        case SpotState::HorsBande:
            return {};
        }
    }
    if (role != Qt::DisplayRole)
        return {};
    switch (index.column()) {
    case Heure:
        return r.spot.timeUtc.isEmpty() ? r.received.toString(QStringLiteral("HHmm"))
                                        : r.spot.timeUtc;
    case Khz:
        return r.spot.khzText;
    case Bande:
        return r.bandText();
    case Indicatif:
        return r.spot.callsign;
    case Reference:
        return r.ref;
    case Dpt:
        return r.dpt();
    case Etat:
        return r.stateColumn();
    case Spotteur:
        return r.spot.spotter;
    case Commentaire:
        return r.spot.comment;
    default:
        return {};
    }
}

void SpotsModel::addRows(const QList<SpotRow> &rows)
{
    if (rows.isEmpty())
        return;
    const int n = int(rows.size());
    beginInsertRows({}, 0, n - 1);
    // The first reference of a comment stays first.
    for (auto it = rows.crbegin(); it != rows.crend(); ++it)
        m_rows.push_front(*it);
    endInsertRows();
    if (int(m_rows.size()) > kKept) {
        beginRemoveRows({}, kKept, int(m_rows.size()) - 1);
        m_rows.resize(kKept);
        endRemoveRows();
    }
}

void SpotsModel::reclassify(const WorkedIndex &index)
{
    for (SpotRow &r : m_rows)
        classify(r, index);
    if (!m_rows.empty())
        emit dataChanged(this->index(0, 0), this->index(rowCount() - 1, ColumnCount - 1));
}

} // namespace vqx
