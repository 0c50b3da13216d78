#include "core_fakes.h"
#include "log_samples.h"
#include "temp_folder.h"

#include "logstore/codepage.h"
#include "logstore/log_list_model.h"
#include "logstore/log_operations.h"
#include "logstore/log_record.h"
#include "logstore/text_order.h"

#include <QStringDecoder>
#include <gtest/gtest.h>

#include <unistd.h>

using namespace vqx;
using namespace vqx::test;
using namespace vqx::test::samples;

namespace {

class LogStoreTest : public ::testing::Test
{
protected:
    void write(const QStringList &lines) { ASSERT_TRUE(writeBytes(path(), crlf(lines))); }
    QString path() const { return dir.file(QStringLiteral("FYYYY_VQX.log")); }
    QStringList onDisk() const
    {
        return codepage::splitLines(codepage::decode(readBytes(path()))).lines;
    }
    LogTarget target() const { return LogTarget{path()}; }
    TempFolder dir;
};

} // namespace

TEST(QsoLineLayout, ContactWithoutNamesIsStill107Characters)
{
    QsoFields f;
    f.indicatif = QStringLiteral("FZZZZ");
    f.dpt = QStringLiteral("31");
    f.ref = QStringLiteral("31FA001");
    f.date = QStringLiteral("05/06/08");
    f.heure = QStringLiteral("14:32");
    f.mode = QStringLiteral("CW");
    f.qrg = QStringLiteral("14 Mhz");
    f.rstR = QStringLiteral("599");
    f.rstE = QStringLiteral("599");
    const QString line = buildQsoLine(f);
    EXPECT_EQ(line, QStringLiteral("FZZZZ        31                 31FA001 05/06/08 14:32 CW  "
                                   "14 Mhz  599 599                                 "));
    ASSERT_EQ(line.size(), 107);
    EXPECT_EQ(QsoLine::Prenom.cut(line), QString(15, QLatin1Char(' ')));
    EXPECT_EQ(QsoLine::NomFontaine.cut(line), QString(30, QLatin1Char(' ')));
    EXPECT_EQ(QsoLine::QSL.cut(line), QStringLiteral(" "));
    EXPECT_EQ(line.mid(55, 3), QStringLiteral("CW "));
    EXPECT_EQ(line.mid(59, 7), QStringLiteral("14 Mhz "));
}

TEST(QsoLineLayout, FountainNameTrimmedUpperCasedAndCutTo30)
{
    QsoFields f;
    f.nomFontaine = QStringLiteral("  fontaine de la place du marché vieux");
    f.date = QStringLiteral("05/06/08");
    f.heure = QStringLiteral("14:32");
    f.qsl = true;
    const QString line = buildQsoLine(f);
    EXPECT_EQ(QsoLine::NomFontaine.cut(line), QStringLiteral("FONTAINE DE LA PLACE DU MARCHÉ"));
    EXPECT_EQ(line.size(), 107);
    EXPECT_EQ(line.at(106), QLatin1Char('*'));
}

TEST(QsoListLineLayout, NumberRightAlignedInSixCharacters)
{
    EXPECT_EQ(buildQsoListLine(A, 10).left(8), QStringLiteral("    10  "));
    EXPECT_EQ(buildQsoListLine(A, 12345).left(6), QStringLiteral(" 12345"));
    EXPECT_EQ(buildQsoListLine(A, 123456).left(6), QStringLiteral("123456"));
}

TEST(QsoListLineLayout, ColumnsAtTheirPositionsAndBackToTheFileLine)
{
    const QString list = buildQsoListLine(A, 1);
    ASSERT_EQ(list.size(), 126);
    EXPECT_EQ(QsoListLine::Indicatif.cutTrimmed(list), QStringLiteral("FAAAA"));
    EXPECT_EQ(QsoListLine::Ref.cut(list), QStringLiteral("31FA001"));
    EXPECT_EQ(QsoListLine::Date.cut(list), QStringLiteral("05/06/08"));
    EXPECT_EQ(QsoListLine::QRG.cut(list), QStringLiteral("14 Mhz "));
    EXPECT_EQ(QsoListLine::QSL.cut(list), QStringLiteral("*"));
    EXPECT_EQ(qsoLineFromListLine(list), A);
}

TEST(QsoListLineLayout, ShortFileLineKeepsColumnsInPlace)
{
    const QString list = buildQsoListLine(QStringLiteral("F1ABC        31"), 3);
    EXPECT_EQ(list.size(), 126);
    EXPECT_EQ(QsoListLine::Dpt.cut(list), QStringLiteral("31"));
    EXPECT_EQ(QsoListLine::Ref.cut(list).trimmed(), QString());
}

