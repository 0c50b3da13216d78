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

// The ADIF field a value comes from, where there is only one.
QString adifTag(EntryField field)
{
    switch (field) {
    case EntryField::Bande:
        return QStringLiteral(" (BAND)");
    case EntryField::Indicatif:
        return QStringLiteral(" (CALL)");
    case EntryField::Prenom:
        return QStringLiteral(" (NAME)");
    case EntryField::Date:
        return QStringLiteral(" (QSO_DATE)");
    case EntryField::Heure:
        return QStringLiteral(" (TIME_ON)");
    case EntryField::Mode:
        return QStringLiteral(" (MODE)");
    case EntryField::RstR:
        return QStringLiteral(" (RST_RCVD)");
    case EntryField::RstE:
        return QStringLiteral(" (RST_SENT)");
    case EntryField::Ref:
    case EntryField::Dpt:
    case EntryField::NomFontaine:
        break;
    }
    return {};
}

// "le mode", "un report": the field as the sentence on the log's limit names it.
QString limitSubject(EntryField field)
{
    switch (field) {
    case EntryField::RstR:
    case EntryField::RstE:
        return QStringLiteral("un report");
    case EntryField::Indicatif:
        return QStringLiteral("l'indicatif");
    case EntryField::Bande:
        return QStringLiteral("la bande");
    case EntryField::Ref:
        return QStringLiteral("la référence");
    case EntryField::Date:
        return QStringLiteral("la date");
    case EntryField::Heure:
        return QStringLiteral("l'heure");
    default:
        return QStringLiteral("le ") + fieldName(field);
    }
}

int columnWidth(EntryField field)
{
    switch (field) {
    case EntryField::Bande:
        return QsoLine::QRG.width;
    case EntryField::Indicatif:
        return QsoLine::Indicatif.width;
    case EntryField::Prenom:
        return QsoLine::Prenom.width;
    case EntryField::Ref:
        return QsoLine::Ref.width;
    case EntryField::Dpt:
        return QsoLine::Dpt.width;
    case EntryField::Date:
        return QsoLine::Date.width;
    case EntryField::Heure:
        return QsoLine::Heure.width;
    case EntryField::Mode:
        return QsoLine::Mode.width;
    case EntryField::RstR:
        return QsoLine::RstR.width;
    case EntryField::RstE:
        return QsoLine::RstE.width;
    case EntryField::NomFontaine:
        return QsoLine::NomFontaine.width;
    }
    return 0;
}

// Why a record is refused by the entry's rule of `field`: what the field
// was, and what the log can hold instead of the entry's short words.
QString importRefusal(EntryField field, const QString &value, const QString &entryMessage)
{
    const QString what = fieldName(field) + adifTag(field);
    if (value.isEmpty())
        return what + QStringLiteral(" absent : le log a besoin de cette valeur");
    const QString head = what + QLatin1Char(' ') + quoted(value) + QStringLiteral(" : ");
    if (value.size() > columnWidth(field))
        return head + QStringLiteral("le log garde %1 caractères au plus pour %2")
                          .arg(columnWidth(field))
                          .arg(limitSubject(field));
    if (field == EntryField::RstR || field == EntryField::RstE)
        return head + QStringLiteral("un report RST est attendu (59, 599…)");
    if (field == EntryField::Bande)
        return head + QStringLiteral("le log ne garde que les bandes de sa liste");
    return head + entryMessage;
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
    // The entry's own rules, worded for a record the operator did not type:
    // the field, its value as the file gives it, and what the log can hold.
    if (const FieldProblem p = checkContact(f); !p.ok())
        return importRefusal(p.field, valueOf(f, p.field), p.message);
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
