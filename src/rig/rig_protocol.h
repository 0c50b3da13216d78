#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

// What rigctld says and what it is told: its replies read from untrusted
// bytes, the commands that tune the radio, the entry band and mode its dial
// gives, and the status line the operator reads.
namespace vqx::rig {

inline const QString kDefaultHost = QStringLiteral("127.0.0.1");
inline constexpr quint16 kDefaultPort = 4532;
// The Debian package that brings rigctld.
inline const QString kHamlibPackage = QStringLiteral("libhamlib-utils");

// The command whose reply is awaited.
enum class Query
{
    None,
    Frequency,  // "f": one line, whole Hz
    Mode,       // "m": the mode, then the passband in Hz
    SetCommand, // "F …", "M …": "RPRT n"
};

struct Reply
{
    enum Kind
    {
        Incomplete, // wait for more bytes
        Frequency,
        Mode,
        Report,  // "RPRT n": 0 done, below 0 a Hamlib error
        Garbage, // not what was asked for: the link is not to be trusted
    };
    Kind kind = Incomplete;
    qsizetype consumed = 0; // bytes of the buffer this reply took
    qint64 hz = 0;
    QString mode;
    qint64 passband = 0;
    int code = 0;
};

// Reads the reply to `query` at the start of `buffer`.
Reply readReply(Query query, const QByteArray &buffer);

// "F 7013500\n": frequencies are whole Hz ("F 7.1" would set 7 Hz).
QByteArray setFrequencyCommand(qint64 hz);
// "M CW 0\n" (0 keeps the radio's passband); empty for a name that is not
// a Hamlib mode name, so no stray text ever reaches rigctld.
QByteArray setModeCommand(const QString &hamlibMode);

// The entry mode of a Hamlib mode: "SSB", "CW", "FM", or "" for the modes
// the entry list does not hold (AM, RTTY, PKTUSB…).
QString entryModeOf(QStringView hamlibMode);

// What the dial gives the entry: the position in the band list (-1 outside
// every band of it) and the entry mode ("" when none).
struct RadioEntry
{
    int bandIndex = -1;
    QString mode;
};
RadioEntry radioEntry(qint64 hz, const QString &hamlibMode);

// "14 285,000": kHz with three decimals, French style.
QString khzText(qint64 hz);

// Status lines of the main window.
QString readingStatus(qint64 hz, const QString &hamlibMode);
QString connectingStatus(const QString &host, quint16 port);
QString noAnswerStatus(const QString &host, quint16 port);
QString garbageStatus(const QString &host, quint16 port);
QString errorStatus(int code);
QString notInstalledStatus();
QString daemonEndedStatus(int exitCode, const QString &lastError);

// One radio of the list "rigctld -l" prints.
struct RigModel
{
    int number = 0;
    QString maker;
    QString model;
    // "3073  Icom IC-7300", what the operator searches in.
    QString label() const;
};
QList<RigModel> parseModelList(const QString &output);
// The model number at the start of a label or a typed number; 0 for none.
int modelNumberOf(const QString &label);

// The serial ports a radio may be on: ttyUSB*, ttyACM* and serial/by-id/*
// under `devFolder`, sorted.
QStringList serialPortNames(const QString &devFolder = QStringLiteral("/dev"));

} // namespace vqx::rig
