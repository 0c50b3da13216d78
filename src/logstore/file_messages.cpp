#include "logstore/file_messages.h"

#include "logstore/prenoms.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

#include <cerrno>

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

QString reasonOf(const FileResult &f)
{
    return fileFaultReason(f);
}

// " (file : reason)": which of the files of a change failed, and why.
QString failedFile(const FileResult &f)
{
    const QString reason = reasonOf(f);
    return QStringLiteral(" (") + native(f.path) +
           (reason.isEmpty() ? QString() : QStringLiteral(" : ") + reason) + QLatin1Char(')');
}

// "Le log X", "Le répertoire des prénoms X", "Le fichier X": what the
// operator calls the file.
QString fileTitle(const QString &path)
{
    const QString name = QFileInfo(path).fileName();
    if (name == kPrenomFile)
        return QStringLiteral("Le répertoire des prénoms ") + native(path);
    if (name.endsWith(QLatin1String("_VQX.log")))
        return QStringLiteral("Le log ") + native(path);
    return QStringLiteral("Le fichier ") + native(path);
}

} // namespace

QString fileFaultReason(const FileResult &f)
{
    if (f.error == FileError::NotAFile)
        return QStringLiteral("ce nom est celui d'un dossier ou d'un autre élément");
    switch (f.code) {
    case ENOSPC:
    case EDQUOT:
        return QStringLiteral("le disque est plein");
    case EACCES:
    case EPERM:
        return f.error == FileError::ReadOnly
                   ? QStringLiteral("l'utilisateur du programme n'a pas le droit de l'écrire")
                   : QStringLiteral("permission refusée");
    case EROFS:
        return QStringLiteral("le système de fichiers est en lecture seule");
    case EFBIG:
        return QStringLiteral("le fichier est trop gros");
    case EIO:
        return QStringLiteral("erreur d'entrée-sortie sur le disque");
    default:
        return f.detail;
    }
}

QString readOnlyMessage(const FileResult &f, const QString &consequence)
{
    const QString path = f.target.isEmpty() ? f.path : f.target;
    return fileTitle(path) + QStringLiteral(" est en lecture seule : ") + consequence +
           inParentheses(reasonOf(f)) +
           QStringLiteral(".\r\nRendez-lui le droit d'écriture pour qu'il puisse être modifié.");
}

QString logIrregularMessage(const QString &logPath, const LogIrregularities &irr)
{
    QStringList what;
    if (irr.wrongLengthLines)
        what << QStringLiteral("%1 ligne(s) qui n'ont pas 107 caractères (la première est la "
                               "ligne %2)")
                    .arg(irr.wrongLengthLines)
                    .arg(irr.firstWrongLine);
    if (irr.bareLineFeeds)
        what << QStringLiteral("des fins de ligne qui ne sont pas CR LF");
    if (irr.nonTextBytes)
        what << (irr.firstNonTextLine
                     ? QStringLiteral("des caractères qui ne sont pas du texte (le premier à la "
                                      "ligne %1)")
                           .arg(irr.firstNonTextLine)
                     : QStringLiteral("des caractères qui ne sont pas du texte"));
    if (irr.firstUtf8Line)
        what << QStringLiteral("des lignes écrites en UTF-8 (la première est la ligne %1 : le "
                               "fichier a sans doute été modifié dans un éditeur en UTF-8, et "
                               "ses lettres accentuées y prennent deux caractères)")
                    .arg(irr.firstUtf8Line);
    return QStringLiteral("Le log ") + native(logPath) + QStringLiteral(" contient ") +
           what.join(QStringLiteral(", ")) +
           QStringLiteral(".\r\nLes QSO sont affichés tels quels et le fichier n'a pas été "
                          "modifié.");
}

