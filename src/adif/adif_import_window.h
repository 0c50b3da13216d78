#pragma once

#include "adif/adif_import.h"
#include "platform/services.h"

#include <QWidget>

class QLabel;
class QListWidget;
class QPushButton;

namespace vqx {

// "Import ADIF": chooses an ADIF file, imports its VQX contacts into the
// station's log with a progress bar that can stop it, then shows what
// happened and the refused records, which can be saved as a text file.
class AdifImportWindow : public QWidget
{
    Q_OBJECT
public:
    AdifImportWindow(const Services &services, const QString &indicatifStation,
                     const QString &stationLabel, QWidget *parent = nullptr);

    // Asks for the file and imports it. False when there is nothing to show:
    // the operator gave up or stopped the import, or a message said why
    // nothing was imported.
    bool run();

    const AdifImportResult &result() const { return m_result; }

    // Saves the refused list under a name the operator chooses.
    void saveRefusedList();
    // Saves the refused records as an ADIF file, to correct and import again.
    void Enregistrer_Refus_ADIF();

    // How long the import runs before its progress bar shows (ms); tests
    // set it to show the bar at once.
    void setProgressDelay(int ms) { m_progressDelay = ms; }

    QLabel *Resume_Import = nullptr;
    QLabel *Label_Refus = nullptr;
    QListWidget *Liste_Refus = nullptr;
    QPushButton *Enregistrer_Liste = nullptr;
    QPushButton *Enregistrer_ADIF = nullptr;
    QPushButton *Fermer = nullptr;

signals:
    // The log has new contacts: the main list must be reloaded.
    void logChanged();

private:
    void showResult();
    void message(const QString &text);
    void save(const QString &caption, const QString &suggestedName, const QString &filter,
              const QByteArray &bytes, const QString &done);

    Services m_services;
    QString m_station;
    QString m_stationLabel;
    AdifImportResult m_result;
    int m_progressDelay = 400;
};

} // namespace vqx
