#include "logstore/safe_rewrite.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vqx {

namespace {

QString systemReason()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

// The system's reason and its number, for a result.
void setReason(FileResult &r, int error)
{
    r.code = error;
    r.detail = QString::fromLocal8Bit(std::strerror(error));
}

// Refuses an existing file the operator protected or this user may not
// write; `st` is the file's own status (links followed).
bool refuseReadOnly(FileResult &r, const QByteArray &realPath, const struct stat &st)
{
    if (!(st.st_mode & S_IWUSR)) {
        r.error = FileError::ReadOnly;
        r.code = 0;
        r.detail = QStringLiteral("le droit d'écriture de son propriétaire est retiré");
        return true;
    }
    if (::access(realPath.constData(), W_OK) != 0) {
        const int error = errno;
        r.error = FileError::ReadOnly;
        setReason(r, error);
        return true;
    }
    return false;
}

bool writeAll(int fd, const QByteArray &data)
{
    const char *p = data.constData();
    qsizetype left = data.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, size_t(left));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        p += n;
        left -= n;
    }
    return true;
}

void syncFolder(const QString &folder)
{
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// Where a rewrite really lands. A symbolic link is followed to the file it
// names, so that the link the operator set up (a log kept in a synced
// folder) stays a link and the file it names gets the new content.
bool followLinks(const QString &target, QString *real, QString *reason)
{
    QByteArray path = QFile::encodeName(QFileInfo(target).absoluteFilePath());
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st;
        if (::lstat(path.constData(), &st) != 0 || !S_ISLNK(st.st_mode)) {
            *real = QFile::decodeName(path);
            return true;
        }
        QByteArray link(qsizetype(st.st_size > 0 ? st.st_size : 255) + 1, Qt::Uninitialized);
        const ssize_t n = ::readlink(path.constData(), link.data(), size_t(link.size()));
        if (n < 0 || n >= link.size()) {
            *reason = systemReason();
            return false;
        }
        link.truncate(n);
        if (!link.startsWith('/')) {
            const qsizetype slash = path.lastIndexOf('/');
            link = path.left(slash + 1) + link;
        }
        path = QFile::encodeName(QDir::cleanPath(QFile::decodeName(link)));
    }
    errno = ELOOP;
    *reason = systemReason();
    return false;
}

FileResult rewrite(const QString &target, const QByteArray &data, const QString &scratchName,
                   const ScratchWriter &writer, const struct stat *newFileLike)
{
    FileResult r;
    r.path = target;
    r.target = target;
    const QFileInfo info(target);
    if (info.exists() && !info.isFile()) {
        r.error = FileError::NotAFile;
        return r;
    }
    QString real;
    if (!followLinks(target, &real, &r.detail)) {
        r.code = errno;
        r.error = FileError::WriteFailed;
        return r;
    }
    const QByteArray realPath = QFile::encodeName(real);
    const QString folder = QFileInfo(real).absolutePath();
    const QString scratch = QDir(folder).filePath(scratchName);
    const QByteArray scratchPath = QFile::encodeName(scratch);

    // The new file keeps the old one's owner and permissions (a private
    // log stays private); a file written for the first time takes those of
    // the file it copies, or the usual ones.
    struct stat old;
    const bool replacing = ::stat(realPath.constData(), &old) == 0;
    const struct stat *like = replacing ? &old : newFileLike;
    if (replacing && refuseReadOnly(r, realPath, old))
        return r;

    // A scratch file left by an interrupted run is taken away first, so the
    // new one is made afresh. It starts private when permissions are to be
    // copied, so nothing shows before they are set.
    const bool cleared = ::unlink(scratchPath.constData()) == 0 || errno == ENOENT;
    const int clearError = errno;
    const int fd = ::open(scratchPath.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC,
                          like ? 0600 : 0666);
    if (fd < 0) {
        r.error = FileError::WriteFailed;
        // A folder in the way says so, rather than that a file exists.
        setReason(r, !cleared && errno == EEXIST ? clearError : errno);
        r.path = scratch;
        return r;
    }
    if (like) {
        // Only root may give a file away; for others the owner is theirs anyway.
        if (like->st_uid != ::geteuid() || like->st_gid != ::getegid())
            (void)!::fchown(fd, like->st_uid, like->st_gid);
        ::fchmod(fd, like->st_mode & 07777);
    }
    const bool written = writer ? writer(fd, data) : writeAll(fd, data);
    const int writeError = errno;
    const bool synced = written && ::fsync(fd) == 0;
    const bool closed = ::close(fd) == 0;
    if (!written || !synced || !closed) {
        r.error = FileError::WriteFailed;
        setReason(r, written ? errno : writeError);
        ::unlink(scratchPath.constData());
        return r;
    }
    if (::rename(scratchPath.constData(), realPath.constData()) != 0) {
        r.error = FileError::ReplaceFailed;
        setReason(r, errno);
        ::unlink(scratchPath.constData());
        return r;
    }
    syncFolder(folder);
    return r;
}

} // namespace

FileResult rewriteFile(const QString &target, const QByteArray &data, const QString &scratchName,
                       const ScratchWriter &writer)
{
    return rewrite(target, data, scratchName, writer, nullptr);
}

FileResult copyFile(const QString &source, const QString &target, const QString &scratchName,
                    const ScratchWriter &writer)
{
    QByteArray data;
    FileResult read = readFile(source, &data);
    if (!read.ok())
        return read;
    struct stat st;
    const bool known = ::stat(QFile::encodeName(source).constData(), &st) == 0;
    return rewrite(target, data, scratchName, writer, known ? &st : nullptr);
}

FileResult checkWritable(const QString &target)
{
    FileResult r;
    r.path = target;
    r.target = target;
    QString real;
    if (!followLinks(target, &real, &r.detail)) {
        r.detail.clear();
        return r; // the rewrite itself will say what is wrong
    }
    const QByteArray realPath = QFile::encodeName(real);
    struct stat st;
    if (::stat(realPath.constData(), &st) == 0 && S_ISREG(st.st_mode))
        refuseReadOnly(r, realPath, st);
    return r;
}

FileResult readFile(const QString &path, QByteArray *out)
{
    FileResult r;
    r.path = path;
    const QFileInfo info(path);
    if (!info.exists()) {
        r.error = FileError::Missing;
        return r;
    }
    if (!info.isFile()) {
        r.error = FileError::NotAFile;
        return r;
    }
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        r.error = FileError::ReadFailed;
        r.detail = f.errorString();
        return r;
    }
    *out = f.readAll();
    if (f.error() != QFileDevice::NoError) {
        r.error = FileError::ReadFailed;
        r.detail = f.errorString();
    }
    return r;
}

FileResult createEmptyFile(const QString &path)
{
    FileResult r;
    r.path = path;
    const QByteArray p = QFile::encodeName(path);
    // O_EXCL: an existing log, readable or not, is never emptied.
    const int fd = ::open(p.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0) {
        if (errno == EEXIST) {
            r.error = QFileInfo(path).isFile() ? FileError::None : FileError::NotAFile;
            return r;
        }
        r.error = FileError::WriteFailed;
        setReason(r, errno);
        return r;
    }
    ::fsync(fd);
    ::close(fd);
    syncFolder(QFileInfo(path).absolutePath());
    return r;
}

} // namespace vqx
