// The reports on a log of 99,999 contacts, each measured beside a plain copy
// of the same log file in the same run; the counter x_copy is the time of
// one run divided by the time of the copy.
#include "core_fakes.h"
#include "log_samples.h"
#include "temp_folder.h"
#include "ui_fakes.h"

#include "logstore/log_list_model.h"
#include "logstore/log_operations.h"
#include "mainwindow/shared_values.h"
#include "reports/carte_acti_vqx.h"
#include "reports/contacted_list.h"
#include "reports/map_colouring.h"
#include "reports/search_matching.h"

#include <QApplication>
#include <QFile>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <vector>

using namespace vqx;
using namespace vqx::test;

namespace {

constexpr int kContacts = 99999;
const QString kStation = QStringLiteral("FBENCH");

struct BenchLog
{
    BenchLog()
    {
        path = logFilePath(dir.path(), kStation);
        writeBytes(path, crlf(generatedLog(kContacts)));
        copyPath = dir.file(QStringLiteral("copy.log"));
    }
    TempFolder dir;
    QString path;
    QString copyPath;
};

BenchLog &benchLog()
{
    static BenchLog log;
    return log;
}

void plainCopy()
{
    BenchLog &log = benchLog();
    QFile in(log.path);
    in.open(QIODevice::ReadOnly);
    const QByteArray bytes = in.readAll();
    QFile out(log.copyPath);
    out.open(QIODevice::WriteOnly | QIODevice::Truncate);
    out.write(bytes);
}

using Clock = std::chrono::steady_clock;

double secondsOf(const std::function<void()> &run)
{
    const auto start = Clock::now();
    run();
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// The copy's time, median of several runs, measured once per process.
double copySeconds()
{
    static const double seconds = [] {
        // The first runs warm the page cache and the allocator.
        for (int i = 0; i < 5; ++i)
            plainCopy();
        std::vector<double> runs;
        for (int i = 0; i < 21; ++i)
            runs.push_back(secondsOf(plainCopy));
        std::sort(runs.begin(), runs.end());
        return runs[runs.size() / 2];
    }();
    return seconds;
}

// Runs the body once per iteration and reports its mean against the copy.
void measure(benchmark::State &state, const std::function<void()> &body)
{
    double total = 0;
    for (auto _ : state)
        total += secondsOf(body);
    state.counters["x_copy"] = total / double(state.iterations()) / copySeconds();
}

void BM_PlainCopy(benchmark::State &state)
{
    measure(state, plainCopy);
}
BENCHMARK(BM_PlainCopy)->Unit(benchmark::kMillisecond);

// Opening the contacted list and saving it.
void BM_ContactedListSave(benchmark::State &state)
{
    FakeClock clock;
    measure(state, [&] {
        const LoadedLog log = Charger_Log(benchLog().path);
        const QStringList lines = buildContactedList(log.lines);
        benchmark::DoNotOptimize(
            saveContactedList(benchLog().dir.path(), kStation, clock, lines).file.ok());
    });
}
BENCHMARK(BM_ContactedListSave)->Unit(benchmark::kMillisecond);

void BM_MapColouring(benchmark::State &state)
{
    measure(state, [] {
        const LoadedLog log = Charger_Log(benchLog().path);
        benchmark::DoNotOptimize(Colorier_Carte(log.lines).contacted);
    });
}
BENCHMARK(BM_MapColouring)->Unit(benchmark::kMillisecond);

// The whole map window: colouring, placing the boxes, painting the map.
void BM_MapWindow(benchmark::State &state)
{
    FakeServices fakes(benchLog().dir.path());
    SharedValues shared;
    shared.Indicatif_Station = kStation;
    measure(state, [&] {
        CarteActiVqx window(fakes.services, &shared);
        benchmark::DoNotOptimize(window.colouring().contacted);
    });
}
BENCHMARK(BM_MapWindow)->Unit(benchmark::kMillisecond);

// A callsign search over the main list as displayed (one line in ten matches).
void BM_SearchCallsign(benchmark::State &state)
{
    LogListModel model;
    model.setLines(Charger_Log(benchLog().path).lines);
    measure(state, [&] {
        const SearchResult r = Rechercher_Qso(
            SearchKind::Indicatif, QStringLiteral("F1A"), model.rowCount(),
            [&](int row) { return model.data(model.index(row), Qt::DisplayRole).toString(); });
        benchmark::DoNotOptimize(r.lines.size());
    });
}
BENCHMARK(BM_SearchCallsign)->Unit(benchmark::kMillisecond);

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
