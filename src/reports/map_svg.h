#pragma once

#include <QByteArray>
#include <QHash>
#include <QPointF>
#include <QRectF>
#include <QString>

#include <utility>
#include <vector>

namespace vqx {

// How the departments of the map are painted: a fill per element id, one
// outline for all of them.
struct MapPaint
{
    QHash<QString, QString> fillById; // "#rrggbb" per id
    QString stroke;                   // "#rrggbb"
    QString strokeWidth;              // in the map's own units
    // Outline width of elements drawn enlarged, so that their outline
    // looks as thin as the others.
    QHash<QString, QString> strokeWidthById;
};

// The map document with fill and outline set on the elements named in
// paint; every other element and attribute is copied unchanged. Returns an
// empty array when the document is not well-formed XML.
QByteArray paintMapSvg(const QByteArray &svg, const MapPaint &paint);

// Part of the map drawn again, enlarged, in a frame of its own over an empty
// corner of the map, with an outline around the area it comes from.
struct MapInset
{
    // Id of an element, id of its copy in the inset. Elements are copied
    // without their children and their parents' transforms: the map's
    // departments are single paths directly under the root.
    std::vector<std::pair<QString, QString>> copies;
    QRectF source; // the area shown enlarged, in document units
    QRectF frame;  // where the inset is drawn

    // The enlargement that fits source into frame, and the point of the
    // inset where a point of source is drawn (source centred in frame).
    double scale() const;
    QPointF toInset(const QPointF &sourcePoint) const;
};

// Ids of the inset's frame and of the outline around its source area.
inline const QString kInsetFrameId = QStringLiteral("encart");
inline const QString kInsetSourceId = QStringLiteral("encart-zone");

// The map document with the inset drawn last, over everything else; every
// element of the map is copied unchanged. Returns an empty array when the
// document is not well-formed XML.
QByteArray addMapInset(const QByteArray &svg, const MapInset &inset);

// The name the map gives each element (its aria-label), by id.
QHash<QString, QString> mapElementNames(const QByteArray &svg);

// "#rrggbb" of a 0xRRGGBB value.
QString svgColour(unsigned rgb);

} // namespace vqx
