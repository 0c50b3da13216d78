// The menu items and buttons that open the other windows. Each window is
// opened through showSecondary(): at most one instance, brought forward when
// open, centred, discarded on close.
#include "mainwindow/main_window.h"

#include "adif/adif_export.h"
#include "adif/adif_import_window.h"
#include "adif/adif_messages.h"
#include "adif/adif_standard_export.h"
#include "awards/award_levels_window.h"
#include "awards/award_list_window.h"
#include "logstore/log_list_model.h"
#include "platform/clock.h"
#include "platform/message_boxes.h"
#include "reports/aff_contacte.h"
#include "reports/carte_acti_vqx.h"
#include "reports/recherche_indicatif.h"
#include "webviews/cluster_window.h"
#include "webviews/reglement_window.h"

#include <QDir>
#include <QLabel>

namespace vqx {

// Diplomes > HF / VHF: the award window reads the group when it loads.
void MainWindow::openAwards(const QString &group)
{
    m_shared.Groupe_Bandes = group;
    showSecondary(QStringLiteral("Diplomes_VQX"), [this] {
        // A second "Voir la liste" only brings the open list forward; the
        // level it set is used by the next save or print.
        auto openList = [this] {
            showSecondary(QStringLiteral("Liste_VQX"),
                          [this] { return new AwardListWindow(m_services, &m_shared, this); });
        };
        return new AwardLevelsWindow(m_services, &m_shared, openList, this);
    });
}

// Liste > des Fontaines contactées.
void MainWindow::openContactedList()
{
    showSecondary(QStringLiteral("Aff_Contacte"),
                  [this] { return new AffContacte(m_services, &m_shared, this); });
}

// Carte > des départements contactés.
void MainWindow::openMap()
{
    showSecondary(QStringLiteral("Carte_Acti_VQX"),
                  [this] { return new CarteActiVqx(m_services, &m_shared, this); });
}

// Button "Rechercher un QSO".
void MainWindow::openSearch()
{
    showSecondary(QStringLiteral("Recherche_Indicatif"), [this] {
        // A found contact is selected in the list as if clicked.
        return new RechercheIndicatif(
            m_services, logModel(), [this](int row) { selectListLine(row); }, this);
    });
}

// Afficher Cluster.
void MainWindow::openCluster()
{
    showSecondary(QStringLiteral("Cluster"),
                  [this]() -> QWidget * { return new ClusterWindow(m_services, &m_shared, this); });
}

// Règlement.
void MainWindow::openReglement()
{
    showSecondary(QStringLiteral("Reglement"),
                  [this]() -> QWidget * { return new ReglementWindow(m_services, this); });
}

// Fichier > Exporter le log au format ADIF.
void MainWindow::exportAdif()
{
    const AdifExportResult r =
        Exporter_ADIF(m_services.dataDir, m_shared.Indicatif_Station, I_Station->text());
    const QString log = QDir::toNativeSeparators(r.logPath);
    QString detail = r.file.detail;
    if (r.file.error == FileError::NotAFile)
        detail = QStringLiteral("ce nom est celui d'un dossier ou d'un autre élément");
    const QString reason =
        detail.isEmpty() ? QString() : QStringLiteral(" (") + detail + QLatin1Char(')');
    QString text;
    switch (r.status) {
    case AdifExportStatus::Written:
        text = QStringLiteral("Le fichier a été enregistré sous le nom : ") + r.fileName;
        break;
    case AdifExportStatus::NoLog:
        text = QStringLiteral("Le log ") + log +
               QStringLiteral(" est introuvable : aucun fichier ADIF n'a été enregistré.\r\n"
                              "Pour créer le log de cette station, choisissez son indicatif "
                              "dans le menu Station.");
        break;
    case AdifExportStatus::LogUnreadable:
        text = QStringLiteral("Le log ") + log + QStringLiteral(" n'a pas pu être lu") + reason +
               QStringLiteral(" : aucun fichier ADIF n'a été enregistré.");
        break;
    case AdifExportStatus::NotWritten:
        text = QStringLiteral("Le fichier ") + r.fileName +
               QStringLiteral(" n'a pas pu être enregistré") + reason + QLatin1Char('.');
        if (r.previousKept)
            text += QStringLiteral("\r\nLe fichier précédent de ce nom est resté tel qu'il "
                                   "était.");
        break;
    }
    m_services.messages->information(this, text);
}

// Fichier > Exporter le log au format ADIF standard.
void MainWindow::exportAdifStandard()
{
    const AdifStandardExportResult r =
        Exporter_ADIF_Standard(m_services.dataDir, m_shared.Indicatif_Station,
                               m_shared.Revision_Texte, m_services.clock->nowUtc());
    m_services.messages->information(this, adifStandardExportMessage(r));
}

// Fichier > Importer un fichier ADIF…: the summary replaces that of an
// earlier import; the list is reloaded as after any change of the log.
void MainWindow::importAdif()
{
    auto *w = new AdifImportWindow(m_services, m_shared.Indicatif_Station, I_Station->text(), this);
    connect(w, &AdifImportWindow::logChanged, this, [this] {
        Charger_Log();
        selectLastLine();
    });
    if (!w->run()) {
        delete w;
        return;
    }
    if (QPointer<QWidget> old = m_windows.take(QStringLiteral("Import_ADIF")))
        old->close();
    showSecondary(QStringLiteral("Import_ADIF"), [w] { return w; });
}

} // namespace vqx
