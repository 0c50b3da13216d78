// Award count and award list on a large log, each measured against a plain
// copy of the same file in the same run: the ratio says how many copies of
// the log one evaluation costs, whatever the machine.
#include "log_samples.h"
#include "temp_folder.h"
#include "ui_fakes.h"

#include "awards/award_levels.h"
#include "awards/award_list.h"
#include "awards/award_list_window.h"
#include "logstore/log_operations.h"
#include "logstore/log_record.h"
#include "mainwindow/shared_values.h"

#include <QApplication>
#include <QFile>
#include <benchmark/benchmark.h>
#include <chrono>

using namespace vqx;
using namespace vqx::test;

namespace {

const QString kStation = QStringLiteral("FBENCH");

struct LargeLog
{
    LargeLog()
    {
        path = logFilePath(dir.path(), kStation);
        const QByteArray bytes = crlf(generatedLog(99999));
        size = bytes.size();
        writeBytes(path, bytes);
    }
    TempFolder dir;
    QString path;
    qint64 size = 0;
};

LargeLog &largeLog()
{
    static LargeLog log;
    return log;
}

double secondsSince(std::chrono::steady_clock::time_point t0)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

// Times a plain copy of the log (outside the measured time) beside each run
// of the work, and reports the work's time as a multiple of the copy's.
template <typename Work> void againstCopy(benchmark::State &state, Work work)
{
    LargeLog &log = largeLog();
    const QString copy = log.dir.file(QStringLiteral("copie.log"));
    double copyTotal = 0;
    double workTotal = 0;
    for (auto _ : state) {
        state.PauseTiming();
        QFile::remove(copy);
        const auto c0 = std::chrono::steady_clock::now();
        if (!QFile::copy(log.path, copy))
            state.SkipWithError("copy failed");
        copyTotal += secondsSince(c0);
        state.ResumeTiming();
        const auto w0 = std::chrono::steady_clock::now();
        work(log);
        workTotal += secondsSince(w0);
    }
    state.SetBytesProcessed(state.iterations() * log.size);
    if (copyTotal > 0)
        state.counters[QStringLiteral("x_copy").toStdString()] = workTotal / copyTotal;
}

void BM_AwardCount(benchmark::State &state)
{
    againstCopy(state, [](const LargeLog &log) {
        const LoadedLog loaded = Charger_Log(log.path);
        const AwardEvaluation e = evaluateAwards(countConfirmed(loaded.lines), kGroupHf);
        benchmark::DoNotOptimize(e.count);
    });
}
BENCHMARK(BM_AwardCount)->Unit(benchmark::kMillisecond);

void BM_AwardListLines(benchmark::State &state)
{
    againstCopy(state, [](const LargeLog &log) {
        const LoadedLog loaded = Charger_Log(log.path);
        const QStringList items = awardListLines(loaded.lines);
        benchmark::DoNotOptimize(items.size());
    });
}
BENCHMARK(BM_AwardListLines)->Unit(benchmark::kMillisecond);

// The whole opening of the list window: read, sort, fill the list box.
void BM_AwardListWindow(benchmark::State &state)
{
    againstCopy(state, [](const LargeLog &log) {
        FakeServices fake(log.dir.path());
        SharedValues shared;
        shared.Indicatif_Station = kStation;
        AwardListWindow w(fake.services, &shared);
        benchmark::DoNotOptimize(w.items().size());
    });
}
BENCHMARK(BM_AwardListWindow)->Unit(benchmark::kMillisecond);

// The saved file of the whole list.
void BM_AwardListSave(benchmark::State &state)
{
    const QStringList items = awardListLines(Charger_Log(largeLog().path).lines);
    againstCopy(state, [&items](const LargeLog &log) {
        const FileResult r = Enregistrer_Liste_Diplome(
            log.dir.path(), QStringLiteral("liste.txt"),
            awardListFileLines(kStation, QStringLiteral("05/06/2021"), items));
        benchmark::DoNotOptimize(r.ok());
    });
}
BENCHMARK(BM_AwardListSave)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
