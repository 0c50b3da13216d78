#pragma once

#include "platform/services.h"
#include "rig/rig_settings.h"
#include "rig/rigctld_client.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QProcess;
class QPushButton;
class QSpinBox;

namespace vqx {

// "Poste radio": whether and how the band and the mode are read from the
// radio through rigctld, for the current station callsign.
class RigWindow : public QDialog
{
    Q_OBJECT
public:
    RigWindow(const Services &services, const QString &indicatifStation, QWidget *parent = nullptr);
    ~RigWindow() override;

    // The settings as the window shows them.
    RigSettings shownSettings() const;

    QCheckBox *Poste_Actif = nullptr;
    QLineEdit *Poste_Adresse = nullptr;
    QSpinBox *Poste_Port = nullptr;
    QCheckBox *Poste_Lancer = nullptr;
    QComboBox *Poste_Modele = nullptr;
    QComboBox *Poste_Port_Serie = nullptr;
    QComboBox *Poste_Vitesse = nullptr;
    QLabel *Poste_Absent = nullptr;
    QPushButton *Poste_Tester = nullptr;
    QLabel *Poste_Reponse = nullptr;
    QPushButton *Poste_Enregistrer = nullptr;
    QPushButton *Poste_Fermer = nullptr;

signals:
    // The settings were stored for the station; the program applies them.
    void saved(const RigSettings &settings);

private:
    void buildControls();
    void showSettings(const RigSettings &s);
    void listModels();
    void enableDaemonFields();
    void test();
    void save();

    Services m_services;
    QString m_station;
    RigctldClient m_probe;
    QProcess *m_lister = nullptr;
    int m_model = 1;
};

} // namespace vqx
