// The sentences that tell the operator about a file that could not be read
// or written: one wording per fault, whichever window meets it.
#include "temp_folder.h"

#include "logstore/file_messages.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <functional>

using namespace vqx;
using namespace vqx::test;

namespace {

const QString kLog = QStringLiteral("/logs/F1ABC_VQX.log");
const QString kHowToCreate = QStringLiteral(
    "\r\nPour créer le log de cette station, choisissez son indicatif dans le menu Station.");

FileResult fault(FileError error, const QString &path, const QString &detail = QString())
{
    FileResult r;
    r.error = error;
    r.path = path;
    r.detail = detail;
    return r;
}

struct LogReadRow
{
    const char *name;
    FileError error;
    const char *detail;
    QString expected;
};

void PrintTo(const LogReadRow &row, std::ostream *os)
{
    *os << row.name;
}

class LogNotRead : public ::testing::TestWithParam<LogReadRow>
{
};

TEST_P(LogNotRead, NamesTheFileTheFaultAndWhatIsDoneInstead)
{
    const LogReadRow &row = GetParam();
    const FileResult read = fault(row.error, kLog, QString::fromUtf8(row.detail));
    EXPECT_EQ(logNotReadMessage(read, QStringLiteral("la liste reste vide")), row.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Faults, LogNotRead,
    ::testing::Values(
        LogReadRow{"Missing", FileError::Missing, "",
                   QStringLiteral("Le log /logs/F1ABC_VQX.log est introuvable : la liste reste "
                                  "vide.") +
                       kHowToCreate},
        LogReadRow{"Folder", FileError::NotAFile, "",
                   QStringLiteral("Le log /logs/F1ABC_VQX.log n'est pas un fichier : la liste "
                                  "reste vide.")},
        LogReadRow{"Unreadable", FileError::ReadFailed, "Permission denied",
                   QStringLiteral("Le log /logs/F1ABC_VQX.log n'a pas pu être lu (Permission "
                                  "denied) : la liste reste vide.")},
        LogReadRow{"UnreadableNoReason", FileError::ReadFailed, "",
                   QStringLiteral("Le log /logs/F1ABC_VQX.log n'a pas pu être lu : la liste "
                                  "reste vide.")}),
    [](const ::testing::TestParamInfo<LogReadRow> &info) { return std::string(info.param.name); });

TEST(LogNotChanged, AMissingLogIsReportedAsForAReadWithNothingRecorded)
{
    EXPECT_EQ(logNotChangedMessage(kLog, fault(FileError::Missing, kLog)),
              QStringLiteral("Le log /logs/F1ABC_VQX.log est introuvable : rien n'a été "
                             "enregistré.") +
                  kHowToCreate);
}

TEST(LogNotChanged, AFailedRewriteNamesTheFileThatFailedAndKeepsTheLog)
{
    const FileResult scratch = fault(FileError::WriteFailed, QStringLiteral("/logs/Temporaire.txt"),
                                     QStringLiteral("No space left on device"));
    EXPECT_EQ(logNotChangedMessage(kLog, scratch),
              QStringLiteral("Le log /logs/F1ABC_VQX.log n'a pas pu être mis à jour "
                             "(/logs/Temporaire.txt : No space left on device).\r\nLe log est "
                             "resté tel qu'il était."));
}

// An export that could not be written: the older file of that name is
// mentioned only when there is one.
class FileNotSaved : public ::testing::Test
{
protected:
    QString target() const { return dir.file(QStringLiteral("F1ABC_VQX.adi")); }
    TempFolder dir;
};

TEST_F(FileNotSaved, WithoutAnOlderFile)
{
    EXPECT_EQ(fileNotSavedMessage(target(), fault(FileError::WriteFailed, target(),
                                                  QStringLiteral("Permission denied"))),
              QStringLiteral("Le fichier F1ABC_VQX.adi n'a pas pu être enregistré (Permission "
                             "denied)."));
}

TEST_F(FileNotSaved, AnOlderFileIsSaidToBeKept)
{
    ASSERT_TRUE(writeBytes(target(), "older"));
    EXPECT_EQ(fileNotSavedMessage(target(), fault(FileError::ReplaceFailed, target(),
                                                  QStringLiteral("Device or resource busy"))),
              QStringLiteral("Le fichier F1ABC_VQX.adi n'a pas pu être enregistré (Device or "
                             "resource busy).\r\nLe fichier précédent de ce nom est resté tel "
                             "qu'il était."));
}

TEST_F(FileNotSaved, AFolderInTheWayIsNamedAsSuch)
{
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("F1ABC_VQX.adi")));
    EXPECT_EQ(fileNotSavedMessage(target(), fault(FileError::NotAFile, target())),
              QStringLiteral("Le fichier F1ABC_VQX.adi n'a pas pu être enregistré (ce nom est "
                             "celui d'un dossier ou d'un autre élément)."));
}

