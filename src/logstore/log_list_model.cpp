#include "logstore/log_list_model.h"

#include "logstore/log_record.h"

namespace vqx {

int LogListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_log.size());
}

QVariant LogListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_log.size())
        return {};
    if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole)
        return listLine(index.row());
    return {};
}

void LogListModel::setLog(LineBuffer log)
{
    beginResetModel();
    m_log = std::move(log);
    endResetModel();
}

void LogListModel::setLines(const QStringList &fileLines)
{
    setLog(LineBuffer::fromLines(fileLines));
}

QString LogListModel::fileLine(int row) const
{
    return row >= 0 && row < m_log.size() ? m_log.line(row) : QString();
}

QString LogListModel::listLine(int row) const
{
    if (row < 0 || row >= m_log.size())
        return {};
    return buildQsoListLine(m_log.line(row), row + 1);
}

} // namespace vqx
