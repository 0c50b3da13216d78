// Field-by-field entry of a contact: each field tests its value on Enter,
// then hands the turn to the next one.
#include "entry_form.h"

#include "logstore/codepage.h"
#include "logstore/contact_search.h"
#include "logstore/date_time_rules.h"
#include "logstore/entry_rules.h"
#include "logstore/file_messages.h"
#include "logstore/prenoms.h"
#include "platform/message_boxes.h"
#include "platform/settings_store.h"
#include "session/shared_values.h"
#include "widgets/ui_style.h"

#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

namespace vqx {

namespace {

bool isEnter(const QKeyEvent *key)
{
    return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
}

// The fixed text of the already-contacted message, between the reference and the date.
const QString kDejaContactee = QStringLiteral(" a déjà été contactée le ");

} // namespace

QString firstRunMessage()
{
    return QStringLiteral("\r\n         Premiere installation, vous devez entrer votre "
                          "Indicatif\r\n\r\nPour cela dans la barre des menus allez dans "
                          "Station puis Nouvel Indicatif.");
}

void EntryForm::keepRepresentable(QLineEdit *field)
{
    // Pasted text may hold characters the log's code page cannot store, or
    // letters followed by a combining accent.
    const QString text = field->text();
    const QString kept = codepage::storable(text);
    if (kept == text)
        return;
    const int cursor = int(codepage::storable(text.left(field->cursorPosition())).size());
    field->setText(kept);
    field->setCursorPosition(qMin(cursor, int(kept.size())));
}

void EntryForm::rememberListPosition(QComboBox *combo, int position)
{
    if (Flag_Modif)
        return;
    const QString key = combo == Bande_A ? kKeyBande : kKeyMode;
    m_services.settings->Ecrire_Reglage(kAppVqx, stationSection(m_shared->Indicatif_Station), key,
                                        QString::number(position));
}

void EntryForm::rememberChoice(QComboBox *combo)
{
    rememberListPosition(combo, combo->currentIndex());
}

int EntryForm::listPosition(QComboBox *combo)
{
    // A band typed "14 mhz" names the item "14 Mhz"; the text is left as it
    // is typed until Enter makes it that item.
    if (combo == Bande_A)
        return bandePosition(combo->currentText());
    // The item whose text is shown, -1 when the text is not one of the list.
    const int i = combo->findText(combo->currentText(), Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (i >= 0 && i != combo->currentIndex())
        combo->setCurrentIndex(i);
    return i;
}

bool EntryForm::handleFieldKey(QWidget *field, QKeyEvent *key)
{
    QWidget *w = field;
    // What is typed in a combo box lands in its line edit.
    auto *edit = qobject_cast<QLineEdit *>(field);
    if (auto *combo = qobject_cast<QComboBox *>(field))
        edit = combo->lineEdit();
    const bool enter = isEnter(key);
    // Shortcuts (copy, paste, undo) are not typing.
    const bool shortcut =
        key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    const QString text = shortcut ? QString() : key->text();

    if (w == Ind_A && m_shared->Indicatif_Station == kFirstRunCallsign && !text.isEmpty() &&
        key->key() != Qt::Key_Tab && key->key() != Qt::Key_Backtab) {
        // No contact can be logged before the station has a callsign, and
        // nothing typed meanwhile may wait in the field to be recorded later.
        message(firstRunMessage());
        return true;
    }

    if (w == Valide_A || w == QSL_A) {
        if (!enter)
            return false;
        if (w == Valide_A)
            Valide_A->click();
        else
            enterQsl();
        return true;
    }

    if (enter) {
        const int position = w == Mode_A ? listPosition(Mode_A) : -1;
        bool accepted = true;
        if (w == Bande_A) {
            // The band accepted is an item of the list: its position is remembered.
            if (enterBande())
                rememberListPosition(Bande_A, Bande_A->currentIndex());
            return true;
        }
        if (w == Ind_A)
            enterIndicatif();
        else if (w == Prenom_A)
            enterPrenom();
        else if (w == Ref_A)
            enterRef();
        else if (w == Dpt_A)
            enterDpt();
        else if (w == Date_A)
            enterDate();
        else if (w == Heure_A)
            enterHeure();
        else if (w == Mode_A)
            accepted = enterMode();
        else if (w == RST_A)
            enterReport(RST_A, RSTE_A);
        else if (w == RSTE_A)
            enterReport(RSTE_A, Rem_A);
        else if (w == Rem_A)
            enterRem();
        if (w == Mode_A && accepted)
            rememberListPosition(Mode_A, position);
        return true;
    }

    // Characters the code page cannot hold never reach a field.
    if (!text.isEmpty() && !codepage::isRepresentable(text))
        return true;
    if ((w == Bande_A || w == Mode_A) && !text.isEmpty())
        rememberListPosition(static_cast<QComboBox *>(w),
                             listPosition(static_cast<QComboBox *>(w)));
    // Typing rule: a-z are upper-cased as typed; the department keeps its case.
    if (w != Dpt_A && text.size() == 1 && text.at(0) >= QLatin1Char('a') &&
        text.at(0) <= QLatin1Char('z')) {
        if (edit) {
            edit->insert(codepage::upper(text));
            return true;
        }
    }
    return false;
}

void EntryForm::turnTo(QWidget *from, QWidget *to)
{
    setFieldColour(from, kLightYellow);
    to->setEnabled(true);
    setFieldColour(to, kLightGreen);
    giveTurn(to);
}

void EntryForm::giveTurn(QWidget *field)
{
    field->setFocus();
    // What the field already holds (a mode, a report, a first name found,
    // the kept date, a line being modified) is typed over, as after Tab.
    // The fountain name keeps its caret after the "F. " prefix instead.
    if (field == Rem_A) {
        Rem_A->deselect();
        return;
    }
    QLineEdit *edit = qobject_cast<QLineEdit *>(field);
    if (auto *combo = qobject_cast<QComboBox *>(field))
        edit = combo->lineEdit();
    if (edit)
        edit->selectAll();
}

bool EntryForm::refuse(const QString &problem)
{
    if (problem.isEmpty())
        return false;
    message(problem);
    return true;
}

bool EntryForm::enterBande()
{
    const QString typed = Bande_A->currentText();
    if (refuse(bandeMessage(typed)))
        return false;
    // "14 mhz" becomes the item "14 Mhz", as if chosen from the list.
    const int i = bandePosition(typed);
    Bande_A->setCurrentIndex(i);
    Bande_A->setEditText(Bande_A->itemText(i));
    turnTo(Bande_A, Ind_A);
    return true;
}

void EntryForm::enterIndicatif()
{
    const QString t = Ind_A->text();
    if (refuse(indicatifMessage(t)))
        return;
    Chercher_Prenom(t);
    turnTo(Ind_A, Prenom_A);
}

void EntryForm::Chercher_Prenom(const QString &indicatif)
{
    if (Flag_Modif)
        return;
    const PrenomLookup found = vqx::Chercher_Prenom(m_services.dataDir, indicatif);
    if (!found.file.ok()) {
        message(prenomsNotReadMessage(found.file));
        return;
    }
    if (!found.found)
        return;
    Prenom_A->setEnabled(true);
    Prenom_A->setText(found.prenom);
    if (found.dptBlank)
        Dpt_A->clear();
}

void EntryForm::enterPrenom()
{
    if (refuse(prenomMessage(Prenom_A->text())))
        return;
    turnTo(Prenom_A, Ref_A);
}

void EntryForm::enterRef()
{
    const QString ref = Ref_A->text();
    if (refuse(refMessage(ref)))
        return;
    if (!Flag_Modif) {
        // A band left by Tab may still read "14 MHZ": it names "14 Mhz" all the same.
        const QString band = bandeForEntry(Bande_A->currentText());
        const DejaContactee seen = Ref_Deja_Contactee(logPath(), ref, band);
        if (seen.found) {
            message(ref + kDejaContactee + seen.date + QStringLiteral(" sur ") + band);
            Ref_A->clear();
            Reset_Saisie();
            return;
        }
    }
    Dpt_A->setText(ref.left(2));
    Rem_A->setText(QStringLiteral("F. "));
    Rem_A->setCursorPosition(3);
    turnTo(Ref_A, Dpt_A);
}

void EntryForm::enterDpt()
{
    Dpt_A->setText(departementForEntry(Dpt_A->text()));
    if (refuse(dptMessage(Dpt_A->text())))
        return;
    if (dateFromClock()) {
        // The contact takes the UTC date and time of this very moment.
        setFieldColour(Dpt_A, kLightYellow);
        Mode_A->setEnabled(true);
        setFieldColour(Mode_A, kLightGreen);
        takeDateFromClock();
        giveTurn(Mode_A);
    } else {
        turnTo(Dpt_A, Date_A);
    }
    Rem_A->setCursorPosition(Rem_A->text().size());
}

void EntryForm::enterDate()
{
    if (refuse(dateMessage(Date_A->text())))
        return;
    turnTo(Date_A, Heure_A);
}

void EntryForm::enterHeure()
{
    if (refuse(heureMessage(Heure_A->text())))
        return;
    turnTo(Heure_A, Mode_A);
}

bool EntryForm::enterMode()
{
    const QString t = Mode_A->currentText();
    if (refuse(modeMessage(t)))
        return false;
    RST_A->setText(defaultReportFor(t));
    RSTE_A->setText(defaultReportFor(t));
    // From here on the contact keeps its band and mode, whatever the dial.
    m_modePassed = true;
    turnTo(Mode_A, RST_A);
    return true;
}

void EntryForm::enterReport(QLineEdit *field, QWidget *next)
{
    if (refuse(reportMessage(field->text())))
        return;
    turnTo(field, next);
}

void EntryForm::enterRem()
{
    if (refuse(nomFontaineMessage(Rem_A->text())))
        return;
    turnTo(Rem_A, QSL_A);
}

void EntryForm::enterQsl()
{
    turnTo(QSL_A, Valide_A);
}

} // namespace vqx
