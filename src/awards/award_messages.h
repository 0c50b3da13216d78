#pragma once

#include "logstore/safe_rewrite.h"

#include <QString>

namespace vqx {

// The log could not be read: which file and why, then what the window
// does instead (`consequence`, a sentence without its final stop).
QString unreadableLogMessage(const FileResult &file, const QString &consequence);

// Confirmation of a saved export, naming the file without its folder.
QString savedMessage(const QString &fileName);

// A save that did not happen: the file, the reason, and that nothing older
// was lost.
QString saveFailedMessage(const QString &fileName, const FileResult &result);

} // namespace vqx
