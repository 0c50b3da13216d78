#pragma once

#include "logstore/log_operations.h"
#include "logstore/prenoms.h"
#include "logstore/safe_rewrite.h"

#include <QString>
#include <optional>

// What the operator is told when a file could not be read or written: one
// wording for each fault, whichever window meets it. Every sentence names
// the file, says why, and says what was kept or done instead.
namespace vqx {

// Why a file could not be read or written, as the operator reads it: in
// French for the usual causes (disk full, permission, read-only file
// system, file too large, input/output error), the system's words
// otherwise.
QString fileFaultReason(const FileResult &f);

// An existing file the operator protected (or this user may not write):
// "Le log X est en lecture seule : `consequence` (why)." and how to lift it.
QString readOnlyMessage(const FileResult &f, const QString &consequence);

// The files one operation of the entry writes: the backup copy first, then
// the first-name directory, then the log. Only the failures are set.
struct OperationFaults
{
    std::optional<FileResult> backup;
    std::optional<FileResult> prenoms;
    std::optional<FileResult> log;
    bool any() const { return backup || prenoms || log; }
};

// One message for one operation, naming every file that could not be
// written; "" when everything went through.
QString operationFaultsMessage(const QString &logPath, const OperationFaults &faults);

// A log loaded as it is although some lines are not as the program writes
// them: how many, and the first line of each kind.
QString logIrregularMessage(const QString &logPath, const LogIrregularities &irregular);

// The first-name directory at `directory` holds lines the program would
// not have written: the first line of each kind.
QString prenomsIrregularMessage(const QString &directory, const PrenomIrregularities &irregular);

// The log could not be read, then `consequence`: what the window does
// instead, without its final stop. A missing log also says how to create it.
QString logNotReadMessage(const FileResult &read, const QString &consequence);

// A change of the log at logPath did not go through; `change` names the
// file that failed (the log or its scratch file). `kept` says what stayed
// as it was.
QString logNotChangedMessage(const QString &logPath, const FileResult &change,
                             const QString &kept = QStringLiteral("Le log est resté tel qu'il "
                                                                  "était."));

// A file the operator chose could not be read, then `consequence`.
QString fileNotReadMessage(const FileResult &read, const QString &consequence);

// The empty log of a new station could not be created.
QString logNotCreatedMessage(const FileResult &created);

// The first-name directory could not be read, then `consequence`.
QString prenomsNotReadMessage(const FileResult &read,
                              const QString &consequence = QStringLiteral("le prénom n'est pas "
                                                                          "rempli"));

// The first-name directory at `directory` could not be rewritten; `kept`,
// when given, says what stayed as it was instead of the directory alone.
QString prenomsNotChangedMessage(const QString &directory, const FileResult &write,
                                 const QString &kept = {});

// An export or a list could not be written to `target`; an older file of
// that name, left as it was, is mentioned.
QString fileNotSavedMessage(const QString &target, const FileResult &write);

// The copy of the log kept before a run's first change could not be made.
QString backupNotMadeMessage(const FileResult &copy);

// The undo could not put the log at logPath back as it was.
QString logNotUndoneMessage(const QString &logPath, const FileResult &change);

// A restore did not go through, and the log was left as it was: the backup
// could not be read, the current log could not be saved first (for an undo
// too, `abandoned` then "l'annulation"), or the log could not be replaced.
QString backupNotReadMessage(const QString &backup, const FileResult &read);
QString currentLogNotSavedMessage(const FileResult &copy,
                                  const QString &abandoned = QStringLiteral("la restauration"));
QString logNotReplacedMessage(const QString &logPath, const FileResult &change);

// The settings file could not be read at start.
QString settingsNotReadMessage(const QString &path);

} // namespace vqx
