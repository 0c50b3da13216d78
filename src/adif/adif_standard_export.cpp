#include "adif/adif_standard_export.h"

#include "adif/adif_record.h"
#include "logstore/codepage.h"
#include "logstore/log_operations.h"
#include "logstore/log_record.h"

#include <QDir>
#include <QFileInfo>

namespace vqx {

namespace {

struct ModeName
{
    QLatin1String log;
    QLatin1String mode;
    QLatin1String submode;
};

// The modes a 3-character column can hold that ADIF names, as modes or as
// submodes of a longer mode.
constexpr ModeName kModes[] = {
    {QLatin1String("AM"), QLatin1String("AM"), QLatin1String()},
    {QLatin1String("ATV"), QLatin1String("ATV"), QLatin1String()},
    {QLatin1String("CLO"), QLatin1String("CLO"), QLatin1String()},
    {QLatin1String("CW"), QLatin1String("CW"), QLatin1String()},
    {QLatin1String("FAX"), QLatin1String("FAX"), QLatin1String()},
    {QLatin1String("FM"), QLatin1String("FM"), QLatin1String()},
    {QLatin1String("FT8"), QLatin1String("FT8"), QLatin1String()},
    {QLatin1String("JT4"), QLatin1String("JT4"), QLatin1String()},
    {QLatin1String("JT9"), QLatin1String("JT9"), QLatin1String()},
    {QLatin1String("PAC"), QLatin1String("PAC"), QLatin1String()},
    {QLatin1String("PAX"), QLatin1String("PAX"), QLatin1String()},
    {QLatin1String("PKT"), QLatin1String("PKT"), QLatin1String()},
    {QLatin1String("PSK"), QLatin1String("PSK"), QLatin1String()},
    {QLatin1String("Q15"), QLatin1String("Q15"), QLatin1String()},
    {QLatin1String("ROS"), QLatin1String("ROS"), QLatin1String()},
    {QLatin1String("SSB"), QLatin1String("SSB"), QLatin1String()},
    {QLatin1String("T10"), QLatin1String("T10"), QLatin1String()},
    {QLatin1String("TOR"), QLatin1String("TOR"), QLatin1String()},
    {QLatin1String("V4"), QLatin1String("V4"), QLatin1String()},
    {QLatin1String("VOI"), QLatin1String("VOI"), QLatin1String()},
    {QLatin1String("USB"), QLatin1String("SSB"), QLatin1String("USB")},
    {QLatin1String("LSB"), QLatin1String("SSB"), QLatin1String("LSB")},
    {QLatin1String("FT4"), QLatin1String("MFSK"), QLatin1String("FT4")},
    {QLatin1String("JS8"), QLatin1String("MFSK"), QLatin1String("JS8")},
    {QLatin1String("Q65"), QLatin1String("MFSK"), QLatin1String("Q65")},
    {QLatin1String("DMR"), QLatin1String("DIGITALVOICE"), QLatin1String("DMR")},
};

// Letters without a decomposition and signs of the code page, in ASCII.
const char *spelledOut(char32_t c)
{
    switch (c) {
    case U'Œ':
        return "OE";
    case U'œ':
        return "oe";
    case U'Æ':
        return "AE";
    case U'æ':
        return "ae";
    case U'ß':
        return "SS";
    case U'Ø':
        return "O";
    case U'ø':
        return "o";
    case U'Ð':
        return "D";
    case U'ð':
        return "d";
    case U'Þ':
        return "TH";
    case U'þ':
        return "th";
    case U'‘':
    case U'’':
    case U'‚':
    case U'‹':
    case U'›':
        return "'";
    case U'“':
    case U'”':
    case U'„':
    case U'«':
    case U'»':
        return "\"";
    case U'–':
    case U'—':
        return "-";
    case U'•':
        return "*";
    case U'€':
        return "EUR";
    case U'×':
        return "x";
    case U'÷':
        return "/";
    case U'\u00A0':
        return " ";
    default:
        return nullptr;
    }
}

bool isAdiCharacter(char32_t c)
{
    return c >= 32 && c <= 126;
}

class RecordWriter
{
public:
    void field(QLatin1String name, const QString &value)
    {
        if (!m_text.isEmpty())
            m_text += QLatin1Char(' ');
        m_text += QLatin1Char('<') + name + QLatin1Char(':') + QString::number(value.size()) +
                  QLatin1Char('>') + value;
    }
    // A first name or fountain name: the ASCII form, then the exact one when
    // the ASCII form lost something.
    void text(QLatin1String name, QLatin1String exactName, const QString &value)
    {
        if (value.isEmpty())
            return;
        const QString ascii = adiText(value);
        field(name, ascii);
        if (ascii != value)
            m_extra << std::pair{exactName, escapeForAdi(value)};
    }
    QString take()
    {
        for (const auto &[name, value] : std::as_const(m_extra))
            field(name, value);
        return m_text + QStringLiteral(" <EOR>");
    }

private:
    QString m_text;
    QList<std::pair<QLatin1String, QString>> m_extra;
};

QString standardRecord(const QString &station, const QString &line, AdifStandardCounts &counts)
{
    const auto cut = [&](const Column &c) { return c.cutTrimmed(line); };
    RecordWriter r;
    r.field(QLatin1String("STATION_CALLSIGN"), adiText(station));
    r.field(QLatin1String("CALL"), adiText(cut(QsoLine::Indicatif)));

    const QString date = cut(QsoLine::Date);
    if (!date.isEmpty()) {
        const bool modern = fullYearOf(date.right(2)) >= 2000;
        r.field(QLatin1String("QSO_DATE"),
                adiText((modern ? QStringLiteral("20") : QStringLiteral("19")) + date.right(2) +
                        date.mid(3, 2) + date.left(2)));
    }
    const QString time = cut(QsoLine::Heure);
    if (!time.isEmpty())
        r.field(QLatin1String("TIME_ON"), adiText(time.left(2) + time.right(2)));

    const QString band = adifBand(cut(QsoLine::QRG));
    if (band.isEmpty())
        ++counts.withoutBand;
    else
        r.field(QLatin1String("BAND"), band);
    const AdifMode mode = adifModeFor(cut(QsoLine::Mode));
    if (mode.mode.isEmpty()) {
        ++counts.withoutMode;
    } else {
        r.field(QLatin1String("MODE"), mode.mode);
        if (!mode.submode.isEmpty())
            r.field(QLatin1String("SUBMODE"), mode.submode);
    }
    r.field(QLatin1String("RST_SENT"), adiText(cut(QsoLine::RstE)));
    r.field(QLatin1String("RST_RCVD"), adiText(cut(QsoLine::RstR)));
    r.text(QLatin1String("NAME"), kAppNameField, cut(QsoLine::Prenom));
    r.field(QLatin1String("SIG"), QStringLiteral("VQX"));
    r.field(QLatin1String("SIG_INFO"), adiText(cut(QsoLine::Ref)));
    r.text(QLatin1String("COMMENT"), kAppCommentField, cut(QsoLine::NomFontaine));
    const bool confirmed = QsoLine::QSL.cut(line) == u"*";
    r.field(QLatin1String("QSL_RCVD"), confirmed ? QStringLiteral("Y") : QStringLiteral("N"));
    return r.take();
}

} // namespace

QString adifStandardFileName(const QString &indicatifStation)
{
    return indicatifStation + QStringLiteral("_VQX_standard.adi");
}

QString adiText(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (const char32_t c : text.toUcs4()) {
        if (isAdiCharacter(c)) {
            out += QChar(char16_t(c));
        } else if (const char *s = spelledOut(c)) {
            out += QLatin1String(s);
        } else if (c < 32 || (c >= 0x7F && c <= 0x9F)) {
            out += QLatin1Char(' ');
        } else {
            // The letter without its accent, when the rest of it is ASCII.
            QString base;
            for (QChar d : QString::fromUcs4(&c, 1).normalized(QString::NormalizationForm_KD)) {
                if (isAdiCharacter(d.unicode())) {
                    base += d;
                } else if (d.category() != QChar::Mark_NonSpacing) {
                    base.clear();
                    break;
                }
            }
            out += base.isEmpty() ? QStringLiteral("?") : base;
        }
    }
    return out;
}

QString escapeForAdi(const QString &text)
{
    QString out;
    for (const char32_t c : text.toUcs4()) {
        if (isAdiCharacter(c) && c != U'&')
            out += QChar(char16_t(c));
        else
            out += QStringLiteral("&#%1;").arg(quint32(c));
    }
    return out;
}

QString unescapeFromAdi(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i) == u'&' && text.mid(i + 1, 1) == u"#") {
            const qsizetype end = text.indexOf(QLatin1Char(';'), i + 2);
            bool ok = false;
            const uint code =
                end > i + 2 && end - i <= 9 ? text.mid(i + 2, end - i - 2).toUInt(&ok) : 0;
            if (ok && code > 0 && code <= 0x10FFFF && (code < 0xD800 || code > 0xDFFF)) {
                const char32_t c = code;
                out += QString::fromUcs4(&c, 1);
                i = end;
                continue;
            }
        }
        out += text.at(i);
    }
    return out;
}

