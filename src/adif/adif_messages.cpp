#include "adif/adif_messages.h"

#include <QDir>
#include <QFileInfo>

namespace vqx {

namespace {

QString reasonOf(const FileResult &f)
{
    QString detail = f.detail;
    if (f.error == FileError::NotAFile)
        detail = QStringLiteral("ce nom est celui d'un dossier ou d'un autre élément");
    return detail.isEmpty() ? QString() : QStringLiteral(" (") + detail + QLatin1Char(')');
}

QString malformation(AdifReadError e)
{
    switch (e) {
    case AdifReadError::BadTag:
        return QStringLiteral("un « < » n'ouvre pas de champ ADIF valide");
    case AdifReadError::TruncatedValue:
        return QStringLiteral("une valeur est plus longue que ce qui reste du fichier");
    case AdifReadError::MissingEor:
        return QStringLiteral("le dernier enregistrement n'est pas terminé par <eor>");
    case AdifReadError::None:
        break;
    }
    return {};
}

} // namespace

QString adifImportProblem(const AdifImportResult &r, const QString &logPath)
{
    const QString log = QDir::toNativeSeparators(logPath);
    const QString nothing = QStringLiteral("rien n'a été importé.");
    switch (r.status) {
    case AdifImportStatus::Imported:
    case AdifImportStatus::NothingNew:
    case AdifImportStatus::Cancelled:
        return {};
    case AdifImportStatus::FileUnreadable:
        return QStringLiteral("Le fichier ") + r.fileName + QStringLiteral(" n'a pas pu être lu") +
               reasonOf(r.file) + QStringLiteral(" : ") + nothing;
    case AdifImportStatus::FileMalformed:
        return QStringLiteral("Le fichier ") + r.fileName +
               QStringLiteral(" est incomplet ou mal formé : %1 (enregistrement %2, octet %3).\r\n"
                              "Rien n'a été importé et le log est resté tel qu'il était.")
                   .arg(malformation(r.readError))
                   .arg(r.errorRecord)
                   .arg(r.errorOffset + 1);
    case AdifImportStatus::NoLog:
        return QStringLiteral("Le log ") + log + QStringLiteral(" est introuvable : ") + nothing +
               QStringLiteral("\r\nPour créer le log de cette station, choisissez son indicatif "
                              "dans le menu Station.");
    case AdifImportStatus::LogUnreadable:
        return QStringLiteral("Le log ") + log + QStringLiteral(" n'a pas pu être lu") +
               reasonOf(r.file) + QStringLiteral(" : ") + nothing;
    case AdifImportStatus::DirectoryUnreadable:
        return QStringLiteral("La liste des prénoms ") + QDir::toNativeSeparators(r.file.path) +
               QStringLiteral(" n'a pas pu être lue") + reasonOf(r.file) + QStringLiteral(" : ") +
               nothing;
    case AdifImportStatus::NotWritten:
        return QStringLiteral("Le log ") + log + QStringLiteral(" n'a pas pu être mis à jour (") +
               QDir::toNativeSeparators(r.file.path) +
               (r.file.detail.isEmpty() ? QString() : QStringLiteral(" : ") + r.file.detail) +
               QStringLiteral(").\r\nRien n'a été importé : le log et la liste des prénoms sont "
                              "restés tels qu'ils étaient.");
    }
    return {};
}

QStringList adifImportSummary(const AdifImportResult &r)
{
    const AdifImportCounts &c = r.counts;
    return {
        QStringLiteral("Fichier : %1 (%2 enregistrements)").arg(r.fileName).arg(r.records),
        QStringLiteral("QSO importés : %1").arg(c.imported),
        QStringLiteral("Doublons, déjà dans le log : %1").arg(c.duplicates),
        QStringLiteral("Fontaines déjà contactées sur la même bande : %1").arg(c.alreadyContacted),
        QStringLiteral("Enregistrements hors VQX : %1").arg(c.notVqx),
        QStringLiteral("Enregistrements refusés : %1").arg(c.refused.size()),
    };
}

QStringList adifRefusedListLines(const AdifImportResult &r, const QString &stationLabel)
{
    QStringList lines;
    lines << QStringLiteral("Enregistrements refusés à l'import du fichier ") + r.fileName +
                 QStringLiteral(" dans le log de la station ") + stationLabel;
    lines << QString();
    for (const AdifRefusal &refusal : r.counts.refused)
        lines << refusalLine(refusal);
    return lines;
}

QString adifRefusedListFileName(const QString &adifFileName)
{
    const QString base = QFileInfo(adifFileName).completeBaseName();
    return (base.isEmpty() ? QStringLiteral("ADIF") : base) + QStringLiteral("_refus.txt");
}

QString adifStandardExportMessage(const AdifStandardExportResult &r)
{
    const QString log = QDir::toNativeSeparators(r.logPath);
    switch (r.status) {
    case AdifExportStatus::Written: {
        QString text = QStringLiteral("Le fichier a été enregistré sous le nom : ") + r.fileName;
        if (r.withoutBand)
            text += QStringLiteral("\r\n%1 QSO sur une bande que l'ADIF ne nomme pas : leur "
                                   "champ BAND est absent.")
                        .arg(r.withoutBand);
        if (r.withoutMode)
            text += QStringLiteral("\r\n%1 QSO dans un mode que l'ADIF ne nomme pas : leur "
                                   "champ MODE est absent.")
                        .arg(r.withoutMode);
        return text;
    }
    case AdifExportStatus::NoLog:
        return QStringLiteral("Le log ") + log +
               QStringLiteral(" est introuvable : aucun fichier ADIF n'a été enregistré.\r\n"
                              "Pour créer le log de cette station, choisissez son indicatif "
                              "dans le menu Station.");
    case AdifExportStatus::LogUnreadable:
        return QStringLiteral("Le log ") + log + QStringLiteral(" n'a pas pu être lu") +
               reasonOf(r.file) + QStringLiteral(" : aucun fichier ADIF n'a été enregistré.");
    case AdifExportStatus::NotWritten: {
        QString text = QStringLiteral("Le fichier ") + r.fileName +
                       QStringLiteral(" n'a pas pu être enregistré") + reasonOf(r.file) +
                       QLatin1Char('.');
        if (r.previousKept)
            text += QStringLiteral("\r\nLe fichier précédent de ce nom est resté tel qu'il "
                                   "était.");
        return text;
    }
    }
    return {};
}

} // namespace vqx
