#pragma once
// Shared by the fuzz targets: a check that stops the run with a message, and
// a folder of their own for the readers that take a path.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

#define FUZZ_CHECK(cond)                                                                           \
    do {                                                                                           \
        if (!(cond)) {                                                                             \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #cond);          \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)

namespace vqx::fuzz {

// A memory-backed folder when there is one: the readers open real files,
// and the disk would only slow the run down.
inline QString workFolder()
{
    static QTemporaryDir dir(QDir(QStringLiteral("/dev/shm")).exists()
                                 ? QStringLiteral("/dev/shm/vqx_fuzz_XXXXXX")
                                 : QDir::tempPath() + QStringLiteral("/vqx_fuzz_XXXXXX"));
    FUZZ_CHECK(dir.isValid());
    return dir.path();
}

inline QString writeInput(const QString &name, const QByteArray &bytes)
{
    const QString path = QDir(workFolder()).filePath(name);
    QFile f(path);
    FUZZ_CHECK(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    FUZZ_CHECK(f.write(bytes) == bytes.size());
    return path;
}

inline QByteArray readBack(const QString &path)
{
    QFile f(path);
    FUZZ_CHECK(f.open(QIODevice::ReadOnly));
    return f.readAll();
}

inline QByteArray bytesOf(const uint8_t *data, size_t size)
{
    return QByteArray(reinterpret_cast<const char *>(data), qsizetype(size));
}

} // namespace vqx::fuzz
