#pragma once

#include "rig/rig_protocol.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QTcpSocket>
#include <QTimer>

namespace vqx {

// A link to rigctld: connects, reads the frequency and the mode every
// 500 ms, tunes on request, and reconnects every few seconds after the link
// is lost. One command is in flight at a time; nothing ever waits on the
// socket, so the window's thread is never held.
class RigctldClient : public QObject
{
    Q_OBJECT
public:
    static constexpr int kPollMs = 500;
    // A reply missing for this long counts as a lost link.
    static constexpr int kReplyTimeoutMs = 1000;
    static constexpr int kConnectTimeoutMs = 2000;
    static constexpr int kRetryMs = 3000;

    explicit RigctldClient(QObject *parent = nullptr);

    void setEndpoint(const QString &host, quint16 port);
    QString host() const { return m_host; }
    quint16 port() const { return m_port; }

    // Connects and keeps the link until stop().
    void start();
    void stop();
    bool isRunning() const { return m_running; }
    bool isConnected() const;

    // Tunes the radio: "F <Hz>", then "M <mode> 0" when a Hamlib mode name
    // is given ("USB", "CW"); an empty mode leaves the radio's mode. A tune
    // asked before the last one was sent replaces it.
    void tune(qint64 hz, const QString &hamlibMode);

signals:
    // The dial, read whole: frequency in Hz and Hamlib mode name.
    void reading(qint64 hz, const QString &hamlibMode);
    // What the operator should read about the link: lost, refused, an error.
    void problem(const QString &status);
    void connected();

private:
    void connectNow();
    void poll();
    void send(const QByteArray &command, rig::Query query);
    void onReadyRead();
    void lose(const QString &status);

    QTcpSocket m_socket;
    QTimer m_pollTimer;
    QTimer m_replyTimer;
    QTimer m_retryTimer;
    QString m_host = rig::kDefaultHost;
    quint16 m_port = rig::kDefaultPort;
    bool m_running = false;
    QByteArray m_buffer;
    rig::Query m_waiting = rig::Query::None;
    qint64 m_hz = 0;
    QList<QByteArray> m_pending; // tuning commands not yet sent
};

} // namespace vqx
