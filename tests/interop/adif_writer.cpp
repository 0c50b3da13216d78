// Writes both ADIF exports of a small log (the program's own and the
// standard one) into the folder given as argument, for the read-back test:
// every band, confirmed and unconfirmed contacts, an empty first name, an
// empty fountain name and accented names.
#include "log_samples.h"
#include "temp_folder.h"

#include "adif/adif_export.h"
#include "adif/adif_standard_export.h"

#include <QDateTime>
#include <QDir>
#include <QTextStream>

using namespace vqx;
using namespace vqx::test;

int main(int argc, char **argv)
{
    QTextStream err(stderr);
    if (argc != 2) {
        err << "usage: " << argv[0] << " <folder>\n";
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    const auto s = [](const char *text) { return QString::fromUtf8(text); };
    const QStringList log = {
        qso(s("F1AAA"), s("01FA001"), s("31/12/99"), s("23:59"), s("1.8 Mhz"), true, s("CW"),
            s("HÉLÈNE"), s("F. du château")),
        qso(s("F2BBB/P"), s("2AFT002"), s("01/01/00"), s("00:00"), s("3.5 Mhz"), false, s("SSB"),
            QString(), s("F. DE LA PLACE")),
        qso(s("F3CCC"), s("31FA003"), s("05/06/08"), s("14:32"), s("7.0 Mhz"), true, s("SSB"),
            s("JEAN"), QString()),
        qso(s("F4DDD"), s("75FT004"), s("15/07/21"), s("08:05"), s("10 Mhz"), false, s("CW"),
            s("MARC"), s("F. WALLACE")),
        qso(s("F5EEE"), s("13FA005"), s("16/07/21"), s("09:10"), s("14 Mhz"), true, s("SSB"),
            s("ANNE"), s("F. DES QUATRE DAUPHINS")),
        qso(s("F6FFF"), s("69FA006"), s("17/07/21"), s("10:15"), s("18 Mhz"), true, s("CW"),
            s("PAUL"), s("F. BARTHOLDI")),
        qso(s("F8GGG"), s("2BFA007"), s("18/07/21"), s("11:20"), s("21 Mhz"), false, s("SSB"),
            s("LUC"), s("F. DU LION")),
        qso(s("F1HHH"), s("33FT008"), s("19/07/21"), s("12:25"), s("24 Mhz"), true, s("CW"),
            s("EMMA"), s("F. DES TROIS GRACES")),
        qso(s("F4III"), s("06FA009"), s("20/07/21"), s("13:30"), s("28 Mhz"), false, s("SSB"),
            s("LEA"), s("F. DU PAILLON")),
        qso(s("F5JJJ"), s("67FA010"), s("21/07/21"), s("14:35"), s("50 Mhz"), true, s("SSB"),
            s("HUGO"), s("F. DE LA MARNE")),
        qso(s("F6KKK"), s("95FT011"), s("22/07/21"), s("15:40"), s("144 Mhz"), false, s("FM"),
            s("ZOE"), s("F. DU LAVOIR")),
        qso(s("F8LLL"), s("59FA012"), s("23/07/21"), s("16:45"), s("432 Mhz"), true, s("FM"),
            s("NOEL"), s("F. AMEDEE")),
    };
    const QString logPath = QDir(folder).filePath(QStringLiteral("F8TEST_P_VQX.log"));
    if (!writeBytes(logPath, crlf(log))) {
        err << "cannot write " << logPath << "\n";
        return 1;
    }
    const AdifExportResult r =
        writeAdifExport(folder, QStringLiteral("F8TEST_P"), QStringLiteral("F8TEST/P"));
    if (!r.ok()) {
        err << "export failed: " << r.file.path << " " << r.file.detail << "\n";
        return 1;
    }
    const AdifStandardExportResult standard =
        writeStandardAdifExport(folder, QStringLiteral("F8TEST_P"), QStringLiteral(" 1.0.1"),
                                QDateTime(QDate(2021, 6, 5), QTime(14, 32, 10), Qt::UTC));
    if (!standard.ok()) {
        err << "standard export failed: " << standard.file.path << " " << standard.file.detail
            << "\n";
        return 1;
    }
    QTextStream(stdout) << r.path << "\n" << standard.path << "\n";
    return 0;
}
