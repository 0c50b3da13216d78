#include "reports/recherche_indicatif.h"

#include "logstore/codepage.h"
#include "logstore/log_record.h"
#include "platform/keyboard.h"
#include "platform/message_boxes.h"
#include "reports/column_header.h"
#include "reports/report_fonts.h"

#include <QAbstractItemModel>
#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace vqx {

namespace {

template <typename W> W *named(W *w, const char *name)
{
    w->setObjectName(QLatin1String(name));
    return w;
}

bool isLowerAsciiLetter(const QString &text)
{
    return text.size() == 1 && text.at(0) >= QLatin1Char('a') && text.at(0) <= QLatin1Char('z');
}

} // namespace

RechercheIndicatif::RechercheIndicatif(const Services &services, QAbstractItemModel *mainList,
                                       SelectRow selectRow, QWidget *parent)
    : QWidget(parent), m_services(services), m_mainList(mainList), m_selectRow(std::move(selectRow))
{
    setObjectName(QStringLiteral("Recherche_Indicatif"));
    setWindowTitle(QStringLiteral("Rechercher un QSO"));
    setWindowFlag(Qt::Window, true);

    Frame1 = named(new QGroupBox(this), "Frame1");
    Label3 = named(new QLabel(QStringLiteral("Rechercher un QSO par ..."), Frame1), "Label3");
    Label3->setFont(reports::captionFont(12, true));
    Label3->setAlignment(Qt::AlignCenter);
    auto *titleLayout = new QVBoxLayout(Frame1);
    titleLayout->addWidget(Label3);

    Frame2 = named(new QGroupBox(this), "Frame2");
    Option1 = named(new QButtonGroup(this), "Option1");
    Option1_1 = named(new QRadioButton(QStringLiteral("Indicatif"), Frame2), "Option1_1");
    Option1_2 = named(new QRadioButton(QStringLiteral("N° VQX"), Frame2), "Option1_2");
    Option1_3 = named(new QRadioButton(QStringLiteral("Dpt"), Frame2), "Option1_3");
    Option1->addButton(Option1_1, int(SearchKind::Indicatif));
    Option1->addButton(Option1_2, int(SearchKind::Reference));
    Option1->addButton(Option1_3, int(SearchKind::Departement));
    Option1_1->setChecked(true);

    QFont boldField = font();
    boldField.setBold(true);
    auto makeField = [&](const char *name, QRadioButton *caption) {
        auto *e = named(new QLineEdit(Frame2), name);
        e->setFont(boldField);
        reports::setBackground(e, reports::kResultYellow);
        e->setAccessibleName(caption->text());
        e->installEventFilter(this);
        return e;
    };
    Indica = makeField("Indica", Option1_1);
    Data = makeField("Data", Option1_2);
    Depa = makeField("Depa", Option1_3);
    const QFontMetrics fm(boldField);
    Indica->setMinimumWidth(fm.horizontalAdvance(QStringLiteral("MMMMMMMMMMMMMM")));
    Data->setMinimumWidth(fm.horizontalAdvance(QStringLiteral("MMMMMMMMM")));
    Depa->setFixedWidth(fm.horizontalAdvance(QStringLiteral("MMMM")));

    auto *header = named(new ColumnHeader(kSearchHeader, qsoListHeaderWords(), Frame2), "Label13");
    Label13 = header;
    QSO_Effectues = named(new QListWidget(Frame2), "QSO_Effectues");
    QSO_Effectues->setFont(reports::listFont());
    reports::setBackground(QSO_Effectues, reports::kResultYellow);
    QSO_Effectues->setToolTip(QStringLiteral("Double clique sur le QSO pour retour au log"));
    QSO_Effectues->setSelectionMode(QAbstractItemView::SingleSelection);
    QSO_Effectues->setUniformItemSizes(true);
    QSO_Effectues->viewport()->installEventFilter(this);
    Label13->setBuddy(QSO_Effectues);
    header->follow(QSO_Effectues);
    const QFontMetrics lm(QSO_Effectues->font());
    QSO_Effectues->setMinimumSize(
        lm.horizontalAdvance(QString(QsoListLine::Length + 4, QLatin1Char('M'))),
        lm.lineSpacing() * 16);

    Command1 = named(new QPushButton(QStringLiteral("Quitter"), Frame2), "Command1");

    auto *options = new QHBoxLayout;
    options->addWidget(Option1_1);
    options->addWidget(Indica);
    options->addSpacing(24);
    options->addWidget(Option1_2);
    options->addWidget(Data);
    options->addSpacing(24);
    options->addWidget(Option1_3);
    options->addWidget(Depa);
    options->addStretch(1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(Command1);
    auto *frameLayout = new QVBoxLayout(Frame2);
    frameLayout->addLayout(options);
    frameLayout->addWidget(Label13);
    frameLayout->addWidget(QSO_Effectues, 1);
    frameLayout->addLayout(buttons);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Frame1);
    layout->addWidget(Frame2, 1);

    setTabOrder(Option1_1, Indica);
    setTabOrder(Indica, Option1_2);
    setTabOrder(Option1_2, Data);
    setTabOrder(Data, Option1_3);
    setTabOrder(Option1_3, Depa);
    setTabOrder(Depa, QSO_Effectues);
    setTabOrder(QSO_Effectues, Command1);

    // A click on an option sends the operator to its field.
    connect(Option1, &QButtonGroup::idClicked, this,
            [this](int id) { fieldOf(SearchKind(id))->setFocus(Qt::MouseFocusReason); });
    connect(Command1, &QPushButton::clicked, this, &QWidget::close);
    onEnterKey(QSO_Effectues, [this] {
        // Enter takes the result under the keyboard's cursor.
        if (QListWidgetItem *item = QSO_Effectues->currentItem()) {
            item->setSelected(true);
            returnToLog();
        }
    });

    Indica->clear();
    Indica->setFocus();
}

