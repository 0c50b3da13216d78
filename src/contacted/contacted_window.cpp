#include "contacted/contacted_window.h"

#include "contacted/contacted_list.h"
#include "logstore/file_messages.h"
#include "logstore/log_operations.h"
#include "logstore/log_record.h"
#include "platform/clock.h"
#include "platform/message_boxes.h"
#include "platform/printer.h"
#include "widgets/column_header.h"
#include "widgets/ui_style.h"

#include <QDir>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace vqx {

namespace {

// The header words over the columns of the contacted-list line.
QList<ColumnHeader::Word> contactedHeaderWords()
{
    using namespace ContactedList;
    return {
        {QStringLiteral("Ref"), Ref},
        {QStringLiteral("Indicatif"), Indicatif},
        // One blank only separates the department from the first name.
        {QStringLiteral("Dpt"), Dpt, true},
        {QStringLiteral("Prénom"), Prenom},
        {QStringLiteral("Date"), Date},
        {QStringLiteral("QTR"), Heure},
        {QStringLiteral("Mode"), Mode},
        {QStringLiteral("QRG"), QRG},
        {QStringLiteral("RstR"), RstR},
        {QStringLiteral("RstE"), RstE},
        {QStringLiteral("Nom de la Fontaine"), NomFontaine},
        {QStringLiteral("QSL"), QSL},
    };
}

} // namespace

ContactedWindow::ContactedWindow(const Services &services, const QString &indicatifStation,
                                 QWidget *parent)
    : QWidget(parent), m_services(services), m_callsign(indicatifStation)
{
    setObjectName(QStringLiteral("Aff_Contacte"));
    setWindowTitle(QStringLiteral("VQX contactés"));
    setWindowFlag(Qt::Window, true);

    Frame1 = named(new QGroupBox(this), "Frame1");
    Label3 =
        named(new QLabel(QStringLiteral("Liste alphanumerique des Fontaines contactées"), Frame1),
              "Label3");
    Label3->setFont(captionFont(12, true));
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
    Liste_VQX_Contacte->setFont(listFont(8.25));
    setBackground(Liste_VQX_Contacte, kLightYellow);
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
    connect(Enregistrer, &QPushButton::clicked, this, &ContactedWindow::saveList);
    connect(Imprimer, &QPushButton::clicked, this, &ContactedWindow::printList);

    load();
}

void ContactedWindow::load()
{
    Liste_VQX_Contacte->clear();
    const LoadedLog log = Charger_Log(logFilePath(m_services.dataDir, m_callsign));
    if (!log.file.ok()) {
        // An empty list saved or printed would claim that nothing was contacted.
        Enregistrer->setEnabled(false);
        Imprimer->setEnabled(false);
        message(logNotReadMessage(log.file,
                                  QStringLiteral("la liste des Fontaines contactées reste vide")));
        return;
    }
    m_lines = buildContactedList(log.lines);
    Liste_VQX_Contacte->addItems(m_lines);
}

void ContactedWindow::saveList()
{
    const ContactedSave saved =
        saveContactedList(m_services.dataDir, m_callsign, *m_services.clock, m_lines);
    if (!saved.file.ok()) {
        message(fileNotSavedMessage(QDir(m_services.dataDir).filePath(saved.fileName), saved.file));
        return;
    }
    message(QStringLiteral("Le log a été enregistré sous le nom : ") + saved.fileName);
}

void ContactedWindow::printList()
{
    if (!m_services.printer)
        return;
    const QStringList printed = contactedListPrintLines(
        contactedListTitle(m_callsign, shortDate(*m_services.clock)), m_lines);
    if (m_services.printer->printLines(this, printed, printFont(8)) == PrintOutcome::Failed)
        message(QStringLiteral("L'impression de la liste des fontaines contactées n'a pas pu "
                               "se faire."));
}

void ContactedWindow::message(const QString &text)
{
    if (m_services.messages)
        m_services.messages->information(this, text);
}

} // namespace vqx