// The sentences of the safety net and of files the operator picks: each
// names the file that failed, the system's reason, and what was kept.
struct SentenceRow
{
    const char *name;
    std::function<QString()> sentence;
    QString expected;
};

void PrintTo(const SentenceRow &row, std::ostream *os)
{
    *os << row.name;
}

class Sentences : public ::testing::TestWithParam<SentenceRow>
{
};

TEST_P(Sentences, NameTheFileTheReasonAndWhatWasKept)
{
    EXPECT_EQ(GetParam().sentence(), GetParam().expected);
}

const QString kBackup = QStringLiteral("/logs/Sauvegardes/F1ABC_VQX_20261208.log");
const FileResult kFull = fault(FileError::WriteFailed, QStringLiteral("/logs/Temporaire.txt"),
                               QStringLiteral("No space left on device"));

INSTANTIATE_TEST_SUITE_P(
    Faults, Sentences,
    ::testing::Values(
        SentenceRow{"BackupNotMade", [] { return backupNotMadeMessage(kFull); },
                    QStringLiteral("La sauvegarde automatique du log n'a pas pu être faite "
                                   "(/logs/Temporaire.txt : No space left on device).\r\nElle "
                                   "n'empêche pas de modifier le log ; elle sera tentée de "
                                   "nouveau à la prochaine modification, sans autre message.")},
        SentenceRow{"UndoWithoutLog",
                    [] { return logNotUndoneMessage(kLog, fault(FileError::Missing, kLog)); },
                    QStringLiteral("Le log /logs/F1ABC_VQX.log est introuvable : rien n'a été "
                                   "annulé.")},
        SentenceRow{"UndoNotWritten", [] { return logNotUndoneMessage(kLog, kFull); },
                    QStringLiteral("Le log /logs/F1ABC_VQX.log n'a pas pu être remis dans son "
                                   "état précédent (/logs/Temporaire.txt : No space left on "
                                   "device).\r\nLe log est resté tel qu'il était.")},
        SentenceRow{"BackupNotRead",
                    [] {
                        return backupNotReadMessage(kBackup,
                                                    fault(FileError::ReadFailed, kBackup,
                                                          QStringLiteral("Permission denied")));
                    },
                    QStringLiteral("La sauvegarde /logs/Sauvegardes/F1ABC_VQX_20261208.log n'a "
                                   "pas pu être lue (/logs/Sauvegardes/F1ABC_VQX_20261208.log : "
                                   "Permission denied) : le log n'a pas été modifié.")},
        SentenceRow{"CurrentNotSaved", [] { return currentLogNotSavedMessage(kFull); },
                    QStringLiteral("Le log actuel n'a pas pu être sauvegardé (/logs/Temporaire.txt "
                                   ": No space left on device) : la restauration est abandonnée "
                                   "et le log n'a pas été modifié.")},
        SentenceRow{"CurrentNotSavedForUndo",
                    [] { return currentLogNotSavedMessage(kFull, QStringLiteral("l'annulation")); },
                    QStringLiteral("Le log actuel n'a pas pu être sauvegardé (/logs/Temporaire.txt "
                                   ": No space left on device) : l'annulation est abandonnée "
                                   "et le log n'a pas été modifié.")},
        SentenceRow{"NotReplaced", [] { return logNotReplacedMessage(kLog, kFull); },
                    QStringLiteral("Le log /logs/F1ABC_VQX.log n'a pas pu être remplacé "
                                   "(/logs/Temporaire.txt : No space left on device).\r\nLe log "
                                   "est resté tel qu'il était.")},
        SentenceRow{"ChosenFileIsAFolder",
                    [] {
                        return fileNotReadMessage(
                            fault(FileError::NotAFile, QStringLiteral("/home/op/journal.adi")),
                            QStringLiteral("rien n'a été importé"));
                    },
                    QStringLiteral("Le fichier journal.adi n'a pas pu être lu (ce nom est celui "
                                   "d'un dossier ou d'un autre élément) : rien n'a été importé.")},
        SentenceRow{"DirectoryNotRead",
                    [] {
                        return prenomsNotReadMessage(fault(FileError::ReadFailed,
                                                           QStringLiteral("/logs/Liste_Prenom.txt"),
                                                           QStringLiteral("Permission denied")),
                                                     QStringLiteral("rien n'a été importé"));
                    },
                    QStringLiteral("Le répertoire des prénoms /logs/Liste_Prenom.txt n'a pas pu "
                                   "être lu (Permission denied) : rien n'a été importé.")},
        SentenceRow{"ImportNotWritten",
                    [] {
                        return logNotChangedMessage(kLog, kFull,
                                                    QStringLiteral("Rien n'a été importé."));
                    },
                    QStringLiteral("Le log /logs/F1ABC_VQX.log n'a pas pu être mis à jour "
                                   "(/logs/Temporaire.txt : No space left on device).\r\nRien "
                                   "n'a été importé.")}),
    [](const ::testing::TestParamInfo<SentenceRow> &info) { return std::string(info.param.name); });

} // namespace

