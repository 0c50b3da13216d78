#pragma once

#include "logstore/safe_rewrite.h"

#include <QString>

namespace vqx {

struct DejaContactee
{
    bool found = false;
    QString date; // the Date column of the first matching line, as stored
    FileResult file;
};

// Looks for the fountain reference on the same band in the log: Ref and QRG
// trimmed, the reference trimmed, the band compared as given.
DejaContactee Ref_Deja_Contactee(const QString &logPath, const QString &reference,
                                 const QString &band);

} // namespace vqx
