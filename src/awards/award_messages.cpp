#include "awards/award_messages.h"

#include <QDir>
#include <QFileInfo>

namespace vqx {

QString unreadableLogMessage(const FileResult &file, const QString &consequence)
{
    const QString name = QDir::toNativeSeparators(file.path);
    QString what;
    switch (file.error) {
    case FileError::Missing:
        what = QStringLiteral(" est introuvable");
        break;
    case FileError::NotAFile:
        what = QStringLiteral(" n'est pas un fichier");
        break;
    default:
        what = QStringLiteral(" n'a pas pu être lu (") + file.detail + QLatin1Char(')');
        break;
    }
    return QStringLiteral("Le log ") + name + what + QStringLiteral(" : ") + consequence +
           QLatin1Char('.');
}

QString savedMessage(const QString &fileName)
{
    return QStringLiteral("Fichier enregistré sous le nom : ") + fileName;
}

QString saveFailedMessage(const QString &fileName, const FileResult &result)
{
    QString reason;
    switch (result.error) {
    case FileError::NotAFile:
        reason = QStringLiteral("ce nom est déjà pris par un dossier ou un autre élément qui "
                                "n'est pas un fichier");
        break;
    case FileError::ReplaceFailed:
        reason = QStringLiteral("il n'a pas pu prendre la place de l'ancien fichier (") +
                 result.detail + QLatin1Char(')');
        break;
    default:
        reason = QStringLiteral("écriture impossible dans le dossier ") +
                 QDir::toNativeSeparators(QFileInfo(result.path).absolutePath()) +
                 QStringLiteral(" (") + result.detail + QLatin1Char(')');
        break;
    }
    return QStringLiteral("Le fichier ") + fileName +
           QStringLiteral(" n'a pas pu être enregistré : ") + reason +
           QStringLiteral(".\r\nUn fichier de ce nom déjà présent n'a pas été modifié.");
}

} // namespace vqx
