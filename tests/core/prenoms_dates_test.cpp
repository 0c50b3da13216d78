#include "log_samples.h"
#include "temp_folder.h"

#include "logstore/contact_search.h"
#include "logstore/date_time_rules.h"
#include "logstore/prenoms.h"

#include <gtest/gtest.h>

using namespace vqx;
using namespace vqx::test;

namespace {

class PrenomTest : public ::testing::Test
{
protected:
    QString file() const { return dir.file(kPrenomFile); }
    QStringList lines() const
    {
        return codepage::splitLines(codepage::decode(readBytes(file()))).lines;
    }
    TempFolder dir;
};

} // namespace

TEST(PrenomLine, TwelveCharacterCallsignIsFollowedDirectlyByTheSeparator)
{
    const QString l = buildPrenomLine(QStringLiteral("F1ABCDEFGHIJ"), QStringLiteral("2a"),
                                      QStringLiteral("jean"));
    EXPECT_EQ(l, QStringLiteral("F1ABCDEFGHIJ 2a JEAN"));
    // No department, no first name: the line stops after 16 characters.
    EXPECT_EQ(buildPrenomLine(QStringLiteral("F1AB"), QString(), QString()),
              QStringLiteral("F1AB            "));
}

TEST_F(PrenomTest, MissingDirectoryIsEmptyAndCreatedAtFirstStore)
{
    EXPECT_FALSE(Chercher_Prenom(dir.path(), QStringLiteral("F1AB")).found);
    EXPECT_TRUE(Chercher_Prenom(dir.path(), QStringLiteral("F1AB")).file.ok());
    EXPECT_FALSE(QFileInfo::exists(file()));
    ASSERT_TRUE(
        Memoriser_Prenom(dir.path(), buildPrenomLine(QStringLiteral("F1AB"), QStringLiteral("31"),
                                                     QStringLiteral("Jean")))
            .ok());
    EXPECT_EQ(readBytes(file()), QByteArray("F1AB         31 JEAN\r\n"));
}

TEST_F(PrenomTest, FirstStoreAppendsSecondReplacesInPlace)
{
    ASSERT_TRUE(writeBytes(file(), crlf({QStringLiteral("F1AA         31 PAUL"),
                                         QStringLiteral("F1BB         75 LUC")})));
    ASSERT_TRUE(
        Memoriser_Prenom(dir.path(), buildPrenomLine(QStringLiteral("F1CC"), QStringLiteral("13"),
                                                     QStringLiteral("marc")))
            .ok());
    EXPECT_EQ(lines().last(), QStringLiteral("F1CC         13 MARC"));
    ASSERT_TRUE(
        Memoriser_Prenom(dir.path(), buildPrenomLine(QStringLiteral("F1AA"), QStringLiteral("31"),
                                                     QStringLiteral("Pierre")))
            .ok());
    EXPECT_EQ(lines(), (QStringList{QStringLiteral("F1AA         31 PIERRE"),
                                    QStringLiteral("F1BB         75 LUC"),
                                    QStringLiteral("F1CC         13 MARC")}));
    const PrenomLookup found = Chercher_Prenom(dir.path(), QStringLiteral("F1AA"));
    EXPECT_TRUE(found.found);
    EXPECT_EQ(found.prenom, QStringLiteral("PIERRE"));
    EXPECT_FALSE(found.dptBlank);
}

TEST_F(PrenomTest, LaterDuplicateWinsAndTheNextStoreReplacesBoth)
{
    ASSERT_TRUE(writeBytes(
        file(), crlf({QStringLiteral("F1AA         31 PAUL"), QStringLiteral("F1BB         75 LUC"),
                      QStringLiteral("F1AA            JACQUES")})));
    const PrenomLookup found = Chercher_Prenom(dir.path(), QStringLiteral("F1AA"));
    EXPECT_EQ(found.prenom, QStringLiteral("JACQUES"));
    EXPECT_TRUE(found.dptBlank);
    ASSERT_TRUE(Memoriser_Prenom(dir.path(), QStringLiteral("F1AA         31 ANNE")).ok());
    EXPECT_EQ(lines(), (QStringList{QStringLiteral("F1AA         31 ANNE"),
                                    QStringLiteral("F1BB         75 LUC"),
                                    QStringLiteral("F1AA         31 ANNE")}));
}

