#pragma once

#include <QList>
#include <QPointer>
#include <QWidget>

class QSvgRenderer;

namespace vqx {

// Draws an SVG map at the largest size that keeps its proportions, and
// keeps child widgets pinned to points of the map as it is resized.
class MapPicture : public QWidget
{
    Q_OBJECT
public:
    explicit MapPicture(QWidget *parent = nullptr);

    // False when the document cannot be read.
    bool load(const QByteArray &svg);
    QSvgRenderer *renderer() const { return m_renderer; }

    // Where the whole document is drawn, in widget coordinates.
    QRectF viewRect() const;
    QPointF toWidget(const QPointF &documentPoint) const;
    // An element's bounds in widget coordinates: rendering the element alone
    // into this rectangle draws it where the whole map draws it. Tests
    // compare a department's drawing with its inset copy through it.
    QRectF elementRect(const QString &id) const;

    // Keeps the child's centre on the document point.
    void pin(QWidget *child, const QPointF &documentPoint);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    struct Pin
    {
        QPointer<QWidget> widget;
        QPointF point;
    };
    void placePins();

    QSvgRenderer *m_renderer = nullptr;
    QList<Pin> m_pins;
};

} // namespace vqx
