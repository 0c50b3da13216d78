#include "adif/adif_messages.h"

#include "logstore/file_messages.h"
#include "logstore/prenoms.h"

#include <QFileInfo>

namespace vqx {

namespace {

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

QString refusedName(const QString &adifFileName, const QString &ending)
{
    const QString base = QFileInfo(adifFileName).completeBaseName();
    return (base.isEmpty() ? QStringLiteral("ADIF") : base) + ending;
}

} // namespace

QString adifImportProblem(const AdifImportResult &r, const QString &logPath)
{
    const QString nothing = QStringLiteral("rien n'a été importé");
    switch (r.status) {
    case AdifImportStatus::Imported:
    case AdifImportStatus::NothingNew:
    case AdifImportStatus::Cancelled:
        return {};
    case AdifImportStatus::FileUnreadable:
        return fileNotReadMessage(r.file, nothing);
    case AdifImportStatus::FileMalformed:
        return QStringLiteral("Le fichier ") + r.fileName +
               QStringLiteral(" est incomplet ou mal formé : %1 (enregistrement %2, octet %3).\r\n"
                              "Rien n'a été importé et le log est resté tel qu'il était.")
                   .arg(malformation(r.readError))
                   .arg(r.errorRecord)
                   .arg(r.errorOffset + 1);
    case AdifImportStatus::NoLog:
    case AdifImportStatus::LogUnreadable:
        return logNotReadMessage(r.file, nothing);
    case AdifImportStatus::DirectoryUnreadable:
        return prenomsNotReadMessage(r.file, nothing);
    case AdifImportStatus::NotWritten: {
        const QString kept = QStringLiteral("Rien n'a été importé : le log et la liste des "
                                            "prénoms sont restés tels qu'ils étaient.");
        if (r.file.error == FileError::ReadOnly)
            return readOnlyMessage(r.file, nothing);
        // The file that failed may be the first-name directory, written first.
        if (QFileInfo(r.file.target).fileName() == kPrenomFile)
            return prenomsNotChangedMessage(r.file.target, r.file, kept);
        return logNotChangedMessage(logPath, r.file, kept);
    }
    }
    return {};
}

QStringList adifImportSummary(const AdifImportResult &r)
{
    const AdifImportCounts &c = r.counts;
    QStringList lines = {
        QStringLiteral("Fichier : %1 (%2 enregistrements)").arg(r.fileName).arg(r.records),
        QStringLiteral("QSO importés : %1").arg(c.imported),
        QStringLiteral("Doublons, déjà dans le log : %1").arg(c.duplicates),
        QStringLiteral("Fontaines déjà contactées sur la même bande : %1").arg(c.alreadyContacted),
        QStringLiteral("Enregistrements hors VQX : %1").arg(c.notVqx),
        QStringLiteral("Enregistrements refusés : %1").arg(c.refused.size()),
    };
    if (c.fromComments > 0)
        lines.insert(5, QStringLiteral("Références trouvées dans COMMENT ou NOTES : %1, %2")
                            .arg(c.fromComments)
                            .arg(c.fromCommentsTaken ? QStringLiteral("prises avec les autres")
                                                     : QStringLiteral("laissées de côté")));
    return lines;
}

QStringList adifRefusedListLines(const AdifImportResult &r, const QString &stationLabel)
{
    QStringList lines;
    lines << QStringLiteral("Enregistrements refusés à l'import du fichier ") + r.fileName +
                 QStringLiteral(" dans le log de la station ") + stationLabel;
    lines << QString();
    for (const AdifRefusal &refusal : r.counts.refused)
        lines << refusalLine(refusal) << QStringLiteral("    ") + refusal.adif;
    return lines;
}

QByteArray adifRefusedListBytes(const AdifImportResult &r, const QString &stationLabel)
{
    return (adifRefusedListLines(r, stationLabel).join(QStringLiteral("\r\n")) +
            QStringLiteral("\r\n"))
        .toUtf8();
}

QString adifRefusedListFileName(const QString &adifFileName)
{
    return refusedName(adifFileName, QStringLiteral("_refus.txt"));
}

QByteArray adifRefusedRecordsBytes(const AdifImportResult &r, const QString &stationLabel)
{
    QString text = QStringLiteral("Enregistrements refusés à l'import du fichier ") + r.fileName +
                   QStringLiteral(" dans le log de la station ") + stationLabel +
                   QStringLiteral(", à corriger puis importer de nouveau\r\n<EOH>\r\n");
    for (const AdifRefusal &refusal : r.counts.refused)
        text += refusal.adif + QStringLiteral("\r\n");
    return text.toUtf8();
}

QString adifRefusedRecordsFileName(const QString &adifFileName)
{
    return refusedName(adifFileName, QStringLiteral("_refus.adi"));
}

QString adifExportMessage(const AdifExportResult &r)
{
    switch (r.status) {
    case AdifExportStatus::Written:
        return QStringLiteral("Le fichier a été enregistré sous le nom : ") + r.fileName;
    case AdifExportStatus::NoLog:
    case AdifExportStatus::LogUnreadable:
        return logNotReadMessage(r.file, QStringLiteral("aucun fichier ADIF n'a été enregistré"));
    case AdifExportStatus::NotWritten:
        return fileNotSavedMessage(r.path, r.file);
    }
    return {};
}

QString adifStandardExportMessage(const AdifStandardExportResult &r)
{
    QString text = adifExportMessage(r);
    if (r.ok()) {
        if (r.withoutBand)
            text += QStringLiteral("\r\n%1 QSO sur une bande que l'ADIF ne nomme pas : leur "
                                   "champ BAND est absent.")
                        .arg(r.withoutBand);
        if (r.withoutMode)
            text += QStringLiteral("\r\n%1 QSO dans un mode que l'ADIF ne nomme pas : leur "
                                   "champ MODE est absent.")
                        .arg(r.withoutMode);
    }
    return text;
}

} // namespace vqx
