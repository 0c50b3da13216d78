#include "log_samples.h"
#include "temp_folder.h"

#include "adif/adif_export.h"
#include "adif/adif_record.h"
#include "logstore/codepage.h"
#include "logstore/log_record.h"

#include <QFileInfo>
#include <gtest/gtest.h>

#include <cerrno>
#include <unistd.h>

using namespace vqx;
using namespace vqx::test;

namespace {

QsoFields workedExample()
{
    QsoFields f;
    f.indicatif = QStringLiteral("FZZZZ");
    f.dpt = QStringLiteral("31");
    f.ref = QStringLiteral("31FA001");
    f.date = QStringLiteral("05/06/08");
    f.heure = QStringLiteral("14:32");
    f.mode = QStringLiteral("SSB");
    f.qrg = QStringLiteral("14 Mhz");
    f.rstR = QStringLiteral("59");
    f.rstE = QStringLiteral("59");
    f.nomFontaine = QStringLiteral("F. DE LA PLACE");
    f.qsl = true;
    return f;
}

QString recordOf(const QsoFields &f)
{
    return ADIF_SP(buildQsoLine(f));
}

} // namespace

TEST(AdifRecord, WorkedExampleByteForByte)
{
    const QString record = recordOf(workedExample());
    EXPECT_EQ(record, QStringLiteral("<CALL:5>FZZZZ <STATE:2>31 <NAME:0> <SIG:7>31FA001 "
                                     "<QSO_DATE:8>20080605 <TIME_ON:4>1432 <MODE:3>SSB <BAND:3>20m "
                                     "<RST_RCVD:2>59 <RST_SENT:2>59 <SIG_INFO:14>F. DE LA PLACE "
                                     "<QSL_RCVD:1>Y<eor>"));
}

TEST(AdifRecord, UnconfirmedContactWithoutNamesOrFountainName)
{
    QsoFields f = workedExample();
    f.qsl = false;
    f.nomFontaine.clear();
    f.dpt = QStringLiteral("2a");
    f.ref = QStringLiteral("2AFT012");
    const QString record = recordOf(f);
    EXPECT_TRUE(record.contains(QStringLiteral(" <STATE:2>2a <NAME:0> <SIG:7>2AFT012 ")));
    EXPECT_TRUE(record.endsWith(QStringLiteral(" <SIG_INFO:0> <QSL_RCVD:1>N<eor>")))
        << qPrintable(record);
}

TEST(AdifRecord, AccentedLetterCountsAsOneCharacterAndOneByte)
{
    QsoFields f = workedExample();
    f.prenom = QStringLiteral("HÉLÈNE");
    f.nomFontaine = QStringLiteral("F. DU CHÂTEAU");
    const QString record = recordOf(f);
    EXPECT_TRUE(record.contains(QStringLiteral("<NAME:6>HÉLÈNE <SIG:")));
    EXPECT_TRUE(record.contains(QStringLiteral("<SIG_INFO:13>F. DU CHÂTEAU <QSL_RCVD:")));
    const QByteArray bytes = codepage::encode(record);
    EXPECT_TRUE(bytes.contains(QByteArray("<NAME:6>H\xC9L\xC8NE <SIG:")));
}

TEST(AdifRecord, ShortLineStillGivesTwelveFields)
{
    // A line cut after the reference: the missing columns are empty fields.
    const QString line = buildQsoLine(workedExample()).left(39);
    EXPECT_EQ(ADIF_SP(line),
              QStringLiteral("<CALL:5>FZZZZ <STATE:2>31 <NAME:0> <SIG:7>31FA001 <QSO_DATE:0> "
                             "<TIME_ON:0> <MODE:0> <BAND:0> <RST_RCVD:0> <RST_SENT:0> "
                             "<SIG_INFO:0> <QSL_RCVD:1>N<eor>"));
}

// Every band the program offers, plus the one of the table it does not offer.
struct BandCase
{
    const char *name;
    const char *qrg;
    const char *band;
};

void PrintTo(const BandCase &c, std::ostream *os)
{
    *os << c.name;
}

class AdifBand : public ::testing::TestWithParam<BandCase>
{
};

TEST_P(AdifBand, WrittenInTheRecord)
{
    QsoFields f = workedExample();
    f.qrg = QString::fromLatin1(GetParam().qrg);
    const QString band = QString::fromLatin1(GetParam().band);
    const QString field = QStringLiteral("<BAND:%1>%2").arg(band.size()).arg(band);
    EXPECT_TRUE(recordOf(f).contains(QStringLiteral(" <MODE:3>SSB ") + field +
                                     QStringLiteral(" <RST_RCVD:2>59 ")))
        << qPrintable(recordOf(f));
}

