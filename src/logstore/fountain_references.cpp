#include "logstore/fountain_references.h"

#include "logstore/entry_rules.h"

#include <QRegularExpression>

namespace vqx {

QStringList fountainReferencesIn(const QString &text)
{
    // A reference stands alone: no letter or digit glued before it (but the
    // award's name may be), none after its number. One separator at most
    // between its parts.
    static const QRegularExpression pattern(
        QStringLiteral("(?<![A-Z0-9])(?:VQX[ \\-_:/]*)?([0-9]{2}|2[AB])[ \\-_./]?(F[AT])[ "
                       "\\-_./]?([0-9]{3})(?![0-9])"),
        QRegularExpression::CaseInsensitiveOption);
    QStringList found;
    auto it = pattern.globalMatch(text);
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        const QString ref = (m.captured(1) + m.captured(2) + m.captured(3)).toUpper();
        if (isFountainReference(ref) && !found.contains(ref))
            found << ref;
    }
    return found;
}

} // namespace vqx
