// Arbitrary bytes as a log: the award count and the award list lines, saved
// and printed forms included.
#include "fuzz_support.h"

#include "awards/award_levels.h"
#include "awards/award_list.h"
#include "logstore/codepage.h"
#include "logstore/log_operations.h"

using namespace vqx;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = fuzz::bytesOf(data, size);
    const QString path = fuzz::writeInput(QStringLiteral("FUZZ_VQX.log"), bytes);
    const LoadedLog loaded = Charger_Log(path);
    FUZZ_CHECK(loaded.file.ok());

    int confirmed = 0;
    for (const QString &line : loaded.lines)
        confirmed += isConfirmed(line) ? 1 : 0;

    const ConfirmedCounts counts = countConfirmed(loaded.lines);
    FUZZ_CHECK(counts.hf >= 0 && counts.vhf >= 0 && counts.hf + counts.vhf <= confirmed);
    for (const QString &group : {kGroupHf, kGroupVhf}) {
        const AwardEvaluation e = evaluateAwards(counts, group);
        FUZZ_CHECK(e.count == (group == kGroupHf ? counts.hf : counts.vhf));
        // Reached levels form a leading run; the others say what they lack.
        bool stillReaching = true;
        for (const LevelResult &r : e.levels) {
            FUZZ_CHECK(!r.reached || stillReaching);
            stillReaching = r.reached;
            FUZZ_CHECK(r.reached ? r.missing == 0 : r.missing == r.threshold - e.count);
            FUZZ_CHECK(!r.status.isEmpty() && !r.detail.isEmpty());
        }
    }

    const QStringList items = awardListLines(loaded.lines);
    FUZZ_CHECK(items.size() == confirmed);
    for (qsizetype i = 0; i < items.size(); ++i) {
        FUZZ_CHECK(items.at(i).size() <= kAwardListLineLength);
        if (i)
            FUZZ_CHECK(QString::compare(items.at(i - 1), items.at(i), Qt::CaseInsensitive) <= 0);
    }
    const QStringList saved =
        awardListFileLines(QStringLiteral("F1ABC"), QStringLiteral("05/06/2021"), items);
    FUZZ_CHECK(saved.size() == items.size() + 6);
    const QStringList printed =
        awardListPrintLines(QStringLiteral("F1ABC"), kGroupHf, QStringLiteral("Base"),
                            QStringLiteral("05/06/21"), items);
    FUZZ_CHECK(printed.size() == items.size() + 7);
    FUZZ_CHECK(codepage::isRepresentable(saved.join(QString())));
    return 0;
}
