#include "adif/adif_import_window.h"

#include "adif/adif_messages.h"
#include "logstore/file_messages.h"
#include "logstore/log_operations.h"
#include "logstore/log_record.h"
#include "platform/file_dialogs.h"
#include "platform/heap.h"
#include "platform/message_boxes.h"
#include "widgets/ui_style.h"

#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QProgressDialog>
#include <QPushButton>
#include <QVBoxLayout>

namespace vqx {

namespace {

const QString kFilter =
    QStringLiteral("Fichiers ADIF (*.adi *.adif *.ADI *.ADIF);;Tous les fichiers (*)");

} // namespace

AdifImportWindow::AdifImportWindow(const Services &services, const QString &indicatifStation,
                                   const QString &stationLabel, QWidget *parent)
    : QWidget(parent), m_services(services), m_station(indicatifStation),
      m_stationLabel(stationLabel)
{
    setObjectName(QStringLiteral("Import_ADIF"));
    setWindowTitle(QStringLiteral("Import ADIF"));
    setWindowFlag(Qt::Window, true);

    Resume_Import = named(new QLabel(this), "Resume_Import");
    Resume_Import->setTextInteractionFlags(Qt::TextSelectableByMouse);
    Liste_Refus = named(new QListWidget(this), "Liste_Refus");
    Liste_Refus->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    Label_Refus = named(new QLabel(QStringLiteral("&Enregistrements refusés et leur raison"), this),
                        "Label_Refus");
    Label_Refus->setBuddy(Liste_Refus);
    Enregistrer_Liste =
        named(new QPushButton(QStringLiteral("Enregistrer la &liste"), this), "Enregistrer_Liste");
    Enregistrer_ADIF =
        named(new QPushButton(QStringLiteral("Enregistrer les refus en &ADIF"), this),
              "Enregistrer_ADIF");
    Fermer = named(new QPushButton(QStringLiteral("&Fermer"), this), "Fermer");
    Fermer->setDefault(true);
    const QFontMetrics fm(Liste_Refus->font());
    // Wide enough for most reasons on one line; a longer one wraps rather
    // than hiding its end behind a scroll bar.
    Liste_Refus->setMinimumSize(fm.horizontalAdvance(QString(115, QLatin1Char('M'))),
                                fm.lineSpacing() * 12);
    Liste_Refus->setWordWrap(true);
    Liste_Refus->setResizeMode(QListView::Adjust);
    Liste_Refus->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(Enregistrer_Liste);
    buttons->addWidget(Enregistrer_ADIF);
    buttons->addWidget(Fermer);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Resume_Import);
    layout->addWidget(Label_Refus);
    layout->addWidget(Liste_Refus, 1);
    layout->addLayout(buttons);

    connect(Fermer, &QPushButton::clicked, this, &QWidget::close);
    connect(Enregistrer_Liste, &QPushButton::clicked, this, &AdifImportWindow::saveRefusedList);
    connect(Enregistrer_ADIF, &QPushButton::clicked, this,
            &AdifImportWindow::Enregistrer_Refus_ADIF);
}

bool AdifImportWindow::run()
{
    if (!m_services.fileDialogs)
        return false;
    QWidget *owner = parentWidget() ? parentWidget() : this;
    const QString path = m_services.fileDialogs->openFileName(
        owner, QStringLiteral("Importer un fichier ADIF"), m_services.dataDir, kFilter);
    if (path.isEmpty())
        return false;

    QProgressDialog progress(
        QStringLiteral("Import du fichier %1…").arg(QFileInfo(path).fileName()),
        QStringLiteral("Annuler"), 0, 0, owner);
    progress.setObjectName(QStringLiteral("Progression_Import"));
    progress.setWindowTitle(kProgramTitle);
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(m_progressDelay);
    progress.setAutoReset(false);
    progress.setAutoClose(false);
    const auto onProgress = [&progress](qsizetype done, qsizetype total) {
        if (progress.maximum() != int(total))
            progress.setMaximum(int(total));
        progress.setValue(int(done));
        return !progress.wasCanceled();
    };
    // Loggers without SIG fields have the reference in the comment: the
    // operator says whether those records are VQX contacts.
    const auto askComments = [this, owner](int count) {
        return m_services.messages &&
               m_services.messages->question(
                   owner, QStringLiteral("%1 enregistrement(s) sans champ SIG portent une seule "
                                         "référence de fontaine dans leur commentaire (COMMENT "
                                         "ou NOTES).\r\nLes importer aussi comme QSO VQX ?")
                              .arg(count));
    };
    m_result = importAdifFile(path, m_services.dataDir, m_station, onProgress, {}, askComments);
    progress.close();
    // The file's records and the new log are gone: their heap goes back.
    returnFreedMemory();

    if (m_result.status == AdifImportStatus::Cancelled)
        return false;
    if (const QString problem =
            adifImportProblem(m_result, logFilePath(m_services.dataDir, m_station));
        !problem.isEmpty()) {
        message(problem);
        return false;
    }
    if (m_result.status == AdifImportStatus::Imported)
        emit logChanged();
    showResult();
    return true;
}

void AdifImportWindow::showResult()
{
    Resume_Import->setText(adifImportSummary(m_result).join(QLatin1Char('\n')));
    Liste_Refus->clear();
    for (const AdifRefusal &r : m_result.counts.refused)
        Liste_Refus->addItem(refusalLine(r));
    const bool any = !m_result.counts.refused.isEmpty();
    Label_Refus->setEnabled(any);
    Liste_Refus->setEnabled(any);
    Enregistrer_Liste->setEnabled(any);
    Enregistrer_ADIF->setEnabled(any);
    Fermer->setFocus();
}

void AdifImportWindow::saveRefusedList()
{
    if (m_result.counts.refused.isEmpty())
        return;
    save(QStringLiteral("Enregistrer la liste des refus"),
         adifRefusedListFileName(m_result.fileName),
         QStringLiteral("Fichiers texte (*.txt);;Tous les fichiers (*)"),
         adifRefusedListBytes(m_result, m_stationLabel),
         QStringLiteral("La liste a été enregistrée sous le nom : "));
}

void AdifImportWindow::Enregistrer_Refus_ADIF()
{
    if (m_result.counts.refused.isEmpty())
        return;
    save(QStringLiteral("Enregistrer les refus en ADIF"),
         adifRefusedRecordsFileName(m_result.fileName), kFilter,
         adifRefusedRecordsBytes(m_result, m_stationLabel),
         QStringLiteral("Les enregistrements refusés ont été enregistrés sous le nom : "));
}

void AdifImportWindow::save(const QString &caption, const QString &suggestedName,
                            const QString &filter, const QByteArray &bytes, const QString &done)
{
    if (!m_services.fileDialogs)
        return;
    const QString suggested = QDir(m_services.dataDir).filePath(suggestedName);
    const QString path = m_services.fileDialogs->saveFileName(this, caption, suggested, filter);
    if (path.isEmpty())
        return;
    const FileResult saved = rewriteFile(path, bytes, kScratchFile);
    Fermer->setFocus();
    if (!saved.ok()) {
        message(fileNotSavedMessage(path, saved));
        return;
    }
    message(done + QFileInfo(path).fileName());
}

void AdifImportWindow::message(const QString &text)
{
    if (m_services.messages)
        m_services.messages->information(parentWidget() && !isVisible() ? parentWidget() : this,
                                         text);
}

} // namespace vqx
