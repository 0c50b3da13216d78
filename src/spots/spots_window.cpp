#include "spots/spots_window.h"

#include "logstore/bands.h"
#include "logstore/entry_rules.h"
#include "platform/message_boxes.h"
#include "platform/settings_keys.h"
#include "platform/settings_store.h"
#include "spots/cluster_client.h"
#include "spots/spot_feed.h"
#include "widgets/ui_style.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QVBoxLayout>

namespace vqx {

namespace {

QString yesNo(bool b)
{
    return b ? kDateAutoOui : kDateAutoNon;
}

bool isEnterKey(const QKeyEvent *key)
{
    return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
}

QLabel *caption(const QString &text, QWidget *buddy)
{
    auto *l = new QLabel(text);
    l->setBuddy(buddy);
    return l;
}

} // namespace

SpotsWindow::SpotsWindow(const Services &services, SpotFeed *feed, const QString &station,
                         QWidget *parent)
    : QWidget(parent), m_services(services), m_feed(feed), m_station(station)
{
    setObjectName(QStringLiteral("Spots_VQX"));
    buildControls();
    loadSettings();

    connect(m_feed->client(), &ClusterClient::stateChanged, this, &SpotsWindow::showState);
    connect(m_feed, &SpotFeed::consoleLine, Console_Cluster, &QPlainTextEdit::appendPlainText);
    connect(m_feed, &SpotFeed::lastRecordedChanged, this, &SpotsWindow::fillAnnouncement);
    Console_Cluster->setPlainText(m_feed->console().join(u'\n'));
    showState();
    showNeeded();
    fillAnnouncement();
}

void SpotsWindow::buildControls()
{
    auto *node = new QGroupBox(QStringLiteral("Nœud du cluster"));
    Cluster_Adresse = named(new QLineEdit, "Cluster_Adresse");
    Cluster_Adresse->setMinimumWidth(180);
    Cluster_Port = named(new QLineEdit, "Cluster_Port");
    Cluster_Port->setMaximumWidth(80);
    Cluster_Indicatif = named(new QLineEdit, "Cluster_Indicatif");
    Cluster_Indicatif->setMaximumWidth(140);
    Cluster_Au_Demarrage =
        named(new QCheckBox(QStringLiteral("Connexion au &démarrage")), "Cluster_Au_Demarrage");
    Cluster_Connecter = named(new QPushButton(QStringLiteral("&Connecter")), "Cluster_Connecter");
    Cluster_Etat = named(new QLabel, "Cluster_Etat");
    auto *nodeRow = new QHBoxLayout(node);
    nodeRow->addWidget(caption(QStringLiteral("&Adresse"), Cluster_Adresse));
    nodeRow->addWidget(Cluster_Adresse, 2);
    nodeRow->addWidget(caption(QStringLiteral("&Port"), Cluster_Port));
    nodeRow->addWidget(Cluster_Port);
    nodeRow->addWidget(caption(QStringLiteral("&Indicatif"), Cluster_Indicatif));
    nodeRow->addWidget(Cluster_Indicatif);
    nodeRow->addWidget(Cluster_Au_Demarrage);
    nodeRow->addWidget(Cluster_Connecter);
    nodeRow->addWidget(Cluster_Etat, 2);

    Seulement_A_Contacter =
        named(new QCheckBox(QStringLiteral("&Seulement les fontaines à contacter")),
              "Seulement_A_Contacter");
    Alerte_Son = named(new QCheckBox(QStringLiteral("S&on pour les alertes")), "Alerte_Son");
    auto *filters = new QHBoxLayout;
    filters->addWidget(Seulement_A_Contacter);
    filters->addWidget(Alerte_Son);
    filters->addStretch();

    m_proxy = new QSortFilterProxyModel(this);
    m_proxy->setSourceModel(m_feed->model());
    m_proxy->setFilterRole(SpotsModel::NeededRole);
    m_proxy->setFilterKeyColumn(0);
    Liste_Spots = named(new QTableView, "Liste_Spots");
    Liste_Spots->setModel(m_proxy);
    Liste_Spots->setSelectionBehavior(QAbstractItemView::SelectRows);
    Liste_Spots->setSelectionMode(QAbstractItemView::SingleSelection);
    Liste_Spots->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Liste_Spots->setTabKeyNavigation(false);
    Liste_Spots->verticalHeader()->hide();
    Liste_Spots->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    Liste_Spots->horizontalHeader()->setStretchLastSection(true);
    Liste_Spots->setFont(listFont());
    const int widths[SpotsModel::ColumnCount] = {80, 80, 70, 100, 80, 40, 330, 90, 200};
    for (int c = 0; c < SpotsModel::ColumnCount; ++c)
        Liste_Spots->setColumnWidth(c, widths[c]);
    Liste_Spots->installEventFilter(this);
    // A new spot on top keeps the row the operator is on.
    connect(m_proxy, &QAbstractItemModel::rowsInserted, this, [this] {
        if (!Liste_Spots->currentIndex().isValid() && m_proxy->rowCount() > 0)
            Liste_Spots->setCurrentIndex(m_proxy->index(0, 0));
    });
    connect(Liste_Spots, &QAbstractItemView::doubleClicked, this, &SpotsWindow::useCurrentSpot);
    // The title counts the fountains still needed, seen even from the taskbar.
    for (auto signal : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved})
        connect(m_feed->model(), signal, this, &SpotsWindow::showNeeded);
    connect(m_feed->model(), &QAbstractItemModel::dataChanged, this, &SpotsWindow::showNeeded);
    auto *spotsCaption = caption(QStringLiteral("Spo&ts"), Liste_Spots);

