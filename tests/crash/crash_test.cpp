// Kills a worker that changes the log and the first-name directory at random
// moments, round after round, and checks after every kill that each file is
// whole: exactly its content before or after the operation that was cut
// short, every line well-formed, and any scratch file left behind taken away
// by the next operation without touching the log. The worker starts each run
// with the automatic backup and sometimes undoes its last change: a kill in
// either leaves the log whole too, and every backup is a whole log.
//
// VQX_CRASH_SEED and VQX_CRASH_ROUNDS replay or lengthen a run.
#include "crash_model.h"
#include "log_samples.h"
#include "temp_folder.h"

#include "logstore/backups.h"
#include "logstore/log_operations.h"
#include "logstore/prenoms.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <iostream>
#include <poll.h>
#include <random>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using namespace vqx;
using namespace vqx::crash;
using namespace vqx::test;

namespace {

const QString kLogName = QStringLiteral("FCRASH_VQX.log");
// Operation kinds of the worker that are not plain changes.
constexpr int kUndo = 5;
constexpr int kBackup = 6;

quint64 envNumber(const char *name, quint64 def)
{
    const QByteArray v = qgetenv(name);
    bool ok = false;
    const quint64 n = v.toULongLong(&ok);
    return ok ? n : def;
}

struct Announced
{
    qint64 op = 0;
    int kind = -1;
    QByteArray logBefore, logAfter, namesBefore, namesAfter;
    bool done = false;
};

struct Worker
{
    pid_t pid = -1;
    int reports = -1;
};

Worker spawnWorker(const QString &folder, quint64 seed)
{
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0)
        return {};
    const QByteArray dir = QFile::encodeName(folder);
    const QByteArray seedText = QByteArray::number(seed);
    const QByteArray fdText = QByteArray::number(fds[1]);
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::fcntl(fds[1], F_SETFD, 0); // the worker keeps its end of the pipe
        ::execl(VQX_CRASH_WORKER, VQX_CRASH_WORKER, dir.constData(), seedText.constData(),
                fdText.constData(), static_cast<char *>(nullptr));
        std::_Exit(127);
    }
    ::close(fds[1]);
    return {pid, fds[0]};
}

// Reads until the text holds `wanted` or the time is up.
bool readUntil(int fd, QByteArray *text, const char *wanted, int timeoutMs)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!text->contains(wanted)) {
        const int left = int(std::chrono::duration_cast<std::chrono::milliseconds>(
                                 end - std::chrono::steady_clock::now())
                                 .count());
        if (left <= 0)
            return false;
        pollfd p{fd, POLLIN, 0};
        if (::poll(&p, 1, left) <= 0)
            continue;
        char buf[4096];
        const ssize_t n = ::read(fd, buf, sizeof buf);
        if (n <= 0)
            return false;
        text->append(buf, n);
    }
    return true;
}

void readToEnd(int fd, QByteArray *text)
{
    char buf[4096];
    for (;;) {
        const ssize_t n = ::read(fd, buf, sizeof buf);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return;
        text->append(buf, n);
    }
}

// The last operation the worker announced, and whether it finished.
Announced lastAnnounced(const QByteArray &reports, QByteArray *error)
{
    Announced a;
    for (const QByteArray &line : reports.split('\n')) {
        const QByteArrayList f = line.split(' ');
        if (f.first() == "B" && f.size() == 7) {
            a = Announced{f[1].toLongLong(), f[2].toInt(), f[3], f[4], f[5], f[6], false};
        } else if (f.first() == "D" && f.size() == 2 && f[1].toLongLong() == a.op) {
            a.done = true;
        } else if (f.first() == "E") {
            *error = line;
        }
    }
    return a;
}

class CrashRounds : public ::testing::Test
{
protected:
    QString logPath() const { return dir.file(kLogName); }
    QString namesPath() const { return dir.file(kPrenomFile); }
    TempFolder dir;
};

} // namespace

