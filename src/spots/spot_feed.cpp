#include "spots/spot_feed.h"

#include "platform/clock.h"

namespace vqx {

namespace {
constexpr int kConsoleKept = 1000;
}

SpotFeed::SpotFeed(const Clock *clock, QObject *parent)
    : QObject(parent), m_clock(clock), m_client(new ClusterClient(this)),
      m_model(new SpotsModel(this))
{
    connect(m_client, &ClusterClient::lineReceived, this, &SpotFeed::takeLine);
}

void SpotFeed::logChanged(const QStringList &fileLines)
{
    m_stale = false;
    m_index.rebuild(fileLines);
    m_model->reclassify(m_index);
}

void SpotFeed::logChanged()
{
    m_stale = true;
    if (m_model->rowCount() > 0 || m_client->state() != ClusterClient::State::Deconnecte)
        refreshIndex();
}

void SpotFeed::refreshIndex()
{
    if (m_stale && m_source)
        logChanged(m_source());
}

void SpotFeed::takeLine(const QString &line)
{
    const ClusterLine parsed = parseClusterLine(line);
    if (!parsed.isSpot) {
        m_console << line;
        if (m_console.size() > kConsoleKept)
            m_console.remove(0, m_console.size() - kConsoleKept);
        emit consoleLine(line);
        return;
    }
    // Spots without a fountain reference are not listed.
    if (parsed.references.isEmpty())
        return;
    refreshIndex();
    const QDateTime now = m_clock->nowUtc();
    const QList<SpotRow> rows = rowsOfSpot(parsed, m_index, now);
    m_model->addRows(rows);
    for (const SpotRow &row : rows) {
        if (isNeeded(row.state) && m_alerts.shouldAlert(row.ref, row.band, now))
            emit neededSpotted(row);
    }
}

void SpotFeed::spotUsed(const SpotRow &row)
{
    m_used = row;
}

void SpotFeed::contactRecorded(const QString &callsign, const QString &ref)
{
    m_recorded.callsign = callsign.trimmed();
    m_recorded.ref = ref.trimmed();
    m_recorded.khzText = m_used.spot.callsign == m_recorded.callsign && m_used.ref == m_recorded.ref
                             ? m_used.spot.khzText
                             : QString();
    emit lastRecordedChanged();
}

} // namespace vqx
