#include "spots/cluster_text.h"

#include <QStringDecoder>

namespace vqx {

namespace {

constexpr unsigned char kIac = 255;
constexpr unsigned char kDont = 254;
constexpr unsigned char kDo = 253;
constexpr unsigned char kWont = 252;
constexpr unsigned char kWill = 251;
constexpr unsigned char kSb = 250;
constexpr unsigned char kSe = 240;

} // namespace

QString ClusterTextStream::decodeClusterLine(const QByteArray &line)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(line);
    if (!utf8.hasError())
        return text;
    QStringDecoder cp1252("windows-1252");
    return cp1252(line);
}

QStringList ClusterTextStream::feed(const QByteArray &bytes)
{
    QStringList lines;
    for (const char ch : bytes) {
        const auto c = static_cast<unsigned char>(ch);
        switch (m_state) {
        case Telnet::Text:
            if (c == kIac) {
                m_state = Telnet::Iac;
            } else if (c == '\n') {
                lines << decodeClusterLine(m_line);
                m_line.clear();
            } else if (c != '\r' && c != 0x07 && c != 0) {
                m_line.append(ch);
            }
            break;
        case Telnet::Iac:
            if (c == kIac) { // an escaped 255 is a data byte
                m_line.append(ch);
                m_state = Telnet::Text;
            } else if (c >= kWill && c <= kDont) {
                m_verb = c;
                m_state = Telnet::Option;
            } else if (c == kSb) {
                m_state = Telnet::Sub;
            } else {
                m_state = Telnet::Text;
            }
            break;
        case Telnet::Option:
            // Offered (WILL) or asked (DO): declined. Refusals need no answer.
            if (m_verb == kWill)
                m_replies.append(char(kIac)).append(char(kDont)).append(ch);
            else if (m_verb == kDo)
                m_replies.append(char(kIac)).append(char(kWont)).append(ch);
            m_state = Telnet::Text;
            break;
        case Telnet::Sub:
            if (c == kIac)
                m_state = Telnet::SubIac;
            break;
        case Telnet::SubIac:
            m_state = c == kSe ? Telnet::Text : Telnet::Sub;
            break;
        }
    }
    return lines;
}

QByteArray ClusterTextStream::takeReplies()
{
    QByteArray r;
    r.swap(m_replies);
    return r;
}

void ClusterTextStream::reset()
{
    m_state = Telnet::Text;
    m_line.clear();
    m_replies.clear();
}

} // namespace vqx
