#pragma once

#include <QString>

// Where each setting is kept in the settings store: application, section,
// key, and the values with a meaning of their own.
namespace vqx {

// Application names of the store.
inline const QString kAppVqx = QStringLiteral("VQX");
inline const QString kAppBrenox = QStringLiteral("Brenox");

// "Setup " keeps its trailing blank: "Setup" is another section.
inline const QString kSectionSetup = QStringLiteral("Setup ");
// Everything but the callsign is kept per station callsign.
inline QString stationSection(const QString &indicatifStation)
{
    return kSectionSetup + indicatifStation;
}

// Section "Setup ".
inline const QString kKeyIndicatif = QStringLiteral("Indicatif Station");
inline const QString kKeyChemin = QStringLiteral("Chemin Repertoire");

// Section of the station (application "VQX").
inline const QString kKeyBande = QStringLiteral("bande Utilisee");
inline const QString kKeyMode = QStringLiteral("Mode Utilise");
inline const QString kKeyDateAuto = QStringLiteral("Date Auto");
inline const QString kKeyRevision = QStringLiteral("Revision");

// Section of the station (application "VQX"): reading the radio through
// rigctld. "Oui" or "Non" like "Date Auto"; absent means off.
inline const QString kKeyPosteActif = QStringLiteral("Poste Actif");
inline const QString kKeyPosteAdresse = QStringLiteral("Poste Adresse");
inline const QString kKeyPostePort = QStringLiteral("Poste Port");
// The program starts rigctld itself, with the model, serial port and speed.
inline const QString kKeyPosteLancer = QStringLiteral("Poste Lancer rigctld");
inline const QString kKeyPosteModele = QStringLiteral("Poste Modele");
inline const QString kKeyPostePortSerie = QStringLiteral("Poste Port Serie");
inline const QString kKeyPosteVitesse = QStringLiteral("Poste Vitesse");

// Section of the station (application "Brenox"): the cluster window's band.
inline const QString kKeyBandeCluster = QStringLiteral("bande Cluster");

// Section of the station (application "VQX"): the link to a DX-cluster node
// and the spots window. "Oui" or "Non" for the boxes, "Non" by default.
inline const QString kKeyClusterAdresse = QStringLiteral("Cluster Adresse");
inline const QString kKeyClusterPort = QStringLiteral("Cluster Port");
inline const QString kKeyClusterIndicatif = QStringLiteral("Cluster Indicatif");
inline const QString kKeyClusterAuDemarrage = QStringLiteral("Cluster Au Demarrage");
inline const QString kKeySpotsSon = QStringLiteral("Spots Son");
inline const QString kKeySpotsAContacter = QStringLiteral("Spots A Contacter");
inline constexpr int kDefaultClusterPort = 7300;

// The callsign until the operator chooses one: the default of
// "Indicatif Station".
inline const QString kFirstRunCallsign = QStringLiteral("FXXXX");
// The two values of "Date Auto"; "Oui" is the default.
inline const QString kDateAutoOui = QStringLiteral("Oui");
inline const QString kDateAutoNon = QStringLiteral("Non");

} // namespace vqx
