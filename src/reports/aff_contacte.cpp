#include "reports/aff_contacte.h"

#include "logstore/log_operations.h"
#include "logstore/log_record.h"
#include "mainwindow/shared_values.h"
#include "platform/clock.h"
#include "platform/message_boxes.h"
#include "platform/printer.h"
#include "reports/column_header.h"
#include "reports/contacted_list.h"
#include "reports/report_fonts.h"
#include "reports/report_messages.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace vqx {

namespace {
template <typename W> W *named(W *w, const char *name)
{
    w->setObjectName(QLatin1String(name));
    return w;
}
} // namespace

AffContacte::AffContacte(const Services &services, const SharedValues *shared, QWidget *parent)
    : QWidget(parent), m_services(services),
      m_callsign(shared ? shared->Indicatif_Station : kFirstRunCallsign)
{
    setObjectName(QStringLiteral("Aff_Contacte"));
    setWindowTitle(QStringLiteral("VQX contactés"));
    setWindowFlag(Qt::Window, true);

    Frame1 = named(new QGroupBox(this), "Frame1");
    Label3 =
        named(new QLabel(QStringLiteral("Liste alphanumerique des Fontaines contactées"), Frame1),
              "Label3");
    Label3->setFont(reports::captionFont(12, true));
    Label3->setAlignment(Qt::AlignCenter);
    auto *titleLayout = new QVBoxLayout(Frame1);
    titleLayout->addWidget(Label3);

    Frame2 = named(new QGroupBox(QStringLiteral("Liste des Fontaines contactés "), this), "Frame2");
    auto *header =
        named(new ColumnHeader(kContactedColumnCaption, contactedHeaderWords(), Frame2), "Label2");
    Label2 = header;
    auto *headerLayout = new QVBoxLayout(Frame2);
    headerLayout->addWidget(Label2);

    Liste_VQX_Contacte = named(new QListWidget(this), "Liste_VQX_Contacte");
    Liste_VQX_Contacte->setFont(reports::listFont());
    reports::setBackground(Liste_VQX_Contacte, reports::kResultYellow);
    Liste_VQX_Contacte->setUniformItemSizes(true);
    Label2->setBuddy(Liste_VQX_Contacte);
    header->follow(Liste_VQX_Contacte);
    const QFontMetrics lm(Liste_VQX_Contacte->font());
    Liste_VQX_Contacte->setMinimumSize(
        // The header, inside its frame, is narrower than the list by the
        // frame's margins and must still show "QSL" whole.
        lm.horizontalAdvance(QString(ContactedList::LineLength + 8, QLatin1Char('M'))),
        lm.lineSpacing() * 24);

    Quitter = named(new QPushButton(QStringLiteral("Quitter"), this), "Quitter");
    Imprimer = named(new QPushButton(QStringLiteral("Imprimer"), this), "Imprimer");
    Enregistrer = named(new QPushButton(QStringLiteral("Enregistrer"), this), "Enregistrer");

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(Enregistrer);
    buttons->addWidget(Imprimer);
    buttons->addWidget(Quitter);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Frame1);
    layout->addWidget(Frame2);
    layout->addWidget(Liste_VQX_Contacte, 1);
    layout->addLayout(buttons);

    connect(Quitter, &QPushButton::clicked, this, &QWidget::close);
    connect(Enregistrer, &QPushButton::clicked, this, &AffContacte::Enregistrer_Contacte);
    connect(Imprimer, &QPushButton::clicked, this, &AffContacte::Imprimer_Contacte);

    load();
}

void AffContacte::load()
{
    Liste_VQX_Contacte->clear();
    const LoadedLog log = Charger_Log(logFilePath(m_services.dataDir, m_callsign));
    if (!log.file.ok()) {
        // An empty list saved or printed would claim that nothing was contacted.
        Enregistrer->setEnabled(false);
        Imprimer->setEnabled(false);
        message(logReadProblem(log.file));
        return;
    }
    m_lines = buildContactedList(log.lines);
    Liste_VQX_Contacte->addItems(m_lines);
}

void AffContacte::Enregistrer_Contacte()
{
    const ContactedSave saved =
        saveContactedList(m_services.dataDir, m_callsign, *m_services.clock, m_lines);
    if (!saved.file.ok()) {
        message(listSaveProblem(saved.fileName, saved.file));
        return;
    }
    message(QStringLiteral("Le log a été enregistré sous le nom : ") + saved.fileName);
}

void AffContacte::Imprimer_Contacte()
{
    if (!m_services.printer)
        return;
    const QStringList printed = contactedListPrintLines(
        contactedListTitle(m_callsign, Date_Courte(*m_services.clock)), m_lines);
    if (m_services.printer->printLines(this, printed, printFont(8)) == PrintOutcome::Failed)
        message(QStringLiteral("L'impression de la liste des fontaines contactées n'a pas pu "
                               "se faire."));
}

void AffContacte::message(const QString &text)
{
    if (m_services.messages)
        m_services.messages->information(this, text);
}

} // namespace vqx
