#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>

namespace vqx {

// How the departments of the map are painted: a fill per element id, one
// outline for all of them.
struct MapPaint
{
    QHash<QString, QString> fillById; // "#rrggbb" per id
    QString stroke;                   // "#rrggbb"
    QString strokeWidth;              // in the map's own units
};

// The map document with fill and outline set on the elements named in
// paint; every other element and attribute is copied unchanged. Returns an
// empty array when the document is not well-formed XML.
QByteArray paintMapSvg(const QByteArray &svg, const MapPaint &paint);

// The name the map gives each element (its aria-label), by id.
QHash<QString, QString> mapElementNames(const QByteArray &svg);

// "#rrggbb" of a 0xRRGGBB value.
QString svgColour(unsigned rgb);

} // namespace vqx
