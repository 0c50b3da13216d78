#pragma once

#include "rig/rig_protocol.h"
#include "rig/rig_settings.h"
#include "rig/rigctld_client.h"

#include <QObject>
#include <QProcess>
#include <QTimer>

namespace vqx {

// The radio as the program sees it: the settings of the station, the link
// to rigctld and, when asked, the rigctld the program starts itself. It
// reports the dial and a status line; it never shows anything.
class RigControl : public QObject
{
    Q_OBJECT
public:
    explicit RigControl(QObject *parent = nullptr);
    // A rigctld the program started ends with it.
    ~RigControl() override;

    // Applies new settings: the link (and the rigctld started) is rebuilt
    // when they changed; with rig control off, everything stops.
    void configure(const RigSettings &settings);
    const RigSettings &settings() const { return m_settings; }
    bool isOn() const { return m_settings.enabled; }
    QString status() const { return m_status; }

    // Tunes the radio to a frequency and a Hamlib mode ("USB", "CW"; empty
    // keeps the radio's mode).
    void tune(qint64 hz, const QString &hamlibMode);

    // The rigctld program on this machine, "" when it is not installed.
    static QString rigctldProgram();

    RigctldClient *client() { return &m_client; }

    static constexpr int kDaemonRetryMs = 5000;

signals:
    void reading(qint64 hz, const QString &hamlibMode);
    void statusChanged(const QString &status);

private:
    void setStatus(const QString &status);
    void stopAll();
    void startDaemon();
    void stopDaemon();

    RigSettings m_settings;
    RigctldClient m_client;
    QProcess *m_daemon = nullptr;
    // A rigctld that ended (radio unplugged, port busy) is started again.
    QTimer m_daemonRetry;
    QString m_status;
    QString m_daemonError; // the last line rigctld wrote on its error output
};

} // namespace vqx