INSTANTIATE_TEST_SUITE_P(
    Adif, AdifBand,
    ::testing::Values(
        BandCase{"b1_8_Mhz_160m", "1.8 Mhz", "160m"}, BandCase{"b3_5_Mhz_80m", "3.5 Mhz", "80m"},
        BandCase{"b7_0_Mhz_40m", "7.0 Mhz", "40m"}, BandCase{"b10_Mhz_30m", "10 Mhz", "30m"},
        BandCase{"b14_Mhz_20m", "14 Mhz", "20m"}, BandCase{"b18_Mhz_17m", "18 Mhz", "17m"},
        BandCase{"b21_Mhz_15m", "21 Mhz", "15m"}, BandCase{"b24_Mhz_12m", "24 Mhz", "12m"},
        BandCase{"b28_Mhz_10m", "28 Mhz", "10m"}, BandCase{"b50_Mhz_6m", "50 Mhz", "6m"},
        BandCase{"b144_Mhz_2m", "144 Mhz", "2m"}, BandCase{"b432_Mhz_70cm", "432 Mhz", "70cm"},
        BandCase{"unknown_text_empty", "2.4 Ghz", ""}, BandCase{"case_differs_empty", "14 MHZ", ""},
        BandCase{"no_band_empty", "", ""}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(AdifBandTable, CoversEveryBandOfTheBandList)
{
    for (const QString &qrg : kBandList)
        EXPECT_FALSE(adifBand(qrg).isEmpty()) << qPrintable(qrg);
}

struct DateCase
{
    const char *name;
    const char *date;
    const char *adif;
};

void PrintTo(const DateCase &c, std::ostream *os)
{
    *os << c.name;
}

class AdifDate : public ::testing::TestWithParam<DateCase>
{
};

TEST_P(AdifDate, CenturyFollowsTheDateOrder)
{
    QsoFields f = workedExample();
    f.date = QString::fromLatin1(GetParam().date);
    EXPECT_TRUE(recordOf(f).contains(QStringLiteral("<QSO_DATE:8>") +
                                     QString::fromLatin1(GetParam().adif) +
                                     QStringLiteral(" <TIME_ON:4>1432 ")))
        << qPrintable(recordOf(f));
}

INSTANTIATE_TEST_SUITE_P(Adif, AdifDate,
                         ::testing::Values(DateCase{"y99_is_1999", "31/12/99", "19991231"},
                                           DateCase{"y50_is_1950", "01/01/50", "19500101"},
                                           DateCase{"y49_is_2049", "31/12/49", "20491231"},
                                           DateCase{"y00_is_2000", "00/00/00", "20000000"},
                                           DateCase{"y08_is_2008", "05/06/08", "20080605"}),
                         [](const auto &info) { return std::string(info.param.name); });

namespace {

class AdifExport : public ::testing::Test
{
protected:
    QString logPath() const { return dir.file(QStringLiteral("FYYYY_P_VQX.log")); }
    QString adiPath() const { return dir.file(QStringLiteral("FYYYY_P_VQX.adi")); }
    void writeLog(const QStringList &lines) { ASSERT_TRUE(writeBytes(logPath(), crlf(lines))); }
    AdifExportResult run(const ScratchWriter &writer = {})
    {
        return writeAdifExport(dir.path(), QStringLiteral("FYYYY_P"), QStringLiteral("FYYYY/P"),
                               writer);
    }
    TempFolder dir;
};

const QString kLine1 = QStringLiteral("Exportation du log de la station FYYYY/P au format ADIF");

} // namespace

TEST_F(AdifExport, EmptyLogGivesTheSixHeaderLinesOnly)
{
    writeLog({});
    const AdifExportResult r = run();
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.fileName, QStringLiteral("FYYYY_P_VQX.adi"));
    EXPECT_EQ(r.records, 0);
    const QByteArray bytes = readBytes(adiPath());
    EXPECT_EQ(bytes, crlf({kLine1, QString(), kAdifCredit, QString(), QString(),
                           QStringLiteral("<eoh>")}));
    EXPECT_FALSE(kAdifCredit.isEmpty());
    EXPECT_FALSE(kAdifCredit.contains(QLatin1Char('<')));
    EXPECT_EQ(dir.entries(),
              (QStringList{QStringLiteral("FYYYY_P_VQX.adi"), QStringLiteral("FYYYY_P_VQX.log")}));
}

TEST_F(AdifExport, OneRecordPerContactInFileOrderWithCrLf)
{
    const QString a =
        qso(QStringLiteral("F1AAA"), QStringLiteral("75FA001"), QStringLiteral("31/12/99"),
            QStringLiteral("23:59"), QStringLiteral("1.8 Mhz"), false, QStringLiteral("CW"),
            QStringLiteral("HÉLÈNE"));
    const QString b = qso(QStringLiteral("F2BBB"), QStringLiteral("31FT002"),
                          QStringLiteral("01/01/00"), QStringLiteral("00:00"));
    writeLog({b, a, QStringLiteral("   "), b});
    const AdifExportResult r = run();
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.records, 3);
    const QByteArray bytes = readBytes(adiPath());
    const codepage::SplitResult split = codepage::splitLines(codepage::decode(bytes));
    EXPECT_FALSE(split.bareLineFeeds);
    EXPECT_FALSE(split.missingFinalEnd);
    EXPECT_EQ(split.lines.mid(6), (QStringList{ADIF_SP(b), ADIF_SP(a), ADIF_SP(b)}));
    EXPECT_TRUE(bytes.contains(QByteArray("<NAME:6>H\xC9L\xC8NE <SIG:7>75FA001 ")));
    EXPECT_TRUE(bytes.contains(QByteArray("<QSO_DATE:8>19991231 ")));
}

