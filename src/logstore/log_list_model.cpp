#include "logstore/log_list_model.h"

#include "logstore/log_record.h"

namespace vqx {

int LogListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_lines.size());
}

QVariant LogListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_lines.size())
        return {};
    if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole)
        return listLine(index.row());
    return {};
}

void LogListModel::setLines(QStringList fileLines)
{
    beginResetModel();
    m_lines = std::move(fileLines);
    endResetModel();
}

QString LogListModel::fileLine(int row) const
{
    return row >= 0 && row < m_lines.size() ? m_lines.at(row) : QString();
}

QString LogListModel::listLine(int row) const
{
    if (row < 0 || row >= m_lines.size())
        return {};
    return buildQsoListLine(m_lines.at(row), row + 1);
}

} // namespace vqx
