#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace vqx {

// Turns the bytes a cluster node sends into text lines. Telnet negotiation
// (IAC sequences) is taken out, bells and CR are dropped, and each line is
// read as UTF-8 when it is valid UTF-8, else as Windows-1252: nodes relay
// comments typed on every kind of computer. Bytes may arrive cut anywhere,
// in the middle of a negotiation or of a character.
class ClusterTextStream
{
public:
    // The complete lines the bytes finish, in order.
    QStringList feed(const QByteArray &bytes);
    // What waits after the last line end: a prompt such as "login: ".
    QString pending() const { return decodeClusterLine(m_line); }
    // The telnet answers owed to the node: every option it offers or asks
    // for is declined, so that it sends plain lines.
    QByteArray takeReplies();
    void reset();

    static QString decodeClusterLine(const QByteArray &line);

private:
    enum class Telnet
    {
        Text,
        Iac,    // after IAC
        Option, // after IAC WILL/WONT/DO/DONT
        Sub,    // inside IAC SB … IAC SE
        SubIac  // IAC inside a subnegotiation
    };
    Telnet m_state = Telnet::Text;
    unsigned char m_verb = 0;
    QByteArray m_line;
    QByteArray m_replies;
};

} // namespace vqx
