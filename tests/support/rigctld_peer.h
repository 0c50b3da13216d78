#pragma once
// Hamlib's own dummy radio, "rigctld -m 1", on a free port of 127.0.0.1,
// started and stopped by the test; "rigctl -m 2" turns its dial as an
// operator would.

#include <QProcess>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>

namespace vqx::test {

class RigctldPeer
{
public:
    ~RigctldPeer() { stop(); }

    static bool installed() { return !QStandardPaths::findExecutable("rigctld").isEmpty(); }

    // A port nobody listens on.
    static quint16 freePort()
    {
        QTcpServer probe;
        if (!probe.listen(QHostAddress::LocalHost, 0))
            return 0;
        return probe.serverPort();
    }

    // Starts rigctld on `port` (a free one when 0) and waits until it takes
    // connections; false when it does not.
    bool start(quint16 wanted = 0)
    {
        stop();
        port = wanted ? wanted : freePort();
        m_process.setProgram(QStringLiteral("rigctld"));
        m_process.setArguments({"-m", "1", "-T", "127.0.0.1", "-t", QString::number(port)});
        m_process.setProcessChannelMode(QProcess::MergedChannels);
        m_process.setStandardOutputFile(QProcess::nullDevice());
        m_process.start();
        if (!m_process.waitForStarted(5000))
            return false;
        for (int i = 0; i < 100; ++i) {
            if (listening(port))
                return true;
            QThread::msleep(50);
        }
        return false;
    }

    void stop()
    {
        if (m_process.state() == QProcess::NotRunning)
            return;
        m_process.kill();
        m_process.waitForFinished(5000);
    }

    static bool listening(quint16 port)
    {
        QTcpSocket s;
        s.connectToHost(QHostAddress::LocalHost, port);
        return s.waitForConnected(200);
    }

    // "rigctl -m 2 -r 127.0.0.1:PORT F <hz> M <mode> <passband>"; false
    // when rigctl fails.
    bool turn(qint64 hz, const QString &mode, int passband = 0) const
    {
        QProcess rigctl;
        rigctl.start(QStringLiteral("rigctl"),
                     {"-m", "2", "-r", QStringLiteral("127.0.0.1:%1").arg(port), "F",
                      QString::number(hz), "M", mode, QString::number(passband)});
        return rigctl.waitForFinished(10000) && rigctl.exitStatus() == QProcess::NormalExit &&
               rigctl.exitCode() == 0;
    }

    quint16 port = 0;

private:
    QProcess m_process;
};

} // namespace vqx::test
