#include "logstore/log_session.h"

#include "logstore/log_record.h"
#include "logstore/prenoms.h"
#include "platform/clock.h"

#include <QDir>
#include <QFileInfo>

namespace vqx {

LogSession::LogSession(const QString &dataDir, const Clock *clock, std::function<QString()> station,
                       QObject *parent)
    : QObject(parent), m_dataDir(dataDir), m_clock(clock), m_station(std::move(station))
{
}

QString LogSession::logPath() const
{
    return logFilePath(m_dataDir, m_station());
}

void LogSession::backupBeforeFirstChange()
{
    const QString path = logPath();
    if (m_backedUp.contains(path))
        return;
    const BackupResult b = backupLog(m_dataDir, m_station(), m_clock->nowUtc(), m_writer);
    if (b.ok()) {
        // A missing log is copied once it exists; an empty one held nothing.
        if (!b.skipped || QFileInfo(path).isFile())
            m_backedUp.insert(path);
        return;
    }
    if (!m_failureReported)
        m_pendingFailure = b.file;
}

std::optional<FileResult> LogSession::takeBackupFailure()
{
    std::optional<FileResult> failure;
    std::swap(failure, m_pendingFailure);
    if (failure)
        m_failureReported = true;
    return failure;
}

FileResult LogSession::checkWritable(bool withPrenoms) const
{
    FileResult r = vqx::checkWritable(logPath());
    if (r.ok() && withPrenoms)
        r = vqx::checkWritable(QDir(m_dataDir).filePath(kPrenomFile));
    return r;
}

FileResult LogSession::Memoriser_Prenom(const QString &prenomLine)
{
    return vqx::Memoriser_Prenom(m_dataDir, prenomLine, m_writer);
}

LogChange LogSession::change(ChangeKind kind, const QString &line,
                             const std::function<LogChange(const LogTarget &)> &operation)
{
    // A read-only log is refused before its backup is taken.
    if (FileResult writable = checkWritable(); !writable.ok())
        return LogChange{writable, {}};
    backupBeforeFirstChange();
    const QString path = logPath();
    QByteArray before;
    const bool known = readFile(path, &before).ok();
    LogChange c = operation(LogTarget{path, m_writer, known ? &before : nullptr});
    // A change that failed left the log as it was: the last undo still holds.
    if (c.ok() && known)
        setUndo(Undo{path, kind, line, before, c.log.bytes()});
    else if (c.ok())
        setUndo(std::nullopt);
    return c;
}

LogChange LogSession::Ajouter_Qso(const QString &newLine)
{
    return change(ChangeKind::Recording, newLine,
                  [&](const LogTarget &log) { return vqx::Ajouter_Qso(log, newLine); });
}

LogChange LogSession::Inserer_Qso_Chrono(const QString &newLine)
{
    return change(ChangeKind::Recording, newLine,
                  [&](const LogTarget &log) { return vqx::Inserer_Qso_Chrono(log, newLine); });
}

LogChange LogSession::Remplacer_Qso(const QString &newLine, const QString &oldLine)
{
    return change(ChangeKind::Modification, newLine,
                  [&](const LogTarget &log) { return vqx::Remplacer_Qso(log, newLine, oldLine); });
}

LogChange LogSession::Supprimer_Qso(const QString &line)
{
    return change(ChangeKind::Deletion, line,
                  [&](const LogTarget &log) { return vqx::Supprimer_Qso(log, line); });
}

bool LogSession::canUndo() const
{
    return m_undo.has_value() && m_undo->path == logPath();
}

LogSession::ChangeKind LogSession::lastChangeKind() const
{
    return m_undo ? m_undo->kind : ChangeKind::Recording;
}

QString LogSession::lastChangeLine() const
{
    return m_undo ? m_undo->line : QString();
}

LogSession::UndoResult LogSession::undo()
{
    UndoResult r;
    if (!canUndo())
        return r;
    const QString path = logPath();
    QByteArray now;
    r.change.file = readFile(path, &now);
    if (!r.change.file.ok()) {
        r.status = UndoStatus::Failed;
        return r;
    }
    if (now != m_undo->written) {
        // Someone else's work is in the file now; putting the old bytes
        // back would throw it away.
        r.status = UndoStatus::ChangedOutside;
        setUndo(std::nullopt);
        return r;
    }
    // A read-only log is left alone, and no copy of it is taken.
    if (FileResult writable = checkWritable(); !writable.ok()) {
        r.status = UndoStatus::Failed;
        r.change.file = writable;
        return r;
    }
    const BackupResult saved =
        backupLog(m_dataDir, m_station(), m_clock->nowUtc(), m_writer, BackupReason::BeforeUndo);
    if (!saved.ok()) {
        r.status = UndoStatus::CurrentNotSaved;
        r.change.file = saved.file;
        return r;
    }
    if (!saved.skipped)
        r.currentCopy = saved.entry;
    r.change.file = rewriteFile(path, m_undo->before, kScratchFile, m_writer);
    if (!r.change.file.ok()) {
        r.status = UndoStatus::Failed;
        return r;
    }
    r.change.log = LineBuffer(m_undo->before);
    r.status = UndoStatus::Done;
    setUndo(std::nullopt);
    return r;
}

void LogSession::forgetUndo()
{
    setUndo(std::nullopt);
}

void LogSession::setUndo(std::optional<Undo> undo)
{
    m_undo = std::move(undo);
    emit undoAvailable(canUndo());
}

LogSession::RestoreResult LogSession::restore(const QString &backupCopy)
{
    RestoreResult r;
    // Read first: saving the current log may remove the oldest copy, which
    // may be the one chosen.
    QByteArray bytes;
    r.file = readFile(backupCopy, &bytes);
    if (!r.file.ok()) {
        r.status = RestoreStatus::BackupUnreadable;
        return r;
    }
    const QString path = logPath();
    // A read-only log is left alone, and no copy of it is taken.
    if (FileResult writable = checkWritable(); !writable.ok()) {
        r.status = RestoreStatus::Failed;
        r.file = writable;
        return r;
    }
    const BackupResult saved =
        backupLog(m_dataDir, m_station(), m_clock->nowUtc(), m_writer, BackupReason::BeforeRestore);
    if (!saved.ok()) {
        r.status = RestoreStatus::CurrentNotSaved;
        r.file = saved.file;
        return r;
    }
    if (!saved.skipped)
        r.currentCopy = saved.entry;
    r.file = rewriteFile(path, bytes, kScratchFile, m_writer);
    if (!r.file.ok()) {
        r.status = RestoreStatus::Failed;
        return r;
    }
    // The log as it was before is kept in the copy just taken.
    m_backedUp.insert(path);
    r.change.file = r.file;
    r.change.log = LineBuffer(bytes);
    r.status = RestoreStatus::Done;
    forgetUndo();
    return r;
}

} // namespace vqx
