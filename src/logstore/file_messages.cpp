#include "logstore/file_messages.h"

#include <QDir>
#include <QFileInfo>

namespace vqx {

namespace {

QString native(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

// " (reason)", or nothing when the system gave none.
QString inParentheses(const QString &reason)
{
    return reason.isEmpty() ? QString() : QStringLiteral(" (") + reason + QLatin1Char(')');
}

// The reason a file fault gives the operator: the system's words, except
// for a name taken by a folder, which the system words obscurely.
QString reasonOf(const FileResult &f)
{
    return f.error == FileError::NotAFile
               ? QStringLiteral("ce nom est celui d'un dossier ou d'un autre élément")
               : f.detail;
}

// " (file : reason)": which of the files of a change failed, and why.
QString failedFile(const FileResult &f)
{
    return QStringLiteral(" (") + native(f.path) +
           (f.detail.isEmpty() ? QString() : QStringLiteral(" : ") + f.detail) + QLatin1Char(')');
}

} // namespace

QString logNotReadMessage(const FileResult &read, const QString &consequence)
{
    QString what;
    switch (read.error) {
    case FileError::Missing:
        what = QStringLiteral(" est introuvable");
        break;
    case FileError::NotAFile:
        what = QStringLiteral(" n'est pas un fichier");
        break;
    default:
        what = QStringLiteral(" n'a pas pu être lu") + inParentheses(read.detail);
        break;
    }
    QString text = QStringLiteral("Le log ") + native(read.path) + what + QStringLiteral(" : ") +
                   consequence + QLatin1Char('.');
    if (read.error == FileError::Missing)
        text += QStringLiteral("\r\nPour créer le log de cette station, choisissez son indicatif "
                               "dans le menu Station.");
    return text;
}

QString logNotChangedMessage(const QString &logPath, const FileResult &change, const QString &kept)
{
    if (change.error == FileError::Missing)
        return logNotReadMessage(change, QStringLiteral("rien n'a été enregistré"));
    return QStringLiteral("Le log ") + native(logPath) +
           QStringLiteral(" n'a pas pu être mis à jour") + failedFile(change) +
           QStringLiteral(".\r\n") + kept;
}

QString fileNotReadMessage(const FileResult &read, const QString &consequence)
{
    return QStringLiteral("Le fichier ") + QFileInfo(read.path).fileName() +
           QStringLiteral(" n'a pas pu être lu") + inParentheses(reasonOf(read)) +
           QStringLiteral(" : ") + consequence + QLatin1Char('.');
}

QString logNotCreatedMessage(const FileResult &created)
{
    return QStringLiteral("Le log ") + native(created.path) +
           QStringLiteral(" n'a pas pu être créé") + inParentheses(created.detail) +
           QStringLiteral(" : aucun QSO ne pourra être enregistré tant que ce fichier n'existe "
                          "pas.");
}

QString prenomsNotReadMessage(const FileResult &read, const QString &consequence)
{
    return QStringLiteral("Le répertoire des prénoms ") + native(read.path) +
           QStringLiteral(" n'a pas pu être lu") + inParentheses(reasonOf(read)) +
           QStringLiteral(" : ") + consequence + QLatin1Char('.');
}

QString prenomsNotChangedMessage(const QString &directory, const FileResult &write)
{
    return QStringLiteral("Le répertoire des prénoms ") + native(directory) +
           QStringLiteral(" n'a pas pu être mis à jour") + inParentheses(write.detail) +
           QStringLiteral(" ; il est resté tel qu'il était.");
}

QString fileNotSavedMessage(const QString &target, const FileResult &write)
{
    const QFileInfo info(target);
    QString text = QStringLiteral("Le fichier ") + info.fileName() +
                   QStringLiteral(" n'a pas pu être enregistré") + inParentheses(reasonOf(write)) +
                   QLatin1Char('.');
    // A failed write never touches the file it was to replace.
    if (info.isFile())
        text += QStringLiteral("\r\nLe fichier précédent de ce nom est resté tel qu'il était.");
    return text;
}

QString backupNotMadeMessage(const FileResult &copy)
{
    return QStringLiteral("La sauvegarde automatique du log n'a pas pu être faite") +
           failedFile(copy) +
           QStringLiteral(".\r\nElle n'empêche pas de modifier le log ; elle sera tentée de "
                          "nouveau à la prochaine modification, sans autre message.");
}

QString logNotUndoneMessage(const QString &logPath, const FileResult &change)
{
    if (change.error == FileError::Missing)
        return QStringLiteral("Le log ") + native(logPath) +
               QStringLiteral(" est introuvable : rien n'a été annulé.");
    return QStringLiteral("Le log ") + native(logPath) +
           QStringLiteral(" n'a pas pu être remis dans son état précédent") + failedFile(change) +
           QStringLiteral(".\r\nLe log est resté tel qu'il était.");
}

QString backupNotReadMessage(const QString &backup, const FileResult &read)
{
    return QStringLiteral("La sauvegarde ") + native(backup) +
           QStringLiteral(" n'a pas pu être lue") + failedFile(read) +
           QStringLiteral(" : le log n'a pas été modifié.");
}

QString currentLogNotSavedMessage(const FileResult &copy)
{
    return QStringLiteral("Le log actuel n'a pas pu être sauvegardé") + failedFile(copy) +
           QStringLiteral(" : la restauration est abandonnée et le log n'a pas été modifié.");
}

QString logNotReplacedMessage(const QString &logPath, const FileResult &change)
{
    return QStringLiteral("Le log ") + native(logPath) +
           QStringLiteral(" n'a pas pu être remplacé") + failedFile(change) +
           QStringLiteral(".\r\nLe log est resté tel qu'il était.");
}

QString settingsNotReadMessage(const QString &path)
{
    return QStringLiteral("Le fichier de réglages ") + native(path) +
           QStringLiteral(" est illisible : les réglages par défaut sont utilisés et ce fichier "
                          "n'est pas modifié.");
}

} // namespace vqx
