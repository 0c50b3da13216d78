#include "logstore/bands.h"

namespace vqx {

namespace {

constexpr qint64 kMHz = 1'000'000;
constexpr qint64 kKHz = 1'000;

constexpr Band kBands[kBandCount] = {
    {QLatin1String("1.8 Mhz"), QLatin1String("160m"), 1'800'000, 2'000'000, AwardGroup::Hf,
     QLatin1String("160")},
    {QLatin1String("3.5 Mhz"), QLatin1String("80m"), 3'500'000, 4'000'000, AwardGroup::Hf,
     QLatin1String("80")},
    {QLatin1String("7.0 Mhz"), QLatin1String("40m"), 7'000'000, 7'300'000, AwardGroup::Hf,
     QLatin1String("40")},
    {QLatin1String("10 Mhz"), QLatin1String("30m"), 10'100'000, 10'150'000, AwardGroup::None,
     QLatin1String("30")},
    {QLatin1String("14 Mhz"), QLatin1String("20m"), 14'000'000, 14'350'000, AwardGroup::Hf,
     QLatin1String("20")},
    {QLatin1String("18 Mhz"), QLatin1String("17m"), 18'068'000, 18'168'000, AwardGroup::Hf,
     QLatin1String("17")},
    {QLatin1String("21 Mhz"), QLatin1String("15m"), 21'000'000, 21'450'000, AwardGroup::Hf,
     QLatin1String("15")},
    {QLatin1String("24 Mhz"), QLatin1String("12m"), 24'890'000, 24'990'000, AwardGroup::Hf,
     QLatin1String("12")},
    {QLatin1String("28 Mhz"), QLatin1String("10m"), 28'000'000, 29'700'000, AwardGroup::Hf,
     QLatin1String("10")},
    {QLatin1String("50 Mhz"), QLatin1String("6m"), 50 * kMHz, 54 * kMHz, AwardGroup::Hf,
     QLatin1String("6")},
    {QLatin1String("144 Mhz"), QLatin1String("2m"), 144 * kMHz, 148 * kMHz, AwardGroup::Vhf,
     QLatin1String("2")},
};

// Whole units and up to `decimals` digits after the point, scaled to Hz.
std::optional<qint64> hzFromDecimal(QStringView text, qint64 unit, int decimals)
{
    text = text.trimmed();
    qint64 whole = 0;
    qint64 fraction = 0;
    int fractionDigits = 0;
    int digits = 0;
    bool point = false;
    for (QChar c : text) {
        if (c == u'.' && !point) {
            point = true;
            continue;
        }
        if (c < u'0' || c > u'9')
            return std::nullopt;
        const int d = c.unicode() - u'0';
        ++digits;
        if (!point) {
            if (whole > (qint64(1) << 40)) // far beyond any radio
                return std::nullopt;
            whole = whole * 10 + d;
        } else if (fractionDigits < decimals) {
            fraction = fraction * 10 + d;
            ++fractionDigits;
        }
    }
    if (digits == 0)
        return std::nullopt;
    for (int i = fractionDigits; i < decimals; ++i)
        fraction *= 10;
    return whole * unit + fraction;
}

} // namespace

const Band (&entryBands())[kBandCount]
{
    return kBands;
}

const QStringList &bandEntryTexts()
{
    static const QStringList texts = [] {
        QStringList list;
        for (const Band &b : kBands)
            list << QString(b.entry);
        return list;
    }();
    return texts;
}

QString bandEntryText(int index)
{
    return index >= 0 && index < kBandCount ? QString(kBands[index].entry) : QString();
}

const Band *bandOfEntry(QStringView entry)
{
    for (const Band &b : kBands) {
        if (entry == b.entry)
            return &b;
    }
    return nullptr;
}

const Band *bandOfFrequency(qint64 hz)
{
    for (const Band &b : kBands) {
        if (b.holds(hz))
            return &b;
    }
    return nullptr;
}

const Band *bandOfAdifName(QStringView name)
{
    for (const Band &b : kBands) {
        if (name.compare(b.adif, Qt::CaseInsensitive) == 0)
            return &b;
    }
    return nullptr;
}

std::optional<qint64> hzFromMhzText(QStringView text)
{
    return hzFromDecimal(text, kMHz, 6);
}

std::optional<qint64> hzFromKhzText(QStringView text)
{
    return hzFromDecimal(text, kKHz, 3);
}

} // namespace vqx
