// VQX contacts from ADIF files into the log, as if typed.
#include "log_samples.h"
#include "temp_folder.h"

#include "adif/adif_entry_rules.h"
#include "adif/adif_export.h"
#include "adif/adif_import.h"
#include "adif/adif_messages.h"
#include "adif/adif_standard_export.h"
#include "logstore/codepage.h"
#include "logstore/log_operations.h"
#include "logstore/prenoms.h"

#include <QDateTime>
#include <QFile>
#include <QSet>
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <functional>
#include <map>
#include <sys/stat.h>
#include <unistd.h>

using namespace vqx;
using namespace vqx::test;

namespace {

const QString kStation = QStringLiteral("F8TEST_P");

// Field changes to a record: a null value removes the field.
using Changes = std::vector<std::pair<const char *, const char *>>;

// A VQX contact as other loggers write it.
AdifRecord standardRecord(const Changes &changes = {})
{
    std::vector<std::pair<QString, QString>> fields = {{"CALL", "f1abc"},
                                                       {"QSO_DATE", "20210605"},
                                                       {"TIME_ON", "143210"},
                                                       {"BAND", "20m"},
                                                       {"MODE", "SSB"},
                                                       {"RST_SENT", "59"},
                                                       {"RST_RCVD", "57"},
                                                       {"NAME", "Jean"},
                                                       {"SIG", "VQX"},
                                                       {"SIG_INFO", "31FA001"},
                                                       {"COMMENT", "F. de la place"},
                                                       {"QSL_RCVD", "Y"}};
    for (const auto &[name, value] : changes) {
        const QString n = QLatin1String(name);
        auto it = std::find_if(fields.begin(), fields.end(), [&](auto &f) { return f.first == n; });
        if (!value) {
            if (it != fields.end())
                fields.erase(it);
        } else if (it != fields.end()) {
            it->second = QString::fromUtf8(value);
        } else {
            fields.push_back({n, QString::fromUtf8(value)});
        }
    }
    AdifRecord r;
    for (const auto &[name, value] : fields)
        r.fields.append({name, value});
    return r;
}

// ADI text of records, lengths in characters.
QByteArray adiText(const QList<AdifRecord> &records)
{
    QString out = QStringLiteral("Written for a test\r\n<EOH>\r\n");
    for (const AdifRecord &r : records) {
        for (const AdifField &f : r.fields)
            out += QStringLiteral("<%1:%2>%3 ").arg(f.name).arg(f.value.size()).arg(f.value);
        out += QStringLiteral("<EOR>\r\n");
    }
    return out.toUtf8();
}

QString column(const QsoFields &f, const std::string &name)
{
    const std::map<std::string, QString> values = {
        {"indicatif", f.indicatif}, {"dpt", f.dpt},
        {"prenom", f.prenom},       {"ref", f.ref},
        {"date", f.date},           {"heure", f.heure},
        {"mode", f.mode},           {"qrg", f.qrg},
        {"rstR", f.rstR},           {"rstE", f.rstE},
        {"nom", f.nomFontaine},     {"qsl", f.qsl ? "*" : " "}};
    return values.at(name);
}

struct MapCase
{
    const char *name;
    Changes changes;
    const char *column;
    const char *expected;
};

class AdifMapping : public testing::TestWithParam<MapCase>
{
};

} // namespace

TEST(AdifMapping, StandardFormTypedAsTheEntryWouldHaveIt)
{
    const AdifMappedRecord m = mapAdifRecord(standardRecord());
    ASSERT_EQ(m.kind, AdifRecordKind::Contact) << qPrintable(m.reason);
    EXPECT_EQ(buildQsoLine(m.fields),
              qso(QStringLiteral("F1ABC"), QStringLiteral("31FA001"), QStringLiteral("05/06/21"),
                  QStringLiteral("14:32"), QStringLiteral("14 Mhz"), true, QStringLiteral("SSB"),
                  QStringLiteral("JEAN"), QStringLiteral("F. DE LA PLACE"))
                  .replace(67, 2, QStringLiteral("57")));
}

TEST(AdifMapping, ProgramsOwnFormReferenceInSigNameInSigInfo)
{
    const AdifMappedRecord m = mapAdifRecord(
        standardRecord({{"SIG", "2bft123"}, {"SIG_INFO", "F. du lavoir"}, {"COMMENT", "tnx qso"}}));
    ASSERT_EQ(m.kind, AdifRecordKind::Contact) << qPrintable(m.reason);
    EXPECT_EQ(m.fields.ref, QStringLiteral("2BFT123"));
    EXPECT_EQ(m.fields.dpt, QStringLiteral("2b"));
    EXPECT_EQ(m.fields.nomFontaine, QStringLiteral("F. DU LAVOIR"));
}

TEST(AdifMapping, OtherRecordsAreNotVqx)
{
    for (const Changes &c :
         {Changes{{"SIG", nullptr}}, Changes{{"SIG", "POTA"}},
          Changes{{"SIG", "WWFF"}, {"SIG_INFO", "31FA001"}}, Changes{{"SIG", "31FB001"}},
          Changes{{"SIG", "96FA001"}}, Changes{{"SIG", "00FA001"}}, Changes{{"SIG", "2CFA001"}}}) {
        EXPECT_EQ(mapAdifRecord(standardRecord(c)).kind, AdifRecordKind::NotVqx)
            << c.front().second;
    }
}

