#pragma once

#include "adif/adif_export.h"

#include <QDateTime>
#include <QLatin1String>

namespace vqx {

// The export other loggers read as they expect it: the station's callsign
// in every record, the award's name in SIG and the reference in SIG_INFO,
// the fountain name in COMMENT, only values of the ADIF enumerations in
// BAND and MODE. An ADI file holds ASCII text only (32 to 126) and has no
// place for the _INTL fields, so accented letters are written without their
// accents; the exact first name and fountain name follow in fields of the
// program's own (APP_ZAT_VQX_NAME, APP_ZAT_VQX_COMMENT), in ASCII as well,
// so that the program reads back what it wrote.

inline constexpr QLatin1String kAdifVersion("3.1.4");
inline constexpr QLatin1String kProgramId("ZAT_VQX");
inline constexpr QLatin1String kAppNameField("APP_ZAT_VQX_NAME");
inline constexpr QLatin1String kAppCommentField("APP_ZAT_VQX_COMMENT");

// "<callsign>_VQX_standard.adi" in the data folder.
QString adifStandardFileName(const QString &indicatifStation);

// Text as an ADI String may hold it: accented letters without their
// accents, a few signs spelled out, anything else outside ASCII as "?".
QString adiText(const QString &text);

// Any text in ASCII without loss: "&" and every character outside 32-126
// written as "&#" + its decimal code + ";".
QString escapeForAdi(const QString &text);
QString unescapeFromAdi(const QString &text);

// The ADIF mode (and submode) of a mode of the log; an empty mode when the
// log's mode is no value of the ADIF enumerations.
struct AdifMode
{
    QLatin1String mode;
    QLatin1String submode;
};
AdifMode adifModeFor(QStringView logMode);

struct AdifStandardCounts
{
    int records = 0;
    int withoutBand = 0; // contacts on a band ADIF does not name
    int withoutMode = 0; // contacts in a mode ADIF does not name
};

// The whole file: a header with the ADIF version, the program and the time
// of creation, then one record per contact, every line ended by CR LF.
// stationCallsign is written as is ("F8ABC/P").
QByteArray adifStandardContent(const QString &stationCallsign, const QString &programVersion,
                               const QDateTime &createdUtc, const QByteArray &logBytes,
                               AdifStandardCounts *counts = nullptr);

struct AdifStandardExportResult : AdifExportResult
{
    int withoutBand = 0;
    int withoutMode = 0;
};

// Exports the station's log to "<callsign>_VQX_standard.adi", replacing an
// older one only once the new one is completely written.
AdifStandardExportResult writeStandardAdifExport(const QString &dataDir,
                                                 const QString &indicatifStation,
                                                 const QString &programVersion,
                                                 const QDateTime &createdUtc,
                                                 const ScratchWriter &writer = {});

} // namespace vqx
