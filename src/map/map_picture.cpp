#include "map/map_picture.h"

#include "map/department_anchor.h"

#include <QPainter>
#include <QSvgRenderer>

#include <cmath>

namespace vqx {

MapPicture::MapPicture(QWidget *parent) : QWidget(parent), m_renderer(new QSvgRenderer(this))
{
    setObjectName(QStringLiteral("Carte"));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

bool MapPicture::load(const QByteArray &svg)
{
    const bool ok = m_renderer->load(svg);
    if (ok) {
        // Never smaller than the document itself: the smallest departments
        // need the room.
        setMinimumSize(m_renderer->viewBoxF().size().toSize());
    }
    placePins();
    update();
    return ok;
}

QSize MapPicture::sizeHint() const
{
    return m_renderer->isValid() ? m_renderer->viewBoxF().size().toSize() : QSize(480, 510);
}

QRectF MapPicture::viewRect() const
{
    const QRectF box = m_renderer->viewBoxF();
    if (box.isEmpty())
        return QRectF(rect());
    const double scale = std::min(width() / box.width(), height() / box.height());
    const QSizeF size = box.size() * scale;
    return QRectF(QPointF((width() - size.width()) / 2, (height() - size.height()) / 2), size);
}

QPointF MapPicture::toWidget(const QPointF &documentPoint) const
{
    const QRectF box = m_renderer->viewBoxF();
    const QRectF view = viewRect();
    if (box.isEmpty())
        return documentPoint;
    return view.topLeft() + QPointF((documentPoint.x() - box.x()) * view.width() / box.width(),
                                    (documentPoint.y() - box.y()) * view.height() / box.height());
}

QRectF MapPicture::elementRect(const QString &id) const
{
    const QRectF r = elementDocumentRect(*m_renderer, id);
    return QRectF(toWidget(r.topLeft()), toWidget(r.bottomRight()));
}

void MapPicture::pin(QWidget *child, const QPointF &documentPoint)
{
    m_pins.append({child, documentPoint});
    placePins();
}

void MapPicture::placePins()
{
    for (const Pin &p : std::as_const(m_pins)) {
        if (!p.widget)
            continue;
        const QPointF at = toWidget(p.point);
        const QSize size = p.widget->size();
        // QRect::center() of the box then falls on the pixel of the point.
        p.widget->move(int(std::floor(at.x())) - (size.width() - 1) / 2,
                       int(std::floor(at.y())) - (size.height() - 1) / 2);
    }
}

void MapPicture::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    m_renderer->render(&painter, viewRect());
}

void MapPicture::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    placePins();
}

} // namespace vqx
