#pragma once

#include "logstore/log_record.h"

#include <QLabel>
#include <QList>
#include <QPointer>

class QAbstractItemView;

namespace vqx {

// The header of a fixed-pitch list: drawn in the list's own font, each word
// over the first character of its column, following the list when it
// scrolls sideways. text() stays the caption it was given, for screen
// readers and for whoever reads the label.
class ColumnHeader : public QLabel
{
    Q_OBJECT
public:
    struct Word
    {
        QString text;
        Column column;
        // A right-aligned column (the line number) has its word end with it.
        bool alignRight = false;
    };

    ColumnHeader(const QString &caption, const QList<Word> &words, QWidget *parent = nullptr);

    // Takes the list's font and places the words over its lines.
    void follow(QAbstractItemView *list);

    const QList<Word> &words() const { return m_words; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void moveEvent(QMoveEvent *event) override;

private:
    // Where the first character of the list's lines is drawn, in this
    // widget's coordinates.
    qreal lineOrigin() const;

    QList<Word> m_words;
    QPointer<QAbstractItemView> m_list;
};

// The words of the headers of the main list and of the search results,
// over the columns of the list line.
QList<ColumnHeader::Word> qsoListHeaderWords();

} // namespace vqx
