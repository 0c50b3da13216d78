#pragma once

#include <QLatin1String>
#include <QStringList>
#include <QStringView>
#include <optional>

namespace vqx {

// The award group a band counts for; 10 Mhz counts for none.
enum class AwardGroup
{
    None,
    Hf,
    Vhf
};

// A band of the entry list. Limits are those of the ADIF Band enumeration,
// both included, in whole Hz.
struct Band
{
    QLatin1String entry; // the text of the QRG column: "14 Mhz"
    QLatin1String adif;  // ADIF band name: "20m"
    qint64 lowHz;
    qint64 highHz;
    AwardGroup group;
    QLatin1String clusterToken; // names its cluster page: "20" for "/ww20cw.html"
    bool holds(qint64 hz) const { return hz >= lowHz && hz <= highHz; }
};

inline constexpr int kBandCount = 11;

// The entry list in its order; a band's index is its position here.
const Band (&entryBands())[kBandCount];

// The texts of the entry list ("1.8 Mhz" … "144 Mhz"), derived from the table.
const QStringList &bandEntryTexts();
inline const QStringList &kBandList = bandEntryTexts();

inline const QStringList kModeList = {QStringLiteral("SSB"), QStringLiteral("CW"),
                                      QStringLiteral("FM")};

// The entry text of the band at an index of the entry list; "" outside it.
QString bandEntryText(int index);
// The band whose entry text is exactly `entry`, case included; null for none.
const Band *bandOfEntry(QStringView entry);
// The band holding a frequency; null outside every band of the entry list.
const Band *bandOfFrequency(qint64 hz);
// The band of an ADIF band name in any case ("20M"); null for none.
const Band *bandOfAdifName(QStringView name);

// A decimal text in MHz ("14.025") or kHz ("14025.0") as whole Hz, read
// exactly (no floating point); digits past the Hz are dropped. Nothing for
// a text that is not a plain non-negative decimal number.
std::optional<qint64> hzFromMhzText(QStringView text);
std::optional<qint64> hzFromKhzText(QStringView text);

} // namespace vqx
