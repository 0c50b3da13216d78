#include "webviews/web_addresses.h"

#include <array>

namespace vqx {

namespace {
struct ClusterBand
{
    const char *entry;
    const char *token;
};

constexpr std::array<ClusterBand, 13> kClusterBands = {{
    {"All HF", "euhf"},
    {"1.8 Mhz", "160"},
    {"3.5 Mhz", "80"},
    {"7.0 Mhz", "40"},
    {"10 Mhz", "30"},
    {"14 Mhz", "20"},
    {"18 Mhz", "17"},
    {"21 Mhz", "15"},
    {"24 Mhz", "12"},
    {"28 Mhz", "10"},
    {"50 Mhz", "6"},
    {"144 Mhz", "2"},
    {"All VHF", "euvhf"},
}};

bool inList(int index)
{
    return index >= 0 && index < int(kClusterBands.size());
}
} // namespace

QStringList clusterBandEntries()
{
    QStringList entries;
    for (const ClusterBand &band : kClusterBands)
        entries << QString::fromLatin1(band.entry);
    return entries;
}

QString clusterToken(int index)
{
    return inList(index) ? QString::fromLatin1(kClusterBands[size_t(index)].token) : QString();
}

QString clusterPath(int index)
{
    const QString token = clusterToken(index);
    // The two regional pages have their own names; the others are worldwide.
    if (token == QLatin1String("euhf") || token == QLatin1String("euvhf"))
        return QLatin1Char('/') + token + QStringLiteral("cw.html");
    return QStringLiteral("/ww") + token + QStringLiteral("cw.html");
}

QUrl clusterPageUrl(int index)
{
    return QUrl(kClusterServiceAddress + clusterPath(index));
}

int clusterIndexFromSetting(const QString &stored)
{
    bool ok = false;
    const int index = stored.trimmed().toInt(&ok);
    return ok && inList(index) ? index : 0;
}

QUrl reglementUrl()
{
    return QUrl(kReglementAddress);
}

} // namespace vqx
