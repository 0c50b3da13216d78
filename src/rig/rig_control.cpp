#include "rig/rig_control.h"

#include <QStandardPaths>

#include <csignal>
#include <sys/prctl.h>

namespace vqx {

RigControl::RigControl(QObject *parent) : QObject(parent)
{
    m_daemonRetry.setSingleShot(true);
    m_daemonRetry.setInterval(kDaemonRetryMs);
    connect(&m_daemonRetry, &QTimer::timeout, this, [this] {
        if (!m_settings.enabled || !m_settings.startDaemon)
            return;
        stopDaemon();
        startDaemon();
    });
    connect(&m_client, &RigctldClient::reading, this, [this](qint64 hz, const QString &mode) {
        setStatus(rig::readingStatus(hz, mode));
        emit reading(hz, mode);
    });
    connect(&m_client, &RigctldClient::problem, this, [this](const QString &status) {
        // A rigctld the program started and that died says why.
        if (m_daemon && m_daemon->state() == QProcess::NotRunning)
            return;
        setStatus(status);
    });
}

RigControl::~RigControl()
{
    stopAll();
}

QString RigControl::rigctldProgram()
{
    return QStandardPaths::findExecutable(QStringLiteral("rigctld"));
}

void RigControl::setStatus(const QString &status)
{
    if (status == m_status)
        return;
    m_status = status;
    emit statusChanged(status);
}

void RigControl::configure(const RigSettings &settings)
{
    const bool same = settings == m_settings && (m_client.isRunning() || !settings.enabled);
    m_settings = settings;
    if (same)
        return;
    stopAll();
    if (!settings.enabled) {
        setStatus(QString());
        return;
    }
    m_client.setEndpoint(settings.connectHost(), settings.port);
    setStatus(rig::connectingStatus(settings.connectHost(), settings.port));
    if (settings.startDaemon) {
        startDaemon();
        return;
    }
    m_client.start();
}

void RigControl::tune(qint64 hz, const QString &hamlibMode)
{
    if (m_client.isRunning())
        m_client.tune(hz, hamlibMode);
}

void RigControl::stopAll()
{
    m_daemonRetry.stop();
    m_client.stop();
    stopDaemon();
}

void RigControl::startDaemon()
{
    const QString program = rigctldProgram();
    if (program.isEmpty()) {
        setStatus(rig::notInstalledStatus());
        return;
    }
    m_daemonError.clear();
    m_daemon = new QProcess(this);
    m_daemon->setProgram(program);
    m_daemon->setArguments(rigctldArguments(m_settings));
    m_daemon->setStandardOutputFile(QProcess::nullDevice());
    // Should the program be killed, its rigctld must not hold the serial port.
    m_daemon->setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
    connect(m_daemon, &QProcess::readyReadStandardError, this, [this, d = m_daemon] {
        const QList<QByteArray> lines = d->readAllStandardError().trimmed().split('\n');
        if (!lines.isEmpty() && !lines.last().trimmed().isEmpty())
            m_daemonError = QString::fromLocal8Bit(lines.last().trimmed()).left(200);
    });
    connect(m_daemon, &QProcess::finished, this,
            [this](int exitCode) { setStatus(rig::daemonEndedStatus(exitCode, m_daemonError)); });
    connect(m_daemon, &QProcess::errorOccurred, this, [this](QProcess::ProcessError e) {
        if (e == QProcess::FailedToStart)
            setStatus(rig::daemonEndedStatus(-1, m_daemon ? m_daemon->errorString() : QString()));
    });
    // rigctld takes a moment to open the radio's port and listen; the
    // client starts once it runs, then retries as after any lost link.
    connect(m_daemon, &QProcess::started, &m_client, &RigctldClient::start);
    m_daemon->start();
}

void RigControl::stopDaemon()
{
    if (!m_daemon)
        return;
    QProcess *d = m_daemon;
    m_daemon = nullptr;
    d->disconnect();
    if (d->state() != QProcess::NotRunning) {
        d->terminate();
        // rigctld ends at once on SIGTERM; a stuck one is not waited for long.
        if (!d->waitForFinished(1000)) {
            d->kill();
            d->waitForFinished(1000);
        }
    }
    delete d;
}

} // namespace vqx
