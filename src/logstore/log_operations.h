#pragma once

#include "logstore/line_buffer.h"
#include "logstore/safe_rewrite.h"

#include <QString>
#include <QStringList>

namespace vqx {

// Scratch files of the log rewrites, in the log's folder.
inline const QString kScratchFile = QStringLiteral("Temporaire.txt");
inline const QString kScratchFileChrono = QStringLiteral("Temporaire6.txt");

// Where the operations work. The writer is a seam for tests (full disk).
struct LogTarget
{
    QString path;
    ScratchWriter writer = {};
    // The log's bytes when the caller has just read them, so that they are
    // not read twice.
    const QByteArray *current = nullptr;
};

// What a load found besides the lines themselves. Irregular logs are shown
// as well as possible and left on disk exactly as found.
struct LogIrregularities
{
    int wrongLengthLines = 0; // lines not exactly 107 characters
    int firstWrongLine = 0;   // 1-based, 0 when none
    bool bareLineFeeds = false;
    bool nonTextBytes = false; // control characters inside lines
    int firstNonTextLine = 0;  // 1-based, 0 when none
    int firstUtf8Line = 0;     // the first line written in UTF-8, 0 when none
    bool any() const
    {
        return wrongLengthLines > 0 || bareLineFeeds || nonTextBytes || firstUtf8Line > 0;
    }
};

struct LoadedLog
{
    FileResult file;
    QStringList lines; // one file line per contact, in file order
    LogIrregularities irregular;
};

// Reads the log. It never writes: a well-formed log re-cut to the layout
// would give the same bytes, and an irregular one is reported, not altered.
LoadedLog Charger_Log(const QString &logPath);

// The same reading for the main list, which keeps the log as its bytes.
struct LoadedLogBuffer
{
    FileResult file;
    LineBuffer log;
    LogIrregularities irregular;
};
LoadedLogBuffer loadLogBuffer(const QString &logPath);

// Result of a change: on success, the new content of the log (the reload),
// as the bytes just written.
struct LogChange
{
    FileResult file;
    LineBuffer log;
    bool ok() const { return file.ok(); }
    QStringList lines() const { return log.lines(); }
};

// Creates the empty log of a callsign. An existing file is never emptied.
FileResult Creer_Log(const QString &logPath);

// Appends the new line at the end of the log.
LogChange Ajouter_Qso(const LogTarget &log, const QString &newLine);
// Inserts the line before the first line of the same or a later date and time.
LogChange Inserer_Qso_Chrono(const LogTarget &log, const QString &newLine);
// Replaces every line equal to oldLine; appends newLine when none is equal.
LogChange Remplacer_Qso(const LogTarget &log, const QString &newLine, const QString &oldLine);
// Removes every line equal to the given line.
LogChange Supprimer_Qso(const LogTarget &log, const QString &line);

// The century rule of two-digit years: 50-99 are 19xx, 00-49 are 20xx.
inline int fullYear(int twoDigitYear)
{
    return twoDigitYear >= 50 ? 1900 + twoDigitYear : 2000 + twoDigitYear;
}

// The full year of a two-digit year text, read from its leading digits.
int fullYearOf(QStringView twoDigitYear);

// Date and time of a line as one comparable number (yyyyMMddhhmm), with the
// century rule of fullYear(). A group that is not a number counts as 0, so
// every line gets a place.
qint64 dateTimeKey(QStringView qsoLine);
qint64 dateTimeKey(QByteArrayView qsoLine); // a line in the code page

// Two file lines are the same contact when equal character for character.
// An irregular line (another length, text between the columns, blanks before
// the reference) is also matched by its form re-cut to the layout, which is
// what the list shows and gives back. Replacing and deleting look for equal
// lines first and fall back on this only when there is none.
bool sameContact(const QString &fileLine, const QString &wanted);

} // namespace vqx
