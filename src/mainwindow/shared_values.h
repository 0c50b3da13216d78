#pragma once

#include "platform/settings_keys.h"
#include "version.h"

#include <QString>

namespace vqx {

// Values every window reads and writes for the whole run. The main window
// owns them and hands a pointer to the windows it opens.
struct SharedValues
{
    QString Indicatif_Station = kFirstRunCallsign;
    QString Revision_Texte = QStringLiteral(" " VQX_VERSION); // leading blank
    QString Historique_Texte;
    QString Groupe_Bandes = QStringLiteral("HF");
    QString Niveau_Liste;
    bool Flag_Modif = false;
    bool Flag_Insert = false;
    bool Flag_Edition = false;
    QString Ligne_Selection;
};

} // namespace vqx
