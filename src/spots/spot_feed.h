#pragma once

#include "spots/cluster_client.h"
#include "spots/spot_states.h"
#include "spots/spots_model.h"

#include <QObject>
#include <QStringList>
#include <functional>

namespace vqx {

class Clock;

// What follows the cluster for the whole run, window open or not: the link
// to the node, the index of the log, the spots with their states, the node's
// messages, and which needed fountains were announced.
class SpotFeed : public QObject
{
    Q_OBJECT
public:
    explicit SpotFeed(const Clock *clock, QObject *parent = nullptr);

    ClusterClient *client() const { return m_client; }
    SpotsModel *model() const { return m_model; }
    const WorkedIndex &index() const { return m_index; }

    // The log as it is now (after loading it and after every change).
    void logChanged(const QStringList &fileLines);
    // Where the log's lines come from. The log changed: its index is rebuilt
    // at once while spots are listed or a node is linked, otherwise when the
    // first spot comes, so a run that never uses the cluster pays nothing.
    void setLogSource(std::function<QStringList()> source) { m_source = std::move(source); }
    void logChanged();
    // A line of the node: a spot goes to the list, anything else to the console.
    void takeLine(const QString &line);
    // The node's messages kept for a window opened later.
    const QStringList &console() const { return m_console; }

    // The contact just recorded, for announcing it on the cluster. The
    // frequency is the spot's when the contact came from one.
    struct Recorded
    {
        QString khzText;
        QString callsign;
        QString ref;
    };
    void contactRecorded(const QString &callsign, const QString &ref);
    void spotUsed(const SpotRow &row);
    const Recorded &lastRecorded() const { return m_recorded; }

signals:
    void consoleLine(const QString &line);
    // A fountain still needed was spotted, first time this hour on that band.
    void neededSpotted(const vqx::SpotRow &row);
    void lastRecordedChanged();

private:
    const Clock *m_clock;
    ClusterClient *m_client;
    SpotsModel *m_model;
    WorkedIndex m_index;
    AlertLimiter m_alerts;
    QStringList m_console;
    SpotRow m_used;
    Recorded m_recorded;
    std::function<QStringList()> m_source;
    bool m_stale = false;

    void refreshIndex();
};

} // namespace vqx
