#include "logstore/backups.h"

#include "logstore/log_record.h"
#include "logstore/prenoms.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <sys/stat.h>

namespace vqx {

namespace {

// The copies are written through a scratch file of their own folder.
const QString kBackupScratch = QStringLiteral("Temporaire.txt");
const QString kStampFormat = QStringLiteral("yyyy-MM-dd_HHmmss");

// The end of a copy's name that says why it was taken.
QString reasonTag(BackupReason reason)
{
    switch (reason) {
    case BackupReason::FirstChange:
        break;
    case BackupReason::BeforeRestore:
        return QStringLiteral("_avant_restauration");
    case BackupReason::BeforeUndo:
        return QStringLiteral("_avant_annulation");
    }
    return {};
}

BackupReason reasonOfTag(const QString &tag)
{
    for (BackupReason r : {BackupReason::BeforeRestore, BackupReason::BeforeUndo}) {
        if (reasonTag(r) == tag)
            return r;
    }
    return BackupReason::FirstChange;
}

QString logCopyName(const QString &indicatif, const QString &stamp)
{
    return indicatif + QStringLiteral("_VQX_") + stamp + QStringLiteral(".log");
}

QString prenomCopyName(const QString &indicatif, const QString &stamp)
{
    return indicatif + QStringLiteral("_Liste_Prenom_") + stamp + QStringLiteral(".txt");
}

FileResult failure(const QString &path, int error)
{
    FileResult r;
    r.error = FileError::WriteFailed;
    r.path = path;
    r.detail = QString::fromLocal8Bit(std::strerror(error));
    return r;
}

FileResult makeFolder(const QString &folder)
{
    const QByteArray path = QFile::encodeName(folder);
    if (::mkdir(path.constData(), 0777) == 0)
        return {};
    const int error = errno;
    if (error == EEXIST)
        return QFileInfo(folder).isDir() ? FileResult{} : failure(folder, ENOTDIR);
    return failure(folder, error);
}

} // namespace

QString backupFolderPath(const QString &dataDir)
{
    return QDir(dataDir).filePath(kBackupFolder);
}

QList<BackupEntry> listBackups(const QString &dataDir, const QString &indicatifStation)
{
    const QDir folder(backupFolderPath(dataDir));
    const QRegularExpression name(
        QStringLiteral("^") + QRegularExpression::escape(indicatifStation) +
        QStringLiteral("_VQX_(\\d{4}-\\d{2}-\\d{2}_\\d{6})(?:_(\\d+))?(_avant_restauration|_avant_"
                       "annulation)?\\.log$"));
    QList<BackupEntry> found;
    const QStringList files = folder.entryList({indicatifStation + QStringLiteral("_VQX_*.log")},
                                               QDir::Files | QDir::Hidden);
    for (const QString &file : files) {
        const QRegularExpressionMatch m = name.match(file);
        if (!m.hasMatch())
            continue;
        QDateTime taken = QDateTime::fromString(m.captured(1), kStampFormat);
        if (!taken.isValid())
            continue;
        taken.setTimeSpec(Qt::UTC);
        BackupEntry e;
        e.logCopy = folder.filePath(file);
        e.takenUtc = taken;
        e.sequence = m.captured(2).isEmpty() ? 1 : m.captured(2).toInt();
        e.reason = reasonOfTag(m.captured(3));
        QString stamp = m.captured(1);
        if (!m.captured(2).isEmpty())
            stamp += QLatin1Char('_') + m.captured(2);
        stamp += m.captured(3);
        const QString prenoms = folder.filePath(prenomCopyName(indicatifStation, stamp));
        if (QFileInfo(prenoms).isFile())
            e.prenomCopy = prenoms;
        found << e;
    }
    std::sort(found.begin(), found.end(), [](const BackupEntry &a, const BackupEntry &b) {
        if (a.takenUtc != b.takenUtc)
            return a.takenUtc > b.takenUtc;
        return a.sequence > b.sequence;
    });
    return found;
}

BackupResult backupLog(const QString &dataDir, const QString &indicatifStation,
                       const QDateTime &nowUtc, const ScratchWriter &writer, BackupReason reason)
{
    BackupResult r;
    const QString log = logFilePath(dataDir, indicatifStation);
    const QFileInfo info(log);
    // A missing or empty log holds nothing to lose; a log that is not a
    // file is reported by the change itself.
    if (!info.isFile() || info.size() == 0) {
        r.skipped = true;
        return r;
    }
    const QString folder = backupFolderPath(dataDir);
    r.file = makeFolder(folder);
    if (!r.file.ok())
        return r;

    const QDir dir(folder);
    const QString base = nowUtc.toUTC().toString(kStampFormat);
    // The new copy numbers after every copy of the same second, so that it
    // sorts newest: a number freed by the pruning is never taken again.
    QDateTime second = QDateTime::fromString(base, kStampFormat);
    second.setTimeSpec(Qt::UTC);
    int last = 0;
    for (const BackupEntry &e : listBackups(dataDir, indicatifStation)) {
        if (e.takenUtc == second)
            last = qMax(last, e.sequence);
    }
    for (int sequence = last + 1;; ++sequence) {
        const QString stamp =
            sequence == 1 ? base : base + QLatin1Char('_') + QString::number(sequence);
        // A number is used once in a second, whatever the reason of its copy.
        bool taken = false;
        for (BackupReason other :
             {BackupReason::FirstChange, BackupReason::BeforeRestore, BackupReason::BeforeUndo}) {
            const QString tagged = stamp + reasonTag(other);
            taken = taken ||
                    QFileInfo::exists(dir.filePath(logCopyName(indicatifStation, tagged))) ||
                    QFileInfo::exists(dir.filePath(prenomCopyName(indicatifStation, tagged)));
        }
        if (taken)
            continue;
        r.entry.logCopy = dir.filePath(logCopyName(indicatifStation, stamp + reasonTag(reason)));
        r.entry.prenomCopy =
            dir.filePath(prenomCopyName(indicatifStation, stamp + reasonTag(reason)));
        r.entry.sequence = sequence;
        r.entry.reason = reason;
        break;
    }
    r.entry.takenUtc = QDateTime::fromString(base, kStampFormat);
    r.entry.takenUtc.setTimeSpec(Qt::UTC);

    r.file = copyFile(log, r.entry.logCopy, kBackupScratch, writer);
    if (!r.file.ok())
        return r;
    const QString prenoms = QDir(dataDir).filePath(kPrenomFile);
    if (QFileInfo(prenoms).isFile())
        r.file = copyFile(prenoms, r.entry.prenomCopy, kBackupScratch, writer);
    if (!QFileInfo::exists(r.entry.prenomCopy))
        r.entry.prenomCopy.clear();

    // The oldest go; the copy just taken stays even if the clock was set back.
    const QList<BackupEntry> all = listBackups(dataDir, indicatifStation);
    for (qsizetype i = kBackupsKept; i < all.size(); ++i) {
        if (all.at(i).logCopy == r.entry.logCopy)
            continue;
        QFile::remove(all.at(i).logCopy);
        if (!all.at(i).prenomCopy.isEmpty())
            QFile::remove(all.at(i).prenomCopy);
    }
    return r;
}

int countContacts(const QString &logFile)
{
    QByteArray bytes;
    if (!readFile(logFile, &bytes).ok())
        return -1;
    // Lines end with CR LF or LF; a last line without its end still counts.
    qsizetype lines = bytes.count('\n');
    if (!bytes.isEmpty() && !bytes.endsWith('\n'))
        ++lines;
    return int(lines);
}

} // namespace vqx
