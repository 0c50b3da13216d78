// The speed table: every operation on the log and every reader, on logs of
// 1,000, 10,000 and 99,999 contacts, each beside a plain copy of the file it
// works on (read whole, written to another file) and the same copy followed
// by fsync, both measured in the same iterations. The ratio to the copy is
// the figure to watch; the ratio to the synced copy is the fair one for the
// operations that write, which sync their file by design.
// At 99,999 contacts each operation also gives the peak memory it adds, and
// a child process gives the resident memory of the main window at start.
#include "log_samples.h"
#include "temp_folder.h"
#include "ui_fakes.h"

#include "adif/adif_export.h"
#include "adif/adif_import.h"
#include "adif/adif_standard_export.h"
#include "awards/award_levels.h"
#include "awards/award_list.h"
#include "contacted/contacted_list.h"
#include "logstore/log_list_model.h"
#include "logstore/log_operations.h"
#include "logstore/log_record.h"
#include "logstore/log_session.h"
#include "logstore/prenoms.h"
#include "mainwindow/main_window.h"
#include "map/map_colouring.h"
#include "platform/clock.h"
#include "platform/heap.h"
#include "platform/settings_store.h"
#include "search/search_matching.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QListView>
#include <QProcess>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <unistd.h>
#include <vector>

using namespace vqx;
using namespace vqx::test;

namespace {

const QString kStation = QStringLiteral("FBENCH");
constexpr int kSizes[] = {1000, 10000, 99999};
constexpr int kMemorySize = 99999; // the size whose memory is measured

double now()
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

bool writeSynced(const QString &path, const QByteArray &bytes, bool sync)
{
    QFile out(path);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate) || out.write(bytes) != bytes.size() ||
        !out.flush())
        return false;
    return !sync || ::fsync(out.handle()) == 0;
}

// The yardstick: read the whole file, write it to another one.
void plainCopy(const QString &from, const QString &to, bool sync)
{
    QFile in(from);
    if (!in.open(QIODevice::ReadOnly) || !writeSynced(to, in.readAll(), sync))
        std::abort();
}

// A data folder holding a generated log, and a first-name directory of one
// entry per contact.
struct Folder
{
    explicit Folder(int contacts)
    {
        log = logFilePath(dir.path(), kStation);
        logBytes = crlf(generatedLog(contacts));
        QStringList names;
        for (int i = 0; i < contacts; ++i)
            names << buildPrenomLine(QStringLiteral("F%1").arg(i), QStringLiteral("31"),
                                     QStringLiteral("JEAN"));
        prenoms = dir.file(kPrenomFile);
        prenomBytes = crlf(names);
        if (!writeSynced(log, logBytes, true) || !writeSynced(prenoms, prenomBytes, true))
            std::abort();
        lines = Charger_Log(log).lines;
        middle = lines.at(lines.size() / 2);
        copy = dir.file(QStringLiteral("copie.bin"));
    }
    TempFolder dir;
    QString log, prenoms, copy, middle;
    QByteArray logBytes, prenomBytes;
    QStringList lines;
};

Folder &folder(int contacts)
{
    static std::map<int, std::unique_ptr<Folder>> folders;
    std::unique_ptr<Folder> &f = folders[contacts];
    if (!f)
        f = std::make_unique<Folder>(contacts);
    return *f;
}

struct Operation
{
    const char *name;
    bool changesLog = false;  // the log is put back before each run
    bool onDirectory = false; // works on the first-name directory, not the log
    std::function<void(Folder &)> run;
    std::function<void(Folder &)> prepare = {}; // untimed, after the log is put back
    QString alsoRead = {};                      // a file of the folder the operation reads besides
};

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

// The yardstick of an operation that also reads another file: reading it.
void readWhole(const QString &name, Folder &f)
{
    if (name.isEmpty())
        return;
    QFile in(f.dir.file(name));
    if (!in.open(QIODevice::ReadOnly))
        std::abort();
    benchmark::DoNotOptimize(in.readAll().size());
}

