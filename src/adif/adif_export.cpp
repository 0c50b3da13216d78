#include "adif/adif_export.h"

#include "adif/adif_record.h"
#include "logstore/codepage.h"
#include "logstore/log_operations.h"
#include "logstore/log_record.h"

#include <QDir>
#include <QFileInfo>

namespace vqx {

namespace {

const QLatin1String kCrLf("\r\n");

// A reader takes a header starting with "<" for a field, and one holding
// "<" may cut it short: the header is free text without any.
QString headerText(QString text)
{
    return text.remove(QLatin1Char('<'));
}

bool isBlank(const QString &line)
{
    for (QChar c : line) {
        if (!c.isSpace())
            return false;
    }
    return true;
}

} // namespace

QString adifFileName(const QString &indicatifStation)
{
    return indicatifStation + QStringLiteral("_VQX.adi");
}

QString adifText(const QString &stationLabel, const QStringList &logLines, int *records)
{
    QString out;
    out.reserve(300 + logLines.size() * 230);
    out += headerText(QStringLiteral("Exportation du log de la station ") + stationLabel +
                      QStringLiteral(" au format ADIF"));
    out += kCrLf;
    out += kCrLf;
    out += headerText(kAdifCredit);
    out += kCrLf;
    out += kCrLf;
    out += kCrLf;
    out += QLatin1String("<eoh>");
    out += kCrLf;
    int n = 0;
    for (const QString &line : logLines) {
        // A blank line holds no contact; a record of empty fields would
        // reach the other logger as a contact without a callsign.
        if (isBlank(line))
            continue;
        appendAdifRecord(out, line);
        out += kCrLf;
        ++n;
    }
    if (records)
        *records = n;
    return out;
}

AdifExportResult Exporter_ADIF(const QString &dataDir, const QString &indicatifStation,
                               const QString &stationLabel, const ScratchWriter &writer)
{
    AdifExportResult r;
    r.fileName = adifFileName(indicatifStation);
    r.path = QDir(dataDir).filePath(r.fileName);
    r.logPath = logFilePath(dataDir, indicatifStation);

    const LoadedLog log = Charger_Log(r.logPath);
    if (!log.file.ok()) {
        r.file = log.file;
        r.status = log.file.error == FileError::Missing ? AdifExportStatus::NoLog
                                                        : AdifExportStatus::LogUnreadable;
        return r;
    }

    const QString text = adifText(stationLabel, log.lines, &r.records);
    r.file = rewriteFile(r.path, codepage::encode(text), kAdifScratchFile, writer);
    if (!r.file.ok()) {
        r.status = AdifExportStatus::NotWritten;
        r.previousKept = QFileInfo(r.path).isFile();
        r.records = 0;
    }
    return r;
}

} // namespace vqx
