#pragma once

#include <QIcon>
#include <QPixmap>
#include <QSize>

namespace vqx {

// Size of the award logo shown in the About box, in device-independent pixels.
inline constexpr QSize kAwardLogoSize(74, 60);

// The program's icon (a fountain), for every window.
QIcon programIcon();

// The award logo at its size, drawn sharp for a screen of the given pixel ratio.
QPixmap awardLogo(qreal devicePixelRatio = 1.0);

} // namespace vqx
