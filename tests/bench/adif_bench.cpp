// ADIF export of a large log against a plain copy of the same file, both
// measured in the same run; the ratio is the figure to watch.
#include "log_samples.h"
#include "temp_folder.h"

#include "adif/adif_export.h"
#include "logstore/log_record.h"

#include <QFile>
#include <benchmark/benchmark.h>

#include <chrono>
#include <unistd.h>

using namespace vqx;
using namespace vqx::test;

namespace {

using Clock = std::chrono::steady_clock;

double seconds(Clock::duration d)
{
    return std::chrono::duration<double>(d).count();
}

// Read the whole file and write it to a new one: the yardstick. The synced
// copy also waits for the disk, as the export does before it replaces a file.
bool plainCopy(const QString &from, const QString &to, bool synced = false)
{
    QFile in(from);
    QFile out(to);
    if (!in.open(QIODevice::ReadOnly) || !out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    const QByteArray bytes = in.readAll();
    if (out.write(bytes) != bytes.size() || !out.flush())
        return false;
    return !synced || ::fsync(out.handle()) == 0;
}

void BM_AdifExportVsCopy(benchmark::State &state)
{
    const int contacts = int(state.range(0));
    TempFolder dir;
    const QString station = QStringLiteral("FBENCH");
    const QString log = logFilePath(dir.path(), station);
    if (!writeBytes(log, crlf(generatedLog(contacts)))) {
        state.SkipWithError("cannot write the log");
        return;
    }
    const QString copy = dir.file(QStringLiteral("copie.log"));

    double exportTime = 0;
    double copyTime = 0;
    double syncedCopyTime = 0;
    for (auto _ : state) {
        const Clock::time_point s0 = Clock::now();
        const bool synced = plainCopy(log, copy, true);
        const Clock::time_point t0 = Clock::now();
        if (!synced || !plainCopy(log, copy)) {
            state.SkipWithError("plain copy failed");
            return;
        }
        const Clock::time_point t1 = Clock::now();
        const AdifExportResult r = Exporter_ADIF(dir.path(), station, station);
        const Clock::time_point t2 = Clock::now();
        if (!r.ok()) {
            state.SkipWithError("export failed");
            return;
        }
        benchmark::DoNotOptimize(r.records);
        syncedCopyTime += seconds(t0 - s0);
        copyTime += seconds(t1 - t0);
        exportTime += seconds(t2 - t1);
        state.SetIterationTime(seconds(t2 - t1));
    }
    const double n = double(state.iterations());
    state.counters["export_ms"] = exportTime / n * 1e3;
    state.counters["copy_ms"] = copyTime / n * 1e3;
    state.counters["ratio_to_copy"] = copyTime > 0 ? exportTime / copyTime : 0;
    state.counters["ratio_to_synced_copy"] = syncedCopyTime > 0 ? exportTime / syncedCopyTime : 0;
    state.counters["log_MB"] = double(QFile(log).size()) / 1e6;
}

BENCHMARK(BM_AdifExportVsCopy)->Arg(99999)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
