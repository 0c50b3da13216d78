#pragma once

#include "platform/services.h"
#include "spots/spot_states.h"

#include <QWidget>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QSortFilterProxyModel;
class QTableView;

namespace vqx {

class SpotFeed;

// "Spots VQX": the fountains spotted on the cluster and what the log says of
// each, the node's messages, and the link's settings. Enter (or a double
// click) on a spot hands it to the entry area.
class SpotsWindow : public QWidget
{
    Q_OBJECT
public:
    // The settings are those of `station`.
    SpotsWindow(const Services &services, SpotFeed *feed, const QString &station,
                QWidget *parent = nullptr);

    QLineEdit *Cluster_Adresse = nullptr;
    QLineEdit *Cluster_Port = nullptr;
    QLineEdit *Cluster_Indicatif = nullptr;
    QCheckBox *Cluster_Au_Demarrage = nullptr;
    QPushButton *Cluster_Connecter = nullptr;
    QLabel *Cluster_Etat = nullptr;
    QCheckBox *Seulement_A_Contacter = nullptr;
    QCheckBox *Alerte_Son = nullptr;
    QTableView *Liste_Spots = nullptr;
    QPlainTextEdit *Console_Cluster = nullptr;
    QLineEdit *Commande_Cluster = nullptr;
    QLineEdit *Annonce_kHz = nullptr;
    QLineEdit *Annonce_Indicatif = nullptr;
    QLineEdit *Annonce_Ref = nullptr;
    QPushButton *Annoncer_Cluster = nullptr;

    // Wide enough for the nine columns and a node's address.
    QSize sizeHint() const override { return {1120, 640}; }

signals:
    // The operator chose a spot to work.
    void spotChosen(const vqx::SpotRow &row);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void buildControls();
    void loadSettings();
    void saveSettings();
    void connectOrDisconnect();
    void showState();
    void showNeeded();
    void sendCommand();
    void useCurrentSpot();
    void fillAnnouncement();
    void announce();
    void message(const QString &text);

    Services m_services;
    SpotFeed *m_feed;
    QString m_station;
    QSortFilterProxyModel *m_proxy = nullptr;
};

} // namespace vqx
