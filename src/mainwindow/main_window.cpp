#include "main_window.h"

#include "logstore/file_messages.h"
#include "logstore/log_list_model.h"
#include "logstore/log_record.h"
#include "logstore/log_session.h"
#include "logstore/prenoms.h"
#include "map/map_credit.h"
#include "platform/clock.h"
#include "platform/heap.h"
#include "platform/keyboard.h"
#include "platform/message_boxes.h"
#include "platform/program_pictures.h"
#include "platform/settings_store.h"
#include "rig/rig_control.h"
#include "spots/spot_feed.h"
#include "widgets/column_header.h"
#include "window_fit.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

namespace vqx {

MainWindow::MainWindow(const Services &services, QWidget *parent)
    : QMainWindow(parent), m_services(services)
{
    setObjectName(QStringLiteral("Main"));
    installShortcutKeysFilter();
    m_model = new LogListModel(this);
    m_session = new LogSession(
        m_services.dataDir, m_services.clock, [this] { return m_shared.Indicatif_Station; }, this);
    m_rig = new RigControl(this);
    buildControls();
    buildMenus();
    // The spots follow the log through every change of the list.
    m_spots = new SpotFeed(m_services.clock, this);
    m_spots->setLogSource([this] { return m_model->fileLines(); });
    connect(m_model, &QAbstractItemModel::modelReset, m_spots, qOverload<>(&SpotFeed::logChanged));
    connect(m_spots, &SpotFeed::neededSpotted, this, &MainWindow::alertSpot);
    connect(m_form, &EntryForm::contactRecorded, m_spots, &SpotFeed::contactRecorded);
    // A spot taken into the entry turns the dial when rig control is on.
    connect(this, &MainWindow::tuneRequested, m_rig, [this](qint64 hz, const QString &mode) {
        if (m_rig->isOn())
            m_rig->tune(hz, mode);
    });

    // Start-up: callsign, remembered band and mode, date mode, folder.
    m_shared.Indicatif_Station = readSetting(kSectionSetup, kKeyIndicatif, kFirstRunCallsign);
    I_Station->setText(m_shared.Indicatif_Station);
    m_form->reselectBandAndMode();
    applyDateModeFromSettings();
    writeSetting(kSectionSetup, kKeyChemin, QDir::toNativeSeparators(m_services.dataDir));

    Label_Liste_VQX->setText(kColumnHeader);
    Historique_Texte = QStringLiteral("V1.0.0   le 12/01/2015 creation\r\n"
                                      "V1.0.1   le 05/52/2021 Nouveau Cluster\r\n");
    setWindowTitle(QStringLiteral("ZAT VQX   Diplome Ondrelle Revision ") + Revision_Texte);
    refreshClock();
    Timer1->start();
    // Wide enough for the 126-column list line; start() fits it to the screen.
    resize(kWantedSize);
}

MainWindow::~MainWindow() = default;

void MainWindow::start()
{
    if (const QString bad = m_services.settings->loadProblem(); !bad.isEmpty()) {
        message(settingsNotReadMessage(bad));
    }
    if (m_shared.Indicatif_Station == kFirstRunCallsign) {
        message(QStringLiteral("\r\nPremiere installation, vous devez entrer votre "
                               "Indicatif\r\n\r\n"));
        showStation(true);
    }
    fitToScreen(measuredFrame().isNull() ? kAssumedFrame : measuredFrame());
    show();
    // The operator types at once: the window takes the keyboard, menus
    // included, even where no window manager hands it over.
    activateWindow();
    m_form->Ind_A->setEnabled(true);
    m_form->Ind_A->setFocus();
    m_form->Mode_Aff->setText(QStringLiteral("Saisie QSO"));
    if (m_shared.Indicatif_Station != kFirstRunCallsign)
        Charger_Log();
    // The first-name directory is looked at once, as the log is.
    if (const PrenomIrregularities names = checkPrenomFile(m_services.dataDir); names.any())
        message(prenomsIrregularMessage(QDir(m_services.dataDir).filePath(kPrenomFile), names));
    selectLastLine();
    writeSetting(stationSection(m_shared.Indicatif_Station), kKeyRevision, Revision_Texte);
    m_form->Reset_Saisie();
    startClusterLink();
    applyRigSettings();
}

QMargins MainWindow::measuredFrame() const
{
    const QRect outer = frameGeometry();
    const QRect inner = geometry();
    return {inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
            outer.bottom() - inner.bottom()};
}

void MainWindow::fitToScreen(const QMargins &frame)
{
    const QScreen *screen = this->screen();
    if (!screen)
        return;
    m_frameUsed = frame;
    const WindowPlacement place = fitOnScreen(kWantedSize, screen->availableGeometry(), frame);
    resize(place.size);
    move(place.framePos);
}

bool MainWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == Liste_VQX->viewport() && event->type() == QEvent::MouseButtonDblClick)
        m_form->startModification();
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    if (event->type() != QEvent::ActivationChange || !isActiveWindow() || m_frameChecked)
        return;
    // The real frame is known by now (none without a window manager): a
    // title bar taller than guessed must not push the status line off the
    // screen, nor a thinner one leave the window off centre.
    m_frameChecked = true;
    if (measuredFrame() != m_frameUsed)
        fitToScreen(measuredFrame());
}