QString prenomsIrregularMessage(const QString &directory, const PrenomIrregularities &irr)
{
    QStringList what;
    if (irr.malformedLines)
        what << QStringLiteral("%1 ligne(s) mal disposée(s) (la première est la ligne %2 : "
                               "un prénom de plus de 15 caractères, ou des colonnes décalées)")
                    .arg(irr.malformedLines)
                    .arg(irr.firstMalformedLine);
    if (irr.firstNonTextLine)
        what << QStringLiteral("des caractères qui ne sont pas du texte (le premier à la ligne %1)")
                    .arg(irr.firstNonTextLine);
    if (irr.firstUtf8Line)
        what << QStringLiteral("des lignes écrites en UTF-8 (la première est la ligne %1 : le "
                               "fichier a sans doute été modifié dans un éditeur en UTF-8)")
                    .arg(irr.firstUtf8Line);
    return QStringLiteral("Le répertoire des prénoms ") + native(directory) +
           QStringLiteral(" contient ") + what.join(QStringLiteral(", ")) +
           QStringLiteral(".\r\nLes prénoms y sont lus au mieux, jamais au-delà de 15 "
                          "caractères, et le fichier n'a pas été modifié.");
}

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
        what = QStringLiteral(" n'a pas pu être lu") + inParentheses(reasonOf(read));
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
    if (change.error == FileError::ReadOnly)
        return readOnlyMessage(change, QStringLiteral("rien n'a été modifié"));
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
           QStringLiteral(" n'a pas pu être créé") + inParentheses(reasonOf(created)) +
           QStringLiteral(" : aucun QSO ne pourra être enregistré tant que ce fichier n'existe "
                          "pas.");
}

QString prenomsNotReadMessage(const FileResult &read, const QString &consequence)
{
    return QStringLiteral("Le répertoire des prénoms ") + native(read.path) +
           QStringLiteral(" n'a pas pu être lu") + inParentheses(reasonOf(read)) +
           QStringLiteral(" : ") + consequence + QLatin1Char('.');
}

QString prenomsNotChangedMessage(const QString &directory, const FileResult &write,
                                 const QString &kept)
{
    if (write.error == FileError::ReadOnly)
        return readOnlyMessage(write, QStringLiteral("il n'a pas été modifié"));
    return QStringLiteral("Le répertoire des prénoms ") + native(directory) +
           QStringLiteral(" n'a pas pu être mis à jour") + inParentheses(reasonOf(write)) +
           (kept.isEmpty() ? QStringLiteral(" ; il est resté tel qu'il était.")
                           : QStringLiteral(".\r\n") + kept);
}

QString fileNotSavedMessage(const QString &target, const FileResult &write)
{
    if (write.error == FileError::ReadOnly)
        return readOnlyMessage(write, QStringLiteral("il n'a pas été remplacé"));
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
    if (change.error == FileError::ReadOnly)
        return readOnlyMessage(change, QStringLiteral("rien n'a été annulé"));
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

QString currentLogNotSavedMessage(const FileResult &copy, const QString &abandoned)
{
    return QStringLiteral("Le log actuel n'a pas pu être sauvegardé") + failedFile(copy) +
           QStringLiteral(" : ") + abandoned +
           QStringLiteral(" est abandonnée et le log n'a pas été modifié.");
}

QString logNotReplacedMessage(const QString &logPath, const FileResult &change)
{
    if (change.error == FileError::ReadOnly)
        return readOnlyMessage(change, QStringLiteral("la restauration est abandonnée"));
    return QStringLiteral("Le log ") + native(logPath) +
           QStringLiteral(" n'a pas pu être remplacé") + failedFile(change) +
           QStringLiteral(".\r\nLe log est resté tel qu'il était.");
}

QString operationFaultsMessage(const QString &logPath, const OperationFaults &faults)
{
    QStringList parts;
    if (faults.log)
        parts << logNotChangedMessage(logPath, *faults.log);
    if (faults.prenoms)
        parts << prenomsNotChangedMessage(faults.prenoms->target.isEmpty() ? faults.prenoms->path
                                                                           : faults.prenoms->target,
                                          *faults.prenoms);
    if (faults.backup)
        parts << backupNotMadeMessage(*faults.backup);
    return parts.join(QStringLiteral("\r\n"));
}

QString settingsNotReadMessage(const QString &path)
{
    return QStringLiteral("Le fichier de réglages ") + native(path) +
           QStringLiteral(" est illisible : les réglages par défaut sont utilisés et ce fichier "
                          "n'est pas modifié.");
}

} // namespace vqx
