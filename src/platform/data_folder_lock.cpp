#include "platform/data_folder_lock.h"

#include <QDir>
#include <QSysInfo>

namespace vqx {

DataFolderLock::DataFolderLock(const QString &dataDir)
    : m_dataDir(dataDir), m_lock(QDir(dataDir).filePath(kLockFileName))
{
    // The program holds the folder for hours: never stale by age, only when
    // the process that took it is gone.
    m_lock.setStaleLockTime(0);
}

QString DataFolderLock::lockPath() const
{
    return m_lock.fileName();
}

DataFolderLock::Outcome DataFolderLock::take()
{
    if (m_lock.tryLock(0))
        return Outcome::Taken;
    if (m_lock.error() != QLockFile::LockFailedError)
        return Outcome::Unavailable;
    QString app;
    if (!m_lock.getLockInfo(&m_pid, &m_host, &app)) {
        // Released between the two looks: try once more.
        if (m_lock.tryLock(0))
            return Outcome::Taken;
        m_lock.getLockInfo(&m_pid, &m_host, &app);
    }
    return Outcome::HeldByOther;
}

bool DataFolderLock::holderOnThisComputer() const
{
    return m_host.isEmpty() || m_host == QSysInfo::machineHostName();
}

} // namespace vqx