namespace {

struct ReasonRow
{
    const char *name;
    FileError error;
    int code;
    QString expected;
};

void PrintTo(const ReasonRow &row, std::ostream *os)
{
    *os << row.name;
}

class Reasons : public ::testing::TestWithParam<ReasonRow>
{
};

// The usual causes in French; any other keeps the system's words.
TEST_P(Reasons, AreWordedForTheOperator)
{
    const ReasonRow &row = GetParam();
    FileResult f = fault(row.error, QStringLiteral("/logs/Temporaire.txt"),
                         QString::fromLocal8Bit(std::strerror(row.code)));
    f.code = row.code;
    EXPECT_EQ(fileFaultReason(f), row.expected);
}

INSTANTIATE_TEST_SUITE_P(
    FileMessages, Reasons,
    ::testing::Values(
        ReasonRow{"DiskFull", FileError::WriteFailed, ENOSPC,
                  QStringLiteral("le disque est plein")},
        ReasonRow{"PermissionDenied", FileError::WriteFailed, EACCES,
                  QStringLiteral("permission refusée")},
        ReasonRow{"NotThisUsersFile", FileError::ReadOnly, EACCES,
                  QStringLiteral("l'utilisateur du programme n'a pas le droit de l'écrire")},
        ReasonRow{"ReadOnlyFileSystem", FileError::ReadOnly, EROFS,
                  QStringLiteral("le système de fichiers est en lecture seule")},
        ReasonRow{"FileTooLarge", FileError::WriteFailed, EFBIG,
                  QStringLiteral("le fichier est trop gros")},
        ReasonRow{"InputOutputError", FileError::ReplaceFailed, EIO,
                  QStringLiteral("erreur d'entrée-sortie sur le disque")},
        ReasonRow{"OtherCauseKeepsTheSystemsWords", FileError::WriteFailed, ENAMETOOLONG,
                  QString::fromLocal8Bit(std::strerror(ENAMETOOLONG))}),
    [](const ::testing::TestParamInfo<ReasonRow> &info) { return std::string(info.param.name); });

} // namespace
