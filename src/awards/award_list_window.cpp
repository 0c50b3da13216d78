#include "awards/award_list_window.h"

#include "awards/award_list.h"
#include "logstore/file_messages.h"
#include "logstore/log_operations.h"
#include "logstore/log_record.h"
#include "platform/clock.h"
#include "platform/message_boxes.h"
#include "platform/printer.h"
#include "widgets/ui_style.h"

#include <QDir>
#include <QFontMetrics>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace vqx {

AwardListWindow::AwardListWindow(const Services &services, const QString &indicatifStation,
                                 const AwardChoice &choice, QWidget *parent)
    : QWidget(parent, Qt::Window), m_services(services), m_callsign(indicatifStation),
      m_choice(choice)
{
    setObjectName(QStringLiteral("Liste_VQX"));
    setWindowTitle(QStringLiteral("Diplôme VQX"));
    buildControls();
    fill();
}

void AwardListWindow::buildControls()
{
    auto *outer = new QVBoxLayout(this);

    Frame1 = new QFrame(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    setBoxFrame(Frame1);
    auto *titles = new QVBoxLayout(Frame1);
    Label4 = new QLabel(Frame1);
    Label4->setObjectName(QStringLiteral("Label4"));
    Label3 = new QLabel(QStringLiteral("Fontaines confirmées"), Frame1);
    Label3->setObjectName(QStringLiteral("Label3"));
    for (QLabel *l : {Label4, Label3}) {
        l->setFont(captionFont(12, true));
        l->setAlignment(Qt::AlignCenter);
        titles->addWidget(l);
    }
    outer->addWidget(Frame1);

    Frame2 = new QFrame(this);
    Frame2->setObjectName(QStringLiteral("Frame2"));
    setBoxFrame(Frame2);
    auto *listBox = new QVBoxLayout(Frame2);
    Label2 = new QLabel(Frame2);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setFont(listFont(9));
    Liste_VQX_Contacte = new QListWidget(Frame2);
    Liste_VQX_Contacte->setObjectName(QStringLiteral("Liste_VQX_Contacte"));
    Liste_VQX_Contacte->setFont(listFont(9));
    Liste_VQX_Contacte->setUniformItemSizes(true);
    setBackground(Liste_VQX_Contacte, kLightYellow);
    Label2->setBuddy(Liste_VQX_Contacte);
    // Wide enough for the 77 columns of a line.
    Liste_VQX_Contacte->setMinimumSize(
        QFontMetrics(listFont(9))
            .horizontalAdvance(QString(kAwardListLineLength + 4, QLatin1Char('M'))),
        360);
    listBox->addWidget(Label2);
    listBox->addWidget(Liste_VQX_Contacte);
    outer->addWidget(Frame2);

    auto *buttons = new QHBoxLayout;
    Enregistrer = new QPushButton(QStringLiteral("Enregistrer"), this);
    Enregistrer->setObjectName(QStringLiteral("Enregistrer"));
    Imprimer = new QPushButton(QStringLiteral("Imprimer"), this);
    Imprimer->setObjectName(QStringLiteral("Imprimer"));
    Command1 = new QPushButton(QStringLiteral("Quitter"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Enregistrer->setEnabled(false);
    Imprimer->setEnabled(false);
    buttons->addWidget(Enregistrer);
    buttons->addWidget(Imprimer);
    buttons->addStretch();
    buttons->addWidget(Command1);
    outer->addLayout(buttons);

    connect(Enregistrer, &QPushButton::clicked, this, &AwardListWindow::save);
    connect(Imprimer, &QPushButton::clicked, this, &AwardListWindow::print);
    connect(Command1, &QPushButton::clicked, this, &QWidget::close);
}

void AwardListWindow::fill()
{
    Label4->setText(QStringLiteral("Diplome VQX ") + m_choice.Groupe_Bandes);
    Label2->setText(kAwardListHeader);
    Liste_VQX_Contacte->clear();
    const LoadedLog loaded = Charger_Log(logFilePath(m_services.dataDir, m_callsign));
    const QStringList lines = awardListLines(loaded.lines);
    Liste_VQX_Contacte->addItems(lines);
    Label3->setText(awardListCountCaption(lines.size()));
    if (!loaded.file.ok()) {
        // Saving an empty list could replace a good earlier one: the
        // buttons stay off until the log can be read.
        m_services.messages->information(
            this, logNotReadMessage(loaded.file, QStringLiteral("la liste des Fontaines "
                                                                "confirmées reste vide")));
        return;
    }
    Enregistrer->setEnabled(true);
    Imprimer->setEnabled(true);
}

QStringList AwardListWindow::items() const
{
    QStringList out;
    out.reserve(Liste_VQX_Contacte->count());
    for (int i = 0; i < Liste_VQX_Contacte->count(); ++i)
        out << Liste_VQX_Contacte->item(i)->text();
    return out;
}

void AwardListWindow::save()
{
    // The latest choice: the menu or the levels window may have changed it.
    const QString name = awardListFileName(m_callsign, m_choice.Niveau_Liste,
                                           m_choice.Groupe_Bandes, Date_Fichier(*m_services.clock));
    if (name.isEmpty()) {
        m_services.messages->information(
            this, QStringLiteral("Aucun niveau de diplôme n'est choisi : la liste n'a pas été "
                                 "enregistrée."));
        return;
    }
    const FileResult r = Enregistrer_Liste_Diplome(
        m_services.dataDir, name,
        awardListFileLines(m_callsign, Date_Courte(*m_services.clock), items()));
    m_services.messages->information(
        this, r.ok() ? QStringLiteral("Fichier enregistré sous le nom : ") + name
                     : fileNotSavedMessage(QDir(m_services.dataDir).filePath(name), r));
}

void AwardListWindow::print()
{
    const QStringList lines =
        awardListPrintLines(m_callsign, m_choice.Groupe_Bandes, m_choice.Niveau_Liste,
                            Date_Impression(*m_services.clock), items());
    if (m_services.printer->printLines(this, lines, printFont(9)) == PrintOutcome::Failed)
        m_services.messages->information(this,
                                         QStringLiteral("La liste n'a pas pu être imprimée."));
}

} // namespace vqx
