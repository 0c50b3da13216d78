// Logs and folders in a bad state: irregular lines, a full disk. Nothing on
// disk may be lost or changed by an operation that fails.
#include "log_samples.h"
#include "temp_folder.h"

#include "adif/adif_export.h"
#include "awards/award_list.h"
#include "logstore/codepage.h"
#include "logstore/log_operations.h"
#include "logstore/log_record.h"
#include "logstore/prenoms.h"

#include <QFileInfo>
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>

using namespace vqx;
using namespace vqx::test;
using namespace vqx::test::samples;

namespace {

// The line the list gives back for a file line.
QString fromList(const QString &fileLine)
{
    return qsoLineFromListLine(buildQsoListLine(fileLine, 1));
}

class BadFiles : public ::testing::Test
{
protected:
    QString path() const { return dir.file(QStringLiteral("FYYYY_VQX.log")); }
    LogTarget target() const { return LogTarget{path()}; }
    QStringList onDisk() const
    {
        return codepage::splitLines(codepage::decode(readBytes(path()))).lines;
    }
    TempFolder dir;
};

struct IrregularCase
{
    const char *name;
    QString line;
};

void PrintTo(const IrregularCase &c, std::ostream *os)
{
    *os << c.name;
}

class IrregularLineFromTheList : public BadFiles,
                                 public ::testing::WithParamInterface<IrregularCase>
{
};

} // namespace

// A hand-edited line is shown re-cut to the layout; deleting or modifying it
// from the list must still reach it.
TEST_P(IrregularLineFromTheList, CanBeDeletedAndReplaced)
{
    const QString &odd = GetParam().line;
    ASSERT_NE(fromList(odd), odd);
    ASSERT_TRUE(writeBytes(path(), crlf({A, odd, C})));
    ASSERT_TRUE(Remplacer_Qso(target(), B, fromList(odd)).ok());
    EXPECT_EQ(onDisk(), (QStringList{A, B, C}));

    ASSERT_TRUE(writeBytes(path(), crlf({A, odd, C})));
    ASSERT_TRUE(Supprimer_Qso(target(), fromList(odd)).ok());
    EXPECT_EQ(onDisk(), (QStringList{A, C}));
}

