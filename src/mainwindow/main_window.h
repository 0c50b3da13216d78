#pragma once

#include "awards/award_levels.h"
#include "entry_form.h"
#include "logstore/log_operations.h"
#include "platform/services.h"
#include "session/shared_values.h"
#include "version.h"
#include "widgets/ui_style.h"

#include <QHash>
#include <QMainWindow>
#include <QMargins>
#include <QPointer>
#include <functional>

class QAction;
class QLabel;
class QListView;
class QMenu;
class QTimer;

namespace vqx {

class LogListModel;
class LogSession;
class SpotFeed;
struct SpotRow;
class RigControl;
struct BackupEntry;

// The main window's size when the screen has room for it.
inline constexpr QSize kWantedSize(1280, 760);

// The main window "Main": the log list, the entry area, the clocks, the menus.
class MainWindow : public QMainWindow, private EntryFormHost
{
    Q_OBJECT
public:
    explicit MainWindow(const Services &services, QWidget *parent = nullptr);
    ~MainWindow() override;

    // The start-up steps that follow the window's construction: first-run
    // message and station window, loading the log, selecting its last line,
    // emptying the entry area.
    void start();

    // What the window holds, for the tests that check it.
    SharedValues &shared() { return m_shared; }
    const AwardChoice &awardChoice() const { return m_awardChoice; }
    EntryForm *form() const { return m_form; }
    const Services &services() const { return m_services; }
    LogListModel *logModel() const { return m_model; }
    QString logPath() const;
    // The radio through rigctld: its dial, its status line, and tune().
    RigControl *rig() const { return m_rig; }

    // Fills the list from the log; false when the log could not be read.
    bool Charger_Log();
    // Selects a line of the list; the program's selection counts as a click.
    void selectListLine(int row);
    void selectLastLine() override;
    // The clock refresh of Timer1.
    void refreshClock() override;

    // Shows the callsign in the station label.
    void setStationLabel(const QString &text);

    // Opens a secondary window once; a second call brings it to the front.
    QWidget *showSecondary(const QString &key, const std::function<QWidget *()> &make);
    QWidget *secondary(const QString &key) const;
    // After a change of station callsign: reloads the list and empties the
    // entry area; the windows showing the former station's data are closed.
    void stationChanged();
    // What follows the cluster for the whole run.
    SpotFeed *spotFeed() const { return m_spots; }

signals:
    // A spot was taken into the entry area: the radio goes to it when rig
    // control is on (Hz, and the radio's mode: "CW", "USB", "LSB", "FM").
    void tuneRequested(qint64 hz, const QString &mode);

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
    bool dateAuto() const override;
    QString clockDate() const override;
    QString clockTime() const override;
    void showStation(bool modal);
    void centre(QWidget *w) const;
    void showAbout();
    void showHistory();
    void quitProgram();
    // Reports a failed change and keeps the list; true when the change went
    // through. One message tells every file of the operation not written.
    bool applyChange(const LogChange &change, const OperationFaults &earlier) override;
    bool applyChange(const LogChange &change) { return applyChange(change, {}); }
    void reportLoadProblems(const LoadedLogBuffer &loaded);
    QString readSetting(const QString &section, const QString &key, const QString &def) const;
    void writeSetting(const QString &section, const QString &key, const QString &value);
    void message(const QString &text);
    void onListClicked(int row);

    // Undo, restore, backup reports (safety_menu.cpp).
    void addSafetyItems(QMenu *fichier);
    void undoLastChange();
    void openRestore();
    bool restoreBackup(const BackupEntry &copy);

    // Menu actions implemented by the other windows.
    void openAwards(const QString &group);
    void openContactedList();
    void openMap();
    void openSearch() override;
    void openCluster();
    void openReglement();
    void openSpots();
    void useSpot(const SpotRow &row);
    void alertSpot(const SpotRow &row);
    // Connects to the station's node when its settings ask for it.
    void startClusterLink();
    void openRig();
    // The rig settings of the current station applied; the status line
    // shows only while rig control is on.
    void applyRigSettings();
    void showRigStatus(const QString &status);
    void exportAdif();
    void exportAdifStandard();
    void importAdif();

    Services m_services;
    SharedValues m_shared;
    AwardChoice m_awardChoice;
    LogListModel *m_model = nullptr;
    EntryForm *m_form = nullptr;
    // Every change of the log goes through it: backups and undo.
    LogSession *m_session = nullptr;
    SpotFeed *m_spots = nullptr;
    RigControl *m_rig = nullptr;
    QHash<QString, QPointer<QWidget>> m_windows;
    bool m_frameChecked = false; // the real frame has been measured once
    QMargins m_frameUsed;        // the frame the window was last fitted with
    bool m_inClick = false;
    // Keys that change the list's current line are clicks; this guards the
    // program's own selection from running the click handling twice.

    // Shown in the title and the About box, with its leading blank.
    const QString Revision_Texte = QStringLiteral(" " VQX_VERSION);
    QString Historique_Texte;

public:
    // Controls, named as the operator's screen names them; the entry area's
    // are the form's.
    QListView *Liste_VQX = nullptr;
    QLabel *Label_Liste_VQX = nullptr;
    QLabel *I_Station = nullptr;
    QLabel *Label33 = nullptr;
    QLabel *Label37 = nullptr;
    QLabel *Label34 = nullptr;
    QLabel *Label5 = nullptr;
    QLabel *Etat_Poste = nullptr; // the radio's status line
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
    QAction *Mnu_Spots = nullptr;
    QAction *Mnu_Poste = nullptr;
    QAction *Mnu_Apropos = nullptr;
    QAction *Mnu_Historique = nullptr;
};

// The caption of Label_Liste_VQX, over the columns of the log list.
inline const QString kColumnHeader = QStringLiteral(
    "         N°    Indicatif               Dpt      Prénom                       Ref            "
    "Date          QTR    Mode     QRG   RSTR RSTE        Mom de la Fontaine                     "
    "    QSL");
// The log list's tooltip, also the caption of the frame L_Communes around it.
inline const QString kListTooltip = QStringLiteral(
    "Un click sur un QSO pour l'afficher ou le supprimer, un double click pour l'editer");

} // namespace vqx