TEST_F(CrashRounds, NoContactLostWhenKilledAtAnyMoment)
{
    const quint64 seed = envNumber("VQX_CRASH_SEED", 20240609);
    const int rounds = int(envNumber("VQX_CRASH_ROUNDS", 300));
    // Long enough to pass the backup and reach several operations, short
    // enough to land inside one.
    const int maxDelayUs = int(envNumber("VQX_CRASH_MAX_DELAY_US", 70000));
    std::cout << "crash test: seed " << seed << ", " << rounds << " rounds (VQX_CRASH_SEED=" << seed
              << " to replay)" << std::endl;
    std::mt19937_64 rng(seed);

    ASSERT_TRUE(writeBytes(logPath(), crlf(generatedLog(400))));
    ASSERT_TRUE(writeBytes(namesPath(), "F1AAA        31 JEAN\r\nF4BCD           \r\n"));

    int inFlight = 0, landedBefore = 0, landedAfter = 0, scratchLeft = 0;
    int inBackup = 0, inUndo = 0, backupScratchLeft = 0;
    qint64 operations = 0;
    // Every backup copies the log and the directory as a round, or an undo,
    // found them.
    QSet<QByteArray> roundLogs, roundNames;
    for (int round = 1; round <= rounds; ++round) {
        SCOPED_TRACE("round " + std::to_string(round) + ", seed " + std::to_string(seed));
        const QByteArray logStart = readBytes(logPath());
        const QByteArray namesStart = readBytes(namesPath());
        roundLogs.insert(digest(logStart));
        roundNames.insert(digest(namesStart));

        const Worker w = spawnWorker(dir.path(), rng());
        ASSERT_GT(w.pid, 0);
        QByteArray reports;
        const bool ready = readUntil(w.reports, &reports, "R\n", 20000);
        const int delay = std::uniform_int_distribution<int>(0, maxDelayUs)(rng);
        std::this_thread::sleep_for(std::chrono::microseconds(delay));
        ::kill(w.pid, SIGKILL);
        int status = 0;
        ::waitpid(w.pid, &status, 0);
        readToEnd(w.reports, &reports);
        ::close(w.reports);
        ASSERT_TRUE(ready) << "the worker never started";

        // An undo first copies the log and the directory as it finds them.
        for (const QByteArray &line : reports.split('\n')) {
            const QByteArrayList f = line.split(' ');
            if (f.first() == "B" && f.size() == 7 && f[2].toInt() == kUndo) {
                roundLogs.insert(f[3]);
                roundNames.insert(f[5]);
            }
        }

        QByteArray error;
        const Announced a = lastAnnounced(reports, &error);
        ASSERT_TRUE(error.isEmpty()) << error.constData();
        ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL)
            << "the worker ended by itself: " << reports.constData();

        ASSERT_TRUE(QFileInfo(logPath()).isFile()) << "the log is gone";
        ASSERT_TRUE(QFileInfo(namesPath()).isFile()) << "the first-name directory is gone";
        const QByteArray logNow = readBytes(logPath());
        const QByteArray namesNow = readBytes(namesPath());
        ASSERT_EQ(malformation(logNow, kLineLength).toStdString(), "");
        ASSERT_EQ(malformation(namesNow, 0, 16).toStdString(), "");
        const QByteArray logDigest = digest(logNow);
        const QByteArray namesDigest = digest(namesNow);
        if (a.op == 0) {
            ASSERT_EQ(logNow, logStart);
            ASSERT_EQ(namesNow, namesStart);
        } else if (a.done) {
            ASSERT_EQ(logDigest, a.logAfter);
            ASSERT_EQ(namesDigest, a.namesAfter);
        } else {
            ASSERT_TRUE(logDigest == a.logBefore || logDigest == a.logAfter)
                << "operation " << a.op << " of kind " << a.kind << " left a third content";
            ASSERT_TRUE(namesDigest == a.namesBefore || namesDigest == a.namesAfter)
                << "operation " << a.op << " of kind " << a.kind << " left a third directory";
            ++inFlight;
            inBackup += a.kind == kBackup;
            inUndo += a.kind == kUndo;
            if (a.logBefore != a.logAfter || a.namesBefore != a.namesAfter) {
                const bool after = logDigest == a.logAfter && namesDigest == a.namesAfter;
                ++(after ? landedAfter : landedBefore);
            }
        }
        operations += a.done ? a.op : qMax<qint64>(a.op - 1, 0);

        // A scratch file cut short is never the log, and the next operation
        // that uses the name overwrites it and takes it away.
        const QStringList names = {kLogName, kPrenomFile, kScratchFile, kScratchFileChrono,
                                   kBackupFolder};
        for (const QString &entry : dir.entries())
            ASSERT_TRUE(names.contains(entry)) << "unexpected file " << entry.toStdString();
        // The backups: whole copies, or the scratch file of one cut short.
        int logCopies = 0;
        for (const QString &entry : QDir(backupFolderPath(dir.path())).entryList(QDir::Files)) {
            const QByteArray copy = digest(readBytes(dir.file(kBackupFolder + '/' + entry)));
            if (entry == kScratchFile) {
                ++backupScratchLeft;
            } else if (entry.startsWith(QStringLiteral("FCRASH_VQX_"))) {
                ++logCopies;
                ASSERT_TRUE(roundLogs.contains(copy))
                    << "backup " << entry.toStdString()
                    << " is not a log as a round or an undo found it";
            } else {
                ASSERT_TRUE(entry.startsWith(QStringLiteral("FCRASH_Liste_Prenom_")))
                    << "unexpected backup " << entry.toStdString();
                ASSERT_TRUE(roundNames.contains(copy))
                    << "backup " << entry.toStdString() << " is not a directory as found";
            }
        }
        // A backup cut short may leave more, at the start of a run or before
        // an undo; one that finished has cleaned up.
        if ((a.op > 1 && a.kind != kUndo) || a.done) {
            ASSERT_LE(logCopies, kBackupsKept);
        }
        const QByteArray contact = qso(QStringLiteral("F9END"), QStringLiteral("31FA999"),
                                       QStringLiteral("15/06/10"), QStringLiteral("12:00"))
                                       .toLatin1();
        if (QFileInfo::exists(dir.file(kScratchFile))) {
            ++scratchLeft;
            const QByteArrayList expected = appended(crlfLines(logNow), contact);
            ASSERT_TRUE(Ajouter_Qso(LogTarget{logPath()}, QString::fromLatin1(contact)).ok());
            ASSERT_FALSE(QFileInfo::exists(dir.file(kScratchFile)));
            ASSERT_EQ(readBytes(logPath()), joinCrlf(expected));
        }
        if (QFileInfo::exists(dir.file(kScratchFileChrono))) {
            ++scratchLeft;
            const QByteArrayList expected =
                insertedByDate(crlfLines(readBytes(logPath())), contact);
            ASSERT_TRUE(
                Inserer_Qso_Chrono(LogTarget{logPath()}, QString::fromLatin1(contact)).ok());
            ASSERT_FALSE(QFileInfo::exists(dir.file(kScratchFileChrono)));
            ASSERT_EQ(readBytes(logPath()), joinCrlf(expected));
        }
        ASSERT_EQ(readBytes(namesPath()), namesNow);
    }

    std::cout << "crash test: " << rounds << " kills after " << operations
              << " completed operations; " << inFlight << " inside an operation (" << landedBefore
              << " left the old content, " << landedAfter << " the new one; " << inBackup
              << " inside a backup, " << inUndo << " inside an undo), " << scratchLeft
              << " scratch files left and cleaned up, " << backupScratchLeft
              << " in the backup folder" << std::endl;
    // Kills that all fell between operations, or before any operation ended,
    // would prove nothing. A busy machine completes fewer operations per round.
    EXPECT_GT(operations, rounds / 4);
    EXPECT_GT(inFlight, rounds / 4);
    EXPECT_GT(inBackup, 0);
    EXPECT_GT(inUndo, 0);
}
