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

// The refused list as saved: a title, a blank line, then for each record
// its line with the reason and, below it, the record's own ADIF text.
QStringList adifRefusedListLines(const AdifImportResult &r, const QString &stationLabel);
// The same as the file's bytes: UTF-8, since it is read in an editor of
// this system, not by the program, with CR LF line ends.
QByteArray adifRefusedListBytes(const AdifImportResult &r, const QString &stationLabel);

// The name offered for saving the refused list: the ADIF file's name with
// "_refus.txt" in place of its extension.
QString adifRefusedListFileName(const QString &adifFileName);

// The refused records alone as an ADIF file (UTF-8), to be corrected and
// imported again; its name, with "_refus.adi".
QByteArray adifRefusedRecordsBytes(const AdifImportResult &r, const QString &stationLabel);
QString adifRefusedRecordsFileName(const QString &adifFileName);

// The message after the export of the log as it is, success or failure.
QString adifExportMessage(const AdifExportResult &r);

// The message after the standard export, success or failure: the same, and
// what the standard could not name.
QString adifStandardExportMessage(const AdifStandardExportResult &r);

} // namespace vqx
