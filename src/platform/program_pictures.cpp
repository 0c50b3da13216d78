#include "platform/program_pictures.h"

#include <QPainter>
#include <QSvgRenderer>

namespace vqx {

namespace {

const QString kIconResource = QStringLiteral(":/vqx/zat-vqx.svg");
const QString kLogoResource = QStringLiteral(":/vqx/vqx-logo.svg");

} // namespace

QIcon programIcon()
{
    return QIcon(kIconResource);
}

QPixmap awardLogo(qreal devicePixelRatio)
{
    QSvgRenderer renderer(kLogoResource);
    if (!renderer.isValid())
        return QPixmap();
    const qreal ratio = devicePixelRatio > 0 ? devicePixelRatio : 1.0;
    QPixmap logo(kAwardLogoSize * ratio);
    logo.setDevicePixelRatio(ratio);
    logo.fill(Qt::transparent);
    QPainter painter(&logo);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(kAwardLogoSize)));
    return logo;
}

} // namespace vqx
