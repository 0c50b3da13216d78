#pragma once

#include "logstore/safe_rewrite.h"

#include <QString>
#include <QStringList>

namespace vqx {

// The scratch file of the export, in the data folder.
inline const QString kAdifScratchFile = QStringLiteral("Temporaire_ADIF.txt");

// The export of a station: "<callsign>_VQX.adi" in the data folder.
QString adifFileName(const QString &indicatifStation);

// Line 3 of the header: free text, as every header line, without "<".
inline const QString kAdifCredit =
    QStringLiteral("Fichier créé par ZAT_VQX, carnet de trafic du diplôme VQX des fontaines");

enum class AdifExportStatus
{
    Written,
    NoLog,         // the station has no log yet
    LogUnreadable, // the log exists but could not be read
    NotWritten     // the export could not be written; an older one is untouched
};

struct AdifExportResult
{
    AdifExportStatus status = AdifExportStatus::Written;
    QString fileName; // the export's name, without its folder
    QString path;     // the export's full path
    QString logPath;
    FileResult file;           // the file that failed and the system's reason
    bool previousKept = false; // an older export of that name is still there, unchanged
    int records = 0;
    bool ok() const { return status == AdifExportStatus::Written; }
};

// The steps every export of the log shares. The first names the export and
// reads the station's log; false (with the status set) when there is no log
// to export. The second writes the content over the export safely.
bool readLogForExport(AdifExportResult &r, const QString &dataDir, const QString &indicatifStation,
                      const QString &fileName, QByteArray *log);
bool writeExport(AdifExportResult &r, const QByteArray &content, const ScratchWriter &writer);

// The whole export in the file's code page: six header lines, then one
// record per contact in file order, every line ended by CR LF.
QByteArray adifFileContent(const QString &stationLabel, const QStringList &logLines,
                           int *records = nullptr);
// The same from the bytes of the log, read line by line without keeping
// the lines: what the export writes.
QByteArray adifFileContent(const QString &stationLabel, const QByteArray &logBytes,
                           int *records = nullptr);

// Exports the log of the station to "<callsign>_VQX.adi" in the data folder,
// replacing an older export only once the new one is completely written.
// stationLabel is the callsign as the station label shows it (with "/").
AdifExportResult writeAdifExport(const QString &dataDir, const QString &indicatifStation,
                                 const QString &stationLabel, const ScratchWriter &writer = {});

} // namespace vqx
