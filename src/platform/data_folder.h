#pragma once

#include <QString>

namespace vqx {

// The folder that holds the logs, the first-name directory and the exports.
// It is the program's folder, unless that folder is not writable (a
// system-wide install) or lies inside a build tree (a rebuild or a clean
// must never touch the operator's logs): then the per-user data folder.
QString chooseDataFolder(const QString &programFolder, const QString &perUserFolder);

// True when the folder or one of its parents holds a CMake build tree.
bool isInsideBuildTree(const QString &folder);

} // namespace vqx
