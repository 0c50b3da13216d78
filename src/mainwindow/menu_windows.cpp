// The menu items and buttons that open the other windows. Each window is
// opened through showSecondary(): at most one instance, brought forward when
// open, centred, discarded on close.
#include "mainwindow/main_window.h"

#include "awards/award_levels_window.h"
#include "awards/award_list_window.h"

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
}

// Carte > des départements contactés.
void MainWindow::openMap()
{
}

// Button "Rechercher un QSO".
void MainWindow::openSearch()
{
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
