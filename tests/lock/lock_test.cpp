// One program per data folder. A second start while the first runs is
// refused, says why and changes nothing; the lock left by a killed run is
// taken over. Checked with a probe that takes the folder exactly as the
// program does and prints its message boxes, and with the real program.
#include "log_samples.h"
#include "temp_folder.h"

#include "logstore/log_record.h"
#include "platform/data_folder_lock.h"
#include "platform/settings_store.h"
#include "platform/single_instance.h"

#include <QDateTime>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QMap>
#include <QProcess>
#include <QTest>
#include <memory>

using namespace vqx;
using namespace vqx::test;

namespace {

// Every file under a folder: its bytes and its modification time.
using Snapshot = QMap<QString, QPair<QByteArray, qint64>>;

Snapshot snapshot(const QString &root)
{
    Snapshot s;
    QDirIterator it(root, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        s.insert(QDir(root).relativeFilePath(path),
                 {readBytes(path), QFileInfo(path).lastModified().toMSecsSinceEpoch()});
    }
    return s;
}

// The process recorded in a lock file, 0 when there is none.
qint64 lockHolder(const QString &dataDir)
{
    const QByteArray text = readBytes(QDir(dataDir).filePath(kLockFileName));
    return text.left(text.indexOf('\n')).toLongLong();
}

bool waitFor(const std::function<bool()> &done, int ms = 30000)
{
    QElapsedTimer t;
    t.start();
    while (!done()) {
        if (t.elapsed() > ms)
            return false;
        QTest::qWait(50);
    }
    return true;
}

std::unique_ptr<QProcess> startProbe(const QString &dataDir)
{
    auto p = std::make_unique<QProcess>();
    p->start(QStringLiteral(VQX_LOCK_PROBE), {dataDir});
    p->waitForStarted();
    return p;
}

} // namespace

class LockTest : public QObject
{
    Q_OBJECT

private slots:
    void secondStartIsRefusedWithItsReasonAndChangesNothing();
    void theLockOfAKilledRunIsTakenOver();
    void aFolderWhereNoLockCanBeMadeIsNotRefused();
    void theRealProgramStartedTwiceTouchesNothing();
    void theRealProgramTakesOverAfterAKill();

private:
    // A home of its own for the real program: settings, data folder.
    struct Home
    {
        TempFolder dir;
        QString config() const { return dir.file(QStringLiteral("config")); }
        QString data() const { return dir.file(QStringLiteral("data/ZAT_VQX/ZAT_VQX")); }
        QProcessEnvironment env() const
        {
            QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
            e.insert(QStringLiteral("HOME"), dir.path());
            e.insert(QStringLiteral("XDG_CONFIG_HOME"), config());
            e.insert(QStringLiteral("XDG_DATA_HOME"), dir.file(QStringLiteral("data")));
            e.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
            return e;
        }
    };
    static void prepare(const Home &home);
    static std::unique_ptr<QProcess> startProgram(const Home &home);
};

void LockTest::secondStartIsRefusedWithItsReasonAndChangesNothing()
{
    TempFolder data;
    QVERIFY(writeBytes(logFilePath(data.path(), QStringLiteral("F4ABC")), crlf({kSampleA})));
    const std::unique_ptr<QProcess> first = startProbe(data.path());
    QVERIFY(first->waitForReadyRead(20000));
    QCOMPARE(first->readAllStandardOutput(), QByteArray("PRIS\n"));
    const Snapshot before = snapshot(data.path());

    const std::unique_ptr<QProcess> second = startProbe(data.path());
    QVERIFY(second->waitForFinished(20000));
    QCOMPARE(second->exitStatus(), QProcess::NormalExit);
    QCOMPARE(second->exitCode(), kRefusedExitCode);
    const QString shown = QString::fromUtf8(second->readAllStandardOutput());
    QCOMPARE(shown, QStringLiteral("ZAT_VQX est déjà ouvert sur le dossier des logs :\r\n") +
                        data.path() + QStringLiteral("\r\n(processus ") +
                        QString::number(first->processId()) +
                        QStringLiteral(").\r\n\r\nFermez d'abord l'autre fenêtre de ZAT_VQX, "
                                       "puis relancez le programme. Ce lancement s'arrête sans "
                                       "avoir touché à aucun fichier.\n"));
    QVERIFY(snapshot(data.path()) == before);
    QCOMPARE(first->state(), QProcess::Running);

    // Once the first has ended, the folder is free again.
    first->closeWriteChannel();
    QVERIFY(first->waitForFinished(20000));
    QCOMPARE(first->exitCode(), 0);
    QVERIFY(!QFileInfo::exists(data.file(kLockFileName)));
    const std::unique_ptr<QProcess> third = startProbe(data.path());
    QVERIFY(third->waitForReadyRead(20000));
    QCOMPARE(third->readAllStandardOutput(), QByteArray("PRIS\n"));
    third->closeWriteChannel();
    QVERIFY(third->waitForFinished(20000));
}