// A field of /proc/self/status in kB ("VmRSS", "VmHWM"), 0 when unknown.
double statusKb(const char *field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray key = QByteArray(field) + ':';
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(key))
            return line.mid(key.size()).trimmed().split(' ').value(0).toDouble();
    }
    return 0;
}

// Starts a new peak (VmHWM) at the present resident size, after the freed
// heap has gone back to the system, so that a run's peak is what it adds.
bool resetPeak()
{
    returnFreedMemory();
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    return clear.open(QIODevice::WriteOnly) && clear.write("5") == 1;
}

// Medians rather than means: other programs share the machine, and one
// slow disk flush would otherwise weigh on a whole row.
void measure(benchmark::State &state, const Operation &op)
{
    Folder &f = folder(int(state.range(0)));
    const QString &file = op.onDirectory ? f.prenoms : f.log;
    const auto putBack = [&] {
        if (op.changesLog && !writeSynced(f.log, f.logBytes, true))
            std::abort();
        if (op.onDirectory && !writeSynced(f.prenoms, f.prenomBytes, true))
            std::abort();
        if (op.prepare)
            op.prepare(f);
    };
    std::vector<double> opTimes, copyTimes, syncTimes;
    for (auto _ : state) {
        putBack();
        const double t0 = now();
        plainCopy(file, f.copy, false);
        readWhole(op.alsoRead, f);
        const double t1 = now();
        plainCopy(file, f.copy, true);
        readWhole(op.alsoRead, f);
        const double t2 = now();
        op.run(f);
        const double t3 = now();
        copyTimes.push_back(t1 - t0);
        syncTimes.push_back(t2 - t1);
        opTimes.push_back(t3 - t2);
        state.SetIterationTime(t3 - t2);
    }
    state.counters["contacts"] = double(state.range(0));
    state.counters["op_ms"] = median(opTimes) * 1e3;
    state.counters["copy_ms"] = median(copyTimes) * 1e3;
    state.counters["sync_ms"] = median(syncTimes) * 1e3;
    if (state.range(0) == kMemorySize) {
        // One more run, untimed, for the memory it adds at its peak.
        putBack();
        if (resetPeak()) {
            const double before = statusKb("VmRSS");
            op.run(f);
            state.counters["peak_mib"] = std::max(0.0, statusKb("VmHWM") - before) / 1024;
        }
    }
}

// A contact of the middle of the log, for the date-ordered insertion.
QString middleDated(const Folder &f)
{
    return QString(f.middle).replace(0, 5, QStringLiteral("FNEW "));
}

const QString kNewLine = qso(QStringLiteral("FNEW"), QStringLiteral("31FA999"),
                             QStringLiteral("31/12/30"), QStringLiteral("23:59"));

// The main window's session over a folder, kept from one iteration to the
// next like a run of the program: its backup is taken already.
LogSession &runningSession(Folder &f)
{
    static SystemClock clock;
    static std::map<Folder *, std::unique_ptr<LogSession>> sessions;
    std::unique_ptr<LogSession> &s = sessions[&f];
    if (!s) {
        s = std::make_unique<LogSession>(f.dir.path(), &clock, [] { return kStation; });
        s->backupBeforeFirstChange();
    }
    return *s;
}

