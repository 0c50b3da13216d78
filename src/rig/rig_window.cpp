#include "rig/rig_window.h"

#include "platform/settings_store.h"
#include "rig/rig_control.h"
#include "widgets/ui_style.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCompleter>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace vqx {

namespace {

const QStringList kSpeeds = {QString(),
                             QStringLiteral("4800"),
                             QStringLiteral("9600"),
                             QStringLiteral("19200"),
                             QStringLiteral("38400"),
                             QStringLiteral("57600"),
                             QStringLiteral("115200")};

} // namespace

RigWindow::RigWindow(const Services &services, const QString &indicatifStation, QWidget *parent)
    : QDialog(parent), m_services(services), m_station(indicatifStation)
{
    setObjectName(QStringLiteral("Poste_Radio"));
    setWindowTitle(QStringLiteral("Poste radio"));
    buildControls();
    showSettings(loadRigSettings(*m_services.settings, m_station));
    if (RigControl::rigctldProgram().isEmpty()) {
        Poste_Absent->setText(
            QStringLiteral("rigctld n'est pas installé sur cette machine : installez le "
                           "paquet %1 (sudo apt install %1).")
                .arg(rig::kHamlibPackage));
        Poste_Absent->show();
    } else {
        listModels();
    }
}

RigWindow::~RigWindow()
{
    m_probe.stop();
    if (m_lister) {
        m_lister->disconnect(this);
        m_lister->kill();
        m_lister->waitForFinished(1000);
    }
}

void RigWindow::buildControls()
{
    auto *outer = new QVBoxLayout(this);
    Poste_Actif =
        named(new QCheckBox(QStringLiteral("&Lire la bande et le mode du poste")), "Poste_Actif");
    outer->addWidget(Poste_Actif);

    auto *form = new QFormLayout;
    Poste_Adresse = named(new QLineEdit, "Poste_Adresse");
    Poste_Port = named(new QSpinBox, "Poste_Port");
    Poste_Port->setRange(1, 65535);
    form->addRow(QStringLiteral("&Adresse de rigctld"), Poste_Adresse);
    form->addRow(QStringLiteral("P&ort"), Poste_Port);
    outer->addLayout(form);

    Poste_Lancer = named(
        new QCheckBox(QStringLiteral("Le programme lan&ce rigctld pour un poste relié à cette "
                                     "machine")),
        "Poste_Lancer");
    outer->addWidget(Poste_Lancer);
    auto *daemon = new QFormLayout;
    Poste_Modele = named(new QComboBox, "Poste_Modele");
    Poste_Modele->setEditable(true);
    Poste_Modele->setInsertPolicy(QComboBox::NoInsert);
    // The list is long: typing part of a name ("7300", "icom") finds it.
    Poste_Modele->completer()->setFilterMode(Qt::MatchContains);
    Poste_Modele->completer()->setCaseSensitivity(Qt::CaseInsensitive);
    Poste_Modele->completer()->setCompletionMode(QCompleter::PopupCompletion);
    Poste_Modele->setMinimumContentsLength(36);
    Poste_Port_Serie = named(new QComboBox, "Poste_Port_Serie");
    Poste_Port_Serie->setEditable(true);
    Poste_Port_Serie->setInsertPolicy(QComboBox::NoInsert);
    Poste_Port_Serie->addItems(rig::serialPortNames());
    Poste_Vitesse = named(new QComboBox, "Poste_Vitesse");
    Poste_Vitesse->setEditable(true);
    Poste_Vitesse->setInsertPolicy(QComboBox::NoInsert);
    Poste_Vitesse->addItems(kSpeeds);
    Poste_Vitesse->lineEdit()->setPlaceholderText(QStringLiteral("celle du modèle"));
    daemon->addRow(QStringLiteral("&Modèle du poste"), Poste_Modele);
    daemon->addRow(QStringLiteral("Port &série"), Poste_Port_Serie);
    daemon->addRow(QStringLiteral("&Vitesse (bauds)"), Poste_Vitesse);
    outer->addLayout(daemon);

    Poste_Absent = named(new QLabel, "Poste_Absent");
    Poste_Absent->setWordWrap(true);
    Poste_Absent->hide();
    outer->addWidget(Poste_Absent);

    auto *testRow = new QHBoxLayout;
    Poste_Tester = named(new QPushButton(QStringLiteral("&Tester")), "Poste_Tester");
    Poste_Reponse = named(new QLabel, "Poste_Reponse");
    Poste_Reponse->setWordWrap(true);
    testRow->addWidget(Poste_Tester);
    testRow->addWidget(Poste_Reponse, 1);
    outer->addLayout(testRow);

    auto *buttons = new QHBoxLayout;
    Poste_Enregistrer = named(new QPushButton(QStringLiteral("&Enregistrer")), "Poste_Enregistrer");
    Poste_Fermer = named(new QPushButton(QStringLiteral("&Fermer")), "Poste_Fermer");
    Poste_Enregistrer->setDefault(true);
    buttons->addStretch(1);
    buttons->addWidget(Poste_Enregistrer);
    buttons->addWidget(Poste_Fermer);
    outer->addLayout(buttons);

    connect(Poste_Lancer, &QCheckBox::toggled, this, &RigWindow::enableDaemonFields);
    connect(Poste_Tester, &QPushButton::clicked, this, &RigWindow::test);
    connect(Poste_Enregistrer, &QPushButton::clicked, this, &RigWindow::save);
    connect(Poste_Fermer, &QPushButton::clicked, this, &QDialog::close);
    connect(&m_probe, &RigctldClient::reading, this, [this](qint64 hz, const QString &mode) {
        m_probe.stop();
        Poste_Reponse->setText(rig::readingStatus(hz, mode));
    });
    connect(&m_probe, &RigctldClient::problem, this, [this](const QString &status) {
        m_probe.stop();
        QString text = status;
        if (Poste_Lancer->isChecked())
            text += QStringLiteral(" : rigctld est lancé par le programme une fois les réglages "
                                   "enregistrés");
        Poste_Reponse->setText(text);
    });
}