void LockTest::theLockOfAKilledRunIsTakenOver()
{
    TempFolder data;
    const std::unique_ptr<QProcess> crashed = startProbe(data.path());
    QVERIFY(crashed->waitForReadyRead(20000));
    const qint64 crashedPid = crashed->processId();
    crashed->kill();
    QVERIFY(crashed->waitForFinished(20000));
    QCOMPARE(lockHolder(data.path()), crashedPid);

    const std::unique_ptr<QProcess> next = startProbe(data.path());
    QVERIFY(next->waitForReadyRead(20000));
    QCOMPARE(next->readAllStandardOutput(), QByteArray("PRIS\n"));
    QCOMPARE(lockHolder(data.path()), next->processId());
    next->closeWriteChannel();
    QVERIFY(next->waitForFinished(20000));
}

void LockTest::aFolderWhereNoLockCanBeMadeIsNotRefused()
{
    // Tests run as root, whom permissions do not stop: a folder that does
    // not exist stands for one where nothing can be created.
    TempFolder data;
    DataFolderLock lock(data.file(QStringLiteral("absent")));
    QCOMPARE(lock.take(), DataFolderLock::Outcome::Unavailable);
    QVERIFY(!QFileInfo::exists(data.file(QStringLiteral("absent"))));
}

void LockTest::prepare(const Home &home)
{
    QVERIFY(QDir().mkpath(home.data()));
    IniSettingsStore settings(home.config() + QStringLiteral("/ZAT_VQX/ZAT_VQX"));
    QVERIFY(settings.Ecrire_Reglage(kAppVqx, kSectionSetup, QStringLiteral("Indicatif Station"),
                                    QStringLiteral("F4ABC")));
    QVERIFY(
        writeBytes(logFilePath(home.data(), QStringLiteral("F4ABC")), crlf({kSampleA, kSampleB})));
}

std::unique_ptr<QProcess> LockTest::startProgram(const Home &home)
{
    auto p = std::make_unique<QProcess>();
    p->setProcessEnvironment(home.env());
    p->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    p->start(QStringLiteral(VQX_PROGRAM), {});
    p->waitForStarted();
    return p;
}

void LockTest::theRealProgramStartedTwiceTouchesNothing()
{
    Home home;
    prepare(home);
    const std::unique_ptr<QProcess> first = startProgram(home);
    const QString ini = home.config() + QStringLiteral("/ZAT_VQX/ZAT_VQX/VQX.ini");
    // Started: it holds the folder and has written its settings.
    QVERIFY(waitFor([&] {
        return lockHolder(home.data()) == first->processId() && readBytes(ini).contains("Revision");
    }));
    QTest::qWait(300);
    const Snapshot data = snapshot(home.data());
    const Snapshot config = snapshot(home.config());

    // The second start stops at its message (no one answers it here); until
    // then and afterwards, not one file of either folder has changed.
    const std::unique_ptr<QProcess> second = startProgram(home);
    QVERIFY(!second->waitForFinished(3000) || second->exitCode() == kRefusedExitCode);
    QVERIFY(snapshot(home.data()) == data);
    QVERIFY(snapshot(home.config()) == config);
    second->kill();
    second->waitForFinished(20000);
    QVERIFY(snapshot(home.data()) == data);
    QCOMPARE(lockHolder(home.data()), first->processId());
    QCOMPARE(first->state(), QProcess::Running);
    first->kill();
    first->waitForFinished(20000);
}

void LockTest::theRealProgramTakesOverAfterAKill()
{
    Home home;
    prepare(home);
    const std::unique_ptr<QProcess> crashed = startProgram(home);
    QVERIFY(waitFor([&] { return lockHolder(home.data()) == crashed->processId(); }));
    const qint64 crashedPid = crashed->processId();
    crashed->kill();
    QVERIFY(crashed->waitForFinished(20000));
    QCOMPARE(lockHolder(home.data()), crashedPid);

    const std::unique_ptr<QProcess> next = startProgram(home);
    QVERIFY(waitFor([&] { return lockHolder(home.data()) == next->processId(); }));
    QCOMPARE(next->state(), QProcess::Running);
    QCOMPARE(readBytes(logFilePath(home.data(), QStringLiteral("F4ABC"))),
             crlf({kSampleA, kSampleB}));
    next->kill();
    next->waitForFinished(20000);
}

QTEST_GUILESS_MAIN(LockTest)
#include "lock_test.moc"
