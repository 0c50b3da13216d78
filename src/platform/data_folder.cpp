#include "platform/data_folder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <unistd.h>

namespace vqx {

bool isInsideBuildTree(const QString &folder)
{
    QDir d(folder);
    for (;;) {
        if (d.exists(QStringLiteral("CMakeCache.txt")))
            return true;
        if (!d.cdUp())
            return false;
    }
}

QString chooseDataFolder(const QString &programFolder, const QString &perUserFolder)
{
    const QString abs = QFileInfo(programFolder).absoluteFilePath();
    const bool systemPrefix =
        abs.startsWith(QStringLiteral("/usr/")) || abs == QStringLiteral("/usr");
    const bool writable = ::access(QFile::encodeName(abs).constData(), W_OK) == 0;
    if (!systemPrefix && writable && !isInsideBuildTree(abs))
        return abs;
    QDir().mkpath(perUserFolder);
    return perUserFolder;
}

} // namespace vqx
