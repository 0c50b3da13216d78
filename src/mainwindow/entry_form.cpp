// The entry area of the main window: building it, emptying it, showing a
// list line in it and opening one for modification.
#include "entry_form.h"

#include "logstore/bands.h"
#include "logstore/entry_rules.h"
#include "logstore/log_record.h"
#include "platform/message_boxes.h"
#include "platform/settings_store.h"
#include "session/shared_values.h"
#include "widgets/ui_style.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace vqx {

namespace {

QLabel *captionFor(const QString &text, QWidget *buddy, const char *name)
{
    auto *l = new QLabel(text);
    l->setObjectName(QLatin1String(name));
    l->setBuddy(buddy);
    return l;
}

} // namespace

EntryForm::EntryForm(const Services &services, const SharedValues *shared, LogSession *session,
                     EntryFormHost *host, QWidget *parent)
    : QGroupBox(QStringLiteral("Saisie ou modification d'un QSO"), parent), m_services(services),
      m_shared(shared), m_session(session), m_host(host)
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
    Mode_Aff->setFont(emphasisFont(Mode_Aff->font()));
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
    connect(Bande_A, &QComboBox::activated, this, [this] {
        m_bandByHand = true;
        rememberChoice(Bande_A);
    });
    connect(Mode_A, &QComboBox::activated, this, [this] {
        m_modeByHand = true;
        rememberChoice(Mode_A);
    });
    // Any change the radio did not make is the operator's (or a line shown,
    // after which the area starts a new contact before the radio may fill).
    connect(Bande_A, &QComboBox::editTextChanged, this, [this] {
        if (!m_fromRadio)
            m_bandByHand = true;
    });
    connect(Mode_A, &QComboBox::editTextChanged, this, [this] {
        if (!m_fromRadio)
            m_modeByHand = true;
    });
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
    // Without a station callsign nothing may enter the field, pasted text
    // included; the first-run message answers every key typed there.
    Ind_A->setReadOnly(m_shared->Indicatif_Station == kFirstRunCallsign);
    Ind_A->setFocus();
    Flag_Modif = false;
    Flag_Edition = false;
    Flag_Insert = false;
    Annule_Saisie->setEnabled(false);
    Valide_A->setEnabled(false);
    Mode_Aff->setText(QStringLiteral("Saisie QSO"));
    startContact();
}

void EntryForm::startContact()
{
    m_bandByHand = false;
    m_modeByHand = false;
    m_modePassed = false;
}

bool EntryForm::showFromRadio(QComboBox *combo, int index)
{
    if (index < 0 || index >= combo->count())
        return false;
    const QString text = combo->itemText(index);
    if (combo->currentIndex() == index && combo->currentText() == text)
        return false;
    m_fromRadio = true;
    combo->setCurrentIndex(index);
    combo->setEditText(text);
    m_fromRadio = false;
    // A field whose turn it is stays ready to be typed over.
    if (combo->hasFocus())
        combo->lineEdit()->selectAll();
    rememberListPosition(combo, index);
    return true;
}

void EntryForm::applyRadio(int bandIndex, const QString &entryMode)
{
    // A line shown from the list (Ind_A closed), a modification or an
    // insertion keeps what it shows.
    if (Flag_Modif || Flag_Insert || Flag_Edition || !Ind_A->isEnabled() || m_modePassed)
        return;
    if (!m_bandByHand)
        showFromRadio(Bande_A, bandIndex);
    if (!m_modeByHand && !entryMode.isEmpty() &&
        showFromRadio(Mode_A, Mode_A->findText(entryMode, Qt::MatchExactly))) {
        // The reports follow the mode, as when it is chosen by hand.
        RST_A->setText(defaultReportFor(entryMode));
        RSTE_A->setText(defaultReportFor(entryMode));
    }
}

void EntryForm::idleReports()
{
    const QString report = defaultReportFor(Mode_A->currentText());
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

void EntryForm::abandonForReload(const std::function<void()> &reload)
{
    // Out of the modification first, so the reload's selection of a line
    // is shown rather than ignored.
    Flag_Edition = false;
    reload();
    Reset_Saisie();
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
    giveTurn(Ind_A);
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

} // namespace vqx
