#pragma once

#include "logstore/entry_rules.h"
#include "logstore/file_messages.h"
#include "logstore/log_operations.h"
#include "platform/services.h"

#include <QGroupBox>
#include <functional>

class QCheckBox;
class QComboBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;

namespace vqx {

class LogSession;
struct SharedValues;

// What Ind_A answers while the station has no callsign.
QString firstRunMessage();

// What the entry form asks of the window around it.
class EntryFormHost
{
public:
    // The date mode: true while Mnu_Date_Auto is ticked.
    virtual bool dateAuto() const = 0;
    // The UTC date (dd/mm/yy) and time (hh:mm) the clock shows.
    virtual QString clockDate() const = 0;
    virtual QString clockTime() const = 0;
    // Sets the clock to this very moment.
    virtual void refreshClock() = 0;
    // Shows the log after a change; false, once the operator is told why,
    // when the change did not go through. The files the operation wrote
    // before the log and could not write are told in the same message.
    virtual bool applyChange(const LogChange &change, const OperationFaults &earlier) = 0;
    // Selects the last line of the list, as a click would.
    virtual void selectLastLine() = 0;
    // The operator asked for the search window.
    virtual void openSearch() = 0;

protected:
    ~EntryFormHost() = default;
};

// The frame "Saisie ou modification d'un QSO" (Frame3): the twelve fields of
// a contact and the buttons that record, abandon, delete, insert and search.
// Each field checks its value on Enter and hands the turn to the next one.
class EntryForm : public QGroupBox
{
    Q_OBJECT
public:
    // Every change of the log goes through `session`, which keeps the
    // backups and the undo.
    EntryForm(const Services &services, const SharedValues *shared, LogSession *session,
              EntryFormHost *host, QWidget *parent = nullptr);

    // Empties the entry area for a new contact: "Saisie QSO", focus in Ind_A.
    void Reset_Saisie();
    // Reselects the remembered band and mode of the current station.
    void reselectBandAndMode();
    // A click on a list line, or the program's selection of one.
    void showListLine(const QString &listLine);
    // A double click on the list: the line last clicked is opened for modification.
    void startModification();
    // The log shown in the list changed: the line last clicked may be gone.
    void forgetSelection();
    // The log is read again (undo, restore, a station change): what the
    // fields hold belongs to the log as it was. `reload` rereads it, out of
    // any modification, then the area waits for a new contact.
    void abandonForReload(const std::function<void()> &reload);
    // The date mode was changed from the menu.
    void dateModeChanged(bool automatic);
    // A spot chosen in the spots window: band and mode are selected, the
    // callsign and the reference go through the Enter chain as if typed,
    // and the focus lands where the operator types next. Refused with a
    // message during a modification or an insertion; false when the contact
    // was not started.
    bool takeSpot(const QString &band, const QString &mode, const QString &callsign,
                  const QString &ref);
    // The radio's dial: a position in the band list (-1 for none) and an
    // entry mode ("" for none). Taken while the area waits for a new contact
    // and until Mode_A is passed in the contact being typed; never in a
    // modification or an insertion, never over a band or mode chosen by
    // hand in this contact. What is taken is remembered as if chosen.
    void applyRadio(int bandIndex, const QString &entryMode);

signals:
    // A new contact was written to the log (not a modification).
    void contactRecorded(const QString &callsign, const QString &ref);

public:
    // State of the entry area: a list line being modified, a contact to be
    // inserted, a line taken into the fields (the list then ignores clicks),
    // and the list line last clicked. Only the form writes them.
    bool Flag_Modif = false;
    bool Flag_Insert = false;
    bool Flag_Edition = false;
    QString Ligne_Selection;

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
    QLabel *Mode_Aff = nullptr;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildControls();
    QString logPath() const;
    int rememberedPosition(const QString &key) const;
    void message(const QString &text);

    // Typing and Enter, field by field.
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
    // Both report fields idle, holding the default report of the shown mode.
    void idleReports();

    // Recording, deleting, inserting.
    void Valider_Qso();
    // The contact as it is written, read from the fields.
    QsoFields fieldsForRecording() const;
    QWidget *entryWidget(EntryField field) const;
    void returnToWaiting(const QString &dateUsed);
    void showLineInFields(const QString &listLine);
    void supprimerQso();
    void insererQso();

    // A new contact starts: the radio may fill the band and the mode again.
    void startContact();
    // Puts an item in a combo box for the radio; true when it changed.
    bool showFromRadio(QComboBox *combo, int index);

    Services m_services;
    const SharedValues *m_shared;
    // In the contact being typed: band and mode chosen by hand, Mode_A passed.
    bool m_bandByHand = false;
    bool m_modeByHand = false;
    bool m_modePassed = false;
    bool m_fromRadio = false; // the radio is changing a combo box
    LogSession *m_session;
    EntryFormHost *m_host;
};

} // namespace vqx
