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

QString logNotChangedMessage(const QString &logPath, const FileResult &change)
{
    if (change.error == FileError::Missing)
        return logNotReadMessage(change, QStringLiteral("rien n'a été enregistré"));
    return QStringLiteral("Le log ") + native(logPath) +
           QStringLiteral(" n'a pas pu être mis à jour (") + native(change.path) +
           (change.detail.isEmpty() ? QString() : QStringLiteral(" : ") + change.detail) +
           QStringLiteral(").\r\nLe log est resté tel qu'il était.");
}

QString logNotCreatedMessage(const FileResult &created)
{
    return QStringLiteral("Le log ") + native(created.path) +
           QStringLiteral(" n'a pas pu être créé") + inParentheses(created.detail) +
           QStringLiteral(" : aucun QSO ne pourra être enregistré tant que ce fichier n'existe "
                          "pas.");
}

QString prenomsNotReadMessage(const FileResult &read)
{
    return QStringLiteral("Le répertoire des prénoms ") + native(read.path) +
           QStringLiteral(" n'a pas pu être lu : le prénom n'est pas rempli.");
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
    const QString reason =
        write.error == FileError::NotAFile
            ? QStringLiteral("ce nom est celui d'un dossier ou d'un autre élément")
            : write.detail;
    QString text = QStringLiteral("Le fichier ") + info.fileName() +
                   QStringLiteral(" n'a pas pu être enregistré") + inParentheses(reason) +
                   QLatin1Char('.');
    // A failed write never touches the file it was to replace.
    if (info.isFile())
        text += QStringLiteral("\r\nLe fichier précédent de ce nom est resté tel qu'il était.");
    return text;
}

QString settingsNotReadMessage(const QString &path)
{
    return QStringLiteral("Le fichier de réglages ") + native(path) +
           QStringLiteral(" est illisible : les réglages par défaut sont utilisés et ce fichier "
                          "n'est pas modifié.");
}

} // namespace vqx
