// The menu items and buttons that open the other windows. Each window is
// opened through showSecondary(): at most one instance, brought forward when
// open, centred, discarded on close.
#include "mainwindow/main_window.h"
#include "webviews/cluster_window.h"
#include "webviews/reglement_window.h"

namespace vqx {

// Diplomes > HF / VHF: the award window reads the group when it loads.
void MainWindow::openAwards(const QString &group)
{
    m_shared.Groupe_Bandes = group;
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
}

} // namespace vqx
