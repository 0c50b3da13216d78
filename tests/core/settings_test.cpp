#include "temp_folder.h"

#include "platform/settings_store.h"

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