QString MainWindow::logPath() const
{
    return logFilePath(m_services.dataDir, m_shared.Indicatif_Station);
}

QString MainWindow::readSetting(const QString &section, const QString &key,
                                const QString &def) const
{
    return m_services.settings->Lire_Reglage(kAppVqx, section, key, def);
}

void MainWindow::writeSetting(const QString &section, const QString &key, const QString &value)
{
    m_services.settings->Ecrire_Reglage(kAppVqx, section, key, value);
}

void MainWindow::message(const QString &text)
{
    m_services.messages->information(this, text);
}

void MainWindow::buildControls()
{
    auto *central = new QWidget(this);
    auto *outer = new QVBoxLayout(central);

    // Station and clocks.
    auto *top = new QHBoxLayout;
    auto *frame1 = named(new QGroupBox, "Frame1");
    auto *f1 = new QHBoxLayout(frame1);
    auto *label2 = named(new QLabel(QStringLiteral("INDICATIF DE LA STATION  : ")), "Label2");
    I_Station = named(new QLabel, "I_Station");
    const QFont bold = emphasisFont(I_Station->font());
    label2->setFont(bold);
    I_Station->setFont(bold);
    f1->addWidget(label2);
    f1->addWidget(I_Station);
    top->addWidget(frame1, 1);

    auto *frame7 = named(new QGroupBox(QStringLiteral("Date")), "Frame7");
    auto *f7 = new QHBoxLayout(frame7);
    Label33 = named(new QLabel, "Label33");
    Label5 = named(new QLabel(QStringLiteral("Date")), "Label5");
    Label33->setFont(bold);
    f7->addWidget(Label33);
    f7->addWidget(Label5);
    top->addWidget(frame7);

    auto *frame2 = named(new QGroupBox, "Frame2");
    auto *f2 = new QHBoxLayout(frame2);
    Label37 = named(new QLabel, "Label37");
    Label34 = named(new QLabel, "Label34");
    Label37->setFont(bold);
    Label34->setFont(bold);
    f2->addWidget(Label37);
    f2->addWidget(Label34);
    top->addWidget(frame2);
    outer->addLayout(top);

    // Only while rig control is on; a lost link is said here and nowhere else.
    Etat_Poste = named(new QLabel, "Etat_Poste");
    Etat_Poste->setFont(bold);
    Etat_Poste->hide();
    outer->addWidget(Etat_Poste);
    connect(m_rig, &RigControl::statusChanged, this, &MainWindow::showRigStatus);
    connect(m_rig, &RigControl::reading, this, [this](qint64 hz, const QString &mode) {
        const rig::RadioEntry e = rig::radioEntry(hz, mode);
        m_form->applyRadio(e.bandIndex, e.mode);
    });

    // Entry area.
    m_form = new EntryForm(m_services, &m_shared, m_session, this);
    outer->addWidget(m_form);

    // The log list and its column header.
    auto *lCommunes = named(new QGroupBox(kListTooltip), "L_Communes");
    auto *lc = new QVBoxLayout(lCommunes);
    auto *header = named(new ColumnHeader(QString(), qsoListHeaderWords()), "Label_Liste_VQX");
    Label_Liste_VQX = header;
    Liste_VQX = named(new QListView, "Liste_VQX");
    Liste_VQX->setModel(m_model);
    Liste_VQX->setFont(listFont());
    Liste_VQX->setUniformItemSizes(true); // constant-time layout on large logs
    Liste_VQX->setSelectionMode(QAbstractItemView::SingleSelection);
    Liste_VQX->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Liste_VQX->setToolTip(kListTooltip);
    Label_Liste_VQX->setBuddy(Liste_VQX);
    header->follow(Liste_VQX);
    setFieldColour(Liste_VQX, kLightYellow);
    lc->addWidget(Label_Liste_VQX);
    lc->addWidget(Liste_VQX, 1);
    outer->addWidget(lCommunes, 1);
    auto *credit =
        named(new QLabel(QStringLiteral("ZAT_VQX, carnet de trafic du diplôme VQX")), "Label14");
    outer->addWidget(credit);
    setCentralWidget(central);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this, &MainWindow::refreshClock);

    connect(Liste_VQX->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &current) {
                if (current.isValid() && !m_inClick)
                    onListClicked(current.row());
            });
    connect(Liste_VQX, &QListView::clicked, this,
            [this](const QModelIndex &index) { onListClicked(index.row()); });
    // Double clicks are taken from the viewport, so one outside the lines counts too.
    Liste_VQX->viewport()->installEventFilter(this);
    onEnterKey(Liste_VQX, [this] {
        // Enter works on the line under the keyboard's cursor, and a double
        // click on a line starts with a click on it.
        if (const QModelIndex current = Liste_VQX->currentIndex(); current.isValid())
            onListClicked(current.row());
        m_form->startModification();
    });
}

