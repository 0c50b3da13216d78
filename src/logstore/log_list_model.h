#pragma once

#include "logstore/line_buffer.h"

#include <QAbstractListModel>
#include <QStringList>

namespace vqx {

// The main list: one QsoListLine per line of the log, in file order. The log
// is held once, as the bytes of its file; a row's file line and display line
// are built when the row is drawn or asked for.
class LogListModel : public QAbstractListModel
{
    Q_OBJECT
public:
    using QAbstractListModel::QAbstractListModel;

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

    void setLog(LineBuffer log);
    void setLines(const QStringList &fileLines);
    const LineBuffer &log() const { return m_log; }
    QStringList fileLines() const { return m_log.lines(); }
    QString fileLine(int row) const;
    // The display line of a row ("" outside the list).
    QString listLine(int row) const;

private:
    LineBuffer m_log;
};

} // namespace vqx
