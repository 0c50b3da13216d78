#pragma once

#include <QString>
#include <QStringList>

namespace vqx {

// One line from a cluster node, cut into its parts. Anything that is not a
// spot is a node message, shown as it came.
struct ClusterLine
{
    bool isSpot = false;
    qint64 hz = 0;          // frequency in whole Hz
    QString khzText;        // as the node wrote it: "14025.0"
    QString callsign;       // the station spotted
    QString spotter;        // who spotted it, without the ":"
    QString comment;        // trimmed
    QString timeUtc;        // "1234", without the "Z"
    QStringList references; // fountain references of the comment
};

// Recognises a live spot ("DX de F4ABC:  14025.0  TM31F  comment  1234Z JN03",
// as DXSpider, CC-Cluster and AR-Cluster write it, a long spotter losing its
// colon) and a line of a "sh/dx" answer ("14025.0  TM31F  8-Dec-2026 1234Z
// comment  <F4ABC>", the callsign also first).
ClusterLine parseClusterLine(const QString &line);

// The spot a chaser sends back: "DX 14025.0 TM31F VQX 31FA001". The
// reference leads the comment, so it stays within the 30 characters a node
// keeps.
QString spotBackCommand(const QString &khzText, const QString &callsign, const QString &ref);

} // namespace vqx