    Console_Cluster = named(new QPlainTextEdit, "Console_Cluster");
    Console_Cluster->setReadOnly(true);
    Console_Cluster->setMaximumBlockCount(1000);
    Console_Cluster->setFont(listFont());
    Console_Cluster->setFocusPolicy(Qt::ClickFocus);
    setBackground(Console_Cluster, kLightYellow);
    Commande_Cluster = named(new QLineEdit, "Commande_Cluster");
    Commande_Cluster->setPlaceholderText(QStringLiteral("sh/dx 30, set/filter …"));
    Commande_Cluster->installEventFilter(this);
    auto *commandRow = new QHBoxLayout;
    commandRow->addWidget(caption(QStringLiteral("Co&mmande au nœud"), Commande_Cluster));
    commandRow->addWidget(Commande_Cluster, 1);

    auto *spotBack = new QGroupBox(QStringLiteral("Annoncer le QSO enregistré"));
    Annonce_kHz = named(new QLineEdit, "Annonce_kHz");
    Annonce_kHz->setMaximumWidth(100);
    Annonce_Indicatif = named(new QLineEdit, "Annonce_Indicatif");
    Annonce_Indicatif->setMaximumWidth(140);
    Annonce_Ref = named(new QLineEdit, "Annonce_Ref");
    Annonce_Ref->setMaximumWidth(100);
    Annoncer_Cluster =
        named(new QPushButton(QStringLiteral("A&nnoncer sur le cluster")), "Annoncer_Cluster");
    auto *backRow = new QHBoxLayout(spotBack);
    backRow->addWidget(caption(QStringLiteral("&kHz"), Annonce_kHz));
    backRow->addWidget(Annonce_kHz);
    backRow->addWidget(caption(QStringLiteral("Indicati&f"), Annonce_Indicatif));
    backRow->addWidget(Annonce_Indicatif);
    backRow->addWidget(caption(QStringLiteral("&Référence"), Annonce_Ref));
    backRow->addWidget(Annonce_Ref);
    backRow->addWidget(Annoncer_Cluster);
    backRow->addStretch();

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(node);
    layout->addLayout(filters);
    layout->addWidget(spotsCaption);
    layout->addWidget(Liste_Spots, 3);
    layout->addWidget(Console_Cluster, 1);
    layout->addLayout(commandRow);
    layout->addWidget(spotBack);

