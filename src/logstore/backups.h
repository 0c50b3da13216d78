#pragma once

#include "logstore/safe_rewrite.h"

#include <QDateTime>
#include <QList>
#include <QString>

namespace vqx {

// Automatic copies of the logs, in a folder beside them. Each copy of a log
// is named with the station callsign and the UTC date and time it was taken
// (F4ABC_VQX_2021-06-05_143210.log), and goes with a copy of the first-name
// directory taken at the same moment (F4ABC_Liste_Prenom_2021-06-05_143210.txt).
inline const QString kBackupFolder = QStringLiteral("Sauvegardes");
inline constexpr int kBackupsKept = 30;

// Why a copy was taken. A copy taken just before the log was replaced by a
// restore or put back by an undo is how the operator goes back; its name
// says so (F4ABC_VQX_2021-06-05_143210_avant_restauration.log).
enum class BackupReason
{
    FirstChange,
    BeforeRestore,
    BeforeUndo
};

struct BackupEntry
{
    QString logCopy;    // the copy of the log
    QString prenomCopy; // the copy of the first-name directory; empty when there is none
    QDateTime takenUtc;
    int sequence = 1; // several copies taken in the same second: 2, 3...
    BackupReason reason = BackupReason::FirstChange;
};

QString backupFolderPath(const QString &dataDir);

// The copies of one station's log, newest first. Files of other names are
// ignored.
QList<BackupEntry> listBackups(const QString &dataDir, const QString &indicatifStation);

struct BackupResult
{
    FileResult file;      // the first failure, if any
    bool skipped = false; // the log was empty or missing: nothing to keep
    BackupEntry entry;    // the copy taken
    bool ok() const { return file.ok(); }
};

// Copies the station's log and the first-name directory into the backup
// folder, through the safe rewrite, then removes the oldest copies of that
// log beyond kBackupsKept (never the one just taken).
BackupResult backupLog(const QString &dataDir, const QString &indicatifStation,
                       const QDateTime &nowUtc, const ScratchWriter &writer = {},
                       BackupReason reason = BackupReason::FirstChange);

// Number of contacts (lines) in a log file; -1 when it cannot be read.
int countContacts(const QString &logFile);

} // namespace vqx