std::vector<Operation> operations()
{
    return {
        {"Charger_Log + main list", false, false,
         [](Folder &f) {
             LogListModel model;
             model.setLog(loadLogBuffer(f.log).log);
             benchmark::DoNotOptimize(model.listLine(model.rowCount() - 1));
         }},
        {"Ajouter_Qso", true, false,
         [](Folder &f) { benchmark::DoNotOptimize(Ajouter_Qso({f.log}, kNewLine).ok()); }},
        {"Inserer_Qso_Chrono", true, false,
         [](Folder &f) {
             benchmark::DoNotOptimize(Inserer_Qso_Chrono({f.log}, middleDated(f)).ok());
         }},
        {"Remplacer_Qso", true, false,
         [](Folder &f) {
             benchmark::DoNotOptimize(Remplacer_Qso({f.log}, kNewLine, f.middle).ok());
         }},
        {"Supprimer_Qso", true, false,
         [](Folder &f) { benchmark::DoNotOptimize(Supprimer_Qso({f.log}, f.middle).ok()); }},
        {"First change of a run: backup + Ajouter_Qso", true, false,
         [](Folder &f) {
             // A new run: its first change copies the log and the first-name
             // directory into the backup folder before writing.
             SystemClock clock;
             LogSession run(f.dir.path(), &clock, [] { return kStation; });
             benchmark::DoNotOptimize(run.Ajouter_Qso(kNewLine).ok());
         }},
        {"Later change: Ajouter_Qso kept for undo", true, false,
         [](Folder &f) { benchmark::DoNotOptimize(runningSession(f).Ajouter_Qso(kNewLine).ok()); }},
        {"Undo of the last change", true, false,
         [](Folder &f) {
             benchmark::DoNotOptimize(runningSession(f).undo().status ==
                                      LogSession::UndoStatus::Done);
         },
         [](Folder &f) {
             if (!runningSession(f).Ajouter_Qso(kNewLine).ok())
                 std::abort();
         }},
        {"Memoriser_Prenom (1 entry/contact)", false, true,
         [](Folder &f) {
             benchmark::DoNotOptimize(
                 Memoriser_Prenom(f.dir.path(), buildPrenomLine(QStringLiteral("F77"), {},
                                                                QStringLiteral("PAUL")))
                     .ok());
         }},
        {"Chercher_Prenom (1 entry/contact)", false, true,
         [](Folder &f) {
             benchmark::DoNotOptimize(Chercher_Prenom(f.dir.path(), QStringLiteral("F77")).found);
         }},
        {"ADIF export", false, false,
         [](Folder &f) {
             benchmark::DoNotOptimize(writeAdifExport(f.dir.path(), kStation, kStation).ok());
         }},
        {"Award count", false, false,
         [](Folder &f) {
             const ConfirmedCounts c = countConfirmed(Charger_Log(f.log).lines);
             benchmark::DoNotOptimize(evaluateAwards(c, kGroupHf).count);
         }},
        {"Award list", false, false,
         [](Folder &f) { benchmark::DoNotOptimize(awardListLines(Charger_Log(f.log).lines)); }},
        {"Contacted list", false, false,
         [](Folder &f) { benchmark::DoNotOptimize(buildContactedList(Charger_Log(f.log).lines)); }},
        {"Map colouring", false, false,
         [](Folder &f) {
             benchmark::DoNotOptimize(colourMap(Charger_Log(f.log).lines).contacted);
         }},
        {"Search (callsign, main list)", false, false,
         [](Folder &f) {
             // The main list is there already; the search reads its lines.
             static std::map<Folder *, std::unique_ptr<LogListModel>> lists;
             std::unique_ptr<LogListModel> &model = lists[&f];
             if (!model) {
                 model = std::make_unique<LogListModel>();
                 model->setLines(f.lines);
             }
             const SearchResult r =
                 Rechercher_Qso(SearchKind::Indicatif, QStringLiteral("F1A"), model->rowCount(),
                                [&](int row) { return model->listLine(row); });
             benchmark::DoNotOptimize(r.lines.size());
         }},
    };
}

// From the main window's constructor to the first paint of its list.
class FirstPaint : public QObject
{
public:
    bool painted = false;

protected:
    bool eventFilter(QObject *, QEvent *e) override
    {
        if (e->type() == QEvent::Paint)
            painted = true;
        return false;
    }
};