    connect(Cluster_Connecter, &QPushButton::clicked, this, &SpotsWindow::connectOrDisconnect);
    connect(Seulement_A_Contacter, &QCheckBox::toggled, this, [this](bool on) {
        m_proxy->setFilterFixedString(on ? QStringLiteral("1") : QString());
        saveSettings();
    });
    connect(Alerte_Son, &QCheckBox::toggled, this, &SpotsWindow::saveSettings);
    connect(Cluster_Au_Demarrage, &QCheckBox::toggled, this, &SpotsWindow::saveSettings);
    connect(Annoncer_Cluster, &QPushButton::clicked, this, &SpotsWindow::announce);
}

void SpotsWindow::loadSettings()
{
    const QString section = stationSection(m_station);
    auto read = [&](const QString &key, const QString &def) {
        return m_services.settings->Lire_Reglage(kAppVqx, section, key, def);
    };
    Cluster_Adresse->setText(read(kKeyClusterAdresse, QString()));
    Cluster_Port->setText(read(kKeyClusterPort, QString::number(kDefaultClusterPort)));
    Cluster_Indicatif->setText(read(kKeyClusterIndicatif, clusterLoginFor(m_station)));
    const QSignalBlocker b1(Cluster_Au_Demarrage), b2(Seulement_A_Contacter), b3(Alerte_Son);
    Cluster_Au_Demarrage->setChecked(read(kKeyClusterAuDemarrage, kDateAutoNon) == kDateAutoOui);
    Alerte_Son->setChecked(read(kKeySpotsSon, kDateAutoNon) == kDateAutoOui);
    Seulement_A_Contacter->setChecked(read(kKeySpotsAContacter, kDateAutoNon) == kDateAutoOui);
    m_proxy->setFilterFixedString(Seulement_A_Contacter->isChecked() ? QStringLiteral("1")
                                                                     : QString());
}

void SpotsWindow::saveSettings()
{
    const QString section = stationSection(m_station);
    auto write = [&](const QString &key, const QString &value) {
        m_services.settings->Ecrire_Reglage(kAppVqx, section, key, value);
    };
    write(kKeyClusterAdresse, Cluster_Adresse->text().trimmed());
    write(kKeyClusterPort, Cluster_Port->text().trimmed());
    write(kKeyClusterIndicatif, Cluster_Indicatif->text().trimmed());
    write(kKeyClusterAuDemarrage, yesNo(Cluster_Au_Demarrage->isChecked()));
    write(kKeySpotsSon, yesNo(Alerte_Son->isChecked()));
    write(kKeySpotsAContacter, yesNo(Seulement_A_Contacter->isChecked()));
}

void SpotsWindow::message(const QString &text)
{
    m_services.messages->information(this, text);
}

void SpotsWindow::connectOrDisconnect()
{
    ClusterClient *client = m_feed->client();
    if (client->state() != ClusterClient::State::Deconnecte) {
        client->disconnectFromNode();
        return;
    }
    const QString host = Cluster_Adresse->text().trimmed();
    bool portOk = false;
    const uint port = Cluster_Port->text().trimmed().toUInt(&portOk);
    if (host.isEmpty()) {
        message(QStringLiteral("Entrez l'adresse du nœud du cluster (exemple : dxc.exemple.fr)"));
        Cluster_Adresse->setFocus();
        return;
    }
    if (!portOk || port == 0 || port > 65535) {
        message(QStringLiteral("Le port du nœud est un nombre de 1 à 65535"));
        Cluster_Port->setFocus();
        return;
    }
    if (Cluster_Indicatif->text().trimmed().isEmpty())
        Cluster_Indicatif->setText(clusterLoginFor(m_station));
    saveSettings();
    client->connectToNode(host, quint16(port), Cluster_Indicatif->text().trimmed());
}

