#include "webviews/web_addresses.h"

#include "logstore/bands.h"

namespace vqx {

namespace {
// Bande_CL: the two regional pages around the bands of the entry list.
constexpr int kClusterEntryCount = kBandCount + 2;
const QLatin1String kAllHf("All HF");
const QLatin1String kAllVhf("All VHF");
const QLatin1String kAllHfToken("euhf");
const QLatin1String kAllVhfToken("euvhf");

bool inList(int index)
{
    return index >= 0 && index < kClusterEntryCount;
}
} // namespace

QStringList clusterBandEntries()
{
    QStringList entries{kAllHf};
    entries += bandEntryTexts();
    entries << kAllVhf;
    return entries;
}

QString clusterToken(int index)
{
    if (!inList(index))
        return {};
    if (index == 0)
        return kAllHfToken;
    if (index == kClusterEntryCount - 1)
        return kAllVhfToken;
    return entryBands()[index - 1].clusterToken;
}

QString clusterPath(int index)
{
    const QString token = clusterToken(index);
    // The two regional pages have their own names; the others are worldwide.
    if (token == kAllHfToken || token == kAllVhfToken)
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
