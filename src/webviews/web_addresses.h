#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>

namespace vqx {

// The two web sites, kept here and nowhere else.
inline const QString kClusterServiceAddress = QStringLiteral("https://www.dxcluster.info");
inline const QString kClusterServiceName = QStringLiteral("DX Cluster Info");
inline const QString kReglementAddress = QStringLiteral("https://www.vqx.fr/");

// The entries of Bande_CL; the position of an entry is its band index.
QStringList clusterBandEntries();

// The page token of a band index; empty outside the list.
QString clusterToken(int index);
// The page path of a band index, e.g. "/ww20cw.html"; "/wwcw.html" outside the list.
QString clusterPath(int index);
// The cluster service address followed by the page path.
QUrl clusterPageUrl(int index);

// The band index a stored "bande Cluster" value names; 0 for anything that
// is not a position of the list (absent, edited by hand, another program's).
int clusterIndexFromSetting(const QString &stored);

// The award's home page.
QUrl reglementUrl();

} // namespace vqx
