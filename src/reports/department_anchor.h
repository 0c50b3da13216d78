#pragma once

#include <QHash>
#include <QList>
#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QStringList>

class QSvgRenderer;

namespace vqx {

// The bounds of an element in the document's own coordinates.
QRectF elementDocumentRect(const QSvgRenderer &renderer, const QString &id);

// Centres of boxes of the given size, one per element of ids, in document
// coordinates: each well inside its own element, at its anchor when that
// is free, otherwise at the nearest free point. The anchor is the centre of
// the shape's bounds, or, when that centre is off the shape or too near its
// edge (a crescent, a coast), the nearest point well inside the shape. A box is free when it
// overlaps no box placed before it and no rectangle of taken. Smaller
// elements are placed first: they have the least room. When no point of an
// element is free, its box goes where it overlaps least.
QHash<QString, QPointF> placeBoxes(QSvgRenderer &renderer, const QStringList &ids,
                                   const QSizeF &boxSize, const QList<QRectF> &taken);

} // namespace vqx
