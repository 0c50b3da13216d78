// Recording a contact and working on the log list: click, double click,
// delete, insert.
#include "mainwindow/main_window.h"

#include "logstore/codepage.h"
#include "logstore/log_list_model.h"
#include "logstore/log_record.h"
#include "logstore/log_session.h"
#include "logstore/prenoms.h"
#include "platform/message_boxes.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace vqx {

QsoFields MainWindow::fieldsForRecording() const
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

QWidget *MainWindow::entryWidget(EntryField field) const
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

void MainWindow::Valider_Qso()
{
    // A date emptied by choosing the automatic mode is the clock's, as Enter
    // in the department would have given it.
    if (dateFromClock() && (Date_A->text().isEmpty() || Heure_A->text().isEmpty())) {
        refreshClock();
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
        colour(field, kLightGreen);
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
    m_session->backupBeforeFirstChange();
    const FileResult stored =
        Memoriser_Prenom(m_services.dataDir, buildPrenomLine(f.indicatif, f.dpt, f.prenom));
    if (!stored.ok()) {
        // The contact matters more than the first name: say so and go on.
        message(QStringLiteral("Le répertoire des prénoms ") +
                QDir::toNativeSeparators(QDir(m_services.dataDir).filePath(kPrenomFile)) +
                QStringLiteral(" n'a pas pu être mis à jour (") + stored.detail +
                QStringLiteral(") ; il est resté tel qu'il était."));
    }

    LogChange change;
    if (m_shared.Flag_Modif) {
        // The list shows the line as stored, so its columns rebuild the file's
        // line, a fountain name written in lower case by hand included.
        change = m_session->Remplacer_Qso(line, qsoLineFromListLine(m_shared.Ligne_Selection));
    } else if (dateAuto() && !m_shared.Flag_Insert) {
        change = m_session->Ajouter_Qso(line);
    } else {
        change = m_session->Inserer_Qso_Chrono(line);
    }
    // A contact that could not be written stays in the fields, ready to try again.
    if (!applyChange(change))
        return;
    returnToWaiting(dateUsed);
}

void MainWindow::returnToWaiting(const QString &dateUsed)
{
    selectLastLine();
    m_shared.Flag_Modif = false;
    m_shared.Flag_Insert = false;
    m_shared.Flag_Edition = false;
    Mode_Aff->setText(QStringLiteral("Saisie QSO"));
    Valide_A->setEnabled(false);
    for (QLineEdit *e : {Ind_A, Dpt_A, Prenom_A, Ref_A, Heure_A, Rem_A}) {
        e->clear();
        e->setEnabled(false);
        colour(e, kLightYellow);
    }
    // In manual date mode the date stays for the next contact.
    if (dateAuto())
        Date_A->clear();
    else
        Date_A->setText(dateUsed);
    Date_A->setEnabled(false);
    colour(Date_A, kLightYellow);
    Mode_A->setEnabled(false);
    colour(Mode_A, kLightYellow);
    colour(Bande_A, kLightYellow);
    idleReports();
    QSL_A->setChecked(false);
    QSL_A->setEnabled(false);
    colour(Ind_A, kLightGreen);
    Ind_A->setEnabled(true);
    Ind_A->setFocus();
    reselectBandAndMode();
}

void MainWindow::showLineInFields(const QString &listLine)
{
    Ind_A->setText(QsoListLine::Indicatif.cutTrimmed(listLine));
    Dpt_A->setText(QsoListLine::Dpt.cutTrimmed(listLine));
    Prenom_A->setText(QsoListLine::Prenom.cutTrimmed(listLine));
    Ref_A->setText(QsoListLine::Ref.cutTrimmed(listLine));
    Date_A->setText(QsoListLine::Date.cut(listLine));
    Heure_A->setText(QsoListLine::Heure.cut(listLine));
    Mode_A->setCurrentText(QsoListLine::Mode.cutTrimmed(listLine));
    Bande_A->setCurrentText(QsoListLine::QRG.cutTrimmed(listLine));
    RST_A->setText(QsoListLine::RstR.cutTrimmed(listLine));
    RSTE_A->setText(QsoListLine::RstE.cutTrimmed(listLine));
    Rem_A->setText(QsoListLine::NomFontaine.cutTrimmed(listLine));
    QSL_A->setChecked(QsoListLine::QSL.cut(listLine) == QStringLiteral("*"));
}

void MainWindow::onListClicked(int row)
{
    if (m_shared.Flag_Edition || row < 0 || row >= m_model->rowCount())
        return;
    m_shared.Ligne_Selection = m_model->listLine(row);
    Annule_Saisie->setEnabled(true);
    showLineInFields(m_shared.Ligne_Selection);
    Ind_A->setEnabled(false);
}

void MainWindow::onListDoubleClicked()
{
    if (m_shared.Flag_Edition)
        return;
    if (m_shared.Ligne_Selection.isEmpty()) {
        message(QStringLiteral("Cliquez sur une ligne pour l'editer"));
        return;
    }
    m_shared.Flag_Edition = true;
    m_shared.Flag_Modif = true;
    const QList<QWidget *> fields = {Ind_A,   Dpt_A, Prenom_A, Ref_A, Date_A, Heure_A, Mode_A,
                                     Bande_A, RST_A, RSTE_A,   Rem_A, QSL_A,  Valide_A};
    for (QWidget *w : fields)
        w->setEnabled(true);
    Mode_Aff->setText(QStringLiteral("Modification QSO"));
    showLineInFields(m_shared.Ligne_Selection);
    colour(Ind_A, kLightGreen);
    giveTurn(Ind_A);
}

void MainWindow::supprimerQso()
{
    if (m_shared.Ligne_Selection.isEmpty()) {
        message(QStringLiteral("Cliquez sur une ligne pour l'effacer"));
        return;
    }
    const QString line = qsoLineFromListLine(m_shared.Ligne_Selection);
    if (m_services.messages->question(this, QStringLiteral("Voulez vous Supprimer ce QSO ?")))
        applyChange(m_session->Supprimer_Qso(line));
    Annule_Saisie->setEnabled(false);
    Reset_Saisie();
}

void MainWindow::insererQso()
{
    // The contact starts from nothing: text typed over a line shown or
    // being modified would mix with it, and that line's first name would be
    // stored under the new callsign. Reset_Saisie opens Ind_A again.
    Reset_Saisie();
    m_shared.Flag_Insert = true;
    Mode_Aff->setText(QStringLiteral("Insertion QSO"));
}

} // namespace vqx
