#pragma once

#include <QByteArray>
#include <QString>
#include <functional>

namespace vqx {

// Why a file could not be read or rewritten.
enum class FileError
{
    None,
    Missing,       // the file does not exist
    NotAFile,      // the path names a folder or something else
    ReadFailed,    // it exists but could not be read
    WriteFailed,   // the scratch file could not be written (disk full, folder not writable)
    ReplaceFailed, // the scratch file could not take the place of the target
    ReadOnly       // the operator protected the file, or this user may not write it
};

struct FileResult
{
    FileError error = FileError::None;
    QString path;   // the file concerned
    QString detail; // the system's reason, for the message
    int code = 0;   // the system's error number behind `detail`, 0 when none
    QString target; // the file a rewrite was to replace, when `path` is its scratch file
    bool ok() const { return error == FileError::None; }
};

// Writes data to a file of its own. Tests replace it to simulate a full disk.
using ScratchWriter = std::function<bool(int fd, const QByteArray &data)>;

// Replaces `target` by `data` without ever leaving it missing: the content goes
// to `scratchName` in the target's folder, is flushed and synced, then renamed
// over the target. On any failure the target is left exactly as it was and the
// scratch file is removed.
// A target that is a symbolic link stays one: the file it names is rewritten
// (scratch file beside that file). The new file keeps the owner and the
// permissions of the one it replaces.
FileResult rewriteFile(const QString &target, const QByteArray &data, const QString &scratchName,
                       const ScratchWriter &writer = {});

// Copies `source` to `target` through the same rewrite. A target written for
// the first time gets the source's permissions.
FileResult copyFile(const QString &source, const QString &target, const QString &scratchName,
                    const ScratchWriter &writer = {});

// Whether `target` may be rewritten. An existing file whose owner's write
// bit is off, or that this user may not write, is read-only: the operator
// protected it, and a rename over it in a writable folder would silently
// undo that (root's rights ignore the bits). A missing file is writable.
// rewriteFile checks this itself; callers that change several files check
// them all first, so that a refusal changes none.
FileResult checkWritable(const QString &target);

// Reads a whole file; distinguishes a missing file from one that cannot be read.
FileResult readFile(const QString &path, QByteArray *out);

// Creates an empty file; an existing file is never truncated.
FileResult createEmptyFile(const QString &path);

} // namespace vqx
