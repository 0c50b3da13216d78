#include "adif/adif_import_window.h"

#include "adif/adif_messages.h"
#include "logstore/codepage.h"
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
    Fermer = named(new QPushButton(QStringLiteral("&Fermer"), this), "Fermer");
    Fermer->setDefault(true);
    const QFontMetrics fm(Liste_Refus->font());
    // Wide enough for most reasons on one line.
    Liste_Refus->setMinimumSize(fm.horizontalAdvance(QString(115, QLatin1Char('M'))),
                                fm.lineSpacing() * 12);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(Enregistrer_Liste);
    buttons->addWidget(Fermer);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Resume_Import);
    layout->addWidget(Label_Refus);
    layout->addWidget(Liste_Refus, 1);
    layout->addLayout(buttons);

    connect(Fermer, &QPushButton::clicked, this, &QWidget::close);
    connect(Enregistrer_Liste, &QPushButton::clicked, this, &AdifImportWindow::Enregistrer_Refus);
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
    m_result = Importer_ADIF(path, m_services.dataDir, m_station, onProgress);
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
    Fermer->setFocus();
}

void AdifImportWindow::Enregistrer_Refus()
{
    if (!m_services.fileDialogs || m_result.counts.refused.isEmpty())
        return;
    const QString suggested =
        QDir(m_services.dataDir).filePath(adifRefusedListFileName(m_result.fileName));
    const QString path = m_services.fileDialogs->saveFileName(
        this, QStringLiteral("Enregistrer la liste des refus"), suggested,
        QStringLiteral("Fichiers texte (*.txt);;Tous les fichiers (*)"));
    if (path.isEmpty())
        return;
    const QByteArray bytes = codepage::encodeLines(adifRefusedListLines(m_result, m_stationLabel));
    const FileResult saved = rewriteFile(path, bytes, kScratchFile);
    const QString name = QFileInfo(path).fileName();
    Fermer->setFocus();
    if (!saved.ok()) {
        message(fileNotSavedMessage(path, saved));
        return;
    }
    message(QStringLiteral("La liste a été enregistrée sous le nom : ") + name);
}

void AdifImportWindow::message(const QString &text)
{
    if (m_services.messages)
        m_services.messages->information(parentWidget() && !isVisible() ? parentWidget() : this,
                                         text);
}

} // namespace vqx
