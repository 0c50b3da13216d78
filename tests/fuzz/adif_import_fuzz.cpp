// Arbitrary bytes as an ADIF file to import: the reader, the mapping of
// each record, the planning into an empty log, and both exports read back.
#include "fuzz_support.h"

#include "adif/adif_entry_rules.h"
#include "adif/adif_export.h"
#include "adif/adif_import.h"
#include "adif/adif_reader.h"
#include "adif/adif_standard_export.h"
#include "logstore/codepage.h"
#include "logstore/log_operations.h"
#include "logstore/log_record.h"

#include <QDateTime>

#include <algorithm>
#include <limits>

using namespace vqx;

namespace {

bool fitsItsColumns(const QsoFields &f)
{
    return f.indicatif.size() >= 1 && f.indicatif.size() <= QsoLine::Indicatif.width &&
           f.dpt.size() == QsoLine::Dpt.width && f.prenom.size() <= QsoLine::Prenom.width &&
           isFountainReference(f.ref) && f.date.size() == QsoLine::Date.width &&
           f.heure.size() == QsoLine::Heure.width && f.mode.size() >= 1 &&
           f.mode.size() <= QsoLine::Mode.width && f.qrg.size() >= 1 &&
           f.qrg.size() <= QsoLine::QRG.width && f.rstR.size() <= QsoLine::RstR.width &&
           f.rstE.size() <= QsoLine::RstE.width &&
           f.nomFontaine.size() <= QsoLine::NomFontaine.width;
}

// The log the import makes of the records, into an empty log.
QStringList imported(const QList<AdifRecord> &records, int *count)
{
    const AdifImportPlan plan = planAdifImport(records, {}, {});
    FUZZ_CHECK(!plan.cancelled);
    const AdifImportCounts &c = plan.counts;
    // Records with their reference only in a comment are left out unless taken.
    FUZZ_CHECK(c.imported + c.duplicates + c.alreadyContacted + c.notVqx + c.refused.size() +
                   (c.fromCommentsTaken ? 0 : c.fromComments) ==
               records.size());
    FUZZ_CHECK(plan.logLines.size() == c.imported);
    *count = c.imported;
    return plan.logLines;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = fuzz::bytesOf(data, size);
    const AdifFile file = readAdif(bytes);
    if (!file.ok()) {
        FUZZ_CHECK(file.errorOffset >= 0 && file.errorOffset <= bytes.size());
        FUZZ_CHECK(file.errorRecord == file.records.size() + 1);
        return 0;
    }
    qsizetype lastOffset = -1;
    for (const AdifRecord &r : file.records) {
        FUZZ_CHECK(!r.fields.isEmpty());
        FUZZ_CHECK(r.offset > lastOffset && r.offset < bytes.size());
        FUZZ_CHECK(bytes.at(r.offset) == '<');
        lastOffset = r.offset;
        const AdifMappedRecord m = mapAdifRecord(r);
        if (m.kind == AdifRecordKind::Contact) {
            FUZZ_CHECK(fitsItsColumns(m.fields));
            FUZZ_CHECK(entryRuleProblem(m.fields).isEmpty());
        } else if (m.kind == AdifRecordKind::Refused) {
            FUZZ_CHECK(!m.reason.isEmpty());
        }
    }

    int count = 0;
    const QStringList log = imported(file.records, &count);
    qint64 previous = std::numeric_limits<qint64>::min();
    for (const QString &line : log) {
        FUZZ_CHECK(line.size() == QsoLine::Length);
        FUZZ_CHECK(codepage::isRepresentable(line));
        // Into an empty log, in date order.
        FUZZ_CHECK(dateTimeKey(line) >= previous);
        previous = dateTimeKey(line);
    }

    // Both exports of that log give it back. The program's own export is in
    // the log's code page: text that happens to be valid UTF-8 as well is
    // read as UTF-8, as any file is.
    const QByteArray logBytes = codepage::encodeLines(log);
    const QByteArray ownBytes = adifFileContent(QStringLiteral("F1ABC"), logBytes);
    const AdifFile own = readAdif(ownBytes);
    FUZZ_CHECK(own.ok());
    FUZZ_CHECK(own.records.size() == count);
    int again = 0;
    const bool ascii = std::all_of(ownBytes.begin(), ownBytes.end(),
                                   [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    if (own.encoding == AdifEncoding::Windows1252 || ascii)
        FUZZ_CHECK(imported(own.records, &again) == log);

    // The standard export loses what ASCII cannot say in the callsign and
    // reports, and the modes ADIF does not name.
    AdifStandardCounts counts;
    const AdifFile standard = readAdif(adifStandardContent(
        QStringLiteral("F1ABC/P"), QStringLiteral("1.0.1"),
        QDateTime(QDate(2021, 6, 5), QTime(14, 32), Qt::UTC), logBytes, &counts));
    FUZZ_CHECK(standard.ok());
    FUZZ_CHECK(counts.records == count && counts.withoutBand == 0);
    const bool lossless = std::all_of(log.begin(), log.end(), [](const QString &line) {
        for (const Column &c : {QsoLine::Indicatif, QsoLine::RstR, QsoLine::RstE}) {
            const QString v = c.cutTrimmed(line);
            if (adiText(v) != v)
                return false;
        }
        return true;
    });
    if (lossless && counts.withoutMode == 0)
        FUZZ_CHECK(imported(standard.records, &again) == log);
    return 0;
}
