#include "temp_folder.h"

#include "platform/settings_store.h"

#include <QFileInfo>

#include <gtest/gtest.h>

using namespace vqx;

TEST(IniSettingsStore, DefaultsWhenNothingIsStored)
{
    test::TempFolder dir;
    IniSettingsStore s(dir.path());
    EXPECT_EQ(s.Lire_Reglage(kAppVqx, kSectionSetup, QStringLiteral("Indicatif Station"),
                             QStringLiteral("FXXXX")),
              QStringLiteral("FXXXX"));
    EXPECT_EQ(s.loadProblem(), QString());
}

TEST(IniSettingsStore, TrailingBlankMakesAnotherSectionAcrossARereads)
{
    test::TempFolder dir;
    {
        IniSettingsStore s(dir.path());
        ASSERT_TRUE(s.Ecrire_Reglage(kAppVqx, QStringLiteral("Setup "),
                                     QStringLiteral("Indicatif Station"), QStringLiteral("F1ABC")));
        ASSERT_TRUE(s.Ecrire_Reglage(kAppVqx, QStringLiteral("Setup"),
                                     QStringLiteral("Indicatif Station"), QStringLiteral("OTHER")));
        ASSERT_TRUE(s.Ecrire_Reglage(kAppBrenox, QStringLiteral("Setup F1ABC"),
                                     QStringLiteral("bande Cluster"), QStringLiteral("11")));
    }
    IniSettingsStore again(dir.path());
    const QString key = QStringLiteral("Indicatif Station");
    EXPECT_EQ(again.Lire_Reglage(kAppVqx, QStringLiteral("Setup "), key, QString()),
              QStringLiteral("F1ABC"));
    EXPECT_EQ(again.Lire_Reglage(kAppVqx, QStringLiteral("Setup"), key, QString()),
              QStringLiteral("OTHER"));
    EXPECT_EQ(again.Lire_Reglage(kAppBrenox, QStringLiteral("Setup F1ABC"),
                                 QStringLiteral("bande Cluster"), QStringLiteral("0")),
              QStringLiteral("11"));
    // Applications are separate stores.
    EXPECT_EQ(again.Lire_Reglage(kAppVqx, QStringLiteral("Setup F1ABC"),
                                 QStringLiteral("bande Cluster"), QStringLiteral("0")),
              QStringLiteral("0"));
}

TEST(IniSettingsStore, StationsKeepTheirOwnValues)
{
    test::TempFolder dir;
    IniSettingsStore s(dir.path());
    const QString key = QStringLiteral("bande Utilisee");
    ASSERT_TRUE(s.Ecrire_Reglage(kAppVqx, stationSection(QStringLiteral("F1AAA")), key,
                                 QStringLiteral("4")));
    EXPECT_EQ(
        s.Lire_Reglage(kAppVqx, stationSection(QStringLiteral("F1BBB")), key, QStringLiteral("0")),
        QStringLiteral("0"));
    EXPECT_EQ(
        s.Lire_Reglage(kAppVqx, stationSection(QStringLiteral("F1AAA")), key, QStringLiteral("0")),
        QStringLiteral("4"));
}

TEST(IniSettingsStore, UnwritableStoreReportsFailure)
{
    test::TempFolder dir;
    // The settings file's place is taken by a folder: nothing can be stored.
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("VQX.ini")));
    IniSettingsStore s(dir.path());
    EXPECT_FALSE(s.Ecrire_Reglage(kAppVqx, kSectionSetup, QStringLiteral("Revision"),
                                  QStringLiteral(" 1.0.1")));
}

struct DamagedCase
{
    const char *name;
    QByteArray bytes; // empty: a folder in the file's place
};

void PrintTo(const DamagedCase &c, std::ostream *os)
{
    *os << c.name;
}

class DamagedSettingsFile : public ::testing::TestWithParam<DamagedCase>
{
};

// QSettings would read part of these and, at the next write, save only that.
TEST_P(DamagedSettingsFile, IsReportedReadAsEmptyAndNeverWritten)
{
    test::TempFolder dir;
    IniSettingsStore s(dir.path());
    const QString path = s.fileFor(kAppVqx);
    const QByteArray &bytes = GetParam().bytes;
    if (bytes.isEmpty())
        ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("VQX.ini")));
    else
        ASSERT_TRUE(test::writeBytes(path, bytes));

    EXPECT_EQ(s.loadProblem(), path);
    EXPECT_EQ(s.Lire_Reglage(kAppVqx, kSectionSetup, QStringLiteral("Indicatif Station"),
                             QStringLiteral("FXXXX")),
              QStringLiteral("FXXXX"));
    EXPECT_FALSE(s.Ecrire_Reglage(kAppVqx, kSectionSetup, QStringLiteral("Revision"),
                                  QStringLiteral(" 1.0.1")));
    if (bytes.isEmpty())
        EXPECT_TRUE(QFileInfo(path).isDir());
    else
        EXPECT_EQ(test::readBytes(path), bytes);
    // The other application's store is not concerned.
    EXPECT_TRUE(s.Ecrire_Reglage(kAppBrenox, QStringLiteral("Setup F1ABC"),
                                 QStringLiteral("bande Cluster"), QStringLiteral("3")));
}

INSTANTIATE_TEST_SUITE_P(
    Settings, DamagedSettingsFile,
    ::testing::Values(
        DamagedCase{"unclosed_section", "[Setup%20\r\nIndicatif%20Station=F1ABC\r\n"},
        DamagedCase{"line_without_equals", "[Setup%20]\r\nIndicatif%20Station F1ABC\r\n"},
        DamagedCase{"cut_short", "[Setup%20]\r\nIndicatif%20Stat"},
        DamagedCase{"unclosed_quote", "[Setup%20]\r\nIndicatif%20Station=\"F1ABC\r\nA=1\r\n"},
        DamagedCase{"binary_bytes_before_the_sections",
                    QByteArray("\x00\x01\xff\xfe[Setup%20]\r\nIndicatif%20Station=F1ABC\r\n", 42)},
        DamagedCase{"nul_inside_a_value",
                    QByteArray("[Setup%20]\r\nIndicatif%20Station=F1\0ABC\r\n", 38)},
        DamagedCase{"not_utf8", "[Setup%20]\r\nIndicatif%20Station=F1\xe9"
                                "ABC\r\n"},
        DamagedCase{"folder", QByteArray()}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(IniSettingsStore, WhateverTheStoreWritesReadsBackAsWellFormed)
{
    test::TempFolder dir;
    const QString folder = QStringLiteral("C:\\Users\\Hélène \"radio\"; a=b, [c] #1\\");
    {
        IniSettingsStore s(dir.path());
        ASSERT_TRUE(
            s.Ecrire_Reglage(kAppVqx, kSectionSetup, QStringLiteral("Chemin Repertoire"), folder));
    }
    IniSettingsStore again(dir.path());
    EXPECT_EQ(again.loadProblem(), QString());
    EXPECT_EQ(
        again.Lire_Reglage(kAppVqx, kSectionSetup, QStringLiteral("Chemin Repertoire"), QString()),
        folder);
}
