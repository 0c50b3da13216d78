#include "adif/adif_export.h"

#include "adif/adif_record.h"
#include "logstore/codepage.h"
#include "logstore/log_operations.h"
#include "logstore/log_record.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace vqx {

namespace {

// A reader takes a header starting with "<" for a field, and one holding
// "<" may cut it short: the header is free text without any.
QString headerText(QString text)
{
    return text.remove(QLatin1Char('<'));
}

bool isBlank(QByteArrayView line)
{
    return std::all_of(line.begin(), line.end(), codepage::isBlank);
}

QByteArray adifHeader(const QString &stationLabel)
{
    const QStringList header = {headerText(QStringLiteral("Exportation du log de la station ") +
                                           stationLabel + QStringLiteral(" au format ADIF")),
                                QString(),
                                headerText(kAdifCredit),
                                QString(),
                                QString(),
                                QStringLiteral("<eoh>")};
    return codepage::encodeLines(header);
}

} // namespace

QString adifFileName(const QString &indicatifStation)
{
    return indicatifStation + QStringLiteral("_VQX.adi");
}

QByteArray adifFileContent(const QString &stationLabel, const QStringList &logLines, int *records)
{
    QByteArray out = adifHeader(stationLabel);
    out.reserve(out.size() + logLines.size() * 210);
    QByteArray encoded;
    int n = 0;
    for (const QString &line : logLines) {
        // A blank line holds no contact; a record of empty fields would
        // reach the other logger as a contact without a callsign.
        codepage::encode(line, &encoded);
        if (isBlank(encoded))
            continue;
        appendAdifRecord(out, encoded);
        out.append("\r\n", 2);
        ++n;
    }
    if (records)
        *records = n;
    return out;
}

QByteArray adifFileContent(const QString &stationLabel, const QByteArray &logBytes, int *records)
{
    const QList<QByteArrayView> lines = codepage::splitRawLines(logBytes);
    QByteArray out = adifHeader(stationLabel);
    out.reserve(out.size() + lines.size() * 210);
    int n = 0;
    for (const QByteArrayView raw : lines) {
        if (isBlank(raw))
            continue;
        appendAdifRecord(out, raw);
        out.append("\r\n", 2);
        ++n;
    }
    if (records)
        *records = n;
    return out;
}

bool readLogForExport(AdifExportResult &r, const QString &dataDir, const QString &indicatifStation,
                      const QString &fileName, QByteArray *log)
{
    r.fileName = fileName;
    r.path = QDir(dataDir).filePath(r.fileName);
    r.logPath = logFilePath(dataDir, indicatifStation);
    const FileResult read = readFile(r.logPath, log);
    if (read.ok())
        return true;
    r.file = read;
    r.status = read.error == FileError::Missing ? AdifExportStatus::NoLog
                                                : AdifExportStatus::LogUnreadable;
    return false;
}

bool writeExport(AdifExportResult &r, const QByteArray &content, const ScratchWriter &writer)
{
    r.file = rewriteFile(r.path, content, kAdifScratchFile, writer);
    if (r.file.ok())
        return true;
    r.status = AdifExportStatus::NotWritten;
    r.previousKept = QFileInfo(r.path).isFile();
    return false;
}

AdifExportResult writeAdifExport(const QString &dataDir, const QString &indicatifStation,
                                 const QString &stationLabel, const ScratchWriter &writer)
{
    AdifExportResult r;
    QByteArray log;
    if (!readLogForExport(r, dataDir, indicatifStation, adifFileName(indicatifStation), &log))
        return r;
    const QByteArray content = adifFileContent(stationLabel, log, &r.records);
    if (!writeExport(r, content, writer))
        r.records = 0;
    return r;
}

} // namespace vqx
