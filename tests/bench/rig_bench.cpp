// What reading the radio costs: the process CPU time (getrusage) of the
// rigctld client polling a real "rigctld -m 1" for a stated span, as a
// percentage of one core. The span is 10 s unless VQX_RIG_BENCH_SECONDS says
// otherwise (60 for the figure in the README).
#include "rigctld_peer.h"

#include "rig/rigctld_client.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <sys/resource.h>

using namespace vqx;

namespace {

double cpuSeconds()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

int spanSeconds()
{
    bool ok = false;
    const int s = qEnvironmentVariableIntValue("VQX_RIG_BENCH_SECONDS", &ok);
    return ok && s > 0 ? s : 10;
}

void RigPolling(benchmark::State &state)
{
    test::RigctldPeer peer;
    if (!peer.start()) {
        state.SkipWithError("rigctld did not start: scripts/setup installs libhamlib-utils");
        return;
    }
    const int seconds = spanSeconds();
    int readings = 0;
    double cpu = 0;
    double wall = 0;
    for (auto _ : state) {
        RigctldClient client;
        QObject::connect(&client, &RigctldClient::reading, [&] { ++readings; });
        client.setEndpoint(QStringLiteral("127.0.0.1"), peer.port);
        QElapsedTimer clock;
        const double before = cpuSeconds();
        clock.start();
        client.start();
        QTimer::singleShot(seconds * 1000, qApp, &QCoreApplication::quit);
        QCoreApplication::exec();
        cpu += cpuSeconds() - before;
        wall += clock.nsecsElapsed() / 1e9;
        client.stop();
    }
    state.counters["span_s"] = seconds;
    state.counters["readings"] = readings;
    state.counters["cpu_ms"] = cpu * 1000;
    state.counters["cpu_pct_of_a_core"] = wall > 0 ? 100 * cpu / wall : 0;
    std::printf("Polling rigctld every %d ms for %d s: %d readings, CPU %.1f ms, %.3f %% of one "
                "core\n",
                RigctldClient::kPollMs, seconds, readings, cpu * 1000,
                wall > 0 ? 100 * cpu / wall : 0);
}

BENCHMARK(RigPolling)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
