#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace vqx {

// ADIF name of a band as the band list spells it ("14 Mhz" gives "20m");
// empty for a text the table does not know.
QString adifBand(QStringView qrg);

// The other way: the band list's spelling of an ADIF band name, in any case
// ("20M" gives "14 Mhz"); "" for a band the program does not know.
QString qrgForAdifBand(QStringView band);
// The band list's spelling of the band holding a frequency in Hz, "" when
// the frequency lies outside them.
QString qrgForFrequency(qint64 hz);

// One QsoLine (Poubelle) gives one ADIF record (Ligne_ADIF), without line
// end: the twelve fields separated by one blank, "<eor>" right after the
// last. Lengths count characters, one byte each in the file's code page.
QString ADIF_SP(const QString &Poubelle);

// The same record appended in the file's code page, for the export of a
// whole log, cut from the line's bytes in the code page.
void appendAdifRecord(QByteArray &out, QByteArrayView encoded);

} // namespace vqx
