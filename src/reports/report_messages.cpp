#include "reports/report_messages.h"

#include <QDir>
#include <QFileInfo>

namespace vqx {

QString logReadProblem(const FileResult &r)
{
    const QFileInfo info(r.path);
    const QString name = info.fileName();
    const QString folder = QDir::toNativeSeparators(info.absolutePath());
    switch (r.error) {
    case FileError::Missing:
        return QStringLiteral("Le log ") + name +
               QStringLiteral(" est introuvable dans le dossier ") + folder + QStringLiteral(".");
    case FileError::NotAFile:
        return QStringLiteral("Le log ") + name +
               QStringLiteral(" n'est pas un fichier (dossier ") + folder + QStringLiteral(").");
    default:
        return QStringLiteral("Le log ") + name + QStringLiteral(" n'a pas pu être lu") +
               (r.detail.isEmpty() ? QString() : QStringLiteral(" : ") + r.detail) +
               QStringLiteral(".");
    }
}

QString listSaveProblem(const QString &fileName, const FileResult &r)
{
    return QStringLiteral("La liste n'a pas pu être enregistrée sous le nom : ") + fileName +
           (r.detail.isEmpty() ? QString()
                               : QStringLiteral(" (") + r.detail + QStringLiteral(")")) +
           QStringLiteral(".\r\nUn fichier existant de ce nom est resté tel qu'il était.");
}

} // namespace vqx
