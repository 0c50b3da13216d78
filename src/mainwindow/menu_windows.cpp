// The menu items that open the other windows.
#include "mainwindow/main_window.h"

namespace vqx {

void MainWindow::openAwards(const QString &group)
{
    // The award window reads the group when it loads; an open one only comes forward.
    m_shared.Groupe_Bandes = group;
}

void MainWindow::openContactedList() {}

void MainWindow::openMap() {}

void MainWindow::openSearch() {}

void MainWindow::openCluster() {}

void MainWindow::openReglement() {}

void MainWindow::exportAdif() {}

} // namespace vqx