// Builds the main window over a data folder and waits for the first paint
// of its list; `shown` runs while it is on screen.
void showMainWindow(const QString &dataDir, const std::function<void()> &shown = {})
{
    FakeServices fakes(dataDir);
    fakes.settings.set(kAppVqx, kSectionSetup, QStringLiteral("Indicatif Station"), kStation);
    FirstPaint watch;
    MainWindow w(fakes.services);
    w.Liste_VQX->viewport()->installEventFilter(&watch);
    w.start();
    QElapsedTimer limit;
    limit.start();
    while (!watch.painted && limit.elapsed() < 30000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    if (!watch.painted || !fakes.messages.shown.isEmpty())
        std::abort();
    if (shown)
        shown();
}

const Operation kMainWindow = {"Main window: construction to first paint", false, false,
                               [](Folder &f) { showMainWindow(f.dir.path()); }};

// In a child process of its own: the resident memory of the main window just
// shown over a data folder, in kB, printed alone.
int printStartupMemory(const QString &dataDir)
{
    showMainWindow(dataDir, [] {
        // What start-up leaves behind settles once the window is idle.
        QElapsedTimer idle;
        idle.start();
        while (idle.elapsed() < 500)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        std::printf("%.0f\n", statusKb("VmRSS"));
    });
    return 0;
}

double childStartupMib(const QString &dataDir)
{
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--startup-memory=") + dataDir});
    if (!child.waitForFinished(120000) || child.exitCode() != 0)
        return 0;
    return child.readAllStandardOutput().trimmed().toDouble() / 1024;
}

void printStartupMemory()
{
    TempFolder empty;
    if (!writeSynced(logFilePath(empty.path(), kStation), {}, true))
        std::abort();
    std::printf("start-up, 99,999 contacts: resident memory %.1f MiB (empty log: %.1f MiB)\n",
                childStartupMib(folder(kMemorySize).dir.path()), childStartupMib(empty.path()));
    std::fflush(stdout);
}

// For measuring the real program: the 99,999-contact log of the table and
// the same contacts as a standard ADIF file, written into a folder.
int writeSamples(const QString &dir)
{
    const QByteArray log = crlf(generatedLog(kMemorySize));
    const bool ok = writeSynced(logFilePath(dir, kStation), log, true) &&
                    writeSynced(QDir(dir).filePath(QStringLiteral("contacts99999.adi")),
                                adifStandardContent(QStringLiteral("F8OLD"), QStringLiteral("1"),
                                                    QDateTime::currentDateTimeUtc(), log),
                                true);
    return ok ? 0 : 1;
}

const QString kNewContactsFile = QStringLiteral("nouveaux.adi");

// An ADIF file of new contacts for a folder's log: fountains not worked on
// their band yet, dated all over the log's time so that they land between
// its lines, with first names.
void adifOfNewContacts(Folder &f, int records)
{
    std::set<std::pair<QString, QString>> worked;
    for (const QString &l : std::as_const(f.lines))
        worked.insert({QsoLine::Ref.cutTrimmed(l), QsoLine::QRG.cutTrimmed(l)});
    QStringList lines;
    const qint64 span = qint64(f.lines.size()) * 7;
    for (int dep = 1; dep <= 95 && lines.size() < records; ++dep) {
        for (int n = 0; n < 1000 && lines.size() < records; ++n) {
            const QString ref = QStringLiteral("%1FT%2")
                                    .arg(dep, 2, 10, QLatin1Char('0'))
                                    .arg(n, 3, 10, QLatin1Char('0'));
            const QString &band = kBandList.at((dep + n) % kBandList.size());
            if (worked.count({ref, band}))
                continue;
            const qint64 minutes = span * lines.size() / records + 3;
            const QDateTime when =
                QDateTime(QDate(2010, 1, 1), QTime(0, 0), Qt::UTC).addSecs(minutes * 60);
            lines << qso(QStringLiteral("F%1NEW").arg(lines.size() % 100), ref,
                         when.toString(QStringLiteral("dd/MM/yy")),
                         when.toString(QStringLiteral("hh:mm")), band, true, QStringLiteral("SSB"),
                         QStringLiteral("PAUL"));
        }
    }
    const QString path = f.dir.file(kNewContactsFile);
    if (lines.size() != records ||
        !writeSynced(path,
                     adifStandardContent(QStringLiteral("F8NEW"), QStringLiteral("1"),
                                         QDateTime::currentDateTimeUtc(), crlf(lines)),
                     true))
        std::abort();
}

// The log is put back before each run; the first-name directory keeps the
// names of the first run, which later runs store again in place. Its
// yardstick is a copy of the log and a read of the ADIF file.
const Operation kAdifImport = {
    "ADIF import of 10000 new contacts",
    true,
    false,
    [](Folder &f) {
        const AdifImportResult r =
            importAdifFile(f.dir.file(kNewContactsFile), f.dir.path(), kStation);
        if (r.status != AdifImportStatus::Imported || r.counts.imported != 10000)
            std::abort();
    },
    {},
    kNewContactsFile};

// Prints the runs as one table once they are all done.
class TableReporter : public benchmark::BenchmarkReporter
{
public:
    bool ReportContext(const Context &) override { return true; }
    void ReportRuns(const std::vector<Run> &runs) override
    {
        for (const Run &r : runs)
            m_runs.push_back(r);
    }
    void Finalize() override
    {
        std::printf("%-42s %8s %10s %9s %7s %13s %13s %10s\n", "Operation", "Contacts", "Time ms",
                    "Copy ms", "x copy", "Copy+sync ms", "x copy+sync", "Peak MiB");
        for (const Run &r : m_runs) {
            if (r.error_occurred) {
                std::printf("%-42s failed: %s\n", r.run_name.function_name.c_str(),
                            r.error_message.c_str());
                continue;
            }
            const auto value = [&](const char *k) { return double(r.counters.at(k)); };
            const double op = value("op_ms"), copy = value("copy_ms"), sync = value("sync_ms");
            std::printf("%-42s %8.0f %10.2f %9.2f %7.1f %13.2f %13.1f",
                        r.run_name.function_name.c_str(), value("contacts"), op, copy, op / copy,
                        sync, op / sync);
            if (r.counters.count("peak_mib"))
                std::printf(" %10.1f", value("peak_mib"));
            std::printf("\n");
        }
        std::fflush(stdout);
    }

private:
    std::vector<Run> m_runs;
};

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    for (int i = 1; i < argc; ++i) {
        const QString arg = QString::fromLocal8Bit(argv[i]);
        if (arg.startsWith(QStringLiteral("--startup-memory=")))
            return printStartupMemory(arg.section(QLatin1Char('='), 1));
        if (arg.startsWith(QStringLiteral("--write-samples=")))
            return writeSamples(arg.section(QLatin1Char('='), 1));
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    static const std::vector<Operation> ops = operations();
    for (const Operation &op : ops) {
        auto *b =
            benchmark::RegisterBenchmark(op.name, [&op](benchmark::State &s) { measure(s, op); });
        for (int size : kSizes)
            b->Arg(size);
        b->UseManualTime()->Unit(benchmark::kMillisecond);
    }
    benchmark::RegisterBenchmark(kMainWindow.name,
                                 [](benchmark::State &s) { measure(s, kMainWindow); })
        ->Arg(99999)
        ->UseManualTime()
        ->Iterations(5);
    benchmark::RegisterBenchmark(kAdifImport.name,
                                 [](benchmark::State &s) {
                                     // The file is written before the timing starts.
                                     adifOfNewContacts(folder(int(s.range(0))), 10000);
                                     measure(s, kAdifImport);
                                 })
        ->Arg(99999)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond)
        ->Iterations(5);
    TableReporter table;
    benchmark::RunSpecifiedBenchmarks(&table);
    benchmark::Shutdown();
    printStartupMemory();
    return 0;
}