TEST_F(PrenomTest, LookupIsCaseSensitiveAndShortEntriesGiveAnEmptyName)
{
    ASSERT_TRUE(
        writeBytes(file(), crlf({QStringLiteral("f1aa         31 paul"), QStringLiteral("F1ZZ")})));
    EXPECT_FALSE(Chercher_Prenom(dir.path(), QStringLiteral("F1AA")).found);
    const PrenomLookup shortLine = Chercher_Prenom(dir.path(), QStringLiteral("F1ZZ"));
    EXPECT_TRUE(shortLine.found);
    EXPECT_EQ(shortLine.prenom, QString());
}

TEST_F(PrenomTest, FailedStoreLeavesTheDirectory)
{
    ASSERT_TRUE(writeBytes(file(), crlf({QStringLiteral("F1AA         31 PAUL")})));
    const QByteArray before = readBytes(file());
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("Temporaire.txt")));
    EXPECT_FALSE(Memoriser_Prenom(dir.path(), QStringLiteral("F1AA         31 ANNE")).ok());
    EXPECT_EQ(readBytes(file()), before);
}

struct PrenomFileCase
{
    const char *name;
    QByteArray bytes;
    int malformedLines;
    int firstMalformedLine;
    int firstNonTextLine;
    int firstUtf8Line;
    QString call;   // looked up
    QString prenom; // what the lookup gives
};

void PrintTo(const PrenomFileCase &c, std::ostream *os)
{
    *os << c.name;
}

class PrenomFile : public ::testing::TestWithParam<PrenomFileCase>
{
};

// Each kind of line the program would not write is found at its first
// line, and the lookup still gives a name the field can hold.
TEST_P(PrenomFile, IsCheckedAndReadAtBest)
{
    const PrenomFileCase &c = GetParam();
    TempFolder dir;
    ASSERT_TRUE(writeBytes(dir.file(kPrenomFile), c.bytes));
    const PrenomIrregularities irr = checkPrenomFile(dir.path());
    EXPECT_TRUE(irr.file.ok());
    EXPECT_EQ(irr.malformedLines, c.malformedLines);
    EXPECT_EQ(irr.firstMalformedLine, c.firstMalformedLine);
    EXPECT_EQ(irr.firstNonTextLine, c.firstNonTextLine);
    EXPECT_EQ(irr.firstUtf8Line, c.firstUtf8Line);
    const PrenomLookup found = Chercher_Prenom(dir.path(), c.call);
    EXPECT_TRUE(found.found);
    EXPECT_EQ(found.prenom, c.prenom);
}

const QByteArray kGoodLines = "F1AA         31 PAUL\r\nF1BB            \r\n";

INSTANTIATE_TEST_SUITE_P(
    Prenoms, PrenomFile,
    ::testing::Values(
        PrenomFileCase{"WellFormed", kGoodLines, 0, 0, 0, 0, QStringLiteral("F1AA"),
                       QStringLiteral("PAUL")},
        PrenomFileCase{"LineWrittenInUtf8",
                       kGoodLines + QStringLiteral("F1CC         75 HÉLÈNE\r\n").toUtf8(), 0, 0, 0,
                       3, QStringLiteral("F1CC"), QStringLiteral("HÉLÈNE")},
        PrenomFileCase{"NameLongerThanItsColumn",
                       kGoodLines + "F1CC         13 JEAN-CHRISTOPHE-MARIE-HENRI\r\n", 1, 3, 0, 0,
                       QStringLiteral("F1CC"), QStringLiteral("JEAN-CHRISTOPHE")},
        PrenomFileCase{"SeparatorTaken", "F1ABCDEFGHIJK31 PAUL\r\n" + kGoodLines, 1, 1, 0, 0,
                       QStringLiteral("F1BB"), QString()},
        PrenomFileCase{"ControlCharacter", kGoodLines + QByteArray("F1DD         31 PA\x01UL\r\n"),
                       0, 0, 3, 0, QStringLiteral("F1DD"), QStringLiteral("PAUL")}),
    [](const ::testing::TestParamInfo<PrenomFileCase> &info) {
        return std::string(info.param.name);
    });

