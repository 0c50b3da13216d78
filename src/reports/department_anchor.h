#pragma once

#include <QPointF>
#include <QRectF>
#include <QString>

class QSvgRenderer;

namespace vqx {

// The bounds of an element in the document's own coordinates.
QRectF elementDocumentRect(const QSvgRenderer &renderer, const QString &id);

// Where the box of a department goes, in document coordinates: the centre
// of the shape's bounds, or, when that centre is off the shape or too near
// its edge (a crescent, a coast), the nearest point well inside the shape.
QPointF departmentAnchor(QSvgRenderer &renderer, const QString &id);

} // namespace vqx