SearchKind RechercheIndicatif::selectedKind() const
{
    const int id = Option1->checkedId();
    return id == int(SearchKind::Reference)     ? SearchKind::Reference
           : id == int(SearchKind::Departement) ? SearchKind::Departement
                                                : SearchKind::Indicatif;
}

QLineEdit *RechercheIndicatif::fieldOf(SearchKind kind) const
{
    switch (kind) {
    case SearchKind::Indicatif:
        return Indica;
    case SearchKind::Reference:
        return Data;
    case SearchKind::Departement:
        return Depa;
    }
    return Indica;
}

void RechercheIndicatif::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!m_shownOnce) {
        m_shownOnce = true;
        Indica->setFocus();
    }
}

bool RechercheIndicatif::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == QSO_Effectues->viewport() && event->type() == QEvent::MouseButtonDblClick) {
        returnToLog();
        return true;
    }
    auto *field = qobject_cast<QLineEdit *>(watched);
    if (field && (field == Indica || field == Data || field == Depa)) {
        if (event->type() == QEvent::MouseButtonPress) {
            // Clicking a field chooses its kind of search.
            if (field == Indica)
                Option1_1->setChecked(true);
            else if (field == Data)
                Option1_2->setChecked(true);
            else
                Option1_3->setChecked(true);
        } else if (event->type() == QEvent::KeyPress) {
            return handleKey(field, static_cast<QKeyEvent *>(event));
        }
    }
    return QWidget::eventFilter(watched, event);
}

bool RechercheIndicatif::handleKey(QLineEdit *field, QKeyEvent *key)
{
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
        if (field == Indica)
            enterIndica();
        else if (field == Data)
            enterData();
        else
            enterDepa();
        return true;
    }
    // Callsigns and references are typed in capitals.
    const bool plain =
        !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
    if (field != Depa && plain && isLowerAsciiLetter(key->text())) {
        field->insert(codepage::upper(key->text()));
        return true;
    }
    return false;
}

void RechercheIndicatif::enterIndica()
{
    if (Indica->text().size() > 12) {
        message(QStringLiteral("12 caracteres maxi pour l'indicatif"));
        return;
    }
    if (Indica->text().isEmpty()) {
        message(QStringLiteral("Entrez un indicatif"));
        return;
    }
    Rechercher_Qso();
}

void RechercheIndicatif::enterData()
{
    if (Data->text().size() != 7) {
        message(QStringLiteral("7 caracteres maxi pour la référence ex: 31FA001"));
        return;
    }
    Rechercher_Qso();
}

void RechercheIndicatif::enterDepa()
{
    // Departments are logged in lower case (2a, 2b).
    Depa->setText(codepage::lower(Depa->text()));
    if (Depa->text().size() > 2) {
        message(QStringLiteral("2 caracteres maxi pour le département"));
        return;
    }
    if (Depa->text().isEmpty()) {
        message(QStringLiteral("Entrez un Departement"));
        return;
    }
    Rechercher_Qso();
}

QString RechercheIndicatif::mainListLine(int row) const
{
    return m_mainList->data(m_mainList->index(row, 0), Qt::DisplayRole).toString();
}

void RechercheIndicatif::Rechercher_Qso()
{
    QSO_Effectues->clear();
    const SearchKind kind = selectedKind();
    const int count = m_mainList ? m_mainList->rowCount() : 0;
    const SearchResult result = vqx::Rechercher_Qso(kind, fieldOf(kind)->text(), count,
                                                    [this](int row) { return mainListLine(row); });
    switch (result.status) {
    case SearchResult::Status::MissingText:
        message(kind == SearchKind::Indicatif   ? QStringLiteral("Entrez un indicatif")
                : kind == SearchKind::Reference ? QStringLiteral("Entrez une reference")
                                                : QStringLiteral("Entrez un departement"));
        return;
    case SearchResult::Status::Found:
        QSO_Effectues->addItems(result.lines);
        break;
    case SearchResult::Status::NothingFound:
        message(QStringLiteral("Pas de QSO trouvé"));
        break;
    }
    Indica->clear();
    Data->clear();
    Depa->clear();
}

void RechercheIndicatif::returnToLog()
{
    const QList<QListWidgetItem *> selected = QSO_Effectues->selectedItems();
    if (!selected.isEmpty() && m_mainList) {
        // The number in front of a result names its line in the main list.
        const QString numero = QsoListLine::Numero.cut(selected.first()->text());
        const int count = m_mainList->rowCount();
        for (int row = 0; row < count; ++row) {
            if (QsoListLine::Numero.cut(mainListLine(row)) == numero) {
                if (m_selectRow)
                    m_selectRow(row);
                break;
            }
        }
    }
    close();
}

void RechercheIndicatif::message(const QString &text)
{
    if (m_services.messages)
        m_services.messages->information(this, text);
}

} // namespace vqx
