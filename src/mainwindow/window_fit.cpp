#include "mainwindow/window_fit.h"

namespace vqx {

WindowPlacement fitOnScreen(const QSize &wanted, const QRect &available, const QMargins &frame)
{
    const int frameWidth = frame.left() + frame.right();
    const int frameHeight = frame.top() + frame.bottom();
    const QSize room(available.width() - frameWidth, available.height() - frameHeight);
    const QSize size = wanted.boundedTo(room).expandedTo(QSize(1, 1));
    const int left = available.x() + (available.width() - size.width() - frameWidth) / 2;
    const int top = available.y() + (available.height() - size.height() - frameHeight) / 2;
    return {QPoint(left, top), size};
}

} // namespace vqx
