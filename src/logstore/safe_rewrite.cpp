#include "logstore/safe_rewrite.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace vqx {

namespace {

QString systemReason()
{
    return QString::fromLocal8Bit(std::strerror(errno));
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

} // namespace

FileResult rewriteFile(const QString &target, const QByteArray &data, const QString &scratchName,
                       const ScratchWriter &writer)
{
    FileResult r;
    r.path = target;
    const QFileInfo info(target);
    if (info.exists() && !info.isFile()) {
        r.error = FileError::NotAFile;
        return r;
    }
    const QString folder = info.absolutePath();
    const QString scratch = QDir(folder).filePath(scratchName);
    const QByteArray scratchPath = QFile::encodeName(scratch);

    // A scratch file left by an interrupted run is simply overwritten.
    const int fd = ::open(scratchPath.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) {
        r.error = FileError::WriteFailed;
        r.detail = systemReason();
        r.path = scratch;
        return r;
    }
    const bool written = writer ? writer(fd, data) : writeAll(fd, data);
    const QString writeReason = systemReason();
    const bool synced = written && ::fsync(fd) == 0;
    const bool closed = ::close(fd) == 0;
    if (!written || !synced || !closed) {
        r.error = FileError::WriteFailed;
        r.detail = written ? systemReason() : writeReason;
        ::unlink(scratchPath.constData());
        return r;
    }
    if (::rename(scratchPath.constData(), QFile::encodeName(target).constData()) != 0) {
        r.error = FileError::ReplaceFailed;
        r.detail = systemReason();
        ::unlink(scratchPath.constData());
        return r;
    }
    syncFolder(folder);
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
        r.detail = systemReason();
        return r;
    }
    ::fsync(fd);
    ::close(fd);
    syncFolder(QFileInfo(path).absolutePath());
    return r;
}

} // namespace vqx
