#pragma once

#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>

namespace vqx {

// Where a window goes and how big it is inside its frame.
struct WindowPlacement
{
    QPoint framePos;
    QSize size;
};

// The window at `wanted` size, made smaller where the screen's free area
// cannot hold it with its frame, never larger, and centred in that area.
WindowPlacement fitOnScreen(const QSize &wanted, const QRect &available, const QMargins &frame);

// Frame assumed before the window manager has drawn one: a title bar and
// thin borders as the usual desktops draw them.
inline const QMargins kAssumedFrame(4, 38, 4, 4);

} // namespace vqx
