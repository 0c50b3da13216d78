#include "logstore/entry_rules.h"

#include "logstore/bands.h"
#include "logstore/codepage.h"
#include "logstore/date_time_rules.h"

#include <algorithm>

namespace vqx {

namespace {

QString withoutBlanks(const QString &text)
{
    if (std::none_of(text.cbegin(), text.cend(), [](QChar c) { return c.isSpace(); }))
        return text;
    QString kept;
    for (QChar c : text) {
        if (!c.isSpace())
            kept += c;
    }
    return kept;
}

} // namespace

int bandePosition(const QString &text)
{
    // Most text is a band as the list writes it.
    const int exact = bandEntryTexts().indexOf(text);
    if (exact >= 0)
        return exact;
    const QString typed = withoutBlanks(text);
    if (typed.isEmpty())
        return -1;
    static const QStringList names = [] {
        QStringList kept;
        for (const QString &band : bandEntryTexts())
            kept << withoutBlanks(band);
        return kept;
    }();
    for (int i = 0; i < names.size(); ++i) {
        if (names.at(i).compare(typed, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

QString bandeForEntry(const QString &text)
{
    const int i = bandePosition(text);
    return i < 0 ? text : kBandList.at(i);
}

QString bandeMessage(const QString &text)
{
    if (text.isEmpty())
        return QStringLiteral("Entrez une QRG");
    if (text.size() > QsoLine::QRG.width)
        return QStringLiteral("7 caracteres maxi pour la QRG");
    // Only a band of the list is counted for the awards and exported.
    if (bandePosition(text) < 0)
        return QStringLiteral("La QRG doit etre une des bandes de la liste");
    return {};
}

QString indicatifMessage(const QString &text)
{
    if (text.isEmpty())
        return QStringLiteral("Entrez un indicatif");
    if (text.size() > QsoLine::Indicatif.width)
        return QStringLiteral("12 caracteres maxi pour l'indicatif");
    return {};
}

QString prenomMessage(const QString &text)
{
    if (text.size() > QsoLine::Prenom.width)
        return QStringLiteral("15 caracteres maxi pour le Prenom");
    return {};
}

QString refMessage(const QString &text)
{
    if (text.isEmpty())
        return QStringLiteral("Entrez une reférence");
    if (text.size() != QsoLine::Ref.width)
        return QStringLiteral("7 caracteres pour la reference ex: 31FA001");
    const QStringView type = QStringView(text).mid(2, 2);
    if (type != u"FA" && type != u"FT")
        return QStringLiteral("Le type de la fontaine doit etre FA ou FT");
    return {};
}

QString departementForEntry(const QString &text)
{
    return codepage::lower(text);
}

QString dptMessage(const QString &text)
{
    if (text.size() > QsoLine::Dpt.width)
        return QStringLiteral("2 caracteres maxi pour le Departement");
    return {};
}

QString modeMessage(const QString &text)
{
    if (text.isEmpty())
        return QStringLiteral("Entrez un Mode");
    if (text.size() > 6)
        return QStringLiteral("6 caracteres maxi pour le Mode");
    if (text.size() > QsoLine::Mode.width)
        return QStringLiteral("3 caracteres maxi pour le Mode");
    return {};
}

QString reportMessage(const QString &text)
{
    if (text.isEmpty())
        return QStringLiteral("Entrez un Report");
    if (text.size() > QsoLine::RstR.width)
        return QStringLiteral("3 caracteres maxi pour le Report");
    // R (readability) is a digit from 0 to 5; anything else is refused the same way.
    const QChar r = text.at(0);
    if (r < QLatin1Char('0') || r > QLatin1Char('5'))
        return QStringLiteral("R (de RST)doit etre compris entre 0 et 5");
    return {};
}

QString nomFontaineMessage(const QString &text)
{
    if (text.size() > QsoLine::NomFontaine.width)
        return QStringLiteral("30 caracteres maxi pour le nom de la Fontaine");
    return {};
}

bool isFountainReference(const QString &ref)
{
    if (ref.size() != 7)
        return false;
    const auto digit = [&](int i) { return ref.at(i) >= u'0' && ref.at(i) <= u'9'; };
    const auto is = [&](int i, char16_t c) { return ref.at(i).toUpper() == QChar(c); };
    if (!(ref.at(0) == u'2' && (is(1, u'A') || is(1, u'B')))) {
        if (!digit(0) || !digit(1))
            return false;
        const int n = (ref.at(0).unicode() - u'0') * 10 + (ref.at(1).unicode() - u'0');
        if (n < 1 || n > 95)
            return false;
    }
    if (!is(2, u'F') || !(is(3, u'A') || is(3, u'T')))
        return false;
    return digit(4) && digit(5) && digit(6);
}

QString defaultReportFor(const QString &mode)
{
    return mode == u"CW" ? QStringLiteral("599") : QStringLiteral("59");
}

QString fieldMessage(EntryField field, const QString &text)
{
    switch (field) {
    case EntryField::Bande:
        return bandeMessage(text);
    case EntryField::Indicatif:
        return indicatifMessage(text);
    case EntryField::Prenom:
        return prenomMessage(text);
    case EntryField::Ref:
        return refMessage(text);
    case EntryField::Dpt:
        return dptMessage(departementForEntry(text));
    case EntryField::Date:
        return dateMessage(text);
    case EntryField::Heure:
        return heureMessage(text);
    case EntryField::Mode:
        return modeMessage(text);
    case EntryField::RstR:
    case EntryField::RstE:
        return reportMessage(text);
    case EntryField::NomFontaine:
        return nomFontaineMessage(text);
    }
    return {};
}

FieldProblem checkContact(const QsoFields &f)
{
    const std::pair<EntryField, const QString &> values[] = {
        {EntryField::Bande, f.qrg},
        {EntryField::Indicatif, f.indicatif},
        {EntryField::Prenom, f.prenom},
        {EntryField::Ref, f.ref},
        {EntryField::Dpt, f.dpt},
        {EntryField::Date, f.date},
        {EntryField::Heure, f.heure},
        {EntryField::Mode, f.mode},
        {EntryField::RstR, f.rstR},
        {EntryField::RstE, f.rstE},
        {EntryField::NomFontaine, f.nomFontaine}};
    for (const auto &[field, value] : values) {
        const QString problem = fieldMessage(field, value);
        if (!problem.isEmpty())
            return {field, problem};
    }
    return {};
}

} // namespace vqx
