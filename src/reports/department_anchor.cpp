#include "reports/department_anchor.h"

#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace vqx {

namespace {

// The shape is rendered alone at this size (longer side, in pixels).
constexpr int kMaskSide = 256;
// A point closer than this to the edge (document units, about one screen
// pixel at the map's natural size) is not "on" the shape for a box centre.
constexpr double kEdgeMargin = 1.5;
// Space kept between two boxes, in document units.
constexpr double kBoxGap = 1.0;

// Chamfer distance (3-4) from each inside pixel to the nearest outside one;
// the image border counts as outside.
std::vector<int> insideDepth(const QImage &mask)
{
    const int w = mask.width();
    const int h = mask.height();
    const int far = std::numeric_limits<int>::max() / 2;
    std::vector<int> d(size_t(w) * size_t(h), 0);
    auto at = [&](int x, int y) -> int & { return d[size_t(y) * size_t(w) + size_t(x)]; };
    auto get = [&](int x, int y) { return x < 0 || y < 0 || x >= w || y >= h ? 0 : at(x, y); };
    for (int y = 0; y < h; ++y) {
        const QRgb *row = reinterpret_cast<const QRgb *>(mask.constScanLine(y));
        for (int x = 0; x < w; ++x)
            at(x, y) = qAlpha(row[x]) >= 128 ? far : 0;
    }
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            if (!at(x, y))
                continue;
            at(x, y) = std::min({at(x, y), get(x - 1, y) + 3, get(x, y - 1) + 3,
                                 get(x - 1, y - 1) + 4, get(x + 1, y - 1) + 4});
        }
    }
    for (int y = h - 1; y >= 0; --y) {
        for (int x = w - 1; x >= 0; --x) {
            if (!at(x, y))
                continue;
            at(x, y) = std::min({at(x, y), get(x + 1, y) + 3, get(x, y + 1) + 3,
                                 get(x + 1, y + 1) + 4, get(x - 1, y + 1) + 4});
        }
    }
    return d;
}

// An element rendered alone, with the depth of each of its pixels.
struct DepthMask
{
    QRectF bounds;  // document coordinates
    double scale{}; // mask pixels per document unit
    int width = 0;
    int height = 0;
    std::vector<int> depth;
    int wanted = 0; // depth of a point "well inside"

    int at(int x, int y) const { return depth[size_t(y) * size_t(width) + size_t(x)]; }
    QPointF toDocument(int x, int y) const
    {
        return bounds.topLeft() + QPointF(x + 0.5, y + 0.5) / scale;
    }
};

QRectF documentRect(const QSvgRenderer &renderer, const QString &id)
{
    return renderer.transformForElement(id).mapRect(renderer.boundsOnElement(id));
}

DepthMask depthMask(QSvgRenderer &renderer, const QString &id)
{
    DepthMask m;
    m.bounds = documentRect(renderer, id);
    if (m.bounds.isEmpty())
        return m;
    m.scale = kMaskSide / std::max(m.bounds.width(), m.bounds.height());
    const QSizeF drawn = m.bounds.size() * m.scale;
    QImage mask(int(std::ceil(drawn.width())), int(std::ceil(drawn.height())),
                QImage::Format_ARGB32_Premultiplied);
    mask.fill(Qt::transparent);
    {
        QPainter painter(&mask);
        renderer.render(&painter, id, QRectF(QPointF(0, 0), drawn));
    }
    m.width = mask.width();
    m.height = mask.height();
    m.depth = insideDepth(mask);
    const int deepest = *std::max_element(m.depth.begin(), m.depth.end());
    // Chamfer units: 3 per pixel.
    if (deepest > 0)
        m.wanted = std::max(1, std::min(deepest / 2, int(kEdgeMargin * m.scale * 3)));
    return m;
}

QPointF anchorOf(const DepthMask &m)
{
    if (m.wanted == 0)
        return m.bounds.center();
    const QPointF centre = (m.bounds.center() - m.bounds.topLeft()) * m.scale;
    const int cx = std::clamp(int(centre.x()), 0, m.width - 1);
    const int cy = std::clamp(int(centre.y()), 0, m.height - 1);
    if (m.at(cx, cy) >= m.wanted)
        return m.bounds.center();

    // Off the shape: the nearest pixel that lies well inside it.
    double best = std::numeric_limits<double>::max();
    QPointF bestPoint = m.bounds.center();
    for (int y = 0; y < m.height; ++y) {
        for (int x = 0; x < m.width; ++x) {
            if (m.at(x, y) < m.wanted)
                continue;
            const double dx = x + 0.5 - centre.x();
            const double dy = y + 0.5 - centre.y();
            const double d2 = dx * dx + dy * dy;
            if (d2 < best) {
                best = d2;
                bestPoint = m.toDocument(x, y);
            }
        }
    }
    return bestPoint;
}

double overlap(const QRectF &box, const QList<QRectF> &others)
{
    double area = 0;
    for (const QRectF &o : others) {
        const QRectF common = box.intersected(o);
        area += common.width() * common.height();
    }
    return area;
}

} // namespace

QRectF elementDocumentRect(const QSvgRenderer &renderer, const QString &id)
{
    return documentRect(renderer, id);
}

QHash<QString, QPointF> placeBoxes(QSvgRenderer &renderer, const QStringList &ids,
                                   const QSizeF &boxSize, const QList<QRectF> &taken)
{
    // One unit apart: boxes never touch, whatever the rounding to pixels.
    const QSizeF room = boxSize + QSizeF(kBoxGap, kBoxGap);
    auto boxAt = [&](const QPointF &centre) {
        return QRectF(centre - QPointF(room.width() / 2, room.height() / 2), room);
    };
    std::vector<std::pair<double, QString>> bySize;
    for (const QString &id : ids) {
        const QRectF r = documentRect(renderer, id);
        bySize.emplace_back(r.width() * r.height(), id);
    }
    std::stable_sort(bySize.begin(), bySize.end(),
                     [](const auto &a, const auto &b) { return a.first < b.first; });

    QHash<QString, QPointF> placed;
    QList<QRectF> occupied = taken;
    for (const auto &entry : bySize) {
        const QString &id = entry.second;
        const DepthMask m = depthMask(renderer, id);
        const QPointF anchor = anchorOf(m);
        QPointF chosen = anchor;
        double least = overlap(boxAt(anchor), occupied);
        if (least > 0 && m.wanted > 0) {
            std::vector<std::pair<double, QPointF>> spots;
            for (int y = 0; y < m.height; ++y) {
                for (int x = 0; x < m.width; ++x) {
                    if (m.at(x, y) < m.wanted)
                        continue;
                    const QPointF p = m.toDocument(x, y);
                    const QPointF d = p - anchor;
                    spots.emplace_back(QPointF::dotProduct(d, d), p);
                }
            }
            std::sort(spots.begin(), spots.end(),
                      [](const auto &a, const auto &b) { return a.first < b.first; });
            for (const auto &spot : spots) {
                const double o = overlap(boxAt(spot.second), occupied);
                if (o < least) {
                    least = o;
                    chosen = spot.second;
                    if (o == 0)
                        break;
                }
            }
        }
        placed.insert(id, chosen);
        occupied.append(boxAt(chosen));
    }
    return placed;
}

} // namespace vqx
