#pragma once
// Building well-formed contacts for tests and benchmarks.

#include "logstore/bands.h"
#include "logstore/log_record.h"

#include <QStringList>

namespace vqx::test {

inline QString qso(const QString &call, const QString &ref, const QString &date,
                   const QString &time, const QString &band = QStringLiteral("14 Mhz"),
                   bool qsl = true, const QString &mode = QStringLiteral("SSB"),
                   const QString &prenom = QString(), const QString &name = QString())
{
    QsoFields f;
    f.indicatif = call;
    f.dpt = ref.left(2).toLower();
    f.prenom = prenom;
    f.ref = ref;
    f.date = date;
    f.heure = time;
    f.mode = mode;
    f.qrg = band;
    f.rstR = mode == QStringLiteral("CW") ? QStringLiteral("599") : QStringLiteral("59");
    f.rstE = f.rstR;
    f.nomFontaine = name;
    f.qsl = qsl;
    return buildQsoLine(f);
}

// Three contacts on 14 Mhz, confirmed, in date order.
inline const QString kSampleA = qso(QStringLiteral("FAAAA"), QStringLiteral("31FA001"),
                                    QStringLiteral("05/06/08"), QStringLiteral("14:32"));
inline const QString kSampleB = qso(QStringLiteral("FBBBB"), QStringLiteral("75FT002"),
                                    QStringLiteral("06/06/08"), QStringLiteral("10:00"));
inline const QString kSampleC = qso(QStringLiteral("FCCCC"), QStringLiteral("13FA010"),
                                    QStringLiteral("07/06/08"), QStringLiteral("09:15"));

// Short names for the three, for tests that write many small logs:
// `using namespace vqx::test::samples;`.
namespace samples {
inline const QString &A = kSampleA;
inline const QString &B = kSampleB;
inline const QString &C = kSampleC;
} // namespace samples

// A log of n contacts in date order, varied over bands, departments and QSL.
inline QStringList generatedLog(int n)
{
    QStringList lines;
    lines.reserve(n);
    for (int i = 0; i < n; ++i) {
        const int minutes = i * 7;
        const int day = 1 + (minutes / (24 * 60)) % 28;
        const int month = 1 + (minutes / (24 * 60 * 28)) % 12;
        const int year = 10 + minutes / (24 * 60 * 28 * 12);
        const QString date = QStringLiteral("%1/%2/%3")
                                 .arg(day, 2, 10, QLatin1Char('0'))
                                 .arg(month, 2, 10, QLatin1Char('0'))
                                 .arg(year % 100, 2, 10, QLatin1Char('0'));
        const QString time = QStringLiteral("%1:%2")
                                 .arg((minutes / 60) % 24, 2, 10, QLatin1Char('0'))
                                 .arg(minutes % 60, 2, 10, QLatin1Char('0'));
        const int dep = 1 + i % 95;
        const QString ref =
            QStringLiteral("%1F%2%3")
                .arg(dep == 20 ? QStringLiteral("2A")
                               : QStringLiteral("%1").arg(dep, 2, 10, QLatin1Char('0')))
                .arg(i % 3 ? QLatin1Char('A') : QLatin1Char('T'))
                .arg(i % 997, 3, 10, QLatin1Char('0'));
        lines << qso(QStringLiteral("F%1ABC").arg(i % 10), ref, date, time,
                     kBandList.at(i % kBandList.size()), i % 4 != 0,
                     kModeList.at(i % kModeList.size()), QStringLiteral("JEAN"),
                     QStringLiteral("FONTAINE %1").arg(i));
    }
    return lines;
}

} // namespace vqx::test
