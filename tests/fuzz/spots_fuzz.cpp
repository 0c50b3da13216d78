// Arbitrary bytes from a cluster node: cut anywhere, they give the same
// lines; every spot read from them has a frequency and only well-formed,
// distinct fountain references.
#include "fuzz_support.h"

#include "logstore/entry_rules.h"
#include "spots/cluster_text.h"
#include "spots/spot_line.h"
#include "spots/spot_states.h"

using namespace vqx;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = fuzz::bytesOf(data, size);
    ClusterTextStream whole;
    const QStringList lines = whole.feed(bytes);

    // The same bytes in slices of a size taken from the input.
    const int slice = bytes.isEmpty() ? 1 : 1 + static_cast<unsigned char>(bytes.at(0)) % 17;
    ClusterTextStream cut;
    QStringList again;
    for (qsizetype at = 0; at < bytes.size(); at += slice)
        again << cut.feed(bytes.mid(at, slice));
    FUZZ_CHECK(again == lines);
    FUZZ_CHECK(cut.pending() == whole.pending());
    FUZZ_CHECK(cut.takeReplies() == whole.takeReplies());

    WorkedIndex index;
    for (const QString &line : lines) {
        FUZZ_CHECK(!line.contains(u'\r') && !line.contains(u'\n') && !line.contains(QChar(7)));
        const ClusterLine spot = parseClusterLine(line);
        if (!spot.isSpot) {
            FUZZ_CHECK(spot.references.isEmpty());
            continue;
        }
        FUZZ_CHECK(spot.hz > 0 && !spot.callsign.isEmpty() && spot.timeUtc.size() == 4);
        for (const QString &ref : spot.references) {
            FUZZ_CHECK(isFountainReference(ref) && ref == ref.toUpper());
            FUZZ_CHECK(spot.references.count(ref) == 1);
        }
        const QList<SpotRow> rows = rowsOfSpot(spot, index, {});
        FUZZ_CHECK(rows.size() == spot.references.size());
        for (const SpotRow &row : rows)
            FUZZ_CHECK(row.state == (row.band ? SpotState::Nouvelle : SpotState::HorsBande));
    }
    return 0;
}