TEST_P(AdifMapping, Row)
{
    const MapCase &c = GetParam();
    const AdifMappedRecord m = mapAdifRecord(standardRecord(c.changes));
    ASSERT_EQ(m.kind, AdifRecordKind::Contact) << qPrintable(m.reason);
    EXPECT_EQ(column(m.fields, c.column), QString::fromUtf8(c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, AdifMapping,
    testing::Values(
        MapCase{"SigInAnyCase", {{"SIG", "vQx"}}, "ref", "31FA001"},
        MapCase{"ReferenceTypedInLowerCase", {{"SIG_INFO", " 75ft002 "}}, "ref", "75FT002"},
        MapCase{"DepartmentFromReference", {{"SIG_INFO", "75FT002"}, {"STATE", "31"}}, "dpt", "75"},
        MapCase{"CorsicaInLowerCase", {{"SIG_INFO", "2AFA010"}}, "dpt", "2a"},
        MapCase{"CallsignUpperCase", {{"CALL", " f5xyz/p "}}, "indicatif", "F5XYZ/P"},
        MapCase{"FirstNameUpperCase", {{"NAME", "hélène"}}, "prenom", "HÉLÈNE"},
        MapCase{"FirstNameCutToItsColumn",
                {{"NAME", "Jean-Pierre Dupontel"}},
                "prenom",
                "JEAN-PIERRE DUP"},
        MapCase{"FirstNameAbsent", {{"NAME", nullptr}}, "prenom", ""},
        MapCase{"DateOfThisCentury", {{"QSO_DATE", "20000101"}}, "date", "01/01/00"},
        MapCase{"DateOfTheLastCentury", {{"QSO_DATE", "19991231"}}, "date", "31/12/99"},
        MapCase{"TimeWithSeconds", {{"TIME_ON", "235959"}}, "heure", "23:59"},
        MapCase{"TimeWithoutSeconds", {{"TIME_ON", "0000"}}, "heure", "00:00"},
        MapCase{"ModeSsb", {{"MODE", "SSB"}}, "mode", "SSB"},
        MapCase{"ModeCwInLowerCase", {{"MODE", "cw"}}, "mode", "CW"},
        MapCase{"ModeFm", {{"MODE", "FM"}}, "mode", "FM"},
        MapCase{"SubmodeUsbIsSsb", {{"MODE", "SSB"}, {"SUBMODE", "USB"}}, "mode", "SSB"},
        MapCase{"SubmodeLsbIsSsb", {{"MODE", "SSB"}, {"SUBMODE", "lsb"}}, "mode", "SSB"},
        MapCase{"ModeUsbIsSsb", {{"MODE", "USB"}}, "mode", "SSB"},
        MapCase{"ShortSubmode", {{"MODE", "MFSK"}, {"SUBMODE", "FT4"}}, "mode", "FT4"},
        MapCase{"LongSubmodeKeepsItsMode", {{"MODE", "PSK"}, {"SUBMODE", "PSK31"}}, "mode", "PSK"},
        MapCase{"BandInUpperCase", {{"BAND", "40M"}}, "qrg", "7.0 Mhz"},
        MapCase{"FrequencyWithoutBand", {{"BAND", nullptr}, {"FREQ", "14.074"}}, "qrg", "14 Mhz"},
        MapCase{"BandRatherThanFrequency", {{"BAND", "2m"}, {"FREQ", "7.05"}}, "qrg", "144 Mhz"},
        MapCase{"ReportsAsGiven", {{"RST_RCVD", "5nn"}}, "rstR", "5NN"},
        MapCase{"ReportAbsentInCw", {{"MODE", "CW"}, {"RST_SENT", nullptr}}, "rstE", "599"},
        MapCase{"ReportAbsentInSsb", {{"RST_RCVD", nullptr}}, "rstR", "59"},
        MapCase{
            "FountainNameUpperCase", {{"COMMENT", "  F. du Château  "}}, "nom", "F. DU CHÂTEAU"},
        MapCase{"FountainNameAbsent", {{"COMMENT", nullptr}}, "nom", ""},
        MapCase{"QslReceived", {{"QSL_RCVD", "y"}}, "qsl", "*"},
        MapCase{"QslNotReceived", {{"QSL_RCVD", "N"}}, "qsl", " "},
        MapCase{"QslRequested", {{"QSL_RCVD", "R"}}, "qsl", " "},
        MapCase{"QslAbsent", {{"QSL_RCVD", nullptr}}, "qsl", " "},
        MapCase{"ExactNameOfTheStandardExport",
                {{"NAME", "HELENE"}, {"APP_ZAT_VQX_NAME", "H&#201;L&#200;NE"}},
                "prenom",
                "HÉLÈNE"},
        MapCase{"ExactFountainNameOfTheStandardExport",
                {{"COMMENT", "F. DU CHATEAU"}, {"APP_ZAT_VQX_COMMENT", "F. DU CH&#194;TEAU"}},
                "nom",
                "F. DU CHÂTEAU"}),
    [](const testing::TestParamInfo<MapCase> &i) { return std::string(i.param.name); });

TEST(AdifMapping, EveryBandOfTheProgram)
{
    const std::pair<const char *, const char *> bands[] = {
        {"160m", "1.8 Mhz"}, {"80m", "3.5 Mhz"}, {"40m", "7.0 Mhz"}, {"30m", "10 Mhz"},
        {"20m", "14 Mhz"},   {"17m", "18 Mhz"},  {"15m", "21 Mhz"},  {"12m", "24 Mhz"},
        {"10m", "28 Mhz"},   {"6m", "50 Mhz"},   {"2m", "144 Mhz"}};
    for (const auto &[band, qrg] : bands) {
        const AdifMappedRecord m = mapAdifRecord(standardRecord({{"BAND", band}}));
        ASSERT_EQ(m.kind, AdifRecordKind::Contact) << band;
        EXPECT_EQ(m.fields.qrg, QLatin1String(qrg)) << band;
    }
    // 70cm has a name in the log's exports but is not a band the entry takes.
    EXPECT_EQ(mapAdifRecord(standardRecord({{"BAND", "70cm"}})).kind, AdifRecordKind::Refused);
    // Every band of the entry's list is reached.
    for (const QString &qrg : kBandList)
        EXPECT_TRUE(std::any_of(std::begin(bands), std::end(bands), [&](auto &b) {
            return qrg == QLatin1String(b.second);
        })) << qPrintable(qrg);
}

struct RefusalCase
{
    const char *name;
    Changes changes;
    const char *reason;
};

class AdifRefusals : public testing::TestWithParam<RefusalCase>
{
};

TEST_P(AdifRefusals, SaysWhy)
{
    const RefusalCase &c = GetParam();
    const AdifMappedRecord m = mapAdifRecord(standardRecord(c.changes));
    EXPECT_EQ(m.kind, AdifRecordKind::Refused);
    EXPECT_EQ(m.reason, QString::fromUtf8(c.reason));
}

INSTANTIATE_TEST_SUITE_P(
    Reasons, AdifRefusals,
    testing::Values(
        RefusalCase{"BadReferenceUnderVqx",
                    {{"SIG_INFO", "31fb001"}},
                    "référence de fontaine (SIG_INFO) « 31FB001 » invalide (exemple : 31FA001)"},
        RefusalCase{"UnknownBand",
                    {{"BAND", "60m"}},
                    "bande (BAND) « 60m » absente de la liste des bandes"},
        RefusalCase{"NoBandNorFrequency", {{"BAND", nullptr}}, "bande absente (ni BAND ni FREQ)"},
        RefusalCase{"FrequencyOutsideTheBands",
                    {{"BAND", nullptr}, {"FREQ", "5.357"}},
                    "fréquence (FREQ) de 5.357 MHz hors des bandes de la liste"},
        RefusalCase{"FrequencyNotANumber",
                    {{"BAND", nullptr}, {"FREQ", "14,074"}},
                    "fréquence (FREQ) « 14,074 » invalide"},
        RefusalCase{"NoDate", {{"QSO_DATE", nullptr}}, "date (QSO_DATE) absente"},
        RefusalCase{"DateInAnotherForm",
                    {{"QSO_DATE", "2021-06-05"}},
                    "date (QSO_DATE) « 2021-06-05 » invalide (attendu AAAAMMJJ)"},
        RefusalCase{"DateThatDoesNotExist",
                    {{"QSO_DATE", "20210231"}},
                    "date (QSO_DATE) « 20210231 » inexistante"},
        RefusalCase{"YearTheLogCannotDate",
                    {{"QSO_DATE", "20500101"}},
                    "année 2050 : le log ne date ses QSO que de 1950 à 2049"},
        RefusalCase{"YearBeforeTheLog",
                    {{"QSO_DATE", "19491231"}},
                    "année 1949 : le log ne date ses QSO que de 1950 à 2049"},
        RefusalCase{"NoTime", {{"TIME_ON", nullptr}}, "heure (TIME_ON) absente"},
        RefusalCase{"TimeOutOfRange",
                    {{"TIME_ON", "2400"}},
                    "heure (TIME_ON) « 2400 » invalide (attendu HHMM ou HHMMSS)"},
        RefusalCase{"TimeTooShort",
                    {{"TIME_ON", "932"}},
                    "heure (TIME_ON) « 932 » invalide (attendu HHMM ou HHMMSS)"},
        RefusalCase{"NoCallsign",
                    {{"CALL", nullptr}},
                    "indicatif (CALL) absent : le log a besoin de cette valeur"},
        RefusalCase{"CallsignTooLong",
                    {{"CALL", "F1ABC/P/QRP/X"}},
                    "indicatif (CALL) « F1ABC/P/QRP/X » : le log garde 12 caractères au plus pour "
                    "l'indicatif"},
        RefusalCase{
            "NoMode", {{"MODE", nullptr}}, "mode (MODE) absent : le log a besoin de cette valeur"},
        RefusalCase{"ModeTooLong",
                    {{"MODE", "RTTY"}},
                    "mode (MODE) « RTTY » : le log garde 3 caractères au plus pour le mode"},
        RefusalCase{
            "ReportTooLong",
            {{"RST_RCVD", "5999"}},
            "report reçu (RST_RCVD) « 5999 » : le log garde 3 caractères au plus pour un report"},
        RefusalCase{"ReportAboveFive",
                    {{"RST_SENT", "699"}},
                    "report envoyé (RST_SENT) « 699 » : un report RST est attendu (59, 599…)"},
        RefusalCase{"DigitalModeReport",
                    {{"MODE", "FT8"}, {"RST_RCVD", "-12"}},
                    "report reçu (RST_RCVD) « -12 » : un report RST est attendu (59, 599…)"},
        RefusalCase{"ReportOfAnotherKind",
                    {{"RST_SENT", "-10"}},
                    "report envoyé (RST_SENT) « -10 » : un report RST est attendu (59, 599…)"},
        RefusalCase{
            "FountainNameTooLong",
            {{"COMMENT", "F. DE LA PLACE DU GENERAL LECLERC"}},
            "nom de la fontaine « F. DE LA PLACE DU GENERAL LECLERC » : le log garde 30 caractères "
            "au plus pour le nom de la fontaine"},
        RefusalCase{"ControlCharacter",
                    {{"COMMENT", "F. DE\tLA PLACE"}},
                    "caractère de contrôle (U+0009) impossible à écrire dans le log (nom de la "
                    "fontaine)"},
        RefusalCase{"CharacterOutsideTheCodePage",
                    {{"NAME", "Łukasz"}},
                    "caractère « Ł » (U+0141) impossible à écrire dans le log (prénom)"}),
    [](const testing::TestParamInfo<RefusalCase> &i) { return std::string(i.param.name); });

TEST(AdifEntryRules, UpperCaseKeepsCharactersTheCodePageCannotHoldInCapitals)
{
    EXPECT_EQ(upperAsTyped(QStringLiteral("éàçÿœšž")), QStringLiteral("ÉÀÇŸŒŠŽ"));
    // µ's capital is Greek, ß's has two letters: both stay as they are.
    EXPECT_EQ(upperAsTyped(QStringLiteral("µß1-/")), QStringLiteral("µß1-/"));
}

TEST(AdifEntryRules, FountainReferences)
{
    for (const char *ok : {"01FA001", "95FT999", "2AFA001", "2bft001", "31fa001"})
        EXPECT_TRUE(isFountainReference(QLatin1String(ok))) << ok;
    for (const char *bad : {"00FA001", "96FA001", "2CFA001", "31FB001", "31FA01", "31FA0011",
                            "31FAA01", "3 FA001", ""})
        EXPECT_FALSE(isFountainReference(QLatin1String(bad))) << bad;
}

// --- Planning: duplicates, fountains already contacted, date order -------

namespace {

QString line(const char *call, const char *ref, const char *date, const char *time,
             const char *band = "14 Mhz")
{
    return qso(QLatin1String(call), QLatin1String(ref), QLatin1String(date), QLatin1String(time),
               QLatin1String(band));
}

// A record that becomes exactly line(...) with the same values.
AdifRecord recordFor(const char *call, const char *ref, const char *date, const char *time,
                     const char *band = "20m", const char *name = nullptr)
{
    const QString d = QLatin1String(date);
    const QString yyyymmdd =
        QString::number(fullYear(d.right(2).toInt())) + d.mid(3, 2) + d.left(2);
    const QByteArray adifDate = yyyymmdd.toLatin1();
    const QByteArray adifTime = QString(QLatin1String(time)).remove(QLatin1Char(':')).toLatin1();
    AdifRecord r = standardRecord({{"CALL", call},
                                   {"SIG_INFO", ref},
                                   {"QSO_DATE", adifDate.constData()},
                                   {"TIME_ON", adifTime.constData()},
                                   {"BAND", band},
                                   {"RST_RCVD", "59"},
                                   {"NAME", name},
                                   {"COMMENT", nullptr}});
    return r;
}

} // namespace

TEST(AdifPlan, DuplicatesAndFountainsAlreadyContacted)
{
    const QStringList log = {line("F1AAA", "31FA001", "05/06/08", "14:32")};
    const QList<AdifRecord> records = {
        recordFor("F1AAA", "31FA001", "05/06/08", "14:32"),        // in the log
        recordFor("F2BBB", "31FA001", "06/06/08", "10:00"),        // fountain worked on 14 Mhz
        recordFor("F2BBB", "31FA001", "06/06/08", "10:00", "40m"), // another band: new
        recordFor("F2BBB", "31FA001", "06/06/08", "10:00", "40m"), // twice in the file
        recordFor("F3CCC", "31FA001", "07/06/08", "11:00", "40m"), // worked by the line above
        recordFor("F3CCC", "75FT002", "07/06/08", "11:00"),        // new
    };
    const AdifImportPlan plan = planAdifImport(records, log, {});
    EXPECT_EQ(plan.counts.imported, 2);
    EXPECT_EQ(plan.counts.duplicates, 2);
    EXPECT_EQ(plan.counts.alreadyContacted, 2);
    EXPECT_EQ(plan.counts.notVqx, 0);
    EXPECT_TRUE(plan.counts.refused.isEmpty());
    EXPECT_EQ(plan.logLines,
              QStringList({log.at(0), line("F2BBB", "31FA001", "06/06/08", "10:00", "7.0 Mhz"),
                           line("F3CCC", "75FT002", "07/06/08", "11:00")}));
}

TEST(AdifPlan, DuplicateOfAnIrregularLogLineByItsTrimmedColumns)
{
    // Hand-edited lines: one cut short after the reports, one padded with
    // no-break spaces, which trimming takes for blanks.
    QString cut = line("F1AAA", "31FA001", "05/06/08", "14:32");
    cut.truncate(80);
    QString padded = line("F1AAA", "31FA001", "05/06/08", "14:32");
    padded[QsoLine::Indicatif.start + 5] = QChar(0xA0);
    padded[QsoLine::QRG.start + 5] = QChar(0xA0);
    for (const QString &edited : {cut, padded}) {
        const AdifImportPlan plan =
            planAdifImport({recordFor("F1AAA", "31FA001", "05/06/08", "14:32")}, {edited}, {});
        EXPECT_EQ(plan.counts.duplicates, 1) << qPrintable(edited);
        EXPECT_EQ(plan.logLines, QStringList{edited});
    }
}

struct PlacementCase
{
    const char *name;
    QStringList log;
    QList<AdifRecord> records;
    QStringList expected;
};

class AdifPlacement : public testing::TestWithParam<PlacementCase>
{
};

TEST_P(AdifPlacement, DateOrder)
{
    const PlacementCase &c = GetParam();
    const AdifImportPlan plan = planAdifImport(c.records, c.log, {});
    EXPECT_EQ(plan.logLines, c.expected);

    // The whole import works on the files' bytes and must write the same.
    const TempFolder dir;
    const QString log = logFilePath(dir.path(), kStation);
    ASSERT_TRUE(writeBytes(log, crlf(c.log)));
    ASSERT_TRUE(writeBytes(dir.file(QStringLiteral("in.adi")), adiText(c.records)));
    const AdifImportResult r =
        importAdifFile(dir.file(QStringLiteral("in.adi")), dir.path(), kStation);
    EXPECT_EQ(r.status, AdifImportStatus::Imported);
    EXPECT_EQ(r.records, c.records.size());
    EXPECT_EQ(readBytes(log), crlf(c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Places, AdifPlacement,
    testing::Values(PlacementCase{"IntoAnEmptyLogInDateOrder",
                                  {},
                                  {recordFor("F2BBB", "75FT002", "06/06/08", "10:00"),
                                   recordFor("F1AAA", "31FA001", "05/06/08", "14:32")},
                                  {line("F1AAA", "31FA001", "05/06/08", "14:32"),
                                   line("F2BBB", "75FT002", "06/06/08", "10:00")}},
                    PlacementCase{"BetweenTwoLines",
                                  {kSampleA, kSampleC},
                                  {recordFor("FBBBB", "75FT002", "06/06/08", "10:00")},
                                  {kSampleA, kSampleB, kSampleC}},
                    PlacementCase{"AfterTheLastLine",
                                  {kSampleA, kSampleB},
                                  {recordFor("FCCCC", "13FA010", "07/06/08", "09:15")},
                                  {kSampleA, kSampleB, kSampleC}},
                    PlacementCase{"BeforeALineOfTheSameMinute",
                                  {kSampleA},
                                  {recordFor("F9ZZZ", "13FA010", "05/06/08", "14:32")},
                                  {line("F9ZZZ", "13FA010", "05/06/08", "14:32"), kSampleA}},
                    PlacementCase{"CenturyRule",
                                  {line("F1AAA", "31FA001", "01/01/00", "00:00")},
                                  {recordFor("F2BBB", "75FT002", "31/12/99", "23:59")},
                                  {line("F2BBB", "75FT002", "31/12/99", "23:59"),
                                   line("F1AAA", "31FA001", "01/01/00", "00:00")}},
                    PlacementCase{"SameMinuteInFileOrder",
                                  {},
                                  {recordFor("F1AAA", "31FA001", "05/06/08", "14:32"),
                                   recordFor("F2BBB", "75FT002", "05/06/08", "14:32")},
                                  {line("F1AAA", "31FA001", "05/06/08", "14:32"),
                                   line("F2BBB", "75FT002", "05/06/08", "14:32")}},
                    // A log out of order: each goes before the first line dated the same or later.
                    PlacementCase{"LogOutOfOrder",
                                  {kSampleC, kSampleA},
                                  {recordFor("FBBBB", "75FT002", "06/06/08", "10:00"),
                                   recordFor("F0AAA", "01FA001", "01/01/08", "00:00")},
                                  {line("F0AAA", "01FA001", "01/01/08", "00:00"), kSampleB,
                                   kSampleC, kSampleA}}),
    [](const testing::TestParamInfo<PlacementCase> &i) { return std::string(i.param.name); });

TEST(AdifPlan, FirstNamesStoredAsRecordingDoes)
{
    const QStringList directory = {
        buildPrenomLine(QStringLiteral("F1AAA"), QStringLiteral("75"), QStringLiteral("PAUL")),
        buildPrenomLine(QStringLiteral("F2BBB"), QStringLiteral("31"), QStringLiteral("LUC"))};
    const QList<AdifRecord> records = {
        recordFor("F1AAA", "31FA001", "05/06/08", "14:32", "20m", "jean"),
        recordFor("F2BBB", "31FA001", "05/06/08", "14:33", "40m", nullptr),
        recordFor("F3CCC", "2AFA002", "05/06/08", "14:34", "20m", "Zoé"),
        recordFor("F3CCC", "2AFA003", "05/06/08", "14:35", "20m", "Léa")};
    const AdifImportPlan plan = planAdifImport(records, {}, directory);
    EXPECT_TRUE(plan.prenomChanged);
    const QStringList expected = {
        buildPrenomLine(QStringLiteral("F1AAA"), QStringLiteral("31"), QStringLiteral("JEAN")),
        directory.at(1),
        buildPrenomLine(QStringLiteral("F3CCC"), QStringLiteral("2a"), QStringLiteral("LÉA"))};
    EXPECT_EQ(plan.prenomLines, expected);

    // Through the files: the directory's bytes, a line without its end kept.
    const TempFolder dir;
    ASSERT_TRUE(writeBytes(logFilePath(dir.path(), kStation), {}));
    ASSERT_TRUE(writeBytes(dir.file(kPrenomFile), crlf(directory).chopped(2)));
    ASSERT_TRUE(writeBytes(dir.file(QStringLiteral("in.adi")), adiText(records)));
    EXPECT_EQ(importAdifFile(dir.file(QStringLiteral("in.adi")), dir.path(), kStation).status,
              AdifImportStatus::Imported);
    EXPECT_EQ(readBytes(dir.file(kPrenomFile)), crlf(expected));

    // New contacts whose names the directory holds already leave it unwritten.
    const auto inode = [&] {
        struct stat st = {};
        return ::stat(QFile::encodeName(dir.file(kPrenomFile)).constData(), &st) == 0 ? st.st_ino
                                                                                      : 0;
    };
    const ino_t before = inode();
    ASSERT_TRUE(
        writeBytes(dir.file(QStringLiteral("in.adi")),
                   adiText({recordFor("F1AAA", "31FA009", "07/06/08", "09:00", "20m", "Jean")})));
    EXPECT_EQ(importAdifFile(dir.file(QStringLiteral("in.adi")), dir.path(), kStation).status,
              AdifImportStatus::Imported);
    EXPECT_EQ(inode(), before);
    EXPECT_EQ(readBytes(dir.file(kPrenomFile)), crlf(expected));
}

TEST(AdifPlan, NoFirstNameLeavesTheDirectoryAlone)
{
    const AdifImportPlan plan =
        planAdifImport({recordFor("F1AAA", "31FA001", "05/06/08", "14:32")}, {}, {});
    EXPECT_FALSE(plan.prenomChanged);
    EXPECT_TRUE(plan.prenomLines.isEmpty());
}

TEST(AdifPlan, RefusedAndNotVqxAreCountedWithTheirPlaceInTheFile)
{
    const QList<AdifRecord> records = {
        standardRecord({{"SIG", nullptr}}), standardRecord({{"BAND", "11m"}}),
        standardRecord({{"SIG_INFO", "75FT002"}, {"COMMENT", "F. de l'Abbaye de Saint-Germain"}}),
        // µ has no capital in the log's code page: it stays as it is.
        standardRecord({{"SIG_INFO", "13FA010"}, {"COMMENT", "F. µ"}})};
    const AdifImportPlan plan = planAdifImport(records, {}, {});
    EXPECT_EQ(plan.counts.imported, 1);
    EXPECT_EQ(plan.counts.notVqx, 1);
    ASSERT_EQ(plan.counts.refused.size(), 2);
    EXPECT_EQ(refusalLine(plan.counts.refused.at(0)),
              QStringLiteral("Enregistrement 2 (f1abc, 05/06/2021 14:32) : bande (BAND) « 11m » "
                             "absente de la liste des bandes"));
    EXPECT_EQ(plan.counts.refused.at(1).record, 3);
    ASSERT_EQ(plan.logLines.size(), 1);
    EXPECT_EQ(QsoLine::NomFontaine.cutTrimmed(plan.logLines.at(0)), QStringLiteral("F. µ"));
}

TEST(AdifPlan, ProgressCanStopIt)
{
    QList<AdifRecord> records;
    for (int i = 0; i < 1000; ++i)
        records << recordFor("F1AAA", "31FA001", "05/06/08", "14:32");
    QList<qsizetype> seen;
    const AdifImportPlan plan =
        planAdifImport(records, {}, {}, [&](qsizetype done, qsizetype total) {
            EXPECT_EQ(total, 1000);
            seen << done;
            return done < 500;
        });
    EXPECT_TRUE(plan.cancelled);
    EXPECT_EQ(seen, QList<qsizetype>({0, 256, 512}));
    EXPECT_TRUE(plan.logLines.isEmpty());
}

// --- The whole import, through files -----------------------------------

namespace {

class AdifImportFiles : public testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }

    QString logPath() const { return logFilePath(dir.path(), kStation); }
    QString prenomPath() const { return dir.file(kPrenomFile); }
    QString adif(const QByteArray &bytes, const QString &name = QStringLiteral("import.adi"))
    {
        const QString path = dir.file(name);
        EXPECT_TRUE(writeBytes(path, bytes));
        return path;
    }
    void writeLog(const QStringList &lines) { ASSERT_TRUE(writeBytes(logPath(), crlf(lines))); }

    TempFolder dir;
};

// A log with what can go wrong on the way out and back: accented names in
// both columns, every band, three modes, both centuries, with and without
// names and QSL.
QStringList variedLog()
{
    const auto s = [](const char *t) { return QString::fromUtf8(t); };
    QStringList log = {
        qso(s("F1AAA"), s("01FA001"), s("31/12/99"), s("23:59"), s("1.8 Mhz"), true, s("CW"),
            s("HÉLÈNE"), s("F. du château")),
        qso(s("F2BBB/P"), s("2AFT002"), s("01/01/00"), s("00:00"), s("3.5 Mhz"), false, s("SSB"),
            QString(), s("F. DE LA PLACE")),
        qso(s("F3CCC"), s("31FA003"), s("05/06/08"), s("14:32"), s("7.0 Mhz"), true, s("SSB"),
            s("JEAN"), QString()),
        qso(s("F3CCC"), s("31FA003"), s("05/06/08"), s("14:32"), s("10 Mhz"), true, s("SSB"),
            s("JEAN"), s("F. ŒUVRE & CIE <1>")),
    };
    const QStringList bands = {s("14 Mhz"), s("18 Mhz"), s("21 Mhz"), s("24 Mhz"),
                               s("28 Mhz"), s("50 Mhz"), s("144 Mhz")};
    for (int i = 0; i < bands.size(); ++i)
        log << qso(QStringLiteral("F%1XYZ").arg(i),
                   QStringLiteral("2BFA%1").arg(i, 3, 10, QChar('0')),
                   QStringLiteral("%1/07/21").arg(10 + i), QStringLiteral("1%1:05").arg(i),
                   bands.at(i), i % 2, i % 3 ? s("FM") : s("CW"), s("ÉMILE"), s("F. ÀÉÎÕÜ"));
    // In date order: 1999 to 2008, then 2010, then 2021.
    return log.mid(0, 4) + generatedLog(300).mid(200) + log.mid(4);
}

} // namespace

TEST_F(AdifImportFiles, RoundTripOfTheExportIntoAnEmptyLog)
{
    const QStringList log = variedLog();
    const QString path = adif(adifFileContent(QStringLiteral("F8TEST/P"), log));
    writeLog({});
    const AdifImportResult r = importAdifFile(path, dir.path(), kStation);
    ASSERT_EQ(r.status, AdifImportStatus::Imported) << qPrintable(adifImportProblem(r, logPath()));
    EXPECT_EQ(r.counts.imported, log.size());
    EXPECT_TRUE(r.counts.refused.isEmpty());
    EXPECT_EQ(readBytes(logPath()), crlf(log));
}

TEST_F(AdifImportFiles, RoundTripOfTheStandardExportIntoAnEmptyLog)
{
    const QStringList log = variedLog();
    const QByteArray standard =
        adifStandardContent(QStringLiteral("F8TEST/P"), QStringLiteral(" 1.0.1"),
                            QDateTime(QDate(2021, 6, 5), QTime(14, 32, 10), Qt::UTC), crlf(log));
    const QString path = adif(standard);
    writeLog({});
    const AdifImportResult r = importAdifFile(path, dir.path(), kStation);
    ASSERT_EQ(r.status, AdifImportStatus::Imported) << qPrintable(adifImportProblem(r, logPath()));
    EXPECT_EQ(r.counts.imported, log.size());
    EXPECT_EQ(readBytes(logPath()), crlf(log));
}

TEST_F(AdifImportFiles, ImportingTheSameFileAgainAddsNothing)
{
    const QString path = adif(adifFileContent(QStringLiteral("F8TEST/P"), variedLog()));
    writeLog({});
    ASSERT_EQ(importAdifFile(path, dir.path(), kStation).status, AdifImportStatus::Imported);
    const QByteArray once = readBytes(logPath());
    const QByteArray names = readBytes(prenomPath());
    const AdifImportResult again = importAdifFile(path, dir.path(), kStation);
    EXPECT_EQ(again.status, AdifImportStatus::NothingNew);
    EXPECT_EQ(again.counts.duplicates, variedLog().size());
    EXPECT_EQ(readBytes(logPath()), once);
    EXPECT_EQ(readBytes(prenomPath()), names);
}

TEST_F(AdifImportFiles, Utf8AndWindows1252WithAccentedNames)
{
    const QByteArray utf8 =
        QStringLiteral("<CALL:5>F1AAA <QSO_DATE:8>20210605 <TIME_ON:4>1432 <BAND:3>20m "
                       "<MODE:3>SSB <NAME:8>HÉLÈNE <SIG:3>VQX <SIG_INFO:7>31FA001 "
                       "<COMMENT:13>F. du château <EOR>\r\n")
            .toUtf8();
    const QByteArray cp1252 = "<CALL:5>F2BBB <QSO_DATE:8>20210606 <TIME_ON:4>1432 <BAND:3>20m "
                              "<MODE:2>CW <NAME:3>Zo\xEB <SIG:7>75FT002 <SIG_INFO:6>F. \x9C"
                              "uf <EOR>\r\n";
    writeLog({});
    EXPECT_EQ(importAdifFile(adif(utf8, QStringLiteral("a.adi")), dir.path(), kStation).status,
              AdifImportStatus::Imported);
    EXPECT_EQ(importAdifFile(adif(cp1252, QStringLiteral("b.adif")), dir.path(), kStation).status,
              AdifImportStatus::Imported);
    const QStringList lines = Charger_Log(logPath()).lines;
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines.at(0),
              qso(QStringLiteral("F1AAA"), QStringLiteral("31FA001"), QStringLiteral("05/06/21"),
                  QStringLiteral("14:32"), QStringLiteral("14 Mhz"), false, QStringLiteral("SSB"),
                  QStringLiteral("HÉLÈNE"), QStringLiteral("F. DU CHÂTEAU")));
    EXPECT_EQ(lines.at(1),
              qso(QStringLiteral("F2BBB"), QStringLiteral("75FT002"), QStringLiteral("06/06/21"),
                  QStringLiteral("14:32"), QStringLiteral("14 Mhz"), false, QStringLiteral("CW"),
                  QStringLiteral("ZOË"), QStringLiteral("F. ŒUF")));
    EXPECT_EQ(Chercher_Prenom(dir.path(), QStringLiteral("F1AAA")).prenom,
              QStringLiteral("HÉLÈNE"));
    EXPECT_EQ(Chercher_Prenom(dir.path(), QStringLiteral("F2BBB")).prenom, QStringLiteral("ZOË"));
}

TEST_F(AdifImportFiles, MalformedFileLeavesEverythingAsItWas)
{
    writeLog({kSampleA});
    const QByteArray before = readBytes(logPath());
    const QByteArray good = adiText({recordFor("FBBBB", "75FT002", "06/06/08", "10:00")});
    const QString path = adif(good + "<CALL:5>FCCCC <QSO_DATE:8>2008");
    const AdifImportResult r = importAdifFile(path, dir.path(), kStation);
    EXPECT_EQ(r.status, AdifImportStatus::FileMalformed);
    EXPECT_EQ(readBytes(logPath()), before);
    EXPECT_FALSE(QFile::exists(prenomPath()));
    EXPECT_EQ(adifImportProblem(r, logPath()),
              QStringLiteral("Le fichier import.adi est incomplet ou mal formé : une valeur est "
                             "plus longue que ce qui reste du fichier (enregistrement 2, octet "
                             "%1).\r\nRien n'a été importé et le log est resté tel qu'il était.")
                  .arg(good.size() + 27));
}

TEST_F(AdifImportFiles, FileWithoutEndOfRecord)
{
    writeLog({});
    const AdifImportResult r =
        importAdifFile(adif("<CALL:5>F1AAA <SIG:7>31FA001\r\n"), dir.path(), kStation);
    EXPECT_EQ(r.status, AdifImportStatus::FileMalformed);
    EXPECT_EQ(r.readError, AdifReadError::MissingEor);
    EXPECT_EQ(readBytes(logPath()), QByteArray());
}

TEST_F(AdifImportFiles, MissingFileAndMissingLog)
{
    const AdifImportResult noFile =
        importAdifFile(dir.file(QStringLiteral("absent.adi")), dir.path(), kStation);
    EXPECT_EQ(noFile.status, AdifImportStatus::FileUnreadable);
    const AdifImportResult noLog =
        importAdifFile(adif(adiText({standardRecord()})), dir.path(), kStation);
    EXPECT_EQ(noLog.status, AdifImportStatus::NoLog);
    EXPECT_FALSE(QFile::exists(logPath()));
    EXPECT_FALSE(QFile::exists(prenomPath()));
}

TEST_F(AdifImportFiles, FailedLogRewriteLeavesLogAndDirectoryAsTheyWere)
{
    writeLog({kSampleA, kSampleC});
    const QByteArray names = crlf(
        {buildPrenomLine(QStringLiteral("F1AAA"), QStringLiteral("75"), QStringLiteral("PAUL"))});
    ASSERT_TRUE(writeBytes(prenomPath(), names));
    const QByteArray before = readBytes(logPath());
    int writes = 0;
    // The directory is written, then the disk is full for the log.
    const ScratchWriter fullOnSecond = [&](int fd, const QByteArray &data) {
        if (++writes == 2)
            return false;
        return ::write(fd, data.constData(), size_t(data.size())) == data.size();
    };
    const QString path =
        adif(adiText({recordFor("FBBBB", "75FT002", "06/06/08", "10:00", "20m", "Luc")}));
    const AdifImportResult r = importAdifFile(path, dir.path(), kStation, {}, fullOnSecond);
    EXPECT_EQ(r.status, AdifImportStatus::NotWritten);
    EXPECT_EQ(writes, 3);
    EXPECT_EQ(readBytes(logPath()), before);
    EXPECT_EQ(readBytes(prenomPath()), names);
    EXPECT_EQ(dir.entries(),
              QStringList({QStringLiteral("F8TEST_P_VQX.log"), QStringLiteral("Liste_Prenom.txt"),
                           QStringLiteral("import.adi")}));
}

TEST_F(AdifImportFiles, FailedLogRewriteRemovesADirectoryItCreated)
{
    writeLog({});
    const ScratchWriter fullOnSecond = [writes = 0](int fd, const QByteArray &data) mutable {
        if (++writes == 2)
            return false;
        return ::write(fd, data.constData(), size_t(data.size())) == data.size();
    };
    const QString path =
        adif(adiText({recordFor("FBBBB", "75FT002", "06/06/08", "10:00", "20m", "Luc")}));
    EXPECT_EQ(importAdifFile(path, dir.path(), kStation, {}, fullOnSecond).status,
              AdifImportStatus::NotWritten);
    EXPECT_FALSE(QFile::exists(prenomPath()));
    EXPECT_EQ(readBytes(logPath()), QByteArray());
}

TEST_F(AdifImportFiles, FailedDirectoryRewriteNamesTheDirectory)
{
    writeLog({kSampleA});
    const QByteArray before = readBytes(logPath());
    const ScratchWriter full = [](int, const QByteArray &) {
        errno = ENOSPC;
        return false;
    };
    const QString path =
        adif(adiText({recordFor("FBBBB", "75FT002", "06/06/08", "10:00", "20m", "Luc")}));
    const AdifImportResult r = importAdifFile(path, dir.path(), kStation, {}, full);
    ASSERT_EQ(r.status, AdifImportStatus::NotWritten);
    EXPECT_EQ(adifImportProblem(r, logPath()),
              QStringLiteral("Le répertoire des prénoms ") + prenomPath() +
                  QStringLiteral(" n'a pas pu être mis à jour (le disque est plein).\r\nRien "
                                 "n'a été importé : le log et la liste des prénoms sont restés "
                                 "tels qu'ils étaient."));
    EXPECT_EQ(readBytes(logPath()), before);
}

TEST_F(AdifImportFiles, CancelledImportWritesNothing)
{
    writeLog({kSampleA});
    const QByteArray before = readBytes(logPath());
    const AdifImportResult r = importAdifFile(
        adif(adiText({recordFor("FBBBB", "75FT002", "06/06/08", "10:00", "20m", "Luc")})),
        dir.path(), kStation, [](qsizetype, qsizetype) { return false; });
    EXPECT_EQ(r.status, AdifImportStatus::Cancelled);
    EXPECT_EQ(readBytes(logPath()), before);
    EXPECT_FALSE(QFile::exists(prenomPath()));
}

TEST_F(AdifImportFiles, SummaryAndRefusedList)
{
    writeLog({kSampleA});
    const QString path =
        adif(adiText({recordFor("FAAAA", "31FA001", "05/06/08", "14:32"),
                      recordFor("FBBBB", "75FT002", "06/06/08", "10:00"),
                      standardRecord({{"SIG", "POTA"}}), standardRecord({{"BAND", "11m"}})}),
             QStringLiteral("autre logger.adif"));
    const AdifImportResult r = importAdifFile(path, dir.path(), kStation);
    ASSERT_EQ(r.status, AdifImportStatus::Imported);
    EXPECT_EQ(adifImportSummary(r),
              QStringList({QStringLiteral("Fichier : autre logger.adif (4 enregistrements)"),
                           QStringLiteral("QSO importés : 1"),
                           QStringLiteral("Doublons, déjà dans le log : 1"),
                           QStringLiteral("Fontaines déjà contactées sur la même bande : 0"),
                           QStringLiteral("Enregistrements hors VQX : 1"),
                           QStringLiteral("Enregistrements refusés : 1")}));
    EXPECT_EQ(adifRefusedListLines(r, QStringLiteral("F8TEST/P")),
              QStringList({QStringLiteral("Enregistrements refusés à l'import du fichier autre "
                                          "logger.adif dans le log de la station F8TEST/P"),
                           QString(),
                           QStringLiteral("Enregistrement 4 (f1abc, 05/06/2021 14:32) : bande "
                                          "(BAND) « 11m » absente de la liste des bandes"),
                           QStringLiteral("    <CALL:5>f1abc <QSO_DATE:8>20210605 "
                                          "<TIME_ON:6>143210 <BAND:3>11m <MODE:3>SSB "
                                          "<RST_SENT:2>59 <RST_RCVD:2>57 <NAME:4>Jean <SIG:3>VQX "
                                          "<SIG_INFO:7>31FA001 <COMMENT:14>F. de la place "
                                          "<QSL_RCVD:1>Y <EOR>")}));
    EXPECT_EQ(adifRefusedListFileName(r.fileName), QStringLiteral("autre logger_refus.txt"));
}

// --- The standard export -------------------------------------------------

namespace {

// ADIF 3.1.4, Band enumeration.
const QStringList kSpecBands = {
    "2190m", "630m", "560m", "160m", "80m",    "60m", "40m", "30m",   "20m",  "17m",  "15m",
    "12m",   "10m",  "8m",   "6m",   "5m",     "4m",  "2m",  "1.25m", "70cm", "33cm", "23cm",
    "13cm",  "9cm",  "6cm",  "3cm",  "1.25cm", "6mm", "4mm", "2.5mm", "2mm",  "1mm",  "submm"};

// ADIF 3.1.4, Mode enumeration (values not marked import-only).
const QStringList kSpecModes = {
    "AM",     "ARDOP",   "ATV",  "CHIP",  "CLO",    "CONTESTI", "CW",     "DIGITALVOICE",
    "DOMINO", "DYNAMIC", "FAX",  "FM",    "FSK441", "FT8",      "HELL",   "ISCAT",
    "JT4",    "JT6M",    "JT9",  "JT44",  "JT65",   "MFSK",     "MSK144", "MT63",
    "OLIVIA", "OPERA",   "PAC",  "PAX",   "PKT",    "PSK",      "PSK2K",  "Q15",
    "QRA64",  "ROS",     "RTTY", "RTTYM", "SSB",    "SSTV",     "T10",    "THOR",
    "THRB",   "TOR",     "V4",   "VOI",   "WINMOR", "WSPR"};

// ADIF 3.1.4, Submode enumeration: the submodes of three characters or less, with their mode.
const QStringList kSpecShortSubmodes = {"SSB/USB",  "SSB/LSB",          "MFSK/FT4", "MFSK/JS8",
                                        "MFSK/Q65", "DIGITALVOICE/DMR", "CW/PCW"};

QList<AdifRecord> readBack(const QByteArray &bytes)
{
    const AdifFile f = readAdif(bytes);
    EXPECT_TRUE(f.ok());
    return f.records;
}

} // namespace

TEST(AdifStandardExport, HeaderAndRecordOfOtherLoggers)
{
    const QString line =
        qso(QStringLiteral("F1AAA"), QStringLiteral("2AFA001"), QStringLiteral("31/12/99"),
            QStringLiteral("23:59"), QStringLiteral("14 Mhz"), true, QStringLiteral("CW"),
            QStringLiteral("HÉLÈNE"), QStringLiteral("F. du château"));
    const QByteArray bytes =
        adifStandardContent(QStringLiteral("F8TEST/P"), QStringLiteral(" 1.0.1"),
                            QDateTime(QDate(2021, 6, 5), QTime(14, 32, 10), Qt::UTC), crlf({line}));
    const QList<QByteArray> lines = bytes.split('\n');
    ASSERT_EQ(lines.size(), 8);
    EXPECT_EQ(lines.at(0), "Export ADIF standard du log de la station F8TEST/P\r");
    EXPECT_EQ(lines.at(1), "<ADIF_VER:5>3.1.4\r");
    EXPECT_EQ(lines.at(2), "<PROGRAMID:7>ZAT_VQX\r");
    EXPECT_EQ(lines.at(3), "<PROGRAMVERSION:5>1.0.1\r");
    EXPECT_EQ(lines.at(4), "<CREATED_TIMESTAMP:15>20210605 143210\r");
    EXPECT_EQ(lines.at(5), "<EOH>\r");
    EXPECT_EQ(lines.at(6),
              "<STATION_CALLSIGN:8>F8TEST/P <CALL:5>F1AAA <QSO_DATE:8>19991231 <TIME_ON:4>2359 "
              "<BAND:3>20m <MODE:2>CW <RST_SENT:3>599 <RST_RCVD:3>599 <NAME:6>HELENE <SIG:3>VQX "
              "<SIG_INFO:7>2AFA001 <COMMENT:13>F. DU CHATEAU <QSL_RCVD:1>Y "
              "<APP_ZAT_VQX_NAME:16>H&#201;L&#200;NE <APP_ZAT_VQX_COMMENT:18>F. DU CH&#194;TEAU "
              "<EOR>\r");
    EXPECT_EQ(lines.at(7), "");
    for (const char c : bytes)
        EXPECT_TRUE((c >= 32 && c <= 126) || c == '\r' || c == '\n') << int(c);
}

TEST(AdifStandardExport, EmptyNamesAreLeftOutAndUnconfirmedIsN)
{
    const QByteArray bytes = adifStandardContent(
        QStringLiteral("F1ABC"), QStringLiteral("1"), QDateTime::currentDateTimeUtc(),
        crlf({qso(QStringLiteral("F1AAA"), QStringLiteral("31FA001"), QStringLiteral("05/06/08"),
                  QStringLiteral("14:32"), QStringLiteral("14 Mhz"), false)}));
    const QList<AdifRecord> records = readBack(bytes);
    ASSERT_EQ(records.size(), 1);
    QStringList names;
    for (const AdifField &f : records.at(0).fields)
        names << f.name;
    EXPECT_EQ(names, QStringList({"STATION_CALLSIGN", "CALL", "QSO_DATE", "TIME_ON", "BAND", "MODE",
                                  "RST_SENT", "RST_RCVD", "SIG", "SIG_INFO", "QSL_RCVD"}));
    EXPECT_EQ(records.at(0).value(QLatin1String("QSL_RCVD")), QStringLiteral("N"));
}

TEST(AdifStandardExport, EveryBandAndModeIsAValueOfTheAdifEnumerations)
{
    QStringList log;
    QStringList modes = {"SSB", "CW",  "FM",  "AM",  "FT8", "FT4", "USB", "LSB", "JS8",
                         "Q65", "DMR", "PSK", "PKT", "ATV", "FAX", "JT9", "JT4", "ROS",
                         "T10", "TOR", "V4",  "VOI", "CLO", "PAC", "PAX", "Q15"};
    QStringList bands = kBandList;
    bands << QStringLiteral("432 Mhz");
    for (int i = 0; i < std::max(modes.size(), bands.size()); ++i)
        log << qso(QStringLiteral("F1AAA"), QStringLiteral("31FA%1").arg(i, 3, 10, QChar('0')),
                   QStringLiteral("05/06/08"), QStringLiteral("14:32"), bands.at(i % bands.size()),
                   true, modes.at(i % modes.size()));
    AdifStandardCounts counts;
    const QList<AdifRecord> records =
        readBack(adifStandardContent(QStringLiteral("F1ABC"), QStringLiteral("1"),
                                     QDateTime::currentDateTimeUtc(), crlf(log), &counts));
    ASSERT_EQ(records.size(), log.size());
    EXPECT_EQ(counts.withoutBand, 0);
    EXPECT_EQ(counts.withoutMode, 0);
    QSet<QString> bandsSeen;
    for (const AdifRecord &r : records) {
        const QString band = r.value(QLatin1String("BAND"));
        const QString mode = r.value(QLatin1String("MODE"));
        EXPECT_TRUE(kSpecBands.contains(band)) << qPrintable(band);
        EXPECT_TRUE(kSpecModes.contains(mode)) << qPrintable(mode);
        if (r.has(QLatin1String("SUBMODE"))) {
            const QString pair = mode + QLatin1Char('/') + r.value(QLatin1String("SUBMODE"));
            EXPECT_TRUE(kSpecShortSubmodes.contains(pair)) << qPrintable(pair);
        }
        bandsSeen.insert(band);
    }
    EXPECT_EQ(bandsSeen.size(), bands.size());
}

TEST(AdifStandardExport, BandOrModeAdifDoesNotNameIsLeftOutAndCounted)
{
    AdifStandardCounts counts;
    const QList<AdifRecord> records = readBack(adifStandardContent(
        QStringLiteral("F1ABC"), QStringLiteral("1"), QDateTime::currentDateTimeUtc(),
        crlf({qso(QStringLiteral("F1AAA"), QStringLiteral("31FA001"), QStringLiteral("05/06/08"),
                  QStringLiteral("14:32"), QStringLiteral("27 Mhz"), true, QStringLiteral("XYZ")),
              kSampleB}),
        &counts));
    ASSERT_EQ(records.size(), 2);
    EXPECT_EQ(counts.records, 2);
    EXPECT_EQ(counts.withoutBand, 1);
    EXPECT_EQ(counts.withoutMode, 1);
    EXPECT_FALSE(records.at(0).has(QLatin1String("BAND")));
    EXPECT_FALSE(records.at(0).has(QLatin1String("MODE")));
    EXPECT_TRUE(records.at(1).has(QLatin1String("BAND")));
}

TEST(AdifStandardExport, AsciiForms)
{
    const std::pair<const char *, const char *> cases[] = {
        {"HÉLÈNE", "HELENE"},  {"ŒUVRE", "OEUVRE"}, {"ÇA VA", "CA VA"}, {"ÆSOP", "AESOP"},
        {"STRAßE", "STRASSE"}, {"L’EAU", "L'EAU"},  {"«A»", "\"A\""},   {"5 €", "5 EUR"},
        {"A—B", "A-B"},        {"½", "?"},          {"²", "2"},         {"tab\tx", "tab x"},
        {"<ok>", "<ok>"}};
    for (const auto &[in, out] : cases)
        EXPECT_EQ(adiText(QString::fromUtf8(in)), QString::fromUtf8(out)) << in;
}

TEST(AdifStandardExport, ExactFormRoundTrip)
{
    for (const char *text : {"HÉLÈNE", "A & B", "&#38;", "€ ŒŸ", "soft\u00ADhyphen", "\x01",
                             "plain", "", "&#", "&#99999999;"}) {
        const QString t = QString::fromUtf8(text);
        const QString escaped = escapeForAdi(t);
        for (QChar c : escaped)
            EXPECT_TRUE(c.unicode() >= 32 && c.unicode() <= 126) << text;
        EXPECT_EQ(unescapeFromAdi(escaped), t) << text;
    }
    EXPECT_EQ(unescapeFromAdi(QStringLiteral("a &#x41; &#; &#65 &#55296; &#1114112;")),
              QStringLiteral("a &#x41; &#; &#65 &#55296; &#1114112;"));
}

TEST(AdifStandardExport, FileNamedAfterTheStationWithItsSlash)
{
    TempFolder dir;
    ASSERT_TRUE(writeBytes(logFilePath(dir.path(), kStation), crlf({kSampleA, kSampleB})));
    const AdifStandardExportResult r = writeStandardAdifExport(
        dir.path(), kStation, QStringLiteral("1.0.1"), QDateTime::currentDateTimeUtc());
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.fileName, QStringLiteral("F8TEST_P_VQX_standard.adi"));
    EXPECT_EQ(r.records, 2);
    const QList<AdifRecord> records = readBack(readBytes(dir.file(r.fileName)));
    ASSERT_EQ(records.size(), 2);
    EXPECT_EQ(records.at(1).value(QLatin1String("STATION_CALLSIGN")), QStringLiteral("F8TEST/P"));
    EXPECT_EQ(
        adifStandardExportMessage(r),
        QStringLiteral("Le fichier a été enregistré sous le nom : F8TEST_P_VQX_standard.adi"));

    const AdifStandardExportResult none = writeStandardAdifExport(
        dir.path(), QStringLiteral("F9NONE"), QStringLiteral("1"), QDateTime::currentDateTimeUtc());
    EXPECT_EQ(none.status, AdifExportStatus::NoLog);
    EXPECT_FALSE(QFile::exists(dir.file(QStringLiteral("F9NONE_VQX_standard.adi"))));
}

