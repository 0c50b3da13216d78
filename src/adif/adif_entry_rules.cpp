#include "adif/adif_entry_rules.h"

#include "logstore/codepage.h"
#include "logstore/entry_rules.h"

namespace vqx {

namespace {

QString quoted(const QString &value)
{
    return QStringLiteral("« ") + value + QStringLiteral(" »");
}

QString fieldName(EntryField field)
{
    switch (field) {
    case EntryField::Bande:
        return QStringLiteral("bande");
    case EntryField::Indicatif:
        return QStringLiteral("indicatif");
    case EntryField::Prenom:
        return QStringLiteral("prénom");
    case EntryField::Ref:
        return QStringLiteral("référence");
    case EntryField::Dpt:
        return QStringLiteral("département");
    case EntryField::Date:
        return QStringLiteral("date");
    case EntryField::Heure:
        return QStringLiteral("heure");
    case EntryField::Mode:
        return QStringLiteral("mode");
    case EntryField::RstR:
        return QStringLiteral("report reçu");
    case EntryField::RstE:
        return QStringLiteral("report envoyé");
    case EntryField::NomFontaine:
        return QStringLiteral("nom de la fontaine");
    }
    return {};
}

const QString &valueOf(const QsoFields &f, EntryField field)
{
    switch (field) {
    case EntryField::Bande:
        return f.qrg;
    case EntryField::Indicatif:
        return f.indicatif;
    case EntryField::Prenom:
        return f.prenom;
    case EntryField::Ref:
        return f.ref;
    case EntryField::Dpt:
        return f.dpt;
    case EntryField::Date:
        return f.date;
    case EntryField::Heure:
        return f.heure;
    case EntryField::Mode:
        return f.mode;
    case EntryField::RstR:
        return f.rstR;
    case EntryField::RstE:
        return f.rstE;
    case EntryField::NomFontaine:
        break;
    }
    return f.nomFontaine;
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
    return codepage::upper(c);
}

QString upperAsTyped(const QString &text)
{
    return codepage::upper(text);
}

QString entryRuleProblem(const QsoFields &f)
{
    // The entry's own rules, with its own words; the value in front, so that
    // the operator finds it in the file.
    if (const FieldProblem p = checkContact(f); !p.ok()) {
        const QString &value = valueOf(f, p.field);
        return fieldName(p.field) +
               (value.isEmpty() ? QStringLiteral(" absent") : QLatin1Char(' ') + quoted(value)) +
               QStringLiteral(" : ") + p.message;
    }
    // What typing cannot produce: a reference the award does not know, a
    // character outside the code page or a control character.
    if (!isFountainReference(f.ref))
        return QStringLiteral("référence de fontaine ") + quoted(f.ref) +
               QStringLiteral(" invalide (exemple : 31FA001)");
    for (EntryField field : {EntryField::Indicatif, EntryField::Prenom, EntryField::Mode,
                             EntryField::RstR, EntryField::RstE, EntryField::NomFontaine}) {
        if (QString p = codePageProblem(fieldName(field), valueOf(f, field)); !p.isEmpty())
            return p;
    }
    return {};
}

} // namespace vqx
