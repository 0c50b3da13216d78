#include "spots/spot_line.h"

#include "logstore/bands.h"
#include "logstore/fountain_references.h"

#include <QRegularExpression>

namespace vqx {

namespace {

// "DX de" spotter, with or without its colon, then frequency, callsign,
// comment and time; a locator or a country may follow the time. The comment
// is greedy: a time written in it is not the spot's.
const QRegularExpression &liveSpot()
{
    static const QRegularExpression re(
        QStringLiteral("^DX de\\s+([^\\s:]+)(?::\\s*|\\s+)([0-9]+(?:\\.[0-9]+)?)\\s+(\\S+)\\s*(.*)"
                       "\\s+([0-9]{4})Z(?:\\s+\\S+){0,2}\\s*$"),
        QRegularExpression::CaseInsensitiveOption);
    return re;
}

// A "sh/dx" line: frequency and callsign in either order, date, time,
// comment, spotter in angle brackets.
const QRegularExpression &listedSpot()
{
    static const QRegularExpression re(QStringLiteral(
        "^\\s*(?:([0-9]+\\.[0-9]+)\\s+(\\S+)|(\\S+)\\s+([0-9]+\\.[0-9]+))\\s+"
        "[0-9]{1,2}-[A-Za-z]{3}-[0-9]{2,4}\\s+([0-9]{4})Z\\s*(.*?)\\s*<([^>]+)>\\s*$"));
    return re;
}

bool takeFrequency(ClusterLine &out, const QString &khz)
{
    const std::optional<qint64> hz = hzFromKhzText(khz);
    if (!hz || *hz <= 0)
        return false;
    out.hz = *hz;
    out.khzText = khz;
    return true;
}

} // namespace

ClusterLine parseClusterLine(const QString &line)
{
    ClusterLine out;
    if (line.startsWith(QLatin1String("DX de"), Qt::CaseInsensitive)) {
        const QRegularExpressionMatch m = liveSpot().match(line);
        if (!m.hasMatch() || !takeFrequency(out, m.captured(2)))
            return {};
        out.spotter = m.captured(1);
        out.callsign = m.captured(3).toUpper();
        out.comment = m.captured(4).trimmed();
        out.timeUtc = m.captured(5);
    } else {
        const QRegularExpressionMatch m = listedSpot().match(line);
        if (!m.hasMatch())
            return {};
        const bool frequencyFirst = m.capturedLength(1) > 0;
        if (!takeFrequency(out, frequencyFirst ? m.captured(1) : m.captured(4)))
            return {};
        out.callsign = (frequencyFirst ? m.captured(2) : m.captured(3)).toUpper();
        out.timeUtc = m.captured(5);
        out.comment = m.captured(6).trimmed();
        out.spotter = m.captured(7).trimmed();
    }
    out.isSpot = true;
    out.references = fountainReferencesIn(out.comment);
    return out;
}

QString spotBackCommand(const QString &khzText, const QString &callsign, const QString &ref)
{
    return QStringLiteral("DX %1 %2 VQX %3").arg(khzText.trimmed(), callsign.trimmed(), ref);
}

} // namespace vqx
