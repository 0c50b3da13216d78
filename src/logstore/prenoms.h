#pragma once

#include "logstore/safe_rewrite.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace vqx {

// The first-name directory, one file shared by every station's log.
inline const QString kPrenomFile = QStringLiteral("Liste_Prenom.txt");

// PrenomLine: callsign blank-filled to 12, a blank, department blank-filled
// to 2, a blank, then the first name in upper case, not filled.
QString buildPrenomLine(const QString &indicatif, const QString &dpt, const QString &prenom);
// The same line in the code page, from values in the code page whose first
// name is in upper case already (as a log line holds it).
QByteArray prenomLineBytes(QByteArrayView indicatif, QByteArrayView dpt, QByteArrayView prenom);

struct PrenomLookup
{
    bool found = false;
    QString prenom;        // upper case
    bool dptBlank = false; // the entry found was stored without department
    FileResult file;       // a missing directory is an empty one, not an error
};

// Looks the callsign up (exact, case-sensitive, against the trimmed first
// 12 characters); when several lines match, the last one gives the result.
// The first name found never exceeds the 15 characters of its column, and
// a line written in UTF-8 is read as such.
PrenomLookup Chercher_Prenom(const QString &dataDir, const QString &indicatif);

// What a look at the whole directory found that the program would not have
// written: lines out of the layout (a first name longer than its 15
// characters, a separator that is not a blank), control characters, lines
// in UTF-8. Line numbers are 1-based, 0 when none.
struct PrenomIrregularities
{
    FileResult file;
    int malformedLines = 0;
    int firstMalformedLine = 0;
    int firstNonTextLine = 0;
    int firstUtf8Line = 0;
    bool any() const { return malformedLines > 0 || firstNonTextLine > 0 || firstUtf8Line > 0; }
};
PrenomIrregularities checkPrenomFile(const QString &dataDir);

// Stores the line in place of every line with the same first 12 characters,
// or at the end; the directory is created at the first store.
FileResult Memoriser_Prenom(const QString &dataDir, const QString &prenomLine,
                            const ScratchWriter &writer = {});

} // namespace vqx