TEST(Codepage, MatchesIcuForEveryByteAndRoundTrips)
{
    QByteArray all;
    for (int i = 0; i < 256; ++i)
        all.append(char(i));
    QStringDecoder icu("windows-1252");
    ASSERT_TRUE(icu.isValid());
    const QString viaIcu = icu.decode(all);
    const QString ours = codepage::decode(all);
    EXPECT_EQ(ours, viaIcu);
    EXPECT_EQ(codepage::encode(ours), all);
}

TEST(Codepage, RefusesCharactersOutsideTheCodePage)
{
    EXPECT_TRUE(codepage::isRepresentable(QStringLiteral("HÉLÈNE ç €")));
    EXPECT_FALSE(codepage::isRepresentable(QStringLiteral("Жан")));
    EXPECT_FALSE(codepage::isRepresentable(QString::fromUtf8("\xF0\x9F\x98\x80")));
    QByteArray out;
    EXPECT_FALSE(codepage::encode(QStringLiteral("AЖ"), &out));
    EXPECT_EQ(out.size(), 2); // one byte per character, whatever happens
}

TEST(Codepage, SplitsCrLfAndBareLineFeeds)
{
    const auto r = codepage::splitLines(QStringLiteral("a\r\nb\nc"));
    EXPECT_EQ(r.lines,
              (QStringList{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")}));
    EXPECT_TRUE(r.bareLineFeeds);
    EXPECT_TRUE(r.missingFinalEnd);
    EXPECT_TRUE(codepage::splitLines(QString()).lines.isEmpty());
}

// The control check reads eight bytes at a time: every byte value, at every
// place of lines of every length around a word.
TEST(Codepage, EveryControlCharacterIsNoticedWhereverItStands)
{
    const QByteArray undefined("\x81\x8d\x8f\x90\x9d");
    for (int value = 0; value < 256; ++value) {
        if (value == '\n')
            continue;
        const bool control = value < 0x20 || value == 0x7F || undefined.contains(char(value));
        for (int length = 1; length <= 19; ++length) {
            for (int at = 0; at < length; ++at) {
                QByteArray line(length, 'A');
                line[at] = char(value);
                const codepage::SplitResult r = codepage::decodeLines(line + "\r\n");
                ASSERT_EQ(r.controlCharacters, control)
                    << "byte " << value << " at " << at << " of " << length;
                ASSERT_EQ(r.lines, codepage::splitLines(codepage::decode(line + "\r\n")).lines);
            }
        }
    }
}

TEST_F(LogStoreTest, CreerLogMakesAnEmptyFileAndNeverEmptiesOne)
{
    ASSERT_TRUE(Creer_Log(path()).ok());
    EXPECT_EQ(QFileInfo(path()).size(), 0);
    write({A});
    ASSERT_TRUE(Creer_Log(path()).ok());
    EXPECT_EQ(onDisk(), QStringList{A});
}

TEST_F(LogStoreTest, LoadingAnEmptyLogGivesAnEmptyListAndWritesNothing)
{
    ASSERT_TRUE(Creer_Log(path()).ok());
    const auto before = QFileInfo(path()).lastModified();
    const LoadedLog l = Charger_Log(path());
    EXPECT_TRUE(l.file.ok());
    EXPECT_TRUE(l.lines.isEmpty());
    EXPECT_FALSE(l.irregular.any());
    EXPECT_EQ(QFileInfo(path()).size(), 0);
    EXPECT_EQ(QFileInfo(path()).lastModified(), before);
}

TEST_F(LogStoreTest, LoadingAMissingLogCreatesNothing)
{
    const LoadedLog l = Charger_Log(path());
    EXPECT_EQ(l.file.error, FileError::Missing);
    EXPECT_FALSE(QFileInfo::exists(path()));
}

TEST_F(LogStoreTest, IrregularLogIsReportedAndLeftByteForByte)
{
    const QByteArray bytes =
        codepage::encode(A + QStringLiteral("\n") + B.left(50) + QStringLiteral("\r\n") + C +
                         QStringLiteral("EXTRA\r\n"));
    ASSERT_TRUE(writeBytes(path(), bytes));
    const LoadedLog l = Charger_Log(path());
    EXPECT_TRUE(l.file.ok());
    EXPECT_EQ(l.lines.size(), 3);
    EXPECT_TRUE(l.irregular.bareLineFeeds);
    EXPECT_EQ(l.irregular.wrongLengthLines, 2);
    EXPECT_EQ(l.irregular.firstWrongLine, 2);
    EXPECT_EQ(readBytes(path()), bytes);
}

TEST_F(LogStoreTest, AjouterAppendsEvenAfterACallsignStartingWithDigits)
{
    const QString digits = qso(QStringLiteral("4X1AB"), QStringLiteral("31FA002"),
                               QStringLiteral("05/06/08"), QStringLiteral("15:00"));
    write({A, digits});
    const LogChange c = Ajouter_Qso(target(), B);
    ASSERT_TRUE(c.ok());
    EXPECT_EQ(c.lines(), (QStringList{A, digits, B}));
    EXPECT_EQ(onDisk(), c.lines());
    EXPECT_FALSE(QFileInfo::exists(dir.file(kScratchFile)));
}

TEST_F(LogStoreTest, OperationsOnAMissingLogCreateNothing)
{
    EXPECT_EQ(Ajouter_Qso(target(), A).file.error, FileError::Missing);
    EXPECT_EQ(Inserer_Qso_Chrono(target(), A).file.error, FileError::Missing);
    EXPECT_EQ(Remplacer_Qso(target(), A, B).file.error, FileError::Missing);
    EXPECT_EQ(Supprimer_Qso(target(), A).file.error, FileError::Missing);
    EXPECT_TRUE(dir.entries().isEmpty());
}

struct ChronoCase
{
    const char *name;
    QStringList log;
    QString line;
    QStringList expected;
};

void PrintTo(const ChronoCase &c, std::ostream *os)
{
    *os << c.name;
}

class InsertChrono : public LogStoreTest, public ::testing::WithParamInterface<ChronoCase>
{
};

TEST_P(InsertChrono, PlacesTheLine)
{
    const ChronoCase &c = GetParam();
    write(c.log);
    const LogChange r = Inserer_Qso_Chrono(target(), c.line);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.lines(), c.expected);
    EXPECT_EQ(onDisk(), c.expected);
    EXPECT_FALSE(QFileInfo::exists(dir.file(kScratchFileChrono)));
}

const QString y2000 = qso(QStringLiteral("F2000"), QStringLiteral("31FA001"),
                          QStringLiteral("01/01/00"), QStringLiteral("00:10"));
const QString y1999 = qso(QStringLiteral("F1999"), QStringLiteral("31FA002"),
                          QStringLiteral("31/12/99"), QStringLiteral("23:50"));
const QString sameMinuteFirst = qso(QStringLiteral("FFIRST"), QStringLiteral("31FA003"),
                                    QStringLiteral("06/06/08"), QStringLiteral("10:00"));
const QString feb31 = qso(QStringLiteral("FFEB"), QStringLiteral("31FA004"),
                          QStringLiteral("31/02/08"), QStringLiteral("12:00"));
const QString day00 = qso(QStringLiteral("FZERO"), QStringLiteral("31FA005"),
                          QStringLiteral("00/06/08"), QStringLiteral("12:00"));

INSTANTIATE_TEST_SUITE_P(
    LogStore, InsertChrono,
    ::testing::Values(ChronoCase{"empty_log", {}, A, {A}},
                      ChronoCase{"century_rule_1999_before_2000", {y2000}, y1999, {y1999, y2000}},
                      ChronoCase{"latest_goes_last", {A, B}, C, {A, B, C}},
                      ChronoCase{"in_the_middle", {A, C}, B, {A, B, C}},
                      ChronoCase{"same_minute_inserted_first",
                                 {A, B, C},
                                 sameMinuteFirst,
                                 {A, sameMinuteFirst, B, C}},
                      ChronoCase{"impossible_date_31_02", {A, B}, feb31, {feb31, A, B}},
                      ChronoCase{"day_00_before_day_01", {A, B}, day00, {day00, A, B}}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(LogStoreTest, RemplacerReplacesEveryEqualLineOrAppends)
{
    write({A, B, A});
    LogChange r = Remplacer_Qso(target(), C, A);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(onDisk(), (QStringList{C, B, C}));
    r = Remplacer_Qso(target(), A, QStringLiteral("no such line"));
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(onDisk(), (QStringList{C, B, C, A}));
}

TEST_F(LogStoreTest, SupprimerRemovesEveryEqualLine)
{
    write({A, B, A, C});
    const LogChange r = Supprimer_Qso(target(), A);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(onDisk(), (QStringList{B, C}));
    EXPECT_EQ(r.lines(), (QStringList{B, C}));
}

TEST_F(LogStoreTest, ShortLineIsFoundByTheFormTheListGivesBack)
{
    const QString shortLine = B.left(60);
    write({A, shortLine});
    const QString rebuilt = qsoLineFromListLine(buildQsoListLine(shortLine, 2));
    ASSERT_TRUE(Supprimer_Qso(target(), rebuilt).ok());
    EXPECT_EQ(onDisk(), QStringList{A});
}

TEST_F(LogStoreTest, FailedRewriteLeavesTheLogByteForByte)
{
    write({A, B});
    const QByteArray before = readBytes(path());
    // A folder in the scratch file's place: the rewrite cannot even start.
    ASSERT_TRUE(QDir(dir.path()).mkdir(kScratchFile));
    const LogChange r = Ajouter_Qso(target(), C);
    EXPECT_EQ(r.file.error, FileError::WriteFailed);
    EXPECT_TRUE(r.log.isEmpty());
    EXPECT_EQ(readBytes(path()), before);
}

TEST_F(LogStoreTest, FullDiskLeavesTheLogAndNoScratchFile)
{
    write({A, B});
    const QByteArray before = readBytes(path());
    LogTarget full{path(), [](int fd, const QByteArray &data) {
                       // Half the content reaches the disk, then it is full.
                       (void)!::write(fd, data.constData(), size_t(data.size() / 2));
                       errno = ENOSPC;
                       return false;
                   }};
    const LogChange r = Supprimer_Qso(full, A);
    EXPECT_EQ(r.file.error, FileError::WriteFailed);
    EXPECT_FALSE(r.file.detail.isEmpty());
    EXPECT_EQ(readBytes(path()), before);
    EXPECT_FALSE(QFileInfo::exists(dir.file(kScratchFile)));
}

TEST_F(LogStoreTest, LeftoverScratchFileIsOverwrittenAndRemoved)
{
    write({A});
    ASSERT_TRUE(writeBytes(dir.file(kScratchFile), QByteArray("half written garbage")));
    ASSERT_TRUE(Ajouter_Qso(target(), B).ok());
    EXPECT_EQ(onDisk(), (QStringList{A, B}));
    EXPECT_FALSE(QFileInfo::exists(dir.file(kScratchFile)));
}

TEST_F(LogStoreTest, UnrepresentableLineIsRefusedBeforeWriting)
{
    write({A});
    const QByteArray before = readBytes(path());
    const LogChange r = Ajouter_Qso(target(), QString(A).replace(0, 1, QStringLiteral("Ж")));
    EXPECT_FALSE(r.ok());
    EXPECT_EQ(readBytes(path()), before);
}

TEST_F(LogStoreTest, AccentedLettersAreOneByteEach)
{
    const QString accented =
        qso(QStringLiteral("FAAAA"), QStringLiteral("31FA001"), QStringLiteral("05/06/08"),
            QStringLiteral("14:32"), QStringLiteral("14 Mhz"), true, QStringLiteral("SSB"),
            QStringLiteral("HÉLÈNE"), QStringLiteral("fontaine élégante"));
    ASSERT_TRUE(Creer_Log(path()).ok());
    ASSERT_TRUE(Ajouter_Qso(target(), accented).ok());
    EXPECT_EQ(QFileInfo(path()).size(), 109);
    EXPECT_EQ(Charger_Log(path()).lines, QStringList{accented});
}

// The sort settles most comparisons on eight characters after the part all
// lines share: lines that end inside or just after those characters, differ
// only beyond them, or differ only in case must still come in the order of
// the case-blind comparison, equal ones in their first order.
TEST(TextOrder, SameOrderAsTheCaseBlindComparison)
{
    const QStringList lines = {QStringLiteral("   31FA001  FAAAA"),
                               QStringLiteral("   31fa001  faaaa"),
                               QStringLiteral("   31FA001  FAAAB"),
                               QStringLiteral("   31FA001"),
                               QStringLiteral("   31FA00"),
                               QStringLiteral("   31"),
                               QStringLiteral("   "),
                               QString(),
                               QStringLiteral("   31FA001  FAAAA"),
                               QStringLiteral("   31FA001 ") + QChar(0),
                               QStringLiteral("   ÉLÉGANTE"),
                               QStringLiteral("   élégante"),
                               QStringLiteral("   Œuvre"),
                               QStringLiteral("   œuvre 2"),
                               QStringLiteral("   2A FT 010 ÿ"),
                               QStringLiteral("   2a ft 010 Ÿ")};
    QStringList expected = lines;
    std::stable_sort(expected.begin(), expected.end(), [](const QString &a, const QString &b) {
        return QString::compare(a, b, Qt::CaseInsensitive) < 0;
    });
    QStringList sorted = lines;
    sortWithoutCase(sorted);
    EXPECT_EQ(sorted, expected);
    // Lines that all share a long beginning.
    QStringList shared;
    for (int i = 0; i < 40; ++i)
        shared << QStringLiteral("      31FA001 F%1").arg((i * 7) % 13) + (i % 2 ? "x" : "X");
    expected = shared;
    std::stable_sort(expected.begin(), expected.end(), [](const QString &a, const QString &b) {
        return QString::compare(a, b, Qt::CaseInsensitive) < 0;
    });
    sortWithoutCase(shared);
    EXPECT_EQ(shared, expected);
}

TEST(LogListModel, RowsAreNumberedInFileOrder)
{
    LogListModel model;
    QStringList lines = generatedLog(100001);
    model.setLines(lines);
    EXPECT_EQ(model.rowCount(), 100001);
    EXPECT_EQ(model.listLine(0).left(6), QStringLiteral("     1"));
    EXPECT_EQ(model.listLine(9).left(6), QStringLiteral("    10"));
    EXPECT_EQ(model.listLine(100000).left(6), QStringLiteral("100001"));
    EXPECT_EQ(model.data(model.index(4)).toString(), buildQsoListLine(lines.at(4), 5));
    EXPECT_EQ(model.listLine(100001), QString());
}

// The main list holds the log as its bytes: each awkward file must read as
// the decoder reads it, report the same irregularities, and be rewritten by
// a change exactly as the decoded lines re-encoded would be.
struct BufferCase
{
    const char *name;
    QByteArray bytes;
};

class LineBufferCase : public LogStoreTest, public ::testing::WithParamInterface<BufferCase>
{
};

TEST_P(LineBufferCase, ReadsAndRewritesAsTheDecodedLines)
{
    const QByteArray &bytes = GetParam().bytes;
    const codepage::SplitResult split = codepage::decodeLines(bytes);
    const LineBuffer buffer(bytes);
    EXPECT_EQ(buffer.lines(), split.lines);
    EXPECT_EQ(buffer.bareLineFeeds(), split.bareLineFeeds);
    EXPECT_EQ(buffer.missingFinalEnd(), split.missingFinalEnd);
    EXPECT_EQ(buffer.controlCharacters(), split.controlCharacters);
    EXPECT_EQ(buffer.written(), codepage::encodeLines(split.lines));

    ASSERT_TRUE(writeBytes(path(), bytes));
    const LoadedLog decoded = Charger_Log(path());
    const LoadedLogBuffer held = loadLogBuffer(path());
    EXPECT_EQ(held.log.lines(), decoded.lines);
    EXPECT_EQ(held.irregular.wrongLengthLines, decoded.irregular.wrongLengthLines);
    EXPECT_EQ(held.irregular.firstWrongLine, decoded.irregular.firstWrongLine);
    EXPECT_EQ(held.irregular.nonTextBytes, decoded.irregular.nonTextBytes);
    EXPECT_EQ(held.irregular.bareLineFeeds, decoded.irregular.bareLineFeeds);

    const LogChange c = Ajouter_Qso(target(), C);
    ASSERT_TRUE(c.ok());
    EXPECT_EQ(readBytes(path()), codepage::encodeLines(split.lines + QStringList{C}));
    EXPECT_EQ(c.log.bytes(), readBytes(path()));
    EXPECT_EQ(Supprimer_Qso(target(), C).log.bytes(), codepage::encodeLines(split.lines));
}

INSTANTIATE_TEST_SUITE_P(
    LogStore, LineBufferCase,
    ::testing::Values(BufferCase{"empty", {}}, BufferCase{"crlf", crlf({A, B})},
                      BufferCase{"bare_line_feed", codepage::encode(A + "\n" + B + "\r\n")},
                      BufferCase{"no_final_end", codepage::encode(A + "\r\n" + B)},
                      BufferCase{"carriage_return_at_the_very_end",
                                 codepage::encode(A + "\r\n" + B + "\r")},
                      BufferCase{"two_carriage_returns", codepage::encode(A + "\r\r\n")},
                      BufferCase{"empty_lines", QByteArray("\r\n\n\r\n")},
                      BufferCase{"control_byte", QByteArray("ab\x01"
                                                            "c\r\n")},
                      BufferCase{"undefined_byte", QByteArray("ab\x81"
                                                              "c\r\n")},
                      BufferCase{"euro_and_accent", QByteArray("\x80\xE9\r\n")}),
    [](const auto &info) { return std::string(info.param.name); });
