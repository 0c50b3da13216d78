#pragma once

#include "rig/rig_protocol.h"

#include <QString>
#include <QStringList>

namespace vqx {

class SettingsStore;

// How the program reaches the radio, kept per station callsign. Off by
// default: until the operator turns it on, nothing is started or connected.
struct RigSettings
{
    bool enabled = false;
    QString host = rig::kDefaultHost;
    quint16 port = rig::kDefaultPort;
    // The program starts rigctld itself, for a radio on this machine.
    bool startDaemon = false;
    int model = 1; // Hamlib's number; 1 is its dummy radio
    QString serialPort;
    QString speed; // "" leaves the model's own speed

    // Where the client connects: a rigctld the program starts listens on
    // this machine only.
    QString connectHost() const { return startDaemon ? rig::kDefaultHost : host; }

    bool operator==(const RigSettings &o) const;
    bool operator!=(const RigSettings &o) const { return !(*this == o); }
};

RigSettings loadRigSettings(const SettingsStore &store, const QString &indicatifStation);
void saveRigSettings(SettingsStore &store, const QString &indicatifStation, const RigSettings &s);

// The arguments of the rigctld the program starts.
QStringList rigctldArguments(const RigSettings &s);

} // namespace vqx
