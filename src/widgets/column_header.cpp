#include "widgets/column_header.h"

#include <QAbstractItemView>
#include <QEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>

namespace vqx {

ColumnHeader::ColumnHeader(const QString &caption, const QList<Word> &words, QWidget *parent)
    : QLabel(caption, parent), m_words(words)
{
    setTextFormat(Qt::PlainText);
    // The window's width decides the header's, never the other way round.
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
}

void ColumnHeader::follow(QAbstractItemView *list)
{
    m_list = list;
    setFont(list->font());
    list->installEventFilter(this);
    list->viewport()->installEventFilter(this);
    connect(list->horizontalScrollBar(), &QScrollBar::valueChanged, this,
            qOverload<>(&QWidget::update));
    updateGeometry();
    update();
}

bool ColumnHeader::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::FontChange:
        if (m_list && watched == m_list) {
            setFont(m_list->font());
            updateGeometry();
        }
        update();
        break;
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::Show:
    case QEvent::LayoutRequest:
        update();
        break;
    default:
        break;
    }
    return QLabel::eventFilter(watched, event);
}

void ColumnHeader::moveEvent(QMoveEvent *event)
{
    QLabel::moveEvent(event);
    update();
}

qreal ColumnHeader::lineOrigin() const
{
    if (!m_list)
        return contentsRect().left();
    const QWidget *viewport = m_list->viewport();
    const QWidget *top = window();
    qreal x = viewport->mapTo(top, QPoint(0, 0)).x() - mapTo(top, QPoint(0, 0)).x();
    // Item views start their lines at the item's edge (which moves when the
    // list scrolls sideways) plus the text margin of the style.
    const QAbstractItemModel *model = m_list->model();
    if (model && model->rowCount(m_list->rootIndex()) > 0)
        x += m_list->visualRect(model->index(0, 0, m_list->rootIndex())).left();
    else
        x -= m_list->horizontalScrollBar()->value();
    x += m_list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, m_list) + 1;
    return x;
}

void ColumnHeader::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setFont(font());
    p.setPen(palette().color(foregroundRole()));
    const QFontMetricsF fm(font());
    const qreal origin = lineOrigin();
    const qreal baseline = (height() - fm.height()) / 2 + fm.ascent();
    for (const Word &w : std::as_const(m_words)) {
        const int first =
            w.alignRight ? w.column.start + w.column.width - int(w.text.size()) : w.column.start;
        const qreal x = origin + fm.horizontalAdvance(QString(first - 1, QLatin1Char(' ')));
        p.drawText(QPointF(x, baseline), w.text);
    }
}

QSize ColumnHeader::sizeHint() const
{
    const QFontMetrics fm(font());
    int last = 0;
    for (const Word &w : m_words)
        last = qMax(last, w.column.start + int(w.text.size()));
    return {fm.horizontalAdvance(QString(last, QLatin1Char(' '))), fm.height() + 4};
}

QSize ColumnHeader::minimumSizeHint() const
{
    return {0, sizeHint().height()};
}

QList<ColumnHeader::Word> qsoListHeaderWords()
{
    using namespace QsoListLine;
    return {
        {QStringLiteral("N°"), Numero, true}, {QStringLiteral("Indicatif"), Indicatif},
        {QStringLiteral("Dpt"), Dpt},         {QStringLiteral("Prénom"), Prenom},
        {QStringLiteral("Ref"), Ref},         {QStringLiteral("Date"), Date},
        {QStringLiteral("QTR"), Heure},       {QStringLiteral("Mode"), Mode},
        {QStringLiteral("QRG"), QRG},         {QStringLiteral("RSTR"), RstR},
        {QStringLiteral("RSTE"), RstE},       {QStringLiteral("Mom de la Fontaine"), NomFontaine},
        {QStringLiteral("QSL"), QSL},
    };
}

} // namespace vqx
