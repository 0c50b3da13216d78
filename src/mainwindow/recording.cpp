// Recording a contact, deleting the one last clicked, starting an insertion.
#include "entry_form.h"

#include "logstore/codepage.h"
#include "logstore/file_messages.h"
#include "logstore/log_record.h"
#include "logstore/log_session.h"
#include "logstore/prenoms.h"
#include "platform/message_boxes.h"
#include "session/shared_values.h"
#include "widgets/ui_style.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace vqx {

QsoFields EntryForm::fieldsForRecording() const
{
    QsoFields f;
    f.indicatif = Ind_A->text();
    f.dpt = departementForEntry(Dpt_A->text());
    f.prenom = codepage::upper(Prenom_A->text());
    f.ref = Ref_A->text();
    f.date = Date_A->text();
    f.heure = Heure_A->text();
    f.mode = Mode_A->currentText();
    f.qrg = bandeForEntry(Bande_A->currentText());
    f.rstR = RST_A->text();
    f.rstE = RSTE_A->text();
    f.nomFontaine = fountainNameForLine(Rem_A->text());
    f.qsl = QSL_A->isChecked();
    return f;
}

QWidget *EntryForm::entryWidget(EntryField field) const
{
    switch (field) {
    case EntryField::Bande:
        return Bande_A;
    case EntryField::Indicatif:
        return Ind_A;
    case EntryField::Prenom:
        return Prenom_A;
    case EntryField::Ref:
        return Ref_A;
    case EntryField::Dpt:
        return Dpt_A;
    case EntryField::Date:
        return Date_A;
    case EntryField::Heure:
        return Heure_A;
    case EntryField::Mode:
        return Mode_A;
    case EntryField::RstR:
        return RST_A;
    case EntryField::RstE:
        return RSTE_A;
    case EntryField::NomFontaine:
        return Rem_A;
    }
    return Ind_A;
}

void EntryForm::Valider_Qso()
{
    // A date emptied by choosing the automatic mode is the clock's, as Enter
    // in the department would have given it.
    if (dateFromClock() && (Date_A->text().isEmpty() || Heure_A->text().isEmpty())) {
        m_host->refreshClock();
        takeDateFromClock();
    }
    // Fields can be changed without Enter (reopened, or all open in a
    // modification): the whole contact is checked before anything is asked
    // or written.
    const QsoFields f = fieldsForRecording();
    const FieldProblem problem = checkContact(f);
    if (!problem.ok()) {
        message(problem.message);
        QWidget *field = entryWidget(problem.field);
        field->setEnabled(true);
        setFieldColour(field, kLightGreen);
        giveTurn(field);
        return;
    }
    const QString line = buildQsoLine(f);
    if (line.isEmpty()) {
        message(QStringLiteral("Ce QSO ne peut pas être enregistré : un champ contient un "
                               "caractère qui ne peut pas être écrit dans le log."));
        return;
    }
    if (!m_services.messages->question(this,
                                       QStringLiteral("Voulez vous enregistrer ces données ?"))) {
        returnToWaiting(Date_A->text());
        return;
    }
    // The fields show what is written.
    Prenom_A->setText(f.prenom);
    Dpt_A->setText(f.dpt);
    Rem_A->setText(f.nomFontaine);
    Bande_A->setCurrentIndex(bandePosition(f.qrg));
    Bande_A->setEditText(f.qrg);
    // Showing the last line after the change fills the fields; in manual date
    // mode the date kept for the next contact is the one just used.
    const QString dateUsed = f.date;
    // A log or first-name directory the operator made read-only is left
    // alone, the backup included; the contact stays in the fields.
    if (const FileResult writable = m_session->checkWritable(true); !writable.ok()) {
        message(readOnlyMessage(writable, QStringLiteral("le QSO n'a pas été enregistré")));
        return;
    }
    m_session->backupBeforeFirstChange();
    // The contact matters more than the first name: a failed store is told
    // with the rest of the operation, and the contact is still written.
    OperationFaults faults;
    if (FileResult stored =
            m_session->Memoriser_Prenom(buildPrenomLine(f.indicatif, f.dpt, f.prenom));
        !stored.ok())
        faults.prenoms = stored;

    LogChange change;
    if (Flag_Modif) {
        // The list shows the line as stored, so its columns rebuild the file's
        // line, a fountain name written in lower case by hand included.
        change = m_session->Remplacer_Qso(line, qsoLineFromListLine(Ligne_Selection));
    } else if (m_host->dateAuto() && !Flag_Insert) {
        change = m_session->Ajouter_Qso(line);
    } else {
        change = m_session->Inserer_Qso_Chrono(line);
    }
    const bool newContact = !Flag_Modif;
    // A contact that could not be written stays in the fields, ready to try again.
    if (!m_host->applyChange(change, faults))
        return;
    returnToWaiting(dateUsed);
    if (newContact)
        emit contactRecorded(f.indicatif, f.ref);
}

void EntryForm::returnToWaiting(const QString &dateUsed)
{
    m_host->selectLastLine();
    Flag_Modif = false;
    Flag_Insert = false;
    Flag_Edition = false;
    Mode_Aff->setText(QStringLiteral("Saisie QSO"));
    Valide_A->setEnabled(false);
    for (QLineEdit *e : {Ind_A, Dpt_A, Prenom_A, Ref_A, Heure_A, Rem_A}) {
        e->clear();
        e->setEnabled(false);
        setFieldColour(e, kLightYellow);
    }
    // In manual date mode the date stays for the next contact.
    if (m_host->dateAuto())
        Date_A->clear();
    else
        Date_A->setText(dateUsed);
    Date_A->setEnabled(false);
    setFieldColour(Date_A, kLightYellow);
    Mode_A->setEnabled(false);
    setFieldColour(Mode_A, kLightYellow);
    setFieldColour(Bande_A, kLightYellow);
    idleReports();
    QSL_A->setChecked(false);
    QSL_A->setEnabled(false);
    setFieldColour(Ind_A, kLightGreen);
    Ind_A->setEnabled(true);
    Ind_A->setFocus();
    reselectBandAndMode();
    startContact();
}

void EntryForm::supprimerQso()
{
    if (Ligne_Selection.isEmpty()) {
        message(QStringLiteral("Cliquez sur une ligne pour l'effacer"));
        return;
    }
    const QString line = qsoLineFromListLine(Ligne_Selection);
    if (m_services.messages->question(this, QStringLiteral("Voulez vous Supprimer ce QSO ?")))
        m_host->applyChange(m_session->Supprimer_Qso(line), {});
    Annule_Saisie->setEnabled(false);
    Reset_Saisie();
}

void EntryForm::insererQso()
{
    // The contact starts from nothing: text typed over a line shown or
    // being modified would mix with it, and that line's first name would be
    // stored under the new callsign. Reset_Saisie opens Ind_A again.
    Reset_Saisie();
    Flag_Insert = true;
    Mode_Aff->setText(QStringLiteral("Insertion QSO"));
}

} // namespace vqx
