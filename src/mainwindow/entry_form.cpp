// The entry area of the main window: building it, typing and Enter field
// by field, recording, deleting and inserting a contact.
#include "entry_form.h"

#include "logstore/bands.h"
#include "logstore/codepage.h"
#include "logstore/contact_search.h"
#include "logstore/date_time_rules.h"
#include "logstore/entry_rules.h"
#include "logstore/file_messages.h"
#include "logstore/log_record.h"
#include "logstore/prenoms.h"
#include "platform/message_boxes.h"
#include "platform/settings_store.h"
#include "session/shared_values.h"
#include "widgets/ui_style.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
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

QLabel *captionFor(const QString &text, QWidget *buddy, const char *name)
{
    auto *l = new QLabel(text);
    l->setObjectName(QLatin1String(name));
    l->setBuddy(buddy);
    return l;
}

} // namespace

EntryForm::EntryForm(const Services &services, const SharedValues *shared, EntryFormHost *host,
                     QWidget *parent)
    : QGroupBox(QStringLiteral("Saisie ou modification d'un QSO"), parent), m_services(services),
      m_shared(shared), m_host(host)
{
    setObjectName(QStringLiteral("Frame3"));
    buildControls();
}

void EntryForm::buildControls()
{
    auto *grid = new QGridLayout(this);
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
    Bande_A->addItems(kBandList);
    Mode_A->addItems(kModeList);

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
    QFont bold = Mode_Aff->font();
    bold.setBold(true);
    bold.setPointSize(bold.pointSize() + 2);
    Mode_Aff->setFont(bold);
    buttons->addWidget(Mode_Aff);
    grid->addLayout(buttons, 2, 0, 1, col);

    setFieldColour(Bande_A, kLightYellow);
    setFieldColour(Mode_A, kLightYellow);
    // The combo boxes keep the focus themselves and hand keys to their line
    // edits directly, so their keys are watched on the combo boxes.
    const QList<QWidget *> keyed = {Bande_A, Mode_A, Ind_A,  Dpt_A, Prenom_A, Ref_A,   Date_A,
                                    Heure_A, RST_A,  RSTE_A, Rem_A, QSL_A,    Valide_A};
    for (QWidget *w : keyed)
        w->installEventFilter(this);

    connect(Efface_A, &QPushButton::clicked, this, &EntryForm::Reset_Saisie);
    connect(Valide_A, &QPushButton::clicked, this, &EntryForm::Valider_Qso);
    connect(Annule_Saisie, &QPushButton::clicked, this, &EntryForm::supprimerQso);
    connect(Ajout_QSO, &QPushButton::clicked, this, &EntryForm::insererQso);
    connect(Rechercher, &QPushButton::clicked, this, [this] { m_host->openSearch(); });
    Bande_A->setCompleter(nullptr);
    Mode_A->setCompleter(nullptr);
    connect(Bande_A, &QComboBox::activated, this, [this] { rememberChoice(Bande_A); });
    connect(Mode_A, &QComboBox::activated, this, [this] { rememberChoice(Mode_A); });
    for (QLineEdit *e : {Ind_A, Dpt_A, Prenom_A, Ref_A, Date_A, Heure_A, RST_A, RSTE_A, Rem_A,
                         Bande_A->lineEdit(), Mode_A->lineEdit()})
        connect(e, &QLineEdit::textEdited, this, [this, e] { keepRepresentable(e); });
}

QString EntryForm::logPath() const
{
    return logFilePath(m_services.dataDir, m_shared->Indicatif_Station);
}

void EntryForm::message(const QString &text)
{
    m_services.messages->information(this, text);
}

int EntryForm::rememberedPosition(const QString &key) const
{
    bool ok = false;
    const int position = m_services.settings
                             ->Lire_Reglage(kAppVqx, stationSection(m_shared->Indicatif_Station),
                                            key, QStringLiteral("0"))
                             .toInt(&ok);
    return ok ? position : -1;
}

