// Field-by-field entry of a contact.
#include "mainwindow/main_window.h"

#include <QKeyEvent>

namespace vqx {

bool MainWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        if (auto *w = qobject_cast<QWidget *>(watched))
            return handleFieldKey(w, static_cast<QKeyEvent *>(event));
    }
    return QMainWindow::eventFilter(watched, event);
}

bool MainWindow::handleFieldKey(QWidget *, QKeyEvent *)
{
    return false;
}

void MainWindow::Valider_Qso() {}
void MainWindow::onListClicked(int) {}
void MainWindow::onListDoubleClicked() {}
void MainWindow::supprimerQso() {}
void MainWindow::insererQso() {}

} // namespace vqx
