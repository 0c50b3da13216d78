// The rule of every entry field, the check of a whole contact, the line
// builder that never builds a malformed line, and case changes that keep
// the layout.
#include "log_samples.h"
#include "temp_folder.h"

#include "logstore/bands.h"
#include "logstore/codepage.h"
#include "logstore/date_time_rules.h"
#include "logstore/entry_rules.h"
#include "logstore/log_operations.h"
#include "logstore/log_record.h"
#include "logstore/prenoms.h"

#include <gtest/gtest.h>

#include <functional>

using namespace vqx;
using namespace vqx::test;

namespace {

// Each row of a table is a test named after the row.
const auto byName = [](const auto &info) { return std::string(info.param.name); };

struct RuleCase
{
    const char *name;
    EntryField field;
    QString text;
    QString message; // "" when accepted
};

void PrintTo(const RuleCase &c, std::ostream *os)
{
    *os << c.name;
}

const QString kR = QStringLiteral("R (de RST)doit etre compris entre 0 et 5");
const QString kNotABand = QStringLiteral("La QRG doit etre une des bandes de la liste");

using FieldRule = ::testing::TestWithParam<RuleCase>;

TEST_P(FieldRule, GivesItsMessage)
{
    const RuleCase &c = GetParam();
    EXPECT_EQ(fieldMessage(c.field, c.text), c.message);
}

INSTANTIATE_TEST_SUITE_P(
    EveryField, FieldRule,
    ::testing::Values(
        RuleCase{"BandEmpty", EntryField::Bande, "", "Entrez une QRG"},
        RuleCase{"BandOfTheList", EntryField::Bande, "144 Mhz", ""},
        RuleCase{"BandTypedInCapitals", EntryField::Bande, "14 MHZ", ""},
        RuleCase{"BandNotOfTheList", EntryField::Bande, "432 Mhz", kNotABand},
        RuleCase{"BandNumberAlone", EntryField::Bande, "14", kNotABand},
        RuleCase{"BandOnlyBlanks", EntryField::Bande, "   ", kNotABand},
        RuleCase{"Band8", EntryField::Bande, "432 MHzz", "7 caracteres maxi pour la QRG"},
        RuleCase{"Band8OfTheListWithABlank", EntryField::Bande, " 144 Mhz",
                 "7 caracteres maxi pour la QRG"},
        RuleCase{"CallEmpty", EntryField::Indicatif, "", "Entrez un indicatif"},
        RuleCase{"Call12", EntryField::Indicatif, "F1ABCDEFGHIJ", ""},
        RuleCase{"Call13", EntryField::Indicatif, "F1ABCDEFGHIJK",
                 "12 caracteres maxi pour l'indicatif"},
        RuleCase{"FirstNameEmpty", EntryField::Prenom, "", ""},
        RuleCase{"FirstName15", EntryField::Prenom, QString(15, QChar(0xDF)), ""},
        RuleCase{"FirstName16", EntryField::Prenom, "ABCDEFGHIJKLMNOP",
                 "15 caracteres maxi pour le Prenom"},
        RuleCase{"RefEmpty", EntryField::Ref, "", "Entrez une reférence"},
        RuleCase{"Ref6", EntryField::Ref, "31FA01", "7 caracteres pour la reference ex: 31FA001"},
        RuleCase{"Ref8", EntryField::Ref, "31FA0011", "7 caracteres pour la reference ex: 31FA001"},
        RuleCase{"RefTypeFB", EntryField::Ref, "31FB001",
                 "Le type de la fontaine doit etre FA ou FT"},
        RuleCase{"RefTypeLowerCase", EntryField::Ref, "31fa001",
                 "Le type de la fontaine doit etre FA ou FT"},
        RuleCase{"RefFA", EntryField::Ref, "31FA001", ""},
        RuleCase{"RefFTAnyDepartmentAndNumber", EntryField::Ref, "xxFTyyy", ""},
        RuleCase{"DptEmpty", EntryField::Dpt, "", ""},
        RuleCase{"DptCorsicaUpperCase", EntryField::Dpt, "2A", ""},
        RuleCase{"Dpt3", EntryField::Dpt, "123", "2 caracteres maxi pour le Departement"},
        RuleCase{"DateEmpty", EntryField::Date, "", "Entrez une date"},
        RuleCase{"DateYear4", EntryField::Date, "01/02/2008",
                 "8 caracteres pour la date ex: 01/02/08"},
        RuleCase{"DateEightButNotTheForm", EntryField::Date, "1/2/2008",
                 "Le format de la date doit etre JJ/MM/AA"},
        RuleCase{"DateDay32", EntryField::Date, "32/01/08",
                 "Le format de la date doit etre JJ/MM/AA"},
        RuleCase{"Date31February", EntryField::Date, "31/02/08", ""},
        RuleCase{"TimeEmpty", EntryField::Heure, "", "Entrez une Heure"},
        RuleCase{"Time4", EntryField::Heure, "8:45", "5 caracteres pour l'heure ex: 08:45"},
        RuleCase{"Time24", EntryField::Heure, "24:00", "Le format de l'heure doit etre HH:MM"},
        RuleCase{"Time2359", EntryField::Heure, "23:59", ""},
        RuleCase{"ModeEmpty", EntryField::Mode, "", "Entrez un Mode"},
        RuleCase{"Mode3", EntryField::Mode, "SSB", ""},
        RuleCase{"Mode4", EntryField::Mode, "SSBX", "3 caracteres maxi pour le Mode"},
        RuleCase{"Mode6", EntryField::Mode, "OLIVIA", "3 caracteres maxi pour le Mode"},
        RuleCase{"Mode7", EntryField::Mode, "OLIVIAX", "6 caracteres maxi pour le Mode"},
        RuleCase{"ReportEmpty", EntryField::RstR, "", "Entrez un Report"},
        RuleCase{"Report4", EntryField::RstR, "5999", "3 caracteres maxi pour le Report"},
        RuleCase{"Report679", EntryField::RstR, "679", kR},
        RuleCase{"ReportLetter", EntryField::RstR, "A9", kR},
        RuleCase{"Report0", EntryField::RstR, "0", ""},
        RuleCase{"SentReport579", EntryField::RstE, "579", ""},
        RuleCase{"SentReport679", EntryField::RstE, "679", kR},
        RuleCase{"FountainNameEmpty", EntryField::NomFontaine, "", ""},
        RuleCase{"FountainName30", EntryField::NomFontaine, QString(30, QLatin1Char('X')), ""},
        RuleCase{"FountainName31", EntryField::NomFontaine, QString(31, QLatin1Char('X')),
                 "30 caracteres maxi pour le nom de la Fontaine"}),
    byName);

struct BandCase
{
    const char *name;
    QString typed;
    int position; // -1: no band of the list
};

void PrintTo(const BandCase &c, std::ostream *os)
{
    *os << c.name;
}

using BandOfTheList = ::testing::TestWithParam<BandCase>;

TEST_P(BandOfTheList, NamedIgnoringCaseAndBlanks)
{
    const BandCase &c = GetParam();
    EXPECT_EQ(bandePosition(c.typed), c.position);
    EXPECT_EQ(bandeForEntry(c.typed), c.position < 0 ? c.typed : kBandList.at(c.position));
}

INSTANTIATE_TEST_SUITE_P(
    Typed, BandOfTheList,
    ::testing::Values(BandCase{"AsListed", "14 Mhz", 4}, BandCase{"LowerCase", "14 mhz", 4},
                      BandCase{"NoBlank", "14MHZ", 4}, BandCase{"LeadingBlank", " 14 Mhz", 4},
                      BandCase{"BlankInside", "1 4Mhz", 4}, BandCase{"Decimal", "1.8 MHZ", 0},
                      BandCase{"Last", "144mhz", 10},
                      BandCase{"SevenWithoutItsDecimal", "7 Mhz", -1},
                      BandCase{"Frequency", "14.070", -1}, BandCase{"Empty", "", -1},
                      BandCase{"NotListed", "432 Mhz", -1}),
    byName);

TEST(FieldRule, DepartmentIsKeptInLowerCase)
{
    EXPECT_EQ(departementForEntry(QStringLiteral("2A")), QStringLiteral("2a"));
    EXPECT_EQ(departementForEntry(QStringLiteral("2B")), QStringLiteral("2b"));
    EXPECT_EQ(departementForEntry(QStringLiteral("31")), QStringLiteral("31"));
}

QsoFields goodContact()
{
    QsoFields f;
    f.qrg = QStringLiteral("14 Mhz");
    f.indicatif = QStringLiteral("F5XYZ");
    f.prenom = QStringLiteral("JEAN");
    f.ref = QStringLiteral("31FA001");
    f.dpt = QStringLiteral("31");
    f.date = QStringLiteral("05/06/08");
    f.heure = QStringLiteral("14:32");
    f.mode = QStringLiteral("SSB");
    f.rstR = QStringLiteral("59");
    f.rstE = QStringLiteral("59");
    f.nomFontaine = QStringLiteral("F. DU LAVOIR");
    return f;
}

struct ContactCase
{
    const char *name;
    std::function<void(QsoFields &)> change;
    EntryField field;
    QString message;
};

void PrintTo(const ContactCase &c, std::ostream *os)
{
    *os << c.name;
}

using WholeContact = ::testing::TestWithParam<ContactCase>;

TEST_P(WholeContact, FirstBrokenFieldInEntryOrder)
{
    const ContactCase &c = GetParam();
    QsoFields f = goodContact();
    c.change(f);
    const FieldProblem p = checkContact(f);
    EXPECT_FALSE(p.ok());
    EXPECT_EQ(p.field, c.field);
    EXPECT_EQ(p.message, c.message);
    // Whatever the check refuses, the builder refuses too or builds a whole line.
    const QString line = buildQsoLine(f);
    EXPECT_TRUE(line.isEmpty() || line.size() == QsoLine::Length);
}

INSTANTIATE_TEST_SUITE_P(
    Refusals, WholeContact,
    ::testing::Values(
        ContactCase{"NoBand", [](QsoFields &f) { f.qrg.clear(); }, EntryField::Bande,
                    "Entrez une QRG"},
        ContactCase{"BandNotOfTheList", [](QsoFields &f) { f.qrg = "432 Mhz"; }, EntryField::Bande,
                    kNotABand},
        ContactCase{"Callsign13", [](QsoFields &f) { f.indicatif = "F5XYZABCDEFGH"; },
                    EntryField::Indicatif, "12 caracteres maxi pour l'indicatif"},
        ContactCase{"FirstName16", [](QsoFields &f) { f.prenom = QString(16, 'J'); },
                    EntryField::Prenom, "15 caracteres maxi pour le Prenom"},
        ContactCase{"NoReference", [](QsoFields &f) { f.ref.clear(); }, EntryField::Ref,
                    "Entrez une reférence"},
        ContactCase{"Department3", [](QsoFields &f) { f.dpt = "310"; }, EntryField::Dpt,
                    "2 caracteres maxi pour le Departement"},
        ContactCase{"NoDate", [](QsoFields &f) { f.date.clear(); }, EntryField::Date,
                    "Entrez une date"},
        ContactCase{"DateOfTheWrongForm", [](QsoFields &f) { f.date = "1/2/2008"; },
                    EntryField::Date, "Le format de la date doit etre JJ/MM/AA"},
        ContactCase{"TimeOfTheWrongForm", [](QsoFields &f) { f.heure = "14h32"; },
                    EntryField::Heure, "Le format de l'heure doit etre HH:MM"},
        ContactCase{"Mode4", [](QsoFields &f) { f.mode = "SSBX"; }, EntryField::Mode,
                    "3 caracteres maxi pour le Mode"},
        ContactCase{"ReceivedReport", [](QsoFields &f) { f.rstR = "95"; }, EntryField::RstR, kR},
        ContactCase{"SentReport", [](QsoFields &f) { f.rstE.clear(); }, EntryField::RstE,
                    "Entrez un Report"},
        ContactCase{"FountainName31", [](QsoFields &f) { f.nomFontaine = QString(31, 'X'); },
                    EntryField::NomFontaine, "30 caracteres maxi pour le nom de la Fontaine"},
        ContactCase{"CallsignBeforeMode",
                    [](QsoFields &f) {
                        f.mode = "SSBX";
                        f.indicatif.clear();
                    },
                    EntryField::Indicatif, "Entrez un indicatif"},
        ContactCase{"ReferenceBeforeDate",
                    [](QsoFields &f) {
                        f.date = "1/2/08";
                        f.ref = "31XX001";
                    },
                    EntryField::Ref, "Le type de la fontaine doit etre FA ou FT"}),
    byName);

TEST(WholeContact, GoodContactPassesAndBuilds107Characters)
{
    QsoFields f = goodContact();
    EXPECT_TRUE(checkContact(f).ok());
    EXPECT_EQ(buildQsoLine(f).size(), QsoLine::Length);
    f.dpt = QStringLiteral("2A");
    f.prenom.clear();
    f.nomFontaine.clear();
    EXPECT_TRUE(checkContact(f).ok());
}

// The builder refuses any value that would shift the columns after it.
struct MisfitCase
{
    const char *name;
    std::function<void(QsoFields &)> change;
};

void PrintTo(const MisfitCase &c, std::ostream *os)
{
    *os << c.name;
}

using LineBuilder = ::testing::TestWithParam<MisfitCase>;

TEST_P(LineBuilder, RefusesAValueThatDoesNotFit)
{
    QsoFields f = goodContact();
    GetParam().change(f);
    EXPECT_EQ(buildQsoLine(f), QString());
}

INSTANTIATE_TEST_SUITE_P(
    Misfits, LineBuilder,
    ::testing::Values(
        MisfitCase{"Callsign13", [](QsoFields &f) { f.indicatif = "F5XYZABCDEFGH"; }},
        MisfitCase{"Department3", [](QsoFields &f) { f.dpt = "310"; }},
        MisfitCase{"FirstName16", [](QsoFields &f) { f.prenom = QString(16, 'J'); }},
        MisfitCase{"FirstNameOfSharpS",
                   [](QsoFields &f) { f.prenom = QString(15, QChar(0xDF)).toUpper(); }},
        MisfitCase{"Reference8", [](QsoFields &f) { f.ref = "31FA0011"; }},
        MisfitCase{"EmptyDate", [](QsoFields &f) { f.date.clear(); }},
        MisfitCase{"Date7", [](QsoFields &f) { f.date = "1/02/08"; }},
        MisfitCase{"Date10", [](QsoFields &f) { f.date = "01/02/2008"; }},
        MisfitCase{"Time4", [](QsoFields &f) { f.heure = "8:45"; }},
        MisfitCase{"Mode4", [](QsoFields &f) { f.mode = "SSBX"; }},
        MisfitCase{"Band8", [](QsoFields &f) { f.qrg = "432 MHzz"; }},
        MisfitCase{"Report4", [](QsoFields &f) { f.rstE = "5999"; }},
        MisfitCase{"LineBreakInTheName", [](QsoFields &f) { f.nomFontaine = "F. A\r\nB"; }},
        MisfitCase{"TabInTheCallsign", [](QsoFields &f) { f.indicatif = "F5\tXYZ"; }}),
    byName);

TEST(LineBuilder, LongFountainNameIsCutNotRefused)
{
    QsoFields f = goodContact();
    f.nomFontaine = QStringLiteral("  ") + QString(40, QLatin1Char('x'));
    const QString line = buildQsoLine(f);
    ASSERT_EQ(line.size(), QsoLine::Length);
    EXPECT_EQ(QsoLine::NomFontaine.cut(line), QString(30, QLatin1Char('X')));
}

TEST(LineBuilder, LettersWithoutASingleUpperFormKeepTheLayout)
{
    QsoFields f = goodContact();
    f.prenom = QString(15, QChar(0xDF)); // ß
    f.nomFontaine = QStringLiteral("straße µ œil");
    const QString line = buildQsoLine(f);
    ASSERT_EQ(line.size(), QsoLine::Length);
    EXPECT_EQ(QsoLine::Prenom.cut(line), QString(15, QChar(0xDF)));
    EXPECT_EQ(QsoLine::NomFontaine.cut(line).trimmed(), QStringLiteral("STRAßE µ ŒIL"));
    EXPECT_TRUE(codepage::isRepresentable(line));
}

// The log operations write no line that is not a whole contact, whoever built it.
class MalformedLine : public ::testing::TestWithParam<int>
{
protected:
    TempFolder dir;
};

TEST_P(MalformedLine, IsNeverWritten)
{
    const QString path = dir.file(QStringLiteral("FYYYY_VQX.log"));
    ASSERT_TRUE(writeBytes(path, crlf({kSampleA, kSampleB})));
    const QByteArray before = readBytes(path);
    // A contact whose date went missing: every later column shifted by eight.
    const QString shifted = QString(kSampleC).remove(QsoLine::Date.start - 1, 8);
    ASSERT_EQ(shifted.size(), 99);
    const QString broken = QString(kSampleC).replace(QsoLine::NomFontaine.start - 1, 2, "\r\n");
    ASSERT_EQ(broken.size(), QsoLine::Length);
    const LogTarget log{path};
    for (const QString &line : {shifted, broken, QString()}) {
        LogChange c;
        switch (GetParam()) {
        case 0:
            c = Ajouter_Qso(log, line);
            break;
        case 1:
            c = Inserer_Qso_Chrono(log, line);
            break;
        default:
            c = Remplacer_Qso(log, line, kSampleA);
            break;
        }
        EXPECT_FALSE(c.ok());
        EXPECT_EQ(c.file.error, FileError::WriteFailed);
        EXPECT_TRUE(c.file.detail.startsWith(QStringLiteral("ligne de QSO mal formée")))
            << qPrintable(c.file.detail);
        EXPECT_EQ(readBytes(path), before);
        EXPECT_EQ(dir.entries(), QStringList{QStringLiteral("FYYYY_VQX.log")});
    }
}

std::string writerName(const ::testing::TestParamInfo<int> &info)
{
    const char *names[] = {"Ajouter_Qso", "Inserer_Qso_Chrono", "Remplacer_Qso"};
    return names[info.param];
}

INSTANTIATE_TEST_SUITE_P(EveryWriter, MalformedLine, ::testing::Values(0, 1, 2), writerName);

// Case changes: one character in, one character of the code page out.
struct CaseCase
{
    const char *name;
    char16_t in;
    char16_t upper;
    char16_t lower;
};

void PrintTo(const CaseCase &c, std::ostream *os)
{
    *os << c.name;
}

using CaseChange = ::testing::TestWithParam<CaseCase>;

TEST_P(CaseChange, KeepsOneCharacter)
{
    const CaseCase &c = GetParam();
    EXPECT_EQ(codepage::upper(QChar(c.in)).unicode(), c.upper);
    EXPECT_EQ(codepage::lower(QChar(c.in)).unicode(), c.lower);
}

INSTANTIATE_TEST_SUITE_P(
    Characters, CaseChange,
    ::testing::Values(
        CaseCase{"a", u'a', u'A', u'a'}, CaseCase{"Z", u'Z', u'Z', u'z'},
        CaseCase{"Digit", u'7', u'7', u'7'}, CaseCase{"Slash", u'/', u'/', u'/'},
        CaseCase{"EAcute", u'é', u'É', u'é'}, CaseCase{"CapitalEGrave", u'È', u'È', u'è'},
        CaseCase{"YDiaeresis", u'ÿ', u'Ÿ', u'ÿ'}, CaseCase{"CapitalYDiaeresis", u'Ÿ', u'Ÿ', u'ÿ'},
        CaseCase{"OE", u'œ', u'Œ', u'œ'}, CaseCase{"SCaron", u'š', u'Š', u'š'},
        CaseCase{"ZCaron", u'ž', u'Ž', u'ž'}, CaseCase{"AE", u'æ', u'Æ', u'æ'},
        CaseCase{"Thorn", u'þ', u'Þ', u'þ'},
        // Upper form of two characters ("SS"): kept.
        CaseCase{"SharpS", u'ß', u'ß', u'ß'},
        // Upper form outside the code page (Greek capital mu): kept.
        CaseCase{"Micro", u'µ', u'µ', u'µ'},
        // One character of the code page, though the letter is not in it.
        CaseCase{"DotlessI", u'ı', u'I', u'ı'},
        // Lower form of two characters ("i" and a combining dot): kept.
        CaseCase{"CapitalIDot", u'İ', u'İ', u'İ'}, CaseCase{"FeminineOrdinal", u'ª', u'ª', u'ª'},
        CaseCase{"Division", u'÷', u'÷', u'÷'}, CaseCase{"Cyrillic", u'ж', u'ж', u'ж'}),
    byName);

TEST(CaseChange, EveryCodePageCharacterStaysInTheCodePage)
{
    for (int b = 0; b < 256; ++b) {
        const QString c = codepage::decode(QByteArray(1, char(b)));
        ASSERT_EQ(c.size(), 1);
        const QString up = codepage::upper(c);
        const QString low = codepage::lower(c);
        EXPECT_EQ(up.size(), 1) << b;
        EXPECT_TRUE(codepage::isRepresentable(up)) << b;
        EXPECT_TRUE(codepage::isRepresentable(low)) << b;
    }
    const QString text = QStringLiteral("hélène ßµ ÿ œ 2A");
    EXPECT_EQ(codepage::upper(text), QStringLiteral("HÉLÈNE ßµ Ÿ Œ 2A"));
    EXPECT_EQ(codepage::lower(QStringLiteral("2A ŸÉ")), QStringLiteral("2a ÿé"));
}

struct PasteCase
{
    const char *name;
    QString in;
    QString kept;
};

void PrintTo(const PasteCase &c, std::ostream *os)
{
    *os << c.name;
}

using Storable = ::testing::TestWithParam<PasteCase>;

TEST_P(Storable, ComposesThenDropsWhatTheLogCannotHold)
{
    EXPECT_EQ(codepage::storable(GetParam().in), GetParam().kept);
}

INSTANTIATE_TEST_SUITE_P(
    Pasted, Storable,
    ::testing::Values(PasteCase{"Plain", "F5XYZ", "F5XYZ"},
                      PasteCase{"DecomposedEAcute", QStringLiteral("he\u0301le\u0300ne"),
                                QStringLiteral("hélène")},
                      PasteCase{"DecomposedCapital", QStringLiteral("E\u0301"),
                                QStringLiteral("É")},
                      PasteCase{"CombiningMarkAlone", QStringLiteral("\u0301a"), "a"},
                      PasteCase{"CyrillicAndEmoji", QStringLiteral("F6Ж😀B"), "F6B"},
                      PasteCase{"Controls", QStringLiteral("F5\tX\r\nY\u0081"), "F5XY"},
                      PasteCase{"Ligature", QStringLiteral("ﬁn"), "n"},
                      PasteCase{"CodePageSigns", QStringLiteral("€ Œ ‰"), QStringLiteral("€ Œ ‰")}),
    byName);

TEST(FirstNameDirectory, SharpSIsKeptInTheLineAndTheLookup)
{
    const QString sharp(15, QChar(0xDF));
    const QString line = buildPrenomLine(QStringLiteral("F5ABC"), QStringLiteral("31"), sharp);
    EXPECT_EQ(line, QStringLiteral("F5ABC        31 ") + sharp);
    TempFolder dir;
    ASSERT_TRUE(Memoriser_Prenom(dir.path(), line).ok());
    ASSERT_TRUE(writeBytes(dir.file(kPrenomFile),
                           readBytes(dir.file(kPrenomFile)) +
                               codepage::encode(QStringLiteral("F6DEF        75 µélanie\r\n"))));
    EXPECT_EQ(Chercher_Prenom(dir.path(), QStringLiteral("F5ABC")).prenom, sharp);
    EXPECT_EQ(Chercher_Prenom(dir.path(), QStringLiteral("F6DEF")).prenom,
              QStringLiteral("µÉLANIE"));
}

} // namespace