bool EntryForm::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        if (auto *w = qobject_cast<QWidget *>(watched))
            return handleFieldKey(w, static_cast<QKeyEvent *>(event));
    }
    if (event->type() == QEvent::FocusIn && (watched == Bande_A || watched == Mode_A)) {
        // The band or mode shown is typed over when its turn comes, as Tab
        // already does; a click places the caret instead.
        if (static_cast<QFocusEvent *>(event)->reason() != Qt::MouseFocusReason)
            static_cast<QComboBox *>(watched)->lineEdit()->selectAll();
    }
    return QGroupBox::eventFilter(watched, event);
}

void EntryForm::reselectBandAndMode()
{
    // A position outside the list leaves the selection as it is.
    const int band = rememberedPosition(kKeyBande);
    if (band >= 0 && band < Bande_A->count())
        Bande_A->setCurrentIndex(band);
    const int mode = rememberedPosition(kKeyMode);
    if (mode >= 0 && mode < Mode_A->count())
        Mode_A->setCurrentIndex(mode);
}

void EntryForm::Reset_Saisie()
{
    for (QLineEdit *e : {Dpt_A, Prenom_A, Ref_A, Date_A, Heure_A}) {
        e->clear();
        e->setEnabled(false);
        setFieldColour(e, kLightYellow);
    }
    const int mode = rememberedPosition(kKeyMode);
    Mode_A->setCurrentIndex(mode >= 0 && mode < Mode_A->count() ? mode : 0);
    Mode_A->setEnabled(false);
    setFieldColour(Mode_A, kLightYellow);
    const int band = rememberedPosition(kKeyBande);
    Bande_A->setCurrentIndex(band >= 0 && band < Bande_A->count() ? band : 0);
    Bande_A->setEnabled(true);
    idleReports();
    Rem_A->setText(QStringLiteral(" "));
    Rem_A->setEnabled(false);
    setFieldColour(Rem_A, kLightYellow);
    // An empty entry area must not be recordable: Tab would reach the box,
    // and Enter there opens Valide_A.
    QSL_A->setChecked(false);
    QSL_A->setEnabled(false);
    Ind_A->clear();
    setFieldColour(Ind_A, kLightGreen);
    Ind_A->setEnabled(true);
    Ind_A->setFocus();
    Flag_Modif = false;
    Flag_Edition = false;
    Flag_Insert = false;
    Annule_Saisie->setEnabled(false);
    Valide_A->setEnabled(false);
    Mode_Aff->setText(QStringLiteral("Saisie QSO"));
}

QString EntryForm::defaultReport(const QString &mode)
{
    return mode == QStringLiteral("CW") ? QStringLiteral("599") : QStringLiteral("59");
}

void EntryForm::idleReports()
{
    const QString report = defaultReport(Mode_A->currentText());
    for (QLineEdit *e : {RST_A, RSTE_A}) {
        e->setEnabled(false);
        setFieldColour(e, kLightYellow);
        e->setText(report);
    }
}

bool EntryForm::dateFromClock() const
{
    return m_host->dateAuto() && !Flag_Insert && !Flag_Modif;
}

void EntryForm::takeDateFromClock()
{
    Date_A->setText(m_host->clockDate());
    Heure_A->setText(m_host->clockTime());
}

void EntryForm::dateModeChanged(bool automatic)
{
    if (automatic)
        Date_A->clear();
}

void EntryForm::forgetSelection()
{
    // The line last clicked may be gone or changed; a double click must not
    // modify it, so it is forgotten unless a new selection renews it.
    Ligne_Selection.clear();
    Ind_A->setEnabled(true);
}

void EntryForm::showListLine(const QString &listLine)
{
    if (Flag_Edition)
        return;
    Ligne_Selection = listLine;
    Annule_Saisie->setEnabled(true);
    showLineInFields(Ligne_Selection);
    Ind_A->setEnabled(false);
}