// A logger without SIG fields: the reference is written in the comment. The
// operator is asked whether to take those records, and the summary counts
// them on their own line.
struct CommentRow
{
    const char *name;
    bool answer;
    int imported;
    int notVqx;
    int refused;
    const char *summaryLine;
};

class AdifCommentReferences : public AdifImportFiles, public testing::WithParamInterface<CommentRow>
{
};

TEST_P(AdifCommentReferences, AreTakenOnlyWhenTheOperatorSaysSo)
{
    const CommentRow &row = GetParam();
    const QByteArray xlogStyle =
        "xlog ADIF export\r\n<ADIF_VER:5>2.2.0 <PROGRAMID:4>xlog <EOH>\r\n"
        "<CALL:5>F5XYZ<QSO_DATE:8>20210605<TIME_ON:4>1432<BAND:3>20M<MODE:2>CW"
        "<RST_SENT:3>599<RST_RCVD:3>579<NAME:4>Rene<COMMENT:11>VQX 31FA001<EOR>\r\n"
        "<CALL:5>F6ABC<QSO_DATE:8>20210606<TIME_ON:4>0910<BAND:3>40M<MODE:3>SSB"
        "<RST_SENT:2>59<RST_RCVD:2>59<NOTES:21>ref 81-ft-002 au parc<EOR>\r\n"
        "<CALL:5>F8AAA<QSO_DATE:8>20210607<TIME_ON:4>1000<BAND:3>20M<MODE:3>SSB"
        "<COMMENT:18>31FA001 et 81FT002<EOR>\r\n"
        "<CALL:5>DL1AA<QSO_DATE:8>20210607<TIME_ON:4>1100<BAND:3>20M<MODE:3>SSB"
        "<COMMENT:7>contest<EOR>\r\n"
        "<CALL:5>F4XYZ<QSO_DATE:8>20210608<TIME_ON:4>1200<BAND:3>60M<MODE:3>SSB"
        "<COMMENT:9>2b fa 010<EOR>\r\n"
        "<CALL:5>F1ABC<QSO_DATE:8>20210609<TIME_ON:4>1300<BAND:3>20M<MODE:3>SSB"
        "<SIG:3>VQX<SIG_INFO:7>75FT003<COMMENT:10>F. du parc<EOR>\r\n";
    const QString path = adif(xlogStyle);
    writeLog({});
    int asked = 0;
    const AdifImportResult r = importAdifFile(path, dir.path(), kStation, {}, {}, [&](int count) {
        asked = count;
        return row.answer;
    });
    ASSERT_EQ(r.status, AdifImportStatus::Imported) << qPrintable(adifImportProblem(r, logPath()));
    EXPECT_EQ(asked, 3);
    EXPECT_EQ(r.counts.fromComments, 3);
    EXPECT_EQ(r.counts.imported, row.imported);
    EXPECT_EQ(r.counts.notVqx, row.notVqx);
    EXPECT_EQ(r.counts.refused.size(), row.refused);
    const QStringList summary = adifImportSummary(r);
    EXPECT_TRUE(summary.contains(QString::fromUtf8(row.summaryLine)))
        << qPrintable(summary.join(u'\n'));

    QStringList expected = {qso("F1ABC", "75FT003", "09/06/21", "13:00", "14 Mhz", false, "SSB",
                                QString(), "F. DU PARC")};
    if (row.answer) {
        expected.prepend(qso("F6ABC", "81FT002", "06/06/21", "09:10", "7.0 Mhz", false, "SSB"));
        expected.prepend(
            qso("F5XYZ", "31FA001", "05/06/21", "14:32", "14 Mhz", false, "CW", "RENE"));
        // The recorded report is the file's, not the default one.
        expected.first().replace(QStringLiteral("599 599"), QStringLiteral("579 599"));
    }
    EXPECT_EQ(codepage::decodeLines(readBytes(logPath())).lines.join(u'\n').toStdString(),
              expected.join(u'\n').toStdString());
}

INSTANTIATE_TEST_SUITE_P(
    XlogStyle, AdifCommentReferences,
    testing::Values(CommentRow{"taken", true, 3, 2, 1,
                               "Références trouvées dans COMMENT ou NOTES : 3, prises avec les "
                               "autres"},
                    CommentRow{"left_out", false, 1, 2, 0,
                               "Références trouvées dans COMMENT ou NOTES : 3, laissées de côté"}),
    [](const auto &info) { return std::string(info.param.name); });