void SpotsWindow::showState()
{
    const ClusterClient *client = m_feed->client();
    Cluster_Etat->setText(client->stateText());
    Cluster_Connecter->setText(client->state() == ClusterClient::State::Deconnecte
                                   ? QStringLiteral("&Connecter")
                                   : QStringLiteral("Dé&connecter"));
    Annoncer_Cluster->setEnabled(client->isConnected());
}

void SpotsWindow::showNeeded()
{
    const SpotsModel *model = m_feed->model();
    int needed = 0;
    for (int r = 0; r < model->rowCount(); ++r)
        needed += isNeeded(model->row(r).state) ? 1 : 0;
    setWindowTitle(needed == 0 ? QStringLiteral("Spots VQX (aucune à contacter)")
                               : QStringLiteral("Spots VQX (%1 à contacter)").arg(needed));
}

void SpotsWindow::sendCommand()
{
    const QString command = Commande_Cluster->text().trimmed();
    if (command.isEmpty())
        return;
    if (!m_feed->client()->sendCommand(command)) {
        message(QStringLiteral("Le cluster n'est pas connecté : la commande n'est pas envoyée."));
        return;
    }
    Console_Cluster->appendPlainText(QStringLiteral("> ") + command);
    Commande_Cluster->clear();
}

void SpotsWindow::useCurrentSpot()
{
    const QModelIndex at = Liste_Spots->currentIndex();
    if (!at.isValid())
        return;
    const SpotRow &row = m_feed->model()->row(m_proxy->mapToSource(at).row());
    if (!row.band) {
        message(QStringLiteral("Ce spot (%1 kHz) n'est dans aucune bande du log.")
                    .arg(row.spot.khzText));
        return;
    }
    emit spotChosen(row);
}

void SpotsWindow::fillAnnouncement()
{
    const SpotFeed::Recorded &r = m_feed->lastRecorded();
    if (r.callsign.isEmpty())
        return;
    Annonce_kHz->setText(r.khzText);
    Annonce_Indicatif->setText(r.callsign);
    Annonce_Ref->setText(r.ref);
}

void SpotsWindow::announce()
{
    if (!m_feed->client()->isConnected()) {
        message(QStringLiteral("Le cluster n'est pas connecté : rien n'est annoncé."));
        return;
    }
    const QString khz = Annonce_kHz->text().trimmed();
    const QString call = Annonce_Indicatif->text().trimmed().toUpper();
    const QString ref = Annonce_Ref->text().trimmed().toUpper();
    const std::optional<qint64> hz = hzFromKhzText(khz);
    if (!hz || !bandOfFrequency(*hz)) {
        message(QStringLiteral("Entrez la fréquence en kHz, dans une bande du log (exemple : "
                               "14025.0)"));
        Annonce_kHz->setFocus();
        return;
    }
    if (call.isEmpty() || call.contains(u' ')) {
        message(QStringLiteral("Entrez l'indicatif de la station à annoncer"));
        Annonce_Indicatif->setFocus();
        return;
    }
    if (!isFountainReference(ref)) {
        message(QStringLiteral("Entrez la référence de la fontaine, exemple : 31FA001"));
        Annonce_Ref->setFocus();
        return;
    }
    const QString command = spotBackCommand(khz, call, ref);
    if (!m_services.messages->question(this, QStringLiteral("Envoyer au cluster :\r\n") + command +
                                                 QStringLiteral(" ?")))
        return;
    if (m_feed->client()->sendCommand(command))
        Console_Cluster->appendPlainText(QStringLiteral("> ") + command);
}

bool SpotsWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (watched == Liste_Spots && isEnterKey(key)) {
            useCurrentSpot();
            return true;
        }
        if (watched == Commande_Cluster && isEnterKey(key)) {
            sendCommand();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void SpotsWindow::showEvent(QShowEvent *event)
{
    // The operator opens the window to go through the spots.
    QWidget::showEvent(event);
    Liste_Spots->setFocus();
    if (!Liste_Spots->currentIndex().isValid() && m_proxy->rowCount() > 0)
        Liste_Spots->setCurrentIndex(m_proxy->index(0, 0));
}

} // namespace vqx
