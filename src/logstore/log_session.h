#pragma once

#include "logstore/backups.h"
#include "logstore/log_operations.h"

#include <QByteArray>
#include <QObject>
#include <QSet>
#include <QString>
#include <functional>
#include <optional>

namespace vqx {

class Clock;

// The changes of the log made during one run of the program, with what
// protects them: a copy of the log before its first change of the run, and
// the content before the last change so that it can be undone. Every change
// of the log the operator makes goes through here.
class LogSession : public QObject
{
    Q_OBJECT
public:
    // `station` gives the current station callsign, which names the log.
    LogSession(const QString &dataDir, const Clock *clock, std::function<QString()> station,
               QObject *parent = nullptr);

    QString logPath() const;

    // Takes the copy of the current log once per run, before its first
    // change: the window calls it before touching the first-name directory,
    // and every change below calls it too. A failed copy never stops the
    // change; it is tried again at the next one.
    void backupBeforeFirstChange();
    // The first failed copy of the run, once; nothing afterwards.
    std::optional<FileResult> takeBackupFailure();

    // Whether the log, and the first-name directory when asked, may be
    // rewritten: a file the operator made read-only is refused before
    // anything is written, the backup included.
    FileResult checkWritable(bool withPrenoms = false) const;

    // Memoriser_Prenom in the data folder, through the session's writer.
    FileResult Memoriser_Prenom(const QString &prenomLine);

    LogChange Ajouter_Qso(const QString &newLine);
    LogChange Inserer_Qso_Chrono(const QString &newLine);
    LogChange Remplacer_Qso(const QString &newLine, const QString &oldLine);
    LogChange Supprimer_Qso(const QString &line);

    enum class ChangeKind
    {
        Recording,
        Modification,
        Deletion
    };
    bool canUndo() const;
    ChangeKind lastChangeKind() const;
    // The file line of the contact concerned: the new line of a recording
    // or modification, the line removed by a deletion.
    QString lastChangeLine() const;

    enum class UndoStatus
    {
        Done,
        NothingToUndo,
        ChangedOutside,  // the log is not what this run wrote: left alone
        CurrentNotSaved, // the copy of the log as it is failed: nothing undone
        Failed           // the log could not be read or rewritten: left as it was
    };
    struct UndoResult
    {
        UndoStatus status = UndoStatus::NothingToUndo;
        LogChange change;        // on Done, the log as it is again
        BackupEntry currentCopy; // the log as it was before the undo; none when it was empty
    };
    // Puts the log back as it was before the last change (one level), after
    // copying the log as it is, so that the undo itself can be undone by
    // restoring that copy.
    UndoResult undo();
    // After a change of station, or when the log was replaced as a whole.
    void forgetUndo();

    enum class RestoreStatus
    {
        Done,
        BackupUnreadable,
        CurrentNotSaved, // the copy of the current log failed: nothing replaced
        Failed           // the log could not be rewritten: left as it was
    };
    struct RestoreResult
    {
        RestoreStatus status = RestoreStatus::Failed;
        FileResult file;
        BackupEntry currentCopy; // where the log was saved before; none when it was empty
        LogChange change;        // on Done, the restored log
    };
    // Replaces the current log by a copy, after saving the current log.
    RestoreResult restore(const QString &backupCopy);

    // Tests replace the writer to simulate a full disk.
    void setWriter(ScratchWriter writer) { m_writer = std::move(writer); }

signals:
    void undoAvailable(bool available);

private:
    struct Undo
    {
        QString path;
        ChangeKind kind = ChangeKind::Recording;
        QString line;
        QByteArray before;  // the log before the change
        QByteArray written; // what the change wrote, shared with the list
    };

    LogChange change(ChangeKind kind, const QString &line,
                     const std::function<LogChange(const LogTarget &)> &operation);
    void setUndo(std::optional<Undo> undo);

    QString m_dataDir;
    const Clock *m_clock;
    std::function<QString()> m_station;
    ScratchWriter m_writer;
    QSet<QString> m_backedUp; // logs copied in this run
    std::optional<FileResult> m_pendingFailure;
    bool m_failureReported = false;
    std::optional<Undo> m_undo;
};

} // namespace vqx
