#include "restore/restore_window.h"

#include "platform/message_boxes.h"

#include <QDir>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace vqx {

RestoreWindow::RestoreWindow(const Services &services, const QString &indicatifStation,
                             const QString &shownCallsign, int currentContacts,
                             std::function<bool(const BackupEntry &)> restore, QWidget *parent)
    : QDialog(parent), m_services(services), m_station(indicatifStation), m_shown(shownCallsign),
      m_currentContacts(currentContacts), m_restore(std::move(restore))
{
    setObjectName(QStringLiteral("Restaurer_Sauvegarde"));
    setWindowTitle(QStringLiteral("Restaurer une sauvegarde"));

    m_entries = listBackups(m_services.dataDir, m_station);
    for (const BackupEntry &e : std::as_const(m_entries))
        m_counts << countContacts(e.logCopy);

    Label_Sauvegardes = new QLabel(this);
    Label_Sauvegardes->setObjectName(QStringLiteral("Label_Sauvegardes"));
    Label_Sauvegardes->setWordWrap(true);
    Label_Sauvegardes->setTextFormat(Qt::PlainText);
    const QString folder = QDir::toNativeSeparators(backupFolderPath(m_services.dataDir));
    Label_Sauvegardes->setText(
        m_entries.isEmpty()
            ? QStringLiteral("Aucune sauvegarde du log de ") + m_shown +
                  QStringLiteral(" pour l'instant.\nZAT_VQX en fait une dans le dossier ") +
                  folder +
                  QStringLiteral(" avant la première modification du log de chaque session.")
            : QStringLiteral("Sauvegardes automatiques du log de ") + m_shown +
                  QStringLiteral(", de la plus récente à la plus ancienne (dossier ") + folder +
                  QStringLiteral(") :"));

    Liste_Sauvegardes = new QTreeWidget(this);
    Liste_Sauvegardes->setObjectName(QStringLiteral("Liste_Sauvegardes"));
    Liste_Sauvegardes->setHeaderLabels({QStringLiteral("Date (UTC)"), QStringLiteral("Heure (UTC)"),
                                        QStringLiteral("QSO"), QStringLiteral("Faite")});
    Liste_Sauvegardes->setRootIsDecorated(false);
    Liste_Sauvegardes->setUniformRowHeights(true);
    Liste_Sauvegardes->setSelectionMode(QAbstractItemView::SingleSelection);
    Liste_Sauvegardes->setAllColumnsShowFocus(true);
    Label_Sauvegardes->setBuddy(Liste_Sauvegardes);
    for (int i = 0; i < m_entries.size(); ++i) {
        const int n = m_counts.at(i);
        auto *item = new QTreeWidgetItem(Liste_Sauvegardes,
                                         {dateText(m_entries.at(i)), timeText(m_entries.at(i)),
                                          n < 0 ? QStringLiteral("illisible") : QString::number(n),
                                          markText(m_entries.at(i))});
        item->setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
    }
    Liste_Sauvegardes->headerItem()->setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
    Liste_Sauvegardes->header()->setSectionResizeMode(QHeaderView::ResizeToContents);

    Restaurer = new QPushButton(QStringLiteral("&Restaurer"), this);
    Restaurer->setObjectName(QStringLiteral("Restaurer"));
    Fermer = new QPushButton(QStringLiteral("&Fermer"), this);
    Fermer->setObjectName(QStringLiteral("Fermer"));
    // Enter in the list restores the line chosen, after the question.
    Restaurer->setDefault(true);
    Restaurer->setEnabled(!m_entries.isEmpty());
    Fermer->setAutoDefault(false);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(Restaurer);
    buttons->addWidget(Fermer);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Label_Sauvegardes);
    layout->addWidget(Liste_Sauvegardes, 1);
    layout->addLayout(buttons);
    // Room for the three columns and a dozen copies without scrolling.
    const QFontMetrics metrics(font());
    setMinimumSize(metrics.averageCharWidth() * 84, metrics.height() * 24);

    connect(Restaurer, &QPushButton::clicked, this, &RestoreWindow::restoreCurrent);
    connect(Fermer, &QPushButton::clicked, this, &QDialog::reject);
    connect(Liste_Sauvegardes, &QTreeWidget::itemDoubleClicked, this,
            &RestoreWindow::restoreCurrent);

    if (!m_entries.isEmpty()) {
        Liste_Sauvegardes->setCurrentItem(Liste_Sauvegardes->topLevelItem(0));
        Liste_Sauvegardes->setFocus();
    } else {
        Fermer->setDefault(true);
        Fermer->setFocus();
    }
}

QString RestoreWindow::dateText(const BackupEntry &e)
{
    return e.takenUtc.toString(QStringLiteral("dd/MM/yyyy"));
}

QString RestoreWindow::timeText(const BackupEntry &e)
{
    QString t = e.takenUtc.toString(QStringLiteral("HH:mm:ss"));
    // Several copies in the same second are told apart by their number.
    if (e.sequence > 1)
        t += QStringLiteral(" (%1)").arg(e.sequence);
    return t;
}

QString RestoreWindow::markText(const BackupEntry &e)
{
    switch (e.reason) {
    case BackupReason::FirstChange:
        break;
    case BackupReason::BeforeRestore:
        return QStringLiteral("avant restauration");
    case BackupReason::BeforeUndo:
        return QStringLiteral("avant annulation");
    }
    return {};
}

void RestoreWindow::restoreCurrent()
{
    const int row = Liste_Sauvegardes->indexOfTopLevelItem(Liste_Sauvegardes->currentItem());
    if (row < 0 || row >= m_entries.size())
        return;
    const BackupEntry &e = m_entries.at(row);
    const QString question = QStringLiteral("Voulez-vous remplacer le log de ") + m_station +
                             QStringLiteral(" (%1 QSO)").arg(m_currentContacts) +
                             QStringLiteral(" par la sauvegarde du ") + dateText(e) +
                             QStringLiteral(" à ") + timeText(e) +
                             QStringLiteral(" UTC (%1 QSO) ?\r\n").arg(qMax(m_counts.at(row), 0)) +
                             QStringLiteral("Le log actuel sera d'abord sauvegardé à son tour.");
    if (!m_services.messages->question(this, question))
        return;
    if (m_restore && m_restore(e))
        accept();
}

} // namespace vqx