void MainWindow::applyDateModeFromSettings()
{
    const QString v =
        readSetting(stationSection(m_shared.Indicatif_Station), kKeyDateAuto, kDateAutoOui);
    if (v == kDateAutoOui) {
        Mnu_Date_Auto->setChecked(true);
        Mnu_Date_Man->setChecked(false);
        Label5->setText(QStringLiteral("Date automatique"));
    } else if (v == kDateAutoNon) {
        Mnu_Date_Auto->setChecked(false);
        Mnu_Date_Man->setChecked(true);
        Label5->setText(QStringLiteral("Date manuelle"));
    }
}

void MainWindow::setDateMode(bool automatic)
{
    Mnu_Date_Auto->setChecked(automatic);
    Mnu_Date_Man->setChecked(!automatic);
    Label5->setText(automatic ? QStringLiteral("Date automatique")
                              : QStringLiteral("Date manuelle"));
    m_form->dateModeChanged(automatic);
    writeSetting(stationSection(m_shared.Indicatif_Station), kKeyDateAuto,
                 automatic ? kDateAutoOui : kDateAutoNon);
}

bool MainWindow::dateAuto() const
{
    return Mnu_Date_Auto->isChecked();
}

QString MainWindow::clockDate() const
{
    return Label33->text();
}

QString MainWindow::clockTime() const
{
    return Label37->text().left(5);
}

void MainWindow::refreshClock()
{
    const Clock &clock = *m_services.clock;
    Label37->setText(Heure_Utc(clock).left(5) + QStringLiteral(" Utc"));
    Label34->setText(Heure_Locale(clock).left(5) + QStringLiteral(" Loc"));
    Label33->setText(Date_Utc(clock));
}

void MainWindow::setStationLabel(const QString &text)
{
    I_Station->setText(text);
}

bool MainWindow::Charger_Log()
{
    LoadedLogBuffer loaded = loadLogBuffer(logPath());
    m_model->setLog(std::move(loaded.log));
    // The former list and the reading leave freed heap behind.
    returnFreedMemory();
    reportLoadProblems(loaded);
    m_form->Ind_A->setEnabled(true);
    return loaded.file.ok();
}

