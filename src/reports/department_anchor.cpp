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

} // namespace

QRectF elementDocumentRect(const QSvgRenderer &renderer, const QString &id)
{
    return renderer.transformForElement(id).mapRect(renderer.boundsOnElement(id));
}

QPointF departmentAnchor(QSvgRenderer &renderer, const QString &id)
{
    const QRectF bounds = elementDocumentRect(renderer, id);
    if (bounds.isEmpty())
        return bounds.center();
    const double scale = kMaskSide / std::max(bounds.width(), bounds.height());
    const QSizeF drawn = bounds.size() * scale;
    QImage mask(int(std::ceil(drawn.width())), int(std::ceil(drawn.height())),
                QImage::Format_ARGB32_Premultiplied);
    mask.fill(Qt::transparent);
    {
        QPainter painter(&mask);
        renderer.render(&painter, id, QRectF(QPointF(0, 0), drawn));
    }
    const std::vector<int> depth = insideDepth(mask);
    const int w = mask.width();
    const int deepest = *std::max_element(depth.begin(), depth.end());
    if (deepest == 0)
        return bounds.center();
    // Chamfer units: 3 per pixel.
    const int wanted = std::max(1, std::min(deepest / 2, int(kEdgeMargin * scale * 3)));

    const QPointF centre = (bounds.center() - bounds.topLeft()) * scale;
    const int cx = std::clamp(int(centre.x()), 0, w - 1);
    const int cy = std::clamp(int(centre.y()), 0, mask.height() - 1);
    if (depth[size_t(cy) * size_t(w) + size_t(cx)] >= wanted)
        return bounds.center();

    // Off the shape: the nearest pixel that lies well inside it.
    double best = std::numeric_limits<double>::max();
    QPointF bestPoint = bounds.center();
    for (int y = 0; y < mask.height(); ++y) {
        for (int x = 0; x < w; ++x) {
            if (depth[size_t(y) * size_t(w) + size_t(x)] < wanted)
                continue;
            const double dx = x + 0.5 - centre.x();
            const double dy = y + 0.5 - centre.y();
            const double d2 = dx * dx + dy * dy;
            if (d2 < best) {
                best = d2;
                bestPoint = bounds.topLeft() + QPointF(x + 0.5, y + 0.5) / scale;
            }
        }
    }
    return bestPoint;
}

} // namespace vqx
