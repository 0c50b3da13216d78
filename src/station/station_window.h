#pragma once

#include "mainwindow/shared_values.h"
#include "platform/services.h"

#include <QDialog>
#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;

namespace vqx {

// What the station window changes in the main window once a callsign is accepted.
struct StationHost
{
    std::function<void(const QString &)> showCallsign;
    std::function<void()> reselectBandAndMode;
    std::function<void()> reloadLog;
};

// "Station": choosing the station callsign, which names the log and the
// settings section of the station.
class StationWindow : public QDialog
{
    Q_OBJECT
public:
    StationWindow(const Services &services, SharedValues *shared, StationHost host,
                  QWidget *parent = nullptr);

    // The stored form shown to the operator: each "_" as "/".
    static QString displayForm(const QString &stored);

    QLineEdit *New_Indicatif = nullptr;
    QPushButton *Validation = nullptr;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void validate();

    Services m_services;
    SharedValues *m_shared;
    StationHost m_host;
};

} // namespace vqx
