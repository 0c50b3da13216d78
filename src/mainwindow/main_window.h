#pragma once

#include "logstore/entry_rules.h"
#include "logstore/log_operations.h"
#include "mainwindow/shared_values.h"
#include "platform/services.h"

#include <QHash>
#include <QMainWindow>
#include <QMargins>
#include <QPointer>
#include <functional>

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListView;
class QMenu;
class QPushButton;
class QTimer;
class QGroupBox;

namespace vqx {

class LogListModel;
class LogSession;
struct BackupEntry;

// The main window's size when the screen has room for it.
inline constexpr QSize kWantedSize(1280, 760);

// Light yellow: accepted or idle fields; light green: the field whose turn it is.
inline const QColor kLightYellow(255, 255, 192);
inline const QColor kLightGreen(192, 255, 192);

// The main window "Main": the log list, the entry area, the clocks, the menus.
class MainWindow : public QMainWindow
{
    Q_OBJECT
public:
    explicit MainWindow(const Services &services, QWidget *parent = nullptr);
    ~MainWindow() override;

    // The start-up steps that follow the window's construction: first-run
    // message and station window, loading the log, selecting its last line,
    // emptying the entry area.
    void start();

    SharedValues &shared() { return m_shared; }
    const Services &services() const { return m_services; }
    LogListModel *logModel() const { return m_model; }
    QString logPath() const;

    // Fills the list from the log; false when the log could not be read.
    bool Charger_Log();
    void Reset_Saisie();
    // Selects a line of the list; the program's selection counts as a click.
    void selectListLine(int row);
    void selectLastLine();
    // The clock refresh of Timer1.
    void refreshClock();

    // Shows the callsign in the station label.
    void setStationLabel(const QString &text);
    // Reselects the remembered band and mode of the current station.
    void reselectBandAndMode();

    // Opens a secondary window once; a second call brings it to the front.
    QWidget *showSecondary(const QString &key, const std::function<QWidget *()> &make);
    QWidget *secondary(const QString &key) const;
    // After a change of station callsign: reloads the list and empties the
    // entry area; the windows showing the former station's data are closed.
    void stationChanged();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    // Opens the window at its wanted size, smaller where needed for it and
    // its frame to fit the screen's free area, and centres it there. Until
    // the window manager has framed the window, its frame is a guess.
    void fitToScreen(const QMargins &frame);
    QMargins measuredFrame() const;
    void buildControls();
    void buildMenus();
    void applyDateModeFromSettings();
    void setDateMode(bool automatic);
    bool dateAuto() const;
    void showStation(bool modal);
    void centre(QWidget *w) const;
    void showAbout();
    void showHistory();
    void quitProgram();
    // Reports a failed change and keeps the list; true when the change went through.
    bool applyChange(const LogChange &change);
    void reportLoadProblems(const LoadedLog &loaded);
    QString readSetting(const QString &section, const QString &key, const QString &def) const;
    void writeSetting(const QString &section, const QString &key, const QString &value);
    void colour(QWidget *w, const QColor &c);
    // Both report fields idle, holding the default report of the shown mode.
    void idleReports();
    static QString defaultReport(const QString &mode);
    void message(const QString &text);

    // Entry area (entry_fields.cpp).
    bool handleFieldKey(QWidget *field, QKeyEvent *key);
    void turnTo(QWidget *from, QWidget *to);
    // Focus to a field whose turn has come, its text ready to be typed over.
    void giveTurn(QWidget *field);
    // Shows the message of a broken rule; false when there is none.
    bool refuse(const QString &problem);
    // Automatic date mode outside an insertion or a modification: the date
    // and time of a contact come from the clock.
    bool dateFromClock() const;
    void takeDateFromClock();
    bool enterBande();
    void enterIndicatif();
    void enterPrenom();
    void enterRef();
    void enterDpt();
    void enterDate();
    void enterHeure();
    bool enterMode();
    void enterReport(QLineEdit *field, QWidget *next);
    void enterRem();
    void enterQsl();
    void Chercher_Prenom(const QString &indicatif);
    void rememberListPosition(QComboBox *combo, int position);
    void rememberChoice(QComboBox *combo);
    int listPosition(QComboBox *combo);
    void keepRepresentable(QLineEdit *field);

