#pragma once

#include "logstore/log_record.h"
#include "logstore/safe_rewrite.h"

#include <QString>
#include <QStringList>

namespace vqx {

class Clock;

// The list of contacted fountains: one 121-character line per contact,
// led by the reference, sorted and without duplicates.
namespace ContactedList {
inline constexpr int LineLength = 121;
inline constexpr int HeaderLength = 122;
// Characters 7-16: the reference, a blank and the first two characters of
// the callsign.
inline constexpr int KeyStart = 7;
inline constexpr int KeyLength = 10;
// Where each column of the log line lands in the contacted-list line.
inline constexpr Column Ref{7, 7};
inline constexpr Column Indicatif{15, 12};
inline constexpr Column Dpt{29, 2};
inline constexpr Column Prenom{32, 15};
inline constexpr Column Date{48, 8};
inline constexpr Column Heure{58, 5};
inline constexpr Column Mode{65, 3};
inline constexpr Column QRG{70, 7};
inline constexpr Column RstR{79, 3};
inline constexpr Column RstE{84, 3};
inline constexpr Column NomFontaine{89, 30};
inline constexpr Column QSL{121, 1};
} // namespace ContactedList

// The contacted-list line of a log line. Columns are taken as they stand;
// a short log line gives a shorter line, the separators stay.
QString contactedListLine(const QString &qsoLine);

// The duplicate key of a contacted-list line.
QString contactedListKey(const QString &contactedLine);

// Ascending text order, letters compared without regard to case; lines
// that compare equal keep the order in which they came.
void sortContactedLines(QStringList &lines);

// Every contact of the log, confirmed or not, sorted, one line per key (the
// first in sorted order). Lines holding nothing but blanks are no contact.
QStringList buildContactedList(const QStringList &logLines);

// "Fontaines_Contacte_<callsign>_<dd_mm_yy>.txt".
QString contactedListFileName(const QString &indicatifStation, const QString &dateFichier);

// The title line of the file and of the printout.
QString contactedListTitle(const QString &indicatifStation, const QString &dateCourte);

// The column header of the file and of the printout (122 characters).
QString contactedListHeader();

// The line that ends the file and the printout.
QString contactedListCredit();

// Title, empty line, header, empty line, the lines, then one empty line
// before the credit in the file and two in print.
QStringList contactedListFileLines(const QString &title, const QStringList &lines);
QStringList contactedListPrintLines(const QString &title, const QStringList &lines);

// Scratch file of the save, in the data folder.
inline const QString kContactedScratch = QStringLiteral("Fontaines_Contacte.tmp");

struct ContactedSave
{
    FileResult file;
    QString fileName; // without the folder, for the message
};

// Writes the list file in the data folder; an older file of the same name
// is replaced only once the new one is complete.
ContactedSave saveContactedList(const QString &dataDir, const QString &indicatifStation,
                                const Clock &clock, const QStringList &lines,
                                const ScratchWriter &writer = {});

} // namespace vqx
