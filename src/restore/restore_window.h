#pragma once

#include "logstore/backups.h"
#include "platform/services.h"

#include <QDialog>
#include <functional>

class QLabel;
class QPushButton;
class QTreeWidget;

namespace vqx {

// "Restaurer une sauvegarde…": the automatic copies of the station's log,
// newest first, with their date, time and number of contacts, and which of
// them was taken just before a restore or an undo. Enter or
// "Restaurer" puts the chosen copy in the place of the log, after a
// question; Escape or "Fermer" leaves.
class RestoreWindow : public QDialog
{
    Q_OBJECT
public:
    // `restore` replaces the log by a copy; true when it did. The callsign is
    // shown as the operator knows it (F4ABC/P for the log of F4ABC_P).
    RestoreWindow(const Services &services, const QString &indicatifStation,
                  const QString &shownCallsign, int currentContacts,
                  std::function<bool(const BackupEntry &)> restore, QWidget *parent = nullptr);

    QTreeWidget *Liste_Sauvegardes = nullptr;
    QPushButton *Restaurer = nullptr;
    QPushButton *Fermer = nullptr;
    QLabel *Label_Sauvegardes = nullptr;

    // Date and time of a copy as the list shows them.
    static QString dateText(const BackupEntry &e);
    static QString timeText(const BackupEntry &e);
    // What the list says of a copy taken just before a restore or an undo,
    // the copy that goes back on it; nothing for the other copies.
    static QString markText(const BackupEntry &e);

private:
    void restoreCurrent();

    Services m_services;
    QString m_station;
    QString m_shown;
    int m_currentContacts;
    std::function<bool(const BackupEntry &)> m_restore;
    QList<BackupEntry> m_entries;
    QList<int> m_counts;
};

} // namespace vqx
