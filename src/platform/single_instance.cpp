#include "platform/single_instance.h"

#include "platform/data_folder_lock.h"
#include "platform/message_boxes.h"

#include <QDir>

namespace vqx {

bool claimDataFolder(DataFolderLock &lock, MessageBoxes &messages)
{
    if (lock.take() != DataFolderLock::Outcome::HeldByOther)
        return true;
    QString text = QStringLiteral("ZAT_VQX est déjà ouvert sur le dossier des logs :\r\n") +
                   QDir::toNativeSeparators(lock.dataDir()) + QStringLiteral("\r\n(processus ") +
                   QString::number(lock.holderPid());
    if (!lock.holderOnThisComputer())
        text += QStringLiteral(" sur l'ordinateur ") + lock.holderHost();
    text += QStringLiteral(").\r\n\r\nFermez d'abord l'autre fenêtre de ZAT_VQX, puis relancez le "
                           "programme. Ce lancement s'arrête sans avoir touché à aucun fichier.");
    if (!lock.holderOnThisComputer()) {
        text += QStringLiteral("\r\n\r\nSi ZAT_VQX n'est plus ouvert sur l'ordinateur ") +
                lock.holderHost() + QStringLiteral(", supprimez le fichier ") +
                QDir::toNativeSeparators(lock.lockPath()) +
                QStringLiteral(" puis relancez le programme.");
    }
    messages.information(nullptr, text);
    return false;
}

} // namespace vqx
