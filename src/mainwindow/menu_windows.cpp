// The menu items and buttons that open the other windows. Each window is
// opened through showSecondary(): at most one instance, brought forward when
// open, centred, discarded on close.
#include "main_window.h"

#include "adif/adif_export.h"
#include "awards/award_levels_window.h"
#include "awards/award_list_window.h"
#include "contacted/contacted_window.h"
#include "logstore/file_messages.h"
#include "logstore/log_list_model.h"
#include "map/map_window.h"
#include "platform/message_boxes.h"
#include "search/search_window.h"
#include "webviews/cluster_window.h"
#include "webviews/reglement_window.h"

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
    showSecondary(QStringLiteral("Aff_Contacte"), [this] {
        return new ContactedWindow(m_services, m_shared.Indicatif_Station, this);
    });
}

// Carte > des départements contactés.
void MainWindow::openMap()
{
    showSecondary(QStringLiteral("Carte_Acti_VQX"),
                  [this] { return new MapWindow(m_services, m_shared.Indicatif_Station, this); });
}

// Button "Rechercher un QSO".
void MainWindow::openSearch()
{
    showSecondary(QStringLiteral("Recherche_Indicatif"), [this] {
        // A found contact is selected in the list as if clicked.
        return new SearchWindow(
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
    QString text;
    switch (r.status) {
    case AdifExportStatus::Written:
        text = QStringLiteral("Le fichier a été enregistré sous le nom : ") + r.fileName;
        break;
    case AdifExportStatus::NoLog:
    case AdifExportStatus::LogUnreadable:
        text = logNotReadMessage(r.file, QStringLiteral("aucun fichier ADIF n'a été enregistré"));
        break;
    case AdifExportStatus::NotWritten:
        text = fileNotSavedMessage(r.path, r.file);
        break;
    }
    m_services.messages->information(this, text);
}

} // namespace vqx
