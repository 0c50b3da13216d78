#include "logstore/bands.h"

#include <gtest/gtest.h>

#include <string>

using namespace vqx;

namespace {

// Each limit of each band: 1 Hz outside gives no band or the neighbour,
// the limit itself gives the band.
TEST(BandTable, FrequencyEdges)
{
    for (int i = 0; i < kBandCount; ++i) {
        const Band &b = entryBands()[i];
        SCOPED_TRACE(std::string(b.entry.data(), size_t(b.entry.size())));
        EXPECT_EQ(bandEntryText(i), QString(b.entry));
        EXPECT_EQ(bandOfFrequency(b.lowHz), &b);
        EXPECT_EQ(bandOfFrequency(b.highHz), &b);
        EXPECT_EQ(bandOfFrequency(b.lowHz - 1), nullptr);
        EXPECT_EQ(bandOfFrequency(b.highHz + 1), nullptr);
        EXPECT_EQ(bandOfAdifName(QString(b.adif).toUpper()), &b);
        EXPECT_EQ(bandOfEntry(QString(b.entry)), &b);
    }
}

struct FrequencyRow
{
    const char *name;
    qint64 hz;
    const char *entry; // "" outside every band of the entry
};

class BandOfFrequency : public ::testing::TestWithParam<FrequencyRow>
{
};

TEST_P(BandOfFrequency, GivesTheEntryText)
{
    const Band *b = bandOfFrequency(GetParam().hz);
    EXPECT_EQ(b ? QString(b->entry) : QString(), QString::fromLatin1(GetParam().entry));
}

INSTANTIATE_TEST_SUITE_P(Known, BandOfFrequency,
                         ::testing::Values(FrequencyRow{"Cw40", 7'013'500, "7.0 Mhz"},
                                           FrequencyRow{"Ssb20", 14'285'000, "14 Mhz"},
                                           FrequencyRow{"Wspr30", 10'140'200, "10 Mhz"},
                                           FrequencyRow{"Fm2", 145'500'000, "144 Mhz"},
                                           FrequencyRow{"Sixty", 5'357'000, ""},
                                           FrequencyRow{"Seventy", 432'200'000, ""},
                                           FrequencyRow{"Zero", 0, ""},
                                           FrequencyRow{"Negative", -14'000'000, ""}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(BandTable, ListsAndGroups)
{
    EXPECT_EQ(kBandList.size(), kBandCount);
    EXPECT_EQ(kBandList.first(), QStringLiteral("1.8 Mhz"));
    EXPECT_EQ(kBandList.last(), QStringLiteral("144 Mhz"));
    EXPECT_EQ(bandOfEntry(u"10 Mhz")->group, AwardGroup::None);
    EXPECT_EQ(bandOfEntry(u"144 Mhz")->group, AwardGroup::Vhf);
    EXPECT_EQ(bandOfEntry(u"14 mhz"), nullptr); // the entry's own spelling only
    EXPECT_EQ(bandEntryText(kBandCount), QString());
    EXPECT_EQ(bandEntryText(-1), QString());
    EXPECT_EQ(bandOfAdifName(u"70cm"), nullptr);
}

struct DecimalRow
{
    const char *name;
    const char *text;
    bool khz;
    qint64 hz; // -1 when refused
};

class DecimalText : public ::testing::TestWithParam<DecimalRow>
{
};

TEST_P(DecimalText, IsReadExactly)
{
    const DecimalRow &r = GetParam();
    const QString text = QString::fromLatin1(r.text);
    const std::optional<qint64> hz = r.khz ? hzFromKhzText(text) : hzFromMhzText(text);
    EXPECT_EQ(hz.value_or(-1), r.hz);
}

INSTANTIATE_TEST_SUITE_P(Texts, DecimalText,
                         ::testing::Values(DecimalRow{"MhzPlain", "14.074", false, 14'074'000},
                                           DecimalRow{"MhzHz", "7.0135", false, 7'013'500},
                                           DecimalRow{"MhzWhole", "144", false, 144'000'000},
                                           DecimalRow{"MhzPastHz", "14.0740009", false, 14'074'000},
                                           DecimalRow{"MhzBlanks", " 3.5 ", false, 3'500'000},
                                           DecimalRow{"KhzSpot", "14025.0", true, 14'025'000},
                                           DecimalRow{"KhzHz", "7013.5", true, 7'013'500},
                                           DecimalRow{"Comma", "14,074", false, -1},
                                           DecimalRow{"Negative", "-14.0", false, -1},
                                           DecimalRow{"TwoPoints", "14.0.1", false, -1},
                                           DecimalRow{"Empty", "", false, -1},
                                           DecimalRow{"PointOnly", ".", true, -1},
                                           DecimalRow{"Huge", "99999999999999999999", false, -1}),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace
