// The menu items and buttons that open the other windows. Each window is
// opened through showSecondary(): at most one instance, brought forward when
// open, centred, discarded on close.
#include "mainwindow/main_window.h"

#include "logstore/log_list_model.h"
#include "reports/aff_contacte.h"
#include "reports/carte_acti_vqx.h"
#include "reports/recherche_indicatif.h"

namespace vqx {

// Diplomes > HF / VHF: the award window reads the group when it loads.
void MainWindow::openAwards(const QString &group)
{
    m_shared.Groupe_Bandes = group;
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
}

// Règlement.
void MainWindow::openReglement()
{
}

// Fichier > Exporter le log au format ADIF.
void MainWindow::exportAdif()
{
}

} // namespace vqx
