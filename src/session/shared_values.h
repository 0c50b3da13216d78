#pragma once

#include "platform/settings_keys.h"

#include <QString>

namespace vqx {

// What several windows share for the whole run. The main window owns it and
// hands it to the windows that need more than the callsign.
struct SharedValues
{
    QString Indicatif_Station = kFirstRunCallsign;
    // "HF" or "VHF": chosen in the Diplomes menu, read by the award windows.
    QString Groupe_Bandes = QStringLiteral("HF");
    // The award level whose list is saved or printed.
    QString Niveau_Liste;
};

} // namespace vqx
