#pragma once

#include "logstore/safe_rewrite.h"
#include "logstore/text_order.h"

#include <QString>
#include <QStringList>

namespace vqx {

// One line of the award list: reference, department, fountain name, date,
// time and callsign, cut from the log line as they stand.
inline constexpr int kAwardListLineLength = 77;
QString awardListLine(const QString &qsoLine);

// The confirmed contacts of every band, one line each, in list order.
QStringList awardListLines(const QStringList &logLines);

// Column header above the list.
inline const QString kAwardListHeader =
    QStringLiteral("    Ref     Dpt   Nom de la Fontaine               Date   Heure Indicatif");
// The count caption: " 35 Fontaines confirmées".
QString awardListCountCaption(int count);

// Name of the saved list, by level; empty for a level that does not exist.
// Honneur and Maitre carry two underscores before the date.
QString awardListFileName(const QString &indicatifStation, const QString &niveauListe,
                          const QString &groupeBandes, const QString &dateFichier);

// Content of the saved list; dateCourte is dd/mm/yyyy.
QStringList awardListFileLines(const QString &indicatifStation, const QString &dateCourte,
                               const QStringList &items);

// Lines of the printout; dateImpression is dd/mm/yy.
QStringList awardListPrintLines(const QString &indicatifStation, const QString &groupeBandes,
                                const QString &niveauListe, const QString &dateImpression,
                                const QStringList &items);

// Scratch file of the save, in the data folder.
inline const QString kAwardListScratch = QStringLiteral("Temporaire_Diplome.txt");

// Writes the list in the log's code page with CR LF; an existing file of
// that name is replaced, and kept as it was when the write fails.
FileResult saveAwardList(const QString &dataDir, const QString &fileName, const QStringList &lines,
                         const ScratchWriter &writer = {});

} // namespace vqx
