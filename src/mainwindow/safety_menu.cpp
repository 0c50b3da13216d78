// Fichier > "Annuler la dernière modification" and "Restaurer une
// sauvegarde…". The changes themselves go through the log session.
#include "main_window.h"

#include "logstore/file_messages.h"
#include "logstore/log_list_model.h"
#include "logstore/log_record.h"
#include "logstore/log_session.h"
#include "platform/message_boxes.h"
#include "restore/restore_window.h"
#include "station/station_window.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>

namespace vqx {

namespace {

// "F5NEW (75FA010, 14 Mhz, le 06/06/21 à 12:00)"
QString describeContact(const QString &line)
{
    return QsoLine::Indicatif.cutTrimmed(line) + QStringLiteral(" (") +
           QsoLine::Ref.cutTrimmed(line) + QStringLiteral(", ") + QsoLine::QRG.cutTrimmed(line) +
           QStringLiteral(", le ") + QsoLine::Date.cutTrimmed(line) + QStringLiteral(" à ") +
           QsoLine::Heure.cutTrimmed(line) + QLatin1Char(')');
}

// How the operator goes back on an undo or a restore: the copy of the log
// taken just before it, marked in the restore list.
QString wayBack(const BackupEntry &copy)
{
    return QStringLiteral("\r\nPour revenir en arrière : Fichier > Restaurer une sauvegarde…, "
                          "la sauvegarde du ") +
           RestoreWindow::dateText(copy) + QStringLiteral(" à ") + RestoreWindow::timeText(copy) +
           QStringLiteral(" UTC marquée « ") + RestoreWindow::markText(copy) +
           QStringLiteral(" ».");
}

} // namespace

void MainWindow::addSafetyItems(QMenu *fichier)
{
    Mnu_Annuler = fichier->addAction(QStringLiteral("&Annuler la dernière modification"));
    Mnu_Annuler->setObjectName(QStringLiteral("Mnu_Annuler"));
    // Not Ctrl+Z, which undoes typing in the text fields. Alt+Backspace and
    // Ctrl+Shift+Z are the fields' own undo and redo with some keyboard
    // schemes; Ctrl+Shift+Backspace belongs to none.
    Mnu_Annuler->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backspace));
    Mnu_Annuler->setEnabled(false);
    Mnu_Restaurer = fichier->addAction(QStringLiteral("&Restaurer une sauvegarde…"));
    Mnu_Restaurer->setObjectName(QStringLiteral("Mnu_Restaurer"));
    fichier->addSeparator();

    connect(m_session, &LogSession::undoAvailable, Mnu_Annuler, &QAction::setEnabled);
    connect(Mnu_Annuler, &QAction::triggered, this, &MainWindow::undoLastChange);
    connect(Mnu_Restaurer, &QAction::triggered, this, &MainWindow::openRestore);
}

void MainWindow::undoLastChange()
{
    if (!m_session->canUndo())
        return;
    const QString contact = describeContact(m_session->lastChangeLine());
    QString what;
    QString done;
    switch (m_session->lastChangeKind()) {
    case LogSession::ChangeKind::Recording:
        what = QStringLiteral("l'enregistrement du QSO avec ");
        done = QStringLiteral("L'enregistrement du QSO avec ") + contact +
               QStringLiteral(" a été annulé.");
        break;
    case LogSession::ChangeKind::Modification:
        what = QStringLiteral("la modification du QSO avec ");
        done = QStringLiteral("La modification du QSO avec ") + contact +
               QStringLiteral(" a été annulée.");
        break;
    case LogSession::ChangeKind::Deletion:
        what = QStringLiteral("la suppression du QSO avec ");
        done = QStringLiteral("La suppression du QSO avec ") + contact +
               QStringLiteral(" a été annulée.");
        break;
    }
    if (!m_services.messages->question(
            this, QStringLiteral("Voulez-vous annuler ") + what + contact +
                      QStringLiteral(" ?\r\nLe log reprendra exactement son contenu d'avant "
                                     "cette opération.")))
        return;

    const QString file = QDir::toNativeSeparators(logPath());
    const LogSession::UndoResult r = m_session->undo();
    switch (r.status) {
    case LogSession::UndoStatus::Done:
        // Whatever was in the entry area belonged to the log as it was.
        m_form->abandonForReload([&] { applyChange(r.change); });
        if (r.currentCopy.logCopy.isEmpty()) {
            message(done + QStringLiteral("\r\nLe log était vide avant l'annulation."));
            return;
        }
        message(done + QStringLiteral("\r\nLe log d'avant l'annulation est gardé dans ") +
                QDir::toNativeSeparators(r.currentCopy.logCopy) + QLatin1Char('.') +
                wayBack(r.currentCopy));
        return;
    case LogSession::UndoStatus::CurrentNotSaved:
        // Without that copy the undo could not itself be undone.
        message(currentLogNotSavedMessage(r.change.file, QStringLiteral("l'annulation")));
        return;
    case LogSession::UndoStatus::ChangedOutside:
        message(QStringLiteral("Le log ") + file +
                QStringLiteral(" a été modifié en dehors de ZAT_VQX depuis cette opération : "
                               "l'annulation est refusée pour ne pas perdre ces changements.\r\n"
                               "Le log n'a pas été modifié ; la liste montre son contenu actuel."));
        m_form->abandonForReload([this] {
            Charger_Log();
            selectLastLine();
        });
        return;
    case LogSession::UndoStatus::Failed:
        message(logNotUndoneMessage(logPath(), r.change.file));
        return;
    case LogSession::UndoStatus::NothingToUndo:
        return;
    }
}

void MainWindow::openRestore()
{
    showSecondary(QStringLiteral("Restaurer_Sauvegarde"), [this] {
        auto *w = new RestoreWindow(
            m_services, m_shared.Indicatif_Station,
            StationWindow::displayForm(m_shared.Indicatif_Station), m_model->rowCount(),
            [this](const BackupEntry &e) { return restoreBackup(e); }, this);
        // The log must not change under the operator's choice.
        w->setWindowModality(Qt::ApplicationModal);
        return w;
    });
}

bool MainWindow::restoreBackup(const BackupEntry &copy)
{
    const LogSession::RestoreResult r = m_session->restore(copy.logCopy);
    switch (r.status) {
    case LogSession::RestoreStatus::Done: {
        m_form->abandonForReload([&] { applyChange(r.change); });
        QString text = QStringLiteral("Le log de ") +
                       StationWindow::displayForm(m_shared.Indicatif_Station) +
                       QStringLiteral(" a été remplacé par la sauvegarde du ") +
                       RestoreWindow::dateText(copy) + QStringLiteral(" à ") +
                       RestoreWindow::timeText(copy) + QStringLiteral(" UTC.");
        if (!r.currentCopy.logCopy.isEmpty())
            text += QStringLiteral("\r\nSon contenu d'avant la restauration est gardé dans ") +
                    QDir::toNativeSeparators(r.currentCopy.logCopy) + QLatin1Char('.') +
                    wayBack(r.currentCopy);
        message(text);
        return true;
    }
    case LogSession::RestoreStatus::BackupUnreadable:
        message(backupNotReadMessage(copy.logCopy, r.file));
        return false;
    case LogSession::RestoreStatus::CurrentNotSaved:
        message(currentLogNotSavedMessage(r.file));
        return false;
    case LogSession::RestoreStatus::Failed:
        message(logNotReplacedMessage(logPath(), r.file));
        return false;
    }
    return false;
}

} // namespace vqx
