#pragma once

#include <QString>
#include <QStringList>

namespace vqx {

// The fountain references written in free text (a cluster comment, an ADIF
// comment), in the order they appear, each once and in the form the entry
// writes: "31fa001", "31-FA-001", "31 FA 001", "VQX-31FA001" all give
// "31FA001"; "2a ft 012" gives "2AFT012". Departments 01 to 95, 2A and 2B.
QStringList fountainReferencesIn(const QString &text);

} // namespace vqx