TEST_F(PrenomTest, LinesOfOtherCallsignsAreKeptByteForByte)
{
    const QByteArray utf8 = QStringLiteral("F1CC         75 HÉLÈNE\r\n").toUtf8();
    const QByteArray odd = QByteArray("F1DD         31 PA\x01UL\x81\r\n");
    ASSERT_TRUE(writeBytes(file(), utf8 + odd));
    ASSERT_TRUE(Memoriser_Prenom(dir.path(), QStringLiteral("F1EE         13 ANNE")).ok());
    EXPECT_EQ(readBytes(file()), utf8 + odd + "F1EE         13 ANNE\r\n");
}

struct DateCase
{
    const char *name;
    const char *text;
    const char *message; // "" when accepted
};

void PrintTo(const DateCase &c, std::ostream *os)
{
    *os << c.name;
}

class DateRules : public ::testing::TestWithParam<DateCase>
{
};

TEST_P(DateRules, MessageAndCheck)
{
    const DateCase &c = GetParam();
    const QString text = QString::fromUtf8(c.text);
    EXPECT_EQ(dateMessage(text), QString::fromUtf8(c.message));
    if (text.size() == 8) {
        EXPECT_EQ(Verifier_Date(text), *c.message ? 1 : 0);
    }
}

const char *const kFormat = "Le format de la date doit etre JJ/MM/AA";
const char *const kLength = "8 caracteres pour la date ex: 01/02/08";

INSTANTIATE_TEST_SUITE_P(
    Dates, DateRules,
    ::testing::Values(
        DateCase{"plain", "01/02/08", ""}, DateCase{"end_of_century", "31/12/99", ""},
        DateCase{"all_zero", "00/00/00", ""}, DateCase{"feb_31", "31/02/08", ""},
        DateCase{"day_32", "32/01/08", kFormat}, DateCase{"month_13", "15/13/08", kFormat},
        DateCase{"short_parts", "1/2/2008", kFormat}, DateCase{"dashes", "01-02-08", kFormat},
        DateCase{"letter", "0A/02/08", kFormat}, DateCase{"blanks", "        ", kFormat},
        DateCase{"seven", "01/02/8", kLength}, DateCase{"ten", "01/02/2008", kLength},
        DateCase{"empty", "", "Entrez une date"}),
    [](const auto &info) { return std::string(info.param.name); });

class TimeRules : public ::testing::TestWithParam<DateCase>
{
};

TEST_P(TimeRules, MessageAndCheck)
{
    const DateCase &c = GetParam();
    const QString text = QString::fromUtf8(c.text);
    EXPECT_EQ(heureMessage(text), QString::fromUtf8(c.message));
    if (text.size() == 5) {
        EXPECT_EQ(Verifier_Heure(text), *c.message ? 1 : 0);
    }
}

const char *const kTimeFormat = "Le format de l'heure doit etre HH:MM";

INSTANTIATE_TEST_SUITE_P(
    Times, TimeRules,
    ::testing::Values(DateCase{"last_minute", "23:59", ""}, DateCase{"midnight", "00:00", ""},
                      DateCase{"hour_24", "24:00", kTimeFormat},
                      DateCase{"minute_60", "12:60", kTimeFormat},
                      DateCase{"h_separator", "08h45", kTimeFormat},
                      DateCase{"trailing_blank", "08:4 ", kTimeFormat},
                      DateCase{"four", "8:45", "5 caracteres pour l'heure ex: 08:45"},
                      DateCase{"empty", "", "Entrez une Heure"}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(RefDejaContactee, SameReferenceOnTheSameBandOnly)
{
    TempFolder dir;
    const QString log = dir.file(QStringLiteral("F1_VQX.log"));
    ASSERT_TRUE(writeBytes(log, crlf({qso(QStringLiteral("FAAAA"), QStringLiteral("31FA001"),
                                          QStringLiteral("05/06/08"), QStringLiteral("14:32")),
                                      qso(QStringLiteral("FBBBB"), QStringLiteral("31FA001"),
                                          QStringLiteral("07/06/08"), QStringLiteral("09:00"))})));
    const DejaContactee same =
        Ref_Deja_Contactee(log, QStringLiteral("31FA001"), QStringLiteral("14 Mhz"));
    EXPECT_TRUE(same.found);
    EXPECT_EQ(same.date, QStringLiteral("05/06/08"));
    EXPECT_FALSE(
        Ref_Deja_Contactee(log, QStringLiteral("31FA001"), QStringLiteral("7.0 Mhz")).found);
    EXPECT_FALSE(
        Ref_Deja_Contactee(log, QStringLiteral("31FA002"), QStringLiteral("14 Mhz")).found);
}
