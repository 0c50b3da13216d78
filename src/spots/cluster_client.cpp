#include "spots/cluster_client.h"

#include <QRegularExpression>
#include <QTcpSocket>
#include <QTimer>

namespace vqx {

namespace {

constexpr int kRetryGrowth = 60; // 5 s grows to 5 minutes
// What one event reads: a burst (a long "sh/dx" answer, a node replaying its
// spots) is taken in slices, so that the window never waits on it.
constexpr qint64 kSliceBytes = 4096;

// What nodes say when they want the callsign: "login:", "Please enter your
// call:", "call:", "Your callsign:".
bool asksForCall(const QString &text)
{
    static const QRegularExpression prompt(
        QStringLiteral("(login|call|callsign|indicatif)\\s*:?\\s*$|enter your call"),
        QRegularExpression::CaseInsensitiveOption);
    return prompt.match(text.trimmed()).hasMatch();
}

} // namespace

QString clusterLoginFor(const QString &stationCallsign)
{
    // The station's callsign keeps its "/" as "_" (it names the log file).
    QString call = stationCallsign.trimmed().toUpper();
    const qsizetype cut = call.indexOf(QRegularExpression(QStringLiteral("[/_]")));
    return cut < 0 ? call : call.left(cut);
}

ClusterClient::ClusterClient(QObject *parent)
    : QObject(parent), m_socket(new QTcpSocket(this)), m_retry(new QTimer(this))
{
    m_retry->setSingleShot(true);
    connect(m_retry, &QTimer::timeout, this, &ClusterClient::open);
    m_slice = new QTimer(this);
    m_slice->setSingleShot(true);
    m_slice->setInterval(0);
    connect(m_slice, &QTimer::timeout, this, &ClusterClient::onReadyRead);
    connect(m_socket, &QTcpSocket::connected, this, &ClusterClient::onConnected);
    connect(m_socket, &QTcpSocket::readyRead, this, &ClusterClient::onReadyRead);
    connect(m_socket, &QTcpSocket::disconnected, this, &ClusterClient::onLost);
    connect(m_socket, &QTcpSocket::errorOccurred, this, [this] {
        // A refused or failed connection never reaches "disconnected".
        if (m_socket->state() != QAbstractSocket::ConnectedState)
            onLost();
    });
}

void ClusterClient::setRetryDelay(int firstMs)
{
    m_firstRetryMs = firstMs;
    m_retryMs = firstMs;
}

void ClusterClient::connectToNode(const QString &host, quint16 port, const QString &login)
{
    disconnectFromNode();
    m_host = host.trimmed();
    m_port = port;
    m_login = login.trimmed();
    m_retryMs = m_firstRetryMs;
    open();
}

void ClusterClient::disconnectFromNode()
{
    m_retry->stop();
    m_slice->stop();
    // Leaving on purpose is no lost link.
    setState(State::Deconnecte);
    m_socket->abort();
    m_text.reset();
}

bool ClusterClient::sendCommand(const QString &command)
{
    if (m_state != State::Connecte)
        return false;
    m_socket->write(command.toUtf8() + "\r\n");
    return true;
}

QString ClusterClient::stateText() const
{
    switch (m_state) {
    case State::Deconnecte:
        return QStringLiteral("Déconnecté");
    case State::Connexion:
        return QStringLiteral("Connexion à %1:%2…").arg(m_host).arg(m_port);
    case State::Connecte:
        return QStringLiteral("Connecté à %1:%2").arg(m_host).arg(m_port);
    case State::Attente:
        return QStringLiteral("Liaison perdue, nouvel essai dans %1 s")
            .arg((m_retry->remainingTime() + 999) / 1000);
    }
    return {};
}

void ClusterClient::open()
{
    m_slice->stop();
    m_socket->abort(); // before the new state: closing the old link is no loss
    m_text.reset();
    m_loginSent = false;
    setState(State::Connexion);
    m_socket->connectToHost(m_host, m_port);
}

void ClusterClient::onConnected()
{
    setState(State::Connecte);
}

void ClusterClient::onReadyRead()
{
    const QStringList lines = m_text.feed(m_socket->read(kSliceBytes));
    // The rest waits for the next event.
    if (m_socket->bytesAvailable() > 0)
        m_slice->start();
    const QByteArray replies = m_text.takeReplies();
    if (!replies.isEmpty())
        m_socket->write(replies);
    if (!lines.isEmpty())
        m_retryMs = m_firstRetryMs; // the node talks: the link is good again
    for (const QString &line : lines) {
        if (!answerPrompt(line))
            emit lineReceived(line);
        if (m_state != State::Connecte)
            return; // a handler disconnected
    }
    // A prompt waits at the end of the line, without a line end.
    const QString pending = m_text.pending();
    if (!pending.isEmpty() && answerPrompt(pending))
        m_text.feed("\n"); // the prompt is done with
}

bool ClusterClient::answerPrompt(const QString &text)
{
    if (m_loginSent || !asksForCall(text))
        return false;
    m_loginSent = true;
    emit lineReceived(text);
    m_socket->write(m_login.toUtf8() + "\r\n");
    emit loggedIn();
    return true;
}

void ClusterClient::onLost()
{
    if (m_state == State::Deconnecte || m_state == State::Attente)
        return;
    const int delay = m_retryMs;
    m_retryMs = qMin(m_retryMs * 2, m_firstRetryMs * kRetryGrowth);
    m_retry->start(delay);
    setState(State::Attente);
}

void ClusterClient::setState(State s)
{
    if (s == m_state)
        return;
    m_state = s;
    emit stateChanged(s);
}

} // namespace vqx
