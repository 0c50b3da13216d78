#pragma once

#include "adif/adif_reader.h"
#include "logstore/log_record.h"
#include "logstore/safe_rewrite.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

namespace vqx {

// What one record of an ADIF file is for the log.
enum class AdifRecordKind
{
    Contact, // a VQX contact the entry would have accepted
    NotVqx,  // no fountain reference: another logger's other contacts
    Refused  // a VQX contact the entry would have refused
};

struct AdifMappedRecord
{
    AdifRecordKind kind = AdifRecordKind::NotVqx;
    QsoFields fields; // Contact: the values as the entry fields would hold them
    QString reason;   // Refused: why, in French
};

// Recognises a VQX contact, in either of two forms: SIG "VQX" (any case) with
// the reference in SIG_INFO and the fountain name in COMMENT, as other
// loggers write it; or the reference itself in SIG and the fountain name in
// SIG_INFO, as the program's own export writes it. It then becomes the
// values an operator would have typed: upper case as the entry has it, the
// department taken from the reference, the first name cut to its column,
// the date and time in the log's form, the band named as the band list does.
// With `fromComment`, a record without SIG and SIG_INFO whose COMMENT and
// NOTES hold exactly one fountain reference is a VQX contact of that
// reference too, as loggers without those fields have it written.
AdifMappedRecord mapAdifRecord(const AdifRecord &record, bool fromComment = false);

// A record without SIG and SIG_INFO whose COMMENT and NOTES hold exactly one
// fountain reference between them.
bool hasCommentReference(const AdifRecord &record);
int commentReferenceCount(const QList<AdifRecord> &records);

// A refused record as the operator finds it again in the file.
struct AdifRefusal
{
    int record = 0; // 1-based, among the file's records
    QString call;
    QString date; // as the file gives them
    QString time;
    QString reason;
    QString adif; // the record itself, as ADIF text ending with <EOR>
};

// A record written back as ADIF text: its fields in file order, each
// "<NAME:length>value" with the length in UTF-8 bytes, then <EOR>.
QString adifRecordText(const AdifRecord &record);

// One line of the refused list: "Enregistrement 12 (F1ABC, 05/06/2021 14:32) : reason".
QString refusalLine(const AdifRefusal &r);

struct AdifImportCounts
{
    int imported = 0;
    int duplicates = 0;       // the same contact is in the log already
    int alreadyContacted = 0; // the fountain is in the log already on that band
    int notVqx = 0;
    // Records whose reference is only in COMMENT or NOTES, counted apart:
    // taken as contacts (and counted above as well) or left out.
    int fromComments = 0;
    bool fromCommentsTaken = false;
    QList<AdifRefusal> refused;
};

// Told how many records were looked at out of how many; false to stop.
using AdifProgress = std::function<bool(qsizetype done, qsizetype total)>;

struct AdifImportPlan
{
    AdifImportCounts counts;
    bool cancelled = false;
    QStringList logLines;    // the log with the new contacts in place
    QStringList prenomLines; // the first-name directory with their first names
    bool prenomChanged = false;
};

// Works out the new log and first-name directory without writing anything.
// Records are taken in file order; a contact already in the log or earlier in
// the file (same callsign, reference, band, date and time) is a duplicate, a
// fountain already contacted on that band is refused as the entry refuses
// it. Each new contact goes before the first line of the log with the same
// or a later date and time (the century rule of the log's dates); new
// contacts among themselves stand in date order, in file order within the
// same minute. A first name is stored as recording stores it; an absent one
// leaves the directory as it is.
AdifImportPlan planAdifImport(const QList<AdifRecord> &records, const QStringList &logLines,
                              const QStringList &prenomLines, const AdifProgress &progress = {},
                              bool takeCommentReferences = false);

// Asked, with how many records hold their reference only in COMMENT or
// NOTES, whether to take them too; true for Yes.
using AdifCommentQuestion = std::function<bool(int count)>;

enum class AdifImportStatus
{
    Imported,            // the log holds the new contacts
    NothingNew,          // no contact to add: nothing was written
    Cancelled,           // stopped by the operator: nothing was written
    FileUnreadable,      // the ADIF file could not be read
    FileMalformed,       // the ADIF file is cut short or broken
    NoLog,               // the station has no log yet
    LogUnreadable,       // the log could not be read
    DirectoryUnreadable, // the first-name directory could not be read
    NotWritten           // a rewrite failed: the log and the directory are as they were
};

struct AdifImportResult
{
    AdifImportStatus status = AdifImportStatus::Imported;
    QString fileName; // the ADIF file's name, without its folder
    FileResult file;  // the file that failed and the system's reason
    AdifReadError readError = AdifReadError::None;
    qsizetype errorOffset = 0;
    int errorRecord = 0;
    int records = 0; // records in the file
    AdifImportCounts counts;
    bool ok() const
    {
        return status == AdifImportStatus::Imported || status == AdifImportStatus::NothingNew;
    }
};

// The whole import into the station's log: reads the file, plans, then
// rewrites the first-name directory and the log, each once. It ends with
// every new contact in the log or none: when the log cannot be rewritten,
// the directory is put back as it was.
AdifImportResult importAdifFile(const QString &adifPath, const QString &dataDir,
                                const QString &indicatifStation, const AdifProgress &progress = {},
                                const ScratchWriter &writer = {},
                                const AdifCommentQuestion &takeCommentReferences = {});

} // namespace vqx
