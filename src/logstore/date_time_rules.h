#pragma once

#include <QString>

namespace vqx {

// 0 when the 8-character text is a date dd/mm/yy, 1 otherwise. Only upper
// bounds are tested: 00/00/00 and 31/02/08 pass.
int Verifier_Date(const QString &text);

// 0 when the 5-character text is a time hh:mm (00:00 to 23:59), 1 otherwise.
int Verifier_Heure(const QString &text);

// The message for a typed date or time, "" when it is accepted.
QString dateMessage(const QString &text);
QString heureMessage(const QString &text);

} // namespace vqx
