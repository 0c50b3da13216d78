#pragma once

#include <QStringList>

namespace vqx {

// The band list of the entry area; the text goes into the QRG column.
inline const QStringList kBandList = {
    QStringLiteral("1.8 Mhz"), QStringLiteral("3.5 Mhz"), QStringLiteral("7.0 Mhz"),
    QStringLiteral("10 Mhz"),  QStringLiteral("14 Mhz"),  QStringLiteral("18 Mhz"),
    QStringLiteral("21 Mhz"),  QStringLiteral("24 Mhz"),  QStringLiteral("28 Mhz"),
    QStringLiteral("50 Mhz"),  QStringLiteral("144 Mhz")};

inline const QStringList kModeList = {QStringLiteral("SSB"), QStringLiteral("CW"),
                                      QStringLiteral("FM")};

} // namespace vqx
