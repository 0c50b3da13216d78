#pragma once

#include "logstore/log_record.h"

#include <QString>

namespace vqx {

// The entry fields of a contact, in the order the operator fills them.
enum class EntryField
{
    Bande,
    Indicatif,
    Prenom,
    Ref,
    Dpt,
    Date,
    Heure,
    Mode,
    RstR,
    RstE,
    NomFontaine
};

// Each rule returns "" when the value is accepted, otherwise the message
// that tells the operator why it is not. The date and time rules are
// dateMessage() and heureMessage().
//
// A band is one of the band list. Typed text names an item ignoring case
// and blanks ("14 mhz", " 14MHZ"); anything else is refused.
QString bandeMessage(const QString &text);
// The position in the band list of the item the text names, -1 when none.
int bandePosition(const QString &text);
// The item of the band list the text names; other text is returned unchanged
// for bandeMessage() to refuse.
QString bandeForEntry(const QString &text);
QString indicatifMessage(const QString &text);
QString prenomMessage(const QString &text);
QString refMessage(const QString &text);
// The department is kept in lower case (2A becomes 2a); the rule is given
// the lower-cased text.
QString departementForEntry(const QString &text);
QString dptMessage(const QString &text);
// The Mode column holds three characters: four to six are refused with
// their own message.
QString modeMessage(const QString &text);
// Both reports, received and sent.
QString reportMessage(const QString &text);
QString nomFontaineMessage(const QString &text);

// A fountain reference: department 01 to 95, 2A or 2B, type FA or FT, then
// three digits (letters in any case).
bool isFountainReference(const QString &ref);

// The default report of a mode: 599 in CW, 59 otherwise.
QString defaultReportFor(const QString &mode);

// The rule of one field applied to its value.
QString fieldMessage(EntryField field, const QString &text);

struct FieldProblem
{
    EntryField field = EntryField::Bande;
    QString message; // "" when every field is accepted
    bool ok() const { return message.isEmpty(); }
};

// The whole contact before it is written: the first field, in entry order,
// whose value breaks its rule.
FieldProblem checkContact(const QsoFields &f);

} // namespace vqx
