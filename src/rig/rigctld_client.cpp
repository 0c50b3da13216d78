#include "rig/rigctld_client.h"

namespace vqx {

using rig::Query;
using rig::Reply;

RigctldClient::RigctldClient(QObject *parent) : QObject(parent)
{
    m_pollTimer.setInterval(kPollMs);
    m_replyTimer.setSingleShot(true);
    m_retryTimer.setSingleShot(true);
    m_retryTimer.setInterval(kRetryMs);
    connect(&m_pollTimer, &QTimer::timeout, this, &RigctldClient::poll);
    connect(&m_retryTimer, &QTimer::timeout, this, &RigctldClient::connectNow);
    connect(&m_replyTimer, &QTimer::timeout, this,
            [this] { lose(rig::noAnswerStatus(m_host, m_port)); });
    connect(&m_socket, &QTcpSocket::connected, this, [this] {
        m_replyTimer.stop();
        emit connected();
        m_pollTimer.start();
        poll();
    });
    connect(&m_socket, &QTcpSocket::readyRead, this, &RigctldClient::onReadyRead);
    connect(&m_socket, &QTcpSocket::errorOccurred, this, [this] {
        if (m_running && !m_retryTimer.isActive())
            lose(rig::noAnswerStatus(m_host, m_port));
    });
}

void RigctldClient::setEndpoint(const QString &host, quint16 port)
{
    m_host = host;
    m_port = port;
}

bool RigctldClient::isConnected() const
{
    return m_socket.state() == QAbstractSocket::ConnectedState;
}

void RigctldClient::start()
{
    m_running = true;
    connectNow();
}

void RigctldClient::stop()
{
    m_running = false;
    m_pollTimer.stop();
    m_replyTimer.stop();
    m_retryTimer.stop();
    m_pending.clear();
    m_waiting = Query::None;
    m_socket.abort();
}

void RigctldClient::connectNow()
{
    if (!m_running)
        return;
    m_socket.abort();
    m_buffer.clear();
    m_waiting = Query::None;
    m_replyTimer.start(kConnectTimeoutMs);
    m_socket.connectToHost(m_host, m_port);
}

void RigctldClient::tune(qint64 hz, const QString &hamlibMode)
{
    m_pending = {rig::setFrequencyCommand(hz)};
    const QByteArray mode = rig::setModeCommand(hamlibMode);
    if (!mode.isEmpty())
        m_pending << mode;
    if (m_waiting == Query::None && isConnected())
        poll();
}

void RigctldClient::send(const QByteArray &command, Query query)
{
    // Whatever came before this command cannot be its reply.
    m_buffer.clear();
    m_waiting = query;
    m_replyTimer.start(kReplyTimeoutMs);
    m_socket.write(command);
}

void RigctldClient::poll()
{
    if (m_waiting != Query::None || !isConnected())
        return;
    if (!m_pending.isEmpty())
        send(m_pending.takeFirst(), Query::SetCommand);
    else
        send("f\n", Query::Frequency);
}

void RigctldClient::onReadyRead()
{
    m_buffer += m_socket.readAll();
    if (m_waiting == Query::None) {
        m_buffer.clear();
        return;
    }
    const Reply r = rig::readReply(m_waiting, m_buffer);
    if (r.kind == Reply::Incomplete)
        return;
    m_replyTimer.stop();
    // One command at a time: what follows its reply belongs to nothing.
    m_buffer.clear();
    const Query answered = m_waiting;
    m_waiting = Query::None;
    switch (r.kind) {
    case Reply::Garbage:
        lose(rig::garbageStatus(m_host, m_port));
        return;
    case Reply::Report:
        if (r.code != 0) {
            emit problem(rig::errorStatus(r.code));
            if (answered == Query::SetCommand)
                m_pending.clear();
            return;
        }
        // A tune done: the next command, or the dial read at once.
        if (answered == Query::SetCommand)
            poll();
        return;
    case Reply::Frequency:
        m_hz = r.hz;
        send("m\n", Query::Mode);
        return;
    case Reply::Mode:
        emit reading(m_hz, r.mode);
        return;
    case Reply::Incomplete:
        return;
    }
}

void RigctldClient::lose(const QString &status)
{
    m_pollTimer.stop();
    m_replyTimer.stop();
    m_waiting = Query::None;
    m_socket.abort();
    if (!m_running)
        return;
    emit problem(status);
    m_retryTimer.start();
}

} // namespace vqx
