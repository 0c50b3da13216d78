#include "log_samples.h"
#include "temp_folder.h"

#include "awards/award_levels.h"
#include "awards/award_list.h"
#include "logstore/codepage.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <unistd.h>

using namespace vqx;
using namespace vqx::test;

namespace {

QString confirmed(const QString &ref, const QString &band, const QString &call = "F1ABC")
{
    return qso(call, ref, QStringLiteral("05/06/21"), QStringLiteral("10:00"), band, true);
}

QStringList repeated(int n, const QString &band)
{
    QStringList lines;
    for (int i = 0; i < n; ++i)
        lines << confirmed(QStringLiteral("31FA%1").arg(i % 1000, 3, 10, QLatin1Char('0')), band);
    return lines;
}

QString withQsl(QString line, QChar qsl)
{
    line[106] = qsl;
    return line;
}

// ---- Counting ---------------------------------------------------------

struct CountCase
{
    const char *name;
    QStringList lines;
    int hf;
    int vhf;
};

// Test names stay readable in ctest.
void PrintTo(const CountCase &c, std::ostream *os)
{
    *os << c.name;
}

class ConfirmedCounting : public ::testing::TestWithParam<CountCase>
{
};

TEST_P(ConfirmedCounting, CountsConfirmedLinesOfEachGroup)
{
    const ConfirmedCounts c = countConfirmed(GetParam().lines);
    EXPECT_EQ(c.hf, GetParam().hf);
    EXPECT_EQ(c.vhf, GetParam().vhf);
}

const QString k14 = QStringLiteral("14 Mhz");

INSTANTIATE_TEST_SUITE_P(
    Awards, ConfirmedCounting,
    ::testing::Values(
        CountCase{"EmptyLog", {}, 0, 0}, CountCase{"ThirtyHf", repeated(30, k14), 30, 0},
        CountCase{"TenMhzCountsForNeither", {confirmed("31FA001", "10 Mhz")}, 0, 0},
        CountCase{"EighteenMhzIsHf", {confirmed("31FA001", "18 Mhz")}, 1, 0},
        CountCase{"EveryHfBand",
                  repeated(1, "1.8 Mhz") + repeated(1, "3.5 Mhz") + repeated(1, "7.0 Mhz") +
                      repeated(1, "14 Mhz") + repeated(1, "18 Mhz") + repeated(1, "21 Mhz") +
                      repeated(1, "24 Mhz") + repeated(1, "28 Mhz") + repeated(1, "50 Mhz"),
                  9, 0},
        CountCase{"TwoMetresOnlyVhf", {confirmed("31FA001", "144 Mhz")}, 0, 1},
        CountCase{"OtherBandCountsForNeither", {confirmed("31FA001", "432 Mhz")}, 0, 0},
        CountCase{"BandNameCaseCounts", {confirmed("31FA001", "14 MHZ")}, 0, 0},
        CountCase{"QslBlankOrOtherNeverCounts",
                  {qso("F1ABC", "31FA001", "05/06/21", "10:00", k14, false),
                   withQsl(confirmed("31FA002", k14), QLatin1Char('x')),
                   withQsl(confirmed("31FA003", "144 Mhz"), QLatin1Char('+'))},
                  0,
                  0},
        CountCase{"ShortLineNeverCounts", {confirmed("31FA001", k14).left(106)}, 0, 0},
        CountCase{"SameReferenceThreeTimesCountsThree",
                  {confirmed("31FA001", k14, "F1AAA"), confirmed("31FA001", k14, "F1BBB"),
                   confirmed("31FA001", "21 Mhz", "F1CCC")},
                  3,
                  0}),
    [](const ::testing::TestParamInfo<CountCase> &info) { return std::string(info.param.name); });

// ---- Levels -------------------------------------------------------------

struct LevelCase
{
    const char *name;
    QString group;
    ConfirmedCounts counts;
    std::array<int, kAwardLevelCount> missing; // 0 for a level reached
};

// Test names stay readable in ctest.
void PrintTo(const LevelCase &c, std::ostream *os)
{
    *os << c.name;
}

class AwardLevels : public ::testing::TestWithParam<LevelCase>
{
};

TEST_P(AwardLevels, ReachedOrMissingPerLevel)
{
    const LevelCase &p = GetParam();
    const AwardEvaluation e = evaluateAwards(p.counts, p.group);
    for (AwardLevel level : kAwardLevels) {
        const LevelResult &r = e.levels[std::size_t(level)];
        SCOPED_TRACE(awardLevelName(level).toStdString());
        EXPECT_EQ(r.level, level);
        EXPECT_EQ(r.missing, p.missing[std::size_t(level)]);
        EXPECT_EQ(r.reached, r.missing == 0);
        if (r.reached) {
            EXPECT_EQ(r.status, reachedCaption(level));
            EXPECT_EQ(r.detail,
                      QStringLiteral("avec les QSL des %1 Fontaines confirmées").arg(e.count));
        } else {
            EXPECT_EQ(r.status, notReachedCaption(level));
            EXPECT_EQ(r.detail,
                      QStringLiteral("il vous manque %1 Fontaines confirmées").arg(r.missing));
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Awards, AwardLevels,
    ::testing::Values(LevelCase{"EmptyHf", "HF", {0, 0}, {30, 50, 150, 300, 500}},
                      LevelCase{"EmptyVhf", "VHF", {0, 0}, {10, 30, 50, 100, 200}},
                      LevelCase{"ExactlyBaseHf", "HF", {30, 99}, {0, 20, 120, 270, 470}},
                      LevelCase{"OneShortOfBaseHf", "HF", {29, 0}, {1, 21, 121, 271, 471}},
                      LevelCase{"ExactlyBaseVhf", "VHF", {99, 10}, {0, 20, 40, 90, 190}},
                      LevelCase{"HonneurHf", "HF", {300, 0}, {0, 0, 0, 0, 200}},
                      LevelCase{"EverythingVhf", "VHF", {0, 250}, {0, 0, 0, 0, 0}},
                      LevelCase{"LowerCaseGroupIsVhf", "hf", {40, 5}, {5, 25, 45, 95, 195}}),
    [](const ::testing::TestParamInfo<LevelCase> &info) { return std::string(info.param.name); });

// ---- Award list -----------------------------------------------------------

TEST(AwardList, LineTakesTheColumnsAsTheyStand)
{
    const QString line = qso("F5XYZ/P", "2aFA012", "05/06/21", "09:07", "10 Mhz", true, "CW",
                             "JEAN", "Fontaine des Lions");
    const QString item = awardListLine(line);
    EXPECT_EQ(item, QStringLiteral("   2aFA012  2a  FONTAINE DES LIONS              05/06/21  "
                                   "09:07  F5XYZ/P     "));
    EXPECT_EQ(item.size(), kAwardListLineLength);
}

TEST(AwardList, ConfirmedOfEveryBandInListOrder)
{
    const QStringList log = {
        confirmed("75FA002", k14),
        confirmed("13FT010", "432 Mhz"),
        qso("F1ABC", "01FA001", "05/06/21", "10:00", k14, false), // not confirmed
        confirmed("2bFA001", "10 Mhz"),
        confirmed("2AFA001", "144 Mhz"),
        confirmed("05FA001", k14).left(100), // short: no QSL column
    };
    const QStringList items = awardListLines(log);
    QStringList refs;
    for (const QString &i : items)
        refs << i.mid(3, 7);
    // Letters compare without regard to case: "2A" before "2b".
    EXPECT_EQ(refs, QStringList({"13FT010", "2AFA001", "2bFA001", "75FA002"}));
}

TEST(AwardList, SortIgnoresCaseAndKeepsEqualLinesInOrder)
{
    QStringList lines = {"b2", "B1", "a", "A", "b1"};
    sortWithoutCase(lines);
    EXPECT_EQ(lines, QStringList({"a", "A", "B1", "b1", "b2"}));
}

TEST(AwardList, SortAgreesWithCaseInsensitiveComparisonBeyondAscii)
{
    // Accented capitals sort with their small letters, not by their codes.
    QStringList lines = {"   31FA002  31  Øre", "   31FA002  31  Ÿ",     "   31FA002  31  ā",
                         "   31FA002  31  éte", "   31FA001  31  ÉCOLE", "   31FA001  31  école",
                         "   31FA001  31  Eau", "   2bFA001  2b  Œuvre", "   2BFA001  2B  œuvre",
                         "   2aFA001  2a  x"};
    QStringList expected = lines;
    std::stable_sort(expected.begin(), expected.end(), [](const QString &a, const QString &b) {
        return QString::compare(a, b, Qt::CaseInsensitive) < 0;
    });
    sortWithoutCase(lines);
    EXPECT_EQ(lines, expected);
    EXPECT_EQ(lines.first(), QStringLiteral("   2aFA001  2a  x"));
    EXPECT_EQ(lines.mid(6), QStringList({"   31FA002  31  éte", "   31FA002  31  Øre",
                                         "   31FA002  31  Ÿ", "   31FA002  31  ā"}));
}

struct FileNameCase
{
    const char *name;
    QString niveau;
    QString group;
    QString expected;
};

// Test names stay readable in ctest.
void PrintTo(const FileNameCase &c, std::ostream *os)
{
    *os << c.name;
}

class AwardListFileName : public ::testing::TestWithParam<FileNameCase>
{
};

TEST_P(AwardListFileName, NamedByLevelGroupAndDate)
{
    EXPECT_EQ(awardListFileName("FYYYY", GetParam().niveau, GetParam().group, "05_12_21"),
              GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Awards, AwardListFileName,
    ::testing::Values(
        FileNameCase{"Base", "Base", "HF", "FYYYY_Diplome_VQX_de_Base_HF_05_12_21.txt"},
        FileNameCase{"Performant", "Performant", "VHF",
                     "FYYYY_Diplome_VQX_Performant_VHF_05_12_21.txt"},
        FileNameCase{"Expert", "Expert", "HF", "FYYYY_Diplome_VQX_Expert_HF_05_12_21.txt"},
        FileNameCase{"Honneur", "Honneur", "VHF", "FYYYY_Diplome_VQX_Honneur_VHF__05_12_21.txt"},
        FileNameCase{"Maitre", "Maitre", "HF", "FYYYY_Diplome_VQX_Maitre_HF__05_12_21.txt"},
        FileNameCase{"UnknownLevel", "", "HF", ""}),
    [](const ::testing::TestParamInfo<FileNameCase> &info) {
        return std::string(info.param.name);
    });

struct PrintTitleCase
{
    const char *name;
    QString niveau;
    QString words;
};

// Test names stay readable in ctest.
void PrintTo(const PrintTitleCase &c, std::ostream *os)
{
    *os << c.name;
}

class AwardListPrintTitle : public ::testing::TestWithParam<PrintTitleCase>
{
};

TEST_P(AwardListPrintTitle, TitleNamesTheLevel)
{
    const QStringList out =
        awardListPrintLines("FYYYY", "HF", GetParam().niveau, "05/12/21", {"   a", "   b"});
    EXPECT_EQ(out.at(0), QString(17, QLatin1Char(' ')) + "FYYYY Diplome VQX HF" + GetParam().words +
                             "05/12/21");
}

INSTANTIATE_TEST_SUITE_P(Awards, AwardListPrintTitle,
                         ::testing::Values(PrintTitleCase{"Base", "Base", " De base du "},
                                           PrintTitleCase{"Performant", "Performant",
                                                          " Performant du "},
                                           PrintTitleCase{"Expert", "Expert", " Expert du "},
                                           PrintTitleCase{"Honneur", "Honneur", " Honneur du "},
                                           PrintTitleCase{"Maitre", "Maitre", " Maitre du "}),
                         [](const ::testing::TestParamInfo<PrintTitleCase> &info) {
                             return std::string(info.param.name);
                         });

TEST(AwardList, PrintedLinesIndentFourMoreThanSaved)
{
    const QStringList items = {"   first", "   second"};
    const QStringList out = awardListPrintLines("FYYYY", "VHF", "Base", "05/12/21", items);
    const QStringList saved = awardListFileLines("FYYYY", "05/12/2021", items);
    ASSERT_EQ(out.size(), 9);
    EXPECT_EQ(out.at(2), QStringLiteral("       N°    Ref     Dpt    Nom de la Fontaine           "
                                        "   Date    Heure  Indicatif"));
    EXPECT_EQ(out.at(4), QStringLiteral("        1    first"));
    EXPECT_EQ(out.at(5), QStringLiteral("        2    second"));
    EXPECT_EQ(out.at(6), QString());
    EXPECT_EQ(out.at(7), QString());
    EXPECT_EQ(out.at(8), saved.last());
}

// ---- Saving ---------------------------------------------------------------

TEST(AwardListSave, WritesCodePageWithCrLfAndReplacesOlderFile)
{
    TempFolder dir;
    const QString name = QStringLiteral("FYYYY_Diplome_VQX_de_Base_HF_05_06_21.txt");
    ASSERT_TRUE(writeBytes(dir.file(name), "old content"));
    const FileResult r = saveAwardList(dir.path(), name, {"contactées", QString(), "N°"});
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(readBytes(dir.file(name)), QByteArray("contact\xe9"
                                                    "es\r\n\r\nN\xb0\r\n"));
    EXPECT_EQ(dir.entries(), QStringList({name}));
}

TEST(AwardListSave, FailedWriteLeavesTheOlderFileIntact)
{
    TempFolder dir;
    const QString name = QStringLiteral("FYYYY_Diplome_VQX_Expert_HF_05_06_21.txt");
    ASSERT_TRUE(writeBytes(dir.file(name), "older list\r\n"));
    const FileResult r =
        saveAwardList(dir.path(), name, {"new"}, [](int fd, const QByteArray &data) {
            // Half the data, then a full disk.
            if (::write(fd, data.constData(), size_t(data.size() / 2)) < 0)
                return false;
            errno = ENOSPC;
            return false;
        });
    EXPECT_EQ(r.error, FileError::WriteFailed);
    EXPECT_EQ(readBytes(dir.file(name)), QByteArray("older list\r\n"));
    EXPECT_EQ(dir.entries(), QStringList({name})); // no scratch file left
}

} // namespace
