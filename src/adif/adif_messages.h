#pragma once

#include "adif/adif_import.h"
#include "adif/adif_standard_export.h"

#include <QString>
#include <QStringList>

namespace vqx {

// What the import says when it imported nothing because something failed;
// "" when it went through (or was cancelled, which needs no words).
QString adifImportProblem(const AdifImportResult &r, const QString &logPath);

// The summary lines: file, imported, duplicates, already contacted, not
// VQX, refused.
QStringList adifImportSummary(const AdifImportResult &r);

// The refused list as saved: a title, a blank line, one line a record.
QStringList adifRefusedListLines(const AdifImportResult &r, const QString &stationLabel);

// The name offered for saving the refused list: the ADIF file's name with
// "_refus.txt" in place of its extension.
QString adifRefusedListFileName(const QString &adifFileName);

// The message after the export of the log as it is, success or failure.
QString adifExportMessage(const AdifExportResult &r);

// The message after the standard export, success or failure: the same, and
// what the standard could not name.
QString adifStandardExportMessage(const AdifStandardExportResult &r);

} // namespace vqx