void EntryForm::startModification()
{
    if (Flag_Edition)
        return;
    if (Ligne_Selection.isEmpty()) {
        message(QStringLiteral("Cliquez sur une ligne pour l'editer"));
        return;
    }
    Flag_Edition = true;
    Flag_Modif = true;
    const QList<QWidget *> fields = {Ind_A,   Dpt_A, Prenom_A, Ref_A, Date_A, Heure_A, Mode_A,
                                     Bande_A, RST_A, RSTE_A,   Rem_A, QSL_A,  Valide_A};
    for (QWidget *w : fields)
        w->setEnabled(true);
    Mode_Aff->setText(QStringLiteral("Modification QSO"));
    showLineInFields(Ligne_Selection);
    setFieldColour(Ind_A, kLightGreen);
    Ind_A->setFocus();
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
        // No contact can be logged before the station has a callsign.
        message(QStringLiteral("\r\n         Premiere installation, vous devez entrer votre "
                               "Indicatif\r\n\r\nPour cela dans la barre des menus allez dans "
                               "Station puis Nouvel Indicatif."));
        return enter;
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
        const int position = w == Bande_A  ? listPosition(Bande_A)
                             : w == Mode_A ? listPosition(Mode_A)
                                           : -1;
        bool accepted = true;
        if (w == Bande_A)
            accepted = enterBande();
        else if (w == Ind_A)
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
        if ((w == Bande_A || w == Mode_A) && accepted)
            rememberListPosition(static_cast<QComboBox *>(w), position);
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
    to->setFocus();
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
    if (refuse(bandeMessage(Bande_A->currentText())))
        return false;
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
        const QString band = Bande_A->currentText();
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
        Mode_A->setFocus();
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
    turnTo(Mode_A, RST_A);
    RST_A->setText(defaultReport(t));
    RSTE_A->setText(defaultReport(t));
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
    f.qrg = Bande_A->currentText();
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
        field->setFocus();
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
    // Showing the last line after the change fills the fields; in manual date
    // mode the date kept for the next contact is the one just used.
    const QString dateUsed = f.date;
    const FileResult stored =
        Memoriser_Prenom(m_services.dataDir, buildPrenomLine(f.indicatif, f.dpt, f.prenom));
    if (!stored.ok()) {
        // The contact matters more than the first name: say so and go on.
        message(prenomsNotChangedMessage(QDir(m_services.dataDir).filePath(kPrenomFile), stored));
    }

    const LogTarget log{logPath()};
    LogChange change;
    if (Flag_Modif) {
        // The list shows the line as stored, so its columns rebuild the file's
        // line, a fountain name written in lower case by hand included.
        change = Remplacer_Qso(log, line, qsoLineFromListLine(Ligne_Selection));
    } else if (m_host->dateAuto() && !Flag_Insert) {
        change = Ajouter_Qso(log, line);
    } else {
        change = Inserer_Qso_Chrono(log, line);
    }
    // A contact that could not be written stays in the fields, ready to try again.
    if (!m_host->applyChange(change))
        return;
    returnToWaiting(dateUsed);
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
}

void EntryForm::showLineInFields(const QString &listLine)
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

void EntryForm::supprimerQso()
{
    if (Ligne_Selection.isEmpty()) {
        message(QStringLiteral("Cliquez sur une ligne pour l'effacer"));
        return;
    }
    const QString line = qsoLineFromListLine(Ligne_Selection);
    if (m_services.messages->question(this, QStringLiteral("Voulez vous Supprimer ce QSO ?")))
        m_host->applyChange(Supprimer_Qso(LogTarget{logPath()}, line));
    Annule_Saisie->setEnabled(false);
    Reset_Saisie();
}

void EntryForm::insererQso()
{
    Flag_Insert = true;
    Mode_Aff->setText(QStringLiteral("Insertion QSO"));
    // A line shown by a click leaves the callsign field disabled; open it again.
    Ind_A->setEnabled(true);
    setFieldColour(Ind_A, kLightGreen);
    Ind_A->setFocus();
}

} // namespace vqx
