// Where the logs go: beside the program when the operator can write there,
// otherwise (a system-wide install, a read-only folder, a build tree) in the
// per-user data folder, which is made when needed.
#include "temp_folder.h"

#include "platform/data_folder.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>
#include <ostream>
#include <string>

#include <sys/stat.h>
#include <unistd.h>

using namespace vqx;

namespace {

enum class Place
{
    SystemBin,      // /usr/bin
    LocalBin,       // /usr/local/bin
    OwnFolder,      // a folder the operator owns
    BuildTree,      // a folder under a CMake build tree
    ReadOnlyFolder, // a folder the operator cannot write
};

struct FolderCase
{
    const char *name;
    Place place;
    bool keepsProgramFolder;
};

void PrintTo(const FolderCase &c, std::ostream *os)
{
    *os << c.name;
}

class ChooseDataFolder : public testing::TestWithParam<FolderCase>
{
};

TEST_P(ChooseDataFolder, LogsGoWhereTheOperatorCanKeepThem)
{
    const FolderCase c = GetParam();
    test::TempFolder dir;
    const QString perUser = dir.file(QStringLiteral("home/.local/share/ZAT_VQX"));
    QString program;
    switch (c.place) {
    case Place::SystemBin:
        program = QStringLiteral("/usr/bin");
        break;
    case Place::LocalBin:
        program = QStringLiteral("/usr/local/bin");
        break;
    case Place::OwnFolder:
        program = dir.file(QStringLiteral("ZAT_VQX"));
        break;
    case Place::BuildTree:
        ASSERT_TRUE(test::writeBytes(dir.file(QStringLiteral("CMakeCache.txt")), "x"));
        program = dir.file(QStringLiteral("build/src/app"));
        break;
    case Place::ReadOnlyFolder:
        if (::geteuid() == 0)
            GTEST_SKIP() << "root writes everywhere";
        program = dir.file(QStringLiteral("locked"));
        break;
    }
    if (!program.startsWith(QStringLiteral("/usr"))) {
        ASSERT_TRUE(QDir().mkpath(program));
    }
    if (c.place == Place::ReadOnlyFolder) {
        ASSERT_EQ(::chmod(QFile::encodeName(program).constData(), 0555), 0);
    }

    const QString chosen = chooseDataFolder(program, perUser);

    if (c.place == Place::ReadOnlyFolder)
        ::chmod(QFile::encodeName(program).constData(), 0755);
    EXPECT_EQ(chosen, c.keepsProgramFolder ? program : perUser);
    if (!c.keepsProgramFolder) {
        EXPECT_TRUE(QDir(perUser).exists()) << "the per-user folder is made";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Places, ChooseDataFolder,
    testing::Values(FolderCase{"SystemInstall", Place::SystemBin, false},
                    FolderCase{"LocalSystemInstall", Place::LocalBin, false},
                    FolderCase{"OperatorsOwnFolder", Place::OwnFolder, true},
                    FolderCase{"InsideABuildTree", Place::BuildTree, false},
                    FolderCase{"ReadOnlyFolder", Place::ReadOnlyFolder, false}),
    [](const testing::TestParamInfo<FolderCase> &info) { return std::string(info.param.name); });

} // namespace
