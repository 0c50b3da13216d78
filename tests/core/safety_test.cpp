// What protects the operator's work: rewrites that keep symbolic links and
// permissions, automatic copies of the log, undo of the last change and
// restoring a copy.
#include "core_fakes.h"
#include "log_samples.h"
#include "temp_folder.h"

#include "adif/adif_export.h"
#include "logstore/backups.h"
#include "logstore/log_operations.h"
#include "logstore/log_record.h"
#include "logstore/log_session.h"
#include "logstore/prenoms.h"
#include "logstore/safe_rewrite.h"

#include <QFileInfo>
#include <gtest/gtest.h>

#include <cerrno>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>

using namespace vqx;
using namespace vqx::test;
using namespace vqx::test::samples;

namespace {

const QString kStation = QStringLiteral("F4ABC");

mode_t modeOf(const QString &path)
{
    struct stat st;
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return 0;
    return st.st_mode & 07777;
}

bool isLink(const QString &path)
{
    return QFileInfo(path).isSymLink();
}

bool makeLink(const QString &to, const QString &link)
{
    return ::symlink(QFile::encodeName(to).constData(), QFile::encodeName(link).constData()) == 0;
}

QString linkText(const QString &link)
{
    char buf[4096];
    const ssize_t n = ::readlink(QFile::encodeName(link).constData(), buf, sizeof buf);
    return n < 0 ? QString() : QFile::decodeName(QByteArray(buf, n));
}

// The folder of the file a descriptor is open on.
QString folderOfFd(int fd)
{
    return QFileInfo(linkText(QStringLiteral("/proc/self/fd/%1").arg(fd))).absolutePath();
}

// Sets the process umask for one test.
class Umask
{
public:
    explicit Umask(mode_t m) : m_old(::umask(m)) {}
    ~Umask() { ::umask(m_old); }

private:
    mode_t m_old;
};

// ---------------------------------------------------------------- rewrites

// How the log reaches its real file: the data folder holds a link to it.
struct LinkCase
{
    const char *name;
    bool relative;
    bool twoHops;
};

class RewriteThroughLink : public ::testing::TestWithParam<LinkCase>
{
protected:
    TempFolder data, synced;
};

TEST_P(RewriteThroughLink, TheLinkStaysAndTheFileItNamesChanges)
{
    const LinkCase c = GetParam();
    const QString real = synced.file(QStringLiteral("F4ABC_VQX.log"));
    ASSERT_TRUE(writeBytes(real, crlf({A})));
    const QString log = data.file(QStringLiteral("F4ABC_VQX.log"));
    QString first = real;
    if (c.twoHops) {
        first = synced.file(QStringLiteral("courant.log"));
        ASSERT_TRUE(makeLink(QStringLiteral("F4ABC_VQX.log"), first));
    }
    const QString to = c.relative ? QDir(data.path()).relativeFilePath(first) : first;
    ASSERT_TRUE(makeLink(to, log));

    QString scratchFolder;
    const ScratchWriter spy = [&](int fd, const QByteArray &bytes) {
        scratchFolder = folderOfFd(fd);
        return ::write(fd, bytes.constData(), size_t(bytes.size())) == bytes.size();
    };
    ASSERT_TRUE(Ajouter_Qso(LogTarget{log, spy}, B).ok());

    EXPECT_TRUE(isLink(log));
    EXPECT_EQ(linkText(log), to);
    EXPECT_EQ(readBytes(real), crlf({A, B}));
    EXPECT_EQ(scratchFolder, QFileInfo(real).absolutePath());
    EXPECT_EQ(data.entries(), QStringList{QStringLiteral("F4ABC_VQX.log")});
    EXPECT_FALSE(QFileInfo::exists(synced.file(kScratchFile)));
}

INSTANTIATE_TEST_SUITE_P(Links, RewriteThroughLink,
                         ::testing::Values(LinkCase{"absolute", false, false},
                                           LinkCase{"relative", true, false},
                                           LinkCase{"link_to_a_link", false, true}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(Rewrite, ALinkToNoFileYetCreatesTheFileItNames)
{
    TempFolder data, synced;
    const QString real = synced.file(QStringLiteral("export.adi"));
    const QString link = data.file(QStringLiteral("export.adi"));
    ASSERT_TRUE(makeLink(real, link));
    ASSERT_TRUE(rewriteFile(link, "abc\r\n", QStringLiteral("Temporaire.txt")).ok());
    EXPECT_TRUE(isLink(link));
    EXPECT_EQ(readBytes(real), QByteArray("abc\r\n"));
}

TEST(Rewrite, ALoopOfLinksIsRefusedAndLeftAlone)
{
    TempFolder data;
    const QString a = data.file(QStringLiteral("a.log"));
    const QString b = data.file(QStringLiteral("b.log"));
    ASSERT_TRUE(makeLink(b, a));
    ASSERT_TRUE(makeLink(a, b));
    const FileResult r = rewriteFile(a, "abc\r\n", QStringLiteral("Temporaire.txt"));
    EXPECT_EQ(r.error, FileError::WriteFailed);
    EXPECT_FALSE(r.detail.isEmpty());
    EXPECT_TRUE(isLink(a));
    EXPECT_TRUE(isLink(b));
    EXPECT_FALSE(QFileInfo::exists(data.file(QStringLiteral("Temporaire.txt"))));
}

class RewriteKeepsPermissions : public ::testing::TestWithParam<mode_t>
{
};

TEST_P(RewriteKeepsPermissions, OfTheLogTheDirectoryAndTheExports)
{
    const mode_t mode = GetParam();
    Umask umask(022);
    TempFolder data, synced;
    const QString log = data.file(QStringLiteral("F4ABC_VQX.log"));
    const QString prenoms = data.file(kPrenomFile);
    const QString realAdi = synced.file(QStringLiteral("F4ABC_VQX.adi"));
    const QString adi = data.file(QStringLiteral("F4ABC_VQX.adi"));
    ASSERT_TRUE(writeBytes(log, crlf({A})));
    ASSERT_TRUE(writeBytes(prenoms, "FAAAA        31 JEAN\r\n"));
    ASSERT_TRUE(writeBytes(realAdi, "old"));
    ASSERT_TRUE(makeLink(realAdi, adi));
    for (const QString &f : {log, prenoms, realAdi})
        ASSERT_EQ(::chmod(QFile::encodeName(f).constData(), mode), 0);

    ASSERT_TRUE(Ajouter_Qso(LogTarget{log}, B).ok());
    ASSERT_TRUE(
        Memoriser_Prenom(data.path(), buildPrenomLine(QStringLiteral("FBBBB"), {}, {})).ok());
    ASSERT_TRUE(writeAdifExport(data.path(), kStation, kStation).file.ok());

    EXPECT_EQ(modeOf(log), mode);
    EXPECT_EQ(modeOf(prenoms), mode);
    EXPECT_EQ(modeOf(realAdi), mode);
    EXPECT_TRUE(isLink(adi));
    EXPECT_NE(readBytes(realAdi), QByteArray("old"));
}

INSTANTIATE_TEST_SUITE_P(
    Modes, RewriteKeepsPermissions, ::testing::Values(mode_t(0600), mode_t(0640), mode_t(0664)),
    [](const auto &info) {
        return QStringLiteral("mode_%1").arg(info.param, 4, 8, QLatin1Char('0')).toStdString();
    });

TEST(Rewrite, ANewFileFollowsTheUmask)
{
    TempFolder data;
    {
        Umask umask(077);
        ASSERT_TRUE(rewriteFile(data.file(QStringLiteral("a.txt")), "a", kScratchFile).ok());
    }
    {
        Umask umask(022);
        ASSERT_TRUE(rewriteFile(data.file(QStringLiteral("b.txt")), "b", kScratchFile).ok());
    }
    EXPECT_EQ(modeOf(data.file(QStringLiteral("a.txt"))), mode_t(0600));
    EXPECT_EQ(modeOf(data.file(QStringLiteral("b.txt"))), mode_t(0644));
}

TEST(Rewrite, AScratchFileLeftBehindDoesNotLendItsPermissions)
{
    Umask umask(022);
    TempFolder data;
    ASSERT_TRUE(writeBytes(data.file(kScratchFile), "half"));
    ASSERT_EQ(::chmod(QFile::encodeName(data.file(kScratchFile)).constData(), 0666), 0);
    ASSERT_TRUE(rewriteFile(data.file(QStringLiteral("a.txt")), "a", kScratchFile).ok());
    EXPECT_EQ(modeOf(data.file(QStringLiteral("a.txt"))), mode_t(0644));
    EXPECT_FALSE(QFileInfo::exists(data.file(kScratchFile)));
}

TEST(Rewrite, ACopyWrittenForTheFirstTimeTakesTheSourcesPermissions)
{
    Umask umask(022);
    TempFolder data;
    ASSERT_TRUE(writeBytes(data.file(QStringLiteral("private.log")), crlf({A})));
    ASSERT_EQ(
        ::chmod(QFile::encodeName(data.file(QStringLiteral("private.log"))).constData(), 0600), 0);
    ASSERT_TRUE(copyFile(data.file(QStringLiteral("private.log")),
                         data.file(QStringLiteral("copy")), kScratchFile)
                    .ok());
    EXPECT_EQ(readBytes(data.file(QStringLiteral("copy"))), crlf({A}));
    EXPECT_EQ(modeOf(data.file(QStringLiteral("copy"))), mode_t(0600));
}

// ---------------------------------------------------------------- backups

class Backups : public ::testing::Test
{
protected:
    QString log() const { return logFilePath(dir.path(), kStation); }
    QString folder() const { return backupFolderPath(dir.path()); }
    QDateTime at(int minute, int second = 0) const
    {
        return QDateTime(QDate(2021, 6, 5), QTime(14, minute, second), Qt::UTC);
    }
    QStringList backupFiles() const
    {
        return QDir(folder()).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    }
    TempFolder dir;
};

TEST_F(Backups, TheCopyIsTheLogByteForByteNamedWithCallsignAndUtcTime)
{
    const QByteArray bytes = crlf({A, B}) + "irrégulière\n";
    ASSERT_TRUE(writeBytes(log(), bytes));
    ASSERT_TRUE(writeBytes(dir.file(kPrenomFile), "FAAAA        31 JEAN\r\n"));
    // The local time of the clock must not matter.
    const QDateTime local = at(32, 10).toOffsetFromUtc(7200);
    const BackupResult r = backupLog(dir.path(), kStation, local);
    ASSERT_TRUE(r.ok());
    EXPECT_FALSE(r.skipped);
    EXPECT_EQ(r.entry.logCopy,
              QDir(folder()).filePath(QStringLiteral("F4ABC_VQX_2021-06-05_143210.log")));
    EXPECT_EQ(readBytes(r.entry.logCopy), bytes);
    EXPECT_EQ(readBytes(QDir(folder()).filePath(
                  QStringLiteral("F4ABC_Liste_Prenom_2021-06-05_143210.txt"))),
              QByteArray("FAAAA        31 JEAN\r\n"));
    EXPECT_EQ(readBytes(log()), bytes);
    const QList<BackupEntry> list = listBackups(dir.path(), kStation);
    ASSERT_EQ(list.size(), 1);
    EXPECT_EQ(list.first().takenUtc, at(32, 10));
    EXPECT_EQ(list.first().prenomCopy, r.entry.prenomCopy);
    EXPECT_EQ(countContacts(list.first().logCopy), 3);
}

TEST_F(Backups, TwoCopiesInTheSameSecondBothStayNewestFirst)
{
    ASSERT_TRUE(writeBytes(log(), crlf({A})));
    ASSERT_TRUE(backupLog(dir.path(), kStation, at(1)).ok());
    ASSERT_TRUE(writeBytes(log(), crlf({A, B})));
    const BackupResult second = backupLog(dir.path(), kStation, at(1));
    ASSERT_TRUE(second.ok());
    EXPECT_TRUE(second.entry.logCopy.endsWith(QStringLiteral("F4ABC_VQX_2021-06-05_140100_2.log")));
    const QList<BackupEntry> list = listBackups(dir.path(), kStation);
    ASSERT_EQ(list.size(), 2);
    EXPECT_EQ(countContacts(list.at(0).logCopy), 2);
    EXPECT_EQ(countContacts(list.at(1).logCopy), 1);
    // No first-name directory: no copy of it.
    EXPECT_TRUE(list.at(0).prenomCopy.isEmpty());
}

TEST_F(Backups, ACopyBeforeARestoreOrAnUndoIsMarkedInItsNameAndInTheList)
{
    ASSERT_TRUE(writeBytes(log(), crlf({A})));
    ASSERT_TRUE(writeBytes(dir.file(kPrenomFile), "FAAAA        31 JEAN\r\n"));
    const BackupReason reasons[] = {BackupReason::FirstChange, BackupReason::BeforeRestore,
                                    BackupReason::BeforeUndo};
    const QStringList names = {
        QStringLiteral("F4ABC_VQX_2021-06-05_140100.log"),
        QStringLiteral("F4ABC_VQX_2021-06-05_140100_2_avant_restauration.log"),
        QStringLiteral("F4ABC_VQX_2021-06-05_140100_3_avant_annulation.log")};
    // In the same second: each takes the next number, whatever its reason.
    for (int i = 0; i < 3; ++i) {
        const BackupResult r = backupLog(dir.path(), kStation, at(1), {}, reasons[i]);
        ASSERT_TRUE(r.ok());
        EXPECT_EQ(QFileInfo(r.entry.logCopy).fileName(), names.at(i));
        EXPECT_EQ(r.entry.reason, reasons[i]);
    }
    EXPECT_TRUE(QFileInfo::exists(QDir(folder()).filePath(
        QStringLiteral("F4ABC_Liste_Prenom_2021-06-05_140100_2_avant_restauration.txt"))));
    const QList<BackupEntry> list = listBackups(dir.path(), kStation);
    ASSERT_EQ(list.size(), 3);
    for (int i = 0; i < 3; ++i) {
        // Newest first.
        const BackupEntry &e = list.at(2 - i);
        EXPECT_EQ(QFileInfo(e.logCopy).fileName(), names.at(i));
        EXPECT_EQ(e.reason, reasons[i]);
        EXPECT_EQ(e.sequence, i + 1);
        EXPECT_EQ(e.takenUtc, at(1));
        EXPECT_FALSE(e.prenomCopy.isEmpty());
    }
}

TEST_F(Backups, TheThirtyFirstRemovesTheOldestOfThisStationOnly)
{
    ASSERT_TRUE(writeBytes(log(), crlf({A})));
    ASSERT_TRUE(writeBytes(dir.file(kPrenomFile), "FAAAA        31 JEAN\r\n"));
    ASSERT_TRUE(writeBytes(logFilePath(dir.path(), QStringLiteral("F4ABC_P")), crlf({B})));
    ASSERT_TRUE(backupLog(dir.path(), QStringLiteral("F4ABC_P"), at(0)).ok());
    ASSERT_TRUE(writeBytes(QDir(folder()).filePath(QStringLiteral("notes.txt")), "mine"));
    for (int i = 0; i < kBackupsKept; ++i)
        ASSERT_TRUE(backupLog(dir.path(), kStation, at(i + 1)).ok());
    QList<BackupEntry> list = listBackups(dir.path(), kStation);
    ASSERT_EQ(list.size(), kBackupsKept);
    const BackupEntry oldest = list.last();
    EXPECT_EQ(oldest.takenUtc, at(1));

    ASSERT_TRUE(backupLog(dir.path(), kStation, at(40)).ok());
    list = listBackups(dir.path(), kStation);
    ASSERT_EQ(list.size(), kBackupsKept);
    EXPECT_EQ(list.first().takenUtc, at(40));
    EXPECT_EQ(list.last().takenUtc, at(2));
    EXPECT_FALSE(QFileInfo::exists(oldest.logCopy));
    EXPECT_FALSE(QFileInfo::exists(oldest.prenomCopy));
    EXPECT_EQ(listBackups(dir.path(), QStringLiteral("F4ABC_P")).size(), 1);
    EXPECT_TRUE(QFileInfo::exists(QDir(folder()).filePath(QStringLiteral("notes.txt"))));
    // Thirty of each kind, one of the other station, the operator's file.
    EXPECT_EQ(backupFiles().size(), 2 * kBackupsKept + 2 + 1);
}

TEST_F(Backups, ManyCopiesInOneSecondKeepTheNewestThirty)
{
    ASSERT_TRUE(writeBytes(log(), crlf({A})));
    // The first copies of the second are pruned: their numbers are not taken
    // again, so each new copy sorts newest and the count stays at thirty.
    for (int i = 1; i <= kBackupsKept + 5; ++i) {
        const BackupResult r =
            backupLog(dir.path(), kStation, at(1), {},
                      i % 2 ? BackupReason::FirstChange : BackupReason::BeforeUndo);
        ASSERT_TRUE(r.ok());
        EXPECT_EQ(r.entry.sequence, i);
    }
    const QList<BackupEntry> list = listBackups(dir.path(), kStation);
    ASSERT_EQ(list.size(), kBackupsKept);
    EXPECT_EQ(list.first().sequence, kBackupsKept + 5);
    EXPECT_EQ(list.last().sequence, 6);
}

TEST_F(Backups, ACopyTakenWithTheClockSetBackIsKept)
{
    ASSERT_TRUE(writeBytes(log(), crlf({A})));
    for (int i = 0; i < kBackupsKept; ++i)
        ASSERT_TRUE(backupLog(dir.path(), kStation, at(i + 10)).ok());
    const BackupResult early = backupLog(dir.path(), kStation, at(0));
    ASSERT_TRUE(early.ok());
    EXPECT_TRUE(QFileInfo::exists(early.entry.logCopy));
}

TEST_F(Backups, AnEmptyOrMissingLogIsNotCopied)
{
    EXPECT_TRUE(backupLog(dir.path(), kStation, at(0)).skipped);
    ASSERT_TRUE(writeBytes(log(), {}));
    EXPECT_TRUE(backupLog(dir.path(), kStation, at(0)).skipped);
    EXPECT_FALSE(QFileInfo::exists(folder()));
}

TEST_F(Backups, AFileInThePlaceOfTheFolderFailsAndChangesNothing)
{
    ASSERT_TRUE(writeBytes(log(), crlf({A})));
    ASSERT_TRUE(writeBytes(folder(), "not a folder"));
    const BackupResult r = backupLog(dir.path(), kStation, at(0));
    EXPECT_EQ(r.file.error, FileError::WriteFailed);
    EXPECT_EQ(r.file.path, folder());
    EXPECT_FALSE(r.file.detail.isEmpty());
    EXPECT_EQ(readBytes(folder()), QByteArray("not a folder"));
    EXPECT_EQ(readBytes(log()), crlf({A}));
}

TEST_F(Backups, APrivateLogGivesPrivateCopies)
{
    Umask umask(022);
    ASSERT_TRUE(writeBytes(log(), crlf({A})));
    ASSERT_EQ(::chmod(QFile::encodeName(log()).constData(), 0600), 0);
    const BackupResult r = backupLog(dir.path(), kStation, at(0));
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(modeOf(r.entry.logCopy), mode_t(0600));
}

// ---------------------------------------------------------------- session

class Session : public ::testing::Test
{
protected:
    Session() : session(dir.path(), &clock, [this] { return station; })
    {
        QObject::connect(&session, &LogSession::undoAvailable,
                         [this](bool available) { signalled << available; });
    }
    QString log() const { return logFilePath(dir.path(), station); }
    TempFolder dir;
    FakeClock clock;
    QString station = kStation;
    LogSession session;
    QList<bool> signalled;
};

struct UndoCase
{
    const char *name;
    std::function<LogChange(LogSession &)> change;
    LogSession::ChangeKind kind;
    QString line;
    QStringList after;
};

class UndoEach : public Session, public ::testing::WithParamInterface<UndoCase>
{
};

TEST_P(UndoEach, PutsBackTheExactBytes)
{
    const UndoCase &c = GetParam();
    // Irregular bytes too: undo gives back the file, not a re-cut of it.
    const QByteArray before = crlf({A, B}) + "ligne courte\r\n" + crlf({C});
    ASSERT_TRUE(writeBytes(log(), before));
    ASSERT_TRUE(c.change(session).ok());
    EXPECT_EQ(readBytes(log()), crlf(c.after));
    ASSERT_TRUE(session.canUndo());
    EXPECT_EQ(session.lastChangeKind(), c.kind);
    EXPECT_EQ(session.lastChangeLine(), c.line);

    const LogSession::UndoResult r = session.undo();
    ASSERT_EQ(r.status, LogSession::UndoStatus::Done);
    EXPECT_EQ(readBytes(log()), before);
    EXPECT_EQ(r.change.lines(), (QStringList{A, B, QStringLiteral("ligne courte"), C}));
    // What the undo took away is kept in a copy marked as such.
    EXPECT_EQ(readBytes(r.currentCopy.logCopy), crlf(c.after));
    EXPECT_EQ(r.currentCopy.reason, BackupReason::BeforeUndo);
    EXPECT_EQ(listBackups(dir.path(), kStation).first().logCopy, r.currentCopy.logCopy);
    EXPECT_FALSE(session.canUndo());
    EXPECT_EQ(signalled, (QList<bool>{true, false}));
    // One level only.
    EXPECT_EQ(session.undo().status, LogSession::UndoStatus::NothingToUndo);
    EXPECT_EQ(readBytes(log()), before);
}

const QString kNew = qso(QStringLiteral("F5NEW"), QStringLiteral("75FA010"),
                         QStringLiteral("06/06/08"), QStringLiteral("12:00"));
const QString kShort = QStringLiteral("ligne courte");

INSTANTIATE_TEST_SUITE_P(
    Operations, UndoEach,
    ::testing::Values(UndoCase{"Ajouter_Qso",
                               [](LogSession &s) { return s.Ajouter_Qso(kNew); },
                               LogSession::ChangeKind::Recording,
                               kNew,
                               {A, B, kShort, C, kNew}},
                      UndoCase{"Inserer_Qso_Chrono",
                               [](LogSession &s) { return s.Inserer_Qso_Chrono(kNew); },
                               LogSession::ChangeKind::Recording,
                               kNew,
                               {A, B, kShort, kNew, C}},
                      UndoCase{"Remplacer_Qso",
                               [](LogSession &s) { return s.Remplacer_Qso(kNew, B); },
                               LogSession::ChangeKind::Modification,
                               kNew,
                               {A, kNew, kShort, C}},
                      UndoCase{"Supprimer_Qso",
                               [](LogSession &s) { return s.Supprimer_Qso(B); },
                               LogSession::ChangeKind::Deletion,
                               B,
                               {A, kShort, C}}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(Session, UndoGoesBackOneChangeOnly)
{
    ASSERT_TRUE(writeBytes(log(), crlf({A})));
    ASSERT_TRUE(session.Ajouter_Qso(B).ok());
    ASSERT_TRUE(session.Ajouter_Qso(C).ok());
    ASSERT_EQ(session.undo().status, LogSession::UndoStatus::Done);
    EXPECT_EQ(readBytes(log()), crlf({A, B}));
    EXPECT_FALSE(session.canUndo());
}

TEST_F(Session, UndoIsRefusedWhenTheLogChangedOutside)
{
    ASSERT_TRUE(writeBytes(log(), crlf({A})));
    ASSERT_TRUE(session.Ajouter_Qso(B).ok());
    const QByteArray edited = crlf({A, B, C});
    ASSERT_TRUE(writeBytes(log(), edited));
    EXPECT_EQ(session.undo().status, LogSession::UndoStatus::ChangedOutside);
    EXPECT_EQ(readBytes(log()), edited);
    EXPECT_FALSE(session.canUndo());
}

TEST_F(Session, UndoOfADeletedLogFailsAndCreatesNothing)
{
    ASSERT_TRUE(writeBytes(log(), crlf({A})));
    ASSERT_TRUE(session.Ajouter_Qso(B).ok());
    ASSERT_TRUE(QFile::remove(log()));
    const LogSession::UndoResult r = session.undo();
    EXPECT_EQ(r.status, LogSession::UndoStatus::Failed);
    EXPECT_EQ(r.change.file.error, FileError::Missing);
    EXPECT_FALSE(QFileInfo::exists(log()));
}

TEST_F(Session, UndoIsRefusedWhenTheLogCannotBeCopiedFirst)
{
    ASSERT_TRUE(writeBytes(log(), crlf({A})));
    ASSERT_TRUE(session.Ajouter_Qso(B).ok());
    ASSERT_TRUE(QDir(backupFolderPath(dir.path())).removeRecursively());
    ASSERT_TRUE(writeBytes(backupFolderPath(dir.path()), "not a folder"));
    const LogSession::UndoResult r = session.undo();
    EXPECT_EQ(r.status, LogSession::UndoStatus::CurrentNotSaved);
    EXPECT_EQ(r.change.file.path, backupFolderPath(dir.path()));
    EXPECT_EQ(readBytes(log()), crlf({A, B}));
    // Nothing was undone: the operator may try again once the copy can be made.
    EXPECT_TRUE(session.canUndo());
    ASSERT_TRUE(QFile::remove(backupFolderPath(dir.path())));
    EXPECT_EQ(session.undo().status, LogSession::UndoStatus::Done);
    EXPECT_EQ(readBytes(log()), crlf({A}));
}

TEST_F(Session, AFailedChangeKeepsTheUndoOfThePreviousOne)
{
    ASSERT_TRUE(writeBytes(log(), crlf({A})));
    ASSERT_TRUE(session.Ajouter_Qso(B).ok());
    session.setWriter([](int, const QByteArray &) {
        errno = ENOSPC;
        return false;
    });
    EXPECT_FALSE(session.Ajouter_Qso(C).ok());
    session.setWriter({});
    ASSERT_EQ(session.undo().status, LogSession::UndoStatus::Done);
    EXPECT_EQ(readBytes(log()), crlf({A}));
}

TEST_F(Session, AChangeOfStationLeavesNothingToUndo)
{
    ASSERT_TRUE(writeBytes(log(), crlf({A})));
    ASSERT_TRUE(session.Ajouter_Qso(B).ok());
    station = QStringLiteral("F5OTHER");
    EXPECT_FALSE(session.canUndo());
    EXPECT_EQ(session.undo().status, LogSession::UndoStatus::NothingToUndo);
    station = kStation;
    session.forgetUndo();
    EXPECT_FALSE(session.canUndo());
    EXPECT_EQ(signalled, (QList<bool>{true, false}));
    EXPECT_EQ(readBytes(log()), crlf({A, B}));
}

TEST_F(Session, TheFirstChangeOfEachLogIsBackedUpOnce)
{
    ASSERT_TRUE(writeBytes(log(), crlf({A})));
    ASSERT_TRUE(writeBytes(dir.file(kPrenomFile), "FAAAA        31 JEAN\r\n"));
    session.backupBeforeFirstChange();
    // The window stores the first name between the copy and the change.
    ASSERT_TRUE(
        Memoriser_Prenom(dir.path(), buildPrenomLine(QStringLiteral("FBBBB"), {}, {})).ok());
    ASSERT_TRUE(session.Ajouter_Qso(B).ok());
    clock.utc = clock.utc.addSecs(60);
    ASSERT_TRUE(session.Supprimer_Qso(A).ok());
    QList<BackupEntry> copies = listBackups(dir.path(), kStation);
    ASSERT_EQ(copies.size(), 1);
    EXPECT_EQ(readBytes(copies.first().logCopy), crlf({A}));
    EXPECT_EQ(readBytes(copies.first().prenomCopy), QByteArray("FAAAA        31 JEAN\r\n"));

    station = QStringLiteral("F5OTHER");
    ASSERT_TRUE(writeBytes(log(), crlf({C})));
    ASSERT_TRUE(session.Ajouter_Qso(A).ok());
    copies = listBackups(dir.path(), station);
    ASSERT_EQ(copies.size(), 1);
    EXPECT_EQ(readBytes(copies.first().logCopy), crlf({C}));
    EXPECT_FALSE(session.takeBackupFailure().has_value());
}

TEST_F(Session, AFailingBackupIsReportedOnceAndNeverStopsTheChange)
{
    ASSERT_TRUE(writeBytes(log(), crlf({A})));
    ASSERT_TRUE(writeBytes(backupFolderPath(dir.path()), "not a folder"));
    ASSERT_TRUE(session.Ajouter_Qso(B).ok());
    EXPECT_EQ(readBytes(log()), crlf({A, B}));
    const std::optional<FileResult> failure = session.takeBackupFailure();
    ASSERT_TRUE(failure.has_value());
    EXPECT_EQ(failure->path, backupFolderPath(dir.path()));
    EXPECT_FALSE(session.takeBackupFailure().has_value());

    ASSERT_TRUE(session.Ajouter_Qso(C).ok());
    EXPECT_FALSE(session.takeBackupFailure().has_value());
    // Once the folder can be made, the next change is backed up after all.
    ASSERT_TRUE(QFile::remove(backupFolderPath(dir.path())));
    ASSERT_TRUE(session.Supprimer_Qso(C).ok());
    const QList<BackupEntry> copies = listBackups(dir.path(), kStation);
    ASSERT_EQ(copies.size(), 1);
    EXPECT_EQ(readBytes(copies.first().logCopy), crlf({A, B, C}));
}

TEST_F(Session, RestoreSavesTheCurrentLogThenPutsTheCopyInItsPlace)
{
    ASSERT_TRUE(writeBytes(log(), crlf({A})));
    const BackupResult old = backupLog(dir.path(), kStation, clock.utc.addDays(-1));
    ASSERT_TRUE(old.ok());
    ASSERT_TRUE(session.Ajouter_Qso(B).ok());
    ASSERT_TRUE(session.Ajouter_Qso(C).ok());
    clock.utc = clock.utc.addSecs(5);

    const LogSession::RestoreResult r = session.restore(old.entry.logCopy);
    ASSERT_EQ(r.status, LogSession::RestoreStatus::Done);
    EXPECT_EQ(readBytes(log()), crlf({A}));
    EXPECT_EQ(r.change.lines(), QStringList{A});
    EXPECT_EQ(readBytes(r.currentCopy.logCopy), crlf({A, B, C}));
    EXPECT_EQ(r.currentCopy.takenUtc, clock.utc);
    EXPECT_EQ(r.currentCopy.reason, BackupReason::BeforeRestore);
    EXPECT_EQ(listBackups(dir.path(), kStation).first().reason, BackupReason::BeforeRestore);
    EXPECT_FALSE(session.canUndo());
}

TEST_F(Session, RestoringTheOldestOfThirtyCopiesWorks)
{
    ASSERT_TRUE(writeBytes(log(), crlf({A})));
    const BackupResult oldest = backupLog(dir.path(), kStation, clock.utc.addDays(-40));
    ASSERT_TRUE(writeBytes(log(), crlf({B})));
    for (int i = 1; i < kBackupsKept; ++i)
        ASSERT_TRUE(backupLog(dir.path(), kStation, clock.utc.addDays(-40 + i)).ok());
    ASSERT_EQ(listBackups(dir.path(), kStation).size(), kBackupsKept);
    const LogSession::RestoreResult r = session.restore(oldest.entry.logCopy);
    ASSERT_EQ(r.status, LogSession::RestoreStatus::Done);
    EXPECT_EQ(readBytes(log()), crlf({A}));
}

TEST_F(Session, RestoreBringsBackALogDeletedOutside)
{
    ASSERT_TRUE(writeBytes(log(), crlf({A, B})));
    const BackupResult copy = backupLog(dir.path(), kStation, clock.utc.addDays(-1));
    ASSERT_TRUE(QFile::remove(log()));
    const LogSession::RestoreResult r = session.restore(copy.entry.logCopy);
    ASSERT_EQ(r.status, LogSession::RestoreStatus::Done);
    EXPECT_EQ(readBytes(log()), crlf({A, B}));
    EXPECT_TRUE(r.currentCopy.logCopy.isEmpty());
}

TEST_F(Session, RestoreIsRefusedWhenTheCurrentLogCannotBeSaved)
{
    ASSERT_TRUE(writeBytes(log(), crlf({A})));
    const BackupResult copy = backupLog(dir.path(), kStation, clock.utc.addDays(-1));
    ASSERT_TRUE(writeBytes(log(), crlf({A, B})));
    session.setWriter([](int, const QByteArray &) {
        errno = ENOSPC;
        return false;
    });
    const LogSession::RestoreResult r = session.restore(copy.entry.logCopy);
    EXPECT_EQ(r.status, LogSession::RestoreStatus::CurrentNotSaved);
    EXPECT_EQ(readBytes(log()), crlf({A, B}));
}

TEST_F(Session, RestoreThroughALinkKeepsTheLink)
{
    TempFolder synced;
    const QString real = synced.file(QStringLiteral("F4ABC_VQX.log"));
    ASSERT_TRUE(writeBytes(real, crlf({A})));
    ASSERT_TRUE(makeLink(real, log()));
    const BackupResult copy = backupLog(dir.path(), kStation, clock.utc.addDays(-1));
    ASSERT_TRUE(writeBytes(real, crlf({A, B})));
    ASSERT_EQ(session.restore(copy.entry.logCopy).status, LogSession::RestoreStatus::Done);
    EXPECT_TRUE(isLink(log()));
    EXPECT_EQ(readBytes(real), crlf({A}));
}

} // namespace
