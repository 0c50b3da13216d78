#pragma once

#include "logstore/safe_rewrite.h"

#include <QString>

namespace vqx {

// What the report windows say when the log cannot be read; names the file.
QString logReadProblem(const FileResult &r);

// What they say when a list file could not be written.
QString listSaveProblem(const QString &fileName, const FileResult &r);

} // namespace vqx
