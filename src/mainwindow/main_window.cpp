#include "mainwindow/main_window.h"

#include "logstore/bands.h"
#include "logstore/log_list_model.h"
#include "logstore/log_record.h"
#include "logstore/log_session.h"
#include "mainwindow/window_fit.h"
#include "platform/clock.h"
#include "platform/keyboard.h"
#include "platform/message_boxes.h"
#include "platform/program_pictures.h"
#include "platform/settings_store.h"
#include "reports/column_header.h"
#include "reports/map_credit.h"
#include "station/station_window.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QTimer>
#include <QVBoxLayout>

namespace vqx {

namespace {

const QString kKeyIndicatif = QStringLiteral("Indicatif Station");
const QString kKeyChemin = QStringLiteral("Chemin Repertoire");
const QString kKeyBande = QStringLiteral("bande Utilisee");
const QString kKeyMode = QStringLiteral("Mode Utilise");
const QString kKeyDateAuto = QStringLiteral("Date Auto");
const QString kKeyRevision = QStringLiteral("Revision");

QFont listFont()
{
    // Fixed pitch keeps the columns of the list under the header.
    QFont f(QStringLiteral("Letter Gothic"));
    f.setStyleHint(QFont::TypeWriter);
    f.setFixedPitch(true);
    f.setFamilies({QStringLiteral("Letter Gothic"), QStringLiteral("DejaVu Sans Mono"),
                   QStringLiteral("Liberation Mono"), QStringLiteral("Monospace")});
    return f;
}

QLabel *captionFor(const QString &text, QWidget *buddy, const char *name)
{
    auto *l = new QLabel(text);
    l->setObjectName(QLatin1String(name));
    l->setBuddy(buddy);
    return l;
}

template <typename W> W *named(W *w, const char *name)
{
    w->setObjectName(QLatin1String(name));
    return w;
}

} // namespace

MainWindow::MainWindow(const Services &services, QWidget *parent)
    : QMainWindow(parent), m_services(services)
{
    setObjectName(QStringLiteral("Main"));
    installShortcutKeysFilter();
    m_model = new LogListModel(this);
    m_session = new LogSession(
        m_services.dataDir, m_services.clock, [this] { return m_shared.Indicatif_Station; }, this);
    buildControls();
    buildMenus();

    // Start-up: lists, callsign, remembered band and mode, date mode, folder.
    Bande_A->addItems(kBandList);
    Mode_A->addItems(kModeList);
    m_shared.Indicatif_Station = readSetting(kSectionSetup, kKeyIndicatif, kFirstRunCallsign);
    I_Station->setText(m_shared.Indicatif_Station);
    reselectBandAndMode();
    applyDateModeFromSettings();
    writeSetting(kSectionSetup, kKeyChemin, QDir::toNativeSeparators(m_services.dataDir));

    Label_Liste_VQX->setText(kColumnHeader);
    m_shared.Flag_Modif = false;
    m_shared.Historique_Texte = QStringLiteral("V1.0.0   le 12/01/2015 creation\r\n"
                                               "V1.0.1   le 05/52/2021 Nouveau Cluster\r\n");
    m_shared.Revision_Texte = QStringLiteral(" 1.0.1");
    setWindowTitle(QStringLiteral("ZAT VQX   Diplome Ondrelle Revision ") +
                   m_shared.Revision_Texte);
    refreshClock();
    Timer1->start();
    // Wide enough for the 126-column list line; start() fits it to the screen.
    resize(kWantedSize);
}

MainWindow::~MainWindow() = default;

void MainWindow::start()
{
    if (const QString bad = m_services.settings->loadProblem(); !bad.isEmpty()) {
        message(QStringLiteral("Le fichier de réglages ") + QDir::toNativeSeparators(bad) +
                QStringLiteral(" est illisible : les réglages par défaut sont utilisés et ce "
                               "fichier n'est pas modifié."));
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
    Ind_A->setEnabled(true);
    Ind_A->setFocus();
    Mode_Aff->setText(QStringLiteral("Saisie QSO"));
    if (m_shared.Indicatif_Station != kFirstRunCallsign)
        Charger_Log();
    selectLastLine();
    writeSetting(stationSection(m_shared.Indicatif_Station), kKeyRevision, m_shared.Revision_Texte);
    Reset_Saisie();
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

void MainWindow::colour(QWidget *w, const QColor &c)
{
    QPalette p = w->palette();
    p.setColor(QPalette::Base, c);
    p.setColor(QPalette::Button, c);
    w->setPalette(p);
    w->setAutoFillBackground(true);
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
    QFont bold = I_Station->font();
    bold.setBold(true);
    bold.setPointSize(bold.pointSize() + 2);
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

    // Entry area.
    auto *frame3 =
        named(new QGroupBox(QStringLiteral("Saisie ou modification d'un QSO")), "Frame3");
    auto *grid = new QGridLayout(frame3);
    Bande_A = named(new QComboBox, "Bande_A");
    Ind_A = named(new QLineEdit, "Ind_A");
    Prenom_A = named(new QLineEdit, "Prenom_A");
    Ref_A = named(new QLineEdit, "Ref_A");
    Dpt_A = named(new QLineEdit, "Dpt_A");
    Date_A = named(new QLineEdit, "Date_A");
    Heure_A = named(new QLineEdit, "Heure_A");
    Mode_A = named(new QComboBox, "Mode_A");
    RST_A = named(new QLineEdit(QStringLiteral("59")), "RST_A");
    RSTE_A = named(new QLineEdit(QStringLiteral("59")), "RSTE_A");
    Rem_A = named(new QLineEdit, "Rem_A");
    QSL_A = named(new QCheckBox, "QSL_A");
    QSL_A->setEnabled(false);
    Bande_A->setEditable(true);
    Mode_A->setEditable(true);
    Bande_A->setInsertPolicy(QComboBox::NoInsert);
    Mode_A->setInsertPolicy(QComboBox::NoInsert);
    Bande_A->lineEdit()->setObjectName(QStringLiteral("Bande_A_edit"));
    Mode_A->lineEdit()->setObjectName(QStringLiteral("Mode_A_edit"));

    struct Cell
    {
        const char *label;
        const char *caption;
        QWidget *field;
        int stretch;
    };
    const Cell cells[] = {
        {"Label26", "Bande", Bande_A, 2},
        {"Label8", "Indicatif", Ind_A, 3},
        {"Label6", "Prénom (optionnel)", Prenom_A, 3},
        {"Label1", "Ref Fontaine", Ref_A, 2},
        {"Label36", "Dpt", Dpt_A, 1},
        {"Label7", "Date", Date_A, 2},
        {"Label40", "Heure UTC", Heure_A, 2},
        {"Label16", "Mode", Mode_A, 2},
        {"Label41", "RST R", RST_A, 1},
        {"Label9", "RST E", RSTE_A, 1},
        {"Label4", "Nom de la Fontaine (optionnel)", Rem_A, 6},
        {"Label3", "QSL", QSL_A, 1},
    };
    int col = 0;
    for (const Cell &c : cells) {
        grid->addWidget(captionFor(QString::fromUtf8(c.caption), c.field, c.label), 0, col);
        grid->addWidget(c.field, 1, col);
        grid->setColumnStretch(col, c.stretch);
        ++col;
    }
    Valide_A = named(new QPushButton(QStringLiteral("Valider le QSO")), "Valide_A");
    Efface_A = named(new QPushButton(QStringLiteral("Annuler saisie en cours")), "Efface_A");
    Annule_Saisie = named(new QPushButton(QStringLiteral("Supprimer un QSO")), "Annule_Saisie");
    Annule_Saisie->setToolTip(QStringLiteral("Supprime du log le QSO affiché"));
    Ajout_QSO = named(new QPushButton(QStringLiteral("Inserer un QSO")), "Ajout_QSO");
    Rechercher = named(new QPushButton(QStringLiteral("Rechercher un QSO")), "Rechercher");
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(Valide_A);
    buttons->addWidget(Efface_A);
    buttons->addWidget(Annule_Saisie);
    buttons->addWidget(Ajout_QSO);
    buttons->addWidget(Rechercher);
    buttons->addStretch(1);
    buttons->addWidget(named(new QLabel(QStringLiteral("Mode de saisie")), "Label10"));
    Mode_Aff = named(new QLabel(QStringLiteral("Saisie QSO")), "Mode_Aff");
    Mode_Aff->setFont(bold);
    buttons->addWidget(Mode_Aff);
    grid->addLayout(buttons, 2, 0, 1, col);
    outer->addWidget(frame3);

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
    colour(Liste_VQX, kLightYellow);
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

    colour(Bande_A, kLightYellow);
    colour(Mode_A, kLightYellow);
    // The combo boxes keep the focus themselves and hand keys to their line
    // edits directly, so their keys are watched on the combo boxes.
    const QList<QWidget *> keyed = {Bande_A, Mode_A, Ind_A,  Dpt_A, Prenom_A, Ref_A,   Date_A,
                                    Heure_A, RST_A,  RSTE_A, Rem_A, QSL_A,    Valide_A};
    for (QWidget *w : keyed)
        w->installEventFilter(this);

    connect(Efface_A, &QPushButton::clicked, this, &MainWindow::Reset_Saisie);
    connect(Valide_A, &QPushButton::clicked, this, &MainWindow::Valider_Qso);
    connect(Annule_Saisie, &QPushButton::clicked, this, &MainWindow::supprimerQso);
    connect(Ajout_QSO, &QPushButton::clicked, this, &MainWindow::insererQso);
    connect(Rechercher, &QPushButton::clicked, this, &MainWindow::openSearch);
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
        onListDoubleClicked();
    });
    Bande_A->setCompleter(nullptr);
    Mode_A->setCompleter(nullptr);
    connect(Bande_A, &QComboBox::activated, this, [this] { rememberChoice(Bande_A); });
    connect(Mode_A, &QComboBox::activated, this, [this] { rememberChoice(Mode_A); });
    for (QLineEdit *e : {Ind_A, Dpt_A, Prenom_A, Ref_A, Date_A, Heure_A, RST_A, RSTE_A, Rem_A,
                         Bande_A->lineEdit(), Mode_A->lineEdit()})
        connect(e, &QLineEdit::textEdited, this, [this, e] { keepRepresentable(e); });
}

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
    connect(Mnu_Apropos, &QAction::triggered, this, &MainWindow::showAbout);
    connect(Mnu_Historique, &QAction::triggered, this, &MainWindow::showHistory);

