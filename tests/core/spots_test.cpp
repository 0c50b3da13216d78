#include "log_samples.h"
#include "logstore/fountain_references.h"
#include "spots/cluster_text.h"
#include "spots/spot_line.h"
#include "spots/spot_states.h"

#include <gtest/gtest.h>

#include <string>

using namespace vqx;

namespace {

// Each row of a table is a test named after the row.
const auto byName = [](const auto &info) { return std::string(info.param.name); };

std::string s(const QString &q)
{
    return q.toStdString();
}

// A line as a node sends it: raw bytes, telnet, bells and CR LF included.
struct LineRow
{
    const char *name;
    QByteArray bytes;
    bool spot;
    const char *khz;
    const char *call;
    const char *spotter;
    const char *time;
    const char *refs;    // joined with ","
    const char *comment; // checked when not null
};

void PrintTo(const LineRow &row, std::ostream *os)
{
    *os << row.name;
}

using ClusterLines = ::testing::TestWithParam<LineRow>;

TEST_P(ClusterLines, GiveTheirParts)
{
    const LineRow &row = GetParam();
    ClusterTextStream stream;
    // Bytes cut anywhere must give the same line: feed them one at a time.
    QStringList lines;
    for (const char c : row.bytes)
        lines << stream.feed(QByteArray(1, c));
    ASSERT_EQ(lines.size(), 1);
    const ClusterLine parsed = parseClusterLine(lines.first());
    EXPECT_EQ(parsed.isSpot, row.spot) << s(lines.first());
    if (!row.spot) {
        EXPECT_TRUE(parsed.references.isEmpty());
        return;
    }
    EXPECT_EQ(s(parsed.khzText), row.khz);
    EXPECT_EQ(s(parsed.callsign), row.call);
    EXPECT_EQ(s(parsed.spotter), row.spotter);
    EXPECT_EQ(s(parsed.timeUtc), row.time);
    EXPECT_EQ(s(parsed.references.join(u',')), row.refs);
    if (row.comment) {
        EXPECT_EQ(s(parsed.comment), row.comment);
    }
}

// clang-format off
const LineRow kLines[] = {
    {"dxspider_with_locator",
     "DX de F4ABC:     14025.0  TM31F        VQX 31FA001 fontaine           1234Z JN03\r\n",
     true, "14025.0", "TM31F", "F4ABC", "1234", "31FA001", "VQX 31FA001 fontaine"},
    {"dxspider_seven_character_spotter_loses_colon",
     "DX de F4ABCDE    14285.0  F8AAA/P      VQX 31-FA-001 SSB              1240Z\r\n",
     true, "14285.0", "F8AAA/P", "F4ABCDE", "1240", "31FA001", nullptr},
    {"dxspider_skimmer_spotter",
     "DX de F5XYZ-#:    7012.0  TM31F        CW 18 dB 24 WPM 31fa001 CQ     1245Z\r\n",
     true, "7012.0", "TM31F", "F5XYZ-#", "1245", "31FA001", nullptr},
    {"dxspider_empty_comment",
     "DX de F4ABC:     14025.0  TM31F                                       1234Z\r\n",
     true, "14025.0", "TM31F", "F4ABC", "1234", "", ""},
    {"dxspider_without_locator",
     "DX de ON4XX:     21250.0  TM81F        VQX 81FT002                    0905Z\r\n",
     true, "21250.0", "TM81F", "ON4XX", "0905", "81FT002", "VQX 81FT002"},
    {"lower_case_reference",
     "DX de F4ABC:     14025.0  tm31f        vqx 31fa001                    1234Z\r\n",
     true, "14025.0", "TM31F", "F4ABC", "1234", "31FA001", nullptr},
    {"reference_with_blanks",
     "DX de F4ABC:      3650.0  F5AAA        31 FA 001 via F4ABC            1900Z\r\n",
     true, "3650.0", "F5AAA", "F4ABC", "1900", "31FA001", nullptr},
    {"reference_with_dashes",
     "DX de F4ABC:      7090.0  F5AAA        ref 31-FA-001                  1900Z\r\n",
     true, "7090.0", "F5AAA", "F4ABC", "1900", "31FA001", nullptr},
    {"award_name_glued",
     "DX de F4ABC:     14250.0  F5AAA        VQX31FA001                     1900Z\r\n",
     true, "14250.0", "F5AAA", "F4ABC", "1900", "31FA001", nullptr},
    {"award_name_dash_ft",
     "DX de F4ABC:     14250.0  F5AAA        VQX-31FT012 fontaine           1900Z\r\n",
     true, "14250.0", "F5AAA", "F4ABC", "1900", "31FT012", nullptr},
    {"corsica_2a",
     "DX de F4ABC:     14250.0  TK5AA        VQX 2AFA010                    1900Z\r\n",
     true, "14250.0", "TK5AA", "F4ABC", "1900", "2AFA010", nullptr},
    {"corsica_2b_lower_with_blanks",
     "DX de F4ABC:     14250.0  TK5AA        vqx 2b ft 003                  1900Z\r\n",
     true, "14250.0", "TK5AA", "F4ABC", "1900", "2BFT003", nullptr},
    {"department_96_is_no_reference",
     "DX de F4ABC:     14250.0  F5AAA        96FA001                        1900Z\r\n",
     true, "14250.0", "F5AAA", "F4ABC", "1900", "", nullptr},
    {"department_00_is_no_reference",
     "DX de F4ABC:     14250.0  F5AAA        00FT001                        1900Z\r\n",
     true, "14250.0", "F5AAA", "F4ABC", "1900", "", nullptr},
    {"digit_before_is_no_reference",
     "DX de F4ABC:     14250.0  F5AAA        131FA001                       1900Z\r\n",
     true, "14250.0", "F5AAA", "F4ABC", "1900", "", nullptr},
    {"four_digit_number_is_no_reference",
     "DX de F4ABC:     14250.0  F5AAA        31FA0012                       1900Z\r\n",
     true, "14250.0", "F5AAA", "F4ABC", "1900", "", nullptr},
    {"type_fb_is_no_reference",
     "DX de F4ABC:     14250.0  F5AAA        31FB001                        1900Z\r\n",
     true, "14250.0", "F5AAA", "F4ABC", "1900", "", nullptr},
    {"two_references",
     "DX de F4ABC:     14250.0  F5AAA        VQX 31FA001 + 81ft002          1900Z\r\n",
     true, "14250.0", "F5AAA", "F4ABC", "1900", "31FA001,81FT002", nullptr},
    {"same_reference_twice_is_one",
     "DX de F4ABC:     14250.0  F5AAA        31FA001 31-FA-001              1900Z\r\n",
     true, "14250.0", "F5AAA", "F4ABC", "1900", "31FA001", nullptr},
    {"time_inside_comment",
     "DX de F4ABC:     14025.0  TM31F        QRT 1300Z 31FA001              1234Z JN03\r\n",
     true, "14025.0", "TM31F", "F4ABC", "1234", "31FA001", "QRT 1300Z 31FA001"},
    {"bells_dropped",
     "DX de F4ABC:     14025.0  TM31F        VQX 31FA001                    1234Z\a\a\r\n",
     true, "14025.0", "TM31F", "F4ABC", "1234", "31FA001", nullptr},
    {"telnet_options_before",
     "\xff\xfb\x01\xff\xfd\x18" "DX de F4ABC:     14025.0  TM31F        VQX 31FA001   1234Z\r\n",
     true, "14025.0", "TM31F", "F4ABC", "1234", "31FA001", nullptr},
    {"telnet_subnegotiation_inside",
     "DX de F4ABC:     14025.0  TM31F  \xff\xfa\x18\x01\xff\xf0      VQX 31FA001   1234Z\r\n",
     true, "14025.0", "TM31F", "F4ABC", "1234", "31FA001", nullptr},
    {"windows_1252_comment",
     "DX de F4ABC:     14025.0  TM31F        31FA001 \xe9glise St-Andr\xe9      1234Z\r\n",
     true, "14025.0", "TM31F", "F4ABC", "1234", "31FA001", "31FA001 \xc3\xa9glise St-Andr\xc3\xa9"},
    {"utf8_comment",
     "DX de F4ABC:     14025.0  TM31F        31FA001 \xc3\xa9glise St-Andr\xc3\xa9  1234Z\r\n",
     true, "14025.0", "TM31F", "F4ABC", "1234", "31FA001", "31FA001 \xc3\xa9glise St-Andr\xc3\xa9"},
    {"cc_cluster_with_locator",
     "DX de W3LPL:     14025.0  TM31F        VQX 31FA001                    1234Z FN20\r\n",
     true, "14025.0", "TM31F", "W3LPL", "1234", "31FA001", nullptr},
    {"ar_cluster_long_spotter_with_colon",
     "DX de VE3ABCDE: 144300.0  F6AAA/P      VQX 31FA001 FM                 1234Z\r\n",
     true, "144300.0", "F6AAA/P", "VE3ABCDE", "1234", "31FA001", nullptr},
    {"shdx_dxspider",
     "  14025.0  TM31F        8-Dec-2026 1234Z VQX 31FA001                  <F4ABC>\r\n",
     true, "14025.0", "TM31F", "F4ABC", "1234", "31FA001", "VQX 31FA001"},
    {"shdx_ar_cluster",
     "14025.0  TM31F      08-Dec-2026 1234Z VQX 31-FT-002  <F4ABC>\r\n",
     true, "14025.0", "TM31F", "F4ABC", "1234", "31FT002", nullptr},
    {"shdx_callsign_first",
     "TM31F     10118.0  8-Dec-2026 1234Z VQX 31FA001 <F4ABC-2>\r\n",
     true, "10118.0", "TM31F", "F4ABC-2", "1234", "31FA001", nullptr},
    {"node_prompt", "F4ABC de GB7DJK  8-Dec-2026 1234Z dxspider >\r\n", false, "", "", "", "", "", nullptr},
    {"wwv", "WWV de W0MU <18>:   SFI=150, A=5, K=1, No Storms -> No Storms\r\n", false, "", "", "", "", "", nullptr},
    {"wcy", "WCY de DK0WCY-1 <17> : K=2 expK=2 A=7 R=75 SFI=145 SA=mod GMF=qui Au=no\r\n", false, "", "", "", "", "", nullptr},
    {"announce_with_reference", "To ALL de F4ABC: TM31F QRV 31FA001 14025\r\n", false, "", "", "", "", "", nullptr},
    {"welcome", "Hello F4XYZ, this is GB7DJK in Manchester, running DXSpider\r\n", false, "", "", "", "", "", nullptr},
    {"empty_line", "\r\n", false, "", "", "", "", "", nullptr},
    {"spot_without_frequency", "DX de F4ABC: hello there 1234Z\r\n", false, "", "", "", "", "", nullptr},
    {"spot_without_time", "DX de F4ABC:     14025.0  TM31F   VQX 31FA001\r\n", false, "", "", "", "", "", nullptr},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(NodeFormats, ClusterLines, ::testing::ValuesIn(kLines), byName);

// The node's offers and questions are declined, so that it sends plain text.
TEST(ClusterText, DeclinesTelnetOptions)
{
    ClusterTextStream stream;
    stream.feed(QByteArray("\xff\xfb\x01\xff\xfd\x18\xff\xfc\x03hello"));
    EXPECT_EQ(stream.takeReplies(), QByteArray("\xff\xfe\x01\xff\xfc\x18"));
    EXPECT_EQ(s(stream.pending()), "hello");
    EXPECT_TRUE(stream.takeReplies().isEmpty());
}

// References with the entry's form, in the order they appear.
TEST(FountainReferences, FromFreeText)
{
    EXPECT_EQ(s(fountainReferencesIn(QStringLiteral("ref 75ft002 then VQX 13-FA-010")).join(u',')),
              "75FT002,13FA010");
    EXPECT_TRUE(fountainReferencesIn(QStringLiteral("FA001 31F A001 3FA001")).isEmpty());
}

// The log used for the states: 31FA001 on 14 Mhz confirmed, 81FT002 on
// 7.0 Mhz not confirmed, 2AFA010 on 14 Mhz.
QStringList smallLog()
{
    using test::qso;
    return {qso(QStringLiteral("TM31F"), QStringLiteral("31FA001"), QStringLiteral("05/06/26"),
                QStringLiteral("10:00"), QStringLiteral("14 Mhz"), true),
            qso(QStringLiteral("TM81F"), QStringLiteral("81FT002"), QStringLiteral("06/06/26"),
                QStringLiteral("10:00"), QStringLiteral("7.0 Mhz"), false),
            qso(QStringLiteral("TK5AA"), QStringLiteral("2AFA010"), QStringLiteral("07/06/26"),
                QStringLiteral("10:00"), QStringLiteral("14 Mhz"), false)};
}

struct StateRow
{
    const char *name;
    const char *ref;
    qint64 hz;
    const char *column; // what the State column says
};

void PrintTo(const StateRow &row, std::ostream *os)
{
    *os << row.name;
}

using SpotStates = ::testing::TestWithParam<StateRow>;

TEST_P(SpotStates, ComeFromTheLog)
{
    WorkedIndex index;
    index.rebuild(smallLog());
    ClusterLine spot;
    spot.isSpot = true;
    spot.hz = GetParam().hz;
    spot.references = {QString::fromLatin1(GetParam().ref)};
    const QList<SpotRow> rows = rowsOfSpot(spot, index, QDateTime());
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(s(rows.first().stateColumn()), GetParam().column);
}

const StateRow kStates[] = {
    {"same_band_confirmed", "31FA001", 14'025'000, "Déjà contactée, confirmée"},
    {"other_band_confirmed", "31FA001", 7'012'000, "Nouvelle bande, confirmée"},
    {"same_band_not_confirmed", "81FT002", 7'090'000, "Déjà contactée"},
    {"other_band_not_confirmed", "81FT002", 21'250'000, "Nouvelle bande"},
    {"never_contacted", "95FA123", 14'025'000, "Nouvelle"},
    {"corsica_2a_worked", "2AFA010", 14'250'000, "Déjà contactée"},
    {"corsica_2b_is_another_fountain", "2BFA010", 14'250'000, "Nouvelle"},
    {"ten_mhz_counts_for_no_award", "31FA001", 10'118'000,
     "Nouvelle bande, confirmée (10 Mhz ne compte pour aucun diplôme)"},
    {"outside_every_band", "31FA001", 5'357'000, "Hors des bandes du log, confirmée"},
};

INSTANTIATE_TEST_SUITE_P(SmallLog, SpotStates, ::testing::ValuesIn(kStates), byName);

// After a recording the index is rebuilt and the same spot is worked.
TEST(SpotStatesAfterRecording, NouvelleBecomesDejaContactee)
{
    WorkedIndex index;
    QStringList log = smallLog();
    index.rebuild(log);
    const Band *band = bandOfFrequency(14'025'000);
    EXPECT_EQ(index.stateOf(QStringLiteral("95FA123"), band), SpotState::Nouvelle);
    log << test::qso(QStringLiteral("TM95F"), QStringLiteral("95FA123"), QStringLiteral("08/12/26"),
                     QStringLiteral("12:34"), QStringLiteral("14 Mhz"), false);
    index.rebuild(log);
    EXPECT_EQ(index.stateOf(QStringLiteral("95FA123"), band), SpotState::DejaContactee);
    EXPECT_FALSE(index.confirmed(QStringLiteral("95FA123")));
}

struct ModeRow
{
    const char *name;
    const char *comment;
    qint64 hz;
    const char *mode;
    const char *radio;
};

void PrintTo(const ModeRow &row, std::ostream *os)
{
    *os << row.name;
}

using SpotModes = ::testing::TestWithParam<ModeRow>;

TEST_P(SpotModes, FromCommentOrBandPlan)
{
    const ModeRow &r = GetParam();
    const QString mode = modeOfSpot(QString::fromUtf8(r.comment), r.hz);
    EXPECT_EQ(s(mode), r.mode);
    EXPECT_EQ(s(hamlibModeFor(mode, r.hz)), r.radio);
}

const ModeRow kModes[] = {
    {"said_cw", "VQX 31FA001 cw", 14'250'000, "CW", "CW"},
    {"said_ssb", "SSB 31FA001", 14'025'000, "SSB", "USB"},
    {"said_lsb_is_ssb", "31FA001 LSB", 7'090'000, "SSB", "LSB"},
    {"said_fm", "31FA001 FM", 144'300'000, "FM", "FM"},
    {"word_inside_callsign_ignored", "F4CWX 31FA001", 14'250'000, "SSB", "USB"},
    {"cw_segment_20m", "31FA001", 14'025'000, "CW", "CW"},
    {"phone_segment_80m", "31FA001", 3'650'000, "SSB", "LSB"},
    {"ten_mhz_is_cw", "31FA001", 10'118'000, "CW", "CW"},
    {"fm_segment_2m", "31FA001", 145'500'000, "FM", "FM"},
    {"fm_segment_10m", "31FA001", 29'600'000, "FM", "FM"},
};

INSTANTIATE_TEST_SUITE_P(Plan, SpotModes, ::testing::ValuesIn(kModes), byName);

TEST(Alerts, OncePerReferenceAndBandPerHour)
{
    AlertLimiter limiter;
    const QDateTime t0(QDate(2026, 12, 8), QTime(12, 0), Qt::UTC);
    const Band *b20 = bandOfFrequency(14'025'000);
    const Band *b40 = bandOfFrequency(7'025'000);
    EXPECT_TRUE(limiter.shouldAlert(QStringLiteral("31FA001"), b20, t0));
    EXPECT_FALSE(limiter.shouldAlert(QStringLiteral("31FA001"), b20, t0.addSecs(3599)));
    EXPECT_TRUE(limiter.shouldAlert(QStringLiteral("31FA001"), b40, t0.addSecs(60)));
    EXPECT_TRUE(limiter.shouldAlert(QStringLiteral("81FT002"), b20, t0.addSecs(60)));
    EXPECT_TRUE(limiter.shouldAlert(QStringLiteral("31FA001"), b20, t0.addSecs(3600)));
}

TEST(SpotBack, ReferenceWithinTheKeptComment)
{
    const QString cmd = spotBackCommand(QStringLiteral("14025.0"), QStringLiteral("TM31F"),
                                        QStringLiteral("31FA001"));
    EXPECT_EQ(s(cmd), "DX 14025.0 TM31F VQX 31FA001");
    EXPECT_EQ(s(parseClusterLine(QStringLiteral("DX de F4ABC:     14025.0  TM31F        ") +
                                 cmd.mid(19) + QStringLiteral("  1234Z"))
                    .references.join(u',')),
              "31FA001");
}

} // namespace
