#pragma once

#include <QString>
#include <QStringView>

namespace vqx {

// ADIF name of a band as the band list spells it ("14 Mhz" gives "20m");
// empty for a text the table does not know.
QString adifBand(QStringView qrg);

// QSO_DATE of a dd/mm/yy date: yyyymmdd, with the same century rule as the
// date order of the log. An empty date stays empty.
QString adifDate(QStringView date);

// One QsoLine (Poubelle) gives one ADIF record (Ligne_ADIF), without line
// end: the twelve fields separated by one blank, "<eor>" right after the
// last. Lengths count characters, one byte each in the file's code page.
QString ADIF_SP(const QString &Poubelle);

// The same record appended to out, for the export of a whole log.
void appendAdifRecord(QString &out, QStringView qsoLine);

} // namespace vqx
