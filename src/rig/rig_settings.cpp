#include "rig/rig_settings.h"

#include "platform/settings_store.h"

namespace vqx {

bool RigSettings::operator==(const RigSettings &o) const
{
    return enabled == o.enabled && host == o.host && port == o.port &&
           startDaemon == o.startDaemon && model == o.model && serialPort == o.serialPort &&
           speed == o.speed;
}

RigSettings loadRigSettings(const SettingsStore &store, const QString &indicatifStation)
{
    const QString section = stationSection(indicatifStation);
    const auto read = [&](const QString &key, const QString &def) {
        return store.Lire_Reglage(kAppVqx, section, key, def);
    };
    RigSettings s;
    s.enabled = read(kKeyPosteActif, kDateAutoNon) == kDateAutoOui;
    s.host = read(kKeyPosteAdresse, rig::kDefaultHost).trimmed();
    if (s.host.isEmpty())
        s.host = rig::kDefaultHost;
    bool ok = false;
    const uint port = read(kKeyPostePort, QString::number(rig::kDefaultPort)).toUInt(&ok);
    s.port = ok && port > 0 && port < 65536 ? quint16(port) : rig::kDefaultPort;
    s.startDaemon = read(kKeyPosteLancer, kDateAutoNon) == kDateAutoOui;
    const int model = read(kKeyPosteModele, QStringLiteral("1")).toInt(&ok);
    s.model = ok && model > 0 ? model : 1;
    s.serialPort = read(kKeyPostePortSerie, QString()).trimmed();
    s.speed = read(kKeyPosteVitesse, QString()).trimmed();
    return s;
}

void saveRigSettings(SettingsStore &store, const QString &indicatifStation, const RigSettings &s)
{
    const QString section = stationSection(indicatifStation);
    const auto write = [&](const QString &key, const QString &value) {
        store.Ecrire_Reglage(kAppVqx, section, key, value);
    };
    const auto yesNo = [](bool b) { return b ? kDateAutoOui : kDateAutoNon; };
    write(kKeyPosteActif, yesNo(s.enabled));
    write(kKeyPosteAdresse, s.host);
    write(kKeyPostePort, QString::number(s.port));
    write(kKeyPosteLancer, yesNo(s.startDaemon));
    write(kKeyPosteModele, QString::number(s.model));
    write(kKeyPostePortSerie, s.serialPort);
    write(kKeyPosteVitesse, s.speed);
}

QStringList rigctldArguments(const RigSettings &s)
{
    QStringList args{QStringLiteral("-m"), QString::number(s.model)};
    if (!s.serialPort.isEmpty())
        args << QStringLiteral("-r") << s.serialPort;
    if (!s.speed.isEmpty())
        args << QStringLiteral("-s") << s.speed;
    args << QStringLiteral("-T") << rig::kDefaultHost << QStringLiteral("-t")
         << QString::number(s.port);
    return args;
}

} // namespace vqx