AdifMode adifModeFor(QStringView logMode)
{
    for (const ModeName &m : kModes) {
        if (logMode.compare(m.log, Qt::CaseInsensitive) == 0)
            return {m.mode, m.submode};
    }
    return {};
}

QByteArray adifStandardContent(const QString &stationCallsign, const QString &programVersion,
                               const QDateTime &createdUtc, const QByteArray &logBytes,
                               AdifStandardCounts *counts)
{
    AdifStandardCounts c;
    QStringList lines;
    // Free text first: a file starting with "<" would have no header.
    lines << QStringLiteral("Export ADIF standard du log de la station ") +
                 adiText(stationCallsign).remove(QLatin1Char('<'));
    const auto header = [](QLatin1String name, const QString &value) {
        return QLatin1Char('<') + name + QLatin1Char(':') + QString::number(value.size()) +
               QLatin1Char('>') + value;
    };
    lines << header(QLatin1String("ADIF_VER"), kAdifVersion);
    lines << header(QLatin1String("PROGRAMID"), kProgramId);
    lines << header(QLatin1String("PROGRAMVERSION"), adiText(programVersion.trimmed()));
    lines << header(QLatin1String("CREATED_TIMESTAMP"),
                    createdUtc.toUTC().toString(QStringLiteral("yyyyMMdd HHmmss")));
    lines << QStringLiteral("<EOH>");

    QString line;
    for (const QByteArrayView raw : codepage::splitRawLines(logBytes)) {
        codepage::decodeInto(raw, line);
        if (line.trimmed().isEmpty())
            continue;
        lines << standardRecord(stationCallsign, line, c);
        ++c.records;
    }
    if (counts)
        *counts = c;
    // Every character is ASCII: one byte each, whatever the reader's code page.
    return codepage::encodeLines(lines);
}

AdifStandardExportResult writeStandardAdifExport(const QString &dataDir,
                                                 const QString &indicatifStation,
                                                 const QString &programVersion,
                                                 const QDateTime &createdUtc,
                                                 const ScratchWriter &writer)
{
    AdifStandardExportResult r;
    QByteArray log;
    if (!readLogForExport(r, dataDir, indicatifStation, adifStandardFileName(indicatifStation),
                          &log))
        return r;
    // The station's callsign as it is spoken: "/" where the file name has "_".
    const QString station = QString(indicatifStation).replace(QLatin1Char('_'), QLatin1Char('/'));
    AdifStandardCounts counts;
    const QByteArray content =
        adifStandardContent(station, programVersion, createdUtc, log, &counts);
    if (!writeExport(r, content, writer))
        return r;
    r.records = counts.records;
    r.withoutBand = counts.withoutBand;
    r.withoutMode = counts.withoutMode;
    return r;
}

} // namespace vqx
