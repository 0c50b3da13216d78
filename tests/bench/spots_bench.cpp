// The spots against a log of 99,999 contacts: 10,000 node lines read,
// parsed and classified; the index of the log rebuilt, as after every change
// of the log; and the longest single event the window's thread handles while
// a node sends a burst of 10,000 lines to the open spots window over
// 127.0.0.1. Each beside a plain copy of the log file in the same run.
#include "log_samples.h"
#include "temp_folder.h"
#include "ui_fakes.h"

#include "logstore/codepage.h"
#include "spots/cluster_text.h"
#include "spots/spot_feed.h"
#include "spots/spot_line.h"
#include "spots/spot_states.h"
#include "spots/spots_window.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <ctime>

using namespace vqx;
using namespace vqx::test;

namespace {

constexpr int kContacts = 99999;
constexpr int kSpots = 10000;

// Times every event the application delivers from its loop, nested ones
// inside their outer event, in CPU time of the thread: the machine may be
// shared, and waiting for a core is not work of the event.
qint64 threadNs()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return qint64(t.tv_sec) * 1'000'000'000 + t.tv_nsec;
}

class TimedApplication : public QApplication
{
public:
    using QApplication::QApplication;
    bool notify(QObject *receiver, QEvent *event) override
    {
        if (m_depth++ > 0) {
            const bool r = QApplication::notify(receiver, event);
            --m_depth;
            return r;
        }
        const qint64 start = threadNs();
        const bool r = QApplication::notify(receiver, event);
        --m_depth;
        const qint64 spent = threadNs() - start;
        if (spent > longestNs) {
            longestNs = spent;
            longestWhat = QByteArray(receiver->metaObject()->className()) + " event " +
                          QByteArray::number(int(event->type()));
        }
        return r;
    }
    qint64 longestNs = 0;
    QByteArray longestWhat; // which receiver, which event type

private:
    int m_depth = 0;
};

struct Data
{
    Data()
    {
        log = generatedLog(kContacts);
        QByteArray bytes;
        for (const QString &l : log)
            bytes += codepage::encode(l) + "\r\n";
        logFile = dir.file(QStringLiteral("FBENCH_VQX.log"));
        copyFile = dir.file(QStringLiteral("copy.log"));
        QFile f(logFile);
        if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
            std::abort();
        // The node's lines: spots of fountains of the log and others, a few
        // node messages, as DXSpider writes them.
        for (int i = 0; i < kSpots; ++i) {
            if (i % 10 == 9) {
                lines += "WWV de W0MU <18>:   SFI=150, A=5, K=1, No Storms\r\n";
                continue;
            }
            const int khz = i % 2 ? 14025 + i % 300 : 7010 + i % 200;
            lines += QStringLiteral("DX de F4ABC:   %1.0  TM%2F        VQX %3FA%4 fontaine   "
                                    "     %5Z JN03\a\r\n")
                         .arg(khz, 7)
                         .arg(i % 95 + 1)
                         .arg(i % 95 + 1, 2, 10, QLatin1Char('0'))
                         .arg(i % 997, 3, 10, QLatin1Char('0'))
                         .arg(i % 2400, 4, 10, QLatin1Char('0'))
                         .toLatin1();
        }
    }
    double copyMs() const
    {
        QElapsedTimer t;
        t.start();
        QFile in(logFile), out(copyFile);
        if (!in.open(QIODevice::ReadOnly) || !out.open(QIODevice::WriteOnly))
            std::abort();
        out.write(in.readAll());
        out.close();
        return t.nsecsElapsed() / 1e6;
    }
    TempFolder dir;
    QStringList log;
    QString logFile, copyFile;
    QByteArray lines;
};

Data &data()
{
    static Data d;
    return d;
}

void ratio(benchmark::State &state, double opMs, double copyMs)
{
    state.counters["op_ms"] = opMs;
    state.counters["copy_ms"] = copyMs;
    state.counters["x_copy"] = opMs / copyMs;
}

