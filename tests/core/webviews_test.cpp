#include "webviews/web_addresses.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

using namespace vqx;

namespace {

struct PageRow
{
    const char *name;
    int index;
    const char *entry; // "" when the index is not a position of Bande_CL
    const char *path;
};
void PrintTo(const PageRow &row, std::ostream *os)
{
    *os << row.name;
}

class ClusterPage : public ::testing::TestWithParam<PageRow>
{
};

TEST_P(ClusterPage, IndexGivesEntryAndAddress)
{
    const PageRow &row = GetParam();
    const QStringList entries = clusterBandEntries();
    EXPECT_EQ(row.index >= 0 && row.index < entries.size() ? entries.at(row.index) : QString(),
              QString::fromUtf8(row.entry));
    EXPECT_EQ(clusterPath(row.index), QString::fromLatin1(row.path));
    // The path goes right after the service address, with no doubled or lost slash.
    const QUrl url = clusterPageUrl(row.index);
    ASSERT_TRUE(url.isValid());
    EXPECT_EQ(url.path(), QString::fromLatin1(row.path));
    EXPECT_EQ(url.adjusted(QUrl::RemovePath), QUrl(kClusterServiceAddress));
}

INSTANTIATE_TEST_SUITE_P(
    WholeTable, ClusterPage,
    ::testing::Values(
        PageRow{"AllHf", 0, "All HF", "/euhfcw.html"},
        PageRow{"m160", 1, "1.8 Mhz", "/ww160cw.html"},
        PageRow{"m80", 2, "3.5 Mhz", "/ww80cw.html"}, PageRow{"m40", 3, "7.0 Mhz", "/ww40cw.html"},
        PageRow{"m30", 4, "10 Mhz", "/ww30cw.html"}, PageRow{"m20", 5, "14 Mhz", "/ww20cw.html"},
        PageRow{"m17", 6, "18 Mhz", "/ww17cw.html"}, PageRow{"m15", 7, "21 Mhz", "/ww15cw.html"},
        PageRow{"m12", 8, "24 Mhz", "/ww12cw.html"}, PageRow{"m10", 9, "28 Mhz", "/ww10cw.html"},
        PageRow{"m6", 10, "50 Mhz", "/ww6cw.html"}, PageRow{"m2", 11, "144 Mhz", "/ww2cw.html"},
        PageRow{"AllVhf", 12, "All VHF", "/euvhfcw.html"},
        PageRow{"JustPastTheEnd", 13, "", "/wwcw.html"}, PageRow{"Negative", -1, "", "/wwcw.html"},
        PageRow{"FarOut", 1000, "", "/wwcw.html"}),
    [](const ::testing::TestParamInfo<PageRow> &info) { return std::string(info.param.name); });

TEST(ClusterPage, ListHasExactlyTheThirteenBands)
{
    EXPECT_EQ(clusterBandEntries().size(), 13);
}

struct StoredRow
{
    const char *name;
    const char *stored;
    int index;
};
void PrintTo(const StoredRow &row, std::ostream *os)
{
    *os << row.name;
}

class StoredBand : public ::testing::TestWithParam<StoredRow>
{
};

TEST_P(StoredBand, StoredValueGivesAPositionOfTheList)
{
    EXPECT_EQ(clusterIndexFromSetting(QString::fromLatin1(GetParam().stored)), GetParam().index);
}

INSTANTIATE_TEST_SUITE_P(
    Values, StoredBand,
    ::testing::Values(StoredRow{"First", "0", 0}, StoredRow{"Vhf144", "11", 11},
                      StoredRow{"Last", "12", 12}, StoredRow{"PastTheEnd", "13", 0},
                      StoredRow{"Negative", "-1", 0}, StoredRow{"Empty", "", 0},
                      StoredRow{"NotANumber", "abc", 0}, StoredRow{"Decimal", "5.5", 0},
                      StoredRow{"Blanks", " 5 ", 5}),
    [](const ::testing::TestParamInfo<StoredRow> &info) { return std::string(info.param.name); });

TEST(ReglementPage, IsTheAwardHomePageWithNothingAppended)
{
    EXPECT_EQ(reglementUrl(), QUrl(kReglementAddress));
    EXPECT_TRUE(reglementUrl().isValid());
    EXPECT_EQ(reglementUrl().path(), QStringLiteral("/"));
}

} // namespace