    // Recording and list editing (recording.cpp).
    void Valider_Qso();
    // The contact as it is written, read from the fields.
    QsoFields fieldsForRecording() const;
    QWidget *entryWidget(EntryField field) const;
    void returnToWaiting(const QString &dateUsed);
    void onListClicked(int row);
    void onListDoubleClicked();
    void supprimerQso();
    void insererQso();
    void showLineInFields(const QString &listLine);

    // Undo, restore, backup reports (safety_menu.cpp).
    void addSafetyItems(QMenu *fichier);
    void Annuler_Modification();
    void openRestore();
    bool restoreBackup(const BackupEntry &copy);
    void reportBackupFailure();

    // Menu actions implemented by the other windows.
    void openAwards(const QString &group);
    void openContactedList();
    void openMap();
    void openSearch();
    void openCluster();
    void openReglement();
    void exportAdif();
    void exportAdifStandard();
    void importAdif();

    Services m_services;
    SharedValues m_shared;
    LogListModel *m_model = nullptr;
    // Every change of the log goes through it: backups and undo.
    LogSession *m_session = nullptr;
    QHash<QString, QPointer<QWidget>> m_windows;
    bool m_frameChecked = false; // the real frame has been measured once
    QMargins m_frameUsed;        // the frame the window was last fitted with
    bool m_inClick = false;
    // Keys that change the list's current line are clicks; this guards the
    // program's own selection from running the click handling twice.

public:
    // Controls, named as the operator's screen names them.
    QLineEdit *Ind_A = nullptr;
    QLineEdit *Dpt_A = nullptr;
    QLineEdit *Prenom_A = nullptr;
    QLineEdit *Ref_A = nullptr;
    QLineEdit *Date_A = nullptr;
    QLineEdit *Heure_A = nullptr;
    QComboBox *Mode_A = nullptr;
    QComboBox *Bande_A = nullptr;
    QLineEdit *RST_A = nullptr;
    QLineEdit *RSTE_A = nullptr;
    QLineEdit *Rem_A = nullptr;
    QCheckBox *QSL_A = nullptr;
    QPushButton *Valide_A = nullptr;
    QPushButton *Efface_A = nullptr;
    QPushButton *Annule_Saisie = nullptr;
    QPushButton *Ajout_QSO = nullptr;
    QPushButton *Rechercher = nullptr;
    QListView *Liste_VQX = nullptr;
    QLabel *Label_Liste_VQX = nullptr;
    QLabel *Mode_Aff = nullptr;
    QLabel *I_Station = nullptr;
    QLabel *Label33 = nullptr;
    QLabel *Label37 = nullptr;
    QLabel *Label34 = nullptr;
    QLabel *Label5 = nullptr;
    QTimer *Timer1 = nullptr;
    QAction *Mnu_ADIF = nullptr;
    QAction *Mnu_ADIF_Standard = nullptr;
    QAction *Mnu_Import_ADIF = nullptr;
    QAction *Mnu_Annuler = nullptr;
    QAction *Mnu_Restaurer = nullptr;
    QAction *Mnu_Quitter = nullptr;
    QAction *Mnu_Date_Auto = nullptr;
    QAction *Mnu_Date_Man = nullptr;
    QAction *Mnu_New_Indicatif = nullptr;
    QAction *Mnu_L_Contacte = nullptr;
    QAction *Mnu_Carte_Contacte = nullptr;
    QAction *Mnu_HF = nullptr;
    QAction *Mnu_VHF = nullptr;
    QAction *Mnu_Cluster = nullptr;
    QAction *Mnu_Reglement = nullptr;
    QAction *Mnu_Apropos = nullptr;
    QAction *Mnu_Historique = nullptr;
};

// Texts of the main window that other parts and tests rely on.
inline const QString kColumnHeader = QStringLiteral(
    "         N°    Indicatif               Dpt      Prénom                       Ref            "
    "Date          QTR    Mode     QRG   RSTR RSTE        Mom de la Fontaine                     "
    "    QSL");
inline const QString kListTooltip = QStringLiteral(
    "Un click sur un QSO pour l'afficher ou le supprimer, un double click pour l'editer");

} // namespace vqx
