#pragma once

#include "platform/settings_keys.h"

#include <QString>

namespace vqx {

// What several windows share for the whole run: the station callsign, which
// the station window may change while they are open. The main window owns it.
struct SharedValues
{
    QString Indicatif_Station = kFirstRunCallsign;
};

} // namespace vqx