void RigWindow::showSettings(const RigSettings &s)
{
    Poste_Actif->setChecked(s.enabled);
    Poste_Adresse->setText(s.host);
    Poste_Port->setValue(s.port);
    Poste_Lancer->setChecked(s.startDaemon);
    m_model = s.model;
    Poste_Modele->setEditText(QString::number(s.model));
    Poste_Port_Serie->setEditText(s.serialPort);
    Poste_Vitesse->setEditText(s.speed);
    enableDaemonFields();
}

void RigWindow::enableDaemonFields()
{
    const bool daemon = Poste_Lancer->isChecked();
    // A rigctld the program starts listens on this machine.
    Poste_Adresse->setEnabled(!daemon);
    for (QComboBox *c : {Poste_Modele, Poste_Port_Serie, Poste_Vitesse})
        c->setEnabled(daemon);
}

void RigWindow::listModels()
{
    m_lister = new QProcess(this);
    m_lister->setStandardErrorFile(QProcess::nullDevice());
    connect(m_lister, &QProcess::finished, this, [this] {
        const QList<rig::RigModel> models =
            rig::parseModelList(QString::fromLocal8Bit(m_lister->readAllStandardOutput()));
        // What the operator typed meanwhile is kept.
        const QString typed = Poste_Modele->currentText();
        const bool untouched = typed == QString::number(m_model);
        int current = -1;
        for (const rig::RigModel &m : models) {
            if (m.number == m_model)
                current = Poste_Modele->count();
            Poste_Modele->addItem(m.label(), m.number);
        }
        if (untouched && current >= 0)
            Poste_Modele->setCurrentIndex(current);
        else
            Poste_Modele->setEditText(typed);
    });
    m_lister->start(RigControl::rigctldProgram(), {QStringLiteral("-l")});
}

RigSettings RigWindow::shownSettings() const
{
    RigSettings s;
    s.enabled = Poste_Actif->isChecked();
    s.host = Poste_Adresse->text().trimmed();
    if (s.host.isEmpty())
        s.host = rig::kDefaultHost;
    s.port = quint16(Poste_Port->value());
    s.startDaemon = Poste_Lancer->isChecked();
    const int model = rig::modelNumberOf(Poste_Modele->currentText());
    s.model = model > 0 ? model : m_model;
    s.serialPort = Poste_Port_Serie->currentText().trimmed();
    s.speed = Poste_Vitesse->currentText().trimmed();
    return s;
}

void RigWindow::test()
{
    const RigSettings s = shownSettings();
    m_probe.stop();
    m_probe.setEndpoint(s.connectHost(), s.port);
    Poste_Reponse->setText(rig::connectingStatus(s.connectHost(), s.port));
    m_probe.start();
}

void RigWindow::save()
{
    const RigSettings s = shownSettings();
    saveRigSettings(*m_services.settings, m_station, s);
    emit saved(s);
    close();
}

} // namespace vqx
