#pragma once

#include "platform/services.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace vqx {

// "Station": choosing the station callsign, which names the log and the
// settings section of the station.
class StationWindow : public QDialog
{
    Q_OBJECT
public:
    explicit StationWindow(const Services &services, QWidget *parent = nullptr);

    // The stored form shown to the operator: each "_" as "/".
    static QString displayForm(const QString &stored);

    QLineEdit *New_Indicatif = nullptr;
    QPushButton *Validation = nullptr;

signals:
    // A callsign was accepted and stored: as stored (with "_") and as shown.
    void stationChosen(const QString &indicatifStation, const QString &shown);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void validate();

    Services m_services;
};

} // namespace vqx
