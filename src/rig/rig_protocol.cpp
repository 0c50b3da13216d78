#include "rig/rig_protocol.h"

#include "logstore/bands.h"

#include <QDir>
#include <QRegularExpression>

namespace vqx::rig {

namespace {

// No reply line is longer; anything longer is not rigctld talking.
constexpr qsizetype kLongestLine = 256;

// A Hamlib mode name: capitals and digits ("USB", "PKTUSB", "C4FM").
bool isModeName(QStringView s)
{
    if (s.isEmpty() || s.size() > 16)
        return false;
    for (QChar c : s) {
        if (!((c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9')))
            return false;
    }
    return true;
}

// A whole number, optionally signed; rigctld may print a frequency with
// decimals ("14285000.000000"), which are below the Hz and dropped.
bool readWhole(QStringView s, qint64 *value, bool allowFraction)
{
    if (s.isEmpty() || s.size() > 24)
        return false;
    bool negative = false;
    if (s.front() == u'-') {
        negative = true;
        s = s.mid(1);
    }
    const qsizetype point = allowFraction ? s.indexOf(u'.') : -1;
    QStringView whole = point >= 0 ? s.left(point) : s;
    if (whole.isEmpty())
        return false;
    if (point >= 0) {
        for (QChar c : s.mid(point + 1)) {
            if (c < u'0' || c > u'9')
                return false;
        }
    }
    qint64 v = 0;
    for (QChar c : whole) {
        if (c < u'0' || c > u'9')
            return false;
        v = v * 10 + (c.unicode() - u'0');
    }
    *value = negative ? -v : v;
    return true;
}

// The line that ends at the first '\n' from `from`, without its '\r'; false
// while the line is not whole.
bool takeLine(const QByteArray &buffer, qsizetype from, QString *line, qsizetype *next)
{
    const qsizetype end = buffer.indexOf('\n', from);
    if (end < 0)
        return false;
    QByteArray bytes = buffer.mid(from, end - from);
    if (bytes.endsWith('\r'))
        bytes.chop(1);
    *line = QString::fromLatin1(bytes).trimmed();
    *next = end + 1;
    return true;
}

} // namespace

Reply readReply(Query query, const QByteArray &buffer)
{
    Reply r;
    QString first;
    qsizetype next = 0;
    if (!takeLine(buffer, 0, &first, &next)) {
        if (buffer.size() > kLongestLine)
            r.kind = Reply::Garbage;
        return r;
    }
    if (next - 1 > kLongestLine || query == Query::None) {
        r.kind = Reply::Garbage;
        return r;
    }
    if (first.startsWith(QLatin1String("RPRT "))) {
        qint64 code = 0;
        r.kind = readWhole(QStringView(first).mid(5), &code, false) && code <= 0 && code > -1000
                     ? Reply::Report
                     : Reply::Garbage;
        r.code = int(code);
        r.consumed = next;
        return r;
    }
    r.consumed = next;
    switch (query) {
    case Query::Frequency:
        r.kind = readWhole(first, &r.hz, true) && r.hz >= 0 ? Reply::Frequency : Reply::Garbage;
        return r;
    case Query::Mode: {
        if (!isModeName(first)) {
            r.kind = Reply::Garbage;
            return r;
        }
        QString second;
        qsizetype after = 0;
        if (!takeLine(buffer, next, &second, &after)) {
            r.consumed = 0;
            if (buffer.size() - next > kLongestLine)
                r.kind = Reply::Garbage;
            return r;
        }
        r.mode = first;
        r.kind = readWhole(second, &r.passband, false) ? Reply::Mode : Reply::Garbage;
        r.consumed = after;
        return r;
    }
    case Query::SetCommand:
    case Query::None:
        break;
    }
    r.kind = Reply::Garbage;
    return r;
}

QByteArray setFrequencyCommand(qint64 hz)
{
    return "F " + QByteArray::number(hz) + '\n';
}

QByteArray setModeCommand(const QString &hamlibMode)
{
    if (!isModeName(hamlibMode))
        return {};
    return "M " + hamlibMode.toLatin1() + " 0\n";
}

QString entryModeOf(QStringView hamlibMode)
{
    if (hamlibMode == u"USB" || hamlibMode == u"LSB")
        return QStringLiteral("SSB");
    if (hamlibMode == u"CW" || hamlibMode == u"CWR")
        return QStringLiteral("CW");
    if (hamlibMode == u"FM" || hamlibMode == u"FMN")
        return QStringLiteral("FM");
    return {};
}

RadioEntry radioEntry(qint64 hz, const QString &hamlibMode)
{
    RadioEntry e;
    if (const Band *band = bandOfFrequency(hz))
        e.bandIndex = int(band - entryBands());
    e.mode = entryModeOf(hamlibMode);
    return e;
}

QString khzText(qint64 hz)
{
    const bool negative = hz < 0;
    const qint64 a = negative ? -hz : hz;
    QString whole = QString::number(a / 1000);
    for (qsizetype i = whole.size() - 3; i > 0; i -= 3)
        whole.insert(i, QLatin1Char(' '));
    return (negative ? QStringLiteral("-") : QString()) + whole + QLatin1Char(',') +
           QStringLiteral("%1").arg(a % 1000, 3, 10, QLatin1Char('0'));
}

QString readingStatus(qint64 hz, const QString &hamlibMode)
{
    const RadioEntry e = radioEntry(hz, hamlibMode);
    QStringList kept;
    if (e.bandIndex < 0)
        kept << QStringLiteral("hors des bandes de la liste, bande gardée");
    if (e.mode.isEmpty())
        kept << QStringLiteral("mode gardé");
    QString text = QStringLiteral("Poste : ") + khzText(hz) + QStringLiteral(" kHz ") + hamlibMode;
    if (!kept.isEmpty())
        text += QStringLiteral(" (") + kept.join(QStringLiteral(", ")) + QLatin1Char(')');
    return text;
}

static QString endpoint(const QString &host, quint16 port)
{
    return QStringLiteral("(") + host + QLatin1Char(':') + QString::number(port) + QLatin1Char(')');
}

QString connectingStatus(const QString &host, quint16 port)
{
    return QStringLiteral("Poste : connexion à rigctld ") + endpoint(host, port);
}

QString noAnswerStatus(const QString &host, quint16 port)
{
    return QStringLiteral("Poste : pas de réponse de rigctld ") + endpoint(host, port);
}

QString garbageStatus(const QString &host, quint16 port)
{
    return QStringLiteral("Poste : réponse illisible de rigctld ") + endpoint(host, port);
}

QString errorStatus(int code)
{
    // Hamlib's error numbers, as rigctld reports them.
    QString meaning;
    switch (code) {
    case -1:
        meaning = QStringLiteral("paramètre refusé");
        break;
    case -2:
        meaning = QStringLiteral("erreur de configuration");
        break;
    case -4:
    case -11:
        meaning = QStringLiteral("fonction absente de ce poste");
        break;
    case -5:
        meaning = QStringLiteral("le poste ne répond pas");
        break;
    case -6:
        meaning = QStringLiteral("erreur de liaison avec le poste");
        break;
    case -8:
        meaning = QStringLiteral("erreur de protocole");
        break;
    case -9:
        meaning = QStringLiteral("commande rejetée par le poste");
        break;
    default:
        meaning = QStringLiteral("erreur Hamlib");
        break;
    }
    return QStringLiteral("Poste : rigctld répond RPRT ") + QString::number(code) +
           QStringLiteral(" (") + meaning + QLatin1Char(')');
}

QString notInstalledStatus()
{
    return QStringLiteral("Poste : rigctld n'est pas installé (paquet ") + kHamlibPackage +
           QLatin1Char(')');
}

QString daemonEndedStatus(int exitCode, const QString &lastError)
{
    QString text =
        QStringLiteral("Poste : rigctld s'est arrêté (code ") + QString::number(exitCode) + ')';
    if (!lastError.isEmpty())
        text += QStringLiteral(" : ") + lastError;
    return text;
}

QString RigModel::label() const
{
    return QString::number(number) + QStringLiteral("  ") + maker + QLatin1Char(' ') + model;
}

QList<RigModel> parseModelList(const QString &output)
{
    QList<RigModel> models;
    const QStringList lines = output.split(QLatin1Char('\n'));
    // The columns start where the header's words do.
    qsizetype mfg = -1, model = -1, version = -1;
    static const QRegularExpression gaps(QStringLiteral("\\s{2,}"));
    for (const QString &raw : lines) {
        const QString line = QString(raw).remove(QLatin1Char('\r'));
        if (line.contains(QLatin1String("Mfg")) && line.contains(QLatin1String("Model"))) {
            mfg = line.indexOf(QLatin1String("Mfg"));
            model = line.indexOf(QLatin1String("Model"));
            version = line.indexOf(QLatin1String("Version"));
            continue;
        }
        const QString trimmed = line.trimmed();
        const qsizetype space = trimmed.indexOf(QLatin1Char(' '));
        bool ok = false;
        const int number = trimmed.left(space).toInt(&ok);
        if (!ok || number <= 0 || space < 0)
            continue;
        RigModel m;
        m.number = number;
        if (mfg > 0 && model > mfg && version > model && line.size() > model) {
            m.maker = line.mid(mfg, model - mfg).trimmed();
            m.model = line.mid(model, version - model).trimmed();
        } else {
            const QStringList parts = trimmed.mid(space).trimmed().split(gaps);
            m.maker = parts.value(0);
            m.model = parts.value(1);
        }
        if (!m.maker.isEmpty() || !m.model.isEmpty())
            models << m;
    }
    return models;
}

int modelNumberOf(const QString &label)
{
    static const QRegularExpression lead(QStringLiteral("^\\s*(\\d{1,6})(\\s|$)"));
    const QRegularExpressionMatch m = lead.match(label);
    return m.hasMatch() ? m.captured(1).toInt() : 0;
}

QStringList serialPortNames(const QString &devFolder)
{
    QStringList names;
    const QDir dev(devFolder);
    for (const QString &n : dev.entryList({QStringLiteral("ttyUSB*"), QStringLiteral("ttyACM*")},
                                          QDir::System | QDir::Files, QDir::Name))
        names << dev.filePath(n);
    const QDir byId(dev.filePath(QStringLiteral("serial/by-id")));
    for (const QString &n : byId.entryList(QDir::System | QDir::Files, QDir::Name))
        names << byId.filePath(n);
    return names;
}

} // namespace vqx::rig
