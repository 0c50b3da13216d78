#pragma once

#include "logstore/safe_rewrite.h"

#include <QString>

namespace vqx {

// The first-name directory, one file shared by every station's log.
inline const QString kPrenomFile = QStringLiteral("Liste_Prenom.txt");

// PrenomLine: callsign blank-filled to 12, a blank, department blank-filled
// to 2, a blank, then the first name in upper case, not filled.
QString buildPrenomLine(const QString &indicatif, const QString &dpt, const QString &prenom);

struct PrenomLookup
{
    bool found = false;
    QString prenom;        // upper case
    bool dptBlank = false; // the entry found was stored without department
    FileResult file;       // a missing directory is an empty one, not an error
};

// Looks the callsign up (exact, case-sensitive, against the trimmed first
// 12 characters); when several lines match, the last one gives the result.
PrenomLookup Chercher_Prenom(const QString &dataDir, const QString &indicatif);

// Stores the line in place of every line with the same first 12 characters,
// or at the end; the directory is created at the first store.
FileResult Memoriser_Prenom(const QString &dataDir, const QString &prenomLine,
                            const ScratchWriter &writer = {});

} // namespace vqx
