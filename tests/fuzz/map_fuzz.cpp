// Arbitrary bytes as a log: the colouring of the department map and its
// counters.
#include "fuzz_support.h"

#include "logstore/log_operations.h"
#include "logstore/log_record.h"
#include "map/map_colouring.h"

using namespace vqx;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = fuzz::bytesOf(data, size);
    const QString path = fuzz::writeInput(QStringLiteral("FUZZ_VQX.log"), bytes);
    const LoadedLog loaded = Charger_Log(path);
    FUZZ_CHECK(loaded.file.ok());

    const MapColouring c = colourMap(loaded.lines);
    FUZZ_CHECK(c.contacted == c.confirmed + c.notConfirmed);
    FUZZ_CHECK(c.contacted >= 0 && c.contacted <= kMapBoxCount - 1);
    for (const BoxState s : c.boxes)
        FUZZ_CHECK(s != BoxState::Initial);
    // Every department of the log shows, and a confirmed contact always wins.
    for (const QString &line : loaded.lines) {
        const int box = boxIndexForCode(QsoLine::Dpt.cutTrimmed(line));
        FUZZ_CHECK(box >= -1 && box < kMapBoxCount);
        if (box < 0)
            continue;
        const BoxState s = c.boxes[size_t(box)];
        FUZZ_CHECK(s != BoxState::NotContacted);
        if (QsoLine::QSL.cutTrimmed(line) == u"*")
            FUZZ_CHECK(s == BoxState::Confirmed);
    }
    FUZZ_CHECK(nbDepText(c).toInt() == c.contacted);
    FUZZ_CHECK(!nbNcontText(c).contains(u'-'));
    FUZZ_CHECK(nbNconfText(c).startsWith(u' '));
    return 0;
}
