#pragma once

#include <QLockFile>
#include <QString>

namespace vqx {

// The lock file that keeps a second ZAT_VQX away from a data folder in use:
// two programs rewriting the same log through the same scratch files would
// lose each other's contacts.
inline const QString kLockFileName = QStringLiteral("ZAT_VQX.lock");

class DataFolderLock
{
public:
    explicit DataFolderLock(const QString &dataDir);

    enum class Outcome
    {
        Taken,
        HeldByOther, // another running ZAT_VQX has the folder
        Unavailable  // no lock can be made there (read-only folder): nobody can write either
    };
    // Takes the lock. One left by a run that ended without releasing it
    // (a crash, a kill) is taken over: its process is gone.
    Outcome take();

    QString dataDir() const { return m_dataDir; }
    QString lockPath() const;
    // Who holds the folder, after HeldByOther.
    qint64 holderPid() const { return m_pid; }
    QString holderHost() const { return m_host; }
    bool holderOnThisComputer() const;

private:
    QString m_dataDir;
    QLockFile m_lock;
    qint64 m_pid = 0;
    QString m_host;
};

} // namespace vqx
