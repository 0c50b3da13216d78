// rigctld's replies read from raw bytes, the entry mode of each Hamlib mode,
// the commands that tune, the status lines, the model list and the settings.
#include "core_fakes.h"
#include "temp_folder.h"

#include "rig/rig_protocol.h"
#include "rig/rig_settings.h"

#include <QDir>
#include <gtest/gtest.h>

using namespace vqx;
using namespace vqx::rig;

namespace {

// Each row of a table is a test named after the row.
const auto byName = [](const auto &info) { return std::string(info.param.name); };

struct ReplyCase
{
    const char *name;
    Query query;
    QByteArray bytes;
    Reply::Kind kind;
    qsizetype consumed;
    qint64 hz;
    const char *mode;
    int code;
};

using ReplyTest = ::testing::TestWithParam<ReplyCase>;

TEST_P(ReplyTest, Reads)
{
    const ReplyCase &c = GetParam();
    const Reply r = readReply(c.query, c.bytes);
    EXPECT_EQ(r.kind, c.kind);
    EXPECT_EQ(r.consumed, c.consumed);
    if (c.kind == Reply::Frequency) {
        EXPECT_EQ(r.hz, c.hz);
    }
    if (c.kind == Reply::Mode) {
        EXPECT_EQ(r.mode, QString::fromLatin1(c.mode));
    }
    if (c.kind == Reply::Report) {
        EXPECT_EQ(r.code, c.code);
    }
}

const ReplyCase kReplies[] = {
    {"frequency", Query::Frequency, "7013500\n", Reply::Frequency, 8, 7013500, "", 0},
    {"frequency_with_cr", Query::Frequency, "14285000\r\n", Reply::Frequency, 10, 14285000, "", 0},
    {"frequency_decimals_dropped", Query::Frequency, "14285000.000000\n", Reply::Frequency, 16,
     14285000, "", 0},
    {"frequency_then_more", Query::Frequency, "7013500\nCW\n", Reply::Frequency, 8, 7013500, "", 0},
    {"frequency_half_line", Query::Frequency, "70135", Reply::Incomplete, 0, 0, "", 0},
    {"frequency_empty", Query::Frequency, "", Reply::Incomplete, 0, 0, "", 0},
    {"frequency_negative", Query::Frequency, "-5\n", Reply::Garbage, 3, 0, "", 0},
    {"frequency_words", Query::Frequency, "hello\n", Reply::Garbage, 6, 0, "", 0},
    {"frequency_empty_line", Query::Frequency, "\n", Reply::Garbage, 1, 0, "", 0},
    {"frequency_rprt_error", Query::Frequency, "RPRT -1\n", Reply::Report, 8, 0, "", -1},
    {"frequency_rprt_timeout", Query::Frequency, "RPRT -5\n", Reply::Report, 8, 0, "", -5},
    {"rprt_half_line", Query::Frequency, "RPRT -", Reply::Incomplete, 0, 0, "", 0},
    {"rprt_not_a_number", Query::Frequency, "RPRT x\n", Reply::Garbage, 7, 0, "", 0},
    {"rprt_positive", Query::SetCommand, "RPRT 3\n", Reply::Garbage, 7, 0, "", 0},
    {"mode", Query::Mode, "USB\n2400\n", Reply::Mode, 9, 0, "USB", 0},
    {"mode_packet", Query::Mode, "PKTUSB\n500\n", Reply::Mode, 11, 0, "PKTUSB", 0},
    {"mode_without_passband", Query::Mode, "CW\n", Reply::Incomplete, 0, 0, "", 0},
    {"mode_half_passband", Query::Mode, "CW\n50", Reply::Incomplete, 0, 0, "", 0},
    {"mode_lower_case", Query::Mode, "usb\n2400\n", Reply::Garbage, 4, 0, "", 0},
    {"mode_bad_passband", Query::Mode, "FM\nwide\n", Reply::Garbage, 8, 0, "", 0},
    {"mode_rprt_error", Query::Mode, "RPRT -11\n", Reply::Report, 9, 0, "", -11},
    {"set_done", Query::SetCommand, "RPRT 0\n", Reply::Report, 7, 0, "", 0},
    {"set_refused", Query::SetCommand, "RPRT -1\nRPRT -1\n", Reply::Report, 8, 0, "", -1},
    {"set_answered_with_a_number", Query::SetCommand, "7013500\n", Reply::Garbage, 8, 0, "", 0},
    {"nothing_asked", Query::None, "7013500\n", Reply::Garbage, 0, 0, "", 0},
    {"binary_garbage", Query::Frequency, QByteArray("\x00\xff\x13\n", 4), Reply::Garbage, 4, 0, "",
     0},
    {"endless_line", Query::Frequency, QByteArray(300, '7'), Reply::Garbage, 0, 0, "", 0},
};

INSTANTIATE_TEST_SUITE_P(Rigctld, ReplyTest, testing::ValuesIn(kReplies), byName);

struct ModeCase
{
    const char *hamlib;
    const char *entry;
};

using EntryModeTest = ::testing::TestWithParam<ModeCase>;

TEST_P(EntryModeTest, Maps)
{
    EXPECT_EQ(entryModeOf(QString::fromLatin1(GetParam().hamlib)),
              QString::fromLatin1(GetParam().entry));
}

const ModeCase kModes[] = {
    {"USB", "SSB"}, {"LSB", "SSB"}, {"CW", "CW"},  {"CWR", "CW"},  {"FM", "FM"},   {"FMN", "FM"},
    {"AM", ""},     {"RTTY", ""},   {"RTTYR", ""}, {"PKTUSB", ""}, {"PKTLSB", ""}, {"PKTFM", ""},
    {"WFM", ""},    {"DSB", ""},    {"SAM", ""},   {"C4FM", ""},   {"usb", ""},    {"", ""},
};

INSTANTIATE_TEST_SUITE_P(Hamlib, EntryModeTest, testing::ValuesIn(kModes), [](const auto &info) {
    const std::string s = info.param.hamlib;
    return s.empty() ? std::string("empty") : s == "usb" ? std::string("lower_usb") : s;
});

TEST(RadioEntry, BandFromTheTableAndModeFromTheMap)
{
    EXPECT_EQ(radioEntry(7013500, QStringLiteral("CW")).bandIndex, 2);
    EXPECT_EQ(radioEntry(7013500, QStringLiteral("CW")).mode, QStringLiteral("CW"));
    EXPECT_EQ(radioEntry(14285000, QStringLiteral("USB")).bandIndex, 4);
    // 5 MHz and 70 cm are in no band of the entry list.
    EXPECT_EQ(radioEntry(5357000, QStringLiteral("USB")).bandIndex, -1);
    EXPECT_EQ(radioEntry(432200000, QStringLiteral("FM")).bandIndex, -1);
}

TEST(Commands, WholeHzAndCheckedModeNames)
{
    EXPECT_EQ(setFrequencyCommand(7013500), QByteArray("F 7013500\n"));
    EXPECT_EQ(setModeCommand(QStringLiteral("CW")), QByteArray("M CW 0\n"));
    EXPECT_EQ(setModeCommand(QStringLiteral("PKTUSB")), QByteArray("M PKTUSB 0\n"));
    // No text that is not a mode name reaches rigctld, a second command least of all.
    EXPECT_EQ(setModeCommand(QStringLiteral("CW\nF 1")), QByteArray());
    EXPECT_EQ(setModeCommand(QString()), QByteArray());
}

struct StatusCase
{
    const char *name;
    qint64 hz;
    const char *mode;
    const char *status;
};

using StatusTest = ::testing::TestWithParam<StatusCase>;

TEST_P(StatusTest, Says)
{
    const StatusCase &c = GetParam();
    EXPECT_EQ(readingStatus(c.hz, QString::fromLatin1(c.mode)), QString::fromUtf8(c.status));
}

const StatusCase kStatuses[] = {
    {"ssb", 14285000, "USB", "Poste : 14 285,000 kHz USB"},
    {"cw_hz", 7013550, "CW", "Poste : 7 013,550 kHz CW"},
    {"vhf", 144300000, "USB", "Poste : 144 300,000 kHz USB"},
    {"low", 999, "AM",
     "Poste : 0,999 kHz AM (hors des bandes de la liste, bande gardée, mode "
     "gardé)"},
    {"band_kept", 5357000, "USB",
     "Poste : 5 357,000 kHz USB (hors des bandes de la liste, bande "
     "gardée)"},
    {"mode_kept", 7074000, "PKTUSB", "Poste : 7 074,000 kHz PKTUSB (mode gardé)"},
};

INSTANTIATE_TEST_SUITE_P(Main, StatusTest, testing::ValuesIn(kStatuses), byName);

TEST(Status, LinkAndErrors)
{
    EXPECT_EQ(noAnswerStatus(QStringLiteral("127.0.0.1"), 4532),
              QStringLiteral("Poste : pas de réponse de rigctld (127.0.0.1:4532)"));
    EXPECT_EQ(errorStatus(-5), QStringLiteral("Poste : rigctld répond RPRT -5 (le poste ne "
                                              "répond pas)"));
    EXPECT_TRUE(notInstalledStatus().contains(QStringLiteral("libhamlib-utils")));
}

TEST(ModelList, ColumnsOfTheHeader)
{
    const QString out = QStringLiteral(
        " Rig #  Mfg                    Model                   Version         Status      "
        "Macro\n"
        "     1  Hamlib                 Dummy                   20221128.0      Stable      "
        "RIG_MODEL_DUMMY\n"
        "     5  TRXManager             TRXManager 5.7.630+     20210613.0      Stable      "
        "RIG_MODEL_TRXMANAGER_RIG\n"
        " 29001  ADAT www.adat.ch       ADT-200A                20191206.0      Stable      "
        "RIG_MODEL_ADT_200A\n"
        "initrigs4_dummy: _init called\n"
        "\n");
    const QList<RigModel> models = parseModelList(out);
    ASSERT_EQ(models.size(), 3);
    EXPECT_EQ(models[1].number, 5);
    EXPECT_EQ(models[1].model, QStringLiteral("TRXManager 5.7.630+"));
    EXPECT_EQ(models[2].maker, QStringLiteral("ADAT www.adat.ch"));
    EXPECT_EQ(models[2].label(), QStringLiteral("29001  ADAT www.adat.ch ADT-200A"));
    EXPECT_EQ(modelNumberOf(models[2].label()), 29001);
    EXPECT_EQ(modelNumberOf(QStringLiteral("3073")), 3073);
    EXPECT_EQ(modelNumberOf(QStringLiteral("Icom IC-7300")), 0);
}

TEST(SerialPorts, UsbAcmAndById)
{
    test::TempFolder dev;
    QDir d(dev.path());
    ASSERT_TRUE(d.mkpath(QStringLiteral("serial/by-id")));
    for (const char *n : {"ttyUSB1", "ttyUSB0", "ttyACM0", "ttyS0", "sda",
                          "serial/by-id/usb-Silicon_Labs_CP2102-if00-port0"})
        ASSERT_TRUE(test::writeBytes(d.filePath(QLatin1String(n)), QByteArray()));
    EXPECT_EQ(
        serialPortNames(dev.path()),
        QStringList({d.filePath(QStringLiteral("ttyACM0")), d.filePath(QStringLiteral("ttyUSB0")),
                     d.filePath(QStringLiteral("ttyUSB1")),
                     d.filePath(QStringLiteral("serial/by-id/"
                                               "usb-Silicon_Labs_CP2102-if00-port0"))}));
}

TEST(RigSettingsStore, OffByDefaultAndKeptPerStation)
{
    test::MemorySettingsStore store;
    const RigSettings none = loadRigSettings(store, QStringLiteral("F4ABC"));
    EXPECT_FALSE(none.enabled);
    EXPECT_EQ(none.host, QStringLiteral("127.0.0.1"));
    EXPECT_EQ(none.port, 4532);

    RigSettings s;
    s.enabled = true;
    s.port = 4600;
    s.startDaemon = true;
    s.model = 3073;
    s.serialPort = QStringLiteral("/dev/ttyUSB0");
    s.speed = QStringLiteral("19200");
    saveRigSettings(store, QStringLiteral("F4ABC"), s);
    EXPECT_EQ(loadRigSettings(store, QStringLiteral("F4ABC")), s);
    EXPECT_FALSE(loadRigSettings(store, QStringLiteral("F5XYZ")).enabled);
    EXPECT_EQ(store.get(kAppVqx, QStringLiteral("Setup F4ABC"), QStringLiteral("Poste Actif")),
              QStringLiteral("Oui"));
    EXPECT_EQ(rigctldArguments(s), QStringList({"-m", "3073", "-r", "/dev/ttyUSB0", "-s", "19200",
                                                "-T", "127.0.0.1", "-t", "4600"}));
    // A port that is no port falls back on rigctld's own.
    store.set(kAppVqx, QStringLiteral("Setup F4ABC"), QStringLiteral("Poste Port"),
              QStringLiteral("99999"));
    EXPECT_EQ(loadRigSettings(store, QStringLiteral("F4ABC")).port, 4532);
}

} // namespace