    // Desktops open the menu bar with F10; Qt leaves that key to the program.
    auto *f10 = new QShortcut(QKeySequence(Qt::Key_F10), this);
    f10->setObjectName(QStringLiteral("F10"));
    connect(f10, &QShortcut::activated, this,
            [bar] { bar->setActiveAction(bar->actions().constFirst()); });
}

void MainWindow::applyDateModeFromSettings()
{
    const QString v = readSetting(stationSection(m_shared.Indicatif_Station), kKeyDateAuto,
                                  QStringLiteral("Oui"));
    if (v == QStringLiteral("Oui")) {
        Mnu_Date_Auto->setChecked(true);
        Mnu_Date_Man->setChecked(false);
        Label5->setText(QStringLiteral("Date automatique"));
    } else if (v == QStringLiteral("Non")) {
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
    if (automatic)
        Date_A->clear();
    writeSetting(stationSection(m_shared.Indicatif_Station), kKeyDateAuto,
                 automatic ? QStringLiteral("Oui") : QStringLiteral("Non"));
}

bool MainWindow::dateAuto() const
{
    return Mnu_Date_Auto->isChecked();
}

bool MainWindow::dateFromClock() const
{
    return dateAuto() && !m_shared.Flag_Insert && !m_shared.Flag_Modif;
}

void MainWindow::takeDateFromClock()
{
    Date_A->setText(Label33->text());
    Heure_A->setText(Label37->text().left(5));
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

void MainWindow::reselectBandAndMode()
{
    const QString section = stationSection(m_shared.Indicatif_Station);
    bool ok = false;
    const int band = readSetting(section, kKeyBande, QStringLiteral("0")).toInt(&ok);
    // A position outside the list leaves the selection as it is.
    if (ok && band >= 0 && band < Bande_A->count())
        Bande_A->setCurrentIndex(band);
    const int mode = readSetting(section, kKeyMode, QStringLiteral("0")).toInt(&ok);
    if (ok && mode >= 0 && mode < Mode_A->count())
        Mode_A->setCurrentIndex(mode);
}

bool MainWindow::Charger_Log()
{
    const LoadedLog loaded = vqx::Charger_Log(logPath());
    m_model->setLines(loaded.lines);
    reportLoadProblems(loaded);
    Ind_A->setEnabled(true);
    return loaded.file.ok();
}

void MainWindow::reportLoadProblems(const LoadedLog &loaded)
{
    const QString file = QDir::toNativeSeparators(loaded.file.path);
    switch (loaded.file.error) {
    case FileError::None:
        break;
    case FileError::Missing:
        message(QStringLiteral("Le log ") + file +
                QStringLiteral(" est introuvable : la liste des QSO reste vide et aucun fichier "
                               "n'a été créé.\r\nPour créer le log de cette station, choisissez "
                               "son indicatif dans le menu Station."));
        return;
    case FileError::NotAFile:
        message(QStringLiteral("Le log ") + file +
                QStringLiteral(" n'est pas un fichier : la liste des QSO reste vide."));
        return;
    default:
        message(QStringLiteral("Le log ") + file + QStringLiteral(" n'a pas pu être lu (") +
                loaded.file.detail + QStringLiteral(") : la liste des QSO reste vide."));
        return;
    }
    const LogIrregularities &irr = loaded.irregular;
    if (!irr.any())
        return;
    QStringList what;
    if (irr.wrongLengthLines)
        what << QStringLiteral("%1 ligne(s) qui n'ont pas 107 caractères (la première est la "
                               "ligne %2)")
                    .arg(irr.wrongLengthLines)
                    .arg(irr.firstWrongLine);
    if (irr.bareLineFeeds)
        what << QStringLiteral("des fins de ligne qui ne sont pas CR LF");
    if (irr.nonTextBytes)
        what << QStringLiteral("des caractères qui ne sont pas du texte");
    message(QStringLiteral("Le log ") + file + QStringLiteral(" contient ") +
            what.join(QStringLiteral(", ")) +
            QStringLiteral(".\r\nLes QSO sont affichés tels quels et le fichier n'a pas été "
                           "modifié."));
}

bool MainWindow::applyChange(const LogChange &change)
{
    reportBackupFailure();
    if (!change.ok()) {
        const QString file = QDir::toNativeSeparators(change.file.path);
        if (change.file.error == FileError::Missing) {
            message(QStringLiteral("Le log ") + file +
                    QStringLiteral(" est introuvable : rien n'a été enregistré.\r\nPour créer le "
                                   "log de cette station, choisissez son indicatif dans le menu "
                                   "Station."));
        } else {
            message(QStringLiteral("Le log ") + QDir::toNativeSeparators(logPath()) +
                    QStringLiteral(" n'a pas pu être mis à jour (") + file +
                    (change.file.detail.isEmpty() ? QString()
                                                  : QStringLiteral(" : ") + change.file.detail) +
                    QStringLiteral(").\r\nLe log est resté tel qu'il était."));
        }
        return false;
    }
    // The line last clicked may be gone or changed; a double click must not
    // modify it, so it is forgotten unless the selection below renews it.
    m_shared.Ligne_Selection.clear();
    m_model->setLines(change.lines);
    Ind_A->setEnabled(true);
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

void MainWindow::Reset_Saisie()
{
    for (QLineEdit *e : {Dpt_A, Prenom_A, Ref_A, Date_A, Heure_A}) {
        e->clear();
        e->setEnabled(false);
        colour(e, kLightYellow);
    }
    const QString section = stationSection(m_shared.Indicatif_Station);
    bool ok = false;
    const int mode = readSetting(section, kKeyMode, QStringLiteral("0")).toInt(&ok);
    Mode_A->setCurrentIndex(ok && mode >= 0 && mode < Mode_A->count() ? mode : 0);
    Mode_A->setEnabled(false);
    colour(Mode_A, kLightYellow);
    const int band = readSetting(section, kKeyBande, QStringLiteral("0")).toInt(&ok);
    Bande_A->setCurrentIndex(ok && band >= 0 && band < Bande_A->count() ? band : 0);
    Bande_A->setEnabled(true);
    idleReports();
    Rem_A->setText(QStringLiteral(" "));
    Rem_A->setEnabled(false);
    colour(Rem_A, kLightYellow);
    // An empty entry area must not be recordable: Tab would reach the box,
    // and Enter there opens Valide_A.
    QSL_A->setChecked(false);
    QSL_A->setEnabled(false);
    Ind_A->clear();
    colour(Ind_A, kLightGreen);
    Ind_A->setEnabled(true);
    // Without a station callsign nothing may enter the field, pasted text
    // included; the first-run message answers every key typed there.
    Ind_A->setReadOnly(m_shared.Indicatif_Station == kFirstRunCallsign);
    Ind_A->setFocus();
    m_shared.Flag_Modif = false;
    m_shared.Flag_Edition = false;
    m_shared.Flag_Insert = false;
    Annule_Saisie->setEnabled(false);
    Valide_A->setEnabled(false);
    Mode_Aff->setText(QStringLiteral("Saisie QSO"));
}

QString MainWindow::defaultReport(const QString &mode)
{
    return mode == QStringLiteral("CW") ? QStringLiteral("599") : QStringLiteral("59");
}

void MainWindow::idleReports()
{
    const QString report = defaultReport(Mode_A->currentText());
    for (QLineEdit *e : {RST_A, RSTE_A}) {
        e->setEnabled(false);
        colour(e, kLightYellow);
        e->setText(report);
    }
}

void MainWindow::showAbout()
{
    // The map's licence (CC BY 4.0) asks for its authors to be credited.
    m_services.messages->about(
        this,
        QStringLiteral("ZAT_VQX  Révision ") + m_shared.Revision_Texte +
            QStringLiteral("\r\n\r\nCarnet de trafic pour le diplôme VQX des fontaines de "
                           "France.\r\nLes logs sont dans le dossier : ") +
            QDir::toNativeSeparators(m_services.dataDir) + QStringLiteral("\r\n\r\n") + kMapCredit,
        awardLogo(devicePixelRatioF()));
}

void MainWindow::showHistory()
{
    message(m_shared.Historique_Texte);
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

void MainWindow::centre(QWidget *w) const
{
    w->adjustSize();
    if (const QScreen *screen = this->screen()) {
        const QRect area = screen->availableGeometry();
        w->move(area.x() + (area.width() - w->width()) / 2,
                area.y() + (area.height() - w->height()) / 2);
    }
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
    // A line being modified, inserted or shown belongs to the former log.
    m_shared.Flag_Modif = false;
    m_shared.Flag_Insert = false;
    m_shared.Flag_Edition = false;
    m_shared.Ligne_Selection.clear();
    Charger_Log();
    selectLastLine();
    Reset_Saisie();
    // Nothing of the new list has been clicked yet: nothing to delete or modify.
    m_shared.Ligne_Selection.clear();
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
    QWidget *w = make();
    if (!w)
        return nullptr;
    w->setAttribute(Qt::WA_DeleteOnClose);
    w->setWindowFlag(Qt::Window, true);
    centre(w);
    m_windows.insert(key, w);
    w->show();
    return w;
}

void MainWindow::showStation(bool modal)
{
    auto make = [this]() -> StationWindow * {
        StationHost host;
        host.showCallsign = [this](const QString &shown) { setStationLabel(shown); };
        host.reselectBandAndMode = [this] { reselectBandAndMode(); };
        host.reloadLog = [this] {
            m_session->forgetUndo();
            stationChanged();
        };
        return new StationWindow(m_services, &m_shared, host, this);
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

} // namespace vqx