// 10,000 lines from bytes to classified rows, against the index of the log.
void SpotLinesClassified(benchmark::State &state)
{
    Data &d = data();
    WorkedIndex index;
    index.rebuild(d.log);
    double op = 0, copy = 0;
    int rows = 0;
    for (auto _ : state) {
        copy = d.copyMs();
        QElapsedTimer t;
        t.start();
        ClusterTextStream stream;
        rows = 0;
        for (const QString &line : stream.feed(d.lines)) {
            const ClusterLine spot = parseClusterLine(line);
            if (spot.isSpot)
                rows += int(rowsOfSpot(spot, index, QDateTime()).size());
        }
        op = t.nsecsElapsed() / 1e6;
        state.SetIterationTime(op / 1e3);
    }
    if (rows != kSpots - kSpots / 10)
        state.SkipWithError("spots lost");
    ratio(state, op, copy);
    state.counters["us_per_spot"] = op * 1e3 / kSpots;
}

// The index rebuilt from the 99,999 lines, as after every change of the log.
void IndexRebuilt(benchmark::State &state)
{
    Data &d = data();
    double op = 0, copy = 0;
    for (auto _ : state) {
        copy = d.copyMs();
        QElapsedTimer t;
        t.start();
        WorkedIndex index;
        index.rebuild(d.log);
        op = t.nsecsElapsed() / 1e6;
        benchmark::DoNotOptimize(index.size());
        state.SetIterationTime(op / 1e3);
    }
    ratio(state, op, copy);
}

// The open window while a node on 127.0.0.1 sends 10,000 lines at once:
// the longest single event of the window's thread (aim: under 16 ms).
void BurstToTheWindow(benchmark::State &state)
{
    Data &d = data();
    auto *app = static_cast<TimedApplication *>(QCoreApplication::instance());
    FakeServices fakes(d.dir.path());
    double longestMs = 0, totalMs = 0, copy = 0;
    for (auto _ : state) {
        copy = d.copyMs();
        SpotFeed feed(&fakes.clock);
        feed.logChanged(d.log);
        SpotsWindow window(fakes.services, &feed, QStringLiteral("FBENCH"));
        window.show();
        QTcpServer server;
        server.listen(QHostAddress::LocalHost);
        QTcpSocket *peer = nullptr;
        QObject::connect(&server, &QTcpServer::newConnection,
                         [&] { peer = server.nextPendingConnection(); });
        int received = 0;
        QObject::connect(feed.client(), &ClusterClient::lineReceived, [&] { ++received; });
        feed.client()->connectToNode(QStringLiteral("127.0.0.1"), server.serverPort(),
                                     QStringLiteral("FBENCH"));
        if (!QTest::qWaitFor([&] { return peer && feed.client()->isConnected(); }, 5000))
            std::abort();
        // The window's first painting is no part of the burst.
        if (!QTest::qWaitForWindowExposed(&window))
            std::abort();
        QTest::qWait(200);
        app->longestNs = 0;
        QElapsedTimer t;
        t.start();
        peer->write(d.lines);
        if (!QTest::qWaitFor([&] { return received == kSpots; }, 60000))
            std::abort();
        totalMs = t.nsecsElapsed() / 1e6;
        longestMs = app->longestNs / 1e6;
        std::fprintf(stderr, "longest event of the burst: %s, %.1f ms\n",
                     app->longestWhat.constData(), longestMs);
        state.SetIterationTime(longestMs / 1e3);
        feed.client()->disconnectFromNode();
    }
    ratio(state, longestMs, copy);
    state.counters["burst_ms"] = totalMs;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    TimedApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RegisterBenchmark("10000 spot lines parsed and classified", SpotLinesClassified)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond)
        ->Iterations(5);
    benchmark::RegisterBenchmark("index of 99999 contacts rebuilt", IndexRebuilt)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond)
        ->Iterations(5);
    benchmark::RegisterBenchmark("longest event of a 10000-line burst", BurstToTheWindow)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond)
        ->Iterations(3);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
