#pragma once

#include "spots/cluster_text.h"

#include <QObject>
#include <QString>

class QTcpSocket;
class QTimer;

namespace vqx {

// The telnet link to a DX-cluster node. It connects, gives the login
// callsign when the node asks for it, and emits each line it reads. A lost
// link is tried again after 5 s, then after twice as long each time, up to
// 5 minutes. Nothing waits: every step is an event.
class ClusterClient : public QObject
{
    Q_OBJECT
public:
    enum class State
    {
        Deconnecte, // not wanted
        Connexion,  // connecting
        Connecte,   // connected
        Attente     // lost, waiting before the next try
    };
    Q_ENUM(State)

    explicit ClusterClient(QObject *parent = nullptr);

    // The first delay after a lost link; tests shorten it. It doubles up to
    // 60 times itself (5 s up to 5 minutes).
    void setRetryDelay(int firstMs);
    int nextRetryMs() const { return m_retryMs; }

    void connectToNode(const QString &host, quint16 port, const QString &login);
    void disconnectFromNode();
    // A command for the node ("sh/dx 30"); false when not connected.
    bool sendCommand(const QString &command);

    State state() const { return m_state; }
    bool isConnected() const { return m_state == State::Connecte; }
    QString host() const { return m_host; }
    quint16 port() const { return m_port; }
    // The state in the operator's words.
    QString stateText() const;

signals:
    void stateChanged(vqx::ClusterClient::State state);
    // Every line of the node, spots and messages alike.
    void lineReceived(const QString &line);
    // The login callsign was given.
    void loggedIn();

private:
    void open();
    void onConnected();
    void onReadyRead();
    void onLost();
    void setState(State s);
    bool answerPrompt(const QString &pending);

    QTcpSocket *m_socket;
    QTimer *m_retry;
    QTimer *m_slice = nullptr; // reads on what a burst left
    ClusterTextStream m_text;
    QString m_host;
    quint16 m_port = 0;
    QString m_login;
    bool m_loginSent = false;
    int m_firstRetryMs = 5000;
    int m_retryMs = 5000;
    State m_state = State::Deconnecte;
};

// The login callsign of a station: its callsign without a "/…" suffix
// (kept as "_…" in the station's callsign).
QString clusterLoginFor(const QString &stationCallsign);

} // namespace vqx