void MainWindow::reportLoadProblems(const LoadedLogBuffer &loaded)
{
    if (!loaded.file.ok()) {
        message(logNotReadMessage(loaded.file,
                                  loaded.file.error == FileError::Missing
                                      ? QStringLiteral("la liste des QSO reste vide et aucun "
                                                       "fichier n'a été créé")
                                      : QStringLiteral("la liste des QSO reste vide")));
        return;
    }
    if (loaded.irregular.any())
        message(logIrregularMessage(loaded.file.path, loaded.irregular));
}

bool MainWindow::applyChange(const LogChange &change, const OperationFaults &earlier)
{
    OperationFaults faults = earlier;
    if (!faults.backup)
        faults.backup = m_session->takeBackupFailure();
    if (!change.ok())
        faults.log = change.file;
    if (faults.any())
        message(operationFaultsMessage(logPath(), faults));
    if (!change.ok())
        return false;
    m_form->forgetSelection();
    m_model->setLog(change.log);
    returnFreedMemory();
    selectLastLine();
    return true;
}

void MainWindow::selectListLine(int row)
{
    if (row < 0 || row >= m_model->rowCount())
        return;
    const QModelIndex index = m_model->index(row);
    // The click handling runs once, whether or not the row was already current.
    m_inClick = true;
    Liste_VQX->setCurrentIndex(index);
    Liste_VQX->scrollTo(index);
    m_inClick = false;
    onListClicked(row);
}

void MainWindow::selectLastLine()
{
    selectListLine(m_model->rowCount() - 1);
}

void MainWindow::onListClicked(int row)
{
    if (row >= 0 && row < m_model->rowCount())
        m_form->showListLine(m_model->listLine(row));
}

void MainWindow::showAbout()
{
    // The map's licence (CC BY 4.0) asks for its authors to be credited.
    m_services.messages->about(
        this,
        QStringLiteral("ZAT_VQX  Révision ") + Revision_Texte +
            QStringLiteral("\r\n\r\nCarnet de trafic pour le diplôme VQX des fontaines de "
                           "France.\r\nLes logs sont dans le dossier : ") +
            QDir::toNativeSeparators(m_services.dataDir) + QStringLiteral("\r\n\r\n") + kMapCredit,
        awardLogo(devicePixelRatioF()));
}

void MainWindow::showHistory()
{
    message(Historique_Texte);
}

void MainWindow::quitProgram()
{
    // Every window closes with the program.
    for (const QPointer<QWidget> &w : std::as_const(m_windows)) {
        if (w)
            w->close();
    }
    close();
    QCoreApplication::quit();
}

void MainWindow::stationChanged()
{
    // The windows that show the former station's contacts would save or
    // print them under the new callsign.
    for (const char *key :
         {"Diplomes_VQX", "Liste_VQX", "Aff_Contacte", "Carte_Acti_VQX", "Recherche_Indicatif"}) {
        if (QWidget *w = secondary(QLatin1String(key)))
            w->close();
    }
    // A line being modified belongs to the former log; out of the
    // modification, the list shows the new log's last line in the fields.
    // Reset_Saisie ends an insertion too.
    m_form->abandonForReload([this] {
        Charger_Log();
        selectLastLine();
    });
    // Nothing of the new list has been clicked yet: nothing to delete or modify.
    m_form->forgetSelection();
    // The node, its login and the spots window's settings are the new station's.
    if (QWidget *w = secondary(QStringLiteral("Spots_VQX")))
        w->close();
    m_spots->client()->disconnectFromNode();
    startClusterLink();
    // Each station has its own radio settings.
    if (QWidget *w = secondary(QStringLiteral("Poste_Radio")))
        w->close();
    applyRigSettings();
}

void MainWindow::applyRigSettings()
{
    m_rig->configure(loadRigSettings(*m_services.settings, m_shared.Indicatif_Station));
    showRigStatus(m_rig->status());
}

void MainWindow::showRigStatus(const QString &status)
{
    Etat_Poste->setText(status);
    Etat_Poste->setVisible(m_rig->isOn());
}

} // namespace vqx
