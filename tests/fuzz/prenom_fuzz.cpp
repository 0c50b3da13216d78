// Arbitrary bytes as the first-name directory: the lookup, then a store and
// the lookup again. The input's first line is the callsign typed, the rest
// the directory.
#include "fuzz_support.h"

#include "logstore/codepage.h"
#include "logstore/prenoms.h"

using namespace vqx;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = fuzz::bytesOf(data, size);
    const qsizetype lf = bytes.indexOf('\n');
    const QString indicatif = codepage::decode(lf < 0 ? bytes : bytes.left(lf));
    const QByteArray directory = lf < 0 ? QByteArray() : bytes.mid(lf + 1);
    const QString path = fuzz::writeInput(kPrenomFile, directory);
    const QString folder = fuzz::workFolder();

    const PrenomLookup found = Chercher_Prenom(folder, indicatif);
    FUZZ_CHECK(found.file.ok());
    FUZZ_CHECK(fuzz::readBack(path) == directory);
    if (found.found)
        FUZZ_CHECK(found.prenom == found.prenom.toUpper());
    else
        FUZZ_CHECK(found.prenom.isEmpty());

    // Storing the callsign makes the next lookup find it, whatever the
    // directory held, as long as the callsign is one the entry accepts.
    const bool clean = !indicatif.isEmpty() && indicatif.size() <= 12 &&
                       indicatif == indicatif.trimmed() && !indicatif.contains(u'\r') &&
                       !indicatif.contains(u'\n');
    if (clean) {
        const QString line =
            buildPrenomLine(indicatif, QStringLiteral("31"), QStringLiteral("jean"));
        FUZZ_CHECK(Memoriser_Prenom(folder, line).ok());
        const PrenomLookup again = Chercher_Prenom(folder, indicatif);
        FUZZ_CHECK(again.found);
        const QStringList stored =
            codepage::splitLines(codepage::decode(fuzz::readBack(path))).lines;
        FUZZ_CHECK(stored.contains(line));
    }
    return 0;
}
