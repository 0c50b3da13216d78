#pragma once

#include "logstore/entry_rules.h"
#include "logstore/log_record.h"

#include <QString>

namespace vqx {

// The rules a contact typed in the entry area obeys, for contacts that come
// from elsewhere: each value must be one the entry would have accepted.

// A character as the entry upper-cases it: its capital when that is one
// character the log's code page holds, otherwise the character itself.
QChar upperAsTyped(QChar c);
QString upperAsTyped(const QString &text);

// Why the entry would have refused these values, "" when it would have
// recorded them. The values are as the fields would hold them (upper case,
// the department taken from the reference).
QString entryRuleProblem(const QsoFields &f);

} // namespace vqx
