// The menus, and the windows they and the search button open. Each window
// is opened through showSecondary(): at most one instance, brought forward
// when open, centred, discarded on close, left with Escape.
#include "main_window.h"

#include "adif/adif_export.h"
#include "adif/adif_import_window.h"
#include "adif/adif_messages.h"
#include "adif/adif_standard_export.h"
#include "awards/award_levels_window.h"
#include "awards/award_list_window.h"
#include "contacted/contacted_window.h"
#include "logstore/file_messages.h"
#include "logstore/log_list_model.h"
#include "logstore/log_session.h"
#include "map/map_window.h"
#include "platform/clock.h"
#include "platform/heap.h"
#include "platform/message_boxes.h"
#include "platform/settings_store.h"
#include "rig/rig_control.h"
#include "rig/rig_window.h"
#include "search/search_window.h"
#include "spots/spot_feed.h"
#include "spots/spots_window.h"
#include "station/station_window.h"
#include "webviews/cluster_window.h"
#include "webviews/reglement_window.h"
#include "widgets/window_keys.h"

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QShortcut>
#include <QStatusBar>

namespace vqx {

void MainWindow::buildMenus()
{
    QMenuBar *bar = menuBar();
    auto act = [this](QMenu *menu, const QString &caption, const char *name) {
        QAction *a = menu->addAction(caption);
        a->setObjectName(QLatin1String(name));
        return a;
    };
    auto topAction = [this, bar](const QString &caption, const char *name) {
        QAction *a = bar->addAction(caption);
        a->setObjectName(QLatin1String(name));
        return a;
    };

    QMenu *fichier = bar->addMenu(QStringLiteral("&Fichier"));
    fichier->setObjectName(QStringLiteral("Mnu_Fichier"));
    Mnu_ADIF = act(fichier, QStringLiteral("&Exporter le log au format ADIF"), "Mnu_ADIF");
    Mnu_ADIF_Standard = act(fichier, QStringLiteral("Exporter le log au format ADIF &standard"),
                            "Mnu_ADIF_Standard");
    Mnu_Import_ADIF = act(fichier, QStringLiteral("&Importer un fichier ADIF…"), "Mnu_Import_ADIF");
    addSafetyItems(fichier);
    Mnu_Quitter = act(fichier, QStringLiteral("&Quitter ZAT_VQX"), "Mnu_Quitter");

    QMenu *date = bar->addMenu(QStringLiteral("&Date"));
    date->setObjectName(QStringLiteral("Mnu_Date"));
    Mnu_Date_Auto = act(date, QStringLiteral("&Automatique"), "Mnu_Date_Auto");
    Mnu_Date_Man = act(date, QStringLiteral("&Manuelle"), "Mnu_Date_Man");
    Mnu_Date_Auto->setCheckable(true);
    Mnu_Date_Man->setCheckable(true);
    Mnu_Date_Auto->setChecked(true);

    Mnu_New_Indicatif = topAction(QStringLiteral("&Station"), "Mnu_New_Indicatif");

    QMenu *liste = bar->addMenu(QStringLiteral("&Liste"));
    liste->setObjectName(QStringLiteral("Mnu_Liste"));
    Mnu_L_Contacte = act(liste, QStringLiteral("des &Fontaines contactées"), "Mnu_L_Contacte");

    QMenu *carte = bar->addMenu(QStringLiteral("&Carte "));
    carte->setObjectName(QStringLiteral("Mnu_Carte"));
    Mnu_Carte_Contacte =
        act(carte, QStringLiteral("des &départements contactés"), "Mnu_Carte_Contacte");

    QMenu *diplomes = bar->addMenu(QStringLiteral("D&iplomes"));
    diplomes->setObjectName(QStringLiteral("Mnu_Diplomes"));
    Mnu_HF = act(diplomes, QStringLiteral("&HF"), "Mnu_HF");
    Mnu_VHF = act(diplomes, QStringLiteral("&VHF"), "Mnu_VHF");

    Mnu_Cluster = topAction(QStringLiteral("Afficher Cl&uster"), "Mnu_Cluster");
    Mnu_Reglement = topAction(QStringLiteral("&Règlement"), "Mnu_Reglement");

    QMenu *trafic = bar->addMenu(QStringLiteral("&Trafic"));
    trafic->setObjectName(QStringLiteral("Mnu_Trafic"));
    Mnu_Poste = act(trafic, QStringLiteral("&Poste radio…"), "Mnu_Poste");
    Mnu_Spots = act(trafic, QStringLiteral("&Spots VQX"), "Mnu_Spots");

    QMenu *aide = bar->addMenu(QStringLiteral("&Aide"));
    aide->setObjectName(QStringLiteral("Mnu_Aide"));
    Mnu_Apropos = act(aide, QStringLiteral("A &Propos"), "Mnu_Apropos");
    Mnu_Historique = act(aide, QStringLiteral("&Historique"), "Mnu_Historique");

    connect(Mnu_ADIF, &QAction::triggered, this, &MainWindow::exportAdif);
    connect(Mnu_ADIF_Standard, &QAction::triggered, this, &MainWindow::exportAdifStandard);
    connect(Mnu_Import_ADIF, &QAction::triggered, this, &MainWindow::importAdif);
    connect(Mnu_Quitter, &QAction::triggered, this, &MainWindow::quitProgram);
    connect(Mnu_Date_Auto, &QAction::triggered, this, [this] { setDateMode(true); });
    connect(Mnu_Date_Man, &QAction::triggered, this, [this] { setDateMode(false); });
    connect(Mnu_New_Indicatif, &QAction::triggered, this, [this] { showStation(false); });
    connect(Mnu_L_Contacte, &QAction::triggered, this, &MainWindow::openContactedList);
    connect(Mnu_Carte_Contacte, &QAction::triggered, this, &MainWindow::openMap);
    connect(Mnu_HF, &QAction::triggered, this, [this] { openAwards(QStringLiteral("HF")); });
    connect(Mnu_VHF, &QAction::triggered, this, [this] { openAwards(QStringLiteral("VHF")); });
    connect(Mnu_Cluster, &QAction::triggered, this, &MainWindow::openCluster);
    connect(Mnu_Reglement, &QAction::triggered, this, &MainWindow::openReglement);
    connect(Mnu_Poste, &QAction::triggered, this, &MainWindow::openRig);
    connect(Mnu_Spots, &QAction::triggered, this, &MainWindow::openSpots);
    connect(Mnu_Apropos, &QAction::triggered, this, &MainWindow::showAbout);
    connect(Mnu_Historique, &QAction::triggered, this, &MainWindow::showHistory);

    // Desktops open the menu bar with F10; Qt leaves that key to the program.
    auto *f10 = new QShortcut(QKeySequence(Qt::Key_F10), this);
    f10->setObjectName(QStringLiteral("F10"));
    connect(f10, &QShortcut::activated, this,
            [bar] { bar->setActiveAction(bar->actions().constFirst()); });
}

void MainWindow::centre(QWidget *w) const
{
    w->adjustSize();
    if (const QScreen *screen = this->screen()) {
        const QRect area = screen->availableGeometry();
        w->move(area.x() + (area.width() - w->width()) / 2,
                area.y() + (area.height() - w->height()) / 2);
    }
}

QWidget *MainWindow::secondary(const QString &key) const
{
    return m_windows.value(key).data();
}

QWidget *MainWindow::showSecondary(const QString &key, const std::function<QWidget *()> &make)
{
    if (QWidget *open = m_windows.value(key)) {
        open->show();
        open->raise();
        open->activateWindow();
        return open;
    }
    // The window whose menu or button opened it gets the keyboard back.
    QWidget *opener = QApplication::activeWindow();
    QWidget *w = make();
    if (!w)
        return nullptr;
    w->setAttribute(Qt::WA_DeleteOnClose);
    w->setWindowFlag(Qt::Window, true);
    leaveWithEscape(w, opener ? opener : this);
    // A list or a map of the whole log leaves its heap behind when closed.
    connect(w, &QObject::destroyed, this, [] { returnFreedMemory(); });
    centre(w);
    m_windows.insert(key, w);
    w->show();
    // Opened from the keyboard, it takes the keyboard, window manager or not.
    w->activateWindow();
    return w;
}

void MainWindow::showStation(bool modal)
{
    auto make = [this]() -> StationWindow * {
        auto *w = new StationWindow(m_services, this);
        connect(w, &StationWindow::stationChosen, this,
                [this](const QString &indicatifStation, const QString &shown) {
                    // The undo belongs to the former station's log.
                    m_session->forgetUndo();
                    m_shared.Indicatif_Station = indicatifStation;
                    setStationLabel(shown);
                    m_form->reselectBandAndMode();
                    stationChanged();
                });
        return w;
    };
    if (!modal) {
        showSecondary(QStringLiteral("Station"), make);
        return;
    }
    // First start: the rest of the start-up waits for the station window.
    StationWindow *w = make();
    w->setAttribute(Qt::WA_DeleteOnClose);
    w->setWindowModality(Qt::ApplicationModal);
    centre(w);
    m_windows.insert(QStringLiteral("Station"), w);
    w->exec();
}

// Diplomes > HF / VHF: the award window reads the group when it loads; an
// open list saves and prints for the latest choice.
void MainWindow::openAwards(const QString &group)
{
    m_awardChoice.Groupe_Bandes = group;
    if (auto *list = qobject_cast<AwardListWindow *>(secondary(QStringLiteral("Liste_VQX"))))
        list->setChoice(m_awardChoice);
    showSecondary(QStringLiteral("Diplomes_VQX"), [this] {
        // A second "Voir la liste" only brings the open list forward; the
        // level it set is used by the next save or print.
        auto openList = [this](const QString &niveau) {
            m_awardChoice.Niveau_Liste = niveau;
            if (auto *list =
                    qobject_cast<AwardListWindow *>(secondary(QStringLiteral("Liste_VQX"))))
                list->setChoice(m_awardChoice);
            showSecondary(QStringLiteral("Liste_VQX"), [this] {
                return new AwardListWindow(m_services, m_shared.Indicatif_Station, m_awardChoice,
                                           this);
            });
        };
        return new AwardLevelsWindow(m_services, m_shared.Indicatif_Station,
                                     m_awardChoice.Groupe_Bandes, openList, this);
    });
}

// Liste > des Fontaines contactées.
void MainWindow::openContactedList()
{
    showSecondary(QStringLiteral("Aff_Contacte"), [this] {
        return new ContactedWindow(m_services, m_shared.Indicatif_Station, this);
    });
}

// Carte > des départements contactés.
void MainWindow::openMap()
{
    showSecondary(QStringLiteral("Carte_Acti_VQX"),
                  [this] { return new MapWindow(m_services, m_shared.Indicatif_Station, this); });
}

// Button "Rechercher un QSO".
void MainWindow::openSearch()
{
    showSecondary(QStringLiteral("Recherche_Indicatif"), [this] {
        // A found contact is selected in the list as if clicked.
        return new SearchWindow(
            m_services, logModel(), [this](int row) { selectListLine(row); }, this);
    });
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

// Trafic > Poste radio…: the settings saved are applied at once.
void MainWindow::openRig()
{
    showSecondary(QStringLiteral("Poste_Radio"), [this]() -> QWidget * {
        auto *w = new RigWindow(m_services, m_shared.Indicatif_Station, this);
        connect(w, &RigWindow::saved, this, [this](const RigSettings &s) {
            m_rig->configure(s);
            showRigStatus(m_rig->status());
        });
        return w;
    });
}

// Trafic > Spots VQX.
void MainWindow::openSpots()
{
    showSecondary(QStringLiteral("Spots_VQX"), [this]() -> QWidget * {
        auto *w = new SpotsWindow(m_services, m_spots, m_shared.Indicatif_Station, this);
        connect(w, &SpotsWindow::spotChosen, this, &MainWindow::useSpot);
        return w;
    });
}

// A spot chosen in the spots window starts a contact in the entry area.
void MainWindow::useSpot(const SpotRow &row)
{
    const QString mode = modeOfSpot(row.spot.comment, row.spot.hz);
    // The operator types next in the main window.
    raise();
    activateWindow();
    if (!m_form->takeSpot(row.bandText(), mode, row.spot.callsign, row.ref))
        return;
    m_spots->spotUsed(row);
    emit tuneRequested(row.spot.hz, hamlibModeFor(mode, row.spot.hz));
}

// A needed fountain is spotted: a line in the status bar, the window
// system's attention, and a sound when the operator wants one.
void MainWindow::alertSpot(const SpotRow &row)
{
    statusBar()->showMessage(
        QStringLiteral("Spot VQX %1 : %2 sur %3 (%4 kHz) : %5")
            .arg(row.spot.timeUtc, row.ref, row.bandText(), row.spot.khzText,
                 row.spot.callsign + QStringLiteral(", ") + row.stateColumn()));
    QApplication::alert(this);
    if (readSetting(stationSection(m_shared.Indicatif_Station), kKeySpotsSon, kDateAutoNon) ==
        kDateAutoOui)
        QApplication::beep();
}

void MainWindow::startClusterLink()
{
    const QString section = stationSection(m_shared.Indicatif_Station);
    if (m_shared.Indicatif_Station == kFirstRunCallsign ||
        readSetting(section, kKeyClusterAuDemarrage, kDateAutoNon) != kDateAutoOui)
        return;
    const QString host = readSetting(section, kKeyClusterAdresse, QString());
    const uint port =
        readSetting(section, kKeyClusterPort, QString::number(kDefaultClusterPort)).toUInt();
    if (host.isEmpty() || port == 0 || port > 65535)
        return;
    m_spots->client()->connectToNode(
        host, quint16(port),
        readSetting(section, kKeyClusterIndicatif, clusterLoginFor(m_shared.Indicatif_Station)));
}

// Fichier > Exporter le log au format ADIF.
void MainWindow::exportAdif()
{
    const AdifExportResult r =
        writeAdifExport(m_services.dataDir, m_shared.Indicatif_Station, I_Station->text());
    m_services.messages->information(this, adifExportMessage(r));
}

// Fichier > Exporter le log au format ADIF standard.
void MainWindow::exportAdifStandard()
{
    const AdifStandardExportResult r = writeStandardAdifExport(
        m_services.dataDir, m_shared.Indicatif_Station, Revision_Texte, m_services.clock->nowUtc());
    m_services.messages->information(this, adifStandardExportMessage(r));
}

// Fichier > Importer un fichier ADIF…: the summary replaces that of an
// earlier import; the list is reloaded as after an undo or a restore.
void MainWindow::importAdif()
{
    auto *w = new AdifImportWindow(m_services, m_shared.Indicatif_Station, I_Station->text(), this);
    // What the fields held belongs to the log as it was; once the summary
    // is closed the operator types the next contact in Ind_A.
    connect(w, &AdifImportWindow::logChanged, this, [this] {
        m_form->abandonForReload([this] {
            Charger_Log();
            selectLastLine();
        });
    });
    if (!w->run()) {
        delete w;
        return;
    }
    if (QPointer<QWidget> old = m_windows.take(QStringLiteral("Import_ADIF")))
        old->close();
    showSecondary(QStringLiteral("Import_ADIF"), [w] { return w; });
}

} // namespace vqx
