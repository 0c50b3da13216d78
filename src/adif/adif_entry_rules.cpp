#include "adif/adif_entry_rules.h"

#include "logstore/codepage.h"
#include "logstore/date_time_rules.h"

namespace vqx {

namespace {

QString quoted(const QString &value)
{
    return QStringLiteral("« ") + value + QStringLiteral(" »");
}

QString tooLong(const QString &what, const QString &value, int max)
{
    return what + QLatin1Char(' ') + quoted(value) +
           QStringLiteral(" trop long (%1 caractères au plus)").arg(max);
}

// A report is 1 to 3 characters and starts with a digit from 0 to 5.
QString reportProblem(const QString &what, const QString &value)
{
    if (value.isEmpty())
        return what + QStringLiteral(" absent");
    if (value.size() > 3)
        return tooLong(what, value, 3);
    const QChar first = value.at(0);
    if (first < QLatin1Char('0') || first > QLatin1Char('5'))
        return what + QLatin1Char(' ') + quoted(value) +
               QStringLiteral(" : le premier caractère doit être un chiffre de 0 à 5");
    return {};
}

// The first character the log's code page cannot hold, or that no key types
// (a control character), with what it belongs to.
QString codePageProblem(const QString &what, const QString &value)
{
    for (QChar c : value) {
        if (c.unicode() < 0x20 || (c.unicode() >= 0x7F && c.unicode() <= 0x9F))
            return QStringLiteral("caractère de contrôle (U+%1) impossible à écrire dans le log "
                                  "(%2)")
                .arg(c.unicode(), 4, 16, QLatin1Char('0'))
                .arg(what);
        if (!codepage::isRepresentable(c))
            return QStringLiteral("caractère %1 (U+%2) impossible à écrire dans le log (%3)")
                .arg(quoted(QString(c)))
                .arg(c.unicode(), 4, 16, QLatin1Char('0'))
                .arg(what);
    }
    return {};
}

} // namespace

QChar upperAsTyped(QChar c)
{
    const QChar upper = c.toUpper();
    return upper != c && codepage::isRepresentable(upper) ? upper : c;
}

QString upperAsTyped(const QString &text)
{
    QString out = text;
    for (QChar &c : out)
        c = upperAsTyped(c);
    return out;
}

bool isFountainReference(const QString &ref)
{
    if (ref.size() != 7)
        return false;
    const auto digit = [&](int i) { return ref.at(i) >= u'0' && ref.at(i) <= u'9'; };
    const QString dpt = ref.left(2).toUpper();
    if (dpt != u"2A" && dpt != u"2B") {
        if (!digit(0) || !digit(1))
            return false;
        const int n = dpt.toInt();
        if (n < 1 || n > 95)
            return false;
    }
    const QString type = ref.mid(2, 2).toUpper();
    if (type != u"FA" && type != u"FT")
        return false;
    return digit(4) && digit(5) && digit(6);
}

QString defaultReportFor(const QString &mode)
{
    return mode == u"CW" ? QStringLiteral("599") : QStringLiteral("59");
}

QString entryRuleProblem(const QsoFields &f)
{
    if (f.indicatif.isEmpty())
        return QStringLiteral("indicatif absent");
    if (f.indicatif.size() > QsoLine::Indicatif.width)
        return tooLong(QStringLiteral("indicatif"), f.indicatif, QsoLine::Indicatif.width);
    if (f.prenom.size() > QsoLine::Prenom.width)
        return tooLong(QStringLiteral("prénom"), f.prenom, QsoLine::Prenom.width);
    if (!isFountainReference(f.ref))
        return QStringLiteral("référence de fontaine ") + quoted(f.ref) +
               QStringLiteral(" invalide (exemple : 31FA001)");
    if (f.dpt.size() > QsoLine::Dpt.width)
        return tooLong(QStringLiteral("département"), f.dpt, QsoLine::Dpt.width);
    if (f.date.size() != QsoLine::Date.width || Verifier_Date(f.date) != 0)
        return QStringLiteral("date ") + quoted(f.date) + QStringLiteral(" invalide");
    if (f.heure.size() != QsoLine::Heure.width || Verifier_Heure(f.heure) != 0)
        return QStringLiteral("heure ") + quoted(f.heure) + QStringLiteral(" invalide");
    if (f.mode.isEmpty())
        return QStringLiteral("mode absent");
    // The entry takes up to 6 characters, the log's column only 3.
    if (f.mode.size() > QsoLine::Mode.width)
        return tooLong(QStringLiteral("mode"), f.mode, QsoLine::Mode.width);
    if (f.qrg.isEmpty())
        return QStringLiteral("bande absente");
    if (f.qrg.size() > QsoLine::QRG.width)
        return tooLong(QStringLiteral("bande"), f.qrg, QsoLine::QRG.width);
    if (QString p = reportProblem(QStringLiteral("report reçu"), f.rstR); !p.isEmpty())
        return p;
    if (QString p = reportProblem(QStringLiteral("report envoyé"), f.rstE); !p.isEmpty())
        return p;
    const QString name = f.nomFontaine.trimmed();
    if (name.size() > QsoLine::NomFontaine.width)
        return QStringLiteral("nom de la fontaine trop long (%1 caractères, %2 au plus)")
            .arg(name.size())
            .arg(QsoLine::NomFontaine.width);
    const std::pair<QString, const QString *> values[] = {
        {QStringLiteral("indicatif"), &f.indicatif}, {QStringLiteral("prénom"), &f.prenom},
        {QStringLiteral("mode"), &f.mode},           {QStringLiteral("report reçu"), &f.rstR},
        {QStringLiteral("report envoyé"), &f.rstE},  {QStringLiteral("nom de la fontaine"), &name},
    };
    for (const auto &[what, value] : values) {
        if (QString p = codePageProblem(what, *value); !p.isEmpty())
            return p;
    }
    return {};
}

} // namespace vqx