TEST_F(AdifExport, ReplacesAnOlderExportWithoutAsking)
{
    writeLog({qso(QStringLiteral("F1AAA"), QStringLiteral("75FA001"), QStringLiteral("05/06/08"),
                  QStringLiteral("14:32"))});
    ASSERT_TRUE(writeBytes(adiPath(), QByteArray("old export, much longer than the new one ") +
                                          QByteArray(4000, 'x')));
    ASSERT_TRUE(run().ok());
    const QByteArray bytes = readBytes(adiPath());
    EXPECT_TRUE(bytes.startsWith(codepage::encode(kLine1)));
    EXPECT_FALSE(bytes.contains("old export"));
    EXPECT_FALSE(QFileInfo::exists(dir.file(kAdifScratchFile)));
}

TEST_F(AdifExport, HeaderNeverHoldsATagOpener)
{
    writeLog({});
    const AdifExportResult r =
        writeAdifExport(dir.path(), QStringLiteral("FYYYY_P"), QStringLiteral("<CALL:5>FYYYY"));
    ASSERT_TRUE(r.ok());
    const QByteArray bytes = readBytes(adiPath());
    EXPECT_EQ(bytes.indexOf('<'), bytes.indexOf("<eoh>"));
}

TEST_F(AdifExport, NoLogWritesNothing)
{
    const AdifExportResult r = run();
    EXPECT_EQ(r.status, AdifExportStatus::NoLog);
    EXPECT_FALSE(r.ok());
    EXPECT_TRUE(dir.entries().isEmpty());
}

TEST_F(AdifExport, FailedWriteLeavesTheOlderExportByteForByte)
{
    writeLog({qso(QStringLiteral("F1AAA"), QStringLiteral("75FA001"), QStringLiteral("05/06/08"),
                  QStringLiteral("14:32"))});
    const QByteArray old("an older export\r\n");
    ASSERT_TRUE(writeBytes(adiPath(), old));
    const AdifExportResult r = run([](int fd, const QByteArray &data) {
        // Half the content reaches the disk, then it is full.
        (void)!::write(fd, data.constData(), size_t(data.size() / 2));
        errno = ENOSPC;
        return false;
    });
    EXPECT_EQ(r.status, AdifExportStatus::NotWritten);
    EXPECT_TRUE(r.previousKept);
    EXPECT_FALSE(r.file.detail.isEmpty());
    EXPECT_EQ(readBytes(adiPath()), old);
    EXPECT_FALSE(QFileInfo::exists(dir.file(kAdifScratchFile)));
}

TEST_F(AdifExport, FolderInTheExportsPlaceIsReported)
{
    writeLog({});
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("FYYYY_P_VQX.adi")));
    const AdifExportResult r = run();
    EXPECT_EQ(r.status, AdifExportStatus::NotWritten);
    EXPECT_FALSE(r.previousKept);
    EXPECT_TRUE(QFileInfo(adiPath()).isDir());
}

TEST_F(AdifExport, LogThatCannotBeReadWritesNothing)
{
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("FYYYY_P_VQX.log")));
    const AdifExportResult r = run();
    EXPECT_EQ(r.status, AdifExportStatus::LogUnreadable);
    EXPECT_FALSE(QFileInfo::exists(adiPath()));
}