INSTANTIATE_TEST_SUITE_P(
    BadFiles, IrregularLineFromTheList,
    ::testing::Values(IrregularCase{"short", B.left(60)},
                      IrregularCase{"long", B + QStringLiteral(" NOTE")},
                      IrregularCase{"text_between_columns", QString(B).replace(12, 1, u'|')},
                      IrregularCase{"blank_before_the_reference",
                                    QString(B).replace(32, 7, QStringLiteral(" 75FT00"))}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(BadFiles, EqualLinesGoFirstTheListFormOnlyWhenNoneIsEqual)
{
    // Both show as A in the list; the operator chose the regular one.
    const QString lookAlike = QString(A).replace(12, 1, u'|');
    ASSERT_TRUE(writeBytes(path(), crlf({A, lookAlike})));
    ASSERT_TRUE(Supprimer_Qso(target(), A).ok());
    EXPECT_EQ(onDisk(), QStringList{lookAlike});
}

struct KeptCase
{
    const char *name;
    QByteArray bytes;
};

void PrintTo(const KeptCase &c, std::ostream *os)
{
    *os << c.name;
}

class ChangeOfAnIrregularLog : public BadFiles, public ::testing::WithParamInterface<KeptCase>
{
};

// The log is written anew with CR LF; every line it held stays as it was,
// byte for byte, whatever its length or content.
TEST_P(ChangeOfAnIrregularLog, KeepsEveryLineByteForByte)
{
    const QByteArray &bytes = GetParam().bytes;
    ASSERT_TRUE(writeBytes(path(), bytes));
    const QStringList before = Charger_Log(path()).lines;
    ASSERT_TRUE(Ajouter_Qso(target(), C).ok());
    QByteArrayList expected = bytes.split('\n');
    if (expected.last().isEmpty())
        expected.removeLast();
    for (QByteArray &l : expected) {
        if (l.endsWith('\r'))
            l.chop(1);
    }
    expected << codepage::encode(C);
    EXPECT_EQ(readBytes(path()), expected.join("\r\n") + "\r\n");
    EXPECT_EQ(onDisk(), before + QStringList{C});
}

INSTANTIATE_TEST_SUITE_P(
    BadFiles, ChangeOfAnIrregularLog,
    ::testing::Values(
        KeptCase{"line_feeds_only", codepage::encode(A + u'\n' + B + u'\n')},
        KeptCase{"short_and_long_lines", codepage::encode(A.left(40) + QStringLiteral("\r\n") + B +
                                                          QStringLiteral("  REMARQUE\r\n"))},
        KeptCase{"bytes_that_are_not_text",
                 codepage::encode(A) + QByteArray("\x00\x01\x81\x8d\x9d\xff\r\n", 8)},
        KeptCase{"no_line_end_at_the_end", codepage::encode(A + QStringLiteral("\r\n") + B)}),
    [](const auto &info) { return std::string(info.param.name); });

namespace {

// The disk fills up after half the content.
bool fullDisk(int fd, const QByteArray &data)
{
    (void)!::write(fd, data.constData(), size_t(data.size() / 2));
    errno = ENOSPC;
    return false;
}

struct FullDiskCase
{
    const char *name;
    QString file; // the file the operation rewrites
    QString scratch;
    std::function<FileResult(const QString &dir)> run;
};

void PrintTo(const FullDiskCase &c, std::ostream *os)
{
    *os << c.name;
}

class FullDisk : public ::testing::TestWithParam<FullDiskCase>
{
};

LogTarget fullLog(const QString &dir)
{
    return LogTarget{QDir(dir).filePath(QStringLiteral("FYYYY_VQX.log")), fullDisk};
}

} // namespace

TEST_P(FullDisk, LeavesTheFileAsItWasAndNoScratchFile)
{
    const FullDiskCase &c = GetParam();
    TempFolder dir;
    ASSERT_TRUE(writeBytes(dir.file(QStringLiteral("FYYYY_VQX.log")), crlf({A, B})));
    ASSERT_TRUE(writeBytes(dir.file(kPrenomFile), "FAAAA        31 JEAN\r\n"));
    ASSERT_TRUE(writeBytes(dir.file(c.file), "an older file\r\n"));
    const QStringList entries = dir.entries();
    const QByteArray before = readBytes(dir.file(c.file));

    const FileResult r = c.run(dir.path());
    EXPECT_EQ(r.error, FileError::WriteFailed);
    EXPECT_EQ(r.detail, QString::fromLocal8Bit(std::strerror(ENOSPC)));
    EXPECT_EQ(readBytes(dir.file(c.file)), before);
    EXPECT_EQ(dir.entries(), entries) << "scratch file " << c.scratch.toStdString() << " left";
}

INSTANTIATE_TEST_SUITE_P(
    BadFiles, FullDisk,
    ::testing::Values(
        FullDiskCase{"Ajouter_Qso", QStringLiteral("FYYYY_VQX.log"), kScratchFile,
                     [](const QString &d) { return Ajouter_Qso(fullLog(d), C).file; }},
        FullDiskCase{"Inserer_Qso_Chrono", QStringLiteral("FYYYY_VQX.log"), kScratchFileChrono,
                     [](const QString &d) { return Inserer_Qso_Chrono(fullLog(d), C).file; }},
        FullDiskCase{"Remplacer_Qso", QStringLiteral("FYYYY_VQX.log"), kScratchFile,
                     [](const QString &d) { return Remplacer_Qso(fullLog(d), C, A).file; }},
        FullDiskCase{"Supprimer_Qso", QStringLiteral("FYYYY_VQX.log"), kScratchFile,
                     [](const QString &d) { return Supprimer_Qso(fullLog(d), A).file; }},
        FullDiskCase{"Memoriser_Prenom", kPrenomFile, kScratchFile,
                     [](const QString &d) {
                         return Memoriser_Prenom(
                             d, buildPrenomLine(QStringLiteral("FBBBB"), QString(), QString()),
                             fullDisk);
                     }},
        FullDiskCase{"Exporter_ADIF", QStringLiteral("FYYYY_VQX.adi"), kAdifScratchFile,
                     [](const QString &d) {
                         return Exporter_ADIF(d, QStringLiteral("FYYYY"), QStringLiteral("FYYYY"),
                                              fullDisk)
                             .file;
                     }},
        FullDiskCase{"Enregistrer_Liste_Diplome", QStringLiteral("liste.txt"), kAwardListScratch,
                     [](const QString &d) {
                         return Enregistrer_Liste_Diplome(d, QStringLiteral("liste.txt"),
                                                          {QStringLiteral("ligne")}, fullDisk);
                     }}),
    [](const auto &info) { return std::string(info.param.name); });

namespace {

struct ProtectionCase
{
    const char *name;
    mode_t mode;      // of the file the rewrite reaches
    bool otherOwner;  // another user's file, else the program's user's
    bool throughLink; // the target is a symbolic link to it
    bool refused;
};

void PrintTo(const ProtectionCase &c, std::ostream *os)
{
    *os << c.name;
}

class Protection : public ::testing::TestWithParam<ProtectionCase>
{
};

struct stat statOf(const QString &path)
{
    struct stat st = {};
    ::stat(QFile::encodeName(path).constData(), &st);
    return st;
}

} // namespace

// The operator's protection holds even against root, whose rights ignore the
// bits: a file whose owner may not write it is never replaced. A file that
// may be written keeps its owner and mode once rewritten.
TEST_P(Protection, ReadOnlyFileIsNeverReplaced)
{
    const ProtectionCase &c = GetParam();
    TempFolder dir;
    const QString file = dir.file(QStringLiteral("FYYYY_VQX.log"));
    ASSERT_TRUE(writeBytes(file, crlf({A})));
    if (c.otherOwner) {
        // Only root may give a file away.
        if (::geteuid() != 0)
            GTEST_SKIP() << "needs root to give the file to another user";
        ASSERT_EQ(::chown(QFile::encodeName(file).constData(), 4242, 4242), 0);
    }
    ASSERT_EQ(::chmod(QFile::encodeName(file).constData(), c.mode), 0);
    QString target = file;
    if (c.throughLink) {
        target = dir.file(QStringLiteral("lien.log"));
        ASSERT_TRUE(QFile::link(file, target));
    }
    const struct stat before = statOf(file);

    EXPECT_EQ(checkWritable(target).error, c.refused ? FileError::ReadOnly : FileError::None);
    const FileResult r = rewriteFile(target, crlf({A, B}), kScratchFile);
    const struct stat after = statOf(file);
    EXPECT_EQ(after.st_mode, before.st_mode);
    EXPECT_EQ(after.st_uid, before.st_uid);
    EXPECT_FALSE(QFile::exists(dir.file(kScratchFile)));
    if (c.refused) {
        EXPECT_EQ(r.error, FileError::ReadOnly);
        EXPECT_EQ(r.target, target);
        EXPECT_EQ(readBytes(file), crlf({A}));
        EXPECT_EQ(after.st_ino, before.st_ino);
    } else {
        EXPECT_TRUE(r.ok());
        EXPECT_EQ(readBytes(file), crlf({A, B}));
    }
}

INSTANTIATE_TEST_SUITE_P(
    BadFiles, Protection,
    ::testing::Values(ProtectionCase{"ReadOnlyForEveryone", 0444, false, false, true},
                      ProtectionCase{"OthersMayWriteButNotItsOwner", 0466, false, false, true},
                      ProtectionCase{"AnotherUsersReadOnlyFile", 0444, true, false, true},
                      ProtectionCase{"ReadOnlyBehindALink", 0444, false, true, true},
                      ProtectionCase{"AnotherUsersWritableFile", 0644, true, false, false},
                      ProtectionCase{"PrivateWritableFile", 0600, false, true, false}),
    [](const auto &info) { return std::string(info.param.name); });
