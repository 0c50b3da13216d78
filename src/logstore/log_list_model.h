#pragma once

#include <QAbstractListModel>
#include <QStringList>

namespace vqx {

// The main list: one QsoListLine per line of the log, in file order. Only the
// file lines are kept; display lines are built when a row is drawn, so a log
// of 100,000 contacts loads in one assignment.
class LogListModel : public QAbstractListModel
{
    Q_OBJECT
public:
    using QAbstractListModel::QAbstractListModel;

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

    void setLines(QStringList fileLines);
    const QStringList &fileLines() const { return m_lines; }
    QString fileLine(int row) const;
    // The display line of a row ("" outside the list).
    QString listLine(int row) const;

private:
    QStringList m_lines;
};

} // namespace vqx
